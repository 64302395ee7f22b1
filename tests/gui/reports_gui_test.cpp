// The result window on a report, offscreen, and its print command printing
// every page to a PDF file.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/menutexts.h"
#include "app/startup.h"
#include "common/validators.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/messages/errhelpfile.h"
#include "reports/messages/messagelist.h"
#include "reports/qt/filepreview_qt.h"
#include "reports/qt/reportforms_qt.h"
#include "reports/stage/planetaryreport.h"
#include "reports/textview/printsettings.h"

namespace fs = std::filesystem;

namespace
{

int PdfPageCount(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const QByteArray pdf = QByteArray::fromStdString(s.str());
    // Page objects, not the page tree ("/Type /Pages").
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int count = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

class ReportsGui : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("qyr7_reports_gui_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        telmvar.TempDir = dir_.string();
        reportservices.TodayDateText = [] { return std::string("2026-12-07"); };
        reportservices.NowTimeText = [] { return std::string("6:05"); };
        reportservices.ChoosePrintPages = [](int Count, int& From, int& To) {
            From = 1;
            To = Count;
            return true;
        };
        InstallQtReportForms();
    }
    void TearDown() override { fs::remove_all(dir_); }
    AppFirst app_;
    platform::PlatformQt qt_;
    fs::path dir_;
};

TEST_F(ReportsGui, ResultWindowShowsTheReportAndPrintsEveryPageToPdf)
{
    platform::ScopedPlatform use(qt_);
    const std::string pdf = (dir_ / "report.pdf").string();
    QPrinter& printer = qt_.QtPrinter().QtPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));

    // 30 lines a page: the 9-line frame and 50 report lines give a page
    // break at the 21st line and at the 41st; the third page has no final
    // form feed and must be printed all the same.
    telmvar.LinesPerPage = 30;
    std::string shownText;
    std::string caption;
    WhenModalAppears([&](QWidget* w) {
        auto* form = qobject_cast<TForm_showtextfile*>(w);
        ASSERT_NE(form, nullptr);
        shownText = form->Memo1()->toPlainText().toStdString();
        caption = form->windowTitle().toStdString();
        form->Print();
        form->accept();
    });
    SetReportHeader("Title", "Stage report", "", "", "", 0);
    OpenReport(1, "demo");
    ASSERT_FALSE(telmvar.Aborted);
    ASSERT_TRUE(BeginReportOutput());
    PrintReportPageHeader(1, 0);
    for (int i = 1; i <= 50; ++i)
        PrintReportLine("line " + std::to_string(i) +
                        " \xF8"
                        "C"); // DOS degree sign
    ASSERT_TRUE(CloseReport());

    EXPECT_NE(shownText.find("line 50 \xC2\xB0"
                             "C"),
              std::string::npos)
        << "degree sign shown as UTF-8";
    EXPECT_NE(shownText.find("pg. 3"), std::string::npos);
    EXPECT_NE(caption.find("outwin.txt"), std::string::npos);
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(PdfPageCount(pdf), 3);
}

