// The display list's record store: records packed into fixed chunks must
// come back whole and unchanged wherever the chunk edges fall, and the store
// must hold little more than the texts.
#include "graphics/drawrecordlist.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{

constexpr size_t Chunk = TDrawRecordList::ChunkSize;

// Record i of length n: letters that differ from record to record, so a
// record that ran into its neighbour or began in the wrong place shows.
std::string Text(size_t i, size_t n)
{
    std::string s(n, ' ');
    for (size_t j = 0; j < n; ++j)
        s[j] = static_cast<char>('a' + (i * 7 + j) % 26);
    return s;
}

struct LayoutCase {
    const char* name;
    std::vector<size_t> lengths;
    friend void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }
};

class DrawRecordStore : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(DrawRecordStore, RecordsComeBackWhole)
{
    TDrawRecordList list;
    std::vector<std::string> expected;
    size_t bytes = 0;
    for (size_t i = 0; i < GetParam().lengths.size(); ++i) {
        expected.push_back(Text(i, GetParam().lengths[i]));
        list.push_back(expected.back());
        bytes += GetParam().lengths[i];
    }
    ASSERT_EQ(list.size(), expected.size());
    EXPECT_TRUE(list == expected) << "indexing";
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), expected) << "iteration";
    EXPECT_EQ(list.TextBytes(), bytes);
    EXPECT_GE(list.MemoryBytes(), bytes);
}

std::vector<size_t> Repeat(size_t n, size_t length, std::vector<size_t> tail = {})
{
    std::vector<size_t> v(n, length);
    v.insert(v.end(), tail.begin(), tail.end());
    return v;
}

INSTANTIATE_TEST_SUITE_P(Layouts, DrawRecordStore,
                         ::testing::Values(
                             // 70 KB of 1000-byte records: the 66th does not fit the first chunk.
                             LayoutCase{"SpillsIntoTheNextChunk", Repeat(70, 1000)},
                             // Not cut to a chunk's size, and the records around it intact.
                             LayoutCase{"LongerThanAChunk", {10, Chunk + 1, 10, 3 * Chunk, 0, 10}},
                             LayoutCase{"JustOverAQuarterChunk", {5, Chunk / 4 + 1, 5}},
                             // 16 x 4096 fill a chunk exactly: the empty record after them may
                             // not begin at an offset the chunk has no room for (it would point
                             // into a chunk that does not exist).
                             LayoutCase{"EmptyAfterAFullChunk", Repeat(16, Chunk / 16, {0})},
                             LayoutCase{"EmptyRecords", {0, 0, 3, 0}}),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DrawRecordStoreEdits, ResizeClearAndShrinkKeepTheRestIntact)
{
    TDrawRecordList list;
    list = {"4;1;1;2;2", ""};
    EXPECT_EQ(list, (std::vector<std::string>{"4;1;1;2;2", ""}));
    EXPECT_EQ(list.front(), "4;1;1;2;2");
    EXPECT_EQ(list.back(), "");

    // Shrinking into the first of two chunks: the next record must begin
    // where the kept ones end, not after the dropped ones.
    list.clear();
    for (size_t i = 0; i < 70; ++i)
        list.push_back(Text(i, 1000));
    list.resize(3);
    list.push_back("xyz");
    EXPECT_EQ(list, (std::vector<std::string>{Text(0, 1000), Text(1, 1000), Text(2, 1000), "xyz"}));
    list.resize(5);
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list[4], "") << "growing adds empty records";

    list.clear();
    EXPECT_TRUE(list.empty());
    list.push_back("8;3");
    EXPECT_EQ(list, (std::vector<std::string>{"8;3"}));
    list.clear();
    list.shrink_to_fit();
    EXPECT_EQ(list.MemoryBytes(), sizeof(TDrawRecordList)) << "an emptied list gives back every chunk";
}

TEST(DrawRecordStoreEdits, HoldsLittleMoreThanTheTexts)
{
    // 100000 records of 40 bytes: 4,000,000 bytes of text and 400,000 of
    // index, plus at most a chunk and an index block not yet full and the
    // tables of both; a string per record would hold over 7,200,000.
    TDrawRecordList list;
    const std::string record(40, 'x');
    for (int i = 0; i < 100000; ++i)
        list.push_back(record);
    EXPECT_EQ(list.TextBytes(), 4000000u);
    EXPECT_GE(list.MemoryBytes(), 4400000u) << "the index is held too";
    EXPECT_LT(list.MemoryBytes(), 4400000u + 2 * 65536 + 8192);
}

} // namespace
