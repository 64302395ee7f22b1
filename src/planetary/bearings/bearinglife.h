#pragma once
// Life of the planet bearings to ISO 281: equivalent loads, minimum load,
// permissible axial load, basic rating life L10 and modified rating life
// Lna with the reliability factor a1 and either the lubrication factor a23
// or the life modification factor aISO.

#include "foundation/types.h"

#include <string>

// Reference viscosity nu1 (mm²/s) for speed n (1/min) and mean diameter dm
// (mm); 1000000 at standstill.
Extended visko1(Extended n, Extended dm);
// Operating viscosity at T °C of an oil with nu40 at 40 °C (Ubbelohde-Walther).
Extended ViscosityAtTemperature(Extended nu40, Extended T);
Extended A23FromKappa(Extended kappa);
// Contamination factor eC of levels 1..7; 0 for any other level.
Extended ContaminationFactor(int Class, Extended dm);
Extended CalcAIsoBall(Extended kappa, Extended eC, Extended Cu, Extended P);
Extended CalcAIsoRoller(Extended kappa, Extended eC, Extended Cu, Extended P);

// Reliability factor a1 for ReliabilityIndex 1..14 (90 % .. 99.95 %).
extern const TArray<Extended, 1, 14> ReliabilityFactors;
// a1 of an index; indices outside 1..14 take the nearest end of the table.
Extended ReliabilityFactor(int ReliabilityIndex);

// Factor kr (N) of the minimum load formula by bearing type and
// designation; for the double-row angular contact ball bearing the bore d
// decides too. 0 where the type has no kr rule.
Extended MinimumLoadFactor(int BearingType, const std::string& Designation, Extended d);

// Life in hours of a life in 10^6 revolutions at Speed 1/min; 0 at standstill.
Extended LifeInHours(Extended Lrev, Extended Speed);

// Life of planet bearing n (1 Pi, 2 Pe) under radial load Fr and axial
// load Fa (N, one bearing) at Speed (1/min). PairMode 3 with Config 1 or 2:
// an angular contact ball bearing mounted as a pair. Results go into
// PlanetBearings[n]; messages into the collector.
void CalcBearingLife(int n, int PairMode, int Config, Extended Fr, Extended Fa, Extended Speed);
