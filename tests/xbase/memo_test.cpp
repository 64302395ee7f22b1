// Memo files of the three styles: byte layouts of new files and stored
// memos, memo lines, block reuse of the dBASE IV style, copying and packing.
#include "memo_fixture.h"

#include "xbase/memo/memostream.h"

#include <cstring>
#include <random>

namespace
{

// ---- byte layouts

TEST_F(MemoTest, Dbase3FirstMemoOfTenCharactersMakesA1024ByteFile)
{
    MakeMemoTable(MemoDbase3);
    ASSERT_EQ(ReadBytes(MemoPath()).size(), 513u) << "a new dBASE III memo file";
    const int32_t block = AddMemo("0123456789");
    EXPECT_EQ(block, 1);
    const auto b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 1024u);
    EXPECT_EQ(std::string(b.begin() + 512, b.begin() + 522), "0123456789");
    EXPECT_EQ(b[522], 0x1A);
    for (std::size_t i = 523; i < 1024; ++i)
        ASSERT_EQ(b[i], 0) << i;
    EXPECT_EQ(GetLE32(&b[0]), 2u) << "next free block";
}

TEST_F(MemoTest, Dbase3MemoOf600CharactersTakesTwoBlocks)
{
    MakeMemoTable(MemoDbase3);
    const std::string text(600, 'x');
    EXPECT_EQ(AddMemo(text), 1);
    const auto b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 1536u);
    EXPECT_EQ(b[1112], 0x1A);
    EXPECT_EQ(b[1111], 'x');
    EXPECT_EQ(GetLE32(&b[0]), 3u);
    // The next memo starts at block 3.
    EXPECT_EQ(AddMemo("next"), 3);
    EXPECT_EQ(Text(1), text);
    EXPECT_EQ(Text(3), "next");
}

TEST_F(MemoTest, Dbase4FirstMemoIsWrittenAfterPaddingTheHeader)
{
    MakeMemoTable(MemoDbase4);
    auto b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 24u);
    EXPECT_EQ(GetLE16(&b[18]), 0x0102);
    EXPECT_EQ(GetLE16(&b[20]), 512);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "memo");
    EXPECT_EQ(AddMemo("Hello"), 1);
    b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 512u + 8 + 5) << "no terminator, no padding";
    for (std::size_t i = 24; i < 512; ++i)
        ASSERT_EQ(b[i], 0) << i;
    const uint8_t head[] = {0xFF, 0xFF, 0x08, 0x00, 13, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(&b[512], head, 8));
    EXPECT_EQ(std::string(b.begin() + 520, b.end()), "Hello");
    EXPECT_EQ(GetLE32(&b[0]), 2u) << "ceil(525 / 512)";
}

TEST_F(MemoTest, FoxProHeaderAndMemoAreBigEndian)
{
    MakeMemoTable(MemoFox, 64);
    auto b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 512u);
    EXPECT_EQ(ReadBE32(&b[0]), 8u) << "511 div 64 + 1";
    EXPECT_EQ(b[6], 0);
    EXPECT_EQ(b[7], 64);
    EXPECT_EQ(AddMemo("abc"), 8);
    b = ReadBytes(MemoPath());
    ASSERT_EQ(b.size(), 512u + 8 + 3);
    EXPECT_EQ(ReadBE32(&b[512]), 1u) << "text";
    EXPECT_EQ(ReadBE32(&b[516]), 3u);
    EXPECT_EQ(ReadBE32(&b[0]), 9u) << "ceil(523 / 64)";
    EXPECT_EQ(Text(8), "abc");
}

TEST_F(MemoTest, FoxProHeaderWithBlockSizeZeroUsesTheSetting)
{
    MakeMemoTable(MemoFox, 64);
    CloseArea();
    auto b = ReadBytes(MemoPath());
    b[6] = b[7] = 0;
    WriteBytes(MemoPath(), b);
    dbffile.MemoBlockSize = 128;
    ASSERT_TRUE(UseFile(Path("memo.dbf")));
    ASSERT_NE(CurrentMemoFile(), nullptr);
    EXPECT_EQ(CurrentMemoFile()->BlockSize, 128);
}

