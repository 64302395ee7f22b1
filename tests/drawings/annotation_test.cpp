// The shared drawing helpers: step widths, scale texts, value lines and the
// elliptic arc. Expected texts and vertices are worked by hand from the
// rules (1-2-5 steps with halves rounded to even, three significant digits,
// three decimals between 0.001 and 1 mm).
#include "cadlogsupport.h"

#include "drawings/production/annotation.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>

namespace
{

struct TStepCase {
    const char* Name;
    double X;
    double Step;
};

class NiceStepCases : public ::testing::TestWithParam<TStepCase>
{
};

TEST_P(NiceStepCases, IsOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_NEAR(static_cast<double>(NiceStep(GetParam().X)), GetParam().Step, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Annotation, NiceStepCases,
                         ::testing::Values(TStepCase{"x0_37", 0.37, 0.2}, TStepCase{"x7", 7, 5},
                                           TStepCase{"x1_4", 1.4, 1}, TStepCase{"x23", 23, 20},
                                           // m = 0.5 rounds to the even 0: the power itself.
                                           TStepCase{"x9_9", 9.9, 10}, TStepCase{"x0_04", 0.04, 0.02},
                                           // x <= 0 takes the power 1 and its m of -1: the power.
                                           TStepCase{"zero", 0, 1}),
                         [](const auto& I) { return std::string(I.param.Name); });

class AnnotationText : public CadLogFixture
{
};

TEST_F(AnnotationText, ScaleAndValueTexts)
{
    struct {
        std::string Got, Want;
    } cases[] = {
        {ScaleText(0.5), "M 1:2"},
        {ScaleText(1), "M 1:1"},
        {ScaleText(2), "M 2:1"},
        {ScaleText(0.4), "M 1:2.5"},
        // No factor, no scale: never "M 1:inf".
        {ScaleText(0), ""},
        {DimensionValueText("s", 0.5), "s = 0.500 mm"},
        {DimensionValueText("s", 0.0005), "s = 0.0005 mm"},
        // The program's three-digit form keeps one digit more from 1 up
        // to 1000 (a report's 123.5, not 123).
        {DimensionValueText("d", 123.456), "d = 123.5 mm"},
        {ValueText("x", 0.25), "x = 0.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Want);

    wtelmvar.UnitSystem = 1;
    // 0.5 mm = 0.019685 in, 4 significant digits.
    EXPECT_EQ(DimensionValueText("s", 0.5), "s = 0.01969 in");
    EXPECT_EQ(DimensionValueText("d", 25.4), "d = 1 in");
}

TEST_F(AnnotationText, ValueLinesGoDownOneLineEach)
{
    Open();
    CadSetTextStyle(1, 0, 2.5, 0);
    CadMoveTo(10, 50);
    DimensionValueLine("s", 0.5);
    ValueLine("x", 0.25);
    Close();
    const auto t = Calls("text");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, "s = 0.500 mm");
    EXPECT_EQ(t[1].Text, "x = 0.25");
    EXPECT_NEAR(t[0].V[0], 10, 1e-9);
    EXPECT_NEAR(t[0].V[1], 50, 1e-9);
    EXPECT_LT(t[1].V[1], t[0].V[1]);
}

TEST_F(AnnotationText, EllipticArcVertices)
{
    Open();
    // Quarter of an ellipse 2 x 1 about (1, 1) in 30 degree steps.
    CadEllipticArc(1, 1, 0, 90, 1, 2, 1, 30);
    // a1 <= a0 and a step of 0: the two end vertices only (a step of 0
    // must not hang).
    CadEllipticArc(0, 0, 90, 0, 1, 1, 1, 5);
    CadEllipticArc(0, 0, 0, 90, 1, 1, 1, 0);
    // r = 0: nothing at all.
    CadEllipticArc(0, 0, 0, 90, 0, 1, 1, 5);
    Close();
    const auto v = Calls("vertex");
    EXPECT_EQ(Calls("pline").size(), 3u);
    ASSERT_EQ(v.size(), 4u + 2u + 2u);
    const double want[4][2] = {{3, 1}, {1 + std::sqrt(3.0), 1.5}, {2, 1 + std::sqrt(3.0) / 2}, {1, 2}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(v[k].V[0], want[k][0], 1e-9) << k;
        EXPECT_NEAR(v[k].V[1], want[k][1], 1e-9) << k;
        EXPECT_EQ(v[k].V[2], 0);
    }
    EXPECT_NEAR(v[4].V[1], 1, 1e-9);
    EXPECT_NEAR(v[5].V[0], 1, 1e-9);
    EXPECT_NEAR(v[6].V[0], 1, 1e-9);
    EXPECT_NEAR(v[7].V[1], 1, 1e-9);
}

} // namespace
