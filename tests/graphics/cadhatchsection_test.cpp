// A section drawing with all the CAD helpers in it (two hatched cut areas,
// linear and angular dimensions with tolerances, a chamfered plate, a data
// table), written as DXF, compared with its golden file and read by ezdxf,
// whose auditor must find nothing to report or fix and whose entity counts
// per layer must be the ones worked out by hand below.
#include "cadcapture.h"
#include "common/validators.h"

#include "foundation/messagecollector.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace
{

class CadHatchSectionTest : public CadCaptureTest
{
  protected:
    // ezdxf's view (tests/graphics/dxfcheck.py), or nothing without ezdxf.
    static std::optional<std::vector<std::string>> EzdxfView(const std::string& Path)
    {
        if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) return std::nullopt;
        const std::string cmd =
            "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/dxfcheck.py '" + Path + "' 2>&1";
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return std::nullopt;
        std::string text;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
        std::vector<std::string> lines;
        std::istringstream s(text);
        for (std::string l; std::getline(s, l);)
            lines.push_back(l);
        return lines;
    }
};

void DrawSection()
{
    CadSetLayer(1);
    CadLine(10, 50, 70, 50);
    // Bushing wall 40 x 20 at 45 degrees, automatic spacing 8: five lines.
    HatchRectangle(20, 60, 60, 80, 0, 45);
    // L-shaped plate hatched horizontally every 5: y = 5 .. 25 above its
    // foot, the line y = 10 through the inner corner drawn once.
    ResetHatch();
    for (auto [x, y] : {std::pair{0, 0}, {40, 0}, {40, 10}, {10, 10}, {10, 30}, {0, 30}})
        AddHatchPoint(80 + x, 20 + y);
    HatchCollected(0, 5, 180);
    // Dimensions: 2 solids, 5 lines each for the linear ones (extension
    // lines, dimension line, arrow tails), 2 radii and 2 tails for the angle.
    CadHorizontalDimension("40", "0.1", "-0.1", 20, 80, 60, 80, 90);
    CadVerticalDimension("20", "0", "-0.05", 20, 60, 20, 80, 10);
    CadArcToleranceDimension("45\xF8", "0.5", "", 80, 20, 0, 45, 35, 0);
    CadSetLayer(5);
    CadChamferedRectangle(125, 20, 150, 40, 3);
    CadCross(137.5L, 30, 2);
    // Table: heading rectangle (4 lines) and its sides again (2), then 4
    // lines per row; two heading texts and two per row.
    TCadTable t;
    t.Init(100, 110, 2.5L, {12, 10}, {"gear data", ""});
    t.AddTextRow("z", "31");
    t.AddValueRow("mn", "2.5 mm");
    t.AddFlagRow("crowned", 'J');
    t.Done();
}

TEST_F(CadHatchSectionTest, GoldenPassesTheAuditWithHandCountedEntities)
{
    const std::string bytes = DrawDxf(DrawSection, "hatchsection");
    ExpectGolden("hatchsection.dxf", bytes);
    EXPECT_EQ(error0.ErrorCount, 0);

    const auto view = EzdxfView(std::string(QYR7_TEST_DIR) + "/golden/hatchsection.dxf");
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf is not installed");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
    std::vector<std::string> counts;
    for (const std::string& l : *view)
        if (l.rfind("model ", 0) == 0) counts.push_back(l);
    EXPECT_EQ(counts, (std::vector<std::string>{
                          "model ARC 3 1",
                          "model LINE 1 1",
                          "model LINE 17 18",
                          // 5 + 5 hatch lines, 5 + 5 + 4 dimension lines
                          "model LINE 3 24",
                          "model LINE 5 2",
                          "model POLYLINE 5 3",
                          // 2 per dimension
                          "model SOLID 3 6",
                          "model TEXT 18 8",
                          "model TEXT 3 6",
                      }));
}

} // namespace
