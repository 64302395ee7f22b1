// The table browser on copies of the shipped tables: picking, the record
// number edit, ordering by a title, search, pack, and the exports judged by
// tools written apart from this program (tidy, html5lib, dbfread, Python's
// csv, dbview).
#include "browser_fixture.h"
#include "common/askedboxes.h"
#include "common/testlocales.h"
#include "xbase/core/dbdates.h"

#include "common/validators.h"
#include "xbase/dbf/dbffile.h"

#include <cctype>
#include <csignal>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/resource.h>

namespace
{

namespace fs = std::filesystem;

// Compares an export with the table as python3-dbfread reads it. Mode
// "html": the cells of every <TR> after the heading row (html5lib); mode
// "csv": the rows of Python's csv reader. A number cell equals the number,
// a text cell the text without its trailing blanks. Prints "OK" or the first
// difference.
const char* const CompareScript = R"PY(
import sys, csv, dbfread
mode, path, table = sys.argv[1], sys.argv[2], sys.argv[3]
t = dbfread.DBF(table, encoding='cp1252', char_decode_errors='strict')
want = [[r[f.name] for f in t.fields] for r in t]
if mode == 'html':
    import html5lib
    doc = html5lib.parse(open(path, 'rb').read(), namespaceHTMLElements=False, transport_encoding='cp1252')
    trs = doc.findall('.//tr')
    head = [''.join(td.itertext()) for td in trs[0].findall('td')]
    if head != [f.name for f in t.fields]:
        print('heading', head); sys.exit(0)
    got = [[''.join(td.itertext()) for td in tr.findall('td')] for tr in trs[1:]]
else:
    # The delimited format ends in the DOS end-of-file byte.
    text = open(path, newline='', encoding='cp1252').read()
    got = list(csv.reader(text[:-1].splitlines(True) if text.endswith('\x1a') else text.splitlines(True)))
if len(got) != len(want):
    print('rows', len(got), len(want)); sys.exit(0)
for i, (g, w) in enumerate(zip(got, want)):
    if len(g) != len(w):
        print('cells', i, g, w); sys.exit(0)
    for c, v in zip(g, w):
        if v is None:
            ok = c.strip() == ''
        elif isinstance(v, (int, float)) and not isinstance(v, bool):
            ok = c.strip() != '' and abs(float(c) - v) < 1e-9
        else:
            ok = c.rstrip() == str(v)
        if not ok:
            print('cell', i, repr(c), repr(v)); sys.exit(0)
print('OK')
)PY";

std::string Compare(const std::string& dir, const std::string& mode, const std::string& file,
                    const std::string& table)
{
    const std::string script = dir + "/compare.py";
    std::ofstream(script) << CompareScript;
    return BrowserTest::Run("/usr/bin/python3 " + script + " " + mode + " '" + file + "' '" + table +
                            "' 2>&1");
}

class Browser : public BrowserTest
{
  protected:
    // Shows the browser through Tdbf4::Browse; the script acts on the form.
    void Browse(const std::string& action, uint16_t mode,
                std::function<platform::DialogResult(TDbfBrowserForm&)> act)
    {
        headless.HeadlessDialogs().QueueScript([act](platform::DialogModel& m) {
            TDbfBrowserForm form(static_cast<TDbfBrowserModel&>(m));
            form.FormShow();
            return act(form);
        });
        dbf4.Browse(action, mode);
    }
    static platform::DialogResult Result(platform::DialogAction a)
    {
        return a == platform::DialogAction::Accept ? platform::DialogResult::Ok
                                                   : platform::DialogResult::Cancel;
    }
};

TEST_F(Browser, CloseActionPicksTheClickedRowAtOnce)
{
    OpenShipped("qyrwst");
    telmvar.Aborted = true;
    Browse("CLOSE", 1, [](TDbfBrowserForm& f) {
        EXPECT_FALSE(f.FindMenu("mi_editPack")->Visible) << "pick mode hides editing";
        EXPECT_FALSE(f.Navigator.Visible(TNavigateBtn::nbDelete));
        return Result(f.CellClick(3, 0));
    });
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(telmvar.SelectedRecordNo, 3);
    EXPECT_EQ(telmvar.LastKeyChar, 13);
}

TEST_F(Browser, CancelLeavesAbortedAndEscape)
{
    OpenShipped("qyrwst");
    Browse("", 2, [](TDbfBrowserForm& f) {
        EXPECT_TRUE(f.FindMenu("mi_editPack")->Visible) << "edit mode shows the edit menu";
        return Result(f.Press("Button_cancel"));
    });
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(telmvar.LastKeyChar, 27);
}

