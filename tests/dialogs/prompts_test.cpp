// The generic prompts over a scripted platform: what the user is shown, what
// comes back, and that Cancel and unchanged texts never alter a value.
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

using platform::SelectionStyle;

namespace
{

class Prompts : public ::testing::Test
{
  protected:
    void SetUp() override { telmvar.ProgramName = "QYR7"; }

    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};

    platform::PromptsImplHeadless& Q() { return hp.HeadlessPrompts(); }
    void Type(std::optional<std::string> text) { Q().QueueText(std::move(text)); }
    std::vector<std::string> Errors()
    {
        std::vector<std::string> texts;
        for (const auto& a : hp.HeadlessMessages().AskedQuestions()) {
            EXPECT_EQ(a.Request.Caption, "Error  : ");
            texts.push_back(a.Request.Text);
        }
        return texts;
    }
    std::vector<std::string> Shown()
    {
        std::vector<std::string> texts;
        for (const auto& r : Q().TextPrompts())
            texts.push_back(r.Text);
        return texts;
    }
};

bool SameBits(Extended a, Extended b)
{
    // Only the 80 bits of the value; the padding of long double is noise.
    return std::memcmp(&a, &b, 10) == 0;
}

// ---------------------------------------------------------------- selection

struct SelectCase {
    const char* name;
    uint16_t count;
    uint16_t choice;
    SelectionStyle style;
    int preselected;
};

void PrintTo(const SelectCase& c, std::ostream* os)
{
    *os << c.name;
}

class SelectStyle : public Prompts, public ::testing::WithParamInterface<SelectCase>
{
};

