#include "drawings/production/productiondrawing.h"

#include "drawings/diagrams/specificslidingdiagram.h"
#include "drawings/production/annotation.h"
#include "drawings/production/carrierdetails.h"
#include "drawings/production/gearbody.h"
#include "drawings/production/productiontables.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphservices.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int MenuEntries = 16;
constexpr int ReturnEntry = 16;
constexpr uint16_t MenuHelpNumber = 8230;

const char* const MenuTexts[MenuEntries] = {"front elevation",
                                            "side elevation",
                                            "side elevation (profile)",
                                            "table gear data",
                                            "table measurement",
                                            "table flank tolerances",
                                            "production drawing",
                                            "table gear data, measurement",
                                            "table roll angle",
                                            "table gear data",
                                            "tolerance tooth thickness",
                                            "ZETA",
                                            "side elevation (profile) 1+2",
                                            "ZETA +/- tol",
                                            "Carrier",
                                            "return .."};

constexpr int BothGears = 3;

void Message(const std::string& Text)
{
    if (reportservices.ShowMessageIfEnabled) reportservices.ShowMessageIfEnabled(Text);
}

bool IsRing(int Gear)
{
    return GearPair.z[Gear] <= 0;
}

// Entries that show one gear only, and those that also offer both.
bool AsksSingleGear(int Entry)
{
    return Entry == 1 || Entry == 2 || Entry == 3 || Entry == 8;
}
bool OffersBothGears(int Entry)
{
    return Entry >= 4 && Entry <= 10 && Entry != 8;
}

// The radius a single view of gear Gear reaches: the tip of an external
// gear, the root of a ring.
Extended ViewRadius(int Gear)
{
    const auto& g = GearPair;
    return IsRing(Gear) ? std::fabs(g.df[Gear]) / 2 : std::fabs(g.da0[Gear]) / 2;
}

void BeginEntryDrawing(int Entry, int n, bool Both)
{
    const auto& g = GearPair;
    switch (Entry) {
    case 1: {
        const Extended r = ViewRadius(n) + g.mn / 2;
        CadBeginDrawing(-r, -r, r, r, g.b[n]);
        break;
    }
    case 2:
    case 3: {
        const Extended r = ViewRadius(n) + g.mn;
        CadBeginDrawing(-g.mn, -r, g.b[n] + g.mn, r, g.b[n]);
        break;
    }
    case 4:
        if (Both)
            CadBeginDrawing(-5, -5, 255, 145, 0);
        else
            CadBeginDrawing(-10, -10, 130, 150, 0);
        break;
    case 5:
        if (Both)
            CadBeginDrawing(-5, 5, 150, 198, 0);
        else
            CadBeginDrawing(-5, 0, 150, 110, 0);
        break;
    // The ISO 1328 tables (15 rows of 7 from y 90) end at -15.
    case 6:
        if (Both)
            CadBeginDrawing(-5, -20, 220, 120, 0);
        else
            CadBeginDrawing(-5, -20, 120, 100, 0);
        break;
    case 7:
        if (Both)
            CadBeginDrawing(-2, -5, 428, 307, 0); // the sheets' creator line
        else
            CadBeginDrawing(-5, -5, 225, 310, 0);
        break;
    case 8:
        CadBeginDrawing(-10, -10, 210, 160, 0);
        break;
    // The roll angle tables are three columns of 8 characters, 64.8 wide.
    case 9:
        if (Both)
            CadBeginDrawing(-5, -5, 70, 100, 0);
        else
            CadBeginDrawing(-5, -5, 70, 50, 0);
        break;
    case 10:
        if (Both)
            CadBeginDrawingDefault();
        else
            CadBeginDrawing(0, 0, 80, 120, 0);
        break;
    case 13: {
        const Extended xmax = std::max(g.b[1], g.b[2]) + g.bctr + g.mn;
        if (g.z[2] > 0)
            CadBeginDrawing(-g.mn, -(g.da0[1] / 2 + g.mn), xmax, g.da0[1] / 2 + g.da0[2] + g.mn, g.b[1]);
        else {
            const Extended r = std::fabs(g.df[2]) / 2 + g.mn;
            CadBeginDrawing(-g.mn, -r, xmax, r, g.b[2]);
        }
        break;
    }
    case 15: {
        const Extended r1 = g.da[1] / 2;
        const Extended r2 = std::fabs(g.da[2]) / 2;
        CadBeginDrawing(-r1, -r2, g.a + r1 + r2, r2, Round(std::max(5 * g.mn, g.dB[1])));
        break;
    }
    // The backlash diagram's text column, from x 112, is up to 45
    // characters of 1.8 wide.
    case 11:
        CadBeginDrawing(0, 0, 200, 120, 0);
        break;
    default: // 12, 14
        CadBeginDrawingDefault();
        break;
    }
}

