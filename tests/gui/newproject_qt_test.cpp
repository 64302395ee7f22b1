// File > New in the window after a project with a load spectrum, as a user
// meets it: the predimensioning cancelled, the load spectrum table shows no
// items.
#include "app/maincommands.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "common/tempdir.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include <QAction>
#include <QMainWindow>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;

TEST(NewProjectQt, TheLoadSpectrumTableIsEmptyAfterNewFollowingAProjectWithASpectrum)
{
    TestApp();
    InitProgramIdentity();
    const testdirs::ScopedTempDir dir("newproject");
    telmvar.DataDir = dir.Path() + "/"; // no template of the user's
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    PlatformQt qt;
    ScopedPlatform scope{qt};
    dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    Thh shell;
    shell.FormCreateMenus();
    shell.Attach(qt.MainWindow());
    OpenMainForm(qt);
    QMainWindow& w = qt.QtMainWindow().Widget();
    QApplication::processEvents();

    // The numbers of the load spectrum table's items (its first column
    // numbers the rows).
    const auto items = [&] {
        std::vector<std::string> cells;
        WhenModalAppears([&](QWidget* form) {
            for (auto* item :
                 form->findChild<QTableWidget*>("StringGrid1")->findItems("*", Qt::MatchWildcard))
                if ((item->flags() & Qt::ItemIsEditable) && !item->text().trimmed().isEmpty())
                    cells.push_back(item->text().toStdString());
            qobject_cast<QDialog*>(form)->reject();
        });
        w.findChild<QAction*>("mi_editlastkollektivtabelle")->trigger();
        return cells;
    };

    shell.Open((std::filesystem::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7").string());
    ASSERT_FALSE(telmvar.Aborted);
    ASSERT_FALSE(items().empty()) << "the example's five items";
    telmvar.DataModified = false;
    WhenModalAppears([](QWidget* predimensioning) { qobject_cast<QDialog*>(predimensioning)->reject(); });
    w.findChild<QAction*>("mi_fileNew")->trigger();
    EXPECT_EQ(items(), std::vector<std::string>{});
    w.hide();
}
