// The tooth outlines of four gears of module 2 and 3, vertex by vertex,
// against values worked out by hand from the rack-generation geometry
// (pressure angle 20 deg, tool 1.25 / 1.0 / 0.38 mn, no profile shift,
// 5 involute points, 30 fillet steps):
//   z 20: db = 40 cos 20 = 37.587705 lies above the tool fillet end
//     df + 2 rho (1 - sin 20) = 36.000129, so the flank starts at the base
//     circle and the root is the trochoid; tool tip centre at
//     phi0 = pi/40 + hc tan 20 / r + rho / (r cos 20) = 0.150644,
//     root point on r - hc - rho = 17.5.
//   z 40: db = 75.175410 lies below 76.000129: fillet root on rf + rho.
//   z -40: internal root from the chord to the gap middle on r 42.5.
//   ring z -63, mn 3: root radius 94.5 + 3.75 = 98.25, the pinion cutter's
//     a0 + ra0 = (63 - 25) 3 / 2 + 37.5 + 3.75.
#include "toothtestsupport.h"

#include "common/testmessages.h"
#include "drawings/tooth/toothcontour.h"

#include <string>
#include <vector>

namespace
{

constexpr double Tol = 1e-6;

double D(Extended v)
{
    return static_cast<double>(v);
}

struct XY {
    double x, y;
};

#define EXPECT_POINT(px, py, e, what)                                                                        \
    do {                                                                                                     \
        EXPECT_NEAR(D(px), (e).x, Tol) << (what) << " x";                                                    \
        EXPECT_NEAR(D(py), (e).y, Tol) << (what) << " y";                                                    \
    } while (0)

class ToothGolden : public ToothContourFixture
{
};

TEST_F(ToothGolden, ExternalTwentyTeethStartsAtTheBaseCircleWithTrochoidRoots)
{
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 37.756260L});
    const auto& g = GearPair;
    EXPECT_NEAR(D(g.db[1]), 37.587705, Tol);
    EXPECT_NEAR(D(g.df_pic[1]), 35, Tol);
    EXPECT_NEAR(D(g.da_pic[1]), 44, Tol);
    EXPECT_NEAR(D(ToolFilletEndDiameter(1)), 36.000129, Tol);
    EXPECT_TRUE(InvoluteStartsAtBaseCircle(1));

    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 3u) << "two trochoids and the outline";
    const TContourPath& left = c.Paths[0];
    const TContourPath& right = c.Paths[1];
    const TContourPath& main = c.Paths[2];
    EXPECT_EQ(left.Layer, 5);
    EXPECT_EQ(right.Layer, 5);
    EXPECT_EQ(main.Layer, 5);
    ASSERT_EQ(left.Vertices.size(), 25u) << "neighbour root point and 24 trochoid points";
    ASSERT_EQ(right.Vertices.size(), 24u);
    EXPECT_POINT(left.Vertices[0].X, left.Vertices[0].Y, (XY{-2.848783, 17.266570}), "neighbour root point");
    EXPECT_POINT(left.Vertices[1].X, left.Vertices[1].Y, (XY{-2.626310, 17.301806}), "root point");
    EXPECT_POINT(right.Vertices[0].X, right.Vertices[0].Y, (XY{2.626310, 17.301806}), "mirrored root point");

    const std::vector<XY> expected = {{1.755685, 18.750589},  {1.669365, 19.524152},  {1.443083, 20.345813},
                                      {1.114138, 21.169165},  {0.694764, 21.989027},  {-0.694764, 21.989027},
                                      {-1.114138, 21.169165}, {-1.443083, 20.345813}, {-1.669365, 19.524152},
                                      {-1.755685, 18.750589}};
    ASSERT_EQ(main.Vertices.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_POINT(main.Vertices[k].X, main.Vertices[k].Y, expected[k], "vertex " + std::to_string(k));
        EXPECT_NEAR(D(main.Vertices[k].Angle), k == 4 ? 0.063171 : 0.0, Tol) << "angle of vertex " << k;
    }
    // The outline joins the trochoids at their ends.
    EXPECT_POINT(main.Vertices.back().X, main.Vertices.back().Y,
                 (XY{D(left.Vertices.back().X), D(left.Vertices.back().Y)}), "left junction");
    EXPECT_POINT(main.Vertices.front().X, main.Vertices.front().Y,
                 (XY{D(right.Vertices.back().X), D(right.Vertices.back().Y)}), "right junction");
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(ToothGolden, ExternalFortyTeethHasAFilletRoot)
{
    Load(2, TToothGear{2, 40, 0, 0, 0.38L, 0});
    EXPECT_FALSE(InvoluteStartsAtBaseCircle(2));
    const TExternalFilletRoot f = ExternalFilletRoot(2);
    EXPECT_POINT(f.Px, f.Py, (XY{2.016713, 37.946512}), "P");
    EXPECT_POINT(f.Gx, f.Gy, (XY{2.942216, 37.384400}), "G");
    EXPECT_POINT(f.Tx, f.Ty, (XY{2.691174, 37.403310}), "T");
    EXPECT_NEAR(D(Hypotenuse(f.Cx, f.Cy)), 38.26, Tol) << "fillet centre on rf + rho";
    EXPECT_NEAR(D(f.W), 1.212381, Tol);
    EXPECT_NEAR(D(f.G), 0.006713, Tol);

    const TToothContour c = BuildToothContour(2, true);
    ASSERT_EQ(c.Paths.size(), 1u) << "no trochoid with a fillet root";
    const auto& v = c.Paths[0].Vertices;
    ASSERT_EQ(v.size(), 15u);
    EXPECT_POINT(v[0].X, v[0].Y, (XY{2.942216, 37.384400}), "G");
    EXPECT_NEAR(D(v[0].Angle), 0.006713, Tol);
    EXPECT_POINT(v[1].X, v[1].Y, (XY{2.691174, 37.403310}), "T");
    EXPECT_NEAR(D(v[1].Angle), -1.212381, Tol);
    EXPECT_POINT(v[2].X, v[2].Y, (XY{2.016713, 37.946512}), "P");
    EXPECT_POINT(v[3].X, v[3].Y, (XY{2.016713, 37.946512}), "P again, first flank point");
    EXPECT_POINT(v[7].X, v[7].Y, (XY{0.760623, 41.993112}), "tip");
    EXPECT_POINT(v[12].X, v[12].Y, (XY{-2.016713, 37.946512}), "P'");
    EXPECT_NEAR(D(v[12].Angle), -1.212381, Tol);
    EXPECT_POINT(v[13].X, v[13].Y, (XY{-2.691174, 37.403310}), "T'");
    EXPECT_NEAR(D(v[13].Angle), 0.006713, Tol);
    EXPECT_POINT(v[14].X, v[14].Y, (XY{-2.942216, 37.384400}), "G'");
}

