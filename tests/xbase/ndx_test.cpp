// Index files: page layout, build, seeks and moves, key maintenance, the
// index list of a work area and the failures of opening.
#include "ndx_fixture.h"

#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/ndx/ndxformat.h"
#include "xbase/xbasestate.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t o)
{
    return uint32_t{b[o]} | uint32_t{b[o + 1]} << 8 | uint32_t{b[o + 2]} << 16 | uint32_t{b[o + 3]} << 24;
}
int Le16(const std::vector<uint8_t>& b, std::size_t o)
{
    return static_cast<int16_t>(b[o] | b[o + 1] << 8);
}

std::string K(int i, int width = 10)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "K%04d", i);
    return (std::string(buf) + std::string(100, ' ')).substr(0, static_cast<std::size_t>(width));
}

// K(1) to K(n).
std::vector<std::string> KeysUpTo(int n)
{
    std::vector<std::string> keys;
    for (int i = 1; i <= n; ++i)
        keys.push_back(K(i));
    return keys;
}

} // namespace

TEST(NdxFormat, SizesFollowTheKeyLength)
{
    struct Row {
        int keyLength, entry, perPage;
    } rows[] = {{10, 20, 25}, {8, 16, 31}, {100, 108, 4}, {1, 12, 42}, {4, 12, 42}, {5, 16, 31}};
    for (const auto& r : rows) {
        EXPECT_EQ(NdxEntrySize(r.keyLength), r.entry) << r.keyLength;
        EXPECT_EQ(NdxKeysPerPage(r.keyLength), r.perPage) << r.keyLength;
    }
}

TEST(NdxFormat, ExpressionNormalization)
{
    struct Row {
        const char* in;
        const char* out;
    } rows[] = {{"upper( name ) + 'a b'", "UPPER(NAME)+\"a b\""},
                {"\tdtos(d)", "DTOS(D)"},
                {"'it''s'", "\"it\"\"s\""},
                {"\"x'y\" + f", "\"x'y\"+F"}};
    for (const auto& r : rows)
        EXPECT_EQ(NormalizeExpression(r.in), r.out) << r.in;
}

TEST(NdxFormat, SlotKOfAFullPageIsOnlyItsChildPointer)
{
    // Key length 100: four entries of 108 bytes end at 436; slot 4's child
    // pointer lies at 436..439 and its whole entry would leave the page.
    TNdxHeader h = NewNdxHeader('C', 100, false);
    TNdxNode n;
    for (int i = 0; i < 4; ++i)
        n.Entries.push_back({static_cast<uint32_t>(i + 2), 0, std::string(100, static_cast<char>('a' + i))});
    n.RightChild = 9;
    TNdxPage p = EncodeNode(n, h);
    std::vector<uint8_t> b(p.begin(), p.end());
    EXPECT_EQ(Le32(b, 4 + 4 * 108), 9u);
    for (std::size_t i = 4 + 4 * 108 + 4; i < 512; ++i)
        EXPECT_EQ(b[i], 0) << i;
    TNdxNode back = DecodeNode(p, h);
    EXPECT_EQ(back.RightChild, 9u);
    EXPECT_EQ(back.Entries.size(), 4u);
}

TEST_F(NdxTest, EmptyTableGivesAnchorAndOneEmptyNode)
{
    MakeKeys("t.dbf", 10, {});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "key"));
    auto b = ReadBytes(Path("t.ndx"));
    ASSERT_EQ(b.size(), 1024u);
    EXPECT_EQ(Le32(b, 0), 1u); // root
    EXPECT_EQ(Le32(b, 4), 2u); // next free
    EXPECT_EQ(b[8], 0);
    EXPECT_EQ(b[9], 'C');
    EXPECT_EQ(Le16(b, 12), 10); // key length
    EXPECT_EQ(Le16(b, 14), 25); // keys per page
    EXPECT_EQ(Le16(b, 16), 0);  // character key
    EXPECT_EQ(Le16(b, 18), 20); // entry size
    EXPECT_EQ(b[23], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[24])), "KEY");
    EXPECT_EQ(Le32(b, 492), 0u);
    EXPECT_EQ(Le32(b, 488), 0xFFFFFFFFu);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[496])), "t.dbf");
    for (std::size_t i = 512; i < 1024; ++i)
        ASSERT_EQ(b[i], 0) << i;
}

TEST_F(NdxTest, TwentySixKeysBuildTwoLeavesAndARoot)
{
    std::vector<std::string> keys;
    for (int i = 26; i >= 1; --i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    auto b = ReadBytes(Path("t.ndx"));
    ASSERT_EQ(b.size(), 4u * 512);
    EXPECT_EQ(Le32(b, 0), 3u);
    EXPECT_EQ(Le32(b, 4), 4u);
    // Page 1: K0001..K0025 (records 26..2), a full leaf.
    EXPECT_EQ(Le16(b, 512), 25);
    EXPECT_EQ(Le16(b, 514), 0);
    for (int i = 0; i < 25; ++i) {
        std::size_t e = 512 + 4 + i * 20;
        EXPECT_EQ(Le32(b, e), 0u);
        EXPECT_EQ(Le32(b, e + 4), static_cast<uint32_t>(26 - i));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[e + 8]), 10), K(i + 1));
    }
    // Page 2: K0026 (record 1).
    EXPECT_EQ(Le16(b, 1024), 1);
    EXPECT_EQ(Le32(b, 1024 + 8), 1u);
    // Page 3: the root, one key (the first leaf's last) and the rightmost child 2.
    const std::size_t r = 1536;
    EXPECT_EQ(Le16(b, r), 1);
    EXPECT_EQ(Le32(b, r + 4), 1u);
    EXPECT_EQ(Le32(b, r + 8), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[r + 12]), 10), K(25));
    EXPECT_EQ(Le32(b, r + 24), 2u);
    for (std::size_t i = r + 28; i < 2048; ++i)
        ASSERT_EQ(b[i], 0) << i;
    TNdxScan s = Scan("t.ndx");
    EXPECT_TRUE(s.Ok) << s.Problem;
}

TEST_F(NdxTest, TwentySixthInsertedKeySplitsThirteenTwelve)
{
    std::vector<std::string> keys;
    for (int i = 1; i <= 25; ++i)
        keys.push_back(K(i * 2));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    // K0031 lies in the upper half (after K0026, the 13th key).
    SetNativeText(1, K(31));
    Append();
    ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    CloseAll();
    auto b = ReadBytes(Path("t.ndx"));
    EXPECT_EQ(Le32(b, 0), 3u); // the new root
    EXPECT_EQ(Le32(b, 4), 4u);
    EXPECT_EQ(Le16(b, 512), 13);
    EXPECT_EQ(Le16(b, 514), 1); // split mark of the page that kept the lower half
    EXPECT_EQ(Le16(b, 1024), 13);
    EXPECT_EQ(Le16(b, 1026), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1024 + 4 + 8]), 10), K(28));
    const std::size_t r = 1536;
    EXPECT_EQ(Le16(b, r), 1);
    EXPECT_EQ(Le32(b, r + 4), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[r + 12]), 10), K(26));
    EXPECT_EQ(Le32(b, r + 24), 2u);
    TNdxScan s = CheckNdxFile(b, 26, false);
    EXPECT_TRUE(s.Ok) << s.Problem;
}

