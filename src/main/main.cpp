// Program entry of wqyr7. The command line decides once how the program
// runs: the usage text, a batch run, or the main window. A batch run must
// never wait for a window: the text and CAD batch modes, a run with /NOGUI
// anywhere on the line, and a run without a display never start the toolkit;
// their questions get the safe answer and their messages go to stderr.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "app/menuhooks.h"
#include "app/startup.h"
#include "app/thh.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/hpgl/pltpicture.h"
#include "platform/codepage.h"
#include "platform/platform.h"

#ifdef QYR7_HAVE_QT
#include <QApplication>

#include "app/qt/hilfebild_qt.h"
#include "app/qt/systeminfo_qt.h"
#include "app/qt/mainform_qt.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "graphics/qt/confkorvilt_qt.h"
#include "graphics/qt/graphwindow_qt.h"
#include "graphics/qt/printconf_qt.h"
#include "platform/qt/platform_qt.h"
#include "reports/qt/filepreview_qt.h"
#include "reports/qt/reportforms_qt.h"
#include "xbase/qt/tablebrowser_qt.h"
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

bool IsBatchMode(TStartMode mode) { return mode == TStartMode::TextBatch || mode == TStartMode::CadBatch; }

} // namespace

int main(int argc, char** argv)
{
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
        const TStartOutcome outcome = ThhFormCreate(cmd);
        if (outcome.EndProcess)
            return outcome.ExitCode;
        // An interactive start without a window: the start-up ran (project
        // or template read, stage calculated); there is nothing to show.
        PrintLine(ProgramIdentityLine());
        std::fflush(stdout);
        ThhFormDestroy();
        return 0;
    }

#ifdef QYR7_HAVE_QT
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(telmvar.ProgramName.c_str()));
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    // The result window of the screen device and the message help form.
    InstallQtReportForms();
    dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    // The plot program's configuration form of the device menu.
    graphics_qt::InstallPlotForms(qt.QtDialogs());
    RegisterHilfebildForm(qt.QtDialogs());
    RegisterSystemInfoForms(qt.QtDialogs());
    // The table browser, the file list preview and the print settings.
    xbase_qt::RegisterTableBrowserForm(qt.QtDialogs());
    reports_qt::RegisterPreviewForms(qt.QtDialogs());
    graphics_qt::RegisterPrintConfForm(qt.QtDialogs());
    // The main window's client area shows the graphics window's picture.
    const auto graphWindow = InstallGraphWindowQt(qt);
    startup.Interactive = true;
    const TStartOutcome outcome = ThhFormCreate(cmd);
    if (outcome.EndProcess)
        return outcome.ExitCode;
    // The menus in the configured language, the recent files, and the
    // window's commands and close query.
    InstallMenuCommands();
    hh.FormCreateMenus();
    hh.Attach(qt.MainWindow());
    if (startup.StartPictureFound)
        ShowPltPicture("start");
    OpenMainForm(qt);
    const int code = QApplication::exec();
    ThhFormDestroy();
    return code;
#else
    return 0;
#endif
}
