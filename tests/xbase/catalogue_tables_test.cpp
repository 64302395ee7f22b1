// The catalogue tables shipped in the data directory, read byte by byte with
// a reader of their own here (not the table library), hold exactly the values
// of their readable sources.
#include <gtest/gtest.h>

#include "common/tempdir.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

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

// The table made from the source at path holds exactly the source's fields
// and values.
void ExpectTableHoldsSource(const fs::path& dbf, const fs::path& source)
{
    const std::string stem = source.stem().string();
    ASSERT_TRUE(fs::exists(dbf)) << dbf;
    const Source src = ReadSource(source.string());
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
            const std::string where = stem + " record " + std::to_string(r + 1) + " " + src.Fields[f].Name;
            if (src.Fields[f].Type == 'C') {
                EXPECT_EQ(RTrim(got), want) << where;
            } else if (src.Fields[f].Type == 'L') {
                EXPECT_EQ(got, want) << where;
            } else {
                // Numbers stand right-aligned with the field's decimals.
                ASSERT_EQ(got.size(), static_cast<std::size_t>(src.Fields[f].Length)) << where;
                EXPECT_EQ(got.find_first_not_of(' ') == std::string::npos ? 0.0
                                                                          : std::strtod(got.c_str(), nullptr),
                          std::strtod(want.c_str(), nullptr))
                    << where << ": \"" << got << "\"";
                EXPECT_EQ(got.back() != ' ', true) << where;
            }
        }
    }
}

// The readable sources, in a fixed order.
std::vector<fs::path> TableSources()
{
    std::vector<fs::path> sources;
    for (const auto& e : fs::directory_iterator(fs::path(QYR7_SOURCE_DIR) / "data" / "tables"))
        if (e.path().extension() == ".csv") sources.push_back(e.path());
    std::sort(sources.begin(), sources.end());
    return sources;
}

TEST(CatalogueTables, EveryShippedTableHoldsItsSourceValues)
{
    const std::vector<fs::path> sources = TableSources();
    for (const fs::path& source : sources)
        ExpectTableHoldsSource(fs::path(QYR7_DATA_DIR) / (source.stem().string() + ".dbf"), source);
    EXPECT_EQ(sources.size(), 14u) << "life materials, gear materials, tool profiles, print settings and ten "
                                      "bearing catalogues";
}

// The build's table tool run on every source into dir with no language
// setting of the environment but the one given ("LANG=de_DE.UTF-8"); its exit
// code.
int RunTableTool(const std::vector<fs::path>& sources, const fs::path& dir, const std::string& language)
{
    std::vector<std::string> args{QYR7_MKDBF};
    for (const fs::path& source : sources) {
        args.push_back(source.string());
        args.push_back((dir / (source.stem().string() + ".dbf")).string());
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string v = *e;
        if (v.rfind("LANG", 0) != 0 && v.rfind("LC_", 0) != 0) env.push_back(v);
    }
    env.push_back(language);
    std::vector<char*> argv, envp;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A table's bytes but for the header's date of the last update (bytes 1 to
// 3), the day of the run.
std::string TableBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::string b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (b.size() > 4) b.replace(1, 3, "   ");
    return b;
}

// A source that makes no table (a field type no table has) fails the run, though a later one is
// made: the build must stop there, not go on without the table.
TEST(CatalogueTables, TheTableToolFailsWhenAnEarlierTableFails)
{
    const std::string dir = testdirs::MakeTempDir("tablefail");
    ASSERT_FALSE(dir.empty());
    const fs::path bad = fs::path(dir) / "bad.csv", good = fs::path(dir) / "good.csv";
    std::ofstream(bad, std::ios::binary) << "X:Q:3:0\r\n1\r\n";
    std::ofstream(good, std::ios::binary) << "X:N:3:0\r\n1\r\n";
    EXPECT_NE(RunTableTool({bad, good}, dir, "LC_ALL=C"), 0);
    EXPECT_FALSE(fs::exists(fs::path(dir) / "bad.dbf"));
    testdirs::RemoveTempDir(dir);
}

// A build on a desktop whose language writes a decimal comma, or another date
// order, makes the very tables a build under C makes: the sources are written
// in one convention.
TEST(CatalogueTables, TheTableToolMakesTheSameTablesWhateverTheBuildsLanguage)
{
    const std::string dir = testdirs::MakeTempDir("tabletool");
    ASSERT_FALSE(dir.empty());
    std::vector<fs::path> sources = TableSources();
    // A source may hold a date too, written month first.
    const fs::path dated = fs::path(dir) / "dated.csv";
    std::ofstream(dated, std::ios::binary) << "DAY:D:8:0;X:N:6:2\r\n12/24/98;0.5\r\n";
    const fs::path inC = fs::path(dir) / "C";
    fs::create_directory(inC);
    ASSERT_EQ(RunTableTool(sources, inC, "LC_ALL=C"), 0);
    for (const fs::path& source : sources)
        ExpectTableHoldsSource(inC / (source.stem().string() + ".dbf"), source);
    sources.push_back(dated);
    ASSERT_EQ(RunTableTool({dated}, inC, "LC_ALL=C"), 0);
    const Table dates = ReadDbf((inC / "dated.dbf").string());
    ASSERT_EQ(dates.Rows.size(), 1u);
    EXPECT_EQ(dates.Rows[0], (std::vector<std::string>{"19981224", "  0.50"}));
    for (const char* variable : {"LANG", "LC_ALL", "LC_NUMERIC", "LC_TIME"}) {
        for (const char* language : {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8"}) {
            const std::string setting = std::string(variable) + "=" + language;
            const fs::path made = fs::path(dir) / setting;
            fs::create_directory(made);
            ASSERT_EQ(RunTableTool(sources, made, setting), 0) << setting;
            for (const fs::path& source : sources) {
                const std::string name = source.stem().string() + ".dbf";
                EXPECT_TRUE(TableBytes(made / name) == TableBytes(inC / name))
                    << name << " made with " << setting << " differs from the one made under C";
            }
        }
    }
    testdirs::RemoveTempDir(dir);
}

} // namespace
