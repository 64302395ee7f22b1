// Every file a command of the window writes at the user's request, on a disk
// that takes no more than 16 bytes of a file: a box names the file and the
// system's reason, the old file stays as it was and nothing is left beside it.
#include "app/configdialog.h"
#include "app/mainmenu.h"
#include "appfixture.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "gearpair/gearpairdata.h"
#include "reports/messages/messagelist.h"
#include "testcommands.h"
#include "xbase/ui/tablebrowser.h"

#include <clocale>
#include <csignal>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

class FailedWrite : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        InstallPlatformServices();
        telmvar.DataDir = telmvar.TempDir = dir.string() + "/";
        messageboxes.OverwriteQuery = false;
        hh.Attach(headless->MainWindow());
    }
    // The boxes Command showed, run in a child process whose files may not
    // grow beyond 16 bytes, its system texts in English.
    std::string BoxesOfLimitedRun(const std::function<void()>& Command)
    {
        int fds[2];
        if (pipe(fds) != 0) return "no pipe";
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            std::setlocale(LC_ALL, "C");
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit {
            };
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 16;
            setrlimit(RLIMIT_FSIZE, &limit);
            Command();
            std::string out;
            for (const auto& b : Boxes())
                out += b + "\n";
            for (std::size_t at = 0; at < out.size();) {
                const ssize_t n = write(fds[1], out.data() + at, out.size() - at);
                if (n <= 0) break;
                at += static_cast<std::size_t>(n);
            }
            _exit(0);
        }
        close(fds[1]);
        std::string got;
        char buf[4096];
        for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
            got.append(buf, static_cast<std::size_t>(n));
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        return got;
    }
    TTestCommands hh;
};

TEST_F(FailedWrite, EachCommandNamesTheFileAndTheReasonAndKeepsTheOldFile)
{
    auto& files = headless->HeadlessFiles();
    const auto answer = [&](const char* File) { files.QueueAnswer((dir / File).string()); };
    fs::copy_file(std::string(QYR7_DATA_DIR) + "/qyrwst.dbf", dir / "table.dbf");
    std::ofstream(dir / "p.qy7") << "a project of more than sixteen bytes\r\n";
    telmvar.ProjectName = "p";
    const auto browse = [&](const char* Item) {
        dbf4.OpenTable((dir / "table.dbf").string());
        TDbfBrowserModel m;
        TDbfBrowserForm(m).Press(Item);
    };
    const std::pair<std::string, std::function<void()>> cases[] = {
        {"duty.kol",
         [&] {
             GearPair.LoadSpectrumCount = 1;
             GearPair.LoadSpectrum[1] = {1000, 50};
             answer("duty.kol"), TForm_qyrlk1().Press("mi_fileExport");
         }},
        {"stage.txt",
         [&] {
             wtelmvar.TextDevice = 3;
             wtelmvar.TextDeviceDialog = false;
             answer("stage.txt"), hh.Click("mi_printgeometriefestigkeit");
         }},
        {telmvar.ProgramFileStem + ".cfg", [] { Tconfig().Press("Button_save"); }},
        {"export.cfg", [&] { answer("export.cfg"), Tconfig().Press("Button_export"); }},
        {"table.htm", [&] { answer("table.htm"), browse("mi_fileExportHtml"); }},
        {"table.txt", [&] { answer("table.txt"), browse("mi_fileSaveAsDelimited"); }},
        {telmvar.ProgramFileStem + ".err",
         [&] {
             telmvar.PltDir = dir.string() + "/";
             SaveMessageHelp("old", "where the message comes from", "what helps");
         }},
        {"p.csv",
         [&] {
             mainmenu.Find("mi_oleExportExcel")->Enabled = true;
             hh.Click("mi_oleExportExcel");
         }},
    };
    for (const auto& [file, command] : cases) {
        std::ofstream(dir / file, std::ios::binary) << "old";
        std::set<fs::path> before(fs::directory_iterator(dir), {});
        const std::string boxes = BoxesOfLimitedRun(command);
        EXPECT_NE(boxes.find("file " + (dir / file).string() + " cannot be written: File too large"),
                  std::string::npos)
            << file << " showed:\n"
            << boxes;
        EXPECT_EQ(boxes.find("written to"), std::string::npos) << file << ": success reported";
        std::ostringstream kept;
        kept << std::ifstream(dir / file, std::ios::binary).rdbuf();
        EXPECT_EQ(kept.str(), "old") << file;
        EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(dir), {}), before) << file << ": left beside it";
    }
}
