// Project files whose names hold umlauts, Chinese or an "&", in a directory
// with umlauts, through the main window as a user meets them: File > Open
// and Save As by typing the name into the file dialog, the caption, the
// recent-file menu, the session file and the next start.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/maincommands.h"
#include "app/programidentity.h"
#include "app/qt/configdialog_qt.h"
#include "app/qt/mainform_qt.h"
#include "app/sessionfile.h"
#include "app/startup.h"
#include "common/tempdir.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <QtWidgets>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;
using namespace platform;

namespace
{

// The names as typed (UTF-8); the file system must hold exactly these bytes.
const char* const kNames[] = {"größe", "Müller", "Ærø ñ", "齿轮", "A&B"};

class QtFileNames : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramLoadDefaults();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        projects = scratch.Path() + "/Projekte äöü";
        fs::create_directories(projects);
        wtelmvar.ConfigDir = scratch.Path() + "/";
        wtelmvar.DefaultDataDir = scratch.Path() + "/";
        telmvar.StartDir = scratch.Path();
    }

    void Start(PlatformQt& qt)
    {
        InstallQtScreenInfo(qt);
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
        RegisterConfigForms(qt.QtDialogs());
        startup.Interactive = true;
        ASSERT_FALSE(ThhFormCreate(ParseCommandLine({})).EndProcess);
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.DataDir = projects + "/";
        InstallShellServices();
        hh.FormCreateMenus();
        hh.Attach(qt.MainWindow());
        OpenMainForm(qt);
        QApplication::processEvents();
    }

    static void Stop(PlatformQt& qt)
    {
        qt.MainWindow().OnCloseQuery = [] { return true; };
        qt.MainWindow().Close();
        ThhFormDestroy();
        startup.Interactive = false;
    }

    // Chooses the menu item; the file dialog it opens gets typed into its
    // name field (a name in the directory it shows) and is accepted.
    static void ChooseTyping(PlatformQt& qt, const char* item, const std::string& typed)
    {
        WhenModalAppears([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr) << "a file dialog, not " << w->objectName().toStdString();
            d->findChild<QLineEdit*>("fileNameEdit")->setText(Shown(typed));
            static_cast<QDialog*>(d)->accept();
        });
        qt.QtMainWindow().Widget().findChild<QAction*>(item)->trigger();
    }

    static QString Shown(const std::string& utf8) { return QString::fromUtf8(utf8.c_str()); }

    const testdirs::ScopedTempDir scratch{"names"};
    std::string projects;
};

} // namespace

TEST_F(QtFileNames, NamesAsTheFileSystemHasThemOpenSaveAsCaptionRecentFilesAndNextStart)
{
    std::set<std::string> written;
    {
        PlatformQt qt;
        ScopedPlatform scope(qt);
        Start(qt);
        const QString program = QString::fromLatin1(telmvar.ProgramTitle.c_str());
        for (const std::string name : kNames) {
            SCOPED_TRACE(name);
            const std::string file = name + ".qy7";
            ChooseTyping(qt, "mi_FileSaveAs", name);
            ASSERT_FALSE(telmvar.Aborted);
            written.insert(file);
            std::set<std::string> entries; // as the file system has them
            for (const auto& e : fs::directory_iterator(projects))
                entries.insert(e.path().filename().string());
            EXPECT_EQ(entries, written);
            EXPECT_EQ(telmvar.ProjectName, name);
            EXPECT_EQ(qt.QtMainWindow().Widget().windowTitle(), program + "  -  " + Shown(file));

            // The saved file is opened again, after it took other contents.
            fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7", projects + "/" + file,
                          fs::copy_options::overwrite_existing);
            ChooseTyping(qt, "mi_fileOpen", file);
            EXPECT_FALSE(telmvar.Aborted);
            EXPECT_EQ(telmvar.ProjectName, name);
            EXPECT_EQ(PlanetaryStage.nIn, 1480) << "the industrial stage was read";
            EXPECT_EQ(qt.QtMainWindow().Widget().windowTitle(), program + "  -  " + Shown(file));

            // The recent item shows the path whole (no "&" eaten as a marker).
            auto* recent = qt.QtMainWindow().Widget().findChild<QAction*>("mi_file1");
            ASSERT_NE(recent, nullptr);
            EXPECT_TRUE(recent->isVisible());
            QString drawn = recent->text();
            drawn.replace("&&", "\x01").remove('&').replace('\x01', '&');
            EXPECT_TRUE(drawn.startsWith("1 ")) << drawn.toStdString();
            EXPECT_TRUE(drawn.endsWith("/" + Shown(file))) << drawn.toStdString();
        }
        Stop(qt);
    }

    // The session file keeps the four newest paths byte for byte.
    std::ifstream in(SessionFileName(), std::ios::binary);
    const std::string session{std::istreambuf_iterator<char>(in), {}};
    for (int i = 1; i <= 4; ++i)
        EXPECT_NE(session.find(projects + "/" + kNames[i] + ".qy7\r\n"), std::string::npos) << kNames[i];

    // The next start opens each of them from the recent-file menu.
    PlatformQt qt;
    ScopedPlatform scope(qt);
    Start(qt);
    for (int i = 1; i <= 4; ++i) {
        const std::string path = wtelmvar.RecentFiles[i];
        PlanetaryStage.nIn = 0;
        qt.QtMainWindow().Widget().findChild<QAction*>(QString("mi_file%1").arg(i))->trigger();
        EXPECT_FALSE(telmvar.Aborted) << path;
        EXPECT_EQ(PlanetaryStage.nIn, 1480) << path;
        EXPECT_EQ(AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName + ".qy7", path);
    }
    Stop(qt);
}
