#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "planetary/bearings/planetbearing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

class BearingRecord : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitPlanetBearings();
        std::string tmpl = (fs::temp_directory_path() / "qyr7_bearing_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path() const { return dir_ + "/bearings.qy7"; }

    void WriteBoth()
    {
        AssignTextFile(textfile.SharedTextFile, Path());
        ASSERT_TRUE(RewriteTextFile(textfile.SharedTextFile));
        SaveBearingData(1);
        SaveBearingData(2);
        ASSERT_TRUE(CloseTextFile(textfile.SharedTextFile));
        ASSERT_FALSE(telmvar.Aborted);
    }
    std::vector<std::string> Lines() const
    {
        std::ifstream in(Path(), std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> out;
        std::size_t pos = 0;
        while (pos < all.size()) {
            const auto end = all.find("\r\n", pos);
            EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
            if (end == std::string::npos) break;
            out.push_back(all.substr(pos, end - pos));
            pos = end + 2;
        }
        return out;
    }
    void WriteRaw(const std::string& bytes)
    {
        std::ofstream out(Path(), std::ios::binary);
        out << bytes;
    }
    void OpenForReading()
    {
        AssignTextFile(textfile.SharedTextFile, Path());
        ASSERT_TRUE(ResetTextFile(textfile.SharedTextFile));
    }

    std::string dir_;
};

// Every field of a record set to a value of its own, so a swapped pair of
// lines cannot go unnoticed.
WaelzLagerTyp Distinct(int base)
{
    WaelzLagerTyp b;
    Extended v = base + 0.125L;
    auto next = [&v]() {
        v += 1.5L;
        return v;
    };
    b.BearingType = 5;
    b.CatalogueRecNo = 1234 + base;
    b.Designation = "NJ 2210 EC";
    for (Extended* x :
         {&b.C0,        &b.C,         &b.X,         &b.Y,           &b.P,      &b.P0,        &b.Frm,
          &b.FaPerm,    &b.L10,       &b.D,         &b.d,           &b.B,      &b.CatValue1, &b.CatValue2,
          &b.nPerm2,    &b.nPerm,     &b.CatValue3, &b.d1,          &b.D1,     &b.CatValue4, &b.CatValue5,
          &b.CatValue6, &b.CatValue7, &b.CatValue8, &b.CatValue9,   &b.alpha,  &b.e,         &b.Y1,
          &b.Y2,        &b.Y0,        &b.Weight,    &b.Price,       &b.CRatio, &b.s0,        &b.FrMin,
          &b.nu40,      &b.nu1,       &b.nu,        &b.Temperature, &b.kappa,  &b.a23,       &b.aISO,
          &b.Lna,       &b.eC,        &b.Cu})
        *x = next();
    b.CatText2 = "Kaefig \xE4 text";
    b.ReliabilityIndex = 7;
    b.XYTableChoice = 4;
    b.LifeFactorMode = 1;
    b.ContaminationClass = 8;
    b.EPAdditives = false;
    b.BearingCount = 2;
    b.Arrangement = 1;
    return b;
}

TEST_F(BearingRecord, NewProjectDefaults)
{
    for (int n = 1; n <= 2; ++n) {
        const auto& b = PlanetBearings[n];
        EXPECT_EQ(b.BearingType, 1);
        EXPECT_TRUE(b.Designation.empty());
        EXPECT_EQ(b.X, 1.0L);
        EXPECT_EQ(b.Y, 0.0L);
        EXPECT_EQ(b.FrMin, 1000000.0L);
        EXPECT_EQ(b.nu40, 70.0L);
        EXPECT_EQ(b.Temperature, 50.0L);
        EXPECT_EQ(b.XYTableChoice, 2);
        EXPECT_EQ(b.LifeFactorMode, 3);
        EXPECT_EQ(b.ContaminationClass, 5);
        EXPECT_EQ(b.eC, 0.2L);
        EXPECT_TRUE(b.EPAdditives);
        EXPECT_EQ(b.BearingCount, 1);
        EXPECT_EQ(b.Arrangement, 2);
        EXPECT_EQ(b.CatValue2, 0.3L);
        EXPECT_EQ(b.Y1, 2.0L);
        EXPECT_EQ(b.Y2, 2.0L);
        EXPECT_EQ(b.Y0, 2.0L);
        EXPECT_EQ(b.ReliabilityIndex, 1);
        EXPECT_FALSE(PlanetBearingDefined(n));
    }
}

TEST_F(BearingRecord, DesignationWithoutBoreIsNotDefined)
{
    PlanetBearings[1].Designation = "6205";
    EXPECT_FALSE(PlanetBearingDefined(1));
    PlanetBearings[1].d = 25;
    EXPECT_TRUE(PlanetBearingDefined(1));
    PlanetBearings[2].d = 25;
    EXPECT_FALSE(PlanetBearingDefined(2)) << "a bore without a designation is no choice either";
}

TEST_F(BearingRecord, ClearBothKeepsTypeAndOperatingData)
{
    PlanetBearings[1] = Distinct(1);
    PlanetBearings[2] = Distinct(2);
    const WaelzLagerTyp before2 = PlanetBearings[2];
    ClearPlanetBearing(0);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(PlanetBearings[n].CatalogueRecNo, 0);
        EXPECT_TRUE(PlanetBearings[n].Designation.empty());
        EXPECT_EQ(PlanetBearings[n].d, 0.0L);
        EXPECT_EQ(PlanetBearings[n].Weight, 0.0L);
        EXPECT_EQ(PlanetBearings[n].BearingType, 5);
        EXPECT_EQ(PlanetBearings[n].ContaminationClass, 8);
    }
    EXPECT_EQ(PlanetBearings[2].nu40, before2.nu40);
    EXPECT_EQ(PlanetBearings[2].C, before2.C);
}

