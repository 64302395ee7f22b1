#include "drawings/tooth/calcsheets.h"

#include "drawings/production/productiondrawing.h"
#include "drawings/production/productiontables.h"
#include "drawings/tooth/meshpicture.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"
#include "graphics/diagrams/diagram.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>

namespace
{

// --- value texts ------------------------------------------------------------------

std::string Stress(Extended V)
{
    return StressToText(V);
}
std::string Len(Extended V)
{
    return FormatLengthFixed(3, 3, V);
}
std::string Num(Extended V)
{
    return FormatFloatFixed(3, 3, V);
}
std::string Safety(Extended V)
{
    return FormatFloatFixed(2, 2, V);
}
std::string Angle(Extended Rad)
{
    return AngleToText(RadToDeg(Rad));
}
std::string Deg(Extended Degrees)
{
    return AngleToText(Degrees);
}

// The picture values the mesh block sets for itself; the sheet gives them
// back, so a sheet never changes what the tooth graphics show next.
struct TPictureValues {
    PairArray<Extended> x_pic, xv_pic, sn_pic, df_pic, da_pic, dw_pic;
    Extended a_pic = 0;
    int PicturePlanets = 0;
    Extended stw_angle_deg = 0, phi_c = 0, phi_a = 0, phi_e = 0;

