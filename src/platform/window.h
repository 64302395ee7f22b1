#pragma once
// The program's window: a client area it paints through a Canvas, a title,
// and the mouse and key events the graphics window reacts to (zoom by rubber
// band, pan and zoom keys). Events are plain structs handed to std::function
// members; a window with no handler ignores the event.

#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/menu.h"

namespace platform
{

enum class MouseButton { None, Left, Right, Middle };
enum class MouseAction { Press, Release, Move, DoubleClick };

struct KeyModifiers {
    bool Shift = false;
    bool Control = false;
    bool Alt = false;
};

struct MouseEvent {
    MouseAction Action = MouseAction::Move;
    MouseButton Button = MouseButton::None;
    int X = 0; // client pixels, y downwards
    int Y = 0;
    KeyModifiers Modifiers;
};

// Keys the program binds; everything else arrives as a character.
enum class Key {
    None,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Insert,
    Delete,
    Enter,
    Escape,
    Plus,
    Minus,
    F1,
    F5
};

struct KeyEvent {
    Key KeyCode = Key::None;
    std::string Text; // the character typed (Windows-1252), empty for named keys
    KeyModifiers Modifiers;
};

struct ResizeEvent {
    int Width = 0;
    int Height = 0;
};

class Window
{
  public:
    virtual ~Window() = default;

    virtual void SetTitle(const std::string& title) = 0;
    // The program's text followed by a file name as the file system has it,
    // each shown in its own way (a name in any script shows whole). Without
    // a screen the two are kept side by side as bytes.
    virtual void SetTitleWithFileName(const std::string& title, const std::string& fileName)
    {
        SetTitle(title + fileName);
    }
    virtual std::string Title() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void SetClientSize(int width, int height) = 0;
    // Asks for a repaint: OnPaint runs later with the window's canvas.
    virtual void Invalidate() = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
    // Lets the user interface handle what is pending (a long drawing or an
    // animation stays responsive between its steps).
    virtual void ProcessPendingEvents() = 0;

    // The menu bar, replaced whole. A window without a menu bar of its own
    // (the headless one) only keeps the description for MenuBar().
    virtual void SetMenuBar(const MenuBarSpec& spec) { menuBar_ = spec; }
    const MenuBarSpec& MenuBar() const { return menuBar_; }

    // How long a control's hint stays up, in milliseconds, for every window
    // of the program (0: the toolkit's own time).
    virtual void SetHintHidePause(int milliseconds) { hintHidePause_ = milliseconds; }
    int HintHidePause() const { return hintHidePause_; }

    std::function<void(Canvas&)> OnPaint;
    std::function<void(const MouseEvent&)> OnMouse;
    std::function<void(const KeyEvent&)> OnKey;
    std::function<void(const ResizeEvent&)> OnResize;
    // Asked before the window closes; false keeps it open.
    std::function<bool()> OnCloseQuery;
    // A menu item was chosen, by its name.
    std::function<void(const std::string&)> OnMenuCommand;

  protected:
    MenuBarSpec menuBar_;
    int hintHidePause_ = 0;
};

} // namespace platform
