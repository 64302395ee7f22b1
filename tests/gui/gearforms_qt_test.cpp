// The gear forms on Qt: each rendered offscreen once and grabbed, its
// widgets found by the model's names, one click carried through the binder
// and a hidden control hidden on the widget.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/gear/cutterform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/qualityform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "dialogs/stagedialog.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtGearForms : public ::testing::Test
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
    QStringList missing, shownButHidden;
    bool grabbed = false;
    QString after;
};

// Renders the modal form, looks for the named widgets, checks that the
// hidden ones are hidden, clicks Click, reads Watch and closes with Close.
void Inspect(Seen& seen, const QStringList& names, const QStringList& hidden, const QString& click,
             const QString& watch, const QString& close)
{
    WhenModalAppears([&seen, names, hidden, click, watch, close](QWidget* w) {
        seen.form = w->objectName();
        seen.title = w->windowTitle();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        for (const QString& n : hidden)
            if (auto* h = w->findChild<QWidget*>(n); !h || h->isVisible()) seen.shownButHidden << n;
        seen.grabbed = !w->grab().isNull();
        if (!click.isEmpty())
            if (auto* b = w->findChild<QAbstractButton*>(click)) b->click();
        if (auto* edit = w->findChild<QLineEdit*>(watch)) seen.after = edit->text();
        if (auto* label = w->findChild<QLabel*>(watch)) seen.after = label->text();
        if (auto* list = w->findChild<QComboBox*>(watch)) seen.after = list->itemText(2);
        if (auto* b = w->findChild<QPushButton*>(close)) b->click();
    });
}

void Expect(const Seen& seen, const char* form, const char* title)
{
    EXPECT_EQ(seen.form, form);
    EXPECT_EQ(seen.title, QString::fromLatin1(title));
    EXPECT_TRUE(seen.missing.isEmpty()) << form << ": " << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.shownButHidden.isEmpty()) << form << ": " << seen.shownButHidden.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed) << form;
}

TEST_F(QtGearForms, DimensionsForm)
{
    GearPair.mn = 2;
    Seen seen;
    Inspect(seen,
            {"Edit_alpha", "Edit_beta", "Edit_mn", "Edit_pitch", "SpinEdit_q", "ComboBox_flankricht",
             "Edit_z4", "SpinButton1Down", "SpinButton4Up", "Edit_b03", "Edit_b4", "Edit_x4", "Edit_kmn4",
             "Edit_db4", "Button_x3min", "Button_beff", "Button_rechnen", "Button_metric", "SpinButton_mnUp"},
            {}, "Button_b12", "Edit_b01", "Button_cancel");
    TForm_qyr7geo model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7geo", "QYR7 Dimensions");
    EXPECT_EQ(seen.after, "30") << "15 x mn 2 on all four gears";
}

// Each step button clicked in the window: the module to the next standard
// module, a tooth number of zS 24, zPi 20, zPe 22, zH -90 under the assembly
// condition (90 - zS divisible by q), q as typed stored at once.
TEST_F(QtGearForms, DimensionsStepButtonsStepTheirFields)
{
    const struct {
        const char *button, *edit, *q, *shown;
    } rows[] = {{"SpinButton_mnDown", "Edit_mn", "", "2"}, {"SpinButton_mnUp", "Edit_mn", "", "2.5"},
                {"SpinButton1Down", "Edit_z1", "", "21"},  {"SpinButton1Up", "Edit_z1", "", "27"},
                {"SpinButton1Down", "Edit_z1", "4", "22"}, {"SpinButton2Down", "Edit_z2", "", "19"},
                {"SpinButton2Up", "Edit_z2", "", "21"},    {"SpinButton3Down", "Edit_z3", "", "21"},
                {"SpinButton3Up", "Edit_z3", "", "23"},    {"SpinButton4Down", "Edit_z4", "", "-87"},
                {"SpinButton4Up", "Edit_z4", "", "-93"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.button) + " q " + r.q);
        GearPair.mn = 2.2L;
        GearPair.qp = 3;
        const int z[] = {24, 20, 22, -90};
        for (int i = 1; i <= 4; ++i)
            PlanetaryGears.z[i] = z[i - 1];
        QString shown;
        WhenModalAppears([&shown, r](QWidget* w) {
            if (*r.q) w->findChild<QLineEdit*>("SpinEdit_q")->setText(QString::fromLatin1(r.q));
            if (auto* b = w->findChild<QAbstractButton*>(r.button)) b->click();
            shown = w->findChild<QLineEdit*>(r.edit)->text();
            w->findChild<QPushButton*>("Button_cancel")->click();
        });
        TForm_qyr7geo model;
        RunModalDialog(model);
        EXPECT_EQ(shown.toStdString(), r.shown);
        EXPECT_EQ(GearPair.qp, *r.q ? 4 : 3) << "a tooth step stores q as typed";
    }
}

