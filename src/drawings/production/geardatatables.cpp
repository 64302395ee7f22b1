// The gear data table and the gear data form of a production drawing.
#include "drawings/production/productiontables.h"
#include "drawings/production/tablevalues.h"

#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"

#include <cmath>
#include <cstdlib>

using namespace productiontables;

std::string ToothAlignmentText(int Gear)
{
    if (GearPair.beta == 0) return "     -";
    const int a = GearPair.ToothAlignment[Gear];
    if (a == 1) return "right-hand";
    if (a == 2) return "left-hand";
    return " ";
}

std::string FlankToleranceStandardText(int Standard)
{
    return Standard >= 0 && Standard <= 1 ? ToleranceStandardNames[Standard] : "";
}

std::string HeatTreatmentText(int Code)
{
    return Code >= 0 && Code <= 7 ? HeatTreatmentShortNames[Code] : "";
}

std::string CentreDistanceFieldText(int AaField)
{
    return AaField >= 1 && AaField <= 8 ? AaFieldNames[AaField - 1] : "";
}

void WriteGearDataTable(int Mode, int Gear, Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const int n = Gear;
    const bool internal = IsInternal(n);
    CadSetLayer(19);
    TCadTable t;
    t.Init(X, Y, H, {18, 4, 9}, {g.GearName[n] + " " + g.PartNumber[n]});
    t.AddRow("flank tolerance class", "",
             IntToText(g.FlankToleranceClass[n]) + " " + FlankToleranceStandardText(g.ToleranceStandard));
    t.AddRow("tolerance zone DIN 3967", "  ", g.ToleranceZone[n]);
    t.AddRow("normal module", "mn", FormatLengthFixed(6, 3, g.mn));
    t.AddRow("no. of teeth", "z", IntToTextBlankPad(g.z[n], 9));
    t.AddRow("pressure angle", "alfa", FormatFloatFixed(6, 3, g.alpha));
    // The gear's addendum is the tool's dedendum and the other way round.
    t.AddRow("addendum", "ha", FormatFloatFixed(2, 3, g.hfP0_mn[n]) + " * m");
    t.AddRow("dedendum", "hf", FormatFloatFixed(2, 3, g.haP0_mn[n]) + " * m");
    t.AddRow("helix angle", "beta", FormatFloatFixed(6, 3, g.beta));
    t.AddRow("tooth alignment", "", ToothAlignmentText(n));
    t.AddRow("pitch circle diameter", "d", FormatLengthFixed(6, 3, std::fabs(g.d[n])));
    t.AddRow("tip diameter", "da", FormatLengthFixed(6, 3, std::fabs(g.da[n])));
    // The root diameter with its one-sided allowance: an external gear is
    // cut deeper (minus), the ring's root circle grows (plus).
    const Extended sign = g.z[n] >= 1 ? 1 : -1;
    t.AddRow("root diameter", "df",
             FormatLengthFixed(6, 2, std::fabs(g.df[n])) + (internal ? " +" : " ") +
                 TrimBlanks(FormatLengthFixed(1, 2, (g.df_min[n] - g.df[n]) * sign)));
    t.AddRow("base diameter", "db", FormatLengthFixed(6, 3, std::fabs(g.db[n])));
    t.AddRow("root diam.util.at tip", "dNa", FormatLengthFixed(6, 3, std::fabs(g.dNa[n])));
    t.AddRow("root diameter utilizable", "dNf", FormatLengthFixed(6, 3, std::fabs(g.dNf[n])));
    t.AddRow(internal ? "profile shift coeff.(-)" : "profile shift coeff.", "x",
             FormatFloatFixed(5, 4, g.x[n]));
    t.AddRow(internal ? "gen.addend.modif.coef.(-)" : "gen.addend.modif.coef.", "xe",
             AddendumModificationText(n));
    t.AddRow("normal space width", "en", FormatLengthFixed(6, 3, g.en[n]));
    t.AddRow("normal tooth thickn.", "sn", FormatLengthFixed(6, 3, g.sn_nom[n]));
    // Signed like the tooth number: the mesh with the ring has a negative
    // centre distance (the gear data follow the sign rule of DIN 3960).
    t.AddRow("center distance", "a", FormatLengthFixed(6, 3, g.a));
    if (Mode == 0 || Mode == 3) {
        const int o = OtherGear(n);
        t.AddRow("no complem.gear", "", g.PartNumber[o]);
        t.AddRow("no. of teeth complem.gear", "z", IntToTextBlankPad(g.z[o], 9));
    }
    t.Done();
}

