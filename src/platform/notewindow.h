#pragma once
// A small note window that tells the user what a long operation is doing
// without stopping it: always on top, never modal, one line of text, with or
// without a caption. The table library shows its progress bars in it.
//
// A back end measures texts in its own fonts, places the window and lets the
// screen update after each change. The headless one has no screen: it stays
// silent unless asked to echo the notes to a stream (stderr in a batch run).

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace platform
{

struct NoteRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct NoteExtent {
    int Width = 0;
    int Height = 0;
};

class NoteWindow
{
  public:
    virtual ~NoteWindow() = default;
    // Size of a text in the window's own font.
    virtual NoteExtent MeasureText(const std::string& text) = 0;
    // Width of a caption in the system's caption font.
    virtual int MeasureCaption(const std::string& caption) = 0;
    // Height the window's caption bar adds.
    virtual int CaptionHeight() = 0;
    // The form that was active when the note was created, if any.
    virtual std::optional<NoteRect> OwnerBounds() = 0;
    virtual NoteRect ScreenBounds() = 0;
    // Sets position, size and style (captioned: a dialog frame with the
    // caption; otherwise borderless) and shows the window.
    virtual void Place(const NoteRect& bounds, bool captioned, const std::string& caption) = 0;
    // Shows the text and lets the screen update while the caller goes on.
    virtual void SetText(const std::string& text) = 0;
};

using NoteWindowFactory = std::function<std::unique_ptr<NoteWindow>()>;

// A new note window of the current back end (headless until a GUI installs
// its factory).
std::unique_ptr<NoteWindow> CreateNoteWindow();
// Installs a factory; an empty one goes back to the headless notes. Returns
// the previous factory.
NoteWindowFactory SetNoteWindowFactory(NoteWindowFactory factory);
// Where headless notes are echoed: nullptr (the default) keeps them silent;
// a batch run that wants to follow progress passes &std::cerr.
std::ostream* SetHeadlessNoteEcho(std::ostream* stream);

} // namespace platform
