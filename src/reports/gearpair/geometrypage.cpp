// Geometry page of the gear-pair report: main data, angles, contact ratio,
// specific sliding, the cutting tool, profile shift coefficients, pitches and
// tooth dimensions, machining allowance.
#include "foundation/codepage.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
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

// The pair has no rack height: a planetary stage has no rack, and the pair
// data keep none. Rows 13 and 14 need one above 0 and so stay out.
constexpr Extended RackHeight = 0;

const TPairRow MainRows[] = {
    {1, "pressure angle", "alpha", U::Literal, "deg", F::Angle, 0, 0, PV(p.alpha)},
    {1, "helix angle", "beta", U::Literal, "deg", F::Angle, 0, 0, PV(p.beta)},
    {1, "normal module", "mn", U::Length, "", F::Length, 2, 4, PV(p.mn)},
    {1, "Normal Pitch", "Pn", U::Literal, "1/in", F::Float, 3, 3, PV(p.Pn), PW(wtelmvar.UnitSystem == 1)},
    {1, "transverse module", "mt", U::Length, "", F::Length, 2, 4, PV(p.mt)},
    {2, "no. of teeth", "z", U::Literal, "", F::Int, 5, 0, PV(p.z[i])},
    {2, "profile shift coeff.", "x", U::Literal, "", F::Float, 2, 4, PV(p.x[i])},
    {2, "profile shift", "x  mn", U::Length, "", F::Length, 3, 3, PV(p.x[i] * p.mn)},
    {1, "center distance", "a", U::Length, "", F::Length, 5, 3, PV(p.a)},
    {1, "center distance tol.", "Aa", U::Length, "", F::Text, 0, 0, nullptr, nullptr,
     PT(p.CentreDistanceTolerance + ": " + DeviationPairToText(p.Aa, p.Aai))},
    {1, "center dist.without add.mod.", "a0", U::Length, "", F::Length, 5, 3, PV(p.a0)},
    {1, "center distance - pitch diam.2/2", "a-r2", U::Length, "", F::Length, 4, 3, PV(p.a - p.d[2] / 2),
     PW(IsRack(p.z[2]))},
    {1, "height rack", "h-da", U::Length, "", F::Length, 4, 3, PV(RackHeight),
     PW(IsRack(p.z[2]) && RackHeight > 0)},
    {1, "rack center distance", "h-a", U::Length, "", F::Length, 4, 3, PV(p.a - p.da0[2] / 2 + RackHeight),
     PW(IsRack(p.z[2]) && RackHeight > 0)},
    {2, "face width", "b", U::Length, "", F::Length, 5, 2, PV(p.b[i])},
    {2, "chamfers at end of face width (chamfer)", "bcha", U::Length, "", F::Length, 5, 2, PV(p.bcha[i]),
     PW(p.bcha[1] > 0 || p.bcha[2] > 0)},
    {1, "face width center offset", "bctr", U::Length, "", F::Length, 5, 2, PV(p.bctr), PW(p.bctr != 0)},
    {2, "pitch circle diameter", "d", U::Length, "", F::Length, 5, 3, PV(p.d[i])},
    {2, "operating pitch diameter nom", "dw", U::Length, "", F::Length, 5, 3, PV(p.dw[i])},
    {2, "root diameter", "df", U::Length, "", F::Length, 5, 3, PV(p.df[i])},
    // The smallest root diameter the tolerances allow, less the nominal one.
    {2, "root diameter tolerance", "A df", U::Length, "", F::Length, 5, 3, PV(p.df_min[i] - p.df[i])},
    {2, "base diameter", "db", U::Length, "", F::Length, 5, 3, PV(p.db[i])},
    {2, "tip reduction", "kmn", U::Length, "", F::Length, 5, 3, PV(p.kmn[i])},
    {2, "clearance", "ck", U::Length, "", F::Length, 5, 3, PV(p.ck[i])},
    {2, "clearance min", "ckmin", U::Length, "", F::Length, 5, 3, PV(p.ckmin[i])},
    {2, "clearance max", "ckmax", U::Length, "", F::Length, 5, 3, PV(p.ckmax[i])},
    // The theoretical tip diameter is the one the tool would generate.
    {2, "theor.tip diameter", "da nom", U::Length, "", F::Length, 5, 3, PV(p.da_tool[i]),
     PW(!(ApproxEqual(p.da_tool[1], p.da0[1]) && ApproxEqual(p.da_tool[2], p.da0[2])))},
    {2, "tip diameter", "da max", U::Length, "", F::Length, 5, 3, PV(p.da0[i]),
     PW(ApproxEqual(p.kmn[1], 0) && ApproxEqual(p.kmn[2], 0))},
    // The tip's own tolerance, as on the stage report: the smallest tip
    // diameter (root diameter plus twice the largest-material tooth depth)
    // less the tip diameter. The root tolerance would say nothing of the tip.
    {2, "tip diameter tolerance", "A da", U::Length, "", F::Length, 5, 3,
     PV(2 * p.h_min[i] + p.df[i] - p.da[i])},
    {2, "tip dia.w/o.tip reduction", "da0", U::Length, "", F::Length, 5, 3, PV(p.da0[i])},
    {2, "tip dia.w.tip reduction", "da", U::Length, "", F::Length, 5, 3, PV(p.da[i])},
    {2, "borehole diameter", "dB", U::Length, "", F::Length, 5, 2, PV(p.dB[i])},
    {2, "tooth depth", "h", U::Length, "", F::Length, 5, 3, PV(p.h[i])},
    {1, "gear ratio", "u", U::Literal, "", F::Float, 5, 2, PV(p.u)},
};