TEST_F(NdxTest, IndexOrderEqualsStableSortForEveryKeyType)
{
    struct Row {
        const char* name;
        TDbfField field;
        const char* expr;
        bool unique;
    } rows[] = {
        {"C10", {"F", 'C', 10, 0, 0}, "F", false},   {"C10u", {"F", 'C', 10, 0, 0}, "F", true},
        {"C100", {"F", 'C', 100, 0, 0}, "F", false}, {"N", {"F", 'N', 8, 2, 0}, "F", false},
        {"Nu", {"F", 'N', 8, 2, 0}, "F", true},      {"D", {"F", 'D', 8, 0, 0}, "F", false},
    };
    std::mt19937 rng(7);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int count = 700;
        std::vector<std::string> stored;
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i) {
            int v = static_cast<int>(rng() % 150);
            std::string t;
            if (row.field.Type == 'C')
                t = Pad("V" + std::to_string(v * 7 % 150), row.field.Length);
            else if (row.field.Type == 'N') {
                char buf[16];
                std::snprintf(buf, sizeof buf, "%8.2f", (v - 75) * 1.25);
                t = buf;
            } else {
                char buf[16];
                std::snprintf(buf, sizeof buf, "%04d%02d%02d", 1990 + v % 30, 1 + v % 12, 1 + v % 28);
                t = buf;
            }
            texts.push_back(t);
        }
        std::string file = std::string(row.name) + ".dbf";
        MakeTable(file, {row.field}, texts);
        ASSERT_TRUE(UseFile(Path(file)));
        std::string ndxName = Path(std::string(row.name) + ".ndx") + (row.unique ? " UNIQUE" : "");
        Index_On(row.expr, ndxName);
        ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
        // The expected order: by the field's value, then record number.
        auto value = [&](int i) -> double {
            const std::string& t = texts[static_cast<std::size_t>(i)];
            if (row.field.Type == 'N') return std::stod(t);
            if (row.field.Type == 'D') return std::stod(t);
            return 0;
        };
        std::vector<int> expected(count);
        for (int i = 0; i < count; ++i)
            expected[i] = i;
        std::stable_sort(expected.begin(), expected.end(), [&](int x, int y) {
            if (row.field.Type == 'C') return texts[x] < texts[y];
            return value(x) < value(y);
        });
        std::vector<int32_t> want;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            bool dup = i > 0 && texts[expected[i]] == texts[expected[i - 1]];
            if (!(row.unique && dup)) want.push_back(expected[i] + 1);
        }
        EXPECT_EQ(IndexOrder(), want);
        TNdxScan s = Scan(std::string(row.name) + ".ndx", row.unique);
        EXPECT_TRUE(s.Ok) << s.Problem;
        EXPECT_EQ(s.Entries.size(), want.size());
        CloseAll();
    }
}

TEST_F(NdxTest, RandomAppendsReplacesAndRemovalsKeepTheTreeSound)
{
    // Start from a built index, whose partial last leaf hangs two levels
    // up, then append, replace and remove keys at random.
    std::mt19937 rng(12345);
    std::multimap<std::string, int32_t> model; // key -> record
    std::map<int32_t, std::string> keyOf;      // records that have an entry
    std::map<int32_t, std::string> removed;    // records whose entry was taken out
    std::vector<std::string> initial;
    for (int i = 1; i <= 700; ++i) {
        initial.push_back(K(static_cast<int>(rng() % 400)));
        model.emplace(initial.back(), i);
        keyOf[i] = initial.back();
    }
    MakeKeys("r.dbf", 10, initial);
    ASSERT_TRUE(UseFile(Path("r.dbf")));
    Index_On("KEY", Path("r.ndx"));
    ASSERT_EQ(dberror.DbErrorCode, 0);
    const int steps = 100000;
    for (int step = 0; step < steps; ++step) {
        // Appends a little more often than removals, so the tree grows.
        int op = static_cast<int>(rng() % 10);
        std::string key = K(static_cast<int>(rng() % 400));
        if (op < 5 || keyOf.empty()) {
            SetNativeText(1, key);
            Append();
            ASSERT_EQ(dberror.DbErrorCode, 0) << step << " " << dberror.DbErrorText;
            model.emplace(key, RecNo());
            keyOf[RecNo()] = key;
        } else {
            auto it = keyOf.begin();
            std::advance(it, static_cast<long>(rng() % keyOf.size()));
            int32_t r = it->first;
            if (op < 8) {
                GO(r);
                SetNativeText(1, key);
                Replace();
                ASSERT_EQ(dberror.DbErrorCode, 0) << step << " " << dberror.DbErrorText;
            } else {
                // Take the record's key out of the index.
                ASSERT_EQ(RemoveKey(it->second, 1, r), 0) << step;
                std::string old = it->second;
                auto range = model.equal_range(old);
                for (auto m = range.first; m != range.second; ++m)
                    if (m->second == r) {
                        model.erase(m);
                        break;
                    }
                removed[r] = old;
                keyOf.erase(r);
                continue;
            }
            auto range = model.equal_range(it->second);
            for (auto m = range.first; m != range.second; ++m)
                if (m->second == r) {
                    model.erase(m);
                    break;
                }
            model.emplace(key, r);
            it->second = key;
        }
        if (step % 20000 == 19999) {
            CloseAll();
            const int32_t records = static_cast<int32_t>(Le32(ReadBytes(Path("r.dbf")), 4));
            TNdxScan s = CheckNdxFile(ReadBytes(Path("r.ndx")), records, false);
            ASSERT_TRUE(s.Ok) << step << ": " << s.Problem;
            std::vector<std::pair<std::string, int32_t>> want;
            std::map<std::string, std::vector<int32_t>> byKey;
            for (const auto& [k, r] : model)
                byKey[k].push_back(r);
            for (auto& [k, v] : byKey) {
                std::sort(v.begin(), v.end());
                for (int32_t r : v)
                    want.emplace_back(k, r);
            }
            ASSERT_EQ(s.Entries, want) << step;
            ASSERT_TRUE(UseFile(Path("r.dbf")));
            Set_Index_To(Path("r.ndx"));
            ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
            // Opened exclusively, an index lacking keys of its records is
            // built again: the records whose entries were taken out have them back.
            for (const auto& [r, k] : removed)
                model.emplace(k, r), keyOf[r] = k;
            removed.clear();
        }
    }
}

TEST_F(NdxTest, RemovingTheOnlyKeyLeavesAnEmptyIndex)
{
    MakeKeys("t.dbf", 10, {});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    for (int i = 1; i <= 60; ++i) {
        SetNativeText(1, K(i));
        Append();
    }
    for (int i = 1; i <= 60; ++i) {
        GO(i);
        ASSERT_EQ(RemoveKey(K(i), 1, i), 0) << i;
    }
    CloseAll();
    auto b = ReadBytes(Path("t.ndx"));
    ASSERT_EQ(b.size(), 1024u);
    EXPECT_EQ(Le32(b, 0), 1u);
    EXPECT_EQ(Le32(b, 4), 2u);
    for (std::size_t i = 512; i < 1024; ++i)
        ASSERT_EQ(b[i], 0) << i;
}

TEST_F(NdxTest, FindByPrefixAndExactly)
{
    MakeKeys("t.dbf", 10, {"PEAR", "APPLE", "APRICOT", "PLUM"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    Find("APR");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 3);
    ndx.ExactFind = true;
    Find("APR");
    EXPECT_FALSE(ndx.LastFindFound);
    Find("PLUM");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 4);
    ndx.ExactFind = false;
    Find("ZZZ");
    EXPECT_FALSE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 5);
    EXPECT_TRUE(dEOF());
}

