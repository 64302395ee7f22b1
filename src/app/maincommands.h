#pragma once
// The main window's commands. Every menu item has one handler in the
// menu's command table (mainmenu.h), keyed by the item's name; the window
// calls Click with the name of the chosen item, tests do the same without a
// window. A handler calls the drawings, reports and dialogs it runs
// directly; the forms, the redraw and the other dialogs below that a test
// stands in for go through this object. The input commands run a dialog and
// then, in an order fixed per command, the stage calculation, the test of
// Aborted, DataModified and the redraw. The members that read the command
// table (Click, the handler names, the menu at creation and after a
// language switch) are defined beside it, in mainmenu.cpp.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform
{
class Window;
}

class Thh
{
  public:
    virtual ~Thh() = default;

    // Runs the command of the item; false when there is no such item or it
    // is disabled or hidden (a real menu would not let it be chosen).
    bool Click(const std::string& Name);
    bool HasHandler(const std::string& Name) const;
    // Item names that have a handler.
    std::vector<std::string> HandlerNames() const;

    // The menu as the window is created: captions, recent files, the
    // configured language, enabling; then handed to the window.
    void FormCreateMenus();
    // Connects the window's menu and close query to this object.
    void Attach(platform::Window& Window);

    // Menu enabling after a calculation: the message count, the load
    // spectrum and bearing items.
    void UpdateMenuEnabling();
    // Menu enabling and a redraw of the current stage view.
    void RefreshAfterChange();
    // The quick input: texts, drive, tool, dimensions, materials, accuracy,
    // measurement and strength dialogs one after another.
    void GuidedInput();
    // The compact strength sequence for entered factors and small screens.
    static bool UseCompactStrengthInput(int CalcMethod, int ScreenWidth, int ScreenHeight, bool Guided);
    void StrengthInput(bool Guided);
    void SetLanguage(int Code);
    // The close query of the main window: true when it may close.
    bool FormCloseQuery();

    // File commands.
    void mi_fileNewClick();
    void mi_fileOpenClick();
    void mi_FileSaveClick();
    void mi_FileSaveAsClick();
    void OpenRecentFile(int I);

    // Edit commands with an order of their own.
    void mi_editPreDimensioningClick();
    void mi_editlastkollektivstandardClick();
    void mi_editlastkollektivtabelleClick();

    void Input(const char* Form, bool CalcAlways, bool RefreshFirst);
    // An input dialog shown by Dialog, then the calculation (always, or only
    // after OK), the refresh and the modified mark. A dialog left with
    // Cancel marks the project modified only when it wrote into the stage
    // (its table, converter and proposal buttons write at once).
    void InputDialog(const std::function<void()>& Dialog, bool CalcAlways, bool RefreshFirst);
    void CadGear(int Wheel, int Device);
    void Open(const std::string& Path);
    // The change protocol's commands (1 new, 2 modify, 3 delete, 4 show, 5
    // print); delete asks first.
    void ChangeProtocol(int Mode);

    // Runs the form of that name modally ("TForm_qyr7vor", "Tconfig", ...);
    // false (Aborted set) when it was cancelled or there is no such form.
    virtual bool RunForm(const std::string& Form);
    // Redraws the stage view now shown in the main window.
    virtual void RedrawView();
    // A planet bearing from the catalogue (1 Pi, 2 Pe).
    virtual void SelectPlanetBearing(int Planet);
    // The standard load spectrum editor on the gear pair's working
    // spectrum; sets Aborted when the user gives up.
    virtual void EditLoadSpectrum();
    // The compact strength input sequence (factors entered, small screens).
    virtual void RunStrengthInput();

    // What a picture is drawn from: the display list's generation before it
    // and the random numbers its break lines take.
    struct TPictureStart {
        uint64_t Generation = 0;
        uint32_t BreakLineSeed = 0;
    };
    static TPictureStart PictureStart();
    // A drawing made from Start: when it put a new picture on the screen,
    // Redraw draws that picture again, as it is and without a question.
    void NoteShownPicture(const TPictureStart& Start, std::function<void()> Redraw);
    // Draws the picture shown again, when it is still the one noted last
    // (nothing else was drawn over it since) and was drawn for File.
    void RedrawShownPicture(const std::string& File);

  private:
    struct TShownPicture {
        std::function<void()> Redraw;
        uint64_t Generation = 0;
        std::string File; // the project's file it names
    };
    TShownPicture shownPicture_;
};

// The main window's commands object, for the program and its tests.
extern Thh hh;

// "<What> is not available in this version" in a message box; Aborted is
// set so the command ends there.
void ShowNotAvailable(const std::string& What);

// What the drawings and dialogs below ask of the shell: the animations'
// settings forms, the carrier form before the carrier drawing and the
// redraw after a dialog's calculation.
void InstallShellServices();
// The table browser's menu words from the main menu's texts of the current
// language (part of the above).
void InstallTableBrowserMenuTexts();
