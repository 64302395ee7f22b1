#pragma once
// Every window of the program gets the same size and place: a dialog scales
// itself by the configured percentage when it is created and centres itself
// over the main window; the main window takes the configured drawing size.
// Beside them: the metric/inch switch of the dialogs, the version text, the
// environment and the largest client area of the main window.
//
// A form is described by plain numbers (TFormPlacement), so the rules are
// tested without widgets; the Qt forms copy the result onto themselves.

#include <cstdint>
#include <functional>
#include <string>

// What the desktop tells about the screen and the main window, in pixels.
struct TScreenInfo {
    // The screen's area free for windows (without task bars and panels).
    int ScreenLeft = 0;
    int ScreenTop = 0;
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    // Outer size and client area of the main window.
    int WindowLeft = 0;
    int WindowTop = 0;
    int WindowWidth = 649;
    int WindowHeight = 527;
    int ClientWidth = 641;
    int ClientHeight = 481;
    // Logical pixels per inch.
    int DpiX = 96;
    int DpiY = 96;
    // What the window manager puts around a dialog: the caption above it
    // and the border on the other sides.
    int CaptionHeight = 23;
    int BorderWidth = 4;
};

struct TWinutil {
    // The desktop's answer; without a window (batch runs, tests) a fixed
    // 1024 x 768 screen with a 641 x 481 client area.
    std::function<TScreenInfo()> QueryScreen;
    // Stored place of the help-picture window; Known once it was shown.
    int32_t SavedWindowLeft = 0;
    int32_t SavedWindowTop = 0;
    bool SavedWindowKnown = false;
};

extern TWinutil winutil;

void ResetWinutil();

// Place and size of a form. Designed* are the sizes it was laid out with;
// ContentScale is the factor its fonts and controls are to be scaled by.
struct TFormPlacement {
    int DesignedWidth = 0;
    int DesignedHeight = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    double ContentScale = 1.0;
    bool ParentFont = false;
};

// Scales the form by ScreenPercent, centres it over the main window (20
// pixels lower; a form larger than the window goes to its top-left corner)
// and scales its contents by FontPercent. A form never gets larger than the
// screen's free area and keeps its caption on it. Nothing happens while
// DialogScaleMode is 2.
void ScaleDialogForm(TFormPlacement& Form);
// The same scaling, placed at SavedWindowLeft, SavedWindowTop.
void ScaleFormAt(TFormPlacement& Form);
// The same scaling without moving the form.
void ScaleFormOnly(TFormPlacement& Form);

// The main window: client area ScreenPixelsX + 1 by ScreenPixelsY + 1 at the
// top-left corner of the screen, in the configured background colour; the
// program's hints stay up 100 seconds.
void SizeMainWindow();

// UnitSystem 1 becomes 0; every other value becomes 1.
void ToggleUnitSystem();

// The version text of a file's version record ("0" without one); an empty
// name gives the program's own.
void GetFileVersionText(const std::string& FileName, std::string& Text);

// The variable's value, at most 255 characters; empty when it is not set.
void GetEnvironmentText(const std::string& Name, std::string& Text);

// The "Auto" dialog size: the main window's frame factor k (its height
// over its client height plus the 46 pixels of caption and menu the dialogs
// were designed with, plus 0.009) times the vertical resolution over 96 dpi,
// in percent; the element size follows the horizontal resolution. Both are
// held to the 30..300 the configuration dialog offers, so a window not yet
// framed (k far from 1) cannot blow the dialogs up.
int AutoScreenPercent(const TScreenInfo& s);
int AutoFontPercent(const TScreenInfo& s, int ScreenPercent);
inline constexpr int DialogPercentMin = 30;
inline constexpr int DialogPercentMax = 300;

// Screen width + client width - window width of the main window.
int MaxClientWidth();
// Screen height + 2 x (client height - window height), rounded.
int MaxClientHeight();
