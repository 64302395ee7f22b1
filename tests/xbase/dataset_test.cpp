// The dataset family: record buffers and states over a record source, the
// work-area dataset with its buffer conversion and field classes, and the
// command and file datasets beneath the table component.
#include "desktop.h"
#include "xbase_fixture.h"

#include "common/askedboxes.h"
#include "platform/headless/platform_headless.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dataset/memofieldstream.h"
#include "xbase/dataset/tablecomponent.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/expr/dbexpr.h"

#include <algorithm>
#include <fstream>
#include <functional>

#include <cstring>
#include <map>

namespace
{

// ---------------------------------------------------------------------------
// A record source in memory: records of one 32-bit value, bookmark = index.
class TMemSource : public TTzPrimDataset
{
  public:
    std::vector<int32_t> Rows;
    int Pos = -1;      // -1 before the first, Rows.size() after the last
    int NextCode = -1; // when set, the result of the next TziGetRecord
    std::vector<std::string> Calls;

    int TziSetToBegin() override
    {
        Pos = -1;
        return TzOk;
    }
    int TziSetToEnd() override
    {
        Pos = static_cast<int>(Rows.size());
        return TzOk;
    }
    int TziOpen() override
    {
        Calls.push_back("open");
        return TzOk;
    }
    int TziClose() override
    {
        Calls.push_back("close");
        return TzOk;
    }
    int32_t TziGetRecordCount() override { return static_cast<int32_t>(Rows.size()); }
    int TziForceReread() override { return TzOk; }
    int TziAppendRecord(uint8_t* b) override
    {
        Rows.push_back(Value(b));
        Pos = static_cast<int>(Rows.size()) - 1;
        return TzOk;
    }
    int TziInsertRecord(uint8_t* b) override { return TziAppendRecord(b); }
    int TziDeleteRecord() override
    {
        Rows.erase(Rows.begin() + Pos);
        if (Pos >= static_cast<int>(Rows.size())) Pos = static_cast<int>(Rows.size()) - 1;
        return TzOk;
    }
    int TziInitRecord(uint8_t*) override { return TzOk; }
    int TziPostRecord(uint8_t* b, int) override
    {
        Rows[static_cast<std::size_t>(Pos)] = Value(b);
        return TzOk;
    }
    uint16_t TziGetRecordSize() override { return 10; }
    uint8_t TziGetAccessMode() override { return 2; }
    int TziGetRecord(uint8_t* b, int32_t& n) override
    {
        if (NextCode >= 0) {
            const int c = NextCode;
            NextCode = -1;
            return c;
        }
        if (Pos < 0) return TzBof;
        if (Pos >= static_cast<int>(Rows.size())) return TzEof;
        return Fill(b, n);
    }
    int TziGetNextRecord(uint8_t* b, int32_t& n) override
    {
        if (Pos + 1 >= static_cast<int>(Rows.size())) return TzEof;
        ++Pos;
        return Fill(b, n);
    }
    int TziGetPriorRecord(uint8_t* b, int32_t& n) override
    {
        if (Pos - 1 < 0) return TzBof;
        --Pos;
        return Fill(b, n);
    }
    int TziGetFieldData(const TDsField&, const uint8_t* b, bool& has, uint8_t* v) override
    {
        std::memcpy(v, b + 1, 4);
        has = true;
        return TzOk;
    }
    int TziSetFieldData(const TDsField&, uint8_t* b, const uint8_t* v) override
    {
        std::memcpy(b + 1, v, 4);
        return TzOk;
    }
    int TziSetRecNo(int32_t n) override
    {
        if (n < 1 || n > static_cast<int32_t>(Rows.size())) return TzEof;
        Pos = n - 1;
        return TzOk;
    }
    bool TziLocate(const std::string&, const std::vector<std::string>& values, TLocateOptions) override
    {
        for (std::size_t i = 0; i < Rows.size(); ++i)
            if (std::to_string(Rows[i]) == values.at(0)) {
                Pos = static_cast<int>(i);
                return true;
            }
        return false;
    }
    int TziLookup(const std::string&, const std::vector<std::string>&, const std::string&,
                  std::vector<std::string>&) override
    {
        return TzFailed;
    }
    uint16_t TziGetBookmarkSize() override { return 4; }
    int TziGotoBookmark(const uint8_t* b) override
    {
        int32_t n;
        std::memcpy(&n, b, 4);
        return TziSetRecNo(n);
    }
    int TziSetToBookmark(uint8_t* b) override
    {
        const int32_t n = Pos + 1;
        std::memcpy(b, &n, 4);
        return TzOk;
    }
    int TziCompareBookmarks(const uint8_t* a, const uint8_t* b, int& r) override
    {
        int32_t x, y;
        std::memcpy(&x, a, 4);
        std::memcpy(&y, b, 4);
        r = x < y ? -1 : x > y ? 1 : 0;
        return TzOk;
    }

    void SetState(TDataSetState s) { state_ = s; }
    TDsField ValueField() const { return Fields.at(0); }
    int32_t Current()
    {
        std::vector<uint8_t> v;
        GetFieldData(ValueField(), v);
        int32_t n;
        std::memcpy(&n, v.data(), 4);
        return n;
    }

  protected:
    void InternalInitFieldDefs() override
    {
        TDsField f;
        f.Name = "VALUE";
        f.FieldNo = 1;
        f.DataSize = 4;
        Fields.insert(Fields.begin(), f);
    }

  private:
    static int32_t Value(const uint8_t* b)
    {
        int32_t v;
        std::memcpy(&v, b + 1, 4);
        return v;
    }
    int Fill(uint8_t* b, int32_t& n)
    {
        n = Pos + 1;
        if (b != nullptr) std::memcpy(b + 1, &Rows[static_cast<std::size_t>(Pos)], 4);
        return TzOk;
    }
};

std::vector<uint8_t> Int32Bytes(int32_t v)
{
    std::vector<uint8_t> b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
}

TBookmark Mark(int32_t n)
{
    return Int32Bytes(n);
}

TEST(PrimaryDataset, TzCheckRaisesTheTextOfEachCode)
{
    TMemSource ds;
    struct {
        int code;
        const char* text;
    } cases[] = {{1401, "Dataset error: 1401"},
                 {1402, "Dataset error: 1402"},
                 {1403, "Dataset error: 1403"},
                 {1404, "The FileName property of the dataset not set"},
                 {215, "Dataset error: 215"}};
    EXPECT_NO_THROW(ds.TzCheck(0));
    for (const auto& c : cases) {
        try {
            ds.TzCheck(c.code);
            ADD_FAILURE() << c.code << " raised nothing";
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), c.text);
            EXPECT_EQ(e.Code, c.code);
        }
    }
}

TEST(PrimaryDataset, BufferLayoutFollowsDataCalculatedFieldsRecordNumberFlagAndBookmark)
{
    TMemSource ds;
    ds.Rows = {5};
    ds.AddCalcField("TOTAL", 8); // 1 has-value byte + 8
    ds.AddCalcField("NOTE", 3);  // 1 + 3
    ds.OpenDataset();
    // data 10 | calculated 9 + 4 = 13 | record number 4 | flag 1 | bookmark 4
    EXPECT_EQ(ds.RecordDataSize(), 10);
    EXPECT_EQ(ds.CalcFieldsOffset(), 10);
    EXPECT_EQ(ds.CalcFieldsSize(), 13);
    EXPECT_EQ(ds.RecNoOffset(), 23);
    EXPECT_EQ(ds.BookmarkOffset(), 28);
    EXPECT_EQ(ds.BookmarkSize(), 4);
    EXPECT_EQ(ds.RecordBufferSize(), 32);
    EXPECT_TRUE(ds.Sequenced());
    const TRecordBuffer b = ds.AllocRecordBuffer();
    EXPECT_EQ(b, TRecordBuffer(32, 0)) << "a new buffer is zero-filled";
}

