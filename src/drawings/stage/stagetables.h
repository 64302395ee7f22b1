#pragma once
// The framed tables of the stage data sheets and the assembly drawing:
// dimensions, operating data, strength, mesh data, bearings, application
// factors, specific sliding, backlash, the planet pin coordinates of the
// carrier drawing, and a table that recalculates the stage in all six
// drive configurations. Each routine draws at once into the current CAD
// drawing or block at its upper left corner (X, Y) with text height H,
// from the calculated stage (PlanetaryStage, PlanetaryGears, the gear-pair
// variables and PlanetBearings).
//
// The names live in a namespace of their own: the gear-pair drawings have
// a specific sliding table and a backlash table of the same names that
// show one mesh, not the stage.

#include "foundation/types.h"
#include "planetary/stage.h"

#include <string>

struct WaelzLagerTyp;

namespace stagetables
{

// --- the stage records as the tables read them ------------------------------
// Entries 1..6 of a per-mesh-and-gear table: 1..3 the first gear of the
// meshes S-Pi, Pi-Pe, Pe-H (S, Pi, Pe), 4..6 their second gear (Pi, Pe, H).
// The records keep these as [slot][mesh]; 0 outside 1..6.
Extended MeshGearEntry(const SlotArray& A, int K);
// The stage gear (1 S .. 4 H) of slot 1 or 2 of mesh M.
int MeshSlotGear(int M, int Slot);
// Specific sliding at the tip and at the root of slot 1 or 2 of mesh M.
Extended SpecificSlidingTip(int M, int Slot);
Extended SpecificSlidingRoot(int M, int Slot);
// Bearing load of planet N (1 Pi, 2 Pe) under the load spectrum, and the
// speed of its bearing relative to the carrier.
Extended PlanetBearingLoad(int N);
Extended PlanetBearingSpeed(int N);
// The carrier's angle of the inner planets against the outer ones (rad).
Extended PlanetOffsetAngle();
bool PowerSharing();
// Failure probability in percent of a reliability code; codes outside
// 1..14 (a project file can hold any number) take the nearest end.
Extended FailureProbability(int ReliabilityIndex);
// "a" (a23 modes 1, 2), "m" (aISO modes 3, 4) or "0"; modes outside 0..4
// take the nearest end.
std::string LifeMethodSuffix(int LifeFactorMode);
// "L" + failure probability + method letter: "L10a", "L1m", "L0.05m".
std::string AdjustedLifeLabel(const WaelzLagerTyp& Bearing);

// --- the six drive configurations ----------------------------------------------
// Role texts of the shafts S, C and H in the configurations 1..6 of
// DriveConfigurations: "in", "out", "locked".
extern const TArray<const char*, 1, 6> DriveRolesS;
extern const TArray<const char*, 1, 6> DriveRolesC;
extern const TArray<const char*, 1, 6> DriveRolesH;

// --- tables ------------------------------------------------------------------------
// The remark lines and the five tables of the stage sheet at their fixed
// places (layer 19 for the remarks).
void WriteStageTables();
// The upper left corner of those tables, and the height of their lowest
// rule (the strength table's).
constexpr Extended StageTablesLeft = 2, StageTablesTop = 106;
Extended StageTablesBottom();
// Mode 0 normal; 2 for the operating-data sheet: a wider first column and
// the two allowable stress rows.
void WriteDimensionTable(int Mode, Extended X, Extended Y, Extended H);
void WriteOperationTable(Extended X, Extended Y, Extended H);
void WriteStrengthTable(Extended X, Extended Y, Extended H);
// Its rows, the head row among them: each 2 H high.
constexpr int StrengthTableRowCount = 9;
// Mode 2 ends after the number of planets (no shafts, no ratios).
void WriteGeneralDataTable(int Mode, Extended X, Extended Y, Extended H);
void WriteMeshDataTable(Extended X, Extended Y, Extended H);
void WriteApplicationFactorTable(Extended X, Extended Y, Extended H);
// N 1 the inner planets' bearing, 2 the outer planets'.
void WriteBearingTable(int N, Extended X, Extended Y, Extended H);
void WriteSpecificSlidingTable(Extended X, Extended Y, Extended H);
void WriteBacklashTable(Extended X, Extended Y, Extended H);
// The planet pin positions for the carrier drawing, at the origin: the
// heading "coordinates planet carrier" above, the head row and two rows
// for each planet pair below. With RowsPerColumn above 0 the rows go on,
// after that many, in a further column to the right with its own head row.
void WriteCarrierCoordinatesTable(int RowsPerColumn = 0);
// Its sizes at the origin: one column's width, the gap between columns,
// the pitch of its rows, the top of the heading text and the heading's
// length in the CAD files.
constexpr Extended CarrierTableColumnWidth = 35 * 3.5L * 0.9L, CarrierTableColumnGap = 5,
                   CarrierTableRowPitch = 7, CarrierTableHeadingTop = 3 + 3.5L;
Extended CarrierTableHeadingLength();
// One row per drive configuration from CalcDriveConfigurations: roles,
// output speed and torque, ratio, smallest safeties; "-" in the values of
// a configuration that could not be calculated.
void DriveConfigTable(Extended X, Extended Y, Extended H);

} // namespace stagetables