TEST_F(NdxTest, FindNumbersAndDates)
{
    MakeTable("t.dbf", {{"N", 'N', 6, 1, 0}, {"D", 'D', 8, 0, 0}},
              {"  12.5"
               "20240301",
               "   3.0"
               "19991231",
               "  -7.2"
               "20000101"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("N", Path("n.ndx"));
    Find("3");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 2);
    Find("12,5");
    EXPECT_TRUE(ndx.LastFindFound) << "a decimal comma";
    EXPECT_EQ(RecNo(), 1);
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{3, 2, 1}));
    Index_On("D", Path("d.ndx"));
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{2, 3, 1}));
}

TEST_F(NdxTest, GoToARecordAmongEqualKeysFindsItsEntry)
{
    MakeKeys("t.dbf", 10, {"B", "A", "B", "B", "C", "B"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{2, 1, 3, 4, 6, 5}));
    GO(4);
    SKIP(1);
    EXPECT_EQ(RecNo(), 6);
    SKIP(-2);
    EXPECT_EQ(RecNo(), 3);
    GoBottom();
    EXPECT_EQ(RecNo(), 5);
    SKIP(1);
    EXPECT_TRUE(dEOF());
}

TEST_F(NdxTest, UniqueKeepsTheLowestRecordAndSkipsDuplicateAppends)
{
    MakeKeys("t.dbf", 10, {"B", "A", "B"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx UNIQUE"));
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{2, 1}));
    SetNativeText(1, "A");
    Append();
    EXPECT_EQ(dberror.DbErrorCode, 0);
    // Changing the record without an entry must not report it missing.
    GO(3);
    SetNativeText(1, "C");
    Replace();
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{2, 1, 3}));
    CloseAll();
    TNdxScan s = CheckNdxFile(ReadBytes(Path("t.ndx")), 4, true);
    EXPECT_TRUE(s.Ok) << s.Problem;
}

TEST_F(NdxTest, NumericUniqueIndexKeepsAZeroKey)
{
    MakeTable("t.dbf", {{"N", 'N', 4, 0, 0}}, {"   0", "   0", "   5"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("N", Path("t.ndx UNIQUE"));
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{1, 3}));
}

// A walk leaves the records it passes as bytes; a record reached that way
// and written back without a look at its fields must be written as itself,
// not as the record the native form last held (with an index, Replace
// keeps the native record aside while it reads the stored one).
TEST_F(NdxTest, ARecordReachedButNeverReadIsWrittenBackAsItself)
{
    for (const char* open : {"", " EXCLUSIVE"}) {
        MakeTable("t.dbf", {{"KEY", 'C', 4, 0, 0}, {"X", 'N', 4, 1, 0}},
                  {"AAAA 1.5", "BBBB 2.5", "CCCC03.5"});
        ASSERT_TRUE(UseFile(Path("t.dbf") + open));
        Index_On("KEY", Path("t.ndx"));
        GO(1);
        EXPECT_EQ(SField(1), "AAAA");
        GO(2);
        Replace();
        GO(3);
        SKIP(0);
        Replace();
        EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{1, 2, 3})) << open;
        CloseAll();
        EXPECT_EQ(StoredRecords("t.dbf"), (std::vector<std::string>{" AAAA 1.5", " BBBB 2.5", " CCCC 3.5"}))
            << open;
    }
}

TEST_F(NdxTest, ReplaceWithoutKeyChangeWritesNoPage)
{
    MakeTable("t.dbf", {{"KEY", 'C', 4, 0, 0}, {"X", 'C', 4, 0, 0}}, {"AAAA1111", "BBBB2222"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    auto before = ReadBytes(Path("t.ndx"));
    GO(2);
    SetNativeText(2, "9999");
    Replace();
    EXPECT_EQ(ReadBytes(Path("t.ndx")), before);
}

// A ":" belongs to a name, as it does on this system: the parts of a path, a table's short name and the
// name a damaged table is refused with, an index named without a directory put beside its table.
TEST_F(NdxTest, ColonBelongsToTheName)
{
    const char* const cases[][4] = {{"/d/x:b.dbf", "/d/", "x:b", ".dbf"},
                                    {"c:b", "", "c:b", ""},
                                    {"c:\\d\\b.ndx", "c:\\d\\", "b", ".ndx"}};
    for (const auto& c : cases) {
        std::string d, n, e;
        FSplit(c[0], d, n, e);
        EXPECT_EQ(d + "|" + n + "|" + e, std::string(c[1]) + "|" + c[2] + "|" + c[3]) << c[0];
    }
    MakeKeys("x:t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("x:t.dbf")));
    Index_On("KEY", "x:k");
    EXPECT_EQ(Scan("x:k.NDX").Entries.size(), 1u) << "beside its table";
    CloseAll();
    const std::string here = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    TDbfTable t;
    t.Name = "x:t.dbf";
    EXPECT_TRUE(OpenDbf(t) && t.ShortName == "x:t.dbf") << t.ShortName;
    CloseDbf(t);
    std::filesystem::current_path(here);
    auto bytes = ReadBytes(Path("x:t.dbf"));
    bytes[10] = 3; // record length
    WriteBytes(Path("x:t.dbf"), bytes);
    t.Name = Path("x:t.dbf");
    SetAutoReport(false);
    EXPECT_FALSE(OpenDbf(t));
    EXPECT_EQ(dberror.DbErrorText.rfind("x:t.dbf is not a dBASE database.", 0), 0u) << dberror.DbErrorText;
}

TEST_F(NdxTest, ListOrdersAndNaturalOrder)
{
    MakeKeys("t.dbf", 10, {"C", "A", "B"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    for (int i = 1; i <= 17; ++i)
        ASSERT_TRUE(MakeIndex(Path("i" + std::to_string(i) + ".ndx"), i == 3 ? "UPPER(KEY)" : "KEY"));
    std::string list;
    for (int i = 1; i <= 17; ++i)
        list += Path("i" + std::to_string(i) + ".ndx") + " ";
    Set_Index_To(list);
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.front().find("Error # 220"), std::string::npos) << boxes.front();
    for (int o = 1; o <= 16; ++o)
        EXPECT_NE(IndexOfOrder(o), nullptr) << o;
    Set_Order_To(3);
    EXPECT_EQ(CurrentOrder(), 3);
    EXPECT_EQ(IndexOfSlot(1)->Order, 3);
    Set_Order_To(1);
    EXPECT_EQ(CurrentOrder(), 1);
    Set_Order_To(0);
    EXPECT_EQ(CurrentOrder(), 0);
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{1, 2, 3}));
    Find("A");
    EXPECT_NE(boxes.back().find("Error # 254"), std::string::npos) << boxes.back();
    // Natural order keeps the indexes current.
    SetNativeText(1, "0");
    Append();
    Set_Order_To(2);
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{4, 2, 3, 1}));
}