// A stored alignment without an item (0) shows none; picking the first item
// then stores it. An alignment with an item shows that item.
TEST_F(QtGearForms, DimensionsAlignmentListShowsTheStoredAlignment)
{
    const struct {
        int stored, shown, picked, after;
    } rows[] = {{0, -1, 0, 1}, {2, 1, 0, 1}, {3, 2, 1, 2}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        GearPair.mn = 2;
        PlanetaryGears.ToothAlignment[1] = r.stored;
        telmvar.MessagesEnabled = false;
        int shown = -2;
        WhenModalAppears([&shown, r](QWidget* w) {
            auto* list = w->findChild<QComboBox*>("ComboBox_flankricht");
            shown = list->currentIndex();
            list->setCurrentIndex(r.picked);
            w->findChild<QPushButton*>("Button_ok")->click();
        });
        TForm_qyr7geo model;
        RunModalDialog(model);
        EXPECT_EQ(shown, r.shown);
        EXPECT_EQ(PlanetaryGears.ToothAlignment[1], r.after);
    }
}

TEST_F(QtGearForms, FaceWidthForm)
{
    GearPair.mn = 3;
    Seen seen;
    Inspect(seen, {"Edit_b1", "Edit_b4", "Edit_fase1", "Edit_fase4", "Button_b", "Button_hilfebild"},
            {"Edit_mv1", "Edit_mv3", "Label_mv", "Button_mv"}, "Button_fase", "Edit_fase3", "Button_cancel");
    TForm_qyr7beff model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7beff", "QYR7  beff.");
    EXPECT_EQ(seen.after, "3");
}

TEST_F(QtGearForms, MaterialForm)
{
    PlanetaryGears.HeatTreatment[2] = 5;
    Seen seen;
    Inspect(seen,
            {"GroupBox1", "GroupBox4", "Edit_name1", "ComboBox_wstyp2", "ComboBox_warm3", "Edit_sigfe4",
             "Edit_sighlim1", "Edit_hb2", "Button_hb3", "Edit_e4", "Edit_mue1", "Edit_rho2", "Button4",
             "Button_calc"},
            {}, "", "Label_mue", "Button_cancel");
    TForm_qyr7wst model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7wst", "QYR7  Material data, hardness, Heat treatment");
    EXPECT_EQ(seen.after, QString::fromUtf8("Poisson ratio \u00B5"));
}

// E typed as 0 into the widget is refused with the project file's range, storing nothing.
TEST_F(QtGearForms, MaterialModulusOutsideTheProjectFilesRangeIsRefusedInTheWidget)
{
    PlanetaryGears.E[1] = 206000;
    TForm_qyr7wst model;
    EXPECT_EQ(RefusedInTheWidget(model, "Edit_e1", "0"),
              "Invalid Input \"0\" ! Valid Data are: 0.001 .. 1e+07 !");
    EXPECT_EQ(PlanetaryGears.E[1], 206000) << "nothing stored";
}

TEST_F(QtGearForms, MeasurementForm)
{
    PlanetaryGears.SpanTeeth[3] = 4;
    Seen seen;
    Inspect(
        seen,
        {"Edit_k1", "Edit_k4", "Edit_dm1", "Edit_dm4", "Button_k", "Button_dm", "Button_hbk", "Label_dmu"},
        {}, "", "Edit_k3", "Button_cancel");
    TForm_qyr7mes model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7mes", "QYR7  No. of teeth measured, Ball and pin diameters");
    EXPECT_EQ(seen.after, "4");
}

TEST_F(QtGearForms, PinionCutterForm)
{
    PlanetaryGears.z[gH] = -97;
    Seen seen;
    Inspect(seen, {"Edit_z0", "Edit_x0", "Button_x0", "Label_z0"}, {"Button_hilfebild"}, "Button_z0",
            "Edit_z0", "Button_cancel");
    TForm_qyr1schn model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr1schn", "QYR7 pinion cutter");
    EXPECT_EQ(seen.after, "48");
}