    void Save()
    {
        const auto& g = GearPair;
        x_pic = g.x_pic, xv_pic = g.xv_pic, sn_pic = g.sn_pic, df_pic = g.df_pic, da_pic = g.da_pic;
        dw_pic = g.dw_pic, a_pic = g.a_pic, PicturePlanets = g.PicturePlanets;
        stw_angle_deg = g.stw_angle_deg, phi_c = g.phi_c, phi_a = g.phi_a, phi_e = g.phi_e;
    }
    void Restore() const
    {
        auto& g = GearPair;
        g.x_pic = x_pic, g.xv_pic = xv_pic, g.sn_pic = sn_pic, g.df_pic = df_pic, g.da_pic = da_pic;
        g.dw_pic = dw_pic, g.a_pic = a_pic, g.PicturePlanets = PicturePlanets;
        g.stw_angle_deg = stw_angle_deg, g.phi_c = phi_c, g.phi_a = phi_a, g.phi_e = phi_e;
    }
};

// Steps 1 to 3 common to both sheets; false when nothing is drawn.
bool OpenSheet(int Device)
{
    CadOpenOutput(Device);
    if (telmvar.Aborted) return false;
    ResetDiagramLayout();
    CadBeginDrawingDefault();
    CadWriteTables(2);
    CadBeginBlocks();
    TPictureValues saved;
    saved.Save();
    BuildMeshBlock();
    BuildSheetPictureBlock();
    saved.Restore();
    CadEndSection();
    CadBeginEntities();
    CadInsertBlock("bild", 0, 0, 0, 1, 1);
    return true;
}

void CloseSheet()
{
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput(1);
}

bool IsMethod(int M)
{
    return GearPair.CalcMethod == M;
}

// --- strength sheet ----------------------------------------------------------------

void WriteFormulaTable(const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    const std::string unit = StressUnitLabel();
    TCadTable t;
    t.Init(60, 119, 1.2L, {45, 5, 6, 6},
           {"CALCULATION METHOD:  " + StrengthMethodName(g.CalcMethod), "", "  " + Title1, "  " + Title2});
    t.AddRow("Sigma-FG = SigmaFE * YNT * YdrelT * YRrelT * YX * YA", unit, Stress(g.SigmaFG[1]),
             Stress(g.SigmaFG[2]));
    if (IsMethod(4))
        t.AddRow("Sigma-F0 = Ft /(b*mn) * YF * YS(g)* Y\xE1 * YB * YDT", unit, Stress(g.SigmaF0[1]),
                 Stress(g.SigmaF0[2]));
    else
        t.AddRow("Sigma-F0 = Ft / (b*mn) * YF * YS * Y\xE1", unit, Stress(g.SigmaF0[1]),
                 Stress(g.SigmaF0[2]));
    t.AddRow("Sigma-F = Sigma-F0 * KA * Kv * KF\xE1 * KFalfa", unit, Stress(g.SigmaF[1]),
             Stress(g.SigmaF[2]));
    t.AddRow("SF = Sigma-FG / Sigma-F", "SF", Safety(g.SF[1]), Safety(g.SF[2]));
    t.AddRow("");
    t.AddRow("Sigma-H0 = ZH * ZE * Zeps * Z\xE1 * sqrt(Ft /(d1*b)*(u+1)/u))", unit, Stress(g.SigmaH0));
    t.AddRow("Sigma-HG = SigmaHlim * ZNT * ZL * Zv * ZR * ZW * ZX", unit, Stress(g.SigmaHG[1]),
             Stress(g.SigmaHG[2]));
    t.AddRow("Sigma-HC = Sigma-H0 * sqrt(KA * Kv * KH\xE1 * KHalfa)", unit, Stress(g.SigmaHC));
    t.AddRow("Sigma-H1,2 = (ZB,ZD) * Sigma-H0 * sqrt(KA*Kv*KH\xE1*KHalfa)", unit, Stress(g.SigmaH[1]),
             Stress(g.SigmaH[2]));
    t.AddRow("SH1,2 = Sigma-HG1,2 / Sigma-H1,2", "SH", Safety(g.SH[1]), Safety(g.SH[2]));
    t.Done();
}

void WriteZTable(const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(88, 90, 1.2L, {6, 4, 7, 7}, {" Z", "", "  " + Title1, "  " + Title2});
    t.AddRow("b eff", LengthUnitLabel(), Len(g.b_effH));
    t.AddRow("d1", LengthUnitLabel(), Len(g.d[1]));
    t.AddRow("u", "", Num(g.u));
    if (IsMethod(4)) t.AddRow("ZD", "", Num(g.ZD));
    if (g.LifeFactorInput == 1) t.AddRow("ZNT", "", Num(g.ZNT[1]), Num(g.ZNT[2]));
    t.AddRow("ZX", "", Num(g.ZX[1]), Num(g.ZX[2]));
    t.Done();
}

void WriteYTable(const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    const std::string mm = LengthUnitLabel();
    TCadTable t;
    t.Init(60, 90, 1.2L, {6, 4, 7, 7}, {"   ", "", "   " + Title1, "   " + Title2});
    t.AddRow("b eff", mm, Len(g.b_effF[1]), Len(g.b_effF[2]));
    t.AddRow("mn", mm, Len(g.mn));
    t.AddRow("YF", "", Num(g.YF[1]), Num(g.YF[2]));
    // Factors entered by hand have no tooth root geometry behind them.
    if (!IsMethod(3)) {
        t.AddRow("sFn", mm, Len(g.sFn[1]), Len(g.sFn[2]));
        t.AddRow("rhoF", mm, Len(g.rhoF[1]), Len(g.rhoF[2]));
        t.AddRow("hFe", mm, Len(g.hFe[1]), Len(g.hFe[2]));
        t.AddRow("al.Fen", "", Angle(g.alphaFen[1]), Angle(g.alphaFen[2]));
        t.AddRow("xeF", "", Num(g.xeF[1]), Num(g.xeF[2]));
    }
    t.AddRow("YS", "", Num(g.YS[1]), Num(g.YS[2]));
    if (g.GrindingNotch[1] != 0 || g.GrindingNotch[2] != 0) {
        t.AddRow("tg/rg", "", Num(g.tg_rhog[1]), Num(g.tg_rhog[2]));
        t.AddRow("YSg", "", Num(g.YSg[1]), Num(g.YSg[2]));
    }
    t.AddRow("qs", "", Num(g.qs[1]), Num(g.qs[2]));
    t.AddRow("Y\xE1", "", Num(g.Y_beta));
    if (IsMethod(4)) {
        t.AddRow("YB", "", Num(g.YB[1]), Num(g.YB[2]));
        t.AddRow("YDT", "", Num(g.YDT));
    }
    t.AddRow("YdrelT", "", Num(g.YdrelT[1]), Num(g.YdrelT[2]));
    t.AddRow("YRrelT", "", Num(g.YRrelT[1]), Num(g.YRrelT[2]));
    t.AddRow("YX", "", Num(g.YX[1]), Num(g.YX[2]));
    t.AddRow("Np", "", Num(g.Np[1]), Num(g.Np[2]));
    t.AddRow("e", "", Num(g.e[1]), Num(g.e[2]));
    t.AddRow("YA", "", Num(g.YA[1]), Num(g.YA[2]));
    if (g.LifeFactorInput == 1) t.AddRow("YNT", "", Num(g.YNT[1]), Num(g.YNT[2]));
    t.Done();
}

void WriteKYZTable(const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    const std::string um = MicroLengthUnitLabel();
    // Micrometre values in the unit of their label, microinches in the inch system.
    auto micro = [](Extended V) { return FormatLengthFixed2(3, 3, V); };
    TCadTable t;
    t.Init(60, 33, 1.2L, {7, 5, 6, 6}, {" K, Y, Z", "", "  " + Title1, "  " + Title2});
    t.AddRow("RzZ", um, micro(g.RzZ[1]), micro(g.RzZ[2]));
    t.AddRow("RzY", um, micro(g.RzY[1]), micro(g.RzY[2]));
    t.AddRow("nue50", ViscosityUnitLabel(), Num(g.v50));
    t.AddRow("c gamma", "N/mm", Num(g.c_gamma));
    t.AddRow("m red", "kg/mm", Num(g.m_red));
    t.AddRow("nE", "1/min", Num(g.nE[1]), Num(g.nE[2]));
    t.AddRow("nS", "", Num(g.nS));
    if (!IsMethod(3)) {
        if (!IsMethod(2)) t.AddRow("fsh", um, micro(g.fsh));
        t.AddRow("fma", um, micro(g.fma));
        t.AddRow("fH\xE1"
                 "5",
                 um, micro(g.fHbeta5));
        t.AddRow("F\xE1x", um, micro(g.Fbetax));
        t.AddRow("F\xE1y", um, micro(g.Fbetay));
    }
    t.Done();
}

void WriteFlagTable()
{
    const auto& g = GearPair;
    const bool dinOrIso = IsMethod(1) || IsMethod(4);
    TCadTable t;
    t.Init(133, 66, 1.2L, {22, 2}, {" K", ""});
    if (dinOrIso) {
        t.AddFlagRow("crowning", g.Crowning);
        t.AddFlagRow("lapping-in/breaking-in", g.LappingIn);
        t.AddFlagRow("end relief", g.EndRelief);
    }
    t.AddFlagRow("double helical gearing", g.DoubleHelical);
    // An entered fsh already holds the shaft's bending: no supporting
    // effect on top of it.
    if (dinOrIso && !g.FshEntered) t.AddFlagRow("supporting effect", g.SupportingEffect);
    t.AddFlagRow("tooth trace angle correction", g.ToothTraceCorrection);
    t.Done();
}

// --- geometry sheet ------------------------------------------------------------------

void WritePairTextTable()
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(83, 119, 1.2L, {7, 7}, {"", ""});
    t.AddRow("u", Num(g.u));
    t.AddRow("alpha", Deg(g.alpha));
    t.AddRow("alpha t", Angle(g.alpha_t));
    t.AddRow("beta", Deg(g.beta));
    t.AddRow("beta b", Angle(g.beta_b));
    t.AddRow("mn", LengthToText(g.mn));
    t.AddRow("Pn", Num(g.Pn));
    t.AddRow("mt", LengthToText(g.mt));
    t.AddRow("pn", LengthToText(g.pn));
    t.AddRow("pt", LengthToText(g.pt));
    t.AddRow("pbt", LengthToText(g.pbt));
    t.AddRow("pet", LengthToText(g.pet));
    t.AddRow("pen", LengthToText(g.pen));
    t.AddRow("eps.beta", Num(g.eps_beta));
    t.Done();
}

