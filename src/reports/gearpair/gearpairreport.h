#pragma once
// The printed report of one gear pair of the stage: the mesh report with its
// geometry page (DIN 3960/61/67, tolerances, test dimensions, flank
// tolerances) and its strength page (DIN 3990 / ISO 6336), the workshop sheet
// of one wheel, and the service-life lines both strength pages share.
//
// The entry points are plain functions: the main window's print commands and
// the batch run call them. They return true when a report was delivered.

#include "foundation/types.h"

#include <cstdint>

// Full report of mesh 1 (S-Pi), 2 (Pi-Pe) or 3 (Pe-H): the mesh is loaded,
// recalculated and stored back, then reported. Part is the selector of
// GearPairReport.
bool MeshReport(int Mesh, uint16_t Part);

// Workshop sheet of wheel 1 (S), 2 (Pi), 3 (Pe) or 4 (H).
bool WheelMeasurementReport(uint16_t Wheel);

// Loads and recalculates the mesh a wheel belongs to; the result is the
// wheel's gear index (1 or 2) in that pair.
int LoadWheelMesh(uint16_t Wheel);

// The report of the pair variables as they stand (nothing is calculated).
// Part: 1 geometry page, 2 strength page, 0 or 3 both; each followed by the
// messages page. 4 and above open and close an empty report.
bool GearPairReport(uint16_t Part);

// The workshop sheet of pair gear 1 or 2, a complete report.
bool MeasuringDimensionsReport(uint16_t Gear);

// Life lines of a strength page, written into the open report: nothing while
// every safety factor holds (1.16 for ISO 6336, Method 4; else 1.0).
void ReportLifeToothBreakage(const PairArray<Extended>& SF, const PairArray<Extended>& tF, uint16_t Method);
void ReportLifePitting(const PairArray<Extended>& SH, const PairArray<Extended>& tH1,
                       const PairArray<Extended>& tH2, uint16_t Method);

// The larger and the smaller magnitude of two limits: an internal gear's
// inner dimensions are stored negative, and its "max." row must show the
// larger number.
Extended MaxAbsValue(Extended a, Extended b);
Extended MinAbsValue(Extended a, Extended b);

// Sections of the pages, in page order; each writes into the open report.
// False when the report was stopped (paper refused at a page break).
bool ReportPairGeometrySection();
bool ReportPairTolerancesSection();
void ReportPairMeasurementsBlock();
void ReportPairFlankTolerances();
bool ReportPairStrengthData();
bool ReportPairLoadCapacity();