TEST_F(MemoTest, BlanksOnlyStoreNoMemoAndLeaveTheFile)
{
    for (uint8_t style : {MemoDbase3, MemoDbase4, MemoFox}) {
        SCOPED_TRACE(style);
        MakeMemoTable(style);
        const auto before = ReadBytes(MemoPath());
        EXPECT_EQ(AddMemo("   "), 0);
        EXPECT_EQ(ReadBytes(MemoPath()), before);
        CloseAll();
    }
}

TEST_F(MemoTest, Dbase4LinesAreWrittenWithHardReturns)
{
    MakeMemoTable(MemoDbase4);
    const int32_t block = WriteLines({"AB", "CD"}, 0);
    ASSERT_EQ(block, 1);
    const auto b = ReadBytes(MemoPath());
    EXPECT_EQ(GetLE32(&b[516]), 16u) << "8 + 8";
    EXPECT_EQ(std::string(b.begin() + 520, b.end()), "AB\r\nCD\r\n");
}

TEST_F(MemoTest, MemoWithTheDbase4HeaderIsReadByLengthInADbase3File)
{
    MakeMemoTable(MemoDbase3);
    auto b = ReadBytes(MemoPath());
    b.resize(1024, 0);
    const uint8_t head[] = {0xFF, 0xFF, 0x08, 0x00, 8 + 4, 0, 0, 0};
    std::memcpy(&b[512], head, 8);
    std::memcpy(&b[520],
                "a\x1A"
                "b\0",
                4); // 0x1A and 0 are text here
    WriteBytes(MemoPath(), b);
    EXPECT_EQ(Text(1), std::string("a\x1A"
                                   "b\0",
                                   4));
    EXPECT_EQ(Text(-1), std::string("a\x1A"
                                    "b\0",
                                    4))
        << "negative numbers refer to the same block";
}

TEST_F(MemoTest, EmptyReferenceReadsAsNoMemo)
{
    MakeMemoTable(MemoDbase4);
    EXPECT_TRUE(GetMemo(0));
    EXPECT_EQ(dbmemo.MemoLineCount, 1);
    EXPECT_EQ(MemoLine(1), "");
    // "         0" and ten blanks convert to block 0.
    EXPECT_EQ(TextToInteger(AllTrim("         0")), 0);
}

TEST_F(MemoTest, BlockBeyondTheEndIsError1003)
{
    MakeMemoTable(MemoDbase4);
    AddMemo("x");
    EXPECT_FALSE(GetMemo(9));
    EXPECT_EQ(dberror.DbErrorCode, 1003);
    EXPECT_NE(dberror.DbErrorText.find("[GetMemo]"), std::string::npos) << dberror.DbErrorText;
}

// ---- memo lines

struct TLineCase {
    const char* what;
    std::string memo;
    bool wrap;
    uint16_t width;
    std::vector<std::string> lines;
    std::vector<uint8_t> ends;
};

TEST_F(MemoTest, MemoLinesSplitAtBreaksAndWrap)
{
    const TLineCase cases[] = {
        {"two lines", "AB\r\nCD", false, 78, {"AB", "CD"}, {13, 0}},
        {"trailing CR LF", "AB\r\nCD\r\n", false, 78, {"AB", "CD"}, {13, 13}},
        {"bare CR", "AB\rCD", false, 78, {"AB", "CD"}, {13, 0}},
        {"soft return", "AB\x8D\nCD", false, 78, {"AB", "CD"}, {141, 0}},
        {"byte 3 ends the memo",
         "AB\x03"
         "CD",
         false,
         78,
         {"AB"},
         {0}},
        // Width 10: a line holds at most 10 characters; the word that would
        // cross moves whole, the blank stays behind.
        {"wrap at a blank", "aaaa bbbb cccccc", true, 10, {"aaaa bbbb ", "cccccc"}, {0, 0}},
        {"wrap keeps the blank run", "aaaa   bbbbbb", true, 10, {"aaaa   ", "bbbbbb"}, {0, 0}},
        {"no blank: split at width", "abcdefghijkl", true, 10, {"abcdefghij", "kl"}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeMemoTable(MemoDbase4);
        dbmemo.MemoWrap = c.wrap;
        dbmemo.MemoWidth = c.width;
        const int32_t block = AddMemo(c.memo);
        ASSERT_NE(block, 0);
        ASSERT_TRUE(GetMemo(block));
        ASSERT_EQ(dbmemo.MemoLineCount, static_cast<int32_t>(c.lines.size()));
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(MemoLine(static_cast<int32_t>(i + 1)), c.lines[i]) << i;
            EXPECT_EQ(dbmemo.MemoLineEnds[i + 1], c.ends[i]) << i;
        }
        CloseAll();
        ResetDbMemo();
    }
}

