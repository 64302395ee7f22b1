#include "app/windowplacement.h"

#include "foundation/fileversion.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TWinutil winutil;

void ResetWinutil()
{
    winutil = TWinutil{};
    winutil.QueryScreen = [] {
        TScreenInfo info;
        auto& window = platform::CurrentPlatform().MainWindow();
        if (window.ClientWidth() > 0 && window.ClientHeight() > 0) {
            // The frame of the headless window: the usual border and caption.
            info.ClientWidth = window.ClientWidth();
            info.ClientHeight = window.ClientHeight();
            info.WindowWidth = info.ClientWidth + 8;
            info.WindowHeight = info.ClientHeight + 46;
        }
        return info;
    };
}

namespace
{

struct InitWinutil {
    InitWinutil() { ResetWinutil(); }
} initWinutil;

// Steps shared by the three scaling routines: the size by ScreenPercent.
bool ScaleSize(TFormPlacement& Form)
{
    if (wtelmvar.DialogScaleMode == 2) return false;
    Form.Width = wtelmvar.ScreenPercent * Form.DesignedWidth / 100;
    Form.Height = wtelmvar.ScreenPercent * Form.DesignedHeight / 100;
    return true;
}

void ScaleContents(TFormPlacement& Form)
{
    Form.ContentScale = wtelmvar.FontPercent / 100.0;
    Form.ParentFont = true;
}

// However large the percentage, the form and its frame fit the screen's free
// area, and the caption (where the user grabs and closes it) is on screen.
void KeepOnScreen(TFormPlacement& Form, const TScreenInfo& s)
{
    const int left = s.ScreenLeft + s.BorderWidth;
    const int top = s.ScreenTop + s.CaptionHeight;
    const int right = s.ScreenLeft + s.ScreenWidth - s.BorderWidth;
    const int bottom = s.ScreenTop + s.ScreenHeight - s.BorderWidth;
    Form.Width = std::max(1, std::min(Form.Width, right - left));
    Form.Height = std::max(1, std::min(Form.Height, bottom - top));
    Form.Left = std::max(left, std::min(Form.Left, right - Form.Width));
    Form.Top = std::max(top, std::min(Form.Top, bottom - Form.Height));
}

double WindowFrameFactor(const TScreenInfo& s)
{
    return static_cast<double>(s.WindowHeight) / (s.ClientHeight + 46) + 0.009;
}

int HeldPercent(double Percent)
{
    if (!(Percent >= DialogPercentMin)) return DialogPercentMin;
    return static_cast<int>(std::lround(std::min<double>(Percent, DialogPercentMax)));
}

} // namespace

void ScaleDialogForm(TFormPlacement& Form)
{
    if (!ScaleSize(Form)) return;
    const TScreenInfo s = winutil.QueryScreen();
    Form.Left = s.WindowLeft + std::max(0, (s.WindowWidth - Form.Width) / 2);
    Form.Top = s.WindowTop + std::max(0, (s.WindowHeight - Form.Height) / 2) + 20;
    KeepOnScreen(Form, s);
    ScaleContents(Form);
}

void ScaleFormAt(TFormPlacement& Form)
{
    if (!ScaleSize(Form)) return;
    Form.Left = winutil.SavedWindowLeft;
    Form.Top = winutil.SavedWindowTop;
    ScaleContents(Form);
}

void ScaleFormOnly(TFormPlacement& Form)
{
    if (!ScaleSize(Form)) return;
    ScaleContents(Form);
}

void SizeMainWindow()
{
    auto& window = platform::CurrentPlatform().MainWindow();
    // Until a configuration or the screen rules give the pixel counts, the
    // classic 640 x 480 picture.
    const int w = telmvar.ScreenPixelsX > 0 ? telmvar.ScreenPixelsX : 640;
    const int h = telmvar.ScreenPixelsY > 0 ? telmvar.ScreenPixelsY : 480;
    window.SetClientSize(w + 1, h + 1);
    // A hint stays for 100 s, long enough to read a long hint and the help
    // number at its end.
    window.SetHintHidePause(100000);
}

void ToggleUnitSystem()
{
    wtelmvar.UnitSystem = wtelmvar.UnitSystem == 1 ? 0 : 1;
}

void GetFileVersionText(const std::string& FileName, std::string& Text)
{
    const bool own = FileName.find_first_not_of(' ') == std::string::npos;
    Text = ::GetFileVersionText(own ? "W" + telmvar.ProgramFileStem + ".exe" : FileName);
}

void GetEnvironmentText(const std::string& Name, std::string& Text)
{
    const char* value = std::getenv(Name.c_str());
    Text = value ? std::string(value).substr(0, 255) : std::string();
}

int AutoScreenPercent(const TScreenInfo& s)
{
    return HeldPercent(WindowFrameFactor(s) * s.DpiY / 96.0 * 100.0);
}

int AutoFontPercent(const TScreenInfo& s, int ScreenPercent)
{
    return HeldPercent(ScreenPercent / (WindowFrameFactor(s) * s.DpiX / 96.0 * 100.0) * 100.0);
}

int MaxClientWidth()
{
    const TScreenInfo s = winutil.QueryScreen();
    return s.ScreenWidth + s.ClientWidth - s.WindowWidth;
}

int MaxClientHeight()
{
    const TScreenInfo s = winutil.QueryScreen();
    return static_cast<int>(std::lround(s.ScreenHeight + 2.0 * (s.ClientHeight - s.WindowHeight)));
}
