#include "drawings/diagrams/lifesafetydiagram.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/strength/calcstrength.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/diagrams/diagram.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

TGearPairData& G = GearPair;

// One curve of the table in the header: which gear, which failure, and how
// it looks.
struct TCurve {
    int Gear;
    bool Pitting;
    int Layer;
    int Marker;
};

constexpr std::array<TCurve, 4> Curves{{
    {1, false, 19, 1},
    {1, true, 17, 3},
    {2, false, 21, 2},
    {2, true, 18, 4},
}};

Extended LifeOf(const TCurve& C)
{
    return C.Pitting ? G.LtH[C.Gear] : G.LtF[C.Gear];
}

Extended SafetyOf(const TCurve& C)
{
    return C.Pitting ? G.SH[C.Gear] : G.SF[C.Gear];
}

// The power that belongs to the torque, so that the strength calculation
// finds T, n and P consistent.
void SetTorque(Extended T1)
{
    G.T[1] = T1;
    G.P = T1 * 2 * Pi * G.n[1] / 60 / 1000;
}

// A torque sweep changes T1 and P and puts them back when it ends.
class TTorqueSweep
{
  public:
    TTorqueSweep() : t1_(G.T[1]), p_(G.P) {}
    ~TTorqueSweep()
    {
        G.T[1] = t1_;
        G.P = p_;
    }
    TTorqueSweep(const TTorqueSweep&) = delete;
    TTorqueSweep& operator=(const TTorqueSweep&) = delete;
    Extended T1() const { return t1_; }

  private:
    Extended t1_;
    Extended p_;
};

// Once a sweep has run, the pair holds the results of its last sample (at
// up to 1.2^101 times the torque) until it is recalculated; a report of the
// mesh would print them. Held by the command from the first sweep on, so
// that a cancelled device choice or a failing output also puts the inputs
// back and recalculates. The abort flag of the command survives the
// recalculation, which clears it.
class TPairRestore
{
  public:
    TPairRestore() : t1_(G.T[1]), p_(G.P), classes_(G.FlankToleranceClass) {}
    ~TPairRestore()
    {
        if (!armed_) return;
        G.T[1] = t1_;
        G.P = p_;
        G.FlankToleranceClass = classes_;
        const bool aborted = telmvar.Aborted;
        CalcGearPair();
        telmvar.Aborted = aborted;
    }
    TPairRestore(const TPairRestore&) = delete;
    TPairRestore& operator=(const TPairRestore&) = delete;
    void Arm() { armed_ = true; }

  private:
    Extended t1_;
    Extended p_;
    PairArray<int> classes_;
    bool armed_ = false;
};

// The diagram module is left as every other drawing expects it.
class TDiagramLayoutRestore
{
  public:
    TDiagramLayoutRestore() = default;
    ~TDiagramLayoutRestore()
    {
        SetDiagramSize(160, 120);
        SetDiagramOrigin(0, 0);
        SetDiagramScaleType(0);
    }
    TDiagramLayoutRestore(const TDiagramLayoutRestore&) = delete;
    TDiagramLayoutRestore& operator=(const TDiagramLayoutRestore&) = delete;
};

std::string Caption(int Gear)
{
    return " (" + G.GearCaption[Gear] + ")";
}

// The operating data under the legend lines, on layer 16.
void OperatingDataLines(uint16_t Kind, bool WithPower)
{
    CadSetLayer(16);
    CadTextLine(" ");
    CadTextLine("T1 =" + TorqueToText(G.T[1]) + " " + TorqueUnitLabel());
    CadTextLine("n1 =" + FloatToSignificant(G.n[1]) + "/min");
    if (WithPower) CadTextLine("P =" + FloatToSignificant(G.P) + " kW");
    if (Kind == 3) {
        CadTextLine("qual.1 = " + IntToText(G.FlankToleranceClass[1]));
        CadTextLine("qual.2 = " + IntToText(G.FlankToleranceClass[2]));
    }
}

// The lives of the four curves in the table's order.
std::array<Extended, 4> Lives()
{
    std::array<Extended, 4> v{};
    for (std::size_t k = 0; k < Curves.size(); ++k)
        v[k] = LifeOf(Curves[k]);
    return v;
}

std::array<Extended, 4> Safeties()
{
    std::array<Extended, 4> v{};
    for (std::size_t k = 0; k < Curves.size(); ++k)
        v[k] = SafetyOf(Curves[k]);
    return v;
}

} // namespace

Extended FindDiagramTorqueLimit()
{
    TTorqueSweep sweep;
    Extended t1 = G.T[1];
    for (int k = 1; k <= 101; ++k) {
        t1 *= 1.2L;
        SetTorque(t1);
        CalcStrength();
        if (G.SH[1] < 0.6L || G.SH[2] < 0.6L || G.SF[1] < 0.4L || G.SF[2] < 0.4L) break;
    }
    return t1;
}

