#include "drawings/diagrams/specificslidingdiagram.h"

#include "drawings/production/annotation.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/toothform.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"

#include <algorithm>
#include <cmath>
#include <vector>

TSlidingLabels slidinglabels;

void ResetSlidingLabels()
{
    slidinglabels = TSlidingLabels{};
}

namespace
{

const TGearPairData& G = GearPair;

// Points are computed in 100 equal steps from A to E.
constexpr int Steps = 100;
// Values of this magnitude or more are not plotted: near the interference
// point of a root the sliding runs off to infinity.
constexpr Extended Unplotted = 100;

// One centre-distance state: the radii of curvature of both flanks at the
// pitch point (from its own operating pitch diameters; the base diameters
// are common) and the ends of its path of contact.
struct TSlidingState {
    Extended RhoC1 = 0;
    Extended RhoC2 = 0;
    Extended XA = 0;
    Extended XE = 0;
};

TSlidingState State(const PairArray<Extended>& Dw, Extended PathAC, Extended PathEC)
{
    TSlidingState s;
    s.RhoC1 = Cathetus(Dw[1] / 2, G.db[1] / 2);
    s.RhoC2 = Cathetus(Dw[2] / 2, G.db[2] / 2);
    s.XA = -PathAC;
    s.XE = PathEC;
    return s;
}

bool Internal()
{
    return G.z[2] < 0;
}

// The radius of curvature that gear Gear's sliding divides by.
Extended OwnRadius(int Gear, const TSlidingState& S, Extended X)
{
    if (Gear == 1) return S.RhoC1 + X;
    return Internal() ? S.RhoC2 + X : S.RhoC2 - X;
}

// Position of step K; the last step lies exactly on E.
Extended StepX(const TSlidingState& S, int K)
{
    if (K >= Steps) return S.XE;
    return S.XA + K * (S.XE - S.XA) / Steps;
}

// "Name = value" at a data point. A value beyond the plot (the root of a
// gear whose contact starts at its interference point slides without
// bound: -999 as the pair stores it, 10^17 as computed next to it) is
// written at the border it lies beyond, where it can be read, rather than
// metres away from the drawing. A label stays inside the plot's frame (one
// at the right or the upper border is moved in by its own length or
// height), and labels that would stand on each other stack away from the
// nearer border.
void Label(const std::string& Name, Extended Value, Extended X, Extended Y)
{
    const TDiagramState& D = diagramstate;
    const Extended lo = std::min(D.DiagYMin, D.DiagYMax);
    const Extended hi = std::max(D.DiagYMin, D.DiagYMax);
    const std::string text = ValueText(Name, Value);
    const Extended w = CadTextLength(text), h = cadstate.CadTextHeight;
    const Extended x = std::min(DiagramX(X), D.DiagPlotX0 + D.DiagPlotWidth - 0.5L - w);
    Extended y = std::min(DiagramY(std::clamp(Y, lo, hi)), D.DiagPlotY0 + D.DiagPlotHeight - 0.5L - h);
    const Extended step = y < D.DiagPlotY0 + D.DiagPlotHeight / 2 ? 1.6L * h : -1.6L * h;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TSlidingLabels::TBox& b : slidinglabels.Placed)
            if (x < b.X + b.W && b.X < x + w && y < b.Y + h && b.Y < y + h) {
                y += step;
                moved = true;
            }
    }
    slidinglabels.Placed.push_back({x, y, w});
    CadMoveTo(x, y);
    CadTextLine(text);
}

// The ranges of the frame just drawn, which place the labels.
Extended XRange()
{
    return diagramstate.DiagXGridStep;
}

Extended YRange()
{
    return diagramstate.DiagYGridStep;
}

// The diagram module as every other drawing expects it, however the
// diagram ends.
class TLayoutRestore
{
  public:
    TLayoutRestore() = default;
    ~TLayoutRestore()
    {
        SetDiagramSize(160, 120);
        SetDiagramOrigin(0, 0);
        SetDiagramScaleType(0);
    }
    TLayoutRestore(const TLayoutRestore&) = delete;
    TLayoutRestore& operator=(const TLayoutRestore&) = delete;
};

void Frame(const std::string& Name, Extended X0, Extended Y0, Extended Width, Extended Height, Extended XMin,
           Extended YMin, Extended XMax, Extended YMax)
{
    slidinglabels.Placed.clear();
    SetDiagramSize(Width, Height);
    SetDiagramOrigin(X0, Y0);
    SetDiagramScaleType(0);
    DrawDiagramAxes("mm", "zeta", "    spec.sliding " + Name, XMin, YMin, XMax, YMax, 0);
    ScaleDiagramRange(1, 1);
}

