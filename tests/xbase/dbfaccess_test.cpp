// The program's table access: opening by name from the table directory or
// its temporary copy, positioning, field access by number and name, appends
// under their lock, the browser's pick, and the table component beneath.
#include "xbase_fixture.h"

#include "common/askedboxes.h"
#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbkeys.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dataset/memofieldstream.h"

#include <filesystem>

namespace
{

namespace fs = std::filesystem;

class DbfAccess : public XbaseTest
{
  protected:
    void SetUp() override
    {
        XbaseTest::SetUp();
        fs::create_directory(Path("temp"));
        telmvar.DbfDir = dir;
        telmvar.TempDir = Path("temp");
        SetAutoReport(false);
    }
    void TearDown() override
    {
        ResetDbf4();
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(dir, ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        XbaseTest::TearDown();
    }

    // Parts table: NAME C(12), D N(6,1), QTY N(5).
    void MakeParts(const std::string& file, int rows)
    {
        TDbfTable t;
        ASSERT_TRUE(
            CreateDBF(t, Path(file), {{"NAME", 'C', 12, 0, 0}, {"D", 'N', 6, 1, 0}, {"QTY", 'N', 5, 0, 0}}));
        t.Name = Path(file);
        ASSERT_TRUE(OpenDbf(t));
        for (int i = 1; i <= rows; ++i) {
            char rec[32];
            std::snprintf(rec, sizeof rec, " %-12s%6.1f%5d", ("part" + std::to_string(i)).c_str(), i * 10.0,
                          i);
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
    }

    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(DbfAccess, OpenAddsTheExtensionOnlyWithoutADot)
{
    MakeParts("parts.dbf", 3);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(dbf4.tzdbf.DbfFileName(), Path("parts.dbf"));
    EXPECT_EQ(DbfRecCount(), 3);
    DbfClose();
    MakeParts("a.b", 2);
    ASSERT_TRUE(DbfOpen("a.b"));
    EXPECT_EQ(dbf4.tzdbf.DbfFileName(), Path("a.b"));
    EXPECT_EQ(DbfRecCount(), 2);
}

TEST_F(DbfAccess, MissingTableIsReportedAndAborts)
{
    EXPECT_FALSE(DbfOpen("nothere"));
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "file " + Path("nothere.dbf") + " not found or no access !");
    EXPECT_FALSE(dbf4.tzdbf.Active());
}

TEST_F(DbfAccess, WriteCheckLeavesNoTestFile)
{
    MakeParts("parts.dbf", 1);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_FALSE(fs::exists(Path("TEST.$$$")));
    EXPECT_FALSE(fs::exists(Path("temp/TEST.$$$")));
}

TEST_F(DbfAccess, ReadOnlyTableIsUsedFromOneCopyPerRunWithItsCompanions)
{
    MakeParts("parts.dbf", 2);
    std::ofstream(Path("parts.dbt")) << "memo";
    std::ofstream(Path("parts.ndx")) << "index";
    fs::permissions(Path("parts.dbf"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(dbf4.tzdbf.DbfFileName(), Path("temp/parts.dbf"));
    EXPECT_TRUE(fs::exists(Path("temp/parts.dbt")));
    EXPECT_TRUE(fs::exists(Path("temp/parts.ndx")));
    // An edit in the copy...
    DbfGo(1);
    DbfSetFieldText(1, "edited");
    ASSERT_TRUE(dbf4.tzdbf.Post());
    DbfClose();
    // ...survives the next open: the copy is not made again.
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(1);
    EXPECT_EQ(DbfFieldText(1), "edited      ");
}

TEST_F(DbfAccess, GoClampsAndReportsRecordsPastTheEnd)
{
    MakeParts("parts.dbf", 3);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_TRUE(DbfGo(0));
    EXPECT_EQ(DbfRecNo(), 1);
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_TRUE(DbfGo(2));
    EXPECT_EQ(DbfRecNo(), 2);
    EXPECT_TRUE(DbfGo(8));
    EXPECT_EQ(DbfRecNo(), 3);
    EXPECT_EQ(error0.ErrorCount, 1);
    EXPECT_TRUE(HasMessage("DBF #8 not found."));
}

TEST_F(DbfAccess, GoOnAnEmptyTableIsAFailureNotAHalt)
{
    MakeParts("parts.dbf", 0);
    SetAutoReport(true);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_FALSE(DbfGo(1));
    EXPECT_TRUE(HasMessage("DBF #1 not found."));
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(DbfFieldText(1), "");
}

TEST_F(DbfAccess, FieldNamesAndTexts)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(2);
    EXPECT_EQ(DbfFieldName(0), "");
    EXPECT_EQ(DbfFieldName(1), "NAME");
    EXPECT_EQ(DbfFieldName(3), "QTY");
    EXPECT_EQ(DbfFieldName(4), "");
    EXPECT_EQ(DbfFieldText(1), "part2       ");
    EXPECT_EQ(DbfFieldText(2), "  20.0");
    EXPECT_EQ(DbfFieldText(3), "    2");
    EXPECT_DOUBLE_EQ(static_cast<double>(DbfFieldFloat(2)), 20.0);
    EXPECT_EQ(DbfFieldInt(3), 2);
}

TEST_F(DbfAccess, SetterWithAnInvalidFieldChangesNothing)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(1);
    DbfSetFieldText(0, "x");
    DbfSetFieldText(4, "x");
    EXPECT_EQ(dbf4.tzdbf.State(), TDataSetState::Browse);
    DbfSetFieldText(1, "x");
    EXPECT_EQ(dbf4.tzdbf.State(), TDataSetState::Edit);
}

TEST_F(DbfAccess, ValuesSetAreAppendedAsANewRecord)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfSetFieldTextByName("NAME", "new part");
    DbfSetFieldFloatByName("D", 12.26);
    DbfSetFieldIntByName("QTY", 7);
    EXPECT_TRUE(DbfAppendRecord());
    EXPECT_EQ(DbfRecCount(), 3);
    EXPECT_EQ(DbfRecNo(), 3);
    DbfClose();
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(3);
    EXPECT_EQ(DbfFieldText(1), "new part    ");
    EXPECT_EQ(DbfFieldText(2), "  12.3"); // one decimal stored
    EXPECT_EQ(DbfFieldText(3), "    7");
    DbfGo(1);
    EXPECT_EQ(DbfFieldText(1), "part1       ") << "the record the values were set on stays as it was";
}

TEST_F(DbfAccess, PositioningDropsValuesNotWritten)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(1);
    DbfSetFieldText(1, "changed");
    DbfGo(2);
    DbfGo(1);
    EXPECT_EQ(DbfFieldText(1), "part1       ");
}

TEST_F(DbfAccess, RefusedAppendLockAppendsNothingAndSaysSo)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    const uint8_t mine = dbf4.tzdbf.WorkArea();
    // Another opener holds the file lock.
    Select(20);
    ASSERT_TRUE(UseFile(Path("parts.dbf") + " ALIAS OTHER"));
    ASSERT_TRUE(FLock());
    Select(mine);
    DbfSetFieldTextByName("NAME", "blocked");
    EXPECT_FALSE(DbfAppendRecord());
    EXPECT_EQ(DbfRecCount(), 2);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text, "Lock failed [Insert]");
    Select(20);
    CloseArea();
}

