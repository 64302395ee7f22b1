#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <filesystem>
#include <unistd.h>

#include "common/tempdir.h"
#include "platform/qt/printer_qt.h"
#include "qtfixture.h"

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
