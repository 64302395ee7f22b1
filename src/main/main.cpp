// Program entry of wqyr7. The command line decides once how the program
// runs: the usage text, a batch run without any window, or the main window.
// A batch run must never wait for a window, so without a display, or with
// /NOGUI anywhere on the line, no toolkit is even started.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "foundation/telmvar.h"
#include "platform/codepage.h"
#include "platform/platform.h"

#ifdef QYR7_HAVE_QT
#include <QApplication>

#include "app/qt/mainform_qt.h"
#include "platform/qt/platform_qt.h"
#endif

namespace {

bool DisplayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

void PrintLine(const std::string& line) { std::printf("%s\n", platform::Cp1252ToUtf8(line).c_str()); }

// Everything that can be decided without a window. Returns the exit code,
// or -1 when the main window is to run.
int RunWithoutWindow(const TCommandLine& cmd, bool gui)
{
    switch (cmd.Mode) {
    case TStartMode::Usage:
        return -2;
    case TStartMode::MissingExtension:
        platform::CurrentPlatform().Messages().ShowOk("Error  : ", MissingExtensionText(), platform::MessageIcon::Error);
        return 0;
    default:
        break;
    }
    if (!gui) {
        PrintLine(ProgramIdentityLine());
        std::fflush(stdout);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    ResetTelmvar();
    InitProgramIdentity();
    const TCommandLine cmd = ParseCommandLine(args);
    bool gui = !cmd.NoGui && DisplayAvailable();
#ifndef QYR7_HAVE_QT
    gui = false;
#endif

    if (cmd.Mode == TStartMode::Usage) {
        std::vector<std::string> lines = SetUsageText();
        for (const auto& line : lines)
            PrintLine(line);
        std::fflush(stdout);
#ifdef QYR7_HAVE_QT
        if (gui) {
            QApplication app(argc, argv);
            platform::PlatformQt qt;
            platform::ScopedPlatform scope(qt);
            qt.Prompt().ShowTextScreen({telmvar.ProgramName, lines});
        }
#endif
        return 0;
    }

    if (!gui) {
        int code = RunWithoutWindow(cmd, gui);
        return code < 0 ? 0 : code;
    }

#ifdef QYR7_HAVE_QT
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(telmvar.ProgramName.c_str()));
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    int code = RunWithoutWindow(cmd, gui);
    if (code >= 0)
        return code;
    OpenMainForm(qt);
    return QApplication::exec();
#else
    return 0;
#endif
}
