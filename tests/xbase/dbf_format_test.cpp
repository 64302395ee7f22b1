// The table file, byte for byte: what the library writes and what it refuses.
#include "xbase/dbf/dbffile.h"

#include "xbase/core/dbdates.h"
#include "xbase_fixture.h"

#include <cstring>
#include <sys/stat.h>

namespace
{

class DbfFormatTest : public XbaseTest
{
  protected:
    static std::vector<TDbfField> SampleFields()
    {
        return {{"name", 'C', 10, 0, 0},
                {"PRICE", 'N', 8, 2, 0},
                {"rate", 'f', 6, 3, 0},
                {"MADE", 'D', 0, 0, 0},
                {"OK", 'L', 0, 0, 0}};
    }

    // A standard header with the given descriptors; record length from the
    // fields unless given.
    static std::vector<uint8_t> RawTable(uint8_t version, const std::vector<TDbfField>& fields,
                                         int recordLength = -1, int spare = 0, bool terminator = true)
    {
        int sum = 1;
        for (const auto& f : fields)
            sum += f.Length;
        std::size_t hl = 32 + 32 * fields.size() + (terminator ? 1 : 0) + static_cast<std::size_t>(spare);
        std::vector<uint8_t> h(hl, 0);
        h[0] = version;
        h[1] = 124;
        h[2] = 1;
        h[3] = 31;
        PutLE16(&h[8], static_cast<uint16_t>(hl));
        PutLE16(&h[10], static_cast<uint16_t>(recordLength < 0 ? sum : recordLength));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            uint8_t* d = &h[32 + 32 * i];
            std::memcpy(d, fields[i].Name.data(), std::min<std::size_t>(fields[i].Name.size(), 11));
            d[11] = static_cast<uint8_t>(fields[i].Type);
            d[16] = fields[i].Length;
            d[17] = fields[i].Decimals;
        }
        if (terminator) h[32 + 32 * fields.size()] = 0x0D;
        h.push_back(0x1A);
        return h;
    }

    uint16_t OpenCode(const std::vector<uint8_t>& bytes)
    {
        WriteBytes(Path("t.dbf"), bytes);
        TDbfTable t;
        t.Name = Path("t.dbf");
        SetAutoReport(false);
        dberror.DbErrorCode = 0;
        bool ok = OpenDbf(t);
        SetAutoReport(true);
        EXPECT_EQ(ok, dberror.DbErrorCode == 0);
        if (ok) CloseDbf(t);
        return dberror.DbErrorCode;
    }
};

TEST_F(DbfFormatTest, CreatedTableIsByteExact)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("parts"), SampleFields()));
    const auto b = ReadBytes(Path("parts.DBF"));
    ASSERT_EQ(b.size(), 32u + 5 * 32 + 1 + 1) << "header, five descriptors, terminator and end-of-file byte";
    EXPECT_EQ(b[0], 0x03) << "no memo field: version 0x03";
    uint16_t y, m, d, w;
    GetDate(y, m, d, w);
    EXPECT_EQ(b[1], y - 1900);
    EXPECT_EQ(b[2], m);
    EXPECT_EQ(b[3], d);
    EXPECT_EQ(GetLE32(&b[4]), 0u) << "record count";
    EXPECT_EQ(GetLE16(&b[8]), 193) << "header length 32 + 32n + 1";
    EXPECT_EQ(GetLE16(&b[10]), 1 + 10 + 8 + 6 + 8 + 1) << "record length: delete flag plus the fields";
    for (int i = 12; i < 32; ++i)
        EXPECT_EQ(b[static_cast<std::size_t>(i)], 0) << "reserved header byte " << i;
    struct {
        const char* name;
        char type;
        uint8_t len, dec;
    } expect[] = {{"NAME", 'C', 10, 0},
                  {"PRICE", 'N', 8, 2},
                  {"RATE", 'F', 6, 3},
                  {"MADE", 'D', 8, 0},
                  {"OK", 'L', 1, 0}};
    for (std::size_t i = 0; i < 5; ++i) {
        const uint8_t* p = &b[32 + 32 * i];
        std::string name(reinterpret_cast<const char*>(p), 11);
        std::string want(expect[i].name);
        want.resize(11, '\0');
        EXPECT_EQ(name, want) << "descriptor " << i << ": name upper case, zero padded";
        EXPECT_EQ(p[11], expect[i].type) << "descriptor " << i;
        EXPECT_EQ(p[16], expect[i].len) << "descriptor " << i;
        EXPECT_EQ(p[17], expect[i].dec) << "descriptor " << i;
        for (int k : {12, 13, 14, 15, 18, 19, 20, 25, 31})
            EXPECT_EQ(p[k], 0) << "reserved descriptor byte " << k;
    }
    EXPECT_EQ(b[192], 0x0D) << "descriptor terminator";
    EXPECT_EQ(b[193], 0x1A) << "end-of-file byte right after the header";
}

