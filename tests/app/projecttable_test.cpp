// The project table over a directory of projects (one unreadable), the
// open loop from the table, and the spreadsheet commands with a scripted
// desktop.
#include "app/projectcommands.h"
#include "app/projecttable.h"
#include "appfixture.h"
#include "common/askedboxes.h"
#include "dialogs/dialogservices.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/preview/filepreview.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace
{

struct Expected {
    std::string z[5];
    std::string mn, i, shSPi;
};

} // namespace

class ProjectTable : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        InstallPlatformServices();
        ResetDialogServices();
        telmvar.DataDir = dir.string() + "/";
        telmvar.TempDir = dir.string() + "/";
        telmvar.MessagesEnabled = true;
        telmvar.DbfDir = QYR7_DATA_DIR; // the life materials of a load spectrum
    }
    void CopyExamples()
    {
        fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/default.qy7", dir / "a.qy7");
        fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/industrial.qy7", dir / "b.qy7");
        std::ofstream(dir / "c.qy7") << "not a project\r\n";
        std::ofstream(dir / "notes.txt") << "not listed\r\n";
    }
    // One project read and calculated on its own, from start-up values.
    Expected Alone(const std::string& Name)
    {
        InitProgramLoadDefaults();
        telmvar.Aborted = false;
        ReadProjectFile(dir.string() + "/" + Name);
        EXPECT_FALSE(telmvar.Aborted) << Name;
        CalcPlanetaryStage();
        Expected e;
        for (int g = 1; g <= 4; ++g)
            e.z[g] = IntToText(PlanetaryGears.z[g]);
        e.mn = FormatLengthFixed(3, 3, GearPair.mn);
        e.i = FormatFloatFixed(3, 2, PlanetaryStage.i);
        e.shSPi = FormatFloatFixed(3, 2, std::min(PlanetaryGears.SH[1][1], PlanetaryGears.SH[2][1]));
        return e;
    }
};

TEST_F(ProjectTable, EveryFileGetsItsOwnRowAndTheUnreadableOneNoValues)
{
    CopyExamples();
    const Expected a = Alone("a.qy7");
    const Expected b = Alone("b.qy7");
    InitProgramLoadDefaults();
    TForm_preview form;
    FillProjectTable(form);
    ASSERT_EQ(form.RowCount(), 4) << "header and the three .qy7 files";
    ASSERT_EQ(form.ColCount(), 52);
    EXPECT_EQ(form.Cell(0, 45), "SH-PiPe");
    EXPECT_EQ(form.Cell(0, 26), "nS  /min");
    EXPECT_EQ(form.ColWidths[3], 90);
    EXPECT_EQ(form.ColWidths[34], 60);
    const std::pair<int, const Expected*> rows[] = {{1, &a}, {2, &b}};
    for (const auto& [row, e] : rows) {
        for (int g = 1; g <= 4; ++g)
            EXPECT_EQ(form.Cell(row, 7 + g), e->z[g]) << "row " << row << " z" << g;
        EXPECT_EQ(form.Cell(row, 7), e->mn) << "row " << row;
        EXPECT_EQ(form.Cell(row, 49), e->i) << "row " << row;
        EXPECT_EQ(form.Cell(row, 43), e->shSPi) << "row " << row << ": its own calculation";
        EXPECT_EQ(form.Cell(row, 1).size(), 10u) << "yyyy/mm/dd";
    }
    EXPECT_NE(form.Cell(1, 43), "") << "a result was computed";
    EXPECT_EQ(form.Cell(3, 0), "c.qy7");
    EXPECT_EQ(form.Cell(3, 2), "not readable");
    for (int c = 3; c < 52; ++c)
        EXPECT_EQ(form.Cell(3, c), "") << "column " << c << " of the unreadable file";
    EXPECT_TRUE(Boxes().empty()) << "messages collected, no box";
    EXPECT_TRUE(telmvar.MessagesEnabled);

    // Without its life material table the spectrum project fails fatally:
    // its inputs are listed, its results left empty rather than shown as 0.
    telmvar.DbfDir = "/nonexistent-qyr7-tables";
    TForm_preview failed;
    FillProjectTable(failed);
    EXPECT_EQ(failed.Cell(2, 8), b.z[1]);
    for (int c : {20, 26, 43, 44, 49})
        EXPECT_EQ(failed.Cell(2, c), "") << "column " << c;
    EXPECT_EQ(failed.Cell(1, 43), a.shSPi) << "the project before it is unaffected";
}

TEST_F(ProjectTable, EmptyDirectoryAndInchHeaders)
{
    wtelmvar.UnitSystem = 1;
    TForm_preview form;
    FillProjectTable(form);
    ASSERT_EQ(form.RowCount(), 1);
    EXPECT_EQ(form.Cell(0, 7), "mn  in");
    EXPECT_EQ(form.Cell(0, 14), "dS in");
    EXPECT_EQ(form.Cell(0, 20), "TS lbfin");
}