TEST_F(MemoTest, LongWordWithoutWrapIsSplitAfter253Characters)
{
    MakeMemoTable(MemoDbase4);
    const std::string word(300, 'w');
    ASSERT_TRUE(GetMemo(AddMemo(word)));
    ASSERT_EQ(dbmemo.MemoLineCount, 2);
    EXPECT_EQ(MemoLine(1).size(), 253u);
    EXPECT_EQ(MemoLine(2).size(), 47u);
}

TEST_F(MemoTest, MaxLinesStopsReading)
{
    MakeMemoTable(MemoDbase4);
    std::string memo;
    for (int i = 1; i <= 20; ++i)
        memo += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(GetMemo(AddMemo(memo), 5));
    EXPECT_EQ(dbmemo.MemoLineCount, 5);
    EXPECT_EQ(MemoLine(5), "line 5");
    EXPECT_EQ(MemoLine(6), "");
}

// More lines than the line array was made for: every line is read (the
// array and its line ends grow), and writing the lines back keeps the memo
// whole.
TEST_F(MemoTest, MemoLongerThanTheLineLimitIsReadWhole)
{
    MakeMemoTable(MemoDbase4);
    dbmemo.MaxMemoLines = 16;
    std::string memo;
    for (int i = 1; i <= 40; ++i)
        memo += "L" + std::to_string(i) + "\r\n";
    const int32_t block = AddMemo(memo);
    ASSERT_TRUE(GetMemo(block));
    ASSERT_EQ(dbmemo.MemoLineCount, 40);
    EXPECT_EQ(MemoLine(40), "L40");
    EXPECT_EQ(dbmemo.MemoLineEnds[40], 13);
    EXPECT_GE(dbmemo.MemoLineEnds.size(), 41u);
    const int32_t again = EditMemoCloseMemo(block);
    ASSERT_NE(again, 0);
    EXPECT_EQ(Text(again), memo);
}

// A memo read and written back is the memo it was: a soft return stays a
// soft return, a long line split for the line array is joined again.
TEST_F(MemoTest, SoftBreaksStaySoftWhenWrittenBack)
{
    for (uint8_t style : {MemoDbase3, MemoDbase4, MemoFox}) {
        SCOPED_TRACE(style);
        MakeMemoTable(style);
        const std::string memo = "first\x8D\nsecond " + std::string(300, 'z') + " end\r\n";
        dbmemo.MemoWrap = true;
        dbmemo.MemoWidth = 40;
        const int32_t block = AddMemo(memo);
        ASSERT_TRUE(GetMemo(block));
        EXPECT_GT(dbmemo.MemoLineCount, 3);
        const int32_t again = EditMemoCloseMemo(block);
        ASSERT_NE(again, 0);
        EXPECT_EQ(Text(again), memo);
        CloseAll();
        ResetDbMemo();
    }
}

// ---- dBASE IV block reuse

