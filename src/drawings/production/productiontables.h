#pragma once
// The data tables of a gear drawing and of the calculation sheets, written
// into the current CAD output (or block) from the gear-pair variables of
// the loaded mesh: gear data, measurement values for checking the tooth
// thickness, flank tolerances, roll angles, the tooth-thickness and
// backlash diagram, and the small tables of drive, forces, material,
// bedding and factors.
//
// Every value goes through the unit-aware formatters, so a table follows
// the chosen unit system (inches with one decimal more, force, torque and
// stress units per system). Diameters of an internal gear are negative in
// the pair variables and are printed by magnitude. Texts are DOS code page
// 437 bytes (0xF1 plus-minus, 0xF8 degree sign).
//
// Callers: the production drawing of a single gear (inside blocks or
// directly), the strength and geometry calculation sheets and the stage
// drawing, at positions of their own.

#include "foundation/types.h"

#include <string>

// --- fixed texts ---------------------------------------------------------------
// "     -" for a spur gear, else "right-hand" (ToothAlignment 1),
// "left-hand" (2) or " ".
std::string ToothAlignmentText(int Gear);
// "DIN 3961" (ToleranceStandard 0), "ISO 1328" (1), "" for any other code.
std::string FlankToleranceStandardText(int Standard);
// "none", "heat-treat.", ... "nitrocarb." for codes 0..7, "" otherwise.
std::string HeatTreatmentText(int Code);
// "js 4" .. "js11" for AaField 1..8, "" otherwise (entered allowances).
std::string CentreDistanceFieldText(int AaField);

// --- gear data -----------------------------------------------------------------
// Mode 0 the single table and the production sheet, 3 the side-by-side
// tables of both gears (both with the rows of the complementary gear),
// 1 the stage drawing's tables (without them). Gear 1 or 2 of the pair.
void WriteGearDataTable(int Mode, int Gear, Extended X, Extended Y, Extended H);
// Its rows, the heading included; each is 2 H high.
int GearDataTableRows(int Mode);
// The fixed-layout gear data form (120 x 140 drawing units, origin at its
// lower left corner).
void WriteGearDataSheet(int Gear);

// --- measurement -----------------------------------------------------------------
// Pins, balls and span with premachining and finishing columns at (0, 100);
// nothing after a fatal calculation error.
void WriteMeasurementTable(int Gear);
// The measurement table of the production sheet (Heading 0, Short 1), the
// stage drawing (0, 0) and the geometry calculation sheet (1, 0).
void WriteMeasurementColumns(int Gear, int Heading, int Short, Extended X, Extended Y, Extended H);
// The gear data and one measurement: Kind 1 balls, 2 pins, 3 span; any
// other kind only the gear data. Premachining rows only with a machining
// allowance q > 0.
void WriteGearMeasurementSheet(int Gear, int Kind);

// --- tolerances and roll angles -----------------------------------------------------
// Flank tolerances in mm of ISO 1328 or DIN 3961 (ToleranceStandard).
// TitleMode 1: the geometry calculation sheet's short title.
void WriteFlankToleranceTable(int Gear, int TitleMode, Extended X, Extended Y, Extended H);
// Its rows, the title row included; each is 2 H high.
int FlankToleranceTableRows();
// Roll angles of da, dFa, dNa, d and dNf: 57.3 tan(arccos(db / D)) in
// degrees, 0 for a diameter inside the base circle.
void WriteRollAngleTable(int Gear, Extended X, Extended Y, Extended H);

// --- tooth thickness and backlash ------------------------------------------------
// True when the backlash diagram has a scale: the largest backlash
// 2 Aa tan(alpha) - Asni1 - Asni2 is above 0.
bool BacklashDiagramDrawable();
// The tooth-thickness tolerance and backlash diagram of the pair with its
// data text. Without a scale the message "not for tolerance = 0 !" is shown
// (where messages are enabled) and nothing is drawn.
void WriteBacklashTable(const std::string& MeshCaption);

// --- tables of the calculation sheets ----------------------------------------------
void WriteMeshDimensionsTable(Extended X, Extended Y, Extended H);
void WritePairGeometryTable(Extended X, Extended Y, Extended H);
void WriteBasicRackTable(Extended X, Extended Y, Extended H);
void WriteDriveTable(Extended X, Extended Y, Extended H);
void WriteForcesTable(Extended X, Extended Y, Extended H);
void WriteMaterialTable(Extended X, Extended Y, Extended H);
// Nothing for CalcMethod 2 and 3, whose factors do not use the bedding.
void WriteBeddingTable(Extended X, Extended Y, Extended H);
void WriteKFactorTable(Extended X, Extended Y, Extended H);
void WriteZFactorTable(Extended X, Extended Y, Extended H);