void WriteGearTable(const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    auto L = [](Extended V) { return Len(std::fabs(V)); };
    TCadTable t;
    t.Init(59, 119, 1.2L, {7, 7, 7}, {"", "   " + Title1, "   " + Title2});
    t.AddRow("z", IntToText(g.z[1]), IntToText(g.z[2]));
    t.AddRow("d", L(g.d[1]), L(g.d[2]));
    t.AddRow("db", L(g.db[1]), L(g.db[2]));
    t.AddRow("da th", L(g.da0[1]), L(g.da0[2]));
    t.AddRow("dNa", L(g.dNa[1]), L(g.dNa[2]));
    t.AddRow("dNf", L(g.dNf[1]), L(g.dNf[2]));
    t.AddRow("x", Num(g.x[1]), Num(g.x[2]));
    t.AddRow("x  mn", Len(g.x[1] * g.mn), Len(g.x[2] * g.mn));
    t.AddRow("b", Len(g.b[1]), Len(g.b[2]));
    t.AddRow("bcha", Len(g.bcha[1]), Len(g.bcha[2]));
    t.AddRow("bctr", Len(g.bctr));
    t.AddRow("b eff", Len(g.b_effF[1]), Len(g.b_effF[2]));
    t.AddRow("b0eff.", Len(g.b_effH));
    t.AddRow("kmn", Len(g.kmn[1]), Len(g.kmn[2]));
    t.AddRow("en", Len(g.en[1]), Len(g.en[2]));
    t.AddRow("et", Len(g.et[1]), Len(g.et[2]));
    t.AddRow("zn", Num(g.zn[1]), Num(g.zn[2]));
    t.AddRow("Asn tol", g.ToleranceZone[1], g.ToleranceZone[2]);
    t.Done();
}