TEST_F(DbfFormatTest, RecordsDeleteFlagAndEndOfFile)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("parts.dbf"), SampleFields()));
    t.Name = Path("PARTS.DBF"); // found ignoring case
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.Name, Path("parts.dbf"));
    EXPECT_EQ(t.RecordCount, 0);
    EXPECT_TRUE(t.AtBegin && t.AtEnd);
    const std::string r1 = std::string(" ") + "Spur gear " + "  123.45" + " 1.500" + "20240131" + "T";
    const std::string r2 = std::string(" ") + "Helix     " + "   -1.00" + " 0.000" + "        " + "F";
    ASSERT_EQ(r1.size(), 34u);
    ASSERT_EQ(r2.size(), 34u);
    t.RecordBuffer = r1;
    ASSERT_TRUE(AppendDbfRecord(t));
    t.RecordBuffer = r2;
    ASSERT_TRUE(PutDbfRecord(t, 7)); // beyond the end: appends at count + 1
    EXPECT_EQ(t.RecordCount, 2);
    EXPECT_EQ(t.FileState, FileAppended);
    t.RecordBuffer[0] = '*';
    ASSERT_TRUE(WriteDeleteFlag(t, 2));
    ASSERT_TRUE(CloseDbf(t));

    const auto b = ReadBytes(Path("parts.dbf"));
    ASSERT_EQ(b.size(), 193u + 2 * 34 + 1);
    EXPECT_EQ(GetLE32(&b[4]), 2u);
    EXPECT_EQ(std::string(b.begin() + 193, b.begin() + 227), r1);
    std::string second(b.begin() + 227, b.begin() + 261);
    EXPECT_EQ(second[0], '*') << "delete flag of record 2";
    EXPECT_EQ(second.substr(1), r2.substr(1));
    EXPECT_EQ(b.back(), 0x1A);

    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.RecordNumber, 1);
    EXPECT_FALSE(t.AtBegin || t.AtEnd);
    ASSERT_TRUE(GetDbfRecord(t, 2));
    EXPECT_EQ(t.RecordBuffer[0], '*');
    EXPECT_EQ(t.Fields[2].Offset, 19);
    EXPECT_EQ(t.Fields[4].Offset, 33);
    CloseDbf(t);
}

TEST_F(DbfFormatTest, RecordNumberOutOfRangeLeavesTheBuffer)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("p.dbf"), {{"A", 'C', 3, 0, 0}}));
    t.Name = Path("p.dbf");
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " abc";
    ASSERT_TRUE(AppendDbfRecord(t));
    t.RecordBuffer = "XXXX";
    SetAutoReport(false);
    for (int n : {0, 2, -1}) {
        dberror.DbErrorCode = 0;
        EXPECT_FALSE(GetDbfRecord(t, n));
        EXPECT_EQ(dberror.DbErrorCode, 212);
        EXPECT_EQ(t.RecordBuffer, "XXXX");
    }
    EXPECT_EQ(dberror.DbErrorText, "Invalid record number = -1 (" + Path("p.dbf") + ")  [GetDbfRecord]");
    CloseDbf(t);
}

