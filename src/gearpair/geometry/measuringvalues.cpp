// Measuring values of the tolerance step: span measurement, dimension over
// balls and over pins (DIN 3960), and the step's frame.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <type_traits>
#include <utility>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearfactors.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/geometry/tolerances.h"
#include "gearpair/measuring.h"

namespace
{

// The part of the span measurement that does not depend on the profile
// shift of the measurement: the measuring circle's pressure angle and the
// virtual number of teeth. The tolerance step asks for five spans of each
// gear; this part is worked out once for them (when it raised no message:
// then every call raises it again, in its place).
struct TSpanBase {
    bool Valid = false;
    unsigned long Calculation = 0;
    int z = 0;
    Extended d = 0, x = 0, mn = 0, beta = 0, alpha = 0, alpha_t = 0;
    Extended alphay = 0, zPrime = 0, cosAlpha = 0, sinAlpha = 0, invAlphaT = 0;
};

bool SameSpanBase(const TSpanBase& b, int z, Extended d, Extended x, Extended mn, Extended beta,
                  Extended alpha, Extended alpha_t)
{
    return b.Valid && b.z == z && SameAngle(b.d, d) && SameAngle(b.x, x) && b.mn == mn && b.beta == beta &&
           b.alpha == alpha && b.alpha_t == alpha_t;
}

// What the five spans and ball dimensions of one gear share: the angles of
// the pair.
struct TMeasuringBase {
    Extended TanAlpha = 0, InvAlphaT = 0, CosBetaB = 0, CosAlphaT = 0, CosBeta = 0;
    Extended InvAlpha = 0, CosAlpha = 0, SinAlpha = 0, TanBeta = 0;
    // cos(pi / 2z) of the odd tooth count HalfPitchZ (0: none yet): the ball
    // and pin dimensions of an odd gear are all measured across it.
    Extended CosHalfPitch = 0;
    int HalfPitchZ = 0;
};

Extended CosHalfPitchOf(TMeasuringBase& b, int z)
{
    if (b.HalfPitchZ != z) {
        b.CosHalfPitch = KeptCos(Pi / 2 / z);
        b.HalfPitchZ = z;
    }
    return b.CosHalfPitch;
}

TMeasuringBase MeasuringBaseOf(const TGeometryAngles& Angles)
{
    const TProfileAngles& pa = Angles.Profile;
    const TPairTransverseAngles& t = Angles.Transverse;
    return {pa.TanAlphan, t.InvAlphat,  t.CosBetab,   t.CosAlphat, pa.CosBeta,
            pa.InvAlphan, pa.CosAlphan, pa.SinAlphan, pa.TanBeta,  {}};
}

TMeasuringBase MeasuringBaseOf()
{
    return MeasuringBaseOf(GeometryAnglesOf(GearPair));
}

Extended SpanMeasureFrom(const TMeasuringBase& m, int i, Extended xE);

} // namespace

Extended SpanMeasure(int i, Extended xE)
{
    return SpanMeasureFrom(MeasuringBaseOf(), i, xE);
}

