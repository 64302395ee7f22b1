// Gear materials and tool profiles read from the shipped catalogue tables
// (copied into a private table directory) into the gear-pair variables, and a
// tool stored as a new profile.
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/gearpairdata.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/ui/tablebrowser.h"

#include <gtest/gtest.h>

#include "common/askedboxes.h"
#include "common/tempdir.h"
#include <filesystem>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

class GearCatalogue : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitGearPairData();
        dir = testdirs::MakeTempDir("gearcat");
        fs::create_directory(dir + "/temp");
        for (const char* t : {"qyrwst.dbf", "q1toolx.dbf"})
            fs::copy_file(fs::path(QYR7_DATA_DIR) / t, fs::path(dir) / t);
        telmvar.DbfDir = dir;
        telmvar.TempDir = dir + "/temp";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // The browser: checks where it opened, then picks a record.
    void Pick(int32_t expectOpenedOn, int32_t pick)
    {
        headless.HeadlessDialogs().QueueScript([=](platform::DialogModel& m) {
            auto& b = dynamic_cast<TDbfBrowserModel&>(m);
            EXPECT_EQ(b.RecordNo, expectOpenedOn);
            b.RecordNo = pick;
            return platform::DialogResult::Ok;
        });
    }

    std::string dir;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(GearCatalogue, MaterialIsCopiedIntoTheGear)
{
    GearPair.MaterialRecordNo[2] = 3;
    Pick(3, 6);
    SelectGearMaterial(2, 1);
    EXPECT_EQ(telmvar.HelpNumber, 9500) << "the material table's help entry";
    ASSERT_FALSE(telmvar.Aborted);
    const auto& g = GearPair;
    // Record 6 of the source: 42CrMo4 QT 300 HB, heat-treatable, heat-treated.
    EXPECT_EQ(g.MaterialName[2], "42CrMo4 QT 300 HB");
    EXPECT_EQ(g.MaterialKind[2], 3);
    EXPECT_EQ(g.HeatTreatment[2], 1);
    EXPECT_EQ(static_cast<double>(g.HB[2]), 300);
    EXPECT_EQ(static_cast<double>(g.SigmaHlim[2]), 765);
    EXPECT_EQ(static_cast<double>(g.Sigma_FE[2]), 630);
    EXPECT_EQ(static_cast<double>(g.E[2]), 206000);
    EXPECT_NEAR(static_cast<double>(g.nu[2]), 0.3, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.rho[2]), 7.85, 1e-12);
    EXPECT_EQ(g.MaterialRecordNo[2], 6);
    EXPECT_FALSE(dbf4.tzdbf.Active());
    ASSERT_FALSE(headless.HeadlessDialogs().ShownDialogs().empty());
    EXPECT_EQ(headless.HeadlessDialogs().ShownDialogs()[0].Caption, "material database gear 2   ");
}

TEST_F(GearCatalogue, CancelledMaterialChoiceKeepsTheMaterial)
{
    GearPair.MaterialName[1] = "kept";
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    SelectGearMaterial(1, 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.MaterialName[1], "kept");
}

TEST_F(GearCatalogue, BrowsingTheMaterialsChangesNoGearAndAborts)
{
    const auto before = GearPair.MaterialName;
    Pick(1, 4);
    SelectGearMaterial(0, 0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.MaterialName, before);
}

TEST_F(GearCatalogue, MissingMaterialTableAborts)
{
    fs::remove(fs::path(dir) / "qyrwst.dbf");
    SelectGearMaterial(1, 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(headless.HeadlessDialogs().ShownDialogs().empty());
}

TEST_F(GearCatalogue, ToolProfileIsCopiedIntoTheGear)
{
    GearPair.mn = 4;
    GearPair.ToolProfileNo[1] = 2;
    Pick(1, 5);
    SelectToolProfile(1, 1);
    ASSERT_FALSE(telmvar.Aborted);
    const auto& g = GearPair;
    // Record 5: the protuberance profile of the source.
    EXPECT_DOUBLE_EQ(static_cast<double>(g.hfP0_mn[1]), 1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.haP0_mn[1]), 1.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.rhoaP0_mn[1]), 0.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.alphakP0[1]), 20);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.alphaprP0[1]), 6);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.prP0_mn[1]), 0.035);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.alpha), 20);
    EXPECT_EQ(g.ProfileName[1], "ISO 53 D protuberance 6 deg");
    EXPECT_EQ(g.ToolRecordNo[1], 5);
    EXPECT_EQ(g.ToolProfileNo[1], 0);
    // Module field 0: any module, no message.
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
}