TEST_F(Browser, RecordNumberEditReachesEveryRecordTheLastIncluded)
{
    OpenShipped("qyrwst");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    const int32_t last = dbf4.RecordCount();
    ASSERT_GT(last, 3);
    f.EditRecnoChanged("2");
    EXPECT_EQ(dbf4.RecNo(), 2);
    f.EditRecnoChanged(std::to_string(last));
    EXPECT_EQ(dbf4.RecNo(), last) << "the last record must be reachable";
    for (const char* bad : {"0", "-1", "abc", "3x"}) {
        f.EditRecnoChanged(bad);
        EXPECT_EQ(dbf4.RecNo(), last) << bad;
    }
    f.EditRecnoChanged(std::to_string(last + 1));
    EXPECT_EQ(dbf4.RecNo(), last);
    EXPECT_EQ(f.LabelReccount, "/" + std::to_string(last));
}

// A number beyond the 32-bit range is no record number: 2^32 + 2 does not
// wrap around to record 2.
TEST_F(Browser, RecordNumberBeyondTheIntegerRangeMovesNowhere)
{
    OpenShipped("qyrwst");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    f.EditRecnoChanged("4294967298");
    EXPECT_EQ(dbf4.RecNo(), 1);
    EXPECT_EQ(m.RecordNo, 1);
}

TEST_F(Browser, RightClickOnTheThirdTitleOrdersByField3AndKeepsTheRecord)
{
    OpenShipped("qyrwst");
    TDbfBrowserModel m;
    std::string index;
    {
        TDbfBrowserForm f(m);
        dbf4.GoRecord(5);
        const std::string before = dbf4.FieldText(1);
        EXPECT_TRUE(f.Grid.TitleMouseUp(TTzMouseButton::Right, 2, {}));
        EXPECT_EQ(f.Grid.DepressedColumn(), 2);
        EXPECT_EQ(dbf4.FieldText(1), before) << "the same record stays current";
        index = f.SortIndexPath();
        ASSERT_FALSE(index.empty());
        EXPECT_EQ(index.find("$teltemp"), std::string::npos) << "no shared index name";
        EXPECT_TRUE(fs::exists(index + ".ndx") || fs::exists(index + ".NDX"));
        // Walking the table now goes in field 3's order.
        dbf4.First();
        std::string prev = dbf4.FieldText(3);
        std::set<int32_t> seen{dbf4.RecNo()};
        for (int32_t i = 2; i <= dbf4.RecordCount(); ++i) {
            dbf4.tzdbf.Next();
            const std::string cur = dbf4.FieldText(3);
            EXPECT_LE(prev, cur) << "record " << dbf4.RecNo();
            prev = cur;
            seen.insert(dbf4.RecNo());
        }
        EXPECT_EQ(static_cast<int32_t>(seen.size()), dbf4.RecordCount()) << "every record once";
        // The grid's rows follow the same order, the record kept.
        dbf4.GoRecord(5);
        f.Grid.LoadIndexOrder();
        const auto rows = f.Grid.Page(1, 1000);
        ASSERT_EQ(static_cast<int32_t>(rows.size()), dbf4.RecordCount());
        for (std::size_t i = 1; i < rows.size(); ++i)
            EXPECT_LE(rows[i - 1].Cells[2], rows[i].Cells[2]) << "row " << i;
        EXPECT_EQ(rows[static_cast<std::size_t>(f.Grid.RowOfRecord(5) - 1)].RecNo, 5);
        EXPECT_EQ(dbf4.RecNo(), 5);
    }
    EXPECT_FALSE(fs::exists(index + ".ndx") || fs::exists(index + ".NDX"))
        << "the sort index goes with the browser";
}

TEST_F(Browser, TwoBrowsersSortIntoTwoFiles)
{
    OpenShipped("qyrwst");
    TDbfBrowserModel m1, m2;
    TDbfBrowserForm a(m1), b(m2);
    a.DepressTitle(0);
    b.DepressTitle(1);
    EXPECT_NE(a.SortIndexPath(), b.SortIndexPath());
}

TEST_F(Browser, SearchMissSaysNotFoundAndStays)
{
    OpenShipped("qyrwst");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    dbf4.GoRecord(2);
    headless.HeadlessPrompts().QueueText(std::string("zzzqqq"));
    f.Press("Button_search");
    ASSERT_FALSE(headless.HeadlessMessages().AskedQuestions().empty());
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "zzzqqq not found");
    EXPECT_EQ(dbf4.RecNo(), 2);
    // Cancel in the prompt: nothing searched, Aborted cleared.
    headless.HeadlessPrompts().QueueText(std::nullopt);
    telmvar.Aborted = true;
    f.Press("Button_search");
    EXPECT_FALSE(telmvar.Aborted);
}

