#pragma once
// The stage seen along its axis. The block front view assembles the real
// wheels: each gear's generated tooth is copied round into a wheel block
// ("RADS", "RADPI", "RADPE", "RADH" from "EVOLV1" .. "EVOLV4"), the wheels
// stand at the planet places turned so that their teeth mesh, and a carrier
// arm ("CARRIER") joins each inner and outer planet to the axis. The
// dimensioned front view draws circles only, with the planet numbers and
// the angles between the planet sets.

#include <cstdint>

// Defines the wheel blocks inside the caller's block section. Marks = 1
// adds a small circle to each wheel that shows its turning and leaves out
// the blocks "pgear" (the block front view) and "wolf" (the Wolf symbol with the kinematics text).
// Reloads and recalculates the meshes Pe-H and S-Pi; the gear-pair
// variables hold S-Pi afterwards.
void DefineFrontViewBlocks(int16_t Marks);

// What differs between the wheel blocks of the front views and those of
// the stage animation.
struct TWheelBlockOptions {
    bool Marks = false;      // the small circles that show each wheel turning
    bool PlanetBores = true; // bearing circles (or the bore) inside the planets
    const char* SunBlock = "RADS";
};
// The tooth blocks "EVOLV1" .. "EVOLV4", the wheel blocks "RADH", "RADPE",
// "RADPI" and the sun's, and "CARRIER"; the meshes as DefineFrontViewBlocks.
void DefineWheelBlocks(const TWheelBlockOptions& Options);
// Gear n (1 S, 2 Pi, 3 Pe, 4 H) as a wheel of |z| tooth blocks; nothing
// while Aborted is set or for a gear without teeth.
void DrawToothRing(int16_t n);
// The block front view, from the blocks of DefineFrontViewBlocks.
void DrawFrontView();
// The front view of circles, centre lines, planet numbers and angles.
void DrawDimensionedFrontView();
