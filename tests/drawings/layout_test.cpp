// Layout of every sheet and table drawing, read from the screen's display
// list as plain records: a text box is the string's length (outer blanks
// left off) times the character width of the last text style record (0.7
// of the height for a width of 0) by the text height from its baseline
// start, turned by the style's angle; a frame is a group of horizontal and
// vertical lines meeting at corners and T's whose outermost lines close a
// rectangle. No two texts overlap, no text reads upside down, no frame
// line runs through a text (but a table's own column lines) or through
// another frame, and nothing leaves the drawing's window.
#include "diagramfixture.h"

#include "drawings/diagrams/lifesafetydiagram.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/stage/composer.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "planetary/projectfile.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace
{

constexpr double Eps = 0.02; // mm; a line on a text's edge does not cross it

struct TBox {
    double x1, y1, x2, y2;
    bool Overlaps(const TBox& o) const
    {
        return x1 < o.x2 - Eps && o.x1 < x2 - Eps && y1 < o.y2 - Eps && o.y1 < y2 - Eps;
    }
    bool Inside(const TBox& o) const
    {
        return x1 > o.x1 - Eps && x2 < o.x2 + Eps && y1 > o.y1 - Eps && y2 < o.y2 + Eps;
    }
};
std::string Str(const TBox& b)
{
    char s[96];
    std::snprintf(s, sizeof s, "[%.1f %.1f .. %.1f %.1f]", b.x1, b.y1, b.x2, b.y2);
    return s;
}

// The records as fields: kind, numbers, and for a text the rest.
struct TText {
    TBox Box;
    std::string Text;
    bool Square; // along an axis: the box is the text's own outline
};
struct TPicture {
    std::vector<TText> Texts;
    std::vector<TBox> Lines; // (x1, y1) to (x2, y2), not normalised
    std::vector<TBox> Shapes;
    TBox Window{0, 0, 0, 0};
};

TPicture Read()
{
    TPicture p;
    double h = 1, w = 1, angle = 0, cx = 0, cy = 0;
    for (std::string_view r : GraphFacade.DrawRecordList) {
        std::vector<double> f;
        size_t at = r.find(';');
        const int kind = std::atoi(std::string(r.substr(0, at)).c_str());
        const size_t textAt = kind == 6 ? r.find(';', r.find(';', at + 1) + 1) + 1 : 0;
        for (size_t b = at + 1; at != std::string_view::npos && b <= r.size() && f.size() < 8; b = at + 1) {
            at = r.find(';', b);
            f.push_back(std::atof(std::string(r.substr(b, at - b)).c_str()));
        }
        f.resize(8, 0);
        // A width of 0 is the CAD layer's standard width, 0.7 of the height.
        if (kind == 9) h = f[0], w = (f[1] > 0 ? f[1] : 0.7 * f[0]), angle = f[3] * M_PI / 180;
        if (kind == 10) p.Window = {f[4], f[5], f[6], f[7]};
        if (kind == 1) cx = f[0], cy = f[1];
        if (kind == 2 || kind == 4) {
            const bool to = kind == 2;
            p.Lines.push_back(to ? TBox{cx, cy, f[0], f[1]} : TBox{f[0], f[1], f[2], f[3]});
            cx = to ? f[0] : f[2], cy = to ? f[1] : f[3];
        }
        if (kind == 3) p.Shapes.push_back({f[0] - f[2], f[1] - f[2], f[0] + f[2], f[1] + f[2]});
        if (kind == 6) {
            std::string t(r.substr(textAt));
            const size_t first = t.find_first_not_of(' '), last = t.find_last_not_of(' ');
            if (first == std::string::npos) continue;
            const double u0 = first * w, u1 = (last + 1) * w, c = std::cos(angle), s = std::sin(angle);
            TText x{{1e9, 1e9, -1e9, -1e9}, t.substr(first, last + 1 - first), std::fabs(c * s) < 1e-9};
            if (c < -0.01) x.Text += " (upside down)";
            for (auto [u, v] : {std::pair{u0, 0.0}, {u1, h}, {u0, h}, {u1, 0.0}}) {
                const double px = f[0] + u * c - v * s, py = f[1] + u * s + v * c;
                x.Box = {std::min(x.Box.x1, px), std::min(x.Box.y1, py), std::max(x.Box.x2, px), std::max(x.Box.y2, py)};
            }
            p.Texts.push_back(x);
        }
    }
    return p;
}

bool Horizontal(const TBox& l) { return std::fabs(l.y1 - l.y2) < 1e-4 && std::fabs(l.x1 - l.x2) > 1e-4; }
bool Vertical(const TBox& l) { return std::fabs(l.x1 - l.x2) < 1e-4 && std::fabs(l.y1 - l.y2) > 1e-4; }
TBox Norm(const TBox& l) { return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2), std::max(l.y1, l.y2)}; }
bool Touch(const TBox& a, const TBox& b)
{
    return a.x1 <= b.x2 + 1e-3 && b.x1 <= a.x2 + 1e-3 && a.y1 <= b.y2 + 1e-3 && b.y1 <= a.y2 + 1e-3;
}
// Lines of one frame meet at a corner or a T; lines that only cross do not
// join two frames.
bool Joined(const TBox& a, const TBox& b)
{
    auto on = [](double x, double y, const TBox& l) { return Touch({x, y, x, y}, l); };
    return on(a.x1, a.y1, b) || on(a.x2, a.y2, b) || on(b.x1, b.y1, a) || on(b.x2, b.y2, a);
}

