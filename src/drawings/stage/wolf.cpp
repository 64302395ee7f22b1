#include "drawings/stage/wolf.h"

#include "drawings/stage/kinematicstext.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/stage.h"

#include <cmath>
#include <string>

int WolfLargestTorque(const TWolfValues& T)
{
    int k = 0;
    Extended largest = 0;
    for (int i = 1; i <= 3; ++i)
        if (std::fabs(T[i]) > largest) {
            largest = std::fabs(T[i]);
            k = i;
        }
    return k;
}

void WolfView()
{
    const TPlanetaryStage& st = PlanetaryStage;
    WolfSymbolDraw(st.T, st.n, st.P, 50, 60, 10, st.PW, st.i0);
    CadMoveTo(114, 114);
    CadSetTextStyle(0, 0, 2.2L, 1.6L);
    KinematicsTextBlock();
}

namespace
{

std::string Signed(Extended X)
{
    return PrefixPlus(FloatToSignificant(X));
}

} // namespace

void WolfSymbolDraw(const TWolfValues& T, const TWolfValues& n, const TWolfValues& P, Extended x0,
                    Extended y0, Extended r, Extended PW, Extended i0)
{
    TWolfSymbol w;
    w.T = T;
    w.n = n;
    w.P = P;
    w.x0 = x0;
    w.y0 = y0;
    w.r = r;
    CadSetLayer(19);
    w.Largest = WolfLargestTorque(T);
    CadCircle(x0, y0, r);
    CadSetTextStyle(2, 0, 3.0L, 2.5L);
    WolfShaftArrows(w, 'S', shaftS, DegToRad(210));
    WolfShaftArrows(w, 'C', shaftC, DegToRad(330));
    WolfShaftArrows(w, 'H', shaftH, DegToRad(90));

    CadSetTextStyle(2, 0, 2.2L, 1.5L);
    CadSetLayer(19);
    CadText("iSH = " + Signed(i0), x0 - 2.8L * r, y0 + r);
    // A calculated stage never has i0 = 0 (sun and ring have teeth); any
    // other caller gets "-" rather than a ratio of a division by zero.
    CadText("iHC = " + (i0 == 0 ? std::string("-") : Signed(1 - 1 / i0)), x0 + 1.5L * r, y0 + r);
    CadText("iSC = " + Signed(1 - i0), x0 - 0.5L * r, y0 - 2.2L * r);
    CadMoveTo(x0 - 8.8L, y0 + 2);
    CadTextLine(" i0= " + FloatToSignificant(i0));
    CadTextLine("Pw= " + FloatToSignificant(PW) + " kW");
}

void WolfShaftArrows(const TWolfSymbol& W, char Letter, int Shaft, Extended Phi)
{
    const Extended left = Phi + Pi / 2;
    const Extended right = Phi - Pi / 2;
    const Extended c = std::cos(Phi), s = std::sin(Phi);
    CadMoveTo(W.x0 + W.r * c, W.y0 + W.r * s);
    if (Shaft == W.Largest) {
        // Two edges 0.5 either side of the centre line, one cross bar.
        CadMovePolar(0.5L, left);
        CadLinePolar(30, Phi);
        CadLinePolar(2.5L, left);
        CadLinePolar(6, right);
        CadMovePolar(2.5L, left);
        CadLinePolar(30, Phi - Pi);
    } else {
        CadLinePolar(30, Phi);
        CadLinePolar(3, left);
        CadLinePolar(6, right);
    }

    CadSetTextStyle(2, 0, 3.0L, 2.4L);
    CadText(std::string(1, Letter), W.x0 + (W.r + 36) * c, W.y0 + (W.r + 36) * s);
    CadSetTextStyle(2, UprightTextAngle(RadToDeg(Phi)), 2.5L, 1.8L);

    // Where the three values go: beside the shaft, each kind of shaft with
    // its own offsets so that the columns clear the shafts and the circle.
    struct TPlace {
        Extended dist, qx, qy;   // Q = centre + dist along Phi + (qx, qy)
        Extended nx, ny, px, py; // speed and power lines relative to Q
    };
    static const TPlace places[4] = {
        {0, 0, 0, 0, 0, 0, 0},
        {24, -1, 1, 2, -4, 4, -7}, // S
        {6, 2, 2, -2, -6, -4, -9}, // C
        {6, -2, 0, 5, 0, 9, 0},    // H
    };
    const TPlace& q = places[Shaft >= 1 && Shaft <= 3 ? Shaft : 0];
    const Extended Qx = W.x0 + (W.r + q.dist) * c + q.qx;
    const Extended Qy = W.y0 + (W.r + q.dist) * s + q.qy;
    const int i = Shaft >= 1 && Shaft <= 3 ? Shaft : 1;
    CadMoveTo(Qx, Qy);
    CadTextLine(Signed(W.T[i]) + " Nm");
    CadMoveTo(Qx + q.nx, Qy + q.ny);
    CadSetLayer(22);
    CadTextLine(Signed(W.n[i]) + "/min");
    CadMoveTo(Qx + q.px, Qy + q.py);
    CadSetLayer(24);
    CadTextLine(Signed(W.P[i]) + " kW");
    CadSetLayer(19);
}
