// Meshing picture configuration and the animation angles of gear 1.

#include <cmath>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/measuring.h"

namespace
{

// Below this a tip reduction or machining allowance counts as none.
constexpr Extended NoAllowance = 0.00001L;

// Tip diameter of the drawn gear: from the tool depth when the tip is not
// reduced, else the reduced tip as designed. shiftSum is twice the profile
// shift the tip is cut at.
Extended PictureTipDiameter(const TGearPairData& g, int i, Extended shiftSum)
{
    if (std::fabs(g.kmn[i]) < NoAllowance) return 2 * g.hfP0[i] + g.d[i] + shiftSum * g.mn;
    return g.da[i];
}

// 2 arcsin(stw1 / 2 dw1), the angle of the working tooth thickness of gear 1:
// the one the geometry's step 2 formed from the same values where the arc
// sine says nothing, else formed here (and said again).
Extended WorkingThicknessAngle(const TGearPairData& g, const Extended* Formed)
{
    const Extended sine = g.stw[1] / (2 * g.dw[1]);
    if (Formed != nullptr && !(std::fabs(sine) > 1)) return *Formed;
    return 2 * SafeArcSin(sine);
}

// StwAngle as for WorkingThicknessAngle.
void FormPicture(PairArray<Extended> xPic, const TGeometryAngles& Angles, const Extended* StwAngle)
{
    auto& g = GearPair;
    // Both gears are drawn at one working pressure angle: its cosine, and
    // those of the other angles, are worked out once.
    const Extended tanAlpha = Angles.Profile.TanAlphan;
    const Extended cosAlphaT = Angles.Transverse.CosAlphat;
    Extended alphaw = g.alpha_t;
    Extended cosAlphaw = cosAlphaT;
    bool alphawFormed = false;
    for (int i = 1; i <= 2; ++i) {
        g.sn_pic[i] = (2 * xPic[i] * tanAlpha + Pi / 2) * g.mn;
        // With a machining allowance the root is cut at the pre-machining
        // profile shift, so it is drawn there; the flank is the finished one.
        const Extended shiftSum = g.q[i] <= NoAllowance ? 2 * xPic[i] : g.xevmin[i] + g.xevmax[i];
        g.df_pic[i] = g.d[i] - 2 * g.haP0[i] + shiftSum * g.mn;
        g.da_pic[i] = PictureTipDiameter(g, i, shiftSum);
        if (g.a_pic != 0) {
            const Extended c = cosAlphaT * (g.d[1] + g.d[2]) / 2 / g.a_pic;
            if (c > 1 || c < 0) {
                AddErrorMessage("Error  : confgraf");
                return;
            }
            // The same c for both gears, inside [0, 1]: its arc cosine
            // says nothing and is the same the second time.
            if (!alphawFormed) {
                alphaw = SafeArcCos(c);
                cosAlphaw = KeptCos(alphaw);
                alphawFormed = true;
            }
        }
        g.dw_pic[i] = g.d[i] * cosAlphaT / cosAlphaw;
    }
    g.phi_c = RadToDeg(WorkingThicknessAngle(g, StwAngle));
    // The parts of the path of contact, turned into rotation angles of
    // gear 1 on its base circle in the picture.
    const Extended db1 = g.dw_pic[1] * cosAlphaw;
    g.phi_a = g.phi_c + RadToDeg(2 * g.g_alphaa / db1);
    g.phi_e = g.phi_c - RadToDeg(2 * g.g_alphae / db1);
}

// StwAngle as for WorkingThicknessAngle.
void SetPictureValues(const TGeometryAngles& Angles, const Extended* StwAngle)
{
    auto& g = GearPair;
    g.PicturePlanets = g.qp;
    g.stw_angle_deg = RadToDeg(WorkingThicknessAngle(g, StwAngle));
    for (int i = 1; i <= 2; ++i) {
        g.x_pic[i] = (g.xemin[i] + g.xemax[i]) / 2;
        g.xv_pic[i] = (g.xevmin[i] + g.xevmax[i]) / 2;
        g.da_pic[i] = PictureTipDiameter(g, i, g.xevmin[i] + g.xevmax[i]);
    }
    g.a_pic = g.a;
    FormPicture(g.x_pic, Angles, StwAngle);
}

} // namespace

void confgraf(PairArray<Extended> xPic)
{
    FormPicture(xPic, GeometryAnglesOf(GearPair), nullptr);
}

void SetAnimationAngles()
{
    SetPictureValues(GeometryAnglesOf(GearPair), nullptr);
}

void SetAnimationAngles(const TGeometryAngles& Angles, Extended StwAngle1)
{
    SetPictureValues(Angles, &StwAngle1);
}
