// The graphics print settings: start values by the kind of picture, loading
// and storing named settings in "printout.dbf", the field checks and the
// print handed to the graphics window.
#include "graphics/graphwindow.h"
#include "graphics/printconf.h"

#include "common/tempdir.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/printtext.h"
#include "xbase/access/tableaccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

class PrintConf : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = testdirs::MakeTempDir("printconf");
        fs::create_directory(dir + "/tables");
        fs::create_directory(dir + "/work");
        fs::create_directory(dir + "/temp");
        telmvar.DbfDir = dir + "/tables";
        telmvar.TempDir = dir + "/temp";
        wtelmvar.WorkingDir = dir + "/work";
        fs::copy_file(std::string(QYR7_DATA_DIR) + "/printout.dbf", dir + "/tables/printout.dbf");
    }
    void TearDown() override { testdirs::RemoveTempDir(dir); }
    // The browser picks record n and presses OK.
    void PickRecord(int32_t n)
    {
        headless.HeadlessDialogs().QueueScript([n](platform::DialogModel& m) {
            auto& b = static_cast<TDbfBrowserModel&>(m);
            b.RecordNo = n;
            return platform::DialogResult::Ok;
        });
    }
    std::string LastMessage()
    {
        const auto& q = headless.HeadlessMessages().AskedQuestions();
        return q.empty() ? "" : q.back().Request.Text;
    }

    std::string dir;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(PrintConf, DrawingSheetOpensAt19AndPortraitWhateverIsConfigured)
{
    printsettings.DefPrintScaleX = 3.0;
    printsettings.DefPrintOrientation = 2;
    printsettings.GraphContentKind = 2;
    TForm_printconf f;
    EXPECT_EQ(f.EditText("Edit_scalex"), "1.9");
    EXPECT_EQ(f.EditText("Edit_scaley"), "1");
    EXPECT_EQ(f.EditText("Edit_xorigin"), "0");
    EXPECT_EQ(f.Hochquer, 0);
    printsettings.GraphContentKind = 1;
    TForm_printconf g;
    EXPECT_EQ(g.EditText("Edit_scalex"), "3");
    EXPECT_EQ(g.Hochquer, 1);
    printsettings.GraphContentKind = 7; // any other kind keeps the current values
    printsettings.PrintScaleX = 0.25;
    TForm_printconf h;
    EXPECT_EQ(h.EditText("Edit_scalex"), "0.25");
}

