#include "planetary/stagechecks.h"

#include "foundation/messagecollector.h"
#include "foundation/unitsys.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/measuring.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>
#include <string>

namespace {

bool Warnings() { return !wtelmvar.HideWarnings; }

void Add(const std::string& text) { AddErrorMessage(text); }

void CheckStageAsWhole()
{
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    const int q = GearPair.qp;
    if (q == 0) {
        // Nothing can be placed; the spacing checks would divide by q.
        Add("Fatal  : q = 0 !");
    } else {
        if (AssemblyConditionFails(g.z[gH], g.z[gS], q, true))
            Add("Warning: unsymmetric !");
        if (q > 1 && st.dlP < 0.1L * mn)
            Add("Error  : planet security distance !");
        if (q > 1 && st.dlP < 0.25L * mn)
            Add("Warning: planet security distance !");
    }
    if (st.DistanceSPe <= 0.1L * mn)
        Add("Error  : distance S-Pe ! (" + LengthToText(st.DistanceSPe) + ")");
    if (st.DistancePiH <= 0.1L * mn)
        Add("Error  : distance Pi-H ! (" + LengthToText(st.DistancePiH) + ")");
}

void CheckGear(int k)
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const std::string letter = PlanetaryGearLetters[k];
    const Extended mn = p.mn;
    if (Warnings() && std::fabs(g.q_tol[k]) > 0.0001L && g.q_tol[k] < g.Tsn[k] / 2)
        Add("Warning: q tol < Tsn/2  (" + letter + ")");
    if (g.kmn[k] < 0)
        Add("Error  : kmn < 0 !  (" + letter + ")");
    if (g.db[k] != 0 && g.dFamin[k] / g.db[k] <= 1)
        Add("Error  : db > da  (" + letter + ") !");
    if (Warnings() && (g.sat_nom[k] <= 0.15L * mn || g.san_nom[k] <= 0.15L * mn))
        Add("Warning: point teeth ! (" + letter + ")");
    if (Warnings() && g.z[k] > 0 && g.x[k] < g.x_min[k])
        Add("Warning: undercut ! (" + letter + ")");
    if (Warnings() && std::fabs(g.x[k]) > 1.5L)
        Add("Warning: x > 1.5   (" + letter + ") !");
    if (p.alpha < g.alphaprP0[k])
        Add("alfa prP0 > alfa !");
    if (g.alphakP0[k] < p.alpha)
        Add("alfa kP0 < alfa !");
    CheckBallPosition(g.z[k], g.MdK_xemin[k], g.MdR_xevmax[k], g.df[k], g.dFamin[k], g.DM[k], p.alpha_rad,
                      g.rhoaP0[k]);
    CheckBallContactPoint(g.z[k], mn, p.alpha_rad, p.beta_rad, g.xemin[k], g.DM[k]);
    const int spanned = kmess(g.z[k], p.beta_rad, p.alpha_rad, g.x[k], mn);
    if (PercentDeviation(spanned, g.SpanTeethInUse[k]) > 30)
        Add("Warning: k measure (" + letter + ")");
    const Extended W = g.W_xemin[k];
    if (Warnings() && g.b[k] < 0.03L * W + W * std::sin(p.beta_b) + 2 && p.beta > 0)
        Add("Warning: b < b min. (" + letter + ")");
    if (Warnings() && p.Aai < g.Asne[k])
        Add("Warning: Asne < Aau !  (" + letter + ")");
    if (Warnings() && g.Tsn[k] < 2 * g.Rs[k] / 1000 && mn >= 1)
        Add("Warning: Tsn < 2Rs !  (" + letter + ")");
}

