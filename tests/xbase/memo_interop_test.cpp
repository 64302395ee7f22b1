// Our memos read by an independent reader (python3-dbfread, when
// installed), and memo files laid out byte by byte from the published
// formats read by ours.
#include "common/validators.h"
#include "memo_fixture.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace
{

bool HaveDbfread()
{
    FILE* p = popen("/usr/bin/python3 -c 'import dbfread' 2>/dev/null", "r");
    return p != nullptr && pclose(p) == 0;
}

std::string RunCommand(const std::string& command, int& status)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return out;
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        out.append(buf.data(), n);
    status = pclose(p);
    return out;
}

TEST_F(MemoTest, DbfreadReadsOurMemosInEveryStyle)
{
    if (!HaveDbfread()) QYR7_VALIDATOR_MISSING("python3-dbfread not installed");
    const std::string longText = std::string(700, 'L') + "\r\nend";
    for (uint8_t style : {MemoDbase3, MemoDbase4, MemoFox}) {
        SCOPED_TRACE(style);
        MakeMemoTable(style, style == MemoFox ? 64 : 512);
        AddRecord({1.0});
        SetNativeInt(2, AddMemo("first line\r\nsecond line"));
        Replace();
        AddRecord({2.0});
        AddRecord({3.0});
        SetNativeInt(2, WriteLines({"AB", "CD"}, 0));
        Replace();
        GO(1); // an edited memo: the new text replaces the old
        SetNativeInt(2, WriteLines({"edited", "text"}, GetNativeInt(2)));
        Replace();
        AddRecord({4.0});
        SetNativeInt(2, AddMemo(longText));
        Replace();
        AddRecord({5.0});
        SetNativeInt(2, AddMemo("last"));
        Replace();
        CloseAll();
        // dbfread reads a dBASE IV memo for as many bytes as its length
        // field, header included: 8 bytes past the text, which are cut.
        const std::string cut = IsDbase4Style(style) ? "-8" : "None";
        const std::string script = "import dbfread\n"
                                   "t = dbfread.DBF('" +
                                   Path("memo.dbf") +
                                   "', encoding='cp437')\n"
                                   "print([(r['ID'], (r['NOTES'] or '')[:" +
                                   cut + "]) for r in t if r['ID'] < 5])\n";
        int rc = -1;
        const std::string out = RunCommand("/usr/bin/python3 -c \"" + script + "\"", rc);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(out, "[(1, 'edited\\r\\ntext\\r\\n'), (2, ''), (3, 'AB\\r\\nCD\\r\\n'), (4, '" +
                           std::string(700, 'L') + "\\r\\nend')]\n");
        std::filesystem::remove(Path("memo.dbf"));
        std::filesystem::remove(MemoPath());
    }
}

// Memo files as another writer lays them out, put beside our table.
TEST_F(MemoTest, ReadsMemoFilesLaidOutByTheFormat)
{
    struct TCase {
        const char* what;
        uint8_t style;
        std::vector<uint8_t> file;
        int32_t block;
        std::string text;
    };
    auto dbt3 = [] {
        std::vector<uint8_t> f(512, 0);
        f[0] = 3;
        const std::string a = "one\r\ntwo";
        f.insert(f.end(), a.begin(), a.end());
        f.push_back(0x1A);
        f.push_back(0x1A); // writers often end with two
        f.resize(1536, 0);
        return f;
    };
    auto dbt4 = [] {
        std::vector<uint8_t> f(512, 0);
        f[0] = 2;
        f[18] = 2;
        f[19] = 1;
        f[21] = 2; // block size 512
        const uint8_t h[] = {0xFF, 0xFF, 0x08, 0x00, 8 + 9, 0, 0, 0};
        f.insert(f.end(), h, h + 8);
        const std::string a = "four\x1A"
                              "five"; // 0x1A is text here
        f.insert(f.end(), a.begin(), a.end());
        return f;
    };
    auto fpt = [] {
        std::vector<uint8_t> f(512, 0);
        f[3] = 9;
        f[7] = 64; // block size 64, big-endian
        const uint8_t h[] = {0, 0, 0, 1, 0, 0, 0, 6};
        f.insert(f.end(), h, h + 8);
        const std::string a = "fox\r\nP";
        f.insert(f.end(), a.begin(), a.end());
        return f;
    };
    const TCase cases[] = {
        {"dBASE III", MemoDbase3, dbt3(), 1, "one\r\ntwo"},
        {"dBASE IV", MemoDbase4, dbt4(), 1,
         std::string("four\x1A"
                     "five")},
        {"FoxPro", MemoFox, fpt(), 8, "fox\r\nP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeMemoTable(c.style);
        CloseAll();
        WriteBytes(MemoPath(), c.file);
        ASSERT_TRUE(UseFile(Path("memo.dbf")));
        EXPECT_EQ(Text(c.block), c.text);
        ASSERT_TRUE(GetMemo(c.block));
        EXPECT_EQ(MemoLine(1), c.text.substr(0, c.text.find('\r')));
        CloseAll();
    }
}

} // namespace