TEST_F(PrintConf, MonochromeRecordWithoutLandscapeSelectsMonochromeAndPortrait)
{
    TForm_printconf f;
    f.Hochquer = 1;
    f.Printmono = 1;
    PickRecord(5); // "half size": 0.5, 0.5, 10, 10, portrait, monochrome
    EXPECT_TRUE(f.ButtonDb());
    EXPECT_EQ(f.Hochquer, 0);
    EXPECT_EQ(f.Printmono, 0);
    EXPECT_EQ(f.EditText("Edit_scalex"), "0.500");
    EXPECT_EQ(f.EditText("Edit_xorigin"), "10");
    EXPECT_EQ(printsettings.PrinterDbRecord, 5);
    EXPECT_FALSE(dbf4.tzdbf.Active()) << "the table is closed again";
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(PrintConf, CancelledPickChangesNothingAndLeavesTheDialogUsable)
{
    TForm_printconf f;
    const std::string before = f.EditText("Edit_scalex");
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    EXPECT_FALSE(f.ButtonDb());
    EXPECT_EQ(f.EditText("Edit_scalex"), before);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(PrintConf, TableInTheWorkingDirectoryWins)
{
    fs::copy_file(dir + "/tables/printout.dbf", dir + "/work/printout.dbf");
    std::string opened;
    headless.HeadlessDialogs().QueueScript([&](platform::DialogModel& m) {
        opened = static_cast<TDbfBrowserModel&>(m).TablePath;
        return platform::DialogResult::Cancel;
    });
    TForm_printconf f;
    f.ButtonDb();
    EXPECT_EQ(opened, dir + "/work/printout.dbf");
}

TEST_F(PrintConf, ApplyDatabaseStoresTheCurrentValuesAsANewRecord)
{
    TForm_printconf f;
    f.SetEditText("Edit_scalex", "2,5");
    f.SetEditText("Edit_scaley", "0.75");
    f.SetEditText("Edit_xorigin", "-20");
    f.SetEditText("Edit_yorigin", "15");
    f.Hochquer = 1;
    f.Printmono = 0;
    f.Control("CheckBox_umrandung").Checked = true;
    headless.HeadlessPrompts().QueueText(std::string("my setting"));
    ASSERT_TRUE(f.ButtonAppend());
    dbf4.OpenTable(dir + "/tables/printout.dbf");
    const int32_t n = dbf4.RecordCount();
    dbf4.GoRecord(n);
    EXPECT_EQ(dbf4.FieldText(1).substr(0, 10), "my setting");
    EXPECT_EQ(DbfFieldFloat(2), 2.5L);
    EXPECT_EQ(DbfFieldFloat(3), 0.75L);
    EXPECT_EQ(DbfFieldInt(4), -20);
    EXPECT_EQ(DbfFieldInt(5), 15);
    EXPECT_TRUE(dbf4.FieldBoolByName("landscape"));
    EXPECT_TRUE(dbf4.FieldBoolByName("monochrom"));
    EXPECT_FALSE(dbf4.FieldBoolByName("variable"));
    EXPECT_TRUE(dbf4.FieldBoolByName("borderline"));
}

struct BadField {
    const char* name;
    const char* edit;
    const char* text;
    const char* message;
};

class PrintConfRefuses : public PrintConf, public ::testing::WithParamInterface<BadField>
{
};

TEST_P(PrintConfRefuses, OkAndApplyKeepTheDialogOpen)
{
    TForm_printconf f;
    f.SetEditText(GetParam().edit, GetParam().text);
    EXPECT_EQ(f.Press("Button_ok"), platform::DialogAction::None);
    EXPECT_EQ(LastMessage(), GetParam().message);
    EXPECT_TRUE(headless.HeadlessPrinter().PrintedDocuments().empty());
    EXPECT_FALSE(f.ButtonAppend());
    EXPECT_EQ(LastMessage(), GetParam().message);
    EXPECT_FALSE(dbf4.tzdbf.Active());
}

INSTANTIATE_TEST_SUITE_P(
    PrintConf, PrintConfRefuses,
    ::testing::Values(BadField{"ScaleText", "Edit_scalex", "abc", "Scale x: 0.0001 .. 100 !"},
                      BadField{"ScaleZero", "Edit_scalex", "0", "Scale x: 0.0001 .. 100 !"},
                      BadField{"ScaleTooLarge", "Edit_scaley", "100.5", "Scale y: 0.0001 .. 100 !"},
                      BadField{"OriginFraction", "Edit_xorigin", "1.5", "Origin x: -297 .. 297 !"},
                      BadField{"OriginTooFar", "Edit_yorigin", "-298", "Origin y: -297 .. 297 !"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintConf, OkReadsTheFieldsBackAndPrintsThePicture)
{
    TForm_printconf f;
    f.SetEditText("Edit_scalex", "0.5");
    f.SetEditText("Edit_yorigin", "-12");
    f.Hochquer = 1;
    f.Printmono = 1;
    EXPECT_EQ(f.Press("Button_ok"), platform::DialogAction::Accept);
    EXPECT_DOUBLE_EQ(printsettings.PrintScaleX, 0.5);
    EXPECT_EQ(printsettings.PrintOriginY, -12);
    EXPECT_EQ(printsettings.PrintOrientation, 2);
    EXPECT_EQ(telmvar.PrintColorMode, 2);
    // A report printed after it is portrait (A4 at 300 dpi: 2480 pixels wide).
    std::ofstream(dir + "/report.txt") << "report\n\f\n";
    PrintTextFile(dir + "/report.txt");
    const auto& printed = headless.HeadlessPrinter().PrintedDocuments();
    EXPECT_EQ(printed.at(0).Orientation, platform::PageOrientation::Landscape);
    EXPECT_EQ(printed.at(1).Pages.at(0)->Width(), 2480);
}

// A field the user left alone prints with its value, not the rounded text;
// an origin may be typed as any whole number.
TEST_F(PrintConf, UntouchedScaleKeepsItsValueAndAWholeOriginIsRead)
{
    printsettings.GraphContentKind = 7;
    printsettings.PrintScaleX = 0.123456;
    TForm_printconf f;
    EXPECT_EQ(f.EditText("Edit_scalex"), "0.123");
    f.SetEditText("Edit_xorigin", "1.2E1");
    EXPECT_EQ(f.Press("Button_ok"), platform::DialogAction::Accept);
    EXPECT_EQ(printsettings.PrintScaleX, 0.123456);
    EXPECT_EQ(printsettings.PrintOriginX, 12);
}

TEST_F(PrintConf, CancelSetsAborted)
{
    TForm_printconf f;
    EXPECT_EQ(f.Press("Button_cancel"), platform::DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
}

} // namespace
