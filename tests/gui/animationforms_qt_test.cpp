// The animation settings forms on Qt: rendered offscreen, grabbed (the
// stage form's picture size goes to the test log), their widgets found by
// the models' names and a click carried through the binder to the model.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/animation/animationforms.h"
#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <iostream>

namespace
{

class QtAnimationForms : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitGearPairData();
        telmvar.ProgramName = "QYR7";
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString title;
    QStringList missing;
    QSize grab;
    QString ms, wa, wmax, degree;
};

TEST_F(QtAnimationForms, StageFormShowsTheModelAndHandsBackTheTypedSteps)
{
    Seen seen;
    WhenModalAppears([&seen](QWidget* w) {
        seen.title = w->windowTitle();
        for (const char* n :
             {"Edit_anzbild", "Edit_wmax", "Edit_ms", "CheckBox_singlestep", "Label_anzbild", "Label_wmax",
              "Label_ms", "Label2", "Label_deg", "Button_ok", "Button_cancel", "Button_help"})
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        seen.grab = w->grab().size();
        seen.wmax = w->findChild<QLineEdit*>("Edit_wmax")->text();
        seen.degree = w->findChild<QLabel*>("Label_deg")->text();
        QLineEdit* steps = w->findChild<QLineEdit*>("Edit_anzbild");
        steps->setText("77");
        emit steps->textEdited("77");
        w->findChild<QPushButton*>("Button_ok")->click();
    });
    TForm_qyr5ani model;
    model.Control("Edit_ms").Text = "0"; // the gear-wheel animation's prefill
    telmvar.Aborted = true;
    EXPECT_EQ(qt.Dialogs().RunModal(model), platform::DialogResult::Ok);
    EXPECT_EQ(seen.title, "Animation");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    std::cout << "TForm_qyr5ani grabbed at " << seen.grab.width() << " x " << seen.grab.height() << "\n";
    RecordProperty("StageFormGrab",
                   std::to_string(seen.grab.width()) + "x" + std::to_string(seen.grab.height()));
    EXPECT_NEAR(seen.grab.width(), 316, 40);
    EXPECT_NEAR(seen.grab.height(), 225, 40);
    EXPECT_EQ(seen.wmax, "360");
    EXPECT_EQ(seen.degree, QString::fromUtf8("\xC2\xB0"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(model.Control("Edit_anzbild").Text, "77");
    EXPECT_EQ(model.Control("Edit_ms").Text, "0");
}

TEST_F(QtAnimationForms, MeshFormFillsOnePitchAndZeroesThePauseForSingleSteps)
{
    GearPair.z[1] = -21;
    Seen seen;
    WhenModalAppears([&seen](QWidget* w) {
        seen.title = w->windowTitle();
        for (const char* n : {"Edit_anzbild", "Edit_ms", "Edit_wa", "Edit_we", "Label_wau", "Label_weu",
                              "Button_w", "Button_ae", "Button_ac", "Button_ce", "Button_ms",
                              "Button_anzbild", "CheckBox_singlestep", "Button_help"})
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        seen.grab = w->grab().size();
        w->findChild<QPushButton*>("Button_w")->click();
        w->findChild<QCheckBox*>("CheckBox_singlestep")->click();
        seen.wa = w->findChild<QLineEdit*>("Edit_wa")->text();
        seen.ms = w->findChild<QLineEdit*>("Edit_ms")->text();
        w->findChild<QPushButton*>("Button_cancel")->click();
    });
    TForm_qyr1ani model;
    telmvar.Aborted = false;
    EXPECT_EQ(qt.Dialogs().RunModal(model), platform::DialogResult::Cancel);
    EXPECT_EQ(seen.title, "QYR7 Animation");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_FALSE(seen.grab.isEmpty());
    EXPECT_EQ(seen.wa, "17.14");
    EXPECT_EQ(seen.ms, "0");
    EXPECT_TRUE(telmvar.Aborted);
}

} // namespace
