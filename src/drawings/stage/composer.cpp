#include "drawings/stage/composer.h"

#include "drawings/bearings/bearingdraw.h"
#include "drawings/production/carrierdetails.h"
#include "drawings/production/productiontables.h"
#include "drawings/sheet/drawingsheet.h"
#include "drawings/stage/carrier.h"
#include "drawings/stage/frontviews.h"
#include "drawings/stage/kinematicstext.h"
#include "drawings/stage/kutzbach.h"
#include "drawings/stage/stagesection.h"
#include "drawings/stage/stagetables.h"
#include "drawings/stage/wolf.h"
#include "drawings/tooth/calcsheets.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace stagetables;

TStageComposerHooks stagecomposerhooks;

void ResetStageComposerHooks()
{
    stagecomposerhooks = TStageComposerHooks{};
}

namespace
{

// Help entry of the stage drawings' questions (device, file name).
constexpr uint16_t StageDrawingHelp = 8260;

enum class THeader { Default, Square, Sheet4, Sheet3 };

// The blocks a view defines, in the order they are written.
enum TBlocks : unsigned {
    BearingBlocks = 1u << 0,  // "LAGER1", "LAGER2"
    WheelsMarked = 1u << 1,   // the front-view blocks with marks
    AssemblyBlocks = 1u << 2, // "VA" (block front view), "SCHNITT", "FRAME_1", "TABLE1"
    CarrierBlocks = 1u << 3,  // "CARR", "FRAME_1", "TABLE2"
    SheetBlocks = 1u << 4,    // "VA" (dimensioned), "SCHNITT"
    Wheels = 1u << 5,         // the front-view blocks without marks, "pgear", "wolf"
    LargeFrame = 1u << 6,     // "frame_1"
};

struct TViewRow {
    THeader Header;
    unsigned Blocks;
    void (*Entities)();
};

Extended R()
{
    return std::fabs(PlanetaryGears.df[gH]);
}

std::string GearLine(int n)
{
    const auto& g = PlanetaryGears;
    return g.GearName[n] + " " + g.PartNumber[n] + " " + g.GearLongName[n];
}

void Block(const char* Name, void (*Draw)())
{
    CadBeginBlock(Name);
    Draw();
    CadEndBlock();
}

void DrawSheet(int SizeCode)
{
    DrawDrawingSheet(SizeCode, PlanetaryGears.GearName[0], PlanetaryGears.GearLongName[0],
                     PlanetaryGears.PartNumber[0]);
}

void BearingBlock(int n)
{
    CadBeginBlock(n == 1 ? "LAGER1" : "LAGER2");
    if (PlanetBearingDefined(n)) BearingDraw(n, 1);
    CadEndBlock();
}

void Insert(const char* Name, Extended X, Extended Y, Extended Scale)
{
    CadInsertBlock(Name, X, Y, 0, Scale, Scale);
}

void WriteBearingTables(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended H)
{
    if (PlanetBearingDefined(1)) WriteBearingTable(1, X1, Y1, H);
    if (PlanetBearingDefined(2)) WriteBearingTable(2, X2, Y2, H);
}

// --- the entities of the views ---------------------------------------------------

void AssemblyDrawing()
{
    Insert("VA", 80, 240, 80 / R());
    Insert("SCHNITT", 160, 240, 80 / R());
    Insert("FRAME_1", 0, 0, 1);
    // The stage tables at (20, 40), 1.13 x 1.15, reach down to 58.2: above
    // the default title block, but inside a DIN 6771 block or under a
    // revision table. There they keep their upper left corner and are set
    // smaller about it, so that their lowest rule ends 2 above them, rather
    // than drawn over their rows at the full scale.
    const Extended x = 20, y = 40, sx = 1.13L, sy = 1.15L;
    const Extended f = TableFitFactor(y + sy * StageTablesTop, y + sy * StageTablesBottom());
    CadInsertBlock("TABLE1", x + (1 - f) * sx * StageTablesLeft, y + (1 - f) * sy * StageTablesTop, 0, f * sx,
                   f * sy);
}

// Where the carrier sheet's coordinates table stands: its upper left corner
// (the heading above it), its scale and the rows of each column (0: one
// column).
struct TCarrierTablePlace {
    Extended X = 50, Y = 120, Scale = 1;
    int RowsPerColumn = 0;
};

// The table at (50, 120) ends at 120 - 7 (1 + 2 q) and so ran into the
// title block from 4 planet pairs on (DIN 6771) or 5 (ISO 7200 Fig. 2).
// Where it does, it keeps its corner and is set smaller about it, as the
// other sheets' tables are, while its text stays 1.8 mm or more (the
// smallest lettering of ISO 3098). Below that it rises into the free space
// under the carrier picture (its heading 2 below the picture, which stays
// where it is), and its rows go on in as few further columns beside the
// first as the frame's width allows at that size, moved left within the
// frame where they need the room.
TCarrierTablePlace CarrierTablePlace()
{
    constexpr Extended height = 3.5L, smallest = 1.8L / height, margin = 2;
    const int n = std::max(0, 2 * GearPair.qp);
    const Extended floor = TableFloor();
    TCarrierTablePlace p;
    p.Scale = TableFitFactor(p.Y, p.Y - CarrierTableRowPitch * (1 + n));
    if (p.Scale >= smallest) return p;

    const auto& g = PlanetaryGears;
    const Extended low = 220 - 120 / R() *
                                   PlanetSpacingDetailDepth(g.z[gH], g.z[gPe], GearPair.mn, GearPair.beta_rad,
                                                            g.aInUse[mSPi], g.aInUse[mPeH], g.z[gPi]);
    Extended x1 = 20, y1 = 10, x2 = 200, y2 = 287;
    SheetInnerFrame(4, x1, y1, x2, y2);
    const Extended room = x2 - x1 - 2 * margin;
    for (int columns = 1; columns <= std::max(1, n); ++columns) {
        const int rows = (n + columns - 1) / columns;
        const Extended width = columns * CarrierTableColumnWidth + (columns - 1) * CarrierTableColumnGap;
        const Extended f =
            std::min({Extended(1),
                      (low - margin - floor) / (CarrierTableHeadingTop + CarrierTableRowPitch * (1 + rows)),
                      room / std::max(width, CarrierTableHeadingLength())});
        if (f < smallest && columns < n) continue;
        p.Scale = f;
        p.Y = low - margin - CarrierTableHeadingTop * f;
        p.X = std::max(x1 + margin,
                       std::min(p.X, x2 - margin - f * std::max(width, CarrierTableHeadingLength())));
        p.RowsPerColumn = columns > 1 ? rows : 0;
        break;
    }
    return p;
}

void CarrierSheet()
{
    Insert("CARR", 110, 220, 120 / R());
    Insert("FRAME_1", 0, 0, 1);
    const TCarrierTablePlace p = CarrierTablePlace();
    Insert("TABLE2", p.X, p.Y, p.Scale);
}

void QuickSheet()
{
    CadSetLayer(19);
    CadSetTextStyle(2, 0, 1.8L, 1.5L);
    CadText(GearLine(0), 70, 117);
    for (int k = 1; k <= 3; ++k)
        CadText(telmvar.RemarkLines[k], 70, 117 - 3 * k);
    // Four gears on three lines, the planets sharing the middle one, so
    // that nothing reaches into the tables below y 96.
    CadText("S: " + GearLine(1), 70, 105);
    CadText("Pi: " + GearLine(2) + "  Pe: " + GearLine(3), 70, 102);
    CadText("H : " + GearLine(4), 70, 99);
    // The front view a quarter turn clockwise; its dimension texts turn
    // with it.
    CadInsertBlock("VA", 30, 90, -90, 50 / R(), 50 / R());
    WriteDimensionTable(0, 3, 40, 2);
    WriteOperationTable(70, 60, 2);
    WriteStrengthTable(70, 40, 2);
    WriteGeneralDataTable(0, 70, 96, 2);
    WriteMeshDataTable(110, 96, 2);
}

// The stage is calculated again after the wheel blocks, whose mesh runs
// leave the gear-pair variables and the message list with one mesh only;
// a stage as its last calculation left it is not.
void Recalculate()
{
    if (!StageUnchangedSinceCalculation()) CalcPlanetaryStage();
}

void Sheet()
{
    Recalculate();
    SheetHeaderText(5, 118, 1.4L, 1);
    Insert("pgear", 37, 72, 70 / R());
    Insert("schnitt", 88, 72, 70 / R());
    // The Wolf symbol view brings its kinematics text along, scaled with
    // the block.
    Insert("wolf", 100, 72, 0.4L);
    WriteGeneralDataTable(0, 1, 28, 1.3L);
    WriteDimensionTable(0, 24, 28, 1.3L);
    WriteMeshDataTable(67, 28, 1.3L);
    WriteOperationTable(106, 61, 1.3L);
    WriteStrengthTable(106, 50, 1.3L);
    WriteSpecificSlidingTable(106, 80, 1.3L);
    WriteBearingTables(98, 26, 98, 13, 1.25L);
    if (PlanetaryStage.LoadSpectrumCount > 0) WriteLoadSpectrumTable(1.3L, 60, 43);
    WriteApplicationFactorTable(49, 35.2L, 1.3L);
    if (error0.ErrorCount > 0) WriteErrorMessageTable(0, 123.5L, 26, 1.25L, 26);
    WriteBacklashTable(137, 70, 1.3L);
}

void LargeSheet()
{
    SheetHeaderText(22, 283, 2.4L, 1.8L);
    Insert("frame_1", 0, 0, 1);
    Insert("pgear", 82, 210, 120 / R());
    Insert("schnitt", 166, 210, 120 / R());
    Insert("wolf", 20, 12, 0.75L);
    WriteGeneralDataTable(0, 200, 280, 2);
    WriteDimensionTable(0, 240, 280, 2);
    WriteMeshDataTable(312, 280, 2);
    WriteOperationTable(250, 110, 2);
    // The strength table's nine rows at (324, 110) end at 74: over the
    // revision rows of an ISO title block with 7 or more changes. There it
    // keeps its corner and is set smaller about it, as the other sheets'
    // tables are, down to 1.6 mm lettering; where even that would not
    // clear the block it stands higher, ending 2 above it.
    {
        constexpr Extended x = 324, y = 110, h = 2, smallest = 1.6L;
        constexpr Extended pitch = 2 * StrengthTableRowCount;
        const Extended fitted = h * TableFitFactor(y, y - pitch * h);
        if (fitted >= smallest)
            WriteStrengthTable(x, y, fitted);
        else
            WriteStrengthTable(x, TableFloor() + pitch * smallest, smallest);
    }
    WriteBearingTables(22, 140, 56, 140, 2);

    // The gear data of the two meshes with the external and internal gear
    // pairs, then the stage again: its results, not the last mesh's, are
    // what the remaining tables and the caller see.
    CalcMesh(mPeH);
    for (int gear = 1; gear <= 2; ++gear) {
        const Extended x = gear == 1 ? 306 : 359;
        WriteGearDataTable(1, gear, x, 230, 1.8L);
        WriteMeasurementColumns(gear, 0, 0, x, 150, 1.65L);
    }
    CalcMesh(mSPi);
    for (int j = 1; j <= 2; ++j) {
        const int gear = MeshGearOfPair(1, j);
        const Extended x = j == 1 ? 200 : 253;
        WriteGearDataTable(1, gear, x, 230, 1.8L);
        WriteMeasurementColumns(gear, 0, 0, x, 150, 1.65L);
    }
    Recalculate();
    if (PlanetaryStage.LoadSpectrumCount > 0) WriteLoadSpectrumTable(2, 66, 126);
    WriteApplicationFactorTable(49, 114, 2);
    if (error0.ErrorCount > 0) WriteErrorMessageTable(30, 140, 120, 1.8L, 56);
    WriteSpecificSlidingTable(360, 280, 2);
    WriteBacklashTable(360, 248, 2);
}

void OperatingData()
{
    const auto& st = PlanetaryStage;
    SheetHeaderText(5, 116, 2, 1.5L);
    CadSetLayer(19);
    CadSetTextStyle(0, 0, 2, 1.5L);
    CadMoveTo(5, 50);
    CadTextLine("P = " + FloatToSignificant(st.DriveValue) + " kW");
    CadTextLine("n in = " + FloatToSignificant(st.nIn) + "/min");
    CadTextLine("T in = " + TorqueToText(st.TN) + " " + TorqueUnitLabel());
    WriteDimensionTable(2, 70, 100, 2);
    WriteGeneralDataTable(2, 5, 90, 2);
    DriveConfigTable(5, 40, 2.5L);
}

void Nothing() {}

// The views as the drawing menu numbers them; row 0 stands for every
// number outside 1..13.
const TViewRow Views[] = {
    /* other */ {THeader::Default, 0, Nothing},
    /*  1 */ {THeader::Default, 0, KutzbachChart},
    /*  2 */ {THeader::Default, 0, WolfView},
    /*  3 */ {THeader::Square, BearingBlocks, DrawStageSection},
    /*  4 */ {THeader::Square, 0, DrawDimensionedFrontView},
    /*  5 */ {THeader::Sheet4, BearingBlocks | WheelsMarked | AssemblyBlocks, AssemblyDrawing},
    /*  6 */ {THeader::Default, 0, WriteStageTables},
    /*  7 */ {THeader::Sheet4, CarrierBlocks, CarrierSheet},
    /*  8 */ {THeader::Square, 0, DrawCarrier},
    /*  9 */ {THeader::Default, BearingBlocks | SheetBlocks, QuickSheet},
    /* 10 */ {THeader::Default, BearingBlocks | SheetBlocks | Wheels, Sheet},
    /* 11 */ {THeader::Sheet3, BearingBlocks | SheetBlocks | Wheels | LargeFrame, LargeSheet},
    /* 12 */ {THeader::Default, 0, OperatingData},
    /* 13 */ {THeader::Square, Wheels, DrawFrontView},
};

void WriteHeader(THeader Header)
{
    switch (Header) {
    case THeader::Default:
        CadBeginDrawingDefault();
        break;
    case THeader::Square: {
        const Extended w = 0.6L * R();
        CadBeginDrawing(-w, -w, w, w, PlanetaryGears.b[gH]);
        break;
    }
    case THeader::Sheet4:
        BeginSheetDrawing(4);
        break;
    case THeader::Sheet3:
        BeginSheetDrawing(3);
        break;
    }
}

void WriteBlocks(unsigned Blocks)
{
    if (Blocks & BearingBlocks) {
        BearingBlock(1);
        BearingBlock(2);
    }
    if (Blocks & WheelsMarked) {
        DefineFrontViewBlocks(1);
        Block("VA", DrawFrontView);
    }
    if (Blocks & AssemblyBlocks) {
        Block("SCHNITT", DrawStageSection);
        Block("FRAME_1", [] { DrawSheet(4); });
        Block("TABLE1", WriteStageTables);
    }
    if (Blocks & CarrierBlocks) {
        Block("CARR", CarrierSchematicBlock);
        Block("FRAME_1", [] { DrawSheet(4); });
        Block("TABLE2", [] { WriteCarrierCoordinatesTable(CarrierTablePlace().RowsPerColumn); });
    }
    if (Blocks & SheetBlocks) {
        Block("VA", DrawDimensionedFrontView);
        Block("SCHNITT", DrawStageSection);
    }
    if (Blocks & Wheels) DefineFrontViewBlocks(0);
    if (Blocks & LargeFrame) Block("frame_1", [] { DrawSheet(3); });
}

// Every stage picture is scaled by the ring's root diameter.
bool HaveScale()
{
    const Extended r = R();
    if (std::isfinite(r) && r > 0) return true;
    reportservices.ShowMessageIfEnabled("The stage cannot be drawn: the ring gear has no root diameter.");
    telmvar.Aborted = true;
    return false;
}

// The stage results a drawing shows, the message list instead of a drawing
// when the calculation failed.
bool Calculated()
{
    Recalculate();
    if (!telmvar.FatalCalcError) return true;
    ShowMessageList();
    return false;
}

} // namespace

