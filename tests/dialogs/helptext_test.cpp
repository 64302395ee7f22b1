// Help entries: which file holds an entry, the header and sub-entry rules,
// the hints at each help level, the text box and the picture, and the help
// files the program ships.
#include "common/askedboxes.h"
#include "common/tempdir.h"
#include "dialogs/helptext.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "planetary/bearings/planetbearing.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

std::string Crlf(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* l : lines)
        s += std::string(l) + "\r\n";
    return s;
}

class HelpText : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        DisplayList.Clear();
        dir = testdirs::MakeTempDir("help");
        telmvar.PltDir = dir.string();
        telmvar.ProgramFileStem = "QYR7";
    }
    void TearDown() override
    {
        DisplayList.Clear();
        testdirs::RemoveTempDir(dir.string());
    }
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::vector<std::string> Boxes()
    {
        std::vector<std::string> v;
        for (const auto& a : hp.HeadlessMessages().AskedQuestions())
            v.push_back(a.Request.Caption + "|" + a.Request.Text);
        return v;
    }
    int Records(int kind)
    {
        int n = 0;
        for (std::string_view r : DisplayList.Records)
            if (r.rfind(std::to_string(kind) + ";", 0) == 0) ++n;
        return n;
    }

    fs::path dir;
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
};

TEST_F(HelpText, FileByEntryNumber)
{
    const std::string d = fs::path(telmvar.PltDir + "/").string();
    EXPECT_EQ(HelpFileName(4800), d + "qyr7.hlp");
    EXPECT_EQ(HelpFileName(4000), d + "qyr7.hlp");
    EXPECT_EQ(HelpFileName(3995), d + "telmora.hlp");
    EXPECT_EQ(HelpFileName(1940), d + "telmora.hlp");
}

TEST_F(HelpText, HeaderParsing)
{
    struct Case {
        const char* line;
        int32_t number;
        const char* picture;
    } cases[] = {
        {"4800:P", 4800, "P"},     {"1605", 1605, "NULL"}, {"1610:a:b", 1610, "a:b"},
        {"Text line", -1, "NULL"}, {"12", 12, "NULL"},     {"1234abc", 1234, "NULL"},
        {"", -1, "NULL"},          {"12 x: y", -1, "y"},   {"2300: auxhelp ", 2300, "auxhelp"},
    };
    for (const Case& c : cases) {
        int32_t n = 0;
        std::string p;
        ParseHelpHeader(c.line, n, p);
        EXPECT_EQ(n, c.number) << c.line;
        EXPECT_EQ(p, c.picture) << c.line;
    }
}

struct HintCase {
    const char* name;
    std::string file;
    uint16_t entry;
    uint16_t level;
    std::string hint;
};

void PrintTo(const HintCase& c, std::ostream* os)
{
    *os << c.name;
}

class Hint : public HelpText, public ::testing::WithParamInterface<HintCase>
{
};

TEST_P(Hint, FromTheEntry)
{
    const HintCase& c = GetParam();
    Write("telmora.hlp", c.file);
    telmvar.HelpLevel = c.level;
    telmvar.Aborted = true;
    EXPECT_EQ(GetHelpHint(c.entry), c.hint);
    EXPECT_FALSE(telmvar.Aborted);
}

const std::string kFile = Crlf({"1595",      "Program directory.",
                                "1600",      "Data directory.",
                                "1605",      "Working",
                                "directory", "1610:pic",
                                "l1",        "l2",
                                "l3",        "l4",
                                "l5",        "l6 not shown",
                                "1615",      "head",
                                "1616",      "second",
                                "1618",      "fourth",
                                "1620",      "tail of",
                                "1621",      "the file"});

