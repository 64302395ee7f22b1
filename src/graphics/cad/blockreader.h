#pragma once
// Reads a block back from its DXF file and draws it through the CAD
// primitives: the screen and STL devices keep their block definitions as
// files, and the plot program's file draws blocks it does not define.
//
// The reader takes the subset of ASCII DXF entities this program writes
// (LINE, POLYLINE/VERTEX/SEQEND, LWPOLYLINE, CIRCLE, ARC, TEXT, SOLID,
// INSERT). Inserts nest up to four levels; a deeper one is reported and
// drawn as nothing, and the drawing goes on.

#include "foundation/types.h"

#include <string>
#include <string_view>

// Nesting levels a block may have.
inline constexpr int MaxBlockDepth = 4;

class TCadBlockStore;

// Draws the block Name at (X, Y), rotated by Angle (degrees) and scaled,
// replaying the entities parsed once from its file in Store (the output's
// block store, which keeps them until the block is written again or the
// output closes; nested inserts are looked up there too), relative to the
// block transform in force (cadstate.BlockIns...), which is as it was again
// afterwards. A block without a file: "Invalid temp directory" in the
// message list and Aborted.
void ReadDxfBlockFile(TCadBlockStore& Store, const std::string& Name, Extended X, Extended Y, Extended Angle,
                      Extended ScaleX, Extended ScaleY);

// The entities of one block file's bytes, drawn through the transform in
// force (the reader's inner loop); its inserts come from Store.
void DrawDxfBlockBytes(TCadBlockStore& Store, std::string_view Bytes);