class MemoReuseTest : public MemoTest
{
  protected:
    // A memo of n bytes (n not 1 more than a multiple of 100): lines of 98
    // letters and CR LF, the last one shorter.
    static std::vector<std::string> Lines(char letter, std::size_t n)
    {
        std::vector<std::string> lines;
        for (std::size_t left = n; left > 0;) {
            const std::size_t m = std::min<std::size_t>(100, left);
            lines.emplace_back(m - 2, letter);
            left -= m;
        }
        return lines;
    }
    static std::string Body(char letter, std::size_t n)
    {
        std::string body;
        for (const auto& l : Lines(letter, n))
            body += l + "\r\n";
        return body;
    }
    int32_t Put(char letter, std::size_t n, int32_t old) { return WriteLines(Lines(letter, n), old); }

    // The free chain, walked as the allocation walks it, never covers a
    // block of a live memo.
    void ExpectChainClearOf(const std::vector<std::pair<uint32_t, uint32_t>>& live, uint16_t blockSize)
    {
        const auto bytes = ReadBytes(MemoPath());
        const uint32_t blocks = static_cast<uint32_t>((bytes.size() + blockSize - 1) / blockSize);
        uint32_t prev = 0;
        uint32_t cur = GetLE32(bytes.data());
        for (int visited = 0; cur > prev && cur < blocks && visited <= 100; ++visited) {
            const uint8_t* run = &bytes[static_cast<std::size_t>(cur) * blockSize];
            if (IsDbase4MemoHeader(run)) break;
            const uint32_t count = GetLE32(run + 4);
            for (const auto& [first, n] : live)
                ASSERT_TRUE(cur + count <= first || first + n <= cur)
                    << "free run " << cur << "+" << count << " covers the memo at " << first;
            prev = cur;
            cur = GetLE32(run);
        }
    }
    uint32_t Head() { return GetLE32(ReadBytes(MemoPath()).data()); }
};

// Block size 64: a text of 200 bytes needs 4 blocks, not one 512-byte
// chunk's worth; the neighbour behind a 2-block memo stays whole.
TEST_F(MemoReuseTest, SmallBlocksNeverOverrunTheNextMemo)
{
    MakeMemoTable(MemoDbase4, 64);
    const int32_t a = Put('a', 100, 0); // 108 bytes: blocks 1 and 2
    const int32_t b = Put('b', 100, 0);
    ASSERT_EQ(a, 1);
    ASSERT_EQ(b, 3);
    const int32_t a2 = Put('A', 200, a);
    EXPECT_NE(a2, a) << "does not fit the old 2 blocks";
    EXPECT_EQ(Text(b), Body('b', 100));
    EXPECT_EQ(Text(a2), Body('A', 200));
}

// A memo whose header and text fill its blocks exactly: 56 + 8 = 64 bytes
// is one block, so a text needing two is not put there.
TEST_F(MemoReuseTest, BlockCountsAgreeForMemosFillingTheirBlocks)
{
    MakeMemoTable(MemoDbase4, 64);
    const int32_t a = Put('a', 56, 0);
    const int32_t b = Put('b', 56, 0);
    ASSERT_EQ(b, a + 1);
    const int32_t a2 = Put('A', 60, a);
    EXPECT_NE(a2, a);
    EXPECT_EQ(Text(b), Body('b', 56));
    EXPECT_EQ(Text(a2), Body('A', 60));
}

