// Strength page of the gear-pair report: operating data, forces, materials,
// calculation method, additional dimensions, lubricant, the general influence
// factors, then flank and tooth root load capacity with the life lines.
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/gearpair/pairrows.h"

#include <string>

namespace
{

#define PV(expr)                                                                                             \
    []([[maybe_unused]] const TGearPairData& p, [[maybe_unused]] int i) -> Extended { return (expr); }
#define PW(expr) []([[maybe_unused]] const TGearPairData& p) -> bool { return (expr); }
#define PT(expr)                                                                                             \
    []([[maybe_unused]] const TGearPairData& p, [[maybe_unused]] int i) -> std::string { return (expr); }

using U = TPairUnit;
using F = TPairFormat;

// Codes stored in a project or typed into a dialog: a code outside the table
// prints as an empty text rather than reading past it.
std::string HeatTreatmentText(int Code)
{
    static const char* const texts[] = {"none",        "heat-treat.", "case-hard.", "ind.hard.",
                                        "flame-hard.", "gas-nitr.",   "bath-nitr.", "nitrocarb."};
    return Code >= 0 && Code <= 7 ? texts[Code] : "";
}

std::string CalcMethodText(int Method)
{
    return Method >= 0 && Method <= 4 ? CalcMethodNames[Method] : "";
}

std::string Flag(char c)
{
    return std::string("     ") + c;
}

bool DinOrIso(const TGearPairData& p)
{
    return p.CalcMethod == 1 || p.CalcMethod == 4;
}
bool ShaftRows(const TGearPairData& p)
{
    return DinOrIso(p) && !p.FshEntered;
}
bool Misalignment(const TGearPairData& p)
{
    return p.CalcMethod != 3 && p.ShowFormulas;
}
bool LifeFactorsEntered(const TGearPairData& p)
{
    return p.LifeFactorInput == 1;
}
bool Notch(const TGearPairData& p)
{
    return p.GrindingNotch[1] != 0 || p.GrindingNotch[2] != 0;
}

const TPairRow HeadRows[] = {
    {2, "part number", "", U::Literal, "", F::Text, 0, 0, nullptr, nullptr, PT(p.PartNumber[i])},
    {2, "no. of teeth", "z", U::Literal, "", F::Int, 5, 0, PV(p.z[i])},
};

const TPairRow OperatingRows[] = {
    {1, "nominal power", "P", U::Literal, "kW", F::Float, 5, 3, PV(p.P)},
    {2, "nominal torque", "T", U::Torque, "", F::Torque, 6, 1, PV(p.T[i])},
    {2, "rot.speed", "n", U::Literal, "1/min", F::Field, 8, 0, PV(p.n[i])},
};

const TPairRow ForceRows[] = {
    {1, "nom.transv.load gen.pt.cyl.", "Ft", U::Force, "", F::Force, 8, 0, PV(p.Ft)},
    {1, "nom.transv.load op.pt.cyl.", "Ftw", U::Force, "", F::Force, 8, 0, PV(p.Ftw)},
    {1, "nom.ax.load op.pt.cyl.", "Fxw", U::Force, "", F::Force, 8, 0, PV(p.Fxw)},
    {1, "nom.rad.load op.pt.cyl.", "Frw", U::Force, "", F::Force, 8, 0, PV(p.Frw)},
    {1, "nom.norm.load op.pt.cyl.", "Fnw", U::Force, "", F::Force, 8, 0, PV(p.Fnw)},
};

const TPairRow MaterialRows[] = {
    {2, "density", "rho", U::Literal, "kg/dm3", F::Float, 5, 2, PV(p.rho[i])},
    {2, "modulus of elasticity", "E", U::Stress, "", F::Stress, 8, 0, PV(p.E[i])},
    {2, "poisson ratio", "n\x81", U::Literal, "", F::Float, 5, 2, PV(p.nu[i])},
    {2, "allow.stress nr.(contact)", "Sig.Hlim", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaHlim[i])},
    {2, "allow.stress nr.(bend.)", "Sigma FE", U::Stress, "", F::Stress, 8, 0, PV(p.Sigma_FE[i])},
    {2, "nominal stress number (bending)", "Sig.Flim", U::Stress, "", F::Stress, 8, 0, PV(p.Sigma_FE[i] / 2)},
};