TEST_F(ToothGolden, InternalFortyTeethRootFromTheChordToTheGapMiddle)
{
    Load(2, TToothGear{2, -40, 0, 0, 0.38L, 0});
    const TInternalRoot r = InternalRoot(2, false);
    EXPECT_POINT(r.P1x, r.P1y, (XY{2.824261, -42.406056}), "P1");
    EXPECT_POINT(r.Gx, r.Gy, (XY{3.334512, -42.368987}), "G");
    EXPECT_POINT(r.T2x, r.T2y, (XY{3.284452, -42.372623}), "T2");
    EXPECT_POINT(r.T1x, r.T1y, (XY{2.582284, -42.013195}), "T1");
    EXPECT_NEAR(D(r.W), 1.091261, Tol);
    EXPECT_FALSE(r.EndsAtGap);

    const TToothContour c = BuildToothContour(2, true);
    ASSERT_EQ(c.Paths.size(), 1u);
    const auto& v = c.Paths[0].Vertices;
    ASSERT_EQ(v.size(), 14u);
    EXPECT_POINT(v[0].X, v[0].Y, (XY{3.334512, -42.368987}), "G");
    EXPECT_POINT(v[1].X, v[1].Y, (XY{3.284452, -42.372623}), "T2");
    EXPECT_NEAR(D(v[1].Angle), -1.091261, Tol);
    EXPECT_POINT(v[2].X, v[2].Y, (XY{2.582284, -42.013195}), "T1");
    // D0 = -2 |T1| = -84.184956; the flank starts one step above it.
    const double d0 = -84.184956, dD = (-76 - d0) / 4;
    EXPECT_NEAR(D(Hypotenuse(v[3].X, v[3].Y)), -(d0 + dD) / 2, Tol);
    EXPECT_POINT(v[6].X, v[6].Y, (XY{0.966742, -37.987701}), "tip");
    EXPECT_NEAR(D(v[6].Angle), -0.050887, Tol);
    EXPECT_POINT(v[7].X, v[7].Y, (XY{-0.966742, -37.987701}), "mirrored tip");
    EXPECT_POINT(v[11].X, v[11].Y, (XY{-2.582284, -42.013195}), "T1'");
    EXPECT_NEAR(D(v[11].Angle), -1.091261, Tol);
    EXPECT_POINT(v[13].X, v[13].Y, (XY{-3.334512, -42.368987}), "G'");
}

TEST_F(ToothGolden, RingCutByAPinionCutterKeepsTheRackOutline)
{
    GearPair.z0 = 25;
    GearPair.x0 = 0;
    Load(2, TToothGear{3, -63, 0, 0, 0.38L, 0});
    EXPECT_NEAR(D(GearPair.df_pic[2]) / 2, -98.25, Tol) << "a0 + ra0 of the cutter";
    const TInternalRoot r = InternalRoot(2, false);
    EXPECT_POINT(r.T1x, r.T1y, (XY{3.718806, -97.524323}), "T1");
    EXPECT_NEAR(D(r.W), 1.132916, Tol);
    const TToothContour withCutter = BuildToothContour(2, true);
    GearPair.z0 = 0;
    const TToothContour plain = BuildToothContour(2, true);
    ASSERT_EQ(withCutter.Paths.size(), plain.Paths.size());
    ASSERT_EQ(withCutter.Paths[0].Vertices.size(), 14u);
    for (size_t k = 0; k < plain.Paths[0].Vertices.size(); ++k) {
        EXPECT_EQ(withCutter.Paths[0].Vertices[k].X, plain.Paths[0].Vertices[k].X) << k;
        EXPECT_EQ(withCutter.Paths[0].Vertices[k].Y, plain.Paths[0].Vertices[k].Y) << k;
    }
}

} // namespace
