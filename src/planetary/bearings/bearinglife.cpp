#include "planetary/bearings/bearinglife.h"

#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/bearings/xyfactors.h"

#include <algorithm>
#include <cmath>

namespace
{

bool Contains(const std::string& S, const char* Part)
{
    return S.find(Part) != std::string::npos;
}
bool BeginsWith(const std::string& S, const char* Part)
{
    return S.rfind(Part, 0) == 0;
}

bool IsBallBearing(int type)
{
    return type == 1 || type == 2 || type == 8 || type == 9;
}

// aISO of one bearing kind: ISO 281's formula with the constants of the
// kappa range.
Extended AIso(Extended kappa, Extended eC, Extended Cu, Extended P, bool ball)
{
    if (kappa > 4) kappa = 4;
    if (kappa < 0.1L) return 0;
    Extended b = 0.071739L;
    Extended A = ball ? 1.9987L : 1.2348L;
    if (kappa < 0.4L) {
        b = 0.054381L;
        A = ball ? 2.2649L : 1.3993L;
    } else if (kappa < 1) {
        b = 0.19087L;
    }
    const Extended q = P != 0 ? eC * Cu / P : 0;
    const Extended inner = (ball ? 2.5671L : 1.5859L) - A / SafePower("aISO", kappa, b);
    const Extended term = ball ? SafePower("aISO", inner, 0.83L) * SafePower("aISO", q, 1.0L / 3)
                               : inner * SafePower("aISO", q, 0.4L);
    const Extended base = 1 - term;
    // Where eC Cu / P reaches the fatigue limit the bracket vanishes or turns
    // negative: the life is unlimited there, and the formula taken by
    // magnitude would fall to almost nothing instead of rising to the cap.
    if (base <= 0) return 50;
    const Extended a = 0.1L * SafePower("aISO", base, ball ? -9.3L : -9.185L);
    return std::min<Extended>(a, 50);
}

std::string N(int n)
{
    return std::to_string(n);
}

void RefuseBearing(const std::string& Text)
{
    AddFatalMessage(Text);
    telmvar.Aborted = true;
}

// The minimum load by the kr formula of ball bearings.
Extended KrFormula(Extended kr, Extended nu, Extended Speed, Extended dm, const char* tag)
{
    return kr * SafePower(tag, nu * Speed / 1000, 2.0L / 3) * (dm / 100) * (dm / 100);
}

} // namespace

Extended visko1(Extended n, Extended dm)
{
    if (n == 0) return 1000000;
    n = std::fabs(n);
    if (n < 1000) return 45000 * SafePower("visko1", n, -0.83L) * SafePower("visko1", dm, -0.5L);
    return 4500 * SafePower("visko1", n, -0.5L) * SafePower("visko1", dm, -0.5L);
}

Extended ViscosityAtTemperature(Extended nu40, Extended T)
{
    const Extended W =
        Log10Safe(Log10Safe(nu40 + 0.8L)) - 3.726L * (Log10Safe(T + 273.15L) - Log10Safe(313.15L));
    return PowerOf10(PowerOf10(W)) - 0.8L;
}

Extended A23FromKappa(Extended kappa)
{
    if (kappa < 0.4L) return PowerOf10(0.53L * Log10Safe(kappa) - 0.49L);
    if (kappa < 1) return SafePower("a23", kappa, 1.75L);
    if (kappa < 4) return SafePower("a23", kappa, 0.66L);
    return 2.5L;
}

Extended ContaminationFactor(int Class, Extended dm)
{
    static const Extended small[] = {1.0L, 0.7L, 0.55L, 0.4L, 0.2L, 0.05L, 0};
    static const Extended large[] = {1.0L, 0.85L, 0.7L, 0.5L, 0.3L, 0.05L, 0};
    if (Class < 1 || Class > 7) return 0;
    return dm < 100 ? small[Class - 1] : large[Class - 1];
}

Extended CalcAIsoBall(Extended kappa, Extended eC, Extended Cu, Extended P)
{
    return AIso(kappa, eC, Cu, P, true);
}

Extended CalcAIsoRoller(Extended kappa, Extended eC, Extended Cu, Extended P)
{
    return AIso(kappa, eC, Cu, P, false);
}

const TArray<Extended, 1, 14> ReliabilityFactors = {
    {1.0L, 0.64L, 0.55L, 0.47L, 0.37L, 0.25L, 0.22L, 0.19L, 0.16L, 0.12L, 0.093L, 0.087L, 0.08L, 0.077L}};

Extended ReliabilityFactor(int ReliabilityIndex)
{
    return ReliabilityFactors[std::clamp(ReliabilityIndex, 1, 14)];
}

Extended MinimumLoadFactor(int BearingType, const std::string& Des, Extended d)
{
    switch (BearingType) {
    case 1:
        if (Contains(Des, "618")) return 15;
        if (Contains(Des, "619") || Contains(Des, "160")) return 20;
        if (Contains(Des, "60") || Contains(Des, "62") || Contains(Des, "161")) return 25;
        if (Contains(Des, "63")) return 30;
        if (Contains(Des, "64")) return 35;
        if (Contains(Des, "42")) return 50;
        if (Contains(Des, "43")) return 60;
        return 0;
    case 2:
        if (BeginsWith(Des, "14")) return 30;
        if (BeginsWith(Des, "12") || BeginsWith(Des, "22")) return 40;
        if (Contains(Des, "13")) return 45;
        if (Contains(Des, "23")) return 50;
        return 0;
    case 5:
        if (Contains(Des, "23")) return 250;
        if (Contains(Des, "22")) return 200;
        if (Contains(Des, "10")) return 100;
        return 150;
    case 8:
        if (Contains(Des, "72") && Contains(Des, "BE")) return 95;
        if (Contains(Des, "72") && Contains(Des, "B")) return 80;
        if (Contains(Des, "73") && Contains(Des, "BE")) return 100;
        if (Contains(Des, "73") && Contains(Des, "B")) return 90;
        return 90;
    case 9:
        if (Contains(Des, "32")) return d <= 50 ? 60 : 80;
        if (Contains(Des, "33")) return d <= 40 ? 70 : 95;
        return 60;
    default:
        return 0;
    }
}

Extended LifeInHours(Extended Lrev, Extended Speed)
{
    if (Speed == 0) return 0;
    return Lrev * 1000000 / std::fabs(Speed) / 60;
}

void CalcBearingLife(int n, int PairMode, int Config, Extended Fr, Extended Fa, Extended Speed)
{
    auto& R = PlanetBearings[n];
    if (R.Designation.empty()) return;
    R.Weight = 0;
    if (Fr == 0) Fr = 0.00001L;
    // A bearing named but not defined, or without its oil, has no life to
    // state; the stage cannot be judged without it, so these stop the
    // calculation like any other fatal condition instead of leaving an
    // earlier bearing's life in the report.
    if (R.D == 0 || R.d == 0) {
        RefuseBearing("Fatal  : rolling bearing undefined !");
        return;
    }
    if (R.nu40 == 0) {
        RefuseBearing("Fatal  : viscosity rolling bearing " + N(n) + " !");
        return;
    }
    const Extended dm = (R.D + R.d) / 2;
    R.nu1 = visko1(Speed, dm);
    R.nu = ViscosityAtTemperature(R.nu40, R.Temperature);
    if (telmvar.Aborted) return;
    R.kappa = R.nu / R.nu1;

    const std::string& des = R.Designation;
    const Extended kr = MinimumLoadFactor(R.BearingType, des, R.d);
    const Extended ratio = Fa / Fr;
    switch (R.BearingType) {
    case 1: {
        R.P0 = std::max({0.6L * Fr + 0.5L * Fa, Fa, Fr});
        if (R.XYTableChoice >= 2 && R.XYTableChoice <= 5) {
            // X and Y depend on Fa / C0: without C0 there is nothing to look
            // up, and the factors of another load would stand in.
            if (R.C0 == 0) {
                RefuseBearing("Fatal  : C0 = 0 !");
                return;
            }
            const std::string table = XYFactorTableName(R.XYTableChoice);
            LookupXYFactors(AddTrailingBackslash(telmvar.DbfDir) + table, R.X, R.Y, Fr, Fa, R.C0);
            if (telmvar.Aborted) {
                RefuseBearing("Fatal  : X, Y of bearing " + N(n) + " not read from " + table + " !");
                return;
            }
        }
        R.P = R.X * Fr + R.Y * Fa;
        R.Frm = KrFormula(kr, R.nu, Speed, dm, "Error  : Fr Lager");
        const bool narrow = R.d <= 10 || Contains(des, "60") || Contains(des, "61") || Contains(des, "68") ||
                            Contains(des, "69");
        R.FaPerm = (narrow ? 0.25L : 0.5L) * R.C0;
        R.Weight =
            7.85L * R.B * (Pi / 4) *
            ((R.D * R.D - R.D1 * R.D1) + (R.d1 * R.d1 - R.d * R.d) + 0.2L * (R.D1 * R.D1 - R.d1 * R.d1)) /
            1000000;
        break;
    }
    case 2:
        R.P0 = Fr + R.Y0 * Fa;
        R.P = ratio <= R.e ? Fr + R.Y1 * Fa : 0.65L * Fr + R.Y2 * Fa;
        R.Frm = KrFormula(kr, R.nu, Speed, dm, "Error  : Fr Lager");
        R.FaPerm = 3 * R.B * R.d;
        break;
    case 3:
    case 4:
    case 10:
        R.P0 = Fr;
        R.P = Fr;
        R.Frm = 0.02L * R.C;
        R.FaPerm = 0;
        break;
    case 5: {
        R.P0 = Fr;
        if (Contains(des, "22") || Contains(des, "23")) {
            R.e = 0.3L;
            R.Y = 0.4L;
        } else {
            R.e = 0.2L;
            R.Y = 0.4L;
        }
        R.P = ratio > R.e ? 0.92L * Fr + R.Y * Fa : Fr;
        // Without a speed limit in the catalogue row the speed term of the
        // minimum load has no reference; the standstill value stands.
        const Extended speedTerm = R.nPerm != 0 ? 4 * Speed / R.nPerm : 0;
        R.Frm = kr * (6 + speedTerm) * (dm / 100) * (dm / 100);
        if (Contains(des, "NUP") || Contains(des, "NJ")) {
            const bool ec = Contains(des, "EC");
            const Extended f1 = ec ? 1.5L : 0.5L;
            const Extended f2 = ec ? 0.15L : 0.05L;
            // The rib's axial capacity is a heat balance over the speed: at
            // standstill there is none to state, so none is permitted.
            const Extended den = Speed * (R.D + R.d);
            R.FaPerm = den != 0 ? f1 * R.C0 * 10000 / den - f2 * Fr : 0;
        } else {
            R.FaPerm = 0;
        }
        break;
    }
    case 6:
        R.P0 = std::max(0.5L * Fr + R.Y0 * Fa, Fr);
        R.P = ratio >= R.e ? 0.4L * Fr + R.Y * Fa : Fr;
        R.Frm = 0.02L * R.C;
        R.FaPerm = R.C;
        break;
    case 7:
        R.P0 = Fr + R.Y0 * Fa;
        R.P = ratio >= R.e ? 0.67L * Fr + R.Y2 * Fa : Fr + R.Y1 * Fa;
        R.Frm = 0.02L * R.C;
        R.FaPerm = 3 * R.B * R.d;
        break;
    case 8:
        if (PairMode == 3 && (Config == 1 || Config == 2)) {
            R.P0 = Fr + 0.52L * Fa;
            R.P = ratio <= 1.14L ? Fr + 0.55L * Fa : 0.57L * Fr + 0.93L * Fa;
        } else {
            R.P0 = std::max(0.5L * Fr + 0.26L * Fa, Fr);
            R.P = ratio <= 1.14L ? Fr : 0.35L * Fr + 0.57L * Fa;
        }
        R.Frm = KrFormula(kr, R.nu, Speed, dm, "Error  : Fr Lager");
        R.FaPerm = R.C;
        break;
    case 9:
        if (EqualWithin(R.alpha, 25, 0.00001L)) {
            R.P0 = Fr + 0.76L * Fa;
            R.P = Fr > 0 && ratio <= 0.68L ? Fr + 0.92L * Fa : 0.67L * Fr + 1.41L * Fa;
        } else if (EqualWithin(R.alpha, 35, 0.00001L)) {
            R.P0 = Fr + 0.58L * Fa;
            R.P = Fr > 0 && ratio <= 0.95L ? Fr + 0.66L * Fa : 0.6L * Fr + 1.07L * Fa;
        } else if (EqualWithin(R.alpha, 45, 0.00001L)) {
            R.P0 = Fr + 0.58L * Fa;
            R.P = Fr > 0 && ratio <= 1.33L ? Fr + 0.47L * Fa : 0.54L * Fr + 0.81L * Fa;
        } else {
            R.P0 = Fr + Fa;
            R.P = Fr + Fa;
            AddErrorMessage("Error  : schrku2: ALPHA=25,35,45!");
        }
        R.Frm = KrFormula(kr, R.nu, Speed, dm, "Error  : Frm Lager");
        R.FaPerm = R.C;
        break;
    default:
        break;
    }
    // The operating viscosity could not be formed.
    if (telmvar.Aborted) return;

    // Only in the message list, with no box while messages are enabled: the
    // stage is calculated again by nearly every command (each step of the
    // guided input, every report and drawing) and the operation data dialog
    // probes this routine for its factors, while a failed calculation is
    // never kept, so a box would come up again at each of them. The fatal
    // error has every report and drawing show the list, which holds the
    // text, in their place, and a batch run names it in its one line.
    if (R.P == 0) {
        AddFatalMessage("no load defined !");
        return;
    }

    const bool ball = IsBallBearing(R.BearingType);
    const bool aIsoMode = R.LifeFactorMode == 3 || R.LifeFactorMode == 4;
    Extended aIso0 = 0;
    if (aIsoMode) {
        if (R.ContaminationClass != 8) R.eC = ContaminationFactor(R.ContaminationClass, dm);
        if (R.kappa > 4) R.kappa = 4;
        if (R.kappa < 0.1L) {
            R.kappa = 0.1L;
            AddErrorMessage("Warning: kappa < 0.1 (visko)");
        }
        if (telmvar.Aborted) return;
        aIso0 = ball ? CalcAIsoBall(R.kappa, R.eC, R.Cu, R.P) : CalcAIsoRoller(R.kappa, R.eC, R.Cu, R.P);
        // Effective EP additives protect a thin film in a clean lubricant as
        // a full film would.
        if (R.EPAdditives && R.kappa < 1 && R.eC >= 0.2L) R.kappa = 1;
    }

    switch (R.LifeFactorMode) {
    case 1:
        R.a23 = A23FromKappa(R.kappa);
        break;
    case 2:
        break;
    case 3:
        R.aISO = ball ? CalcAIsoBall(R.kappa, R.eC, R.Cu, R.P) : CalcAIsoRoller(R.kappa, R.eC, R.Cu, R.P);
        if (R.EPAdditives && R.aISO > 3) R.aISO = std::max<Extended>(3, aIso0);
        break;
    case 4:
        break;
    default:
        AddErrorMessage("Error  : a23 mode");
        break;
    }

    R.L10 = SafePower("Error  : L10", R.C / R.P, ball ? 3.0L : 10.0L / 3);
    const Extended a1 = ReliabilityFactor(R.ReliabilityIndex);
    if (R.LifeFactorMode == 1 || R.LifeFactorMode == 2)
        R.Lna = R.L10 * a1 * R.a23;
    else if (aIsoMode)
        R.Lna = R.L10 * a1 * R.aISO;

    if (R.P0 == 0 || R.P == 0) {
        RefuseBearing("Fatal  : P = 0  rolling bearing " + N(n));
        return;
    }
    R.s0 = R.C0 / R.P0;
    R.CRatio = R.C / R.P;
    if (Speed > R.nPerm) AddErrorMessage("permissible speed bearing " + N(n) + " !");
    if (R.FrMin < R.Frm)
        AddErrorMessage("minimum load bearing " + N(n) + " ! (" + FloatToSignificant(R.Frm) + ">" +
                        FloatToSignificant(R.FrMin) + ")");
    if (!wtelmvar.HideWarnings) {
        if (Fa > R.FaPerm) AddErrorMessage("perm.Axial Load bearing " + N(n) + " !");
        if (R.Temperature > 120) AddErrorMessage("Warning: temperature " + N(n) + " !");
    }
    if (aIsoMode && R.Cu == 0) AddErrorMessage("Warning: CU = 0 ! (bearing " + N(n) + ")");
}
