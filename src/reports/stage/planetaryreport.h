#pragma once
// The printed report of the calculated plus planetary stage.
//
// Part selector: 0 and 3 everything, 1 gearing geometry, 2 gearing strength,
// 4 load spectrum, 6 planet bearings; any other value opens and closes an
// empty report. While the stage could not be calculated only the message
// list is shown.

#include <cstdint>

void PrintPlanetaryReport(uint16_t Part);

// The report of a stage that could not be calculated (FatalCalcError): the
// message list and nothing else, where the window shows the list in place
// of the report. A batch run writes it so that the report file says why,
// rather than an older report of the project standing as this run's.
void PrintPlanetaryMessagesReport();

// The sections, in report order; each writes through the open report.
void ReportGeometrySection();
void ReportMeasurementsBlock();
// False when the user stopped the report at the section's first page.
bool ReportStrengthSection();
// False when the user stopped the report at the block's first page.
bool ReportLoadSpectrumBlock();
// The page of planet bearing n; false when the user stopped the report.
bool ReportBearingPage(int n);
