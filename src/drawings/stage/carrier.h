#pragma once
// The planet carrier in front view: its outline by the carrier form of the
// carrier dialog, the pins of every inner and outer planet and, for the
// forms with a hub, the hub, which the STL output extrudes above the plate.
// Pins or a hub without a diameter (carrier not entered) are left out.

// The carrier view (entities).
void DrawCarrier();
// The hub; raises the upper end of the CAD z range by the hub length for
// the rest of the drawing.
void DrawCarrierHub();
// The planet spacing of the stage with its angles (block "CARR" of the
// carrier sheet).
void CarrierSchematicBlock();