// Search and Locate of the materials table take a number with "." or "," on a desktop that writes a decimal
// comma and on one that writes a point (the catalogue's source: NU of record 18 is 0.275, of 19 0.260, RHO of
// 19 7.20); a miss names the text as typed, the o-umlaut of code page 1252 (0xF6) as itself.
class BrowserSearch : public Browser,
                      public ::testing::WithParamInterface<std::tuple<const char*, const char*>>
{
};
TEST_P(BrowserSearch, FindsEitherDecimalMarkAndNamesAMissAsTyped)
{
    const auto [desktop, typed] = GetParam();
    testlocales::ScopedDesktop scope(desktop);
    ASSERT_TRUE(scope.Ok());
    InitNationalSettings();
    OpenShipped("qyrwst");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    const std::map<std::string, std::pair<int32_t, std::string>> want{{"0.275", {18, "NU"}},
                                                                      {"0,275", {18, "NU"}},
                                                                      {"0,26", {19, ""}},
                                                                      {"7,2", {19, "RHO"}},
                                                                      {"Stahl \xF6", {2, ""}}};
    const auto [recNo, field] = want.at(typed);
    dbf4.GoRecord(2);
    headless.HeadlessPrompts().QueueText(std::string(typed));
    f.Press("Button_search");
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_EQ(asked.empty() ? "" : AskedAt(asked).Request.Text,
              recNo == 2 ? typed + std::string(" not found") : "");
    EXPECT_EQ(dbf4.RecNo(), recNo);
    dbf4.GoRecord(2);
    if (!field.empty()) EXPECT_TRUE(dbf4.tzdbf.Locate(field, {typed}, false, false) && dbf4.RecNo() == recNo);
}
INSTANTIATE_TEST_SUITE_P(
    Desktops, BrowserSearch,
    ::testing::Combine(::testing::Values("LANG=de_DE.UTF-8", "LC_ALL=de_DE.UTF-8", "LC_ALL=C"),
                       ::testing::Values("0.275", "0,275", "0,26", "7,2", "Stahl \xF6")),
    [](const auto& info) {
        // "LC_ALL_de_DE_UTF_8_0Point275", "LANG_de_DE_UTF_8_Stahl_oe".
        std::string name;
        for (const char c : std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param)) {
            const bool afterDigit = !name.empty() && std::isdigit(static_cast<unsigned char>(name.back()));
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
            else if (c == '.' && afterDigit)
                name += "Point";
            else if (c == ',')
                name += "Comma";
            else
                name += c == '\xF6' ? "oe" : "_";
        }
        return name;
    });

TEST_F(Browser, PackAfterDeleteLeavesOneRecordFewerForDbview)
{
    if (access("/usr/bin/dbview", X_OK) != 0) GTEST_SKIP() << "dbview not installed";
    const std::string file = OpenShipped("printout");
    const int32_t before = dbf4.RecordCount();
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    dbf4.GoRecord(1);
    f.Navigator.Click(TNavigateBtn::nbDelete);
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Yes);
    f.Press("mi_editPack");
    EXPECT_EQ(dbf4.RecordCount(), before - 1);
    EXPECT_EQ(f.LabelReccount, "/" + std::to_string(before - 1));
    dbf4.CloseTable();
    int rc = -1;
    const std::string out = Run("/usr/bin/dbview -b -t '" + file + "' 2>&1", &rc);
    EXPECT_EQ(rc, 0) << out;
    int lines = 0;
    std::istringstream in(out);
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) ++lines;
    EXPECT_EQ(lines, before - 1) << out;
}

TEST_F(Browser, HtmlOfAnEmptyTableHasTheHeadingRowOnly)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("empty.dbf"), {{"NAME", 'C', 10, 0, 0}, {"QTY", 'N', 5, 0, 0}}));
    dbf4.OpenTable(Path("empty.dbf"));
    std::ostringstream out;
    ASSERT_TRUE(
        WriteTableHtml(out, dbf4.tzdbf, {"empty", Path("empty.htm"), "QYR7V1.0", "01.01.2000 - 0:00"}));
    const std::string page = out.str();
    const std::string heading = "<TR><TD><CENTER>NAME</CENTER></TD><TD><CENTER>QTY</CENTER></TD></TR>\r\n";
    EXPECT_NE(page.find(heading), std::string::npos) << page;
    std::size_t rows = 0;
    for (std::size_t p = page.find("<TR>"); p != std::string::npos; p = page.find("<TR>", p + 1))
        ++rows;
    EXPECT_EQ(rows, 1u) << page;
    EXPECT_EQ(page.substr(0, 8), "<HTML>\r\n");
    EXPECT_NE(page.find("<TABLE BORDER = \"1\" WIDTH= \"100%\">\r\n"), std::string::npos);
}