INSTANTIATE_TEST_SUITE_P(Cases, Hint,
                         ::testing::Values(
                             // Ended at the next header: one line, the number at level 2 only.
                             HintCase{"OneLineLevel1", kFile, 1600, 1, "Data directory.    "},
                             HintCase{"OneLineLevel2", kFile, 1600, 2, "Data directory.     (1600)"},
                             HintCase{"TwoLines", kFile, 1605, 2, "Working directory    (1605)"},
                             // Five full lines end the entry before the next header: no number.
                             HintCase{"FiveLinesNoNumber", kFile, 1610, 2, "l1 l2 l3 l4 l5"},
                             // Sub-entries 1616 and 1618 fill lines 2 and 4; line 3 stays empty.
                             HintCase{"SubEntries", kFile, 1615, 1, "head second  fourth "},
                             // The last entry of the file, its last line the file's last line.
                             HintCase{"LastEntry", kFile, 1620, 2, "tail of the file   "},
                             HintCase{"LastEntryWithoutLineEnd", "1620\r\nonly", 1620, 1, "only    "},
                             HintCase{"FirstEntry", kFile, 1595, 1, "Program directory.    "},
                             HintCase{"Missing", kFile, 1625, 2, "help text No 1625: No help available."},
                             HintCase{"EmptyFile", "", 1600, 1, "help text No 1600: No help available."},
                             HintCase{"LfOnly", "1600\nlf\n1605\nx\n", 1600, 1, "lf    "},
                             HintCase{"DisplayCodePage", "1600\r\n20\xF8 C\r\n", 1600, 1, "20\xB0 C    "},
                             // Long lines stay whole.
                             HintCase{"LongLine", "1600\r\n" + std::string(300, 'x') + "\r\n", 1600, 1,
                                      std::string(300, 'x') + "    "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpText, MissingFileAndNumberZero)
{
    telmvar.HelpNumber = 4810;
    EXPECT_EQ(GetHelpHint(0), "File " + fs::path(telmvar.PltDir + "/").string() + "qyr7.hlp not found !");
}

TEST_F(HelpText, ShowTextAndPictureByMode)
{
    Write("telmora.hlp", kFile);
    Write("pic.plt", "IN;SP1;PU0,0;PD400,400;\r\n");
    Write("null.plt", "IN;SP1;PU0,0;PD400,0,400,400;\r\n");

    // An entry without a picture: the box, and the window cleared for a new
    // picture that stays empty.
    DisplayList.Records = {"4;1;1;2;2"};
    ShowHelpText(1605, 0, 0);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"HELP TEXT No.1605|Working directory    "});
    EXPECT_EQ(Records(4) + Records(2), 0) << "old picture cleared, nothing drawn";
    EXPECT_EQ(Records(10), 1) << "the world window 0..160 x 0..120";

    ShowHelpText(1610, 0, 2);
    EXPECT_EQ(Boxes().size(), 1u) << "mode 2: picture only";
    EXPECT_GT(Records(4) + Records(2), 0) << "pic.plt drawn";

    // A missing entry draws the picture "null".
    ShowHelpText(1625, 0, 0);
    EXPECT_EQ(AskedAt(Boxes()), "HELP TEXT No.1625|help text No 1625: No help available.     ");
    EXPECT_GT(Records(4) + Records(2), 0) << "null.plt drawn";

    DisplayList.Records = {"4;1;1;2;2"};
    telmvar.HelpNumber = 1600;
    ShowHelpText(0, 0, 1);
    ShowHelpText(1600, 0, 3);
    EXPECT_EQ(AskedAt(Boxes()), "HELP TEXT No.1600|Data directory.     ");
    EXPECT_EQ(Boxes().size(), 3u) << "mode 3 shows nothing";
    EXPECT_EQ(DisplayList.Records, std::vector<std::string>{"4;1;1;2;2"}) << "mode 1 leaves the picture";

    // Mode 2 of an entry without a picture: its text, and the drawing stays.
    ShowHelpText(1605, 0, 2);
    EXPECT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(AskedAt(Boxes()), "HELP TEXT No.1605|Working directory    ");
    EXPECT_EQ(DisplayList.Records, std::vector<std::string>{"4;1;1;2;2"});
}

