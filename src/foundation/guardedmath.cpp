#include "foundation/guardedmath.h"

#include "foundation/floattext.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace
{

// Beyond e^3000 the guarded power answers with this instead of overflowing.
constexpr Extended PowerOverflowValue = 1e3000L;
constexpr Extended DivideByZeroValue = 1e30L;

std::string AsText(Extended X)
{
    return FloatToGeneralText(X, wtelmvar.RegionalDecimalSeparator);
}

unsigned long ReportCount = 0;

void Report(const std::string& Text)
{
    ++ReportCount;
    if (!wtelmvar.HideWarnings) AddErrorMessage(Text);
}

// Tagged routines: an empty tag means the caller wants no message.
void ReportTagged(std::string_view Name, const char* What)
{
    if (!Name.empty()) Report(std::string(Name) + What);
}

Extended Frac(Extended X)
{
    return X - std::trunc(X);
}

} // namespace

unsigned long GuardedReportCount()
{
    return ReportCount;
}

namespace
{

// An argument beyond ±1 is most often rounding noise or a geometry that does
// not close; either way the nearest valid angle (the limit on the argument's
// own side) is the least surprising answer, and the message tells the user.
// Arc is the kept values' function, or the library's own for an argument
// the calculation meets once (its look-up would find nothing, and what it
// kept nobody would ask for). Inlined in each function below, which then
// calls nothing on the way to its answer.
template <Extended (*Arc)(Extended)> [[gnu::always_inline]] inline Extended GuardedArcSin(Extended X)
{
    if (std::fabs(X) > 1) {
        Report("Error: ArcSin " + AsText(X));
        return X > 0 ? Pi / 2 : -Pi / 2;
    }
    return Arc(X);
}

template <Extended (*Arc)(Extended)> [[gnu::always_inline]] inline Extended GuardedArcCos(Extended X)
{
    if (std::fabs(X) > 1) {
        Report("Error: ArcCos " + AsText(X));
        return X > 0 ? 0.0L : Pi;
    }
    return Arc(X);
}

template <Extended (*Arc)(Extended)>
[[gnu::always_inline]] inline Extended GuardedNamedArcCos(std::string_view Name, Extended X)
{
    // Values within 1e-4 beyond ±1 are rounding noise of the geometry and
    // pass silently.
    if (X >= 1) {
        if (X > 1.0001L) Report("Error : " + std::string(Name) + " arccos(" + AsText(X) + ")");
        return 0;
    }
    if (X <= -1) {
        if (X < -1.0001L) Report("Error : " + std::string(Name) + " arccos(" + AsText(X) + ")");
        return Pi;
    }
    return GuardedArcCos<Arc>(X);
}

} // namespace

Extended SafeArcSin(Extended X)
{
    return GuardedArcSin<KeptArcSin>(X);
}
Extended SafeArcCos(Extended X)
{
    return GuardedArcCos<KeptArcCos>(X);
}
Extended NamedArcCos(std::string_view Name, Extended X)
{
    return GuardedNamedArcCos<KeptArcCos>(Name, X);
}
Extended SafeArcSinOnce(Extended X)
{
    return GuardedArcSin<kept_detail::ArcSin>(X);
}
Extended SafeArcCosOnce(Extended X)
{
    return GuardedArcCos<kept_detail::ArcCos>(X);
}
Extended NamedArcCosOnce(std::string_view Name, Extended X)
{
    return GuardedNamedArcCos<kept_detail::ArcCos>(Name, X);
}

// e^T beyond this range is taken as overflow or 0.
constexpr Extended PowerExponentRange = 3000;

namespace
{

// The power of a base that is not negative, as SafePower gives it.
Extended PowerOfMagnitude(Extended Base, Extended Exp)
{
    const Extended T = Exp * std::log(Base);
    if (T > PowerExponentRange) return PowerOverflowValue;
    if (T < -PowerExponentRange) return 0;
    return std::exp(T);
}

// The powers SafePower has worked out in the calculation under way, keyed
// by the bits of the base (made positive) and of the exponent. The stage
// raises the same base to the same exponent in several meshes, and other
// bases to exponents of their own: the logarithm and the exponential repeat
// only together, so one look-up of the power takes the place of one for
// each, and a new power is kept once instead of twice. As with the kept
// functions, each key has the two places of the set its bits hash to.
struct TPowerPlace {
    uint64_t Base;
    uint64_t Exp;
    // The calculation's number above the sign and exponent of both.
    uint64_t Stamp;
    Extended Value;
};

constexpr unsigned PowerBits = 6;
constinit thread_local TPowerPlace PowerPlaces[2u << PowerBits] = {};

// Out of line: the look-up then saves no registers for the library's calls.
[[gnu::noinline]] Extended KeepPower(Extended Base, Extended Exp, TPowerPlace* Set, uint64_t BaseMantissa,
                                     uint64_t ExpMantissa, uint64_t Stamp)
{
    const Extended value = PowerOfMagnitude(Base, Exp);
    Set[1] = Set[0];
    Set[0] = TPowerPlace{BaseMantissa, ExpMantissa, Stamp, value};
    return value;
}

// Inline in SafePower: a call of its own passes both numbers on in memory.
[[gnu::always_inline]] inline Extended KeptPowerOfMagnitude(Extended Base, Extended Exp)
{
    const unsigned long calculation = CalculationUnderWay();
    if (!X87Extended || calculation == 0) return PowerOfMagnitude(Base, Exp);
    const TExtendedBits base = BitsOf(Base);
    const TExtendedBits exp = BitsOf(Exp);
    const uint64_t signExponents = (static_cast<uint64_t>(base.SignExponent) << 16) | exp.SignExponent;
    const uint64_t stamp = (static_cast<uint64_t>(calculation) << 32) | signExponents;
    // Folded and spread as the kept functions' keys are; the exponent's
    // mantissa is turned so that a base and an exponent of the same few bits
    // do not cancel.
    const uint64_t mixed =
        (base.Mantissa ^ (base.Mantissa >> 32)) + std::rotl(exp.Mantissa, 29) + signExponents;
    TPowerPlace* set = &PowerPlaces[2 * ((mixed * 0x9e3779b97f4a7c15ULL) >> (64 - PowerBits))];
    for (int k = 0; k < 2; ++k)
        if (set[k].Base == base.Mantissa && set[k].Exp == exp.Mantissa && set[k].Stamp == stamp)
            return set[k].Value;
    return KeepPower(Base, Exp, set, base.Mantissa, exp.Mantissa, stamp);
}

} // namespace