namespace
{

TSpanBase& SpanBaseOf(int i)
{
    static thread_local TSpanBase base[2];
    return base[i == 2 ? 1 : 0];
}

// Whether the kept base holds for gear i as it stands; within a stage or
// pair calculation only its own base counts.
bool SpanBaseKnown(const TSpanBase& b, int i)
{
    const auto& g = GearPair;
    const unsigned long calculation = CalculationUnderWay();
    return (calculation == 0 || b.Calculation == calculation) &&
           SameSpanBase(b, g.z[i], g.d[i], g.x[i], g.mn, g.beta_rad, g.alpha_rad, g.alpha_t);
}

// The span of gear i for the profile shift xE from a base that holds for it.
Extended SpanFromBase(const TMeasuringBase& m, const TSpanBase& b, int i, Extended xE)
{
    auto& g = GearPair;
    const int z = g.z[i];
    // Only its message counts: it tells when the profile shift xE puts the
    // measuring circle below the base circle.
    // Inside (-1, 1) the guarded arc cosine says nothing: no need to form it.
    const Extended cosMeasuring = m.CosAlphaT / (m.CosBeta * 2 * xE / z + 1);
    if (!(cosMeasuring > -1 && cosMeasuring < 1)) NamedArcCos("Fatal  : span measure !", cosMeasuring);
    const int s = z < 0 ? -1 : 1;
    if (g.SpanTeeth[i] == 0) {
        // Counted on the magnitude and given the gear's sign: an internal
        // gear spans as many spaces as an external gear of its size spans
        // teeth (truncating the negative count would touch its tips).
        g.SpanTeeth[i] = s * static_cast<int>(std::trunc(s * b.zPrime * b.alphay / Pi + 1));
    }
    return g.mn * b.cosAlpha * (z * b.invAlphaT + (g.SpanTeeth[i] - s / 2.0L) * Pi) +
           2 * xE * g.mn * b.sinAlpha;
}

Extended SpanMeasureFrom(const TMeasuringBase& m, int i, Extended xE)
{
    const auto& g = GearPair;
    TSpanBase& b = SpanBaseOf(i);
    if (!SpanBaseKnown(b, i)) {
        const Extended d = g.d[i];
        const int z = g.z[i];
        const unsigned long before = GuardedReportCount();
        // The teeth spanned are chosen so that the flanks are touched on the
        // circle of the nominal profile shift, near the middle of the tooth
        // depth.
        // The base's tangent and cosines of beta_rad and alpha_rad are
        // those of the pair's angles.
        const Extended dy = d + 2 * g.x[i] * g.mn;
        const Extended betay = KeptArcTan(m.TanBeta * dy / d);
        const Extended alphay =
            NamedArcCos("Fatal  : span measure !", m.CosBeta * m.CosAlpha * (d / dy) / KeptCos(betay));
        const bool baseSaidNothing = GuardedReportCount() == before;
        b = TSpanBase{baseSaidNothing,
                      CalculationUnderWay(),
                      z,
                      d,
                      g.x[i],
                      g.mn,
                      g.beta_rad,
                      g.alpha_rad,
                      g.alpha_t,
                      alphay,
                      z * m.InvAlphaT / m.InvAlpha,
                      m.CosAlpha,
                      m.SinAlpha,
                      m.InvAlphaT};
    }
    return SpanFromBase(m, b, i, xE);
}

// SmallBall tells whether the ball was found too small (and said so).
Extended BallDimensionFrom(TMeasuringBase& b, int i, Extended xE, bool& SmallBall)
{
    auto& g = GearPair;
    const int z = g.z[i];
    // Half the space angle at the reference circle (a negative z makes it the
    // space of the internal gear) less the involute of the pressure angle.
    const Extended eta = (Pi - 4 * xE * b.TanAlpha) / 2 / z;
    const Extended alphaK = ArcInvolute(g.DM[i] / g.db[i] / b.CosBetaB - (eta - b.InvAlphaT));
    SmallBall = alphaK < 0;
    // A stage drops its meshes' judgements: the text is formed only for a
    // list that keeps it.
    if (SmallBall && JudgementsKept()) AddJudgementMessage(SmallBallMessage(g.DM[i]));
    const Extended dK = g.db[i] / KeptCos(alphaK);
    if (z % 2 == 0) return dK + g.DM[i];
    return dK * CosHalfPitchOf(b, z) + g.DM[i];
}

Extended PinDimensionFrom(TMeasuringBase& b, int i, Extended MdK)
{
    const auto& g = GearPair;
    if (g.z[i] % 2 != 0 && g.beta > 0) return (MdK - g.DM[i]) / CosHalfPitchOf(b, g.z[i]) + g.DM[i];
    return MdK;
}

} // namespace

Extended BallDimension(int i, Extended xE)
{
    TMeasuringBase base = MeasuringBaseOf();
    bool smallBall = false;
    return BallDimensionFrom(base, i, xE, smallBall);
}

Extended PinDimension(int i, Extended MdK)
{
    TMeasuringBase base;
    return PinDimensionFrom(base, i, MdK);
}