TEST_F(NdxTest, OpeningRefusesShortFilesAndWrongKeyLengths)
{
    MakeKeys("t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    WriteBytes(Path("short.ndx"), std::vector<uint8_t>(600, 0));
    EXPECT_FALSE(SetIndexTo(Path("short.ndx"), 1));
    EXPECT_EQ(dberror.DbErrorCode, 222);
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    MakeKeys("w.dbf", 12, {"A"});
    std::filesystem::copy_file(Path("t.ndx"), Path("w.ndx"));
    ASSERT_TRUE(UseFile(Path("w.dbf")));
    EXPECT_FALSE(SetIndexTo(Path("w.ndx"), 1));
    EXPECT_EQ(dberror.DbErrorCode, 266);
    EXPECT_FALSE(IndexIsOpen());
}

TEST_F(NdxTest, KeyExpressionOfMoreThanAHundredCharactersIsRefused)
{
    MakeKeys("t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    std::string e = "KEY" + std::string(98, ' ');
    EXPECT_FALSE(MakeIndex(Path("t.ndx"), e));
    EXPECT_EQ(dberror.DbErrorCode, 300);
}

TEST_F(NdxTest, StampCheckGivesMinusOneInIndexInformation)
{
    MakeKeys("t.dbf", 10, {"A", "B"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "key"));
    TIndexInfo info;
    ASSERT_TRUE(IndexInfo(Path("t.ndx"), info));
    EXPECT_EQ(info.RecordCount, 2);
    EXPECT_EQ(info.KeyLength, 10);
    EXPECT_EQ(info.KeyType, 'C');
    EXPECT_EQ(info.Expression, "KEY");
    auto b = ReadBytes(Path("t.ndx"));
    b[488] ^= 1;
    WriteBytes(Path("t.ndx"), b);
    ASSERT_TRUE(IndexInfo(Path("t.ndx"), info));
    EXPECT_EQ(info.RecordCount, -1);
}

TEST_F(NdxTest, NodeCacheHoldsEightPagesAndHitsClimb)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 400; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    TIndexControl* ic = IndexOfSlot(1);
    ASSERT_NE(ic, nullptr);
    TNodeCache& c = ndx.Areas[dbcmd.CurrentArea].Cache;
    ASSERT_EQ(c.Nodes.size(), 8u);
    c.Clear();
    ic->Path.clear();
    TNdxPage page;
    for (uint32_t n = 1; n <= 9; ++n)
        ASSERT_TRUE(GetNodePage(*ic, n, page));
    EXPECT_EQ(c.Nodes[7], 9u); // the ninth replaced the last pair
    uint64_t reads = ndx.NodeFileReads;
    ASSERT_TRUE(GetNodePage(*ic, 9, page));
    EXPECT_EQ(ndx.NodeFileReads, reads);
    EXPECT_EQ(c.Nodes[6], 9u); // one place toward the front
    EXPECT_FALSE(GetNodePage(*ic, 0, page));
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().find("Error # 254"), std::string::npos);
    EXPECT_NE(boxes.back().find("Invalid Node Number (0)"), std::string::npos);
}

TEST_F(NdxTest, CorruptChildPointersAreReportedNotFollowed)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 60; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    auto b = ReadBytes(Path("t.ndx"));
    uint32_t root = Le32(b, 0);
    // Point the root's first child at the root itself.
    b[root * 512 + 4] = static_cast<uint8_t>(root);
    WriteBytes(Path("t.ndx"), b);
    Set_Index_To(Path("t.ndx"));
    Find("K0001");
    EXPECT_FALSE(ndx.LastFindFound);
    EXPECT_NE(dberror.DbErrorCode, 0);
}

TEST_F(NdxTest, ReindexAfterPackRebuildsEveryOrder)
{
    MakeKeys("t.dbf", 10, {"C", "A", "B", "D"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("a.ndx"), "KEY"));
    ASSERT_TRUE(MakeIndex(Path("b.ndx unique"), "SUBSTR(KEY,1,1)")); // options in any case
    Set_Index_To(Path("a.ndx") + " unique " + Path("b.ndx"));
    GO(2);
    DeleteRec();
    ASSERT_TRUE(Pack());
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{2, 1, 3}));
    ASSERT_NE(IndexOfOrder(2), nullptr);
    EXPECT_EQ(IndexOfOrder(2)->Header.Unique, 1);
    CloseAll();
    EXPECT_TRUE(CheckNdxFile(ReadBytes(Path("a.ndx")), 3, false).Ok);
}

// t.dbf: K0001..K0008 in key order, each with its key as its memo, the odd ones deleted, indexed in t.ndx.
class NdxPackTest : public NdxTest
{
  protected:
    void MakeMemoKeys()
    {
        std::filesystem::remove_all(Path("t.$MB")), std::filesystem::remove_all(Path("t.dbt"));
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("t.dbf"), {{"KEY", 'C', 10, 0, 0}, {"NOTES", 'M', 10, 0, 0}}));
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        for (int i = 1; i <= 8; ++i)
            SetNativeText(1, K(i)), SetNativeInt(2, AddMemo(K(i))), SetNativeDeleted(i % 2), Append();
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
    }
    void ExpectIndexAgrees()
    {
        std::vector<std::pair<std::string, int32_t>> keys;
        for (const auto& r : StoredRecords("t.dbf"))
            keys.emplace_back(r.substr(1, 10), static_cast<int32_t>(keys.size() + 1));
        EXPECT_EQ(CheckNdxFile(ReadBytes(Path("t.ndx")), static_cast<int32_t>(keys.size()), false).Entries,
                  keys);
    }
};

// A memo part failing before the packed table is in place, or after it: the table and its index agree.
TEST_F(NdxPackTest, PackWhoseMemoPartFailsLeavesTableAndIndexAgreeing)
{
    for (const std::string fault : {"memo past the end", "t.$MB/x", "t.dbt"}) {
        MakeMemoKeys();
        ASSERT_TRUE(UseFile(Path("t.dbf")) && (Set_Index_To(Path("t.ndx")), IndexIsOpen()));
        if (fault == "memo past the end") GO(2), SetNativeInt(2, 999), Replace();
        if (fault == "t.$MB/x") std::filesystem::create_directories(Path(fault));
        dbcmd.StepSeam = [&](const std::string& step) {
            if (fault == "t.dbt" && step == "pack: kept memo removed")
                std::filesystem::remove(Path(fault)), std::filesystem::create_directory(Path(fault));
        };
        const auto before = ReadBytes(Path("t.dbf"));
        EXPECT_FALSE(Pack());
        if (fault != "t.dbt") {
            EXPECT_EQ(ReadBytes(Path("t.dbf")), before) << fault << ": refused, the table is as it was";
        }
        CloseAll();
        ExpectIndexAgrees();
    }
}

// Ended at each step, a Pack leaves each record its own memo or the next open says it was cut short; an
// index it left without rebuilding is refused at a shared open, rebuilt at an exclusive one.
TEST_F(NdxPackTest, PackEndedAtEachStepLeavesOwnMemosOrSaysSo)
{
    const std::string steps[] = {"pack: table copy written", "pack: memo copy written",
                                 "pack: old memo kept",      "pack: memo in place",
                                 "pack: table in place",     "pack: kept memo removed"};
    for (const std::string& step : steps) {
        MakeMemoKeys();
        if (fork() == 0) {
            dbcmd.StepSeam = [&](const std::string& s) { s == step ? _exit(0) : void(); };
            UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx")), Pack(), _exit(1);
        }
        int status = -1;
        EXPECT_TRUE(wait(&status) > 0 && status == 0) << step;
        dbcmd.SharedAccess = true;
        boxes.clear();
        UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx"));
        const std::string said = std::accumulate(boxes.begin(), boxes.end(), std::string());
        EXPECT_EQ(said.find("Index must be rebuilt: ") != std::string::npos && !IndexIsOpen(),
                  &step >= &steps[4])
            << said;
        dbcmd.SharedAccess = false;
        ASSERT_TRUE(UseFile(Path("t.dbf")) && (Set_Index_To(Path("t.ndx")), IndexIsOpen()));
        bool own = true;
        for (GoTop(); !dEOF(); SKIP(1)) {
            std::string text;
            own = own && ReadMemoText(GetNativeInt(2), text) && text == TrimRightStr(GetNativeText(1));
        }
        EXPECT_TRUE(own || said.find("A Pack was cut short") != std::string::npos) << step;
        // What a Pack ended after a rename left is settled without a word, and the next Pack is not refused.
        EXPECT_EQ(said.find("A Pack was cut short"), std::string::npos) << step;
        EXPECT_FALSE(std::filesystem::exists(Path("t.$MB")) || std::filesystem::exists(Path("t.$MP")))
            << step;
        EXPECT_TRUE(Pack()) << step;
        CloseAll();
        ExpectIndexAgrees();
    }
}

