// Design warnings and plausibility errors of the calculated pair, in the
// order the message list shows them. Warnings a designer may choose to live
// with are hidden under HideWarnings; errors, and warnings about a pair that
// cannot be made or measured as designed, always show.

#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/warnings.h"
#include "gearpair/measuring.h"

namespace
{

std::string GearNo(int i)
{
    return IntToText(i);
}

void Warn(const std::string& text)
{
    AddErrorMessage(text);
}

// A warning that HideWarnings suppresses.
void WarnHidable(const std::string& text)
{
    if (!wtelmvar.HideWarnings) AddErrorMessage(text);
}

// Tip and root of each gear: pointed teeth, undercut, tip clearance.
void CheckTipsAndClearance(const TGearPairData& g, int i)
{
    if (g.sat_nom[i] <= 0.15L * g.mn || g.san_nom[i] <= 0.15L * g.mn)
        Warn("Warning: point teeth ! (" + GearNo(i) + ")");
    if (g.z[i] > 0 && g.x[i] < g.x_min[i]) WarnHidable("Warning: undercut ! (" + GearNo(i) + ")");
    if (g.ck[i] < 0)
        Warn("Error  : clearance sh.add. < 0 ! (" + GearNo(i) + ")");
    else if (g.ck[i] < 0.12L * g.mn)
        WarnHidable("Warning: clearance sh.add. < 0.12mn ! (" + GearNo(i) + ")");
}

void CheckRatioAndContact(const TGearPairData& g)
{
    const bool hasSum = g.z[1] + g.z[2] != 0;
    if (std::abs(g.z[2]) < std::abs(g.z[1])) Warn("Warning: z2<z1 !");
    if (g.z[2] < 0 && g.CollisionY < 0)
        Warn("meshing interference ! (" + FloatToSignificant(g.CollisionY) + ")");
    // A whole ratio brings the same teeth together on every turn, so a
    // damaged tooth keeps meeting the same mating teeth.
    if (g.u == std::trunc(g.u) && hasSum) WarnHidable("gear ratio !");
    if (g.eps_alpha < 1 && hasSum) Warn("eps.alpha < 1 !");
    if (g.eps_beta < 1 && g.beta > 0) WarnHidable("eps.beta < 1 !");
    if (g.eps_gamma < 1 && hasSum) Warn("eps.gamma < 1 !");
}

// Tool, measurement, face width, allowances and tolerance system of gear i.
void CheckToolAndMeasurement(const TGearPairData& g, int i)
{
    if (std::fabs(g.x[i]) > 1.5L) Warn("Warning: x > 1.5   (" + GearNo(i) + ") !");
    if (g.alpha < g.alphaprP0[i]) Warn("alfa prP0 > alfa !");
    if (g.alpha > g.alphakP0[i]) Warn("alfa kP0 < alfa !");
    // The ball at the thinnest finished tooth must stay clear of the root,
    // the pin at the thickest pre-machined tooth must touch the flank.
    CheckBallPosition(g.z[i], g.MdK_xemin[i], g.MdR_xevmax[i], g.df[i], g.dFamin[i], g.DM[i], g.alpha_rad,
                      g.rhoaP0[i]);
    const int k = kmess(g.z[i], g.beta_rad, g.alpha_rad, g.xemax[i], g.mn);
    if (PercentDeviation(g.SpanTeeth[i], k) > 50) Warn("no. of teeth measured " + GearNo(i) + " !");
    // The span of a helical gear runs across the face along the base helix;
    // the face must hold it with a margin. The span of an internal gear is
    // negative, its length counts.
    const Extended span = std::fabs(g.W_xemin[i]);
    if (g.b[i] < span * KeptSin(g.beta_b) + 2 + 0.03L * span && g.beta > 0)
        WarnHidable("Warning: b < b min. (" + GearNo(i) + ")");
    // The upper allowance must at least take up the backlash lost at the
    // lower centre distance limit.
    if (g.Asne[i] > 2 * g.Aai * KeptTan(g.alpha_rad))
        WarnHidable("Warning: Asne < Aau !  (" + GearNo(i) + ")");
    if (g.jtmin < 0) Warn("Warning: jtmin < 0 !");
    if (std::fabs(g.d[i]) < 2 && g.TsnSeries[i] < 11) Warn("Warning: Tsn DIN d<2 !");
    if (PercentDeviation(g.sn_nom[i], g.sn_min[i]) > 25) Warn("Error  : Tol. Asne,Asni!");
    if (g.CalcMethod == 4 && g.ToleranceStandard != 1) WarnHidable("Warning: ISO 6336 -> ISO 1328");
}

void CheckSpecificSliding(const TGearPairData& g)
{
    if (std::fabs(g.zeta_a1) > 2 || std::fabs(g.zeta_f1) > 2 || std::fabs(g.zeta_f2) > 2 ||
        std::fabs(g.zeta_a2) > 2)
        WarnHidable("Warning: spec.sliding > 2 !");
}

// Roughness and density that the load capacity needs but nobody entered.
void FillMaterialDefaults(TGearPairData& g)
{
    for (int i = 2; i >= 1; --i) {
        if (g.RzZ[i] == 0) g.RzZ[i] = 1.0L;
        if (g.RzY[i] == 0) g.RzY[i] = 1.0L;
        if (g.rho[i] == 0) g.rho[i] = 7.8L;
    }
}

// Diameters of the gear body against each other. The diameters of an
// internal gear are negative and compare as they stand.
void CheckDiameters(const TGearPairData& g, int i)
{
    const std::string n = GearNo(i);
    if (g.df[i] > g.dw[i]) Warn("Error  : dw < df ! (" + n + ")");
    if (g.da[i] < g.dw[i]) Warn("Error  : dw > da ! (" + n + ")");
    if (g.di[i] != 0 && g.df[i] < g.di[i]) Warn("Error  : di > df ! (" + n + ")");
    if (g.b[i] < g.b_effH) Warn("Warning: beff > b ! (" + n + ")");
    if (g.di[i] != 0 && g.dB[i] != 0 && g.dB[i] > g.di[i]) Warn("Warning: di < dB ! (" + n + ")");
    if (g.di[i] != 0 && g.df[i] < g.di[i]) Warn("Warning: di > df ! (" + n + ")");
    if (g.dB[i] != 0 && g.df[i] < g.dB[i]) Warn("Error  : dB > df ! (" + n + ")");
}

} // namespace

void GearPairWarnings()
{
    // A stage repeats these for itself, naming gears and meshes.
    const TJudgementMessages judgements;
    auto& g = GearPair;
    // Where the judgements are dropped only the material defaults count:
    // the checks say nothing else and change nothing.
    if (!JudgementsKept()) {
        FillMaterialDefaults(g);
        return;
    }
    for (int i = 1; i <= 2; ++i)
        CheckTipsAndClearance(g, i);
    CheckRatioAndContact(g);
    for (int i = 1; i <= 2; ++i)
        CheckToolAndMeasurement(g, i);
    CheckSpecificSliding(g);
    for (int i = 1; i <= 2; ++i)
        if (g.xevmax[i] < g.xevmin[i]) Warn("Error  : xemin>xemax (" + GearNo(i) + ")");
    FillMaterialDefaults(g);
    for (int i = 1; i <= 2; ++i)
        CheckDiameters(g, i);
    // An internal wheel is meant to be cut with a profile shift not above
    // zero; the small margin lets a rounded entry pass.
    if (g.z[2] < 0 && g.x[2] > 0.05L) WarnHidable("Warning: x2 > 0");
}