void DrawLifeCurves(Extended T1Max)
{
    TTorqueSweep sweep;
    // A life of 0 (failure at once) has no place on the logarithmic axis: a
    // curve that comes back from 0 enters from far above the plot, and
    // segments start only from lives above one hour.
    constexpr Extended FromAbove = 1e12L;
    Extended t1 = T1Max / 10;
    SetTorque(t1);
    CalcStrength();
    std::array<Extended, 4> previous = Lives();
    Extended previousT1 = t1;
    do {
        t1 *= 1.02L;
        SetTorque(t1);
        CalcStrength();
        const std::array<Extended, 4> now = Lives();
        for (std::size_t k = 0; k < Curves.size(); ++k) {
            const TCurve& c = Curves[k];
            CadSetLayer(c.Layer);
            const bool pittingGear2 = c.Gear == 2 && c.Pitting;
            if (previous[k] == 0 && now[k] > 0) {
                if (!pittingGear2 || now[k] > 1)
                    DiagramMarkedLine(c.Marker, previousT1, FromAbove, t1, now[k]);
            } else if (previous[k] > 1) {
                DiagramMarkedLine(c.Marker, previousT1, previous[k], t1, now[k]);
            }
        }
        previous = now;
        previousT1 = t1;
    } while (t1 <= T1Max);
}

void DrawSafetyCurves(Extended T1Max)
{
    TTorqueSweep sweep;
    Extended t1 = T1Max / 25;
    SetTorque(t1);
    CalcStrength();
    std::array<Extended, 4> previous = Safeties();
    Extended previousT1 = t1;
    do {
        t1 *= 1.1L;
        SetTorque(t1);
        CalcStrength();
        const std::array<Extended, 4> now = Safeties();
        for (std::size_t k = 0; k < Curves.size(); ++k) {
            CadSetLayer(Curves[k].Layer);
            DiagramMarkedLine(Curves[k].Marker, previousT1, previous[k], t1, now[k]);
        }
        previous = now;
        previousT1 = t1;
    } while (t1 <= T1Max);
}

void DrawQualityCurves()
{
    const PairArray<int> classes = G.FlankToleranceClass;
    std::array<Extended, 4> previous{};
    for (int q = 1; q <= 12; ++q) {
        G.FlankToleranceClass[1] = q;
        G.FlankToleranceClass[2] = q;
        CalcGearPair();
        const std::array<Extended, 4> now = Safeties();
        if (q >= 2) {
            for (std::size_t k = 0; k < Curves.size(); ++k) {
                CadSetLayer(Curves[k].Layer);
                DiagramMarkedLine(Curves[k].Marker, q - 1, previous[k], q, now[k]);
            }
        }
        previous = now;
    }
    G.FlankToleranceClass = classes;
}

void LifeValueText(int Index, std::string& S, Extended Life, Extended Safety, Extended Cycles)
{
    if (Cycles >= 1e10L) {
        S = "infinite";
    } else if (Life == 0 && Safety < 1 && Cycles == 0) {
        S = Index <= 2 ? "fraction" : "Pitting";
    } else {
        S = FloatToSignificant(Life) + "h";
    }
}

std::string LifeValueText(int Index, Extended Life, Extended Safety, Extended Cycles)
{
    std::string s;
    LifeValueText(Index, s, Life, Safety, Cycles);
    return s;
}

void DrawSafetyLegend(uint16_t Kind)
{
    CadMoveTo(110, 100);
    struct TLine {
        const char* Label;
        int Curve; // index into Curves
    };
    const TLine lines[] = {{"SF1=", 0}, {"SF2=", 2}, {"SH1=", 1}, {"SH2=", 3}};
    for (const TLine& l : lines) {
        const TCurve& c = Curves[static_cast<std::size_t>(l.Curve)];
        CadSetLayer(c.Layer);
        DiagramLegendLine(l.Label + FormatFloatFixed(2, 2, SafetyOf(c)) + Caption(c.Gear), c.Marker);
    }
    OperatingDataLines(Kind, false);
}

void DrawLifeLegend(uint16_t Kind)
{
    struct TLine {
        const char* Label;
        const char* SafetyLabel;
        int Index;
        int Curve;
    };
    const TLine lines[] = {{"tF1=", ", SF1=", 1, 0},
                           {"tF2=", ", SF2=", 2, 2},
                           {"tH1=", ", SH1=", 3, 1},
                           {"tH2=", ", SH2=", 4, 3}};
    std::string texts[4];
    Extended longest = 0;
    for (int i = 0; i < 4; ++i) {
        const TCurve& c = Curves[static_cast<std::size_t>(lines[i].Curve)];
        const Extended cycles = c.Pitting ? G.NLH[c.Gear] : G.NLF[c.Gear];
        texts[i] = lines[i].Label + LifeValueText(lines[i].Index, LifeOf(c), SafetyOf(c), cycles) +
                   lines[i].SafetyLabel + FloatToFixedDecimals(2, SafetyOf(c)) + Caption(c.Gear);
        longest = std::max(longest, CadTextLength(texts[i]));
    }
    // The legend stands in the plot's upper right corner; long lives and
    // captions move it left rather than over the frame.
    const TDiagramState& D = diagramstate;
    CadMoveTo(std::min<Extended>(100, D.DiagPlotX0 + D.DiagPlotWidth - 1 - longest), 100);
    for (int i = 0; i < 4; ++i) {
        const TCurve& c = Curves[static_cast<std::size_t>(lines[i].Curve)];
        CadSetLayer(c.Layer);
        DiagramLegendLine(texts[i], c.Marker);
    }
    OperatingDataLines(Kind, true);
}

