// The STL output: walls of every edge between the two heights, binary and
// ASCII forms that agree vertex for vertex, and admesh, which must read
// both with the facet count written, the drawing's extents and height, no
// degenerate facet and no normal to correct.
#include "cadtestsupport.h"
#include "cadvalidators.h"

#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "graphics/writers/stlwriter.h"

#include <array>
#include <cmath>
#include <cstring>
#include <sstream>

namespace
{

using TFacet = std::array<float, 12>;

// A binary STL read by the layout (80-byte header, count, 50-byte records);
// the first rule broken goes to Error.
std::vector<TFacet> ReadBinary(const std::string& File, std::string& Error)
{
    std::vector<TFacet> f;
    if (File.size() < 84) {
        Error = "shorter than the header";
        return f;
    }
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i)
        n |= static_cast<uint32_t>(static_cast<unsigned char>(File[80 + i])) << (8 * i);
    if (File.size() != 84 + 50ull * n) {
        Error = "size " + std::to_string(File.size()) + " is not 84 + 50 * " + std::to_string(n);
        return f;
    }
    for (uint32_t k = 0; k < n; ++k) {
        const char* r = File.data() + 84 + 50ull * k;
        if (r[48] != 'X' || r[49] != 'X') {
            Error = "record " + std::to_string(k) + " does not end with XX";
            return f;
        }
        TFacet t;
        for (int i = 0; i < 12; ++i) {
            uint32_t u = 0;
            for (int b = 0; b < 4; ++b)
                u |= static_cast<uint32_t>(static_cast<unsigned char>(r[4 * i + b])) << (8 * b);
            std::memcpy(&t[i], &u, 4);
        }
        f.push_back(t);
    }
    return f;
}

// An ASCII STL read by its keywords.
std::vector<TFacet> ReadAscii(const std::string& File, std::string& Error)
{
    std::vector<TFacet> f;
    std::istringstream s(File);
    std::string word;
    s >> word;
    if (word != "solid") Error = "no solid";
    s >> word; // the name
    while (s >> word) {
        if (word == "endsolid") return f;
        if (word != "facet") {
            Error = "unexpected " + word;
            return f;
        }
        TFacet t;
        s >> word; // normal
        s >> t[0] >> t[1] >> t[2];
        s >> word >> word; // outer loop
        for (int v = 1; v <= 3; ++v)
            s >> word >> t[3 * v] >> t[3 * v + 1] >> t[3 * v + 2];
        s >> word >> word; // endloop endfacet
        f.push_back(t);
    }
    Error = "no endsolid";
    return f;
}

class StlTest : public CadTest
{
  protected:
    void SetUp() override
    {
        CadTest::SetUp();
        graphservices.AskLengthInRange = [](const std::string&, Extended& Value, Extended, Extended) {
            Value = 12.5L;
        };
    }
    // A plate 100 x 60 with a hole, a filled quadrilateral and a triangle
    // given with a repeated corner, plus a line of zero length.
    std::string Draw(int FileType)
    {
        cadsettings.StlFileType = FileType;
        cadsettings.CadArcResolution = 2;
        CadOpenOutput(6);
        EXPECT_FALSE(telmvar.Aborted);
        CadBeginDrawing(0, 0, 100, 60, 0);
        CadWriteTables(0);
        CadEndSection();
        CadBeginEntities();
        CadRectangle(0, 0, 100, 60);
        CadLine(5, 5, 5, 5);
        CadCircle(30, 30, 10);
        CadSolid(60, 10, 90, 10, 60, 20, 90, 20);
        CadSolid(60, 30, 90, 30, 75, 50, 75, 50);
        CadEndSection();
        CadCloseOutput();
        return ReadFile(Temp("drawing.stl"));
    }
};

// Walls: rectangle 4, circle round(2 pi 10 / 2) = 31 chords, quadrilateral
// 4, triangle 3; two facets each.
constexpr uint32_t DrawnFacets = 2 * (4 + 31 + 4 + 3);

