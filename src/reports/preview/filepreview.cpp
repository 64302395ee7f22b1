#include "reports/preview/filepreview.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "platform/platform.h"
#include "reports/engine/launchfailure.h"
#include "reports/engine/reportservices.h"

#include <algorithm>

TForm_Suchen::TForm_Suchen(std::string& SearchText)
{
    Control("Label_suchen").Caption = "Search for";
    // Read as a name is read: the file names of the table are the file
    // system's bytes, so the search text has to be too.
    Bind("Edit_suchbegriff", TFieldKind::FileName, &SearchText);
    Control("Button_suchen").Caption = "Search";
    LoadFields();
}

platform::DialogAction TForm_Suchen::Press(const std::string& name)
{
    if (name == "Button_suchen") return platform::DialogAction::Accept;
    return DialogModel::Press(name);
}

TForm_preview::TForm_preview()
{
    // 16 columns and 1000 rows as the window is made; the caller sets the
    // size it needs.
    SetSize(1000, 16);
    Cell(0, 0) = "File";
    Cell(0, 1) = "Date";
    ColWidths.assign(16, 48);
    ColWidths[0] = 120;
    ColWidths[1] = 64;
    // The menus in the current language, the rest in English.
    const TWindowMenuTexts m =
        reportservices.WindowMenuTexts ? reportservices.WindowMenuTexts() : TWindowMenuTexts{};
    MenuCodePage = m.CodePage;
    Control("mi_File").Caption = m.File;
    Control("mi_fileExportExcel").Caption = "Export Excel";
    Control("mi_fileExit").Caption = m.Exit;
    Control("mi_edit").Caption = m.Edit;
    Control("mi_editsearch").Caption = "Search";
    Control("SearchNext1").Caption = "Search &Next";
    Control("mi_Help").Caption = m.Help;
    Control("mi_HelpHelp").Caption = m.Help;
}

void TForm_preview::SetSize(int rowCount, int colCount)
{
    Cells.resize(static_cast<std::size_t>(std::max(1, rowCount)));
    for (auto& r : Cells)
        r.resize(static_cast<std::size_t>(std::max(1, colCount)));
    ColWidths.resize(static_cast<std::size_t>(std::max(1, colCount)), 48);
    Row = std::min(std::max(Row, 1), std::max(1, RowCount() - 1));
    Col = std::min(Col, ColCount() - 1);
}

void TForm_preview::FormActivate()
{
    caption_ = telmvar.ProgramName + "  " + telmvar.DataDir;
    captionDir_ = telmvar.DataDir;
}

platform::DialogAction TForm_preview::SelectCell(int row, int col)
{
    if (row < 1 || row >= RowCount() || col < 0 || col >= ColCount()) return platform::DialogAction::None;
    Row = row;
    Col = col;
    if (row == SelectedRow) return platform::DialogAction::None;
    SelectedRow = row;
    telmvar.Aborted = false;
    return platform::DialogAction::Accept;
}

void TForm_preview::HeaderMouseDown(bool rightButton, int col, bool strictlyInside)
{
    if (rightButton && strictlyInside && col >= 0 && col < ColCount()) SortByColumn(col);
}

void TForm_preview::SortByColumn(int col)
{
    const int last = RowCount() - 1;
    if (last < 2 || col < 0 || col >= ColCount()) return;
    // Work arrays as long as the grid: any number of rows sorts.
    std::vector<std::string> keys(static_cast<std::size_t>(last + 1));
    std::vector<int> order(static_cast<std::size_t>(last + 1));
    for (int r = 1; r <= last; ++r)
        keys[static_cast<std::size_t>(r)] = Cell(r, col);
    SortStringIndex(keys, order, 1, last);
    for (int c = 0; c < ColCount(); ++c) {
        for (int r = 1; r <= last; ++r)
            keys[static_cast<std::size_t>(r)] = Cell(r, c);
        for (int r = 1; r <= last; ++r)
            Cell(r, c) = keys[static_cast<std::size_t>(order[static_cast<std::size_t>(r)])];
    }
    for (int r = 1; r <= last; ++r)
        if (order[static_cast<std::size_t>(r)] == Row) {
            Row = r;
            break;
        }
    Touch();
}

bool TForm_preview::SearchFrom(int startRow)
{
    // The search text is a name's bytes (UTF-8); the file name column holds
    // the same, the other columns texts of the program (1252), compared as
    // the characters they show.
    for (int r = startRow + 1; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) {
            const std::string& cell = Cell(r, c);
            const std::string text = c == FileNameColumn ? cell : AnsiToUtf8(cell);
            if (!SearchText.empty() && text.find(SearchText) != std::string::npos) {
                Row = r;
                Col = c;
                Touch();
                return true;
            }
        }
    platform::CurrentPlatform().Messages().ShowOk("", DisplayText(FileNameToOem(SearchText) + " not found."),
                                                  platform::MessageIcon::Information);
    return false;
}

bool TForm_preview::Search()
{
    TForm_Suchen ask(SearchText);
    if (platform::CurrentPlatform().Dialogs().RunModal(ask) != platform::DialogResult::Ok) return false;
    ask.StoreFields();
    SearchStartRow = 0;
    return SearchFrom(SearchStartRow);
}

bool TForm_preview::SearchNext()
{
    SearchStartRow = Row;
    return SearchFrom(SearchStartRow);
}

std::string TForm_preview::ExportExcel()
{
    // No program for the list to open in: said as the main menu's Excel
    // command says it, and no file is written for nobody to read.
    const platform::LaunchResult there = platform::CurrentPlatform().Launch().FindApplicationFor("text/csv");
    if (!there.Started) {
        ShowLaunchFailure("Could not start Excel", there);
        return {};
    }
    const std::string dir =
        telmvar.TempDir.find_first_not_of(' ') == std::string::npos ? telmvar.DataDir : telmvar.TempDir;
    return ExportRowsToExcel(AddTrailingBackslash(dir) + "preview.csv", Cells);
}

platform::DialogAction TForm_preview::Press(const std::string& name)
{
    using platform::DialogAction;
    if (name == "Escape" || name == "mi_fileExit") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (name == "mi_editsearch")
        Search();
    else if (name == "SearchNext1")
        SearchNext();
    else if (name == "mi_fileExportExcel")
        ExportExcel();
    else if (name == "mi_HelpHelp") {
        reportservices.ShowHelpText(3400, 0, 1);
        telmvar.Aborted = false;
    }
    return DialogAction::None;
}

bool ShowFilePreview(TForm_preview& Form)
{
    Form.FormActivate();
    telmvar.Aborted = false;
    const platform::DialogResult r = platform::CurrentPlatform().Dialogs().RunModal(Form);
    if (r != platform::DialogResult::Ok || Form.SelectedRow < 1) telmvar.Aborted = true;
    return !telmvar.Aborted;
}
