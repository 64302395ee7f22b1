#include "planetary/stagechecks.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/unitsys.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/measuring.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

namespace
{

bool Warnings()
{
    return !wtelmvar.HideWarnings;
}

// The checks hand their texts to the list as parts, which it joins on the
// stack and copies once into its entry: a stage with many findings forms a
// dozen texts and more in every calculation. Gear letters and mesh names
// stay the program's constant texts until a text with them is formed, so
// that their length is counted only then.
class TCheckTexts
{
  public:
    TCheckTexts() = default;
    TCheckTexts(const TCheckTexts&) = delete;
    TCheckTexts& operator=(const TCheckTexts&) = delete;

    void Add(std::string_view Text) { AddErrorMessageParts({Text}); }
    // The parts one after the other, as one text.
    void Add(std::initializer_list<std::string_view> Parts) { AddErrorMessageParts(Parts); }
    // X as FormatFloatFixed writes it, valid until the next call.
    std::string_view Fixed(int IntDigits, int Decimals, Extended X)
    {
        return FormatFloatFixedIn(number_, IntDigits, Decimals, X);
    }

  private:
    TFixedField number_;
};

void CheckStageAsWhole(TCheckTexts& out)
{
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    const int q = GearPair.qp;
    if (q == 0) {
        // Nothing can be placed; the spacing checks would divide by q.
        out.Add("Fatal  : q = 0 !");
    } else {
        if (AssemblyConditionFails(g.z[gH], g.z[gS], q, true)) out.Add("Warning: unsymmetric !");
        if (q > 1 && st.dlP < 0.1L * mn) out.Add("Error  : planet security distance !");
        if (q > 1 && st.dlP < 0.25L * mn) out.Add("Warning: planet security distance !");
    }
    if (st.DistanceSPe <= 0.1L * mn)
        out.Add({"Error  : distance S-Pe ! (", LengthToText(st.DistanceSPe), ")"});
    if (st.DistancePiH <= 0.1L * mn)
        out.Add({"Error  : distance Pi-H ! (", LengthToText(st.DistancePiH), ")"});
}

void CheckGear(TCheckTexts& out, int k)
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const char* const letter = PlanetaryGearLetters[k];
    const Extended mn = p.mn;
    if (Warnings() && std::fabs(g.q_tol[k]) > 0.0001L && g.q_tol[k] < g.Tsn[k] / 2)
        out.Add({"Warning: q tol < Tsn/2  (", letter, ")"});
    if (g.kmn[k] < 0) out.Add({"Error  : kmn < 0 !  (", letter, ")"});
    if (g.db[k] != 0 && g.dFamin[k] / g.db[k] <= 1) out.Add({"Error  : db > da  (", letter, ") !"});
    if (Warnings() && (g.sat_nom[k] <= 0.15L * mn || g.san_nom[k] <= 0.15L * mn))
        out.Add({"Warning: point teeth ! (", letter, ")"});
    if (Warnings() && g.z[k] > 0 && g.x[k] < g.x_min[k]) out.Add({"Warning: undercut ! (", letter, ")"});
    if (Warnings() && std::fabs(g.x[k]) > 1.5L) out.Add({"Warning: x > 1.5   (", letter, ") !"});
    if (p.alpha < g.alphaprP0[k]) out.Add("alfa prP0 > alfa !");
    if (g.alphakP0[k] < p.alpha) out.Add("alfa kP0 < alfa !");
    CheckBallPosition(g.z[k], g.MdK_xemin[k], g.MdR_xevmax[k], g.df[k], g.dFamin[k], g.DM[k], p.alpha_rad,
                      g.rhoaP0[k]);
    CheckBallContactPoint(g.z[k], mn, p.alpha_rad, p.beta_rad, g.xemin[k], g.DM[k]);
    const int spanned = kmess(g.z[k], p.beta_rad, p.alpha_rad, g.x[k], mn);
    if (PercentDeviation(spanned, g.SpanTeethInUse[k]) > 30) out.Add({"Warning: k measure (", letter, ")"});
    const Extended W = g.W_xemin[k];
    if (Warnings() && g.b[k] < 0.03L * W + W * KeptSin(p.beta_b) + 2 && p.beta > 0)
        out.Add({"Warning: b < b min. (", letter, ")"});
    if (Warnings() && p.Aai < g.Asne[k]) out.Add({"Warning: Asne < Aau !  (", letter, ")"});
    if (Warnings() && g.Tsn[k] < 2 * g.Rs[k] / 1000 && mn >= 1)
        out.Add({"Warning: Tsn < 2Rs !  (", letter, ")"});
}