TEST_F(BearingRecord, ClearOneLeavesTheOther)
{
    PlanetBearings[1] = Distinct(1);
    PlanetBearings[2] = Distinct(2);
    ClearPlanetBearing(2);
    EXPECT_EQ(PlanetBearings[1].Designation, "NJ 2210 EC");
    EXPECT_TRUE(PlanetBearings[2].Designation.empty());
}

struct PredicateCase {
    int type;
    const char* designation;
    bool nj;
    bool configuration;
};

TEST_F(BearingRecord, NjAndConfigurationPredicates)
{
    const PredicateCase cases[] = {
        {5, "NJ 2210 EC", true, true}, {5, "NU 2210 EC", false, false}, {1, "NJ 205", false, false},
        {6, "32210", false, true},     {8, "7205 BE", false, true},     {9, "3205", false, false},
        {5, "NUP 210", false, false},  {5, "", false, false},
    };
    for (const auto& c : cases) {
        PlanetBearings[1].BearingType = c.type;
        PlanetBearings[1].Designation = c.designation;
        EXPECT_EQ(BearingIsNJ(1), c.nj) << c.type << " " << c.designation;
        EXPECT_EQ(BearingNeedsConfiguration(1), c.configuration) << c.type << " " << c.designation;
    }
}

TEST_F(BearingRecord, TextTables)
{
    EXPECT_STREQ(BearingTypeNames[1], "Groove ball bearing");
    EXPECT_STREQ(BearingTypeNames[5], "Cylindr.roller bearing");
    EXPECT_STREQ(BearingTypeNames[9], "Ang.contact ball bear.(2)");
    EXPECT_STREQ(BearingTypeNames[10], "Needle cage");
    EXPECT_STREQ(BearingTableNames[1], "rikula");
    EXPECT_STREQ(BearingTableNames[9], "schrku2");
    EXPECT_STREQ(BearingTableNames[10], "nadelk");
    EXPECT_STREQ(ContaminationTexts[5], "typical contamination");
    EXPECT_STREQ(ContaminationTexts[8], "input ec ..");
    EXPECT_STREQ(LifeFactorModeTexts[3], "aISO calc. to ISO 281");
    EXPECT_STREQ(XYSourceTexts[1], "XY");
    EXPECT_STREQ(XYSourceTexts[5], "User");
    EXPECT_STREQ(XYSourceLetters[4], "m");
}