// A shorter text stays in its blocks and gives the tail to the chain.
TEST_F(MemoReuseTest, ShrunkMemoKeepsItsBlockAndReleasesTheTail)
{
    MakeMemoTable(MemoDbase4, 64);
    const int32_t a = Put('a', 300, 0); // 308 bytes: blocks 1..5
    const int32_t b = Put('b', 10, 0);  // block 6
    ASSERT_EQ(a, 1);
    ASSERT_EQ(b, 6);
    EXPECT_EQ(Put('A', 50, a), a);
    EXPECT_EQ(Head(), 2u) << "blocks 2..5 head the free chain";
    const auto bytes = ReadBytes(MemoPath());
    EXPECT_EQ(GetLE32(&bytes[2 * 64 + 4]), 4u) << "run of 4 blocks";
    // The run is taken by the next text that fits, and leaves the chain.
    const int32_t c = Put('c', 100, 0); // 2 blocks
    EXPECT_EQ(c, 2);
    EXPECT_EQ(Head(), 4u) << "the rest of the run";
    const int32_t d = Put('d', 100, 0);
    EXPECT_EQ(d, 4);
    EXPECT_EQ(Head(), 7u) << "no free run left: the end of the file";
    const int32_t e = Put('e', 100, 0);
    EXPECT_EQ(e, 7) << "appended, not into a taken run";
    EXPECT_EQ(Text(a), Body('A', 50));
    EXPECT_EQ(Text(b), Body('b', 10));
    EXPECT_EQ(Text(c), Body('c', 100));
    EXPECT_EQ(Text(d), Body('d', 100));
    EXPECT_EQ(Text(e), Body('e', 100));
}

// A grown memo moves; its old blocks join the chain once the new text is
// written, and the counter at offset 32 counts them.
TEST_F(MemoReuseTest, MovedMemoReleasesItsBlocks)
{
    MakeMemoTable(MemoDbase4, 64);
    const int32_t a = Put('a', 100, 0); // 1..2
    const int32_t b = Put('b', 10, 0);  // 3
    const int32_t a2 = Put('A', 500, a);
    EXPECT_EQ(a2, 4);
    EXPECT_EQ(Head(), 1u);
    EXPECT_EQ(GetLE32(&ReadBytes(MemoPath())[32]), 2u);
    const int32_t c = Put('c', 50, 0); // one block: from the run at 1
    EXPECT_EQ(c, 1);
    EXPECT_EQ(Text(b), Body('b', 10));
    EXPECT_EQ(Text(a2), Body('A', 500));
    EXPECT_EQ(Text(c), Body('c', 50));
}

// Block numbers past 16 bits: a free run at block 131071 (low word FFFF)
// is found and reused.
TEST_F(MemoReuseTest, BlockNumbersBeyond65534Work)
{
    MakeMemoTable(MemoDbase4, 64);
    CloseArea();
    ASSERT_EQ(::truncate(MemoPath().c_str(), 131071LL * 64), 0);
    ASSERT_TRUE(UseFile(Path("memo.dbf")));
    const int32_t a = Put('a', 100, 0);
    ASSERT_EQ(a, 131071);
    const int32_t b = Put('b', 10, 0);
    const int32_t a2 = Put('A', 300, a);
    EXPECT_EQ(Head(), 131071u);
    const int32_t c = Put('c', 100, 0);
    EXPECT_EQ(c, 131071);
    EXPECT_EQ(Text(b), Body('b', 10));
    EXPECT_EQ(Text(a2), Body('A', 300));
    ASSERT_TRUE(GetMemo(c));
    EXPECT_EQ(MemoLine(1), std::string(98, 'c'));
}

TEST_F(MemoReuseTest, FreeAndFindDoNothingForOtherStyles)
{
    for (uint8_t style : {MemoDbase3, MemoFox}) {
        MakeMemoTable(style);
        const int32_t a = Put('a', 100, 0);
        const int32_t a2 = Put('A', 50, a);
        EXPECT_GT(a2, a) << "always appended";
        EXPECT_EQ(FindFreeBlocks(1, 0, ""), 0u);
        EXPECT_EQ(Text(a), Body('a', 100)) << "the old memo is left as it was";
        CloseAll();
    }
}

