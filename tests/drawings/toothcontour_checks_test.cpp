// Properties every outline must have, checked with formulas of their own
// rather than the generator's steps:
//  - flanks: a point at radius r of an involute with base radius rb lies at
//    psi_b - (u - atan u) from the tooth centre line, u = sqrt((r/rb)² - 1),
//    psi_b = sn / (d cos beta) + inv alpha_t (half the tooth angle on the
//    base circle), sn = mn (pi/2 + 2 x tan alpha);
//  - trochoids: the rolled rack carries the centre of its tip rounding along
//    M(s) = Rot(s)(r s, r - hc), hc = haP0 - x mn - rho, in the frame whose
//    y axis passes through the root point; a generated point lies rho from
//    that path and no point of the path comes closer (else the tool would
//    cut into the tooth). The root point sits where the tool's tip centre
//    is, pi/z - xc/r from the tooth centre line, xc its distance from the
//    middle of the tool tooth;
//  - fillets: both tangent points lie one radius from the fillet centre,
//    square to their lines, and the arc turns by pi less the corner angle.
#include "toothtestsupport.h"

#include "common/testmessages.h"
#include "drawings/tooth/toothcontour.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{

constexpr double PiD = 3.14159265358979323846;
const double Alpha = 20 * PiD / 180;

double D(Extended v)
{
    return static_cast<double>(v);
}

// Independent tooth data of a loaded gear.
struct Teeth {
    double mn, z, x, beta, d, rb, alphaT, sn, psiB;
};

Teeth TeethOf(const TToothGear& G)
{
    Teeth t{};
    t.mn = D(G.mn);
    t.z = G.z;
    t.x = D(G.x);
    t.beta = D(G.betaDeg) * PiD / 180;
    t.d = t.z * t.mn / std::cos(t.beta);
    t.alphaT = std::atan(std::tan(Alpha) / std::cos(t.beta));
    t.rb = std::fabs(t.d) * std::cos(t.alphaT) / 2;
    t.sn = t.mn * (PiD / 2 + 2 * t.x * std::tan(Alpha));
    t.psiB = t.sn / (t.d * std::cos(t.beta)) + std::tan(t.alphaT) - t.alphaT;
    return t;
}

// Half tooth angle of the flank at radius r (signed as the tooth is: the
// tooth space of an internal gear is what the formula describes).
double FlankAngle(const Teeth& t, double r)
{
    const double u = std::sqrt(std::max(0.0, (r / t.rb) * (r / t.rb) - 1));
    return t.psiB - (u - std::atan(u));
}

// Angle of a vertex from the tooth centre line (+y, or -y for an internal
// gear), positive towards +x.
double AngleFromCentreLine(const TContourVertex& v, int z)
{
    return z > 0 ? std::atan2(D(v.X), D(v.Y)) : std::atan2(-D(v.X), -D(v.Y));
}

struct FlankCase {
    const char* name;
    TToothGear gear;
    bool trochoid;
};

class FlankAngles : public ToothContourFixture, public ::testing::WithParamInterface<FlankCase>
{
};