// The nominal curve of a gear as the nominal diagram draws it: from the
// stored value at A, and the stored value at E as the end label. False
// when a radius of curvature of 0 ended the diagram.
bool NominalCurve(int Gear, const TSlidingState& S, Extended AtA, Extended AtE)
{
    const std::string n = std::to_string(Gear);
    Label("A" + n, AtA, S.XA + 0.01L * XRange(), AtA);
    DiagramMoveTo(S.XA, AtA);
    Extended x = S.XA;
    Extended zeta = AtA;
    for (int k = 1; k <= Steps; ++k) {
        x = StepX(S, k);
        if (OwnRadius(Gear, S, x) == 0) return false;
        zeta = SpecificSlidingAt(Gear, x, S.RhoC1, S.RhoC2, G.u);
        if (std::fabs(zeta) < Unplotted) DiagramLineTo(x, zeta);
    }
    // Gear 1's root end may have run off the plot; gear 2's label is always
    // written.
    if (Gear == 2 || std::fabs(zeta) < Unplotted) Label("E" + n, AtE, x + 0.01L * XRange(), AtE);
    return true;
}

// A curve of the tolerance diagram from the computed values alone. Labels
// are named Prefix + "A"/"E" + Suffix; with Nominal set both are written
// (the end label showing the stored value NominalE), otherwise only those
// apart from the nominal end values. False when a radius of curvature of 0
// ended the diagram.
bool ComputedCurve(int Gear, const TSlidingState& S, const std::string& Suffix, bool Nominal,
                   Extended NominalA, Extended NominalE, Extended Span)
{
    const std::string n = std::to_string(Gear);
    // A value is labelled only where it stands apart from the nominal one
    // by more than a thirtieth of the whole sliding range; a span of 0
    // labels none.
    auto apart = [&](Extended V, Extended Ref) { return Nominal || std::fabs(V - Ref) > Span / 30; };
    bool drawing = false;
    auto plot = [&](Extended X, Extended Zeta) {
        if (!(std::fabs(Zeta) < Unplotted)) return;
        if (drawing)
            DiagramLineTo(X, Zeta);
        else
            DiagramMoveTo(X, Zeta);
        drawing = true;
    };
    Extended x = S.XA;
    if (OwnRadius(Gear, S, x) == 0) return false;
    Extended zeta = SpecificSlidingAt(Gear, x, S.RhoC1, S.RhoC2, G.u);
    if (apart(zeta, NominalA)) Label("A" + n + Suffix, zeta, x + 0.01L * XRange(), zeta);
    plot(x, zeta);
    for (int k = 1; k <= Steps; ++k) {
        x = StepX(S, k);
        if (OwnRadius(Gear, S, x) == 0) return false;
        zeta = SpecificSlidingAt(Gear, x, S.RhoC1, S.RhoC2, G.u);
        plot(x, zeta);
    }
    if (std::fabs(zeta) < Unplotted && apart(zeta, NominalE)) {
        const Extended shown = Nominal ? NominalE : zeta;
        Label("E" + n + Suffix, shown, x + 0.01L * XRange(), shown);
    }
    return true;
}

// Layer 5: the contact ends as vertical lines and the letters A, E, C.
void ContactMarks(const TSlidingState* States, int Count)
{
    const TDiagramState& D = diagramstate;
    CadSetLayer(5);
    for (int i = 0; i < Count; ++i) {
        DiagramLine(States[i].XA, D.DiagYMin, States[i].XA, D.DiagYMax);
        DiagramLine(States[i].XE, D.DiagYMin, States[i].XE, D.DiagYMax);
    }
    DiagramText("A", States[0].XA, D.DiagYMin - 0.03L * YRange());
    DiagramText("E", States[0].XE, D.DiagYMin - 0.03L * YRange());
    DiagramText("C", 0.006L * XRange(), -0.05L * YRange());
}

} // namespace

Extended SpecificSlidingAt(int Gear, Extended X, Extended RhoC1, Extended RhoC2, Extended U)
{
    // The pair's routine forms the radii at C from the diameters through C
    // and the base diameters; with base diameters of 0 it takes the given
    // radii as they are (the cathetus of r and 0 is r).
    return SpecificSlidingAt(G.z[2], Gear, X, 0, 0, 2 * RhoC1, 2 * RhoC2, U);
}

void DrawSpecificSlidingDiagram(const std::string& Name, Extended X0, Extended Y0, Extended Width,
                                Extended Height)
{
    if (G.z[1] + G.z[2] == 0) return;
    TLayoutRestore layout;
    const TSlidingState s = State(G.dw, G.g_alphaa, G.g_alphae);
    Frame(Name, X0, Y0, Width, Height, s.XA, std::max(Extended{-5}, std::min(G.zeta_f1, G.zeta_f2)), s.XE,
          std::min(Extended{5}, std::max(G.zeta_a1, G.zeta_a2)));
    CadSetLayer(18);
    if (!NominalCurve(1, s, G.zeta_f1, G.zeta_a1)) return;
    CadSetLayer(21);
    if (!NominalCurve(2, s, G.zeta_a2, G.zeta_f2)) return;
    ContactMarks(&s, 1);
}

