#pragma once
// Small routines around the stage: suggested diameters and lengths behind the
// "<" buttons of the dimension dialogs, the default pinion cutter of the ring
// gear, names and captions of gears, meshes and shafts, the mapping between
// stage gears and pair gears, and shortcuts that calculate one mesh.

#include "foundation/types.h"

#include <string>
#include <string_view>

Extended SuggestInnerDiameter(int g);
Extended SuggestBoreDiameter(int g);
Extended SuggestShaftDiameter(int m);
Extended SuggestShaftLength(int g);
int CutterTeethDefault();
Extended CutterShiftDefault();
Extended PlanetAngle(int i);

std::string ShaftLetter(int code);
std::string MeshName(int m);
// A view of a fixed label: the stage checks put it into a text of their own.
std::string_view MeshGearLabel(int s, int m);
std::string MeshGearCaption(int m, int j);
std::string MeshCaption(int m);

int PlanetaryGearOfMesh(int m, int j);
int MeshGearOfPair(int m, int g);

// Loads mesh 1..3 into the pair variables, calculates it and stores the
// results back; any other value does nothing.
void CalcMesh(int m);
// Mesh 1..3 loaded, calculated as CalcLoadedMesh does and stored back, the
// pair variables keeping it: what the views, diagrams, animations and
// drawings of one mesh start from.
void LoadCalculatedMesh(int m);
void CalcLoadedMesh();
void AnimateLoadedMesh();