// Nominal, smallest and largest value of each gear; an empty text where a
// value has no nominal (an allowance, a tolerance band).
void WriteToothThicknessTable()
{
    const auto& g = GearPair;
    auto L = [](Extended V) { return Len(std::fabs(V)); };
    TCadTable t;
    t.Init(99, 119, 1.2L, {8, 8, 8, 8, 8, 8, 8},
           {"", " 1 nom", " 1 min", " 1 max", " 2 nom", " 2 min", " 2 max"});
    auto row = [&t](const std::string& Name, std::string a1, std::string b1, std::string c1, std::string a2,
                    std::string b2, std::string c2) { t.AddRow(Name, a1, b1, c1, a2, b2, c2); };
    row("Asn", "", Len(g.Asni[1]), Len(g.Asne[1]), "", Len(g.Asni[2]), Len(g.Asne[2]));
    row("sn", Len(g.sn_nom[1]), Len(g.sn_min[1]), Len(g.sn_max[1]), Len(g.sn_nom[2]), Len(g.sn_min[2]),
        Len(g.sn_max[2]));
    row("st", Len(g.st_nom[1]), Len(g.st_min[1]), Len(g.st_max[1]), Len(g.st_nom[2]), Len(g.st_min[2]),
        Len(g.st_max[2]));
    row("san", Len(g.san_nom[1]), Len(g.san_min[1]), Len(g.san_max[1]), Len(g.san_nom[2]), Len(g.san_min[2]),
        Len(g.san_max[2]));
    row("sat", Len(g.sat_nom[1]), Len(g.sat_min[1]), Len(g.sat_max[1]), Len(g.sat_nom[2]), Len(g.sat_min[2]),
        Len(g.sat_max[2]));
    row("xe", Num(g.x[1]), Num(g.xemin[1]), Num(g.xemax[1]), Num(g.x[2]), Num(g.xemin[2]), Num(g.xemax[2]));
    row("q", Len(g.q[1]), "", Len(g.q_tol[1]), Len(g.q[2]), "", Len(g.q_tol[2]));
    row("xev", "", Num(g.xevmin[1]), Num(g.xevmax[1]), "", Num(g.xevmin[2]), Num(g.xevmax[2]));
    row("dw", L(g.dw[1]), L(g.dw_amin[1]), L(g.dw_amax[1]), L(g.dw[2]), L(g.dw_amin[2]), L(g.dw_amax[2]));
    row("df", L(g.df[1]), L(g.df_min[1]), "", L(g.df[2]), L(g.df_min[2]), "");
    row("dFf", L(g.dFf_nom[1]), L(g.dFfmin[1]), L(g.dFfmax[1]), L(g.dFf_nom[2]), L(g.dFfmin[2]),
        L(g.dFfmax[2]));
    row("da", L(g.da[1]), L(g.da_min[1]), "", L(g.da[2]), L(g.da_min[2]), "");
    row("dFa", "", L(g.dFamin[1]), L(g.dFamax[1]), "", L(g.dFamin[2]), L(g.dFamax[2]));
    row("dNa", L(g.dNa[1]), L(g.dNa_min[1]), L(g.dNa_max[1]), L(g.dNa[2]), L(g.dNa_min[2]), L(g.dNa_max[2]));
    row("c", Len(g.ck[1]), Len(g.ckmin[1]), Len(g.ckmax[1]), Len(g.ck[2]), Len(g.ckmin[2]), Len(g.ckmax[2]));
    row("h", Len(g.h[1]), Len(g.h_min[1]), Len(g.h_max[1]), Len(g.h[2]), Len(g.h_min[2]), Len(g.h_max[2]));
    row("jt", "", Len(g.jtmin), Len(g.jtmax), "", "", "");
    row("zeta a", Num(g.zeta_a1), Num(g.zeta_a1_amin), Num(g.zeta_a1_amax), Num(g.zeta_a2),
        Num(g.zeta_a2_amin), Num(g.zeta_a2_amax));
    row("zeta f", Num(g.zeta_f1), Num(g.zeta_f1_amin), Num(g.zeta_f1_amax), Num(g.zeta_f2),
        Num(g.zeta_f2_amin), Num(g.zeta_f2_amax));
    t.Done();
}