// The help numbers the sources name, with a place each: the four-digit
// numbers in the code of a line that speaks of help or hints, of a table row
// that pairs a text with a number, or of a call that passes one. A number a
// sum starts from (base + 5 * type) is no entry itself.
std::map<int, std::string> HelpNumbersInSources()
{
    const std::regex strings(R"("(?:[^"\\]|\\.)*")");
    const std::regex named(R"(help|hint)", std::regex::icase);
    const std::regex row(R"(\{\s*(std::string\()?""|AskCount\(|SheetFormButton\()");
    const std::regex number(R"((?:^|[^\w.])([1-9]\d{3})(?![\w.]|\s*\+))");
    std::map<int, std::string> found;
    for (const auto& f : fs::recursive_directory_iterator(fs::path(QYR7_SOURCE_DIR) / "src")) {
        const std::string ext = f.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(f.path(), std::ios::binary);
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) {
            const auto digit = [](char c, int) { return c >= '0' && c <= '9'; };
            if (std::search_n(line.begin(), line.end(), 4, 0, digit) == line.end()) continue;
            std::string code = std::regex_replace(line, strings, "\"\"");
            code = code.substr(0, code.find("//"));
            if (!std::regex_search(line, named) && !std::regex_search(code, row)) continue;
            for (std::sregex_iterator m(code.begin(), code.end(), number), end; m != end; ++m)
                found.emplace(std::stoi((*m)[1]), f.path().filename().string() + ":" + std::to_string(n));
        }
    }
    return found;
}

// Every help number a dialog, hint, button or prompt asks for has a text in
// the shipped files.
TEST_F(HelpText, EveryNumberTheSourcesNameHasAText)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    std::map<int, std::string> inUse = HelpNumbersInSources();
    for (const int n : {1050, 2730, 3000, 3210, 5400, 5680, 5855, 6400, 8320, 9165})
        EXPECT_TRUE(inUse.count(n)) << n << " not gathered";
    EXPECT_FALSE(inUse.count(8400) || inUse.count(1103)) << "a base or an error code gathered";
    // The bearing catalogue's entry of each bearing type: 8400 + 5 * type.
    for (int t = BearingTypeNames.Low; t <= BearingTypeNames.High; ++t)
        inUse.emplace(8400 + 5 * t, "bearing type " + std::to_string(t));
    for (const auto& [n, where] : inUse) {
        const THelpEntry e = ReadHelpEntry(static_cast<uint16_t>(n));
        EXPECT_TRUE(e.Found && !e.Lines[1].empty()) << n << " (" << where << ")";
    }
}

// The shipped help files: every entry the program's dialogs, prompts and
// menus use is there, in the DOS code page with CR LF line ends.
TEST_F(HelpText, ShippedFilesHoldEveryEntryInUse)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    const uint16_t inUse[] = {
        1000, 1210, 1970,                                     // online input, message list
        2300, 2310, 2320, 2330, 2340, 2350, 2360, 2365, 2370, // auxiliary images
        1300, 1305, 1310, 1555, 1570, 1580, 1585, 1590, 1595, 1600, 1605, 1610, 1615, 1670,
        1710, 1715, 1720, 1725, 1730, 1735, 1740, 1750, 1755, 1800, 1810, 1830, 1920, 1930,
        1935, 1940, 1950, 1960, 1980, 2500, 2530, 2535, 2540, 2545, 2550, 2820, // configuration dialog
        4000, 4800,                                                             // program overview
    };
    for (uint16_t n : inUse) {
        const THelpEntry e = ReadHelpEntry(n);
        EXPECT_TRUE(e.Found) << n;
        EXPECT_FALSE(e.Lines[1].empty()) << n;
        if (e.Picture != "NULL") {
            EXPECT_TRUE(fs::exists(fs::path(QYR7_DATA_DIR) / (e.Picture + ".plt"))) << n;
        }
    }
    for (const char* says :
         {"3210 right click", "3210 at once", "2450 every field", "3500 Quality:", "3500 CAD"}) {
        const THelpEntry e = ReadHelpEntry(static_cast<uint16_t>(std::atoi(says)));
        const std::string text = e.Lines[1] + e.Lines[2] + e.Lines[3] + e.Lines[4] + e.Lines[5];
        EXPECT_NE(text.find(says + 5), std::string::npos) << says;
    }
    for (const char* name : {"telmora.hlp", "qyr7.hlp"}) {
        std::ifstream in(fs::path(QYR7_DATA_DIR) / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        const std::string bytes = s.str();
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n') {
                ASSERT_EQ(bytes[i - 1], '\r') << name << " has a bare LF at " << i;
            }
    }
}

} // namespace