TEST_F(BearingRecord, BlockLayoutLineByLine)
{
    PlanetBearings[2].BearingType = 6;
    PlanetBearings[2].Designation = "32210";
    PlanetBearings[2].L10 = 111;
    PlanetBearings[2].Frm = 222;
    PlanetBearings[2].XYTableChoice = 3;
    PlanetBearings[2].LifeFactorMode = 4;
    PlanetBearings[2].eC = 0.5L;
    PlanetBearings[2].aISO = 2.5L;
    PlanetBearings[2].Cu = 7;
    PlanetBearings[2].Arrangement = 1;
    PlanetBearings[2].BearingCount = 2;
    WriteBoth();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u * BearingBlockLines);
    EXPECT_EQ(lines[0], "Lager 1");
    EXPECT_EQ(lines[3], "") << "empty designation keeps its line";
    EXPECT_EQ(lines[36], "") << "empty second text keeps its line";
    EXPECT_EQ(lines[54], "TRUE");
    const std::vector<std::string> b(lines.begin() + BearingBlockLines, lines.end());
    EXPECT_EQ(b[0], "Lager 2");
    EXPECT_EQ(b[1], "6");
    EXPECT_EQ(b[2], "0");
    EXPECT_EQ(b[3], "32210");
    auto num = [](const std::string& s) { return std::stold(s); };
    EXPECT_EQ(num(b[10]), 111.0L) << "L10 comes before Frm";
    EXPECT_EQ(num(b[11]), 222.0L);
    EXPECT_EQ(b[48], "3") << "XYTableChoice before LifeFactorMode";
    EXPECT_EQ(b[49], "4");
    EXPECT_EQ(b[50], "5");
    EXPECT_EQ(num(b[51]), 0.5L) << "aISO after eC";
    EXPECT_EQ(num(b[52]), 2.5L);
    EXPECT_EQ(num(b[53]), 7.0L);
    EXPECT_EQ(b[54], "TRUE");
    EXPECT_EQ(b[55], "1") << "Arrangement before BearingCount";
    EXPECT_EQ(b[56], "2");
}

TEST_F(BearingRecord, RoundTripReproducesEveryField)
{
    const WaelzLagerTyp one = Distinct(1);
    WaelzLagerTyp two = Distinct(2);
    two.Designation.clear();
    two.CatText2.clear();
    two.EPAdditives = true;
    PlanetBearings[1] = one;
    PlanetBearings[2] = two;
    WriteBoth();
    InitPlanetBearings();
    OpenForReading();
    EXPECT_TRUE(LoadBearingData(1));
    EXPECT_TRUE(LoadBearingData(2));
    EXPECT_TRUE(textfile.SharedTextFile.AtEnd());
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(PlanetBearings[1] == one);
    EXPECT_TRUE(PlanetBearings[2] == two);
    EXPECT_EQ(PlanetBearings[1].CatText2, one.CatText2) << "code-page bytes kept";
    EXPECT_EQ(PlanetBearings[2].L10, two.L10);
}

// A block typed by hand, LF line ends and a decimal comma, read field by field.
TEST_F(BearingRecord, ReadsAHandWrittenBlock)
{
    std::ostringstream f;
    f << "Lager 1\n1\n17\n6205\n7800\n14800\n0,56\n1,71\n2000\n900\n85,5\n150\n0\n52\n25\n15\n"
      << "0\n0,3\n18000\n11000\n0\n34,4\n44,8\n0\n0\n0\n0\n0\n0\n0\n0,26\n2\n2\n2\n0,13\n4,5\n\n"
      << "7,4\n8,7\n0\n68\n19,5\n31\n60\n2,2\n1\n3\n120\n2\n3\n4\n0,5\n3,1\n335\nFALSE\n2\n1\n";
    WriteRaw(f.str());
    OpenForReading();
    ASSERT_TRUE(LoadBearingData(1));
    const auto& b = PlanetBearings[1];
    EXPECT_EQ(b.CatalogueRecNo, 17);
    EXPECT_EQ(b.Designation, "6205");
    EXPECT_DOUBLE_EQ(static_cast<double>(b.C), 14800);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.X), 0.56);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.L10), 85.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Frm), 150);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.D), 52);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.d), 25);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.nPerm), 11000);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.D1), 44.8);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.e), 0.26);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Price), 4.5);
    EXPECT_TRUE(b.CatText2.empty());
    EXPECT_DOUBLE_EQ(static_cast<double>(b.nu40), 68);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.a23), 1);
    EXPECT_EQ(b.ReliabilityIndex, 3);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Lna), 120);
    EXPECT_EQ(b.XYTableChoice, 2);
    EXPECT_EQ(b.LifeFactorMode, 3);
    EXPECT_EQ(b.ContaminationClass, 4);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.eC), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.aISO), 3.1);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Cu), 335);
    EXPECT_FALSE(b.EPAdditives);
    EXPECT_EQ(b.Arrangement, 2);
    EXPECT_EQ(b.BearingCount, 1);
}