TEST_F(DbfAccess, RefusedRecordLockFailsThePost)
{
    MakeParts("parts.dbf", 2);
    ASSERT_TRUE(DbfOpen("parts"));
    const uint8_t mine = dbf4.tzdbf.WorkArea();
    Select(20);
    ASSERT_TRUE(UseFile(Path("parts.dbf") + " ALIAS OTHER"));
    GO(1);
    ASSERT_TRUE(RLock());
    Select(mine);
    DbfGo(1);
    DbfSetFieldText(1, "mine");
    int asked = 0;
    dbf4.tzdbf.OnLockFailed = [&](TLockKind kind, bool& retry) {
        EXPECT_EQ(kind, TLockKind::Post);
        retry = ++asked < 2;
    };
    EXPECT_FALSE(dbf4.tzdbf.Post());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(dbf4.tzdbf.State(), TDataSetState::Edit) << "the values are kept for another try";
    Select(20);
    Unlock();
    Select(mine);
    EXPECT_TRUE(dbf4.tzdbf.Post());
    DbfClose();
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(DbfFieldText(1), "mine        ");
    Select(20);
    CloseArea();
}

// The table object keeps no error code: the engine reports a failure itself.
TEST_F(DbfAccess, ErrorCodeStaysZeroWhileTheEngineReports)
{
    MakeParts("parts.dbf", 1);
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(dbf4.ErrorCode(), 0);
    DbfClose();
    // A command on the closed table is refused by the component's guard.
    dbf4.tzdbf.SField(1);
    EXPECT_EQ(dberror.DbErrorCode, 1103);
    EXPECT_EQ(TakeErrorText().find("Database is not open [tzdbf.SField]") != std::string::npos, true);
    // Through the table object the refusal reaches the message list.
    EXPECT_FALSE(dbf4.GoRecord(1));
    EXPECT_NE(Messages().find("Database is not open [tzdbf.Go]"), std::string::npos) << Messages();
    // A damaged table fails the open: the engine says so, the object keeps no code.
    WriteBytes(Path("bad.dbf"), {0x03, 0x7e, 0x01, 0x01});
    EXPECT_FALSE(DbfOpen("bad"));
    EXPECT_EQ(dbf4.ErrorCode(), 0);
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0)
                  .Request.Text.rfind("file " + Path("bad.dbf") + " cannot be opened as a table", 0),
              0u);
}

