// The change commands through the scripted dialog host and the screen
// report: new, modify, delete, show and print, the menu, the limit of 25,
// the printed protocol against its golden text, and the change dialog's
// limits. Faults the commands must not have: a cancelled new change that
// stays counted, a new change holding a deleted change's texts, a long
// description stored empty.
#include "goldentestsupport.h"
#include "sheetdialogs_support.h"

#include "drawings/sheet/changeentryform.h"
#include "drawings/sheet/changeprotocol.h"
#include "foundation/programsettings.h"

#include <filesystem>
#include <fstream>

namespace
{

using ChangeProtocol = SheetDialogs;

TEST_F(ChangeProtocol, NewChangeStartsEmptyWithTodaysDate)
{
    // A deleted change leaves its texts in the record that is reused.
    SetChange(1, "old", "01.01.2020", "xy", "old text");
    std::string shownDate, shownName, caption;
    Script([&](platform::DialogModel& m) {
        caption = m.Caption();
        shownDate = m.Control("Edit_datum").Text;
        shownName = m.Control("Edit_bearbeiter").Text;
        m.Control("Edit_aenderung").Text = "bore 40 H7";
    });
    ChangeProtocolCommand(1);
    EXPECT_EQ(caption, "Modification 1");
    EXPECT_EQ(shownDate, "07.12.2026");
    EXPECT_EQ(shownName, "");
    ASSERT_EQ(documentation.ChangeCount, 1);
    EXPECT_EQ(documentation.ChangeList[1].Text[0], "bore 40 H7");
    EXPECT_EQ(documentation.ChangeList[1].Text[3], "");
    EXPECT_EQ(Shown.size(), 1u) << "the protocol is shown after the change";
}

TEST_F(ChangeProtocol, CancelledNewChangeIsTakenOut)
{
    SetChange(1, "kept", "01.01.2020", "ab", "first");
    documentation.ChangeCount = 1;
    SetChange(2, "old", "01.01.2020", "xy", "deleted");
    Script(nullptr, "Button_cancel");
    ChangeProtocolCommand(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(documentation.ChangeCount, 1);
    EXPECT_EQ(documentation.ChangeList[1].Text[0], "kept");
    EXPECT_TRUE(Shown.empty());
    // The same for a dialog closed without its buttons.
    ChangeProtocolCommand(1);
    EXPECT_EQ(documentation.ChangeCount, 1);
}

TEST_F(ChangeProtocol, TwentySixthChangeRefused)
{
    documentation.ChangeCount = 25;
    ChangeProtocolCommand(1);
    EXPECT_EQ(documentation.ChangeCount, 25);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Max. Changes = 25 !");
    EXPECT_TRUE(hp.HeadlessDialogs().ShownDialogs().empty());
}

TEST_F(ChangeProtocol, ModifyEditsTheLastChangeOnly)
{
    for (int k = 1; k <= 3; ++k)
        SetChange(k, "m" + std::to_string(k), "d", "n", "");
    documentation.ChangeCount = 3;
    std::string caption;
    Script([&](platform::DialogModel& m) {
        caption = m.Caption();
        m.Control("Edit_aenderung").Text = "changed";
    });
    ChangeProtocolCommand(2);
    EXPECT_EQ(caption, "Modification 3");
    EXPECT_EQ(documentation.ChangeList[3].Text[0], "changed");
    EXPECT_EQ(documentation.ChangeList[2].Text[0], "m2");
    // Cancel keeps the change as it was.
    Script([](platform::DialogModel& m) { m.Control("Edit_aenderung").Text = "lost"; }, "Button_cancel");
    ChangeProtocolCommand(2);
    EXPECT_EQ(documentation.ChangeList[3].Text[0], "changed");
}

TEST_F(ChangeProtocol, DeleteShowAndPrint)
{
    const struct {
        int command;
        int before, after;
        std::size_t shown;
    } cases[] = {{3, 0, 0, 1}, {3, 2, 1, 1}, {4, 2, 2, 1}, {5, 2, 2, 1}, {2, 0, 0, 0}, {9, 2, 2, 0}};
    for (const auto& c : cases) {
        Shown.clear();
        documentation.ChangeCount = c.before;
        ChangeProtocolCommand(c.command);
        EXPECT_EQ(documentation.ChangeCount, c.after) << "command " << c.command;
        EXPECT_EQ(Shown.size(), c.shown) << "command " << c.command;
    }
}

TEST_F(ChangeProtocol, MenuAsksAndRunsTheChoice)
{
    const struct {
        uint16_t answer; // 0 cancels
        std::size_t shown;
    } cases[] = {{4, 1}, {7, 0}, {0, 0}, {3, 1}};
    for (const auto& c : cases) {
        Shown.clear();
        uint16_t offered = 0;
        graphservices.AskSelect = [&](const std::string& Prompt, int Count, uint16_t& Choice) {
            EXPECT_EQ(Prompt, "Changes");
            EXPECT_EQ(Count, 7);
            offered = Choice;
            EXPECT_EQ(telmvar.TextItems[7], "back....");
            if (c.answer == 0)
                telmvar.Aborted = true;
            else
                Choice = c.answer;
        };
        ChangeProtocolCommand(0);
        EXPECT_EQ(offered, 4);
        EXPECT_EQ(Shown.size(), c.shown) << "answer " << c.answer;
    }
}

TEST_F(ChangeProtocol, PrintedProtocolMatchesGolden)
{
    auto& d = documentation;
    d.DrawnBy = "HK";
    d.ReplacementFor = "D-4711";
    d.ReplacedBy = "D-4712";
    telmvar.RemarkLines[1] = "Gearbox GB 12";
    SetChange(1, "first issue", "01.12.2026", "HK", "");
    SetChange(2, "bore 40 H7", "03.12.2026", "JM", "bore enlarged\r\nkeyway added");
    SetChange(3, "tip chamfer", "07.12.2026", "HK", "0.5 x 45\xF8");
    d.ChangeCount = 3;
    wtelmvar.IndexStyle = 2; // the protocol prints small letters all the same
    PrintChangeProtocol(1);
    ASSERT_EQ(Shown.size(), 1u);
    ExpectGolden("change_protocol.txt", Shown[0]);
    // A description of 254 characters goes on over lines of 70, cut at blanks
    // or, in a word longer than a line, at its end; the TXT file keeps it whole.
    const std::string a(60, 'a'), b(60, 'b'), c(100, 'c'), e(31, 'e'), next = "\r\n" + std::string(8, ' ');
    SetChange(3, "", "", "", a + " " + b + " " + c + " " + e);
    PrintChangeProtocol(1);
    EXPECT_NE(Shown.back().find(next + a + next + b + next + c.substr(0, 69) + next + c.substr(69) + " " + e +
                                "\r\n"),
              std::string::npos);
    const uint16_t device = std::exchange(wtelmvar.TextDevice, 9);
    wtelmvar.TextDeviceDialog = false;
    PrintChangeProtocol(0);
    wtelmvar.TextDevice = device;
    std::ifstream txt(telmvar.ProjectName + ".txt", std::ios::binary);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(txt), {})
                  .find(" " + a + " " + b + " " + c + " " + e + "\r\n"),
              std::string::npos);
    // A cancelled device choice prints nothing.
    Shown.clear();
    reportengine = TReportEngine{};
    telmvar.Aborted = false;
    wtelmvar.TextDeviceDialog = true;
    reportservices.AskSelect = [](const std::string&, int, uint16_t&) { telmvar.Aborted = true; };
    PrintChangeProtocol(0);
    EXPECT_TRUE(Shown.empty());
}

