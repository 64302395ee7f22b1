#pragma once
// Data and results of one planet bearing as a block of the stage report.
#include "foundation/types.h"

#include <string>

// n the planet index (1 Pi, 2 Pe); Heading an optional heading; Speed the
// bearing speed in 1/min for the lives in hours. Nothing is written for a
// bearing that is not chosen.
void ReportBearingSpecs(int n, const std::string& Heading, Extended Speed);
// "(EP)" when the lubricant of bearing n carries EP additives.
std::string EPSuffix(int n);
