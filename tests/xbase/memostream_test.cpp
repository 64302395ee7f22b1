// Memo text files and BLOB streams.
#include "xbase/memo/memostream.h"

#include "memo_fixture.h"

#include <cstring>

namespace
{

class MemoStreamTest : public MemoTest
{
};

TEST_F(MemoStreamTest, WritelnLinesBecomeANewMemo)
{
    MakeMemoTable(MemoDbase4);
    int32_t block = 0;
    TMemoTextFile f;
    AssignMemo(f, block);
    f.Rewrite();
    f.WriteLn("abc");
    f.WriteLn("def");
    f.Close();
    EXPECT_EQ(f.IOResult(), 0);
    EXPECT_EQ(block, 1);
    EXPECT_EQ(Text(block), "abc\r\ndef\r\n");
}

TEST_F(MemoStreamTest, RewriteAndCloseWithoutWritingGiveNoMemo)
{
    MakeMemoTable(MemoDbase3);
    int32_t block = AddMemo("old");
    TMemoTextFile f;
    AssignMemo(f, block);
    f.Rewrite();
    f.Close();
    EXPECT_EQ(f.IOResult(), 0);
    EXPECT_EQ(block, 0);
}

TEST_F(MemoStreamTest, SoftReturnIsReadAsOneLine)
{
    MakeMemoTable(MemoDbase4);
    int32_t block = AddMemo("AB\x8D\nCD\r\nEF");
    TMemoTextFile f;
    AssignMemo(f, block);
    f.Reset();
    std::string line;
    ASSERT_TRUE(f.ReadLn(line));
    EXPECT_EQ(line, "ABCD");
    ASSERT_TRUE(f.ReadLn(line));
    EXPECT_EQ(line, "EF");
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.ReadLn(line));
    f.Close();
}

