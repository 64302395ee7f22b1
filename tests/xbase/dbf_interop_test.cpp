// Independent readers judge our tables, and we read what an independent
// writer wrote. Each case runs when its tool is installed (./test.sh
// installs dbview, shapelib and python3-dbfread).
#include "common/validators.h"
#include "xbase/dbf/dbffile.h"

#include "xbase_fixture.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace
{

bool HaveTool(const std::string& path)
{
    return access(path.c_str(), X_OK) == 0;
}

// Output of a command; the exit status in *status.
std::string RunTool(const std::string& command, int* status = nullptr)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return out;
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        out.append(buf.data(), n);
    int rc = pclose(p);
    if (status != nullptr) *status = rc;
    return out;
}

bool HaveDbfread()
{
    int rc = -1;
    RunTool("/usr/bin/python3 -c 'import dbfread' 2>/dev/null", &rc);
    return rc == 0;
}

class DbfInteropTest : public XbaseTest
{
  protected:
    // NAME C(10), PRICE N(8,2), QTY N(5), MADE D, OK L; three records, the
    // second marked deleted.
    void WriteSample(const std::string& file)
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, file,
                              {{"NAME", 'C', 10, 0, 0},
                               {"PRICE", 'N', 8, 2, 0},
                               {"QTY", 'N', 5, 0, 0},
                               {"MADE", 'D', 8, 0, 0},
                               {"OK", 'L', 1, 0, 0}}));
        t.Name = file;
        ASSERT_TRUE(OpenDbf(t));
        const char* records[] = {
            " Spur gear   123.45    720240131T",
            "*Gone          0.50    119991231F",
            " Helix        -1.00   12        F",
        };
        for (const char* r : records) {
            t.RecordBuffer = r;
            ASSERT_EQ(t.RecordBuffer.size(), t.RecordLength);
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
    }
};