void WritePairRangeTable()
{
    const auto& g = GearPair;
    TCadTable t;
    t.Init(110, 70, 1.2L, {8, 8, 8, 8}, {"", " nom", " min", " max"});
    t.AddRow("a", Len(g.a), Len(g.a + g.Aai), Len(g.a + g.Aa));
    t.AddRow("Aa", "", Len(g.Aai), Len(g.Aa));
    t.AddRow("Tsn", "", Len(g.Tsn[1]), Len(g.Tsn[2]));
    t.AddRow("jt", "", Len(g.jtmin), Len(g.jtmax));
    t.AddRow("alfa wt", Angle(g.alpha_wt), Angle(g.alpha_wt_min), Angle(g.alpha_wt_max));
    t.AddRow("g alfa", Len(g.g_alpha), Len(g.g_alpha_min), Len(g.g_alpha_max));
    t.AddRow("g alfa A", Len(g.g_alphaa), Len(g.g_alphaa_min), Len(g.g_alphaa_max));
    t.AddRow("g alfa E", Len(g.g_alphae), Len(g.g_alphae_min), Len(g.g_alphae_max));
    t.AddRow("eps.alfa", Num(g.eps_alpha), Num(g.eps_alpha_min), Num(g.eps_alpha_max));
    t.AddRow("eps.gamma", Num(g.eps_gamma), Num(g.eps_gamma_min), Num(g.eps_gamma_max));
    t.Done();
}

} // namespace

std::string StrengthMethodName(int CalcMethod)
{
    static const char* const names[4] = {"DIN 3990 part 1 - 3", "DIN 3990 part 41", "self-defined factors",
                                         "ISO 6336"};
    return CalcMethod >= 1 && CalcMethod <= 4 ? names[CalcMethod - 1] : "";
}

namespace
{
// The rotation of gear 1 in the sheets' mesh picture, degrees:
// 2 arcsin(v / (2 dw1)).
Extended SheetMeshAngle()
{
    const auto& g = GearPair;
    return g.dw[1] != 0 ? RadToDeg(2 * SafeArcSin(g.stw[1] / (2 * g.dw[1]))) : 0;
}
} // namespace

void BuildMeshBlock()
{
    SetAnimationAngles();
    for (int i = 1; i <= 2; ++i) {
        CadBeginBlock(i == 1 ? "EVOLV1" : "EVOLV2");
        GenerateToothContour(i, false);
        CadEndBlock();
    }
    CadBeginBlock("EINGRIF");
    const Extended phi = SheetMeshAngle();
    // Not the tooth contact view's window: nothing cuts the sheet's picture
    // at its frame, so the frame holds the teeth that stand out of it.
    const TMeshPictureFrame f = MeshPictureFrameHoldingTheTeeth(phi);
    DrawMeshPicture(true, f.W, f.B, f.T, phi);
    CadEndBlock();
}

Extended SheetOutlineScale(Extended F)
{
    const auto& g = GearPair;
    // A tall mesh picture leaves no height: a negative scale would draw the
    // pair mirrored across the sheet.
    if (!(F > 0)) return 0;
    Extended s2 = 0;
    if (g.z[2] > 0) {
        const Extended span = g.da0[1] / 2 + g.a + g.da0[2] / 2;
        if (g.da0[2] > 0 && span > 0) s2 = std::min(52 / g.da0[2], F / span);
    } else if (g.df[2] != 0)
        s2 = std::min<Extended>(F, 26) / std::fabs(g.df[2]);
    return s2 > 0 && std::isfinite(s2) ? s2 : 0;
}

