#include "gearpair/measuring.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/calculationmemo.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>

namespace
{

// A ball diameter written with the settings it was written in, and the
// message about a ball too small for it, formed when first said.
struct TBallText {
    Extended DM = 0;
    uint16_t UnitSystem = 0;
    char Separator = 0;
    int32_t DecimalDigits = 0;
    std::string Text;
    mutable std::string SmallBall;
};

thread_local TCalculationMemo<TBallText, 4> BallTexts;

// The sines of the ball position check of one tooth count and pressure
// angle. A stage checks every gear in each of its meshes and again for the
// stage, so within a calculation each gear's are worked out once.
struct TBallPositionAngles {
    int z = 0;
    Extended Alphan = 0;
    Extended CosHalfPitch = 0, SinAlphan = 0, SinTip = 0, SinTipSigned = 0;
};

thread_local TCalculationMemo<TBallPositionAngles, 6> BallPositionAngles;

const TBallPositionAngles& BallPositionAnglesOf(int z, Extended alphan)
{
    if (const TBallPositionAngles* kept = BallPositionAngles.Find(
            [&](const TBallPositionAngles& a) { return a.z == z && SameAngle(a.Alphan, alphan); }))
        return *kept;
    TBallPositionAngles& a = BallPositionAngles.Add();
    a.z = z;
    a.Alphan = alphan;
    // The angles of the pitch and the tip are the ball check's own, and
    // this memo works each gear's out once: the per-calculation tables
    // would only keep values nobody asks for again. The pressure angle's
    // sine is asked for elsewhere too.
    a.CosHalfPitch = z % 2 != 0 ? std::cos(Pi / (2 * z)) : 1;
    a.SinTip = std::sin(std::fabs(Pi / z) + alphan);
    a.SinAlphan = KeptSin(alphan);
    a.SinTipSigned = z > 0 ? a.SinTip : std::sin(Pi / z + alphan);
    return a;
}

// Teeth spanned as kmess forms them, kept for the arguments that said
// nothing.
struct TSpannedTeeth {
    Extended z = 0, beta = 0, alphan = 0, x = 0, mn = 0;
    int Teeth = 0;
};

thread_local TCalculationMemo<TSpannedTeeth, 8> SpannedTeeth;

int SpannedTeethOf(Extended z, Extended beta, Extended alphan, Extended x, Extended mn)
{
    const TProfileAngles& a = ProfileAnglesOf(beta, alphan);
    const Extended d = mn * z / a.CosBeta;
    const Extended dx = d + 2 * x * mn;
    const Extended betax = KeptArcTan(a.TanBeta * dx / d);
    const Extended alphax = NamedArcCos("kmess", a.CosBeta * a.CosAlphan * d / dx / KeptCos(betax));
    if (alphax == 0) return 1;
    const Extended zPrime = z * a.InvAlphat / a.InvAlphan;
    // Counted on the magnitude and given the gear's sign: an internal gear
    // spans as many spaces as an external gear of its size spans teeth
    // (truncating the negative count toward zero would touch its tips).
    const int s = z < 0 ? -1 : 1;
    return s * static_cast<int>(std::trunc(s * zPrime * alphax / Pi + 1));
}

const TBallText& BallTextOf(Extended DM)
{
    const uint16_t unitSystem = wtelmvar.UnitSystem;
    const char separator = wtelmvar.RegionalDecimalSeparator;
    const int32_t decimalDigits = telmvar.DecimalDigits;
    if (const TBallText* kept = BallTexts.Find([&](const TBallText& t) {
            return SameAngle(t.DM, DM) && t.UnitSystem == unitSystem && t.Separator == separator &&
                   t.DecimalDigits == decimalDigits;
        }))
        return *kept;
    // Field by field: no second entry is formed to be moved in, and the
    // message's string keeps its room.
    TBallText& entry = BallTexts.Add();
    entry.DM = DM;
    entry.UnitSystem = unitSystem;
    entry.Separator = separator;
    entry.DecimalDigits = decimalDigits;
    entry.Text = LengthToText(DM);
    entry.Text += LengthUnitLabel();
    entry.SmallBall.clear();
    return entry;
}

} // namespace

const std::string& BallDiameterText(Extended DM)
{
    return BallTextOf(DM).Text;
}

const std::string& SmallBallMessage(Extended DM)
{
    const TBallText& t = BallTextOf(DM);
    // Formed in the entry's own string, which keeps its room from one
    // calculation to the next.
    if (t.SmallBall.empty()) t.SmallBall.assign("Error  : Dm ball !  (").append(t.Text).append(")");
    return t.SmallBall;
}

const TProfileAngles& ProfileAnglesOf(Extended beta, Extended alphan)
{
    static thread_local TProfileAngles kept;
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && kept.Calculation == calculation && SameAngle(kept.Beta, beta) &&
        SameAngle(kept.Alphan, alphan))
        return kept;
    TProfileAngles a;
    a.Calculation = calculation;
    a.Beta = beta;
    a.Alphan = alphan;
    a.TanAlphan = KeptTan(alphan);
    a.CosBeta = KeptCos(beta);
    // Asked for once in a calculation: straight from the library.
    a.Alphat = std::atan(a.TanAlphan / a.CosBeta);
    a.TanBeta = KeptTan(beta);
    a.CosAlphan = KeptCos(alphan);
    a.SinAlphan = KeptSin(alphan);
    a.InvAlphan = Involute(alphan);
    a.CosAlphat = KeptCos(a.Alphat);
    a.SinAlphat = KeptSin(a.Alphat);
    a.InvAlphat = Involute(a.Alphat);
    a.Betab = KeptArcTan(a.CosAlphat * a.TanBeta);
    a.CosBetab = KeptCos(a.Betab);
    // The sine stays within [-1, 1]: the arc sine never complains. Its
    // angle is met once in a calculation, its cosine again.
    a.CosBetabOfSine = KeptCos(SafeArcSinOnce(KeptSin(beta) * a.CosAlphan));
    kept = a;
    return kept;
}

TPairTransverseAngles PairTransverseAnglesOf(const TProfileAngles& Angles, Extended alpha_t, Extended beta_b)
{
    TPairTransverseAngles t;
    if (SameAngle(Angles.Alphat, alpha_t)) {
        t.CosAlphat = Angles.CosAlphat;
        t.SinAlphat = Angles.SinAlphat;
        t.InvAlphat = Angles.InvAlphat;
    } else {
        t.CosAlphat = KeptCos(alpha_t);
        t.SinAlphat = KeptSin(alpha_t);
        t.InvAlphat = Involute(alpha_t);
    }
    t.CosBetab = SameAngle(Angles.Betab, beta_b) ? Angles.CosBetab : KeptCos(beta_b);
    return t;
}

Extended DmMess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn)
{
    const std::string tag = "Error  : DmMess";
    const Extended zn = z / SafePower(tag, KeptCos(beta), 3.3L);
    if (zn == 0) return 0;
    const Extended alphaM = NamedArcCos(tag, KeptCos(alphan) * zn / (2 * x + zn));
    if (alphaM == 0) {
        AddErrorMessage("Fatal  : Diametr.Dim.o.balls DmMess !");
        return 0;
    }
    const Extended theta = (Pi - 4 * x * KeptTan(alphan)) / 2 / zn + KeptTan(alphaM) - Involute(alphan);
    Extended D = mn * zn * KeptCos(alphan) * (KeptTan(theta) - KeptTan(alphaM));
    if (D >= 0.5L) {
        if (wtelmvar.UnitSystem == 1)
            D = InchToMm(RoundToDecimals(3, MmToInch(D)));
        else
            D = RoundToDecimals(1, D);
    }
    return D;
}

int kmess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn)
{
    if (z == 0) {
        AddFatalMessage("Fatal  : z = 0 !");
        return 0;
    }
    if (const TSpannedTeeth* kept = SpannedTeeth.Find([&](const TSpannedTeeth& t) {
            return SameAngle(t.z, z) && SameAngle(t.x, x) && SameAngle(t.beta, beta) &&
                   SameAngle(t.alphan, alphan) && SameAngle(t.mn, mn);
        }))
        return kept->Teeth;
    const unsigned long before = GuardedReportCount();
    const int teeth = SpannedTeethOf(z, beta, alphan, x, mn);
    // A message must be said again next time.
    if (GuardedReportCount() == before) SpannedTeeth.Add() = {z, beta, alphan, x, mn, teeth};
    return teeth;
}

void CheckBallContactPoint(int z, Extended mn, Extended alphan, Extended beta, Extended x, Extended DM)
{
    if (z == 0) return;
    const TProfileAngles& a = ProfileAnglesOf(beta, alphan);
    const Extended eta = (Pi - 4 * x * a.TanAlphan) / 2 / z;
    const Extended etat = eta - a.InvAlphat;
    const Extended db = a.CosAlphat * mn * z / a.CosBeta;
    // The ball is too small when its centre's pressure angle is negative.
    if (ArcInvoluteIsNegative(DM / db / a.CosBetab - etat)) AddErrorMessage(SmallBallMessage(DM));
}

void CheckBallPosition(int z, Extended MdK, Extended MdR, Extended df, Extended dFamin, Extended DM,
                       Extended alphan, Extended rhoaP0)
{
    if (z == 0) return;
    const TBallPositionAngles& a = BallPositionAnglesOf(z, alphan);
    Extended e1 = MdK - DM;
    Extended e2 = MdR - DM;
    if (z % 2 != 0) {
        const Extended c = a.CosHalfPitch;
        e1 /= c;
        e2 /= c;
    }
    // For an external gear both checks turn by the same angle.
    const Extended sinTip = a.SinTip;
    if (e1 - sinTip * DM < (1 - a.SinAlphan) * 2 * rhoaP0 + df)
        AddErrorMessage(SmallBallMessage(DM));
    else if (df > e1 - DM)
        AddErrorMessage("Warning: Dm ball   (" + BallDiameterText(DM) + ")");
    else if (dFamin < e2 - a.SinTipSigned * DM)
        AddErrorMessage("Error  : Dm ball !  (" + FloatToSignificant(LengthForDisplay(DM)) +
                        LengthUnitLabel() + ")");
}
