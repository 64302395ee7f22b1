#include "drawings/production/gearbody.h"

#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphservices.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace
{

// The axis and the two pitch lines, a twentieth of the face width beyond
// each face so that they read as centre lines.
void AxisAndPitchLines(Extended X0, Extended Y0, Extended d, Extended b)
{
    SetCadOffset(X0, Y0);
    CadSetLayer(1);
    const Extended e = 0.05L * b;
    const Extended r = std::fabs(d) / 2;
    CadLine(-e, 0, b + e, 0);
    CadLine(-e, r, b + e, r);
    CadLine(-e, -r, b + e, -r);
}

// The body of a ring: its outer diameter when given, else a wall as thick
// as the teeth are deep below the root.
Extended RingBodyDiameter(Extended da, Extended df, Extended di)
{
    const Extended D = std::fabs(di);
    return D != 0 ? D : 2 * std::fabs(df) - std::fabs(da);
}

void HatchedOutline(const Extended (*P)[2], int N, Extended Sign, Extended Spacing, Extended Angle)
{
    BeginHatch();
    for (int k = 0; k < N; ++k)
        AddHatchVertex(P[k][0], Sign * P[k][1], 0);
    EndHatch(0, Spacing, Angle);
}

void AskGear(int Count, uint16_t& Choice)
{
    const char* const items[3] = {"gear 1", "gear 2", "gear 1+2"};
    for (int k = 1; k <= Count; ++k)
        telmvar.TextItems[k] = items[k - 1];
    telmvar.HelpNumber = 8220;
    if (Choice < 1 || Choice > Count) Choice = 1;
    graphservices.AskSelect("Select gear ...", Count, Choice);
    if (Choice < 1 || Choice > Count) Choice = 1;
    telmvar.TextItems[30] = std::to_string(Choice);
}

} // namespace

void DrawGearBody(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                  Extended dB, Extended b, Extended bcha, Extended HatchAngle)
{
    AxisAndPitchLines(X0, Y0, d, b);
    const Extended ra = std::fabs(da) / 2;
    const Extended rf = std::fabs(df) / 2;
    const Extended ri = std::fabs(di) / 2;
    const Extended rB = dB / 2;
    const Extended h = 0.15L * b;
    if (z < 1) {
        const Extended R = std::max(std::fabs(dB) / 2, RingBodyDiameter(da, df, di) / 2);
        CadSetLayer(5);
        CadRectangle(0, -R, b, R);
        CadLine(0, ra, b, ra);
        CadLine(0, -ra, b, -ra);
        HatchRectangle(0, -R, b, -rf, h, HatchAngle);
        HatchRectangle(0, rf, b, R, h, HatchAngle);
    } else {
        CadSetLayer(5);
        CadChamferedRectangle(0, -ra, b, ra, bcha);
        if (dB > 0) {
            CadSetLayer(5);
            CadLine(0, rB, b, rB);
            CadLine(0, -rB, b, -rB);
        }
        if (di == 0 && dB == 0) {
            HatchRectangle(0, -rf, b, rf, h, HatchAngle);
        } else if ((di != 0 && (df - di) < (di - dB)) || dB <= 0) {
            // Web wheel: rim, web and hub all as thick as the rim.
            const Extended sR = rf - ri;
            const Extended w1 = b / 2 - sR / 2;
            const Extended w2 = b / 2 + sR / 2;
            const Extended half[13][2] = {{0, rB},       {b, rB},      {b, rB + sR}, {w2, rB + sR}, {w2, ri},
                                          {b, ri},       {b, rf},      {0, rf},      {0, ri},       {w1, ri},
                                          {w1, rB + sR}, {0, rB + sR}, {0, rB}};
            HatchedOutline(half, 13, 1, h, HatchAngle);
            HatchedOutline(half, 13, -1, h, HatchAngle);
        } else {
            HatchRectangle(0, rB, b, rf, h, HatchAngle);
            HatchRectangle(0, -rf, b, -rB, h, HatchAngle);
        }
    }
    SetCadOffset(0, 0);
}

void DrawGearBodyView(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                      Extended b, Extended bcha)
{
    AxisAndPitchLines(X0, Y0, d, b);
    if (z < 1) {
        const Extended R = RingBodyDiameter(da, df, di) / 2;
        const Extended ra = std::fabs(da) / 2;
        CadSetLayer(5);
        CadRectangle(0, -R, b, R);
        CadSetLayer(2);
        CadLine(0, ra, b, ra);
        CadLine(0, -ra, b, -ra);
    } else {
        const Extended ra = std::fabs(da) / 2;
        const Extended rf = std::fabs(df) / 2;
        CadSetLayer(5);
        CadChamferedRectangle(0, -ra, b, ra, bcha);
        CadSetLayer(2);
        CadLine(0, rf, b, rf);
        CadLine(0, -rf, b, -rf);
    }
    SetCadOffset(0, 0);
}

Extended EstimatedBoreDiameter(Extended T, Extended SigmaFE)
{
    return Round(SafePower("dbohr", (16 / std::numbers::pi_v<Extended>)*T * 1000 / (SigmaFE / 3), 1.0L / 3));
}

void DrawGearBodyWithBore(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                          Extended dB, Extended b, Extended bcha, Extended HatchAngle, Extended T,
                          Extended SigmaFE)
{
    // Without a strength the estimate would divide by zero or come out
    // negative; the body is drawn as the caller gave it.
    const bool haveStrength = SigmaFE > 0;
    const Extended dbohr = haveStrength ? EstimatedBoreDiameter(T, SigmaFE) : 0;
    if (!haveStrength || di <= 0) {
        DrawGearBody(z, X0, Y0, d, da, df, di, dB, b, bcha, HatchAngle);
        return;
    }
    if (dB > 0 && dB < dbohr) dB = dbohr;
    const Extended sR = (df - di) / 2;
    const Extended D = dB + 2 * sR;
    // The shear the torque puts on the hub diameter, taken as the wall the
    // web must be: no hub diameter carries nothing.
    const bool webCarries =
        D != 0 && 2 * T * 1000 / ((SigmaFE / 3) * std::numbers::pi_v<Extended> * D * D) <= sR;
    if (webCarries)
        DrawGearBody(z, X0, Y0, d, da, df, di, dB, b, bcha, HatchAngle);
    else
        DrawGearBodyView(z, X0, Y0, d, da, df, di, b, bcha);
}

void AskSelectGear(uint16_t& Choice)
{
    AskGear(2, Choice);
}

void AskSelectGearOrBoth(uint16_t& Choice)
{
    AskGear(3, Choice);
}