TEST_F(DbfFormatTest, ClosingAReadTableWritesNothing)
{
    const auto raw = RawTable(0x03, {{"A", 'C', 3, 0, 0}});
    WriteBytes(Path("r.dbf"), raw);
    struct stat before {
    };
    stat(Path("r.dbf").c_str(), &before);
    TDbfTable t;
    t.Name = Path("r.dbf");
    ASSERT_TRUE(OpenDbf(t));
    ASSERT_TRUE(CloseDbf(t));
    EXPECT_EQ(ReadBytes(Path("r.dbf")), raw) << "date bytes 1..3 still 1 January... as written";
}

TEST_F(DbfFormatTest, VersionsAndMemoFiles)
{
    struct {
        uint8_t requested;
        bool memo;
        uint8_t version;
        const char* memoExt;
        std::size_t memoSize;
        std::size_t headerLength;
    } cases[] = {
        {0x8B, false, 0x03, nullptr, 0, 32 + 64 + 1}, {0x8B, true, 0x8B, "DBT", 24, 32 + 64 + 1},
        {0x83, true, 0x83, "DBT", 513, 32 + 64 + 1},  {0xF5, true, 0xF5, "FPT", 512, 32 + 64 + 1},
        {0x8C, false, 0x04, nullptr, 0, 68 + 96 + 1}, {0x8C, true, 0x8C, "DBT", 24, 68 + 96 + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.requested) * 10 + c.memo);
        ResetDbfFile();
        dbffile.MemoVersion = c.requested;
        std::vector<TDbfField> fields{{"ID", 'N', 5, 0, 0},
                                      {c.memo ? "NOTE" : "TEXT", c.memo ? 'M' : 'C', 10, 0, 0}};
        std::filesystem::remove_all(dir);
        std::filesystem::create_directory(dir);
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("TAB.DBF"), fields));
        auto b = ReadBytes(Path("TAB.DBF"));
        ASSERT_EQ(b.size(), c.headerLength + 1);
        EXPECT_EQ(b[0], c.version);
        EXPECT_EQ(GetLE16(&b[8]), c.headerLength);
        EXPECT_EQ(b[c.headerLength - 1], 0x0D);
        if (c.headerLength > 100) {
            EXPECT_EQ(std::string(b.begin() + 32, b.begin() + 40), "DBWINWE0");
            EXPECT_EQ(b[68 + 32], 'N') << "level-7 type at descriptor offset 32";
            EXPECT_EQ(b[68 + 33], 5) << "level-7 length at descriptor offset 33";
        }
        if (c.memoExt == nullptr) {
            EXPECT_FALSE(std::filesystem::exists(Path("TAB.DBT")));
            continue;
        }
        auto m = ReadBytes(Path(std::string("TAB.") + c.memoExt));
        ASSERT_EQ(m.size(), c.memoSize);
        if (c.version == 0x83) {
            EXPECT_EQ(GetLE32(&m[0]), 1u);
            EXPECT_EQ(m[512], 0x1A);
        } else if (c.version == 0xF5) {
            EXPECT_EQ(m[3], 1) << "next free block, big-endian: 511 div 512 + 1";
            EXPECT_EQ(m[6], 0x02);
            EXPECT_EQ(m[7], 0x00);
        } else {
            EXPECT_EQ(GetLE32(&m[0]), 1u);
            EXPECT_EQ(std::string(m.begin() + 8, m.begin() + 16), std::string("TAB\0\0\0\0\0", 8));
            EXPECT_EQ(m[18], 0x02);
            EXPECT_EQ(m[19], 0x01);
            EXPECT_EQ(GetLE16(&m[20]), 512);
        }
    }
}

