// The online input window on Qt: rendered offscreen in its full and its
// small form, with the run-time components by name, and a pass ended by the
// arrow key of an edit.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtOnline : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
        OnlineInit("Hardness conversion", 4, 3);
        for (int i = 1; i <= 4; ++i) {
            vonline3.OnlineInLabel[i] = "HV" + std::to_string(i);
            vonline3.OnlineInValue[i] = std::to_string(100 * i);
            vonline3.OnlineInUnit[i] = "-";
        }
        vonline3.OnlineLineState[2] = 3;
        for (int i = 1; i <= 3; ++i) {
            vonline3.OnlineOutLabel[i] = "HRC";
            vonline3.OnlineOutValue[i] = std::to_string(20 + i);
            vonline3.OnlineOutUnit[i] = "-";
        }
        AddErrorMessage("Warning: value outside the table");
    }
    void TearDown() override { OnlineEnd(); }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString form, title;
    QStringList missing, present;
    bool grabbed = false;
    bool focusOnLine2 = false;
    bool outputVisible = false;
};

void Inspect(Seen& seen, const QStringList& names, const QStringList& absent)
{
    WhenModalAppears([&seen, names, absent](QWidget* w) {
        seen.form = w->objectName();
        seen.title = w->windowTitle();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        for (const QString& n : absent)
            if (w->findChild<QWidget*>(n)) seen.present << n;
        seen.grabbed = !w->grab().isNull();
        auto* out = w->findChild<QGroupBox*>("GroupBox_ausgabe");
        seen.outputVisible = out && out->isVisible();
        auto* edit = w->findChild<QLineEdit*>("ed_2");
        seen.focusOnLine2 = edit && w->focusWidget() == edit;
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &down);
    });
}

TEST_F(QtOnline, FullWindowEndsAPassWithTheArrowKey)
{
    Seen seen;
    Inspect(seen,
            {"GroupBox_eingabe", "GroupBox_ausgabe", "GroupBox_fehler", "ed_1", "ed_4", "lb_4", "lbeu_4",
             "lbaz_3", "lbaw_3", "lbau_3", "lber_1", "Button_ok", "Button_help", "Button_unit",
             "Button_hilfebild", "Button_showplt", "Button_close"},
            {"ed_5", "lbaz_4", "lber_2"});
    uint16_t line = 2;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_EQ(seen.form, "TForm_online");
    EXPECT_EQ(seen.title, "QYR7    Hardness conversion");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.present.isEmpty()) << seen.present.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_TRUE(seen.outputVisible);
    EXPECT_TRUE(seen.focusOnLine2) << "the pass starts in the current line's edit";
    EXPECT_EQ(line, 2);
    EXPECT_EQ(vonline3.OnlineLastKey, OnlineKeyDown);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(QtOnline, SmallWindowShowsTheInputColumnOnly)
{
    wtelmvar.SmallOnlineWindow = true;
    Seen seen;
    Inspect(seen, {"GroupBox_eingabe", "ed_4", "lb_4", "lbeu_4", "Button_close"},
            {"lbaz_1", "lbaw_1", "lber_1"});
    uint16_t line = 2;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.present.isEmpty()) << seen.present.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_FALSE(seen.outputVisible);
}

TEST_F(QtOnline, EscapeInAnEditCancels)
{
    WhenModalAppears([](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("ed_1");
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &esc);
    });
    uint16_t line = 1;
    uint8_t flag = 0;
    OnlineRun(line, 4100, flag);
    EXPECT_TRUE(telmvar.Aborted);
}

} // namespace