TEST_F(Browser, HtmlEscapesMarkupInNamesAndTexts)
{
    EXPECT_EQ(TableHtmlEscape("a<b & \"c\" >d"), "a&lt;b &amp; &quot;c&quot; &gt;d");
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("m.dbf"), {{"NAME", 'C', 10, 0, 0}}));
    dbf4.OpenTable(Path("m.dbf"));
    ASSERT_TRUE(dbf4.tzdbf.ALock());
    dbf4.SetFieldTextByName("NAME", "<b>x&y");
    ASSERT_TRUE(dbf4.AppendRecord());
    std::ostringstream out;
    WriteTableHtml(out, dbf4.tzdbf, {"a<b", "a<b.htm", "P", "D"});
    EXPECT_NE(out.str().find("<TD>&lt;b&gt;x&amp;y    </TD>"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("<title>a&lt;b</title>"), std::string::npos);
}

TEST_F(Browser, HtmlExportOfTheMaterialsTablePassesTidyAndEqualsDbfread)
{
    if (access("/usr/bin/tidy", X_OK) != 0 || !PythonHas("dbfread") || !PythonHas("html5lib"))
        GTEST_SKIP() << "tidy, python3-dbfread or python3-html5lib not installed";
    const std::string table = OpenShipped("qyrwst");
    TDbfBrowserModel m;
    m.TablePath = table;
    TDbfBrowserForm f(m);
    wtelmvar.HtmlBrowserPath = Path("browser");
    std::ofstream(Path("browser")) << "";
    const auto listing = [&] {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    };
    // The second name is as long as the file system allows (255 bytes).
    for (const std::string& name : {std::string("out dir & <page>.htm"), std::string(251, 'p') + ".htm"}) {
        const std::string page = Path(name);
        auto left = listing();
        left.insert(name);
        headless.HeadlessFiles().QueueAnswer(page);
        f.Press("mi_fileExportHtml");
        EXPECT_EQ(listing(), left) << "the page and no temporary file beside it";
        // The browser gets the file as one argument, whatever characters it has.
        const auto& launches = headless.HeadlessLauncher().Launches();
        ASSERT_FALSE(launches.empty());
        EXPECT_EQ(launches.back().Program, Path("browser"));
        EXPECT_EQ(launches.back().Arguments, std::vector<std::string>{page});
        int rc = -1;
        const std::string tidy = Run("/usr/bin/tidy -q -e '" + page + "' 2>&1", &rc);
        EXPECT_LT(rc, 2) << tidy;
        EXPECT_EQ(Compare(dir, "html", page, table), "OK\n");
    }
}

// No browser or a Windows path: the desktop's browser; a program that is
// there is started, one that is not is named.
TEST_F(Browser, HtmlExportOpensTheDesktopsBrowserOrTheConfiguredOne)
{
    OpenShipped("printout");
    std::ofstream(Path("browser")) << "";
    const auto& launches = headless.HeadlessLauncher().Launches();
    for (const auto& [setting, started] :
         std::vector<std::pair<std::string, std::string>>{{"", "desktop"},
                                                          {"c:\\Program Files\\IE\\Iexplore.exe", "desktop"},
                                                          {"c:/Programs/browser", "desktop"},
                                                          {Path("browser"), Path("browser")},
                                                          {Path("none"), Path("none") + " not found"}}) {
        TDbfBrowserModel m;
        TDbfBrowserForm f(m);
        headless.HeadlessFiles().QueueAnswer(Path("p.htm"));
        wtelmvar.HtmlBrowserPath = setting;
        const std::size_t before = launches.size();
        f.Press("mi_fileExportHtml");
        const auto* l = launches.size() > before ? &launches.back() : nullptr;
        EXPECT_EQ(!l ? AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text
                  : l->Program.empty()
                      ? "desktop" + (l->Document == Path("p.htm") ? "" : l->Document)
                      : l->Program + (l->Arguments.at(0) == Path("p.htm") ? "" : l->Arguments[0]),
                  started);
    }
}