TEST_F(DbfAccess, BrowserPickSetsTheChosenRecord)
{
    MakeParts("parts.dbf", 4);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(2);
    DbfSetTitles("first", "second");
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        auto& b = dynamic_cast<TDbfBrowserModel&>(m);
        EXPECT_EQ(b.RecordNo, 2);
        EXPECT_EQ(b.RecordCount, 4);
        EXPECT_TRUE(b.PickMode);
        EXPECT_EQ(b.Caption(), "second   first");
        b.RecordNo = 3;
        return platform::DialogResult::Ok;
    });
    DbfBrowse("", 1);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(telmvar.LastKeyChar, 13);
    EXPECT_EQ(telmvar.SelectedRecordNo, 3);
    EXPECT_EQ(DbfRecNo(), 3);
}

TEST_F(DbfAccess, BrowserWithoutAnAnswerIsCancelled)
{
    MakeParts("parts.dbf", 4);
    ASSERT_TRUE(DbfOpen("parts"));
    telmvar.SelectedRecordNo = 1;
    DbfBrowse("", 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(telmvar.LastKeyChar, 27);
    EXPECT_EQ(telmvar.SelectedRecordNo, 1);
}

TEST_F(DbfAccess, EditBrowseOfTheTemporaryCopySaysSo)
{
    MakeParts("parts.dbf", 1);
    fs::permissions(Path("parts.dbf"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(DbfOpen("parts"));
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Ok);
    DbfBrowse("", 0);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "The table " + Path("parts.dbf") +
                  " is read-only: changes go to a copy in the temporary directory, which is deleted when the "
                  "program ends.");
}

TEST_F(DbfAccess, CopyToTempDirectoryOptionOpensFromThere)
{
    MakeParts("parts.dbf", 1);
    wtelmvar.CopyDbfToTemp = true;
    EXPECT_FALSE(DbfOpen("parts")) << "nothing in the temporary directory yet";
    fs::copy_file(Path("parts.dbf"), Path("temp/parts.dbf"));
    EXPECT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(dbf4.tzdbf.DbfFileName(), Path("temp/parts.dbf"));
}

// ---- the table component

TEST(TzDbfDefinitions, FieldDefinitionsAreCorrectedAsTablesExpect)
{
    struct Case {
        char type;
        int len, dec;
        char wantType;
        int wantLen, wantDec;
        bool changed;
    } cases[] = {
        {'N', 30, 25, 'N', 20, 18, true}, {'N', 8, 2, 'N', 8, 2, false},     {'N', 3, 2, 'N', 3, 1, true},
        {'C', 300, 0, 'C', 254, 0, true}, {'C', 254, 0, 'C', 254, 0, false}, {'B', 10, 0, 'M', 10, 0, true},
        {'G', 10, 0, 'M', 10, 0, true},   {'Q', 10, 0, 'C', 10, 0, true},    {'D', 8, 0, 'D', 8, 0, false},
    };
    for (const auto& c : cases) {
        char t = c.type;
        int l = c.len, d = c.dec;
        EXPECT_EQ(CorrectFieldDefinition(t, l, d), c.changed) << c.type << c.len;
        EXPECT_EQ(t, c.wantType);
        EXPECT_EQ(l, c.wantLen) << c.type << c.len << "," << c.dec;
        EXPECT_EQ(d, c.wantDec) << c.type << c.len << "," << c.dec;
    }
}

TEST_F(DbfAccess, FileNameIsTrimmedAndADotEndedNameKept)
{
    TTzDbf t;
    t.SetDbfFileName(" parts.");
    EXPECT_EQ(t.DbfFileName(), "parts.");
    t.SetDbfFileName(" parts ");
    EXPECT_EQ(t.DbfFileName(), "parts.DBF");
}

TEST_F(DbfAccess, FieldNamesLongerThanTenAreCut)
{
    MakeParts("parts.dbf", 1);
    TTzDbf t;
    t.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(t.SetActive(true));
    EXPECT_TRUE(t.SetFieldText("QTY", "5"));
    EXPECT_EQ(t.FieldNoByName("NAMEXXXXXXYY"), 0);
    EXPECT_EQ(t.FieldNoByName("QTY       XX"), 3);
}

TEST_F(DbfAccess, NextFromTheLastRecordStaysOnIt)
{
    MakeParts("parts.dbf", 2);
    TTzDbf t;
    t.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(t.SetActive(true));
    t.Last();
    t.Next();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.SField(1), "part2       ");
}

