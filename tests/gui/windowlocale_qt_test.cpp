// The window under a user's locale with a decimal comma computes, shows and
// saves the numbers it does under C. The toolkit sets the process's locale
// from the environment when its application object is made, and the GUI
// tests share one such object: each window here is the program's own start
// in a process of its own (this test program run again), which saves the
// project and closes once its event loop runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "app/startup.h"
#include "common/tempdir.h"
#include "common/testlocales.h"
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "main/windowentry.h"

#include <QtWidgets>

#include <chrono>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace
{

// The child's directory and its one command-line parameter.
const char* const ChildDir = "QYR7_TEST_WINDOW_DIR";
const char* const ChildArg = "QYR7_TEST_WINDOW_ARG";

std::string ReadAll(const fs::path& File)
{
    std::ifstream in(File, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Once the window's event loop runs: the numeric locale, and every text of
// the picture, into "shown.txt". Then the user's part: the usage text's
// screen is closed; on the project File > Save, then Exit.
void ShowSaveAndExit()
{
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool usage = std::string(std::getenv(ChildArg)) == "/?";
        if (usage ? modal == nullptr : QThread::currentThread()->loopLevel() != 1 || modal != nullptr) return;
        poll->stop();
        std::ofstream shown("shown.txt", std::ios::binary);
        shown << std::setlocale(LC_NUMERIC, nullptr) << '\n';
        for (const std::string_view record : DisplayList.Records) {
            const TDisplayRecord r = ParseDisplayRecord(record);
            if (r.Kind == static_cast<int>(TRecordKind::Text)) shown << r.Text << '\n';
        }
        shown.close();
        if (usage) modal->close();
        for (const char* item : {"mi_FileSave", "mi_fileexit"})
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* a = w->findChild<QAction*>(item)) a->trigger();
    });
    poll->start(50);
}

// The child: what the program's entry does before it opens the window, then
// the window. Ends the process with the window's exit code.
[[noreturn]] void RunWindowIn(const std::string& Dir)
{
    if (::chdir(Dir.c_str()) != 0) std::_Exit(126);
    InitProgramLoadDefaults();
    InitProgramIdentity();
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    static std::string arg = std::getenv(ChildArg);
    static char program[] = "wqyr7";
    static char* argv[] = {program, arg.data(), nullptr};
    const TCommandLine cmd = ParseCommandLine({arg});
    qAddPreRoutine(ShowSaveAndExit);
    const int code = Qyr7RunWindow(2, argv, &cmd);
    std::fflush(nullptr);
    std::_Exit(code);
}

struct TWindowRun {
    int Status = -1;
    std::string NumericLocale, Picture, Saved, Log;
};

// Runs this test again in a child under the locale setting Locale, in Dir
// with a copy of the industrial example, with the command-line parameter Arg.
pid_t StartWindow(const fs::path& Dir, const std::string& Locale, const std::string& Arg = "industrial.qy7")
{
    fs::create_directories(Dir);
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7", Dir / "industrial.qy7");
    // Nothing of the caller's environment: the locale is the one given.
    std::vector<std::string> env = {std::string(ChildDir) + "=" + Dir.string(),
                                    std::string(ChildArg) + "=" + Arg,
                                    "QT_QPA_PLATFORM=offscreen",
                                    "HOME=" + Dir.string(),
                                    "XDG_RUNTIME_DIR=" + Dir.string(),
                                    "TMPDIR=" + Dir.string(),
                                    std::string("LOCPATH=") + QYR7_LOCALE_DIR,
                                    Locale};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string filter = std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char self[] = "/proc/self/exe";
    char* argv[] = {self, filter.data(), nullptr};
    const int log = ::open((Dir / "log.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (int fd : {1, 2})
        ::dup2(log, fd);
    ::execve(self, argv, envp.data());
    ::_exit(127);
}

// Waits for the child until Deadline, then kills it: a window that waits for
// an answer fails the test rather than hangs it.
TWindowRun FinishWindow(pid_t Pid, const fs::path& Dir, std::chrono::steady_clock::time_point Deadline)
{
    TWindowRun run;
    int status = 0;
    while (std::chrono::steady_clock::now() < Deadline && ::waitpid(Pid, &status, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (::waitpid(Pid, &status, WNOHANG) == 0) {
        ::kill(Pid, SIGKILL);
        ::waitpid(Pid, &status, 0);
    }
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // The texts that are not blank, the picture's head line (which holds the
    // time) left out.
    std::istringstream shown(ReadAll(Dir / "shown.txt"));
    std::getline(shown, run.NumericLocale);
    for (std::string line; std::getline(shown, line);)
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.find("industrial.qy7") == std::string::npos)
            run.Picture += line.substr(line.find_first_not_of(' ')) + " ";
    run.Saved = ReadAll(Dir / "industrial.qy7");
    run.Log = ReadAll(Dir / "log.txt");
    return run;
}

} // namespace

TEST(WindowUnderADecimalComma, ComputesShowsAndSavesTheNumbersOfTheCLocale)
{
    if (const char* dir = std::getenv(ChildDir)) RunWindowIn(dir);
    {
        const testlocales::ScopedLocale german("de_DE.UTF-8");
        ASSERT_TRUE(german.Ok()) << "the test locale de_DE.UTF-8 is missing";
    }
    const testdirs::ScopedTempDir scratch{"winlocale"};
    const fs::path c = fs::path(scratch.Path()) / "c", de = fs::path(scratch.Path()) / "de";
    const fs::path usage = fs::path(scratch.Path()) / "usage";
    const pid_t cPid = StartWindow(c, "LC_ALL=C"), dePid = StartWindow(de, "LANG=de_DE.UTF-8");
    const pid_t usagePid = StartWindow(usage, "LANG=de_DE.UTF-8", "/?");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    const TWindowRun inC = FinishWindow(cPid, c, deadline), inGerman = FinishWindow(dePid, de, deadline);
    const TWindowRun usageText = FinishWindow(usagePid, usage, deadline);
    for (const auto* run : {&inC, &inGerman, &usageText})
        ASSERT_EQ(run->Status, 0) << run->Log;
    EXPECT_EQ(inGerman.NumericLocale, "C") << "the running window's numeric locale";
    EXPECT_EQ(usageText.NumericLocale, "C") << "the usage text's numeric locale";
    // The numbers of the batch: its report's KA F, the safeties of its stage
    // drawing (rows S, Pi, Pe, H).
    for (const auto* run : {&inC, &inGerman}) {
        EXPECT_THAT(run->Picture, HasSubstr("KA F 0.84 "));
        EXPECT_THAT(run->Picture, HasSubstr("SF-SPi 5.65 3.30 SF-PiPe 3.30 3.30 SF-PeH 3.62 3.68 "));
    }
    EXPECT_EQ(inGerman.Picture, inC.Picture);
    EXPECT_EQ(inGerman.Saved, inC.Saved);
    EXPECT_NE(inC.Saved, ReadAll(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7"))
        << "the window saved the project";
}