// Random edits with reuse, then a pack: every memo reads back exactly.
TEST_F(MemoReuseTest, RandomEditsThenPackKeepEveryMemo)
{
    struct {
        uint8_t style;
        uint16_t blockSize;
    } cases[] = {{MemoDbase4, 64}, {MemoDbase4, 512}, {MemoDbase3, 512}, {MemoFox, 64}, {MemoFox, 512}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + "/" + std::to_string(c.blockSize));
        MakeMemoTable(c.style, c.blockSize);
        std::mt19937 rng(c.style * 1000u + c.blockSize);
        const int records = 12;
        std::vector<std::string> expect(records + 1);
        for (int r = 1; r <= records; ++r)
            AddRecord({static_cast<double>(r)});
        for (int step = 0; step < 200; ++step) {
            const int r = 1 + static_cast<int>(rng() % records);
            GO(r);
            const int32_t old = GetNativeInt(2);
            const int what = static_cast<int>(rng() % 4);
            int32_t block = 0;
            if (what == 0) {
                expect[r].clear(); // delete the memo
            } else {
                std::vector<std::string> lines(1 + rng() % (what == 1 ? 2 : 9));
                expect[r].clear();
                for (auto& l : lines) {
                    l.assign(1 + rng() % 150, static_cast<char>('a' + rng() % 26));
                    expect[r] += l + "\r\n";
                }
                block = WriteLines(lines, old);
                ASSERT_NE(block, 0);
            }
            SetNativeInt(2, block);
            Replace();
            ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
            std::vector<std::pair<uint32_t, uint32_t>> live; // first block, block count
            for (int k = 1; k <= records; ++k) {
                GO(k);
                const int32_t b = GetNativeInt(2);
                ASSERT_EQ(Text(b), expect[k]) << "step " << step << " record " << k;
                if (b != 0) live.emplace_back(b, BlocksOfBytes(expect[k].size() + 8, c.blockSize));
            }
            if (c.style == MemoDbase4) ExpectChainClearOf(live, c.blockSize);
        }
        const auto before = ReadBytes(MemoPath()).size();
        ASSERT_TRUE(Pack()) << dberror.DbErrorText;
        EXPECT_LE(ReadBytes(MemoPath()).size(), before);
        for (int k = 1; k <= records; ++k) {
            GO(k);
            EXPECT_EQ(Text(GetNativeInt(2)), expect[k]) << "after pack, record " << k;
        }
        CloseAll();
        ResetDbMemo();
        InstallMemoHooks();
    }
}

// ---- pack

TEST_F(MemoTest, PackWithoutMemosLeavesOnlyTheHeader)
{
    struct {
        uint8_t style;
        std::size_t size;
    } cases[] = {{MemoDbase3, 513}, {MemoDbase4, 24}, {MemoFox, 512}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        MakeMemoTable(c.style);
        AddRecord({1.0});
        SetNativeInt(2, AddMemo("old text"));
        Replace();
        SetNativeInt(2, 0);
        Replace();
        ASSERT_TRUE(Pack()) << dberror.DbErrorText;
        EXPECT_EQ(ReadBytes(MemoPath()).size(), c.size);
        // The packed file takes new memos as a fresh one does.
        EXPECT_NE(AddMemo("new"), 0);
        CloseAll();
    }
}

TEST_F(MemoTest, PackDropsDeletedRecordsMemosAndRenumbers)
{
    MakeMemoTable(MemoDbase3);
    AddRecord({1.0});
    SetNativeInt(2, AddMemo(std::string(700, 'a')));
    Replace();
    AddRecord({2.0});
    SetNativeInt(2, AddMemo("second"));
    Replace();
    GO(1);
    DeleteRec();
    ASSERT_TRUE(Pack()) << dberror.DbErrorText;
    ASSERT_EQ(RecCount(), 1);
    GO(1);
    EXPECT_EQ(GetNativeInt(2), 1);
    EXPECT_EQ(Stored(2, 1), "         1");
    EXPECT_EQ(Text(1), "second");
    EXPECT_EQ(ReadBytes(MemoPath()).size(), 1024u);
    EXPECT_FALSE(std::filesystem::exists(Path("memo.$$$"))) << "the new file took the old one's name";
    EXPECT_FALSE(std::filesystem::exists(Path("memo.$MB"))) << "the old file is gone";
    EXPECT_EQ(DirEntries(), (std::vector<std::string>{"memo.dbf", "memo.dbt"})) << "no step file either";
}

