#pragma once
// The file list preview (TForm_preview): a table of project files with
// their key data, one row per file. The user sorts it by a right click on a
// header cell, searches it, exports it to the spreadsheet and picks a row;
// the caller fills the grid, shows the window with ShowFilePreview and opens
// the file of SelectedRow unless Aborted was set.

#include "foundation/formmodel.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The search question (TForm_Suchen): "Search for" and one edit, bound to
// the search text; the caller stores it when the question is answered.
class TForm_Suchen final : public TFormModel
{
  public:
    explicit TForm_Suchen(std::string& SearchText);
    std::string FormName() const override { return "TForm_Suchen"; }
    std::string Caption() const override { return "Search"; }
    platform::DialogAction Press(const std::string& name) override;
};

class TForm_preview final : public platform::DialogModel
{
  public:
    TForm_preview();
    std::string FormName() const override { return "TForm_preview"; }
    std::string Caption() const override { return caption_; }
    // The data directory the caption ends with, as the file system has it.
    std::optional<NamedCaption> CaptionWithFileName() const override
    {
        return NamedCaption{caption_.substr(0, caption_.size() - captionDir_.size()), captionDir_, ""};
    }

    // StringGrid1: row 0 is the fixed header; Cells[row][column].
    std::vector<std::vector<std::string>> Cells;
    std::vector<int> ColWidths;
    int Row = 1; // the current cell
    int Col = 0;
    int SelectedRow = 0;
    std::string SearchText;
    int SearchStartRow = 0;
    // The code page of the menu captions (the current language's).
    int MenuCodePage = 1252;
    // The column of the file names: the file system's bytes, by which the
    // chosen file is opened, shown as such; -1 for none.
    int FileNameColumn = -1;

    int RowCount() const { return static_cast<int>(Cells.size()); }
    int ColCount() const { return Cells.empty() ? 0 : static_cast<int>(Cells[0].size()); }
    // Resizes the grid, keeping what fits; new cells are empty.
    void SetSize(int rowCount, int colCount);
    std::string& Cell(int row, int col)
    {
        return Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }

    // Activation: the caption names the program and the data directory.
    void FormActivate();
    // A cell was selected: another data row picks it and closes.
    platform::DialogAction SelectCell(int row, int col);
    // A mouse press on a header cell; only a right click strictly inside
    // the cell sorts.
    void HeaderMouseDown(bool rightButton, int col, bool strictlyInside);
    // All data rows by the column's texts, bytewise ascending; the current
    // row follows its file.
    void SortByColumn(int col);
    // From row 0 (Search) or the current row (SearchNext) on: the first
    // cell holding the text; "<text> not found." when there is none.
    bool Search();
    bool SearchNext();
    // The grid as the spreadsheet's table; the CSV path, empty on failure.
    std::string ExportExcel();

    platform::DialogAction Press(const std::string& name) override;

  private:
    bool SearchFrom(int startRow);
    std::string caption_;
    std::string captionDir_;
};

// Shows the preview modally. True when the user picked a row (SelectedRow),
// false when the window was closed any other way (Aborted set).
bool ShowFilePreview(TForm_preview& Form);