// On a full disk (files cannot grow past a limit) a failed command costs nothing an earlier one stored: the
// child's code counts the records the table must keep beyond `kept`; an index the failure left disagreeing
// is marked for rebuild in its stamp (stale), otherwise it holds exactly the table's keys.
TEST_F(NdxTest, FullDiskCostsOnlyTheFailingCommand)
{
    const auto limit = [](rlim_t n) {
        const rlimit size{n, n};
        setrlimit(RLIMIT_FSIZE, &size);
    };
    const struct {
        const char* what;
        std::function<int()> child;
        std::size_t kept;
        bool stale;
    } cases[] = {
        {"appends until a new index page finds no room",
         [&] {
             limit(std::filesystem::file_size(Path("t.ndx")) + 1024);
             int ok = 0;
             while (ok < 200 && (SetNativeText(1, K(1001 + ok)), Append(), dberror.DbErrorCode == 0))
                 ++ok;
             return dberror.DbErrorText.find("Error writing index file") == 0 ? ok : 255;
         },
         1000, false},
        {"a page the index has cannot be rewritten",
         [&] {
             SetNativeText(1, K(1001)), Append(); // splits the last leaf: the new one has room
             limit(16384);
             SetNativeText(1, K(1002)), Append();
             return dberror.DbErrorText.find("Index must be rebuilt") != std::string::npos ? 1 : 255;
         },
         1000, true},
        {"a Pack whose index rebuild finds no room",
         [&] {
             for (int r = 2; r <= 1000; r += 2)
                 GO(r), DeleteRec();
             limit(8192); // the packed table (5.5 KB) fits, its new index (11 KB) does not
             return !Pack() && dbcmd.PackIndexNotRebuilt ? 1 : 255;
         },
         499, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeKeys("t.dbf", 10, KeysUpTo(1000));
        ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        const pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            SetAutoReport(false);
            UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx"));
            const int code = c.child();
            CloseAll(), _exit(code);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 255;
        ASSERT_TRUE(code >= 1 && code < 255) << code;
        const auto records = StoredRecords("t.dbf");
        EXPECT_EQ(records.size(), c.kept + static_cast<std::size_t>(code))
            << "the failed append left no record";
        std::vector<std::pair<std::string, int32_t>> expect;
        for (const auto& r : records)
            expect.emplace_back(r.substr(1, 10), static_cast<int32_t>(expect.size() + 1));
        const auto b = ReadBytes(Path("t.ndx"));
        EXPECT_EQ(Le32(b, 492) == 0x7FFFFFFFu, c.stale);
        if (!c.stale) {
            EXPECT_EQ(CheckNdxFile(b, static_cast<int32_t>(records.size()), false).Entries, expect);
        }
    }
}

// A command that fails on a full disk leaves each open index holding exactly its table's keys (a Replace's
// record as it was, with its old key; an Append taken back with its record, the anchors counting the table
// without it), or marked for rebuild: the next shared open refuses it with the reason, an exclusive one
// rebuilds it. Either way a Find of every record's key then finds that record. The child ends with 1 when
// its command failed as planned and an index it left marked is no longer used in its session.
TEST_F(NdxTest, FailedChangeLeavesEachIndexItsTablesKeysOrMarked)
{
    const auto limit = [](rlim_t n) {
        const rlimit size{n, n};
        setrlimit(RLIMIT_FSIZE, &size);
    };
    const auto size = [&](const char* f) { return static_cast<rlim_t>(std::filesystem::file_size(Path(f))); };
    const auto failedWriting = [](const char* file) {
        return dberror.DbErrorText.find("Error writing index file") == 0 &&
               dberror.DbErrorText.find(file) != std::string::npos;
    };
    // Changes record after record to the key "R" + its number until a Replace fails.
    const auto replaceUntilFailure = [&](const char* file) {
        for (int r = 1; r <= 1000; ++r)
            if (GO(r), SetNativeText(1, "R" + K(r).substr(1)), Replace(), dberror.DbErrorCode != 0)
                return failedWriting(file);
        return false;
    };
    // Appends until one fails; that append's key is found nowhere afterwards.
    const auto appendUntilFailure = [&](const char* file) {
        for (int i = 1001; i <= 1400; ++i)
            if (SetNativeText(1, K(i)), Append(), dberror.DbErrorCode != 0) {
                const bool said = failedWriting(file) ||
                                  dberror.DbErrorText.find("Index must be rebuilt") != std::string::npos;
                return said && (ndx.LastFindFound = false, Find(K(i)), !ndx.LastFindFound);
            }
        return false;
    };
    const struct {
        const char* what;
        bool shared;
        std::vector<std::string> indexes; // t.ndx on KEY, u.ndx on KEY+KEY (larger, it fills first)
        std::function<bool()> child;
        std::vector<bool> stale;
        bool tableAsBefore;
    } cases[] = {
        // 700 bytes: a second new page is written only in part unless it is cut back.
        {"a key-changing Replace, exclusive",
         false,
         {"t.ndx"},
         [&] { return limit(size("t.ndx") + 700), replaceUntilFailure("t.ndx"); },
         {false},
         false},
        {"a key-changing Replace, shared",
         true,
         {"t.ndx"},
         [&] { return limit(size("t.ndx") + 700), replaceUntilFailure("t.ndx"); },
         {false},
         false},
        {"a key-changing Replace whose second index finds no room",
         false,
         {"t.ndx", "u.ndx"},
         [&] { return limit(size("u.ndx") + 700), replaceUntilFailure("u.ndx"); },
         {false, false},
         false},
        {"a key-changing Replace whose second index finds no room, shared",
         true,
         {"t.ndx", "u.ndx"},
         [&] { return limit(size("u.ndx") + 700), replaceUntilFailure("u.ndx"); },
         {false, false},
         false},
        {"an Append whose second index finds no room",
         false,
         {"t.ndx", "u.ndx"},
         [&] { return limit(size("u.ndx") + 700), appendUntilFailure("u.ndx"); },
         {false, false},
         false},
        {"an Append whose second index finds no room, shared",
         true,
         {"t.ndx", "u.ndx"},
         [&] { return limit(size("u.ndx") + 700), appendUntilFailure("u.ndx"); },
         {false, false},
         false},
        {"the first Append of a session finds no room",
         false,
         {"t.ndx"},
         [&] { return limit(size("t.ndx")), appendUntilFailure("t.ndx"); },
         {false},
         true},
        {"an Append whose key cannot be taken back out of the first index",
         false,
         {"t.ndx", "u.ndx"},
         [&] {
             dbcmd.StepSeam = [&](const std::string& step) {
                 if (step == "index: keys taken back") limit(size("t.dbf") + 1024);
             };
             // The session answers no Find from the marked controlling index: none is open to ask.
             return limit(size("u.ndx") + 700),
                    appendUntilFailure("u.ndx") && (Find(K(1)), dberror.DbErrorCode == 221);
         },
         {true, false},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeKeys("t.dbf", 10, KeysUpTo(1000));
        ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY") &&
                    MakeIndex(Path("u.ndx"), "KEY+KEY"));
        CloseAll();
        std::string list;
        for (const auto& i : c.indexes)
            list += Path(i) + " ";
        const auto before = ReadBytes(Path("t.dbf"));
        const pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            SetAutoReport(false);
            dbcmd.SharedAccess = c.shared;
            UseFile(Path("t.dbf")), Set_Index_To(list);
            const bool failed = (!c.shared || FLock()) && c.child();
            dbcmd.StepSeam = nullptr;
            CloseAll(), _exit(failed ? 1 : 255);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        if (c.tableAsBefore) {
            EXPECT_EQ(ReadBytes(Path("t.dbf")), before) << "the append is taken back whole";
        }
        const auto records = StoredRecords("t.dbf");
        const auto count = static_cast<int32_t>(records.size());
        for (std::size_t i = 0; i < c.indexes.size(); ++i) {
            std::vector<std::pair<std::string, int32_t>> expect;
            for (const auto& r : records)
                expect.emplace_back(i == 0 ? r.substr(1, 10) : r.substr(1, 10) + r.substr(1, 10),
                                    static_cast<int32_t>(expect.size() + 1));
            std::sort(expect.begin(), expect.end());
            const auto b = ReadBytes(Path(c.indexes[i]));
            EXPECT_EQ(Le32(b, 492) == 0x7FFFFFFFu, c.stale[i]) << c.indexes[i];
            if (!c.stale[i]) {
                const TNdxScan scan = CheckNdxFile(b, count, false);
                EXPECT_TRUE(scan.Ok) << c.indexes[i] << ": " << scan.Problem;
                EXPECT_EQ(scan.Entries, expect) << c.indexes[i];
            }
        }
        // Shared, then exclusively: the index is refused with the reason only when marked; where it is used,
        // every record's key finds that record.
        for (const bool shared : {true, false}) {
            dbcmd.SharedAccess = shared;
            boxes.clear();
            ASSERT_TRUE(UseFile(Path("t.dbf")));
            Set_Index_To(Path("t.ndx"));
            const bool refused = !IndexIsOpen();
            EXPECT_EQ(refused, shared && c.stale[0]) << "shared " << shared;
            EXPECT_EQ(refused, std::any_of(boxes.begin(), boxes.end(), [](const std::string& b) {
                          return b.find("Index must be rebuilt") != std::string::npos;
                      }));
            int missed = 0;
            for (int32_t r = 1; r <= count && !refused; ++r)
                missed += (Find(records[static_cast<std::size_t>(r - 1)].substr(1, 10)),
                           !ndx.LastFindFound || RecNo() != r);
            EXPECT_EQ(missed, 0) << "shared " << shared;
            CloseAll();
        }
        dbcmd.SharedAccess = false;
    }
}

// The killed appender's record behind the header's count has no key: an exclusive open rebuilds the index.
TEST_F(NdxTest, ExclusiveOpenRebuildsAnIndexLackingKeysOfRecordsBehindTheHeader)
{
    MakeKeys("t.dbf", 10, {K(1), K(3), K(2)});
    ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    auto b = ReadBytes(Path("t.dbf"));
    b.pop_back();
    for (char c : " " + K(0))
        b.push_back(static_cast<uint8_t>(c));
    WriteBytes(Path("t.dbf"), b);
    ASSERT_TRUE(UseFile(Path("t.dbf")) && (Set_Index_To(Path("t.ndx")), IndexIsOpen()));
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{4, 1, 3, 2}));
    CloseAll();
    EXPECT_EQ(ReadBytes(Path("t.dbf")), b) << "the table is unchanged";
}