TEST(PrimaryDataset, GetRecordTurnsEachCodeIntoItsResult)
{
    struct {
        int code;
        TGetResult result;
        bool raisesWithCheck;
    } cases[] = {{TzBof, TGetResult::BOF, false},
                 {TzEof, TGetResult::EOF_, false},
                 {TzFailed, TGetResult::Error, true},
                 {215, TGetResult::Error, true}};
    for (const auto& c : cases) {
        TMemSource ds;
        ds.Rows = {1, 2};
        ds.OpenDataset();
        TRecordBuffer b = ds.AllocRecordBuffer();
        ds.NextCode = c.code;
        EXPECT_EQ(ds.GetRecord(b.data(), TGetMode::Current, false), c.result) << c.code;
        ds.NextCode = c.code;
        if (c.raisesWithCheck)
            EXPECT_THROW(ds.GetRecord(b.data(), TGetMode::Current, true), EDatabaseError) << c.code;
        else
            EXPECT_NO_THROW(ds.GetRecord(b.data(), TGetMode::Current, true)) << c.code;
    }
}

TEST(PrimaryDataset, ARecordReadStoresItsNumberFlagAndBookmark)
{
    TMemSource ds;
    ds.Rows = {7, 8, 9};
    ds.OpenDataset();
    ds.TziSetRecNo(2);
    TRecordBuffer b = ds.AllocRecordBuffer();
    b[ds.RecNoOffset() + 4] = 2; // a stale EOF flag
    ASSERT_EQ(ds.GetRecord(b.data(), TGetMode::Current, true), TGetResult::OK);
    EXPECT_EQ(ds.BufferRecNo(b.data()), 2);
    EXPECT_EQ(ds.GetBookmarkFlag(b.data()), TBookmarkFlag::Current);
    EXPECT_EQ(ds.GetBookmarkData(b.data()), Mark(2));
}

TEST(PrimaryDataset, CompareBookmarksWithNilOnEitherSide)
{
    TMemSource ds;
    ds.OpenDataset();
    struct {
        TBookmark a, b;
        int result;
    } cases[] = {{Mark(3), {}, -1},      {{}, Mark(3), 1},      {{}, {}, 0},
                 {Mark(2), Mark(5), -1}, {Mark(5), Mark(2), 1}, {Mark(4), Mark(4), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ds.CompareBookmarks(c.a, c.b), c.result);
}

TEST(PrimaryDataset, BookmarkIsValidOnlyForARecordThatExists)
{
    TMemSource ds;
    ds.Rows = {1, 2};
    EXPECT_FALSE(ds.BookmarkValid(Mark(1))) << "closed";
    ds.OpenDataset();
    EXPECT_TRUE(ds.BookmarkValid(Mark(2)));
    EXPECT_FALSE(ds.BookmarkValid(Mark(3)));
    EXPECT_FALSE(ds.BookmarkValid({}));
}

TEST(PrimaryDataset, NavigationStopsAtBothEnds)
{
    TMemSource ds;
    ds.Rows = {10, 20, 30};
    ds.OpenDataset();
    EXPECT_EQ(ds.Current(), 10);
    EXPECT_TRUE(ds.DsNext());
    EXPECT_TRUE(ds.DsNext());
    EXPECT_EQ(ds.Current(), 30);
    EXPECT_FALSE(ds.DsNext());
    EXPECT_TRUE(ds.DsEof());
    EXPECT_EQ(ds.Current(), 30) << "the last record stays active";
    ds.DsFirst();
    EXPECT_EQ(ds.Current(), 10);
    EXPECT_FALSE(ds.DsPrior());
    EXPECT_TRUE(ds.DsBof());
    ds.DsLast();
    EXPECT_EQ(ds.Current(), 30);
    EXPECT_EQ(ds.GetRecNo(), 3);
    ds.SetRecNo(2);
    EXPECT_EQ(ds.Current(), 20);
}

TEST(PrimaryDataset, FieldValuesAreSetOnlyInAnEditingState)
{
    struct {
        TDataSetState state;
        bool allowed;
    } cases[] = {{TDataSetState::Browse, false},    {TDataSetState::Edit, true},
                 {TDataSetState::Insert, true},     {TDataSetState::SetKey, true},
                 {TDataSetState::CalcFields, true}, {TDataSetState::Filter, true},
                 {TDataSetState::NewValue, true}};
    for (const auto& c : cases) {
        TMemSource ds;
        ds.Rows = {1};
        ds.OpenDataset();
        ds.SetState(c.state);
        if (c.allowed) {
            EXPECT_NO_THROW(ds.SetFieldData(ds.ValueField(), Int32Bytes(4)));
        } else {
            try {
                ds.SetFieldData(ds.ValueField(), Int32Bytes(4));
                ADD_FAILURE() << "set in browse state";
            } catch (const EDatabaseError& e) {
                EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
            }
        }
    }
}

TEST(PrimaryDataset, FieldChangeEventFollowsExceptInCalculationAndFilterStates)
{
    struct {
        TDataSetState state;
        int events;
    } cases[] = {{TDataSetState::Edit, 1},       {TDataSetState::Insert, 1}, {TDataSetState::SetKey, 1},
                 {TDataSetState::CalcFields, 0}, {TDataSetState::Filter, 0}, {TDataSetState::NewValue, 0}};
    for (const auto& c : cases) {
        TMemSource ds;
        ds.Rows = {1};
        ds.OpenDataset();
        int events = 0;
        ds.OnFieldChange = [&](const TDsField&) { ++events; };
        ds.SetState(c.state);
        ds.SetFieldData(ds.ValueField(), Int32Bytes(4));
        EXPECT_EQ(events, c.events) << static_cast<int>(c.state);
    }
}

TEST(PrimaryDataset, ReadOnlyFieldIsRefusedButAKeyMayBeSet)
{
    TMemSource ds;
    ds.Rows = {1};
    ds.OpenDataset();
    TDsField f = ds.ValueField();
    f.ReadOnly = true;
    ds.SetState(TDataSetState::Edit);
    EXPECT_THROW(ds.SetFieldData(f, Int32Bytes(4)), EDatabaseError);
    ds.SetState(TDataSetState::SetKey);
    EXPECT_NO_THROW(ds.SetFieldData(f, Int32Bytes(4)));
}

TEST(PrimaryDataset, CalculatedFieldKeepsItsHasValueByte)
{
    TMemSource ds;
    ds.Rows = {1};
    ds.AddCalcField("TWICE", 4);
    ds.OpenDataset();
    const TDsField calc = ds.Fields.at(1);
    ASSERT_TRUE(calc.Calculated);
    std::vector<uint8_t> v;
    EXPECT_FALSE(ds.GetFieldData(calc, v)) << "no value yet";
    ds.SetState(TDataSetState::CalcFields);
    ds.SetFieldData(calc, Int32Bytes(2));
    ds.SetState(TDataSetState::Browse);
    EXPECT_FALSE(ds.GetFieldData(calc, v)) << "set in the calculation buffer only";
    ds.SetState(TDataSetState::CalcFields);
    ASSERT_TRUE(ds.GetFieldData(calc, v));
    EXPECT_EQ(v, Int32Bytes(2));
}

TEST(PrimaryDataset, PostEditsTheRecordAndInsertAppendsOne)
{
    TMemSource ds;
    ds.Rows = {1, 2};
    ds.OpenDataset();
    ds.DsEdit();
    EXPECT_EQ(ds.State(), TDataSetState::Edit);
    ds.SetFieldData(ds.ValueField(), Int32Bytes(11));
    ds.DsPost();
    EXPECT_EQ(ds.State(), TDataSetState::Browse);
    EXPECT_EQ(ds.Rows, (std::vector<int32_t>{11, 2}));
    int newRecords = 0;
    ds.OnNewRecord = [&] { ++newRecords; };
    ds.DsInsert();
    EXPECT_EQ(newRecords, 1);
    ds.SetFieldData(ds.ValueField(), Int32Bytes(3));
    ds.DsPost();
    EXPECT_EQ(ds.Rows, (std::vector<int32_t>{11, 2, 3}));
    EXPECT_EQ(ds.Current(), 3);
}

TEST(PrimaryDataset, CancelDropsTheEditedValue)
{
    TMemSource ds;
    ds.Rows = {1, 2};
    ds.OpenDataset();
    ds.DsEdit();
    ds.SetFieldData(ds.ValueField(), Int32Bytes(99));
    ds.DsCancel();
    EXPECT_EQ(ds.Current(), 1);
    EXPECT_EQ(ds.Rows, (std::vector<int32_t>{1, 2}));
}

TEST(PrimaryDataset, ReadOnlyDatasetRefusesChanges)
{
    TMemSource ds;
    ds.Rows = {1};
    ds.ReadOnlyDataset = true;
    ds.OpenDataset();
    EXPECT_THROW(ds.DsEdit(), EDatabaseError);
    EXPECT_THROW(ds.DsInsert(), EDatabaseError);
    EXPECT_THROW(ds.DsDelete(), EDatabaseError);
}

TEST(PrimaryDataset, LocateAndFindRecordMoveOnlyOnSuccess)
{
    TMemSource ds;
    ds.Rows = {4, 5, 6};
    ds.OpenDataset();
    EXPECT_TRUE(ds.Locate("VALUE", {"6"}, {}));
    EXPECT_EQ(ds.Current(), 6);
    EXPECT_FALSE(ds.Locate("VALUE", {"9"}, {}));
    EXPECT_TRUE(ds.FindRecord(true, true));
    EXPECT_EQ(ds.Current(), 4);
    EXPECT_TRUE(ds.Found());
    EXPECT_TRUE(ds.FindRecord(true, false));
    EXPECT_EQ(ds.Current(), 6);
}

TEST(PrimaryDataset, ScratchBufferSavesAndRestoresTheActiveRecord)
{
    TMemSource ds;
    ds.Rows = {8};
    ds.OpenDataset();
    const TRecordBuffer before = ds.ActiveBuffer();
    ds.SaveActiveBuffer();
    ds.ClearActiveBuffer();
    EXPECT_EQ(ds.ActiveBuffer(), TRecordBuffer(before.size(), 0));
    ds.RestoreActiveBuffer();
    EXPECT_EQ(ds.ActiveBuffer(), before);
}

TEST(PrimaryDataset, EmptySourceGivesBofAndEofAndANewRecordClearsTheBuffers)
{
    TMemSource ds;
    ds.OpenDataset();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.DsBof());
    EXPECT_TRUE(ds.DsEof());
    TRecordBuffer b = ds.AllocRecordBuffer();
    EXPECT_FALSE(ds.GetCurrentRecord(b.data()));
    ds.CloseDataset();
    EXPECT_EQ(ds.Calls, (std::vector<std::string>{"open", "close"}));
    EXPECT_EQ(ds.State(), TDataSetState::Inactive);
}

