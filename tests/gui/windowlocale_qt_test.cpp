// The window under a user's locale with a decimal comma computes, shows and
// saves the numbers it does under C. The toolkit sets the process's locale
// when its application object is made, and the GUI tests share one: each
// window here is the program's own start in this test program run again,
// which saves the project and closes once its event loop runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "app/runprogram.h"
#include "app/startup.h"
#include "common/tempdir.h"
#include "common/testlocales.h"
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "main/windowentry.h"

#include <QtWidgets>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace
{

// The child's one command-line parameter.
const char* const ChildArg = "QYR7_TEST_WINDOW_ARG";
const fs::path Example = fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7";

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
[[noreturn]] void RunWindowInChild(std::string Arg)
{
    InitProgramLoadDefaults();
    InitProgramIdentity();
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    static char program[] = "wqyr7";
    char* argv[] = {program, Arg.data(), nullptr};
    const TCommandLine cmd = ParseCommandLine({Arg});
    qAddPreRoutine(ShowSaveAndExit);
    const int code = Qyr7RunWindow(2, argv, &cmd);
    std::fflush(nullptr);
    std::_Exit(code);
}

struct TWindowRun {
    TProgramRun Run;
    std::string NumericLocale, Picture, Saved;
};

// Runs this test again as the window under LC_ALL=Locale, in Dir with a copy of the industrial example, with
// the parameter Arg. The picture: its texts that are not blank, without the head line that holds the time.
TWindowRun RunWindow(const fs::path& Dir, const std::string& Locale,
                     const std::string& Arg = "industrial.qy7")
{
    fs::create_directories(Dir);
    fs::copy_file(Example, Dir / "industrial.qy7");
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    TWindowRun w;
    w.Run = RunProgram(Dir, {std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()},
                       {std::string(ChildArg) + "=" + Arg, "QT_QPA_PLATFORM=offscreen",
                        "XDG_RUNTIME_DIR=" + Dir.string(), "TMPDIR=" + Dir.string(),
                        std::string("LOCPATH=") + QYR7_LOCALE_DIR, "LC_ALL=" + Locale});
    std::istringstream shown(ReadWholeFile(Dir / "shown.txt"));
    std::getline(shown, w.NumericLocale);
    for (std::string line; std::getline(shown, line);)
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.find("industrial.qy7") == std::string::npos)
            w.Picture += line.substr(line.find_first_not_of(' ')) + " ";
    w.Saved = ReadWholeFile(Dir / "industrial.qy7");
    return w;
}

} // namespace

TEST(WindowUnderADecimalComma, ComputesShowsAndSavesTheNumbersOfTheCLocale)
{
    if (const char* arg = std::getenv(ChildArg)) RunWindowInChild(arg);
    ASSERT_TRUE(testlocales::ScopedLocale("de_DE.UTF-8").Ok()) << "the test locale de_DE.UTF-8 is missing";
    const testdirs::ScopedTempDir scratch{"winlocale"};
    const fs::path dir = scratch.Path();
    const TWindowRun inC = RunWindow(dir / "c", "C"), inGerman = RunWindow(dir / "de", "de_DE.UTF-8");
    const TWindowRun usageText = RunWindow(dir / "usage", "de_DE.UTF-8", "/?");
    for (const auto* w : {&inC, &inGerman, &usageText})
        ASSERT_EQ(w->Run.ExitCode, 0) << w->Run.Out << w->Run.Err;
    EXPECT_EQ(inGerman.NumericLocale, "C") << "the running window's numeric locale";
    EXPECT_EQ(usageText.NumericLocale, "C") << "the usage text's numeric locale";
    // The numbers of the batch: its report's KA F, the safeties of its stage
    // drawing (rows S, Pi, Pe, H).
    for (const auto* w : {&inC, &inGerman}) {
        EXPECT_THAT(w->Picture, HasSubstr("KA F 0.84 "));
        EXPECT_THAT(w->Picture, HasSubstr("SF-SPi 5.53 3.23 SF-PiPe 3.23 3.23 SF-PeH 3.53 3.59 "));
    }
    EXPECT_EQ(inGerman.Picture, inC.Picture);
    EXPECT_EQ(inGerman.Saved, inC.Saved);
    EXPECT_NE(inC.Saved, ReadWholeFile(Example)) << "the window saved the project";
}
