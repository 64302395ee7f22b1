#include "app/qt/mainform_qt.h"

#include "app/configio.h"
#include "app/windowplacement.h"
#include "dialogs/messageboxes.h"
#include "platform/qt/platform_qt.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>

void InstallQtScreenInfo(platform::PlatformQt& platform)
{
    winutil.QueryScreen = [&platform] {
        TScreenInfo info;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            info.ScreenLeft = area.left();
            info.ScreenTop = area.top();
            info.ScreenWidth = area.width();
            info.ScreenHeight = area.height();
            info.DpiX = static_cast<int>(screen->logicalDotsPerInchX());
            info.DpiY = static_cast<int>(screen->logicalDotsPerInchY());
        }
        auto& window = platform.QtMainWindow();
        const QWidget& shell = window.Widget();
        const QRect frame = shell.frameGeometry();
        info.WindowLeft = frame.left();
        info.WindowTop = frame.top();
        info.ClientWidth = window.ClientArea().width();
        info.ClientHeight = window.ClientArea().height();
        if (shell.isVisible()) {
            // The outer frame as the window manager drew it: caption, menu
            // bar and border around the client area.
            info.WindowWidth = frame.width();
            info.WindowHeight = frame.height();
            // A window manager that draws no caption (or a thin one) still
            // counts the usual caption: the frame factor is the window's
            // menu and frame over the design's, and a factor below 1 would
            // make every dialog smaller than its controls.
            const QRect inner = shell.geometry();
            const int caption = inner.top() - frame.top();
            info.CaptionHeight = std::max(caption, info.CaptionHeight);
            info.WindowHeight += info.CaptionHeight - caption;
            if (inner.left() > frame.left()) info.BorderWidth = inner.left() - frame.left();
        } else {
            // Before the window is first shown neither its frame nor its
            // client area is laid out: the usual border and caption with
            // menu, so that the frame factor comes out as designed.
            info.WindowWidth = info.ClientWidth + 8;
            info.WindowHeight = info.ClientHeight + 46;
        }
        return info;
    };
}

namespace
{

// Once the main window is on screen and framed, the "Auto" dialog size is
// taken again from its real frame; the start had only guessed the frame.
class AutoDialogSizeOnExpose final : public QObject
{
  public:
    explicit AutoDialogSizeOnExpose(QWindow* window) : QObject(window) { window->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            ApplyAutoDialogSize();
            window->removeEventFilter(this);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void OpenMainForm(platform::PlatformQt& platform)
{
    auto& window = platform.QtMainWindow();
    // Sized and captioned on this window whichever platform is current.
    platform::ScopedPlatform scope(platform);
    SizeMainWindow();
    UpdateAppTitle();
    window.Widget().move(0, 0);
    window.Widget().winId(); // the native window, to watch its first exposure
    new AutoDialogSizeOnExpose(window.Widget().windowHandle());
    window.Show();
}