TEST_P(FlankAngles, EveryFlankVertexLiesOnTheInvolute)
{
    const FlankCase& c = GetParam();
    GearPair.DrawRootCurve = c.trochoid;
    Load(2, c.gear);
    const Teeth t = TeethOf(c.gear);
    const int n = 5;
    const TToothContour contour = BuildToothContour(2, false);
    ASSERT_FALSE(contour.Paths.empty());
    const auto& v = contour.Paths.back().Vertices;
    // Flank vertices by the outline's layout: base-circle start 0..2N-1
    // (without the two trochoid ends), fillet root 2..2N+2 (P to P'),
    // internal root 3..2N.
    size_t first = 0, last = 0;
    if (c.gear.z < 0) {
        first = 3;
        last = 2 * n;
    } else if (InvoluteStartsAtBaseCircle(2)) {
        first = c.trochoid ? 1 : 0;
        last = c.trochoid ? 2 * n - 2 : 2 * n - 1;
    } else {
        first = 2;
        last = 2 * n + 2;
    }
    ASSERT_GT(v.size(), last);
    const size_t tipRight = c.gear.z < 0 ? n + 1 : (InvoluteStartsAtBaseCircle(2) ? n - 1 : n + 2);
    for (size_t k = first; k <= last; ++k) {
        const double r = std::hypot(D(v[k].X), D(v[k].Y));
        const double expected = FlankAngle(t, r) * (k <= tipRight ? 1 : -1);
        EXPECT_NEAR(AngleFromCentreLine(v[k], c.gear.z), expected, 1e-9) << "vertex " << k << " at r " << r;
    }
    // The tip land spans the flank angles at the tip.
    const double ra = std::hypot(D(v[tipRight].X), D(v[tipRight].Y));
    EXPECT_NEAR(D(v[tipRight].Angle), 2 * FlankAngle(t, ra), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    ToothGears, FlankAngles,
    ::testing::Values(FlankCase{"Z20BaseCircle", {2, 20, 0, 0, 0.38L, 0}, false},
                      FlankCase{"Z20WithTrochoid", {2, 20, 0, 0, 0.38L, 0}, true},
                      FlankCase{"Z40Fillet", {2, 40, 0, 0, 0.38L, 0}, true},
                      FlankCase{"Z17ShiftedHalf", {3, 17, 0.5L, 0, 0.25L, 0}, true},
                      FlankCase{"InternalZ40", {2, -40, 0, 0, 0.38L, 0}, true},
                      FlankCase{"Z20Helix15", {2, 20, 0, 15, 0.38L, 0}, false},
                      FlankCase{"Z40Helix15", {2, 40, 0.3L, 15, 0.38L, 0}, true},
                      FlankCase{"InternalZ63Helix15", {3, -63, -0.2L, 15, 0.38L, 0}, true}),
    [](const ::testing::TestParamInfo<FlankCase>& i) { return std::string(i.param.name); });

// --- trochoids --------------------------------------------------------------

struct TrochoidCase {
    const char* name;
    TToothGear gear;
};

class TrochoidDistance : public ToothContourFixture, public ::testing::WithParamInterface<TrochoidCase>
{
};

// Smallest distance of P from the tip centre path over a range of rolling
// angles wide enough to hold every position the tool passes.
double DistanceFromPath(double px, double py, double r, double hc, double range)
{
    auto dist = [&](double s) {
        const double mx = r * s * std::cos(s) - (r - hc) * std::sin(s);
        const double my = r * s * std::sin(s) + (r - hc) * std::cos(s);
        return std::hypot(px - mx, py - my);
    };
    const int n = 20000;
    double best = dist(-range), bestS = -range;
    for (int k = 1; k <= n; ++k) {
        const double s = -range + 2 * range * k / n;
        const double e = dist(s);
        if (e < best) {
            best = e;
            bestS = s;
        }
    }
    // Golden-section refinement about the best grid point.
    double a = bestS - 2 * range / n, b = bestS + 2 * range / n;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int k = 0; k < 100; ++k) {
        const double c = b - g * (b - a), d = a + g * (b - a);
        if (dist(c) < dist(d))
            b = d;
        else
            a = c;
    }
    return std::min(best, dist((a + b) / 2));
}