// A block drawn by Draw unless Aborted is already set: then the block
// stays empty, as the inserts that follow still need it defined.
template <class F> void Block(const std::string& Name, F Draw)
{
    CadBeginBlock(Name);
    if (!telmvar.Aborted) Draw();
    CadEndBlock();
}

void FrameBlock(const std::string& Name, int Gear)
{
    const auto& g = GearPair;
    Block(Name, [&] { DrawDrawingSheet(4, g.GearName[Gear], g.GearLongName[Gear], g.PartNumber[Gear]); });
}

// Entries 4, 5 and 9 define the tables of both gears whatever the choice;
// entry 7 its sheets.
void WriteEntryBlocks(int Entry, int n, bool Both)
{
    switch (Entry) {
    case 4:
        CadBeginBlocks();
        Block("tab1", [] { WriteGearDataSheet(1); });
        Block("tab2", [] { WriteGearDataSheet(2); });
        CadEndSection();
        break;
    case 5:
        CadBeginBlocks();
        Block("tab1", [] { WriteMeasurementTable(1); });
        Block("tab2", [] { WriteMeasurementTable(2); });
        CadEndSection();
        break;
    case 9:
        CadBeginBlocks();
        Block("tab1", [] { WriteRollAngleTable(1, 0, 40, 3.0L); });
        Block("tab2", [] { WriteRollAngleTable(2, 0, 40, 3.0L); });
        CadEndSection();
        break;
    case 7:
        CadBeginBlocks();
        if (Both) {
            FrameBlock("frame_1", 1);
            FrameBlock("frame_2", 2);
            Block("rad1", [] { DrawGearSectionDimensioned(1); });
            Block("rad2", [] { DrawGearSectionDimensioned(2); });
            Block("zeich1", [] { DrawProductionSheet(1, "frame_1"); });
            Block("zeich2", [] { DrawProductionSheet(2, "frame_2"); });
        } else {
            FrameBlock("frame_1", n);
            Block("rad" + std::to_string(n), [n] { DrawGearSectionDimensioned(n); });
        }
        CadEndSection();
        break;
    default:
        break;
    }
}

void DrawEntryEntities(int Entry, int n, bool Both, uint16_t MeasureKind, const std::string& MeshCaption)
{
    const auto& g = GearPair;
    switch (Entry) {
    case 1:
        DrawGearFrontView(n);
        break;
    case 2:
        DrawGearBodyView(g.z[n], 0, 0, g.d[n], g.da[n], g.df[n], g.di[n], g.b[n], g.bcha[n]);
        break;
    case 3:
        DrawGearBody(g.z[n], 0, 0, g.d[n], g.da[n], g.df[n], g.di[n], g.dB[n], g.b[n], g.bcha[n], 45);
        break;
    case 4:
        if (Both) {
            CadInsertBlock("tab1", 0, 0, 0, 1, 1);
            CadInsertBlock("tab2", 130, 0, 0, 1, 1);
        } else
            WriteGearDataSheet(n);
        break;
    case 5:
        if (Both) {
            CadInsertBlock("tab1", 0, 95, 0, 1, 1);
            CadInsertBlock("tab2", 0, 0, 0, 1, 1);
        } else
            WriteMeasurementTable(n);
        break;
    case 6:
        CadSetTextStyle(2, 0, 3.5L, 0);
        if (Both) {
            WriteFlankToleranceTable(1, 0, 0, 90, 3.5L);
            WriteFlankToleranceTable(2, 0, 110, 90, 3.5L);
        } else
            WriteFlankToleranceTable(n, 0, 0, 90, 3.5L);
        break;
    case 7:
        if (Both) {
            CadInsertBlock("zeich1", 0, 0, 0, 1, 1);
            CadInsertBlock("zeich2", 215, 0, 0, 1, 1);
        } else
            DrawProductionSheet(n, "frame_1");
        break;
    case 8:
        WriteGearMeasurementSheet(n, MeasureKind);
        break;
    case 9:
        if (Both) {
            CadInsertBlock("tab1", 0, 50, 0, 1, 1);
            CadInsertBlock("tab2", 0, 0, 0, 1, 1);
        } else
            WriteRollAngleTable(n, 0, 40, 3.0L);
        break;
    case 10:
        if (Both) {
            WriteGearDataTable(3, 1, 3, 116, 2.4L);
            WriteGearDataTable(3, 2, 85, 116, 2.4L);
        } else
            WriteGearDataTable(0, n, 3, 116, 2.4L);
        break;
    case 11:
        WriteBacklashTable(MeshCaption);
        break;
    case 12:
        WriteSpecificSlidingTable(0, MeshCaption);
        break;
    case 13:
        DrawMeshSectionPair();
        break;
    case 14:
        WriteSpecificSlidingTable(1, MeshCaption);
        break;
    case 15:
        DrawCarrierLinkView();
        break;
    default:
        break;
    }
}