namespace
{

// Power is KeptPowerOfMagnitude, or PowerOfMagnitude for a power that is
// new at every call.
template <Extended (*Power)(Extended, Extended)>
[[gnu::always_inline]] inline Extended GuardedPower(std::string_view Name, Extended Base, Extended Exp)
{
    if (Base == 0) return 0;
    if (Base < 0) {
        // Callers take roots of signed quantities (torques, differences) as
        // magnitudes; the magnitude's power is returned and, with a tag,
        // reported.
        ReportTagged(Name, " (pow)");
        Base = -Base;
    }
    return Power(Base, Exp);
}

} // namespace

Extended SafePower(std::string_view Name, Extended Base, Extended Exp)
{
    return GuardedPower<KeptPowerOfMagnitude>(Name, Base, Exp);
}

Extended SafePowerOnce(std::string_view Name, Extended Base, Extended Exp)
{
    return GuardedPower<PowerOfMagnitude>(Name, Base, Exp);
}

void SafePowerPair(std::string_view Name, Extended Base, Extended ExpF, Extended ExpH, Extended& F,
                   Extended& H)
{
    // The bases of such pairs (the shares of a load spectrum) are new at
    // every call: the library is asked directly, without a search among
    // the kept values that would find nothing and places filled for nobody.
    if (Base > 0) {
        const Extended ln = std::log(Base);
        const Extended f = ExpF * ln;
        const Extended h = ExpH * ln;
        if (std::fabs(f) <= PowerExponentRange && std::fabs(h) <= PowerExponentRange) {
            F = std::exp(f);
            H = std::exp(h);
            return;
        }
    }
    // A base SafePower reports, or a power beyond its range.
    F = SafePower(Name, Base, ExpF);
    H = SafePower(Name, Base, ExpH);
}

Extended SqrtOfNegative(std::string_view Name)
{
    ReportTagged(Name, " (sqrt)");
    return 0;
}

Extended SafeSqrt2(std::string_view Name, Extended X)
{
    return SafeSqrt(Name, X);
}

Extended DivisionByZero(std::string_view Name)
{
    ReportTagged(Name, " (div)");
    return DivideByZeroValue;
}

Extended Tangent(Extended A)
{
    return KeptTan(A);
}

Extended Involute(Extended A)
{
    return KeptTan(A) - A;
}

namespace
{

// The cube root of a normal double S, to within 1e-14 (the series below
// needs 1e-7): the bits of |S| divided by 3 and offset by a constant put
// the exponent's third in place, with the mantissa within 3.3 per cent,
// and two of Halley's steps, y (y^3 + 2S) / (2y^3 + S), cube the error
// each. Quicker than the library's cube root, which splits and scales the
// number by calls.
double CubeRootStart(double S)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &S, sizeof bits);
    const uint64_t sign = bits & (uint64_t{1} << 63);
    bits = (bits ^ sign) / 3 + 0x2A9F7893782DA1CEull;
    double y = 0;
    std::memcpy(&y, &bits, sizeof y);
    const double m = std::fabs(S);
    for (int k = 0; k < 2; ++k) {
        const double y3 = y * y * y;
        y *= (y3 + 2 * m) / (2 * y3 + m);
    }
    return std::copysign(y, S);
}