// A failure while the new file is built leaves the old table and memo file
// exactly as they were.
TEST_F(MemoTest, FailedPackLeavesTheOldPairIntact)
{
    MakeMemoTable(MemoDbase4);
    AddRecord({1.0});
    SetNativeInt(2, AddMemo("kept"));
    Replace();
    AddRecord({2.0});
    SetNativeInt(2, 77); // beyond the end of the memo file
    Replace();
    const auto memoBefore = ReadBytes(MemoPath());
    ASSERT_FALSE(PackMemofile());
    EXPECT_EQ(dberror.DbErrorCode, 1003);
    EXPECT_NE(dberror.DbErrorText.find("Memo block # 77 Record # 2 [PackMemo]"), std::string::npos)
        << dberror.DbErrorText;
    EXPECT_EQ(ReadBytes(MemoPath()), memoBefore);
    EXPECT_FALSE(std::filesystem::exists(Path("memo.$$$")));
    EXPECT_EQ(Stored(2, 1), "         1");
    EXPECT_EQ(Text(1), "kept");
}

// ---- copy across styles

TEST_F(MemoTest, AppendFromCopiesMemosAcrossStyles)
{
    const uint8_t styles[] = {MemoDbase3, MemoDbase4, MemoFox};
    for (uint8_t from : styles) {
        for (uint8_t to : styles) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            MakeMemoTable(from, 512, "src.dbf");
            AddRecord({1.0});
            SetNativeInt(2, AddMemo("copied text\r\nline 2"));
            Replace();
            CloseArea();
            MakeMemoTable(to, 512, "dst.dbf");
            ASSERT_EQ(AppendFrom(Path("src.dbf")), 0) << dberror.DbErrorText;
            GO(1);
            EXPECT_EQ(Text(GetNativeInt(2)), "copied text\r\nline 2");
            CloseAll();
            std::filesystem::remove(Path("src.dbf"));
            std::filesystem::remove(Path("dst.dbf"));
        }
    }
}

TEST_F(MemoTest, CopyOfAMemoHoldingZeroIntoDbase3GetsTheDbase4Header)
{
    MakeMemoTable(MemoDbase4, 512, "src.dbf");
    const std::string text("a\0b", 3);
    const int32_t block = AddMemo(text);
    MakeMemoTable(MemoDbase3, 512, "dst.dbf", 2);
    const int32_t copy = CopyMemo(1, block, false);
    EXPECT_EQ(copy, -1);
    const auto b = ReadBytes(Path("dst.dbt"));
    const uint8_t head[] = {0xFF, 0xFF, 0x08, 0x00, 11, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(&b[512], head, 8));
    EXPECT_EQ(Text(copy), text);
}

} // namespace

