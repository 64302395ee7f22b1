// The message list, the message help file and the messages section of the
// reports.
#include "reporttestsupport.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/errhelpfile.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

const std::string HelpFile = "Fatal  : Unit0\r\n"
                             "origin zero\r\n"
                             "remedy zero\r\n"
                             "Warning: SF<1 (\r\n"
                             "root safety too small\r\n"
                             "make the gear stronger\r\n"
                             "Warning: SF<1 (second record with the same start)\r\n"
                             "never used\r\n"
                             "never used\r\n"
                             "Error  : db > da  (\r\n"
                             "tip inside base circle\r\n"
                             "\r\n";

class MessagesTest : public ReportTest
{
  protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        telmvar.PltDir = TempDir.string();
        WriteFile(Temp("qyr7.err"), HelpFile);
        uhelperr.ShowHelperrForm = [this](THelperrModel& M) {
            Forms.push_back(M.Message() + "|" + M.Origin() + "|" + M.Remedy());
        };
    }
    void Collect(std::initializer_list<const char*> Texts)
    {
        for (const char* t : Texts)
            AddErrorMessage(t);
    }
    // A fresh list of these texts.
    void Collect(const std::vector<std::string>& Texts)
    {
        ResetErrorState();
        for (const auto& t : Texts)
            AddErrorMessage(t);
    }
    std::vector<std::string> Forms;
};

