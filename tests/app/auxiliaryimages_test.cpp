// Auxiliary images: the index file's line format, the browsing loop with its
// preselection, the index operations through the scratch file, and the
// HP-GL/2 output as one spool file. The user is played by the scripted
// platform; the pictures and the index live in a scratch picture directory.
#include "appfixture.h"

#include "app/auxiliaryimages.h"
#include "app/auxiliaryindex.h"
#include "common/askedboxes.h"
#include "dialogs/helptext.h"
#include "graphics/graphfacade.h"
#include "reports/engine/reportservices.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;
using platform::MessageAnswer;

namespace
{

std::string ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kPicture = "IN;SP1;PU0,0;PD400,400;\r\nPU;SP0;\r\n";

class AuxImages : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        DisplayList.Clear();
        telmvar.PltDir = dir.string();
        telmvar.TempDir = dir.string();
        telmvar.ProgramFileStem = "qyr7";
        for (const char* name : {"gear", "rack", "tool", "abcdefgh"})
            Write(std::string(name) + ".plt", kPicture);
        reportservices.SendToPrinterPort = [this](int Port, const std::string& File) {
            ports.push_back(Port);
            sent.push_back(ReadBytes(File));
            return portRefusal;
        };
    }
    void TearDown() override
    {
        DisplayList.Clear();
        AppTest::TearDown();
    }
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    void Index(const std::string& bytes) { Write("qyr7.dbh", bytes); }
    std::string Index() { return ReadBytes(dir / "qyr7.dbh"); }
    // One showing of the list window: act on it and close it.
    void Window(std::function<DialogAction(TForm_hilfebild&)> act)
    {
        headless->HeadlessDialogs().QueueScript([act](DialogModel& m) {
            act(static_cast<TForm_hilfebild&>(m));
            return DialogResult::Ok;
        });
    }
    void End()
    {
        Window([](TForm_hilfebild& f) { return f.Press("Button_ok"); });
    }
    platform::PromptsImplHeadless& Prompts() { return headless->HeadlessPrompts(); }
    // The pictures drawn: the picture files named by the window records'
    // neighbours are not in the list, so count the lines of the last one.
    int LinesDrawn()
    {
        int n = 0;
        for (std::string_view r : DisplayList.Records)
            if (r.rfind("4;", 0) == 0 || r.rfind("2;", 0) == 0) ++n;
        return n;
    }

    std::vector<int> ports;
    std::vector<std::string> sent;
    std::string portRefusal; // what the port says when it takes nothing
};

const std::string kThree = "\"gear\",\"Gear\"\r\n\"rack\",\"Basic rack\"\r\n\"tool\",\"Tool\"\r\n";

// ------------------------------------------------------------ line format

TEST_F(AuxImages, FieldsOfALine)
{
    struct Case {
        const char* line;
        const char* name;
        const char* description;
        std::size_t errors;
    } cases[] = {
        {"\"rack\",\"Basic rack\"", "rack", "Basic rack", 0},
        {"\"rack\",\"\"", "rack", "", 0},
        {"", "", "", 0},
        {"\"open", "open", "", 0},                // no closing quote: the line end ends it
        {"\"a\",\"b\",\"rest\"", "a", "b", 0},    // the rest of the line is skipped
        {"\"x\",\"say \"hi\"\"", "x", "say ", 0}, // a quote inside ends the field early
        // Unquoted fields: each opening is reported and the field read on
        // from the character after it.
        {"rack,\"x\"", "ack,", "", 2},
    };
    for (const Case& c : cases) {
        headless->HeadlessMessages().Reset();
        const TDbhRecord r = ParseDbhLine(c.line);
        EXPECT_EQ(r.Name, c.name) << c.line;
        EXPECT_EQ(r.Description, c.description) << c.line;
        EXPECT_EQ(Boxes().size(), c.errors) << c.line;
        for (const std::string& b : Boxes())
            EXPECT_EQ(b, "DBH file error");
    }
    EXPECT_EQ(DbhLine("rack", "say \"hi\""), "\"rack\",\"say 'hi'\"");
}