// A header counting no record, and behind it a record whose key is not the one the index holds for it: the
// exclusive open looks its key up and builds the index again.
TEST_F(NdxTest, ExclusiveOpenLooksUpKeysBehindAHeaderCountingNone)
{
    MakeKeys("t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    auto b = ReadBytes(Path("t.dbf"));
    b[4] = 0;                                          // the header counts no record
    b[static_cast<std::size_t>(Le16(b, 8)) + 1] = 'B'; // record 1's key
    WriteBytes(Path("t.dbf"), b);
    ASSERT_TRUE(UseFile(Path("t.dbf")) && (Set_Index_To(Path("t.ndx")), IndexIsOpen()));
    Find("B");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 1);
}

// The index lacks the key of a record behind the header and cannot be built again (files cannot grow past
// 4 KB, as on a full disk): it is marked for rebuild, and a shared open refuses it with the reason.
TEST_F(NdxTest, ExclusiveOpenThatCannotRebuildMarksTheIndex)
{
    std::vector<std::string> keys;
    for (int i = 1; i <= 300; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    if (fork() == 0) { // an appender ended between its record and its key
        dbcmd.StepSeam = [](const std::string& s) { s == "append: record written" ? _exit(0) : void(); };
        UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx")), SetNativeText(1, K(0)), Append(), _exit(1);
    }
    int status = -1;
    ASSERT_TRUE(wait(&status) > 0 && status == 0);
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit size{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &size);
        UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx"));
        _exit(IndexIsOpen() ? 1 : 0);
    }
    ASSERT_TRUE(waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Le32(ReadBytes(Path("t.ndx")), 492), 0x7FFFFFFFu);
    dbcmd.SharedAccess = true;
    boxes.clear();
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    EXPECT_FALSE(IndexIsOpen());
    const std::string said = std::accumulate(boxes.begin(), boxes.end(), std::string());
    EXPECT_NE(said.find("Index must be rebuilt: "), std::string::npos) << said;
}