TEST_P(SelectStyle, ListFromEightItemsAndOutOfRangeChoiceShownAsFirst)
{
    const SelectCase& c = GetParam();
    for (int i = 1; i <= c.count; ++i)
        telmvar.TextItems[i] = "item " + std::to_string(i);
    uint16_t choice = c.choice;
    Q().QueueSelection(std::nullopt); // Cancel
    AskSelect("Which one ?", c.count, choice);
    ASSERT_EQ(Q().Selections().size(), 1u);
    const platform::SelectionRequest& r = Q().Selections()[0];
    EXPECT_EQ(r.Style, c.style);
    EXPECT_EQ(r.Caption, "Select");
    EXPECT_EQ(r.Items.size(), c.count);
    EXPECT_EQ(r.Selected, c.preselected);
    EXPECT_TRUE(telmvar.Aborted);
    // The reset of an out-of-range choice stays after Cancel.
    EXPECT_EQ(choice, c.preselected + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectStyle,
                         ::testing::Values(SelectCase{"SevenRadio", 7, 3, SelectionStyle::Radio, 2},
                                           SelectCase{"EightList", 8, 3, SelectionStyle::List, 2},
                                           SelectCase{"ChoiceZero", 5, 0, SelectionStyle::Radio, 0},
                                           SelectCase{"ChoiceBeyond", 9, 10, SelectionStyle::List, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Prompts, SelectReturnsTheChosenItemOneBased)
{
    telmvar.TextItems[1] = "Fe\x81r"; // DOS u-umlaut, shown in the display code page
    telmvar.TextItems[2] = "B";
    uint16_t choice = 1;
    Q().QueueSelection(1);
    AskSelect("Pick", 2, choice);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(Q().Selections()[0].Items[0], "Fe\xFCr");
}

// ------------------------------------------------------------------- yes/no

struct YesNoCase {
    const char* name;
    char in;
    std::optional<int> answer;
    int preselected;
    char out;
};

void PrintTo(const YesNoCase& c, std::ostream* os)
{
    *os << c.name;
}

class YesNo : public Prompts, public ::testing::WithParamInterface<YesNoCase>
{
};

TEST_P(YesNo, PreselectionAndAnswer)
{
    const YesNoCase& c = GetParam();
    char answer = c.in;
    Q().QueueSelection(c.answer);
    AskYesNoChar("Double helical ?", answer);
    const platform::SelectionRequest& r = Q().Selections().at(0);
    EXPECT_EQ(r.Style, SelectionStyle::YesNo);
    EXPECT_EQ(r.Caption, "Input");
    EXPECT_EQ(r.Items, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(r.Selected, c.preselected);
    EXPECT_EQ(answer, c.out);
    EXPECT_EQ(telmvar.Aborted, !c.answer.has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, YesNo,
                         ::testing::Values(YesNoCase{"UpperN", 'N', 0, 1, 'J'},
                                           YesNoCase{"LowerN", 'n', 1, 1, 'N'},
                                           YesNoCase{"J", 'J', 1, 0, 'N'},
                                           YesNoCase{"OtherIsYes", 'x', 0, 0, 'J'},
                                           YesNoCase{"CancelKeeps", 'n', std::nullopt, 1, 'n'}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Prompts, YesNoFlag)
{
    bool flag = false;
    Q().QueueSelection(0);
    AskYesNoFlag("Lapping ?", flag);
    EXPECT_TRUE(flag);
    Q().QueueSelection(std::nullopt);
    AskYesNoFlag("Lapping ?", flag);
    EXPECT_TRUE(flag) << "Cancel keeps the flag";
    EXPECT_EQ(Q().Selections()[1].Selected, 0);
}

// --------------------------------------------------------------------- text

TEST_F(Prompts, TextUnchangedKeepsItsBytesTypedTextIsStoredInDosCodePage)
{
    std::string text = "20\xF8 \xB3"; // degree and a box bar, which 1252 lacks
    Type(std::string(DisplayText(text)));
    AskText("Remark", 50, text);
    EXPECT_EQ(text, "20\xF8 \xB3");
    EXPECT_EQ(Q().TextPrompts()[0].MaxLength, 50);
    EXPECT_EQ(Q().TextPrompts()[0].Caption, "Input");
    Type(std::string("M\xFC"));
    AskText("Remark", 50, text);
    EXPECT_EQ(text, "M\x81");
    Type(std::nullopt);
    AskText("Remark", 50, text);
    EXPECT_EQ(text, "M\x81");
    EXPECT_TRUE(telmvar.Aborted);
}

// --------------------------------------------------------------------- reals

struct RealCase {
    const char* name;
    Extended value, min, max;
    std::vector<std::optional<std::string>> typed;
    Extended expected; // NaN: the value passed in, bit for bit
    std::vector<std::string> shown;
    std::vector<std::string> errors;
    bool aborted;
};

void PrintTo(const RealCase& c, std::ostream* os)
{
    *os << c.name;
}

class RealPrompt : public Prompts, public ::testing::WithParamInterface<RealCase>
{
};

TEST_P(RealPrompt, Loop)
{
    const RealCase& c = GetParam();
    for (const auto& t : c.typed)
        Type(t);
    Extended v = c.value;
    AskValueInRange("Viscosity", v, c.min, c.max);
    if (c.expected != c.expected)
        EXPECT_TRUE(SameBits(v, c.value)) << static_cast<double>(v);
    else
        EXPECT_EQ(v, c.expected);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Errors(), c.errors);
    EXPECT_EQ(hp.HeadlessSound().Beeps(), static_cast<int>(c.errors.size()));
    EXPECT_EQ(telmvar.Aborted, c.aborted);
    EXPECT_EQ(Q().PendingAnswers(), 0u);
}

const Extended kSame = std::numeric_limits<Extended>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, RealPrompt,
    ::testing::Values(
        // Shown with three significant digits (one more from 1 on) and
        // accepted as shown: not rewritten as 123.5.
        RealCase{"UnchangedBitExact", 123.456789012345L, 0, 1000, {"123.5"}, kSame, {"123.5"}, {}, false},
        RealCase{"Typed", 123.456L, 0, 1000, {"150.5"}, 150.5L, {"123.5"}, {}, false},
        RealCase{"CommaIsDecimalPoint", 1, 0, 10, {"2,5"}, 2.5L, {"1"}, {}, false},
        RealCase{"LowerBound", 5, 1, 10, {"1"}, 1, {"5"}, {}, false},
        RealCase{"UpperBound", 5, 1, 10, {"10"}, 10, {"5"}, {}, false},
        RealCase{"LettersThenCancel",
                 123.456789L,
                 0,
                 1000,
                 {"abc", std::nullopt},
                 kSame,
                 {"123.5", "123.5"},
                 {"Invalid Input \"abc\" !"},
                 true},
        RealCase{"NanAndInfAreNoNumbers",
                 5,
                 0,
                 10,
                 {"nan", "inf", "1e99999", "7"},
                 7,
                 {"5", "5", "5", "5"},
                 {"Invalid Input \"nan\" !", "Invalid Input \"inf\" !", "Invalid Input \"1e99999\" !"},
                 false},
        RealCase{"OutOfRangeShowsTheRejectedValue",
                 5,
                 1,
                 10,
                 {"11", "9"},
                 9,
                 {"5", "11"},
                 {"Valid Data are: 1 .. 10 !"},
                 false},
        RealCase{"BoundsAreNotReordered",
                 5,
                 10,
                 1,
                 {"5", std::nullopt},
                 kSame,
                 {"5", "5"},
                 {"Valid Data are: 10 .. 1 !"},
                 true},
        RealCase{"CancelKeeps", 3.14159L, 0, 10, {std::nullopt}, kSame, {"3.142"}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Prompts, DoubleUnchangedKeepsItsBits)
{
    double v = 0.1234567890123;
    Type(std::string("0.123"));
    AskDoubleInRange("x", v, 0, 1);
    EXPECT_EQ(v, 0.1234567890123);
}

struct LengthCase {
    const char* name;
    uint16_t unitSystem;
    Extended mm;
    std::optional<std::string> typed;
    Extended expected;
    const char* prompt;
    const char* shown;
};

void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.name;
}

class LengthPrompt : public Prompts, public ::testing::WithParamInterface<LengthCase>
{
};

TEST_P(LengthPrompt, InCurrentLengthUnit)
{
    const LengthCase& c = GetParam();
    wtelmvar.UnitSystem = c.unitSystem;
    Extended v = c.mm;
    Type(c.typed);
    AskLengthInRange("Tip diameter", v, 0, 1000);
    EXPECT_TRUE(SameBits(v, c.expected)) << static_cast<double>(v);
    EXPECT_EQ(Q().TextPrompts().at(0).Prompt, c.prompt);
    EXPECT_EQ(Q().TextPrompts().at(0).Text, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthPrompt,
    ::testing::Values(LengthCase{"InchUnchanged", 1, 25.4L, "1", 25.4L, "Tip diameter [inch]", "1"},
                      // An odd length whose round trip through inches is not exact.
                      LengthCase{"InchUnchangedOdd", 1, 33.3333333333L, "1.312", 33.3333333333L,
                                 "Tip diameter [inch]", "1.312"},
                      LengthCase{"InchTyped", 1, 25.4L, "2", 50.8L, "Tip diameter [inch]", "1"},
                      LengthCase{"Metric", 0, 25.4L, "30", 30, "Tip diameter [mm]", "25.4"},
                      LengthCase{"KilonewtonSystemIsMm", 2, 25.4L, "25.4", 25.4L, "Tip diameter [mm]",
                                 "25.4"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------------ integers

struct IntCase {
    const char* name;
    int32_t value, min, max;
    std::vector<std::optional<std::string>> typed;
    int32_t expected;
    std::vector<std::string> errors;
};

void PrintTo(const IntCase& c, std::ostream* os)
{
    *os << c.name;
}

class IntPrompt : public Prompts, public ::testing::WithParamInterface<IntCase>
{
};

TEST_P(IntPrompt, Loop)
{
    const IntCase& c = GetParam();
    for (const auto& t : c.typed)
        Type(t);
    int32_t v = c.value;
    AskIntegerInRange("Teeth", v, c.min, c.max);
    EXPECT_EQ(v, c.expected);
    EXPECT_EQ(Errors(), c.errors);
    EXPECT_EQ(Q().TextPrompts().at(0).MaxLength, 12);
    EXPECT_EQ(Q().PendingAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntPrompt,
    ::testing::Values(
        IntCase{"SwappedBoundsAcceptOne", 5, 10, 1, {"1"}, 1, {}},
        IntCase{"SwappedBoundsAcceptTen", 5, 10, 1, {"10"}, 10, {}},
        IntCase{"SwappedBoundsRejectEleven", 5, 10, 1, {"11", "3"}, 3, {"Valid Data are: 1 .. 10 !"}},
        IntCase{"Letters", 5, 1, 10, {"x7", std::nullopt}, 5, {"Invalid Input \"x7\" !"}},
        IntCase{"Fraction", 5, 1, 10, {"2.5", "2"}, 2, {"Invalid Input \"2.5\" !"}},
        IntCase{"Overflow", 5, 1, 10, {"99999999999", "4"}, 4, {"Invalid Input \"99999999999\" !"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Prompts, WordAndIntFormsWriteBack)
{
    uint16_t w = 3;
    Type(std::string("4"));
    AskWordInRange("Port", w, 1, 4);
    EXPECT_EQ(w, 4);
    int32_t i = 3;
    Type(std::nullopt);
    AskIntInRange("Port", i, 1, 4);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(Q().TextPrompts()[1].Text, "3");
}

// ----------------------------------------------------------- help and screen

TEST_F(Prompts, HelpButtonsShowTheCurrentEntry)
{
    // No help file where PltDir points: the text box names the entry in its
    // caption, the picture button starts an empty picture.
    telmvar.PltDir = "/nonexistent-qyr7-help";
    DisplayList.Records = {"4;1;1;2;2"};
    SetInputHelpNumber(2365);
    Type(std::nullopt);
    std::string s;
    AskText("x", 5, s);
    const platform::HelpButtons& help = Q().TextPrompts()[0].Help;
    ASSERT_TRUE(help.OnHelpText && help.OnHelpImage);
    help.OnHelpText();
    help.OnHelpImage();
    const auto& boxes = hp.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Request.Caption, "HELP TEXT No.2365");
    EXPECT_EQ(std::count(DisplayList.Records.begin(), DisplayList.Records.end(), "4;1;1;2;2"), 0)
        << "the picture button started a new picture";
}

TEST_F(Prompts, SplashScreenShowsTwentyTwoLines)
{
    for (int i = 1; i <= 23; ++i)
        telmvar.TextItems[i] = "line " + std::to_string(i);
    telmvar.TextItems[2] = "30\xF8";
    ShowSplashScreen();
    ASSERT_EQ(Q().TextScreens().size(), 1u);
    const auto& s = Q().TextScreens()[0];
    EXPECT_EQ(s.Caption, "QYR7");
    ASSERT_EQ(s.Lines.size(), 22u);
    EXPECT_EQ(s.Lines[1], "30\xB0");
    EXPECT_EQ(s.Lines[21], "line 22");
}

} // namespace
