#pragma once
// The graphics window on Qt. A paint event may not wait, open a dialog or
// let events through, and shows nothing before it returns, so the display
// list is replayed outside it into a backing image: pending events are
// handled every 50000 records, the image is shown at every pause so that an
// animation shows its frames, the step dialog opens from the replay, and the
// paint event only draws the image with the rubber band on top.

#include <QImage>
#include <QObject>
#include <memory>

class QPainter;

namespace platform
{
class MainWindowImplQt;
class PlatformQt;
class Canvas;
class CanvasImplQt;
} // namespace platform

class GraphWindowQt final
{
  public:
    // Binds FTelmgra to the main window's client area; the destructor
    // unbinds it.
    explicit GraphWindowQt(platform::MainWindowImplQt& window);
    ~GraphWindowQt();
    GraphWindowQt(const GraphWindowQt&) = delete;
    GraphWindowQt& operator=(const GraphWindowQt&) = delete;

    // Replays the display list into a new image of the client area's size
    // and shows it. A replay asked for while one runs follows it.
    void ReplayNow();
    // Asks for a replay once the current event is handled.
    void Schedule();
    // The image the window shows.
    const QImage& Picture() const { return shown_; }
    bool ReplayScheduled() const { return scheduled_; }

  private:
    void Paint(QPainter& painter);
    void Pause(int ms);
    // Between the frames of a recording: Escape or a close since the last
    // question, other input dropped.
    bool StopAsked();
    platform::Canvas* Immediate();
    void ImmediateDone();

    platform::MainWindowImplQt& window_;
    QImage image_; // being replayed into
    QImage shown_; // what the paint event draws
    bool scheduled_ = false;
    bool again_ = false;
    bool recording_ = false;           // inside StopAsked
    bool deferred_ = false;            // a replay came due meanwhile
    std::unique_ptr<QObject> context_; // owner of the queued replays
    std::unique_ptr<QPainter> immediatePainter_;
    std::unique_ptr<platform::CanvasImplQt> immediateCanvas_;
};

// Binds the graphics window to the Qt platform's main window, registers its
// forms and takes the pixel aspect of the screen. The binding must end
// before the platform does.
std::unique_ptr<GraphWindowQt> InstallGraphWindowQt(platform::PlatformQt& platform);
