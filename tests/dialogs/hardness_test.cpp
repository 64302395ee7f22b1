// Hardness conversion: the transcribed table, the range check and its
// message, the interpolation on the extended segment, Brinell through
// Vickers, refused scales, and the online calculator's pass in both unit
// systems.
#include "common/testnames.h"
#include "dialogs/stage/hardness.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/unitsys.h"
#include "stageforms_fixture.h"

#include <cmath>

namespace
{

class Hardness : public StageForms
{
};

double H(int k)
{
    return static_cast<double>(GetHardnessValue(k));
}

TEST_F(Hardness, TableAscendsAndRangesAreItsEnds)
{
    for (int k = 1; k <= HardnessColumns; ++k) {
        int first = 0, last = 0, nextToLast = 0, previous = 0;
        for (int R = 1; R <= HardnessRows; ++R) {
            const int32_t v = HardnessEntry(R, k);
            if (v == 0) continue;
            EXPECT_GT(v, previous) << "column " << k << " row " << R;
            if (first == 0) first = v;
            nextToLast = last;
            last = v;
            previous = v;
        }
        const double scale = k >= 3 ? 10.0 : 1.0;
        EXPECT_DOUBLE_EQ(static_cast<double>(HardnessRangeLow[k]), first / scale) << "column " << k;
        EXPECT_DOUBLE_EQ(static_cast<double>(HardnessRangeHigh[k]), nextToLast / scale) << "column " << k;
    }
    // Brinell is 0.95 HV over the Vickers range.
    EXPECT_DOUBLE_EQ(static_cast<double>(HardnessRangeLow[11]), 76.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(HardnessRangeHigh[11]), 893.0);
    EXPECT_EQ(HardnessTable[0][0], 255);
    EXPECT_EQ(HardnessTable[97][9], 760);
    EXPECT_STREQ(HardnessGroupNames[1], "A.1 (St,GS)");
    EXPECT_STREQ(HardnessGroupNames[18], "G.5(Al)");
}

TEST_F(Hardness, LowestVickersValue)
{
    // HV 80 lies below row 2 (85); rows 2 and 3 give t = (80 - 85) / 5 = -1.
    ASSERT_TRUE(CheckHardnessRange(2, 80));
    EXPECT_NEAR(H(1), 255, 1e-12);  // 270 - 15
    EXPECT_NEAR(H(3), 34.0, 1e-12); // (410 - 70) / 10
    EXPECT_NEAR(H(4), 78.2, 1e-12); // (804 - 22) / 10
    EXPECT_NEAR(H(11), 76.0, 1e-12);
    for (int k = 5; k <= 10; ++k)
        EXPECT_EQ(H(k), 0) << "no value in scale " << k;
}

struct RowCase {
    const char* name;
    int scale;
    Extended value; // as a typed text reads: 55.2 is the nearest 80-bit value
    int row;
};

class HardnessRow : public Hardness, public ::testing::WithParamInterface<RowCase>
{
};

TEST_P(HardnessRow, ValueOnARowReproducesTheRow)
{
    const RowCase& c = GetParam();
    ASSERT_TRUE(CheckHardnessRange(c.scale, c.value));
    for (int k = 1; k <= HardnessColumns; ++k) {
        const int32_t t = HardnessEntry(c.row, k);
        if (t == 0 || HardnessEntry(c.row + 1, k) == 0) continue;
        EXPECT_NEAR(H(k), k >= 3 ? t / 10.0 : t, 1e-9) << c.name << " scale " << k;
    }
    EXPECT_NEAR(H(11), 0.95 * HardnessEntry(c.row, 2), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, HardnessRow,
                         ::testing::Values(RowCase{"HV 300", 2, 300, 45}, RowCase{"Rm 1555", 1, 1555, 63},
                                           RowCase{"HRC 55.2", 5, 55.2L, 75},
                                           RowCase{"HRB 95.0", 3, 95.0L, 29},
                                           RowCase{"HR30N 84.4", 9, 84.4L, 97},
                                           RowCase{"HB 475", 11, 475, 65}),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(Hardness, VickersThreeHundred)
{
    ASSERT_TRUE(CheckHardnessRange(2, 300));
    EXPECT_NEAR(H(1), 965, 1e-12);
    EXPECT_NEAR(H(5), 29.8, 1e-12);
}

TEST_F(Hardness, BrinellLimit)
{
    // 893 / 0.95 is 940, the last row a search may stop at.
    ASSERT_TRUE(CheckHardnessRange(11, 893));
    EXPECT_NEAR(H(2), 940, 1e-9);
    EXPECT_NEAR(H(5), 68.0, 1e-9);
    EXPECT_TRUE(std::isfinite(H(10)));
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_FALSE(CheckHardnessRange(11, 894));
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "HB:  76.0.. 893.0 !");
    for (int k = 1; k <= 11; ++k)
        EXPECT_EQ(H(k), 0);
}

TEST_F(Hardness, ScalesOutsideTheTableAreRefused)
{
    ASSERT_TRUE(CheckHardnessRange(2, 300));
    for (int s : {0, 12, -1, 1000}) {
        EXPECT_FALSE(CheckHardnessRange(s, 300)) << s;
        EXPECT_FALSE(ConvertHardness(s, 300)) << s;
        EXPECT_EQ(H(1), 0);
    }
    EXPECT_EQ(GetHardnessValue(0), 0);
    EXPECT_EQ(GetHardnessValue(12), 0);
    EXPECT_FALSE(CheckHardnessRange(2, std::nan(""))) << "a NaN is no value in range";
}

TEST_F(Hardness, RangeMessagePerScale)
{
    EXPECT_FALSE(ConvertHardness(5, 70));
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "HRC:  20.3..  68.0 !");
}

TEST_F(Hardness, OnlinePassConvertsTheCurrentLine)
{
    OnlineInit(HardnessGroupNames[1], 11, 11);
    WriteHardnessInputs();
    vonline3.OnlineInValue[2] = "80";
    HardnessConverterPass(2);
    EXPECT_EQ(vonline3.OnlineOutValue[1], "255");
    EXPECT_EQ(vonline3.OnlineOutValue[11], "76");
    EXPECT_EQ(vonline3.OnlineOutValue[3], "34");
    EXPECT_EQ(vonline3.OnlineOutValue[4], "78.2");
    for (int k = 5; k <= 10; ++k)
        EXPECT_EQ(vonline3.OnlineOutValue[k], "n.def.") << k;
    EXPECT_EQ(vonline3.OnlineOutLabel[2], "HV   ");
    EXPECT_EQ(vonline3.OnlineInLabel[8], "HR15N");
    EXPECT_EQ(vonline3.OnlineInValue[1], "255") << "the inputs show the converted values";
    // Out of range: n.def. everywhere, the inputs all 0.
    vonline3.OnlineInValue[2] = "1000";
    HardnessConverterPass(2);
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(vonline3.OnlineOutValue[k], "n.def.");
        EXPECT_EQ(vonline3.OnlineInValue[k], "0");
    }
    EXPECT_EQ(error0.ErrorCount, 1);
    OnlineEnd();
}

