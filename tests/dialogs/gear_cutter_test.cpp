// The pinion cutter form: proposals from the stored ring, OK storing only
// what was typed, Cancel storing nothing.
#include "dialogs/gear/cutterform.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class GearCutter : public StageForms
{
};

TEST_F(GearCutter, ProposalsFromTheRing)
{
    const struct {
        int zH;
        const char* z0;
    } teeth[] = {{-97, "48"}, {-100, "50"}};
    for (const auto& c : teeth) {
        PlanetaryGears.z[gH] = c.zH;
        TForm_qyr1schn f;
        f.Press("Button_z0");
        EXPECT_EQ(f.Control("Edit_z0").Text, c.z0) << c.zH;
    }
    PlanetaryGears.x[gH] = -0.25L;
    TForm_qyr1schn f;
    EXPECT_EQ(f.Caption(), "QYR7 pinion cutter");
    EXPECT_FALSE(f.Control("Button_hilfebild").Visible);
    f.Press("Button_x0");
    EXPECT_EQ(f.Control("Edit_x0").Text, "0.25");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.x0, 0.25L);
}

TEST_F(GearCutter, CancelAndUntouchedOk)
{
    GearPair.z0 = 40;
    GearPair.x0 = 0.123456L;
    {
        TForm_qyr1schn f;
        EXPECT_EQ(f.Control("Edit_x0").Text, "0.123");
        f.Control("Edit_z0").Text = "30";
        EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    }
    EXPECT_EQ(GearPair.z0, 40);
    TForm_qyr1schn f;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(SameBits(GearPair.x0, 0.123456L)) << "untouched: not rounded to the 3 digits shown";
    TForm_qyr1schn g;
    g.Control("Edit_z0").Text = "abc";
    EXPECT_EQ(g.Press("Button_ok"), DialogAction::None) << "refused with a message, nothing stored";
    EXPECT_EQ(GearPair.z0, 40);
}

} // namespace