void DrawSpecificSlidingToleranceDiagram(const std::string& Name, Extended X0, Extended Y0, Extended Width,
                                         Extended Height)
{
    if (G.z[1] + G.z[2] == 0) return;
    TLayoutRestore layout;
    const TSlidingState states[3] = {State(G.dw, G.g_alphaa, G.g_alphae),
                                     State(G.dw_amax, G.g_alphaa_max, G.g_alphae_max),
                                     State(G.dw_amin, G.g_alphaa_min, G.g_alphae_min)};
    const TSlidingState& nominal = states[0];
    const TSlidingState& maximum = states[1];
    const TSlidingState& minimum = states[2];
    // The extreme end values of both states; the span is taken before the
    // plot is cut to -5 .. 5.
    const Extended low = std::min(G.zeta_f2_amin, G.zeta_f1_amin);
    const Extended high = std::max(G.zeta_a2_amax, G.zeta_a1_amax);
    const Extended span = high - low;
    Frame(Name, X0, Y0, Width, Height, minimum.XA, std::max(Extended{-5}, low), minimum.XE,
          std::min(Extended{5}, high));

    CadSetLayer(18);
    if (!ComputedCurve(1, nominal, "", true, G.zeta_f1, G.zeta_a1, span)) return;
    if (!ComputedCurve(1, maximum, "max", false, G.zeta_f1, G.zeta_a1, span)) return;
    if (!ComputedCurve(1, minimum, "min", false, G.zeta_f1, G.zeta_a1, span)) return;

    CadSetLayer(21);
    if (!NominalCurve(2, nominal, G.zeta_a2, G.zeta_f2)) return;
    if (!ComputedCurve(2, minimum, "min", false, G.zeta_a2, G.zeta_f2, span)) return;
    if (!ComputedCurve(2, maximum, "max", false, G.zeta_a2, G.zeta_f2, span)) return;

    ContactMarks(states, 3);
}

void WriteSpecificSlidingTable(int Mode, const std::string& MeshCaption)
{
    const bool tolerances = Mode == 1;
    if (tolerances)
        DrawSpecificSlidingToleranceDiagram(MeshCaption, 16, 12, 100, 90);
    else
        DrawSpecificSlidingDiagram(MeshCaption, 16, 12, 100, 90);

    // The remarks above the plot's title, the values in a column right of
    // the plot: nothing is written over the curves or outside the sheet.
    CadSetLayer(19);
    CadSetTextStyle(0, 0, 2, 0);
    CadText(16, 116, telmvar.RemarkLines[1]);
    CadText(16, 112.8L, telmvar.RemarkLines[2]);

    CadMoveTo(121, 116);
    ValueLine("z1", G.z[1]);
    ValueLine("z2", G.z[2]);
    DimensionValueLine("mn", G.mn);
    DimensionValueLine("g alpha", G.g_alpha);
    DimensionValueLine("g AC", G.g_alphaa);
    DimensionValueLine("g EC", G.g_alphae);
    DimensionValueLine("pet", G.pet);
    ValueLine("eps.alpha", G.eps_alpha);
    if (Mode == 0) {
        DimensionValueLine("dw1", G.dw[1]);
        DimensionValueLine("db1", G.db[1]);
        DimensionValueLine("dw2", G.dw[2]);
        DimensionValueLine("db2", G.db[2]);
    }
    CadTextLine("alpha = " + TrimBlanks(FloatToSignificant(G.alpha)) + " " + DegreeSign());
    CadTextLine("alpha wt = " + TrimBlanks(FloatToSignificant(RadToDeg(G.alpha_wt))) + " " + DegreeSign());
    CadTextLine(" ");

    // The end values: gear 1 on layer 18, gear 2 on layer 21, each group as
    // nominal, minimum, maximum where the variant has them.
    struct TRow {
        int Layer;
        const char* Name;
        Extended Value;
        bool TolerancesOnly;
    };
    const TRow rows[] = {
        {18, "zeta A1", G.zeta_f1, false},         {18, "zeta A1min", G.zeta_f1_amin, false},
        {18, "zeta A1max", G.zeta_f1_amax, true},  {21, "zeta A2", G.zeta_a2, false},
        {21, "zeta A2min", G.zeta_a2_amin, true},  {21, "zeta A2max", G.zeta_a2_amax, false},
        {18, "zeta E1", G.zeta_a1, false},         {18, "zeta E1min", G.zeta_a1_amin, true},
        {18, "zeta E1max", G.zeta_a1_amax, false}, {21, "zeta E2", G.zeta_f2, false},
        {21, "zeta E2min", G.zeta_f2_amin, false}, {21, "zeta E2max", G.zeta_f2_amax, true},
    };
    for (const TRow& r : rows) {
        if (r.TolerancesOnly && !tolerances) continue;
        CadSetLayer(r.Layer);
        ValueLine(r.Name, r.Value);
    }
}
