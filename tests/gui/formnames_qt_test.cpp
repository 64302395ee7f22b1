// Names beyond ASCII typed into and shown by the Qt forms: on disk the UTF-8
// of what was typed, on screen the name whole.
#include "app/configdialog.h"
#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/configdialog_qt.h"
#include "common/tempdir.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "drawings/sheet/documentlinksform.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/documentation.h"
#include "planetary/projectfile.h"
#include "platform/headless/platform_headless.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "xbase/qt/tablebrowser_qt.h"

#include <QtWidgets>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace
{

class QtNames : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitProgramIdentity();
        wtelmvar.ConfigDir = telmvar.TempDir = tmp.Path() + "/";
        for (auto form :
             {RegisterConfigForms, dialogs_qt::RegisterDialogForms, xbase_qt::RegisterTableBrowserForm})
            form(qt.QtDialogs());
    }
    void TearDown() override { qt.ScreenCursor().Set(platform::CursorShape::Arrow); }
    // Shows a form: the text of Edit (without one the title) as it opens,
    // Typed typed into Edit, then the Buttons clicked in turn.
    std::string Play(const std::function<void()>& Run, std::vector<const char*> Buttons,
                     const char* Edit = "", const std::string& Typed = "")
    {
        std::string seen;
        WhenModalAppears([&seen, Buttons, Edit, Typed](QWidget* w) {
            auto* e = *Edit ? w->findChild<QLineEdit*>(Edit) : nullptr;
            seen = (e ? e->text() : w->windowTitle()).toStdString();
            if (e && !Typed.empty()) e->setText(QString::fromStdString(Typed));
            for (const char* b : Buttons)
                w->findChild<QPushButton*>(b)->click();
        });
        Run();
        return seen;
    }
    AppFirst app_;
    testdirs::ScopedTempDir tmp{"names"};
    platform::PlatformQt qt;
    platform::PlatformHeadless headless; // message boxes and started programs recorded
    platform::Platform mixed{headless.Messages(), qt.Files(), qt.Prompt(), qt.Dialogs(),
                             qt.MainWindow(),     qt.Print(), qt.Clip(),   headless.Launch(),
                             qt.ScreenCursor(),   qt.Bell()};
    platform::ScopedPlatform use{mixed};
};

// A table directory of each name (copies of the catalogue tables) set in
// the settings and saved; its table opened and browsed (Open (Table)).
TEST_F(QtNames, SettingsTableDirectoryNamesAsTheFileSystemHasThem)
{
    const auto settings = [] {
        Tconfig f;
        platform::CurrentPlatform().Dialogs().RunModal(f);
    };
    for (const std::string name : {"Projekte äöü", "größe", "Ærø ñ", "齿轮", "A&B"}) {
        SCOPED_TRACE(name);
        const std::string dir = tmp.Path() + "/" + name + "/";
        std::filesystem::create_directory(dir);
        for (const auto& e : std::filesystem::directory_iterator(QYR7_DATA_DIR))
            if (e.path().extension() == ".dbf")
                std::filesystem::copy_file(e, dir + e.path().filename().string());
        Play(settings, {"Button_save", "Button_ok"}, "Edit_dirdbf", dir);
        telmvar.DbfDir.clear();
        ReadConfigFile();
        EXPECT_EQ(telmvar.DbfDir, dir) << "the file holds the name's bytes";
        ASSERT_TRUE(DbfOpen("qyrwst.dbf") && dbf4.RecordCount() > 0) << "the tables are found there";
        EXPECT_EQ(Play([] { dbf4.Browse("", 2); }, {"Button_ok"}), "    (" + dir + "qyrwst.dbf)");
        dbf4.CloseTable();
        EXPECT_EQ(Play(settings, {"Button_cancel"}, "Edit_dirdbf"), dir) << "shown whole";
    }
}

TEST_F(QtNames, DocumentLinkNamesAsTheFileSystemHasThem)
{
    const std::string file = tmp.Path() + "/齿轮.txt", project = tmp.Path() + "/p.qy7";
    std::ofstream(file) << "gear\n";
    TFileFault fault;
    ASSERT_TRUE(ReadProjectData(QYR7_SOURCE_DIR "/examples/industrial.qy7", fault));
    Play([] { ShowDocumentLinks(0); }, {"Button_ok"}, "Edit_file2", file);
    ASSERT_TRUE(WriteProjectData(project));
    ResetDocumentation();
    ASSERT_TRUE(ReadProjectData(project, fault)) << fault.Reason;
    EXPECT_EQ(documentation.DocLinkPrograms[2].DocLinkFile, file) << "the file holds the name's bytes";
    EXPECT_EQ(Play([] { ShowDocumentLinks(0); }, {"Button2f", "Button_cancel"}, "Edit_file2"), file);
    const auto& launched = headless.HeadlessLauncher().Launches();
    ASSERT_EQ(launched.size(), 1u) << "Exec File";
    EXPECT_EQ(launched[0].Document, file) << "the launcher gets the name's bytes";
}

} // namespace
