// The strength, option and load spectrum forms on Qt: each rendered
// offscreen once and grabbed, its widgets found by the model's names, and
// one action carried through to the model.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtStrengthForms : public ::testing::Test
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
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString form, title;
    QSize size;
    QStringList missing;
    bool grabbed = false;
    QString after;
};

// Renders the modal form, looks for the named widgets (actions included),
// runs Act on it and closes it with Close.
void Inspect(Seen& seen, const QStringList& names, std::function<void(QWidget*, Seen&)> act,
             const QString& close)
{
    WhenModalAppears([&seen, names, act, close](QWidget* w) {
        seen.form = w->objectName();
        seen.size = w->size();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n) && !w->findChild<QAction*>(n)) seen.missing << n;
        seen.grabbed = !w->grab().isNull();
        if (act) act(w, seen);
        seen.title = w->windowTitle(); // after the steps a form can take
        if (auto* b = w->findChild<QPushButton*>(close)) b->click();
    });
}

void Expect(const Seen& seen, const char* form, const QString& title)
{
    EXPECT_EQ(seen.form, form);
    EXPECT_EQ(seen.title, title);
    EXPECT_TRUE(seen.missing.isEmpty()) << form << ": " << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed) << form;
}

TEST_F(QtStrengthForms, FullStrengthDialog)
{
    GearPair.CalcMethod = 1;
    Seen seen;
    Inspect(
        seen,
        {"ComboBox_rfcode", "GroupBox1", "Edit_di1", "Edit_ynt4", "RadioGroup_Lnt_1", "Edit_visko",
         "Button_oel", "Edit_kgamma", "CheckBox_pfeil", "GroupBox_fs2", "GroupBox_lagerh", "ComboBox_bi443p",
         "Edit_l1s", "Edit_dshh", "CheckBox_notch", "Edit_tgrg4", "Button_calc", "Button_metric"},
        [](QWidget* w, Seen& s) {
            auto* combo = w->findChild<QComboBox*>("ComboBox_rfcode");
            combo->setCurrentText("Input K,Y,Z");
            s.after = w->findChild<QGroupBox*>("GroupBox_fs2")->isVisibleTo(w) ? "shown" : "hidden";
        },
        "Button_cancel");
    TForm_qyr7fs0 model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyr7fs0", "QYR7  Strength");
    // Designed 998 x 689; the offscreen screen may take a few pixels off
    // the height for the window frame.
    EXPECT_EQ(seen.size.width(), 998);
    EXPECT_NEAR(seen.size.height(), 689, 6);
    EXPECT_EQ(seen.after, "hidden") << "entered factors hide the mesh group";
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(QtStrengthForms, CompactDialogs)
{
    GearPair.CalcMethod = 4;
    Seen one;
    Inspect(one, {"GroupBox1", "GroupBox2", "Edit_rzroot3", "Button_viskox", "Button_help", "Button_calc"},
            nullptr, "Button_ok");
    TForm_qyr7fs1 m1;
    RunModalDialog(m1);
    Expect(one, "TForm_qyr7fs1", "QYR7  Strength acc. ISO 6336:2006-2008");
    EXPECT_FALSE(telmvar.Aborted);

    Seen two;
    Inspect(two, {"GroupBox_lagers", "Button_bi442p", "Button_dshh", "Edit_fma3", "CheckBox_endrn"}, nullptr,
            "Button_ok");
    TForm_qyr7fs2 m2;
    RunModalDialog(m2);
    Expect(two, "TForm_qyr7fs2", "Strength acc. ISO 6336:2006-2008");
}

TEST_F(QtStrengthForms, OptionDialogs)
{
    Seen con2;
    Inspect(con2, {"RadioGroup_mess_1", "RadioGroup_vzq_0", "ComboBox_warnung", "Button_reset"}, nullptr,
            "Button_cancel");
    TForm_qyr5con2 m2;
    RunModalDialog(m2);
    Expect(con2, "TForm_qyr5con2", "QYR7");

    Seen con3;
    Inspect(
        con3,
        {"ComboBox_rfcode", "RadioGroup_ka_1", "ComboBox_yfsx", "CheckBox_zwischenwertedrucken",
         "RadioGroup_lnt_0"},
        [](QWidget* w, Seen& s) {
            s.after = w->findChild<QWidget*>("RadioGroup_ka")->isEnabled() ? "on" : "off";
        },
        "Button_ok");
    TForm_qyr5con3 m3;
    RunModalDialog(m3);
    Expect(con3, "TForm_qyr5con3", "QYR7");
    EXPECT_EQ(con3.after, "off") << "no load spectrum";
}

TEST_F(QtStrengthForms, LoadSpectrumTableWithItsMenu)
{
    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrum[1] = {1e6L, 500};
    GearPair.LoadSpectrum[2] = {2e6L, 250};
    Seen seen;
    Inspect(
        seen,
        {"StringGrid1", "mi_fileimport", "mi_fileExport", "mi_editCopy", "mi_editPaste",
         "mi_viewloadcycleslogarithmic", "mi_viewError", "Button_add", "Button_add1", "Button_del",
         "Button_metric"},
        [](QWidget* w, Seen& s) {
            auto* table = w->findChild<QTableWidget*>("StringGrid1");
            table->item(0, 1)->setText("600");
            table->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
            w->findChild<QAction*>("mi_editCopy")->trigger();
            s.after = QString::number(table->rowCount()) + " " + table->horizontalHeaderItem(1)->text();
            table->clearSelection(), table->setRangeSelected(QTableWidgetSelectionRange(1, 2, 1, 2), true);
            WhenModalAppears([&s](QWidget* b) { s.after += b->property("text").toString(), b->close(); });
            w->findChild<QAction*>("mi_editPaste")->trigger(); // the two rows copied, into the last cell
        },
        "Button_ok");
    TForm_qyrlk1 model;
    RunModalDialog(model);
    Expect(seen, "TForm_qyrlk1", "QYR7");
    EXPECT_EQ(seen.after.toStdString(),
              "2 Torque [Nm]1 line of the clipboard left out: the table ends at bin 2 and a paste "
              "adds no bins (\"+\" adds them)");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 600) << "an edited cell reaches the working list";
    EXPECT_EQ(GearPair.LoadSpectrum[2].T, 250);
}

