// Bearings picked from the shipped catalogue tables (in a private copy of the
// table directory) land in the planet's bearing record as each type's field
// layout gives it. Expected values are the rows of the tables' sources
// (data/tables/<type>.csv, fourth record of each).
#include "planetary_fixture.h"

#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include "common/tempdir.h"
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

class BearingCatalogue : public StageTest
{
  protected:
    void SetUp() override
    {
        StageTest::SetUp();
        InitXbaseLibrary();
        dir = testdirs::MakeTempDir("brgcat");
        fs::create_directory(dir + "/temp");
        for (const auto& e : fs::directory_iterator(QYR7_DATA_DIR)) {
            const auto ext = e.path().extension();
            if (ext == ".dbf" || ext == ".hdf") fs::copy_file(e.path(), fs::path(dir) / e.path().filename());
        }
        telmvar.DbfDir = dir;
        telmvar.TempDir = dir + "/temp";
    }
    void TearDown() override
    {
        DoneXbaseLibrary();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // The browser: checks the row it opened on (designation), picks a record.
    void Pick(const std::string& openedOn, int32_t pick)
    {
        headless.HeadlessDialogs().QueueScript([=](platform::DialogModel& m) {
            auto& b = dynamic_cast<TDbfBrowserModel&>(m);
            if (!openedOn.empty()) {
                EXPECT_EQ(b.Table->SField(1).substr(0, openedOn.size()), openedOn);
            }
            b.RecordNo = pick;
            return platform::DialogResult::Ok;
        });
    }

    std::string dir;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

struct Expected {
    int Type;
    const char* Designation;
    double d, D, B, C, C0, nPerm, nPerm2, Cu;
};

TEST_F(BearingCatalogue, ARowOfEveryTypeLandsInTheBearingRecord)
{
    const Expected rows[] = {
        {1, "6203", 17, 40, 12, 9912, 4821, 24600, 18400, 219.1},
        {2, "1203", 17, 40, 12, 6258, 1200, 19300, 14500, 54.6},
        {3, "HK1616", 16, 22, 16, 13407, 19712, 25000, 18750, 2403.9},
        {4, "RNA4903", 22, 30, 13, 14413, 20447, 18400, 13800, 2493},
        {5, "NU205", 25, 52, 15, 22944, 21492, 13000, 9800, 2621},
        {6, "30207", 35, 72, 17, 52180, 60428, 7500, 5600, 7369},
        {7, "22208", 40, 80, 23, 74703, 94698, 5800, 4400, 11549},
        {8, "7203B", 17, 40, 12, 9046, 4350, 21100, 15800, 198},
        {9, "3208", 40, 80, 30.2, 31418, 27374, 8300, 6200, 1244},
        {10, "K16x20x10", 16, 20, 10, 8816, 11499, 25000, 18750, 1402},
    };
    for (const auto& x : rows) {
        SCOPED_TRACE(x.Designation);
        PlanetBearings[1] = WaelzLagerTyp{};
        Pick("", 4);
        SelectBearingFromCatalogue(x.Type, 1, 1, 20, 2000, 100, 1500, 1, 2, 1);
        ASSERT_FALSE(telmvar.Aborted);
        const auto& r = PlanetBearings[1];
        EXPECT_EQ(r.BearingType, x.Type);
        EXPECT_EQ(r.CatalogueRecNo, 4);
        EXPECT_EQ(r.Designation, x.Designation);
        EXPECT_DOUBLE_EQ(D(r.d), x.d);
        EXPECT_DOUBLE_EQ(D(r.D), x.D);
        EXPECT_NEAR(D(r.B), x.B, 1e-12);
        EXPECT_DOUBLE_EQ(D(r.C), x.C);
        EXPECT_DOUBLE_EQ(D(r.C0), x.C0);
        EXPECT_DOUBLE_EQ(D(r.nPerm), x.nPerm);
        EXPECT_DOUBLE_EQ(D(r.nPerm2), x.nPerm2);
        EXPECT_NEAR(D(r.Cu), x.Cu, 1e-9);
        EXPECT_EQ(r.CatText2, "computed nominal values");
        // The life was calculated for the new bearing.
        EXPECT_GT(D(r.L10), 0);
        EXPECT_FALSE(dbf4.tzdbf.Active());
    }
}

TEST_F(BearingCatalogue, TypeRulesOfTheCopy)
{
    // Taper roller: width from field 12, the total width (field 4) in CatValue6.
    Pick("", 4);
    SelectBearingFromCatalogue(6, 2, 1, 20, 2000, 500, 1500, 1, 2, 1);
    EXPECT_EQ(telmvar.HelpNumber, 8400 + 5 * 6) << "the browser's help entry of the type";
    const auto& t = PlanetBearings[2];
    EXPECT_DOUBLE_EQ(D(t.B), 17);
    EXPECT_DOUBLE_EQ(D(t.CatValue6), 18.25);
    EXPECT_DOUBLE_EQ(D(t.alpha), 14);
    EXPECT_DOUBLE_EQ(D(t.Y), 1.604);
    EXPECT_DOUBLE_EQ(D(t.X), 0);
    // Angular contact (single): 40 degrees, Y = 0.4 / tan 40.
    Pick("", 4);
    SelectBearingFromCatalogue(8, 2, 1, 20, 2000, 500, 1500, 1, 3, 1);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[2].alpha), 40);
    EXPECT_NEAR(D(PlanetBearings[2].Y), 0.476701, 1e-6);
    // Double row: the angle of the table, 32 degrees.
    Pick("", 4);
    SelectBearingFromCatalogue(9, 2, 1, 20, 2000, 500, 1500, 1, 2, 1);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[2].alpha), 32);
    EXPECT_NEAR(D(PlanetBearings[2].Y), 0.640134, 1e-6);
    // Needle cage: nPerm2 is three quarters of nPerm, the roller count in CatValue3.
    Pick("", 4);
    SelectBearingFromCatalogue(10, 2, 1, 20, 2000, 0, 1500, 1, 2, 1);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[2].CatValue3), 21);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[2].CatValue1), 0);
}

