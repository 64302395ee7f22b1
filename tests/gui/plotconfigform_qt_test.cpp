// The plot program's configuration form on Qt, rendered offscreen: its
// widgets bound to the model by name, PostScript enabling the font box,
// the label showing the rebuilt line, and the form run from the device
// menu's hook, where OK without a change keeps the stored line.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>

#include "dialogs/qt/dialogforms_qt.h"
#include "dialogs/qt/formbinder.h"
#include "foundation/programstate.h"
#include "graphics/graphservices.h"
#include "graphics/plotprogram.h"
#include "graphics/qt/plotconfigform_qt.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtConfKorvilt : public ::testing::Test
{
  protected:
    void SetUp() override { telmvar.TempDir = "/t"; }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

TEST_F(QtConfKorvilt, BoundToItsModel)
{
    TConfKorviltModel model;
    std::unique_ptr<QDialog> form = dialogs_qt::MakeBoundForm(model, nullptr, graphics_qt::ConfKorviltLayout);
    form->show();
    EXPECT_EQ(form->objectName(), "TForm_confkorvilt");
    EXPECT_EQ(form->windowTitle(), "KORVILT");
    for (const platform::DialogControl& c : model.Controls())
        EXPECT_NE(form->findChild<QWidget*>(QString::fromStdString(c.Name)), nullptr) << c.Name;

    auto* fonts = form->findChild<QComboBox*>("ComboBox_psfont");
    auto* label = form->findChild<QLabel*>("Label_commandline");
    ASSERT_TRUE(fonts && label);
    EXPECT_EQ(fonts->count(), 35);
    EXPECT_FALSE(fonts->isEnabled());
    EXPECT_EQ(label->text(), "c:\\korvilt\\wkorvilt /t/korvilt /CHPL");

    form->findChild<QRadioButton*>("RadioGroup_outcode_1")->click();
    EXPECT_TRUE(fonts->isEnabled()) << "PostScript";
    EXPECT_EQ(label->text(), "c:\\korvilt\\wkorvilt /t/korvilt /CPS /T");

    form->findChild<QRadioButton*>("RadioGroup_d_0")->click();
    auto* com = form->findChild<QLineEdit*>("Edit_com");
    EXPECT_TRUE(com->isEnabled());
    EXPECT_FALSE(form->findChild<QLineEdit*>("Edit_lpt")->isEnabled());
    com->selectAll();
    Type(com, "2");
    EXPECT_EQ(label->text(), "c:\\korvilt\\wkorvilt /t/korvilt /CPS /D1 /P2 /T");
    EXPECT_EQ(label->text().toStdString(), model.CommandLine());

    form->findChild<QAbstractButton*>("CheckBox_scale")->click();
    EXPECT_FALSE(form->findChild<QLineEdit*>("Edit_scale")->isEnabled());
    EXPECT_EQ(form->findChild<QLineEdit*>("Edit_scale")->text(), "0");
    EXPECT_EQ(label->text(), "c:\\korvilt\\wkorvilt /t/korvilt /CPS /D1 /P2 /M* /T");

    const QPixmap picture = form->grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 200);
    // A stored font that the list does not hold shows as stored.
    TConfKorviltModel stored;
    stored.SetField("ComboBox_psfont", "MyFont");
    form = dialogs_qt::MakeBoundForm(stored, nullptr, graphics_qt::ConfKorviltLayout);
    EXPECT_EQ(form->findChild<QComboBox*>("ComboBox_psfont")->currentText(), "MyFont");
}

TEST_F(QtConfKorvilt, DeviceMenuFormKeepsTheLineOnOk)
{
    dialogs_qt::InstallPlotForm(qt.QtDialogs());
    std::string line = "/opt/plot/korvilt /t/korvilt /M1.0";
    bool shown = false;
    WhenModalAppears([&shown](QWidget* w) {
        shown = w->objectName() == "TForm_confkorvilt";
        if (auto* ok = w->findChild<QAbstractButton*>("Button_ok")) ok->click();
    });
    telmvar.Aborted = false;
    graphservices.ConfigurePlotCommandLine(line);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(line, "/opt/plot/korvilt /t/korvilt /M1.0");
}

} // namespace