TEST_F(DbfAccess, ReadOnlyComponentRefusesChanges)
{
    MakeParts("parts.dbf", 1);
    TTzDbf t;
    t.ReadOnly = true;
    t.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(t.SetActive(true));
    EXPECT_FALSE(t.SetFieldText("NAME", "x"));
    EXPECT_FALSE(t.AppendWithLock());
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST_F(DbfAccess, CreatesTheTableFromItsFieldListWhenAsked)
{
    TTzDbf t;
    t.CreateIfNotFound = true;
    t.DbfFields = {"NAME, C, 10, 0", "SKIP, X, 1, 0", "VAL, N, 30, 25"};
    t.SetDbfFileName(Path("made.dbf"));
    ASSERT_TRUE(t.SetActive(true));
    EXPECT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.FieldLen(2), 20);
}

} // namespace

namespace
{

class DbfIndexAccess : public DbfAccess
{
  protected:
    void SetUp() override
    {
        DbfAccess::SetUp();
        InitXbaseLibrary();
        SetAutoReport(false);
    }
};

TEST_F(DbfIndexAccess, TemporaryIndexOrdersAndFindsByNumber)
{
    MakeParts("parts.dbf", 5);
    ASSERT_TRUE(DbfOpen("parts"));
    // Descending by quantity through a negative key.
    DbfCreateTempIndex("QTY*(-1)", "$tmpidx");
    EXPECT_TRUE(fs::exists(Path("temp/$tmpidx.ndx")) || fs::exists(Path("temp/$tmpidx.NDX")));
    EXPECT_EQ(dbf4.ErrorCode(), 0);
    DbfFirst();
    EXPECT_EQ(DbfRecNo(), 5);
    DbfFind("-3");
    EXPECT_TRUE(DbfFound());
    EXPECT_EQ(DbfRecNo(), 3);
    DbfFind("-9");
    EXPECT_FALSE(DbfFound());
    EXPECT_GE(DbfRecNo(), 1) << "a miss leaves the table on a record";
}

TEST_F(DbfIndexAccess, DecimalCommaKeyIsTriedWithAPoint)
{
    MakeParts("parts.dbf", 3);
    ASSERT_TRUE(DbfOpen("parts"));
    DbfGo(2);
    DbfSetFieldText(1, "1.5");
    ASSERT_TRUE(dbf4.tzdbf.Post());
    DbfCreateTempIndex("NAME", "$names");
    DbfFind("1,5");
    EXPECT_TRUE(DbfFound());
    EXPECT_EQ(DbfRecNo(), 2);
    DbfGo(1);
    DbfFind("1,5,");
    EXPECT_FALSE(DbfFound()) << "two commas are not a decimal comma";
}

TEST_F(DbfIndexAccess, KeyOfSeveralNumericFieldsSortsByEach)
{
    TDbfTable t;
    ASSERT_TRUE(
        CreateDBF(t, Path("brg.dbf"),
                  {{"DESIG", 'C', 8, 0, 0}, {"D", 'N', 6, 1, 0}, {"DA", 'N', 6, 1, 0}, {"B", 'N', 6, 1, 0}}));
    t.Name = Path("brg.dbf");
    ASSERT_TRUE(OpenDbf(t));
    for (const char* r : {" b       30.0  62.0  16.0", " a       25.0  62.0  17.0",
                          " c       25.0  52.0  15.0", " d       25.0  52.0  18.0"}) {
        t.RecordBuffer = r;
        ASSERT_TRUE(AppendDbfRecord(t));
    }
    ASSERT_TRUE(CloseDbf(t));
    ASSERT_TRUE(DbfOpen("brg"));
    DbfCreateTempIndex("D*1000000+DA*1000+B", "$brg");
    std::vector<std::string> order;
    DbfFirst();
    for (int i = 0; i < 4; ++i) {
        order.push_back(DbfFieldText(1).substr(0, 1));
        dbf4.tzdbf.Next();
    }
    EXPECT_EQ(order, (std::vector<std::string>{"c", "d", "a", "b"}));
}

} // namespace