// ---------------------------------------------------------------------------
// Field definitions.

TEST(FieldDefinitions, EntriesAreParsedCorrectedOrSkipped)
{
    struct {
        const char* entry;
        bool isVirtual, taken;
        char type;
        int len, dec;
        bool corrected;
    } cases[] = {
        {"NAME, C, 10, 0", false, true, 'C', 10, 0, false},
        {"NAME,C,10,0", false, true, 'C', 10, 0, false},
        {"  QTY ,  n , 8 , 2 ", false, true, 'N', 8, 2, false},
        {"SKIP, X, 4, 0", false, false, 'C', 0, 0, false},
        {"NOTE, M, 10, 0", true, true, 'N', 10, 0, false},
        {"NOTE, M, 10, 0", false, true, 'M', 10, 0, false},
        {"PIC, G, 10, 0", false, true, 'M', 10, 0, true},
        {"BIG, N, 30, 25", false, true, 'N', 20, 18, true},
        {"ODD, Q, 5, 0", false, true, 'C', 5, 0, true},
        {"LONG, C, 300, 2", false, true, 'C', 254, 0, true},
        {"TOOFEW, C, 10", false, false, 'C', 0, 0, false},
    };
    for (const auto& c : cases) {
        TDbfFieldDef def;
        EXPECT_EQ(ParseDbfFieldEntry(c.entry, c.isVirtual, def), c.taken) << c.entry;
        if (!c.taken) continue;
        EXPECT_EQ(def.Type, c.type) << c.entry;
        EXPECT_EQ(def.Length, c.len) << c.entry;
        EXPECT_EQ(def.Decimals, c.dec) << c.entry;
        EXPECT_EQ(def.Corrected, c.corrected) << c.entry;
    }
}

TEST(FieldDefinitions, CorrectionIsReportedWithBothDefinitions)
{
    TDbfFieldDef def;
    ASSERT_TRUE(ParseDbfFieldEntry("BIG, N, 30, 25", false, def));
    EXPECT_EQ(
        CorrectionMessage("parts.dbf", def),
        "Invalid field definition for parts.dbf: BIG,N,30,25. Will use corrected definition: BIG,N,20,18");
    EXPECT_EQ(DbfFieldEntry("NAME", 'C', 10, 0), "NAME, C, 10, 0");
}