// The root of Involute(a) = X by Newton's method from the start the
// inverted series of the involute gives: with y = cbrt(3X),
// a = y - 2y^3/15 + 3y^5/175 - 2y^7/1575 ..., within about 1e-6 over the
// pressure angles of gearing, so that two steps settle it. The steps stop
// when one is down to the last bits, or when the next one would be (the
// error of a step is about (1 + tan^2)/tan times the square of the one
// before). Tan is tan(a) of the last step, close to tan of the root.
// False when X is out of reach or the steps do not settle.
bool InvoluteRoot(Extended X, Extended& root, Extended& Tan)
{
    static const Extended Limit = Involute(1.57L);
    if (!(std::fabs(X) <= Limit) || X == 0) return false;
    // The series is good to about 1e-6 and Newton's steps settle the rest:
    // the start needs no more than a double's cube root, several times
    // quicker than the extended one, which serves below the double range.
    const Extended s = 3 * X;
    const Extended y =
        std::fabs(s) > 1e-300L ? static_cast<Extended>(CubeRootStart(static_cast<double>(s))) : std::cbrt(s);
    const Extended y2 = y * y;
    Extended a = y * (1 + y2 * (-2.0L / 15 + y2 * (3.0L / 175 - y2 * (2.0L / 1575))));
    if (std::fabs(a) > 1.5L) a = std::copysign(1.5L, X);
    // The second step's tangent comes from the first one's by the addition
    // theorem, tan(a0 + d) = (t0 + tan d) / (1 - t0 tan d), with tan d from
    // its series (the first term left out is below 1e-24 of it), instead
    // of a second tanl, where the first step was short (|d| <= 1e-4 a0,
    // so that |tan d| <= 1e-4 t0) and a0 at most 1.5 rad (|t0 tan d| below
    // 0.003). Neither sum then cancels: the tangent carries t0's error and
    // three more roundings, below 2e-19 of it. The root moves by the
    // tangent's error / tan^2, so that in the involute it is off by no more
    // than the tangent's error, a few 1e-19 tan as with tanl, well inside
    // the 2e-18 tan the doubt in ArcInvolute allows for the tangents.
    Extended a0 = 0;
    Extended t0 = 0;
    for (int k = 0; k < 40; ++k) {
        const Extended d = a - a0;
        Extended t = 0;
        if (k == 1 && std::fabs(d) <= 1e-4L * std::fabs(a0) && std::fabs(a0) <= 1.5L) {
            const Extended d2 = d * d;
            const Extended tanD = d + d * d2 * (1.0L / 3 + d2 * (2.0L / 15));
            t = (t0 + tanD) / (1 - t0 * tanD);
        } else {
            t = std::tan(a);
        }
        a0 = a;
        t0 = t;
        const Extended slope = t * t;
        if (slope == 0) return false;
        const Extended next = a - (t - a - X) / slope;
        if (!(std::fabs(next) < 1.5708L)) return false;
        const Extended step = next - a;
        if (std::fabs(step) <= 1e-18L * std::fabs(next) ||
            4 * (1 + slope) * step * step <= 1e-19L * std::fabs(t) * std::fabs(next)) {
            root = next;
            Tan = t;
            return true;
        }
        a = next;
    }
    return false;
}

thread_local TArcInvoluteMemo* ActiveArcInvoluteMemo = nullptr;
thread_local unsigned long CalculationsStarted = 0;

Extended FromBits(uint64_t Mantissa, uint16_t SignExponent)
{
    Extended x = 0;
    std::memcpy(&x, &Mantissa, sizeof Mantissa);
    std::memcpy(reinterpret_cast<unsigned char*>(&x) + sizeof Mantissa, &SignExponent, sizeof SignExponent);
    return x;
}

// The power of two at the bottom of the binade of |X|, for |X| between
// 2^-7 and 2: the roots of gearing, 0.01 .. 1.5 rad.
Extended BinadeOf(Extended X)
{
    static constexpr Extended powers[] = {0x1p-7L, 0x1p-6L, 0x1p-5L, 0x1p-4L,
                                          0x1p-3L, 0x1p-2L, 0x1p-1L, 0x1p0L};
    return powers[std::clamp((BitsOf(X).SignExponent & 0x7fff) - (16383 - 7), 0, 7)];
}

// Whether the magnitudes of A and B have one exponent: the walk on the
// mantissas below needs that, and does no step otherwise.
bool OneBinade(Extended A, Extended B)
{
    return (BitsOf(A).SignExponent & 0x7fff) == (BitsOf(B).SignExponent & 0x7fff);
}

// Up to Steps steps of the integer bisection of l .. h, with midpoints
// rounded half to even, that stop before the first midpoint in the Window
// mantissas from First on; returns the steps done. The ends are below 2^63
// and First at most 2^63, so that a midpoint less First, as a signed
// number, is negative just for a midpoint below the window. The ends are
// kept in registers, and four steps share one test of the step count.
int StepsToWindow(uint64_t& L, uint64_t& H, uint64_t First, uint64_t Window, int Steps)
{
    uint64_t l = L;
    uint64_t h = H;
    int done = 0;
#pragma GCC unroll 4
    for (; done < Steps; ++done) {
        const uint64_t sum = l + h;
        const uint64_t m = (sum + ((sum >> 1) & 1)) >> 1;
        const uint64_t offset = m - First;
        if (offset < Window) break;
        const bool under = static_cast<int64_t>(offset) < 0;
        l = under ? m : l;
        h = under ? h : m;
    }
    L = l;
    H = h;
    return done;
}

// X in 0 .. 1 as a binary fraction of 64 places (the last one 0), at least 1.
uint64_t BinaryFraction(Extended X)
{
    const Extended f = 1 + X;
    if (!(f < 2)) return ~uint64_t{0};
    return std::max<uint64_t>(BitsOf(f).Mantissa << 1, 1);
}

