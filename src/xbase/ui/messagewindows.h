#pragma once
// The table library's note windows: TTzMsg shows one line in a borderless
// yellow note that grows to fit it; TTzProgress100 adds a caption and a bar
// of 100 ticks that shrinks by one tick per step. Both only inform: they never
// wait for the user. The window itself belongs to the platform back end.

#include "platform/notewindow.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum class TNoteBorderStyle { None, Dialog };

class TTzMsg
{
  public:
    // The note is created hidden, without border, 0 x 0, yellow, and
    // remembers the form that is active now.
    explicit TTzMsg(std::unique_ptr<platform::NoteWindow> window = platform::CreateNoteWindow());
    virtual ~TTzMsg() = default;
    TTzMsg(const TTzMsg&) = delete;
    TTzMsg& operator=(const TTzMsg&) = delete;

    void ShowMsg(const std::string& text);

    const std::string& Message() const { return message_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    const std::optional<platform::NoteRect>& OwnerForm() const { return ownerForm_; }

    // The window's state as the note keeps it.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
    bool AlwaysOnTop = true;
    TNoteBorderStyle BorderStyle = TNoteBorderStyle::None;
    bool FramePanelVisible = true;
    std::string TextPanelCaption;
    static constexpr uint32_t Colour = 0xFFFF00; // yellow: red 255, green 255, blue 0

  private:
    std::unique_ptr<platform::NoteWindow> window_;
    std::string message_;
    std::string caption_;
    std::optional<platform::NoteRect> ownerForm_;
};

class TTzProgress100 : public TTzMsg
{
  public:
    // Titled "Progress".
    explicit TTzProgress100(std::unique_ptr<platform::NoteWindow> window = platform::CreateNoteWindow());
    TTzProgress100(const std::string& title,
                   std::unique_ptr<platform::NoteWindow> window = platform::CreateNoteWindow());

    // One tick less; an empty bar starts again with 100 ticks.
    void Step();
    const std::string& Bar() const { return bar_; }

  private:
    std::string bar_;
};
