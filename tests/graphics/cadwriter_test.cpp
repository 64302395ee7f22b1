// The DXF output: the record writers, and whole drawings through the CAD
// layer compared with golden files. Each golden is also read by ezdxf,
// whose auditor must find nothing to report or fix and whose entity counts,
// layers and coordinates must be the ones drawn.
#include "cadtestsupport.h"
#include "common/validators.h"

#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/writers/dxfrecords.h"
#include "graphics/writers/dxfwriter.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <sstream>

namespace
{

struct RealCase {
    const char* Name;
    Extended X;
    int Decimals;
    const char* Text;
};

class DxfRealTest : public ::testing::TestWithParam<RealCase>
{
};

TEST_P(DxfRealTest, WritesFixedPoint)
{
    std::ostringstream s;
    DxfWriteReal(s, GetParam().X, GetParam().Decimals);
    EXPECT_EQ(s.str(), std::string(GetParam().Text) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Values, DxfRealTest,
                         ::testing::Values(RealCase{"TwelveAndAHalf", 12.5L, 6, "12.500000"},
                                           RealCase{"Zero", 0, 6, "0.000000"},
                                           RealCase{"ThreeDecimalsZero", 0, 3, "0.000"},
                                           RealCase{"ThreeDecimalsNegative", -2.5L, 3, "-2.500"},
                                           RealCase{"NoDecimalsNoPoint", 7.25L, 0, "7"},
                                           RealCase{"TinyNegativeHasNoSign", -0.0001L, 3, "0.000"},
                                           RealCase{"DecimalsClampedHigh", 0.5L, 40, "0.500000000000000"},
                                           RealCase{"DecimalsClampedLow", 3.0L, -4, "3"},
                                           RealCase{"LargeNoExponent", 123456789.0L, 1, "123456789.0"}),
                         [](const ::testing::TestParamInfo<RealCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST(DxfRecordTest, GroupCodesAreThreeWideAndValuesOneLine)
{
    std::ostringstream s;
    DxfWriteGroupCode(s, 0);
    DxfWriteGroupCode(s, 8);
    DxfWriteGroupCode(s, 10);
    DxfWriteGroupCode(s, 370);
    DxfWriteInteger(s, -42);
    // A line break inside a text would shift every later pair by a line.
    DxfWriteText(s, "two\r\nlines\n");
    EXPECT_EQ(s.str(), "  0\r\n  8\r\n 10\r\n370\r\n-42\r\ntwo  lines \r\n");
}

TEST(DxfRecordTest, LayerNamesByMode)
{
    TDxfOptions o;
    o.LayerNames[3] = "DIM";
    EXPECT_EQ(DxfLayerName(0, o), "0");
    EXPECT_EQ(DxfLayerName(3, o), "DIM");
    EXPECT_EQ(DxfLayerName(7, o), "7");
    o.LayerMode = 2;
    EXPECT_EQ(DxfLayerName(3, o), "3");
    EXPECT_EQ(DxfLayerName(0, o), "0");
    EXPECT_NEAR(static_cast<double>(BulgeFromAngle(Pi)), 1.0, 1e-15);
}

TEST(DxfRecordTest, EntityEdgeCases)
{
    std::ostringstream s;
    TDxfWriter w(s, TDxfOptions{});
    w.BeginPolyline(0);
    w.Vertex(1, 2, 0);
    w.Vertex(3, 4, 0.5L);
    w.SeqEnd();
    EXPECT_EQ(s.str(),
              "  0\r\nPOLYLINE\r\n  8\r\n0\r\n 66\r\n1\r\n"
              "  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n1.000000\r\n 20\r\n2.000000\r\n"
              "  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n3.000000\r\n 20\r\n4.000000\r\n 42\r\n0.500000\r\n"
              "  0\r\nSEQEND\r\n  8\r\n0\r\n")
        << "flags 0 write no group 70, bulge 0 no group 42";
}

TEST(DxfRecordTest, EndOfSectionOnlyClosesAnOpenSection)
{
    // Tables close their own section; a caller that ends a section after them
    // without opening blocks must not write a second ENDSEC (DXF readers
    // refuse the file).
    std::ostringstream s;
    TDxfWriter w(s, TDxfOptions{});
    w.Tables(0);
    w.EndSection();
    w.BeginEntities();
    w.EndSection();
    w.EndSection();
    const std::string dxf = s.str();
    size_t sections = 0, ends = 0;
    for (size_t p = 0; (p = dxf.find("\r\nSECTION\r\n", p)) != std::string::npos; ++p)
        ++sections;
    for (size_t p = 0; (p = dxf.find("\r\nENDSEC\r\n", p)) != std::string::npos; ++p)
        ++ends;
    EXPECT_EQ(sections, 2u);
    EXPECT_EQ(ends, 2u) << "one ENDSEC per SECTION";
}

// --- whole drawings ----------------------------------------------------------

struct Drawing {
    const char* Name;
    int TableMode;
    std::function<void()> Setup;
    std::function<void()> Blocks;
    std::function<void()> Entities;
    std::vector<std::string> Expected; // the ezdxf view, without the layer table
    std::vector<std::string> Layers;
};

std::vector<std::string> NamedLayers(bool Mono)
{
    return {Mono ? "layer 0 1 CONTINUOUS" : "layer 0 1 CONTINUOUS",
            Mono ? "layer 1 1 DASHDOT" : "layer 1 2 DASHDOT",
            Mono ? "layer 2 1 DASHED" : "layer 2 2 DASHED",
            Mono ? "layer 3 1 CONTINUOUS" : "layer 3 2 CONTINUOUS",
            Mono ? "layer 4 1 CONTINUOUS" : "layer 4 3 CONTINUOUS",
            "layer 5 1 CONTINUOUS"};
}

std::vector<std::string> PenLayers(bool Mono)
{
    std::vector<std::string> l = NamedLayers(Mono);
    for (int n = 16; n <= 31; ++n)
        l.push_back("layer " + std::to_string(n) + " " + std::to_string(Mono ? 1 : n - 15) + " CONTINUOUS");
    return l;
}

const std::vector<Drawing>& Drawings()
{
    static const std::vector<Drawing> d = {
        {"entities",
         0,
         [] {},
         [] {},
         [] {
             CadSetLayer(5);
             CadLine(10, 10, 150, 10);
             SetCadOffset(5, 0);
             CadSetLayer(1);
             CadCircle(75, 60, 20);
             SetCadOffset(0, 0);
             CadSetLayer(3);
             CadArc(80, 60, 30, 90, 25);
             CadArc(10, 10, 0, 90, 0);
             CadSetLayer(4);
             CadSetTextStyle(1, 0, 5, 5);
             SetCadTextAlign(1, 1);
             CadText(100, 50, "AB");
             SetCadTextAlign(0, 0);
             wtelmvar.CadTextMode = 2;
             CadText(20, 100, "20\xF8 C");
             CadText(20, 90, "");
             CadSetLayer(0);
             CadSolid(120, 80, 140, 80, 120, 100, 140, 100);
             CadLine(std::numeric_limits<Extended>::quiet_NaN(), 0, 1, 1);
             CadSetLayer(2);
             CadRectangle(5, 5, 155, 115);
         },
         {"model ARC 3 1", "model CIRCLE 1 1", "model LINE 2 4", "model LINE 5 1", "model SOLID 0 1",
          "model TEXT 4 2", "LINE 5 10.000 10.000 150.000 10.000", "CIRCLE 1 80.000 60.000 20.000",
          "ARC 3 80.000 60.000 25.000 30.000 90.000", "TEXT 4 95.000 47.500 5.000 AB",
          "TEXT 4 20.000 100.000 5.000 20\xC2\xB0 C",
          "SOLID 0 120.000,80.000 140.000,80.000 120.000,100.000 140.000,100.000",
          "LINE 2 5.000 5.000 5.000 115.000", "LINE 2 5.000 115.000 155.000 115.000",
          "LINE 2 155.000 115.000 155.000 5.000", "LINE 2 155.000 5.000 5.000 5.000"},
         NamedLayers(false)},
        {"blocks",
         2,
         [] {},
         [] {
             CadBeginBlock("FLANGE");
             CadSetLayer(5);
             CadRectangle(-10, -5, 10, 5);
             CadSetLayer(17);
             CadCircle(0, 0, 3);
             CadEndBlock();
         },
         [] {
             CadSetLayer(18);
             CadInsertBlock("FLANGE", 40, 60, 0, 1, 1);
             CadInsertBlock("flange", 110, 60, 30, 2, 0.5L);
             CadSetLayer(31);
             CadLine(0, 0, 10, 0);
             CadSetLayer(64);
             CadLine(0, 5, 10, 5);
         },
         {"block FLANGE CIRCLE 17 1", "block FLANGE LINE 5 4", "model INSERT 18 2", "model LINE 16 1",
          "model LINE 31 1", "INSERT 18 FLANGE 40.000 60.000 0.000 1.000 1.000",
          "INSERT 18 FLANGE 110.000 60.000 30.000 2.000 0.500", "LINE 31 0.000 0.000 10.000 0.000",
          "LINE 16 0.000 5.000 10.000 5.000"},
         PenLayers(false)},
        {"polylines",
         0,
         [] {},
         [] {},
         [] {
             CadSetLayer(5);
             CadBeginPolyline(1);
             CadPolylineVertex(20, 20, 0);
             CadPolylineVertex(60, 20, Pi);
             CadPolylineVertex(60, 40, 0);
             CadPolylineVertex(20, 40, Pi);
             CadEndPolyline();
             CadSetLayer(1);
             CadBeginPolyline();
             CadPolylineVertex(80, 20, 0);
             CadPolylineVertex(100, 30, -Pi / 2);
             CadPolylineVertex(120, 20, 0);
             CadEndPolyline();
         },
         {"model POLYLINE 1 1", "model POLYLINE 5 1",
          "POLYLINE 5 closed=1 20.000,20.000,0.000 60.000,20.000,1.000 60.000,40.000,0.000 "
          "20.000,40.000,1.000",
          "POLYLINE 1 closed=0 80.000,20.000,0.000 100.000,30.000,-0.414 120.000,20.000,0.000"},
         NamedLayers(false)},
        {"monochrome",
         2,
         [] { cadsettings.LayerMonochrome = true; },
         [] {},
         [] {
             CadSetLayer(3);
             CadLine(0, 0, 10, 10);
         },
         {"model LINE 3 1", "LINE 3 0.000 0.000 10.000 10.000"},
         PenLayers(true)},
        {"decimals3",
         0,
         [] { cadsettings.DxfDecimals = 3; },
         [] {},
         [] {
             CadSetLayer(0);
             CadLine(0, 0, 10, -2.5L);
         },
         {"model LINE 0 1", "LINE 0 0.000 0.000 10.000 -2.500"},
         NamedLayers(false)},
    };
    return d;
}

class DxfGoldenTest : public CadTest, public ::testing::WithParamInterface<size_t>
{
};

TEST_P(DxfGoldenTest, MatchesGoldenAndEzdxfReadsTheDrawing)
{
    const Drawing& d = Drawings()[GetParam()];
    d.Setup();
    telmvar.ProjectName = Temp(d.Name);
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(0, 0, 160, 120, 0);
        CadWriteTables(d.TableMode);
        CadBeginBlocks();
        d.Blocks();
        CadEndSection();
        CadBeginEntities();
        d.Entities();
        ASSERT_TRUE(CadDeviceReady());
        CadEndSection();
        CadCloseOutput();
    }
    ASSERT_FALSE(telmvar.Aborted);
    const std::string golden = std::string(d.Name) + ".dxf";
    ExpectGolden(golden, ReadFile(Temp(golden)));

    const auto view = EzdxfView(std::string(QYR7_TEST_DIR) + "/golden/" + golden);
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf is not installed");
    std::vector<std::string> expected = {"audit errors=0 fixes=0"};
    expected.insert(expected.end(), d.Layers.begin(), d.Layers.end());
    expected.insert(expected.end(), d.Expected.begin(), d.Expected.end());
    EXPECT_EQ(*view, expected);
}

TEST_F(CadTest, TablesFollowTheFixedLayout)
{
    const std::string dxf = ReadFile(std::string(QYR7_TEST_DIR) + "/golden/decimals3.dxf");
    EXPECT_NE(dxf.find("  4\r\n\r\n0\r\nENDTAB\r\n  0\r\nENDSEC\r\n"), std::string::npos)
        << "the STYLE table ends with a bare \"0\" and an empty font value before it";
    EXPECT_NE(dxf.find("  9\r\n$LTSCALE\r\n 40\r\n15\r\n"), std::string::npos) << "$LTSCALE is always 15";
    EXPECT_NE(dxf.find("  2\r\nLAYER\r\n 70\r\n24\r\n"), std::string::npos)
        << "layer table count is always 24";
    EXPECT_NE(dxf.find("  3\r\n- - - - - - \r\n"), std::string::npos) << "DASHED description keeps its blank";
    EXPECT_EQ(dxf.find("\n 62\r\n0\r\n"), std::string::npos) << "no layer in colour 0";
}

INSTANTIATE_TEST_SUITE_P(Drawings, DxfGoldenTest, ::testing::Range<size_t>(0, 5),
                         [](const ::testing::TestParamInfo<size_t>& i) {
                             return std::string(Drawings()[i.param].Name);
                         });

} // namespace
