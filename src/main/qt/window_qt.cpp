// The window of wqyr7, loaded by the program only when it opens one: the
// toolkit, every Qt form and the main window's event loop live in this
// module, so a batch run never maps a toolkit library. The program has done
// the start that needs no window (command line, defaults, identity) and
// calls Qyr7RunWindow once; the calculation, tables and drawings the window
// uses are the program's own, shared with it.
#include "main/windowentry.h"

#include <QApplication>

#include <clocale>

#include "app/commandline.h"
#include "app/maincommands.h"
#include "app/qt/auxiliaryimages_qt.h"
#include "app/qt/configdialog_qt.h"
#include "app/qt/mainform_qt.h"
#include "app/qt/systeminfo_qt.h"
#include "app/startup.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/programstate.h"
#include "foundation/signalcleanup.h"
#include "graphics/hpgl/pltpicture.h"
#include "graphics/qt/graphwindow_qt.h"
#include "platform/qt/platform_qt.h"
#include "reports/qt/filepreview_qt.h"
#include "reports/qt/reportforms_qt.h"
#include "xbase/qt/tablebrowser_qt.h"

namespace
{

// Making the application object sets the process's locale from the user's
// settings; the numbers the program reads and writes with the C library keep
// the point, as the toolkit's own documentation advises for such programs.
// The table engine lays out its dates by the desktop's language, not by this
// locale, and writes its numbers with the point on every desktop.
void KeepNumbersInTheCLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

// The usage text as a modal text screen (it is on standard output already).
int ShowUsageWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    KeepNumbersInTheCLocale();
    HoldCleanupSignals(false);
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    qt.Prompt().ShowTextScreen({telmvar.ProgramName, SetUsageText()});
    return ExitOk;
}

} // namespace

extern "C" int Qyr7RunWindow(int argc, char** argv, const TCommandLine* Cmd)
{
    if (Cmd->Mode == TStartMode::Usage) return ShowUsageWindow(argc, argv);

    QApplication app(argc, argv);
    KeepNumbersInTheCLocale();
    // The toolkit's threads have started with the signals held off: this
    // thread takes them again.
    HoldCleanupSignals(false);
    QApplication::setApplicationName(QString::fromUtf8(telmvar.ProgramName.c_str()));
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    // The result window of the screen device and the message help form.
    InstallQtReportForms();
    dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    // The plot program's configuration form of the device menu.
    dialogs_qt::InstallPlotForm(qt.QtDialogs());
    RegisterHilfebildForm(qt.QtDialogs());
    RegisterSystemInfoForms(qt.QtDialogs());
    RegisterConfigForms(qt.QtDialogs());
    // The table browser and the file list preview.
    xbase_qt::RegisterTableBrowserForm(qt.QtDialogs());
    reports_qt::RegisterPreviewForms(qt.QtDialogs());
    // The main window's client area shows the graphics window's picture.
    const auto graphWindow = InstallGraphWindowQt(qt);
    startup.Interactive = true;
    const TStartOutcome outcome = ThhFormCreate(*Cmd);
    if (outcome.EndProcess) return outcome.ExitCode;
    // The menus in the configured language, the recent files, and the
    // window's commands and close query.
    InstallShellServices();
    hh.FormCreateMenus();
    hh.Attach(qt.MainWindow());
    if (startup.StartPictureFound) ShowPltPicture("start");
    // A project named on the command line opens with its stage picture.
    if (telmvar.ArchiveMode) hh.RefreshAfterChange();
    OpenMainForm(qt);
    const int code = QApplication::exec();
    ThhFormDestroy();
    return code;
}