TEST_F(DbfFormatTest, FieldTypeFBecomesNInVersion83)
{
    dbffile.MemoVersion = 0x83;
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("f.dbf"), {{"X", 'F', 8, 2, 0}, {"M", 'M', 0, 0, 0}}));
    auto b = ReadBytes(Path("f.dbf"));
    EXPECT_EQ(b[32 + 11], 'N');
    EXPECT_EQ(b[64 + 11], 'M');
    EXPECT_EQ(b[64 + 16], 10);
}

TEST_F(DbfFormatTest, CreateRefusesBadDefinitionsAndKeepsTheOldTable)
{
    const auto raw = RawTable(0x03, {{"A", 'C', 3, 0, 0}});
    WriteBytes(Path("keep.dbf"), raw);
    struct {
        std::vector<TDbfField> fields;
    } cases[] = {
        {{}},
        {{{"A", 'C', 0, 0, 0}}},
        {{{"A", 'N', 0, 0, 0}}},
        {{{"A", 'X', 5, 0, 0}}},
        {{{"A", 'C', 5, 0, 0}, {"B", 'T', 5, 0, 0}}},
    };
    for (const auto& c : cases) {
        TDbfTable t;
        SetAutoReport(false);
        EXPECT_FALSE(CreateDBF(t, Path("keep.dbf"), c.fields));
        EXPECT_EQ(dberror.DbErrorCode, 211);
        EXPECT_EQ(ReadBytes(Path("keep.dbf")), raw);
    }
    dbffile.MemoVersion = 0x83;
    TDbfTable t;
    EXPECT_FALSE(CreateDBF(t, Path("keep.dbf"), {{"B", 'B', 10, 0, 0}})) << "B only for 0x8B and 0x8C";
}