TEST_F(QtGearForms, QualityForm)
{
    GearPair.mn = 2;
    PlanetaryGears.TsnSeries[1] = 11; // entered: the series list is hidden
    PlanetaryGears.prP0[1] = 0;
    Seen seen;
    Inspect(seen,
            {"ComboBox_qual4", "ComboBox_tol1", "Edit_asne3", "Edit_Aq1", "Edit_aq2", "ComboBox_aa3",
             "Edit_aai2"},
            {"ComboBox_asn1", "Label_asn1", "Label_aau3"}, "Button_q1", "Edit_q1", "Button_cancel");
    TForm_qyr7qual model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7qual", "QYR7 Quality");
    EXPECT_DOUBLE_EQ(seen.after.toDouble(), 0.06) << "0.03 mn without protuberance";
}

TEST_F(QtGearForms, ToolProfileForm)
{
    GearPair.alpha = 20;
    for (int g = 1; g <= 4; ++g) {
        PlanetaryGears.ToolProfileNo[g] = 4;
        PlanetaryGears.alphakP0[g] = 20; // no chamfer, no protuberance: rows hidden
        PlanetaryGears.prP0_mn[g] = 0;
    }
    Seen seen;
    Inspect(seen,
            {"ComboBox1", "Edit_hap4", "CheckBox_prot2", "Button_db3", "Button_append1", "Button_schneidrad"},
            {"Edit_alkp1", "Edit_hffp4", "Edit_prp2"}, "Button_4gleich1", "ComboBox2", "Button_cancel");
    TForm_qyr7prof model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7prof", "QYR7  DIMENSIONS OF GEAR-CUTTING TOOL");
    EXPECT_EQ(seen.after.toStdString(), "1.4/1.0/0.4/pr0.02/6\u00B0");
}

TEST_F(QtGearForms, DrawingConfigForm)
{
    GearPair.z[1] = 20;
    GearPair.MeshRotationAngle = 2;
    Seen seen;
    Inspect(seen,
            {"CheckBox_fussausrundung_zeichnen", "edit_aufloesung_fussausrundung", "edit_anzevolvpoints",
             "CheckBox_polyline", "edit_anzhohl", "edit_anzhull", "CheckBox_durchmesser_anzeigen",
             "CheckBox_jaDrawBohrung", "Edit_xee1", "Edit_xeh2", "ComboBox_xee", "ComboBox_a", "Edit_a",
             "Button_wdrehc", "Button_reset"},
            {}, "SpinButton_wdrehUp", "Edit_wdreh1", "Button_cancel");
    TForm_qyr1conf model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr1conf", "QYR7");
    EXPECT_EQ(seen.after, "3") << "one step of 20 / z1 degrees";
}

TEST_F(QtGearForms, CadConfigFormShowsTheBoltCircleOfARingGear)
{
    GearPair.mn = 2;
    GearPair.z[2] = -97;
    GearPair.df[2] = -210;
    GearPair.dB[2] = -260;
    GearPair.RingFixingHoles.Enabled = false;
    QStringList visibleAfterClick;
    WhenModalAppears([&visibleAfterClick](QWidget* w) {
        auto* box = w->findChild<QAbstractButton*>("CheckBox_jaDrawBohrHohlrad");
        auto* group = w->findChild<QWidget*>("GroupBox_bohr");
        if (box && box->isVisible() && group && !group->isVisible()) {
            box->click();
            if (group->isVisible()) visibleAfterClick << "GroupBox_bohr";
        }
        if (auto* b = w->findChild<QPushButton*>("Button_anzbohr")) b->click();
        if (auto* e = w->findChild<QLineEdit*>("SpinEdit_anzbohr")) visibleAfterClick << e->text();
        EXPECT_FALSE(w->grab().isNull());
        if (auto* b = w->findChild<QPushButton*>("Button_cancel")) b->click();
    });
    TForm_qyrconf model(2);
    RunModalDialog(model);
    EXPECT_EQ(visibleAfterClick, QStringList({"GroupBox_bohr", "16"}))
        << "the model's visibility on the widget";
}

} // namespace