const TPairRow TreatmentRows[] = {
    {2, "Brinell hardness", "", U::Literal, "HB", F::Float, 8, 0, PV(p.HB[i])},
    {2, "mass gear wheel", "m", U::Literal, "kg", F::Significant, 0, 0, PV(p.m[i])},
    {2, "mass moment of inertia", "J", U::Literal, "kgm2", F::Auto, 0, 0, PV(p.J[i])},
    {2, "mean peak-vall.roughn. flank", "RzZ", U::Micro, "", F::Micro, 6, 1, PV(p.RzZ[i])},
    {2, "mean peak-vall.roughn. tooth root", "RzY", U::Micro, "", F::Micro, 6, 1, PV(p.RzY[i])},
    {1, "crowning", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, DinOrIso, PT(Flag(p.Crowning))},
    {1, "lapping-in/breaking-in", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, DinOrIso,
     PT(Flag(p.LappingIn))},
    {1, "end relief", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, DinOrIso, PT(Flag(p.EndRelief))},
};

// The contact pattern and bearing arrangement numbers are stored as numbers;
// the report shows them as the one character they are entered as.
std::string NumberChar(int n)
{
    return n > 0 ? std::to_string(n) : std::string();
}

const TPairRow DimensionRows[] = {
    {1, "double helical gearing", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, nullptr,
     PT(Flag(p.DoubleHelical))},
    {2, "gear blank inside diameter", "di", U::Length, "", F::Length, 5, 2, PV(p.di[i])},
    {1, "shaft diameter of the pinion", "dsh", U::Length, "", F::Length, 5, 2, PV(p.dsh), ShaftRows},
    {1, "contact pattern (see manual)", "", U::Literal, "Nr.", F::Text, 0, 0, nullptr, ShaftRows,
     PT(FitRight(NumberChar(p.ContactPatternNo), 5))},
    {1, "bearing-arrangement (see manual)", "", U::Literal, "Nr.", F::Text, 0, 0, nullptr, ShaftRows,
     PT(FitRight(NumberChar(p.BearingArrangementNo), 5))},
    {1, "bearing distance (see manual)", "l", U::Length, "", F::Length, 5, 1, PV(p.l_bearing), ShaftRows},
    {1, "bedding offset (see manual)", "s", U::Length, "", F::Length, 5, 1, PV(p.s_bedding), ShaftRows},
    {1, "supporting effect", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, ShaftRows,
     PT(Flag(p.SupportingEffect))},
    {1, "tooth trace angle correction", "", U::Literal, "Y/N", F::Text, 0, 0, nullptr, nullptr,
     PT(Flag(p.ToothTraceCorrection))},
};

const TPairRow LubricantRows[] = {
    {1, "lubricant", "", U::Literal, "", F::Text, 0, 0, nullptr, nullptr, PT(p.LubricantName)},
    {1, "nominal viscosity at 40 C", "v40", U::Literal, "mm2/s", F::Float, 6, 1, PV(p.v40), PW(p.v40 > 0)},
    {1, "nominal viscosity at 50 C", "v50", U::Literal, "mm2/s", F::Float, 6, 1, PV(p.v50), PW(p.v50 > 0)},
    {1, "nominal viscosity at 100 C", "v100", U::Literal, "mm2/s", F::Float, 6, 1, PV(p.v100),
     PW(p.v100 > 0)},
    {1, "lubricant density at 15 C", "rho15", U::Literal, "kg/dm3", F::Float, 4, 3, PV(p.rho15),
     PW(p.rho15 > 0)},
    {1, "lubricant temperature", "TOil", U::Temperature, "", F::Temperature, 6, 1, PV(p.TOil),
     PW(p.TOil > 0)},
};

