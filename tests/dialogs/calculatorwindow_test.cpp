// The online input: line buffers, recency order, one pass of the window with
// its keys and buttons, and the session that always switches message boxes
// on again. The user is played by scripts on the headless dialog host.
#include "common/askedboxes.h"
#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/messageboxes.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

namespace
{

class Online : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        telmvar.PltDir = "/nonexistent-qyr7-help";
    }
    // Plays one pass: act on the form, then the key or button that ends it.
    void Pass(std::function<DialogAction(TForm_online&)> act)
    {
        hp.HeadlessDialogs().QueueScript([act](DialogModel& m) {
            const DialogAction a = act(static_cast<TForm_online&>(m));
            return a == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
        });
    }
    std::vector<int> Recency()
    {
        std::vector<int> v;
        for (int i = 1; i <= 12; ++i)
            v.push_back(vonline3.OnlineLineNo[i]);
        return v;
    }

    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
};

TEST_F(Online, InitAndEnd)
{
    AddErrorMessage("Warning: old");
    vonline3.OnlineLineState[2] = 3;
    OnlineInit("Hardness conversion", 4, 6);
    EXPECT_EQ(vonline3.OnlineLineCount, 4);
    EXPECT_EQ(vonline3.OnlineOutCount, 6);
    EXPECT_EQ(vonline3.OnlineTitle, "Hardness conversion");
    EXPECT_FALSE(telmvar.MessagesEnabled);
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_EQ(Recency(), std::vector<int>(12, 12));
    EXPECT_EQ(vonline3.OnlineLineState[2], 0);
    telmvar.Aborted = true;
    OnlineEnd();
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(Online, ReorderMovesTheLinesBetween)
{
    struct Case {
        std::vector<int> before;
        int line, recency;
        std::vector<int> after;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3, 1, {2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {{12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
         5,
         1,
         {12, 12, 12, 12, 1, 12, 12, 12, 12, 12, 12, 12}},
        {{2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3, 1, {2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12, 2, {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}},
    };
    for (const Case& c : cases) {
        for (int i = 1; i <= 12; ++i)
            vonline3.OnlineLineNo[i] = static_cast<uint8_t>(c.before[i - 1]);
        OnlineReorder(static_cast<uint16_t>(c.line), static_cast<uint8_t>(c.recency));
        EXPECT_EQ(Recency(), c.after) << "line " << c.line;
    }
}

TEST_F(Online, DownOnTheLastLineStaysThere)
{
    OnlineInit("t", 4, 2);
    Pass([](TForm_online& f) { return f.KeyDown(4, OnlineKeyDown); });
    uint16_t line = 4;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(line, 4);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(vonline3.OnlineLastKey, 0);
    EXPECT_FALSE(telmvar.Aborted);
    int shownOn = 0;
    Pass([&](TForm_online& f) {
        shownOn = f.CurrentLine;
        return f.KeyDown(f.CurrentLine, OnlineKeyEnter);
    });
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(shownOn, 4);
}

TEST_F(Online, TypingInLineThreeThenDown)
{
    OnlineInit("t", 5, 2);
    vonline3.OnlineInValue[3] = "200";
    std::string shown;
    Pass([&](TForm_online& f) {
        shown = f.Control("ed_3").Text;
        f.Control("ed_3").Text = "250";
        f.Changed("ed_3");
        return f.KeyDown(3, OnlineKeyDown);
    });
    uint16_t line = 1;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(shown, "200");
    EXPECT_EQ(line, 3) << "the calculator computes from the line typed in";
    EXPECT_EQ(vonline3.OnlineInValue[3], "250");
    EXPECT_EQ(vonline3.OnlineLineNo[3], 1);
    EXPECT_EQ(vonline3.OnlineLastKey, OnlineKeyDown);
    int shownOn = 0;
    Pass([&](TForm_online& f) {
        shownOn = f.CurrentLine;
        return f.KeyDown(f.CurrentLine, OnlineKeyUp);
    });
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(shownOn, 4) << "the next pass starts on the line below";
    EXPECT_EQ(line, 4) << "Up from 4: the line left is 4";
    EXPECT_EQ(vonline3.OnlineLastKey, OnlineKeyUp);
    EXPECT_EQ(vonline3.OnlineLineNo[4], 1);
    EXPECT_EQ(vonline3.OnlineLineNo[3], 2);
}

TEST_F(Online, EscapeAndCloseEndTheCalculator)
{
    struct Case {
        const char* how;
        bool readBack;
    } cases[] = {{"Escape", false}, {"Button_close", true}};
    for (const Case& c : cases) {
        OnlineInit("t", 2, 2);
        vonline3.OnlineInValue[1] = "1";
        Pass([&](TForm_online& f) {
            f.Control("ed_1").Text = "9";
            f.Left = 140;
            return f.Press(c.how);
        });
        uint16_t line = 1;
        uint8_t flag = 0;
        OnlineRun(line, 4100, flag);
        EXPECT_TRUE(telmvar.Aborted) << c.how;
        EXPECT_EQ(vonline3.OnlineInValue[1], c.readBack ? "9" : "1") << c.how;
        EXPECT_EQ(vonline3.OnlineLeft, 140) << c.how;
    }
}

TEST_F(Online, ButtonsOfAPass)
{
    OnlineInit("Hardness", 3, 3);
    vonline3.OnlineInValue[2] = "5\xF8"; // DOS degree sign, left as it was
    int images = 0;
    dialogservices.ShowAuxiliaryImages = [&] { ++images; };
    Pass([&](TForm_online& f) {
        EXPECT_EQ(f.Caption(), "QYR7    Hardness");
        EXPECT_EQ(f.Press("Button_help"), DialogAction::None);
        EXPECT_EQ(f.Press("Button_showplt"), DialogAction::Raise);
        EXPECT_EQ(f.Press("Button_hilfebild"), DialogAction::Raise);
        return f.Press("Button_unit");
    });
    uint16_t line = 1;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(wtelmvar.UnitSystem, 1);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(images, 1);
    EXPECT_EQ(vonline3.OnlineInValue[2], "5\xF8");
    ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions(), 0).Request.Caption, "HELP TEXT No.1000");
}

TEST_F(Online, ControlsHintsAndTheSmallWindow)
{
    OnlineInit("t", 3, 2);
    AddErrorMessage("Warning: x");
    {
        TForm_online f;
        f.HelpBase = 4100;
        EXPECT_NE(f.FindControl("ed_3"), nullptr);
        EXPECT_EQ(f.FindControl("ed_4"), nullptr);
        EXPECT_NE(f.FindControl("lbau_2"), nullptr);
        EXPECT_EQ(f.FindControl("lbaz_3"), nullptr);
        EXPECT_NE(f.FindControl("lber_1"), nullptr);
        EXPECT_EQ(f.FindControl("lber_2"), nullptr);
        EXPECT_EQ(f.HintNumberOf("lb_3"), 4110);
        EXPECT_EQ(f.HintNumberOf("lbeu_1"), 4100);
        EXPECT_EQ(f.HintNumberOf("lbaz_2"), 4172);
        EXPECT_EQ(f.HintNumberOf("lbaw_1"), 4170);
        f.HelpBase = 4125;
        EXPECT_EQ(f.HintNumberOf("lbau_1"), 4200);
        EXPECT_EQ(f.HintNumberOf("GroupBox_eingabe"), 0);
    }
    wtelmvar.SmallOnlineWindow = true;
    TForm_online small;
    EXPECT_NE(small.FindControl("lbeu_3"), nullptr);
    EXPECT_EQ(small.FindControl("lbaz_1"), nullptr);
    EXPECT_EQ(small.FindControl("lber_1"), nullptr);
    EXPECT_FALSE(small.Control("GroupBox_ausgabe").Visible);
    EXPECT_FALSE(small.Control("GroupBox_fehler").Visible);
}

TEST_F(Online, AWindowNobodyAnswersEndsTheCalculator)
{
    // Unscripted: the host closes the window without the model's answer.
    OnlineInit("t", 2, 2);
    uint16_t line = 1;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(flag, 1);
}

// A calculator that doubles its input, run as the calculators run.
void DoublingCalculator(int failOnPass)
{
    TOnlineSession session("Double", 1, 1);
    vonline3.OnlineInValue[1] = "1";
    uint16_t line = 1;
    uint8_t flag = 0;
    int pass = 0;
    do {
        ResetErrorState();
        if (++pass == failOnPass) throw std::runtime_error("calculation failed");
        vonline3.OnlineOutValue[1] = std::to_string(2 * std::stoi(vonline3.OnlineInValue[1]));
        OnlineRun(line, 4100, flag);
    } while (!telmvar.Aborted);
}

TEST_F(Online, MessagesAreOnAgainAfterEveryWayOut)
{
    std::vector<std::string> outputs;
    Pass([&](TForm_online& f) {
        outputs.push_back(f.Control("lbaw_1").Caption);
        f.Control("ed_1").Text = "21";
        return f.KeyDown(1, OnlineKeyEnter);
    });
    Pass([&](TForm_online& f) {
        outputs.push_back(f.Control("lbaw_1").Caption);
        return f.KeyDown(1, OnlineKeyEscape);
    });
    DoublingCalculator(0);
    EXPECT_EQ(outputs, (std::vector<std::string>{"2", "42"}));
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_FALSE(telmvar.Aborted);
    ShowMessageIfEnabled("after the calculator");
    EXPECT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u);

    EXPECT_THROW(DoublingCalculator(1), std::runtime_error);
    EXPECT_TRUE(telmvar.MessagesEnabled) << "a failed calculator leaves the message boxes on";
}

} // namespace