// One drawing of Entry for gear choice Gear (3 both). False when the
// routine ends here (a refusal or Aborted); the output, once opened, is
// always completed and closed.
bool DrawEntry(int Device, int Entry, int Gear, uint16_t MeasureKind, const std::string& MeshCaption)
{
    const auto& g = GearPair;
    if (Entry == 15) {
        AskDrawingCenterDistance();
        if (telmvar.Aborted) return false;
    }
    if (Entry == 11) {
        // The diagram divides by the largest backlash: all four allowances
        // 0 leave it without a scale, and so does a largest backlash that
        // is not positive.
        const bool allZero = g.Asni[1] == 0 && g.Asni[2] == 0 && g.Aa == 0 && g.Aai == 0;
        if (allZero || !BacklashDiagramDrawable()) {
            Message("not for tolerance = 0 !");
            return false;
        }
    }
    const bool both = Gear == BothGears;
    const int n = both ? 1 : Gear;
    TCadOutputScope scope;
    CadOpenOutput(Device);
    if (telmvar.Aborted) return false;
    CadSetLayer(2);
    BeginEntryDrawing(Entry, n, both);
    CadWriteTables(2);
    WriteEntryBlocks(Entry, n, both);
    CadBeginEntities();
    if (Entry == 7 && both) printsettings.GraphContentKind = 1;
    DrawEntryEntities(Entry, n, both, MeasureKind, MeshCaption);
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput();
    return !telmvar.Aborted;
}

void FillMenuTexts()
{
    for (int k = 1; k <= MenuEntries; ++k)
        telmvar.TextItems[k] = MenuTexts[k - 1];
}

} // namespace

const char* ProductionDrawingMenuText(int Entry)
{
    return Entry >= 1 && Entry <= MenuEntries ? MenuTexts[Entry - 1] : "";
}

void ComposeProductionDrawing(int Device, int Gear, int Entry, const std::string& MeshCaption)
{
    if (Entry != 0) {
        if (Entry < 1 || Entry >= ReturnEntry) return;
        uint16_t gear = 1;
        // Entries 11 to 15 draw the pair: there is no gear to ask.
        if (Entry <= 10) {
            const bool valid = Gear == 1 || Gear == 2 || (Gear == BothGears && OffersBothGears(Entry));
            if (valid)
                gear = static_cast<uint16_t>(Gear);
            else {
                AskSelectGear(gear);
                if (telmvar.Aborted) return;
            }
        }
        telmvar.DiagramKind = static_cast<uint16_t>(Entry);
        // A preset entry 8 has no measurement choice: the gear data only.
        DrawEntry(Device, Entry, gear, 0, MeshCaption);
        return;
    }

    telmvar.DiagramKind = 0;
    uint16_t measureKind = 1;
    for (;;) {
        telmvar.Aborted = false;
        FillMenuTexts();
        telmvar.HelpNumber = MenuHelpNumber;
        uint16_t choice = static_cast<uint16_t>(telmvar.DiagramKind + 1);
        if (choice < 1 || choice > MenuEntries) choice = 1;
        graphservices.AskSelect("production drawing", MenuEntries, choice);
        if (telmvar.Aborted || choice < 1 || choice >= ReturnEntry) return;
        const int entry = choice;
        telmvar.DiagramKind = choice;
        uint16_t gear = 1;
        if (AsksSingleGear(entry))
            AskSelectGear(gear);
        else if (OffersBothGears(entry))
            AskSelectGearOrBoth(gear);
        if (telmvar.Aborted) return;
        if (entry == 8) {
            telmvar.TextItems[1] = "dim.ov/betw.balls";
            telmvar.TextItems[2] = "dim.ov/betw.pins";
            telmvar.TextItems[3] = "span measure";
            if (measureKind < 1 || measureKind > 3) measureKind = 1;
            graphservices.AskSelect("measurement", 3, measureKind);
            if (telmvar.Aborted) return;
        }
        if (!DrawEntry(Device, entry, gear, measureKind, MeshCaption)) return;
    }
}

