#include "xbase/ui/messagewindows.h"

#include <algorithm>
#include <utility>

namespace
{

const std::string FullBar(100, '|');

} // namespace

TTzMsg::TTzMsg(std::unique_ptr<platform::NoteWindow> window) : window_(std::move(window))
{
    if (!window_) window_ = platform::CreateNoteWindow();
    ownerForm_ = window_->OwnerBounds();
}

void TTzMsg::ShowMsg(const std::string& text)
{
    message_ = text;
    const platform::NoteExtent extent = window_->MeasureText(text);
    const int width = extent.Width + 30;
    const int height = extent.Height + 30;

    bool changed = false;
    const TNoteBorderStyle wanted = caption_.empty() ? TNoteBorderStyle::None : TNoteBorderStyle::Dialog;
    if (BorderStyle != wanted) {
        BorderStyle = wanted;
        changed = true;
    }
    int extraHeight = 0;
    int captionWidth = 0;
    if (BorderStyle == TNoteBorderStyle::Dialog) {
        extraHeight = window_->CaptionHeight();
        captionWidth = window_->MeasureCaption(caption_);
        FramePanelVisible = false;
    } else {
        FramePanelVisible = true;
    }
    const int newHeight = height + extraHeight;
    const int newWidth = std::max(width, captionWidth);

    // The window only grows, so a run of shorter messages does not make it
    // jump about the screen.
    if (newWidth > Width || newHeight > Height || changed) {
        Width = newWidth;
        Height = newHeight;
        const platform::NoteRect around = ownerForm_ ? *ownerForm_ : window_->ScreenBounds();
        Left = around.Left + (around.Width - Width) / 2;
        Top = around.Top + (around.Height - Height) / 2;
        window_->Place(platform::NoteRect{Left, Top, Width, Height}, BorderStyle == TNoteBorderStyle::Dialog,
                       caption_);
        Visible = true;
    }
    TextPanelCaption = text;
    window_->SetText(text);
}

TTzProgress100::TTzProgress100(std::unique_ptr<platform::NoteWindow> window)
    : TTzProgress100("Progress", std::move(window))
{
}

TTzProgress100::TTzProgress100(const std::string& title, std::unique_ptr<platform::NoteWindow> window)
    : TTzMsg(std::move(window))
{
    SetCaption(title);
    bar_ = FullBar;
    ShowMsg(bar_);
}

void TTzProgress100::Step()
{
    if (bar_.empty())
        bar_ = FullBar;
    else
        bar_.erase(0, 1);
    ShowMsg(bar_);
}
