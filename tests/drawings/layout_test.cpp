// Layout of the sheet and table drawings, read from the screen's display list
// as plain records. A text's box: its length (outer blanks off) times the
// width of the last style record (0.7 of the height for 0) by the height,
// from its baseline start, turned by the style's angle. A frame: horizontal
// and vertical lines meeting at corners and T's, boxed by the outermost of
// them. No two texts overlap, none reads upside down, no frame's line runs
// through a text (but its own table's column rules) or through another
// frame, and nothing leaves the drawing's window.
#include "diagramfixture.h"

#include "drawings/diagrams/lifesafetydiagram.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/stage/composer.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "graphics/displaylist.h"
#include "planetary/documentation.h"
#include "planetary/projectfile.h"

#include <cmath>
#include <functional>
#include <numeric>

namespace
{

struct TBox {
    double x1, y1, x2, y2;
    bool On(const TBox& o) const
    {
        return x1 < o.x2 - .02 && o.x1 < x2 - .02 && y1 < o.y2 - .02 && o.y1 < y2 - .02;
    }
    bool In(const TBox& o) const
    {
        return x1 > o.x1 - .02 && x2 < o.x2 + .02 && y1 > o.y1 - .02 && y2 < o.y2 + .02;
    }
    double Area() const { return (x2 - x1) * (y2 - y1); }
};
struct TFrame {
    TBox Box{1e9, 1e9, -1e9, -1e9};
    std::vector<TBox> Lines;
    bool Through(const TBox& b) const
    {
        return std::any_of(Lines.begin(), Lines.end(), [&](const TBox& l) { return l.On(b); });
    }
};

std::vector<std::string> Faults()
{
    std::vector<std::pair<TBox, std::string>> texts; // axis-parallel ones for the overlap checks
    std::vector<TBox> lines, shapes;                 // lines x1 <= x2, y1 <= y2
    std::vector<std::string> f;
    TBox window{0, 0, 0, 0};
    double h = 0, w = 0, a = 0;
    for (std::string_view s : ::DisplayList.Records) {
        const TDisplayRecord r = ParseDisplayRecord(s);
        const double x = r.F[0], y = r.F[1], x2 = r.F[2], y2 = r.F[3];
        if (r.Kind == 9) {
            h = x;
            w = y > 0 ? y : 0.7 * x;
            a = static_cast<double>(r.F[3]) * M_PI / 180;
        }
        if (r.Kind == 10) window = {double(r.F[4]), double(r.F[5]), double(r.F[6]), double(r.F[7])};
        if (r.Kind == 4 && (x == x2 || y == y2))
            lines.push_back({std::min(x, x2), std::min(y, y2), std::max(x, x2), std::max(y, y2)});
        if (r.Kind == 3) shapes.push_back({x - x2, y - x2, x + x2, y + x2});
        const std::string t(r.Text);
        const size_t first = t.find_first_not_of(' '), last = t.find_last_not_of(' ');
        if (r.Kind != 6 || first == std::string::npos) continue;
        const double c = std::cos(a), sn = std::sin(a);
        TBox b{1e9, 1e9, -1e9, -1e9};
        for (double u : {first * w, (last + 1) * w})
            for (double v : {0.0, h})
                b = {std::min(b.x1, x + u * c - v * sn), std::min(b.y1, y + u * sn + v * c),
                     std::max(b.x2, x + u * c - v * sn), std::max(b.y2, y + u * sn + v * c)};
        const std::string q = "\"" + t.substr(first, last + 1 - first) + "\"";
        if (c < -0.01) f.push_back(q + " reads upside down");
        if (!b.In(window)) f.push_back(q + " leaves the window");
        if (std::fabs(c * sn) < 1e-9) texts.push_back({b, q});
    }
    for (const TBox& s : shapes)
        if (!s.In(window)) f.push_back("a circle leaves the window");
    // Frames: lines joined where one ends on the other.
    std::vector<size_t> up(lines.size());
    std::iota(up.begin(), up.end(), 0);
    std::function<size_t(size_t)> root = [&](size_t i) { return up[i] == i ? i : up[i] = root(up[i]); };
    auto ends = [](const TBox& l, const TBox& o) {
        return TBox{l.x1, l.y1, l.x1, l.y1}.In(o) || TBox{l.x2, l.y2, l.x2, l.y2}.In(o);
    };
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = i + 1; j < lines.size(); ++j)
            if (ends(lines[i], lines[j]) || ends(lines[j], lines[i])) up[root(i)] = root(j);
    std::map<size_t, TFrame> groups;
    for (size_t i = 0; i < lines.size(); ++i) {
        TFrame& g = groups[root(i)];
        const TBox& l = lines[i];
        if (l.x1 == l.x2) {
            g.Box.x1 = std::min(g.Box.x1, l.x1);
            g.Box.x2 = std::max(g.Box.x2, l.x1);
        } else {
            g.Box.y1 = std::min(g.Box.y1, l.y1);
            g.Box.y2 = std::max(g.Box.y2, l.y1);
        }
        g.Lines.push_back(l);
    }
    std::vector<TFrame> frames;
    // A frame is closed at the top and the bottom by lines across its width.
    auto across = [](const TFrame& g, double y) {
        return std::any_of(g.Lines.begin(), g.Lines.end(), [&](const TBox& l) {
            return l.y1 == y && l.y2 == y && l.x1 <= g.Box.x1 + .02 && l.x2 >= g.Box.x2 - .02;
        });
    };
    for (const auto& [k, g] : groups)
        if (g.Box.x2 - g.Box.x1 > 2 && g.Box.y2 - g.Box.y1 > 2 && across(g, g.Box.y1) && across(g, g.Box.y2))
            frames.push_back(g);
    for (const auto& [b, q] : texts) {
        for (const auto& [o, r] : texts)
            if (&b < &o && b.On(o)) f.push_back(q + " on " + r);
        const TFrame* own = nullptr;
        for (const TFrame& t : frames)
            if (b.In(t.Box) && (!own || t.Box.Area() < own->Box.Area())) own = &t;
        for (const TFrame& t : frames)
            if (&t != own && t.Box.On(b) && t.Through(b)) f.push_back("a frame's line through " + q);
    }
    for (const TFrame& t : frames) {
        if (!t.Box.In(window)) f.push_back("a frame leaves the window");
        for (const TFrame& o : frames)
            if (&t < &o && t.Box.On(o.Box) && !(o.Box.In(t.Box) && !t.Through(o.Box)) &&
                !(t.Box.In(o.Box) && !o.Through(t.Box)))
                f.push_back("two frames overlap");
    }
    return f;
}