const TPairRow AngleRows[] = {
    {1, "trans.press.ang,gen.pitchcyl.", "alpha t", U::Literal, "deg", F::AngleRad, 0, 0, PV(p.alpha_t)},
    {1, "helix angle at base circle", "beta b", U::Literal, "deg", F::AngleRad, 0, 0, PV(p.beta_b)},
    {1, "trans.press.ang,op.pitchcyl.", "alpha wt", U::Literal, "deg", F::AngleRad, 0, 0, PV(p.alpha_wt)},
};

const TPairRow ContactRows[] = {
    {2, "tip diameter utiliz. min", "dFamin", U::Length, "", F::Length, 5, 3, PV(p.dFamin[i]),
     PW(p.HasChamfer[1] || p.HasChamfer[2])},
    {2, "tip diameter utiliz. max", "dFamax", U::Length, "", F::Length, 5, 3, PV(p.dFamax[i]),
     PW(p.HasChamfer[1] || p.HasChamfer[2])},
    {2, "root diam.util.at tip", "dNa", U::Length, "", F::Length, 5, 3, PV(p.dNa[i])},
    {2, "root diameter utilizable", "dNf", U::Length, "", F::Length, 5, 3, PV(p.dNf[i])},
    {2, "form diameter", "dFfmin", U::Length, "", F::Length, 5, 3, PV(p.dFfmin[i])},
    {2, "form diameter", "dFfmax", U::Length, "", F::Length, 5, 3, PV(p.dFfmax[i])},
    {1, "pressure path", "g alpha", U::Length, "", F::Length, 4, 3, PV(p.g_alpha)},
    {1, "pressure path A-C", "g al.a", U::Length, "", F::Length, 4, 3, PV(p.g_alphaa)},
    {1, "pressure path E-C", "g al.e", U::Length, "", F::Length, 4, 3, PV(p.g_alphae)},
    {1, "transverse contact ratio", "eps.alpha", U::Literal, "", F::Float, 4, 3, PV(p.eps_alpha)},
    {1, "face contact ratio", "eps.beta", U::Literal, "", F::Float, 4, 3, PV(p.eps_beta)},
    {1, "total contact ratio", "eps.gamma", U::Literal, "", F::Float, 4, 3, PV(p.eps_gamma)},
};

const TPairRow SlidingRows[] = {
    {2, "spec.sliding, tooth tip", "zeta a", U::Literal, "", F::Float, 3, 3,
     PV(i == 1 ? p.zeta_a1 : p.zeta_a2)},
    {2, "spec.sliding, tooth root", "zeta f", U::Literal, "", F::Float, 3, 3,
     PV(i == 1 ? p.zeta_f1 : p.zeta_f2)},
};