// The page is UTF-8 and says so: the name as the file system has it, field
// names and texts from the table's code page ("NÄ" and "ä" in 437 and 1252).
TEST_F(Browser, HtmlPageDeclaresUtf8ForNamesAndTableTexts)
{
    if (access("/usr/bin/tidy", X_OK) != 0 || !PythonHas("html5lib"))
        QYR7_VALIDATOR_MISSING("tidy or html5lib");
    std::ofstream(Path("page.py")) << R"PY(
import sys, html5lib
doc = html5lib.parse(open(sys.argv[1], 'rb').read(), namespaceHTMLElements=False, useChardet=False)
b, t = open(sys.argv[2], 'rb').read(), lambda tag: [''.join(e.itertext()) for e in doc.iter(tag)]
sys.stdout.buffer.write(('%02x|' % b[b[8] + 256 * b[9] + 1] + '|'.join(t('title') + [t('p')[1][-9:]] + t('td'))).encode())
)PY";
    const std::string page = Path("größe.htm");
    for (const auto& [language, stored, field] : {std::tuple{TTzTableLanguage::tlOem, "84", "N\x8E"},
                                                  std::tuple{TTzTableLanguage::tlAnsi, "e4", "N\xC4"}}) {
        dbf4.tzdbf.TableLanguage = language;
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("t.dbf"), {{field, 'C', 1, 0, 0}}));
        dbf4.OpenTable(Path("t.dbf"));
        ASSERT_TRUE(dbf4.tzdbf.ALock());
        dbf4.SetFieldTextByName(field, "\xE4");
        ASSERT_TRUE(dbf4.AppendRecord());
        TDbfBrowserModel m;
        TDbfBrowserForm f(m);
        headless.HeadlessFiles().QueueAnswer(page);
        f.Press("mi_fileExportHtml");
        int rc = -1;
        const std::string tidy = Run("/usr/bin/tidy -q -e '" + page + "' 2>&1", &rc);
        EXPECT_LT(rc, 2) << tidy;
        EXPECT_EQ(Run("/usr/bin/python3 " + Path("page.py") + " '" + page + "' " + Path("t.dbf")),
                  std::string(stored) + "|größe|GRößE.HTM|NÄ|ä");
        dbf4.CloseTable();
    }
}

TEST_F(Browser, DelimitedExportReadByPythonCsvEqualsDbfread)
{
    if (!PythonHas("dbfread")) GTEST_SKIP() << "python3-dbfread not installed";
    const std::string table = OpenShipped("qyrwst");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    dbf4.GoRecord(4);
    headless.HeadlessFiles().QueueAnswer(Path("rows.txt"));
    f.Press("mi_fileSaveAsDelimited");
    EXPECT_EQ(dbf4.RecNo(), 4) << "the record is kept";
    dbf4.CloseTable();
    EXPECT_EQ(Compare(dir, "csv", Path("rows.txt"), table), "OK\n");
}

// An export onto a link of its name replaces the link, never the file it points at; one whose name
// lies under a file says why (ENOTDIR, which stops root too).
TEST_F(Browser, ExportsReplaceALinkAndSayWhyAFileCannotBeMade)
{
    OpenShipped("printout");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    std::ofstream(Path("victim")) << "old";
    for (const auto& [item, name, box] :
         {std::tuple{"mi_fileExportHtml", "p.htm", std::string()},
          {"mi_fileSaveAsDelimited", "p.txt", ""},
          {"mi_fileSaveAsDelimited", "victim/p.txt", "victim/p.txt cannot be written: Not a directory"}}) {
        if (box.empty()) fs::create_symlink(Path("victim"), Path(name));
        headless.HeadlessMessages().Reset();
        headless.HeadlessFiles().QueueAnswer(Path(name));
        f.Press(item);
        const auto& asks = headless.HeadlessMessages().AskedQuestions();
        const std::string said = asks.empty() ? "" : asks.back().Request.Text;
        EXPECT_TRUE(box.empty() ? said.empty() : said.find(Path(box)) != std::string::npos) << said;
        EXPECT_FALSE(fs::is_symlink(Path(name))) << name;
        EXPECT_EQ(ReadBytes(Path("victim")), (std::vector<uint8_t>{'o', 'l', 'd'})) << name;
    }
}

TEST_F(Browser, AppendCopiesTheCurrentRecordAsTheLast)
{
    OpenShipped("printout");
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    const int32_t n = dbf4.RecordCount();
    dbf4.GoRecord(2);
    const std::string name = dbf4.FieldText(1);
    f.Press("mi_editAppend");
    ASSERT_EQ(dbf4.RecordCount(), n + 1);
    dbf4.GoRecord(n + 1);
    EXPECT_EQ(dbf4.FieldText(1), name);
    // Append dbf with the table itself as the source: the engine's refusal in a box, nothing appended.
    headless.HeadlessFiles().QueueAnswer(Path("printout.dbf"));
    f.Press("mi_fileAppenddbf");
    EXPECT_EQ(dbf4.RecordCount(), n + 1);
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_NE((asked.empty() ? "" : asked.back().Request.Text).find("Attempting to append file to itself."),
              std::string::npos);
}