TEST_F(BearingCatalogue, GrooveBallBearingTakesXAndYOfNormalClearance)
{
    PlanetBearings[1].X = 7;
    PlanetBearings[1].Y = 7;
    Pick("", 4);
    // Fa/Fr = 1 is above e for every Fa/C0 of the table: X = 0.56.
    SelectBearingFromCatalogue(1, 1, 1, 20, 1000, 1000, 1500, 1, 2, 1);
    EXPECT_NEAR(D(PlanetBearings[1].X), 0.56, 1e-12);
    EXPECT_GT(D(PlanetBearings[1].Y), 1.0);
}

TEST_F(BearingCatalogue, SelfAligningBallAngleFollowsFromTheDimensions)
{
    // Record 4, 1203: atan((4*12 - 40 + 17) / (2*(40 + 17))) = 12.37 deg.
    Pick("", 4);
    SelectBearingFromCatalogue(2, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    EXPECT_NEAR(D(PlanetBearings[1].alpha), 12.37, 1e-9);
    bearingcatalogue.Records[2].Fields[20] = "  0.00";
    // The table's text as the dataset reads it (code page 1252 a-umlaut 0xE4) goes into the project as
    // typed there: code page 437, 0x84.
    bearingcatalogue.Records[2].Fields[1] = "1203 \xE4";
    CopyBearingCatalogueRecord(2, PlanetBearings[1]);
    EXPECT_NEAR(D(PlanetBearings[1].alpha), std::atan(25.0 / 114.0) * 180 / 3.14159265358979323846, 1e-9);
    EXPECT_EQ(PlanetBearings[1].Designation, "1203 \x84");
}

// A remark typed into the table with an a-umlaut, which the table stores in its OEM text, is picked into the
// bearing as the project keeps its texts: in code page 437 (0x84), as the designation is.
TEST_F(BearingCatalogue, PickedRemarkIsKeptInTheDosCodePage)
{
    dbf4.OpenTable(dir + "/pekula.dbf");
    ASSERT_TRUE(dbf4.GoRecord(4) && dbf4.SetFieldText(1, "1203 \xE4") &&
                dbf4.SetFieldText(23, "K\xE4"
                                      "fig") &&
                dbf4.tzdbf.Post());
    dbf4.CloseTable();
    Pick("", 4);
    SelectBearingFromCatalogue(2, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1].Designation, "1203 \x84");
    EXPECT_EQ(PlanetBearings[1].CatText2, "K\x84"
                                          "fig");
}

// A number changed by hand into no number refuses the pick by name; a blank still reads as 0, a comma as the
// point. At: header 32 + 32 per field + 1, then records of a flag and the field widths of
// data/tables/<table>.csv.
TEST_F(BearingCatalogue, APickedNumberThatDoesNotReadIsRefusedByName)
{
    const struct {
        const char *Table, *Bytes, *Refused; // Refused empty: taken
        long At;
        Extended* Value;
        double Taken;
    } cases[] = {
        {"qyrwst", "  abc", "QYRWST.DBF record 2 field NU: \"abc\"", 481 + 162 + 92, &GearPair.nu[1], 0},
        {"qyrwst", "     ", "", 481 + 162 + 92, &GearPair.nu[1], 0},
        {"qyrwst", " 0,29", "", 481 + 162 + 92, &GearPair.nu[1], 0.29},
        {"q1toolx", " 1.2.5", "Q1TOOLX.DBF record 2 field HAP0: \"1.2.5\"", 513 + 164 + 7,
         &GearPair.haP0_mn[1], 0},
        {"zyrola", "ca. 24", "ZYROLA.DBF record 2 field D1: \"ca. 24\"", 737 + 176 + 82,
         &PlanetBearings[1].d1, 0},
        {"zyrola", "   12 kN", "ZYROLA.DBF record 2 field C: \"12 kN\"", 737 + 176 + 39, &PlanetBearings[1].C,
         0}};
    for (const auto& c : cases) {
        std::fstream(dir + "/" + c.Table + ".dbf", std::ios::in | std::ios::out | std::ios::binary)
                .seekp(c.At)
            << c.Bytes;
        *c.Value = 0.125L;
        const auto& asked = headless.HeadlessMessages().AskedQuestions();
        const std::size_t boxes = asked.size();
        Pick("", 2);
        c.Table[0] == 'z'   ? SelectBearingFromCatalogue(5, 1, 1, 20, 1000, 0, 1500, 1, 2, 1)
        : c.Table[1] == 'y' ? SelectGearMaterial(1, 1)
                            : SelectToolProfile(1, 1);
        EXPECT_EQ(D(*c.Value), *c.Refused ? 0.125 : c.Taken) << c.Bytes;
        EXPECT_EQ(telmvar.Aborted, *c.Refused != 0) << c.Bytes << ": a refused pick ends as a cancelled one";
        const std::string box = asked.size() > boxes ? asked.back().Request.Text : "";
        EXPECT_EQ(box.substr(0, box.find('\n')),
                  *c.Refused ? c.Refused + std::string(" is no number. Nothing of the record was taken.")
                             : "");
        EXPECT_EQ(box.find(std::string("data/tables/") + c.Table + ".csv") == std::string::npos, !*c.Refused)
            << box;
    }
}