TEST(FieldDefinitions, DateTimeValuesCountDaysFromTheEndOf1899)
{
    struct {
        const char* key;
        double value;
    } cases[] = {{"18991231", 1}, {"19000101", 2}, {"20000101", 36526}, {"20240301", 45352}, {"        ", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(DateTimeOfKey(c.key), c.value) << c.key;
        if (c.value != 0) {
            EXPECT_EQ(KeyOfDateTime(c.value), c.key);
        }
    }
    EXPECT_EQ(KeyOfDateTime(0), "        ");
}

// ---------------------------------------------------------------------------
// The work-area dataset over a real table.

class WorkAreaDataset : public XbaseTest
{
  protected:
    void SetUp() override
    {
        XbaseTest::SetUp();
        InitXbaseLibrary();
        SetAutoReport(false);
        dbdates.DbDateFormat = 0;
        dbdates.DateCentury = false;
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("six.dbf"),
                              {{"C", 'C', 10, 0, 0},
                               {"R", 'N', 8, 2, 0},
                               {"I", 'N', 5, 0, 0},
                               {"D", 'D', 8, 0, 0},
                               {"L", 'L', 1, 0, 0},
                               {"M", 'M', 10, 0, 0}}));
        t.Name = Path("six.dbf");
        ASSERT_TRUE(OpenDbf(t));
        const char* rows[] = {" first        12.50   4220240301T          ",
                              " second        1.25    7        F          ",
                              " third        -3.00   -1        ?          "};
        for (const char* r : rows) {
            t.RecordBuffer = r;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
        ds.SetDbfFileName(Path("six.dbf"));
    }
    void TearDown() override
    {
        ds.SetActive(false);
        XbaseTest::TearDown();
    }
    // A record as another program wrote it, appended to the table as its bytes.
    void AppendStored(const std::string& record)
    {
        TDbfTable t;
        t.Name = Path("six.dbf");
        ASSERT_TRUE(OpenDbf(t));
        t.RecordBuffer = record;
        ASSERT_TRUE(AppendDbfRecord(t));
        ASSERT_TRUE(CloseDbf(t));
    }
    double ReadDouble(const uint8_t* p)
    {
        double v;
        std::memcpy(&v, p, 8);
        return v;
    }
    int32_t ReadInt(const uint8_t* p)
    {
        int32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }

    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    TTzDbf ds{"six"};
};

TEST_F(WorkAreaDataset, BufferOffsetsFollowTheFieldSizes)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_EQ(ds.TziGetRecordSize(), 38);
    EXPECT_EQ(ds.RecordDataSize(), 38);
    EXPECT_EQ(ds.FieldOffsets(), (std::vector<int>{1, 12, 20, 24, 32, 34}));
    EXPECT_EQ(ds.TziGetAccessMode(), 2);
    EXPECT_EQ(ds.TziGetBookmarkSize(), 4);
    // data, the memo's blob pointer, record number, flag, bookmark
    EXPECT_EQ(ds.RecordBufferSize(), 38 + 4 + 4 + 1 + 4);
}

TEST_F(WorkAreaDataset, FieldListDescribesTheTableAndAddressesItsRecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    TDbfFieldProps& p = ds.FieldProps();
    ASSERT_EQ(p.Count(), 6);
    struct {
        int n;
        const char* name;
        char type;
        int len, dec;
    } cases[] = {{1, "C", 'C', 10, 0}, {2, "R", 'N', 8, 2}, {3, "I", 'N', 5, 0},
                 {4, "D", 'D', 8, 0},  {5, "L", 'L', 1, 0}, {6, "M", 'M', 10, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(p.Name(c.n), c.name);
        EXPECT_EQ(p.Type(c.n), c.type);
        EXPECT_EQ(p.Length(c.n), c.len);
        EXPECT_EQ(p.Decimals(c.n), c.dec);
    }
    EXPECT_EQ(std::string(p.Address(1), 5), "first");
    EXPECT_EQ(*p.Address(0), ' ') << "the deletion flag";
    EXPECT_EQ(std::string(p.Address(4), 8), "20240301");
    EXPECT_EQ(p.Address(7), nullptr);
}

TEST_F(WorkAreaDataset, RecordIsReadIntoTheBufferByFieldType)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    const uint8_t* b = ds.ActiveBuffer().data();
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[1], 10) << "length byte";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 2), 10), "first     ");
    EXPECT_EQ(ReadDouble(b + 12), 12.5);
    EXPECT_EQ(ReadInt(b + 20), 42);
    EXPECT_EQ(ReadDouble(b + 24), 45352.0) << "1 March 2024";
    EXPECT_EQ(b[32], 'T');
    EXPECT_EQ(ReadInt(b + 34), 0);
    EXPECT_EQ(ds.BufferRecNo(b), 1);
}

TEST_F(WorkAreaDataset, FieldClassesByType)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_NE(dynamic_cast<TTzFloatField*>(ds.FieldByName("R")), nullptr);
    EXPECT_NE(dynamic_cast<TTzIntegerField*>(ds.FieldByName("I")), nullptr);
    EXPECT_NE(dynamic_cast<TTzDateField*>(ds.FieldByName("D")), nullptr);
    TField* c = ds.FieldByName("C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(dynamic_cast<TTzFloatField*>(c), nullptr);
    EXPECT_EQ(c->AsString(), "first") << "right-trimmed";
    EXPECT_EQ(ds.FieldByName("R")->AsFloat(), 12.5);
    EXPECT_EQ(ds.FieldByName("I")->AsInteger(), 42);
    EXPECT_TRUE(ds.FieldByName("L")->AsBoolean());
    EXPECT_EQ(ds.FieldByName("D")->GetText(), "03/01/24");
    EXPECT_EQ(ds.FieldByName("NOSUCHFIELD"), nullptr);
}

TEST_F(WorkAreaDataset, NumberFieldsAcceptAnyDisplayWidthUpToTwenty)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    struct {
        const char* field;
        int width;
        bool accepted;
    } cases[] = {{"R", 0, true},  {"R", 20, true}, {"I", 0, true},  {"I", 15, true},
                 {"C", 0, false}, {"C", 20, true}, {"R", -1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ds.FieldByName(c.field)->SetDisplayWidth(c.width), c.accepted) << c.field << " " << c.width;
}

TEST_F(WorkAreaDataset, EmptyDateHasNoValue)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_FALSE(ds.FieldByName("D")->IsNull());
    ds.Go(2);
    EXPECT_TRUE(ds.FieldByName("D")->IsNull()) << "the command brings the buffers in step";
    ds.SetRecNo(1);
    EXPECT_FALSE(ds.FieldByName("D")->IsNull());
    ds.SetRecNo(3);
    EXPECT_TRUE(ds.FieldByName("D")->IsNull());
    EXPECT_EQ(ds.FieldByName("D")->GetText(), "");
    EXPECT_FALSE(ds.FieldByName("C")->IsNull());
}

TEST_F(WorkAreaDataset, NextFromTheLastRecordReturnsEofAndStaysOnIt)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    TRecordBuffer b = ds.AllocRecordBuffer();
    int32_t n = 0;
    ASSERT_EQ(ds.TziSetToBegin(), TzOk);
    EXPECT_EQ(ds.TziGetRecord(b.data(), n), TzBof) << "before the first record";
    std::vector<int32_t> seen;
    while (ds.TziGetNextRecord(b.data(), n) == TzOk)
        seen.push_back(n);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_TRUE(ds.AtEof());
    EXPECT_EQ(RecNo(), 3) << "the work area stays on the last record";
    EXPECT_EQ(ds.TziGetRecord(b.data(), n), TzEof);
    seen.clear();
    while (ds.TziGetPriorRecord(b.data(), n) == TzOk)
        seen.push_back(n);
    EXPECT_EQ(seen, (std::vector<int32_t>{3, 2, 1}));
    EXPECT_TRUE(ds.AtBof());
    EXPECT_EQ(ds.TziGetPriorRecord(b.data(), n), TzBof);
}