// --- the production sheet -------------------------------------------------------

Extended ProductionSheetScale(int Gear)
{
    const auto& g = GearPair;
    const Extended b = g.b[Gear];
    const Extended D = g.z[Gear] < 0 ? std::max(-g.df[Gear], -g.di[Gear]) : g.da0[Gear];
    // Before the pair is calculated both can be 0: no scale, rather than a
    // division by zero.
    if (!(b > 0) || !(D > 0)) return 0;
    return NiceStep(std::min(140 / b, 80 / D));
}

Extended SectionDimensionScale(int Gear)
{
    const auto& g = GearPair;
    const Extended b = g.b[Gear];
    const Extended D = g.z[Gear] <= 0 ? std::max(-g.df[Gear], -g.di[Gear]) : g.da0[Gear];
    if (!(b > 0) || !(D > 0)) return 0;
    return std::max(b / 140, D / 80);
}

void DrawProductionSheet(int Gear, const std::string& FrameBlock)
{
    const auto& g = GearPair;
    if (telmvar.FatalCalcError) return;
    CadSetLayer(0);
    if (!FrameBlock.empty()) CadInsertBlock(FrameBlock, 0, 0, 0, 1, 1);
    const Extended s = ProductionSheetScale(Gear);
    if (s > 0) {
        CadSetTextStyle(2, 0, 3.5L, 2.8L);
        CadSetLayer(4);
        CadText(25, 186, ScaleText(s));
        CadInsertBlock("rad" + std::to_string(Gear), 105 - s * g.b[Gear] / 2, 244, 0, s, s);
    }
    // The gear data table keeps its corner (25, 180). Its 23 rows of 5.6
    // end at 51.2, above the default title block but inside a DIN 6771
    // block or under a revision table: there it is set smaller (row pitch
    // and text height) so that its last rule ends 2 above them, rather than
    // drawn over their rows at its full size.
    WriteGearDataTable(0, Gear, 25, 180, 2.8L * TableFitFactor(180, 180 - GearDataTableRows(0) * 5.6L));
    WriteMeasurementColumns(Gear, 0, 1, 109, 180, 2.8L);
    // The flank tolerances stand at 123, below the measurement table (7
    // rows of 5.6 from 180). The longer ISO 1328 table is raised to end 2
    // above the title block, and set smaller when even then it would reach
    // the measurement table.
    const Extended below = 180 - 7 * 5.6L - 2;
    const int rows = FlankToleranceTableRows();
    const Extended h = 2.8L * TableFitFactor(below, below - rows * 5.6L);
    WriteFlankToleranceTable(Gear, 0, 109, std::max<Extended>(123, TableFloor() + rows * 2 * h), h);
    CadSetTextStyle(2, 0, 3.5L, 2.7L);
    CadText(120, 186, "material: " + WithoutBlanks(g.MaterialName[Gear]));
}

void DrawGearSectionDimensioned(int Gear)
{
    const auto& g = GearPair;
    const int n = Gear;
    const Extended scale = SectionDimensionScale(n);
    if (!(scale > 0)) return;
    const Extended b = g.b[n], d = g.d[n], da = g.da[n], df = g.df[n], di = g.di[n], dB = g.dB[n];
    DrawGearBody(g.z[n], 0, 0, d, da, df, di, dB, b, g.bcha[n], 45);
    SetDimensionScale(scale);
    auto fixed3 = [](Extended V) { return LengthToTextDecimals(3, V); };
    if (g.z[n] > 0) {
        CadSetLayer(0);
        CadVerticalDimension(fixed3(df), "", fixed3(g.df_min[n] - df), b, -df / 2, b, df / 2, b + 0.2L * d);
        CadVerticalDimension(fixed3(da), "", "", b, -da / 2, b, da / 2, b + 0.4L * d);
        CadHorizontalDimension(LengthToText(b), "", "", 0, -da / 2, b, -da / 2, -0.7L * da);
        if (di > dB) CadVerticalDimension(LengthToText(di), "", "", 0, -di / 2, 0, di / 2, -0.3L * d);
        if (dB > 0) CadVerticalDimension(LengthToText(dB), "", "", 0, -dB / 2, 0, dB / 2, -0.2L * d);
    } else {
        CadVerticalDimension(fixed3(-df), "+" + fixed3(df - g.df_min[n]), "", b, -df / 2, b, df / 2,
                             b - 0.4L * d);
        CadVerticalDimension(fixed3(-da), "", "", b, -da / 2, b, da / 2, b - 0.2L * d);
        if (dB < df) CadVerticalDimension(LengthToText(-dB), "", "", 0, -dB / 2, 0, dB / 2, 0.4L * d);
        if (dB < di && di < df)
            CadVerticalDimension(LengthToText(-di), "", "", 0, -di / 2, 0, di / 2, 0.3L * d);
        const Extended M = std::max({-df, std::fabs(dB), std::fabs(di)});
        CadHorizontalDimension(LengthToText(b), "", "", 0, -0.51L * M, b, -0.51L * M, -0.51L * M + 0.2L * d);
    }
    SetDimensionScale(1);
}

