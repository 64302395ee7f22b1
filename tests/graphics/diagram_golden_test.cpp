// Whole diagrams as the program keeps and writes them: the graphics
// window's display list of a linear diagram with markers and a legend and of
// a diagram with a logarithmic y axis, and the DXF file of a diagram judged
// by ezdxf: its audit, and every scale number standing under the grid line
// of its own value.
#include "diagramtestsupport.h"

#include "common/testnames.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphfacade.h"

#include <cmath>
#include <sstream>

namespace
{

// A plot box of 125 x 95 at (18, 10), as the load spectrum diagrams use.
constexpr Extended X0 = 18, Y0 = 10, W = 125, H = 95;

// Data 0..37 x 0..50: the scales 0..40 by 5 and 0..50 by 10. Two curves
// with circles and crosses at x = 5, 10 ... and their legend.
void DrawLinearDiagram()
{
    SetDiagramSize(W, H);
    SetDiagramOrigin(X0, Y0);
    DrawDiagramAxes("x [mm]", "y", "parabola and line", 0, 0, 37, 50, 0);
    CadSetLayer(5);
    for (int i = 0; i < 37; ++i)
        DiagramMarkedLine(1, i, i * i / 30.0L, i + 1, (i + 1) * (i + 1) / 30.0L);
    CadSetLayer(4);
    DiagramMarkedLine(5, 0, 48, 37, 11);
    CadSetLayer(3);
    CadSetTextStyle(2, 0, 2.5L, 1.8L);
    CadMoveTo(30, 95);
    DiagramLegendLine("x^2 / 30", 1);
    DiagramLegendLine("48 - x", 5);
}

// An S-N line over 1..10^7 cycles against 10..2000 Nm on a logarithmic
// torque axis; the curve leaves the plot at the top.
void DrawLogYDiagram()
{
    SetDiagramSize(W, H);
    SetDiagramOrigin(X0, Y0);
    SetDiagramScaleType(2);
    DrawDiagramAxes(" cycles", "T [Nm]", "S-N line", 0, 10, 1e7L, 2000, 1);
    CadSetLayer(29);
    DiagramMoveTo(0, 3000);
    for (int k = 1; k <= 10; ++k) {
        const Extended n = k * 1e6L;
        DiagramLineTo(n, 3000 * std::pow(1e5L / (n + 1e5L), 0.3L));
    }
    DiagramText("Tn", 5e6L, 400);
}

class DiagramGolden : public DiagramTest
{
  protected:
    void SetUp() override
    {
        DiagramTest::SetUp();
        // The program's own surface: the drawing facade and its display list.
        SetCadScreen(nullptr);
        cadsettings.SheetShowFooter = true;
    }
    static std::string DisplayList(const std::function<void()>& Draw)
    {
        TCadOutputScope scope;
        CadOpenOutput(3);
        CadBeginDrawing(0, 0, 160, 120, 0);
        CadWriteTables(2);
        CadBeginEntities();
        Draw();
        CadEndSection();
        CadCloseOutput();
        std::string s;
        for (std::string_view r : ::DisplayList.Records)
            s.append(r) += '\n';
        return s;
    }
};

TEST_F(DiagramGolden, LinearDiagramWithMarkersAndLegend)
{
    ExpectGolden("diagram_linear.txt", DisplayList(DrawLinearDiagram));
}

TEST_F(DiagramGolden, DiagramWithLogarithmicYAxis)
{
    ExpectGolden("diagram_logy.txt", DisplayList(DrawLogYDiagram));
}

TEST_F(DiagramGolden, LinearDiagramAsDxf)
{
    const std::string bytes = DrawDxf(DrawLinearDiagram, "diagram");
    ExpectGolden("diagram_linear.dxf", bytes);
}

struct TDxfScaleCase {
    const char* Name;
    uint16_t ScaleType;
    Extended XMin, XMax;
    // The x scale the frame chooses (exponents on a logarithmic axis).
    Extended XLo, XHi;
    int XNumbers;
};

const TDxfScaleCase DxfScaleCases[] = {
    // 0..37 -> 0..40 by 5: nine numbers.
    {"linear cycles", 0, 0, 37, 0, 40, 9},
    // Exponents 0..7.4 -> 0..8 by 1: nine numbers 1 .. 10^8.
    {"logarithmic cycles", 4, 0, 2.5e7L, 0, 8, 9},
};

class DiagramDxfScales : public DiagramTest, public ::testing::WithParamInterface<TDxfScaleCase>
{
};

// ezdxf reads the file with nothing to repair, and each number of the x and
// y scales stands where its value belongs on the plot box: under (x scale)
// or beside (y scale) a grid line through the whole box at
// x0 + (t - lo) / (hi - lo) x W, t the value (its decimal exponent on a
// logarithmic axis).
TEST_P(DiagramDxfScales, NumbersStandAtTheirGridLines)
{
    const TDxfScaleCase& c = GetParam();
    DrawDxf(
        [&] {
            SetDiagramSize(W, H);
            SetDiagramOrigin(X0, Y0);
            SetDiagramScaleType(c.ScaleType);
            DrawDiagramAxes("cycles", "T", "scales", c.XMin, 0, c.XMax, 50, 0);
        },
        "scales");
    const auto view = EzdxfView(Temp("scales.dxf"));
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");

    struct TLine {
        Extended X1, Y1, X2, Y2;
    };
    std::vector<TLine> grid;
    struct TText {
        Extended X, Y;
        std::string S;
    };
    std::vector<TText> texts;
    for (const std::string& l : *view) {
        std::istringstream in(l);
        std::string kind, layer;
        in >> kind >> layer;
        if (kind == "LINE" && layer == "17") {
            TLine g{};
            in >> g.X1 >> g.Y1 >> g.X2 >> g.Y2;
            grid.push_back(g);
        } else if (kind == "TEXT" && layer == "17") {
            TText t{};
            Extended height = 0;
            in >> t.X >> t.Y >> height;
            std::getline(in >> std::ws, t.S);
            texts.push_back(t);
        }
    }
    auto hasLine = [&](Extended x1, Extended y1, Extended x2, Extended y2) {
        for (const TLine& g : grid)
            if (std::abs(g.X1 - x1) < 2e-3L && std::abs(g.Y1 - y1) < 2e-3L && std::abs(g.X2 - x2) < 2e-3L &&
                std::abs(g.Y2 - y2) < 2e-3L)
                return true;
        return false;
    };
    const bool logX = c.ScaleType == 4;
    int xNumbers = 0, yNumbers = 0;
    for (const TText& t : texts) {
        Extended v = 0;
        if (!TryTextToFloat(t.S, v)) continue; // the axis titles
        const Extended len = static_cast<Extended>(t.S.size());
        if (std::abs(t.Y - (Y0 - 0.05L * H)) < 2e-3L) {
            // x scale: 5 % of the height below the box, moved left by 1 % of
            // the width per character.
            const Extended tv = logX ? std::log10(v) : v;
            const Extended gx = X0 + (tv - c.XLo) / (c.XHi - c.XLo) * W;
            EXPECT_NEAR(t.X, gx - len * 0.01L * W, 2e-3L) << t.S;
            EXPECT_TRUE(hasLine(gx, Y0, gx, Y0 + H)) << "no grid line under " << t.S;
            ++xNumbers;
        } else if (std::abs(t.X - (X0 - 0.1L * W)) < 2e-3L) {
            // y scale 0..50 by 10, 1 % of the height below its line.
            const Extended gy = Y0 + v / 50 * H;
            EXPECT_NEAR(t.Y, gy - 0.01L * H, 2e-3L) << t.S;
            EXPECT_TRUE(hasLine(X0, gy, X0 + W, gy)) << "no grid line beside " << t.S;
            ++yNumbers;
        }
    }
    EXPECT_EQ(xNumbers, c.XNumbers);
    EXPECT_EQ(yNumbers, 6);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramDxfScales, ::testing::ValuesIn(DxfScaleCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramGolden, TheDxfGoldenPassesTheAudit)
{
    const auto view = EzdxfView(std::string(QYR7_TEST_DIR) + "/golden/diagram_linear.dxf");
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
}

} // namespace
