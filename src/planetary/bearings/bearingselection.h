#pragma once
// The three menu commands on the planet bearings, each for the inner planet
// (n = 1) or the outer planet (n = 2): choose a bearing from the catalogue,
// edit its operating data, drop the choice. The menu handlers recalculate
// the stage and redraw afterwards unless Aborted is set. Questions and lists
// go through the current platform, so the commands run headless in tests.

#include "foundation/types.h"

// The smallest entry of the standard bore list (10 .. 600 mm) greater than
// Round(x + 0.5); 600 when none is.
Extended NextStandardBore(Extended x);

// Diameter of a pin that carries the nominal planet load FlPN[n] over the
// face width of the planet at 300 N/mm² bending stress: the bore the
// catalogue is opened on.
Extended PlanetPinDiameter(int n);

// The guided check accepts a bearing whose C/P lies in 1 .. 5 (ends
// included) without asking.
bool LifeWithinGuidedRange(Extended CRatio);

// Type, catalogue row, guided life check, bearing count and X/O
// configuration; the planet's bore becomes the bearing's outer diameter.
// A Cancel at the life question puts the bearing, the planet's bore, the pin
// diameter and the planet loads back as they were and recalculates the
// stage.
void SelectPlanetBearing(int n);

// The operating data dialog of bearing n (0: ask for the planet first),
// then the life under the nominal planet load.
void EditPlanetBearingApplication(int n);

// Asks "reset database selection ?"; Yes drops the catalogue choice.
void ResetPlanetBearingSelection(int n);
