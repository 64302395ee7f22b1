#include "graphics/diagrams/loadspectrumdiagram.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"
#include "graphics/diagrams/diagram.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{

const TGearPairData& P = GearPair;

// Where the sheet puts its parts: the two diagrams at half size one above
// the other on the left, the sums, material and torques tables in a column
// beside them and the items table right of that column, each at its top
// left corner; a table alone stands at the top left of the drawing.
constexpr Extended SheetTextHeight = 1.8L;
constexpr Extended AloneTextHeight = 3.5L;
constexpr Extended SheetItemsX = 124, SheetItemsY = 118, SheetItemsHeight = 116;
constexpr Extended SheetColumnX = 90;
constexpr Extended SheetSumsY = 118, SheetMaterialY = 86, SheetTorquesY = 50;
constexpr Extended AloneX = 0, AloneY = 100, AloneItemsHeight = 100;

std::string TorqueText(Extended T)
{
    return TrimBlanks(TorqueToText(T)) + " " + TorqueUnitLabel();
}

// The S-N line of the pair (or its equivalent): horizontal at T0 up to N0,
// sloped down to Tn at Nn, horizontal at Tn beyond.
void DrawSnLine(Extended T0, Extended Tn, Extended N0, Extended Nn, const std::string& Label)
{
    const Extended nsum = P.Nsum;
    DiagramMoveTo(0, T0);
    DiagramLineTo(std::min(nsum, N0), T0);
    Extended step = (std::min(Nn, nsum) - N0) / 50;
    if (!(step > 0)) return;
    // m = ln(T0 / Tn) / ln(Nn / N0) is a number only for positive torques
    // and corners; T0 = Tn gives m = 0, a horizontal piece.
    if (T0 > 0 && Tn > 0 && N0 > 0) {
        const Extended m = std::log(T0 / Tn) / std::log(Nn / N0);
        if (std::isfinite(m)) {
            // The slope may run far beyond the last load cycle of the
            // spectrum; past the end of the axis nothing more is seen.
            const Extended axisEnd =
                std::max(nsum, DiagramLogX() ? PowerOf10(diagramstate.DiagXMax) : diagramstate.DiagXMax);
            // A spectrum ending just past N0 makes the step tiny: no more
            // than 1000 pieces up to the end of the axis.
            step = std::max(step, (std::min(Nn, axisEnd) - N0) / 1000);
            Extended x = N0 + step;
            for (int k = 0; x <= Nn && k < 100000; ++k) {
                DiagramLineTo(x, T0 / std::pow(x / N0, m));
                if (x > axisEnd) break;
                x += step;
            }
        }
    }
    // The endurance line runs from the lower corner to the last load
    // cycle; with the spectrum ending before the corner there is none (a
    // line back from Nn would lie flat under the slope still falling).
    if (Nn < nsum) DiagramLine(Nn, Tn, nsum, Tn);
    if (Nn < 0.8L * nsum && Tn < P.LoadSpectrum[1].T)
        DiagramText(Label + TorqueText(Tn), 0.8L * nsum, 1.01L * Tn);
}

void TableAlone(uint16_t Kind)
{
    switch (Kind) {
    case 3:
        DrawLoadSpectrumItemsTable(AloneTextHeight, AloneX, AloneY, AloneItemsHeight);
        break;
    case 4:
        WriteLoadSpectrumTable(AloneTextHeight, AloneX, AloneY);
        break;
    case 5:
        DrawLoadSpectrumTorquesTable(AloneTextHeight, AloneX, AloneY);
        break;
    case 7:
        DrawLifeMaterialTable(AloneTextHeight, AloneX, AloneY);
        break;
    default:
        break;
    }
}

} // namespace