// Each navigator button browsing, editing, inserting, on an empty table, after the last record of the tool
// table (record 3, "X" typed as NAME): the record it marks or posts as X (i: a new row), the rest as shipped.
TEST_F(Browser, NavigatorButtonsWriteOnlyWhatTheyAreFor)
{
    const char* const writes[] = {"    i3    ", "    i3 3  ", "    i i9  ", "    i i   ", "    i8    "};
    const auto shipped = ReadBytes(std::string(QYR7_DATA_DIR) + "/q1toolx.dbf");
    const std::size_t head = shipped[8] | shipped[9] << 8, length = shipped[10] | shipped[11] << 8;
    for (int state = 0; state < 5; ++state)
        for (int b = 0; b < 10; ++b) {
            const std::string file = OpenShipped("q1toolx"), at = std::to_string(state * 10 + b);
            TDbfBrowserModel m;
            TDbfBrowserForm f(m);
            for (int r = 8; state == 3 && r >= 1; --r)
                dbf4.GoRecord(r), f.Navigator.Click(TNavigateBtn::nbDelete);
            if (state == 3) dbf4.Pack();
            dbf4.GoRecord(state == 4 ? 8 : 3);
            if (state == 1 || state == 2)
                f.Navigator.Click(state == 1 ? TNavigateBtn::nbEdit : TNavigateBtn::nbInsert),
                    dbf4.SetFieldTextByName("NAME", "X");
            if (state == 4) f.Navigator.Click(TNavigateBtn::nbNext);
            f.Navigator.Click(static_cast<TNavigateBtn>(b));
            const int32_t written = std::isdigit(writes[state][b]) ? writes[state][b] - '0' : 0;
            EXPECT_EQ(f.Grid.RowCount() - dbf4.RecordCount(), writes[state][b] == 'i') << at;
            const int32_t count = state == 3 ? 0 : std::max(8, written);
            std::string flag, name;
            dbf4.tzdbf.Peek(0, written, flag), dbf4.tzdbf.Peek(15, written, name);
            EXPECT_TRUE(!written || (b == 5 ? flag == "*" : name.starts_with("X "))) << at;
            dbf4.CloseTable();
            const auto bytes = ReadBytes(file);
            ASSERT_EQ(bytes.size(), head + count * length + 1) << at;
            const auto record = [&](const auto& v, int r) {
                return std::vector(&v[head + (r - 1) * length], &v[head + r * length]);
            };
            for (int32_t r = 1; r <= std::min(count, 8); ++r)
                EXPECT_TRUE(r == written || record(bytes, r) == record(shipped, r)) << at << " record " << r;
        }
    // In a grid sorted by a right click on the NAME title, "+" keeps its new row through the grid's next
    // reading of its rows and posts the typed NAME as record 9; an edit of record 3 posts there.
    for (const bool insert : {true, false}) {
        OpenShipped("q1toolx");
        TDbfBrowserModel m;
        TDbfBrowserForm f(m);
        ASSERT_TRUE(f.Grid.TitleMouseUp(TTzMouseButton::Right, 14, {}));
        dbf4.GoRecord(3);
        f.Navigator.Click(insert ? TNavigateBtn::nbInsert : TNavigateBtn::nbEdit);
        dbf4.SetFieldTextByName("NAME", "X");
        f.Grid.LoadIndexOrder();
        EXPECT_EQ(f.Grid.RowCount() - dbf4.RecordCount(), insert ? 1 : 0) << "sorted, insert " << insert;
        f.Navigator.Click(TNavigateBtn::nbPost);
        std::string name;
        dbf4.tzdbf.Peek(15, insert ? 9 : 3, name);
        EXPECT_TRUE(name.starts_with("X ")) << "sorted, insert " << insert;
        dbf4.CloseTable();
    }
}

// Two windows take turns on record 3 of the material table: each post keeps the other's change of another
// field, the same field keeps the later; Pack while the other has it open packs nothing, says so, stays.
TEST_F(Browser, AnotherWindowsChangesAreKeptAndItsOpenTableIsNotPacked)
{
    const std::string file = OpenShipped("qyrwst");
    TTzDbf other("other");
    other.SetDbfFileName(file);
    ASSERT_TRUE(other.SetActive(true));
    TTzDbf* const one = &dbf4.tzdbf;
    TTzGrid a(one); // the first window's rows, read before each turn
    a.DefaultColumns();
    dbf4.GoRecord(3);
    other.Go(3);
    const std::tuple<TTzDbf*, const char*, const char*> turns[] = {
        {one, "HB", "651"}, {&other, "REMARK", "B2"}, {one, "HB", "653"}, {&other, "REMARK", "B3"}};
    for (const auto& [table, field, text] : turns)
        ASSERT_TRUE(!a.Page(3, 1).empty() && table->SetFieldText(field, text) && table->Post()) << text;
    const TTzGridRow row = a.Page(3, 1).at(0);
    EXPECT_EQ(row.Cells[0] + "|" + row.Cells[5] + "|" + row.Cells[13].substr(0, 3),
              "16MnCr5                 | 653|B3 ");
    const int32_t n = dbf4.RecordCount();
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    f.Navigator.Click(TNavigateBtn::nbDelete);
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Yes);
    f.Press("mi_editPack");
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text,
              file + " is in use elsewhere (another window or program has it open) and was not packed.");
    EXPECT_EQ(dbf4.RecordCount() * 100 + dbf4.RecNo(), n * 100 + 3);
}