TEST_F(ProjectTable, OpeningFromTheTableLoadsRedrawsAndShowsTheTableAgain)
{
    CopyExamples();
    const Expected b = Alone("b.qy7");
    InitProgramLoadDefaults();
    telmvar.DataModified = false;
    std::vector<int> rows;
    int messages = -1; // left from building the table: they belong to no project
    headless->HeadlessDialogs().QueueScript([&rows, &messages](platform::DialogModel& m) {
        auto& f = dynamic_cast<TForm_preview&>(m);
        rows.push_back(f.RowCount()), messages = error0.ErrorCount;
        return f.SelectCell(2, 0) == platform::DialogAction::Accept ? platform::DialogResult::Ok
                                                                    : platform::DialogResult::Cancel;
    });
    headless->HeadlessDialogs().QueueScript([](platform::DialogModel& m) { // then the unreadable c.qy7
        dynamic_cast<TForm_preview&>(m).SelectCell(3, 0);
        return platform::DialogResult::Ok;
    });
    headless->HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    int refreshed = 0;
    ProjectTableCommand([&refreshed] { ++refreshed; });
    EXPECT_EQ(headless->HeadlessDialogs().ShownDialogs().size(), 3u) << "the table came back after the open";
    EXPECT_EQ(rows, std::vector<int>{4});
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(AskedAt(Boxes()),
              "file " + dir.string() + "/c.qy7 line 1: \"" + std::string(65, '-') + "\" expected !");
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(telmvar.ProjectName, "b");
    EXPECT_EQ(IntToText(PlanetaryGears.z[4]), b.z[4]);
    EXPECT_FALSE(telmvar.DataModified);
}

TEST_F(ProjectTable, CancelLeavesTheOpenProjectAsItWas)
{
    // Same bytes, name and unsaved mark after a cancelled table ("No" to
    // saving gave nothing up yet), for a project opened by name and one
    // started from its path; the save question at the end names the file
    // as the first one did.
    CopyExamples();
    const std::string path = (dir / "b.qy7").string();
    for (bool started : {false, true})
        for (bool unsaved : {false, true}) {
            Alone("b.qy7");
            const std::string name = started ? path : "b";
            std::tie(telmvar.ProjectName, telmvar.DataModified, telmvar.ArchiveMode) =
                std::tuple(name, unsaved, started);
            PlanetaryGears.x[1] += 0.125L; // input the files do not hold
            telmvar.RemarkLines[2] = "handout week 3";
            CalcPlanetaryStage();
            ASSERT_TRUE(WriteProjectData(dir.string() + "/before.txt"));
            if (unsaved) headless->HeadlessMessages().QueueAnswer(platform::MessageAnswer::No);
            ProjectTableCommand([] { FAIL() << "nothing was opened"; }); // the table answers Cancel
            ASSERT_TRUE(WriteProjectData(dir.string() + "/after.txt"));
            EXPECT_EQ(ReadWholeFile(dir / "after.txt"), ReadWholeFile(dir / "before.txt"));
            EXPECT_TRUE(telmvar.ProjectName == name && telmvar.DataModified == unsaved);
            if (!unsaved) continue;
            headless->HeadlessMessages().QueueAnswer(platform::MessageAnswer::Cancel);
            QuerySaveChanges();
            const auto boxes = Boxes();
            ASSERT_GE(boxes.size(), 2u);
            EXPECT_EQ(boxes.back(), "Save file (" + path + ") ?");
            EXPECT_EQ(boxes[boxes.size() - 2], boxes.back());
        }
}

TEST_F(ProjectTable, SpreadsheetCommands)
{
    auto& launcher = headless->HeadlessLauncher();
    telmvar.ProjectName.clear();
    StartExcel();
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(AskedAt(Boxes(), 0),
              "You must save your input data before you can use Excel interface (Menu \"File -> Save\")");

    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/default.qy7", dir / "a.qy7");
    telmvar.ProjectName = "a";
    launcher.HasApplication = false;
    telmvar.Aborted = false;
    StartExcel();
    EXPECT_TRUE(telmvar.Aborted);
    const std::string why = "Could not start Excel:\r\nthe desktop names no program for text/csv documents";
    EXPECT_EQ(AskedAt(Boxes()), why);
    PrintoutViaExcel(3);
    EXPECT_EQ(AskedAt(Boxes()), why);
    EXPECT_EQ(Boxes().size(), 3u);
    launcher.HasApplication = true;
    telmvar.Aborted = false;
    StartExcel();
    EXPECT_FALSE(telmvar.Aborted);

    // The project file's lines, in order, one per row of the sheet.
    wtelmvar.ExcelDecimalMode = 2;
    telmvar.DataModified = false;
    ExportToExcel();
    ASSERT_FALSE(telmvar.Aborted);
    ASSERT_FALSE(launcher.Launches().empty());
    const std::string csv = launcher.Launches().back().Document;
    std::ifstream project(dir / "a.qy7", std::ios::binary);
    int lines = 0;
    for (std::string l; std::getline(project, l);)
        ++lines;
    const std::string check =
        "/usr/bin/python3 -c \"import csv,sys; f=open(sys.argv[1],encoding='utf-8-sig',newline='');"
        " r=list(csv.reader(f,delimiter=';')); sys.exit(0 if len(r)==int(sys.argv[2]) and"
        " r[0][0].startswith('---') and r[7][0].startswith('100,') else 1)\" '" +
        csv + "' " + std::to_string(lines);
    EXPECT_EQ(std::system(check.c_str()), 0) << csv;

    // The report goes through the text device 6 file; the settings stay.
    CalcPlanetaryStage();
    wtelmvar.TextDevice = 2;
    wtelmvar.TextDeviceDialog = true;
    const std::size_t before = launcher.Launches().size();
    PrintoutViaExcel(3);
    EXPECT_EQ(wtelmvar.TextDevice, 2);
    EXPECT_TRUE(wtelmvar.TextDeviceDialog);
    ASSERT_EQ(launcher.Launches().size(), before + 1);
    EXPECT_NE(launcher.Launches().back().Document.find("$$"), std::string::npos);
}