const TPairRow InfluenceRows[] = {
    {1, "circumf.velocity pitch.circ.", "v", U::Literal, "m/s", F::Float, 4, 3, PV(p.v)},
    {1, "mesh stiffness", "c gamma", U::Literal, "N/(mm*mym)", F::Float, 4, 3, PV(p.c_gamma)},
    {1, "reduced mass per unit", "m red", U::Literal, "kg/mm", F::Float, 2, 5, PV(p.m_red)},
    {2, "resonance speed", "nE", U::Literal, "1/min", F::Float, 8, 0, PV(p.nE[i])},
    {1, "resonance ratio", "nS", U::Literal, "n/nE", F::Float, 3, 4, PV(p.nS)},
    {1, "dynamic load factor", "Kv", U::Literal, "", F::Float, 5, 2, PV(p.Kv)},
    {1, "equivalent misalignment", "fsh", U::Micro, "", F::Micro, 6, 1, PV(p.fsh),
     PW(Misalignment(p) && p.CalcMethod != 2)},
    {1, "mesh misalignment", "fma", U::Micro, "", F::Micro, 6, 1, PV(p.fma), Misalignment},
    {1, "helix slope tolerance.",
     "fH\xE1"
     "5",
     U::Micro, "", F::Micro, 6, 1, PV(p.fHbeta5), Misalignment},
    {1, "initial equiv. misalignment", "F\xE1x", U::Micro, "", F::Micro, 6, 1, PV(p.Fbetax), Misalignment},
    {1, "eff.equivalent misalignment", "F\xE1y", U::Micro, "", F::Micro, 6, 1, PV(p.Fbetay), Misalignment},
    {1, "face load factor (flank)", "KH-beta", U::Literal, "", F::Float, 5, 2, PV(p.KHbeta)},
    {1, "face load factor (tooth root)", "KF-beta", U::Literal, "", F::Float, 5, 2, PV(p.KFbeta)},
    {1, "transverse load factor (flank)", "KH-alpha", U::Literal, "", F::Float, 5, 2, PV(p.KHalpha)},
    {1, "transverse load factor (tooth root)", "KF-alpha", U::Literal, "", F::Float, 5, 2, PV(p.KFalpha)},
};

const TPairRow FlankRows[] = {
    {1, "application factor", "KA H", U::Literal, "", F::Float, 5, 2, PV(ApplicationFactorH(p))},
    {1, "effective facewidth", "b eff", U::Length, "", F::Length, 5, 2, PV(p.b_effH)},
    {1, "zone factor", "ZH", U::Literal, "", F::Float, 5, 2, PV(p.ZH)},
    {2, "single contact factor pinion", "ZB", U::Literal, "", F::Float, 4, 3,
     PV(i == 1 ? p.ZB : NotComputed)},
    {2, "single contact factor gear 2", "ZD", U::Literal, "", F::Float, 4, 3, PV(i == 2 ? p.ZD : NotComputed),
     PW(p.CalcMethod == 4)},
    {1, "elasticity factor", "ZE", U::Literal, "(N/mm\xFD)^1/2", F::Float, 8, 0, PV(p.ZE)},
    {1, "contact ratio factor (flank)", "Z eps.", U::Literal, "", F::Float, 4, 3, PV(p.Z_eps)},
    {1, "helix angle factor (flank)", "Z beta", U::Literal, "", F::Float, 4, 3, PV(p.Z_beta)},
    {1, "oil viscosity at 50 C", "nue50", U::Viscosity, "", F::Float, 8, 0, PV(p.v50)},
    {1, "lubrication factor", "ZL", U::Literal, "", F::Float, 4, 3, PV(p.ZL)},
    {1, "velocity factor", "Zv", U::Literal, "", F::Float, 4, 3, PV(p.Zv)},
    {1, "roughness factor", "ZR", U::Literal, "", F::Float, 4, 3, PV(p.ZR)},
    {1, "work hardening factor", "ZW", U::Literal, "", F::Float, 4, 3, PV(p.ZW)},
    {2, "size factor (flank)", "ZX", U::Literal, "", F::Float, 5, 2, PV(p.ZX[i])},
    {2, "life factor", "ZNT", U::Literal, "", F::Float, 5, 2, PV(p.ZNT[i]), LifeFactorsEntered},
};

// A stress result with the formula line printed above it while intermediate
// values are shown.
struct TStressRow {
    const char* Formula;
    TPairRow Row;
};