namespace
{

// A chain of more than 100 free runs is dropped at the next allocation
// that none of the first runs can serve: the header then names the new end.
TEST_F(MemoReuseTest, LongFreeChainIsDroppedAtTheNextAllocation)
{
    MakeMemoTable(MemoDbase4, 64);
    std::vector<int32_t> blocks;
    for (int i = 0; i < 210; ++i)
        blocks.push_back(Put(static_cast<char>('a' + i % 26), 50, 0)); // one block each
    // Every other memo's block is released: 105 runs of one block.
    for (int i = 208; i >= 0; i -= 2)
        ASSERT_TRUE(FreeBlocks(static_cast<uint32_t>(blocks[static_cast<std::size_t>(i)]), 58));
    ASSERT_EQ(Head(), static_cast<uint32_t>(blocks[0]));
    const int32_t big = Put('B', 150, 0); // 3 blocks: no run is long enough
    const auto size = ReadBytes(MemoPath()).size();
    EXPECT_EQ(Head(), (size + 63) / 64) << "the chain was dropped";
    EXPECT_EQ(Text(big), Body('B', 150));
    for (int i = 1; i < 210; i += 2)
        ASSERT_EQ(Text(blocks[static_cast<std::size_t>(i)]), Body(static_cast<char>('a' + i % 26), 50)) << i;
}

// The memo lock of a shared memo file keeps a second opener from appending
// while a memo is being written.
TEST_F(MemoTest, MemoLockKeepsOtherOpenersOut)
{
    dbcmd.SharedAccess = true;
    dbffile.MemoVersion = MemoDbase4;
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("shared.dbf"), {{"ID", 'N', 4, 0, 0}, {"NOTES", 'M', 10, 0, 0}}));
    Select(1);
    ASSERT_TRUE(UseFile(Path("shared.dbf") + " ALIAS ONE")) << dberror.DbErrorText;
    Select(2);
    ASSERT_TRUE(UseFile(Path("shared.dbf") + " ALIAS TWO")) << dberror.DbErrorText;
    Select(1);
    ASSERT_NE(CreateBlobDescriptor(false, 0, 2), 0) << dberror.DbErrorText;
    EXPECT_TRUE(CurrentMemoFile()->Locked);
    Select(2);
    EXPECT_EQ(AddMemo("blocked"), 0);
    EXPECT_EQ(dberror.DbErrorCode, 1017);
    EXPECT_EQ(dberror.DbErrorText, "TWO [AddMemo()]");
    Select(1);
    WriteBlobStream("blob", 4, 0);
    DestroyBlobDescriptor();
    EXPECT_FALSE(CurrentMemoFile()->Locked);
    Select(2);
    const int32_t block = AddMemo("after");
    EXPECT_EQ(block, 2);
    EXPECT_EQ(Text(block), "after");
    EXPECT_EQ(Text(1), "blob");
}

} // namespace

namespace
{

TEST_F(MemoTest, MissingMemoFileRefusesTheTable)
{
    MakeMemoTable(MemoDbase4);
    CloseAll();
    std::filesystem::remove(MemoPath());
    EXPECT_FALSE(UseFile(Path("memo.dbf")));
    EXPECT_EQ(dberror.DbErrorCode, 2);
    EXPECT_NE(dberror.DbErrorText.find("Problem opening memo file [USE("), std::string::npos)
        << dberror.DbErrorText;
    EXPECT_EQ(SelectedArea(), nullptr) << "the area stays free";
}

TEST_F(MemoTest, SecondOpenInTheSameAreaIsError1007)
{
    MakeMemoTable(MemoDbase4);
    EXPECT_EQ(OpenMemofile(Path("memo.dbf")), 1007);
    EXPECT_NE(dberror.DbErrorText.find(" [USE]"), std::string::npos) << dberror.DbErrorText;
}

TEST_F(MemoTest, RecreateEmptiesTheMemoFile)
{
    MakeMemoTable(MemoDbase3);
    AddMemo("gone");
    ASSERT_TRUE(dbhooks.MemoHooks.RecreateMemofile());
    EXPECT_EQ(ReadBytes(MemoPath()).size(), 513u);
    EXPECT_EQ(AddMemo("new"), 1);
    EXPECT_EQ(Text(1), "new");
}

} // namespace

namespace
{

// The memo file cannot be set aside (a directory holds the name): the pack
// fails and the old table and memo file stay as they were, in use.
TEST_F(MemoTest, FailedSwapLeavesTheOldPairInUse)
{
    MakeMemoTable(MemoDbase4);
    AddRecord({1.0});
    SetNativeInt(2, AddMemo("first"));
    Replace();
    AddRecord({2.0});
    SetNativeInt(2, AddMemo("second"));
    Replace();
    GO(1);
    SetNativeInt(2, 0);
    Replace();
    const auto before = ReadBytes(MemoPath());
    std::filesystem::create_directories(Path("memo.$MB/blocker"));
    EXPECT_FALSE(PackMemofile());
    EXPECT_NE(dberror.DbErrorCode, 0);
    EXPECT_EQ(ReadBytes(MemoPath()), before);
    EXPECT_FALSE(std::filesystem::exists(Path("memo.$$$")));
    EXPECT_EQ(Stored(2, 2), "         2");
    EXPECT_EQ(Text(2), "second");
    EXPECT_NE(AddMemo("still writable"), 0);
}

} // namespace