// Stage reports (Dimensions and Strength, strength, a mesh) printed on the
// printer device, and printed from the screen's result window: the PDF holds
// every line of the screen report in order; no page of the screen is longer
// than a sheet, no sheet is without text, and with a head on every page,
// every head (its title line, below the frame's top) stands at the top of a
// sheet. Rows: heads on page 1 only, the compressed form, sheets of n lines.
TEST_F(ReportsGui, AStageReportPrintsEveryLineEachHeadAtTheTopOfASheet)
{
    platform::ScopedPlatform use(qt_);
    TFileFault fault;
    telmvar.PltDir = QYR7_DATA_DIR; // the help texts of the messages
    telmvar.ProgramFileStem = "qyr7";
    wtelmvar.TextDeviceDialog = false;
    std::string screen, shown;
    const auto window = [&](QWidget* w) {
        auto* form = qobject_cast<TForm_showtextfile*>(w);
        ASSERT_NE(form, nullptr);
        screen = form->Memo1()->toPlainText().toStdString();
        std::ifstream in(dir_ / "outwin.txt", std::ios::binary);
        shown.assign(std::istreambuf_iterator<char>(in), {});
        form->Print();
        form->accept();
    };
    // Example, report (-1 a mesh's), lines per sheet, header and display mode,
    // heads, device (4 after 1: the screen's text is the same report's).
    for (const auto& [example, part, sheetLines, headerMode, mode, pages, device] :
         {std::tuple{"industrial", 3, 66, 1, 1, 9, 1},
          {"industrial", 3, 66, 1, 1, 9, 4},
          {"spectrum", 3, 44, 2, 4, 0, 1},
          {"default", 3, 66, 2, 1, 0, 1},
          {"spectrum", 3, 68, 1, 4, 0, 1},
          {"default", -1, 41, 1, 1, 0, 1},
          {"industrial", 2, 50, 2, 1, 0, 1},
          {"industrial", 3, 13, 1, 1, 0, 1}}) {
        SCOPED_TRACE(testing::Message()
                     << example << part << " " << sheetLines << headerMode << mode << device);
        ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/" + example + ".qy7", fault));
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.ProjectName = example;
        std::tie(telmvar.LinesPerPage, wtelmvar.PrintHeaderMode, telmvar.PrintSeparatorMode) =
            std::tuple(sheetLines, headerMode, mode);
        const std::string pdf = (dir_ / ("stage" + std::to_string(device) + ".pdf")).string();
        fs::remove(pdf); // a print onto an earlier one asks first
        qt_.QtPrinter().QtPrinter().setOutputFormat(QPrinter::PdfFormat);
        qt_.QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(pdf));
        wtelmvar.TextDevice = static_cast<uint16_t>(device);
        telmvar.Aborted = false;
        CalcPlanetaryStage();
        if (device == 1) WhenModalAppears(window);
        part < 0 ? (void)MeshReport(1, 0) : PrintPlanetaryReport(static_cast<uint16_t>(part));
        if (pages == 9) ASSERT_NE(screen.find("LOAD SPECTRUM"), std::string::npos);
        if (std::system("pdftotext -v > /dev/null 2>&1") != 0) QYR7_VALIDATOR_MISSING("pdftotext");
        const std::string printed = PdfText(pdf);
        EXPECT_EQ(InkedLines(printed), InkedLines(screen));
        // A page no taller than its head holds the head (12 lines: frame,
        // title, date, file, rule, three remark lines, rule, column heads,
        // frame, blank line), the blank line after it and one line; the
        // printout carries it over a second sheet.
        std::istringstream sheets(printed), screenPages(shown);
        int screenPageCount = 0;
        for (std::string page; std::getline(screenPages, page, '\f');)
            if (page.find_first_not_of(" \r\n") != std::string::npos && ++screenPageCount)
                EXPECT_LE(std::count(page.begin(), page.end(), '\n') - (page.starts_with('\r') ? 1 : 0),
                          std::max(sheetLines, 12 + 2));
        int heads = 0, count = 0;
        for (std::string sheet; std::getline(sheets, sheet, '\f') && ++count;) {
            const auto lines = InkedLines(sheet);
            EXPECT_FALSE(lines.empty()) << "sheet " << count << " without text";
            for (size_t i = 0; headerMode == 1 && mode == 1 && i < lines.size(); ++i)
                if (lines[i].find("pg.") != std::string::npos && ++heads) EXPECT_EQ(i, 1u) << lines[i];
        }
        EXPECT_EQ(heads, headerMode == 1 && mode == 1 ? (pages ? pages : screenPageCount) : 0);
        EXPECT_GE(count, screenPageCount);
    }
}

// In German the result window and the file preview show German menus.
TEST_F(ReportsGui, ResultWindowAndPreviewShowTheMenusOfTheLanguage)
{
    InstallPlatformServices();
    SetMenuLanguage(1);
    TShowTextFileModel model;
    TForm_preview previewModel;
    const TForm_showtextfile result(model, nullptr);
    const reports_qt::FilePreviewQt preview(previewModel);
    for (const QWidget* w : {static_cast<const QWidget*>(&result), static_cast<const QWidget*>(&preview)}) {
        QStringList menus;
        for (const QMenu* m : w->findChildren<QMenu*>())
            menus << m->title() << m->actions().last()->text();
        EXPECT_EQ(menus.join('|').toStdString(),
                  w == &result ? "&Datei|&Beenden|&Bearbeiten|&Kopieren"
                               : "&Datei|&Beenden|&Bearbeiten|Search &Next|&Hilfe|&Hilfe");
    }
}

