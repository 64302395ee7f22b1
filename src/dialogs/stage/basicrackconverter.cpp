#include "dialogs/stage/basicrackconverter.h"

#include "dialogs/calculatorwindow.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/geometry/tolerances.h"
#include "gearpair/geometry/warnings.h"
#include "gearpair/strength/calcstrength.h"

#include <cmath>
#include <string>

TBasicRackConverter basicrackconverter;

void ResetBasicRackConverter()
{
    basicrackconverter = TBasicRackConverter{};
}

namespace
{

constexpr Extended Pi = 3.141592653589793238462643383279503L;
// The tool profile number that makes the geometry take the entered
// coefficients instead of a standard profile.
constexpr int EnteredProfile = 4;
const char DegreeByte[] = "\xF8";

Extended& Coefficient(int Line, int g)
{
    TGearPairData& p = GearPair;
    switch (Line) {
    case 1:
        return p.hfP0_mn[g];
    case 2:
        return p.haP0_mn[g];
    case 3:
        return p.alphakP0[g];
    case 4:
        return p.hFfP0_mn[g];
    case 5:
        return p.alphaprP0[g];
    case 6:
        return p.prP0_mn[g];
    case 7:
        return p.rhoaP0_mn[g];
    default:
        return p.rhofP0_mn[g];
    }
}

const char* const InputLabels[9] = {"",       "hfP0/m", "haP0/m", "a.kP0", "hFfP0/m",
                                    "a.prP0", "prP0/m", "raP0/m", "rfP0/m"};
const char* const OutputLabels[10] = {"",        "d",        "df",   "da",   "dFa",
                                      "sat min", "eps.alfa", "haP0", "hfP0", "hP0"};

bool IsAngleLine(int Line)
{
    return Line == 3 || Line == 5;
}

void WriteInputs(int g)
{
    for (int i = 1; i <= 8; ++i) {
        const Extended x = Coefficient(i, g);
        const std::string s = TrimBlanks(IsAngleLine(i) ? FloatToSignificant(x) : FloatToSignificant6(x));
        vonline3.OnlineInValue[i] = s;
        basicrackconverter.ShownText[i] = s;
        basicrackconverter.ShownValue[i] = x;
    }
}

void ReadInputs(int g)
{
    for (int i = 1; i <= 8; ++i) {
        const std::string& s = vonline3.OnlineInValue[i];
        if (s == basicrackconverter.ShownText[i])
            Coefficient(i, g) = basicrackconverter.ShownValue[i];
        else
            Coefficient(i, g) = TextToFloat(TrimBlanks(s));
    }
}

std::string Diameter(Extended X)
{
    return TrimBlanks(LengthToTextDecimals(2, X));
}

} // namespace

bool DefaultTipRadius(Extended AlphaDeg, Extended haP0_mn, Extended prP0_mn, Extended& rhoaP0_mn)
{
    const Extended a = AlphaDeg * Pi / 180;
    const Extended denominator = 1 - std::sin(a);
    if (!(std::fabs(denominator) > 1e-12L)) return false;
    const Extended r = 0.9L * (Pi / 4 * std::cos(a) - haP0_mn * std::sin(a) + prP0_mn) / denominator;
    if (!std::isfinite(static_cast<long double>(r))) return false;
    rhoaP0_mn = r;
    return true;
}

void BasicRackConverterInit(int g)
{
    OnlineInit("basic rack", 8, 9);
    GearPair.ToolProfileNo[g] = EnteredProfile;
    for (int i = 1; i <= 8; ++i) {
        vonline3.OnlineInLabel[i] = InputLabels[i];
        vonline3.OnlineInUnit[i] = IsAngleLine(i) ? DegreeByte : "";
    }
    WriteInputs(g);
}

void BasicRackConverterPass(int g)
{
    TGearPairData& p = GearPair;
    ResetErrorState();
    ReadInputs(g);
    if (p.rhoaP0_mn[g] == 0 && !DefaultTipRadius(p.alpha, p.haP0_mn[g], p.prP0_mn[g], p.rhoaP0_mn[g]))
        AddErrorMessage("raP0/m: no tip radius fits a pressure angle of " +
                        TrimBlanks(FloatToSignificant(p.alpha)) + DegreeByte);
    telmvar.FatalCalcError = false;
    SetDefaultCentreDistance();
    Unit0();
    Unit1();
    ResolveDimensionInputMode();
    Unit2();
    CalcTolerances();
    if (p.z[1] + p.z[2] != 0) CalcStrength();
    GearPairWarnings();

    const std::string length = LengthUnitLabel();
    const Extended values[10] = {0,           p.d[g],
                                 p.df[g],     p.da[g],
                                 p.dFamax[g], p.sat_min[g],
                                 p.eps_alpha, p.haP0[g],
                                 p.hfP0[g],   p.haP0[g] + p.hfP0[g]};
    for (int i = 1; i <= 9; ++i) {
        vonline3.OnlineOutLabel[i] = OutputLabels[i];
        vonline3.OnlineOutUnit[i] = i == 6 ? "" : length;
        if (i <= 4)
            vonline3.OnlineOutValue[i] = Diameter(values[i]);
        else if (i == 6)
            vonline3.OnlineOutValue[i] = TrimBlanks(FloatToSignificant(values[i]));
        else
            vonline3.OnlineOutValue[i] = TrimBlanks(LengthToText(values[i]));
    }
    WriteInputs(g);
}

void ShowBasicRackConverter(int g)
{
    if (g != 1 && g != 2) return;
    TOnlineSession session("basic rack", 8, 9);
    BasicRackConverterInit(g);
    uint16_t line = 1;
    uint8_t flag = 0;
    do {
        BasicRackConverterPass(g);
        OnlineRun(line, BasicRackHelpBase, flag);
    } while (!telmvar.Aborted);
}