TEST_F(StlTest, BinaryAndAsciiAgreeAndAdmeshReadsBoth)
{
    std::string error;
    const std::string binary = Draw(0);
    const std::vector<TFacet> b = ReadBinary(binary, error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(binary.substr(0, 80), "STL binary file created by TELMORA Software" + std::string(37, ' '));
    EXPECT_EQ(b.size(), DrawnFacets);
    const std::string binaryPath = Temp("binary.stl");
    WriteFile(binaryPath, binary);

    const std::string ascii = Draw(1);
    const std::vector<TFacet> a = ReadAscii(ascii, error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(ascii.rfind("solid TELSOLID\r\n", 0), 0u);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i], b[i]) << "facet " << i << " differs between the two forms";

    for (const std::string& path : {binaryPath, Temp("drawing.stl")}) {
        const TAdmeshView v = AdmeshRead(path);
        ASSERT_TRUE(v.ToolFound) << "admesh is not installed";
        EXPECT_EQ(v.Facets, static_cast<long>(DrawnFacets)) << v.Output;
        EXPECT_EQ(v.Degenerate, 0) << v.Output;
        EXPECT_EQ(v.NormalsFixed, 0) << v.Output;
        const double lo[3] = {0, 0, 0}, hi[3] = {100, 60, 12.5};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(v.Min[k], lo[k], 1e-4) << path << " axis " << k;
            EXPECT_NEAR(v.Max[k], hi[k], 1e-4) << path << " axis " << k;
        }
    }
}

TEST_F(StlTest, FileTypeTwoWritesBinary)
{
    std::string error;
    ReadBinary(Draw(2), error);
    EXPECT_EQ(error, "");
}

TEST_F(StlTest, SolidWallsRunRoundTheOutline)
{
    // The quadrilateral's walls are its four sides, none across it: every
    // normal is along an axis.
    std::string error;
    const std::vector<TFacet> f = ReadBinary(Draw(0), error);
    ASSERT_EQ(f.size(), DrawnFacets);
    const size_t first = 2 * (4 + 31);
    for (size_t i = first; i < first + 8; ++i)
        EXPECT_TRUE(std::fabs(f[i][0]) == 1 || std::fabs(f[i][1]) == 1)
            << "facet " << i << " normal " << f[i][0] << " " << f[i][1];
}

TEST(StlWriterTest, WallFacetsAndNumbers)
{
    std::ostringstream s;
    TStlWriter w(s, TStlOptions{true, "TELSOLID"});
    w.Wall(0, 0, 0, 0, 0, 1);
    EXPECT_EQ(w.FacetCount(), 0u) << "a zero-length line has no wall";
    // Single precision steps by 2^-17 = 7.6e-6 near 100: 100 + 1e-6 is 100.
    w.Wall(100, 0, 100 + 1e-6L, 0, 0, 1);
    w.Wall(0, 0, 1, 0, 100, 100 + 1e-6L);
    EXPECT_EQ(w.FacetCount(), 0u) << "walls that collapse in single precision";
    w.Wall(0, 0, 12.5L, 0, 0, 3);
    w.Finish();
    EXPECT_EQ(w.FacetCount(), 2u);
    const std::string text = s.str();
    // The normal points to the left of the direction of travel: +y.
    EXPECT_NE(text.find("  facet normal 0.00000000E+00 1.00000000E+00 0.00000000E+00\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("      vertex 1.25000000E+01 0.00000000E+00 0.00000000E+00\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 19), "endsolid TELSOLID\r\n");
    EXPECT_EQ(StlNumber(-3), "-3.00000000E+00");
    EXPECT_EQ(StlNumber(-0.0f), "0.00000000E+00");
    // A 200 mm gear keeps its hundredths.
    EXPECT_EQ(StlNumber(123.456f), "1.23456001E+02");
}

TEST(StlWriterTest, BinaryIsHeaderCountAndFiftyByteRecords)
{
    std::ostringstream s;
    TStlWriter w(s, TStlOptions{false, "TELSOLID"});
    w.Wall(0, 0, 1, 0, 0, 1);
    w.Wall(1, 0, 1, 1, 0, 1);
    w.Finish();
    const std::string file = s.str();
    ASSERT_EQ(file.size(), 84u + 50 * 4);
    EXPECT_EQ(file.substr(80, 4), std::string("\x04\0\0\0", 4));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(file.substr(84 + 50 * k + 48, 2), "XX") << "record " << k;
}

} // namespace
