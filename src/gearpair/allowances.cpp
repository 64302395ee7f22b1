#include "gearpair/allowances.h"

#include <cmath>

#include "foundation/programstate.h"

namespace
{

// Lower bounds (whole mm) of the centre distance rows 1..21.
constexpr TArray<int, 1, 21> CentreDistanceRowStart{
    {0, 3, 6, 10, 18, 30, 50, 80, 120, 180, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500}};

// Lower bounds (whole mm) of the diameter rows 1..11.
constexpr TArray<int, 1, 11> DiameterRowStart{{0, 10, 50, 125, 280, 560, 1000, 1600, 2500, 4000, 6300}};

constexpr int CentreDistanceAllowanceTable[21][8] = {
    {3, 4, 6, 10, 14, 25, 40, 60},           {4, 5, 8, 12, 18, 30, 48, 75},
    {4, 6, 9, 15, 22, 36, 58, 90},           {5, 8, 11, 18, 27, 43, 70, 110},
    {6, 9, 13, 21, 33, 52, 84, 130},         {7, 11, 16, 25, 39, 62, 100, 160},
    {8, 13, 19, 30, 46, 74, 120, 190},       {10, 15, 22, 35, 54, 87, 140, 220},
    {12, 18, 25, 40, 63, 100, 160, 250},     {14, 20, 29, 46, 72, 115, 185, 290},
    {16, 23, 32, 52, 81, 130, 210, 320},     {18, 25, 36, 57, 89, 140, 230, 360},
    {20, 27, 40, 63, 97, 155, 250, 400},     {22, 28, 44, 70, 110, 174, 280, 440},
    {24, 32, 50, 80, 124, 200, 320, 500},    {28, 36, 56, 90, 140, 230, 360, 560},
    {32, 42, 66, 104, 164, 260, 420, 660},   {36, 50, 78, 124, 194, 310, 500, 780},
    {40, 60, 92, 150, 230, 370, 600, 920},   {44, 70, 110, 174, 280, 440, 700, 1100},
    {50, 86, 134, 210, 330, 540, 860, 1350},
};

constexpr int ToothThicknessToleranceTable[11][10] = {
    {3, 5, 8, 12, 20, 30, 50, 80, 130, 200},
    {5, 8, 12, 20, 30, 50, 80, 130, 200, 300},
    {6, 10, 16, 25, 40, 60, 100, 160, 250, 400},
    {8, 12, 20, 30, 50, 80, 130, 200, 300, 500},
    {10, 16, 25, 40, 60, 100, 160, 250, 400, 600},
    {12, 20, 30, 50, 80, 130, 200, 300, 500, 800},
    {16, 25, 40, 60, 100, 160, 250, 400, 600, 1000},
    {20, 30, 50, 80, 130, 200, 300, 500, 800, 1300},
    {25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600},
    {30, 50, 80, 130, 200, 300, 500, 800, 1300, 2000},
    {40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2400},
};

constexpr int UpperAllowanceTable[11][11] = {
    {100, 85, 70, 58, 48, 40, 33, 22, 10, 5, 0},
    {135, 110, 95, 75, 65, 54, 44, 30, 14, 7, 0},
    {180, 150, 125, 105, 85, 70, 60, 40, 19, 9, 0},
    {250, 200, 170, 140, 115, 95, 80, 56, 26, 12, 0},
    {330, 280, 230, 190, 155, 130, 110, 75, 35, 17, 0},
    {450, 370, 310, 260, 210, 175, 145, 100, 48, 22, 0},
    {600, 500, 420, 340, 290, 240, 200, 135, 64, 30, 0},
    {820, 680, 560, 460, 390, 320, 270, 180, 85, 41, 0},
    {1100, 920, 760, 620, 520, 430, 360, 250, 115, 56, 0},
    {1500, 1250, 1020, 840, 700, 580, 480, 330, 155, 75, 0},
    {2000, 1650, 1350, 1150, 940, 780, 640, 450, 210, 100, 0},
};

// The row whose range holds v (rows start at the given lower bounds, the
// last row is open upwards; the first row's start is never compared).
template <int Rows> int RowOf(Extended v, const TArray<int, 1, Rows>& start)
{
    int row = 1;
    while (row < Rows && v >= start[row + 1])
        ++row;
    return row;
}

// The value is taken by magnitude: a tabulated size range is the same for
// the negative diameters and centre distance of an internal pair as for the
// external one. The small constant puts a size that sits exactly on a
// boundary (250 mm) in the lower row. The key is not truncated to a whole
// number: RowOf compares it only with row starts that are whole numbers of
// at least 1, and for such a start N, trunc(v) >= N exactly when v >= N.
Extended SizeKey(Extended value, Extended below)
{
    return std::fabs(value) - below;
}

} // namespace

const TArray<double, 1, 34> StandardModules{{0.05, 0.06, 0.08, 0.1, 0.12, 0.16, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6,
                                             0.7,  0.8,  0.9,  1,   1.25, 1.5,  2,   2.5,  3,   4,   5,   6,
                                             8,    10,   12,   16,  20,   25,   32,  40,   50,  60}};

int GetCentreDistanceAllowance(int field, Extended a)
{
    if (field < 1 || field > 8) return 0;
    const int row = RowOf(SizeKey(a, 0.01L), CentreDistanceRowStart);
    return CentreDistanceAllowanceTable[row - 1][field - 1];
}

int GetToothThicknessTolerance(int series, Extended d)
{
    if (series < 1 || series > 10) return 0;
    const int row = RowOf(SizeKey(d, 0.0001L), DiameterRowStart);
    return ToothThicknessToleranceTable[row - 1][series - 1];
}

int GetUpperToothThicknessAllowance(int series, Extended d)
{
    if (series < 1 || series > 11) return 0;
    const int row = RowOf(SizeKey(d, 0.0001L), DiameterRowStart);
    return UpperAllowanceTable[row - 1][series - 1];
}

Extended GetStandardModule(int direction, Extended m)
{
    const auto& M = StandardModules;
    int i = 1;
    while (m > M[i] + 0.001L && i < 34)
        ++i;
    if (telmvar.Aborted) return 0;
    if (std::fabs(M[i] - m) <= 1e-5L && direction > 0 && i < 34) return M[i + 1];
    if (direction == -1 && i > 1) return M[i - 1];
    return M[i];
}