// The steps the bisection of l .. h (both below 2^63, like First; the
// Window below 2^62) would take before its first midpoint in the window if
// it did not round, and their directions from bit 63 down (1 for upwards)
// in Path. Unrounded, the midpoints of depth d lie at odd multiples of
// (h - l) / 2^(d+1) from l, and the first in a stretch is the one of
// fewest binary places in it, whose places are the directions to it.
// Rounding moves a midpoint by at most half a unit per step before it, 32
// units in all: the window is widened by 64 units on both sides (the
// division's error among them), so that every midpoint on the way lies
// outside the window itself, on the side these directions take it to.
int UnroundedSteps(uint64_t l, uint64_t h, uint64_t First, uint64_t Window, uint64_t& Path)
{
    constexpr Extended slack = 64;
    const Extended perWidth = 1 / static_cast<Extended>(static_cast<int64_t>(h - l));
    const Extended start = static_cast<Extended>(static_cast<int64_t>(First - l));
    const Extended from = (start - slack) * perWidth;
    const Extended to = (start + static_cast<Extended>(static_cast<int64_t>(Window - 1)) + slack) * perWidth;
    const uint64_t lowest = from > 0 ? BinaryFraction(from) : 1;
    const uint64_t highest = to < 1 ? BinaryFraction(to) : ~uint64_t{0};
    if (lowest > highest) return 0;
    Path = highest;
    return std::countl_zero((lowest - 1) ^ highest);
}

// StepsToWindow, the bulk of the steps without the window test: the steps
// UnroundedSteps plans are taken in its directions, and kept when the ends
// they reach still enclose the window. Then every midpoint that became the
// lower end lay below the window and every one that became the upper end
// above it, so that each step went where StepsToWindow takes it; otherwise
// StepsToWindow starts over. A planned step has no comparison of its own
// to wait for, only the next bit of the directions.
int BisectToWindow(uint64_t& L, uint64_t& H, uint64_t First, uint64_t Window, int Steps)
{
    constexpr uint64_t lead = uint64_t{1} << 63;
    uint64_t path = 0;
    const int planned = First < lead && Window > 0 && Window < lead / 2 && H - L >= 2
                            ? std::min(UnroundedSteps(L, H, First, Window, path), Steps)
                            : 0;
    // The steps carry only the sum of the ends and the end the step keeps:
    // the next sum is the midpoint plus that end, known before the
    // midpoint, and the next step keeps the same end when it goes the same
    // way, else the midpoint, so that a step waits for four operations.
    // The last step's ends are its midpoint and the sum less it.
    uint64_t l = L;
    uint64_t h = H;
    if (planned > 0) {
        uint64_t sum = l + h;
        uint64_t kept = static_cast<int64_t>(path) < 0 ? h : l;
        uint64_t turns = path ^ (path << 1);
        uint64_t m = 0;
#pragma GCC unroll 4
        for (int k = 0; k < planned; ++k) {
            const uint64_t half = sum >> 1;
            const uint64_t toEven = sum & half & 1;
            m = half + toEven;
            sum = (half + kept) + toEven;
            kept = static_cast<int64_t>(turns) < 0 ? m : kept;
            turns <<= 1;
        }
        const bool up = static_cast<int64_t>(path << (planned - 1)) < 0;
        l = up ? m : sum - m;
        h = up ? sum - m : m;
    }
    if (planned == 0 || static_cast<int64_t>(l - First) >= 0 ||
        static_cast<int64_t>(h - First) < static_cast<int64_t>(Window))
        return StepsToWindow(L, H, First, Window, Steps);
    L = l;
    H = h;
    return planned + StepsToWindow(L, H, First, Window, Steps - planned);
}

// The half width, as an angle, of the window around the root r in which
// the walk on the mantissas below stops: outside 4.4e-15 / Low^2 of r,
// where Low is at most min(Lo, r) of the walk, the slope bound of
// ArcInvolute makes a midpoint's side certain (with room for the rounding
// of the limits). Near a root of gearing (NearLinear, Tan the tangent
// there, Slope its square) the window narrows to where ArcInvolute's
// estimate Slope * |M - r| does not clear the tolerance by more than its
// doubt can be anywhere in that window (again with room for the rounding):
// outside it the estimate makes the side certain. A smaller Low only
// widens the window. It is worked out in doubles: their rounding, a few
// 1e-16 of it, is far inside the room the bounds leave (4.4e-15 against
// 4e-15, and the factor 1 + 1e-6 on the side of the estimate).
double WalkWindow(double Low, double R, bool NearLinear, Extended Tan, Extended Slope)
{
    const double half = 4.4e-15 / (Low * Low);
    if (!NearLinear) return half;
    const double t = static_cast<double>(std::fabs(Tan));
    const double slope = static_cast<double>(Slope);
    const double doubtMax = 1e-17 + 2e-18 * (t + R + half) + 4 * t * (1 + slope) * half * half;
    const double sideHalf = (1e-15 + doubtMax) / slope * (1 + 1e-6);
    return std::min(half, sideHalf);
}