namespace
{

// The five profile-shift coefficients of the test dimensions, in the order
// in which they are calculated.
struct TMeasuredValue {
    PairArray<Extended> TGearPairData::*xE;
    PairArray<Extended> TGearPairData::*W;
    PairArray<Extended> TGearPairData::*MdK;
    PairArray<Extended> TGearPairData::*MdR;
};

constexpr TMeasuredValue MeasuredValues[] = {
    {&TGearPairData::xevmin, &TGearPairData::W_xevmin, &TGearPairData::MdK_xevmin,
     &TGearPairData::MdR_xevmin},
    {&TGearPairData::xevmax, &TGearPairData::W_xevmax, &TGearPairData::MdK_xevmax,
     &TGearPairData::MdR_xevmax},
    {&TGearPairData::x, &TGearPairData::W_x, &TGearPairData::MdK_x, &TGearPairData::MdR_x},
    {&TGearPairData::xemin, &TGearPairData::W_xemin, &TGearPairData::MdK_xemin, &TGearPairData::MdR_xemin},
    {&TGearPairData::xemax, &TGearPairData::W_xemax, &TGearPairData::MdK_xemax, &TGearPairData::MdR_xemax},
};

// Calls Step(k) for k = 0 .. 4, with k a constant: the members of the pair
// that MeasuredValues[k] names are then known where they are read.
template <class F, std::size_t... K> void ForEachMeasuredValue(F&& Step, std::index_sequence<K...>)
{
    (Step(std::integral_constant<std::size_t, K>{}), ...);
}

template <class F> void ForEachMeasuredValue(F&& Step)
{
    ForEachMeasuredValue(Step, std::make_index_sequence<std::size(MeasuredValues)>{});
}

// What a gear's measuring values rest on, and what they came to. The
// planets take part in two meshes each, and with a load spectrum every mesh
// runs its geometry twice: within one calculation a gear met again with the
// very same data (sign of zero included) takes its values again, and says
// again what it said about the ball. Only a gear whose values raised no
// other message is kept, so that every other message is raised again.
struct TGearMeasurement {
    int z = 0, SpanTeethIn = 0, AutoBallDiameter = 0;
    bool HelicalOdd = false;
    Extended d = 0, x = 0, mn = 0, beta = 0, alpha = 0, alpha_t = 0, beta_b = 0, db = 0, DMIn = 0, xemax = 0;
    Extended xE[std::size(MeasuredValues)] = {};

    // Set before the gear is kept.
    int SpanTeeth;
    Extended DM;
    Extended W[std::size(MeasuredValues)], MdK[std::size(MeasuredValues)], MdR[std::size(MeasuredValues)];
    bool SmallBall[std::size(MeasuredValues)];
};

// The inputs of gear i as they stand now, outputs empty.
TGearMeasurement GearMeasurementOf(int i)
{
    const auto& g = GearPair;
    TGearMeasurement m;
    m.z = g.z[i];
    m.SpanTeethIn = g.SpanTeeth[i];
    m.AutoBallDiameter = g.AutoBallDiameter;
    m.HelicalOdd = g.z[i] % 2 != 0 && g.beta > 0;
    m.d = g.d[i];
    m.x = g.x[i];
    m.mn = g.mn;
    m.beta = g.beta_rad;
    m.alpha = g.alpha_rad;
    m.alpha_t = g.alpha_t;
    m.beta_b = g.beta_b;
    m.db = g.db[i];
    m.DMIn = g.DM[i];
    m.xemax = g.xemax[i];
    ForEachMeasuredValue([&](auto k) { m.xE[k] = (g.*MeasuredValues[k].xE)[i]; });
    return m;
}

bool SameGear(const TGearMeasurement& a, const TGearMeasurement& b)
{
    if (a.z != b.z || a.AutoBallDiameter != b.AutoBallDiameter || a.HelicalOdd != b.HelicalOdd ||
        !SameBits(a.d, b.d) || !SameBits(a.x, b.x) || !SameBits(a.mn, b.mn) || !SameBits(a.beta, b.beta) ||
        !SameBits(a.alpha, b.alpha) || !SameBits(a.alpha_t, b.alpha_t) || !SameBits(a.beta_b, b.beta_b) ||
        !SameBits(a.db, b.db) || !SameBits(a.xemax, b.xemax))
        return false;
    // A ball sized here replaces the one entered, and the teeth spanned are
    // counted anew; else both count. The count a gear was given (or 0 for
    // one to be counted) gives the spans of that count.
    if (a.AutoBallDiameter != 1 &&
        (!SameBits(a.DMIn, b.DMIn) || (a.SpanTeethIn != b.SpanTeethIn && b.SpanTeethIn != a.SpanTeeth)))
        return false;
    for (std::size_t k = 0; k < std::size(MeasuredValues); ++k)
        if (!SameBits(a.xE[k], b.xE[k])) return false;
    return true;
}

thread_local TCalculationMemo<TGearMeasurement, 6> GearMeasurements;

// Measuring values of gear i from the pair's shared angles; false when a
// call set FatalCalcError.
bool CalcMeasuringValues(int i, const TMeasuringBase& Angles)
{
    auto& g = GearPair;
    TGearMeasurement gear = GearMeasurementOf(i);
    constexpr std::size_t count = std::size(MeasuredValues);
    if (const TGearMeasurement* kept =
            GearMeasurements.Find([&](const TGearMeasurement& m) { return SameGear(m, gear); })) {
        g.DM[i] = kept->DM;
        g.SpanTeeth[i] = kept->SpanTeeth;
        ForEachMeasuredValue([&](auto k) {
            (g.*MeasuredValues[k].W)[i] = kept->W[k];
            (g.*MeasuredValues[k].MdK)[i] = kept->MdK[k];
            (g.*MeasuredValues[k].MdR)[i] = kept->MdR[k];
        });
        for (std::size_t k = 0; k < count; ++k)
            if (kept->SmallBall[k] && JudgementsKept()) AddJudgementMessage(SmallBallMessage(kept->DM));
        return true;
    }
    const unsigned long reportsBefore = GuardedReportCount();
    if (g.AutoBallDiameter == 1) {
        // The ball is sized for the upper finished profile shift.
        g.DM[i] = DmMess(g.z[i], g.beta_rad, g.alpha_rad, g.xemax[i], g.mn);
        g.SpanTeeth[i] = 0;
        if (telmvar.FatalCalcError) return false;
    }
    TMeasuringBase base = Angles;
    // Each value goes to the pair and to the entry that may be kept; the
    // profile shifts are those the entry was formed from (nothing here
    // changes them).
    // The first span sets up the gear's span base; the others take it as it
    // stands when it holds (it said nothing), else each works it out again.
    const TSpanBase* spanBase = nullptr;
    for (std::size_t k = 0; k < count; ++k) {
        const Extended xE = gear.xE[k];
        gear.W[k] = spanBase ? SpanFromBase(base, *spanBase, i, xE) : SpanMeasureFrom(base, i, xE);
        (g.*MeasuredValues[k].W)[i] = gear.W[k];
        if (telmvar.FatalCalcError) return false;
        if (spanBase == nullptr && SpanBaseKnown(SpanBaseOf(i), i)) spanBase = &SpanBaseOf(i);
    }
    // The finished and the pre-machining shifts are often the same: an
    // equal shift has the same ball dimension, and says the same about the
    // ball, as long as working it out raised nothing else.
    bool reusable[count] = {};
    for (std::size_t k = 0; k < count; ++k) {
        const Extended xE = gear.xE[k];
        std::size_t same = 0;
        while (same < k && !(reusable[same] && gear.xE[same] == xE))
            ++same;
        if (same < k) {
            gear.MdK[k] = gear.MdK[same];
            (g.*MeasuredValues[k].MdK)[i] = gear.MdK[k];
            gear.SmallBall[k] = gear.SmallBall[same];
            if (gear.SmallBall[k] && JudgementsKept()) AddJudgementMessage(SmallBallMessage(g.DM[i]));
        } else {
            const unsigned long before = GuardedReportCount();
            gear.MdK[k] = BallDimensionFrom(base, i, xE, gear.SmallBall[k]);
            (g.*MeasuredValues[k].MdK)[i] = gear.MdK[k];
            reusable[k] = GuardedReportCount() == before;
        }
        if (telmvar.FatalCalcError) return false;
    }
    for (std::size_t k = 0; k < count; ++k) {
        gear.MdR[k] = PinDimensionFrom(base, i, gear.MdK[k]);
        (g.*MeasuredValues[k].MdR)[i] = gear.MdR[k];
        if (telmvar.FatalCalcError) return false;
    }
    // A ball that could not be sized said so (not through the guarded
    // routines): such a gear is worked out again each time.
    const bool silent = GuardedReportCount() == reportsBefore && !(g.AutoBallDiameter == 1 && g.DM[i] == 0);
    if (silent) {
        gear.DM = g.DM[i];
        gear.SpanTeeth = g.SpanTeeth[i];
        GearMeasurements.Add() = std::move(gear);
    }
    return true;
}

} // namespace