TEST_F(DbfFormatTest, OpenRefusesBrokenHeaders)
{
    const TDbfField c3{"NAME", 'C', 3, 0, 0};
    struct {
        const char* what;
        std::vector<uint8_t> bytes;
        uint16_t code;
    } cases[] = {
        {"short prolog", std::vector<uint8_t>(20, 3), 210},
        {"unknown version", RawTable(0x30, {c3}), 210},
        {"capacity 0", RawTable(0x03, {}, 1, 0, false), 210},
        {"no fields", RawTable(0x03, {}, 1, 32), 222},
        {"bad type", RawTable(0x03, {{"X", 'Q', 3, 0, 0}}), 211},
        {"record length too short", RawTable(0x03, {c3}, 3), 210},
        {"record length too long", RawTable(0x03, {c3}, 9), 210},
        {"record length 0", RawTable(0x03, {{"X", 'C', 0, 0, 0}}, 0), 210},
        {"date of 7 bytes", RawTable(0x03, {{"D", 'D', 7, 0, 0}}), 210},
        {"logical of 2 bytes", RawTable(0x03, {{"L", 'L', 2, 0, 0}}), 210},
        {"memo of 4 bytes", RawTable(0x83, {{"M", 'M', 4, 0, 0}}), 210},
        {"dBASE II below 521 bytes",
         std::vector<uint8_t>{0x02, 0, 0,   1, 1, 90, 4, 0,    'A', 0, 0, 0, 0, 0, 0, 0, 0,
                              0,    0, 'C', 3, 0, 0,  0, 0x0D, 0,   0, 0, 0, 0, 0, 0, 0},
         210},
        {"good", RawTable(0x03, {c3}), 0},
        {"spare bytes after the terminator", RawTable(0x03, {c3}, -1, 40), 0},
        {"no terminator: read to capacity", RawTable(0x03, {c3, {"B", 'N', 4, 1, 0}}, -1, 0, false), 0},
        {"level 7 read as level 7", std::vector<uint8_t>{}, 0},
    };
    for (auto& c : cases) {
        if (c.bytes.empty()) continue;
        EXPECT_EQ(OpenCode(c.bytes), c.code) << c.what;
    }
    std::vector<uint8_t> big = RawTable(0x03, {c3});
    PutLE16(&big[8], static_cast<uint16_t>(32 + 32 * 256 + 1));
    EXPECT_EQ(OpenCode(big), 210) << "capacity 256";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DbfFormatTest, OpenReadsLevel7AndDBaseII)
{
    dbffile.MemoVersion = 0x8C;
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("l7.dbf"), {{"LONGNAME", 'C', 4, 0, 0}, {"V", 'N', 6, 2, 0}}));
    t.Name = Path("l7.dbf");
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.Layout, TDbfLayout::Level7);
    ASSERT_EQ(t.FieldCount, 2);
    EXPECT_EQ(t.Fields[0].Name, "LONGNAME");
    EXPECT_EQ(t.Fields[1].Decimals, 2);
    EXPECT_EQ(t.RecordLength, 11);
    t.RecordBuffer = " abcd  1.25";
    ASSERT_TRUE(AppendDbfRecord(t));
    CloseDbf(t);
    EXPECT_EQ(ReadBytes(Path("l7.dbf")).size(), 68u + 96 + 1 + 11 + 1);

    // dBASE II: 521-byte header, 16-byte descriptors, 16-bit count.
    std::vector<uint8_t> b2(521, 0);
    b2[0] = 0x02;
    PutLE16(&b2[1], 1);
    b2[3] = 12;
    b2[4] = 24;
    b2[5] = 98;
    PutLE16(&b2[6], 6);
    std::memcpy(&b2[8], "CODE", 4);
    b2[8 + 11] = 'C';
    b2[8 + 12] = 3;
    std::memcpy(&b2[24], "QTY", 3);
    b2[24 + 11] = 'N';
    b2[24 + 12] = 2;
    b2[40] = 0x0D;
    for (char c : std::string(" ABC12"))
        b2.push_back(static_cast<uint8_t>(c));
    b2.push_back(0x1A);
    WriteBytes(Path("d2.dbf"), b2);
    t = TDbfTable{};
    t.Name = Path("d2.dbf");
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.Layout, TDbfLayout::DBase2);
    EXPECT_EQ(t.HeaderLength, 521);
    EXPECT_EQ(t.RecordCount, 1);
    EXPECT_EQ(t.Date, "19981224");
    ASSERT_TRUE(GetDbfRecord(t, 1));
    EXPECT_EQ(t.RecordBuffer, " ABC12");
    CloseDbf(t);
}

TEST_F(DbfFormatTest, DBaseIIRefusesTheRecordItCannotCount)
{
    std::vector<uint8_t> b2(521, 0);
    b2[0] = 0x02;
    PutLE16(&b2[1], 65535);
    PutLE16(&b2[6], 2);
    b2[8] = 'A';
    b2[8 + 11] = 'C';
    b2[8 + 12] = 1;
    b2[24] = 0x0D;
    for (int i = 0; i < 65535; ++i) {
        b2.push_back(' ');
        b2.push_back('a');
    }
    WriteBytes(Path("full.dbf"), b2);
    TDbfTable t;
    t.Name = Path("full.dbf");
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " x";
    SetAutoReport(false);
    EXPECT_FALSE(AppendDbfRecord(t));
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(t.RecordCount, 65535);
    CloseDbf(t);
    EXPECT_EQ(ReadBytes(Path("full.dbf")), b2) << "nothing written";
}

TEST_F(DbfFormatTest, NameOfElevenCharactersKeepsTen)
{
    auto raw = RawTable(0x03, {{"ABCDEFGHIJK", 'C', 2, 0, 0}});
    WriteBytes(Path("n.dbf"), raw);
    TDbfTable t;
    t.Name = Path("n.dbf");
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.Fields[0].Name, "ABCDEFGHIJ");
    CloseDbf(t);
}

