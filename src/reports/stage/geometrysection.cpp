// Gearing geometry of the four gears and the three meshes.
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/stage/planetaryreport.h"
#include "reports/stage/reportformat.h"

#include <cmath>
#include <string>

namespace
{

// True when the test holds for S, Pi or Pe (the ring gear is not asked).
template <class Test> bool AnyOfSPiPe(Test test)
{
    return test(gS) || test(gPi) || test(gPe);
}

const char* ToothTraceLetter(int code)
{
    switch (code) {
    case 1:
        return "R";
    case 2:
        return "L";
    default:
        return "-";
    }
}

void BasicRows()
{
    const auto& p = GearPair;
    const auto& g = PlanetaryGears;
    const std::string L = LengthUnitLabel();
    PrintReportRow1("pressure angle", "alpha", "deg", Fix(2, 5, p.alpha));
    PrintReportRow1("helix angle", "beta", "deg", Fix(2, 5, p.beta));
    PrintReportRow1("normal module", "mn", L, Len(2, 4, p.mn));
    if (wtelmvar.UnitSystem == 1) PrintReportRow1("Normal Pitch", "Pn", "1/in", Fix(3, 3, p.Pn));
    PrintReportRow1("transverse module", "mt", L, Len(2, 4, p.mt));
    GearRow("no. of teeth", "z", "", [&](int k) { return IntToTextBlankPad(g.z[k], 5); });
    PrintReportRow1("no. planet wheels", "qp", "", IntToTextBlankPad(p.qp, 5));
    GearRow("profile shift coeff.", "x", "", [&](int k) { return Fix(2, 3, g.x[k]); });
    GearRow("profile shift", "x*mn", L, [&](int k) { return Len(3, 3, g.x[k] * p.mn); });
    MeshRow("center distance", "a", L, [&](int m) { return LengthToText(g.aInUse[m]); });
    GearRow("face width", "b", L, [&](int k) { return Len(3, 2, g.b[k]); });
    // The face-width conditions look at the stage's own gears and meshes,
    // not at the pair that happened to be calculated last.
    bool chamfer = false, offset = false;
    for (int k = 1; k <= 4; ++k)
        chamfer = chamfer || g.bcha[k] > 0;
    for (int m = 1; m <= 3; ++m)
        offset = offset || g.bctr[m] != 0;
    if (chamfer)
        GearRow("chamfers at end of face width", "bred", L, [&](int k) { return Len(3, 2, g.bcha[k]); });
    if (offset) MeshRow("face width center offset", "bctr", L, [&](int m) { return Len(3, 2, g.bctr[m]); });
    MeshRow("effective facewidth", "b0eff.", L, [&](int m) { return Len(4, 2, g.b_effH[m]); });
    GearRow("pitch circle diameter", "d", L, [&](int k) { return Len(3, 2, g.d[k]); });
    MeshMemberRow("operating pitch diameter S-Pi", "dw SPi", L, mSPi,
                  [&](int s) { return Len(3, 2, g.dw[s][mSPi]); });
    MeshMemberRow("operating pitch diameter Pi-Pe", "dw Pie", L, mPiPe,
                  [&](int s) { return Len(3, 2, g.dw[s][mPiPe]); });
    MeshMemberRow("operating pitch diameter Pe-H", "dw PeH", L, mPeH,
                  [&](int s) { return Len(3, 2, g.dw[s][mPeH]); });
    GearRow("root diameter", "df", L, [&](int k) { return Len(3, 2, g.df[k]); });
    GearRow("root diameter tolerance", "A df", L, [&](int k) { return Len(3, 2, g.df_min[k] - g.df[k]); });
    GearRow("base diameter", "db", L, [&](int k) { return Len(3, 2, g.db[k]); });
    GearRow("tip reduction", "kmn", L, [&](int k) { return Len(3, 2, g.kmn[k]); });
    MeshMemberRow("clearance S-Pi", "cSPi", L, mSPi, [&](int s) { return Len(3, 2, g.ck[s][mSPi]); });
    MeshMemberRow("clearance Pi-Pe", "cPie", L, mPiPe, [&](int s) { return Len(3, 2, g.ck[s][mPiPe]); });
    MeshMemberRow("clearance Pe-H", "cPeH", L, mPeH, [&](int s) { return Len(3, 2, g.ck[s][mPeH]); });

    // The theoretical tip diameter is the one the tool would generate.
    if (AnyOfSPiPe([&](int k) { return std::fabs(g.da_tool[k] - g.da0[k]) >= 1e-5L; }))
        GearRow("theor.tip diameter", "da nom", L, [&](int k) { return Len(3, 2, g.da_tool[k]); });
    if (!AnyOfSPiPe([&](int k) { return std::fabs(g.kmn[k]) >= 1e-5L; })) {
        GearRow("tip diameter", "da max", L, [&](int k) { return Len(3, 2, g.da[k]); });
        // The tip's own tolerance: the smallest tip diameter (from the
        // largest tooth depth) minus the tip diameter.
        GearRow("tip diameter tolerance", "A da", L,
                [&](int k) { return Len(3, 2, (2 * g.h_min[k] + g.df[k]) - g.da[k]); });
    } else {
        GearRow("tip dia.w/o.tip reduction", "da0", L, [&](int k) { return Len(3, 2, g.da0[k]); });
        GearRow("tip dia.w.tip reduction", "da", L, [&](int k) { return Len(3, 2, g.da[k]); });
    }
    PrintReportRow1("distance planet wheels", "dl P", L, Len(3, 2, PlanetaryStage.dlP));
    GearRow("tooth depth", "h", L, [&](int k) { return Len(3, 2, g.h[k]); });
    const int hand = g.ToothAlignment[gS];
    if (p.beta != 0 && (hand == 1 || hand == 2))
        GearRow("tooth alignment", "", "",
                [&](int k) { return std::string("   ") + ToothTraceLetter(g.ToothAlignment[k]); });
}

void AngleAndContactRows()
{
    const auto& p = GearPair;
    const auto& g = PlanetaryGears;
    const std::string L = LengthUnitLabel();
    StageSubHeading("CALCULATED ANGLES");
    PrintReportRow1("trans.press.ang,gen.pitchcyl.", "al.t", "deg", Fix(4, 3, RadToDeg(p.alpha_t)));
    PrintReportRow1("helix angle at base circle",
                    "\xE1"
                    "b",
                    "deg", Fix(4, 3, RadToDeg(p.beta_b)));
    // All three meshes: the row names the operating pressure angle of each.
    MeshRow("trans.press.ang,op.pitchcyl.", "al.wt", "deg",
            [&](int m) { return Fix(4, 3, RadToDeg(g.alpha_wt[m])); });

    StageSubHeading("CONTACT RATIO FACTORS");
    MeshRow("pressure path", "g al.", L, [&](int m) { return Len(4, 3, g.g_alpha[m]); });
    MeshRow("transverse contact ratio", "eps.al.", "", [&](int m) { return Fix(4, 3, g.eps_alpha[m]); });
    MeshRow("face contact ratio", "eps.be.", "", [&](int m) { return Fix(4, 3, g.eps_beta[m]); });
    MeshRow("total contact ratio", "eps.g.", "", [&](int m) { return Fix(4, 3, g.eps_gamma[m]); });

    StageSubHeading("SPECIFIC SLIDING");
    const char* names[] = {"", "S-Pi", "Pi-Pe", "Pe-H"};
    for (int m = 1; m <= 3; ++m) {
        MeshMemberRow(std::string("spec.sliding, tooth tip ") + names[m], "zeta a", "", m,
                      [&](int s) { return Fix(3, 2, s == 1 ? g.zeta_a1[m] : g.zeta_a2[m]); });
        MeshMemberRow(std::string("spec.sliding, tooth root ") + names[m], "zeta f", "", m,
                      [&](int s) { return Fix(3, 2, s == 1 ? g.zeta_f1[m] : g.zeta_f2[m]); });
    }
}

void ToolRows()
{
    const auto& g = PlanetaryGears;
    const std::string L = LengthUnitLabel();
    StageSubHeading("DIMENSIONS OF GEAR-CUTTING TOOL");
    GearRow("dedendum coeff tool", "hfP0/mn", "", [&](int k) { return Fix(3, 2, g.hfP0_mn[k]); });
    GearRow("dedendum of tool", "hfP0", L, [&](int k) { return Len(3, 2, g.hfP0[k]); });
    GearRow("addendum coeff tool", "haP0/mn", "", [&](int k) { return Fix(3, 2, g.haP0_mn[k]); });
    GearRow("addendum of tool", "haP0", L, [&](int k) { return Len(3, 2, g.haP0[k]); });
    GearRow("fillet radius tool", "raP0/mn", "", [&](int k) { return Fix(3, 2, g.rhoaP0_mn[k]); });
    GearRow("fillet radius tool", "raP0", L, [&](int k) { return Len(3, 2, g.rhoaP0[k]); });
    GearRow("root fillet radius tool", "rfP0/mn", "", [&](int k) { return Fix(3, 2, g.rhofP0_mn[k]); });
    GearRow("root fillet radius tool", "rfP0", L, [&](int k) { return Len(3, 2, g.rhofP0[k]); });
    if (AnyOfSPiPe([&](int k) { return g.prP0_mn[k] != 0; })) {
        GearRow("protuberance", "prP0/mn", "", [&](int k) { return Fix(3, 2, g.prP0_mn[k]); });
        GearRow("protuberance", "prP0", L, [&](int k) { return Len(3, 2, g.prP0[k]); });
        GearRow("protuberance angle", "al.prP0", "\xF8", [&](int k) { return Fix(3, 2, g.alphaprP0[k]); });
    }
    if (AnyOfSPiPe([&](int k) { return g.HasChamfer[k] != 0; })) {
        GearRow("depth of chamfer", "hFfP0/mn", "", [&](int k) { return Fix(3, 2, g.hFfP0_mn[k]); });
        GearRow("depth of chamfer", "hFfP0", L, [&](int k) { return Len(3, 2, g.hFfP0[k]); });
        GearRow("chamfer pressure angle.", "al.kP0", "\xF8", [&](int k) { return Fix(3, 2, g.alphakP0[k]); });
    }
}

void ProfileShiftRows()
{
    const auto& g = PlanetaryGears;
    StageSubHeading("PROFILE SHIFT COEFFICIENTS", false);
    GearRow("profile shift coeff.", "xnom.", "", [&](int k) { return Fix(1, 4, g.x[k]); });
    if (g.q[gS] != 0 || g.q[gPi] != 0) {
        GearRow("gen.addend.modif.coef. premach.", "xeq", "",
                [&](int k) { return Fix(1, k == gS ? 5 : 4, (g.xevmax[k] + g.xevmin[k]) / 2); });
        GearRow("gen.addend.modif.coef. premach.", "xemaxq", "",
                [&](int k) { return Fix(1, 4, g.xevmax[k]); });
        GearRow("gen.addend.modif.coef. premach.", "xeminq", "",
                [&](int k) { return Fix(1, 4, g.xevmin[k]); });
    }
    GearRow("gen.addend.modif.coef. fin.", "xe", "",
            [&](int k) { return Fix(1, 4, (g.xemax[k] + g.xemin[k]) / 2); });
    GearRow("gen.addend.modif.coef. fin.", "xemax", "", [&](int k) { return Fix(1, 4, g.xemax[k]); });
    GearRow("gen.addend.modif.coef. fin.", "xemin", "", [&](int k) { return Fix(1, 4, g.xemin[k]); });
}

void PitchAndThicknessRows()
{
    const auto& p = GearPair;
    const auto& g = PlanetaryGears;
    const std::string L = LengthUnitLabel();
    StageSubHeading("TOOTH PITCHES, TOOTH DIMENSIONS");
    PrintReportRow1("normal circular pitch", "pn", L, Len(4, 3, p.pn));
    PrintReportRow1("circ.pitch (trans.-)", "pt", L, Len(4, 3, p.pt));
    PrintReportRow1("transverse base pitch", "pbt", L, Len(4, 3, p.pbt));
    PrintReportRow1("transverse contact pitch", "pet", L, Len(4, 3, p.pet));
    PrintReportRow1("normal contact pitch", "pen", L, Len(4, 3, p.pen));
    GearRow("normal tooth thickn. nom.", "sn nom", L, [&](int k) { return Len(3, 2, g.sn_nom[k]); });
    GearRow("normal tooth thickn. max.", "sn max", L, [&](int k) { return Len(3, 2, g.sn_max[k]); });
    GearRow("normal tooth thickn. min.", "sn min", L, [&](int k) { return Len(3, 2, g.sn_min[k]); });
    GearRow("transv.tooth thickn.", "st nom", L, [&](int k) { return Len(3, 2, g.st_nom[k]); });
    GearRow("normal top land, max.", "sanmax", L, [&](int k) { return Len(3, 2, g.san_max[k]); });
    GearRow("normal top land, min.", "sanmin", L, [&](int k) { return Len(3, 2, g.san_min[k]); });
    GearRow("transverse top land, max.", "satmax", L, [&](int k) { return Len(3, 2, g.sat_max[k]); });
    GearRow("transverse top land, min.", "satmin", L, [&](int k) { return Len(3, 2, g.sat_min[k]); });
    GearRow("normal space width", "en", L, [&](int k) { return Len(3, 2, g.en[k]); });
    GearRow("transverse gap width", "et", L, [&](int k) { return Len(3, 2, g.et[k]); });
    GearRow("virtual number of teeth", "zn", "", [&](int k) { return Fix(3, 2, g.zn[k]); });

    StageSubHeading("MACHINING ALLOWANCE");
    GearRow("machin.allowance", "q", L, [&](int k) { return Len(3, 2, g.q[k]); });
    GearRow("tolerance machin.allowance", "+", L, [&](int k) { return Len(3, 2, g.q_tol[k]); });
}

void ToleranceRows()
{
    const auto& g = PlanetaryGears;
    const auto& st = PlanetaryStage;
    const std::string L = LengthUnitLabel();
    StageSubHeading("TOLERANCES, BACKLASH");
    // The tooth thickness tolerances belong to every gear, the ring included.
    GearRow("tolerance zone DIN 3967", "", "", [&](int k) { return "  " + g.ToleranceZone[k]; });
    GearRow("upper tooth thickn.allow.", "Asne", L, [&](int k) { return Len(3, 2, g.Asne[k]); });
    GearRow("lower tooth thickn.allow.", "Asni", L, [&](int k) { return Len(3, 2, g.Asni[k]); });
    GearRow("tooth thickness tolerance", "Tsn", MicroLengthUnitLabel(),
            [&](int k) { return FormatLengthFixed2(7, 0, g.Tsn[k] * 1000); });
    MeshRow("torsional backlash min.", "jtmin", L, [&](int m) { return Len(3, 2, g.jtmin[m]); });
    MeshRow("torsional backlash max.", "jtmax", L, [&](int m) { return Len(3, 2, g.jtmax[m]); });
    MeshRow("normal backlash min.", "jnmin", L, [&](int m) { return Len(3, 2, g.jnmin[m]); });
    MeshRow("normal backlash max.", "jnmax", L, [&](int m) { return Len(3, 2, g.jnmax[m]); });
    MeshRow("radial backlash min.", "jrmin", L, [&](int m) { return Len(3, 2, g.jrmin[m]); });
    MeshRow("radial backlash max.", "jrmax", L, [&](int m) { return Len(3, 2, g.jrmax[m]); });
    const std::string io = "torsional backlash I/O (" + ShaftLetter(PlanetaryShafts.InputShaft) + "-" +
                           ShaftLetter(PlanetaryShafts.OutputShaft) + ")";
    PrintReportRow2(io, "jtmin", DegreeSign(), Fix(3, 2, st.BacklashAngleInMin),
                    Fix(3, 2, st.BacklashAngleOutMin));
    PrintReportRow2(io, "jtmax", DegreeSign(), Fix(3, 2, st.BacklashAngleInMax),
                    Fix(3, 2, st.BacklashAngleOutMax));
}

void CarrierCoordinates()
{
    const auto& g = PlanetaryGears;
    const std::string L = LengthUnitLabel();
    PrintReportLine("");
    KeepReportLines(1);
    PrintReportLine("coordinates planet carrier");
    PrintReportLine(GetRuleLine());
    PrintReportLine("i     phi [deg]       x [" + L + "]       y [" + L + "]");
    PrintReportLine(GetRuleLine());
    // The outer planets' pins sit on the circle of the Pe-H centre distance
    // of the stage record (held negative, as for an internal pair).
    const Extended a = std::fabs(g.aInUse[mPeH]);
    for (int i = 0; i < GearPair.qp; ++i) {
        const Extended phi = PlanetAngle(i);
        PrintReportLine(IntToTextZeroPad(i + 1, 2) + "     " + Fix(3, 4, RadToDeg(phi)) + "   " +
                        Len(6, 3, a * std::cos(phi)) + "   " + Len(6, 3, a * std::sin(phi)));
    }
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    KeepReportLines(1);
}

} // namespace

void ReportGeometrySection()
{
    BasicRows();
    AngleAndContactRows();
    ToolRows();
    ProfileShiftRows();
    PitchAndThicknessRows();
    ToleranceRows();
    CarrierCoordinates();
    ReportMeasurementsBlock();
}