TEST_F(WorkAreaDataset, BookmarksAreRecordNumbers)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    uint8_t mark[4];
    ASSERT_EQ(ds.TziSetRecNo(2), TzOk);
    ds.TziSetToBookmark(mark);
    int32_t n;
    std::memcpy(&n, mark, 4);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(ds.TziSetRecNo(3), TzOk);
    EXPECT_EQ(ds.TziGotoBookmark(mark), TzOk);
    EXPECT_EQ(RecNo(), 2);
    EXPECT_NE(ds.TziSetRecNo(9), TzOk) << "not a record: the end instead";
    EXPECT_TRUE(ds.AtEof());
    uint8_t other[4] = {3, 0, 0, 0};
    int r = 0;
    ds.TziCompareBookmarks(mark, other, r);
    EXPECT_EQ(r, -1);
}

TEST_F(WorkAreaDataset, EditThroughTheFieldsReplacesTheRecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.SetRecNo(2);
    ds.DsEdit();
    ds.FieldByName("I")->SetAsInteger(77);
    ds.FieldByName("R")->SetAsFloat(2.75);
    ds.FieldByName("C")->SetAsString("changed");
    ds.FieldByName("D")->SetText("12/24/25");
    ds.FieldByName("L")->SetAsBoolean(true);
    ds.DsPost();
    EXPECT_EQ(ds.State(), TDataSetState::Browse);
    ds.SetActive(false);
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.Go(2);
    EXPECT_EQ(ds.SField(1), "changed   ");
    EXPECT_EQ(ds.SField(2), "    2.75");
    EXPECT_EQ(ds.SField(3), "   77");
    EXPECT_EQ(ds.AsDate(4), KeyToJulian("20251224"));
    EXPECT_TRUE(ds.AsBoolean(5));
}

// A field's text is read as the same number on every desktop, "." and ","
// alike as the decimal mark, and a number given as or to a text keeps every
// digit it has.
TEST_F(WorkAreaDataset, FieldTextsAreTheSameNumbersOnEveryDesktop)
{
    const struct {
        const char* text;
        const char* shown;
        double value;
    } cases[] = {{"0.3", "    0.30", 0.3},
                 {"0,3", "    0.30", 0.3},
                 {"1.234,5", " 1234.50", 1234.5},
                 {"-2,25", "   -2.25", -2.25},
                 {"12345.67", "12345.67", 12345.67}};
    AppendStored(" fourth        0,25    1        F          "); // a decimal comma stored
    for (const auto& desktop : Desktops) {
        ScopedDesktop d(desktop[0], desktop[1]);
        ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
        ds.Go(4);
        EXPECT_EQ(ds.SField(2), "    0.25") << desktop[1];
        for (const auto& c : cases) {
            ASSERT_TRUE(ds.SetFieldText("R", c.text));
            EXPECT_EQ(ds.SField(2), c.shown) << desktop[1] << " " << c.text;
            EXPECT_EQ(ds.AsFloat(2), c.value) << desktop[1] << " " << c.text;
        }
        EXPECT_EQ(ds.FieldByName("R")->AsString(), "12345.67") << desktop[1];
        ASSERT_TRUE(ds.SetFieldFloat("C", 1234567.25));
        EXPECT_EQ(ds.AsFloat(1), 1234567.25) << desktop[1];
        ASSERT_TRUE(ds.SetFieldFloat("C", 1234567.8125)); // fewer decimals to fit, or none at all
        EXPECT_EQ(ds.AsString(1), "1234567.81") << desktop[1];
        ASSERT_TRUE(ds.SetFieldFloat("C", 12345678901.0));
        EXPECT_EQ(ds.AsString(1), "**********") << desktop[1];
        ds.FieldByName("C")->SetAsFloat(-1234.0625);
        EXPECT_EQ(ds.FieldByName("C")->AsFloat(), -1234.0625) << desktop[1];
        ds.FieldByName("C")->SetAsFloat(12345678901.0); // eleven digits: no ten of them
        EXPECT_EQ(ds.AsString(1), "**********") << desktop[1];
        ds.SetActive(false);
    }
}

TEST_F(WorkAreaDataset, InsertThroughTheFieldsAppendsARecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.DsInsert();
    ds.DsInsert(); // the first new record is dropped, back on the record it began on, without an error
    EXPECT_EQ(ds.State(), TDataSetState::Insert);
    ds.FieldByName("C")->SetAsString("fourth");
    ds.FieldByName("I")->SetAsInteger(4);
    ds.DsPost();
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.Go(4);
    EXPECT_EQ(ds.AsString(1), "fourth");
    EXPECT_EQ(ds.AsInteger(3), 4);
}

// A new record stores a number it was given, 0 included; one given none stays blank.
TEST_F(WorkAreaDataset, NewRecordStoresTheNumbersGivenAndLeavesTheOthersBlank)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    std::string r, i;
    for (int32_t n : {4, 5}) {
        ds.DsInsert();
        ASSERT_TRUE(n == 4 ? ds.SetFieldFloat("R", 0) : ds.SetFieldInt("I", 0));
        ASSERT_TRUE(ds.Post());
        ds.Peek(2, n, r), ds.Peek(3, n, i);
        EXPECT_EQ(r + "|" + i, n == 4 ? "    0.00|     " : "        |    0");
    }
}

// The F fields of a dBASE IV table's new record likewise: an empty text gives no value, a 0 set
// through the dataset or through the field is stored; a record read afterwards takes a 0 put
// into its blank field by the commands, whatever the new records before it left blank.
TEST_F(WorkAreaDataset, FloatFieldsOfANewRecordStayBlankUntilGiven)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("four.dbf"), {{"X", 'F', 8, 2, 0}, {"Y", 'F', 6, 0, 0}}));
    ds.SetDbfFileName(Path("four.dbf"));
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return ds.SetFieldText("X", " "); }, "        |      "},
        {[&] { return ds.SetFieldFloat("Y", 0); }, "        |     0"},
        {[&] { return ds.FieldByName("X")->SetAsFloat(0), true; }, "    0.00|      "}};
    std::string x, y;
    for (int32_t n = 1; n <= 3; ++n) {
        ds.DsInsert();
        ASSERT_TRUE(cases[n - 1].first() && ds.Post());
        ds.Peek(1, n, x), ds.Peek(2, n, y);
        EXPECT_EQ(x + "|" + y, cases[n - 1].second) << "record " << n;
    }
    ASSERT_TRUE(ds.CheckCommand("Go"));
    GO(1);
    SetNativeDouble(2, 0);
    ASSERT_TRUE(RLock());
    Replace();
    Unlock();
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    ds.Peek(2, 1, y);
    EXPECT_EQ(y, "     0");
}

TEST_F(WorkAreaDataset, DateTextClearsOrSetsTheDate)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.DsEdit();
    TField* d = ds.FieldByName("D");
    d->SetText("  /  /  ");
    EXPECT_TRUE(d->IsNull()) << "the blank date clears the field";
    d->SetText("02/29/24");
    EXPECT_EQ(d->AsFloat(), 45351.0);
    d->SetText("02/30/24");
    EXPECT_TRUE(d->IsNull()) << "no such day";
    ds.DsCancel();
    EXPECT_EQ(ds.FieldByName("D")->AsFloat(), 45352.0);
}

TEST_F(WorkAreaDataset, CommandGuardOnAClosedDataset)
{
    EXPECT_FALSE(ds.CheckCommand("Go"));
    EXPECT_EQ(dberror.DbErrorCode, 1103);
    EXPECT_NE(TakeErrorText().find("[six.Go]"), std::string::npos);
}

