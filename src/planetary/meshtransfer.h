#pragma once
// Passing one mesh of the stage through the gear-pair variables.
//
// Pair gear 1 is the gear with fewer teeth; on equal tooth numbers the gear
// named first in the mesh name. Mesh Pe-H is never exchanged: H is always the
// internal gear 2. Slot results stay in mesh-name order whichever gear was the
// pinion.

#include "foundation/types.h"
#include "planetary/stage.h"

using MeshOrder = TArray<int, 1, 2>; // stage gear of pair gear 1 and 2

MeshOrder MeshGearOrder(int m);
bool MeshExchanged(int m);

// One mesh (1..3) into the pair variables and back. The store also returns
// the slot results to mesh-name order and sets the pair's gear captions.
void LoadMesh(int m);
void StoreMesh(int m);
// The per-mesh functions these replaced, each with the call that stands for
// it (CalcMesh, which loads, calculates and stores, is in suggestions.h):
// LoadMeshSPi: LoadMesh(mSPi)
// LoadMeshPiPe: LoadMesh(mPiPe)
// LoadMeshPeH: LoadMesh(mPeH)
// StoreMeshSPi: StoreMesh(mSPi)
// StoreMeshPiPe: StoreMesh(mPiPe)
// StoreMeshPeH: StoreMesh(mPeH)
// CalcMeshSPi: CalcMesh(mSPi)
// CalcMeshPeH: CalcMesh(mPeH)
// RecalcMesh(Mesh): CalcMesh(Mesh)
void SwapMeshResults(int m);
