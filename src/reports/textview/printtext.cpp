#include "reports/textview/printtext.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/fontstyle.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{

constexpr char FormFeed = '\f';

bool HoldsText(const std::vector<std::string>& Lines)
{
    for (const std::string& l : Lines)
        if (l.find_first_not_of(" \t") != std::string::npos) return true;
    return false;
}

// The printer's sheets of the report's pages, LinesPerSheet lines to a sheet.
// A page that holds more lines than a sheet goes on over further sheets, so
// that whatever a text holds, no line is drawn below the sheet's edge; a
// further sheet that would hold only blanks is left out.
std::vector<std::vector<std::string>> SplitPageSheets(std::vector<std::vector<std::string>> Pages,
                                                      size_t LinesPerSheet)
{
    std::vector<std::vector<std::string>> sheets;
    for (std::vector<std::string>& page : Pages) {
        if (page.size() <= LinesPerSheet) {
            sheets.push_back(std::move(page));
            continue;
        }
        for (size_t first = 0; first < page.size(); first += LinesPerSheet) {
            const auto begin = page.begin() + static_cast<std::ptrdiff_t>(first);
            const auto end =
                page.begin() + static_cast<std::ptrdiff_t>(std::min(first + LinesPerSheet, page.size()));
            std::vector<std::string> sheet(std::make_move_iterator(begin), std::make_move_iterator(end));
            if (first == 0 || HoldsText(sheet)) sheets.push_back(std::move(sheet));
        }
    }
    return sheets;
}

} // namespace

std::vector<std::vector<std::string>> SplitTextPages(const std::string& Text)
{
    std::vector<std::vector<std::string>> pages;
    std::vector<std::string> page;
    std::istringstream in(Text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == FormFeed) {
            pages.push_back(std::move(page));
            page.clear();
            continue;
        }
        page.push_back(line);
    }
    if (HoldsText(page)) pages.push_back(std::move(page));
    return pages;
}

void PrintTextFile(const std::string& FileName)
{
    if (!FileCanOpen(FileName)) {
        reportservices.ShowMessageBox(FileNameToOem(FileName) + " not found !");
        return;
    }
    if (telmvar.Aborted) return;
    std::ifstream in(FileName, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    const int linesPerPage = std::max(telmvar.LinesPerPage, 1);
    const auto pages = SplitPageSheets(SplitTextPages(all.str()), static_cast<size_t>(linesPerPage));
    const int count = static_cast<int>(pages.size());
    if (count == 0) return;

    // Reports are portrait pages of lines, whatever a graphics printout
    // left the printer at.
    platform::Platform& pf = platform::CurrentPlatform();
    platform::Printer& printer = pf.Print();
    printer.SetOrientation(platform::PageOrientation::Portrait);
    int from = 1;
    int to = count;
    if (!reportservices.ChoosePrintPages(count, from, to)) return;
    from = std::max(from, 1);
    to = std::min(to, count);
    if (from > to) return;

    // The print job is named for the project as the program's texts show it.
    if (!BeginPrintout(printer, DisplayText(FileNameToOem(telmvar.ProjectName)))) return;
    const int lineHeight = std::max(printer.PageHeightPixels() / linesPerPage, 1);
    const TFontStyles style = CodeToFontStyle(printsettings.PrintFontStyle, TFontStyles{});
    platform::Font font;
    font.Face = printsettings.PrintFontName;
    // Points to printer pixels through the page height in millimetres.
    const double pixelsPerPoint = printer.PageHeightMm() > 0
                                      ? printer.PageHeightPixels() / (printer.PageHeightMm() / 25.4 * 72.0)
                                      : 1.0;
    font.Height = std::max(1, static_cast<int>(printsettings.PrintFontSize * pixelsPerPoint + 0.5));
    font.Weight = style.Bold ? 700 : 400;
    font.Italic = style.Italic;
    font.Underline = style.Underline;
    font.StrikeOut = style.StrikeOut;

    for (int p = from; p <= to; ++p) {
        if (p > from) printer.NewPage();
        platform::Canvas& canvas = printer.PageCanvas();
        canvas.SetFont(font);
        int y = 0;
        for (const std::string& line : pages[static_cast<size_t>(p - 1)]) {
            canvas.TextOut(0, y, DisplayText(line));
            y += lineHeight;
        }
    }
    EndPrintout(printer);
}

bool BeginPrintout(platform::Printer& Printer, const std::string& Title)
{
    return platform::StartPrintout(
        Printer, platform::CurrentPlatform().Messages(), Title,
        [](const std::string& File) { return reportservices.AskYesNoCancel(OverwriteQuestionText(File)); });
}

bool EndPrintout(platform::Printer& Printer)
{
    if (Printer.EndDoc()) return true;
    const platform::Printer::Unwritten failure = Printer.WriteFailure();
    // Without a reason from the system, what the program found is the reason.
    const std::string why =
        failure.Error != 0 ? ErrnoText(failure.Error) : "the document came out incomplete";
    reportservices.ShowMessageIfEnabled(CannotBeWrittenText(failure.File, why));
    telmvar.Aborted = true;
    return false;
}
