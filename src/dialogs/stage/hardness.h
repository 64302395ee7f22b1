#pragma once
// Hardness conversion for steel (material group "A.1 (St,GS)"): tensile
// strength and ten hardness scales interpolated in one table, Brinell
// derived from Vickers. Used silently by the material dialog and
// interactively in the online window.
//
// Scales (1-based): 1 Rm (MPa), 2 HV, 3 HRB, 4 HRF, 5 HRC, 6 HRA, 7 HRD,
// 8 HR15N, 9 HR30N, 10 HR45N, 11 HB.

#include "foundation/types.h"

#include <cstdint>
#include <string>

inline constexpr int HardnessScaleCount = 11;
inline constexpr int HardnessRows = 98;
inline constexpr int HardnessColumns = 10;

// Rows ascend in every column; columns 3 to 10 hold tenths; 0 is "no value".
extern const int32_t HardnessTable[HardnessRows][HardnessColumns];
// The table entry of row R (1..98) and column k (1..10).
int32_t HardnessEntry(int R, int k);

extern const TArray<Extended, 1, HardnessScaleCount> HardnessRangeLow;
extern const TArray<Extended, 1, HardnessScaleCount> HardnessRangeHigh;
extern const TArray<const char*, 1, HardnessScaleCount> HardnessScaleNames;
extern const TArray<const char*, 1, HardnessScaleCount> HardnessOutputLabels;
extern const TArray<const char*, 1, 18> HardnessGroupNames;

// The current value in every scale; 0 is no value.
struct THardnessValues {
    TArray<Extended, 1, HardnessScaleCount> HardnessValues{};
};
extern THardnessValues hardness;
void ResetHardnessValues();

// Converts v of scale s into every scale. A value outside the scale's range
// adds the range message, clears every value and gives false; so does a
// scale outside 1..11 (without a message: no caller passes one).
bool CheckHardnessRange(int s, Extended v);
// The same, for the material dialog.
bool ConvertHardness(int s, Extended v);
// The value of scale k, 0 for a scale outside 1..11.
Extended GetHardnessValue(int k);
// The 11 online input texts from the values: Rm as a stress in the current
// unit, the others with 3 significant digits.
void WriteHardnessInputs();
// The online calculator; the material dialog passes 7000 as help base.
void ShowHardnessConverter(uint16_t HelpBase);
// One pass of the calculator without its window: the inputs read, the
// current line converted, the outputs and inputs written.
void HardnessConverterPass(uint16_t CurrentLine);