TEST_F(WorkAreaDataset, NamedComponentOpensItsTableUnderItsName)
{
    ds.SetActive(false);
    for (auto [component, alias] : {std::pair{"tzdbf", "TZDBF"}, std::pair{"", "SIX"}}) { // "": file name
        TTzDbf other{component};
        other.SetDbfFileName(Path("six.dbf"));
        ASSERT_TRUE(other.SetActive(true)) << TakeErrorText();
        EXPECT_EQ(dbcmd.WorkAreas[other.WorkArea()]->AliasName, alias);
    }
}

TEST_F(WorkAreaDataset, OpeningWithoutAFileNameIsCode1404)
{
    TTzDbf none{"none"};
    EXPECT_EQ(none.TziOpen(), TzNoFileName);
    EXPECT_FALSE(none.SetActive(true));
    EXPECT_EQ(dberror.DbErrorCode, 1404);
}

TEST_F(WorkAreaDataset, LookupReturnsValuesAndStaysOnTheRecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.Go(1);
    std::vector<std::string> result;
    EXPECT_EQ(ds.Lookup("C", {"third"}, "I;R", result), TzOk);
    EXPECT_EQ(result, (std::vector<std::string>{"-1", "-3.00"}));
    EXPECT_EQ(RecNo(), 1);
    EXPECT_NE(ds.Lookup("C", {"nothing"}, "I", result), TzOk);
}

TEST_F(WorkAreaDataset, DeleteThroughTheDatasetMarksTheRecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.SetRecNo(2);
    ds.DsDelete();
    ds.Go(2);
    EXPECT_TRUE(Deleted());
    EXPECT_EQ(ds.RecordCount(), 3) << "marked, not packed";
}

// ---------------------------------------------------------------------------
// The file dataset's index use and lock events.

TEST_F(WorkAreaDataset, ControllingIndexMakesTheDatasetUnsequencedAndLocatesThroughIt)
{
    ds.IndexList = {"1," + Path("six_c.ndx") + ",C"};
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_FALSE(ds.IsSequenced());
    TLocateOptions partial;
    partial.PartialKey = true;
    EXPECT_TRUE(ds.Locate("C", {"sec"}, partial));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName("C")->AsString(), "second") << "the buffers follow";
    EXPECT_FALSE(ds.Locate("C", {"sec"}, TLocateOptions{})) << "whole key without the partial option";
    ds.SetActive(false);
    ds.IndexList.clear();
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_TRUE(ds.IsSequenced());
}

TEST_F(WorkAreaDataset, RefusedRecordLockAsksTheEventOfItsKind)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    const uint8_t mine = ds.WorkArea();
    Select(20);
    ASSERT_TRUE(UseFile(Path("six.dbf") + " ALIAS OTHER"));
    GO(1);
    ASSERT_TRUE(RLock());
    Select(mine);
    int post = 0, common = 0;
    ds.OnRLockFailedOnPost = [&](bool& retry) { retry = ++post < 3; };
    ds.OnLockFailed = [&](TLockKind, bool&) { ++common; };
    ds.Go(1);
    ds.SetFieldText("C", "mine");
    EXPECT_FALSE(ds.Post());
    EXPECT_EQ(post, 3) << "asked until it stops retrying";
    EXPECT_EQ(common, 0);
    EXPECT_FALSE(ds.Delete());
    EXPECT_EQ(common, 1) << "no delete event: the common one";
    Select(20);
    CloseArea();
}

TEST_F(WorkAreaDataset, RefusedLockWithoutEventsIsShownOnce)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    const uint8_t mine = ds.WorkArea();
    Select(20);
    ASSERT_TRUE(UseFile(Path("six.dbf") + " ALIAS OTHER"));
    GO(1);
    ASSERT_TRUE(RLock());
    Select(mine);
    ds.Go(1);
    ds.SetFieldText("C", "mine");
    EXPECT_FALSE(ds.Post());
    int shown = 0;
    for (const auto& a : headless.HeadlessMessages().AskedQuestions())
        shown += a.Request.Text == "Lock failed [Post]";
    EXPECT_EQ(shown, 1);
    Select(20);
    CloseArea();
    ds.Cancel();
    EXPECT_EQ(ds.AsString(1), "first") << "the record is unchanged";
}

TEST_F(WorkAreaDataset, RestoreRunsTheRestoreEvents)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    std::vector<std::string> calls;
    ds.BeforeRestore = [&] { calls.push_back("before"); };
    ds.AfterRestore = [&] { calls.push_back("after"); };
    ds.Go(1);
    ASSERT_TRUE(ds.Delete());
    ASSERT_TRUE(ds.Restore());
    EXPECT_EQ(calls, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(Deleted());
}

} // namespace

namespace
{

TEST(DatasetUnit, StartUpTakesTheDateOrderFromTheShortDateFormat)
{
    struct {
        const char* format;
        uint8_t code;
        bool century;
    } cases[] = {{"M/d/yy", 0, false},    {"MM/dd/yyyy", 0, true}, {"yyyy-MM-dd", 1, true},
                 {"yy.MM.dd", 1, false},  {"dd/MM/yyyy", 2, true}, {"dd-MM-yy", 3, false},
                 {"dd.MM.yyyy", 5, true}, {"d.M.yy", 5, false},    {"DD/MM/YY", 2, false}};
    for (const auto& c : cases) {
        ResetDbDates();
        InitDatasetUnit(c.format);
        EXPECT_EQ(dbdates.DbDateFormat, c.code) << c.format;
        EXPECT_EQ(dbdates.DateCentury, c.century) << c.format;
    }
    InitDatasetUnit("dd.MM.yyyy", "ja", std::string(30, 'n'));
    EXPECT_EQ(ucommon.YesText, "ja");
    EXPECT_EQ(ucommon.NoText, std::string(20, 'n')) << "at most 20 characters";
    ResetDbDates();
    ResetUCommon();
    EXPECT_EQ(ucommon.YesText, "yes");
}

TEST_F(WorkAreaDataset, IndexFromAKeyMakerOrdersByItsKeysAndKeepsTheActiveRecord)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.Go(3);
    int calls = 0;
    // The name spelled backwards: "tsrif", "dnoces", "driht".
    auto reversed = [&](TTzFileDataSet& d) {
        ++calls;
        std::string k = d.FieldByName("C")->AsString();
        std::reverse(k.begin(), k.end());
        k.resize(10, ' ');
        return k;
    };
    ASSERT_TRUE(ds.IndexOnCB(Path("rev.ndx"), reversed)) << TakeErrorText();
    EXPECT_GE(calls, 3);
    std::vector<int32_t> order;
    ds.First();
    for (int i = 0; i < 3; ++i) {
        order.push_back(ds.RecNo());
        ds.Next();
    }
    EXPECT_EQ(order, (std::vector<int32_t>{2, 3, 1}));
}

TEST_F(WorkAreaDataset, IndexOpenedByItsLongNameAtAnOrder)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ASSERT_TRUE(ds.IndexOn("I", Path("a long index name.ndx")));
    ds.SetActive(false);
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_TRUE(ds.IsSequenced());
    ASSERT_TRUE(ds.SetIndexToLFN(Path("a long index name.ndx"), 1)) << TakeErrorText();
    EXPECT_FALSE(ds.IsSequenced());
    ds.First();
    EXPECT_EQ(ds.RecNo(), 3) << "-1 is the smallest number";
}

