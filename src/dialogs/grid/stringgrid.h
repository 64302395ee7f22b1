#pragma once
// A string grid as the table dialogs use it: cells addressed (column, row)
// from 0, fixed header rows and columns at the top and left, and a
// rectangular selection of cells. The model holds only texts; the form that
// shows it keeps the widget and the cells in step.

#include <cstdint>
#include <string>
#include <vector>

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = -1; // Right < Left or Bottom < Top: nothing selected
    int Bottom = -1;
    bool Empty() const { return Right < Left || Bottom < Top; }
};

class TStringGrid
{
  public:
    TStringGrid(int ColCount, int RowCount, int FixedCols = 1, int FixedRows = 1);

    int ColCount() const { return cols_; }
    int RowCount() const { return static_cast<int>(cells_.size()); }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }

    // Rows added at the end are empty; rows removed from the end take their
    // texts with them. Never fewer rows than the fixed ones plus one.
    void SetRowCount(int Rows);

    // Cells outside the grid read as "" and are not written.
    const std::string& Cell(int Col, int Row) const;
    void SetCell(int Col, int Row, std::string Text);

    // The selected cells (clipped to the grid when set).
    const TGridRect& Selection() const { return selection_; }
    void SetSelection(TGridRect R);

    // Counts changes, so that a form knows when to show the cells again.
    uint64_t Revision() const { return revision_; }

  private:
    int cols_;
    int fixedCols_;
    int fixedRows_;
    std::vector<std::vector<std::string>> cells_; // [row][col]
    TGridRect selection_;
    uint64_t revision_ = 0;
};