TEST_F(Hardness, TensileStrengthInPsiInTheInchSystem)
{
    wtelmvar.UnitSystem = 1;
    OnlineInit(HardnessGroupNames[1], 11, 11);
    vonline3.OnlineInValue[2] = "300";
    HardnessConverterPass(2);
    EXPECT_EQ(vonline3.OnlineOutUnit[1], StressUnitLabel());
    EXPECT_EQ(vonline3.OnlineInUnit[1], "psi");
    // 965 MPa = 965 / 0.00689476 psi = 139961 psi
    EXPECT_NEAR(static_cast<double>(TextToFloat(vonline3.OnlineInValue[1])), 139961, 10);
    // Typed in psi: 139960 psi is Rm 964.99 MPa, just below row 45.
    vonline3.OnlineInValue[1] = "139960";
    HardnessConverterPass(1);
    EXPECT_NEAR(H(1), 964.99, 0.01);
    EXPECT_NEAR(H(2), 300, 0.01);
    OnlineEnd();
}

TEST_F(Hardness, CalculatorRunsUntilClosed)
{
    using platform::DialogAction;
    using platform::DialogModel;
    using platform::DialogResult;
    std::string title;
    hp.HeadlessDialogs().QueueScript([&](DialogModel& m) {
        auto& f = static_cast<TForm_online&>(m);
        title = f.Caption();
        f.Control("ed_2").Text = "300";
        f.Changed("ed_2");
        return f.KeyDown(2, OnlineKeyEnter) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    std::string hrc;
    hp.HeadlessDialogs().QueueScript([&](DialogModel& m) {
        hrc = m.Control("lbaw_5").Caption;
        return m.Press("Escape") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    ShowHardnessConverter(7000);
    EXPECT_EQ(title, "QYR7    A.1 (St,GS)");
    EXPECT_EQ(hrc, "29.8");
    EXPECT_NEAR(H(1), 965, 1e-9);
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace
