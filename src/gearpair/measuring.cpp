#include "gearpair/measuring.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"

#include <cmath>
#include <numbers>
#include <string>

namespace {

std::string BallText(Extended DM) { return LengthToText(DM) + LengthUnitLabel(); }

} // namespace

const TProfileAngles& ProfileAnglesOf(Extended beta, Extended alphan)
{
    static thread_local TProfileAngles kept;
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && kept.Calculation == calculation && kept.Beta == beta && kept.Alphan == alphan &&
        std::signbit(kept.Beta) == std::signbit(beta) && std::signbit(kept.Alphan) == std::signbit(alphan))
        return kept;
    TProfileAngles a;
    a.Calculation = calculation;
    a.Beta = beta;
    a.Alphan = alphan;
    a.TanAlphan = std::tan(alphan);
    a.CosBeta = std::cos(beta);
    a.Alphat = std::atan(a.TanAlphan / a.CosBeta);
    a.TanBeta = std::tan(beta);
    a.CosAlphan = std::cos(alphan);
    a.SinAlphan = std::sin(alphan);
    a.InvAlphan = Involute(alphan);
    a.CosAlphat = std::cos(a.Alphat);
    a.SinAlphat = std::sin(a.Alphat);
    a.InvAlphat = Involute(a.Alphat);
    a.Betab = std::atan(a.CosAlphat * a.TanBeta);
    a.CosBetab = std::cos(a.Betab);
    // The sine stays within [-1, 1]: the arc sine never complains.
    a.CosBetabOfSine = std::cos(SafeArcSin(std::sin(beta) * a.CosAlphan));
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
        t.CosAlphat = std::cos(alpha_t);
        t.SinAlphat = std::sin(alpha_t);
        t.InvAlphat = Involute(alpha_t);
    }
    t.CosBetab = SameAngle(Angles.Betab, beta_b) ? Angles.CosBetab : std::cos(beta_b);
    return t;
}

Extended DmMess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn)
{
    const std::string tag = "Error  : DmMess";
    const Extended zn = z / SafePower(tag, std::cos(beta), 3.3L);
    if (zn == 0)
        return 0;
    const Extended alphaM = NamedArcCos(tag, std::cos(alphan) * zn / (2 * x + zn));
    if (alphaM == 0) {
        AddErrorMessage("Fatal  : Diametr.Dim.o.balls DmMess !");
        return 0;
    }
    const Extended theta = (Pi - 4 * x * std::tan(alphan)) / 2 / zn + std::tan(alphaM) - Involute(alphan);
    Extended D = mn * zn * std::cos(alphan) * (std::tan(theta) - std::tan(alphaM));
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
    const TProfileAngles& a = ProfileAnglesOf(beta, alphan);
    const Extended d = mn * z / a.CosBeta;
    const Extended dx = d + 2 * x * mn;
    const Extended betax = std::atan(a.TanBeta * dx / d);
    const Extended alphax = NamedArcCos("kmess", a.CosBeta * a.CosAlphan * d / dx / std::cos(betax));
    if (alphax == 0)
        return 1;
    const Extended zPrime = z * a.InvAlphat / a.InvAlphan;
    // Counted on the magnitude and given the gear's sign: an internal gear
    // spans as many spaces as an external gear of its size spans teeth
    // (truncating the negative count toward zero would touch its tips).
    const int s = z < 0 ? -1 : 1;
    return s * static_cast<int>(std::trunc(s * zPrime * alphax / Pi + 1));
}

void CheckBallContactPoint(int z, Extended mn, Extended alphan, Extended beta, Extended x, Extended DM)
{
    if (z == 0)
        return;
    const TProfileAngles& a = ProfileAnglesOf(beta, alphan);
    const Extended eta = (Pi - 4 * x * a.TanAlphan) / 2 / z;
    const Extended etat = eta - a.InvAlphat;
    const Extended db = a.CosAlphat * mn * z / a.CosBeta;
    const Extended alphaK = ArcInvolute(DM / db / a.CosBetab - etat);
    if (alphaK < 0)
        AddErrorMessage("Error  : Dm ball !  (" + BallText(DM) + ")");
}

void CheckBallPosition(int z, Extended MdK, Extended MdR, Extended df, Extended dFamin, Extended DM,
                       Extended alphan, Extended rhoaP0)
{
    if (z == 0)
        return;
    Extended e1 = MdK - DM;
    Extended e2 = MdR - DM;
    if (z % 2 != 0) {
        const Extended c = std::cos(Pi / (2 * z));
        e1 /= c;
        e2 /= c;
    }
    // For an external gear both checks turn by the same angle.
    const Extended sinTip = std::sin(std::fabs(Pi / z) + alphan);
    if (e1 - sinTip * DM < (1 - std::sin(alphan)) * 2 * rhoaP0 + df)
        AddErrorMessage("Error  : Dm ball !  (" + BallText(DM) + ")");
    else if (df > e1 - DM)
        AddErrorMessage("Warning: Dm ball   (" + BallText(DM) + ")");
    else if (dFamin < e2 - (z > 0 ? sinTip : std::sin(Pi / z + alphan)) * DM)
        AddErrorMessage("Error  : Dm ball !  (" + FloatToSignificant(DM) + LengthUnitLabel() + ")");
}