TEST_F(BearingRecord, ShortBlockLeavesTheRecordAsItWas)
{
    PlanetBearings[1] = Distinct(1);
    const WaelzLagerTyp before = PlanetBearings[1];
    WriteRaw("Lager 1\r\n1\r\n0\r\n6205\r\n7800\r\n");
    OpenForReading();
    EXPECT_FALSE(LoadBearingData(1));
    EXPECT_TRUE(PlanetBearings[1] == before);
}

TEST_F(BearingRecord, BlockOfTheOtherBearingIsRefused)
{
    PlanetBearings[2] = Distinct(2);
    const WaelzLagerTyp before = PlanetBearings[2];
    WriteBoth();
    PlanetBearings[2] = before;
    OpenForReading();
    EXPECT_FALSE(LoadBearingData(2)) << "the first block on file is bearing 1";
    EXPECT_TRUE(PlanetBearings[2] == before);
}

// Each line that does not hold what its place asks for refuses the block at
// that line, and the record keeps what it held. A word field used to wrap to
// 16 bits and a text in a number line to read as 0 (a C of "abc" gave C 0
// and a life of 0 without a word).
TEST_F(BearingRecord, BadLinesRefuseTheBlockAtTheirLine)
{
    struct Case {
        int line; // line of the block
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {6, "abc", "number expected"},
        {6, "-5", "planet bearing 1: C -5 outside 0 .. 1e+12"},
        {7, "1e4000", "planet bearing 1: X 1e4000 outside 0 .. 10000"},
        {11, "inf", "number expected"},
        {2, "65537", "planet bearing 1: BearingType 65537 outside 1 .. 10"},
        {2, "0", "BearingType 0 outside 1 .. 10"},
        {3, "-2147483649", "CatalogueRecNo -2147483649 outside 0 .. 2147483647"},
        {47, "15", "ReliabilityIndex 15 outside 1 .. 14"},
        {49, "6", "XYTableChoice 6 outside 1 .. 5"},
        {50, "two", "whole number expected"},
        {51, "9", "ContaminationClass 9 outside 1 .. 8"},
        {55, "yes", "TRUE or FALSE expected"},
        {56, "3", "Arrangement 3 outside 1 .. 2"},
        {57, "70000", "BearingCount 70000 outside 1 .. 2"},
        {1, "Lager 2", "\"Lager 1\" expected"},
    };
    PlanetBearings[1] = Distinct(1);
    WriteBoth();
    const std::vector<std::string> good = Lines();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
        std::vector<std::string> lines = good;
        lines[c.line - 1] = c.text;
        std::string all;
        for (const auto& l : lines)
            all += l + "\r\n";
        WriteRaw(all);
        OpenForReading();
        WaelzLagerTyp record = Distinct(2);
        const WaelzLagerTyp before = record;
        TFileLineReader reader;
        EXPECT_FALSE(LoadBearingData(1, reader, record));
        EXPECT_EQ(reader.Fault().Line, c.line);
        EXPECT_NE(reader.Fault().Reason.find(c.reason), std::string::npos) << reader.Fault().Reason;
        EXPECT_TRUE(record == before) << "the record keeps what it held";
    }
}

// What the reader would refuse is named before a save, so that no file is
// written that cannot be read back.
TEST_F(BearingRecord, RangeFaultNamesTheFirstFieldOutside)
{
    WaelzLagerTyp b;
    EXPECT_EQ(BearingRangeFault(b, 1), "") << "the defaults are all in range";
    b.L10 = std::numeric_limits<Extended>::infinity();
    EXPECT_EQ(BearingRangeFault(b, 1), "") << "not a number is written as 0";
    b.ContaminationClass = 0;
    EXPECT_EQ(BearingRangeFault(b, 2), "planet bearing 2: ContaminationClass 0 outside 1 .. 8");
}

} // namespace
