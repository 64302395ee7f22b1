// The project's file name survives what the window does with it: a report on
// any device and a load spectrum read or written leave it as it was, so Save
// writes the file that was opened and no other; a file that could not be
// saved back to, or that cannot be read, is not opened at all.
#include "app/maincommands.h"
#include "app/projectcommands.h"
#include "app/projecttable.h"
#include "appfixture.h"
#include "common/askedboxes.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "reports/engine/reportengine.h"
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
        StartWindow();
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.MessagesEnabled = true;
        d = dir.string();
    }
    platform::FileDialogsImplHeadless& Files() { return headless->HeadlessFiles(); }

    std::string d;
    TTestCommands hh;
};

} // namespace

TEST_F(ProjectName, SaveAfterAnyOutputWritesTheOpenedFile)
{
    // The file dialog's answer (below the test folder) is in out/, beside a
    // project of the same name. The question asked (overwrite the file of the
    // round before? single page printing?) is answered Yes or No.
    const struct {
        const char* What;
        int Device; // report device of the printout; 0: the load spectrum
        std::string Answer;
        bool Browser = false;
        platform::MessageAnswer Asked = platform::MessageAnswer::Yes;
    } outputs[] = {{"screen", 1, ""},
                   {"text printer", 2, "", false, platform::MessageAnswer::No},
                   {"file", 3, "/out/r.txt"},
                   {"printer", 4, ""},
                   {"word processor", 5, ""},
                   {"text file", 6, ""},
                   {"HTML file", 7, "/out/r.htm"},
                   {"HTML in a browser", 7, "", true},
                   {"spectrum written", 0, "/out/s.kol"},
                   {"spectrum read", 0, "/out/s.kol"}};
    reportengine.PrinterPortCommand = "lp"; // the text printer's port takes the report
    const std::string mine = d + "/ p.qy7";
    const char* const others[] = {"/p.qy7", "/out/ p.qy7", "/out/p.qy7"};
    fs::create_directory(d + "/out");
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/industrial.qy7",
                  mine);                     // calculated without a message
    for (const bool archive : {false, true}) // opened by the dialog or named on the command line
        for (const auto& c : outputs) {
            SCOPED_TRACE(std::string(c.What) + (archive ? ", named on the command line" : ""));
            for (const char* other : others)
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
            EXPECT_EQ(AskedAt(Boxes()), "Save file (" + mine + ") ?");
            telmvar.Aborted = false;
            PlanetaryGears.StageText = c.What;
            ASSERT_TRUE(hh.Click("mi_FileSave"));
            EXPECT_NE(ReadWholeFile(mine).find(c.What), std::string::npos) << "the opened file is written";
            for (const char* other : others)
                EXPECT_EQ(ReadWholeFile(d + other), Other) << other << " was written";
        }
}

// Refused by name and reason whichever way it is chosen: a file whose name,
// kept without its extension, leads to another file. A file that cannot be
// read (in sub/, so the directory would change) leaves the name alone too.
TEST_F(ProjectName, AFileThatCouldNotBeSavedBackOrReadIsNotOpened)
{
    const std::string End = "its name does not end in \".qy7\", so a Save would write another file";
    const std::pair<std::string, std::string> cases[] = {
        {"b.qy7 ", End},
        {"b.QY7", End},
        {"b.txt", End},
        {"a.b.qy7", "its name holds another \".\", so a Save would write another file"},
        {"a\\b.qy7", "\"\\\" is read as a directory separator"},
        {"sub/broken.qy7", ""},
    };
    fs::create_directory(d + "/a");
    fs::create_directory(d + "/sub");
    ASSERT_TRUE(WriteProjectData(d + "/b.qy7"));
    ASSERT_TRUE(WriteProjectData(d + "/a/b.qy7"));
    for (const auto& [name, why] : cases)
        for (const std::string way : {"dialog", "recent list", "project table"}) {
            // The table lists the names that end in ".qy7" in any case.
            if (way == "project table" && !name.ends_with(".qy7") && !name.ends_with(".QY7")) continue;
            if (why.empty() && way != "dialog") continue;
            SCOPED_TRACE(name + ", " + way);
            WriteWholeFile(d + "/" + name, Other);
            telmvar.ProjectName = PlanetaryGears.StageText = "current";
            telmvar.DataDir = d + "/";
            telmvar.ArchiveMode = true;
            telmvar.DataModified = false;
            headless->HeadlessMessages().Reset();
            if (way == "dialog") {
                Files().QueueAnswer(d + "/" + name);
                hh.Click("mi_fileOpen");
            } else if (way == "recent list") {
                wtelmvar.RecentFiles[1] = d + "/" + name;
                ShowRecentFiles();
                hh.Click("mi_file1");
            } else {
                headless->HeadlessDialogs().QueueScript([&name](platform::DialogModel& m) {
                    auto& f = dynamic_cast<TForm_preview&>(m);
                    for (int r = 1; r < f.RowCount(); ++r)
                        if (f.Cell(r, 0) == name) f.SelectCell(r, 0);
                    return platform::DialogResult::Ok;
                });
                headless->HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
                ProjectTableCommand({});
            }
            if (!why.empty()) {
                ASSERT_FALSE(Boxes().empty());
                EXPECT_EQ(AskedAt(Boxes()), "file \"" + d + "/" + name + "\" not opened: " + why);
            }
            EXPECT_EQ(std::tie(telmvar.ProjectName, PlanetaryGears.StageText, telmvar.DataDir),
                      std::make_tuple("current", "current", d + "/"));
            EXPECT_TRUE(telmvar.ArchiveMode);
            fs::remove(d + "/" + name);
        }
}
