// The diagram limits dialog as the user meets it: asked by the frame of a
// diagram with a logarithmic cycle axis, rendered offscreen and grabbed,
// Calculate, an OK refused with "Error: x = 0 !", and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "dialogs/diagramlimits.h"
#include "dialogs/dialogservices.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphservices.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportservices.h"

namespace
{

void Type(QWidget* edit, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
}

// Closes the next message box that comes up (over the dialog) and keeps
// its text.
void WhenMessageBoxAppears(QString& text)
{
    auto* poll = new QTimer(&TestApp());
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &text, tries] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++*tries > 300) poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        text = box->text();
        box->accept();
    });
    poll->start();
}

class QtDiagramLimits : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
        graphservices.EnterDiagramLimits = RunDiagramLimitsDialog;
        wtelmvar.EnterDiagramLimits = true;
        // A drawing whose device the user chose.
        cadstate.CadRequestedDevice = 0;
        diagramstate.DiagLimits = {{{10, 20, 30, 40}}};
    }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform scope_{qt};
};

TEST_F(QtDiagramLimits, CalculateRefusedOkAndCancel)
{
    QString title, labelX, shownXMin, calcXMin, calcXMax, calcYMax, message;
    bool grabbed = false, openAfterRefusal = false, plotDisabled = false;
    WhenModalAppears([&](QWidget* w) {
        title = w->windowTitle();
        labelX = w->findChild<QLabel*>("Label_x")->text();
        auto* xmin = w->findChild<QLineEdit*>("Edit_xmin");
        shownXMin = xmin->text();
        plotDisabled = !w->findChild<QGroupBox*>("GroupBox_diagram")->isEnabled();
        w->findChild<QPushButton*>("Button_calc")->click();
        calcXMin = xmin->text();
        calcXMax = w->findChild<QLineEdit*>("Edit_xmax")->text();
        calcYMax = w->findChild<QLineEdit*>("Edit_ymax")->text();
        grabbed = !w->grab().isNull();
        xmin->selectAll();
        Type(xmin, "0");
        WhenMessageBoxAppears(message);
        w->findChild<QPushButton*>("Button_ok")->click();
        openAfterRefusal = w->isVisible();
        w->findChild<QPushButton*>("Button_cancel")->click();
    });
    // Cycles 0..2.5e7 on a logarithmic axis: exponents 0..8, torques
    // 0..37 -> 0..40.
    SetDiagramScaleType(4);
    DrawDiagramAxes(" cycles", "T [Nm]", "load spectrum", 0, 0, 2.5e7L, 37, 0);
    EXPECT_EQ(title, "load spectrum");
    EXPECT_EQ(labelX, " cycles");
    EXPECT_TRUE(plotDisabled);
    EXPECT_EQ(shownXMin, "10") << "the limits entered last";
    EXPECT_EQ(calcXMin, "1") << "10^0 cycles";
    EXPECT_EQ(calcXMax, "100000000");
    EXPECT_EQ(calcYMax, "40");
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(message, "Error: x = 0 !");
    EXPECT_TRUE(openAfterRefusal);
    // Cancel: the automatic limits, and the drawing goes on.
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(diagramstate.DiagXMin, 0);
    EXPECT_EQ(diagramstate.DiagXMax, 8);
    EXPECT_EQ(diagramstate.DiagLimits[1], 10);
}

} // namespace