TEST_F(MessagesTest, KeyComparesTheFirstFourteenCharacters)
{
    struct Case {
        const char* Line;
        const char* Message;
        bool Match;
    };
    const Case cases[] = {
        {"Warning: SF<1 (", "Warning: SF<1 (1) (0.8) !", true},
        {"Warning: SF<1 (", "Warning: SH<1 (1) (0.8) !", false},
        {"Warning: SF<1 XYZ", "Warning: SF<1 (1)", true}, // characters after 14 do not count
        {"Error  : YS", "Error  : YS", true},             // shorter texts are compared whole
        {"Error  : YS", "Error  : YS:rhof=0", false},
        {"warning: sf<1 (", "Warning: SF<1 (", false}, // exact, case-sensitive
        {"", "", true},
        {"", "Fatal  : Unit0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageKeyMatches(c.Line, c.Message), c.Match) << c.Line << " / " << c.Message;
}

TEST_F(MessagesTest, FirstRecordWinsAndBothLineEndsAreRead)
{
    for (const std::string& file : {HelpFile, std::string("x\nWarning: SF<1 (\norigin lf\nremedy lf\n")}) {
        std::istringstream in(file);
        const TMessageHelp h = FindMessageHelp(in, "Warning: SF<1 (2) (0.9) !");
        EXPECT_TRUE(h.Found);
        EXPECT_TRUE(h.Origin == "root safety too small" || h.Origin == "origin lf") << h.Origin;
        EXPECT_EQ(h.Origin.find('\r'), std::string::npos);
    }
    std::istringstream in(HelpFile);
    EXPECT_FALSE(FindMessageHelp(in, "Warning: nothing like it").Found);
}

// A record whose whole key is the message answers for it, and is the one an
// edit rewrites, even where an earlier record starts with the same fourteen
// characters; files without such keys answer as the first match did.
TEST_F(MessagesTest, AWholeKeyComesBeforeAnEarlierRecordStartingAlike)
{
    const std::string shared = "Fatal  : power = 0 !\r\npower zero\r\nenter power\r\n"
                               "Fatal  : power split without speed !\r\nspeeds cancel\r\nchange a speed\r\n"
                               "Fatal  : alpha !\r\nalpha range\r\nalpha remedy\r\n"
                               "Fatal  : alpha wt !   \r\nshift sum\r\nraise shifts\r\n";
    struct Case {
        const std::string& File;
        const char* Message;
        const char* Origin; // of the record expected
    };
    const Case cases[] = {
        {shared, "Fatal  : power split without speed !", "speeds cancel"},
        {shared, "Fatal  : power = 0 !", "power zero"},
        {shared, "Fatal  : power split without speed ! (S-Pi)", "speeds cancel"}, // a mesh's repeat
        {shared, "Fatal  : alpha wt !", "shift sum"},                             // key stored with blanks
        {shared, "Fatal  : alpha wt ! (Pe-H)", "shift sum"},
        {shared, "Fatal  : power input 0", "power zero"}, // no whole key: the first match
        {shared, "Fatal  : alpha (Pi-Pe)", "alpha range"},
        {HelpFile, "Warning: SF<1 (second record with the same start)", "never used"},
        {HelpFile, "Warning: SF<1 (2) (0.9) !", "root safety too small"},
        {HelpFile, "Error  : db > dFa2", "tip inside base circle"},
        {HelpFile, "Fatal  : Unit0 (S-Pi)", "origin zero"},
    };
    for (const Case& c : cases) {
        WriteFile(Temp("qyr7.err"), c.File);
        Collect(std::vector<std::string>{c.Message});
        Forms.clear();
        ShowMessageHelp(1);
        ASSERT_EQ(Forms.size(), 1u) << c.Message;
        EXPECT_EQ(Forms[0].substr(0, Forms[0].rfind('|')), std::string(c.Message) + "|" + c.Origin);
        SaveMessageHelp(c.Message, "edited", "r");
        std::string expected = c.File;
        const std::size_t at = expected.find(std::string("\r\n") + c.Origin + "\r\n") + 2;
        expected.replace(at, expected.find("\r\n", expected.find("\r\n", at) + 2) - at, "edited\r\nr");
        EXPECT_EQ(ReadFile(Temp("qyr7.err")), expected) << c.Message;
    }
}

// Messages that share their first fourteen characters have records of
// their own, told apart by their whole keys; no key comes twice.
TEST_F(MessagesTest, ShippedHelpFileHasOneRecordPerKey)
{
    std::ifstream in(std::string(QYR7_SOURCE_DIR) + "/data/qyr7.err", std::ios::binary);
    ASSERT_TRUE(in) << "data/qyr7.err missing";
    std::vector<std::string> lines;
    std::string line;
    while (ReadHelpLine(in, line))
        lines.push_back(line);
    ASSERT_EQ(lines.size() % 3, 0u) << "records are three lines";
    std::set<std::string> starts, keys;
    for (size_t i = 0; i < lines.size(); i += 3) {
        const std::string& key = lines[i];
        EXPECT_FALSE(key.empty());
        starts.insert(key.substr(0, MessageKeyLength));
        EXPECT_TRUE(keys.insert(key.substr(0, key.find_last_not_of(' ') + 1)).second)
            << "two records for " << key;
        EXPECT_FALSE(lines[i + 1].empty()) << "origin of " << key;
        EXPECT_FALSE(lines[i + 2].empty()) << "remedy of " << key;
    }
    // Every line is a key candidate: an origin or remedy that started like a
    // key would be taken for that message's record.
    for (size_t i = 0; i < lines.size(); i += 3)
        for (int k = 1; k <= 2; ++k) {
            EXPECT_LT(lines[i + k].size(), 255u);
            EXPECT_EQ(starts.count(lines[i + k].substr(0, MessageKeyLength)), 0u) << lines[i + k];
        }
    EXPECT_GE(lines.size() / 3, 150u);
    // Messages as the calculations write them, numbers and helper suffixes
    // included, find their records.
    const std::map<std::string, std::string> samples = {
        {"Warning: SF<1 (2) (0.85) !", "Warning: SF<1 "},
        {"Error  : KF\xE1 (pow)", "Error  : KF\xE1 (pow)"},
        {"Error : Fatal  : span measure ! arccos(1.2)", "Error : Fatal  : "},
        {"Fatal  : xz3=0!", "Fatal  : xz3=0!"},
        {"Error  : tooth collision da2 !", "Error  : tooth collision da"},
        {"Fatal  : SigmaFE = 0 !", "Fatal  : Sigma"},
        {"di angepa\xE1t !", "di angepa\xE1t !"},
        {"Lastkoll: T3 > T2", "Lastkoll: T3 > T2"},
    };
    for (const auto& [message, key] : samples) {
        std::ifstream f(std::string(QYR7_SOURCE_DIR) + "/data/qyr7.err", std::ios::binary);
        std::string line;
        std::string keyFound;
        while (ReadHelpLine(f, line))
            if (MessageKeyMatches(line, message)) {
                keyFound = line;
                break;
            }
        EXPECT_EQ(keyFound, key) << message;
    }
    // Equivalent cycles of zero have two causes, items below half the
    // nominal torque or items without cycles; the advice names both.
    std::ifstream neq(std::string(QYR7_SOURCE_DIR) + "/data/qyr7.err", std::ios::binary);
    const TMessageHelp neqHelp = FindMessageHelp(neq, "Fatal  : Neq = 0 !");
    EXPECT_NE(neqHelp.Origin.find("half the nominal"), std::string::npos);
    EXPECT_NE(neqHelp.Remedy.find("load cycles"), std::string::npos) << neqHelp.Remedy;
    EXPECT_NE(neqHelp.Remedy.find("torques against the nominal torque"), std::string::npos) << neqHelp.Remedy;
}

// A message naming a damaged catalogue table, as the table readers write it, shows help of its own in the
// message list: the table it names and how the shipped one comes back (the source the build makes or copies
// it from, the directory beside the program or the one the configuration names).
TEST_F(MessagesTest, ADamagedCatalogueTableGetsHelpOnGettingTheShippedOneBack)
{
    fs::copy_file(QYR7_SOURCE_DIR "/data/qyr7.err", Temp("qyr7.err"), fs::copy_options::overwrite_existing);
    for (const std::string m :
         {"record 1: pF 8738 outside 2 .. 1000", "record 3: NnH 10000 not above N0H 100000",
          "record 1 holds no S-N line: field N0F is 0",
          "record 1 field PF: 8.738 has 3 decimals, the field (N 8.1) holds 1",
          "cannot be opened: qyrlife.dbf is not a dBASE database",
          "header of 354 bytes does not match its 7 fields",
          "ends inside record 1: 307 bytes, record 1 of 7 ends at byte 354", "holds 6 fields, 7 needed",
          "field LW is of type F, the material class is read as text (C)",
          "rikula_n.hdf line 40: Y2 of row 5 above the row before !"}) {
        const bool life = !m.starts_with("rikula");
        Collect(std::vector<std::string>{(life ? "QYRLIFE.DBF " : "factor table file /opt/qyr7/data/") + m});
        Forms.clear();
        ShowMessageHelp(1);
        ASSERT_EQ(Forms.size(), 1u) << m;
        const std::string help = Forms[0].substr(Forms[0].find('|')),
                          origin = help.substr(0, help.rfind('|'));
        for (const char* part : {life ? "QYRLIFE.DBF" : "rikula_n.hdf", "damaged"})
            EXPECT_NE(origin.find(part), std::string::npos) << m << ": " << origin;
        for (const char* part : {life ? "data/tables/qyrlife.csv" : "from data/ of the sources",
                                 "beside the program", "qyr7.cfg"})
            EXPECT_NE(help.find(part, origin.size()), std::string::npos) << m << ": " << help;
    }
}

TEST_F(MessagesTest, ListReturnsWithTheNextMessageAndClosesAfterTheLast)
{
    uhelperr.MessageListAsText = nullptr;
    Collect({"Fatal  : Unit0", "Warning: SF<1 (1) (0.7) !", "Error  : db > da  (2) !"});
    std::vector<int> preselected;
    std::vector<int> answers = {2, 3};
    reportservices.AskSelect = [&](const std::string& Prompt, int Count, uint16_t& Choice) {
        EXPECT_EQ(Prompt, "Calculation done. Select message for more info or continue.");
        EXPECT_EQ(Count, 4);
        preselected.push_back(Choice);
        Choice = static_cast<uint16_t>(answers.front());
        answers.erase(answers.begin());
    };
    ShowMessageList();
    EXPECT_EQ(preselected, (std::vector<int>{4, 3}))
        << "Continue... first, then the message after the one shown";
    EXPECT_EQ(telmvar.TextItems[4], "Continue...");
    ASSERT_EQ(Forms.size(), 2u);
    EXPECT_EQ(Forms[0], "Warning: SF<1 (1) (0.7) !|root safety too small|make the gear stronger");
    EXPECT_EQ(Forms[1], "Error  : db > da  (2) !|tip inside base circle|");
}

TEST_F(MessagesTest, HelpLevelTwoPreselectsTheFirstMessage)
{
    uhelperr.MessageListAsText = nullptr;
    telmvar.HelpLevel = 2;
    Collect({"Fatal  : Unit0", "Warning: SF<1 (1) (0.7) !"});
    std::vector<int> preselected;
    reportservices.AskSelect = [&](const std::string&, int, uint16_t& Choice) {
        preselected.push_back(Choice);
        telmvar.Aborted = true;
    };
    ShowMessageList();
    EXPECT_EQ(preselected, std::vector<int>{1});
    EXPECT_TRUE(Forms.empty());
}

TEST_F(MessagesTest, NoGuiShowsNothing)
{
    const char* argv[] = {"wqyr7", "/nogui"};
    SetCommandLineParams(2, argv);
    Collect({"Fatal  : Unit0"});
    bool asked = false;
    uhelperr.MessageListAsText = [&](const std::string&) { asked = true; };
    reportservices.AskSelect = [&](const std::string&, int, uint16_t&) { asked = true; };
    ShowMessageList();
    EXPECT_FALSE(asked);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(MessagesTest, NoMessagesGiveTheSuccessBox)
{
    ShowMessageList();
    EXPECT_EQ(Messages, std::vector<std::string>{"Calculation successful without error messages"});
}

TEST_F(MessagesTest, HeadlessListIsTextWithHelpEntries)
{
    Collect({"Fatal  : Unit0", "Warning: unknown text"});
    std::string text;
    uhelperr.MessageListAsText = [&](const std::string& T) { text = T; };
    ShowMessageList();
    EXPECT_EQ(text,
              "Fatal  : Unit0\n  Origin: origin zero\n  Remedy: remedy zero\n"
              "Warning: unknown text\n  Origin: no help description available for this error message.\n");
}

TEST_F(MessagesTest, MissingRecordAndMissingFile)
{
    uhelperr.MessageListAsText = nullptr;
    Collect({"Warning: unknown text"});
    ShowMessageHelp(1);
    EXPECT_EQ(Messages,
              std::vector<std::string>{"Message|no help description available for this error message."});
    fs::remove(Temp("qyr7.err"));
    Messages.clear();
    ShowMessageHelp(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(Messages, std::vector<std::string>{"file " + Temp("qyr7.err") + " not found or no access !"});
    telmvar.Aborted = false;
    std::string origin = "x", remedy = "y";
    GetMessageOrigin(1, origin);
    GetMessageRemedy(1, remedy);
    EXPECT_EQ(origin, "");
    EXPECT_EQ(remedy, "");
}

TEST_F(MessagesTest, SavingOnlyTheRemedyKeepsEveryOtherLine)
{
    SaveMessageHelp("Warning: SF<1 (1) (0.7) !", "root safety too small", "new remedy");
    std::string expected = HelpFile;
    expected.replace(expected.find("make the gear stronger"), 22, "new remedy");
    EXPECT_EQ(ReadFile(Temp("qyr7.err")), expected);
    EXPECT_FALSE(fs::exists(Temp("qyr7.err.new")));
}

TEST_F(MessagesTest, SavingTheLastRecordAddsNoLine)
{
    SaveMessageHelp("Error  : db > da  (1) !", "o", "r");
    std::string expected = HelpFile;
    expected.replace(expected.find("tip inside base circle\r\n\r\n"), 26, "o\r\nr\r\n");
    EXPECT_EQ(ReadFile(Temp("qyr7.err")), expected);
}

TEST_F(MessagesTest, SavingAnUnknownMessageChangesNothing)
{
    SaveMessageHelp("Warning: unknown", "o", "r");
    EXPECT_EQ(Messages, std::vector<std::string>{"Warning: unknown not found."});
    EXPECT_EQ(ReadFile(Temp("qyr7.err")), HelpFile);
    EXPECT_FALSE(fs::exists(Temp("qyr7.err.new")));
}

TEST_F(MessagesTest, FormAsksBeforeSavingChangedTexts)
{
    YesAnswers = {true};
    THelperrModel m("Fatal  : Unit0", "origin zero", "remedy zero");
    m.Shown();
    m.Ok();
    EXPECT_TRUE(Questions.empty()) << "nothing changed, nothing asked";
    m.SetRemedy("better remedy");
    EXPECT_TRUE(m.MessageHelpModified());
    m.Ok();
    EXPECT_EQ(Questions, std::vector<std::string>{"Save Changes ?"});
    std::ifstream in(Temp("qyr7.err"), std::ios::binary);
    EXPECT_EQ(FindMessageHelp(in, "Fatal  : Unit0").Remedy, "better remedy");
}

TEST_F(MessagesTest, TabDevicesWriteOneLinePerMessageWithTwoTabs)
{
    Collect({"Fatal  : Unit0", "Warning: unknown text"});
    telmvar.ProjectName = Temp("x");
    OpenReport(9, "x");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportMessages();
    EXPECT_TRUE(CloseReport());
    auto lines = Lines(ReadFile(Temp("x.txt")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "REMARKS, WARNINGS AND ERROR MESSAGES");
    EXPECT_EQ(lines[2], "Fatal  : Unit0\torigin zero\tremedy zero");
    EXPECT_EQ(lines[3], "Warning: unknown text\tno help description available for this error message.\t");
    for (int i = 2; i <= 3; ++i)
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 2);
}

TEST_F(MessagesTest, TheListSaysHowManyTextsItLeftOut)
{
    std::vector<std::string> texts;
    for (int i = 1; i <= 15; ++i)
        texts.push_back("Warning: " + std::to_string(i));
    Collect(texts);
    std::string text;
    uhelperr.MessageListAsText = [&](const std::string& T) { text = T; };
    ShowMessageList();
    EXPECT_NE(text.find("Warning: 12\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Warning: 13"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 24), "... and 3 more messages\n");

    // The report's section: the count after the twelfth, in the columns of
    // a message line.
    telmvar.ProjectName = Temp("x");
    OpenReport(9, "x");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportMessages();
    EXPECT_TRUE(CloseReport());
    auto lines = Lines(ReadFile(Temp("x.txt")));
    ASSERT_EQ(lines.size(), 2u + 12u + 1u);
    EXPECT_EQ(lines.back(), "... and 3 more messages\t\t");

    // One left out reads as one.
    texts.resize(13);
    Collect(texts);
    EXPECT_EQ(LeftOutMessagesLine(), "... and 1 more message");
    texts.resize(12);
    Collect(texts);
    EXPECT_EQ(LeftOutMessagesLine(), "");
}

TEST_F(MessagesTest, TheChoiceListCountsTheLeftOutTextsInAnItemWithoutHelp)
{
    uhelperr.MessageListAsText = nullptr;
    std::vector<std::string> texts;
    for (int i = 1; i <= 14; ++i)
        texts.push_back("Warning: " + std::to_string(i));
    Collect(texts);
    std::vector<int> preselected;
    std::vector<int> answers = {13, 14};
    reportservices.AskSelect = [&](const std::string&, int Count, uint16_t& Choice) {
        EXPECT_EQ(Count, 14);
        preselected.push_back(Choice);
        Choice = static_cast<uint16_t>(answers.front());
        answers.erase(answers.begin());
    };
    ShowMessageList();
    EXPECT_EQ(telmvar.TextItems[13], "... and 2 more messages");
    EXPECT_EQ(telmvar.TextItems[14], "Continue...");
    // Picking the count shows no help and offers "Continue..." again.
    EXPECT_EQ(preselected, (std::vector<int>{14, 14}));
    EXPECT_TRUE(Forms.empty());
}

TEST_F(MessagesTest, ErrorMessagesCommandShowsAMessagesPageOnTheScreen)
{
    Collect({"Fatal  : Unit0", "Warning: SF<1 (1) (0.7) !"});
    ViewErrorMessages();
    ASSERT_EQ(ResultWindows, 1);
    auto lines = Lines(ShownReport);
    const std::string ind(7, ' ');
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[1].substr(7 + 3, 9), "QYR7 V1.0");
    EXPECT_EQ(lines[1].substr(7 + 59, 8), "pg. 1/ 1");
    EXPECT_EQ(lines[5].substr(7 + 3, 14), "Error Messages");
    const std::vector<std::string> tail(lines.end() - 14, lines.end());
    const std::vector<std::string> expected = {
        "",
        ind + "REMARKS, WARNINGS AND ERROR MESSAGES",
        ind + std::string(70, '='),
        "",
        ind + std::string(70, '-'),
        ind + "Fatal  : Unit0",
        ind + "origin zero",
        ind + "remedy zero",
        ind + std::string(70, '-'),
        ind + "Warning: SF<1 (1) (0.7) !",
        ind + "root safety too small",
        ind + "make the gear stronger",
        ind + std::string(70, '-'),
        "\f", // the page ends with a form-feed line on the screen device
    };
    EXPECT_EQ(tail, expected) << ::testing::PrintToString(lines);
}

// The 9-line head, the block's 5 lines (two blank) and 10 of the messages of
// 5 lines (text, three of help, rule) are 64 lines; the 11th's second line
// is the page's 66th: it opens page 2 (head, blank line, 3 + 5 lines).
TEST_F(MessagesTest, ErrorMessagesHeadsCountTheirPages)
{
    const std::string o(40, 'o');
    WriteFile(Temp("qyr7.err"), "Warning: long \r\n" + o + " " + o + " " + o + "\r\n\r\n");
    for (int i = 1; i <= 12; ++i) // with three-line help texts: more than the 66 lines of a page
        AddErrorMessage("Warning: long help " + std::to_string(i));
    ViewErrorMessages();
    EXPECT_NE(ShownReport.find("pg. 2/ 2"), std::string::npos) << ShownReport;
    const auto lines = Lines(ShownReport);
    EXPECT_EQ(lines.at(65) + lines.at(85) + lines.at(67).substr(66, 8), "\f\fpg. 2/ 2") << ShownReport;
}

TEST_F(MessagesTest, FatalErrorShowsTheListInsteadOfAReport)
{
    Collect({"Fatal  : Unit0"});
    telmvar.FatalCalcError = true;
    std::string text;
    uhelperr.MessageListAsText = [&](const std::string& T) { text = T; };
    ViewErrorMessages();
    EXPECT_EQ(ResultWindows, 0);
    EXPECT_NE(text.find("Fatal  : Unit0"), std::string::npos);
}

// The message texts of the calculation, the drawings and the reports,
// gathered from the calls that add them (and from the guarded math's tags,
// which name the quantity), each as the program writes it: a number or a
// gear where the code puts one in.
// Texts that name a file, a table or a block in their first fourteen
// characters are left out (no record could name every one of them), and so
// is the guarded math's frame "Error : " + tag (its tags are gathered where
// they are passed).
struct TWrittenMessage {
    std::string Text;
    bool InMesh; // a stage writes it again after the mesh: "... (S-Pi)"
    // The text before the first number or name the code puts in; the whole
    // text when there is none.
    std::string Fixed = Text;
};
std::vector<TWrittenMessage> MessagesInTheCalculation()
{
    // Message calls: the text is argument Arg; the guarded math and the
    // routines that hand a tag on add Before and After to it.
    const struct {
        std::regex Call;
        int Arg;
        const char *Before, *After;
    } formers[] = {
        {std::regex(
             R"(\b(AddErrorMessage|AddFatalMessage|AddErrorMessageParts|AddFactorMessage|Report|Refuse)"
             R"(|RefuseBearing|RefuseLifeTable|out\.Add|Warn|WarnHidable|AddJudgementMessage)\s*\()"),
         0, "", ""},
        {std::regex(R"(\b(SafePower|SafePowerOnce|SafePowerPair)\s*\()"), 0, "", " (pow)"},
        {std::regex(R"(\bKrFormula\s*\()"), 4, "", " (pow)"},
        {std::regex(R"(\b(SafeSqrt|SafeSqrt2|SqrtOfNegative|TipRootUnder)\s*\()"), 0, "", " (sqrt)"},
        {std::regex(R"(\b(SafeDivide|DivisionByZero)\s*\()"), 0, "", " (div)"},
        {std::regex(R"(\b(NamedArcCos|NamedArcCosOnce)\s*\()"), 0, "Error : ", " arccos(1.2)"},
    };
    // Not written into the message list: reading and writing project files,
    // their names, the spectrum editor.
    const std::set<std::string> notCalculation = {"projectfile.cpp", "filenames.cpp", "loadspectrum.cpp"};
    std::vector<TWrittenMessage> found;
    const fs::path src = fs::path(QYR7_SOURCE_DIR) / "src";
    std::vector<fs::path> files = {src / "foundation/guardedmath.cpp", src / "foundation/planegeo.cpp"};
    for (const char* dir : {"gearpair", "planetary", "drawings", "reports", "graphics"})
        for (const auto& e : fs::recursive_directory_iterator(src / dir))
            if (e.path().extension() == ".cpp" && !notCalculation.count(e.path().filename().string()))
                files.push_back(e.path());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string code((std::istreambuf_iterator<char>(in)), {});
        const std::string name = file.filename().string();
        // A mesh's texts but its design judgements come again in the stage.
        const bool inMesh = file.string().find("/gearpair/") != std::string::npos ||
                            name == "guardedmath.cpp" || name == "spectrumlife.cpp";
        for (const auto& f : formers)
            for (std::sregex_iterator m(code.begin(), code.end(), f.Call), end; m != end; ++m) {
                // The argument's parts, split at "+" (and "," in a list of
                // parts) outside literals and brackets; a literal part is
                // decoded, any other part stands for a number or a letter.
                // "c ? a : b" gives the texts a and b.
                std::vector<std::vector<std::pair<bool, std::string>>> args(1);
                std::string part;
                bool literal = false, other = false, choice = false;
                const auto endPart = [&] {
                    if (literal || other) args.back().push_back({literal && !other, part});
                    part.clear();
                    literal = other = false;
                };
                int depth = 0, braces = 0;
                for (std::size_t i = m->position() + m->length(); i < code.size() && depth >= 0; ++i) {
                    const char c = code[i];
                    const bool scope = c == ':' && (code[i + 1] == ':' || code[i - 1] == ':');
                    if (c == '"') {
                        for (++i; code[i] != '"'; ++i)
                            if (code[i] != '\\')
                                part += code[i];
                            else if (code[++i] == 'x')
                                part += static_cast<char>(std::stoi(code.substr(i + 1, 2), nullptr, 16)),
                                    i += 2;
                            else
                                part += code[i];
                        literal = true;
                    } else if (c == '(' || c == '[') {
                        ++depth, other = true;
                    } else if (c == ')' || c == ']') {
                        --depth;
                    } else if (c == '{' || c == '}') {
                        braces += c == '{' ? 1 : -1;
                    } else if (depth == 0 && (c == '+' || c == ',' || c == '?' || (c == ':' && !scope))) {
                        endPart();
                        if (c == ',' && braces == 0) args.emplace_back();
                        if (c == '?') args.back().clear(), choice = true;
                    } else if (!std::isspace(static_cast<unsigned char>(c))) {
                        other = true, part += c;
                    }
                }
                endPart();
                // A tag held in a named constant of the file.
                std::smatch held;
                if (static_cast<int>(args.size()) > f.Arg && args[f.Arg].size() == 1 &&
                    std::regex_match(args[f.Arg][0].second, std::regex(R"(\w+)")) &&
                    std::regex_search(code, held,
                                      std::regex("\\b" + args[f.Arg][0].second + R"re(\s*=\s*"([^"]*)")re")))
                    args[f.Arg][0] = {true, held[1]};
                if (static_cast<int>(args.size()) <= f.Arg || args[f.Arg].empty() || !args[f.Arg][0].first)
                    continue;
                std::vector<std::string> texts(1, f.Before), fixed(1);
                for (const auto& [isLiteral, text] : args[f.Arg]) {
                    if (choice && texts.back() != f.Before) texts.push_back(f.Before), fixed.emplace_back();
                    if (!isLiteral && fixed.back().empty()) fixed.back() = texts.back();
                    texts.back() += isLiteral ? text : "2";
                }
                for (std::size_t k = 0; k < texts.size(); ++k) {
                    std::string& t = texts[k];
                    // The guarded math's arc cosine ends its text with the value.
                    if (fixed[k].empty() && std::string_view(f.After).starts_with(" arccos("))
                        fixed[k] = t + " arccos(";
                    t += f.After;
                    if (fixed[k].empty()) fixed[k] = t;
                    const auto starts = [&t](const char* Start) { return t.rfind(Start, 0) == 0; };
                    if ((starts("file ") && fixed[k] != t) || starts("factor table ") ||
                        starts("QYRLIFE.DBF ") || starts("Blockname ") || starts("Error : 2") || t == f.After)
                        continue;
                    const bool judgement =
                        name == "warnings.cpp" || m->str().find("Judgement") != std::string::npos;
                    found.push_back({t, inMesh && !judgement, fixed[k]});
                }
            }
    }
    return found;
}

// Each message finds a record made for it: the record's key is the whole
// message, or for a message with a number or a name in it, its fixed start
// (one record serves the numbers). A record of another message that merely
// starts alike is no help for it.
TEST_F(MessagesTest, EveryMessageTheProgramWritesHasItsOwnHelp)
{
    std::ifstream in(std::string(QYR7_SOURCE_DIR) + "/data/qyr7.err", std::ios::binary);
    const std::string help((std::istreambuf_iterator<char>(in)), {});
    std::vector<TWrittenMessage> messages = MessagesInTheCalculation();
    for (const char* t :
         {"Fatal  : SH !", "eps.beta < 1 ! (2)", "Error  : g alpha (sqrt)", "Lastkoll: T2 > T2",
          "Fatal: q = 0 !", "Error : Fatal  : span measure ! arccos(1.2)", "Fatal  : d = 0 !",
          "Warning: operating pitch diameter dw = 0: no torsional backlash angle"})
        EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [t](auto& m) { return m.Text == t; }))
            << t << " not gathered";
    // The levels of a load spectrum are numbered within the message's start.
    for (int i = 3; i <= LoadSpectrumMax; ++i)
        messages.push_back({"Lastkoll: T" + std::to_string(i) + " > T" + std::to_string(i - 1), true});
    EXPECT_GT(messages.size(), 300u);
    const std::vector<std::string_view> lines = HelpLines(help);
    const auto trimmed = [](std::string_view t) { return t.substr(0, t.find_last_not_of(' ') + 1); };
    // The key of the record found for Message.
    const auto keyOf = [&](const std::string& Message) {
        const std::size_t k = FindMessageKeyLine(lines, Message);
        return k < lines.size() ? trimmed(lines[k]) : std::string_view("(none)");
    };
    for (const auto& [text, inMesh, fixed] : messages) {
        const std::string_view key = keyOf(text);
        const bool ownRecord =
            key == trimmed(text) || (fixed != text && (key.starts_with(fixed) || fixed.starts_with(key)));
        EXPECT_TRUE(ownRecord) << text << " shows the help of " << key;
        if (!inMesh) continue;
        for (const char* mesh : {" (S-Pi)", " (Pi-Pe)", " (Pe-H)"})
            EXPECT_TRUE(keyOf(text + mesh) == key || keyOf(text + mesh) == text + mesh)
                << text + mesh << " shows the help of " << keyOf(text + mesh);
    }
}

} // namespace