TEST_F(BearingCatalogue, WishedBoreOpensTheBrowserOnIt)
{
    Pick("6207", 8);
    SelectBearingFromCatalogue(1, 1, 1, 35, 1000, 0, 1500, 1, 2, 1);
    EXPECT_EQ(PlanetBearings[1].Designation, "6207");
}

TEST_F(BearingCatalogue, WishedBoreNotInTheTableOpensOnTheFirstRow)
{
    Pick("6200", 1);
    SelectBearingFromCatalogue(1, 1, 1, 33, 1000, 0, 1500, 1, 2, 1);
    EXPECT_EQ(PlanetBearings[1].Designation, "6200");
}

TEST_F(BearingCatalogue, ReopeningTheSameTypeStandsOnTheRowChosenBefore)
{
    Pick("", 7);
    SelectBearingFromCatalogue(5, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    const std::string chosen = PlanetBearings[1].Designation;
    Pick(chosen, 7);
    SelectBearingFromCatalogue(5, 1, 1, 60, 1000, 0, 1500, 1, 2, 1);
    EXPECT_EQ(PlanetBearings[1].CatalogueRecNo, 7);
}

TEST_F(BearingCatalogue, EscapeChangesNothing)
{
    PlanetBearings[1].Designation = "kept";
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    SelectBearingFromCatalogue(5, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1].Designation, "kept");
    EXPECT_FALSE(dbf4.tzdbf.Active());
}

TEST_F(BearingCatalogue, MenuBrowseNeverReplacesTheBearing)
{
    // A row of the type was read before: it must not come back over the
    // planet's bearing when the table is only browsed.
    Pick("", 4);
    SelectBearingFromCatalogue(5, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    PlanetBearings[1] = WaelzLagerTyp{};
    PlanetBearings[1].Designation = "own bearing";
    wtelmvar.DatabaseMode = 1;
    headless.HeadlessPrompts().QueueSelection(4); // cylindrical roller bearing
    Pick("", 2);
    SelectBearingFromCatalogue(0, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(PlanetBearings[1].Designation, "own bearing");
    EXPECT_EQ(PlanetBearings[1].CatalogueRecNo, 0);
}

TEST_F(BearingCatalogue, CancelledTypeListAborts)
{
    headless.HeadlessPrompts().QueueSelection(std::nullopt);
    SelectBearingFromCatalogue(0, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(headless.HeadlessDialogs().ShownDialogs().empty());
}

TEST_F(BearingCatalogue, MissingTableAborts)
{
    fs::remove(fs::path(dir) / "zyrola.dbf");
    SelectBearingFromCatalogue(5, 1, 1, 20, 1000, 0, 1500, 1, 2, 1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(headless.HeadlessDialogs().ShownDialogs().empty());
}

TEST_F(BearingCatalogue, DefaultStagePlanetFindsABearing)
{
    // A pin for 20 kN on 40 mm face width: (16/pi * 20000 * 40 / 300)^(1/3)
    // = 24.2 mm; every catalogue has a bearing of 25 mm bore or more.
    for (int type = 1; type <= 10; ++type) {
        SCOPED_TRACE(type);
        headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
            auto& b = dynamic_cast<TDbfBrowserModel&>(m);
            EXPECT_GE(TextToFloat(b.Table->SField(2).substr(b.Table->SField(2).find_first_not_of(' '))),
                      25.0 - 1e-9)
                << b.Table->SField(1);
            return platform::DialogResult::Ok;
        });
        PlanetBearings[1] = WaelzLagerTyp{};
        SelectBearingFromCatalogue(type, 1, 1, 25, 20000, 0, 1500, 1, 2, 1);
        EXPECT_FALSE(telmvar.Aborted);
        EXPECT_FALSE(PlanetBearings[1].Designation.empty());
    }
}

} // namespace