namespace
{

class TzDbfComponent : public DbfAccess
{
  protected:
    void SetUp() override
    {
        DbfAccess::SetUp();
        InitXbaseLibrary();
        SetAutoReport(false);
    }
};

TEST_F(TzDbfComponent, RecordBufferSizesByFieldType)
{
    struct {
        char type;
        int len, dec, size;
    } cases[] = {{'C', 10, 0, 11}, {'N', 8, 2, 8}, {'N', 5, 0, 4}, {'F', 8, 3, 8},
                 {'D', 8, 0, 8},   {'L', 1, 0, 2}, {'M', 10, 0, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(FieldBufferSize(c.type, c.len, c.dec), c.size) << c.type << c.len << "," << c.dec;
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("six.dbf"),
                          {{"C", 'C', 10, 0, 0},
                           {"R", 'N', 8, 2, 0},
                           {"I", 'N', 5, 0, 0},
                           {"D", 'D', 8, 0, 0},
                           {"L", 'L', 1, 0, 0},
                           {"M", 'M', 10, 0, 0}}));
    TTzDbf d;
    d.SetDbfFileName(Path("six.dbf"));
    ASSERT_TRUE(d.SetActive(true)) << TakeErrorText();
    EXPECT_EQ(d.RecordDataSize(), 38);
    EXPECT_EQ(d.DbfFields, (std::vector<std::string>{"C, C, 10, 0", "R, N, 8, 2", "I, N, 5, 0", "D, D, 8, 0",
                                                     "L, L, 1, 0", "M, M, 10, 0"}));
}

TEST_F(TzDbfComponent, MemoTextIsStoredAndReadThroughItsField)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("notes.dbf"), {{"NAME", 'C', 10, 0, 0}, {"NOTE", 'M', 10, 0, 0}}));
    TTzDbf d;
    d.Exclusive = true;
    d.SetDbfFileName(Path("notes.dbf"));
    ASSERT_TRUE(d.SetActive(true)) << TakeErrorText();
    d.SetFieldText("NAME", "first");
    ASSERT_TRUE(d.SetMemoText(2, "a longer remark\r\nover two lines"));
    ASSERT_TRUE(d.AppendRec());
    d.SetActive(false);
    ASSERT_TRUE(d.SetActive(true));
    d.Go(1);
    EXPECT_EQ(d.MemoText(2), "a longer remark\r\nover two lines");
    EXPECT_EQ(d.MemoText(1), "") << "not a memo field";
}

