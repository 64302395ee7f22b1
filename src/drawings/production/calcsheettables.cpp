// The small tables of the strength and geometry calculation sheets.
#include "drawings/production/productiontables.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadtable.h"

#include <cmath>

namespace
{

std::string F32(Extended V)
{
    return FormatFloatFixed(3, 2, V);
}
std::string L32(Extended V)
{
    return FormatLengthFixed(3, 2, V);
}
std::string F33(Extended V)
{
    return FormatFloatFixed(3, 3, V);
}
std::string L33(Extended V)
{
    return FormatLengthFixed(3, 3, V);
}

// A material name in a column of 8 characters: shortened names are put in
// parentheses so the reader knows the name goes on.
std::string MaterialCell(const std::string& Name)
{
    const std::string s = TrimBlanks(Name);
    if (s.size() <= 8) return s;
    return "(" + s.substr(0, 6) + ")";
}

} // namespace

void WriteMeshDimensionsTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(X, Y, H, {8, 5}, {"Dimensions"});
    t.AddRow("alfa t", F32(RadToDeg(g.alpha_t)));
    t.AddRow("alfa wt", F32(RadToDeg(g.alpha_wt)));
    t.AddRow("beta b", F32(RadToDeg(g.beta_b)));
    t.AddRow("u", F32(g.u));
    t.AddRow("eps.alfa", F32(g.eps_alpha));
    t.AddRow("eps.beta", F32(g.eps_beta));
    t.AddRow("eps.gamma", F32(g.eps_gamma));
    t.AddRow("jt min", L32(g.jtmin));
    t.AddRow("jt max", L32(g.jtmax));
    t.Done();
}

void WritePairGeometryTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(X, Y, H, {6, 6, 6}, {"", " ", " "});
    t.AddRow("b", L32(g.b[1]), L32(g.b[2]));
    t.AddRow("dw", L32(std::fabs(g.dw[1])), L32(std::fabs(g.dw[2])));
    t.AddRow("zn", F32(g.zn[1]), F32(g.zn[2]));
    t.AddRow("sat min", L32(g.sat_min[1]), L32(g.sat_min[2]));
    t.AddRow("Asne", L32(g.Asne[1]), L32(g.Asne[2]));
    t.AddRow("Asni", L32(g.Asni[1]), L32(g.Asni[2]));
    t.AddRow("dB", L32(std::fabs(g.dB[1])), L32(std::fabs(g.dB[2])));
    t.AddRow("di", L32(std::fabs(g.di[1])), L32(std::fabs(g.di[2])));
    t.AddRow("zeta a", F32(g.zeta_a1), F32(g.zeta_a2));
    t.AddRow("zeta f", F32(g.zeta_f1), F32(g.zeta_f2));
    t.Done();
}

void WriteBasicRackTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const std::string mm = LengthUnitLabel();
    const std::string deg = DegreeSign();
    TCadTable t;
    t.Init(X, Y, H, {8, 4, 6, 6}, {"  ", "  ", "basic rack"});
    auto factor = [&](const char* S, const PairArray<Extended>& V) { t.AddRow(S, "", F33(V[1]), F33(V[2])); };
    auto length = [&](const char* S, const PairArray<Extended>& V) { t.AddRow(S, mm, L33(V[1]), L33(V[2])); };
    auto angle = [&](const char* S, const PairArray<Extended>& V) { t.AddRow(S, deg, F33(V[1]), F33(V[2])); };
    factor("hfP0/mn", g.hfP0_mn);
    length("hfP0=ha", g.hfP0);
    factor("haP0/mn", g.haP0_mn);
    length("haP0=hf", g.haP0);
    factor("raP0/mn", g.rhoaP0_mn);
    length("raP0=rf", g.rhoaP0);
    factor("rfP0/mn", g.rhofP0_mn);
    length("rfP0=ra", g.rhofP0);
    factor("prP0/mn", g.prP0_mn);
    length("pr", g.prP0);
    angle("al.prP0", g.alphaprP0);
    factor("hFfP0/mn", g.hFfP0_mn);
    length("hFfP0", g.hFfP0);
    angle("al.kP0", g.alphakP0);
    length("q", g.q);
    t.AddRow("q tol", mm, "+" + TrimBlanks(L33(g.q_tol[1])), "+" + TrimBlanks(L33(g.q_tol[2])));
    t.Done();
}

void WriteDriveTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(X, Y, H, {6, 6, 8, 8}, {"   ", "   ", "drive"});
    // The power is the same through both gears of the pair.
    t.AddRow("P", "kW", FormatFloatFixed(5, 3, g.P), FormatFloatFixed(5, 3, g.P));
    t.AddRow("T", TorqueUnitLabel(), FormatTorqueFixed(6, 1, g.T[1]), FormatTorqueFixed(6, 1, g.T[2]));
    t.AddRow("n", "1/min", FloatToField(8, g.n[1]), FloatToField(8, g.n[2]));
    t.Done();
}

void WriteForcesTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const std::string unit = ForceUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {6, 5, 7}, {"FORCES"});
    t.AddRow("Ft", FormatForceFixed(6, 0, g.Ft), unit);
    t.AddRow("Ftw", FormatForceFixed(6, 0, g.Ftw), unit);
    t.AddRow("Fxw", FormatForceFixed(6, 0, g.Fxw), unit);
    t.AddRow("Frw", FormatForceFixed(6, 0, g.Frw), unit);
    t.AddRow("Fnw", FormatForceFixed(6, 0, g.Fnw), unit);
    t.Done();
}

void WriteMaterialTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const std::string unit = StressUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {8, 4, 8, 8}, {"MATERIAL"});
    t.AddRow("material", "", MaterialCell(g.MaterialName[1]), MaterialCell(g.MaterialName[2]));
    t.AddRow("Sig.Hlim", unit, FormatStressFixed(8, 0, g.SigmaHlim[1]),
             FormatStressFixed(8, 0, g.SigmaHlim[2]));
    t.AddRow("Sigma FE", unit, FormatStressFixed(8, 0, g.Sigma_FE[1]),
             FormatStressFixed(8, 0, g.Sigma_FE[2]));
    t.AddRow("Sig.Flim", unit, FormatStressFixed(8, 0, g.Sigma_FE[1] / 2),
             FormatStressFixed(8, 0, g.Sigma_FE[2] / 2));
    t.AddRow("Tempering:", "", HeatTreatmentText(g.HeatTreatment[1]), HeatTreatmentText(g.HeatTreatment[2]));
    t.AddRow("Brinell", "HB", FormatFloatFixed(8, 0, g.HB[1]), FormatFloatFixed(8, 0, g.HB[2]));
    t.Done();
}

void WriteBeddingTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    // DIN 3990-41 and entered factors do not take the face load factor
    // from the shaft and its bearings.
    if (g.CalcMethod == 2 || g.CalcMethod == 3) return;
    const std::string mm = LengthUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {14, 4, 6}, {"bedding"});
    t.AddRow("bearing-arrangement", "", IntToTextBlankPad(g.BearingArrangementNo, 5));
    t.AddRow("dsh1", mm, L32(g.dsh));
    t.AddRow("bearing distance l1", mm, L32(g.l_bearing));
    t.AddRow("bedding offset s1", mm, L32(g.s_bedding));
    t.AddRow("contact pattern", "", IntToTextBlankPad(g.ContactPatternNo, 5));
    t.Done();
}

void WriteKFactorTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(X, Y, H, {8, 5}, {"K FACTORS"});
    t.AddRow("KA H", F32(ApplicationFactorH(g)));
    t.AddRow("KA F", F32(ApplicationFactorF(g)));
    t.AddRow("Kv", F32(g.Kv));
    t.AddRow("KH-beta", F32(g.KHbeta));
    t.AddRow("KF-beta", F32(g.KFbeta));
    t.AddRow("KH-alfa", F32(g.KHalpha));
    t.AddRow("KF-alfa", F32(g.KFalpha));
    t.Done();
}

void WriteZFactorTable(Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(X, Y, H, {8, 5}, {"Z FACTORS"});
    t.AddRow("ZH", F32(g.ZH));
    t.AddRow("ZB", F32(g.ZB));
    t.AddRow("ZE", F32(g.ZE));
    t.AddRow("Z eps.", F32(g.Z_eps));
    t.AddRow("Z beta", F32(g.Z_beta));
    t.AddRow("ZL", F32(g.ZL));
    t.AddRow("Zv", F32(g.Zv));
    t.AddRow("ZR", F32(g.ZR));
    t.AddRow("ZW", F32(g.ZW));
    t.Done();
}
