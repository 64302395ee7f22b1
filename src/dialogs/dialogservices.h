#pragma once
// What the dialogs ask of the application shell above them: the metric/inch
// switch, the redraw of the current stage view after a calculation, the
// auxiliary-image browser and the placement of a new window. The shell
// installs its routines at start-up; the defaults are what a batch run and
// the dialog tests need (the unit switch itself, nothing drawn, no browser).

#include <functional>

// Where a new dialog goes and how large it is, in pixels; ContentScale is
// the factor its fonts are to be scaled by.
struct TDialogPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    double ContentScale = 1.0;
};

struct TDialogServices {
    // Places a stage dialog when it is created: scaled by the configured
    // percentage and centred over the main window. Width and Height come in
    // as the designed size.
    std::function<void(TDialogPlace&)> PlaceDialog;
    // UnitSystem 1 becomes 0, every other value 1.
    std::function<void()> ToggleUnitSystem;
    // The stage calculation after a dialog's Calc button; the default runs
    // CalcPlanetaryStage.
    std::function<void()> CalculateStage;
    // Redraws the current stage view of the main window.
    std::function<void()> RedrawCurrentView;
    // The auxiliary-image browser of the Help menu.
    std::function<void()> ShowAuxiliaryImages;
};

extern TDialogServices dialogservices;

void ResetDialogServices();