// An exclusive open rebuilds an index whose keys are not its records' keys, and no other: a Replace ended
// between its new key and the removal of the old one leaves the record both; a whole index of three levels
// is taken as it is even where no file can grow past 4 KB, as on a full disk, where a needless rebuild would
// fail and mark it. A shared open then takes the index, and a Find lands only on a record holding its key.
TEST_F(NdxTest, ExclusiveOpenRebuildsOnlyAnIndexWhoseKeysAreNotItsRecords)
{
    const struct {
        const char* what;
        std::function<void()> before; // in a child, which it ends
        rlim_t limit;                 // on the size of files the exclusive open writes
        bool rebuilt;
    } cases[] = {
        {"a key-changing Replace ended between its two key steps",
         [&] {
             dbcmd.StepSeam = [](const std::string& s) {
                 s == "key: old page rewritten" ? _exit(0) : void();
             };
             UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx")), GO(1), SetNativeText(1, "R0001"), Replace();
         },
         RLIM_INFINITY, true},
        {"a whole index of three levels, no file growing past 4 KB", nullptr, 4096, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeKeys("t.dbf", 10, KeysUpTo(990)); // the last leaf has room: a new key splits no page
        ASSERT_TRUE(UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        int status = -1;
        if (c.before) {
            if (fork() == 0) c.before(), _exit(1);
            ASSERT_TRUE(wait(&status) > 0 && status == 0);
        }
        struct stat was {
        };
        ASSERT_EQ(stat(Path("t.ndx").c_str(), &was), 0);
        const auto bytes = ReadBytes(Path("t.ndx"));
        const pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit size{c.limit, c.limit};
            setrlimit(RLIMIT_FSIZE, &size);
            UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx"));
            const bool open = IndexIsOpen();
            CloseAll(), _exit(open ? 0 : 1);
        }
        EXPECT_TRUE(waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the exclusive open took the index";
        struct stat now {
        };
        ASSERT_EQ(stat(Path("t.ndx").c_str(), &now), 0);
        EXPECT_EQ(now.st_ino != was.st_ino, c.rebuilt);
        if (!c.rebuilt) {
            EXPECT_EQ(ReadBytes(Path("t.ndx")), bytes);
        }
        dbcmd.SharedAccess = true;
        boxes.clear();
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        Set_Index_To(Path("t.ndx"));
        ASSERT_TRUE(IndexIsOpen()) << std::accumulate(boxes.begin(), boxes.end(), std::string());
        const auto records = StoredRecords("t.dbf");
        int missed = 0;
        for (int32_t r = 1; r <= static_cast<int32_t>(records.size()); ++r)
            missed += (Find(records[static_cast<std::size_t>(r - 1)].substr(1, 10)),
                       !ndx.LastFindFound || RecNo() != r);
        for (int i = 1; i <= 990; ++i)
            missed += (Find(K(i)), ndx.LastFindFound && SField(1) != K(i));
        EXPECT_EQ(missed, 0);
        CloseAll();
        dbcmd.SharedAccess = false;
    }
}

TEST_F(NdxTest, KeyMakerIndexDescending)
{
    MakeKeys("t.dbf", 10, {"B", "A", "C"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    TTzKeyMaker maker = [](void*) { return SField(1); };
    Index_OnCB(Path("k.ndx DESCENDING"), maker, nullptr);
    ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{3, 1, 2}));
    CloseAll();
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    EXPECT_FALSE(SetIndexTo(Path("k.ndx"), 1));
    EXPECT_EQ(dberror.DbErrorCode, 223);
}

TEST_F(NdxTest, FailedBuildLeavesTheOldIndexAndNoTemporaryFile)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 300; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    const auto before = ReadBytes(Path("t.ndx"));
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Files cannot grow past 4096 bytes, as on a full disk.
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            4096, 4096
        };
        setrlimit(RLIMIT_FSIZE, &limit);
        ResetXbaseState();
        InitXbaseLibrary();
        SetAutoReport(false);
        dbcmd.SharedAccess = false;
        bool opened = UseFile(Path("t.dbf"));
        bool built = opened && MakeIndex(Path("t.ndx"), "KEY+KEY");
        _exit(!opened ? 3 : built ? 0 : 1);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the build reports the failed write";
    EXPECT_EQ(ReadBytes(Path("t.ndx")), before);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files += e.path().filename().string().rfind("t.ndx", 0) == 0 ? 1 : 0;
    EXPECT_EQ(files, 1) << "no temporary index left";
}

class NdxRuns : public NdxTest
{
  protected:
    // 100000 records, 12 or 13 of each of 7919 keys over the sort's 13 runs.
    void SetUp() override
    {
        NdxTest::SetUp();
        std::vector<std::string> k;
        char b[16];
        for (uint32_t i = 0; i < 100000; ++i)
            k.push_back(std::string(b, std::snprintf(b, 16, "%+07d", int(i * 2654435761u % 7919) - 4000)));
        MakeKeys("t.dbf", 8, k);
    }
};

TEST_F(NdxRuns, IndexRunsWriteTheFileOfTheOnePieceSort)
{
    // sha256sum of the files the build wrote when it sorted all pairs at once.
    const char* const cases[][3] = {
        {"t.ndx", "KEY", "3c58d758c771f89e1e13bf0a43df73327448aa1de9e2fb2c55ce1dcda16e6e59"},
        {"t.ndx UNIQUE", "KEY", "b3b2e8aea7ab5ca8bbd31f85a8bf95eaed84881109b8edc2985f902eb9628f00"},
        {"t.ndx", "VAL(KEY)", "4491f186e2445693908a1562709efffea0487d30bdb077693a36d274c5b8b12f"},
    };
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    for (const auto& c : cases) {
        ASSERT_TRUE(MakeIndex(Path(c[0]), c[1])) << dberror.DbErrorText;
        FILE* p = popen(("sha256sum " + Path("t.ndx")).c_str(), "r");
        char sum[64] = {};
        EXPECT_EQ(std::string(sum, p ? std::fread(sum, 1, 64, p) : 0), c[2]) << c[0] << " " << c[1];
        if (p) pclose(p);
    }
}

TEST_F(NdxRuns, IndexRunsLeaveNoTemporaryFileWhenAWriteFails)
{
    // Runs of 100000 x 12 bytes, index 1.7 MB: 0.5 MB stops the runs, 1.4 MB the merge.
    const std::pair<rlim_t, std::string> cases[] = {{500000, "Error writing the sort runs' file"},
                                                    {1400000, "Error writing index file"}};
    const std::string tmp = Path("tmp");
    std::filesystem::create_directory(tmp);
    for (const auto& [limit, text] : cases) {
        pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const struct rlimit size {
                limit, limit
            };
            setrlimit(RLIMIT_FSIZE, &size);
            setenv("TMPDIR", tmp.c_str(), 1);
            SetAutoReport(false);
            const bool built = UseFile(Path("t.dbf")) && MakeIndex(Path("t.ndx"), "KEY");
            _exit(built ? 0 : dberror.DbErrorText.find(text) == 0 ? 1 : 2);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << text << ": status " << status;
        EXPECT_TRUE(std::filesystem::is_empty(tmp)) << text;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2) << "t.dbf and tmp only";
    }
}

TEST_F(NdxTest, BuiltIndexIsReadableByOthers)
{
    MakeKeys("t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    mode_t mask = umask(022);
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    umask(mask);
    EXPECT_EQ(std::filesystem::status(Path("t.ndx")).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read);
}

// A table and its index named as long as the file system allows (255 bytes).
TEST_F(NdxTest, TableAndIndexOfTheLongestNameAreWritten)
{
    const std::string name(251, 'n');
    ASSERT_NO_FATAL_FAILURE(MakeKeys(name + ".dbf", 10, {"B", "A"}));
    ASSERT_TRUE(UseFile(Path(name + ".dbf")));
    ASSERT_TRUE(MakeIndex(Path(name + ".ndx"), "KEY"));
    EXPECT_EQ(Scan(name + ".ndx").Entries.size(), 2u);
}

TEST_F(NdxTest, BuildCallsTheProgressCallbackExactlyAsOftenAsAsked)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 97; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    for (int asked : {1, 7, 20, 500}) {
        int calls = 0;
        ndx.Progress = [&] { ++calls; };
        ndx.ProgressCalls = asked;
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        EXPECT_EQ(calls, asked);
    }
    ndx.ProgressCalls = 0;
    int calls = 0;
    ndx.Progress = [&] { ++calls; };
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    EXPECT_EQ(calls, 0) << "without a count the callback is cleared";
    EXPECT_FALSE(ndx.Progress);
}

