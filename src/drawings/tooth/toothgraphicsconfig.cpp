#include "drawings/tooth/toothgraphicsconfig.h"

#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace
{

void SetItems(std::initializer_list<std::string> Items)
{
    int k = 1;
    for (const auto& s : Items)
        telmvar.TextItems[k++] = s;
}

std::string Sig(Extended V)
{
    return TrimBlanks(FloatToSignificant(V));
}

bool AskCount(const std::string& Prompt, int Help, int& Value, int32_t Low, int32_t High)
{
    telmvar.HelpNumber = static_cast<uint16_t>(Help);
    int32_t v = Value;
    graphservices.AskIntInRange(Prompt, v, Low, High);
    if (telmvar.Aborted) return false;
    Value = v;
    return true;
}

// Steps for involute and tooth shape. ElementChoice is proposed "Line" the
// first time within one call of the menu, then the last answer.
bool ConfigureSteps(uint16_t& ElementChoice)
{
    auto& g = GearPair;
    telmvar.HelpNumber = 8380;
    graphservices.AskYesNoFlag("draw tooth root curve ?", g.DrawRootCurve);
    if (telmvar.Aborted) return false;
    if (!AskCount("fillet resolution", 8345, g.FilletResolution, 2, 200)) return false;
    if (!AskCount("number of points for involute polycurve", 8300, g.InvolutePoints, 1, 256)) return false;
    SetItems({"Line", "Polyline"});
    telmvar.HelpNumber = 8310;
    graphservices.AskSelect("drawing element for involute curve", 2, ElementChoice);
    if (telmvar.Aborted) return false;
    // The CAD layer's switch: every later CAD output follows it.
    cadsettings.CadPolylineAllowed = ElementChoice == 2;
    if (!AskCount("Number of tooth shapes for ring gear imaging", 8320, g.RingToothShapes, 1, 20000))
        return false;
    return AskCount("Number of tooth shapes for gear imaging", 8325, g.GearToothShapes, 1, 20000);
}

// One coefficient menu of gear N; Choice comes in as the proposal and goes
// out as the item chosen.
bool AskCoefficient(const std::string& Title, const std::string& EnterPrompt, int N, Extended& Value,
                    uint16_t& Choice)
{
    const auto& g = GearPair;
    const Extended v[7] = {(g.xevmin[N] + g.xevmax[N]) / 2,
                           g.xevmax[N],
                           g.xevmin[N],
                           (g.xemin[N] + g.xemax[N]) / 2,
                           g.xemax[N],
                           g.xemin[N],
                           0};
    // The smallest backlash goes with the largest coefficient (thickest
    // tooth), the largest backlash with the smallest.
    SetItems({"mean torsional backlash premach. (xe = " + Sig(v[0]) + ")",
              "min.torsional backlash premach. (xe= " + Sig(v[1]) + ")",
              "max.torsional backlash premach. (xe = " + Sig(v[2]) + ")",
              "mean torsional backlash fin. (xe = " + Sig(v[3]) + ")",
              "min.torsional backlash fin. (xe= " + Sig(v[4]) + ")",
              "max.torsional backlash fin. (xe = " + Sig(v[5]) + ")", "xe ..."});
    telmvar.HelpNumber = 8330;
    graphservices.AskSelect(Title, 7, Choice);
    if (telmvar.Aborted) return false;
    if (Choice >= 1 && Choice <= 6) {
        Value = v[Choice - 1];
        return true;
    }
    telmvar.HelpNumber = 8340;
    Extended x = Value;
    graphservices.AskDoubleInRange(EnterPrompt, x, -3, 3);
    if (telmvar.Aborted) return false;
    Value = x;
    return true;
}

bool ConfigureCoefficients()
{
    auto& g = GearPair;
    for (int n = 1; n <= 2; ++n) {
        const std::string gear = IntToText(n);
        uint16_t choice = 7;
        if (!AskCoefficient("gen.addend.modif.coef. involute gear " + gear,
                            "gen.addend.modif.coef. involute xe gear " + gear, n, g.x_pic[n], choice))
            return false;
        if (!AskCoefficient("gen.addend.modif.coef. tooth shape gear " + gear,
                            "gen.addend.modif.coef. tooth shape xe gear " + gear, n, g.xv_pic[n], choice))
            return false;
    }
    return true;
}

bool ConfigureCentreDistance(uint16_t& Choice)
{
    auto& g = GearPair;
    const Extended values[3] = {g.a, g.a + g.Aa, g.a + g.Aai};
    const auto text = [](Extended V) { return TrimBlanks(LengthToTextDecimals(3, V)); };
    SetItems({"Nom. center distance  a = " + text(values[0]), "Max. center distance  a = " + text(values[1]),
              "Min. center distance  a = " + text(values[2]), "Enter center distance"});
    telmvar.HelpNumber = 8350;
    graphservices.AskSelect("Center distance", 4, Choice);
    if (telmvar.Aborted) return false;
    if (Choice >= 1 && Choice <= 3) {
        g.a_pic = values[Choice - 1];
        return true;
    }
    telmvar.HelpNumber = 8360;
    Extended a = g.a_pic;
    graphservices.AskLengthInRange("Center distance for CAD drawing", a, g.a - g.mn, g.a + g.mn);
    if (telmvar.Aborted) return false;
    g.a_pic = a;
    return true;
}

bool ConfigureAuxiliaryDiameters()
{
    auto& g = GearPair;
    SetItems({"no auxiliary diameters", "graphics with gear diameters"});
    uint16_t c = static_cast<uint16_t>(g.DrawingConfiguration);
    graphservices.AskSelect("drawing configuration", 2, c);
    if (telmvar.Aborted) return false;
    g.DrawingConfiguration = c;
    return true;
}

} // namespace

void ConfigureToothGraphics()
{
    uint16_t choice = 1;
    uint16_t element = 1;
    uint16_t centre = 1;
    for (;;) {
        SetItems({"Steps for involute and tooth shape", "Gen. addendum modific. coefficients",
                  "Center distance", "Auxiliary diameters", "return"});
        telmvar.HelpNumber = 8275;
        graphservices.AskSelect("Configuration tooth grahics", 5, choice);
        if (telmvar.Aborted) {
            telmvar.Aborted = false;
            return;
        }
        bool ok = true;
        switch (choice) {
        case 1:
            ok = ConfigureSteps(element);
            break;
        case 2:
            ok = ConfigureCoefficients();
            break;
        case 3:
            ok = ConfigureCentreDistance(centre);
            break;
        case 4:
            ok = ConfigureAuxiliaryDiameters();
            break;
        default:
            confgraf(GearPair.x_pic);
            return;
        }
        // Cancel inside an item: leave with Aborted set, radii as they were.
        if (!ok) return;
        choice = static_cast<uint16_t>(choice + 1);
    }
}
