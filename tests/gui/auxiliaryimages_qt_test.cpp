// The picture list window on Qt: a tool window rendered offscreen once, its
// components by name, a picked line and the spin button closing it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "app/auxiliaryimages.h"
#include "app/qt/auxiliaryimages_qt.h"
#include "app/windowplacement.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtHilfebild : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        RegisterHilfebildForm(qt.QtDialogs());
        telmvar.TextItems[1] = "rack    : Basic rack";
        telmvar.TextItems[2] = "gear    : Gear";
        telmvar.TextItems[3] = "tool    : Tool";
        form.ItemCount = 3;
        form.Preselected = 2;
        form.FormShow();
    }
    AppFirst app_;
    platform::PlatformQt qt;
    TForm_hilfebild form;
};

TEST_F(QtHilfebild, ToolWindowWithTheListAndItsButtons)
{
    QString name, title, current;
    QStringList missing;
    bool tool = false, grabbed = false;
    int items = 0;
    WhenModalAppears([&](QWidget* w) {
        name = w->objectName();
        title = w->windowTitle();
        tool = (w->windowFlags() & Qt::Tool) == Qt::Tool;
        for (const char* n : {"ListBox1", "SpinButton1", "Button_ok", "Button_help", "Button_neu",
                              "Button_aendern", "Button_einfuegen", "Button_loeschen"})
            if (!w->findChild<QWidget*>(n)) missing << n;
        auto* combo = w->findChild<QComboBox*>("ListBox1");
        items = combo->count();
        current = combo->currentText();
        grabbed = !w->grab().isNull();
        combo->setCurrentIndex(2);
        emit combo->activated(2);
    });
    EXPECT_EQ(qt.Dialogs().RunModal(form), platform::DialogResult::Ok);
    EXPECT_EQ(name, "TForm_hilfebild");
    EXPECT_EQ(title, "QYR7 Auxiliary Images");
    EXPECT_TRUE(tool);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(items, 3);
    EXPECT_EQ(current, "gear    : Gear");
    EXPECT_EQ(form.ItemIndex, 2);
    EXPECT_EQ(form.Command, TForm_hilfebild::CmdShow);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(QtHilfebild, SpinButtonAndCommands)
{
    WhenModalAppears([](QWidget* w) { w->findChild<QToolButton*>("SpinButton1Down")->click(); });
    qt.Dialogs().RunModal(form);
    EXPECT_EQ(form.ItemIndex, 2);
    WhenModalAppears([](QWidget* w) { w->findChild<QToolButton*>("SpinButton1Up")->click(); });
    qt.Dialogs().RunModal(form);
    EXPECT_EQ(form.ItemIndex, 1) << "back to the second line";
    WhenModalAppears([](QWidget* w) { w->findChild<QPushButton*>("Button_loeschen")->click(); });
    qt.Dialogs().RunModal(form);
    EXPECT_EQ(form.Command, TForm_hilfebild::CmdDelete);
    WhenModalAppears([](QWidget* w) { w->findChild<QPushButton*>("Button_ok")->click(); });
    qt.Dialogs().RunModal(form);
    EXPECT_TRUE(telmvar.Aborted) << "OK ends the browsing";
}

TEST_F(QtHilfebild, OpensCentredFirstThenWhereItWasButOnTheScreen)
{
    const QRect room = QApplication::primaryScreen()->availableGeometry();
    const std::tuple<bool, QPoint, const char*> cases[] = {{false, {0, 0}, "centred"},
                                                           {true, {-9, 9999}, "on screen"}};
    for (const auto& [known, saved, rule] : cases) {
        std::tie(form.Known, form.Left, form.Top) = std::tuple(known, saved.x(), saved.y());
        QRect shown;
        WhenModalAppears([&shown](QWidget* w) {
            shown = w->frameGeometry();
            w->close();
        });
        qt.Dialogs().RunModal(form);
        EXPECT_TRUE(room.contains(shown) &&
                    (known || (shown.center() - room.center()).manhattanLength() <= 2))
            << rule;
    }
}

} // namespace