TEST_F(ReportsGui, PrintsOnlyTheChosenPages)
{
    platform::ScopedPlatform use(qt_);
    const std::string pdf = (dir_ / "pages.pdf").string();
    QPrinter& printer = qt_.QtPrinter().QtPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    reportservices.ChoosePrintPages = [](int Count, int& From, int& To) {
        EXPECT_EQ(Count, 3);
        From = 2;
        To = 3;
        return true;
    };
    const std::string file = (dir_ / "three.txt").string();
    std::ofstream(file, std::ios::binary) << "one\r\n\f\r\ntwo\r\n\f\r\nthree\r\n\f\r\n";
    reportservices.PrintTextFile(file);
    EXPECT_EQ(PdfPageCount(pdf), 2);
}

TEST_F(ReportsGui, MessageHelpFormSavesAnEditedRemedy)
{
    platform::ScopedPlatform use(qt_);
    telmvar.PltDir = dir_.string();
    const std::string help = (dir_ / "qyr7.err").string();
    telmvar.ProgramFileStem = "qyr7";
    std::ofstream(help, std::ios::binary) << "Warning: SF<1 (\r\nroot safety too small\r\nold remedy\r\n";
    AddErrorMessage("Warning: SF<1 (1) (0.8) !");
    std::vector<std::string> questions;
    reportservices.AskYesNoCancel = [&](const std::string& Q) {
        questions.push_back(Q);
        return true;
    };
    std::string shownMessage;
    WhenModalAppears([&](QWidget* w) {
        auto* form = qobject_cast<Thelperr*>(w);
        ASSERT_NE(form, nullptr);
        shownMessage = form->findChild<QLineEdit*>()->text().toStdString();
        const auto memos = form->findChildren<QPlainTextEdit*>();
        ASSERT_EQ(memos.size(), 2);
        memos[1]->setPlainText("new remedy \u00B0C");
        form->accept();
    });
    ShowMessageHelp(1);
    EXPECT_EQ(shownMessage, "Warning: SF<1 (1) (0.8) !");
    EXPECT_EQ(questions, std::vector<std::string>{"Save Changes ?"});
    std::ifstream in(help, std::ios::binary);
    const TMessageHelp h = FindMessageHelp(in, "Warning: SF<1 (1) (0.8) !");
    EXPECT_EQ(h.Origin, "root safety too small");
    EXPECT_EQ(h.Remedy, "new remedy \xF8"
                        "C")
        << "stored in the DOS code page";
}

// File > Export Notepad of the result window where no opener is on PATH, and where the opener fails: a box
// says why nothing opens, with what the opener printed.
TEST_F(ReportsGui, ExportThatOpensNothingShowsWhyInABox)
{
    platform::ScopedPlatform use(qt_);
    InstallPlatformServices();
    const std::string shown = (dir_ / "outwin.txt").string(), path = std::getenv("PATH");
    std::ofstream(shown, std::ios::binary) << "report\r\n";
    TShowTextFileModel model;
    TForm_showtextfile form(model, nullptr);
    form.show();
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "no program to open " + shown + " (xdg-open is not installed)"},
        {"echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3",
         "xdg-open ended with exit status 3: xdg-open: no method available for opening '" + shown + "'"}};
    for (const auto& [opener, why] : cases) {
        if (opener) {
            std::ofstream(dir_ / "xdg-open") << "#!/bin/sh\n" << opener << "\n";
            fs::permissions(dir_ / "xdg-open", fs::perms::owner_all);
        }
        QString box;
        WhenModalAppears([&](QWidget* w) {
            box = qobject_cast<QMessageBox*>(w) ? qobject_cast<QMessageBox*>(w)->text() : "not a box";
            qobject_cast<QDialog*>(w)->accept();
        });
        ::setenv("PATH", dir_.c_str(), 1);
        form.findChild<QAction*>("mi_dateiExportNotepad")->trigger();
        ::setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(box.toStdString(), "File " + shown + ":\r\n" + why);
    }
}

} // namespace
