// A stage form that is only a layout of named widgets, bound to its model by
// the generic binder: rendered offscreen, typed into, and closed through the
// model's answers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialogservices.h"
#include "dialogs/qt/formbinder.h"
#include "dialogs/stagedialog.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

std::unique_ptr<QDialog> TestLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    auto* layout = new QVBoxLayout(form.get());
    auto add = [&](QWidget* w, const char* name) {
        w->setObjectName(name);
        layout->addWidget(w);
    };
    add(new QLabel(form.get()), "Label_visc");
    add(new QLineEdit(form.get()), "Edit_visc");
    add(new QCheckBox(form.get()), "CheckBox_crown");
    add(new QLineEdit(form.get()), "Edit_hidden");
    for (const char* b : {"Button_ok", "Button_cancel", "Button_calc"})
        add(new QPushButton(form.get()), b);
    return form;
}

void Type(QWidget* edit, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
}

class QtFormBinder : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        dialogs_qt::RegisterBoundForm(qt.QtDialogs(), "TForm_test", TestLayout);
        m.Bind("Edit_visc", TFieldKind::Sig3, &visc);
        m.Bind("CheckBox_crown", TFieldKind::YesNoChar, &crown);
        m.Bind("Edit_hidden", TFieldKind::Sig3, &visc);
        m.SetStandardCaptions();
        m.Control("Button_calc").Caption = "&Calc";
        m.Control("Label_visc").Caption = "Viscosity";
        m.Control("Edit_hidden").Visible = false;
        m.Control("CheckBox_crown").Hint = "Crowning (4810)";
        m.OnChanged = [this](const std::string& n) {
            if (n == "CheckBox_crown") m.Control("Button_calc").Enabled = !m.Control(n).Checked;
        };
        m.LoadFields();
    }
    AppFirst app_;
    platform::PlatformQt qt;
    Extended visc = 123.456L;
    char crown = 'N';
    TStageDialogModel m{"TForm_test", "Test"};
};

TEST_F(QtFormBinder, RendersTheModelAndStoresOnlyWhatWasTyped)
{
    QString shown, label, title, hint;
    bool hiddenVisible = true, grabbed = false, calcEnabled = true;
    WhenModalAppears([&](QWidget* w) {
        title = w->windowTitle();
        auto* edit = w->findChild<QLineEdit*>("Edit_visc");
        shown = edit->text();
        label = w->findChild<QLabel*>("Label_visc")->text();
        hiddenVisible = !w->findChild<QLineEdit*>("Edit_hidden")->isHidden();
        hint = w->findChild<QCheckBox*>("CheckBox_crown")->toolTip();
        grabbed = !w->grab().isNull();
        w->findChild<QCheckBox*>("CheckBox_crown")->click();
        calcEnabled = w->findChild<QPushButton*>("Button_calc")->isEnabled();
        w->findChild<QPushButton*>("Button_ok")->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(m), platform::DialogResult::Ok);
    EXPECT_EQ(title, "QYR7 Test");
    EXPECT_EQ(shown, "123.5");
    EXPECT_EQ(label, "Viscosity");
    EXPECT_FALSE(hiddenVisible);
    EXPECT_EQ(hint, "Crowning (4810)");
    EXPECT_TRUE(grabbed);
    EXPECT_FALSE(calcEnabled) << "the change handler's enabling reached the widget";
    EXPECT_EQ(visc, 123.456L) << "untouched text, value kept bit for bit";
    EXPECT_EQ(crown, 'J');
}

TEST_F(QtFormBinder, TypedTextAndCalcKeepTheFormOpenEscapeCancels)
{
    int calculated = 0;
    dialogservices.CalculateStage = [&] { ++calculated; };
    bool openAfterCalc = false;
    WhenModalAppears([&](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("Edit_visc");
        edit->selectAll();
        Type(edit, "150");
        w->findChild<QPushButton*>("Button_calc")->click();
        openAfterCalc = w->isVisible();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &esc);
    });
    EXPECT_EQ(qt.Dialogs().RunModal(m), platform::DialogResult::Cancel);
    EXPECT_TRUE(openAfterCalc);
    EXPECT_EQ(calculated, 1);
    EXPECT_EQ(visc, 150) << "stored by Calc, not undone by Cancel";
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(QtFormBinder, TheShellPlacesTheForm)
{
    int designedWidth = 0;
    dialogservices.PlaceDialog = [&](TDialogPlace& p) {
        designedWidth = p.Width;
        p = {40, 60, p.Width * 2, p.Height, 1.0};
    };
    QRect shown;
    WhenModalAppears([&](QWidget* w) {
        shown = w->geometry();
        w->findChild<QPushButton*>("Button_cancel")->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(m), platform::DialogResult::Cancel);
    EXPECT_GT(designedWidth, 0);
    EXPECT_EQ(shown.width(), designedWidth * 2);
}

// A value set through the accessibility interface (a screen reader, a test
// robot), not typed, counts at OK.
TEST_F(QtFormBinder, AValueSetThroughTheAccessibilityInterfaceIsStored)
{
    WhenModalAppears([](QWidget* w) {
        auto* edit = QAccessible::queryAccessibleInterface(w->findChild<QLineEdit*>("Edit_visc"));
        edit->setText(QAccessible::Value, "150");
        w->findChild<QPushButton*>("Button_ok")->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(m), platform::DialogResult::Ok);
    EXPECT_EQ(visc, 150);
}

} // namespace