void BuildSheetPictureBlock()
{
    const auto& g = GearPair;
    CadBeginBlock("bild");
    const auto [W, B, T] = MeshPictureFrameHoldingTheTeeth(SheetMeshAngle());
    // A pair not yet calculated has a picture without width: nothing to
    // scale.
    if (W > 0 && std::isfinite(W)) {
        const Extended s = 14 / W;
        const Extended xc = W * s + 0.5L;
        // The picture's frame holds its marks and labels: its top line is
        // the block's.
        CadInsertBlock("EINGRIF", xc, 119.5L - T * s, 0, s, s);
        CadSetLayer(3);
        CadRectangle(0.5L, 119.5L - (T - B) * s, 2 * W * s + 0.5L, 119.5L);
        const Extended F = 98 - (T - B) * s;
        // The outline keeps to the picture's column: its widest circle or
        // centre cross may reach W s to either side of the centre.
        Extended reach = 0;
        for (int i = 1; i <= 2; ++i)
            reach = std::max(
                {reach, std::fabs(g.da0[i]) / 2 + g.mn, std::fabs(g.df[i]) / 2, g.dB[i] / 2, g.di[i] / 2});
        const Extended s2 = reach > 0 ? std::min(SheetOutlineScale(F), W * s / reach) : 0;
        const Extended y0 = g.z[2] > 0 ? 5 + s2 * g.d[1] / 2 : 5 + s2 * (-g.d[1] / 2 - g.d[2]);
        if (s2 > 0) DrawGearPairOutline(xc, y0, s2);
    }
    CadEndBlock();
}

void DrawGearPairOutline(Extended X0, Extended Y0, Extended S)
{
    const auto& g = GearPair;
    const Extended yc[3] = {0, Y0, Y0 + g.a * S};
    for (int i = 1; i <= 2; ++i) {
        const Extended y = yc[i];
        CadSetLayer(1);
        CadCircle(X0, y, S * std::fabs(g.d[i]) / 2);
        CadSetLayer(5);
        CadCircle(X0, y, S * std::fabs(g.da0[i]) / 2);
        CadSetLayer(2);
        CadCircle(X0, y, S * std::fabs(g.df[i]) / 2);
        CadSetLayer(1);
        const Extended c = S * (std::fabs(g.da0[i]) / 2 + g.mn);
        CadLine(X0 - c, y, X0 + c, y);
        CadLine(X0, y - c, X0, y + c);
        CadSetLayer(5);
        if (g.dB[i] > 0) CadCircle(X0, y, S * g.dB[i] / 2);
        if (g.di[i] > 0) CadCircle(X0, y, S * g.di[i] / 2);
    }
    if (g.z[2] > 0 && g.di[2] > 0 && g.dB[2] > 0) DrawWheelArms(X0, yc[2], S, g.df[2], g.di[2], g.dB[2]);
}

void WriteStrengthSheet(int Device, const std::string& Title1, const std::string& Title2)
{
    const auto& g = GearPair;
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    if (g.z[1] + g.z[2] == 0) {
        if (reportservices.ShowMessageIfEnabled)
            reportservices.ShowMessageIfEnabled("No strength calculation if z2=-z1 !");
        return;
    }
    TCadOutputScope scope;
    if (!OpenSheet(Device)) return;
    WriteDriveTable(129, 119, 1.2L);
    WriteMaterialTable(129, 108, 1.2L);
    WriteFormulaTable(Title1, Title2);
    WriteZTable(Title1, Title2);
    WriteZFactorTable(88, 71, 1.2L);
    WriteKFactorTable(116, 90, 1.2L);
    WriteForcesTable(140, 90, 1.2L);
    WriteBeddingTable(88, 44, 1.2L);
    WriteMeshDimensionsTable(88, 26, 1.2L);
    if (error0.ErrorCount > 0) WriteErrorMessageTable(0, 126, 40, 1.2L, 0);
    WriteYTable(Title1, Title2);
    WriteKYZTable(Title1, Title2);
    WriteFlagTable();
    CloseSheet();
}

void WriteGeometrySheet(int Device, const std::string& Title1, const std::string& Title2)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    TCadOutputScope scope;
    if (!OpenSheet(Device)) return;
    // The basic rack stands in the free column beside the picture; below
    // the three tables at the top two rows side by side, 1.5 apart: the
    // flank tolerances of both gears and the pair's ranges (the ISO 1328
    // table, 15 rows of 2.4, ends at 34), then the measurements of both
    // gears and the messages.
    WriteBasicRackTable(31, 119, 1.2L);
    WriteFlankToleranceTable(1, 1, 31, 70, 1.2L);
    WriteFlankToleranceTable(2, 1, 70.5L, 70, 1.2L);
    WriteMeasurementColumns(1, 1, 0, 31, 32, 1.2L);
    WriteMeasurementColumns(2, 1, 0, 71.5L, 32, 1.2L);
    if (error0.ErrorCount > 0) WriteErrorMessageTable(0, 112, 32, 1.2L, 30);
    WritePairTextTable();
    WriteGearTable(Title1, Title2);
    WriteToothThicknessTable();
    WritePairRangeTable();
    CloseSheet();
}