void DrawGearFrontView(int Gear)
{
    const auto& g = GearPair;
    const int n = Gear;
    const Extended R = std::fabs(g.da0[n]) / 2;
    CadSetLayer(1);
    CadLine(-1.1L * R, 0, 1.1L * R, 0);
    CadLine(0, -1.1L * R, 0, 1.1L * R);
    CadCircle(0, 0, std::fabs(g.d[n]) / 2);
    CadSetLayer(3);
    CadCircle(0, 0, std::fabs(g.df[n]) / 2);
    CadSetLayer(5);
    CadCircle(0, 0, R);
    const Extended di = g.di[n], dB = g.dB[n], df = g.df[n];
    if (di > 0) CadCircle(0, 0, std::fabs(di) / 2);
    if (dB > 0) CadCircle(0, 0, std::fabs(dB) / 2);
    if (di > 0 && dB > 0 && g.z[n] > 0) DrawWheelArms(0, 0, 1, df, di, dB);
}

void DrawWheelArms(Extended X0, Extended Y0, Extended S, Extended df, Extended di, Extended dB)
{
    const Extended t = (df - di) / 2;
    const Extended w = 0.75L * t;
    const Extended D = dB + 2 * t;
    // A hub that reaches the rim leaves no room for arms.
    if (!(t > 0) || !(D < di)) return;
    CadCircle(X0, Y0, S * D / 2);
    const Extended r0 = D / 2 - ArcHeight(D / 2, w);
    const Extended r1 = di / 2 - ArcHeight(di / 2, w);
    for (int k = 0; k < 4; ++k) {
        const Extended phi = k * Pi / 2;
        const Extended c = std::cos(phi), s = std::sin(phi);
        for (int side = -1; side <= 1; side += 2) {
            // Perpendicular offset of the side line from the arm's axis.
            const Extended ox = -s * side * w / 2, oy = c * side * w / 2;
            CadLine(X0 + S * (ox + r0 * c), Y0 + S * (oy + r0 * s), X0 + S * (ox + r1 * c),
                    Y0 + S * (oy + r1 * s));
        }
    }
}

void DrawMeshSectionPair()
{
    const auto& g = GearPair;
    DrawGearBody(g.z[1], 0, 0, g.d[1], g.da[1], g.df[1], g.di[1], g.dB[1], g.b[1], g.bcha[1], 45);
    const Extended x0 = g.bctr + g.b[1] / 2 - g.b[2] / 2;
    if (g.z[2] > 0)
        DrawGearBodyWithBore(g.z[2], x0, g.a, g.d[2], g.da[2], g.df[2], g.di[2], g.dB[2], g.b[2], g.bcha[2],
                             -45, g.T[2], g.Sigma_FE[2]);
    else
        DrawGearBody(g.z[2], x0, -g.a, g.d[2], g.da[2], g.df[2], g.di[2], g.dB[2], g.b[2], g.bcha[2], -45);
}

void DrawCarrierLinkView()
{
    const auto& g = GearPair;
    DrawCarrierLink(g.dB[1] / 2, g.dB[2] / 2, std::max(g.dB[1], g.dB[2]), g.a);
}

void AskDrawingCenterDistance()
{
    auto& g = GearPair;
    if (g.z[2] < 0) {
        Message("not for z2 < 0");
        telmvar.Aborted = true;
        return;
    }
    if (g.dB[1] <= 0 || g.dB[2] <= 0) {
        Message("not for dBore = 0");
        telmvar.Aborted = true;
        return;
    }
    g.a_pic = g.a;
    Extended a = g.a_pic;
    if (graphservices.AskDoubleInRange) graphservices.AskDoubleInRange("center distance", a, 0.1L, 1e12L);
    // Cancel keeps the copied value.
    if (!telmvar.Aborted) g.a_pic = a;
}