// Up to Steps bisection steps of ArcInvolute far from the root, done on the
// integer mantissas: once Lo and Hi lie in one binade on the root's side,
// each midpoint (Lo + Hi) / 2 is their mantissas' mean rounded half to
// even, the very number the floating point sum and halving give, and its
// side of the root is an integer comparison. This saves the floating point
// steps' long latency and a branch the predictor cannot learn. The steps
// stop before the first midpoint within Window (WalkWindow, and 4 units of
// the last place more) of the root. Returns the steps done; 0 (and Lo, Hi
// untouched) when the interval is not one binade wide or the root lies
// outside that binade.
int WalkOnMantissas(Extended& Lo, Extended& Hi, Extended root, double Window, int Steps)
{
    // An interval below zero is walked as its mirror image: rounding half
    // to even is symmetric.
    const bool negative = root < 0;
    const Extended a = negative ? -Hi : Lo;
    const Extended b = negative ? -Lo : Hi;
    if (!(a > 0) || !(b > a)) return 0;
    const TExtendedBits ab = BitsOf(a);
    const TExtendedBits bb = BitsOf(b);
    const TExtendedBits rb = BitsOf(root);
    if (ab.SignExponent != bb.SignExponent || ab.SignExponent < 16383 - 960 ||
        ab.SignExponent > 16383 + 960 || (ab.Mantissa >> 63) == 0)
        return 0;
    // The root lies in the same binade (it lies between a and b, but for
    // its last bits, wherever the caller walks): in units of the mantissas'
    // last place it is its own mantissa.
    if ((rb.SignExponent & 0x7fff) != ab.SignExponent) return 0;
    // The half width in units of the last place (2^(63 - e) per 1), with
    // the 4 units and rounded up.
    const int e = ab.SignExponent - 16383;
    double units = 0;
    const uint64_t unitsBits = static_cast<uint64_t>(1023 + 63 - e) << 52;
    std::memcpy(&units, &unitsBits, sizeof units);
    const double windowUnits = Window * units + 4;
    constexpr uint64_t lead = uint64_t{1} << 63;
    const uint64_t halfWidth = windowUnits < 0x1p62 ? static_cast<uint64_t>(windowUnits) + 1 : lead / 2;
    uint64_t L = ab.Mantissa;
    uint64_t H = bb.Mantissa;
    // Midpoints up to below lie below the window, those above notAbove
    // above it; the limits are clamped to L - 1 .. H. The root's units are
    // at least 2^63 and the half width at most 2^62, so that the lower limit
    // does not wrap around, and the upper one is clamped before it would.
    const uint64_t rootUnits = rb.Mantissa;
    const uint64_t below = std::clamp(rootUnits - halfWidth - 1, L - 1, H);
    const uint64_t notAbove = rootUnits > H - halfWidth ? H : std::max(rootUnits + halfWidth, L - 1);
    const uint64_t window = notAbove - below;
    // Both mantissas carry the leading bit; less that bit their sum fits in
    // 64 bits, and the midpoint is half the sum rounded half to even. The
    // limit below is at least L - 1, so less the bit it is at least -1.
    uint64_t l = L - lead;
    uint64_t h = H - lead;
    const int done = BisectToWindow(l, h, below - lead + 1, window, Steps);
    L = l + lead;
    H = h + lead;
    const Extended lo = FromBits(L, ab.SignExponent);
    const Extended hi = FromBits(H, ab.SignExponent);
    Lo = negative ? -hi : lo;
    Hi = negative ? -lo : hi;
    return done;
}

} // namespace

constinit thread_local unsigned long CalculationNumberNow = 0;

TArcInvoluteMemo::TArcInvoluteMemo()
{
    if (ActiveArcInvoluteMemo == nullptr) {
        ActiveArcInvoluteMemo = this;
        owner_ = true;
        CalculationNumberNow = ++CalculationsStarted;
    }
}

TArcInvoluteMemo::~TArcInvoluteMemo()
{
    if (owner_) {
        ActiveArcInvoluteMemo = nullptr;
        CalculationNumberNow = 0;
    }
}

TArcInvoluteMemo* TArcInvoluteMemo::Active()
{
    return ActiveArcInvoluteMemo;
}

// Equal arguments (==) are the same bits but for the sign of zero, and
// zero is never kept: its answer comes from the first midpoint anyway.
bool TArcInvoluteMemo::Find(Extended X, Extended& Angle) const
{
    const uint64_t mantissa = BitsOf(X).Mantissa;
    for (int k = 0; k < count_; ++k)
        if (mantissas_[k] == mantissa && args_[k] == X) {
            Angle = angles_[k];
            return true;
        }
    return false;
}

// When full, the oldest entry makes room.
void TArcInvoluteMemo::Keep(Extended X, Extended Angle)
{
    mantissas_[next_] = BitsOf(X).Mantissa;
    args_[next_] = X;
    angles_[next_] = Angle;
    next_ = (next_ + 1) % Capacity;
    if (count_ < Capacity) ++count_;
}