TEST_F(GearCatalogue, ModuleOfTheProfileOtherThanMnIsReported)
{
    GearPair.mn = 4;
    GearPair.hfP0_mn[1] = 1;
    GearPair.haP0_mn[1] = 1.25L;
    GearPair.rhoaP0_mn[1] = 0.3L;
    GearPair.alphakP0[1] = 20;
    GearPair.alpha = 20;
    GearPair.ProfileName[1] = "module 3 tool";
    AppendToolProfile(1);
    ASSERT_FALSE(telmvar.Aborted);
    const int32_t appended = GearPair.ToolRecordNo[1];
    EXPECT_EQ(appended, 9);
    // The stored module is the gear's mn of 4: no message while mn stays.
    Pick(appended, appended);
    SelectToolProfile(1, 1);
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
    GearPair.mn = 5;
    Pick(appended, appended);
    SelectToolProfile(1, 1);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text, "Q1TOOLX-MODUL <> mn !");
}

TEST_F(GearCatalogue, AppendedProfileIsWhereTheNextSelectionOpens)
{
    GearPair.mn = 2.5L;
    GearPair.alpha = 20;
    GearPair.hfP0_mn[2] = 1;
    GearPair.haP0_mn[2] = 1.25L;
    GearPair.rhoaP0_mn[2] = 0.38L;
    GearPair.alphakP0[2] = 20; // no chamfer: the chamfer depth is stored as 0
    GearPair.hFfP0_mn[2] = 0.1L;
    GearPair.ProfileName[2] = "own hob";
    AppendToolProfile(2);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.ToolRecordNo[2], 9);
    EXPECT_EQ(GearPair.ToolProfileNo[2], 0);
    Pick(9, 9);
    SelectToolProfile(2, 1);
    EXPECT_EQ(telmvar.HelpNumber, 9510) << "the tool table's help entry";
    EXPECT_DOUBLE_EQ(static_cast<double>(GearPair.hFfP0_mn[2]), 0.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(GearPair.rhoaP0_mn[2]), 0.38);
    EXPECT_EQ(GearPair.ProfileName[2], "own hob");
    EXPECT_DOUBLE_EQ(static_cast<double>(gearcatalogue.LastToolModule), 2.5);
}

// A record marked for deletion is not offered in either pick, typed or chosen; the pick opens on the gear's.
TEST_F(GearCatalogue, PicksHideMarkedRecordsAndOpenOnTheGearsRecord)
{
    for (const bool material : {true, false}) {
        dbf4.OpenTable(dir + (material ? "/qyrwst.dbf" : "/q1toolx.dbf"));
        // Its name (the first text field) holds a sharp s, stored in the table's OEM text.
        ASSERT_TRUE(dbf4.GoRecord(2) && dbf4.SetFieldText(material ? 1 : 11, "Gro\xDF") && dbf4.tzdbf.Post());
        dbf4.tzdbf.Delete();
        dbf4.CloseTable();
        GearPair.MaterialRecordNo[1] = GearPair.ToolRecordNo[1] = 3;
        headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
            TDbfBrowserForm f(dynamic_cast<TDbfBrowserModel&>(m));
            EXPECT_EQ(f.Grid.RowCount(), dbf4.RecordCount() - 1);
            EXPECT_EQ(f.Grid.Page(2, 1).at(0).RecNo * 10 + f.Grid.CurrentRow(), 32) << "record 3 in row 2";
            f.EditRecnoChanged("2");
            dynamic_cast<TDbfBrowserModel&>(m).RecordNo = 2;
            return platform::DialogResult::Ok;
        });
        material ? SelectGearMaterial(1, 1) : SelectToolProfile(1, 1);
        EXPECT_EQ(material ? GearPair.MaterialRecordNo[1] : GearPair.ToolRecordNo[1], 3);
        // The gear's own record hidden: said at the open, naming it, before anything can be taken.
        GearPair.MaterialRecordNo[1] = GearPair.ToolRecordNo[1] = 2;
        std::string said;
        headless.HeadlessDialogs().QueueScript([&](platform::DialogModel&) {
            const auto& asked = headless.HeadlessMessages().AskedQuestions();
            said = asked.empty() ? "" : asked.back().Request.Text;
            return platform::DialogResult::Cancel;
        });
        material ? SelectGearMaterial(1, 1) : SelectToolProfile(1, 1);
        EXPECT_TRUE(said.starts_with("Record 2 (Gro\xDF) of ") &&
                    said.ends_with(" is marked for deletion and is not shown: the list opens on record 3."))
            << said;
    }
}

TEST_F(GearCatalogue, CancelledToolChoiceStillChecksTheModule)
{
    GearPair.mn = 4;
    gearcatalogue.LastToolModule = 3;
    GearPair.ProfileName[1] = "kept";
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    SelectToolProfile(1, 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.ProfileName[1], "kept");
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
}

} // namespace
