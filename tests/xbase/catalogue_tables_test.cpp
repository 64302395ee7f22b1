// The catalogue tables shipped in the data directory, read byte by byte with
// a reader of their own here (not the table library), hold exactly the values
// of their readable sources.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

struct Source {
    struct Field {
        std::string Name;
        char Type;
        int Length, Decimals;
    };
    std::vector<Field> Fields;
    std::vector<std::vector<std::string>> Rows;
};

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    for (auto& p : out) {
        auto b = p.find_first_not_of(" \t");
        auto e = p.find_last_not_of(" \t");
        p = b == std::string::npos ? "" : p.substr(b, e - b + 1);
    }
    return out;
}

Source ReadSource(const std::string& path)
{
    Source s;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        auto parts = Split(line, ';');
        if (s.Fields.empty()) {
            for (const auto& p : parts) {
                auto d = Split(p, ':');
                s.Fields.push_back({d.at(0), d.at(1).at(0), std::stoi(d.at(2)), std::stoi(d.at(3))});
            }
        } else {
            s.Rows.push_back(parts);
        }
    }
    return s;
}

struct Table {
    std::vector<std::string> Names;
    std::vector<char> Types;
    std::vector<int> Lengths, Decimals;
    std::vector<std::vector<std::string>> Rows; // raw field texts
};

uint32_t Le(const std::vector<uint8_t>& b, std::size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    return v;
}

Table ReadDbf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Table t;
    const uint32_t count = Le(b, 4, 4);
    const uint32_t headerLength = Le(b, 8, 2);
    const uint32_t recordLength = Le(b, 10, 2);
    for (std::size_t at = 32; b.at(at) != 0x0D; at += 32) {
        std::string name(reinterpret_cast<const char*>(&b[at]), 11);
        name.resize(name.find('\0'));
        t.Names.push_back(name);
        t.Types.push_back(static_cast<char>(b[at + 11]));
        t.Lengths.push_back(b[at + 16]);
        t.Decimals.push_back(b[at + 17]);
    }
    EXPECT_EQ(b.size(), headerLength + count * recordLength + 1) << path << ": size and end mark";
    EXPECT_EQ(b.back(), 0x1A) << path;
    for (uint32_t r = 0; r < count; ++r) {
        std::size_t at = headerLength + r * recordLength;
        EXPECT_EQ(b.at(at), ' ') << path << " record " << r + 1 << " is marked deleted";
        ++at;
        std::vector<std::string> fields;
        for (int len : t.Lengths) {
            fields.emplace_back(reinterpret_cast<const char*>(&b[at]), static_cast<std::size_t>(len));
            at += static_cast<std::size_t>(len);
        }
        t.Rows.push_back(fields);
    }
    return t;
}

std::string RTrim(const std::string& s)
{
    auto e = s.find_last_not_of(' ');
    return e == std::string::npos ? "" : s.substr(0, e + 1);
}

TEST(CatalogueTables, EveryShippedTableHoldsItsSourceValues)
{
    const fs::path sources = fs::path(QYR7_SOURCE_DIR) / "data" / "tables";
    int tables = 0;
    for (const auto& e : fs::directory_iterator(sources)) {
        if (e.path().extension() != ".csv") continue;
        ++tables;
        const std::string stem = e.path().stem().string();
        const fs::path dbf = fs::path(QYR7_DATA_DIR) / (stem + ".dbf");
        ASSERT_TRUE(fs::exists(dbf)) << dbf;
        const Source src = ReadSource(e.path().string());
        const Table t = ReadDbf(dbf.string());
        ASSERT_EQ(t.Names.size(), src.Fields.size()) << stem;
        for (std::size_t f = 0; f < src.Fields.size(); ++f) {
            EXPECT_EQ(t.Names[f], src.Fields[f].Name) << stem;
            EXPECT_EQ(t.Types[f], src.Fields[f].Type) << stem << "." << t.Names[f];
            EXPECT_EQ(t.Lengths[f], src.Fields[f].Length) << stem << "." << t.Names[f];
            EXPECT_EQ(t.Decimals[f], src.Fields[f].Decimals) << stem << "." << t.Names[f];
        }
        ASSERT_EQ(t.Rows.size(), src.Rows.size()) << stem;
        for (std::size_t r = 0; r < src.Rows.size(); ++r) {
            for (std::size_t f = 0; f < src.Fields.size(); ++f) {
                const std::string& want = src.Rows[r][f];
                const std::string& got = t.Rows[r][f];
                const std::string where =
                    stem + " record " + std::to_string(r + 1) + " " + src.Fields[f].Name;
                if (src.Fields[f].Type == 'C') {
                    EXPECT_EQ(RTrim(got), want) << where;
                } else if (src.Fields[f].Type == 'L') {
                    EXPECT_EQ(got, want) << where;
                } else {
                    // Numbers stand right-aligned with the field's decimals.
                    ASSERT_EQ(got.size(), static_cast<std::size_t>(src.Fields[f].Length)) << where;
                    EXPECT_EQ(got.find_first_not_of(' ') == std::string::npos
                                  ? 0.0
                                  : std::strtod(got.c_str(), nullptr),
                              std::strtod(want.c_str(), nullptr))
                        << where << ": \"" << got << "\"";
                    EXPECT_EQ(got.back() != ' ', true) << where;
                }
            }
        }
    }
    EXPECT_EQ(tables, 14) << "life materials, gear materials, tool profiles, print settings and ten bearing "
                             "catalogues";
}

} // namespace