struct TFrame {
    TBox Box;
    std::vector<TBox> Lines;
};

// Groups of touching horizontal and vertical lines whose lines cover all
// four sides of the group's bounding box.
std::vector<TFrame> Frames(const std::vector<TBox>& All)
{
    std::vector<TBox> l;
    for (const TBox& a : All)
        if (Horizontal(a) || Vertical(a)) l.push_back(Norm(a));
    std::vector<size_t> up(l.size());
    std::iota(up.begin(), up.end(), 0);
    std::function<size_t(size_t)> root = [&](size_t i) { return up[i] == i ? i : up[i] = root(up[i]); };
    for (size_t i = 0; i < l.size(); ++i)
        for (size_t j = i + 1; j < l.size(); ++j)
            if (Joined(l[i], l[j])) up[root(i)] = root(j);
    std::map<size_t, TFrame> groups;
    for (size_t i = 0; i < l.size(); ++i) {
        // The box: the outermost vertical and horizontal lines (marks
        // outside a sheet's border do not widen it).
        TFrame& g = groups.try_emplace(root(i), TFrame{{1e9, 1e9, -1e9, -1e9}, {}}).first->second;
        if (Vertical(l[i])) g.Box.x1 = std::min(g.Box.x1, l[i].x1), g.Box.x2 = std::max(g.Box.x2, l[i].x1);
        else g.Box.y1 = std::min(g.Box.y1, l[i].y1), g.Box.y2 = std::max(g.Box.y2, l[i].y1);
        g.Lines.push_back(l[i]);
    }
    auto covered = [](const TFrame& g, bool horizontal, double at, double from, double to) {
        std::vector<std::pair<double, double>> s;
        for (const TBox& a : g.Lines)
            if (horizontal ? Horizontal(a) && std::fabs(a.y1 - at) < 1e-3 : Vertical(a) && std::fabs(a.x1 - at) < 1e-3)
                s.push_back(horizontal ? std::pair{a.x1, a.x2} : std::pair{a.y1, a.y2});
        std::sort(s.begin(), s.end());
        double reach = from;
        for (const auto& [a, b] : s)
            if (a <= reach + 1e-3) reach = std::max(reach, b);
        return reach >= to - 1e-3;
    };
    std::vector<TFrame> frames;
    for (const auto& [k, g] : groups) {
        const TBox& b = g.Box;
        if (b.x2 - b.x1 > 2 && b.y2 - b.y1 > 2 && covered(g, true, b.y1, b.x1, b.x2) && covered(g, true, b.y2, b.x1, b.x2) &&
            covered(g, false, b.x1, b.y1, b.y2) && covered(g, false, b.x2, b.y1, b.y2))
            frames.push_back(g);
    }
    return frames;
}

