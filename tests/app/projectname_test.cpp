// The project's file name survives what the window does with it: a report on
// any device and a load spectrum read or written leave it as it was, so Save
// writes the file that was opened and no other; a file that the project
// could not be saved back to is not opened at all.
#include "app/maincommands.h"
#include "app/projectcommands.h"
#include "app/projecttable.h"
#include "appfixture.h"
#include "dialogs/dialogservices.h"
#include "foundation/programsettings.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "reports/preview/filepreview.h"
#include "testcommands.h"

namespace fs = std::filesystem;

namespace
{

const std::string Other = "another project\r\n";

class ProjectName : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        InstallPlatformServices();
        d = dir.string();
        telmvar.DataDir = d + "/";
        telmvar.TempDir = d + "/";
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.MessagesEnabled = true;
        ResetDialogServices();
    }
    platform::FileDialogsImplHeadless& Files() { return headless->HeadlessFiles(); }

    std::string d;
    TTestCommands hh;
};

// Opened by the dialog, or named on the command line (the name is then the
// path as given); a report or spectrum file goes to out/, which holds a
// project of the same name too.
struct OutputCase {
    const char* What;
    int Device;           // report device of the printout; 0: the load spectrum
    std::string Answer;   // the save or open dialog's file, below the test folder
    bool Browser = false; // the HTML device shows the page with a browser
    // The question asked: overwrite the file of the round before? Or
    // single page printing? (No: no paper to insert.)
    platform::MessageAnswer Asked = platform::MessageAnswer::Yes;
};
const OutputCase Outputs[] = {
    {"screen", 1, ""},
    {"text printer", 2, "", false, platform::MessageAnswer::No},
    {"file", 3, "/out/r.txt"},
    {"printer", 4, ""},
    {"word processor", 5, ""},
    {"text file", 6, ""},
    {"HTML file", 7, "/out/r.htm"},
    {"HTML in a browser", 7, "", true},
    {"spectrum written", 0, "/out/s.kol"},
    {"spectrum read", 0, "/out/s.kol"},
};

} // namespace

TEST_F(ProjectName, SaveAfterAnyOutputWritesTheOpenedFile)
{
    const std::string mine = d + "/ p.qy7";
    fs::create_directory(d + "/out");
    // A stage calculated without a message: the printout is made.
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/industrial.qy7", mine);
    for (const bool archive : {false, true})
        for (const OutputCase& c : Outputs) {
            SCOPED_TRACE(std::string(c.What) + (archive ? ", named on the command line" : ""));
            for (const std::string other : {"/p.qy7", "/out/ p.qy7", "/out/p.qy7"})
                WriteWholeFile(d + other, Other);
            telmvar.ArchiveMode = false;
            telmvar.DataDir = d + "/";
            if (archive) {
                ReadProjectFile(mine);
                telmvar.ProjectName = mine;
                telmvar.ArchiveMode = true;
                telmvar.DataDir.clear();
            } else {
                Files().QueueAnswer(mine);
                ASSERT_TRUE(hh.Click("mi_fileOpen"));
            }
            ASSERT_FALSE(telmvar.Aborted);
            if (!c.Answer.empty()) Files().QueueAnswer(d + c.Answer);
            headless->HeadlessMessages().Reset();
            for (int k = 0; k < 2; ++k) // the dialog and the report each check the name
                headless->HeadlessMessages().QueueAnswer(c.Asked);
            wtelmvar.TextDevice = static_cast<uint16_t>(c.Device);
            wtelmvar.TextDeviceDialog = false;
            wtelmvar.HtmlBrowserPath = c.Browser ? "/bin/true" : "";
            if (c.Device > 0)
                hh.Click("mi_printgeometriefestigkeit");
            else if (std::string(c.What) == "spectrum written")
                SaveLoadSpectrum("");
            else
                ReadLoadSpectrum("");
            EXPECT_FALSE(telmvar.Aborted) << "the output was made";
            telmvar.Aborted = false;
            headless->HeadlessMessages().Reset();
            telmvar.DataModified = true;
            headless->HeadlessMessages().QueueAnswer(platform::MessageAnswer::Cancel);
            QuerySaveChanges();
            EXPECT_EQ(Boxes().back(), "Save file (" + mine + ") ?");
            telmvar.Aborted = false;
            PlanetaryGears.StageText = c.What;
            ASSERT_TRUE(hh.Click("mi_FileSave"));
            EXPECT_NE(ReadWholeFile(mine).find(c.What), std::string::npos) << "the opened file is written";
            for (const std::string other : {"/p.qy7", "/out/ p.qy7", "/out/p.qy7"})
                EXPECT_EQ(ReadWholeFile(d + other), Other) << other << " was written";
        }
}