TEST_F(AuxImages, SafePictureNames)
{
    for (const char* bad : {"", "../x", "a/b", "a\\b", "..", "x\"y", "c:x"})
        EXPECT_FALSE(IsSafePictureName(bad)) << bad;
    for (const char* good : {"rack", "abcdefgh", "a.b", "x-1_y"})
        EXPECT_TRUE(IsSafePictureName(good)) << good;
}

// ---------------------------------------------------------------- browsing

TEST_F(AuxImages, HundredThirtyOneLinesShowHundredThirty)
{
    std::string bytes;
    for (int i = 1; i <= 131; ++i)
        bytes += "\"p" + std::to_string(i) + "\",\"picture " + std::to_string(i) + "\"\r\n";
    Index(bytes);
    Write("p1.plt", kPicture); // the first pass shows the first picture
    int count = 0;
    std::size_t items = 0;
    Window([&](TForm_hilfebild& f) {
        count = f.ItemCount;
        items = f.Items().size();
        return f.Press("Button_ok");
    });
    ShowAuxiliaryImages();
    EXPECT_EQ(count, 130);
    EXPECT_EQ(items, 130u);
    EXPECT_EQ(telmvar.TextItems[130], "p130    : picture 130");
    EXPECT_EQ(telmvar.TextItems[131], "-----  Append  -----");
    EXPECT_EQ(telmvar.TextItems[135], "-----  Print/Plot HP-GL/2  ------");
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(AuxImages, ATwelveCharacterNameIsCutToEight)
{
    Index("\"abcdefghijkl\",\"twelve\"\r\n");
    End();
    ShowAuxiliaryImages();
    EXPECT_EQ(telmvar.TextItems[1], "abcdefgh: twelve");
    EXPECT_GT(LinesDrawn(), 0) << "the first pass shows abcdefgh.plt";
    EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes()[0]);
}

TEST_F(AuxImages, ThePassAfterPictureThreePreselectsFour)
{
    Index(kThree + "\"gear\",\"Gear again\"\r\n");
    std::vector<int> preselected;
    Window([&](TForm_hilfebild& f) {
        preselected.push_back(f.Preselected);
        return f.ListBox1Change(2); // picture 3
    });
    Window([&](TForm_hilfebild& f) {
        preselected.push_back(f.Preselected);
        return f.Press("Button_ok");
    });
    ShowAuxiliaryImages();
    EXPECT_EQ(preselected, (std::vector<int>{2, 4}));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(winutil.SavedWindowLeft, 0);
}

TEST_F(AuxImages, WindowPlaceIsKept)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) {
        f.Left = 300;
        f.Top = 40;
        return f.Press("Button_ok");
    });
    ShowAuxiliaryImages();
    EXPECT_EQ(winutil.SavedWindowLeft, 300);
    EXPECT_EQ(winutil.SavedWindowTop, 40);
    int left = 0;
    Window([&](TForm_hilfebild& f) {
        left = f.Left;
        return f.Press("Button_ok");
    });
    ShowAuxiliaryImages();
    EXPECT_EQ(left, 300);
}

TEST_F(AuxImages, WithoutAnIndexTheUserPicksAFile)
{
    headless->HeadlessFiles().QueueAnswer((dir / "rack.plt").string());
    headless->HeadlessFiles().QueueAnswer(std::nullopt);
    ShowAuxiliaryImages();
    EXPECT_GT(LinesDrawn(), 0);
    EXPECT_EQ(headless->HeadlessFiles().Requests().size(), 2u);
    EXPECT_FALSE(telmvar.Aborted);
}

// --------------------------------------------------------------- operations

TEST_F(AuxImages, DeletingLineTwoOfThreeKeepsOneAndThree)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 1;
        return f.Press("Button_loeschen");
    });
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    End();
    ShowAuxiliaryImages();
    EXPECT_EQ(Index(), "\"gear\",\"Gear\"\r\n\"tool\",\"Tool\"\r\n");
    EXPECT_FALSE(fs::exists(dir / "$$$.dbh"));
    EXPECT_EQ(telmvar.HelpNumber, 2300);
}