void CheckMesh(int m)
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const std::string mesh = MeshName(m);
    if (g.eps_alpha[m] < 1)
        Add("eps.alpha < 1 ! (" + mesh + ")");
    if (Warnings() && g.eps_beta[m] < 1 && p.beta > 0)
        Add("eps.beta < 1 ! (" + mesh + ")");
    if (g.eps_gamma[m] < 1)
        Add("eps.gamma < 1 ! (" + mesh + ")");
    if (Warnings() && (std::fabs(g.zeta_a1[m]) > 2 || std::fabs(g.zeta_f1[m]) > 2 || std::fabs(g.zeta_a2[m]) > 2 ||
                       std::fabs(g.zeta_f2[m]) > 2))
        Add("Warning: spec.sliding > 2 ! (" + mesh + ")");
    if (Warnings() && g.b_effH[m] != 0 && ApplicationFactorF(p) * g.Ft[m] / g.b_effH[m] < 100)
        Add("Warning: Ft/b*KA < 100 ! (" + mesh + ")");
    for (int s = 1; s <= 2; ++s) {
        if (Warnings() && g.SH[s][m] < 1)
            Add("Warning: SH<1 (SH-" + MeshGearLabel(s, m) + "=" + FormatFloatFixed(1, 2, g.SH[s][m]) + ") !");
        if (Warnings() && g.SF[s][m] < 1)
            Add("Warning: SF<1 (SF-" + MeshGearLabel(s, m) + "=" + FormatFloatFixed(1, 2, g.SF[s][m]) + ") !");
    }
    for (int s = 1; s <= 2; ++s) {
        if (g.ck[s][m] < 0)
            Add("Error  : clearance sh.add. < 0 ! (" + mesh + ")");
        else if (Warnings() && g.ck[s][m] < 0.12L * p.mn)
            Add("Warning: clearance sh.add. < 0.12mn ! (" + mesh + ")");
    }
    if (Warnings() && g.eps_alpha[m] < g.KHalpha[m])
        Add("Warning: KHalpha > eps.alpha ! (" + mesh + ")");
    if (Warnings() && g.eps_alpha[m] < g.KFalpha[m])
        Add("Warning: KFalpha > eps.alpha ! (" + mesh + ")");
}

void CheckAlternationsAndBearings()
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const Extended q = p.qp;
    if (Warnings()) {
        if (g.Np[gPi] == 0)
            Add("Warning: nPalt = 0 !");
        if (g.e[gS] != q)
            Add("Warning: nSi <> q planet");
        if (g.e[gPi] != 2)
            Add("Warning: nPi <> 2");
        if (g.e[gPe] != 2)
            Add("Warning: nPe <> 2");
        if (g.e[gH] != q)
            Add("Warning: nHi <> q planet");
    }
    if (g.aInUse[mSPi] + g.aInUse[mPiPe] + g.aInUse[mPeH] < -0.05L)
        Add("Error  : a SP <> a PH !");
    if (Warnings()) {
        if (PlanetBearings[1].d > 0 && g.b[gPi] < PlanetBearings[1].B)
            Add("Warning: b Lager > bP! (Pi)");
        if (PlanetBearings[2].d > 0 && g.b[gPe] < PlanetBearings[2].B)
            Add("Warning: b Lager > bP! (Pe)");
        if (p.CalcMethod == 4 && p.ToleranceStandard != 1)
            Add("Warning: ISO 6336 -> ISO 1328");
    }
    if (PlanetaryStage.Kgamma < 1)
        Add("Error  : K gamma < 1");
}

void CheckBlank(int k)
{
    const auto& g = PlanetaryGears;
    const std::string letter = PlanetaryGearLetters[k];
    if (g.di[k] != 0 && g.dBInUse[k] != 0 && g.di[k] < g.dBInUse[k])
        Add("Warning: di < dB ! (" + letter + ")");
    if (g.di[k] != 0 && g.df[k] < g.di[k])
        Add("Warning: di > df ! (" + letter + ")");
    if (g.dBInUse[k] != 0 && g.df[k] < g.dBInUse[k])
        Add("Error  : dB > df ! (" + letter + ")");
}

} // namespace

void CheckPlanetaryStage()
{
    CheckStageAsWhole();
    for (int k = 1; k <= 4; ++k)
        CheckGear(k);
    if (GearPair.CollisionY < 0)
        Add("meshing interference !");
    // The pair keeps its own ratio u: it belongs to the mesh loaded last.
    for (int m = 1; m <= 3; ++m)
        CheckMesh(m);
    CheckAlternationsAndBearings();
    for (int k = 1; k <= 4; ++k)
        CheckBlank(k);
    const auto& p = GearPair;
    const int z0 = PinionCutterTeeth(p);
    if (p.CalcMethod == 4 && (z0 == 0 || std::abs(PlanetaryGears.z[gH]) < z0))
        Add("Warning: z0 cutter !");
}
