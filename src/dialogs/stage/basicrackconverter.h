#pragma once
// The basic-rack converter in the online window: the reference profile of
// the tool of gear g (1 or 2) of the current gear pair, edited as
// coefficients of the module, with what the profile does to the gear shown
// after every pass (diameters, usable tip diameter, top land, contact
// ratio, tool addendum and dedendum). Every pass recalculates the whole
// pair; the edited profile stays in the gear-pair variables.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// The online window's help base of the converter.
inline constexpr uint16_t BasicRackHelpBase = 6000;

// The texts last written into the input lines and the exact values they
// stand for: a line the user did not retype keeps its value bit for bit
// instead of going through its 3- or 6-digit text on every pass.
struct TBasicRackConverter {
    std::string ShownText[9];
    Extended ShownValue[9] = {};
};

extern TBasicRackConverter basicrackconverter;

// No text shown yet.
void ResetBasicRackConverter();

// The caller has loaded the mesh into the gear-pair variables and takes
// them back afterwards.
void ShowBasicRackConverter(int g);

// The converter without its window, one pass: the eight input texts read,
// the default tip radius, the pair calculated, the outputs and the input
// texts written again. Needs the line buffers set up by the first step of
// ShowBasicRackConverter (BasicRackConverterInit).
void BasicRackConverterInit(int g);
void BasicRackConverterPass(int g);

// 90 % of the largest tip radius coefficient that fits the profile of the
// pair's pressure angle (degrees); false with nothing set when the profile
// has no such radius (1 - sin alpha is 0).
bool DefaultTipRadius(Extended AlphaDeg, Extended haP0_mn, Extended prP0_mn, Extended& rhoaP0_mn);