TEST_F(AuxImages, ADescriptionWithAQuoteReadsBackWithAnApostrophe)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) { return f.Press("Button_neu"); });
    headless->HeadlessFiles().QueueAnswer((dir / "abcdefgh.plt").string());
    Prompts().QueueText(std::string("the \"new\" one"));
    End();
    ShowAuxiliaryImages();
    EXPECT_EQ(Index(), kThree + "\"abcdefgh\",\"the 'new' one\"\r\n");
    std::vector<TDbhRecord> records;
    ASSERT_TRUE(ReadDbhIndex(records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[3].Description, "the 'new' one");
    ASSERT_FALSE(Boxes().empty());
    EXPECT_NE(AskedAt(Boxes(), 0).find("double quote"), std::string::npos) << AskedAt(Boxes(), 0);
}

TEST_F(AuxImages, EditAndInsertThroughTheScratchFile)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 2;
        return f.Press("Button_aendern");
    });
    Prompts().QueueText(std::string("abcdefgh"));
    Prompts().QueueText(std::string("Changed"));
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 0;
        return f.Press("Button_einfuegen");
    });
    headless->HeadlessFiles().QueueAnswer((dir / "rack.plt").string());
    Prompts().QueueText(std::string("First"));
    End();
    ShowAuxiliaryImages();
    EXPECT_EQ(Index(), "\"rack\",\"First\"\r\n\"gear\",\"Gear\"\r\n\"rack\",\"Basic rack\"\r\n"
                       "\"abcdefgh\",\"Changed\"\r\n");
    ASSERT_GE(Prompts().TextPrompts().size(), 2u);
    EXPECT_EQ(Prompts().TextPrompts()[0].Text, "tool") << "the name offered";
    EXPECT_EQ(Prompts().TextPrompts()[1].Text, "Tool") << "the description offered";
}

TEST_F(AuxImages, APictureNameLeavingTheDirectoryIsRefused)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 0;
        return f.Press("Button_aendern");
    });
    Prompts().QueueText(std::string("../../x"));
    ShowAuxiliaryImages();
    EXPECT_EQ(Index(), kThree);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(AskedAt(Boxes(), 0), "invalid picture name \"../../x\" !");
}

TEST_F(AuxImages, AFailedRewriteLeavesTheIndex)
{
    Index(kThree);
    fs::create_directories(dir / "$$$.dbh"); // the scratch file cannot be made
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 0;
        return f.Press("Button_loeschen");
    });
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    ShowAuxiliaryImages();
    EXPECT_EQ(Index(), kThree);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_GE(Boxes().size(), 1u) << "the failure is reported";
}

// The index's name taken by a directory: the finished scratch file cannot replace it, even for root.
TEST_F(AuxImages, AnIndexThatCannotBeReplacedIsNamedWithTheReason)
{
    fs::create_directories(dir / "qyr7.dbh" / "x");
    EXPECT_FALSE(RewriteDbhIndex(TDbhChange::Insert, 1, "\"gear\",\"Gear\""));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"file " + (dir / "qyr7.dbh").string() +
                                                " cannot be written: Is a directory"});
    EXPECT_FALSE(fs::exists(DbhScratchFileName())) << "the rewritten copy is left behind";
}

// ----------------------------------------------------------------- plotting

struct PlotCase {
    const char* name;
    MessageAnswer switching;
    std::string expected;         // with the picture's bytes at "%P"
    std::string portRefusal = ""; // the port takes nothing
    std::string box = "";
};

void PrintTo(const PlotCase& c, std::ostream* os)
{
    *os << c.name;
}

class Plot : public AuxImages, public ::testing::WithParamInterface<PlotCase>
{
};

TEST_P(Plot, OneFileToThePort)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) {
        f.ItemIndex = 1;
        return f.Press("Button_plot");
    });
    Prompts().QueueText(std::string("4"));
    headless->HeadlessMessages().QueueAnswer(GetParam().switching);
    portRefusal = GetParam().portRefusal;
    End();
    ShowAuxiliaryImages();
    std::vector<std::string> boxes = {"Insert HP-GL/2 switching command ?"};
    if (!portRefusal.empty())
        boxes.push_back(GetParam().box + (dir / "rack.plt").string() + ": " + portRefusal);
    EXPECT_EQ(Boxes(), boxes);
    std::string expected = GetParam().expected;
    expected.replace(expected.find("%P"), 2, kPicture);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], expected);
    EXPECT_EQ(ports, std::vector<int>{4});
    EXPECT_EQ(Prompts().TextPrompts().at(0).Prompt, "printer port (max = 4, default=1)");
    EXPECT_EQ(Prompts().TextPrompts().at(0).Text, "1");
    EXPECT_FALSE(fs::exists(dir / "hpgl2plt.prn")) << "the spool file is removed";
}

