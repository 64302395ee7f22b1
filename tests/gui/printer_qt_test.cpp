#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "app/appfixture.h"
#include "common/tempdir.h"
#include "common/validators.h"
#include "foundation/textfile.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "graphics/printconf.h"
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

namespace
{

// Reads every message box a printout shows (Taken gives and forgets the
// texts), answering a question with Answer and closing any other box; confirms
// the print dialog with its own button, so that it checks the file as it does
// for the user, unless InPrintDialog plays its user: a box the test did not
// expect is answered too, and it fails at once. A modal is pressed once,
// after this round, so that a box the press opens is read too.
struct BoxReader {
    std::string Texts;
    QMessageBox::StandardButton Answer = QMessageBox::Yes;
    std::function<void(QWidget*)> InPrintDialog;
    QTimer Timer;
    QPointer<QWidget> Pressed;
    std::string Taken() { return std::exchange(Texts, {}); }
    BoxReader()
    {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == Pressed) return;
            Pressed = modal;
            if (qobject_cast<QPrintDialog*>(modal) && InPrintDialog) return InPrintDialog(modal);
            QAbstractButton* button = modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                Texts += box->text().toStdString() + "\n";
                if (box->button(Answer)) button = box->button(Answer);
            }
            QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        });
        Timer.start(10);
    }
};

std::string Bytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

