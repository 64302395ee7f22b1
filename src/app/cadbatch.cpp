#include "app/cadbatch.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/types.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <algorithm>
#include <utility>

TCadExports cadexports;

namespace
{

constexpr int FirstIndex = 1;
constexpr int LastIndex = 28;
// Wheel view 4 of the sun loads and calculates the mesh and draws nothing.
constexpr int MeshOnlyIndex = 27;

} // namespace

void RegisterCadExport(int First, int Last, TCadExportDrawing Draw)
{
    for (int i = std::max(First, FirstIndex); i <= std::min(Last, LastIndex); ++i)
        cadexports.Drawings[i] = Draw;
}

void RegisterFrontViewExport(std::function<void(int Device)> FrontViewWithText)
{
    RegisterCadExport(1, 1, [draw = std::move(FrontViewWithText)](int Device, int) { draw(Device); });
}

void RegisterProductionDrawingExports(
    std::function<void(int Device, int Gear, int Item, const std::string& Caption)> ComposeProductionDrawing)
{
    RegisterCadExport(2, 17, [draw = std::move(ComposeProductionDrawing)](int Device, int Index) {
        // Items 1..8 of the composer's menu; gear 1 of S-Pi first, then
        // gear 2 of Pi-Pe.
        const bool sunMesh = Index <= 9;
        const int mesh = sunMesh ? mSPi : mPiPe;
        const int gear = sunMesh ? 1 : 2;
        LoadCalculatedMesh(mesh);
        // A mesh that cannot be calculated has no drawing: the batch names
        // the failure instead of drawing from stale results.
        if (telmvar.FatalCalcError) return;
        draw(Device, gear, sunMesh ? Index - 1 : Index - 9, MeshCaption(mesh));
    });
}

void RegisterStageViewExports(std::function<void(int Device, int View)> PlanetDrawView)
{
    RegisterCadExport(
        18, 23, [draw = std::move(PlanetDrawView)](int Device, int Index) { draw(Device, Index - 17); });
}

void RegisterWheelViewExports(
    std::function<void(int Device, int View, int Wheel, int Mesh)> WheelViewDispatch)
{
    RegisterCadExport(24, 28, [draw = std::move(WheelViewDispatch)](int Device, int Index) {
        draw(Device, Index - 23, 1, 1);
    });
}

void ResetCadExports()
{
    cadexports = TCadExports{};
}

TCadIndexKind CadIndexKind(int Index)
{
    if (Index < FirstIndex || Index > LastIndex) return TCadIndexKind::OutsideTable;
    return Index == MeshOnlyIndex ? TCadIndexKind::NoFile : TCadIndexKind::Drawing;
}

bool CadExportRegistered(int Index)
{
    return CadIndexKind(Index) != TCadIndexKind::OutsideTable &&
           static_cast<bool>(cadexports.Drawings[Index]);
}

bool ExportCadByIndex(int Device, int Index)
{
    if (!CadExportRegistered(Index)) return false;
    // A copy: a drawing may register again while it runs.
    const TCadExportDrawing draw = cadexports.Drawings[Index];
    draw(Device, Index);
    return true;
}

TCadSwitch ParseCadSwitch(const std::string& P2)
{
    TCadSwitch s;
    // "/CAD" or "-CAD" in any case, a digit, ":", then digits only: "/CAD1x3"
    // and "/CAD12:3" once wrote a drawing nobody asked for.
    if (P2.size() < 7 || P2[5] != ':' || P2[4] < '0' || P2[4] > '9') return s;
    const std::string j = P2.substr(6);
    if (j.size() > 9 || !std::all_of(j.begin(), j.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return s;
    s.Valid = true;
    s.Device = P2[4] - '0';
    s.Index = std::stoi(j);
    return s;
}

TCadDeviceKind CadDeviceKind(int Device)
{
    switch (Device) {
    case 0:
        return TCadDeviceKind::Asks;
    case 1:
    case 2:
    case 5:
    case 6:
        return TCadDeviceKind::File;
    case 3:
        return TCadDeviceKind::Screen;
    case 4:
        return TCadDeviceKind::PlotFile;
    default:
        return TCadDeviceKind::NoSuchCode;
    }
}

std::string CadBatchTarget(int Device)
{
    switch (Device) {
    case 1:
        return telmvar.ProjectName + ".dxf";
    case 2:
        return telmvar.ProjectName + ".igs";
    case 5:
        return telmvar.ProjectName + ".txt";
    case 6:
        return telmvar.ProjectName + ".stl";
    case 4:
        return AddTrailingBackslash(telmvar.TempDir) + "korvilt.dxf";
    default:
        return {};
    }
}
