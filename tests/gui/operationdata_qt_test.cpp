// The planet bearing's operating data form on Qt, offscreen in the C
// locale: registered under its form name, every control of the model found
// as a widget showing its caption, one click through the binder, and a grab
// of the rendered form reported in the test log.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <iostream>

#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "platform/qt/platform_qt.h"
#include "platform/qt/qttext.h"
#include "qtfixture.h"

namespace
{

class QtOperationData : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitPlanetBearings();
        wtelmvar.UnitSystem = 0;
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    }
    void TearDown() override { InitPlanetBearings(); }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

TEST_F(QtOperationData, FormShowsEveryControlAndStoresOnOk)
{
    PlanetBearings[2].Designation = "NU205";
    PlanetBearings[2].d = 25;
    PlanetBearings[2].D = 52;
    PlanetBearings[2].LifeFactorMode = 3;
    PlanetaryStage.nBearing[2] = 1500;
    TForm_vq1waelz model(2);

    QString form;
    QStringList missing, wrongCaption;
    int comboItems = 0;
    bool ecShownBefore = false, ecHiddenAfter = false;
    QSize grabbed;
    WhenModalAppears([&](QWidget* w) {
        form = w->objectName();
        for (const platform::DialogControl& c : model.Controls()) {
            const QString name = QString::fromStdString(c.Name);
            QWidget* widget = w->findChild<QWidget*>(name);
            if (!widget) {
                missing << name;
                continue;
            }
            QString shown;
            if (auto* b = qobject_cast<QAbstractButton*>(widget))
                shown = b->text();
            else if (auto* l = qobject_cast<QLabel*>(widget))
                shown = l->text();
            else if (auto* g = qobject_cast<QGroupBox*>(widget))
                shown = g->title();
            else
                continue;
            if (shown != platform::ToQString(c.Caption)) wrongCaption << name + "=" + shown;
        }
        if (auto* combo = w->findChild<QComboBox*>("ComboBox_proz")) comboItems = combo->count();
        const QPixmap pixmap = w->grab();
        grabbed = pixmap.size();
        auto* ec = w->findChild<QLineEdit*>("Edit_ec");
        ecShownBefore = ec && ec->isVisibleTo(w);
        // "a23 calculated" hides the contamination fields.
        if (auto* radio = w->findChild<QRadioButton*>("RadioGroup_a23_0")) radio->click();
        ecHiddenAfter = ec && !ec->isVisibleTo(w);
        if (auto* edit = w->findChild<QLineEdit*>("Edit_visko")) {
            edit->setText("150");
            emit edit->textEdited("150");
        }
        if (auto* ok = w->findChild<QPushButton*>("Button_ok")) ok->click();
    });
    const auto result = qt.Dialogs().RunModal(model);

    std::cout << "grab of TForm_vq1waelz: " << grabbed.width() << " x " << grabbed.height() << " pixels\n";
    RecordProperty("grab", std::to_string(grabbed.width()) + "x" + std::to_string(grabbed.height()));
    EXPECT_EQ(form, "TForm_vq1waelz");
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
    EXPECT_TRUE(wrongCaption.isEmpty()) << wrongCaption.join(' ').toStdString();
    EXPECT_EQ(comboItems, 14);
    EXPECT_FALSE(grabbed.isEmpty());
    EXPECT_TRUE(ecShownBefore);
    EXPECT_TRUE(ecHiddenAfter);
    EXPECT_EQ(result, platform::DialogResult::Ok);
    EXPECT_TRUE(model.Accepted());
    EXPECT_EQ(PlanetBearings[2].LifeFactorMode, 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(PlanetBearings[2].nu40), 150);
}

// -500 F typed are refused with the block's -273 .. 1000 C in F (C * 9/5 + 32); nothing is stored.
TEST_F(QtOperationData, TemperatureBelowAbsoluteZeroIsRefusedInTheWidgetInFahrenheit)
{
    wtelmvar.UnitSystem = 1;
    TForm_vq1waelz model(1);
    EXPECT_EQ(RefusedInTheWidget(model, "Edit_temp", "-500"),
              "Invalid Input \"-500\" ! Valid Data are: -459.4 .. 1832 !");
    EXPECT_EQ(PlanetBearings[1].Temperature, 50) << "nothing stored";
    wtelmvar.UnitSystem = 0;
}

} // namespace