// A chosen file whose name, kept without its extension, leads to another
// file is refused by name and reason, whichever way it is chosen.
TEST_F(ProjectName, AFileThatCouldNotBeSavedBackIsNotOpened)
{
    const std::string End = "its name does not end in \".qy7\", so a Save would write another file";
    const std::pair<std::string, std::string> cases[] = {
        {"b.qy7 ", End},
        {"b.QY7", End},
        {"b.txt", End},
        {"a.b.qy7", "its name holds another \".\", so a Save would write another file"},
        {"a\\b.qy7", "\"\\\" is read as a directory separator"},
    };
    fs::create_directory(d + "/a");
    ASSERT_TRUE(WriteProjectData(d + "/b.qy7"));
    ASSERT_TRUE(WriteProjectData(d + "/a/b.qy7"));
    for (const auto& [name, why] : cases)
        for (const char* way : {"dialog", "recent list", "project table"}) {
            SCOPED_TRACE(name + ", " + way);
            WriteWholeFile(d + "/" + name, Other);
            telmvar.ProjectName = PlanetaryGears.StageText = "current";
            telmvar.DataDir = d + "/";
            telmvar.DataModified = false;
            headless->HeadlessMessages().Reset();
            if (std::string(way) == "dialog") {
                Files().QueueAnswer(d + "/" + name);
                hh.Click("mi_fileOpen");
            } else if (std::string(way) == "recent list") {
                wtelmvar.RecentFiles[1] = d + "/" + name;
                ShowRecentFiles();
                hh.Click("mi_file1");
            } else {
                // The table lists the names that end in ".qy7" in any case.
                if (!name.ends_with(".qy7") && !name.ends_with(".QY7")) continue;
                headless->HeadlessDialogs().QueueScript([&name](platform::DialogModel& m) {
                    auto& f = dynamic_cast<TForm_preview&>(m);
                    for (int r = 1; r < f.RowCount(); ++r)
                        if (f.Cell(r, 0) == name) f.SelectCell(r, 0);
                    return platform::DialogResult::Ok;
                });
                headless->HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
                ProjectTableCommand({});
            }
            ASSERT_FALSE(Boxes().empty());
            EXPECT_EQ(Boxes().back(), "file \"" + d + "/" + name + "\" not opened: " + why);
            EXPECT_EQ(telmvar.ProjectName, "current");
            EXPECT_EQ(PlanetaryGears.StageText, "current") << "nothing was read";
            EXPECT_EQ(telmvar.DataDir, d + "/");
            fs::remove(d + "/" + name);
        }
}

// The project in memory is still the one before: so is its name.
TEST_F(ProjectName, AFileThatCannotBeReadLeavesTheNameAlone)
{
    fs::create_directory(d + "/sub");
    WriteWholeFile(d + "/sub/broken.qy7", Other);
    telmvar.ProjectName = "current";
    Files().QueueAnswer(d + "/sub/broken.qy7");
    hh.Click("mi_fileOpen");
    EXPECT_TRUE(telmvar.ProjectName == "current" && telmvar.DataDir == d + "/") << telmvar.DataDir;
}