void PlanetDrawView(int16_t Device, int16_t View)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    if (View == 8 && stagecomposerhooks.EditCarrier) stagecomposerhooks.EditCarrier();
    if (telmvar.Aborted) return;
    // The sheets' tables must show the results of the blocks' stage.
    if ((View == 10 || View == 11) && !Calculated()) return;
    if (!HaveScale()) return;
    telmvar.HelpNumber = StageDrawingHelp;
    const TViewRow& row = View >= 1 && View <= 13 ? Views[View] : Views[0];
    TCadOutputScope scope;
    CadOpenOutput(Device, "QYR7");
    if (telmvar.Aborted) return;
    CadSetLayer(0);
    WriteHeader(row.Header);
    CadWriteTables(2);
    CadBeginBlocks();
    WriteBlocks(row.Blocks);
    CadEndSection();
    do {
        CadBeginEntities();
        row.Entities();
        CadEndSection();
    } while (!CadDeviceReady());
    CadCloseOutput(1);
}

void PlanetViewRedraw()
{
    if (telmvar.Aborted || telmvar.HelpLevel == 0) return;
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    const int view = ResultGraphicView(wtelmvar.ResultGraphicMode);
    if (view == 0)
        FrontViewWithText(3);
    else
        PlanetDrawView(3, static_cast<int16_t>(view));
}