TEST_F(WorkAreaDataset, RecordCountIsRepairedOnlyWhenAsked)
{
    // The header claims one record; the file holds three, then its end byte and a record's length of
    // zeros (padding some other program left).
    {
        std::fstream f(Path("six.dbf"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4);
        const char one[4] = {1, 0, 0, 0};
        f.write(one, 4);
        f.seekp(0, std::ios::end);
        const std::string zeros(43, '\0'); // 1 + 10 + 8 + 5 + 8 + 1 + 10
        f.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    struct {
        bool fix;
        int32_t count;
    } cases[] = {{false, 3}, {true, 4}};
    // Shared, the count always comes from the file size; alone, from the whole records behind the header's
    // count up to the first whose delete flag is neither blank nor "*", or (asked) from the file size.
    ds.Exclusive = true;
    for (const auto& c : cases) {
        ds.AutoFixRecCount = c.fix;
        ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
        EXPECT_EQ(ds.RecordCount(), c.count) << c.fix;
        EXPECT_FALSE(dbffile.CountFromFileSize) << "the engine's setting is restored";
        ds.SetActive(false);
    }
}

TEST_F(WorkAreaDataset, BlobStreamOfTheDatasetWritesReadsAndTellsTheField)
{
    ds.Exclusive = true;
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    std::vector<std::string> changed;
    ds.OnFieldChange = [&](const TDsField& f) { changed.push_back(f.Name); };
    ds.Go(1);
    {
        auto w = ds.CreateBlobStream(6, TBlobStreamMode::Write);
        ASSERT_TRUE(w->Valid());
        EXPECT_EQ(w->Write("remark", 6), 6);
    }
    EXPECT_EQ(changed, (std::vector<std::string>{"M"}));
    ASSERT_TRUE(ds.Post());
    ds.Go(1);
    EXPECT_EQ(ds.MemoText(6), "remark");
    {
        auto r = ds.CreateBlobStream(6, TBlobStreamMode::Read);
        char buf[8] = {};
        EXPECT_EQ(r->Read(buf, 8), 6);
    }
    EXPECT_EQ(changed.size(), 1u) << "reading changes nothing";
    {
        auto w = ds.CreateBlobStream(6, TBlobStreamMode::Write);
        ASSERT_TRUE(w->Valid());
    }
    EXPECT_EQ(changed.size(), 2u) << "clearing a memo that held text is a change";
    ASSERT_TRUE(ds.Post());
    ds.Go(1);
    EXPECT_EQ(ds.MemoText(6), "");
    {
        auto w = ds.CreateBlobStream(6, TBlobStreamMode::Write);
    }
    EXPECT_EQ(changed.size(), 2u) << "an empty memo left empty is no change";
}

} // namespace

namespace
{

class TMarkingDbf : public TTzDbf
{
  public:
    using TTzDbf::TTzDbf;
    int Marks = 0;
    void MarkModified() override { ++Marks; }
};

TEST_F(WorkAreaDataset, CommandValuesShowInTheFieldsAndChangesAreMarked)
{
    TMarkingDbf d{"marking"};
    d.Exclusive = true;
    d.SetDbfFileName(Path("six.dbf"));
    ASSERT_TRUE(d.SetActive(true)) << TakeErrorText();
    d.Go(2);
    ASSERT_TRUE(d.SetFieldText("C", "typed"));
    ASSERT_TRUE(d.SetFieldInt("I", 9));
    EXPECT_EQ(d.FieldByName("C")->AsString(), "typed") << "the field shows the value set";
    EXPECT_EQ(d.FieldByName("I")->AsInteger(), 9);
    EXPECT_EQ(d.Marks, 0);
    ASSERT_TRUE(d.AppendRec());
    EXPECT_EQ(d.Marks, 1);
    d.Go(4);
    EXPECT_EQ(d.FieldByName("C")->AsString(), "typed");
    ASSERT_TRUE(d.Delete());
    d.Pack();
    EXPECT_EQ(d.Marks, 2);
    EXPECT_EQ(d.RecordCount(), 3);
    d.SetActive(false);
}

TEST(PrimaryDataset, UncaughtFailureGoesToTheHandlerOrAMessage)
{
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    TMemSource ds;
    std::string handled;
    ds.OnHandleException = [&](const std::string& text) { handled = text; };
    ds.InternalHandleException(EDatabaseError("Dataset error: 1401", 1401));
    EXPECT_EQ(handled, "Dataset error: 1401");
    ds.OnHandleException = nullptr;
    ds.InternalHandleException(EDatabaseError("Dataset error: 1403", 1403));
    ASSERT_FALSE(headless.HeadlessMessages().AskedQuestions().empty());
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "Dataset error: 1403");
}

} // namespace

namespace
{

TEST(PrimaryDataset, EventsSurroundEachStep)
{
    TMemSource ds;
    ds.Rows = {1, 2};
    std::vector<std::string> log;
    auto note = [&](const char* s) { return [&log, s] { log.push_back(s); }; };
    ds.BeforeOpen = note("before open");
    ds.AfterOpen = note("after open");
    ds.BeforeEdit = note("before edit");
    ds.AfterEdit = note("after edit");
    ds.BeforePost = note("before post");
    ds.AfterPost = note("after post");
    ds.BeforeScroll = note("before scroll");
    ds.AfterScroll = note("after scroll");
    ds.BeforeCancel = note("before cancel");
    ds.AfterCancel = note("after cancel");
    ds.BeforeClose = note("before close");
    ds.AfterClose = note("after close");
    ds.OpenDataset();
    ds.DsEdit();
    ds.DsPost();
    ds.DsEdit();
    ds.DsNext(); // cancels the edit first
    ds.CloseDataset();
    EXPECT_EQ(log, (std::vector<std::string>{"before open", "after open", "before edit", "after edit",
                                             "before post", "after post", "before edit", "after edit",
                                             "before cancel", "after cancel", "before scroll", "after scroll",
                                             "before close", "after close"}));
}

// A source whose posts fail a given number of times.
class TFailingSource : public TMemSource
{
  public:
    int Failures = 0;
    int TziPostRecord(uint8_t* b, int flag) override
    {
        if (Failures > 0) {
            --Failures;
            return 215;
        }
        return TMemSource::TziPostRecord(b, flag);
    }
};

TEST(PrimaryDataset, PostErrorEventDecidesBetweenRetryAbortAndFail)
{
    using A = TTzPrimDataset::TDataAction;
    struct {
        A action;
        int failures;
        bool raises;
        int32_t stored;
        TDataSetState after;
    } cases[] = {{A::Retry, 2, false, 5, TDataSetState::Browse},
                 {A::Abort, 1, false, 1, TDataSetState::Edit},
                 {A::Fail, 1, true, 1, TDataSetState::Edit}};
    for (const auto& c : cases) {
        TFailingSource ds;
        ds.Rows = {1};
        ds.OpenDataset();
        ds.Failures = c.failures;
        int asked = 0;
        ds.OnPostError = [&](const EDatabaseError& e, A& action) {
            ++asked;
            EXPECT_EQ(e.Code, 215);
            action = c.action;
        };
        ds.DsEdit();
        ds.SetFieldData(ds.ValueField(), Int32Bytes(5));
        if (c.raises)
            EXPECT_THROW(ds.DsPost(), EDatabaseError);
        else
            EXPECT_NO_THROW(ds.DsPost());
        EXPECT_EQ(asked, c.failures) << static_cast<int>(c.action);
        EXPECT_EQ(ds.Rows.at(0), c.stored) << static_cast<int>(c.action);
        EXPECT_EQ(ds.State(), c.after) << static_cast<int>(c.action);
    }
}

TEST(PrimaryDataset, CalculatedFieldsAreComputedAsRecordsAreRead)
{
    TMemSource ds;
    ds.Rows = {3, 4};
    ds.AddCalcField("TWICE", 4);
    ds.OnCalcFields = [&] {
        EXPECT_EQ(ds.State(), TDataSetState::CalcFields);
        const int32_t twice = 2 * ds.Current();
        ds.SetFieldData(ds.Fields.at(1), Int32Bytes(twice));
    };
    ds.OpenDataset();
    std::vector<uint8_t> v;
    ASSERT_TRUE(ds.GetFieldData(ds.Fields.at(1), v));
    EXPECT_EQ(v, Int32Bytes(6));
    ds.DsNext();
    ASSERT_TRUE(ds.GetFieldData(ds.Fields.at(1), v));
    EXPECT_EQ(v, Int32Bytes(8));
    ds.AutoCalcFields = false;
    ds.DsPrior();
    EXPECT_FALSE(ds.GetFieldData(ds.Fields.at(1), v)) << "not computed without AutoCalcFields";
}

} // namespace