TEST_F(DbfFormatTest, CountFromFileSize)
{
    auto raw = RawTable(0x03, {{"A", 'C', 3, 0, 0}});
    raw.pop_back();
    for (char c : std::string(" aaa bbb ccc"))
        raw.push_back(static_cast<uint8_t>(c));
    raw.push_back(0x1A);
    WriteBytes(Path("c.dbf"), raw);
    TDbfTable t;
    t.Name = Path("c.dbf");
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.RecordCount, 0) << "the header says 0";
    CloseDbf(t);
    dbffile.CountFromFileSize = true;
    ASSERT_TRUE(OpenDbf(t));
    EXPECT_EQ(t.RecordCount, 3);
    CloseDbf(t);
}

TEST_F(DbfFormatTest, MissingFileReportsFileNotFound)
{
    TDbfTable t;
    t.Name = Path("none");
    SetAutoReport(false);
    EXPECT_FALSE(OpenDbf(t));
    EXPECT_EQ(dberror.DbErrorCode, 2);
    EXPECT_EQ(dberror.DbErrorText, "Failure to open " + Path("none.DBF") + " [USE/OpenDbf]");
    EXPECT_EQ(t.FileState, FileClosed);
}

TEST_F(DbfFormatTest, MemoFileExtensions)
{
    EXPECT_EQ(MemoFileExt(0xF5), "FPT");
    EXPECT_EQ(MemoFileExt(0x30), "FPT");
    EXPECT_EQ(MemoFileExt(0x83), "DBT");
    EXPECT_EQ(MemoFileExt(0x8B), "DBT");
    dbffile.MemoVersion = 0xF5;
    EXPECT_EQ(MemoFileExt(0x77), "FPT") << "an unaccepted byte is replaced by MemoVersion";
}

} // namespace

namespace
{

class DbfOemTest : public XbaseTest
{
};

TEST_F(DbfOemTest, OemTablesStoreTheOemCodeAndGiveAnsiBack)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("oem.dbf"), {{"NAME", 'C', 4, 0, 0}}));
    t.Name = Path("oem.dbf");
    t.OemText = true;
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " \xC4l  "; // A umlaut in Windows 1252
    ASSERT_TRUE(AppendDbfRecord(t));
    EXPECT_EQ(t.RecordBuffer, " \xC4l  ") << "the caller's text is kept in the buffer";
    ASSERT_TRUE(CloseDbf(t));
    auto b = ReadBytes(Path("oem.dbf"));
    EXPECT_EQ(b[32 + 32 + 1 + 1], 0x8E) << "stored as code page 437";
    ASSERT_TRUE(OpenDbf(t));
    ASSERT_TRUE(GetDbfRecord(t, 1));
    EXPECT_EQ(t.RecordBuffer, " \xC4l  ");
    CloseDbf(t);
}

TEST_F(DbfOemTest, HooksSeeTheDataPartOnly)
{
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("h.dbf"), {{"A", 'C', 3, 0, 0}}));
    t.Name = Path("h.dbf");
    ASSERT_TRUE(OpenDbf(t));
    std::size_t seen = 0;
    t.WriteHook = [&](char* data, std::size_t n) {
        seen = n;
        for (std::size_t i = 0; i < n; ++i)
            data[i] = static_cast<char>(data[i] + 1);
    };
    t.ReadHook = [](char* data, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            data[i] = static_cast<char>(data[i] - 1);
    };
    t.RecordBuffer = "*abc";
    ASSERT_TRUE(AppendDbfRecord(t));
    EXPECT_EQ(seen, 3u);
    ASSERT_TRUE(CloseDbf(t));
    auto b = ReadBytes(Path("h.dbf"));
    EXPECT_EQ(std::string(b.begin() + 65, b.begin() + 69), "*bcd") << "the delete flag is never transformed";
    ASSERT_TRUE(OpenDbf(t));
    ASSERT_TRUE(GetDbfRecord(t, 1));
    EXPECT_EQ(t.RecordBuffer, "*abc");
    CloseDbf(t);
}

} // namespace
