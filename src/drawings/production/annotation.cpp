#include "drawings/production/annotation.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>

namespace
{

// The number formatters right-align their texts in a field; a text line
// of a drawing starts right after " = ".
std::string Significant3(Extended V)
{
    return TrimBlanks(FloatToSignificant(V));
}

} // namespace

Extended NiceStep(Extended X)
{
    const Extended lg = X > 0 ? std::log10(X) : 0;
    const Extended p = std::pow(10.0L, Round(lg - 0.49L));
    const Extended m = Round(X / p - 0.49L);
    if (m >= 2 && m <= 4) return 2 * p;
    if (m >= 5 && m <= 10) return 5 * p;
    return p;
}

void ScaleText(std::string& S, Extended F)
{
    if (!(F > 0) || !std::isfinite(F)) {
        S.clear();
        return;
    }
    if (F >= 1)
        S = "M " + Significant3(F) + ":1";
    else
        S = "M 1:" + Significant3(1 / F);
}

std::string ScaleText(Extended F)
{
    std::string s;
    ScaleText(s, F);
    return s;
}

std::string DimensionValueText(const std::string& Name, Extended V)
{
    if (wtelmvar.UnitSystem == 1)
        return Name + " = " + TrimBlanks(FloatToSignificantLess(-1, V / 25.4L)) + " in";
    const Extended a = std::fabs(V);
    if (a >= 0.001L && a < 1) return Name + " = " + TrimBlanks(FloatToFixedDecimals(3, V)) + " mm";
    return Name + " = " + Significant3(V) + " mm";
}

void DimensionValueLine(const std::string& Name, Extended V)
{
    CadTextLine(DimensionValueText(Name, V));
}

std::string ValueText(const std::string& Name, Extended V)
{
    return Name + " = " + Significant3(V);
}

void ValueLine(const std::string& Name, Extended V)
{
    CadTextLine(ValueText(Name, V));
}

void CadEllipticArc(Extended Xc, Extended Yc, Extended A0, Extended A1, Extended R, Extended Fx, Extended Fy,
                    Extended Step)
{
    if (R == 0) return;
    const Extended t0 = DegToRad(A0);
    const Extended t1 = DegToRad(A1);
    const Extended dt = DegToRad(Step);
    auto vertex = [&](Extended T) {
        CadPolylineVertex(Xc + R * Fx * std::cos(T), Yc + R * Fy * std::sin(T), 0);
    };
    CadBeginPolyline();
    vertex(t0);
    if (dt > 0) {
        // Counted steps: a summed angle can land a hair below A1 and add
        // a vertex next to the last one.
        const long n = static_cast<long>(std::ceil((t1 - t0) / dt - 1e-9L));
        for (long k = 1; k < n; ++k)
            vertex(t0 + k * dt);
    }
    vertex(t1);
    CadEndPolyline();
}