// Two handles on record 3 of the material table, the first taking its Edit (the navigator's, or the
// framework's whose post writes its record buffer) before the second sets REMARK "B-REMARK" and posts; then
// the first sets a field and posts. Another field: both kept, and a record the second marked stays marked.
// REMARK again: the box, the second's value kept and shown, and the first's edit gone (its next post writes
// nothing); but the very value the second stored typed there is no conflict. A post of the second after the
// first read the record but before its Edit is kept too: the edit starts from the record as the file holds
// it.
struct EditRace {
    const char* name;
    bool framework;
    const char *field, *value;
    bool marked = false;     // the second marks the record for deletion after its post
    bool otherFirst = false; // the second posts after the first read the record, before its Edit
};
class EditBeforeAnotherPost : public BrowserTest, public ::testing::WithParamInterface<EditRace>
{
};
TEST_P(EditBeforeAnotherPost, KeepsTheOthersChange)
{
    const EditRace& c = GetParam();
    const std::string file = OpenShipped("qyrwst");
    TTzDbf other("other");
    other.SetDbfFileName(file);
    ASSERT_TRUE(other.SetActive(true));
    TTzDbf& one = dbf4.tzdbf;
    dbf4.GoRecord(3);
    other.Go(3);
    // The second's very value typed into the same field is no conflict.
    const bool remarkTyped = std::string(c.field) == "REMARK";
    const bool same = remarkTyped && std::string(c.value) != "B-REMARK";
    const auto otherPosts = [&] {
        ASSERT_TRUE(other.SetFieldText("REMARK", "B-REMARK") && other.Post());
        if (c.marked) ASSERT_TRUE(other.Delete());
    };
    if (c.otherFirst) otherPosts();
    if (c.framework)
        one.DsEdit();
    else
        ASSERT_TRUE(one.Edit());
    if (!c.otherFirst) otherPosts();
    const auto between = ReadBytes(file);
    if (c.framework) {
        one.FieldByName(c.field)->SetAsString(c.value);
        one.DsPost();
    } else {
        EXPECT_EQ(one.SetFieldText(c.field, c.value) && one.Post(), !same);
    }
    std::string hb, remark, flag;
    one.Peek(6, 3, hb), one.Peek(14, 3, remark), one.Peek(0, 3, flag);
    EXPECT_EQ(AllTrim(hb) + "|" + AllTrim(remark) + "|" + flag,
              std::string(remarkTyped ? "650" : c.value) + "|B-REMARK|" + (c.marked ? "*" : " "));
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text,
              same ? "Another user changed field REMARK of record 3 of " + file +
                         " meanwhile: this change was not stored."
                   : "");
    EXPECT_EQ(one.State(), TDataSetState::Browse);
    EXPECT_EQ(AllTrim(one.AsString(14)), "B-REMARK") << "the row shows the file's record";
    const auto after = ReadBytes(file);
    if (c.framework)
        one.DsPost();
    else
        one.Post();
    EXPECT_EQ(ReadBytes(file), after) << "a later post writes nothing";
    if (same) EXPECT_EQ(after, between);
}
INSTANTIATE_TEST_SUITE_P(
    Posts, EditBeforeAnotherPost,
    ::testing::Values(EditRace{"AnotherField", false, "HB", "661"},
                      EditRace{"AnotherFieldOfAMarkedRecord", false, "HB", "661", true},
                      EditRace{"SameField", false, "REMARK", "A-REMARK"},
                      EditRace{"FrameworkAnotherField", true, "HB", "661"},
                      EditRace{"FrameworkSameField", true, "REMARK", "A-REMARK"},
                      EditRace{"SameValueInTheSameField", false, "REMARK", "B-REMARK"},
                      EditRace{"FrameworkSameValueInTheSameField", true, "REMARK", "B-REMARK"},
                      EditRace{"FrameworkEditAfterTheOthersPost", true, "HB", "661", false, true}),
    [](const auto& i) { return std::string(i.param.name); });

