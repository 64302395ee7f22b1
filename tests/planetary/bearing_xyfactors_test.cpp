// Radial and axial factors of groove ball bearings from the factor tables.
// The shipped tables are checked against the published X, Y, e values of
// single-row radial ball bearings (ISO 281 for normal clearance, the
// catalogue values for C3 and C4).
#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/bearings/xyfactors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

double Dbl(Extended v)
{
    return static_cast<double>(v);
}

class XYFactors : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "qyr7_hdf_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    static std::string Shipped(int choice)
    {
        return std::string(QYR7_DATA_DIR) + "/" + XYFactorTableName(choice);
    }
    std::string Table(const std::string& bytes)
    {
        const std::string path = dir_ + "/t.hdf";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // X, Y of one load case, starting from a marker pair.
    std::pair<double, double> Lookup(const std::string& file, double Fr, double Fa, double C0)
    {
        Extended X = -7, Y = -7;
        LookupXYFactors(file, X, Y, Fr, Fa, C0);
        return {Dbl(X), Dbl(Y)};
    }
    std::string dir_;
};

TEST_F(XYFactors, TableNamesByChoice)
{
    EXPECT_EQ(XYFactorTableName(1), "");
    EXPECT_EQ(XYFactorTableName(2), "rikula_n.hdf");
    EXPECT_EQ(XYFactorTableName(3), "rikul_c3.hdf");
    EXPECT_EQ(XYFactorTableName(4), "rikul_c4.hdf");
    EXPECT_EQ(XYFactorTableName(5), "rikula_u.hdf");
    EXPECT_EQ(XYFactorTableName(6), "");
}

struct Published {
    double FaC0, Y;
};