TEST_F(QtStrengthForms, EditorListAndItem)
{
    telmvar.TextItems[1] = "001:    T=   500.0 Nm       N= 1000000";
    Seen list;
    Inspect(
        list, {"ListBox1", "Button_new", "Button_156", "Button_158", "Button_hilfebild"},
        [](QWidget* w, Seen& s) { s.after = w->findChild<QListWidget*>("ListBox1")->item(0)->text(); },
        "Button_modify");
    TForm_einarray m("load spectrum QYR7", 1, 1);
    RunModalDialog(m);
    Expect(list, "TForm_einarray", "load spectrum QYR7");
    EXPECT_EQ(list.after.toStdString(), telmvar.TextItems[1]);
    EXPECT_EQ(m.ActionCode, 9);

    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrum[1] = {1e6L, 500};
    TLoadSpectrumEditor editor;
    ASSERT_TRUE(editor.BeginModify(1));
    Seen item;
    auto up = [](QWidget* w, Seen&) { // the input mode alone, then the next item
        for (const char* b : {"RadioButton2", "SpinButton1Up"})
            w->findChild<QAbstractButton*>(b)->click();
    };
    Inspect(item,
            {"RadioButton1", "RadioButton2", "Edit_ti", "Edit_ni", "RadioGroup_ntp_2", "RadioGroup_t_1",
             "Edit_th", "SpinButton1Up", "Button_metric"},
            up, "Button_cancel");
    TForm_lki lki(editor);
    RunModalDialog(lki);
    Expect(item, "TForm_lki", "item 2"); // the caption names the item shown
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 1e6L) << "stored by the step as it was shown";

    // A torque typed on item 1 and stored by the step; on item 2 the input
    // mode alone, and OK: item 2 keeps its cycles (20,123 come back from
    // the rounded speed and time as 20,124).
    GearPair.LoadSpectrum[2] = {20123, 250};
    ASSERT_TRUE(editor.BeginModify(1));
    Seen typed;
    Inspect(
        typed, {"Edit_ti"},
        [](QWidget* w, Seen&) {
            w->findChild<QLineEdit*>("Edit_ti")->setText("600");
            for (const char* b : {"SpinButton1Up", "RadioButton2"})
                w->findChild<QAbstractButton*>(b)->click();
        },
        "Button_ok");
    TForm_lki typedIn(editor);
    RunModalDialog(typedIn);
    Expect(typed, "TForm_lki", "item 2");
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 600) << "typed on item 1";
    EXPECT_EQ(GearPair.LoadSpectrum[2].N, 20123) << "the mode switch alone";
    EXPECT_EQ(GearPair.LoadSpectrum[2].T, 250);
}

// 1e31 load cycles typed are refused with the 0 .. 1e30 the load spectrum file holds; the item keeps its own.
TEST_F(QtStrengthForms, LoadCyclesTheProjectFileCannotHoldAreRefusedInTheItemWidget)
{
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrum[1] = {1e6L, 500};
    TLoadSpectrumEditor editor;
    ASSERT_TRUE(editor.BeginModify(1));
    TForm_lki model(editor);
    EXPECT_EQ(RefusedInTheWidget(model, "Edit_ni", "1e31"),
              "Invalid Input \"1e31\" ! Valid Data are: 0 .. 1e+30 !");
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 1e6L) << "nothing stored";
}

} // namespace