TEST_F(ChangeProtocol, DescriptionStoresAtMost254Characters)
{
    const struct {
        const char* name;
        std::string typed;
        std::size_t stored;
    } cases[] = {
        {"plain text cut", std::string(300, 'x'), 254},
        {"line breaks count two", std::string(127, '\n'), 254},
        {"a break that would pass the limit is left out", std::string(253, 'x') + "\ny", 253},
        {"short text kept", "a\r\nb", 4},
    };
    for (const auto& c : cases) {
        SetChange(1, "", "", "", "");
        documentation.ChangeCount = 1;
        Script([&](platform::DialogModel& m) { m.Control("Memo_beschreibung").Text = c.typed; });
        EditChangeEntry(1);
        const std::string& s = documentation.ChangeList[1].Text[3];
        EXPECT_EQ(s.size(), c.stored) << c.name;
        EXPECT_EQ(s.find('\n') == std::string::npos || s.find("\r\n") != std::string::npos, true) << c.name;
    }
}

TEST_F(ChangeProtocol, ChangeDialogButtonsAndLimits)
{
    SetChange(1, "", "01.01.2020", "", "");
    Script([](platform::DialogModel& m) {
        EXPECT_EQ(m.Control("Button_datum").Caption, "<07.12.2026");
        m.Press("Button_datum");
        m.Control("Edit_bearbeiter").Text = "ABCDEFG";
        m.Control("Edit_aenderung").Text = std::string(30, 'm');
        EXPECT_EQ(m.Press("Button_help"), platform::DialogAction::Raise);
    });
    EditChangeEntry(1);
    const auto& t = documentation.ChangeList[1].Text;
    EXPECT_EQ(t[1], "07.12.2026");
    EXPECT_EQ(t[2], "ABCDE");
    EXPECT_EQ(t[0].size(), 20u);
    EXPECT_EQ(Helps, std::vector<int>{3000});
}

