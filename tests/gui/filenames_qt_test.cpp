// Project names with umlauts, Chinese, an "&" or a ":", in a directory with umlauts, through the main window.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/maincommands.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "app/sessionfile.h"
#include "app/startup.h"
#include "common/tempdir.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportengine.h"
#include "reports/qt/reportforms_qt.h"

#include <QtWidgets>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;
using namespace platform;

namespace
{

const char* const kNames[] = {"größe", "Müller", "Ærø ñ", "齿轮", "A&B", "a:b"};

QString Shown(const std::string& utf8)
{
    return QString::fromUtf8(utf8.c_str());
}

// The main window started interactively on the projects' directory, closed at the end.
struct MainWindow {
    PlatformQt qt;
    ScopedPlatform scope{qt};
    QMainWindow& w = qt.QtMainWindow().Widget();
    explicit MainWindow(const std::string& projects, const std::vector<std::string>& args = {})
    {
        InstallQtScreenInfo(qt);
        startup.Interactive = true;
        EXPECT_FALSE(ThhFormCreate(ParseCommandLine(args)).EndProcess);
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.DataDir = projects + "/";
        InstallShellServices();
        hh.FormCreateMenus();
        hh.Attach(qt.MainWindow());
        OpenMainForm(qt);
        QApplication::processEvents();
    }
    ~MainWindow()
    {
        qt.MainWindow().OnCloseQuery = [] { return true; };
        qt.MainWindow().Close();
        ThhFormDestroy();
        startup.Interactive = false;
    }
    // Chooses the menu item and types the name into the file dialog it opens.
    void ChooseTyping(const char* item, const std::string& typed)
    {
        WhenModalAppears([&](QWidget* d) {
            if (auto* e = d->findChild<QLineEdit*>("fileNameEdit")) e->setText(Shown(typed));
            qobject_cast<QDialog*>(d)->accept();
        });
        w.findChild<QAction*>(item)->trigger();
    }
};

} // namespace

TEST(QtFileNames, NamesAsTheFileSystemHasThemOpenSaveAsCaptionRecentFilesAndNextStart)
{
    TestApp();
    InitProgramLoadDefaults();
    configio.FallbackDirs.clear();
    InitProgramIdentity();
    const testdirs::ScopedTempDir scratch{"names"};
    const std::string projects = scratch.Path() + "/Projekte äöü";
    fs::create_directories(projects);
    wtelmvar.ConfigDir = wtelmvar.DefaultDataDir = scratch.Path() + "/";
    telmvar.StartDir = scratch.Path();
    {
        MainWindow m(projects);
        QTimer boxes; // a box refusing the name is closed: the file is then missing
        QObject::connect(&boxes, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        });
        boxes.start(10);
        std::set<std::string> written, entries;
        for (const std::string name : kNames) {
            const std::string file = name + ".qy7";
            m.ChooseTyping("mi_FileSaveAs", name);
            written.insert(file);
            for (const auto& e : fs::directory_iterator(projects))
                entries.insert(e.path().filename().string());
            EXPECT_EQ(entries, written) << "as the file system has them";
            // Opened again after it took other contents, what Save As left judged no more.
            fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7", projects + "/" + file,
                          fs::copy_options::overwrite_existing);
            PlanetaryStage.nIn = 0;
            m.w.setWindowTitle({});
            m.w.findChild<QAction*>("mi_file1")->setText({});
            m.ChooseTyping("mi_fileOpen", file);
            EXPECT_FALSE(telmvar.Aborted) << name;
            EXPECT_EQ(PlanetaryStage.nIn, 1480) << name;
            EXPECT_EQ(m.w.windowTitle(),
                      QString::fromLatin1(telmvar.ProgramTitle.c_str()) + "  -  " + Shown(file));
            // The recent item shows the path whole (no "&" eaten as a marker).
            QString drawn = m.w.findChild<QAction*>("mi_file1")->text();
            drawn.replace("&&", "\x01").remove('&').replace('\x01', '&');
            EXPECT_TRUE(drawn.endsWith("/" + Shown(file))) << drawn.toStdString();
        }
    }
    std::ifstream in(SessionFileName(), std::ios::binary);
    const std::string session{std::istreambuf_iterator<char>(in), {}};
    MainWindow m(projects);
    for (int i = 1; i <= 4; ++i) {
        const std::string path = projects + "/" + kNames[std::size(kNames) - i] + ".qy7";
        EXPECT_NE(session.find(path + "\r\n"), std::string::npos) << "the session keeps the bytes";
        PlanetaryStage.nIn = 0;
        m.w.findChild<QAction*>(QString("mi_file%1").arg(i))->trigger();
        EXPECT_FALSE(telmvar.Aborted) << path;
        EXPECT_EQ(PlanetaryStage.nIn, 1480) << path;
        EXPECT_EQ(AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName + ".qy7", path);
    }
}

// A project given on the command line: after a cancelled File > Open and a File > Save the report head and
// the title name it once, and the save goes to the file that was opened.
TEST(QtFileNames, AProjectFromTheCommandLineIsNamedOnceAndSavedWhereItWasRead)
{
    TestApp();
    InitProgramLoadDefaults();
    configio.FallbackDirs.clear();
    InitProgramIdentity();
    const testdirs::ScopedTempDir scratch{"cmdline"};
    const std::string project = scratch.Path() + "/industrial.qy7";
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7", project);
    wtelmvar.ConfigDir = wtelmvar.DefaultDataDir = telmvar.StartDir = telmvar.TempDir = scratch.Path() + "/";
    InstallQtReportForms();
    MainWindow m(scratch.Path(), {project});
    WhenModalAppears([](QWidget* d) { qobject_cast<QDialog*>(d)->reject(); });
    m.w.findChild<QAction*>("mi_fileOpen")->trigger();
    fs::resize_file(project, 0);
    m.w.findChild<QAction*>("mi_FileSave")->trigger();
    EXPECT_GT(fs::file_size(project), 0u);
    EXPECT_EQ(m.w.windowTitle().toStdString(), telmvar.ProgramTitle + "  -  industrial.qy7");
    std::string head;
    WhenModalAppears([&head](QWidget* w) {
        head = qobject_cast<TForm_showtextfile*>(w)->Memo1()->toPlainText().toStdString();
        qobject_cast<QDialog*>(w)->accept();
    });
    OpenReport(1, "demo");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportPageHeader(1, 0);
    ASSERT_TRUE(CloseReport());
    EXPECT_TRUE(head.find("industrial.qy7 ") != std::string::npos &&
                head.find(".qy7.qy7") == std::string::npos)
        << head;
}
