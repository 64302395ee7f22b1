#include "graphics/qt/graphwindow_qt.h"

#include "graphics/graphmapping.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "graphics/qt/anistep_qt.h"
#include "platform/qt/canvas_qt.h"
#include "platform/qt/platform_qt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace
{

// The main window closed (hidden by the program, not minimised): a replay
// letting events through stops at its next round instead of drawing on.
class CloseWatch final : public QObject
{
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous()) FTelmgra.FormClose();
        return QObject::eventFilter(watched, event);
    }
};

// Installed on the application while a recording lets events through: the
// windows repaint, but no input reaches them, so no command can start in the
// middle. Escape, or closing a window, asks the recording to stop; the close
// is handed on once the recording has ended.
class RecordingGate final : public QObject
{
  public:
    bool stop = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            stop = stop || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
            event->accept(); // taken here: no shortcut runs either
            return true;
        case QEvent::Close: {
            stop = true;
            event->ignore();
            // Repeated later from the application: a call queued on the
            // native window of a widget would be handed to the widget.
            QPointer<QObject> closing = watched;
            QTimer::singleShot(0, QCoreApplication::instance(), [closing] {
                if (auto* widget = qobject_cast<QWidget*>(closing.data()))
                    widget->close();
                else if (auto* window = qobject_cast<QWindow*>(closing.data()))
                    window->close();
            });
            return true;
        }
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
            return true;
        default:
            return false;
        }
    }
};

QColor BackgroundQColor()
{
    const auto c = platform::Colour::FromBgr(graphsettings.BackgroundColour);
    return QColor(c.Red, c.Green, c.Blue);
}

} // namespace

GraphWindowQt::GraphWindowQt(platform::MainWindowImplQt& window)
    : window_(window), context_(std::make_unique<QObject>())
{
    FTelmgra.OnRepaint = [this] { Schedule(); };
    FTelmgra.OnPendingEvents = [] { QCoreApplication::processEvents(); };
    FTelmgra.OnPause = [this](int32_t ms) { Pause(ms); };
    FTelmgra.OnShowFrame = [this] { Pause(0); };
    FTelmgra.OnStopAsked = [this] { return StopAsked(); };
    FTelmgra.ImmediateCanvas = [this] { return Immediate(); };
    FTelmgra.OnImmediateDone = [this] { ImmediateDone(); };
    window_.PaintPicture = [this](QPainter& p) { Paint(p); };
    window_.OnMouse = [](const platform::MouseEvent& e) { FTelmgra.FormMouse(e); };
    window_.OnKey = [](const platform::KeyEvent& e) { FTelmgra.FormKeyDown(e); };
    window_.OnResize = [this](const platform::ResizeEvent&) { Schedule(); };
    window_.Widget().installEventFilter(new CloseWatch(context_.get()));
    Schedule();
}

GraphWindowQt::~GraphWindowQt()
{
    ImmediateDone();
    FTelmgra.FormClose();
    FTelmgra.OnRepaint = nullptr;
    FTelmgra.OnPendingEvents = nullptr;
    FTelmgra.OnPause = nullptr;
    FTelmgra.OnShowFrame = nullptr;
    FTelmgra.OnStopAsked = nullptr;
    FTelmgra.ImmediateCanvas = nullptr;
    FTelmgra.OnImmediateDone = nullptr;
    window_.PaintPicture = nullptr;
    window_.OnMouse = nullptr;
    window_.OnKey = nullptr;
    window_.OnResize = nullptr;
}

void GraphWindowQt::Schedule()
{
    window_.ClientArea().update();
    if (scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, context_.get(), [this] {
        scheduled_ = false;
        ReplayNow();
    });
}

void GraphWindowQt::ReplayNow()
{
    if (FTelmgra.Replaying()) {
        again_ = true;
        return;
    }
    // A replay now would play the frames recorded so far: it waits until
    // the recording has ended.
    if (recording_) {
        deferred_ = true;
        return;
    }
    ImmediateDone();
    QSize size = window_.ClientArea().size();
    if (size.width() < 1 || size.height() < 1) size = QSize(DrawAreaPixelsX() + 1, DrawAreaPixelsY() + 1);
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(BackgroundQColor());
    {
        QPainter painter(&image_);
        platform::CanvasImplQt canvas(painter);
        FTelmgra.FormPaint(canvas);
    }
    shown_ = image_;
    window_.ClientArea().update();
    if (again_) {
        again_ = false;
        Schedule();
    }
}

void GraphWindowQt::Paint(QPainter& painter)
{
    if (shown_.isNull())
        painter.fillRect(window_.ClientArea().rect(), BackgroundQColor());
    else
        painter.drawImage(0, 0, shown_);
    if (FTelmgra.Dragging) {
        // The band inverts what lies under it, so it shows on any colour.
        const auto& m = graphmapping;
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(m.RubberStart.X, m.RubberStart.Y), QPoint(m.RubberEnd.X, m.RubberEnd.Y))
                             .normalized());
    }
}

void GraphWindowQt::Pause(int ms)
{
    // Show the frame drawn so far, then wait with the user interface awake.
    shown_ = image_.copy();
    window_.ClientArea().repaint();
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool GraphWindowQt::StopAsked()
{
    RecordingGate gate;
    recording_ = true;
    QCoreApplication::instance()->installEventFilter(&gate);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&gate);
    recording_ = false;
    if (deferred_) {
        deferred_ = false;
        Schedule();
    }
    return gate.stop;
}

platform::Canvas* GraphWindowQt::Immediate()
{
    // The band of a drag is painted over the image by the paint event; other
    // at-once drawing goes onto the shown image until the next replay.
    if (FTelmgra.Dragging || shown_.isNull() || FTelmgra.Replaying()) return nullptr;
    if (!immediatePainter_) {
        immediatePainter_ = std::make_unique<QPainter>(&shown_);
        immediateCanvas_ = std::make_unique<platform::CanvasImplQt>(*immediatePainter_);
    }
    return immediateCanvas_.get();
}

void GraphWindowQt::ImmediateDone()
{
    immediateCanvas_.reset();
    if (immediatePainter_) {
        immediatePainter_->end();
        immediatePainter_.reset();
    }
    window_.ClientArea().update();
}

std::unique_ptr<GraphWindowQt> InstallGraphWindowQt(platform::PlatformQt& platform)
{
    RegisterAnimationStepForm(platform.QtDialogs());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Width over height of one pixel; a screen that reports nothing
        // sensible keeps square pixels.
        const double dx = screen->physicalDotsPerInchX();
        const double dy = screen->physicalDotsPerInchY();
        if (dx > 1 && dy > 1) graphmapping.PixelAspect = dy / dx;
    }
    return std::make_unique<GraphWindowQt>(platform.QtMainWindow());
}