TEST_F(NdxTest, KeyTextOfTheCurrentEntry)
{
    MakeTable("t.dbf", {{"N", 'N', 7, 2, 0}, {"D", 'D', 8, 0, 0}, {"C", 'C', 4, 0, 0}},
              {"  12.50"
               "20240301"
               "ABCD"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("n.ndx"), "N"));
    ASSERT_TRUE(MakeIndex(Path("d.ndx"), "D"));
    ASSERT_TRUE(MakeIndex(Path("c.ndx"), "C"));
    Set_Index_To(Path("n.ndx") + " " + Path("d.ndx") + " " + Path("c.ndx"));
    GoTop();
    EXPECT_EQ(OrderKeyText(1), "  12.50");
    EXPECT_EQ(dbhooks.DbHooks.OrderKeyText(2), JulianToDisplay(DisplayToJulian("03/01/24")));
    EXPECT_EQ(dbhooks.DbHooks.OrderKeyText(3), "ABCD");
    Set_Order_To(0);
    EXPECT_EQ(OrderKeyText(1), "Rec         1");
}

TEST_F(NdxTest, HeaderWithAKeyCountInPlaceOfTheTypeLetterIsRead)
{
    // Some writers keep a key count in bytes 8..11; the key kind at 16 then
    // tells the key type.
    std::vector<std::string> keys;
    for (int i = 0; i < 80; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    CloseAll();
    auto b = ReadBytes(Path("t.ndx"));
    b[8] = 0x51;
    b[9] = 0x00;
    WriteBytes(Path("t.ndx"), b);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    ASSERT_TRUE(boxes.empty()) << boxes.front();
    Find("K0042");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 43);
    for (int i = 0; i < 30; ++i) {
        SetNativeText(1, K(500 + i));
        Append();
    }
    CloseAll();
    auto after = ReadBytes(Path("t.ndx"));
    EXPECT_EQ(after[9], 'C') << "the header is written back in this library's form";
    TNdxScan s = CheckNdxFile(after, 110, false);
    EXPECT_EQ(s.Entries.size(), 110u);
}

TEST_F(NdxTest, NodeStillOnTheDescentPathIsNotReadAgain)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 400; ++i)
        keys.push_back(K(i));
    MakeKeys("t.dbf", 10, keys);
    ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE"));
    ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
    Set_Index_To(Path("t.ndx NOCACHE"));
    ASSERT_TRUE(ndx.Areas[dbcmd.CurrentArea].Cache.Nodes.empty());
    Find("K0123");
    ASSERT_TRUE(ndx.LastFindFound);
    TIndexControl* ic = IndexOfSlot(1);
    ASSERT_GE(ic->Path.size(), 2u);
    const uint64_t reads = ndx.NodeFileReads;
    TNdxPage page;
    for (const TNdxLevel& level : std::vector<TNdxLevel>(ic->Path))
        ASSERT_TRUE(GetNodePage(*ic, level.Node, page));
    EXPECT_EQ(ndx.NodeFileReads, reads);
    // A node off the path comes from the file.
    uint32_t other = ic->Path.back().Node == 1 ? 2 : 1;
    ASSERT_TRUE(GetNodePage(*ic, other, page));
    EXPECT_EQ(ndx.NodeFileReads, reads + 1);
}

TEST_F(NdxTest, SoundexKeyMakerIndexFindsBySound)
{
    MakeKeys("t.dbf", 10, {"Smith", "Robert", "Rupert", "Ashcraft"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    TTzKeyMaker maker = [](void*) { return SField(1); };
    Index_OnCB(Path("s.ndx SOUNDEX"), maker, nullptr);
    ASSERT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(IndexOfSlot(1)->Header.KeyLength, 4);
    EXPECT_TRUE(IndexOfSlot(1)->SoundexKey);
    // A261 (Ashcraft), R163 (Robert, Rupert), S530 (Smith).
    EXPECT_EQ(IndexOrder(), (std::vector<int32_t>{4, 2, 3, 1}));
    Find("Rubin");
    EXPECT_FALSE(ndx.LastFindFound);
    Find("Rubert");
    EXPECT_TRUE(ndx.LastFindFound);
    EXPECT_EQ(RecNo(), 2);
}

TEST(NdxBuildSpace, PairsAndEveryLevel)
{
    // 26 keys of 10 bytes, 25 per page: pairs 26 x 14 = 364 bytes; levels
    // 2 + 2 = 4, pages (26 + 1) + (1 + 1) + (0 + 1) + (0 + 1) = 31 x 512.
    EXPECT_EQ(MakeIndexSpaceKB(26, 10), (364 + 31 * 512 + 1023) / 1024);
    // No records: two levels of one page each.
    EXPECT_EQ(MakeIndexSpaceKB(0, 8), 1);
    // A million numeric keys: 12 bytes a pair, 31 keys a page, levels
    // 2 + 5 = 7.
    int64_t pages = 0;
    for (int64_t d : {1LL, 31LL, 961LL, 29791LL, 923521LL, 28629151LL, 887503681LL})
        pages += 1000000 / d + 1;
    EXPECT_EQ(MakeIndexSpaceKB(1000000, 8), (12000000 + pages * 512 + 1023) / 1024);
}

TEST_F(NdxTest, BuildRefusesAnIndexThatIsOpen)
{
    MakeKeys("t.dbf", 10, {"A"});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Index_On("KEY", Path("t.ndx"));
    EXPECT_FALSE(MakeIndex(Path("t.ndx"), "KEY"));
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().find("Error # 214"), std::string::npos) << boxes.back();
}

TEST_F(NdxTest, EveryOpenOrderFollowsAppendsAndReplaces)
{
    // Two orders over one field: the key itself and its last two characters
    // first. Both files must hold every record in their own order.
    std::mt19937 rng(99);
    MakeKeys("m.dbf", 10, {});
    ASSERT_TRUE(UseFile(Path("m.dbf")));
    ASSERT_TRUE(MakeIndex(Path("a.ndx"), "KEY"));
    ASSERT_TRUE(MakeIndex(Path("b.ndx"), "SUBSTR(KEY,4,2)+KEY"));
    Set_Index_To(Path("a.ndx") + " " + Path("b.ndx"));
    std::vector<std::string> keyOf{""}; // by record number
    for (int step = 0; step < 8000; ++step) {
        std::string key = K(static_cast<int>(rng() % 997));
        if (keyOf.size() < 50 || rng() % 3 != 0) {
            SetNativeText(1, key);
            Append();
            keyOf.push_back(key);
        } else {
            int32_t r = static_cast<int32_t>(1 + rng() % (keyOf.size() - 1));
            GO(r);
            SetNativeText(1, key);
            Replace();
            keyOf[static_cast<std::size_t>(r)] = key;
        }
        ASSERT_TRUE(boxes.empty()) << step << " " << boxes.front();
        if (step % 2000 == 1999) Set_Order_To(static_cast<int>(1 + rng() % 2));
    }
    CloseAll();
    const int32_t n = static_cast<int32_t>(keyOf.size() - 1);
    for (int order = 1; order <= 2; ++order) {
        std::vector<std::pair<std::string, int32_t>> want;
        for (int32_t r = 1; r <= n; ++r) {
            const std::string& k = keyOf[static_cast<std::size_t>(r)];
            want.emplace_back(order == 1 ? k : (k.substr(3, 2) + k).substr(0, 12), r);
        }
        std::sort(want.begin(), want.end());
        TNdxScan s = CheckNdxFile(ReadBytes(Path(order == 1 ? "a.ndx" : "b.ndx")), n, false);
        ASSERT_TRUE(s.Ok) << order << ": " << s.Problem;
        EXPECT_EQ(s.Entries, want) << order;
    }
}