void DrawLoadSpectrumCurves(uint16_t Kind)
{
    const bool root = Kind == 1;
    const int count = P.LoadSpectrumCount;
    SetDiagramSize(125, 95);
    SetDiagramOrigin(18, 10);
    SetDiagramScaleType(P.LoadCyclesLogarithmic ? 4 : 1);
    // The torque axis reaches 10 % above the highest item, which is item 1
    // in a spectrum ordered as it should be; a later, higher item is not cut.
    Extended top = 0;
    for (int i = 1; i <= count; ++i)
        top = std::max(top, P.LoadSpectrum[i].T);
    const std::string unit = TorqueUnitLabel();
    DrawDiagramAxes(" cycles", "T [" + unit + "]  ",
                    root ? "   load spectrum with load curve tooth root"
                         : "    load spectrum with load curve pitting",
                    0, 0, P.Nsum, 1.1L * TorqueForDisplay(top), 0);
    // Axis in the display unit, curves in N m.
    ScaleDiagramRange(1, TorqueForDisplay(1));
    CadSetTextStyle(2, 0, 2.0L, 1.4L);

    // The spectrum as steps.
    CadSetLayer(18);
    Extended s = 0;
    for (int i = 1; i <= count; ++i) {
        const TLoadSpectrumItem& it = P.LoadSpectrum[i];
        DiagramMoveTo(s, it.T);
        DiagramLineTo(s + it.N, it.T);
        DiagramLineTo(s + it.N, 0);
        s += it.N;
    }

    const Extended nsum = P.Nsum;
    const Extended tn = P.T[1];
    CadSetLayer(19);
    DiagramLine(0, tn, nsum, tn);
    DiagramText("TN=" + TorqueText(tn), 0.8L * nsum, 1.01L * tn);

    const Extended teq = root ? P.TeqF : P.TeqH;
    CadSetLayer(21);
    DiagramLine(0, teq, nsum, teq);
    DiagramText((root ? "TeqF=" : "TeqH=") + TorqueText(teq), 0.6L * nsum, 1.01L * teq);

    const Extended n0 = root ? LifeParams.N0F : LifeParams.N0H;
    const Extended nn = root ? LifeParams.NnF : LifeParams.NnH;
    CadSetLayer(29);
    if (root)
        DrawSnLine(P.T0F, P.TnF, n0, nn, "TnF=");
    else
        DrawSnLine(P.T0H, P.TnH, n0, nn, "TnH=");
    CadSetLayer(16);
    if (root)
        DrawSnLine(P.T0Feq, P.TnFeq, n0, nn, "TnFeq=");
    else
        DrawSnLine(P.T0Heq, P.TnHeq, n0, nn, "TnHeq=");

    // The frame leaves the layout to its caller.
    SetDiagramSize(160, 120);
    SetDiagramOrigin(0, 0);
    SetDiagramScaleType(0);
}

void DrawLoadSpectrumItemsTable(Extended H, Extended X, Extended Y, Extended AvailableHeight)
{
    const int count = P.LoadSpectrumCount;
    if (count < 1) return;
    if ((count + 1) * 2 * H > AvailableHeight) H = AvailableHeight / (count + 1) / 2;
    const bool millions = P.Nsum > 1000000;
    TCadTable t;
    t.Init(X, Y, H, {3, 8, 8}, {" i ", millions ? "N mill." : "N", "T [" + TorqueUnitLabel() + "]"});
    for (int i = 1; i <= count; ++i) {
        const TLoadSpectrumItem& it = P.LoadSpectrum[i];
        const std::string n =
            millions ? FormatFloatFixed(4, 3, it.N / 1000000) : FormatFloatFixed(7, 0, it.N);
        t.AddRow(IntToTextBlankPad(i, 2), n, FormatTorqueFixed(6, 0, it.T));
    }
}

