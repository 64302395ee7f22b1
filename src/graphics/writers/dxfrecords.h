#pragma once
// The record layer of the DXF files: every line of a DXF file is written by
// one of these four, each ended by CR LF. The entity and table layer
// (dxfwriter.h) is built on them.

#include "foundation/types.h"

#include <cstdint>
#include <ostream>
#include <string_view>

// Most decimals a coordinate is written with; more would only print the
// noise of the binary fraction (and a configured 40 would make 50-character
// numbers that some readers refuse).
inline constexpr int DxfMaxDecimals = 15;

// The group code right-aligned in three characters: "  0", "  8", " 10".
void DxfWriteGroupCode(std::ostream& Out, int Code);
// The value line as it is. A CR or LF inside would split the line and put
// every later pair out of step, so each becomes a blank.
void DxfWriteText(std::ostream& Out, std::string_view Text);
// Fixed point with Decimals decimals (clamped to 0..DxfMaxDecimals), "."
// as decimal point, "-" for negative values, no blanks and no exponent;
// 0 decimals write no point. A value that rounds to zero is written without
// a sign.
void DxfWriteReal(std::ostream& Out, Extended X, int Decimals);
void DxfWriteInteger(std::ostream& Out, int64_t N);