// Bisection between ±1.57 rad: slow but certain, and the involute is
// monotonic there. The 1e-15 tolerance in the involute needs the extended
// precision of the arithmetic.
//
// The bisection's answer is the first midpoint whose involute is within
// the tolerance, and every caller's numbers depend on exactly that point.
// It is kept, but found cheaply: with the root r known (Newton, two or
// three steps) most midpoints M need no involute, and most of those far
// from r are walked on the mantissas (WalkOnMantissas).
// - Far from r: between M and r on one side of zero the involute's slope
//   tan^2 is at least min(M^2, r^2), so the involute differs from X by at
//   least that times |M - r|; where that bound clears the tolerance with
//   room to spare, the side is certain.
// - Near r, for the angles of gearing (0.01 .. 1.5 rad): the involute less
//   X is tan^2(r) (M - r) to within a doubt that covers the curvature, the
//   root's last bits and many units in the last place of tanl (which is
//   good to a few). Where the estimate is inside the tolerance by more
//   than the doubt, M is the answer; where it is outside by more, the side
//   is certain.
// Only a midpoint whose involute lies too close to the tolerance to tell
// is computed in full, as before. The first midpoint, 0, has the involute
// 0 exactly.
Extended ArcInvolute(Extended X)
{
    TArcInvoluteMemo* memo = TArcInvoluteMemo::Active();
    Extended kept = 0;
    if (memo != nullptr && X != 0 && memo->Find(X, kept)) return kept;
    Extended Lo = -1.57L;
    Extended Hi = 1.57L;
    Extended root = 0;
    Extended tanRoot = 0;
    const bool known = InvoluteRoot(X, root, tanRoot);
    const Extended slope = tanRoot * tanRoot;
    const bool nearLinear = known && std::fabs(root) >= 0.01L && std::fabs(root) <= 1.5L;
    bool walked = false;
    int step = 1;
    if (nearLinear && (X > 0) == (root > 0)) {
        // The first midpoint, 0, lies far off the tolerance (the involute of
        // 0.01 rad is 3.3e-7) on the side away from X; the next ones halve
        // the other end while they lie at least twice the root out, where
        // the slope bound makes their side certain (r^2 * r > 4e-15). Each
        // is exact, so they are taken as they stand.
        // They are worked on the magnitudes, lo .. hi around |r|: rounding
        // half to even is symmetric, and no midpoint here equals the root.
        const Extended r = std::fabs(root);
        Extended end = Hi;
        for (step = 2; end / 2 >= 2 * r; ++step)
            end /= 2;
        Extended lo = 0;
        Extended hi = end;
        // From here on the midpoints lie between q = end / 4 and 2q, and
        // so does the root (it lies beyond q): the slope bound is at least
        // q^2, and a midpoint more than 4.1e-15 / q^2 from the root has the
        // side the loop below gives it, a few comparisons instead of the
        // bound's products. The first one closer is left to that loop.
        const Extended q = end / 4;
        const Extended gap = 4.1e-15L / (q * q);
        // lo < r <= hi all along, so that the ends have one exponent just
        // when both lie in the root's binade [p, 2p): two comparisons in
        // registers instead of reading the exponents from memory. A step's
        // side is that of the sum of the ends against 2r (halving is
        // exact), so that the comparison does not wait for the halving.
        const Extended p = BinadeOf(r);
        const Extended twiceRoot = 2 * r;
        // The walk's window with Low = p, at most min(lo, r) once the ends
        // lie in [p, 2p): worked out here, while the steps go on.
        const double window =
            WalkWindow(static_cast<double>(p), static_cast<double>(r), true, tanRoot, slope);
        bool oneBinade = false;
        while (step <= 800) {
            const Extended sum = lo + hi;
            const Extended M = sum / 2;
            if (!(M >= q && std::fabs(M - r) > gap)) break;
            if (sum < twiceRoot)
                lo = M;
            else
                hi = M;
            if (X87Extended && lo >= p && hi < 2 * p) {
                oneBinade = true;
                ++step;
                break;
            }
            ++step;
        }
        Lo = X > 0 ? lo : -hi;
        Hi = X > 0 ? hi : -lo;
        if (oneBinade) {
            const int done = WalkOnMantissas(Lo, Hi, root, window, 800 - step + 1);
            walked = done > 0;
            step += done;
        }
    }
    for (; step <= 800; ++step) {
        const Extended M = (Lo + Hi) / 2;
        if (known && ((M > 0 && root > 0) || (M < 0 && root < 0)) &&
            std::min(M * M, root * root) * std::fabs(M - root) > 4e-15L) {
            if (M < root)
                Lo = M;
            else
                Hi = M;
            if (X87Extended && !walked && OneBinade(Lo, Hi)) {
                const Extended near = std::min(root < 0 ? -Hi : Lo, std::fabs(root));
                const double window =
                    WalkWindow(static_cast<double>(near), static_cast<double>(std::fabs(root)), nearLinear,
                               tanRoot, slope);
                const int done = WalkOnMantissas(Lo, Hi, root, window, 800 - step);
                walked = done > 0;
                step += done;
            }
            continue;
        }
        if (nearLinear) {
            const Extended d = M - root;
            const Extended estimate = std::fabs(slope * d);
            const Extended doubt = 1e-17L + 2e-18L * (std::fabs(tanRoot) + std::fabs(M)) +
                                   4 * std::fabs(tanRoot) * (1 + slope) * d * d;
            if (estimate + doubt < 1e-15L) {
                if (memo != nullptr) memo->Keep(X, M);
                return M;
            }
            if (estimate - doubt > 1e-15L) {
                if (d < 0)
                    Lo = M;
                else
                    Hi = M;
                continue;
            }
        }
        const Extended F = (M == 0 ? 0 : Involute(M)) - X;
        if (F < 0)
            Lo = M;
        else
            Hi = M;
        if (std::fabs(F) < 1e-15L) {
            // Only a silent answer is kept: an argument that raised the
            // message must raise it again.
            if (memo != nullptr && X != 0) memo->Keep(X, M);
            return M;
        }
    }
    Report("Error: ArcInv in unit math");
    return 0;
}