void WriteLoadSpectrumTable(Extended H, Extended X, Extended Y)
{
    TCadTable t;
    t.Init(X, Y, H, {8, 10}, {"load spectrum", ""});
    t.AddRow("N sum", FloatToScientificFixed(2, P.Nsum));
    t.AddRow("N eq", FloatToScientificFixed(2, P.Neq));
    t.AddRow("KA F", FormatFloatFixed(4, 2, P.LoadSpectrumKA_F));
    t.AddRow("KA H", FormatFloatFixed(4, 2, P.LoadSpectrumKA_H));
}

void DrawLoadSpectrumTorquesTable(Extended H, Extended X, Extended Y)
{
    const std::string unit = TorqueUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {8, 8, 6}, {"load spectrum", "", ""});
    const std::pair<const char*, Extended> rows[] = {
        {"T N", P.T[1]},     {"T eqF", P.TeqF},   {"T eqH", P.TeqH},   {"T nF", P.TnF},
        {"T nH", P.TnH},     {"T 0F", P.T0F},     {"T 0H", P.T0H},     {"T nFeq", P.TnFeq},
        {"T nHeq", P.TnHeq}, {"T 0Feq", P.T0Feq}, {"T 0Heq", P.T0Heq},
    };
    for (const auto& [label, value] : rows)
        t.AddRow(label, TorqueToText(value), unit);
}

void DrawLifeMaterialTable(Extended H, Extended X, Extended Y)
{
    const QYRLIFE_Record& L = LifeParams;
    TCadTable t;
    t.Init(X, Y, H, {8, 10}, {L.LW, ""});
    t.AddRow("N0F", FloatToScientificFixed(2, L.N0F));
    t.AddRow("NnF", FloatToScientificFixed(2, L.NnF));
    t.AddRow("p F", FloatToSignificant(L.pF));
    t.AddRow("N0H", FloatToScientificFixed(2, L.N0H));
    t.AddRow("NnH", FloatToScientificFixed(2, L.NnH));
    t.AddRow("p H", FloatToSignificant(L.pH));
}

void DrawLoadSpectrumDiagram(uint16_t Kind, int Device)
{
    if (P.LoadSpectrumCount == 0) {
        reportservices.ShowMessageBox("no load spectrum defined");
        return;
    }
    // A breakage limit torque of 0 (or one never worked out) leaves no S-N
    // line to draw.
    auto missing = [](Extended T) { return T == 0 || !std::isfinite(T); };
    if (missing(P.T0F) || missing(P.T0H)) {
        reportservices.ShowMessageBox("error at load spectrum");
        return;
    }
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    TCadOutputScope scope;
    telmvar.Aborted = false;
    CadOpenOutput(Device, Kind == 1 ? "LASTKO_F" : Kind == 2 ? "LASTKO_H" : "QYRLK");
    if (telmvar.Aborted) return;
    CadBeginDrawingDefault();
    CadWriteTables(2);
    if (Kind == 6) {
        CadBeginBlocks();
        CadBeginBlock("lkf");
        DrawLoadSpectrumCurves(1);
        CadEndBlock();
        CadBeginBlock("lkh");
        DrawLoadSpectrumCurves(2);
        CadEndBlock();
        CadEndSection();
    }
    CadBeginEntities();
    switch (Kind) {
    case 1:
    case 2:
        DrawLoadSpectrumCurves(Kind);
        break;
    case 6:
        CadInsertBlock("lkf", 0, 2, 0, 0.5L, 0.5L);
        CadInsertBlock("lkh", 0, 62, 0, 0.5L, 0.5L);
        DrawLoadSpectrumItemsTable(SheetTextHeight, SheetItemsX, SheetItemsY, SheetItemsHeight);
        WriteLoadSpectrumTable(SheetTextHeight, SheetColumnX, SheetSumsY);
        DrawLoadSpectrumTorquesTable(SheetTextHeight, SheetColumnX, SheetTorquesY);
        DrawLifeMaterialTable(SheetTextHeight, SheetColumnX, SheetMaterialY);
        break;
    default:
        TableAlone(Kind);
        break;
    }
    CadEndSection();
    CadCloseOutput();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}