TEST_F(TzDbfComponent, IndexListBuildsAMissingIndexOnceThenOpensIt)
{
    MakeParts("parts.dbf", 4);
    TTzDbf d;
    d.IndexList = {"1," + Path("qty") + ",QTY*(-1)"};
    int built = 0;
    d.OnAfterMakeIndex = [&](const std::string&) { ++built; };
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true)) << TakeErrorText();
    EXPECT_EQ(built, 1);
    d.First();
    EXPECT_EQ(d.RecNo(), 4) << "descending quantity is the controlling order";
    d.SetActive(false);
    ASSERT_TRUE(d.SetActive(true));
    EXPECT_EQ(built, 1) << "an existing index is only opened";
    EXPECT_TRUE(d.FindExact("-2"));
    EXPECT_EQ(d.RecNo(), 2);
}

TEST_F(TzDbfComponent, VerifyHeaderRebuildsAfterAnotherProgramAppended)
{
    MakeParts("parts.dbf", 3);
    TTzDbf d;
    d.IndexList = {Path("names") + ",NAME"};
    d.CreateIndex = TCreateIndexType::ciVerifyHeader;
    int built = 0;
    d.OnAfterMakeIndex = [&](const std::string&) { ++built; };
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    d.SetActive(false);
    EXPECT_EQ(built, 1);
    // Another program appends without touching the index.
    TDbfTable t;
    t.Name = Path("parts.dbf");
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " aaa           9.0    9";
    ASSERT_TRUE(AppendDbfRecord(t));
    ASSERT_TRUE(CloseDbf(t));
    ASSERT_TRUE(d.SetActive(true));
    EXPECT_EQ(built, 2);
    d.First();
    EXPECT_EQ(d.RecNo(), 4) << "the new record is in the rebuilt index";
}

TEST_F(TzDbfComponent, NeverBuildingFailsTheOpenOnAMissingIndex)
{
    MakeParts("parts.dbf", 2);
    TTzDbf d;
    d.IndexList = {Path("none") + ",NAME"};
    d.CreateIndex = TCreateIndexType::ciNever;
    d.SetDbfFileName(Path("parts.dbf"));
    EXPECT_FALSE(d.SetActive(true));
    EXPECT_FALSE(d.Active());
    EXPECT_EQ(dberror.DbErrorCode, 2);
}

TEST_F(TzDbfComponent, RefusedPostLockIsShownOnceAndChangesNothing)
{
    MakeParts("parts.dbf", 2);
    TTzDbf d;
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    Select(20);
    ASSERT_TRUE(UseFile(Path("parts.dbf") + " ALIAS OTHER"));
    ASSERT_TRUE(FLock());
    d.Go(2);
    d.SetFieldText("NAME", "changed");
    EXPECT_FALSE(d.Post());
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text, "Lock failed [Post]");
    Select(20);
    Unlock();
    CloseArea();
    d.Cancel();
    EXPECT_EQ(d.SField(1), "part2       ");
}

TEST_F(TzDbfComponent, BookmarksAreRecordNumbers)
{
    MakeParts("parts.dbf", 3);
    TTzDbf d;
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    d.Go(2);
    const int32_t b = d.GetBookmark();
    d.Last();
    EXPECT_EQ(TTzDbf::CompareBookmarks(b, d.GetBookmark()), -1);
    EXPECT_EQ(TTzDbf::CompareBookmarks(b, b), 0);
    EXPECT_TRUE(d.GotoBookmark(b));
    EXPECT_EQ(d.RecNo(), 2);
    EXPECT_FALSE(d.GotoBookmark(9));
    EXPECT_TRUE(d.Eof());
}

TEST_F(TzDbfComponent, LocateByFieldValues)
{
    MakeParts("parts.dbf", 4);
    TTzDbf d;
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    EXPECT_TRUE(d.Locate("NAME", {"PART3"}, true, false));
    EXPECT_EQ(d.RecNo(), 3);
    EXPECT_FALSE(d.Locate("NAME", {"PART3"}, false, false)) << "case matters without the option";
    EXPECT_EQ(d.RecNo(), 3) << "a miss stays where it was";
    EXPECT_TRUE(d.Locate("NAME", {"part"}, false, true));
    EXPECT_EQ(d.RecNo(), 1);
}

