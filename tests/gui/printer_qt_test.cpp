#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
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
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "app/appfixture.h"
#include "app/startup.h"
#include "common/tempdir.h"
#include "common/validators.h"
#include "foundation/textfile.h"
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

namespace
{

// Reads every message box a printout shows: a question is answered with
// Answer, any other box closed. The print dialog is confirmed with its own
// button, so that it checks the file as it does for the user.
struct BoxReader {
    std::string Texts;
    QMessageBox::StandardButton Answer = QMessageBox::Yes;
    QTimer Timer;
    QPointer<QWidget> Pressed;
    BoxReader()
    {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == Pressed) return;
            QAbstractButton* button = nullptr;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                Texts += box->text().toStdString() + "\n";
                button = box->button(Answer) ? box->button(Answer) : box->buttons().front();
            } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
                button = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            }
            // Pressed after this round, so that a box the press opens is read too.
            Pressed = modal;
            if (button) QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        });
        Timer.start(10);
    }
};

std::string Bytes(const std::filesystem::path& p)
{
    std::stringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
}

// The print hooks as they were, back at the end of the scope.
struct KeptPrintFiles {
    PrintFileServices Kept = PrintFiles();
    ~KeptPrintFiles() { PrintFiles() = Kept; }
};

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
    using Run = std::function<void()>;
    const auto limit = [](rlim_t bytes) { return [bytes](const Run& f) { WithFileSizeLimit(bytes, f); }; };
    const std::function<bool()> picture = [] { return FTelmgra.PrintPicture("x"); };
    const std::string tooLarge = "file " + pdf.string() + " cannot be written: File too large\n";
    const std::tuple<const char*, std::function<void(const Run&)>, std::string, const char*,
                     std::function<bool()>>
        cases[] = {
            {"report", limit(8192), tooLarge, "40",
             [&] { return PrintTextFile(text.string()), !telmvar.Aborted; }},
            {"picture", limit(16), tooLarge, "1", picture},
            {"picture without a temporary file",
             [](const Run& f) {
                 const KeptPrintFiles kept;
                 PrintFiles().MakeTempBeside = [](const std::string&, std::string&) {
                     return errno = ENOSPC, -1;
                 };
                 f();
             },
             "Printing is not possible: " + pdf.string() + " cannot be written (No space left on device)\n",
             "1", picture},
        };
    const std::string asked = OverwriteQuestionText(pdf.string()) + "\n";
    for (const auto& [what, failing, box, pages, print] : cases) {
        SCOPED_TRACE(what);
        std::ofstream(pdf, std::ios::binary) << "the old printout";
        const auto before = DirNames(dir);
        boxes.Texts.clear();
        boxes.Answer = QMessageBox::No;
        print();
        EXPECT_EQ(boxes.Texts, asked);
        EXPECT_EQ(Bytes(pdf), "the old printout");

        boxes.Texts.clear();
        boxes.Answer = QMessageBox::Yes;
        telmvar.Aborted = false;
        bool printed = true;
        failing([&] { printed = print(); });
        EXPECT_FALSE(printed);
        EXPECT_EQ(boxes.Texts, asked + box);
        EXPECT_EQ(Bytes(pdf), "the old printout");
        EXPECT_EQ(DirNames(dir), before) << "left beside it";

        boxes.Texts.clear();
        telmvar.Aborted = false;
        EXPECT_TRUE(print());
        EXPECT_EQ(boxes.Texts, asked);
        EXPECT_EQ(DirNames(dir), before);
        if (std::system("pdfinfo -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdfinfo");
        EXPECT_EQ(std::system(("pdfinfo '" + pdf.string() + "' | grep -qx 'Pages: *" + pages + "'").c_str()),
                  0)
            << "a whole PDF";
    }
    std::ofstream(pdf, std::ios::binary) << "the old printout";
    reportservices.ChoosePrintPages = [&qt](int Count, int& From, int& To) {
        return qt.QtPrinter().ChoosePages(Count, From, To);
    };
    boxes.Texts.clear();
    PrintTextFile(text.string());
    EXPECT_EQ(boxes.Texts.find(asked), std::string::npos) << boxes.Texts;
    EXPECT_NE(boxes.Texts, "") << "the print dialog asks";
    EXPECT_TRUE(Bytes(pdf).starts_with("%PDF"));
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
    const KeptPrintFiles kept;
    PrintFiles() = {[](const std::string& Target, std::string& Temp) {
                        Temp = Target + ".XXXXXX";
                        return ::mkstemp(Temp.data());
                    },
                    [](const std::string&) {}};
    InstallPlatformServices();
    // Makes the name; gives back, once printed, the bytes that reached it.
    using Make = std::function<std::function<std::string()>(const fs::path&)>;
    std::string fromFifo;
    std::thread reader;
    int keepOpen = -1;
    const Make fifo = [&](const fs::path& name) {
        ::mkfifo(name.c_str(), 0644);
        ::chmod(name.c_str(), 0644);
        // The reading end first, without waiting for a writer; a writing
        // end of the test's own keeps it from seeing the end before the
        // printout has written.
        const int in = ::open(name.c_str(), O_RDONLY | O_NONBLOCK);
        keepOpen = ::open(name.c_str(), O_WRONLY);
        ::fcntl(in, F_SETFL, 0);
        reader = std::thread([in, &fromFifo] {
            char buffer[4096];
            for (ssize_t n; (n = ::read(in, buffer, sizeof buffer)) > 0;)
                fromFifo.append(buffer, static_cast<std::size_t>(n));
            ::close(in);
        });
        return std::function<std::string()>([&] {
            ::close(keepOpen);
            reader.join();
            return fromFifo;
        });
    };
    const Make link = [](const fs::path& name) {
        std::ofstream(name.parent_path() / "target.pdf", std::ios::binary) << "the old printout";
        fs::create_symlink("target.pdf", name);
        return std::function<std::string()>([name] { return Bytes(name.parent_path() / "target.pdf"); });
    };
    const Make file = [](const fs::path& name) {
        std::ofstream(name, std::ios::binary) << "the old printout";
        ::chmod(name.c_str(), 0640);
        return std::function<std::string()>([name] { return Bytes(name); });
    };
    const Make none = [](const fs::path& name) {
        return std::function<std::string()>([name] { return Bytes(name); });
    };
    const std::string longName = std::string(246, 'n') + ".pdf";
    const std::tuple<const char*, std::string, Make, mode_t, bool, std::vector<std::string>> cases[] = {
        {"fifo", "out.pdf", fifo, S_IFIFO | 0644, false, {"out.pdf"}},
        {"link", "out.pdf", link, S_IFLNK | 0777, true, {"out.pdf", "target.pdf"}},
        {"file", "out.pdf", file, S_IFREG | 0640, true, {"out.pdf"}},
        {"long name", longName, none, 0, false, {longName}},
    };
    for (const auto& [what, leaf, make, type, asks, names] : cases) {
        SCOPED_TRACE(what);
        const fs::path sub = fs::path(scratch.Path()) / what, name = sub / leaf;
        fs::create_directory(sub);
        qt.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(name.string()));
        const auto reached = make(name);
        boxes.Texts.clear();
        EXPECT_TRUE(FTelmgra.PrintPicture("x"));
        const std::string bytes = reached();
        EXPECT_TRUE(bytes.starts_with("%PDF") && bytes.find("%%EOF") != std::string::npos)
            << bytes.substr(0, 40);
        EXPECT_EQ(boxes.Texts, asks ? OverwriteQuestionText(name.string()) + "\n" : "");
        struct stat st {
        };
        ASSERT_EQ(::lstat(name.c_str(), &st), 0);
        if (type != 0) EXPECT_EQ(st.st_mode & (S_IFMT | 07777), type);
        EXPECT_EQ(DirNames(sub), names) << "left beside it";
    }
}