INSTANTIATE_TEST_SUITE_P(Cases, Plot,
                         ::testing::Values(PlotCase{"WithSwitching", MessageAnswer::Yes,
                                                    "\x1B"
                                                    "E"
                                                    "\x1B"
                                                    "%0B\r\n%P\x1B"
                                                    "%0A\r\n\x1B"
                                                    "E\r\n"},
                                           PlotCase{"WithoutSwitching", MessageAnswer::No, "%P"},
                                           PlotCase{"PortThatTakesNothing", MessageAnswer::No, "%P",
                                                    "printer port LPT4 does not exist on this system",
                                                    "printer port LPT4 did not take "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AuxImages, CancelledPlotSendsNothing)
{
    Index(kThree);
    Window([](TForm_hilfebild& f) { return f.Press("Button_plot"); });
    Prompts().QueueText(std::string("2"));
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::Cancel);
    ShowAuxiliaryImages();
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(telmvar.Aborted);
}

// ------------------------------------------------------------- list window

TEST_F(AuxImages, ListWindowCommands)
{
    for (int i = 1; i <= 3; ++i)
        telmvar.TextItems[i] = "item";
    TForm_hilfebild f;
    f.ItemCount = 3;
    f.Preselected = 3;
    f.FormShow();
    EXPECT_EQ(f.ItemIndex, 2);
    EXPECT_EQ(f.SpinButton1DownClick(), DialogAction::Accept);
    EXPECT_EQ(f.ItemIndex, 2) << "not beyond the last";
    f.SpinButton1UpClick();
    f.SpinButton1UpClick();
    f.SpinButton1UpClick();
    EXPECT_EQ(f.ItemIndex, 0) << "not before the first";
    EXPECT_EQ(f.Press("Button_neu"), DialogAction::Accept);
    EXPECT_EQ(f.Command, TForm_hilfebild::CmdNew);
    EXPECT_EQ(f.ItemIndex, 2);
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(f.Command, TForm_hilfebild::CmdShow);
    EXPECT_EQ(f.Caption(), "QYR7 Auxiliary Images");
}

// ------------------------------------------------------- shipped pictures

TEST_F(AuxImages, ShippedIndexListsPicturesThatHp2xxConverts)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    std::vector<TDbhRecord> records;
    ASSERT_TRUE(ReadDbhIndex(records));
    ASSERT_FALSE(records.empty());
    for (const TDbhRecord& r : records)
        EXPECT_TRUE(fs::exists(fs::path(QYR7_DATA_DIR) / (r.Name + ".plt"))) << r.Name;
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(QYR7_DATA_DIR)) {
        if (entry.path().extension() != ".plt") continue;
        ++pictures;
        const fs::path out = dir / (entry.path().stem().string() + ".png");
        // hp2xx keeps an output name of a limited length: it is given one
        // inside the directory it runs in.
        const std::string cmd = "cd '" + dir.string() + "' && /usr/bin/hp2xx -q -m png -f '" +
                                out.filename().string() + "' '" + entry.path().string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << entry.path();
        EXPECT_GT(fs::exists(out) ? fs::file_size(out) : 0, 0u) << entry.path();
    }
    EXPECT_GE(pictures, 3);
}

} // namespace

namespace
{

// A batch run has nobody to close the list window: the browsing ends after
// the first picture instead of showing it again and again.
TEST_F(AuxImages, BrowsingEndsInABatchRun)
{
    Index(kThree);
    platform::PlatformHeadless batch{platform::HeadlessMode::Batch};
    std::ostringstream quiet;
    batch.SetStreams(&quiet, &quiet);
    platform::ScopedPlatform use{batch};
    ShowAuxiliaryImages();
    EXPECT_EQ(batch.HeadlessDialogs().ShownDialogs().size(), 1u);
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace
