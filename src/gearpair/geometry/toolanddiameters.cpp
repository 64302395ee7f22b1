#include <cmath>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/allowances.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/measuring.h"

namespace
{

// Tooth thickness allowances to DIN 3967 from the chosen series, or the
// entered allowances with their tolerance.
void SetToothThicknessAllowances(TGearPairData& g, int i)
{
    if (g.TsnSeries[i] < 11) {
        g.Asne[i] = -GetUpperToothThicknessAllowance(g.AsneSeries[i], g.d[i]) / 1000.0L;
        g.Tsn[i] = GetToothThicknessTolerance(g.TsnSeries[i], g.d[i]) / 1000.0L;
        g.Asni[i] = g.Asne[i] - g.Tsn[i];
    } else {
        g.Tsn[i] = g.Asne[i] - g.Asni[i];
    }
}

void SetToleranceTexts(TGearPairData& g)
{
    g.CentreDistanceTolerance = g.AaField >= 1 && g.AaField <= 8 ? AaFieldNames[g.AaField - 1] : "";
    for (int i = 1; i <= 2; ++i) {
        // Series 0 had a tolerance of 0 from the table; from now on the
        // allowances count as entered.
        if (g.TsnSeries[i] == 0) g.TsnSeries[i] = 11;
        if (g.TsnSeries[i] >= 1 && g.TsnSeries[i] <= 10 && g.AsneSeries[i] >= 1 && g.AsneSeries[i] <= 11) {
            // "cd 25": the series' letters and the two digits of 21 .. 30,
            // written into the text the record holds (every mesh of a stage
            // forms both texts again).
            const int tolerance = 20 + g.TsnSeries[i];
            const char digits[2] = {static_cast<char>('0' + tolerance / 10),
                                    static_cast<char>('0' + tolerance % 10)};
            g.ToleranceZone[i].assign(AsneSeriesNames[g.AsneSeries[i] - 1]).append(1, ' ').append(digits, 2);
        } else {
            g.ToleranceZone[i].clear();
        }
    }
}

// The standard basic rack profiles; other kinds keep the entered values.
void SetToolProfile(TGearPairData& g, int i)
{
    auto standard = [&](Extended ha, Extended hf, Extended rhoa, Extended alphapr, Extended pr,
                        const char* name) {
        g.haP0_mn[i] = ha;
        g.hfP0_mn[i] = hf;
        g.rhoaP0_mn[i] = rhoa;
        g.alphaprP0[i] = alphapr;
        g.prP0_mn[i] = pr;
        g.ProfileName[i] = name;
        g.alphakP0[i] = g.alpha;
        g.hFfP0_mn[i] = g.hfP0_mn[i];
    };
    switch (g.ToolProfileNo[i]) {
    case 1:
        standard(1.25L, 1.0L, 0.25L, 0, 0, "Normal");
        break;
    case 2:
        standard(1.25L, 1.0L, 0.38L, 0, 0, "Normal");
        break;
    case 3:
        standard(1.4L, 1.0L, 0.4L, 6.0L, 0.02L, "Protub.");
        break;
    case 4:
    case 8:
        g.ProfileName[i] = "";
        break;
    case 5:
    case 9:
        g.alphaprP0[i] = 0;
        g.prP0_mn[i] = 0;
        g.ProfileName[i] = "Normal";
        break;
    default:
        break;
    }
    g.HasChamfer[i] = std::fabs(g.alphakP0[i] - g.alpha) >= 0.001L ? 1 : 0;
    if (g.HasChamfer[i] == 0) g.hFfP0_mn[i] = g.hfP0_mn[i];
    g.hfP0[i] = g.hfP0_mn[i] * g.mn;
    g.haP0[i] = g.haP0_mn[i] * g.mn;
    g.rhoaP0[i] = g.rhoaP0_mn[i] * g.mn;
    g.rhofP0[i] = g.rhofP0_mn[i] * g.mn;
    g.prP0[i] = g.prP0_mn[i] * g.mn;
    g.hFfP0[i] = g.hFfP0_mn[i] * g.mn;
}

// Generating profile shifts of the finished gear from its allowances, and of
// the pre-machined gear that still carries the machining allowance q.
void SetGeneratingProfileShifts(TGearPairData& g, const TProfileAngles& pa, int i)
{
    const Extended tanAlpha = pa.TanAlphan;
    g.xemin[i] = g.Asni[i] / 2 / tanAlpha / g.mn + g.x[i];
    g.xemax[i] = g.Asne[i] / 2 / tanAlpha / g.mn + g.x[i];
    if (std::fabs(g.q[i]) >= 0.00001L) {
        const Extended sinAlpha = pa.SinAlphan;
        g.xevmin[i] = g.xemax[i] + g.q[i] / sinAlpha / g.mn;
        g.xevmax[i] = g.xemax[i] + (g.q[i] + g.q_tol[i]) / sinAlpha / g.mn;
        if (!wtelmvar.HideWarnings && g.q_tol[i] < g.Tsn[i] / 2)
            AddErrorMessage("Warning: q tol < Tsn/2  (" + std::to_string(i) + ")");
    } else {
        g.q[i] = 0;
        g.q_tol[i] = 0;
        g.xevmin[i] = g.xemin[i];
        g.xevmax[i] = g.xemax[i];
    }
}

Extended BaseHelixAngle(const TGearPairData& g, const TProfileAngles& pa)
{
    return SameAngle(pa.Alphat, g.alpha_t) ? pa.Betab : KeptArcTan(KeptTan(g.beta_rad) * KeptCos(g.alpha_t));
}

// Working transverse pressure angle of the entered profile shifts (DIN 3960).
Extended ShiftWorkingAngle(const TGearPairData& g, const TProfileAngles& pa, const TPairTransverseAngles& t)
{
    const int zSum = g.z[1] + g.z[2];
    if (zSum == 0) return g.alpha_t;
    return ArcInvolute(t.InvAlphat + 2 * pa.TanAlphan * (g.x[1] + g.x[2]) / zSum);
}

} // namespace

Extended ProfileShiftCentreDistance()
{
    const auto& g = GearPair;
    const TProfileAngles pa = ProfileAnglesOf(g.beta_rad, g.alpha_rad);
    const TPairTransverseAngles t = PairTransverseAnglesOf(pa, g.alpha_t, BaseHelixAngle(g, pa));
    const Extended cosAlphaWt = KeptCos(ShiftWorkingAngle(g, pa, t));
    // As Unit1 forms it, so that both give the same bits.
    const Extended dw1 = g.d[1] * t.CosAlphat / cosAlphaWt;
    const Extended dw2 = g.d[2] * t.CosAlphat / cosAlphaWt;
    return (dw1 + dw2) / 2;
}

void Unit1()
{
    TGeometryAngles angles{ProfileAnglesOf(GearPair.beta_rad, GearPair.alpha_rad), {}, {}};
    Unit1(angles);
}

void Unit1(TGeometryAngles& Angles)
{
    // The functions of the pressure and helix angles the meshes share.
    const TProfileAngles& pa = Angles.Profile;
    auto& g = GearPair;
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : Unit1");
        return;
    }
    for (int i = 1; i <= 2; ++i)
        SetToothThicknessAllowances(g, i);
    const Extended cosBeta = pa.CosBeta;
    g.a0 = (g.mn / 2) / cosBeta * (g.z[1] + g.z[2]);
    SetToleranceTexts(g);
    for (int i = 1; i <= 2; ++i)
        SetToolProfile(g, i);
    g.beta_b = BaseHelixAngle(g, pa);
    Angles.Transverse = PairTransverseAnglesOf(pa, g.alpha_t, g.beta_b);
    const TPairTransverseAngles& t = Angles.Transverse;

    const int zSum = g.z[1] + g.z[2];
    g.alpha_wt = ShiftWorkingAngle(g, pa, t);
    if (g.alpha_wt == 0) {
        AddFatalMessage("Fatal  : alpha wt !");
        telmvar.Aborted = true;
        return;
    }
    g.cos2_beta_b = t.CosBetab * t.CosBetab;

    // The centre distance follows from the profile shifts. The allowance of
    // its tolerance field and the working pressure angles at its limits are
    // taken from that one, not from whatever the record held before: a
    // centre distance not yet set (0) or one entered apart from the profile
    // shifts would otherwise give the first calculation other allowances
    // than every later one.
    const Extended cosAlphaT = t.CosAlphat;
    const Extended cosAlphaWt = KeptCos(g.alpha_wt);
    for (int i = 1; i <= 2; ++i)
        g.dw[i] = g.d[i] * cosAlphaT / cosAlphaWt;
    g.a = (g.dw[1] + g.dw[2]) / 2;

    if (g.AaField < 9) {
        g.Aa = GetCentreDistanceAllowance(g.AaField, g.a) / 2000.0L;
        g.Aai = -g.Aa;
    }

    // Backlash to DIN 3967 from the tooth thickness and centre distance
    // allowances.
    const Extended tanAlpha = pa.TanAlphan;
    const Extended cosAlpha = pa.CosAlphan;
    g.jtmin = -(g.Asne[1] + g.Asne[2]) / cosBeta + 2 * g.Aai * tanAlpha / cosBeta;
    g.jtmax = -(g.Asni[1] + g.Asni[2]) / cosBeta + 2 * g.Aa * tanAlpha / cosBeta;
    g.jnmin = g.jtmin * cosAlpha * cosBeta;
    g.jnmax = g.jtmax * cosAlpha * cosBeta;
    const Extended tanAlphaWt = KeptTan(g.alpha_wt);
    g.jrmin = g.jtmin / (2 * tanAlphaWt);
    g.jrmax = g.jtmax / (2 * tanAlphaWt);
    Angles.Working = {true, g.alpha_wt, tanAlphaWt, cosAlphaWt};

    for (int i = 1; i <= 2; ++i)
        SetGeneratingProfileShifts(g, pa, i);

    // The working angles at the limits of the centre distance and their
    // cosines are met nowhere else in the calculation: they come from the
    // library itself, without a look-up among the kept values.
    if (zSum != 0 && g.a != 0) {
        g.alpha_wt_min = SafeArcCosOnce(cosAlphaT * (g.d[1] + g.d[2]) / (2 * (g.a + g.Aai)));
        g.alpha_wt_max = SafeArcCosOnce(cosAlphaT * (g.d[1] + g.d[2]) / (2 * (g.a + g.Aa)));
    } else {
        g.alpha_wt_min = g.alpha_t;
        g.alpha_wt_max = g.alpha_t;
    }

    // Both gears roll at the same working pressure angles.
    const Extended cosAlphaWtMin = std::cos(g.alpha_wt_min);
    const Extended cosAlphaWtMax = std::cos(g.alpha_wt_max);
    for (int i = 1; i <= 2; ++i) {
        g.zn[i] = g.z[i] / cosBeta / g.cos2_beta_b;
        g.dn[i] = g.mn * g.zn[i];
        g.dw_amin[i] = g.d[i] * cosAlphaT / cosAlphaWtMin;
        g.dw_amax[i] = g.d[i] * cosAlphaT / cosAlphaWtMax;
        // The root is cut by the pre-machining tool.
        g.df[i] = g.d[i] - 2 * g.haP0[i] + 2 * g.xevmax[i] * g.mn;
        if (g.z[i] > 0 && g.df[i] <= 0) {
            AddFatalMessage("Fatal  : df <=0 ! (" + std::to_string(i) + ")");
            return;
        }
        g.df_min[i] = g.d[i] - 2 * g.haP0[i] + 2 * g.xevmin[i] * g.mn;
        g.df0[i] = g.d[i] - 2 * g.haP0[i] + 2 * g.x[i] * g.mn;
        g.df_tol[i] = g.df_min[i] - g.df[i];
        g.da_tool[i] = 2 * (g.x[i] * g.mn + g.hfP0[i]) + g.d[i];
        g.da0[i] = 2 * (g.hfP0[i] + g.haP0[i]) + g.df[i];
        g.db[i] = g.d[i] * cosAlphaT;
        g.dm[i] = (g.da0[i] + g.df[i]) / 2;
    }

    g.pn = Pi * g.mn;
    g.pt = g.pn / cosBeta;
    g.pbt = g.pt * cosAlphaT;
    g.pet = g.pbt;
    g.pen = g.pn * cosAlpha;
    g.beta_w = KeptArcTan(pa.TanBeta * g.dw[1] / g.d[1]);
}
