#pragma once
// A gear pair loaded for the tooth outline tests: a standard basic rack
// (addendum 1.25 mn, dedendum 1.0 mn, tip radius 0.38 mn unless a case
// says otherwise), no protuberance, chamfer, tip reduction or machining
// allowance, and the drawing values of confgraf at the drawing's profile
// shift. Reference and base diameters are set from the textbook formulas
//   mt = mn / cos beta, d = z mt, tan alpha_t = tan alpha_n / cos beta,
//   db = d cos alpha_t
// so that no calculation of the pair runs before the outline.

#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <gtest/gtest.h>

#include <cmath>

struct TToothGear {
    Extended mn = 2;
    int z = 20;
    Extended x = 0; // drawing profile shift (x_pic = xv_pic)
    Extended betaDeg = 0;
    Extended rhoMn = 0.38L;
    Extended dNf = 0; // 0: far below the tip (every root point drawn)
};

class ToothContourFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
        GearPair.InvolutePoints = 5;
        GearPair.FilletResolution = 30;
        GearPair.DrawRootCurve = true;
        GearPair.DrawingConfiguration = 1;
    }

    // Loads one gear of the pair; the other keeps whatever it had (each
    // gear's drawing values depend on its own data only).
    static void Load(int I, const TToothGear& G)
    {
        auto& g = GearPair;
        g.mn = G.mn;
        g.alpha = 20;
        g.beta = G.betaDeg;
        g.alpha_rad = DegToRad(20);
        g.beta_rad = DegToRad(G.betaDeg);
        g.alpha_t = std::atan(std::tan(g.alpha_rad) / std::cos(g.beta_rad));
        g.z[I] = G.z;
        g.d[I] = G.z * G.mn / std::cos(g.beta_rad);
        g.db[I] = g.d[I] * std::cos(g.alpha_t);
        g.dw[I] = g.d[I];
        g.haP0_mn[I] = 1.25L;
        g.hfP0_mn[I] = 1.0L;
        g.rhoaP0_mn[I] = G.rhoMn;
        g.haP0[I] = 1.25L * G.mn;
        g.hfP0[I] = 1.0L * G.mn;
        g.rhoaP0[I] = G.rhoMn * G.mn;
        g.prP0_mn[I] = g.prP0[I] = 0;
        g.kmn[I] = 0;
        g.q[I] = 0;
        g.xevmin[I] = g.xevmax[I] = G.x;
        g.x_pic[I] = g.xv_pic[I] = G.x;
        g.dNf[I] = G.dNf != 0 ? G.dNf : 2 * std::fabs(g.d[I]);
        // The other gear only needs a diameter for confgraf's pitch angle.
        const int o = 3 - I;
        if (g.d[o] == 0) {
            g.z[o] = 20;
            g.d[o] = g.dw[o] = g.db[o] = 40;
        }
        g.a_pic = 0;
        confgraf(g.x_pic);
    }
};