// The search's first midpoint is 0, which answers an argument below the
// tolerance; every later midpoint has the sign of the side the first one
// sent the search to, that of X (and of its root), and up to the involute
// of 1.5 rad (12.6) the search always ends on one of them. Beyond that, and
// for a NaN, the search answers, with the message it may give.
bool ArcInvoluteIsNegative(Extended X)
{
    if (std::fabs(X) <= 12) return X <= -1e-15L;
    return ArcInvolute(X) < 0;
}

Extended Round(Extended X)
{
    // The default rounding mode of the processor: halves to even. rint, not
    // nearbyint: the same value, without saving and restoring the floating
    // point environment on every call (the tolerance tables round a lot);
    // nothing here reads the inexact flag that rint may raise.
    return std::rint(X);
}

Extended RoundToDecimals(int N, Extended X)
{
    const Extended scale = IntPower(10, N);
    return Round(X * scale) / scale;
}

Extended IntPower(Extended X, int N)
{
    if (N == 0) return 1;
    // Widened before negating so that the most negative int is safe.
    int64_t count = N < 0 ? -static_cast<int64_t>(N) : N;
    Extended result = 1;
    for (; count > 0; --count)
        result *= X;
    return N < 0 ? 1 / result : result;
}

Extended Hypotenuse(Extended A, Extended B)
{
    return std::sqrt(A * A + B * B);
}

Extended Cathetus(Extended A, Extended B)
{
    if (std::fabs(A) > std::fabs(B)) return std::sqrt(A * A - B * B);
    return 0;
}

Extended PolarAngle(Extended X, Extended Y)
{
    if (X == 0) return Y >= 0 ? Pi / 2 : -Pi / 2;
    Extended phi = std::atan(Y / X);
    if (X < 0) phi += Pi;
    return phi;
}

Extended PolarAngleYX(Extended Y, Extended X)
{
    return PolarAngle(X, Y);
}

void PolarToCartesian(Extended& X, Extended& Y, Extended R, Extended Phi)
{
    X = R * std::cos(Phi);
    Y = R * std::sin(Phi);
}

void CartesianToPolar(Extended& R, Extended& Phi, Extended X, Extended Y)
{
    R = Hypotenuse(X, Y);
    Phi = PolarAngle(X, Y);
}

Extended RotatedFrameX(Extended X, Extended Y, Extended Phi)
{
    return X * std::cos(Phi) + Y * std::sin(Phi);
}

Extended RotatedFrameY(Extended X, Extended Y, Extended Phi)
{
    return Y * std::cos(Phi) - X * std::sin(Phi);
}

void RotatePoint(Extended& X2, Extended& Y2, Extended X, Extended Y, Extended Phi)
{
    const Extended c = std::cos(Phi);
    const Extended s = std::sin(Phi);
    X2 = X * c - Y * s;
    Y2 = Y * c + X * s;
}

void RotateShiftPointDeg(Extended& X2, Extended& Y2, Extended DX, Extended DY, Extended AngleDeg, Extended X,
                         Extended Y)
{
    RotatePoint(X2, Y2, X, Y, DegToRad(AngleDeg));
    X2 += DX;
    Y2 += DY;
}

void ScaleRotateShiftPoint(Extended& X2, Extended& Y2, Extended SX, Extended SY, Extended DX, Extended DY,
                           Extended AngleDeg, Extended X, Extended Y)
{
    RotateShiftPointDeg(X2, Y2, DX, DY, AngleDeg, X * SX, Y * SY);
}

Extended RadToDeg(Extended X)
{
    return X * 180 / Pi;
}

Extended DegToRad(Extended X)
{
    return X * Pi / 180;
}

Extended NormalizeAngle(Extended X)
{
    Extended r = Frac(X / (2 * Pi)) * 2 * Pi;
    if (r < 0) r += 2 * Pi;
    return r;
}

Extended AngleDifferenceDeg(Extended A, Extended B)
{
    Extended d = (Frac(B / 360) - Frac(A / 360)) * 360;
    if (d < 0) d += 360;
    return d;
}

Extended Log10Safe(Extended X)
{
    if (X <= 0) return 0;
    // The decimal logarithm itself rather than ln X / ln 10: closer for whole
    // powers of ten, on which the digit count of every number text depends.
    return KeptLog10(X);
}

Extended PowerOf10(Extended X)
{
    // Same value as exp(X ln 10), but exact for whole X.
    return std::pow(10.0L, X);
}

