// Every file a command of the window writes at the user's request, on a disk
// that takes no more than 16 bytes of a file: a box names the file and the
// system's reason, the old file stays as it was and nothing is left beside it.
#include "app/configdialog.h"
#include "app/mainmenu.h"
#include "appfixture.h"
#include "common/testlocales.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "gearpair/gearpairdata.h"
#include "reports/messages/messagelist.h"
#include "testcommands.h"
#include "xbase/ui/tablebrowser.h"

class FailedWrite : public AppTest
{
};

TEST_F(FailedWrite, EachCommandNamesTheFileAndTheReasonAndKeepsTheOldFile)
{
    StartWindow();
    messageboxes.OverwriteQuery = false;
    TTestCommands hh;
    hh.Attach(headless->MainWindow());
    const testlocales::ScopedLocale c("C");
    std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/qyrwst.dbf", dir / "table.dbf");
    WriteWholeFile(dir / "p.qy7", "a project of more than sixteen bytes\r\n");
    telmvar.ProjectName = "p";
    telmvar.PltDir = dir.string() + "/";
    wtelmvar.TextDevice = 3;
    wtelmvar.TextDeviceDialog = false;
    mainmenu.Find("mi_oleExportExcel")->Enabled = true;
    const auto browse = [&](const char* Item) {
        dbf4.OpenTable((dir / "table.dbf").string());
        TDbfBrowserModel m;
        TDbfBrowserForm(m).Press(Item);
    };
    // The printout first: the spectrum below is one the stage calculation refuses.
    const std::pair<std::string, std::function<void()>> cases[] = {
        {"stage.txt", [&] { hh.Click("mi_printgeometriefestigkeit"); }},
        {"duty.kol",
         [] {
             GearPair.LoadSpectrumCount = 1;
             GearPair.LoadSpectrum[1] = {1000, 50};
             TForm_qyrlk1().Press("mi_fileExport");
         }},
        {telmvar.ProgramFileStem + ".cfg", [] { Tconfig().Press("Button_save"); }},
        {"export.cfg", [] { Tconfig().Press("Button_export"); }},
        {"table.htm", [&] { browse("mi_fileExportHtml"); }},
        {"table.txt", [&] { browse("mi_fileSaveAsDelimited"); }},
        {telmvar.ProgramFileStem + ".err",
         [] { SaveMessageHelp("old", "where it comes from", "what helps"); }},
        {"p.csv", [&] { hh.Click("mi_oleExportExcel"); }},
    };
    for (const auto& [file, command] : cases) {
        SCOPED_TRACE(file);
        WriteWholeFile(dir / file, "old");
        const auto before = DirNames(dir);
        headless->HeadlessMessages().Reset();
        headless->HeadlessFiles().Reset();
        headless->HeadlessFiles().QueueAnswer((dir / file).string()); // where a dialog asks
        WithFileSizeLimit(16, command);
        std::string boxes;
        for (const auto& b : Boxes())
            boxes += b + "\n";
        EXPECT_NE(boxes.find("file " + (dir / file).string() + " cannot be written: File too large"),
                  std::string::npos)
            << boxes;
        EXPECT_EQ(boxes.find("written to"), std::string::npos) << "success reported";
        EXPECT_EQ(ReadWholeFile(dir / file), "old");
        EXPECT_EQ(DirNames(dir), before) << "left beside it";
    }
}
