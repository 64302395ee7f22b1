#pragma once
// The drawings of the CAD batch mode "wqyr7 project.qy7 /CADi:j", by index j,
// and the checks of the switch itself.
//
// The index table is fixed (the same numbers scripts have always used):
//    1      front view of the stage with its kinematics text
//    2..9   production drawing items 1..8 of gear 1 of mesh S-Pi
//   10..17  the same of gear 2 of mesh Pi-Pe
//   18..23  stage views 1..6 (Kutzbach chart, Wolf symbol, section, front
//           view, gear unit, tables)
//   24..28  wheel views 1..5 of the sun (27 only loads and calculates the
//           mesh: it never writes a file)
// Each drawing registers its indexes when it is built into the program
// (InstallCadExports); an index whose drawing is not built in yet is
// refused by name, so a script never mistakes a missing drawing for one
// that wrote nothing.

#include "foundation/types.h"

#include <functional>
#include <string>

// Draws index Index on output device Device (the drawing opens and closes
// the output itself).
using TCadExportDrawing = std::function<void(int Device, int Index)>;

// Indexes First..Last are drawn by Draw; a later registration of an index
// replaces an earlier one.
void RegisterCadExport(int First, int Last, TCadExportDrawing Draw);

// The drawings of the table, each with its entry point as it is declared.
void RegisterFrontViewExport(std::function<void(int Device)> FrontViewWithText);
// The mesh is loaded into the gear-pair variables, calculated and stored
// back before the composer runs, as the production drawing menu does.
void RegisterProductionDrawingExports(
    std::function<void(int Device, int Gear, int Item, const std::string& Caption)> ComposeProductionDrawing);
void RegisterStageViewExports(std::function<void(int Device, int View)> PlanetDrawView);
void RegisterWheelViewExports(
    std::function<void(int Device, int View, int Wheel, int Mesh)> WheelViewDispatch);

// Registers every drawing built into this program (cadexports.cpp).
void InstallCadExports();

// The drawing of each index; empty where none is registered.
struct TCadExports {
    TArray<TCadExportDrawing, 1, 28> Drawings;
};

extern TCadExports cadexports;

// Forgets every registration.
void ResetCadExports();

enum class TCadIndexKind {
    Drawing,      // the index names a drawing that writes a file
    NoFile,       // 27: wheel view 4 only loads and calculates the mesh
    OutsideTable, // anything outside 1..28
};
TCadIndexKind CadIndexKind(int Index);

bool CadExportRegistered(int Index);

// Writes drawing Index to Device; false (nothing done) when no drawing is
// registered for the index.
bool ExportCadByIndex(int Device, int Index);

// The switch "/CADi:j" taken apart: i one digit at the fifth place, ":" at
// the sixth, j a whole number from the seventh place on. "/cad" is the same
// switch.
struct TCadSwitch {
    bool Valid = false;
    int Device = 0;
    int Index = 0;
};
TCadSwitch ParseCadSwitch(const std::string& P2);

enum class TCadDeviceKind {
    File,       // 1 DXF, 2 IGES, 5 text CAD, 6 STL: ProjectName + extension
    PlotFile,   // 4: TempDir + "korvilt.dxf" and the plot program
    Asks,       // 0: would ask which device
    Screen,     // 3: the graphics window
    NoSuchCode, // 7, 8, 9
};
TCadDeviceKind CadDeviceKind(int Device);

// The file a device writes in a batch run: ProjectName + "." + extension in
// the current directory, or TempDir + "korvilt.dxf" for the plot program.
std::string CadBatchTarget(int Device);