TEST_F(TzDbfComponent, DelimitedTextOutAndBackIn)
{
    MakeParts("parts.dbf", 3);
    TTzDbf d;
    d.SetDbfFileName(Path("parts.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    d.Go(2);
    ASSERT_TRUE(d.CopyToDelimited(Path("parts.txt")));
    EXPECT_EQ(d.RecNo(), 2) << "the record stays";
    // The import appends: the caller holds the file lock, as the browser does.
    ASSERT_TRUE(d.FLock());
    EXPECT_EQ(d.AppendFromDelimited(Path("parts.txt")), 3);
    d.UnLock();
    EXPECT_EQ(d.RecordCount(), 6);
    d.Go(6);
    EXPECT_EQ(d.SField(1), "part3       ");
}

TEST(TzCheckTexts, CodesOfTheRecordSource)
{
    EXPECT_EQ(TzCheckText(TzOk), "");
    EXPECT_EQ(TzCheckText(TzBof), "Dataset error: 1402");
    EXPECT_EQ(TzCheckText(TzEof), "Dataset error: 1403");
    EXPECT_EQ(TzCheckText(TzNoFileName), "The FileName property of the dataset not set");
    EXPECT_EQ(TzCheckText(215), "Dataset error: " + ErrorText(215));
}

} // namespace

namespace
{

TEST_F(TzDbfComponent, CorrectedFieldDefinitionIsReportedOnce)
{
    TTzDbf d;
    d.CreateIfNotFound = true;
    d.DbfFields = {"VAL, N, 30, 25", "NAME, C, 10, 0"};
    d.SetDbfFileName(Path("made.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "Invalid field definition for " + Path("made.dbf") +
                  ": VAL,N,30,25. Will use corrected definition: VAL,N,20,18");
    EXPECT_EQ(d.DbfFields[0], "VAL, N, 20, 18");
}

TEST_F(TzDbfComponent, TypedFieldValues)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("typed.dbf"),
                          {{"NAME", 'C', 8, 0, 0},
                           {"R", 'N', 7, 2, 0},
                           {"I", 'N', 4, 0, 0},
                           {"DAY", 'D', 8, 0, 0},
                           {"OK", 'L', 1, 0, 0}}));
    t.Name = Path("typed.dbf");
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " ab        12.50  -720261207T";
    ASSERT_TRUE(AppendDbfRecord(t));
    t.RecordBuffer = "                           F";
    ASSERT_TRUE(AppendDbfRecord(t));
    ASSERT_TRUE(CloseDbf(t));
    TTzDbf d;
    d.SetDbfFileName(Path("typed.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    d.Go(1);
    EXPECT_EQ(d.AsString(1), "ab");
    EXPECT_DOUBLE_EQ(d.AsFloat(2), 12.5);
    EXPECT_EQ(d.AsInteger(3), -7);
    EXPECT_TRUE(d.AsBoolean(5));
    // 7 December 2026 is one day after 6 December 2026.
    EXPECT_DOUBLE_EQ(d.AsDate(4) - KeyToJulian("20261206"), 1.0);
    EXPECT_FALSE(d.IsNull(4));
    d.Go(2);
    EXPECT_EQ(d.AsString(1), "");
    EXPECT_DOUBLE_EQ(d.AsDate(4), 0);
    EXPECT_TRUE(d.IsNull(4));
    EXPECT_FALSE(d.AsBoolean(5));
}

} // namespace

namespace
{

TEST_F(DbfAccess, ShippedPrintSettingsReadByPositionAndName)
{
    fs::copy_file(fs::path(QYR7_DATA_DIR) / "printout.dbf", Path("printout.dbf"));
    ASSERT_TRUE(DbfOpen("printout"));
    DbfGo(2);
    EXPECT_EQ(DbfFieldText(1).substr(0, 13), "landscape 1:1");
    EXPECT_DOUBLE_EQ(static_cast<double>(DbfFieldFloat(2)), 1.0);
    EXPECT_EQ(DbfFieldInt(4), 0);
    EXPECT_TRUE(DbfFieldBoolByName("landscape"));
    EXPECT_TRUE(DbfFieldBoolByName("monochrom"));
    EXPECT_FALSE(DbfFieldBoolByName("variable"));
    DbfGo(4);
    EXPECT_DOUBLE_EQ(static_cast<double>(DbfFieldFloat(2)), 1.9);
    EXPECT_FALSE(DbfFieldBoolByName("borderline"));
    // A new named setting: every field by name, then appended.
    DbfSetFieldTextByName("name", "mine");
    DbfSetFieldFloatByName("xscale", 2.5);
    DbfSetFieldIntByName("xorigin", 15);
    DbfSetFieldBoolByName("landscape", true);
    ASSERT_TRUE(DbfAppendRecord());
    DbfClose();
    ASSERT_TRUE(DbfOpen("printout"));
    DbfGo(DbfRecCount());
    EXPECT_EQ(DbfFieldText(1).substr(0, 4), "mine");
    EXPECT_DOUBLE_EQ(static_cast<double>(DbfFieldFloat(2)), 2.5);
    EXPECT_EQ(DbfFieldInt(4), 15);
    EXPECT_TRUE(DbfFieldBoolByName("landscape"));
}

} // namespace

namespace
{

TEST_F(DbfAccess, ReadOnlyTableWithoutATemporaryDirectoryIsOnlyRead)
{
    MakeParts("parts.dbf", 2);
    fs::permissions(Path("parts.dbf"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    telmvar.TempDir = "";
    ASSERT_TRUE(DbfOpen("parts"));
    EXPECT_EQ(dbf4.tzdbf.DbfFileName(), Path("parts.dbf"));
    EXPECT_FALSE(fs::exists("parts.dbf")) << "no copy in the working directory";
    DbfGo(1);
    DbfSetFieldText(1, "x");
    EXPECT_FALSE(DbfAppendRecord());
    EXPECT_EQ(DbfRecCount(), 2);
    EXPECT_EQ(DbfFieldText(1), "part1       ");
}

} // namespace

namespace
{

TEST_F(TzDbfComponent, BlobStreamWritesAndReadsAMemo)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("blobs.dbf"), {{"NAME", 'C', 10, 0, 0}, {"DATA", 'M', 10, 0, 0}}));
    TTzDbf d;
    d.Exclusive = true;
    d.TableLanguage = TTzTableLanguage::tlAnsi;
    d.SetDbfFileName(Path("blobs.dbf"));
    ASSERT_TRUE(d.SetActive(true));
    d.SetFieldText("NAME", "one");
    ASSERT_TRUE(d.AppendRec());
    d.Go(1);
    const std::string bytes("abc\0def", 7);
    {
        TTzBlobStream w(d, 2, TBlobStreamMode::Write);
        ASSERT_TRUE(w.Valid());
        EXPECT_EQ(w.Write(bytes.data(), 7), 7);
    }
    ASSERT_TRUE(d.Post());
    d.Go(1);
    {
        TTzBlobStream r(d, 2, TBlobStreamMode::Read);
        ASSERT_TRUE(r.Valid());
        char buf[16] = {};
        EXPECT_EQ(r.Seek(4, 0), 4);
        EXPECT_EQ(r.Read(buf, 16), 3);
        EXPECT_EQ(std::string(buf, 3), "def");
    }
    // A write stream with nothing written clears the memo.
    {
        TTzBlobStream w(d, 2, TBlobStreamMode::Write);
        ASSERT_TRUE(w.Valid());
    }
    ASSERT_TRUE(d.Post());
    d.Go(1);
    EXPECT_EQ(d.MemoText(2), "");
    TTzBlobStream bad(d, 1, TBlobStreamMode::Read);
    EXPECT_FALSE(bad.Valid()) << "not a memo field";
}

TEST_F(TzDbfComponent, BlobStreamOnAClosedTableIsRefused)
{
    TTzDbf d;
    TTzBlobStream s(d, 1, TBlobStreamMode::Read);
    EXPECT_FALSE(s.Valid());
    EXPECT_EQ(dberror.DbErrorCode, 1103);
    EXPECT_NE(TakeErrorText().find("DataSet must be active. tzdbf"), std::string::npos);
}

} // namespace