std::vector<std::string> Faults(const TPicture& p)
{
    std::vector<std::string> f;
    const TBox& w = p.Window;
    const std::vector<TFrame> frames = Frames(p.Lines);
    auto crosses = [](const TFrame& a, const TBox& b) {
        return std::any_of(a.Lines.begin(), a.Lines.end(), [&](const TBox& l) { return l.Overlaps(b); });
    };
    auto area = [](const TBox& b) { return (b.x2 - b.x1) * (b.y2 - b.y1); };
    for (size_t i = 0; i < p.Texts.size(); ++i) {
        const TText& a = p.Texts[i];
        if (a.Text.ends_with("(upside down)")) f.push_back("text \"" + a.Text + "\" " + Str(a.Box));
        if (!a.Box.Inside(w)) f.push_back("text \"" + a.Text + "\" " + Str(a.Box) + " leaves the window " + Str(w));
        for (size_t j = i + 1; j < p.Texts.size(); ++j)
            if (a.Square && p.Texts[j].Square && a.Box.Overlaps(p.Texts[j].Box))
                f.push_back("text \"" + a.Text + "\" " + Str(a.Box) + " on \"" + p.Texts[j].Text + "\" " + Str(p.Texts[j].Box));
        // The text's own table may run a long cell over its column lines.
        const TFrame* own = nullptr;
        for (const TFrame& t : frames)
            if (a.Box.Inside(t.Box) && (!own || area(t.Box) < area(own->Box))) own = &t;
        for (const TFrame& t : frames)
            if (&t != own && a.Square && t.Box.Overlaps(a.Box) && crosses(t, a.Box))
                f.push_back("frame " + Str(t.Box) + " through text \"" + a.Text + "\" " + Str(a.Box));
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const TBox& a = frames[i].Box;
        if (!a.Inside(w)) f.push_back("frame " + Str(a) + " leaves the window " + Str(w));
        for (size_t j = i + 1; j < frames.size(); ++j) {
            const TBox& b = frames[j].Box;
            const bool nested = (b.Inside(a) && !crosses(frames[i], b)) || (a.Inside(b) && !crosses(frames[j], a));
            if (a.Overlaps(b) && !nested) f.push_back("frame " + Str(a) + " on frame " + Str(b));
        }
    }
    for (const TBox& s : p.Shapes)
        if (!s.Inside(w)) f.push_back("circle " + Str(s) + " leaves the window " + Str(w));
    return f;
}

struct TLayoutCase {
    const char* Name;
    int Mesh;
    int Tolerances; // 0 DIN 3961, 1 ISO 1328
    std::function<void()> Draw;
};