namespace
{

TEST_F(WorkAreaDataset, DatesAreWrittenInEveryDateOrder)
{
    struct {
        uint8_t format;
        double value;
        const char* key;
    } cases[] = {{0, 45352, "20240301"},
                 {2, 45352, "20240301"},
                 {5, 21916, "19600101"},
                 {1, 36525, "19991231"},
                 {3, 45351, "20240229"}};
    for (const auto& c : cases) {
        SetDateFormat(c.format);
        dbdates.DateCentury = false;
        ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
        ds.SetRecNo(2);
        ds.DsEdit();
        std::vector<uint8_t> v(8);
        std::memcpy(v.data(), &c.value, 8);
        ds.SetFieldData(ds.FieldByName("D")->Def(), v);
        ds.DsPost();
        ds.SetActive(false);
        ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
        ds.Go(2);
        EXPECT_EQ(std::string(ds.FieldProps().Address(4), 8), c.key) << int(c.format) << " " << c.value;
        EXPECT_EQ(ds.FieldByName("D")->AsFloat(), c.value) << int(c.format) << " read back";
        ds.SetActive(false);
    }
}

TEST_F(WorkAreaDataset, StoredDateOutsideTheCenturyWindowIsReadExactly)
{
    AppendStored(" old           0.00    0185006150          ");
    dbdates.DateCentury = false; // shown as 06/15/50, which the window puts in 2050
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.SetRecNo(4);
    EXPECT_EQ(ds.FieldByName("D")->AsFloat(), -18095.0) << "15 June 1850";
    std::string key; // a post of another field leaves the date as stored
    ASSERT_TRUE(ds.SetFieldText("C", "newer") && ds.Post());
    EXPECT_EQ((ds.Peek(4, 4, key), key), "18500615");
}

} // namespace

namespace
{

// A number another program stored with a decimal its field does not declare (4.7 in I, N 5 0): an expression
// on the record reads it as stored, and goes on doing so while an edit of another field is under way.
TEST_F(WorkAreaDataset, ExpressionsReadTheStoredRecordDuringAnEdit)
{
    AppendStored(" odd           0.00  4.7        F          ");
    InstallExprParser();
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.Go(4);
    TCompiledExpr* tenfold = AssignExpr("I * 10");
    ASSERT_NE(tenfold, nullptr);
    EXPECT_EQ(EvaluateExpr(tenfold)->Num, 47);
    ASSERT_TRUE(ds.SetFieldText("C", "edited"));
    EXPECT_EQ(EvaluateExpr(tenfold)->Num, 47) << "while the edit is under way";
    FreeExpr(tenfold);
    ds.Cancel();
}

TEST_F(WorkAreaDataset, DateTextIsReadInTheEngineOrder)
{
    struct {
        uint8_t format;
        const char* text;
        double value;
    } cases[] = {{0, "02/29/24", 45351}, {2, "29/02/24", 45351}, {3, "29-02-24", 45351},
                 {5, "29.02.24", 45351}, {1, "24.02.29", 45351}, {5, "31.04.24", 0}};
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    for (const auto& c : cases) {
        SetDateFormat(c.format);
        dbdates.DateCentury = false;
        EXPECT_EQ(DateTextToDateTime(c.text), c.value) << int(c.format) << " " << c.text;
        ds.DsEdit();
        ds.FieldByName("D")->SetText(c.text);
        EXPECT_EQ(ds.FieldByName("D")->AsFloat(), c.value) << int(c.format) << " " << c.text;
        ds.DsCancel();
    }
}

} // namespace

namespace
{

TEST_F(WorkAreaDataset, BeingDesignedTheFileIsOpenedOnlyForItsStructure)
{
    ds.DesignTime = true;
    ds.Exclusive = true;
    EXPECT_FALSE(ds.UsesWorkArea());
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    EXPECT_EQ(ds.WorkArea(), 0) << "no work area kept";
    EXPECT_EQ(ds.DbfFields.size(), 6u);
    EXPECT_EQ(ds.TziGetRecordCount(), 1);
    EXPECT_FALSE(ds.IsEmpty());
    EXPECT_EQ(ds.FieldProps().Count(), 6);
    EXPECT_EQ(ds.TziGetRecordSize(), 38);
    ASSERT_TRUE(ds.DirectOpenClose(true)) << TakeErrorText();
    EXPECT_NE(ds.WorkArea(), 0);
    EXPECT_EQ(RecCount(), 3);
    ASSERT_TRUE(ds.DirectOpenClose(false));
    EXPECT_EQ(ds.WorkArea(), 0);
    ds.SetActive(false);
    ds.DesignTime = false;
    ds.Exclusive = false;
    EXPECT_FALSE(ds.DirectOpenClose(true)) << "an inactive dataset";
    EXPECT_EQ(dberror.DbErrorCode, 1103);
}

} // namespace

namespace
{

TEST_F(WorkAreaDataset, ChangingExclusiveReopensTheTable)
{
    ASSERT_TRUE(ds.SetActive(true)) << TakeErrorText();
    ds.Go(2);
    ds.SetExclusive(true);
    EXPECT_TRUE(ds.Active());
    const uint8_t mine = ds.WorkArea();
    Select(20);
    {
        TAutoReportOff quiet;
        EXPECT_FALSE(UseFile(Path("six.dbf") + " ALIAS OTHER")) << "the table is held alone now";
    }
    dberror.DbErrorCode = 0;
    Select(mine);
    ds.SetExclusive(false);
    EXPECT_TRUE(ds.Active());
    Select(20);
    EXPECT_TRUE(UseFile(Path("six.dbf") + " ALIAS OTHER")) << TakeErrorText();
    CloseArea();
}

} // namespace