TEST_F(DbfInteropTest, DbviewReadsOurTable)
{
    if (!HaveTool("/usr/bin/dbview")) QYR7_VALIDATOR_MISSING("dbview not installed");
    WriteSample(Path("sample.dbf"));
    int rc = -1;
    std::string out = RunTool("/usr/bin/dbview -b -t -d ';' " + Path("sample.dbf"), &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(out, "Spur gear;123.45;7;20240131;T;\nHelix;-1.00;12;;F;\n") << "the deleted record is skipped";
}

TEST_F(DbfInteropTest, ShapelibReadsOurTableWithItsDeleteFlag)
{
    if (!HaveTool("/usr/bin/dbfdump")) QYR7_VALIDATOR_MISSING("shapelib tools not installed");
    WriteSample(Path("sample.dbf"));
    int rc = -1;
    std::string out = RunTool("/usr/bin/dbfdump -r " + Path("sample.dbf"), &rc);
    EXPECT_EQ(rc, 0);
    std::istringstream lines(out);
    std::string header, l1, l2, l3;
    std::getline(lines, header);
    std::getline(lines, l1);
    std::getline(lines, l2);
    std::getline(lines, l3);
    EXPECT_NE(header.find("NAME"), std::string::npos);
    EXPECT_NE(header.find("PRICE"), std::string::npos);
    EXPECT_EQ(l1.rfind("Spur gear", 0), 0u) << l1;
    EXPECT_NE(l1.find("123.45"), std::string::npos) << l1;
    EXPECT_NE(l2.find("(DELETED)"), std::string::npos) << l2;
    EXPECT_EQ(l3.rfind("Helix", 0), 0u) << l3;
    EXPECT_NE(l3.find("-1.00"), std::string::npos) << l3;
}

TEST_F(DbfInteropTest, DbfreadReadsOurTable)
{
    if (!HaveDbfread()) QYR7_VALIDATOR_MISSING("python3-dbfread not installed");
    WriteSample(Path("sample.dbf"));
    std::string script = "import dbfread\n"
                         "t = dbfread.DBF('" +
                         Path("sample.dbf") +
                         "')\n"
                         "print(t.header.numrecords, t.header.headerlen, t.header.recordlen)\n"
                         "for r in t: print(repr(r['NAME']), r['PRICE'], r['QTY'], r['MADE'], r['OK'])\n"
                         "for r in t.deleted: print('deleted', repr(r['NAME']), r['MADE'])\n";
    int rc = -1;
    std::string out = RunTool("/usr/bin/python3 -c \"" + script + "\"", &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(out, "3 193 33\n"
                   "'Spur gear' 123.45 7 2024-01-31 True\n"
                   "'Helix' -1.0 12 None False\n"
                   "deleted 'Gone' 1999-12-31\n");
}

TEST_F(DbfInteropTest, WeReadShapelibTables)
{
    if (!HaveTool("/usr/bin/dbfcreate") || !HaveTool("/usr/bin/dbfadd"))
        QYR7_VALIDATOR_MISSING("shapelib tools not installed");
    const std::string file = Path("shp.dbf");
    int rc = -1;
    RunTool("/usr/bin/dbfcreate " + file + " -s NAME 10 -n PRICE 8 2 -n QTY 5 0", &rc);
    ASSERT_EQ(rc, 0);
    RunTool("/usr/bin/dbfadd " + file + " 'Spur gear' 123.45 7", &rc);
    ASSERT_EQ(rc, 0);
    RunTool("/usr/bin/dbfadd " + file + " Helix -1 12", &rc);
    ASSERT_EQ(rc, 0);

    TDbfTable t;
    t.Name = Path("SHP.DBF");
    ASSERT_TRUE(OpenDbf(t));
    ASSERT_EQ(t.FieldCount, 3);
    EXPECT_EQ(t.Fields[0].Name, "NAME");
    EXPECT_EQ(t.Fields[1].Type, 'N');
    EXPECT_EQ(t.Fields[1].Decimals, 2);
    EXPECT_EQ(t.RecordCount, 2);
    ASSERT_TRUE(GetDbfRecord(t, 1));
    EXPECT_EQ(t.RecordBuffer, " Spur gear   123.45    7");
    ASSERT_TRUE(GetDbfRecord(t, 2));
    EXPECT_EQ(t.RecordBuffer, " Helix        -1.00   12");
    // A record we add is read back by the writer's own reader.
    t.RecordBuffer = " Bevel        42.00    3";
    ASSERT_TRUE(AppendDbfRecord(t));
    ASSERT_TRUE(CloseDbf(t));
    std::string out = RunTool("/usr/bin/dbfdump " + file, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_NE(out.find("Bevel"), std::string::npos) << out;
    EXPECT_NE(out.find("42.00"), std::string::npos) << out;
}

} // namespace

#include "xbase/cmd/dbcmd.h"

namespace
{

class PackInteropTest : public XbaseTest
{
  protected:
    void TearDown() override
    {
        SetAutoReport(false);
        DoneXbaseLibrary();
        XbaseTest::TearDown();
    }
};

// A table of 1000 records, every k-th deleted, is packed; an independent
// reader then finds exactly the live records in their order.
TEST_F(PackInteropTest, PackedTableIsReadByDbfread)
{
    if (!HaveDbfread()) QYR7_VALIDATOR_MISSING("python3-dbfread not installed");
    struct {
        const char* what;
        int every; // every k-th record deleted
    } cases[] = {{"1 % deleted", 100}, {"50 % deleted", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = Path(std::string("pack") + std::to_string(c.every) + ".dbf");
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, file, {{"ID", 'N', 6, 0, 0}, {"NAME", 'C', 8, 0, 0}, {"X", 'N', 8, 3, 0}}));
        ASSERT_TRUE(UseFile(file + " ALIAS P"));
        ASSERT_TRUE(FLock());
        for (int i = 1; i <= 1000; ++i) {
            ClearRecord();
            SetNativeInt(1, i);
            SetNativeText(2, "R" + std::to_string(i));
            SetNativeDouble(3, i / 8.0);
            Append();
            if (i % c.every == 0) DeleteRec();
        }
        Unlock();
        ASSERT_TRUE(Pack());
        const int live = 1000 - 1000 / c.every;
        EXPECT_EQ(RecCount(), live);
        CloseArea();

        std::string script =
            "import dbfread\n"
            "t = dbfread.DBF('" +
            file +
            "')\n"
            "ids = [r['ID'] for r in t]\n"
            "ok = all(r['NAME'] == 'R%d' % r['ID'] and abs(r['X'] - r['ID'] / 8.0) < 5e-4 for r in t)\n"
            "print(t.header.numrecords, len(ids), len(list(t.deleted)), ok, ids[:3], ids[-1])\n";
        int rc = -1;
        std::string out = RunTool("/usr/bin/python3 -c \"" + script + "\"", &rc);
        EXPECT_EQ(rc, 0);
        std::string first = c.every == 2 ? "[1, 3, 5]" : "[1, 2, 3]";
        std::string last = c.every == 2 ? "999" : "999";
        EXPECT_EQ(out,
                  std::to_string(live) + " " + std::to_string(live) + " 0 True " + first + " " + last + "\n");
    }
}

} // namespace

namespace
{

class MemoInteropTest : public PackInteropTest
{
};

// Tables with a memo field and their empty memo files, in each memo style,
// are opened by an independent reader.
TEST_F(MemoInteropTest, DbfreadReadsEveryMemoStyle)
{
    if (!HaveDbfread()) QYR7_VALIDATOR_MISSING("python3-dbfread not installed");
    struct {
        uint8_t version;
        const char* hex;
        const char* memo;
    } cases[] = {{0x8B, "0x8b", "m8b.dbt"}, {0x83, "0x83", "m83.dbt"}, {0xF5, "0xf5", "mf5.fpt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        dbffile.MemoVersion = c.version;
        const std::string file = Path(std::string("m") + (c.hex + 2) + ".dbf");
        TDbfTable t;
        ASSERT_TRUE(
            CreateDBF(t, file, {{"ID", 'N', 4, 0, 0}, {"NOTE", 'M', 10, 0, 0}, {"MADE", 'D', 8, 0, 0}}));
        EXPECT_TRUE(std::filesystem::exists(Path(c.memo))) << "memo extension in the table's own case";
        ASSERT_TRUE(UseFile(file + " EXCLUSIVE"));
        SetNativeInt(1, 7);
        SetNativeText(3, "01/31/24");
        Append();
        CloseArea();
        std::string script =
            "import dbfread\n"
            "t = dbfread.DBF('" +
            file +
            "')\n"
            "print(hex(t.header.dbversion), [(r['ID'], r['NOTE'], str(r['MADE'])) for r in t])\n";
        int rc = -1;
        std::string out = RunTool("/usr/bin/python3 -c \"" + script + "\"", &rc);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(out, std::string(c.hex) + " [(7, None, '2024-01-31')]\n");
    }
}

} // namespace