const TStressRow FlankStressRows[] = {
    {"Sigma-H0 = ZH*ZE*Zeps*Zbeta*SQRT(Ft/(d1*b)*(u+1)/u))",
     {1, "nominal contact stress", "Sigma-H0", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaH0)}},
    {"Sigma-HG = SigmaHlim*ZNT*ZL*Zv*ZR*ZW*ZX",
     {2, "pitting stress limit (dyn.)", "Sigma-HG", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaHG[i])}},
    {"Sigma-HC = Sigma-H0*SQRT(KA*Kv*KHbeta*KHalpha)",
     {1, "contact stress in pitch pt", "Sigma-HC", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaHC)}},
    {"Sigma-H1,2 = (ZB,ZD)*Sigma-H0*SQRT(KA*Kv*KHbeta*KHalpha)",
     {2, "contact stress.sing.ctpt.", "Sigma-H", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaH[i])}},
    {"SH1,2 = Sigma-HG1,2 / Sigma-H1,2",
     {2, "safety factor pitting", "SH", U::Literal, "", F::Float, 4, 3, PV(p.SH[i])}},
};

bool RootDetails(const TGearPairData& p)
{
    return p.CalcMethod != 3 && p.ShowFormulas;
}

const TPairRow RootRows[] = {
    {1, "application factor", "KA F", U::Literal, "", F::Float, 5, 2, PV(ApplicationFactorF(p))},
    {2, "effective facewidth", "b eff", U::Length, "", F::Length, 5, 2, PV(p.b_effF[i])},
    {2, "tooth form factor", "YF", U::Literal, "", F::Float, 4, 3, PV(p.YF[i])},
    {2, "tooth root normal chord", "sFn", U::Length, "", F::Length, 4, 3, PV(p.sFn[i]), RootDetails},
    {2, "root fillet radius", "rhoF", U::Length, "", F::Length, 4, 3, PV(p.rhoF[i]), RootDetails},
    {2, "bending moment arm", "hFe", U::Length, "", F::Length, 4, 3, PV(p.hFe[i]), RootDetails},
    {2, "force inclination angle", "al.Fen", U::Degree, "", F::AngleRad, 0, 0, PV(p.alphaFen[i]),
     RootDetails},
    {2, "profile shift coeff. tooth root", "xeF", U::Literal, "", F::Float, 2, 5, PV(p.xeF[i]), RootDetails},
    {2, "stress correction factor", "YS", U::Literal, "", F::Float, 4, 3, PV(p.YS[i])},
    {2, "notch tg/rg", "tg/rg", U::Literal, "", F::Float, 5, 2, PV(p.tg_rhog[i]), Notch},
    {2, "stress correction factor", "YSg", U::Literal, "", F::Float, 4, 3, PV(p.YSg[i]), Notch},
    {2, " qs", "qs", U::Literal, "", F::Float, 4, 3, PV(p.qs[i]), PW(p.ShowFormulas)},
    {1, "helix angle factor (tooth root)", "Y beta", U::Literal, "", F::Float, 5, 3, PV(p.Y_beta)},
    {2, "Rim thickness factor", "YB", U::Literal, "", F::Float, 4, 3, PV(p.YB[i]), PW(p.CalcMethod == 4)},
    {1, "Deep tooth factor", "YDT", U::Literal, "", F::Float, 4, 3, PV(p.YDT), PW(p.CalcMethod == 4)},
    {2, "rel.notch sensitiv.factor", "YdrelT", U::Literal, "", F::Float, 4, 3, PV(p.YdrelT[i])},
    {2, "slip-layer thickness", "rho'", U::Length, "", F::Length, 3, 4, PV(p.rho_slip[i]),
     PW(p.ShowFormulas&& p.CalcMethod == 4)},
    {2, "rel.surface-condition factor", "YRrelT", U::Literal, "", F::Float, 4, 3, PV(p.YRrelT[i])},
    {2, "size factor (tooth root)", "YX", U::Literal, "", F::Float, 4, 3, PV(p.YX[i])},
    {2, "load alternating/period", "Np", U::Literal, "", F::Float, 8, 0, PV(p.Np[i])},
    {2, "tooth contacts per/rotation", "e", U::Literal, "", F::Float, 8, 0, PV(p.e[i])},
    {2, "alternating load factor", "YA", U::Literal, "", F::Float, 5, 2, PV(p.YA[i])},
    {2, "life factor", "YNT", U::Literal, "", F::Float, 5, 2, PV(p.YNT[i]), LifeFactorsEntered},
};

