// The print settings dialog offscreen: its fields from the model, refused
// fields keep it open, and a landscape print to a PDF file comes out as an
// A4 landscape page (judged by pdfinfo).
#include "qtfixture.h"

#include "common/tempdir.h"
#include "dialogs/qt/formbinder.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "graphics/printconf.h"
#include "graphics/qt/printconf_qt.h"
#include "platform/qt/platform_qt.h"
#include "reports/textview/printsettings.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace
{

class QtPrintConf : public ::testing::Test
{
  protected:
    void SetUp() override { dir = testdirs::MakeTempDir("printconfqt"); }
    void TearDown() override { testdirs::RemoveTempDir(dir); }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
    std::string dir;
};

TEST_F(QtPrintConf, LandscapePrintToPdfIsA4Landscape)
{
    if (access("/usr/bin/pdfinfo", X_OK) != 0) GTEST_SKIP() << "pdfinfo not installed";
    const std::string pdf = dir + "/graphics.pdf";
    qt.QtPrinter().QtPrinter().setOutputFormat(QPrinter::PdfFormat);
    qt.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(pdf));
    qt.QtPrinter().QtPrinter().setPageSize(QPageSize(QPageSize::A4));
    GraphFacade.Line(0, 0, 100, 100);
    printsettings.GraphContentKind = 2; // opens portrait
    TForm_printconf model;
    const auto form = dialogs_qt::MakeBoundForm(model, nullptr, graphics_qt::PrintConfLayout);
    QDialog& w = *form;
    w.show();
    QApplication::processEvents();
    EXPECT_FALSE(w.grab().toImage().isNull());
    EXPECT_EQ(w.findChild<QLineEdit*>("Edit_scalex")->text(), "1.9");
    auto radios = w.findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 4);
    EXPECT_TRUE(radios[0]->isChecked()) << "Portrait";
    radios[1]->setChecked(true); // Landscape
    w.findChild<QPushButton*>("Button_ok")->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    FILE* p = popen(("/usr/bin/pdfinfo '" + pdf + "' 2>&1").c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[512];
    while (fgets(buf, sizeof buf, p))
        out += buf;
    pclose(p);
    EXPECT_NE(out.find("842 x 595 pts (A4)"), std::string::npos) << out;
    GraphFacade.Clear();
}

TEST_F(QtPrintConf, NonNumberScaleKeepsTheDialogOpen)
{
    TForm_printconf model;
    const auto form = dialogs_qt::MakeBoundForm(model, nullptr, graphics_qt::PrintConfLayout);
    QDialog& w = *form;
    w.show();
    w.findChild<QLineEdit*>("Edit_scalex")->setText("abc");
    // The message box of the Qt platform would wait for a user: answer it.
    WhenModalAppears([](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
    w.findChild<QPushButton*>("Button_ok")->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(w.result(), QDialog::Accepted);
}

} // namespace