TLifeSafetyAxes LifeSafetyAxes(uint16_t Kind, Extended T1Max, const std::string& Name)
{
    TLifeSafetyAxes a;
    a.XLabel = " T1 [" + TorqueUnitLabel() + "]";
    a.XMax = TorqueForDisplay(T1Max);
    a.YLabel = "S";
    switch (Kind) {
    case 1:
        a.YLabel = "t [h]";
        a.Title = "lifetime until tooth breakage/pitting " + Name;
        a.YMin = 0.11L;
        // A speed entered for the other sense of rotation turns no slower.
        a.YMax = std::min(Extended{100000}, 2e9L / std::fabs(G.n[1]) / 60);
        break;
    case 2:
        a.Title = "safety factor for tooth breakage/pitting " + Name;
        a.YMax = 3;
        break;
    default:
        a.XLabel = "qual.(1=2)";
        a.Title = "    safety  SH, SF = f (flank tolerance class) " + Name;
        a.XMax = 12;
        a.YMax = std::max(Extended{3}, 1.5L * std::max(G.SF[1], G.SF[2]));
        break;
    }
    return a;
}

void DrawLifeSafetyDiagrams(uint16_t Kind, uint16_t Device, const std::string& Name)
{
    // 1. A pair that could not be calculated has no curves.
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    // 2. The kind.
    if (Kind == 0) {
        telmvar.TextItems[1] = "life expect. Lt = f (T1)";
        telmvar.TextItems[2] = "safety S = f (T1)";
        telmvar.TextItems[3] = "safety S = f (quality)";
        uint16_t choice = 1;
        telmvar.Aborted = false;
        if (reportservices.SetInputHelpNumber) reportservices.SetInputHelpNumber(0);
        if (reportservices.AskSelect) reportservices.AskSelect("diagram", 3, choice);
        if (telmvar.Aborted) return;
        Kind = choice;
    }
    if (Kind < 1 || Kind > 3) return;
    // 3. Guards, before any output is opened.
    auto refuse = [](const std::string& Text) {
        if (reportservices.ShowMessageIfEnabled) reportservices.ShowMessageIfEnabled(Text);
    };
    if (G.T[1] == 0) {
        refuse("Not for T1 = 0 !");
        return;
    }
    if (Kind == 1 && G.n[1] == 0) {
        refuse("Not for n=0 !");
        return;
    }
    if (Kind == 1 && G.LifeFactorInput == 1) {
        refuse("Not for input YNT, ZNT !");
        return;
    }

    // Declared in this order so that the output is abandoned first, then
    // the layout and last the pair are put back.
    TPairRestore pair;
    TDiagramLayoutRestore layout;
    TCadOutputScope scope;

    // 4. The torque axis.
    Extended t1Max = 0;
    if (Kind != 3) {
        pair.Arm();
        t1Max = FindDiagramTorqueLimit();
    }

    // 5., 6. Output, and the pair at its own torque again.
    telmvar.Aborted = false;
    CadOpenOutput(Device);
    if (telmvar.Aborted) return;
    pair.Arm();
    CadBeginDrawingDefault();
    CadWriteTables(2);
    CadBeginEntities();
    CadSetTextStyle(2, 0, 3.5L, 2.5L);
    CalcGearPair();

    // 7., 8. Frame.
    SetDiagramSize(125, 95);
    SetDiagramOrigin(18, 10);
    SetDiagramScaleType(Kind == 1 ? 2 : 0);
    const TLifeSafetyAxes axes = LifeSafetyAxes(Kind, t1Max, Name);
    DrawDiagramAxes(axes.XLabel, axes.YLabel, axes.Title, axes.XMin, axes.YMin, axes.XMax, axes.YMax, 2);
    // 9. The axis is labelled in the display unit; the curves are fed in N m.
    if (Kind != 3) ScaleDiagramRange(TorqueForDisplay(1), 1);

    // 10. Curves, then the pair at its own input again for the legend.
    if (Kind == 1)
        DrawLifeCurves(t1Max);
    else if (Kind == 2)
        DrawSafetyCurves(t1Max);
    else
        DrawQualityCurves();
    CalcGearPair();

    // 11. The operating point.
    if (Kind != 3) {
        CadSetLayer(5);
        DiagramLine(G.T[1], DiagramYMin(), G.T[1], DiagramYMax());
    }

    // 12. Legend.
    CadSetTextStyle(2, 0, 2.5L, 1.8L);
    if (Kind == 1)
        DrawLifeLegend(Kind);
    else
        DrawSafetyLegend(Kind);

    // 13. Close; the guards put the layout back and recalculate the pair.
    CadEndSection();
    SetDiagramSize(160, 120);
    SetDiagramOrigin(0, 0);
    SetDiagramScaleType(0);
    CadCloseOutput(1);
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}