TEST_F(ChangeProtocol, NewProjectResets)
{
    telmvar.RemarkLines[2] = "remark";
    documentation.DocLinkPrograms[3].DocLinkFile = "/home/u/gear.txt";
    const TDocumentation before = documentation;
    ResetRemarkLines();
    ClearDocumentLinks();
    EXPECT_EQ(telmvar.RemarkLines[2], "");
    EXPECT_EQ(documentation.DocLinkPrograms, before.DocLinkPrograms);
}

// A date of 437 bytes (section sign, a-umlaut) left untouched is stored back as it was; a typed one as typed.
TEST_F(ChangeProtocol, AnUntouchedDateKeepsItsBytes)
{
    for (const std::string typed : {"", "1.3.2027"}) {
        SetChange(1, "t", "\x15 12 M\x84rz", "xy", "d");
        TForm_EinAend form(1);
        if (!typed.empty()) form.Control("Edit_datum").Text = typed;
        form.Press("Button_ok");
        EXPECT_EQ(documentation.ChangeList[1].Text[1], typed.empty() ? "\x15 12 M\x84rz" : typed);
    }
}

// The change's date shows through code page 437 also where units are spelled in ASCII ("ae"); left as
// shown it keeps its bytes, typed it is stored as typed.
TEST_F(ChangeProtocol, ChangeDateShowsThroughCodePage437)
{
    const struct {
        uint16_t Mode;
        const char *Typed, *Stored;
    } cases[] = {{0, nullptr, "\x15 12 M\x84rz"},
                 {1, nullptr, "\x15 12 M\x84rz"},
                 {0, "\xa7 5 M\xe4r", "\xa7 5 M\xe4r"}};
    for (const auto& c : cases) {
        wtelmvar.UnitCharMode = c.Mode;
        SetChange(1, "t", "\x15 12 M\x84rz", "xy", "d");
        TForm_EinAend form(1);
        EXPECT_EQ(form.Control("Edit_datum").Text, "\xa7 12 M\xe4rz") << c.Mode;
        if (c.Typed) form.Control("Edit_datum").Text = c.Typed;
        form.Press("Button_ok");
        EXPECT_EQ(documentation.ChangeList[1].Text[1], c.Stored) << c.Mode;
    }
}

} // namespace