// A line longer than a memo line is kept whole: split for the line array,
// joined when stored and when read.
TEST_F(MemoStreamTest, LongLineIsWrittenAndReadWhole)
{
    MakeMemoTable(MemoFox);
    const std::string longLine(600, 'x');
    int32_t block = 0;
    TMemoTextFile f;
    AssignMemo(f, block);
    f.Rewrite();
    f.WriteLn(longLine);
    f.WriteLn("short");
    f.Close();
    EXPECT_EQ(Text(block), longLine + "\r\nshort\r\n");
    f.Reset();
    std::string line;
    ASSERT_TRUE(f.ReadLn(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(f.ReadLn(line));
    EXPECT_EQ(line, "short");
    f.Close();
}

TEST_F(MemoStreamTest, AppendAddsLinesAfterTheMemo)
{
    MakeMemoTable(MemoDbase4);
    int32_t block = AddMemo("one\r\ntwo");
    TMemoTextFile f;
    AssignMemo(f, block);
    f.Append();
    f.Write("thr");
    f.WriteLn("ee");
    f.Close();
    EXPECT_EQ(f.IOResult(), 0);
    EXPECT_EQ(Text(block), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(MemoStreamTest, WrongUseGivesItsIOResult)
{
    MakeMemoTable(MemoDbase4);
    TMemoTextFile f;
    f.Reset();
    EXPECT_EQ(f.IOResult(), 102) << "not assigned";
    int32_t block = 0;
    AssignMemo(f, block);
    f.Rewrite();
    (void)f.ReadBuffer();
    EXPECT_EQ(f.IOResult(), 104) << "not open for input";
    f.Close();
}

TEST_F(MemoStreamTest, AssignMemoNeedsAMemoFile)
{
    CreateAndUse(1, "plain.dbf", {{"ID", 'N', 4, 0, 0}});
    TMemoTextFile f;
    int32_t block = 0;
    AssignMemo(f, block);
    EXPECT_EQ(dberror.DbErrorCode, 1019);
    EXPECT_EQ(dberror.DbErrorText, "PLAIN No Memo Field [AssignMemo]");
    EXPECT_EQ(f.Mode(), TMemoTextFile::TMode::Unassigned);
}

// ---- BLOB streams

TEST_F(MemoStreamTest, Dbase3BlobIsReadUntilTheEndMark)
{
    MakeMemoTable(MemoDbase3);
    const int32_t block = AddMemo("hello world");
    EXPECT_EQ(CreateBlobDescriptor(false, block, 1), -1) << "negative in a dBASE III file";
    EXPECT_EQ(CurrentMemoFile()->Blob.Size, -1);
    // Seeking to the end first reads the whole memo.
    EXPECT_EQ(SeekBlobStream(0, 2), 11);
    EXPECT_EQ(SeekBlobStream(-5, 1), 6);
    char buf[32] = {};
    EXPECT_EQ(ReadBlobStream(buf, 32, 0), 5);
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(SeekBlobStream(-100, 0), 0);
    EXPECT_EQ(ReadBlobStream(buf, 32, 0), 11);
    DestroyBlobDescriptor();
}

TEST_F(MemoStreamTest, WriteBlobGoesToTheEndEvenWithFreeRuns)
{
    MakeMemoTable(MemoDbase4, 64);
    const int32_t a = WriteLines({std::string(200, 'a')}, 0); // blocks 1..4
    const int32_t b = AddMemo("b");
    ASSERT_EQ(WriteLines({"A"}, a), a); // blocks 2..4 are free now
    ASSERT_EQ(GetLE32(ReadBytes(MemoPath()).data()), 2u);
    const int32_t blob = CreateBlobDescriptor(false, a, 2);
    EXPECT_EQ(blob, b + 1);
    const char data[] = {'x', 0, 'y'};
    EXPECT_EQ(WriteBlobStream(data, 3, 0), 3);
    DestroyBlobDescriptor();
    EXPECT_EQ(Text(blob), std::string(data, 3));
    EXPECT_EQ(Text(b), "b");
}

TEST_F(MemoStreamTest, BlobInADbase3FileGetsTheDbase4Header)
{
    MakeMemoTable(MemoDbase3);
    const int32_t block = CreateBlobDescriptor(false, 0, 2);
    EXPECT_EQ(block, -1);
    const char data[] = {1, 2, 0x1A, 0};
    WriteBlobStream(data, 4, 0);
    DestroyBlobDescriptor();
    const auto b = ReadBytes(MemoPath());
    const uint8_t head[] = {0xFF, 0xFF, 0x08, 0x00, 12, 0, 0, 0};
    ASSERT_GE(b.size(), 524u);
    EXPECT_EQ(0, std::memcmp(&b[512], head, 8));
    EXPECT_EQ(Text(block), std::string(data, 4));
}

struct TModeCase {
    const char* what;
    std::string stored; // bytes in the memo file
    int argument;
    std::string read; // bytes delivered
};

// 0x81 is u-umlaut in code page 437, 0xFC in the program's character set.
TEST_F(MemoStreamTest, TextIsConvertedAndBinaryIsNot)
{
    const TModeCase cases[] = {
        {"control bytes of text", "a\x81\r\n\tb", 0, "a\xFC\r\n\tb"},
        {"a zero byte makes it binary", std::string("a\x81\0b", 4), 0, std::string("a\x81\0b", 4)},
        {"text asked for", std::string("\x81", 1), 1, "\xFC"},
        {"binary asked for", "a\x81", 2, "a\x81"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeMemoTable(MemoFox);
        const int32_t block = CreateBlobDescriptor(false, 0, 2);
        WriteBlobStream(c.stored.data(), static_cast<int32_t>(c.stored.size()), 2);
        DestroyBlobDescriptor();
        ASSERT_EQ(Text(block), c.stored);
        ASSERT_EQ(CreateBlobDescriptor(true, block, 1), block);
        std::string got(64, '\0');
        got.resize(static_cast<std::size_t>(ReadBlobStream(got.data(), 64, c.argument)));
        EXPECT_EQ(got, c.read);
        DestroyBlobDescriptor();
        CloseAll();
    }
}

// Data written in pieces whose first looks like text but whose whole is
// binary is stored exactly as given.
TEST_F(MemoStreamTest, BinaryDataIsNeverConvertedWhenWritten)
{
    MakeMemoTable(MemoDbase4);
    const int32_t block = CreateBlobDescriptor(true, 0, 2);
    const std::string first = "text-like \x81\x82";
    const std::string second("\0\x01\x81", 3);
    WriteBlobStream(first.data(), static_cast<int32_t>(first.size()), 0);
    WriteBlobStream(second.data(), static_cast<int32_t>(second.size()), 0);
    DestroyBlobDescriptor();
    EXPECT_EQ(Text(block), first + second);
    // Read in pieces, undecided: the whole memo decides, so no piece is
    // converted.
    ASSERT_EQ(CreateBlobDescriptor(true, block, 1), block);
    std::string got(4, '\0');
    std::string all;
    for (int32_t n; (n = ReadBlobStream(got.data(), 4, 0)) > 0;)
        all += got.substr(0, static_cast<std::size_t>(n));
    EXPECT_EQ(all, first + second);
    DestroyBlobDescriptor();
}

TEST_F(MemoStreamTest, TextWrittenAsTextIsStoredInOemAndReadBack)
{
    MakeMemoTable(MemoDbase4);
    const int32_t block = CreateBlobDescriptor(true, 0, 2);
    const std::string ansi = "Gr\xFC\xDF"
                             "e\r\n";
    WriteBlobStream(ansi.data(), static_cast<int32_t>(ansi.size()), 0);
    DestroyBlobDescriptor();
    EXPECT_EQ(Text(block), "Gr\x81\xE1"
                           "e\r\n");
    ASSERT_EQ(CreateBlobDescriptor(true, block, 1), block);
    std::string got(16, '\0');
    got.resize(static_cast<std::size_t>(ReadBlobStream(got.data(), 16, 0)));
    EXPECT_EQ(got, ansi);
    DestroyBlobDescriptor();
}

TEST_F(MemoStreamTest, BlobOfABlockBeyondTheEndIsRefused)
{
    MakeMemoTable(MemoDbase4);
    EXPECT_EQ(CreateBlobDescriptor(false, 40, 1), 0);
    EXPECT_EQ(dberror.DbErrorCode, 1003);
    EXPECT_EQ(dberror.DbErrorText, "MEMO Record # 0 [CreateBlobDescriptor]");
    char buf[4];
    EXPECT_EQ(ReadBlobStream(buf, 4, 0), 0);
}

} // namespace

namespace
{

class MemoSearchTest : public MemoTest
{
  protected:
    void Fill()
    {
        MakeMemoTable(MemoDbase4);
        AddRecord({1.0});
        SetNativeInt(2, AddMemo("spur gear\r\nsteel"));
        Replace();
        AddRecord({2.0});
        SetNativeInt(2, AddMemo("ring gear\r\nBronze casting"));
        Replace();
        AddRecord({3.0});
    }
};

TEST_F(MemoSearchTest, LocateFindsATextInAMemo)
{
    Fill();
    const uint8_t field = ParseLocateField("NOTES NOCASE");
    ASSERT_EQ(field, 2);
    dblocate.LocateValue = "bronze";
    LocateFrom(1, field, true);
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    EXPECT_EQ(RecNo(), 2);
    dblocate.LocateValue = "nowhere";
    LocateFrom(1, field, true);
    EXPECT_TRUE(dEOF());
}

TEST_F(MemoSearchTest, ExpressionReadsTheMemoLinesJoined)
{
    InstallExprParser();
    InstallMemoHooks();
    Fill();
    GO(2);
    TExprHandle h = dbhooks.KeyMakerHooks.AssignExpr("NOTES");
    ASSERT_NE(h, nullptr) << dberror.DbErrorText;
    EXPECT_EQ(dbhooks.KeyMakerHooks.EvaluateExpr(h), "ring gearBronze casting");
    GO(3);
    EXPECT_EQ(dbhooks.KeyMakerHooks.EvaluateExpr(h), "") << "no memo";
    dbhooks.KeyMakerHooks.FreeExpr(h);
}

} // namespace
