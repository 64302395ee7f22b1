// The table browser's printout through the report engine: a table of nine
// fields prints its first seven, one row per record (golden file).
#include "reporttestsupport.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "reports/engine/tableprint.h"
#include "xbase/access/tableaccess.h"
#include "xbase/ui/tablebrowser.h"
#include "xbase/xbasestate.h"

#include <filesystem>

namespace
{

class BrowserPrint : public ReportTest
{
  protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        InstallTablePrint();
    }
    void TearDown() override
    {
        if (!cwd_.empty()) std::filesystem::current_path(cwd_);
        ReportTest::TearDown();
    }
    // The table by its name in the temporary directory, made the current one:
    // the printout's head holds the name whole, however long TMPDIR's path.
    std::string TableHere(const std::string& Name)
    {
        std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/printout.dbf", Temp(Name));
        if (cwd_.empty()) cwd_ = std::filesystem::current_path();
        std::filesystem::current_path(TempDir);
        return Name;
    }
    std::filesystem::path cwd_;
};

TEST_F(BrowserPrint, NineFieldTableShowsSevenColumns)
{
    const std::string table = TableHere("printout.dbf");
    dbf4.OpenTable(table);
    ASSERT_EQ(dbf4.FieldCount(), 9);
    telmvar.ProgramName = "QYR7";
    telmvar.ProgramVersion = "1.0";
    telmvar.ProjectName = "stage1";
    wtelmvar.TextDevice = 3; // a file chosen in the save dialog
    wtelmvar.TextDeviceDialog = false;
    SaveDialogPath = Temp("table.out");
    TDbfBrowserModel m;
    m.caption = "Printout   Print settings";
    m.Title1 = "Print settings";
    m.TablePath = table;
    TDbfBrowserForm form(m);
    form.Press("mi_filePrint");
    ASSERT_FALSE(telmvar.Aborted);
    const std::string written = ReadFile(Temp("table.out"));
    // Headings are cut to the field width + 1: "MO" is field 7, "VA" (field
    // 8) must not appear.
    EXPECT_NE(written.find("XORIGIYORIGILAMO \r\n"), std::string::npos) << written;
    EXPECT_EQ(written.find("LAMOVA"), std::string::npos);
    ExpectGolden("browser_printout_table.txt", written);
}

TEST_F(BrowserPrint, CancelledDeviceChoicePrintsNothing)
{
    const std::string table = Temp("printout.dbf");
    std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/printout.dbf", table);
    dbf4.OpenTable(table);
    wtelmvar.TextDevice = 3;
    wtelmvar.TextDeviceDialog = false;
    SaveDialogPath = ""; // the save dialog is cancelled
    PrintDbfTable(dbf4.tzdbf, "c", "t");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_FALSE(std::filesystem::exists(Temp("table.out")));
}

// The table's name heads the printout in code page 437, what 437 lacks as "?", its directory with it.
TEST_F(BrowserPrint, NamesAsTheFileSystemHasThemHeadThePrintout)
{
    std::filesystem::create_directory(Temp("ä"));
    for (const auto& [name, head] : {std::pair{"größe 齿.dbf", "*  gr\224\341e ?.dbf "},
                                     std::pair{"ä/größe 齿.dbf", "*  \204/gr\224\341e ?.dbf "}}) {
        dbf4.OpenTable(TableHere(name));
        wtelmvar.TextDevice = 3;
        wtelmvar.TextDeviceDialog = false;
        SaveDialogPath = Temp("table.out");
        telmvar.ProjectName = "stage1";
        PrintDbfTable(dbf4.tzdbf, "c", "t");
        EXPECT_NE(ReadFile(Temp("table.out")).find(head), std::string::npos) << name;
    }
}

} // namespace