// The largest whole number not above X. A whole negative number is its own
// floor: -2 gives -2. (Subtracting one from every negative value put the
// leading-digit exponent of 0.01 at -3 and opened an empty axis interval
// below a minimum that lies on a step.)
Extended FloorValue(Extended X)
{
    if (std::isnan(X)) return 0;
    const Extended f = std::floor(X);
    constexpr Extended lo = std::numeric_limits<int32_t>::min();
    constexpr Extended hi = std::numeric_limits<int32_t>::max();
    if (f < lo) return lo;
    if (f > hi) return hi;
    return f;
}

int DecimalExponent(Extended X)
{
    if (X == 0) return 0;
    // Decimal powers below 1 are not exact in binary (0.001 is stored a hair
    // below it) and the logarithm itself may be off by a unit in its last
    // place; the small allowance keeps 0.001 at -3 and 1e-6 at -6. It is far
    // below the seven significant digits any number text shows.
    return static_cast<int>(Round(FloorValue(Log10Safe(std::fabs(X)) + 1e-14L)));
}

bool IsEven(int64_t N)
{
    return N % 2 == 0;
}

bool ApproxEqual(Extended A, Extended B)
{
    return std::fabs(A - B) < 1e-5L;
}

bool EqualWithin(Extended A, Extended B, Extended Tol)
{
    return std::fabs(A - B) < Tol;
}

// On ties the second argument is returned, as the drawing code expects.
Extended MaxExt(Extended A, Extended B)
{
    return A > B ? A : B;
}

Extended Max3Ext(Extended A, Extended B, Extended C)
{
    return MaxExt(MaxExt(A, B), C);
}

Extended MinExt(Extended A, Extended B)
{
    return A < B ? A : B;
}

Extended Min4Ext(Extended A, Extended B, Extended C, Extended D)
{
    return MinExt(MinExt(MinExt(A, B), C), D);
}

Extended ClampExt(Extended Lo, Extended Hi, Extended X)
{
    if (Lo > X) X = Lo;
    if (Hi < X) X = Hi;
    return X;
}

int MaxInt(int A, int B)
{
    return A > B ? A : B;
}

int MinInt(int A, int B)
{
    return A < B ? A : B;
}

int ClampInt(int Lo, int Hi, int X)
{
    return MinInt(MaxInt(X, Lo), Hi);
}

void SwapExt(Extended& A, Extended& B)
{
    std::swap(A, B);
}

Extended LinearInterpolate(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X)
{
    if (X1 == X2) return Y1 == Y2 ? Y1 : 0;
    return Y1 + (X - X1) * (Y2 - Y1) / (X2 - X1);
}

Extended PercentDeviation(Extended Ref, Extended Value)
{
    if (Ref == 0) return 0;
    return std::fabs((Value - Ref) / Ref) * 100;
}

int ToothCountSign(Extended X)
{
    return X >= 1 ? 1 : -1;
}

int Sign(Extended X)
{
    return X >= 0 ? 1 : -1;
}

int Sgn(Extended X)
{
    return Sign(X);
}

Extended RoundToDouble(Extended X)
{
    return static_cast<Extended>(static_cast<double>(X));
}

Extended Mean2(Extended A, Extended B)
{
    return (A + B) / 2;
}

Extended ArcHeight(Extended R, Extended Chord)
{
    if (R <= Chord / 2) return R;
    return R - std::sqrt(R * R - (Chord / 2) * (Chord / 2));
}

void NiceAxisScale(Extended& Lo, Extended& Hi, Extended& Step, Extended Min, Extended Max, int N)
{
    Lo = 0;
    Hi = 0;
    Step = 0;
    if (N < 1) N = 1; // an axis has at least one interval
    if (ApproxEqual(Min, Max)) {
        Min -= 1;
        Max += 1;
    }
    // A maximum on a whole step must not open a further interval.
    Max -= (Max - Min) * 1e-5L;
    const Extended raw = (Max - Min) / N;
    const int E = DecimalExponent(raw);
    const Extended M = raw / IntPower(10, E);
    Extended F = 10;
    if (M < 1.5L)
        F = 1;
    else if (M < 3)
        F = 2;
    else if (M < 8)
        F = 5;
    Step = IntPower(10, E) * F;
    Hi = (FloorValue(Max / Step) + 1) * Step;
    Lo = FloorValue(Min / Step) * Step;
}

Extended InchToMm(Extended X)
{
    return X * 25.4L;
}

Extended MmToInch(Extended X)
{
    return X / 25.4L;
}

Extended MPaToPsi(Extended X)
{
    return X * 145.037L;
}

Extended PsiToMPa(Extended X)
{
    return X / 145.037L;
}

Extended LbfInToNm(Extended X)
{
    return X * 0.112984788L;
}

Extended NmToLbfIn(Extended X)
{
    return X / 0.112984788L;
}

Extended LbfToN(Extended X)
{
    return X * 4.44822L;
}

Extended NToLbf(Extended X)
{
    return X / 4.44822L;
}

Extended CelsiusToFahrenheit(Extended X)
{
    return X * 1.8L + 32;
}

Extended FahrenheitToCelsius(Extended X)
{
    return (X - 32) / 1.8L;
}