int ResultGraphicView(int32_t Mode)
{
    switch (Mode) {
    case 1:
        return 9;
    case 3:
        return 5;
    case 4:
        return 1;
    case 5:
        return 0;
    case 6:
        return 11;
    default:
        return 10;
    }
}

void FrontViewWithText(int16_t Device)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    if (!HaveScale()) return;
    TCadOutputScope scope;
    CadOpenOutput(Device, telmvar.ProgramName);
    if (telmvar.Aborted) return;
    const Extended w = 0.52L * R() + GearPair.mn;
    CadBeginDrawing(-w, -w, w, w, PlanetaryGears.b[gH]);
    CadWriteTables(0);
    CadBeginBlocks();
    DefineFrontViewBlocks(0);
    CadEndSection();
    CadBeginEntities();
    CadMoveTo(1.2L * w, 0.8L * w);
    CadSetTextStyle(0, 0, 0.03L * w, 0.0225L * w);
    KinematicsTextBlock();
    DrawFrontView();
    CadEndSection();
    CadCloseOutput(1);
}

namespace
{

// The gear-pair calculation sheets of one mesh, calculated and stored back
// first, with the captions "1=.." and "2=..".
template <class TSheet> void MeshSheet(int16_t Device, int16_t Mesh, TSheet Sheet)
{
    if (Mesh < 1 || Mesh > 3) return;
    CalcMesh(Mesh);
    Sheet(Device, "1=" + MeshGearCaption(Mesh, 1), "2=" + MeshGearCaption(Mesh, 2));
}

} // namespace

void ShowMeshDimensions(int16_t Device, int16_t Mesh)
{
    MeshSheet(Device, Mesh, WriteGeometrySheet);
}

void ShowMeshStrength(int16_t Device, int16_t Mesh)
{
    MeshSheet(Device, Mesh, WriteStrengthSheet);
}

void SheetHeaderText(Extended X, Extended Y, Extended Height, Extended Width)
{
    CadSetLayer(19);
    CadSetTextStyle(2, 0, Height, Width);
    CadMoveTo(X, Y);
    CadTextLine(GearLine(0));
    CadTextLine(telmvar.RemarkLines[1] + "  " + telmvar.RemarkLines[2] + "  " + telmvar.RemarkLines[3]);
    CadTextLine("S: " + GearLine(1));
    CadTextLine("Pi: " + GearLine(2));
    CadTextLine("Pe: " + GearLine(3));
    CadTextLine("H : " + GearLine(4));
}
