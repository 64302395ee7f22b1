#include "app/qt/mainform_qt.h"

#include "app/windowplacement.h"
#include "dialogs/messageboxes.h"
#include "platform/qt/platform_qt.h"

#include <QGuiApplication>
#include <QScreen>

void InstallQtScreenInfo(platform::PlatformQt& platform)
{
    winutil.QueryScreen = [&platform] {
        TScreenInfo info;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            info.ScreenWidth = area.width();
            info.ScreenHeight = area.height();
            info.DpiX = static_cast<int>(screen->logicalDotsPerInchX());
            info.DpiY = static_cast<int>(screen->logicalDotsPerInchY());
        }
        auto& window = platform.QtMainWindow();
        const QRect frame = window.Widget().frameGeometry();
        info.WindowLeft = frame.left();
        info.WindowTop = frame.top();
        info.ClientWidth = window.ClientArea().width();
        info.ClientHeight = window.ClientArea().height();
        // Before the window is first shown the frame is not known yet: the
        // usual border and caption with menu.
        info.WindowWidth = frame.width() > info.ClientWidth ? frame.width() : info.ClientWidth + 8;
        info.WindowHeight = frame.height() > info.ClientHeight ? frame.height() : info.ClientHeight + 46;
        return info;
    };
}

void OpenMainForm(platform::PlatformQt& platform)
{
    auto& window = platform.QtMainWindow();
    // Sized and captioned on this window whichever platform is current.
    platform::ScopedPlatform scope(platform);
    SizeMainWindow();
    UpdateAppTitle();
    window.Widget().move(0, 0);
    window.Show();
}
