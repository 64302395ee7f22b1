// Program entry of wqyr7. The command line decides once how the program
// runs: the usage text, a batch run, or the main window. A batch run must
// never wait for a window: the text and CAD batch modes, a run with /NOGUI
// anywhere on the line, and a run without a display never start the toolkit;
// their questions get the safe answer and their messages go to stderr.
//
// The toolkit is not even loaded for them: the window, with every Qt form,
// is the module wqyr7_qt.so beside the program, opened only when a window
// is to be shown. A batch run starts in a fraction of the time and memory
// that mapping the toolkit's libraries costs.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "app/startup.h"
#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "foundation/signalcleanup.h"
#include "foundation/textutil.h"
#include "main/windowentry.h"
#include "platform/codepage.h"
#include "platform/platform.h"

namespace
{

bool DisplayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

void PrintLine(const std::string& line)
{
    std::printf("%s\n", platform::Cp1252ToUtf8(line).c_str());
}

bool IsBatchMode(TStartMode mode)
{
    return mode == TStartMode::TextBatch || mode == TStartMode::CadBatch;
}

#ifdef QYR7_WINDOW_MODULE
// The window module beside the program file (the build tree and an
// installation alike), whatever the current directory.
std::string WindowModulePath()
{
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::size_t slash = self.rfind('/');
    return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/" + QYR7_WINDOW_MODULE;
}

// Loads the window module and runs the program with its window. A module
// that cannot be loaded is named on standard error: nothing is shown, and
// the exit code says the window is not available.
int RunWithWindow(int argc, char** argv, const TCommandLine& cmd)
{
    const std::string path = WindowModulePath();
    // The toolkit's threads start with the signals that end a run held off
    // (the window lets them in again on this thread once the toolkit runs):
    // only this thread takes them.
    HoldCleanupSignals(true);
    // Every symbol now: a module that does not fit this program fails here,
    // not in the middle of a command.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        HoldCleanupSignals(false);
        const char* why = ::dlerror();
        // The loader's reason names the module by its path.
        ReportStartFailure("the window cannot be opened: " + FileNameToOem(why ? why : path));
        return ExitNotAvailable;
    }
    using TWindowEntry = int (*)(int, char**, const TCommandLine*);
    const auto entry = reinterpret_cast<TWindowEntry>(::dlsym(module, WindowEntryName));
    if (entry == nullptr) {
        HoldCleanupSignals(false);
        ReportStartFailure("the window cannot be opened: " + FileNameToOem(path) + " has no " +
                           WindowEntryName);
        return ExitNotAvailable;
    }
    // The module stays loaded to the end of the process: the toolkit's
    // objects and handlers outlive the call.
    return entry(argc, argv, &cmd);
}
#endif

} // namespace

int main(int argc, char** argv)
{
    SetUpRunSignals();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    SetCommandLineParams(argc, argv);

    InitProgramLoadDefaults();
    InitProgramIdentity();
    const TCommandLine cmd = ParseCommandLine(args);
    // A mistyped switch ("/NOGIU", "/X") is named; the run goes on as the
    // parameters it knows say.
    for (const auto& text : UnknownSwitchTexts(cmd))
        ReportStartFailure(text);
    bool gui = !cmd.NoGui && !IsBatchMode(cmd.Mode) && DisplayAvailable();
#ifndef QYR7_WINDOW_MODULE
    gui = false;
#endif

    if (cmd.Mode == TStartMode::Usage) {
        std::vector<std::string> lines = SetUsageText();
        for (const auto& line : lines)
            PrintLine(line);
        std::fflush(stdout);
#ifdef QYR7_WINDOW_MODULE
        // The text is out already: a window that cannot open is only named.
        if (gui) RunWithWindow(argc, argv, cmd);
#endif
        return 0;
    }

    if (!gui) {
        // Out of memory, a run without a window ends as one that could not
        // write its file, taking its files along.
        EndOutOfMemoryRuns(ProgramFileName() + ": the run ends, out of memory: ", ExitReportNotWritten);
        const TStartOutcome outcome = ThhFormCreate(cmd);
        if (outcome.EndProcess) EndBatchProcess(outcome.ExitCode);
        // An interactive start without a window: the start-up ran (project
        // or template read, stage calculated); there is nothing to show.
        PrintLine(ProgramIdentityLine());
        std::fflush(stdout);
        ThhFormDestroy();
        return 0;
    }

#ifdef QYR7_WINDOW_MODULE
    return RunWithWindow(argc, argv, cmd);
#else
    return 0;
#endif
}