TEST_P(TrochoidDistance, EveryPointLiesOneTipRadiusOutsideTheTool)
{
    const TrochoidCase& c = GetParam();
    Load(1, c.gear);
    const Teeth t = TeethOf(c.gear);
    const double r = t.d / 2;
    const double rho = D(c.gear.rhoMn * c.gear.mn);
    const double hc = 1.25 * t.mn - t.x * t.mn - rho;
    // The tool tooth at the rolling line is pi mn / 4 - x mn tan alpha wide
    // (half); its tip centre lies hc below, rounded off by rho.
    const double xc =
        PiD * t.mn / 4 - t.x * t.mn * std::tan(Alpha) - hc * std::tan(Alpha) - rho / std::cos(Alpha);
    const double phi0 = PiD / t.z - xc / r;
    const double pitch = 2 * PiD / t.z;
    for (int side = 1; side <= 2; ++side) {
        Extended ex = 0, ey = 0;
        const TContourPath p = RootTrochoid(1, side, ex, ey);
        ASSERT_GE(p.Vertices.size(), 3u) << "side " << side;
        const size_t start = side == 1 ? 1 : 0;
        const TContourVertex root = p.Vertices[start];
        EXPECT_NEAR(std::hypot(D(root.X), D(root.Y)), r - hc - rho, 1e-9) << "root point radius";
        EXPECT_NEAR(std::atan2(D(root.X), D(root.Y)), side == 1 ? -phi0 : phi0, 1e-9) << "root point angle";
        for (size_t k = start; k < p.Vertices.size(); ++k) {
            // Back into the frame of the path: mirror side 2, turn by -phi0.
            const double vx = side == 1 ? D(p.Vertices[k].X) : -D(p.Vertices[k].X);
            const double vy = D(p.Vertices[k].Y);
            const double px = vx * std::cos(phi0) + vy * std::sin(phi0);
            const double py = -vx * std::sin(phi0) + vy * std::cos(phi0);
            const double dmin = DistanceFromPath(px, py, r, hc, 2 * pitch);
            EXPECT_NEAR(dmin, rho, 1e-7) << "side " << side << " vertex " << k;
            EXPECT_GE(dmin, rho - 1e-9) << "side " << side << " vertex " << k << " inside the tool";
        }
        // The returned end is the last vertex drawn (unmirrored).
        EXPECT_NEAR(D(ex), side == 1 ? D(p.Vertices.back().X) : -D(p.Vertices.back().X), 1e-12);
        EXPECT_NEAR(D(ey), D(p.Vertices.back().Y), 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ToothTools, TrochoidDistance,
    ::testing::Values(TrochoidCase{"Z20CentreBelowRollingLine", {2, 20, 0, 0, 0.38L, 0}},
                      TrochoidCase{"Z12ShiftedHalf", {2, 12, 0.5L, 0, 0.38L, 0}},
                      // hc = 2.5 - 2.0 - 0.76 = -0.26 above the rolling line, r 12.
                      TrochoidCase{"Z12CentreAboveRollingLine", {2, 12, 1.0L, 0, 0.38L, 0}},
                      TrochoidCase{"Z30LargeTipRadius", {4, 30, -0.2L, 0, 0.45L, 0}}),
    [](const ::testing::TestParamInfo<TrochoidCase>& i) { return std::string(i.param.name); });

// --- fillets ------------------------------------------------------------------

struct FilletCase {
    const char* name;
    TToothGear gear;
};

class ExternalFillet : public ToothContourFixture, public ::testing::WithParamInterface<FilletCase>
{
};

TEST_P(ExternalFillet, TouchesTheRootCircleAndPassesTheFlankStart)
{
    const FilletCase& c = GetParam();
    Load(2, c.gear);
    ASSERT_FALSE(InvoluteStartsAtBaseCircle(2));
    const Teeth t = TeethOf(c.gear);
    const double rho = D(c.gear.rhoMn * c.gear.mn);
    const double rf = t.d / 2 - 1.25 * t.mn + t.x * t.mn;
    const TExternalFilletRoot f = ExternalFilletRoot(2);
    const double cx = D(f.Cx), cy = D(f.Cy);
    EXPECT_NEAR(std::hypot(cx, cy), rf + rho, 1e-9) << "centre one radius outside the root circle";
    EXPECT_NEAR(std::hypot(D(f.Tx), D(f.Ty)), rf, 1e-9) << "T on the root circle";
    EXPECT_NEAR(std::hypot(D(f.Tx) - cx, D(f.Ty) - cy), rho, 1e-9) << "T one radius from the centre";
    EXPECT_NEAR(std::hypot(D(f.Px) - cx, D(f.Py) - cy), rho, 1e-9) << "P one radius from the centre";
    // T, centre and gear centre on one line: the fillet touches the circle.
    EXPECT_NEAR(D(f.Tx) * cy - D(f.Ty) * cx, 0, 1e-9);
    const double turn =
        std::acos(((D(f.Tx) - cx) * (D(f.Px) - cx) + (D(f.Ty) - cy) * (D(f.Py) - cy)) / (rho * rho));
    EXPECT_NEAR(D(f.W), turn, 1e-9);
    // The root arc ends in the middle of the gap.
    EXPECT_NEAR(std::atan2(D(f.Gx), D(f.Gy)), PiD / t.z, 1e-12);
    EXPECT_NEAR(std::atan2(D(f.Gx), D(f.Gy)) - std::atan2(D(f.Tx), D(f.Ty)), D(f.G), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(ToothGears, ExternalFillet,
                         ::testing::Values(FilletCase{"Z40", {2, 40, 0, 0, 0.38L, 0}},
                                           FilletCase{"Z60Shifted", {5, 60, 0.2L, 0, 0.3L, 0}},
                                           FilletCase{"Z40Helix15", {2, 40, 0, 15, 0.38L, 0}}),
                         [](const ::testing::TestParamInfo<FilletCase>& i) {
                             return std::string(i.param.name);
                         });

class InternalFillet : public ToothContourFixture, public ::testing::WithParamInterface<FilletCase>
{
};

TEST_P(InternalFillet, TangentToFlankAndChord)
{
    const FilletCase& c = GetParam();
    Load(2, c.gear);
    const Teeth t = TeethOf(c.gear);
    const TInternalRoot f = InternalRoot(2, false);
    const double rf = -t.d / 2 + 1.25 * t.mn - t.x * t.mn;
    // P1: the flank point on the root circle, from the involute angle.
    const double psi = FlankAngle(t, rf);
    const double p1x = -rf * std::sin(psi), p1y = -rf * std::cos(psi);
    EXPECT_NEAR(D(f.P1x), p1x, 1e-9);
    EXPECT_NEAR(D(f.P1y), p1y, 1e-9);
    // Flank tangent inwards at P1 (central difference) and chord direction
    // to G. The outline takes the flank direction from a chord a few
    // micrometres long, so tangency holds to about 1e-5.
    const double h = 1e-5;
    const double ra = rf - h, rb = rf + h;
    const double psiA = FlankAngle(t, ra), psiB = FlankAngle(t, rb);
    double fx = -ra * std::sin(psiA) + rb * std::sin(psiB), fy = -ra * std::cos(psiA) + rb * std::cos(psiB);
    const double fl = std::hypot(fx, fy);
    fx /= fl;
    fy /= fl;
    const double gx = D(f.Gx), gy = D(f.Gy);
    EXPECT_NEAR(std::atan2(gx, -gy), PiD / std::fabs(t.z), 1e-12) << "G in the middle of the gap";
    const double cl = std::hypot(gx - p1x, gy - p1y);
    const double chx = (gx - p1x) / cl, chy = (gy - p1y) / cl;
    const double gamma = std::acos(fx * chx + fy * chy);

    const double rho = D(f.Radius), cx = D(f.Cx), cy = D(f.Cy);
    EXPECT_NEAR(std::hypot(D(f.T1x) - cx, D(f.T1y) - cy), rho, 1e-9) << "T1 one radius from the centre";
    EXPECT_NEAR(std::hypot(D(f.T2x) - cx, D(f.T2y) - cy), rho, 1e-9) << "T2 one radius from the centre";
    EXPECT_NEAR((D(f.T1x) - cx) * fx + (D(f.T1y) - cy) * fy, 0, 1e-5) << "radius square to the flank at T1";
    EXPECT_NEAR((D(f.T2x) - cx) * chx + (D(f.T2y) - cy) * chy, 0, 1e-9) << "radius square to the chord at T2";
    EXPECT_NEAR(D(f.W), PiD - gamma, 1e-5);
    // T2 never passes the middle of the gap.
    EXPECT_LE(std::hypot(D(f.T2x) - p1x, D(f.T2y) - p1y), cl + 1e-12);
    if (f.EndsAtGap) {
        EXPECT_LT(rho, D(c.gear.rhoMn * c.gear.mn)) << "reduced radius";
        EXPECT_EQ(f.T2x, f.Gx);
        EXPECT_EQ(f.T2y, f.Gy);
    } else {
        EXPECT_NEAR(rho, D(c.gear.rhoMn * c.gear.mn), 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(ToothGears, InternalFillet,
                         ::testing::Values(FilletCase{"Z40", {2, -40, 0, 0, 0.38L, 0}},
                                           FilletCase{"Z63Module3", {3, -63, 0, 0, 0.38L, 0}},
                                           FilletCase{"Z40ShiftedOut", {2, -40, -0.5L, 0, 0.38L, 0}},
                                           FilletCase{"Z90Helix15", {2, -90, 0.2L, 15, 0.25L, 0}}),
                         [](const ::testing::TestParamInfo<FilletCase>& i) {
                             return std::string(i.param.name);
                         });

} // namespace