// A report of 40 pages and a picture printed to a file on a disk that takes
// no more than 8 KB (the report fails after some pages) or 16 bytes of a file,
// and a picture whose temporary file cannot be made beside it: a box names
// the file and the system's reason, the old file stays as it was and nothing
// is left beside it; without the fault the same print, by the same printer,
// replaces it with a whole PDF. The file is an earlier printout's, and no
// print dialog of these printouts took its name: each asks first; answered
// No it prints nothing and keeps the file. A name the print dialog took was
// asked for there, and is not asked again.
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
    BoxReader boxes;
    GraphFacade.Line(10, 10, 100, 100);
    const std::function<bool()> picture = [] { return FTelmgra.PrintPicture("x"); };
    const std::string tooLarge = "file " + pdf.string() + " cannot be written: File too large\n";
    // A limit of 0 bytes: no limit, but no temporary file can be made.
    const std::tuple<const char*, rlim_t, std::string, const char*, std::function<bool()>> cases[] = {
        {"report", 8192, tooLarge, "40",
         [&] { return telmvar.Aborted = false, PrintTextFile(text.string()), !telmvar.Aborted; }},
        {"picture", 16, tooLarge, "1", picture},
        {"picture without a temporary file", 0,
         "Printing is not possible: " + pdf.string() + " cannot be written (No space left on device)\n", "1",
         picture},
    };
    const std::string asked = OverwriteQuestionText(pdf.string()) + "\n";
    for (const auto& [what, limit, box, pages, print] : cases) {
        SCOPED_TRACE(what);
        std::ofstream(pdf, std::ios::binary) << "the old printout";
        const auto before = DirNames(dir);
        boxes.Answer = QMessageBox::No;
        print();
        EXPECT_EQ(boxes.Taken(), asked);
        EXPECT_EQ(Bytes(pdf), "the old printout");

        boxes.Answer = QMessageBox::Yes;
        bool printed = true;
        const auto kept = PrintFiles().MakeTempBeside;
        if (limit == 0) PrintFiles().MakeTempBeside = [](auto&, auto&) { return errno = ENOSPC, -1; };
        WithFileSizeLimit(limit, [&] { printed = print(); });
        PrintFiles().MakeTempBeside = kept;
        EXPECT_FALSE(printed);
        EXPECT_EQ(boxes.Taken(), asked + box);
        EXPECT_EQ(Bytes(pdf), "the old printout");
        EXPECT_EQ(DirNames(dir), before) << "left beside it";

        EXPECT_TRUE(print());
        EXPECT_EQ(boxes.Taken(), asked);
        EXPECT_EQ(DirNames(dir), before);
        if (std::system("pdfinfo -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdfinfo");
        EXPECT_EQ(std::system(("pdfinfo '" + pdf.string() + "' | grep -qx 'Pages: *" + pages + "'").c_str()),
                  0)
            << "a whole PDF";
    }
    std::ofstream(pdf, std::ios::binary) << "the old printout";
    reportservices.ChoosePrintPages = std::bind_front(&PrinterImplQt::ChoosePages, &qt.QtPrinter());
    telmvar.Aborted = false;
    PrintTextFile(text.string());
    EXPECT_EQ(boxes.Texts.find(asked), std::string::npos) << boxes.Texts;
    EXPECT_NE(boxes.Texts, "") << "the print dialog asks";
    EXPECT_TRUE(Bytes(pdf).starts_with("%PDF"));
    // The name counts as asked for by that printout only: a picture printed
    // next asks, so it does after the page-range dialog cancelled, and after
    // the Printout dialog cancelled whose "Printer..." took the name.
    TForm_printconf printout;
    const std::function<void()> before[] = {[] {}, [&] { PrintTextFile(text.string()); },
                                            [&] {
                                                boxes.InPrintDialog = nullptr;
                                                printout.Press("Button_printer");
                                                printout.Press("Button_cancel");
                                            }};
    boxes.InPrintDialog = [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
    for (const auto& printed : before) {
        printed();
        EXPECT_TRUE(picture());
        const std::string shown = boxes.Taken();
        EXPECT_TRUE(shown.ends_with(asked)) << shown;
    }
    ResetReportServices(); // no page chooser of a printer gone
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
    BoxReader boxes;
    for (const auto& [lines, blankAfter, from, sheets] :
         {std::tuple{150, false, 1, 3}, {66, true, 1, 1}, {150, false, 2, 2}}) {
        SCOPED_TRACE(from);
        std::string report, expected;
        for (int i = 1; i <= lines; ++i)
            report += "line " + std::to_string(i) + "\r\n",
                expected += i > (from - 1) * 66 ? "line" + std::to_string(i) + "\n" : "";
        std::ofstream(text, std::ios::binary) << report << (blankAfter ? "   \r\n\f\r\n" : "");
        int offered = 0;
        boxes.InPrintDialog = [&, from = from](QWidget* w) {
            auto* to = w->findChild<QSpinBox*>("to");
            ASSERT_NE(to, nullptr);
            offered = to->maximum();
            w->findChild<QRadioButton*>("printRange")->click();
            w->findChild<QSpinBox*>("from")->setValue(from);
            to->setValue(to->maximum());
            qobject_cast<QDialog*>(w)->accept();
        };
        telmvar.Aborted = false;
        PrintTextFile(text);
        EXPECT_EQ(boxes.Taken(), "") << "no box but the print dialog";
        EXPECT_EQ(offered, from - 1 + sheets);
        if (std::system("pdftotext -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdftotext");
        const std::string printed = PdfText(pdf);
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\f'), sheets);
        EXPECT_EQ(InkedLines(printed), InkedLines(expected));
    }
}

// A print to a file reaches what its name stands for: a FIFO stays a FIFO
// and its reader gets the PDF, a link stays a link and the file it points to
// holds the PDF, a file keeps its mode (one a new file never gets); a name
// of 250 bytes, too long for a temporary name made by adding to it, prints
// through the print hooks of the program's start-up.
TEST(QtPrinter, PrintToAFileReachesWhatItsNameStandsFor)
{
    TestApp();
    namespace fs = std::filesystem;
    const testdirs::ScopedTempDir scratch("printname");
    PlatformQt qt;
    const ScopedPlatform use(qt);
    qt.QtPrinter().QtPrinter().setOutputFormat(QPrinter::PdfFormat);
    BoxReader boxes;
    GraphFacade.Line(10, 10, 100, 100);
    InstallPlatformServices();
    const std::string longName = std::string(246, 'n') + ".pdf";
    // The name, what it is before and after (0: nothing before, the mode
    // not checked), the file that gets the PDF ("": the FIFO's reader).
    std::tuple<const char*, std::string, mode_t, std::string, bool, std::vector<std::string>> cases[] = {
        {"fifo", "out.pdf", S_IFIFO | 0644, "", false, {"out.pdf"}},
        {"link", "out.pdf", S_IFLNK | 0777, "target.pdf", true, {"out.pdf", "target.pdf"}},
        {"file", "out.pdf", S_IFREG | 0640, "out.pdf", true, {"out.pdf"}},
        {"long name", longName, 0, longName, false, {longName}},
    };
    for (const auto& [what, leaf, type, gets, asks, names] : cases) {
        SCOPED_TRACE(what);
        const fs::path sub = fs::path(scratch.Path()) / what, name = sub / leaf;
        fs::create_directory(sub);
        if (S_ISLNK(type)) fs::create_symlink(gets, name);
        if (S_ISREG(type) || S_ISLNK(type)) std::ofstream(sub / gets, std::ios::binary) << "the old printout";
        if (S_ISFIFO(type)) ::mkfifo(name.c_str(), 0);
        if (S_ISREG(type) || S_ISFIFO(type)) ::chmod(name.c_str(), type & 07777);
        // The FIFO's reading end first, without waiting for a writer; a
        // writing end of the test's own keeps it from seeing the end before
        // the printout has written. Without a FIFO the reader reads nothing.
        const int in = S_ISFIFO(type) ? ::open(name.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const int keep = S_ISFIFO(type) ? ::open(name.c_str(), O_WRONLY) : -1;
        std::string got;
        std::thread reader([&] {
            ::fcntl(in, F_SETFL, 0);
            for (char c; ::read(in, &c, 1) == 1;)
                got += c;
        });
        qt.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(name.string()));
        EXPECT_TRUE(FTelmgra.PrintPicture("x"));
        ::close(keep), reader.join(), ::close(in);
        const std::string bytes = gets.empty() ? got : Bytes(sub / gets);
        EXPECT_TRUE(bytes.starts_with("%PDF") && bytes.find("%%EOF") != std::string::npos)
            << bytes.substr(0, 40);
        EXPECT_EQ(boxes.Taken(), asks ? OverwriteQuestionText(name.string()) + "\n" : "");
        struct stat st = {};
        ASSERT_EQ(::lstat(name.c_str(), &st), 0);
        if (type != 0) {
            EXPECT_EQ(st.st_mode & (S_IFMT | 07777), type);
        }
        EXPECT_EQ(DirNames(sub), names) << "left beside it";
    }
}
