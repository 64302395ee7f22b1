// Every form the program registers, built with a model: no named widget that
// takes a click or input is without a control of its model (unless its form
// marks it as shown only), each list shows its model's value, an empty one
// included, and each unit label the form shows is filled.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <filesystem>
#include <set>

#include "app/auxiliaryimages.h"
#include "app/colournumberpicker.h"
#include "app/configdialog.h"
#include "app/programidentity.h"
#include "app/qt/auxiliaryimages_qt.h"
#include "app/qt/configdialog_qt.h"
#include "app/qt/systeminfo_qt.h"
#include "app/systeminfo.h"
#include "common/tempdir.h"
#include "dialogs/animation/animationforms.h"
#include "dialogs/calculatorwindow.h"
#include "dialogs/diagramlimits.h"
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
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/textsform.h"
#include "dialogs/stage/viscosityform.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "drawings/sheet/changeentryform.h"
#include "drawings/sheet/documentlinksform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "graphics/anistep.h"
#include "graphics/plotprogram.h"
#include "graphics/printconf.h"
#include "graphics/qt/anistep_qt.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/preview/filepreview.h"
#include "reports/qt/filepreview_qt.h"
#include "xbase/access/tableaccess.h"
#include "xbase/qt/tablebrowser_qt.h"

namespace
{

using Model = std::unique_ptr<platform::DialogModel>;

// What a shown form does wrong, one line each.
std::vector<std::string> Faults(QWidget& form, const platform::DialogModel& model)
{
    static const QRegularExpression unitLabel(QStringLiteral("^Label_\\w+u$"));
    std::vector<std::string> faults;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        // The toolkit's own parts (a tab bar's scroll buttons) are no fields.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || platform::IsShownOnly(*w) ||
            qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        const std::string n = name.toStdString();
        const platform::DialogControl* c = model.FindControl(n);
        auto* combo = qobject_cast<QComboBox*>(w);
        if (!c && (combo || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                   qobject_cast<QAbstractSpinBox*>(w)))
            faults.push_back(n + ": takes input, no control");
        if (c && combo && !combo->isEditable() &&
            (c->Text.empty() ? combo->currentIndex() != -1
                             : combo->currentText() != platform::ToQString(c->Text)))
            faults.push_back(n + ": shows \"" + platform::FromQString(combo->currentText()) + "\" for \"" +
                             c->Text + "\"");
        auto* label = qobject_cast<QLabel*>(w);
        if (label && unitLabel.match(name).hasMatch() && label->isVisibleTo(&form) &&
            label->text().trimmed().isEmpty())
            faults.push_back(n + ": unit label empty");
    }
    return faults;
}

template <class... T> void Add(std::vector<std::function<Model()>>& Models)
{
    (Models.push_back([] { return Model(new T); }), ...);
}

class QtAllForms : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitProgramIdentity();
        SetGearDefaults();
        InitGearPairData();
        InitPlanetaryData();
        telmvar.PltDir = "/nonexistent-qyr7-help";
        wtelmvar.ConfigDir = telmvar.TempDir = tmp.Path() + "/";
        auto& host = qt.QtDialogs();
        dialogs_qt::RegisterDialogForms(host);
        dialogs_qt::InstallPlotForm(host);
        RegisterHilfebildForm(host);
        RegisterSystemInfoForms(host);
        RegisterConfigForms(host);
        xbase_qt::RegisterTableBrowserForm(host);
        reports_qt::RegisterPreviewForms(host);
        RegisterAnimationStepForm(host);
    }
    void TearDown() override { dbf4.CloseTable(); }
    AppFirst app_;
    testdirs::ScopedTempDir tmp{"allforms"};
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

TEST_F(QtAllForms, EveryInputHasItsControlEveryListAndUnitLabelShowsItsValue)
{
    // No alignment stored: its list shows no item.
    PlanetaryGears.ToothAlignment[1] = 0;
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrum[1] = {1e6L, 500};
    TLoadSpectrumEditor editor;
    ASSERT_TRUE(editor.BeginModify(1));
    std::string search;
    const std::string table = tmp.Path() + "/qyrwst.dbf";
    std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/qyrwst.dbf", table);
    dbf4.OpenTable(table);
    std::vector<std::function<Model()>> models = {[&] { return Model(new TForm_qyrconf(2)); },
                                                  [&] { return Model(new TForm_einarray("spectrum", 1, 1)); },
                                                  [&] { return Model(new TForm_lki(editor)); },
                                                  [&] { return Model(new TForm_vq1waelz(2)); },
                                                  [&] { return Model(new TForm_EinAend(1)); },
                                                  [&] { return Model(new TForm_Suchen(search)); }};
    Add<TForm_qyr7antr, TForm_qyr7vor, TForm_qyr7text, TForm_qyr7carr, TForm_qyr1visk, TForm_viskot,
        TForm_qyr7geo, TForm_qyr7beff, TEinDiagramLimits, TForm_qyr7wst, TForm_qyr7mes, TForm_qyr7qual,
        TForm_qyr7prof, TForm_qyr1schn, TForm_qyr1conf, TForm_qyr7fs0, TForm_qyr7fs1, TForm_qyr7fs2,
        TForm_qyr5con2, TForm_qyr5con3, TForm_qyrlk1, TForm_qyr1ani, TForm_qyr5ani, TForm_online,
        TForm_zeichInfo, TForm_confDoku, TForm_printconf, TConfKorviltModel, TForm_hilfebild, TSysinfo,
        TAboutBox, Tconfig, TForm_selectcolor, TForm_preview, TForm_anistep, TDbfBrowserModel>(models);
    std::set<std::string> covered;
    for (const auto& make : models) {
        const Model model = make();
        const std::string form = model->FormName();
        SCOPED_TRACE(form);
        covered.insert(form);
        std::vector<std::string> faults{"not shown"};
        WhenModalAppears([&faults, &model](QWidget* w) {
            faults = Faults(*w, *model);
            w->close();
        });
        qt.QtDialogs().RunModal(*model);
        std::string all;
        for (const std::string& f : faults)
            all += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << form << ":" << all;
    }
    for (const std::string& form : qt.QtDialogs().FormNames())
        EXPECT_TRUE(covered.count(form)) << form << " is registered but not built here";
}

} // namespace
