#pragma once
// Gear materials ("qyrwst.dbf") and tool profiles ("q1toolx.dbf") chosen from
// their catalogue tables in the table browser and copied into the gear-pair
// variables of one gear; the current tool of a gear stored as a new profile.

#include "foundation/types.h"

#include <cstdint>

// Mode 1 (and 3, handed to the browser as its mode): pick a material for the
// gear (1 or 2). Mode 0: browse and edit the table; Aborted is set afterwards
// so that the caller does not recalculate. TitleGear is the number the
// browser's title gives the gear (0: Gear): a stage form picks for its own
// gear (1 to 4) through a gear of the pair.
void SelectGearMaterial(uint16_t Gear, uint16_t Mode, uint16_t TitleGear = 0);

// Mode other than 0: pick a profile for the gear. Mode 0: browse and edit.
// TitleGear as above.
void SelectToolProfile(uint16_t Gear, uint16_t Mode, uint16_t TitleGear = 0);

// Stores the tool of the gear as a new last record of the tool table; the
// gear then uses that record.
void AppendToolProfile(uint16_t Gear);

struct TGearCatalogue {
    // Module field of the tool profile read last ("0": any module).
    Extended LastToolModule = 0;
};
extern TGearCatalogue gearcatalogue;
void ResetGearCatalogue();
