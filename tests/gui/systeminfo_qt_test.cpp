// The system information window and the about box on Qt: each rendered
// offscreen once, its widgets by name, OK closing it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/qt/systeminfo_qt.h"
#include "app/systeminfo.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtSystemInfo : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        telmvar.ProgramFileStem = "qyr7";
        systemqueries.Resolve = [](const std::string&) { return std::vector<std::string>{"192.0.2.1"}; };
        RegisterSystemInfoForms(qt.QtDialogs());
    }
    AppFirst app_;
    platform::PlatformQt qt;
};

TEST_F(QtSystemInfo, MemoInCourierAndOk)
{
    TSysinfo info;
    QString title, memo, family;
    bool readOnly = false, grabbed = false;
    WhenModalAppears([&](QWidget* w) {
        title = w->windowTitle();
        auto* m = w->findChild<QPlainTextEdit*>("Memo1");
        ASSERT_NE(m, nullptr);
        memo = m->toPlainText();
        family = m->font().family();
        readOnly = m->isReadOnly();
        grabbed = !w->grab().isNull();
        w->findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(info), platform::DialogResult::Ok);
    EXPECT_EQ(title, "QYR7 System Info");
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(family, "Courier New");
    const QStringList lines = memo.split('\n');
    ASSERT_EQ(lines.size(), int(info.Lines().size()));
    EXPECT_TRUE(lines.first().startsWith("PC Name     : "));
    EXPECT_EQ(lines.at(lines.size() - 2), "IP-Adress:");
    EXPECT_EQ(lines.last(), "192.0.2.1");
}

TEST_F(QtSystemInfo, AboutBoxPanelLabels)
{
    TAboutBox about;
    QString title, product, fileVersion;
    bool panel = false, grabbed = false;
    WhenModalAppears([&](QWidget* w) {
        title = w->windowTitle();
        panel = w->findChild<QWidget*>("Panel1") != nullptr;
        product = w->findChild<QLabel*>("ProductName")->text();
        fileVersion = w->findChild<QLabel*>("Label_fileversion")->text();
        grabbed = !w->grab().isNull();
        w->findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(about), platform::DialogResult::Ok);
    EXPECT_EQ(title, "QYR7");
    EXPECT_TRUE(panel);
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(product, "Version 1.0 for Linux");
    EXPECT_TRUE(fileVersion.startsWith("File Version : ")) << fileVersion.toStdString();
}

} // namespace