const TStressRow RootStressRows[] = {
    {"Sigma-FG = SigmaFE*YNT*YdrelT*YRrelT*YX",
     {2, "tooth root stress limit(dyn.)", "Sigma-FG", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaFG[i])}},
    {nullptr, // method dependent, see RootStressFormula
     {2, "nominal tooth root stress", "Sigma-F0", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaF0[i])}},
    {"Sigma-F = Sigma-F0 * KA*Kv*KFbeta*KFalpha",
     {2, "tooth root stress", "Sigma-F", U::Stress, "", F::Stress, 8, 0, PV(p.SigmaF[i])}},
    {"SF = Sigma-FG / Sigma-F",
     {2, "safety factor tooth breakage", "SF", U::Literal, "", F::Float, 4, 3, PV(p.SF[i])}},
};

#undef PV
#undef PW
#undef PT

void PrintStressRows(const TStressRow* Rows, std::size_t Count)
{
    const auto& p = GearPair;
    for (std::size_t k = 0; k < Count; ++k) {
        if (p.ShowFormulas) {
            const char* formula = Rows[k].Formula;
            if (formula == nullptr)
                formula = p.CalcMethod == 4 ? "Sigma-F0 = Ft/(b*mn)*YF*YS(g)*Ybeta*YB*YDT"
                                            : "Sigma-F0 = Ft/(b*mn)*YF*YS*Ybeta";
            PrintReportLine(formula);
        }
        PrintPairRows(&Rows[k].Row, 1);
    }
}

// Heading, rule and empty line without keeping room (the short sections at
// the head of the page).
void PlainHeading(const std::string& Heading)
{
    PrintReportLine("");
    PrintReportLine(Heading);
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
}

} // namespace

bool ReportPairStrengthData()
{
    const auto& p = GearPair;
    PrintPairRows(HeadRows);
    PlainHeading("OPERATIONAL DATA");
    PrintPairRows(OperatingRows);
    PlainHeading("FORCES");
    PrintPairRows(ForceRows);

    if (!PairSectionHeading("MATERIAL AND TREATMENT")) return false;
    PrintReportLine("material  gear 1: " + FitLeft(p.MaterialName[1], 20) +
                    "   gear2: " + FitLeft(p.MaterialName[2], 20));
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintPairRows(MaterialRows);
    PrintReportLine(
        "heat treatment               gear1: " + FitLeft(HeatTreatmentText(p.HeatTreatment[1]), 12) +
        "    gear2: " + FitLeft(HeatTreatmentText(p.HeatTreatment[2]), 12));
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintPairRows(TreatmentRows);

    PrintReportLine("");
    KeepReportLines(1);
    if (telmvar.Aborted) return false;
    PrintReportLine("CALCULATION METHOD:    " + CalcMethodText(p.CalcMethod));
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintReportLine("");
    PrintReportLine("ADDITIONAL DIMENSIONS AND BEARING ARRANGEMENTS");
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintPairRows(DimensionRows);

    PrintReportLine("");
    KeepReportLines(1);
    PrintPairRows(LubricantRows);

    PrintReportLine("");
    KeepReportLines(1);
    PrintReportLine("GENERAL INFLUENCE FACTORS");
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintPairRows(InfluenceRows);
    return !telmvar.Aborted;
}

bool ReportPairLoadCapacity()
{
    const auto& p = GearPair;
    if (!PairSectionHeading("FLANK LOAD-BEARING CAPACITY")) return false;
    PrintPairRows(FlankRows);
    PrintStressRows(FlankStressRows, std::size(FlankStressRows));
    if (p.LifeFactorInput == 0) ReportLifePitting(p.SH, p.LtH, p.LtH2, static_cast<uint16_t>(p.CalcMethod));

    if (!PairSectionHeading("TOOTH ROOT LOAD-BEARING CAPACITY")) return false;
    PrintPairRows(RootRows);
    KeepReportLines(1);
    if (telmvar.Aborted) return false;
    PrintStressRows(RootStressRows, std::size(RootStressRows));
    if (p.LifeFactorInput == 0) ReportLifeToothBreakage(p.SF, p.LtF, static_cast<uint16_t>(p.CalcMethod));
    return true;
}