int GearDataTableRows(int Mode)
{
    // The heading and the 20 rows of the gear, and in modes 0 and 3 the two
    // of the complementary gear.
    return Mode == 0 || Mode == 3 ? 23 : 21;
}

namespace
{

void FormText(Extended X, Extended Y, const std::string& S)
{
    CadText(X, Y, S);
}

} // namespace

void WriteGearDataSheet(int Gear)
{
    const auto& g = GearPair;
    const int n = Gear;
    const int o = OtherGear(n);

    // The frame: the top rule, eleven rules between the rows and four
    // upright rules (the two sides, the label/value divide and the divide
    // of the complementary gear's block).
    CadSetLayer(3);
    CadLine(0, 140, 120, 140);
    for (Extended y : {124.0L, 114.0L, 104.0L, 94.0L, 84.0L, 74.0L, 58.0L, 44.0L, 28.0L, 13.0L, 0.0L})
        CadLine(0, y, 120, y);
    CadLine(0, 0, 0, 140);
    CadLine(120, 0, 120, 140);
    CadLine(76, 0, 76, 124);
    CadLine(25, 0, 25, 28);

    CadSetLayer(5);
    CadSetTextStyle(2, 0, 5, 5);
    FormText(3, 130, g.beta == 0 ? "spur gear" : "helical gear");
    CadSetLayer(4);
    CadSetTextStyle(2, 0, 3.5L, 2.8L);
    FormText(78, 130, g.z[n] > 0 ? "extern.toothed" : "intern. toothed");

    FormText(3, 118, "normal module");
    FormText(55, 118, "mn");
    FormText(87, 118, TrimBlanks(FormatLengthFixed(2, 3, g.mn)));
    FormText(3, 108, "no. of teeth");
    FormText(55, 108, "z");
    FormText(89, 108, IntToText(g.z[n]));
    FormText(3, 98, "basic rack");
    FormText(84, 98, g.ProfileName[n]);
    FormText(3, 88, "helix angle");
    FormText(55, 88, "beta");
    FormText(84, 88, TrimBlanks(FormatFloatFixed(2, 2, g.beta)) + " " + "deg");
    FormText(3, 78, "tooth alignment");
    FormText(79, 78, ToothAlignmentText(n));

    CadSetTextStyle(2, 0, 3.5L, 3);
    FormText(3, 68.5L, "Addendum modification");
    FormText(3, 62.5L, "factor            x      ");
    CadSetTextStyle(2, 0, 3.5L, 2.8L);
    FormText(84, 62.5L, TrimBlanks(FormatFloatFixed(2, 4, g.x[n])));

    FormText(3, 53.5L, "flank tolerance class");
    FormText(84, 53.5L,
             IntToText(g.FlankToleranceClass[n]) + " " + FlankToleranceStandardText(g.ToleranceStandard));
    FormText(3, 47.5L, "tolerance zone DIN 3967");
    FormText(84, 47.5L, g.ToleranceZone[n]);

    FormText(3, 38.5L, "center distance");
    FormText(3, 32.5L, "of housing");
    FormText(55, 38.5L, "a");
    const std::string a = TrimBlanks(FormatLengthFixed(5, 2, g.a));
    if (g.AaField < 9) {
        FormText(79, 32.5L, a + " " + CentreDistanceFieldText(g.AaField));
    } else {
        FormText(79, 38.5L, a);
        // Entered allowances are millimetres; the form has no room for a
        // converted pair, so only the metric form shows them.
        if (wtelmvar.UnitSystem == 0)
            FormText(79, 32.5L, FloatToSignedFixed(3, g.Aa) + "/" + FloatToSignedFixed(3, g.Aai));
    }

    FormText(3, 18, "complem.");
    FormText(3, 8, "gear");
    FormText(28, 23.5L, "part");
    FormText(28, 17.5L, "number");
    FormText(84, 17.5L, g.PartNumber[o]);
    FormText(28, 8.5L, "No. of");
    FormText(28, 2.5L, "teeth");
    FormText(55, 2.5L, "z");
    FormText(84, 2.5L, IntToText(g.z[o]));
}