const TLayoutCase layoutCases[] = {
    {"ProductionSDin", 1, 0, [] { ComposeProductionDrawing(3, 1, 7, "S-Pi"); }},
    {"ProductionSIso", 1, 1, [] { ComposeProductionDrawing(3, 1, 7, "S-Pi"); }},
    {"ProductionPiIso", 1, 1, [] { ComposeProductionDrawing(3, 2, 7, "S-Pi"); }},
    {"ProductionHIso", 3, 1, [] { ComposeProductionDrawing(3, 2, 7, "Pe-H"); }},
    {"ProductionBothIso", 1, 1, [] { ComposeProductionDrawing(3, 3, 7, "S-Pi"); }},
    {"GearDataTables", 1, 0, [] { ComposeProductionDrawing(3, 3, 4, "S-Pi"); }},
    {"MeasurementTables", 1, 0, [] { ComposeProductionDrawing(3, 3, 5, "S-Pi"); }},
    {"FlankToleranceTablesIso", 1, 1, [] { ComposeProductionDrawing(3, 3, 6, "S-Pi"); }},
    {"GearDataMeasurement", 1, 0, [] { ComposeProductionDrawing(3, 1, 8, "S-Pi"); }},
    {"RollAngleTables", 1, 0, [] { ComposeProductionDrawing(3, 3, 9, "S-Pi"); }},
    {"GearDataTable", 1, 0, [] { ComposeProductionDrawing(3, 3, 10, "S-Pi"); }},
    {"BacklashTable", 1, 0, [] { ComposeProductionDrawing(3, 1, 11, "S-Pi"); }},
    {"SpecificSlidingSPi", 1, 0, [] { ComposeProductionDrawing(3, 1, 12, "S-Pi"); }},
    {"SpecificSlidingPeH", 3, 0, [] { ComposeProductionDrawing(3, 1, 12, "Pe-H"); }},
    {"SpecificSlidingTolerances", 1, 0, [] { ComposeProductionDrawing(3, 1, 14, "S-Pi"); }},
    {"GeometrySheetSPi", 1, 1, [] { ShowMeshDimensions(3, 1); }},
    {"GeometrySheetPiPe", 2, 0, [] { ShowMeshDimensions(3, 2); }},
    {"GeometrySheetPeH", 3, 0, [] { ShowMeshDimensions(3, 3); }},
    {"StrengthSheetSPi", 1, 0, [] { ShowMeshStrength(3, 1); }},
    {"StrengthSheetPeH", 3, 0, [] { ShowMeshStrength(3, 3); }},
    {"AssemblyDrawing", 1, 0, [] { PlanetDrawView(3, 5); }},
    {"StageTables", 1, 0, [] { PlanetDrawView(3, 6); }},
    {"CarrierSheet", 1, 0, [] { PlanetDrawView(3, 7); }},
    {"Quick1", 1, 0, [] { PlanetDrawView(3, 9); }},
    {"Quick3", 1, 0, [] { PlanetDrawView(3, 10); }},
    {"Quick4", 1, 0, [] { PlanetDrawView(3, 11); }},
    {"OperatingData", 1, 0, [] { PlanetDrawView(3, 12); }},
    {"Kutzbach", 1, 0, [] { PlanetDrawView(3, 1); }},
    {"Wolf", 1, 0, [] { PlanetDrawView(3, 2); }},
    {"LifeDiagrams", 1, 0, [] { DrawLifeSafetyDiagrams(1, 3, "S-Pi"); }},
    {"SafetyDiagrams", 1, 0, [] { DrawLifeSafetyDiagrams(2, 3, "S-Pi"); }},
    {"LoadSpectrumSheet", 1, 0,
     [] {
         telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
         TFileFault fault;
         ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/spectrum.qy7", fault);
         CalcPlanetaryStage();
         CalcMeshSPi();
         DrawLoadSpectrumDiagram(6, 3);
     }},
};

class Layout : public DiagramFixture, public ::testing::WithParamInterface<TLayoutCase>
{
};

TEST_P(Layout, NothingOverlapsAndEverythingStaysInside)
{
    const TLayoutCase& c = GetParam();
    GearPair.ToleranceStandard = c.Tolerances;
    LoadDefaultMesh(c.Mesh);
    GraphFacade.DrawRecordList.clear();
    c.Draw();
    ASSERT_FALSE(telmvar.Aborted);
    const TPicture p = Read();
    ASSERT_FALSE(p.Texts.empty());
    for (const std::string& f : Faults(p))
        ADD_FAILURE() << f;
}

INSTANTIATE_TEST_SUITE_P(Drawings, Layout, ::testing::ValuesIn(layoutCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