void CalcTolerances()
{
    CalcTolerances(GeometryAnglesOf(GearPair));
}

void CalcTolerances(const TGeometryAngles& Angles)
{
    auto& g = GearPair;
    if (telmvar.FatalCalcError) return;
    const TMeasuringBase angles = MeasuringBaseOf(Angles);
    for (int i = 1; i <= 2; ++i)
        if (!CalcMeasuringValues(i, angles)) return;

    const bool iso = g.ToleranceStandard == 1;
    for (int i = 1; i <= 2; ++i) {
        if (iso)
            CalcIsoTolerances(i);
        else
            CalcDinTolerances(i);
        if (telmvar.FatalCalcError) {
            AddErrorMessage("Fatal: Fhfbeta !");
            return;
        }
    }
    // Helix slope tolerance of class 5 for gear 1, the reference of the
    // load capacity's mesh misalignment.
    if (iso)
        g.fHbeta5 = RoundTolerance(0.05L * std::sqrt(std::fabs(g.d[1])) + 0.35L * std::sqrt(g.b[1]) + 4);
    else
        g.fHbeta5 = 4.16L * SafePower("Error  : fHbeta", g.b[1], 0.14L);

    for (int i = 1; i <= 2; ++i)
        if (g.df[i] <= 0 && g.z[i] >= 1) AddErrorMessage("Invalid Data !");
}
