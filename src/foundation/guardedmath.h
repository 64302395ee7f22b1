#pragma once
// The numeric library of the whole program: elementary functions that never
// fail (they return a fallback and add a message to the collector), the
// involute and its inverse, rounding and axis scaling, plane rotations and
// the conversions between metric and imperial units.
//
// Messages are suppressed while wtelmvar.HideWarnings is set; the routines
// that take a routine-name tag also stay silent for an empty tag, except
// NamedArcCos.

#include "foundation/types.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

// π at full extended precision.
inline constexpr Extended Pi = 3.141592653589793238462643383279502884L;

// The 80-bit layout of an extended real: the 64-bit mantissa with its
// leading bit, then sign and biased exponent. Elsewhere the work on the
// bits (the inverse involute's walk, the kept functions) is left out.
inline constexpr bool X87Extended = std::numeric_limits<Extended>::digits == 64 &&
                                    std::numeric_limits<Extended>::max_exponent == 16384 &&
                                    sizeof(Extended) >= 10;

struct TExtendedBits {
    uint64_t Mantissa = 0;
    uint16_t SignExponent = 0;
};

inline TExtendedBits BitsOf(Extended X)
{
    TExtendedBits b;
    std::memcpy(&b.Mantissa, &X, sizeof b.Mantissa);
    std::memcpy(&b.SignExponent, reinterpret_cast<const unsigned char*>(&X) + sizeof b.Mantissa,
                sizeof b.SignExponent);
    return b;
}

// rint(x) for 0 <= x < WholeShift without frndint's long wait. Added to 2^63
// in the 64-bit significand, x is rounded in that one addition to the whole
// number n at spacing 1 in the current mode, halves to even as rint does them
// (2^63 is even, so the parity of 2^63 + n is that of n); subtracting 2^63
// again is exact and leaves n, +0 for x <= 0.5 as rint gives. -0, negative
// values and NaN must take rint itself (or their own mirror of this).
inline constexpr Extended WholeShift = 0x1p63L;

inline Extended RoundBelowShift(Extended x)
{
    if constexpr (X87Extended)
        return (x + WholeShift) - WholeShift;
    else
        return std::rint(x);
}

// Guarded functions.
Extended SafeArcSin(Extended X);
Extended SafeArcCos(Extended X);
Extended NamedArcCos(std::string_view Name, Extended X);
// The same for an argument that no other call of the calculation repeats:
// the library's value without the look-up among the kept values
// (keptfunctions.h), which would find nothing, and without keeping it.
Extended SafeArcSinOnce(Extended X);
Extended SafeArcCosOnce(Extended X);
Extended NamedArcCosOnce(std::string_view Name, Extended X);
Extended SafePower(std::string_view Name, Extended Base, Extended Exp);
// The same for a power that is new at every call (it rests on one mesh's
// own geometry or load): the library is asked without the look-up among the
// powers kept, which would find nothing, and without keeping it.
Extended SafePowerOnce(std::string_view Name, Extended Base, Extended Exp);
// Base to the powers ExpF and ExpH, each as SafePower gives it: the
// logarithm of a positive base is taken once for both.
void SafePowerPair(std::string_view Name, Extended Base, Extended ExpF, Extended ExpH, Extended& F,
                   Extended& H);
// The answers to a negative radicand and to a zero divisor, with their
// messages; out of line, so that the square roots and quotients below are
// worked out where they are asked for, without a call.
Extended SqrtOfNegative(std::string_view Name);
Extended DivisionByZero(std::string_view Name);
inline Extended SafeSqrt(std::string_view Name, Extended X)
{
    if (X < 0) return SqrtOfNegative(Name);
    return std::sqrt(X);
}
Extended SafeSqrt2(std::string_view Name, Extended X);
inline Extended SafeDivide(std::string_view Name, Extended Num, Extended Den)
{
    if (Den == 0) return DivisionByZero(Name);
    return Num / Den;
}
Extended ArcInvolute(Extended X);
// Whether ArcInvolute(X) < 0, without its search where the sign is certain.
bool ArcInvoluteIsNegative(Extended X);

// While one lives, ArcInvolute answers an argument it has already answered
// silently with the same angle without working it out again. A stage meets
// the same few arguments many times in one calculation (the five test
// dimensions of a gear repeat values, and a gear of two meshes has the same
// ball dimensions in both), and each inverse costs a root search.
// One is made per calculation, so nothing carries over into the next one;
// made while another lives, it joins that one.
class TArcInvoluteMemo
{
  public:
    TArcInvoluteMemo();
    ~TArcInvoluteMemo();
    TArcInvoluteMemo(const TArcInvoluteMemo&) = delete;
    TArcInvoluteMemo& operator=(const TArcInvoluteMemo&) = delete;