void CheckMesh(TCheckTexts& out, int m)
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const char* const mesh = PlanetaryMeshNames[m];
    if (g.eps_alpha[m] < 1) out.Add({"eps.alpha < 1 ! (", mesh, ")"});
    if (Warnings() && g.eps_beta[m] < 1 && p.beta > 0) out.Add({"eps.beta < 1 ! (", mesh, ")"});
    if (g.eps_gamma[m] < 1) out.Add({"eps.gamma < 1 ! (", mesh, ")"});
    if (Warnings() && (std::fabs(g.zeta_a1[m]) > 2 || std::fabs(g.zeta_f1[m]) > 2 ||
                       std::fabs(g.zeta_a2[m]) > 2 || std::fabs(g.zeta_f2[m]) > 2))
        out.Add({"Warning: spec.sliding > 2 ! (", mesh, ")"});
    if (Warnings() && g.b_effH[m] != 0 && ApplicationFactorF(p) * g.Ft[m] / g.b_effH[m] < 100)
        out.Add({"Warning: Ft/b*KA < 100 ! (", mesh, ")"});
    for (int s = 1; s <= 2; ++s) {
        if (Warnings() && g.SH[s][m] < 1)
            out.Add({"Warning: SH<1 (SH-", MeshGearLabel(s, m), "=", out.Fixed(1, 2, g.SH[s][m]), ") !"});
        if (Warnings() && g.SF[s][m] < 1)
            out.Add({"Warning: SF<1 (SF-", MeshGearLabel(s, m), "=", out.Fixed(1, 2, g.SF[s][m]), ") !"});
    }
    for (int s = 1; s <= 2; ++s) {
        if (g.ck[s][m] < 0)
            out.Add({"Error  : clearance sh.add. < 0 ! (", mesh, ")"});
        else if (Warnings() && g.ck[s][m] < 0.12L * p.mn)
            out.Add({"Warning: clearance sh.add. < 0.12mn ! (", mesh, ")"});
    }
    if (Warnings() && g.eps_alpha[m] < g.KHalpha[m]) out.Add({"Warning: KHalpha > eps.alpha ! (", mesh, ")"});
    if (Warnings() && g.eps_alpha[m] < g.KFalpha[m]) out.Add({"Warning: KFalpha > eps.alpha ! (", mesh, ")"});
}

void CheckAlternationsAndBearings(TCheckTexts& out)
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    const Extended q = p.qp;
    if (Warnings()) {
        if (g.Np[gPi] == 0) out.Add("Warning: nPalt = 0 !");
        if (g.e[gS] != q) out.Add("Warning: nSi <> q planet");
        if (g.e[gPi] != 2) out.Add("Warning: nPi <> 2");
        if (g.e[gPe] != 2) out.Add("Warning: nPe <> 2");
        if (g.e[gH] != q) out.Add("Warning: nHi <> q planet");
    }
    // Judged after every gear and mesh, as the checks' order has it: with a
    // dozen warnings before it the list is full, and the collector gives
    // this error the place of the last warning.
    if (g.aInUse[mSPi] + g.aInUse[mPiPe] + g.aInUse[mPeH] < -0.05L) out.Add("Error  : a SP <> a PH !");
    if (Warnings()) {
        if (PlanetBearings[1].d > 0 && g.b[gPi] < PlanetBearings[1].B) out.Add("Warning: b Lager > bP! (Pi)");
        if (PlanetBearings[2].d > 0 && g.b[gPe] < PlanetBearings[2].B) out.Add("Warning: b Lager > bP! (Pe)");
        if (p.CalcMethod == 4 && p.ToleranceStandard != 1) out.Add("Warning: ISO 6336 -> ISO 1328");
    }
    if (PlanetaryStage.Kgamma < 1) out.Add("Error  : K gamma < 1");
}

void CheckBlank(TCheckTexts& out, int k)
{
    const auto& g = PlanetaryGears;
    const char* const letter = PlanetaryGearLetters[k];
    if (g.di[k] != 0 && g.dBInUse[k] != 0 && g.di[k] < g.dBInUse[k])
        out.Add({"Warning: di < dB ! (", letter, ")"});
    if (g.di[k] != 0 && g.df[k] < g.di[k]) out.Add({"Warning: di > df ! (", letter, ")"});
    if (g.dBInUse[k] != 0 && g.df[k] < g.dBInUse[k]) out.Add({"Error  : dB > df ! (", letter, ")"});
}

} // namespace

void CheckPlanetaryStage()
{
    TCheckTexts out;
    CheckStageAsWhole(out);
    for (int k = 1; k <= 4; ++k)
        CheckGear(out, k);
    if (GearPair.CollisionY < 0) out.Add("meshing interference !");
    // The pair keeps its own ratio u: it belongs to the mesh loaded last.
    for (int m = 1; m <= 3; ++m)
        CheckMesh(out, m);
    CheckAlternationsAndBearings(out);
    for (int k = 1; k <= 4; ++k)
        CheckBlank(out, k);
    const auto& p = GearPair;
    const int z0 = PinionCutterTeeth(p);
    if (p.CalcMethod == 4 && (z0 == 0 || std::abs(PlanetaryGears.z[gH]) < z0))
        out.Add("Warning: z0 cutter !");
}
