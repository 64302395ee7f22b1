// Note and progress windows against a recording window.

#include "xbase/ui/messagewindows.h"

#include "platform/notewindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace
{

struct TNoteLog {
    std::vector<platform::NoteRect> Placed;
    std::vector<bool> Captioned;
    std::vector<std::string> Texts;
};

// 10 pixels per character, 20 high; caption bar 25; caption font 12 per
// character; a 1000 x 800 screen.
class RecordingNote final : public platform::NoteWindow
{
  public:
    RecordingNote(TNoteLog& log, std::optional<platform::NoteRect> owner) : log_(log), owner_(owner) {}
    platform::NoteExtent MeasureText(const std::string& text) override
    {
        return {static_cast<int>(text.size()) * 10, 20};
    }
    int MeasureCaption(const std::string& caption) override { return static_cast<int>(caption.size()) * 12; }
    int CaptionHeight() override { return 25; }
    std::optional<platform::NoteRect> OwnerBounds() override { return owner_; }
    platform::NoteRect ScreenBounds() override { return {0, 0, 1000, 800}; }
    void Place(const platform::NoteRect& bounds, bool captioned, const std::string&) override
    {
        log_.Placed.push_back(bounds);
        log_.Captioned.push_back(captioned);
    }
    void SetText(const std::string& text) override { log_.Texts.push_back(text); }

  private:
    TNoteLog& log_;
    std::optional<platform::NoteRect> owner_;
};

std::unique_ptr<platform::NoteWindow> Note(TNoteLog& log,
                                           std::optional<platform::NoteRect> owner = std::nullopt)
{
    return std::make_unique<RecordingNote>(log, owner);
}

TEST(TzMsg, CreatedHiddenBorderlessAndEmpty)
{
    TNoteLog log;
    TTzMsg msg(Note(log));
    EXPECT_FALSE(msg.Visible);
    EXPECT_EQ(msg.Width, 0);
    EXPECT_EQ(msg.Height, 0);
    EXPECT_EQ(msg.BorderStyle, TNoteBorderStyle::None);
    EXPECT_TRUE(msg.AlwaysOnTop);
    EXPECT_EQ(msg.Message(), "");
    EXPECT_EQ(TTzMsg::Colour, 0xFFFF00u);
    EXPECT_TRUE(log.Placed.empty());
}

TEST(TzMsg, WithoutActiveFormCentresOnTheScreen)
{
    TNoteLog log;
    TTzMsg msg(Note(log));
    msg.ShowMsg("Packing"); // 70 + 30 wide, 20 + 30 high
    EXPECT_TRUE(msg.Visible);
    EXPECT_EQ(msg.Width, 100);
    EXPECT_EQ(msg.Height, 50);
    EXPECT_EQ(msg.Left, (1000 - 100) / 2);
    EXPECT_EQ(msg.Top, (800 - 50) / 2);
    EXPECT_TRUE(msg.FramePanelVisible);
    ASSERT_EQ(log.Placed.size(), 1u);
    EXPECT_FALSE(log.Captioned[0]);
    EXPECT_EQ(log.Texts.back(), "Packing");
    EXPECT_EQ(msg.TextPanelCaption, "Packing");
}

TEST(TzMsg, CentresOnTheActiveForm)
{
    TNoteLog log;
    TTzMsg msg(Note(log, platform::NoteRect{100, 200, 401, 301}));
    msg.ShowMsg("abc"); // 60 x 50
    EXPECT_EQ(msg.Left, 100 + (401 - 60) / 2);
    EXPECT_EQ(msg.Top, 200 + (301 - 50) / 2);
}

TEST(TzMsg, ShorterTextKeepsTheSize)
{
    TNoteLog log;
    TTzMsg msg(Note(log));
    msg.ShowMsg("a long message text");
    const int width = msg.Width;
    const int left = msg.Left;
    msg.ShowMsg("short");
    EXPECT_EQ(msg.Width, width);
    EXPECT_EQ(msg.Left, left);
    EXPECT_EQ(log.Placed.size(), 1u); // not placed again
    EXPECT_EQ(log.Texts.back(), "short");
    EXPECT_EQ(msg.Message(), "short");
    msg.ShowMsg("an even longer message text");
    EXPECT_EQ(log.Placed.size(), 2u);
    EXPECT_EQ(msg.Width, 27 * 10 + 30);
}

TEST(TzProgress100, TitledWindowShowsAFullBar)
{
    TNoteLog log;
    TTzProgress100 progress("Appending...", Note(log));
    EXPECT_EQ(progress.Caption(), "Appending...");
    EXPECT_EQ(progress.Bar(), std::string(100, '|'));
    EXPECT_EQ(progress.BorderStyle, TNoteBorderStyle::Dialog);
    EXPECT_FALSE(progress.FramePanelVisible);
    // 100 ticks: 1000 + 30 wide; 20 + 30 + caption bar 25 high.
    EXPECT_EQ(progress.Width, 1030);
    EXPECT_EQ(progress.Height, 75);
    ASSERT_EQ(log.Captioned.size(), 1u);
    EXPECT_TRUE(log.Captioned[0]);
}

TEST(TzProgress100, DefaultTitleIsProgress)
{
    TNoteLog log;
    TTzProgress100 progress(Note(log));
    EXPECT_EQ(progress.Caption(), "Progress");
}

TEST(TzProgress100, HundredStepsEmptyTheBarAndTheNextRefillsIt)
{
    TNoteLog log;
    TTzProgress100 progress("Indexing PARTS.NDX...", Note(log));
    progress.Step();
    EXPECT_EQ(progress.Bar().size(), 99u);
    for (int i = 2; i <= 100; ++i)
        progress.Step();
    EXPECT_EQ(progress.Bar(), "");
    EXPECT_EQ(log.Texts.back(), "");
    progress.Step();
    EXPECT_EQ(progress.Bar(), std::string(100, '|'));
    // The window never shrank while the bar did.
    EXPECT_EQ(log.Placed.size(), 1u);
}

TEST(TzProgress100, WideCaptionWidensTheWindow)
{
    TNoteLog log;
    TTzProgress100 progress(std::string(100, 'W'), Note(log)); // caption 1200 wide
    EXPECT_EQ(progress.Width, 1200);
}

TEST(TzMsg, HeadlessNotesAreSilentUnlessAsked)
{
    std::ostringstream out;
    platform::SetNoteWindowFactory(nullptr);
    {
        TTzProgress100 silent("Reading from disk...");
        silent.Step();
    }
    std::ostream* previous = platform::SetHeadlessNoteEcho(&out);
    {
        TTzMsg note;
        note.ShowMsg("Writing to disk...");
    }
    platform::SetHeadlessNoteEcho(previous);
    EXPECT_EQ(out.str(), "Writing to disk...\n");
}

} // namespace
