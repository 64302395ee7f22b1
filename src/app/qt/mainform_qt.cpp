#include "app/qt/mainform_qt.h"

#include "foundation/telmvar.h"
#include "platform/qt/platform_qt.h"

void OpenMainForm(platform::PlatformQt& platform)
{
    auto& window = platform.QtMainWindow();
    window.SetTitle(telmvar.ProgramTitle);
    // The drawing area holds the configured pixel counts plus one; until a
    // configuration gives them, the classic 640 x 480 picture.
    int w = telmvar.ScreenPixelsX > 0 ? telmvar.ScreenPixelsX : 640;
    int h = telmvar.ScreenPixelsY > 0 ? telmvar.ScreenPixelsY : 480;
    window.SetClientSize(w + 1, h + 1);
    window.Show();
}
