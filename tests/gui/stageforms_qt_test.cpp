// The drive, predimensioning, texts, carrier and lubricant forms and the
// online window of both calculators on Qt: each rendered offscreen once and
// grabbed, its widgets found by the model's names, and one click carried
// through the binder.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "dialogs/stage/basicrackconverter.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/hardness.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/textsform.h"
#include "dialogs/stage/viscosityform.h"
#include "dialogs/stagedialog.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtStageForms : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
        InitPlanetaryData();
        telmvar.ProgramName = "QYR7";
        telmvar.PltDir = "/nonexistent-qyr7-help";
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    }
    void TearDown() override { telmvar.MessagesEnabled = true; }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString form, title;
    QStringList missing;
    bool grabbed = false;
    QString after; // what the checked widget shows after the click
};

// Renders the modal form, looks for the named widgets, clicks Click (when
// given), reads Watch and closes the form with Close.
void Inspect(Seen& seen, const QStringList& names, const QString& click, const QString& watch,
             const QString& close)
{
    WhenModalAppears([&seen, names, click, watch, close](QWidget* w) {
        seen.form = w->objectName();
        seen.title = w->windowTitle();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        seen.grabbed = !w->grab().isNull();
        if (!click.isEmpty())
            if (auto* b = w->findChild<QAbstractButton*>(click)) b->click();
        if (auto* label = w->findChild<QLabel*>(watch)) seen.after = label->text();
        if (auto* edit = w->findChild<QLineEdit*>(watch)) seen.after = edit->text();
        if (auto* b = w->findChild<QPushButton*>(close)) b->click();
    });
}

void Expect(const Seen& seen, const char* form, const char* title)
{
    EXPECT_EQ(seen.form, form);
    EXPECT_EQ(seen.title, QString::fromLatin1(title));
    EXPECT_TRUE(seen.missing.isEmpty()) << form << ": " << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed) << form;
}

TEST_F(QtStageForms, DriveForm)
{
    Seen seen;
    Inspect(seen,
            {"RadioGroup_antrieb_0", "RadioGroup_abtrieb_2", "RadioGroup_npt_1", "Edit_nantr", "Edit_Pantr",
             "Edit_tantr", "Edit_ncontrol", "CheckBox_blocked", "CheckBox_leistungsteilung", "Label_nabtr",
             "Label_np", "Label_zh", "Label_control", "Button_ok", "Button_cancel", "Button_help",
             "Button_update"},
            "RadioGroup_abtrieb_2", "Label_control", "Button_cancel");
    TForm_qyr7antr model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7antr", "QYR7 drive");
    EXPECT_EQ(seen.after, "C planet carrier") << "S -> H leaves the carrier as control shaft";
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(QtStageForms, PredimForm)
{
    GearPair.qp = 3;
    Seen seen;
    Inspect(seen,
            {"RadioGroup_antrieb_1", "RadioGroup_abtrieb_0", "RadioGroup_npt_2", "Edit_nantr", "Edit_nabtr",
             "Edit_pantr", "Edit_tantr", "Edit_sicherheit", "Edit_b_mn", "Button_sicherheit", "Button_b_mn",
             "Label_nmax", "Button_ok"},
            "Button_b_mn", "Edit_b_mn", "Button_cancel");
    TForm_qyr7vor model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7vor", "QYR7 drive");
    EXPECT_EQ(seen.after, "15");
}

TEST_F(QtStageForms, TextsForm)
{
    PlanetaryGears.GearName[1] = "Sonne";
    Seen seen;
    Inspect(seen,
            {"Edit_zname0", "Edit_znr4", "Edit_extzname2", "Edit_bemerk3", "Label_getriebe", "Label4",
             "Button_OK", "Button_CANCEL"},
            "", "Edit_zname1", "Button_OK");
    TForm_qyr7text model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7text", "QYR7");
    EXPECT_EQ(seen.after, "Sonne");
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(QtStageForms, CarrierForm)
{
    Seen seen;
    Inspect(seen,
            {"Edit_dshs", "Edit_dshpi", "Edit_dshpe", "Edit_hcarrier", "ComboBox_form", "CheckBox_jadcarrier",
             "Edit_dcarrier", "Edit_lcarrier", "Button_dcarrier", "Image1", "Button_metric",
             "Button_hilfebild"},
            "Button_hcarrier", "Edit_hcarrier", "Button_cancel");
    PlanetaryGears.b[gPi] = 40;
    TForm_qyr7carr model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7carr", "QYR7 planet carrier");
    EXPECT_EQ(seen.after, "24");
}

TEST_F(QtStageForms, LubricantForm)
{
    GearPair.v50 = 100;
    Seen seen;
    Inspect(seen,
            {"Edit_name", "Edit_visko40", "Edit_visko50", "Edit_visko100", "Edit_rho", "Edit_temp",
             "Label_viskot", "Button_visko40", "Button_hilfebild"},
            "Button_visko40", "Edit_visko40", "Button_cancel");
    TForm_qyr1visk model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr1visk", "QYR7 lubrication fluid");
    EXPECT_EQ(seen.after, "178");
}

TEST_F(QtStageForms, ViscosityForm)
{
    Seen seen;
    Inspect(seen,
            {"RadioGroup_visko_0", "RadioGroup_visko_2", "Edit_visko50", "Edit_visko40", "Edit_viskox",
             "Edit_temp", "Button_ok"},
            "RadioGroup_visko_1", "Edit_visko40", "Button_ok");
    std::string nu50 = "100";
    EXPECT_TRUE(AskViscosityAt50(nu50));
    Expect(seen, "TForm_viskot", "Lubricant viscosity");
    EXPECT_EQ(seen.after, "178");
    EXPECT_EQ(nu50, "100");
}

// One pass of an online calculator: render, grab, then Escape in line 1.
void InspectOnline(Seen& seen, const QStringList& names, const QString& watch)
{
    WhenModalAppears([&seen, names, watch](QWidget* w) {
        seen.form = w->objectName();
        seen.title = w->windowTitle();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        seen.grabbed = !w->grab().isNull();
        if (auto* label = w->findChild<QLabel*>(watch)) seen.after = label->text();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w->findChild<QLineEdit*>("ed_1"), &escape);
    });
}

TEST_F(QtStageForms, BasicRackConverterWindow)
{
    GearPair.mn = 3;
    GearPair.z[1] = 12;
    GearPair.z[2] = 24;
    GearPair.beta = 0;
    Seen seen;
    InspectOnline(seen, {"ed_1", "ed_8", "lb_8", "lbaz_9", "lbaw_9", "Button_unit"}, "lbaw_1");
    ShowBasicRackConverter(1);
    Expect(seen, "TForm_online", "QYR7    basic rack");
    EXPECT_EQ(seen.after, "36.00");
    EXPECT_TRUE(telmvar.MessagesEnabled);
}

TEST_F(QtStageForms, HardnessConverterWindow)
{
    Seen seen;
    InspectOnline(seen, {"ed_1", "ed_11", "lb_11", "lbaz_11", "lbaw_11"}, "lbaw_2");
    ShowHardnessConverter(7000);
    Expect(seen, "TForm_online", "QYR7    A.1 (St,GS)");
    EXPECT_EQ(seen.after, "n.def.") << "nothing entered yet";
}

} // namespace