// Record 3 of the material table, its HB (650) as another program leaves it in the file before this edit
// begins ("    ": blank) and while it runs; this edit then types into a field and posts. A number typed into
// a field blank when the edit began is stored unless the other program filled it meanwhile with another
// number; a field blanked meanwhile is the other's change: the same field typed is refused, another field
// typed keeps the blank.
struct BlankRace {
    const char* name;
    const char *begin, *other; // HB's text in the file before the edit and while it runs (nullptr: left)
    const char *field, *typed;
    const char* hb; // HB's text in the file afterwards
    bool refused;
};
class BlankNumberBeforeAnotherPost : public BrowserTest, public ::testing::WithParamInterface<BlankRace>
{
};
TEST_P(BlankNumberBeforeAnotherPost, StoresWhatNoOneElseChanged)
{
    const BlankRace& c = GetParam();
    const std::string file = OpenShipped("qyrwst");
    const auto writeHb = [&file](const char* text) {
        auto bytes = ReadBytes(file);
        const std::size_t header = bytes[8] | bytes[9] << 8, length = bytes[10] | bytes[11] << 8;
        // HB follows the flag, NAME C(24), KIND N(2), KINDTEXT C(26), HEAT N(2) and HEATTEXT C(16).
        std::copy(text, text + 4, bytes.begin() + static_cast<std::ptrdiff_t>(header + 2 * length + 71));
        WriteBytes(file, bytes);
    };
    if (c.begin) writeHb(c.begin);
    TTzDbf& one = dbf4.tzdbf;
    dbf4.GoRecord(3);
    ASSERT_TRUE(one.Edit());
    if (c.other) writeHb(c.other);
    EXPECT_EQ(one.SetFieldText(c.field, c.typed) && one.Post(), !c.refused);
    std::string hb, typed;
    one.Peek(6, 3, hb), one.Peek(one.FieldNoByName(c.field), 3, typed);
    EXPECT_EQ(hb, c.hb);
    if (std::string(c.field) != "HB") {
        EXPECT_EQ(AllTrim(typed), c.typed);
    }
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text,
              c.refused ? "Another user changed field HB of record 3 of " + file +
                              " meanwhile: this change was not stored."
                        : "");
}
INSTANTIATE_TEST_SUITE_P(
    Posts, BlankNumberBeforeAnotherPost,
    ::testing::Values(
        BlankRace{"TypedIntoABlank", "    ", nullptr, "HB", "300", " 300", false},
        BlankRace{"TypedIntoABlankTheOtherFilledAlike", "    ", " 300", "HB", "300", " 300", false},
        BlankRace{"TypedIntoABlankTheOtherFilledOtherwise", "    ", " 310", "HB", "300", " 310", true},
        BlankRace{"TypedWhereTheOtherBlanked", nullptr, "    ", "HB", "660", "    ", true},
        BlankRace{"AnotherFieldWhereTheOtherBlanked", nullptr, "    ", "SFE", "920", "    ", false},
        BlankRace{"AnotherFieldWhereTheOtherFilled", "    ", " 310", "NU", "0.290", " 310", false}),
    [](const auto& i) { return std::string(i.param.name); });

// A Pack that packs the table but finds no room to rebuild its index (files cannot grow past 8 KB here):
// the browser stands at the top of the packed table and one box says so, and why.
TEST_F(Browser, PackWhoseIndexCannotBeRebuiltSaysTheTableWasPacked)
{
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("t.dbf"), {{"KEY", 'C', 10, 0, 0}}));
        t.Name = Path("t.dbf");
        ASSERT_TRUE(OpenDbf(t));
        for (int i = 1; i <= 1000; ++i) {
            char key[16];
            std::snprintf(key, sizeof key, "%cK%04d     ", i % 2 == 0 ? '*' : ' ', i);
            t.RecordBuffer = key;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
    }
    dbf4.OpenTable(Path("t.dbf"));
    ASSERT_TRUE(dbf4.IndexOn("KEY", Path("t.ndx")));
    TDbfBrowserModel m;
    TDbfBrowserForm f(m);
    dbf4.GoRecord(7);
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Yes);
    struct rlimit before {
    };
    getrlimit(RLIMIT_FSIZE, &before);
    const auto handler = signal(SIGXFSZ, SIG_IGN);
    const rlimit small{8192, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    f.Press("mi_editPack");
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, handler);
    const std::string said = AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text;
    EXPECT_EQ(said.find(Path("t.dbf") + " was packed, but its index could not be rebuilt: "), 0u) << said;
    EXPECT_NE(said.find("Error writing index file"), std::string::npos) << said;
    EXPECT_EQ(dbf4.RecordCount() * 10000 + dbf4.RecNo(), 500 * 10000 + 1);
}

TEST_F(Browser, PrintHandsTheTableToTheReportSide)
{
    OpenShipped("printout");
    TDbfBrowserModel m;
    m.caption = "Printout";
    m.Title1 = "t1";
    TDbfBrowserForm f(m);
    std::string seen;
    tablebrowserservices.PrintTable = [&](TTzFileDataSet& t, const std::string& c, const std::string& t1) {
        seen = t.DbfFileName() + "|" + c + "|" + t1;
    };
    f.Press("mi_filePrint");
    EXPECT_EQ(seen, Path("printout.dbf") + "|Printout|t1");
}

} // namespace