// Pure axial load reads the pair for Fa/Fr > e at each row of the table.
TEST_F(XYFactors, ShippedTablesHoldThePublishedFactorsAtTheirRows)
{
    const Published normal[] = {{0.014, 2.30}, {0.028, 1.99}, {0.056, 1.71}, {0.084, 1.55}, {0.11, 1.45},
                                {0.17, 1.31},  {0.28, 1.15},  {0.42, 1.04},  {0.56, 1.00}};
    const Published c3[] = {{0.014, 1.88}, {0.028, 1.71}, {0.056, 1.52}, {0.084, 1.41}, {0.11, 1.34},
                            {0.17, 1.23},  {0.28, 1.10},  {0.42, 1.01},  {0.56, 1.00}};
    const Published c4[] = {{0.014, 1.47}, {0.028, 1.40}, {0.056, 1.30}, {0.084, 1.23}, {0.11, 1.19},
                            {0.17, 1.12},  {0.28, 1.02},  {0.42, 1.00},  {0.56, 1.00}};
    struct {
        int choice;
        double X;
        const Published* rows;
    } const tables[] = {{2, 0.56, normal}, {3, 0.46, c3}, {4, 0.44, c4}, {5, 0.56, normal}};
    for (const auto& t : tables) {
        for (int k = 0; k < 9; ++k) {
            const auto [X, Y] = Lookup(Shipped(t.choice), 0, t.rows[k].FaC0 * 10000, 10000);
            EXPECT_NEAR(X, t.X, 1e-12) << t.choice << " row " << k + 1;
            EXPECT_NEAR(Y, t.rows[k].Y, 1e-12) << t.choice << " row " << k + 1;
        }
    }
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(XYFactors, BetweenRowsIsInterpolated)
{
    // 0.042 halfway between 0.028 (1.99) and 0.056 (1.71): 1.85.
    auto [X, Y] = Lookup(Shipped(2), 0, 420, 10000);
    EXPECT_NEAR(X, 0.56, 1e-12);
    EXPECT_NEAR(Y, 1.85, 1e-12);
    // C3, Fr 1000, Fa 500 (Fa/Fr 0.5 above every e), Fa/C0 0.05:
    // 1.71 + (0.05 - 0.028) / 0.028 * (1.52 - 1.71) = 1.560714.
    std::tie(X, Y) = Lookup(Shipped(3), 1000, 500, 10000);
    EXPECT_NEAR(X, 0.46, 1e-12);
    EXPECT_NEAR(Y, 1.71 - 0.022 / 0.028 * 0.19, 1e-12);
}

TEST_F(XYFactors, BelowTheFirstRowFromTheStartValues)
{
    // Between (0, 0.56, 2.0) and the first row (0.014, 0.56, 2.30): 0.007 gives 2.15.
    const auto [X, Y] = Lookup(Shipped(2), 0, 70, 10000);
    EXPECT_NEAR(X, 0.56, 1e-12);
    EXPECT_NEAR(Y, 2.15, 1e-12);
}

TEST_F(XYFactors, AboveEveryRowTakesTheLastRow)
{
    const auto [X, Y] = Lookup(Shipped(4), 0, 10000, 10000);
    EXPECT_NEAR(X, 0.44, 1e-12);
    EXPECT_NEAR(Y, 1.00, 1e-12);
}

// The last interval of a table is interpolated like every other:
// 0.49 between 0.42 (1.04) and 0.56 (1.00) gives 1.02, not the last row's 1.00.
TEST_F(XYFactors, LastIntervalIsInterpolated)
{
    const auto [X, Y] = Lookup(Shipped(2), 0, 4900, 10000);
    EXPECT_NEAR(X, 0.56, 1e-12);
    EXPECT_NEAR(Y, 1.02, 1e-12);
}

TEST_F(XYFactors, SmallAxialLoadGivesRadialLoadOnly)
{
    // Fa 0 with Fr > 0: X 1, Y 0.
    auto [X, Y] = Lookup(Shipped(2), 1000, 0, 10000);
    EXPECT_EQ(X, 1.0);
    EXPECT_EQ(Y, 0.0);
    // Fa/Fr 0.2 at Fa/C0 0.02: the stopping row (0.028) has e 0.22 >= 0.2.
    std::tie(X, Y) = Lookup(Shipped(2), 1000, 200, 10000);
    EXPECT_EQ(X, 1.0);
    EXPECT_EQ(Y, 0.0);
    // Fa/Fr 0.3 at Fa/C0 0.03: stopping row 0.056 has e 0.26 < 0.3:
    // 1.99 + (0.03 - 0.028) / 0.028 * (1.71 - 1.99) = 1.97.
    std::tie(X, Y) = Lookup(Shipped(2), 1000, 300, 10000);
    EXPECT_NEAR(X, 0.56, 1e-12);
    EXPECT_NEAR(Y, 1.97, 1e-12);
}

TEST_F(XYFactors, FaultsLeaveTheFactorsUnchanged)
{
    auto [X, Y] = Lookup(Shipped(2), 1000, 100, 0);
    EXPECT_EQ(X, -7.0);
    EXPECT_EQ(Y, -7.0);
    EXPECT_TRUE(HasMessage("Fatal  : C0 = 0 !"));
    EXPECT_FALSE(telmvar.Aborted);

    std::tie(X, Y) = Lookup(Shipped(2), 0, 0, 10000);
    EXPECT_EQ(X, -7.0);
    EXPECT_TRUE(HasMessage("Fatal  : Fr=0, Fa=0 !"));
    EXPECT_FALSE(telmvar.Aborted);

    const std::string missing = dir_ + "/none.hdf";
    std::tie(X, Y) = Lookup(missing, 1000, 100, 10000);
    EXPECT_EQ(X, -7.0);
    EXPECT_EQ(Y, -7.0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessage("file " + missing + " not found or no access !"));
}

TEST_F(XYFactors, SingleRowTableAlwaysTakesItsRow)
{
    const std::string t = Table("---\nrow table\nr1\n0.1\n0.3\n1\n0\n0.5\n1.5\n");
    for (double Fa : {10.0, 1000.0, 5000.0}) {
        const auto [X, Y] = Lookup(t, 0, Fa, 10000);
        EXPECT_NEAR(X, 0.5, 1e-12) << Fa;
        EXPECT_NEAR(Y, 1.5, 1e-12) << Fa;
    }
}

// Header lines begin with a character up to "0"; the first other line ends
// the header. Decimal commas, LF or CR LF, blank lines after the last row.
TEST_F(XYFactors, HeaderRulesAndNumberForms)
{
    const std::string body = "r1\n0,1\n0,3\n1\n0\n0,5\n1,5\nr2\n0.2\n0.4\n1\n0\n0.4\n1.1\n";
    const std::string headers[] = {
        "Title\n",
        " blank first\n*star\n-dash\n0 zero\n\nTitle\n",
        "\r\n   \r\nXY\r\n",
    };
    for (const auto& h : headers) {
        const auto [X, Y] = Lookup(Table(h + body + "\n\n"), 0, 1500, 10000);
        EXPECT_NEAR(X, 0.45, 1e-12) << h;
        EXPECT_NEAR(Y, 1.3, 1e-12) << h;
    }
    std::string crlf;
    for (char c : "Title\n" + body) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const auto [X, Y] = Lookup(Table(crlf), 0, 1500, 10000);
    EXPECT_NEAR(Y, 1.3, 1e-12);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(XYFactors, BrokenTablesAreRefused)
{
    const std::string broken[] = {
        "",
        "---\n",
        "---\nTitle\n",
        "Title\nr1\n0.1\n0.3\n1\n",
        "Title\nr1\n0.1\n0.3\n1\n0\n0.5\n1.5\nr2\n0.2\n",
    };
    for (const auto& b : broken) {
        ResetFoundationState();
        const auto [X, Y] = Lookup(Table(b), 0, 1500, 10000);
        EXPECT_EQ(X, -7.0) << b;
        EXPECT_EQ(Y, -7.0) << b;
        EXPECT_TRUE(telmvar.Aborted) << b;
        EXPECT_EQ(error0.ErrorCount, 1) << b;
    }
}

// Damaged copies of the shipped table for normal clearance: each is refused
// by name at the line where the damage shows, and X and Y stay as they were.
// Read as they came, a text line counted as 0 and the rows shifted (a
// bearing life of 1.3 h became 9.3 million h).
TEST_F(XYFactors, DamagedCopiesOfTheShippedTableAreRefusedAtTheirLine)
{
    std::vector<std::string> shipped;
    {
        std::ifstream in(Shipped(2), std::ios::binary);
        std::string line;
        while (std::getline(in, line))
            shipped.push_back(line.substr(0, line.find('\r')));
    }
    ASSERT_EQ(shipped.size(), 71u);
    ASSERT_EQ(shipped[9], "0.014");
    enum class Op { Replace, Drop, Insert, Append };
    struct Case {
        const char* what;
        Op op;
        int line; // 1-based line of the shipped table
        const char* text;
        int faultLine;
        const char* reason;
    };
    const Case cases[] = {
        {"flipped byte in Fa/C0", Op::Replace, 10, "0.01t", 10, "Fa/C0 of row 1: number expected"},
        {"flipped byte moves Y2 up", Op::Replace, 22, "9.99", 22, "Y2 of row 2 above the row before"},
        {"flipped byte lowers e", Op::Replace, 25, "0.06", 25, "e of row 3 below the row before"},
        {"flipped byte in X2", Op::Replace, 14, "5.56", 14, "X2 of row 1 5.56 outside 0 .. 1"},
        {"Fa/C0 repeated", Op::Replace, 31, "0.056", 31, "Fa/C0 of row 4 not above the row before"},
        {"Fa/C0 of 0", Op::Replace, 10, "0", 10, "Fa/C0 of row 1 0 outside (0 .. 10"},
        {"number line dropped", Op::Drop, 12, nullptr, 14, "X2 of row 1 2.3 outside 0 .. 1"},
        {"title line dropped", Op::Drop, 8, nullptr, 9, "label of row 1 expected"},
        {"label dropped", Op::Drop, 16, nullptr, 16, "label of row 2 expected"},
        {"noise line inserted", Op::Insert, 30, "\x8f\x12noise", 31, "Fa/C0 of row 4: number expected"},
        {"noise appended", Op::Append, 0, "\x8f\x12garbage", 73, "the table ends inside row 10"},
        {"number appended", Op::Append, 0, "3.5", 72, "label of row 10 expected"},
        {"infinite Y1", Op::Replace, 13, "inf", 13, "Y1 of row 1: number expected"},
        {"huge e", Op::Replace, 11, "1e4000", 11, "e of row 1 1e4000 outside 0 .. 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = shipped;
        switch (c.op) {
        case Op::Replace:
            lines[c.line - 1] = c.text;
            break;
        case Op::Drop:
            lines.erase(lines.begin() + (c.line - 1));
            break;
        case Op::Insert:
            lines.insert(lines.begin() + (c.line - 1), c.text);
            break;
        case Op::Append:
            lines.push_back(c.text);
            break;
        }
        std::string bytes;
        for (const auto& l : lines)
            bytes += l + "\r\n";
        ResetFoundationState();
        const std::string path = Table(bytes);
        const auto [X, Y] = Lookup(path, 1000, 300, 10000);
        EXPECT_EQ(X, -7.0);
        EXPECT_EQ(Y, -7.0);
        EXPECT_TRUE(telmvar.Aborted);
        ASSERT_EQ(error0.ErrorCount, 1);
        const std::string prefix =
            "factor table file " + path + " line " + std::to_string(c.faultLine) + ": ";
        EXPECT_EQ(error0.ErrorTexts[1].rfind(prefix, 0), 0u) << error0.ErrorTexts[1];
        EXPECT_NE(error0.ErrorTexts[1].find(c.reason), std::string::npos) << error0.ErrorTexts[1];
    }
}

// A pipe or a device named as a table is refused at once instead of blocking
// the calculation or reading without end.
TEST_F(XYFactors, PipesAndDevicesAreNoTables)
{
    const std::string fifo = dir_ + "/fifo.hdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        ResetFoundationState();
        const auto [X, Y] = Lookup(path, 1000, 300, 10000);
        EXPECT_EQ(X, -7.0) << path;
        EXPECT_TRUE(telmvar.Aborted) << path;
        EXPECT_TRUE(HasMessage("file " + path + ": not a regular file (a pipe or a device), not read !"))
            << path;
    }
}

} // namespace