    // The memo ArcInvolute uses now, or null.
    static TArcInvoluteMemo* Active();
    bool Find(Extended X, Extended& Angle) const;
    void Keep(Extended X, Extended Angle);

  private:
    static constexpr int Capacity = 32;
    bool owner_ = false;
    int count_ = 0;
    int next_ = 0;
    // The arguments' mantissas beside them: the search compares integers
    // and looks at the argument itself only where they agree.
    uint64_t mantissas_[Capacity] = {};
    Extended args_[Capacity] = {};
    Extended angles_[Capacity] = {};
};

// The number of the calculation under way: each outermost TArcInvoluteMemo
// (one per stage or gear-pair calculation) starts a new one; 0 when none
// is under way. Results kept for the same arguments inside a calculation
// are kept for that calculation only: the first calculation of an
// unchanged stage must not find the work of the one before done.
// Inline: the elementary functions of keptfunctions.h ask on every call.
extern constinit thread_local unsigned long CalculationNumberNow;
inline unsigned long CalculationUnderWay()
{
    return CalculationNumberNow;
}

// How many messages the guarded routines above have raised so far, hidden
// ones included: a caller that keeps a result for the same arguments can
// tell whether computing it said anything (and must then compute it again,
// so that the message is said again).
unsigned long GuardedReportCount();

// Plain functions.
Extended Tangent(Extended A);
Extended Involute(Extended A);
// Round: nearest integer, halves to the even neighbour.
Extended Round(Extended X);
Extended RoundToDecimals(int N, Extended X);
Extended IntPower(Extended X, int N);
Extended Hypotenuse(Extended A, Extended B);
Extended Cathetus(Extended A, Extended B);
Extended PolarAngle(Extended X, Extended Y);
Extended PolarAngleYX(Extended Y, Extended X);
void PolarToCartesian(Extended& X, Extended& Y, Extended R, Extended Phi);
void CartesianToPolar(Extended& R, Extended& Phi, Extended X, Extended Y);
Extended RotatedFrameX(Extended X, Extended Y, Extended Phi);
Extended RotatedFrameY(Extended X, Extended Y, Extended Phi);
void RotatePoint(Extended& X2, Extended& Y2, Extended X, Extended Y, Extended Phi);
void RotateShiftPointDeg(Extended& X2, Extended& Y2, Extended DX, Extended DY, Extended AngleDeg, Extended X,
                         Extended Y);
void ScaleRotateShiftPoint(Extended& X2, Extended& Y2, Extended SX, Extended SY, Extended DX, Extended DY,
                           Extended AngleDeg, Extended X, Extended Y);
Extended RadToDeg(Extended X);
Extended DegToRad(Extended X);
Extended NormalizeAngle(Extended X);
Extended AngleDifferenceDeg(Extended A, Extended B);
Extended Log10Safe(Extended X);
Extended PowerOf10(Extended X);
Extended FloorValue(Extended X);
int DecimalExponent(Extended X);
bool IsEven(int64_t N);
bool ApproxEqual(Extended A, Extended B);
bool EqualWithin(Extended A, Extended B, Extended Tol);
Extended MaxExt(Extended A, Extended B);
Extended Max3Ext(Extended A, Extended B, Extended C);
Extended MinExt(Extended A, Extended B);
Extended Min4Ext(Extended A, Extended B, Extended C, Extended D);
Extended ClampExt(Extended Lo, Extended Hi, Extended X);
int MaxInt(int A, int B);
int MinInt(int A, int B);
int ClampInt(int Lo, int Hi, int X);
void SwapExt(Extended& A, Extended& B);
Extended LinearInterpolate(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X);
Extended PercentDeviation(Extended Ref, Extended Value);
int ToothCountSign(Extended X);
int Sign(Extended X);
int Sgn(Extended X);
Extended RoundToDouble(Extended X);
Extended Mean2(Extended A, Extended B);
Extended ArcHeight(Extended R, Extended Chord);

// Rounded axis limits Lo..Hi with Step for about N intervals over Min..Max.
void NiceAxisScale(Extended& Lo, Extended& Hi, Extended& Step, Extended Min, Extended Max, int N);

// Unit conversions.
Extended InchToMm(Extended X);
Extended MmToInch(Extended X);
Extended MPaToPsi(Extended X);
Extended PsiToMPa(Extended X);
Extended LbfInToNm(Extended X);
Extended NmToLbfIn(Extended X);
Extended LbfToN(Extended X);
Extended NToLbf(Extended X);
Extended CelsiusToFahrenheit(Extended X);
Extended FahrenheitToCelsius(Extended X);
