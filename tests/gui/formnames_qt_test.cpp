// Names beyond ASCII typed into the Qt forms: stored as the UTF-8 typed, shown whole.
#include "app/configdialog.h"
#include "app/configdirs.h"
#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/configdialog_qt.h"
#include "common/tempdir.h"
#include "dialogs/prompts.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "drawings/sheet/documentlinksform.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "planetary/documentation.h"
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
    // Returns the text of Edit (else the title) as the form opens; types Typed, clicks the Buttons.
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

// A table directory set in the settings and saved; its table opened and browsed.
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
    const std::string file = tmp.Path() + "/齿轮.txt";
    std::ofstream(file) << "gear\n";
    Play([] { ShowDocumentLinks(0); }, {"Button_ok"}, "Edit_file2", file);
    EXPECT_EQ(documentation.DocLinkPrograms[2].DocLinkFile, file);
    EXPECT_EQ(Play([] { ShowDocumentLinks(0); }, {"Button2f", "Button_cancel"}, "Edit_file2"), file);
    const auto& launched = headless.HeadlessLauncher().Launches();
    ASSERT_EQ(launched.size(), 1u) << "Exec File";
    EXPECT_EQ(launched[0].Document, file);
}

// A name with a byte that is no UTF-8 shows a replacement character: while the field shows what it
// was filled with, its bytes go back at OK; any other text is the UTF-8 typed (a name, not 1252).
TEST_F(QtNames, NameBytesThatAreNoUtf8KeptWhileShownAsFilled)
{
    const auto keptT = telmvar;
    const auto keptW = wtelmvar;
    const std::string keptRun = std::exchange(runtempdir.Dir, tmp.Path()); // none made in an answer
    const auto settings = [] {
        Tconfig f;
        platform::CurrentPlatform().Dialogs().RunModal(f);
        telmvar.TempDir = telmvar.DbfDir = "";
        ReadConfigFile();
    };
    const struct {
        const char* Typed; // at the end, then Deleted characters deleted
        int Deleted;
        std::string Stored;
    } edits[] = {{"", 0, "t\xff/"},
                 {"x", 1, "t\xff/"},
                 {"größe/", 0,
                  "t\xef\xbf\xbd/gr\xc3\xb6\xc3\x9f"
                  "e/"}};
    const struct {
        const char* Edit;
        std::function<void()> Run;
        std::string& Name;
    } roads[] = {{"Edit_dirtemp", settings, telmvar.TempDir},
                 {"EditEinText", [] { AskFileName("name", 80, telmvar.EdiDir); }, telmvar.EdiDir},
                 {"EditEinText", CheckConfigDirs, telmvar.TempDir}}; // relative, none such: asked for
    for (const auto& road : roads)
        for (const auto& e : edits) {
            SCOPED_TRACE(std::to_string(&road - roads) + " typed " + e.Typed);
            telmvar.StartDir = telmvar.CadDir = telmvar.PltDir = telmvar.EdiDir = tmp.Path();
            telmvar.DbfDir = "d\xff/";
            road.Name = "t\xff/";
            QString shown;
            WhenModalAppears([&](QWidget* w) {
                auto* edit = w->findChild<QLineEdit*>(road.Edit);
                shown = edit->text();
                edit->end(false);
                if (*e.Typed) edit->insert(QString::fromUtf8(e.Typed));
                for (int i = 0; i < e.Deleted; ++i)
                    edit->backspace();
                if (auto* save = w->findChild<QPushButton*>("Button_save")) save->click();
                w->findChild<QPushButton*>("Button_ok")->click();
            });
            road.Run();
            EXPECT_EQ(shown, QString::fromUtf8("t\uFFFD/"));
            EXPECT_EQ(road.Name, e.Stored);
            EXPECT_EQ(telmvar.DbfDir, "d\xff/") << "an untouched name keeps its bytes";
        }
    std::tie(telmvar, wtelmvar, runtempdir.Dir) = std::tie(keptT, keptW, keptRun);
    configio.TempDirFault.clear();
}

} // namespace