struct TLayoutCase {
    const char* Name;
    int Mesh, Tolerances; // 0 DIN 3961, 1 ISO 1328
    std::function<void()> Draw;
    // Faults of the sheets' own placement: the front view turned by -90, and
    // 10-character drive table headings 4.9 mm past their 7-character columns.
    std::vector<std::string> Kept = {};
};

const TLayoutCase layoutCases[] = {
    {"ProductionSDin", 1, 0, [] { ComposeProductionDrawing(3, 1, 7, "S-Pi"); }},
    {"ProductionSDinOfALongPath", 1, 0,
     [] {
         // The path on A4 ends before the date at 186 mm.
         telmvar.ProjectName = "/" + std::string(200, 'p') + "/s.qy7";
         ComposeProductionDrawing(3, 1, 7, "S-Pi");
     }},
    {"ProductionSIso", 1, 1, [] { ComposeProductionDrawing(3, 1, 7, "S-Pi"); }},
    // The flank tolerance table set smaller between the measurement table
    // and a DIN 6771 block, and raised over eight revision rows.
    {"ProductionSIsoUnderDin6771", 1, 1,
     [] {
         wtelmvar.TitleBlockType = 3;
         ComposeProductionDrawing(3, 1, 7, "S-Pi");
     }},
    {"ProductionSIsoUnderEightChanges", 1, 1,
     [] {
         wtelmvar.TitleBlockType = 2;
         cadsettings.SheetShowChanges = true;
         documentation.ChangeCount = 8;
         for (int k = 1; k <= 8; ++k)
             documentation.ChangeList[k].Text = {{"tooth form", "07.12.2026", "QYR", "new flank"}};
         ComposeProductionDrawing(3, 1, 7, "S-Pi");
     }},
    {"ProductionPiIso", 1, 1, [] { ComposeProductionDrawing(3, 2, 7, "S-Pi"); }},
    {"ProductionPeHBothIso", 3, 1, [] { ComposeProductionDrawing(3, 3, 7, "Pe-H"); }},
    {"GearDataTables", 1, 0, [] { ComposeProductionDrawing(3, 3, 4, "S-Pi"); }},
    {"MeasurementTables", 1, 0, [] { ComposeProductionDrawing(3, 3, 5, "S-Pi"); }},
    {"FlankTolerancesIso", 1, 1, [] { ComposeProductionDrawing(3, 3, 6, "S-Pi"); }},
    {"RollAngles", 1, 0, [] { ComposeProductionDrawing(3, 3, 9, "S-Pi"); }},
    {"Backlash", 1, 0, [] { ComposeProductionDrawing(3, 1, 11, "S-Pi"); }},
    {"SpecificSliding", 1, 0, [] { ComposeProductionDrawing(3, 1, 12, "S-Pi"); }},
    {"SpecificSlidingTolerancesPeH", 3, 0, [] { ComposeProductionDrawing(3, 1, 14, "Pe-H"); }},
    {"DimensionsSPiIso", 1, 1, [] { ShowMeshDimensions(3, 1); }},
    {"DimensionsPiPe", 2, 0, [] { ShowMeshDimensions(3, 2); }},
    {"DimensionsPeH", 3, 0, [] { ShowMeshDimensions(3, 3); }},
    {"StrengthSPi", 1, 0, [] { ShowMeshStrength(3, 1); }},
    {"StrengthPeH", 3, 0, [] { ShowMeshStrength(3, 3); }},
    {"AssemblyDrawing", 1, 0, [] { PlanetDrawView(3, 5); }},
    {"StageTables", 1, 0, [] { PlanetDrawView(3, 6); }},
    {"CarrierSheet", 1, 0, [] { PlanetDrawView(3, 7); }},
    {"Quick1",
     1,
     0,
     [] { PlanetDrawView(3, 9); },
     {"\"120\xB0\" reads upside down", "\"120\xB0\" reads upside down"}},
    {"Quick3", 1, 0, [] { PlanetDrawView(3, 10); }},
    {"Quick4", 1, 0, [] { PlanetDrawView(3, 11); }},
    {"OperatingData",
     1,
     0,
     [] { PlanetDrawView(3, 12); },
     {"\"i=n out/in\" on \"SH min\"", "\"n out /min\" on \"T out Nm\""}},
    {"LifeDiagrams", 1, 0, [] { DrawLifeSafetyDiagrams(1, 3, "S-Pi"); }},
    {"SafetyDiagrams", 1, 0, [] { DrawLifeSafetyDiagrams(2, 3, "S-Pi"); }},
    {"LoadSpectrumSheet", 1, 0,
     [] {
         TFileFault fault;
         telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
         ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/spectrum.qy7", fault));
         CalcPlanetaryStage();
         DrawLoadSpectrumDiagram(6, 3);
     }},
};

class Layout : public DiagramFixture, public ::testing::WithParamInterface<TLayoutCase>
{
};

TEST_P(Layout, NothingOverlapsAndNothingLeavesTheWindow)
{
    GearPair.ToleranceStandard = GetParam().Tolerances;
    LoadDefaultMesh(GetParam().Mesh);
    ::DisplayList.Records.clear();
    GetParam().Draw();
    ASSERT_FALSE(telmvar.Aborted);
    std::vector<std::string> faults = Faults(), kept = GetParam().Kept;
    std::sort(faults.begin(), faults.end());
    EXPECT_EQ(faults, kept);
}

INSTANTIATE_TEST_SUITE_P(Drawings, Layout, ::testing::ValuesIn(layoutCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
