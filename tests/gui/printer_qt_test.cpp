#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/appfixture.h"
#include "common/tempdir.h"
#include "common/validators.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "platform/qt/platform_qt.h"
#include "platform/qt/printer_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportservicedefaults.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printtext.h"

using namespace platform;

TEST(QtPrinter, PrintsADocumentOfPagesToPdf)
{
    TestApp();
    namespace fs = std::filesystem;
    const testdirs::ScopedTempDir scratch("print");
    const fs::path pdf = fs::path(scratch.Path()) / "report.pdf";
    PrinterImplQt printer;
    printer.QtPrinter().setOutputFormat(QPrinter::PdfFormat);
    printer.QtPrinter().setOutputFileName(QString::fromStdString(pdf.string()));
    printer.QtPrinter().setPageSize(QPageSize(QPageSize::A4));
    printer.QtPrinter().setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    ASSERT_TRUE(printer.BeginDoc("Report"));
    EXPECT_TRUE(printer.Printing());
    EXPECT_FALSE(printer.BeginDoc("second")) << "one document at a time";
    // A4 without margins: 210 x 297 mm.
    EXPECT_NEAR(printer.PageWidthMm(), 210.0, 0.5);
    EXPECT_NEAR(printer.PageHeightMm(), 297.0, 0.5);
    EXPECT_GT(printer.PageWidthPixels(), 0);
    EXPECT_NEAR(double(printer.PageHeightPixels()) / printer.PageWidthPixels(), 297.0 / 210.0, 0.01);
    printer.PageCanvas().Line(0, 0, 100, 100);
    printer.NewPage();
    printer.PageCanvas().TextOut(100, 100, "page 2");
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    QFile f(QString::fromStdString(pdf.string()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF")) << "a PDF file";
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2)
        << "two pages";
}

TEST(QtPrinter, DrawingOutsideADocumentGoesNowhere)
{
    TestApp();
    PrinterImplQt printer;
    printer.PageCanvas().Line(0, 0, 10, 10);
    printer.EndDoc();
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
}

// A report of 40 pages and a picture printed to a file on a disk that takes
// no more than 8 KB (the report fails after some pages) or 16 bytes of a file:
// a box names the file and the system's reason, the old file stays as it was
// and nothing is left beside it; without the limit the same print, by the
// same printer, replaces it with a whole PDF.
TEST(QtPrinter, PrintToAFileThatCannotBeWrittenKeepsTheOldFile)
{
    TestApp();
    const testdirs::ScopedTempDir scratch("printfail");
    const std::filesystem::path dir = scratch.Path(), pdf = dir / "pr.pdf", text = dir / "report.txt";
    std::ofstream report(text, std::ios::binary);
    for (int page = 1; page <= 40; ++page)
        for (int line = 1; line <= 61; ++line)
            report << (line <= 60 ? "line " + std::to_string(line) + " of page " + std::to_string(page)
                                  : "\f")
                   << "\r\n";
    report.close();
    PlatformQt qt;
    const ScopedPlatform use(qt);
    qt.QtPrinter().QtPrinter().setOutputFormat(QPrinter::PdfFormat);
    qt.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(pdf.string()));
    reportservices.ChoosePrintPages = [](int Count, int& From, int& To) { return From = 1, To = Count; };
    std::string boxes;
    QTimer reader; // reads and closes every message box
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes += box->text().toStdString() + "\n";
            box->accept();
        }
    });
    reader.start(10);
    GraphFacade.Line(10, 10, 100, 100);
    const std::tuple<const char*, rlim_t, const char*, std::function<bool()>> cases[] = {
        {"report", 8192, "40", [&] { return PrintTextFile(text.string()), !telmvar.Aborted; }},
        {"picture", 16, "1", [] { return FTelmgra.PrintPicture("x"); }},
    };
    for (const auto& [what, limit, pages, print] : cases) {
        SCOPED_TRACE(what);
        std::ofstream(pdf, std::ios::binary) << "the old printout";
        const auto before = DirNames(dir);
        boxes.clear();
        telmvar.Aborted = false;
        bool printed = true;
        WithFileSizeLimit(limit, [&] { printed = print(); });
        EXPECT_FALSE(printed);
        EXPECT_EQ(boxes, "file " + pdf.string() + " cannot be written: File too large\n");
        std::stringstream old;
        old << std::ifstream(pdf, std::ios::binary).rdbuf();
        EXPECT_EQ(old.str(), "the old printout");
        EXPECT_EQ(DirNames(dir), before) << "left beside it";

        boxes.clear();
        telmvar.Aborted = false;
        EXPECT_TRUE(print());
        EXPECT_EQ(boxes, "");
        EXPECT_EQ(DirNames(dir), before);
        if (std::system("pdfinfo -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdfinfo");
        EXPECT_EQ(std::system(("pdfinfo '" + pdf.string() + "' | grep -qx 'Pages: *" + pages + "'").c_str()),
                  0)
            << "a whole PDF";
    }
}

// A page of the text longer than a sheet (66 lines) goes on over further
// sheets, which the print dialog offers and prints as chosen in it: 150 lines
// are 66 + 66 + 18, sheets 2 and 3 hold lines 67 to 150; a page of 66 lines
// and a blank gives no empty sheet. The PDF's text holds the lines in order.
TEST(QtPrinter, APageLongerThanASheetGoesOnOverFurtherSheets)
{
    TestApp();
    ResetReportServices();
    const testdirs::ScopedTempDir scratch("printlong");
    const std::string pdf = scratch.Path() + "/long.pdf", text = scratch.Path() + "/long.txt";
    PlatformQt qt;
    const ScopedPlatform use(qt);
    qt.QtPrinter().QtPrinter().setOutputFormat(QPrinter::PdfFormat);
    qt.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(pdf));
    telmvar.LinesPerPage = 66;
    for (const auto& [lines, blankAfter, from, sheets] :
         {std::tuple{150, false, 1, 3}, {66, true, 1, 1}, {150, false, 2, 2}}) {
        SCOPED_TRACE(from);
        std::string report, expected;
        for (int i = 1; i <= lines; ++i)
            report += "line " + std::to_string(i) + "\r\n",
                expected += i > (from - 1) * 66 ? "line" + std::to_string(i) + "\n" : "";
        std::ofstream(text, std::ios::binary) << report << (blankAfter ? "   \r\n\f\r\n" : "");
        int offered = 0;
        WhenModalAppears([&, from = from](QWidget* w) {
            auto* to = w->findChild<QSpinBox*>("to");
            ASSERT_NE(to, nullptr);
            offered = to->maximum();
            w->findChild<QRadioButton*>("printRange")->click();
            w->findChild<QSpinBox*>("from")->setValue(from);
            to->setValue(to->maximum());
            qobject_cast<QDialog*>(w)->accept();
        });
        telmvar.Aborted = false;
        PrintTextFile(text);
        EXPECT_EQ(offered, from - 1 + sheets);
        if (std::system("pdftotext -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdftotext");
        const std::string printed = PdfText(pdf);
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\f'), sheets);
        EXPECT_EQ(InkedLines(printed), InkedLines(expected));
    }
}
