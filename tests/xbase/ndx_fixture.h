#pragma once
// Index tests: tables with one key field, and an independent reader of index
// files that walks every page and checks the tree's rules on its own.

#include "cmd_fixture.h"
#include "xbase/ndx/ndx.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct TNdxScan {
    bool Ok = true;
    std::string Problem;
    uint32_t Root = 0;
    uint32_t NextFree = 0;
    int KeyLength = 0;
    int KeysPerPage = 0;
    char Type = 0;
    std::vector<std::pair<std::string, int32_t>> Entries; // in tree order
    int Pages = 0;
};

// Reads the file with plain byte arithmetic: header fields, then a walk from
// the root that checks counts, child pointers, separators and order.
inline TNdxScan CheckNdxFile(const std::vector<uint8_t>& b, int32_t recordCount, bool unique)
{
    TNdxScan s;
    auto le32 = [&](std::size_t o) {
        return uint32_t{b[o]} | uint32_t{b[o + 1]} << 8 | uint32_t{b[o + 2]} << 16 | uint32_t{b[o + 3]} << 24;
    };
    auto le16 = [&](std::size_t o) { return static_cast<int16_t>(b[o] | b[o + 1] << 8); };
    auto fail = [&](const std::string& why) {
        if (s.Ok) s.Problem = why;
        s.Ok = false;
    };
    if (b.size() < 1024 || b.size() % 512 != 0) {
        fail("file size " + std::to_string(b.size()));
        return s;
    }
    s.Root = le32(0);
    s.NextFree = le32(4);
    s.Type = static_cast<char>(b[9]);
    s.KeyLength = le16(12);
    s.KeysPerPage = le16(14);
    const int es = le16(18);
    if (es != 8 + (s.KeyLength + 3) / 4 * 4) fail("entry size");
    if (s.KeysPerPage != 504 / es) fail("keys per page");
    if (le16(16) != (s.Type == 'C' ? 0 : 1)) fail("key kind");
    if (b[23] != (unique ? 1 : 0)) fail("unique flag");
    if (s.NextFree * 512 < b.size()) fail("next free below file size");
    if (s.Root == 0 || s.Root >= s.NextFree) fail("root out of range");
    if (le32(488) != ~le32(492) || static_cast<int32_t>(le32(492)) != recordCount) fail("record count stamp");
    if (!s.Ok) return s;
    auto cmp = [&](const std::string& x, const std::string& y) {
        if (s.Type == 'C') return std::memcmp(x.data(), y.data(), x.size()) < 0 ? -1 : (x == y ? 0 : 1);
        double dx, dy;
        std::memcpy(&dx, x.data(), 8);
        std::memcpy(&dy, y.data(), 8);
        return dx < dy ? -1 : (dx > dy ? 1 : 0);
    };
    std::set<uint32_t> seen;
    // Returns the greatest key below the page; empty when it holds none.
    std::function<std::string(uint32_t, int)> walk = [&](uint32_t page, int depth) -> std::string {
        if (depth > 40 || page == 0 || page >= s.NextFree || (page + 1) * 512 > b.size()) {
            fail("child pointer " + std::to_string(page));
            return {};
        }
        if (!seen.insert(page).second) {
            fail("page reached twice " + std::to_string(page));
            return {};
        }
        ++s.Pages;
        const std::size_t o = page * 512;
        int k = le16(o);
        if (k < 0 || k > s.KeysPerPage) {
            fail("key count " + std::to_string(k) + " on page " + std::to_string(page));
            return {};
        }
        auto key = [&](int i) {
            return std::string(reinterpret_cast<const char*>(&b[o + 4 + i * es + 8]), s.KeyLength);
        };
        bool leaf = le32(o + 4) == 0;
        if (leaf) {
            if (k == 0 && page != s.Root) fail("empty leaf below the root, page " + std::to_string(page));
            for (int i = 0; i < k; ++i) {
                if (le32(o + 4 + i * es) != 0) fail("child in a leaf");
                int32_t r = static_cast<int32_t>(le32(o + 4 + i * es + 4));
                if (r < 1 || r > recordCount) fail("record number " + std::to_string(r));
                s.Entries.emplace_back(key(i), r);
            }
            return k > 0 ? key(k - 1) : std::string();
        }
        std::string last;
        for (int i = 0; i <= k; ++i) {
            uint32_t c = le32(o + 4 + i * es);
            std::string m = walk(c, depth + 1);
            if (i < k && m != key(i))
                fail("separator " + std::to_string(i) + " of page " + std::to_string(page) +
                     " is not its child's greatest key");
            if (!m.empty()) last = m;
        }
        return last;
    };
    walk(s.Root, 0);
    for (std::size_t i = 1; i < s.Entries.size() && s.Ok; ++i) {
        int c = cmp(s.Entries[i - 1].first, s.Entries[i].first);
        if (c > 0 || (c == 0 && (unique || s.Entries[i - 1].second >= s.Entries[i].second)))
            fail("entries out of order at " + std::to_string(i));
    }
    return s;
}

class NdxTest : public CmdTest
{
  protected:
    void SetUp() override
    {
        CmdTest::SetUp();
        InitXbaseLibrary();
        // Errors go to the captured boxes; the index error routine would
        // raise with automatic reporting off.
        SetAutoReport(true);
        dbcmd.SharedAccess = false;
    }

    void TearDown() override
    {
        if (HasFailure())
            for (const auto& b : boxes)
                std::fprintf(stderr, "box: %s\n", b.c_str());
        CmdTest::TearDown();
    }

    static std::string Pad(const std::string& s, std::size_t n)
    {
        return (s + std::string(n, ' ')).substr(0, n);
    }

    // A table of one character field KEY of the given width.
    void MakeKeys(const std::string& file, int width, const std::vector<std::string>& keys)
    {
        std::vector<std::string> rows;
        for (const auto& k : keys)
            rows.push_back(Pad(k, static_cast<std::size_t>(width)));
        MakeTable(file, {{"KEY", 'C', static_cast<uint8_t>(width), 0, 0}}, rows);
    }

    TNdxScan Scan(const std::string& file, bool unique = false)
    {
        return CheckNdxFile(ReadBytes(Path(file)), RecCount(), unique);
    }

    // Record numbers in index order, by SKIP from the top.
    std::vector<int32_t> IndexOrder()
    {
        std::vector<int32_t> out;
        GoTop();
        while (!dEOF() && out.size() < 1000000) {
            out.push_back(RecNo());
            SKIP(1);
        }
        return out;
    }
};
