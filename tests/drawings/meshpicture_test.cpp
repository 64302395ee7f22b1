// The tooth contact picture. Pairs of mn 2, alpha 20 deg, x 0 with the
// drawing's diameters set as confgraf gives them at a profile shift of 0
// (da = d + 2 mn, df = d - 2.5 mn, dw = d at the standard centre distance;
// signed, so a ring of d -80 has da -76 and df -85),
// e.g. for z 20/40, a 60:
//   W = 42 sin 18 deg + 2 = 14.978714,
//   B = 22 - 1.2 (22 (1 - cos 27 deg) + 4) = 14.322572,
//   T = 60 - 42 + 1.2 (42 (1 - cos 18 deg) + 2) = 22.866752,
// and the line of action from the tangent point on base circle 1,
// (-rb1 sin 20, rb1 cos 20) = (-6.427876, 17.660444), towards that on base
// circle 2, (rb2 sin 20, 60 - rb2 cos 20) = (12.855752, 24.679111), cut at
// the frame's top: (-6.427876 + (T - 17.660444) / tan 20, T) = (7.876335, T).
#include "cadlogsupport.h"
#include "toothtestsupport.h"

#include "drawings/tooth/meshpicture.h"
#include "foundation/guardedmath.h"

#include <cmath>

namespace
{

class MeshPicture : public CadLogFixtureT<ToothContourFixture>
{
  protected:
    static void SetPair(int Z1, int Z2, double A)
    {
        auto& g = GearPair;
        g.mn = 2;
        g.alpha = 20;
        g.alpha_rad = g.alpha_t = DegToRad(20);
        g.a_pic = A;
        g.eps_alpha = 1.5;
        const int z[3] = {0, Z1, Z2};
        for (int i = 1; i <= 2; ++i) {
            const double d = 2.0 * z[i];
            g.z[i] = z[i];
            g.d[i] = g.dw_pic[i] = d;
            g.db[i] = d * std::cos(20 * M_PI / 180);
            g.da_pic[i] = g.da[i] = g.dFamax[i] = g.dNa[i] = d + 4;
            g.df_pic[i] = d - 5;
            g.dNf[i] = d - 4.5;
            g.x_pic[i] = 0;
        }
    }
};

TEST_F(MeshPicture, WindowBounds)
{
    struct {
        const char* Name;
        int z1, z2;
        double a, W, B, T;
    } cases[] = {
        {"external 20/40", 20, 40, 60, 14.978714, 14.322572, 22.866752},
        {"ring 20/-40", 20, -40, -20, 15.116910, 14.322572, 22.631823},
        // Bottom law switches between 11 and 12 teeth.
        {"pinion 11", 11, 40, 51, 14.978714, 3.222049, 0},
        {"pinion 12", 12, 40, 52, 14.978714, 4.279394, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetPair(c.z1, c.z2, c.a);
        EXPECT_NEAR(static_cast<double>(MeshPictureHalfWidth()), c.W, 1e-6);
        EXPECT_NEAR(static_cast<double>(MeshPictureBottom()), c.B, 1e-6);
        if (c.T != 0) {
            EXPECT_NEAR(static_cast<double>(MeshPictureTop()), c.T, 1e-6);
            // The window is never upside down.
            EXPECT_GT(MeshPictureTop(), MeshPictureBottom());
        }
    }
    // Top law switches between 17 and 18 teeth of gear 2:
    // z2 17: t = ln 17 0.7 360/17 = 42.0 deg, y2 = 19 (1 - cos t) + 2;
    // z2 18: t = 40 deg, y2 = 20 (1 - cos 40) + 2.
    SetPair(20, 17, 37);
    const double t17 = std::log(17.0) * 0.7 * 360 / 17 * M_PI / 180;
    EXPECT_NEAR(static_cast<double>(MeshPictureTop()), 37 - 19 + 1.2 * (19 * (1 - std::cos(t17)) + 2), 1e-9);
    SetPair(20, 18, 38);
    EXPECT_NEAR(static_cast<double>(MeshPictureTop()),
                38 - 20 + 1.2 * (20 * (1 - std::cos(40 * M_PI / 180)) + 2), 1e-9);
}

TEST_F(MeshPicture, WithoutTextOnlyTheTeeth)
{
    SetPair(20, 40, 60);
    Open();
    DrawMeshPicture(false, 15, 14, 23, 3);
    Close();
    const auto ins = Calls("insert");
    ASSERT_EQ(ins.size(), 7u);
    EXPECT_EQ(CadCallLog().size(), 7u);
    // Gear 1 at 3 deg and one pitch (18 deg) either side; gear 2 turned
    // back by 3 * 20/40 = 1.5 deg, its teeth half a pitch (4.5 deg) and
    // one and a half pitches off the line of centres.
    const double want[7][3] = {{0, 0, 3},    {0, 0, 21},   {0, 0, -15}, {0, 60, 183},
                               {0, 60, 174}, {0, 60, 192}, {0, 60, 165}};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(ins[k].Text, k < 3 ? "EVOLV1" : "EVOLV2");
        EXPECT_NEAR(ins[k].V[1], want[k][1], 1e-12);
        EXPECT_NEAR(ins[k].V[2], want[k][2], 1e-9) << k;
    }
}

TEST_F(MeshPicture, FrameDataBoxAndLineOfAction)
{
    SetPair(20, 40, 60);
    const Extended w = MeshPictureHalfWidth(), b = MeshPictureBottom(), t = MeshPictureTop();
    Open();
    DrawMeshPicture(true, w, b, t, 0);
    Close();
    std::vector<std::string> data;
    for (const auto& c : Calls("text"))
        if (c.Text.find('=') != std::string::npos) data.push_back(c.Text);
    ASSERT_EQ(data.size(), 18u);
    EXPECT_EQ(data[0], "mn = 2");
    EXPECT_EQ(data[1], "alpha= 20\xF8");
    EXPECT_EQ(data[3], "a = 60.000");
    EXPECT_EQ(data[4], "eps.al. = 1.500");
    EXPECT_EQ(data[5], "phi = 0.00\xF8");
    EXPECT_EQ(data[6], "z1  = 20");
    EXPECT_EQ(data[9], "da1 = 44.00");
    EXPECT_EQ(data[11], "xe1 = 0.000");
    EXPECT_EQ(data[12], "z2  = 40");
    // The line of action: layer 0, the only line there.
    std::vector<TCadCall> action;
    for (const auto& l : Calls("line"))
        if (l.Layer == 0) action.push_back(l);
    ASSERT_EQ(action.size(), 1u);
    EXPECT_NEAR(action[0].V[0], -6.427876, 1e-6);
    EXPECT_NEAR(action[0].V[1], 17.660444, 1e-6);
    EXPECT_NEAR(action[0].V[2], 7.876335, 1e-6);
    EXPECT_NEAR(action[0].V[3], 22.866752, 1e-6);
    // Points A to E on the line of action; C on the line of centres at
    // the pitch radius 20.
    const auto p = MeshContactPoints();
    ASSERT_TRUE(p.Valid);
    EXPECT_NEAR(static_cast<double>(p.Cy), 20, 1e-9);
    // E on gear 1's tip circle, A on gear 2's, B and D a base pitch
    // (pi 2 cos 20 = 5.904263) from E and A.
    EXPECT_NEAR(static_cast<double>(std::hypot(p.Ex, p.Ey)), 22, 1e-9);
    EXPECT_NEAR(static_cast<double>(std::hypot(p.Ax, p.Ay - 60)), 42, 1e-9);
    EXPECT_NEAR(static_cast<double>(std::hypot(p.Ex - p.Bx, p.Ey - p.By)), 5.904263, 1e-6);
    EXPECT_NEAR(static_cast<double>(std::hypot(p.Dx - p.Ax, p.Dy - p.Ay)), 5.904263, 1e-6);
    int letters = 0;
    for (const auto& c : Calls("text"))
        letters += c.Text.size() == 1;
    EXPECT_EQ(letters, 5);
}

// The line of action from tangent point to tangent point (a ring's lies
// behind the pinion's: from it through the pinion's on), cut at the frame,
// with every contact point mark inside it on it. Ends from the tangent
// points (rb sin 20, rb cos 20 about each centre) and, at the frame, the
// slope tan 20 from the pinion's tangent point; E (4.318819, 21.571922)
// stands above the top of z2 100 (21.365161) and -100 (21.327311): the
// frame's top moves up to hold its mark (radius W/88) a further W/88 below
// it, 21.571922 + W/44 = 21.907921 with W = 102 sin 7.2 deg + 2 = 14.783990
// and 21.928988 with W = 1.1 (98 sin 7.2 deg + 2) = 15.710923; E's letter
// stands below E's mark, to its right.
TEST_F(MeshPicture, LineOfActionThroughAToECutAtTheFrame)
{
    const struct {
        const char* Name;
        int z1, z2;
        double a, x1, y1, x2, y2;
        size_t marks;
    } cases[] = {
        {"gear 2's beyond the top", 20, 40, 60, -6.427876, 17.660444, 7.876335, 22.866752, 5},
        {"gear 2's and E beyond the top", 20, 100, 120, -6.427876, 17.660444, 5.241971, 21.907921, 5},
        {"ring", 20, -40, -20, -12.855752, 15.320889, 7.230874, 22.631823, 5},
        {"ring's beyond the bottom", 20, -100, -80, -15.598605, 14.322572, 5.299851, 21.928988, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetPair(c.z1, c.z2, c.a);
        Open();
        const TMeshPictureFrame f = MeshPictureFrame();
        DrawMeshPicture(true, f.W, f.B, f.T, 0);
        Close();
        std::vector<TCadCall> action, marks, other;
        for (const auto& e : CadCallLog())
            (e.Kind == "line" && e.Layer == 0     ? action
             : e.Kind == "circle" && e.Layer == 3 ? marks
                                                  : other)
                .push_back(e);
        ASSERT_EQ(action.size(), 1u);
        const double *v = action[0].V.data(), want[4] = {c.x1, c.y1, c.x2, c.y2}, ux = v[2] - v[0],
                     uy = v[3] - v[1];
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(v[k], want[k], 1e-6) << k;
        ASSERT_EQ(marks.size(), c.marks) << "C, E, A, B, D";
        // Each mark on the line (no offset across it) and between its ends.
        for (const auto& m : marks) {
            const double dx = m.V[0] - v[0], dy = m.V[1] - v[1];
            EXPECT_NEAR(dy * ux - dx * uy, 0, 1e-9) << m.V[0] << " " << m.V[1];
            EXPECT_TRUE(dx * ux + dy * uy >= 0 && dx * ux + dy * uy <= ux * ux + uy * uy)
                << m.V[0] << " " << m.V[1];
        }
    }
}

TEST_F(MeshPicture, NoToothNumberDrawsNothing)
{
    SetPair(20, 40, 60);
    GearPair.z[2] = 0;
    Open();
    DrawMeshPicture(true, 15, 14, 23, 0);
    Close();
    EXPECT_TRUE(CadCallLog().empty());
}

} // namespace
