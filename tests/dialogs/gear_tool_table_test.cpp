// The tool form's "Database", "Online" and "Append DBF" buttons: each loads
// the mesh that holds its gear, works on the pair gear that gear is (S is
// pair gear 2 when it has more teeth than Pi) and stores the mesh back, so
// the profile lands on the gear whose button was pressed and no other.
#include "dialogs/calculatorwindow.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/toolprofileform.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "stageforms_fixture.h"
#include "xbase/access/tableaccess.h"
#include "xbase/xbasestate.h"

#include "common/askedboxes.h"
#include "common/tempdir.h"
#include "common/validators.h"

#include <filesystem>

namespace
{

namespace fs = std::filesystem;
using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class GearToolTable : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        dir = testdirs::MakeTempDir("tooltable");
        fs::create_directory(dir + "/temp");
        fs::copy_file(fs::path(QYR7_DATA_DIR) / "q1toolx.dbf", fs::path(dir) / "q1toolx.dbf");
        telmvar.DbfDir = dir;
        telmvar.TempDir = dir + "/temp";
        GearPair.alpha = 20;
        GearPair.mn = 4;
        TPlanetaryGears& p = PlanetaryGears;
        // S has more teeth than Pi: the S-Pi mesh loads Pi as pair gear 1.
        const int z[] = {24, 20, 22, -90};
        for (int g = 1; g <= 4; ++g) {
            p.z[g] = z[g - 1];
            p.ToolProfileNo[g] = 4; // self-defined: the buttons are open
            p.haP0_mn[g] = 1.25L;
            p.hfP0_mn[g] = 1;
            p.rhoaP0_mn[g] = 0.25L;
            p.alphakP0[g] = 20;
            p.ProfileName[g] = "gear " + std::to_string(g);
            p.ToolRecordNo[g] = 1;
        }
    }
    void TearDown() override
    {
        ResetDbf4();
        testdirs::RemoveTempDir(dir);
        StageForms::TearDown();
    }
    std::string dir;
};

TEST_F(GearToolTable, DatabaseFillsTheGearWhoseButtonWasPressed)
{
    for (int g : {1, 2, 3, 4}) {
        if (g > 1) {
            TearDown();
            SetUp();
        }
        hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
            auto& b = dynamic_cast<TDbfBrowserModel&>(m);
            b.RecordNo = 5; // the protuberance profile of the table
            return DialogResult::Ok;
        });
        TForm_qyr7prof f;
        EXPECT_EQ(f.Press("Button_db" + std::to_string(g)), DialogAction::None);
        EXPECT_FALSE(telmvar.Aborted);
        for (int o = 1; o <= 4; ++o) {
            const bool mine = o == g;
            EXPECT_EQ(PlanetaryGears.haP0_mn[o], mine ? 1.4L : 1.25L) << "button " << g << ", gear " << o;
            EXPECT_EQ(PlanetaryGears.ToolRecordNo[o], mine ? 5 : 1) << "button " << g << ", gear " << o;
        }
        EXPECT_EQ(PlanetaryGears.ProfileName[g], "ISO 53 D protuberance 6 deg");
        EXPECT_EQ(f.Control("Edit_prp" + std::to_string(g)).Text, "0.035")
            << "the form shows the new profile";
    }
}

TEST_F(GearToolTable, OnlineConvertsTheProfileOfItsGear)
{
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        auto& f = static_cast<TForm_online&>(m);
        f.Control("ed_2").Text = "1.4";
        f.Changed("ed_2");
        return f.KeyDown(2, OnlineKeyEnter) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        return m.Press("Escape") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    TForm_qyr7prof f;
    f.Press("Button_online1");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryGears.haP0_mn[1], 1.4L) << "S, pair gear 2 of S-Pi here";
    EXPECT_EQ(PlanetaryGears.haP0_mn[2], 1.25L) << "Pi untouched";
    EXPECT_EQ(f.Control("Edit_hap1").Text, "1.4");
}

TEST_F(GearToolTable, AppendStoresTheProfileOfS)
{
    PlanetaryGears.haP0_mn[1] = 1.3L;
    // The project's names are in the DOS code page: 0x84 is its "a" with umlaut (0xE4 on the screen).
    PlanetaryGears.ProfileName[1] = "hob \x84 of S";
    TForm_qyr7prof f;
    f.Press("Button_append1");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryGears.ToolRecordNo[1], 9) << "the shipped table holds 8 profiles";
    EXPECT_EQ(PlanetaryGears.ToolProfileNo[1], 0);
    EXPECT_EQ(PlanetaryGears.ToolRecordNo[2], 1) << "Pi keeps its record";
    EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions()).Request.Text,
              "Tool profile \"hob \xE4 of S\" stored as record 9 of q1toolx.dbf.");
    // Read back: the new record holds S's profile, not Pi's.
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        dynamic_cast<TDbfBrowserModel&>(m).RecordNo = 9;
        return DialogResult::Ok;
    });
    f.Press("Button_db4");
    EXPECT_EQ(PlanetaryGears.haP0_mn[4], 1.3L);
    EXPECT_EQ(PlanetaryGears.ProfileName[4], "hob \x84 of S") << "the name as it was typed";
}

// The browser's title names the gear whose button opened it, although the pick goes through a gear of the
// pair: every material through pair gear 1, S's profile through pair gear 2 (S has more teeth than Pi here).
TEST_F(GearToolTable, PickerTitleNamesTheGearOfTheButton)
{
    fs::copy_file(fs::path(QYR7_DATA_DIR) / "qyrwst.dbf", fs::path(dir) / "qyrwst.dbf");
    for (const std::string g : {"1", "2", "3", "4"}) {
        std::vector<std::string> titles;
        for (int pick = 0; pick < 2; ++pick)
            hp.HeadlessDialogs().QueueScript([&titles](DialogModel& m) {
                titles.push_back(dynamic_cast<TDbfBrowserModel&>(m).Title2);
                return DialogResult::Cancel;
            });
        TForm_qyr7wst{}.Press("Button" + g);
        TForm_qyr7prof{}.Press("Button_db" + g);
        EXPECT_EQ(titles, (std::vector<std::string>{"material database gear " + g,
                                                    "profile of reference rack gear " + g}));
    }
}

// "Append DBF" read back by python3-dbfread: the typed number, the rest of S's tool, and none of the texts of
// record 1 of the table ("ISO 53", "hob", "high root strength").
TEST_F(GearToolTable, AppendedRecordHoldsOnlyWhatTheToolGives)
{
    TForm_qyr7prof f;
    f.Control("Edit_hap1").Text = "1.3";
    f.Press("Button_append1");
    const std::string script =
        "import dbfread; print(*list(dbfread.DBF('" + dir + "/q1toolx.dbf'))[8].items())";
    FILE* p = ::popen(("/usr/bin/python3 -c \"" + script + "\" 2>&1").c_str(), "r");
    char read[1024] = {};
    std::fread(read, 1, sizeof read - 1, p);
    if (::pclose(p) != 0) QYR7_VALIDATOR_MISSING("python3-dbfread");
    EXPECT_STREQ(read,
                 "('HFP0', 1.0) ('HAP0', 1.3) ('RHOAP0', 0.25) ('CHAMFANGLE', 20.0) ('CHAMFDEPTH', 0.0) "
                 "('PROTANGLE', 6.0) ('PROTUB', 0.02) ('RHOFP0', 0.0) ('ALPHA', 20.0) ('MODUL', 4.0) "
                 "('STANDARD', '') ('TOOL', '') ('REMARK1', '') ('REMARK2', '') ('NAME', 'gear 1')\n");
}

} // namespace
