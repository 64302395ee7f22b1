#pragma once
// Judges the calculated stage as a whole and adds one message per finding:
// planet assembly and spacing, clearances, every gear, every mesh, load
// alternations, planet bearings and the pinion cutter. Reports only: it
// changes no input and sets no flag.
void CheckPlanetaryStage();
