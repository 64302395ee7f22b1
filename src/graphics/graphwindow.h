#pragma once
// TFtelmgra (unit telmgraf): the program's one graphics window, the client
// area of the main window. It draws nothing of its own: drawing code records
// through the drawing facade into the display list DisplayList, and every
// paint replays the whole list, so a picture can be zoomed, panned and
// printed without its drawing code running again. The window reads the list
// and never calls the facade.
//
// The window works over the current platform: its main Window for repaint
// requests and pending events, its Printer for the graphics printout, its
// DialogHost for the step dialog and its Cursor. A desktop back end binds the
// window's paint, mouse and key events to FormPaint, FormMouse and
// FormKeyDown and may replace the hooks below (the Qt back end replays into
// a backing image outside the paint event and shows the frames of an
// animation at its pauses). Without a back end the replay draws straight onto
// the canvas it is given and never sleeps.

#include "foundation/types.h"
#include "graphics/displaylist.h"
#include "graphics/graphmapping.h"
#include "platform/canvas.h"
#include "platform/window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Virtual key codes the zoom and pan keys arrive with.
namespace vk
{
inline constexpr uint16_t Escape = 27;
inline constexpr uint16_t PageUp = 33;
inline constexpr uint16_t PageDown = 34;
inline constexpr uint16_t Left = 37;
inline constexpr uint16_t Up = 38;
inline constexpr uint16_t Right = 39;
inline constexpr uint16_t Down = 40;
inline constexpr uint16_t Add = 107;      // numeric keypad +
inline constexpr uint16_t Subtract = 109; // numeric keypad -
inline constexpr uint16_t F5 = 116;
} // namespace vk

class TFtelmgra
{
  public:
    TFtelmgra();

    // Window fields.
    int32_t TextSizeMode = 0;
    bool Dragging = false;
    bool DoubleClicked = false;
    // Step-by-step replay: every erase-colour record stops in the step dialog.
    bool StepMode = false;

    // The window's creation: the mapping's start values and the fields above.
    void FormCreate();

    // --- Mapping (SetWindow, SetScale, the zoom and the limits are
    // graphmapping's) ---
    // RestoreLimit, a new unzoomed window of the unit square, and a repaint.
    void Regen();
    void SaveViewPort();
    void RetrieveViewPort();
    Extended EinX(Extended f) const;
    Extended EinY(Extended f) const;
    // Screen mapping of a point and of lengths.
    int32_t ScreenX(Extended x) const;
    int32_t ScreenY(Extended y) const;
    int32_t ScreenLengthX(Extended l) const;
    int32_t ScreenLengthY(Extended l) const;

    // --- Picture ---
    // Asks for a repaint: the next paint replays the list as it is then.
    void Repaint();
    // Hourglass cursor and a repaint with the list kept.
    void ClearViewPort();
    // Drawn at once on the window (not recorded; the next paint erases it).
    void MoveTo(Extended x, Extended y);
    void LineTo(Extended x, Extended y);
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // 1 for angles in [45, 135), [225, 315) or [-135, -45): text there reads
    // better turned upright.
    static int GetDirection(Extended angle);
    void SetTextSizeMode(int32_t m) { TextSizeMode = m; }
    void SetWaitCursor();
    void SetOldCursor();

    // --- Replay and events ---
    // Replays the display list onto the window's canvas and, while
    // GraphPrintMode is set, onto the printer's page as well.
    void FormPaint(platform::Canvas& canvas);
    // The graphics printout: one page holding the picture. False (with
    // Aborted) when no printer takes the document or its file could not be
    // written: a message has said why, unless the user cancelled the
    // question where to print.
    bool PrintPicture(const std::string& title);
    void FormMouse(const platform::MouseEvent& event);
    void FormMouseDown(platform::MouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(platform::MouseButton button, int x, int y);
    void FormDblClick();
    void FormKeyDown(const platform::KeyEvent& event);
    void processKey(uint16_t key);
    // The window is going away: a replay in progress stops at its next
    // event round.
    void FormClose() { ++closeCount_; }
    bool Replaying() const { return replaying_; }
    // Asked between the frames of an animation being recorded: has the user
    // pressed Escape or closed the window since the last question?
    bool StopAsked() { return OnStopAsked && OnStopAsked(); }

    // --- Hooks of the desktop back end (defaults: the current platform) ---
    // Asks for a repaint (default: the main window's Invalidate).
    std::function<void()> OnRepaint;
    // Lets the user interface handle its pending messages (default: the main
    // window's ProcessPendingEvents).
    std::function<void()> OnPendingEvents;
    // A kind-13 pause: show what was drawn so far, wait (default: nothing,
    // as a run without a display does not wait).
    std::function<void(int32_t ms)> OnPause;
    // Shows what was drawn so far while the step dialog of an animation waits
    // (default: nothing, as a run without a display shows nothing).
    std::function<void()> OnShowFrame;
    // Answers StopAsked. It lets the window repaint but hands it no other
    // input, so no command starts while a drawing is still being recorded
    // (default: nothing, as a run without a display has no user to ask).
    std::function<bool()> OnStopAsked;
    // Canvas for drawing at once (MoveTo, LineTo, DrawRectangle); none by
    // default. OnImmediateDone runs after such a drawing.
    std::function<platform::Canvas*()> ImmediateCanvas;
    std::function<void()> OnImmediateDone;

  private:
    // One replay of the display list (FormPaint); it reads and sets the
    // replay fields below.
    struct TReplay;

    void PendingEvents();
    platform::Canvas* Immediate();

    uint64_t closeCount_ = 0;
    bool replaying_ = false;
    bool repaintAgain_ = false;
    // An animation is being replayed (a pause was reached), and Escape ends
    // it at its next pause.
    bool pausedOnce_ = false;
    bool stopAtPause_ = false;
    Extended penX_ = 0;
    Extended penY_ = 0;
};

extern TFtelmgra FTelmgra;

// Back to the start-up state: graphics mapping, the window's fields and
// hooks, an empty display list.
void ResetGraphWindow();