const TPairRow ToolRows[] = {
    {2, "dedendum coeff tool", "hfP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.hfP0_mn[i])},
    {2, "dedendum of tool", "hfP0", U::Length, "", F::Length, 3, 3, PV(p.hfP0[i])},
    {2, "addendum coeff tool", "haP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.haP0_mn[i])},
    {2, "addendum of tool", "haP0", U::Length, "", F::Length, 3, 3, PV(p.haP0[i])},
    {2, "fillet radius/mn tool", "rhoaP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.rhoaP0_mn[i])},
    {2, "fillet radius tool", "rhoaP0", U::Length, "", F::Length, 3, 3, PV(p.rhoaP0[i])},
    {2, "root fillet radius/mn tool", "rhofP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.rhofP0_mn[i])},
    {2, "root fillet radius tool", "rhofP0", U::Length, "", F::Length, 3, 3, PV(p.rhofP0[i])},
    {2, "protuberance", "prP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.prP0_mn[i]),
     PW(p.prP0_mn[1] != 0 || p.prP0_mn[2] != 0)},
    {2, "protuberance", "prP0", U::Length, "", F::Length, 3, 3, PV(p.prP0[i]),
     PW(p.prP0_mn[1] != 0 || p.prP0_mn[2] != 0)},
    {2, "protuberance angle", "al.prP0", U::Degree, "", F::Angle, 0, 0, PV(p.alphaprP0[i]),
     PW(p.prP0_mn[1] != 0 || p.prP0_mn[2] != 0)},
    {2, "depth of chamfer/mn", "hFfP0/mn", U::Literal, "", F::Float, 3, 3, PV(p.hFfP0_mn[i]),
     PW(p.HasChamfer[1] || p.HasChamfer[2])},
    {2, "depth of chamfer", "hFfP0", U::Length, "", F::Length, 3, 3, PV(p.hFfP0[i]),
     PW(p.HasChamfer[1] || p.HasChamfer[2])},
    {2, "chamfer pressure angle.", "al.kP0", U::Degree, "", F::Angle, 0, 0, PV(p.alphakP0[i]),
     PW(p.HasChamfer[1] || p.HasChamfer[2])},
};

const TPairRow ProfileShiftRows[] = {
    {2, "profile shift coeff.", "xnom.", U::Literal, "", F::Float, 1, 5, PV(p.x[i])},
    {2, "gen.addend.modif.coef. premach.", "xev", U::Literal, "", F::Float, 1, 5,
     PV((p.xevmin[i] + p.xevmax[i]) / 2),
     PW(p.q[1] != 0 || p.q[2] != 0 || p.q_tol[1] != 0 || p.q_tol[2] != 0)},
    {2, "gen.addend.modif.coef. premach.", "xevmax", U::Literal, "", F::Float, 1, 5, PV(p.xevmax[i]),
     PW(p.q[1] != 0 || p.q[2] != 0 || p.q_tol[1] != 0 || p.q_tol[2] != 0)},
    {2, "gen.addend.modif.coef. premach.", "xevmin", U::Literal, "", F::Float, 1, 5, PV(p.xevmin[i]),
     PW(p.q[1] != 0 || p.q[2] != 0 || p.q_tol[1] != 0 || p.q_tol[2] != 0)},
    {2, "gen.addend.modif.coef. fin.", "xe", U::Literal, "", F::Float, 1, 5,
     PV((p.xemax[i] + p.xemin[i]) / 2)},
    {2, "gen.addend.modif.coef. fin.", "xemax", U::Literal, "", F::Float, 1, 5, PV(p.xemax[i])},
    {2, "gen.addend.modif.coef. fin.", "xemin", U::Literal, "", F::Float, 1, 5, PV(p.xemin[i])},
};

const TPairRow PitchRows[] = {
    {1, "normal circular pitch", "pn", U::Length, "", F::Length, 4, 3, PV(p.pn)},
    {1, "transverse pitch", "pt", U::Length, "", F::Length, 4, 3, PV(p.pt)},
    {1, "transverse base pitch", "pbt", U::Length, "", F::Length, 4, 3, PV(p.pbt)},
    {1, "transverse contact pitch", "pet", U::Length, "", F::Length, 4, 3, PV(p.pet)},
    {1, "normal contact pitch", "pen", U::Length, "", F::Length, 4, 3, PV(p.pen)},
    {2, "normal tooth thickn. nom.", "sn nom", U::Length, "", F::Length, 4, 3, PV(p.sn_nom[i])},
    {2, "normal tooth thickn. max", "sn max", U::Length, "", F::Length, 4, 3, PV(p.sn_max[i])},
    {2, "normal tooth thickn. min", "sn min", U::Length, "", F::Length, 4, 3, PV(p.sn_min[i])},
    {2, "transv.tooth thickn.", "st nom", U::Length, "", F::Length, 4, 3, PV(p.st_nom[i])},
    {2, "normal top land, max", "san max", U::Length, "", F::Length, 4, 3, PV(p.san_max[i])},
    {2, "normal top land, min", "san min", U::Length, "", F::Length, 4, 3, PV(p.san_min[i])},
    {2, "transverse top land, max", "sat max", U::Length, "", F::Length, 4, 3, PV(p.sat_max[i])},
    {2, "transverse top land, min", "sat min", U::Length, "", F::Length, 4, 3, PV(p.sat_min[i])},
    {2, "normal space width", "en", U::Length, "", F::Length, 4, 3, PV(p.en[i])},
    {2, "transverse gap width", "et", U::Length, "", F::Length, 4, 3, PV(p.et[i])},
    {2, "virtual number of teeth", "zn", U::Literal, "", F::Float, 4, 3, PV(p.zn[i])},
};

const TPairRow AllowanceRows[] = {
    {2, "machin.allowance", "q", U::Length, "", F::Length, 3, 3, PV(p.q[i])},
    {2, "tolerance machin.allowance", "+", U::Length, "", F::Length, 3, 3, PV(p.q_tol[i])},
};

#undef PV
#undef PW
#undef PT

// Hand of the tooth trace by code; a code outside the table has no text.
std::string HandText(int Code)
{
    return Code >= 1 && Code <= 3 ? ToothAlignmentNames[Code] : "";
}

} // namespace

bool ReportPairGeometrySection()
{
    const auto& p = GearPair;
    PrintPairRows(MainRows);

    if (!PairSectionHeading("CALCULATED ANGLES")) return false;
    PrintPairRows(AngleRows);
    // Gear 1's hand stands in the symbol column, gear 2's in the value
    // column; a free gear 1 has nothing to compare.
    if (p.ToothAlignment[1] == 1 || p.ToothAlignment[1] == 2)
        PrintReportRow1("tooth alignment gear 1/2", HandText(p.ToothAlignment[1]), "",
                        HandText(p.ToothAlignment[2]));

    if (!PairSectionHeading("CONTACT RATIO FACTORS")) return false;
    PrintPairRows(ContactRows);
    if (!PairSectionHeading("SPECIFIC SLIDING")) return false;
    PrintPairRows(SlidingRows);
    if (!PairSectionHeading("DIMENSIONS OF GEAR-CUTTING TOOL")) return false;
    PrintPairRows(ToolRows);

    // This empty line goes to the file uncounted, so the page keeps room for
    // the heading that follows (a sheet counts it: it holds it).
    WriteReportBlankLine();
    KeepReportLines(1);
    if (telmvar.Aborted) return false;
    PrintReportLine("PROFILE SHIFT COEFFICIENTS");
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintPairRows(ProfileShiftRows);
    PrintReportLine("");
    if (!p.ToothCorrectionText[1].empty() || !p.ToothCorrectionText[2].empty()) {
        PrintReportLine("TOOTH CORRECTION FACTOR, TOOTH RELIEF");
        PrintReportLine(GetRuleLine());
        PrintReportLine("tooth correction factor gear 1 : " + AnsiTextToOem(p.ToothCorrectionText[1]));
        PrintReportLine(GetRuleLine());
        PrintReportLine("tooth correction factor gear 2 : " + AnsiTextToOem(p.ToothCorrectionText[2]));
        PrintReportLine(GetRuleLine());
    }

    if (!PairSectionHeading("TOOTH PITCHES, TOOTH DIMENSIONS")) return false;
    PrintPairRows(PitchRows);
    if (!PairSectionHeading("MACHINING ALLOWANCE")) return false;
    PrintPairRows(AllowanceRows);
    return true;
}
