#include "dialogs/grid/stringgrid.h"

#include <algorithm>

TStringGrid::TStringGrid(int ColCount, int RowCount, int FixedCols, int FixedRows)
    : cols_(std::max(1, ColCount)), fixedCols_(std::max(0, FixedCols)), fixedRows_(std::max(0, FixedRows))
{
    SetRowCount(RowCount);
    selection_ = {fixedCols_, fixedRows_, fixedCols_, fixedRows_};
}

void TStringGrid::SetRowCount(int Rows)
{
    Rows = std::max(Rows, fixedRows_ + 1);
    cells_.resize(static_cast<std::size_t>(Rows), std::vector<std::string>(static_cast<std::size_t>(cols_)));
    SetSelection(selection_);
    ++revision_;
}

const std::string& TStringGrid::Cell(int Col, int Row) const
{
    static const std::string none;
    if (Col < 0 || Col >= cols_ || Row < 0 || Row >= RowCount()) return none;
    return cells_[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Col)];
}

void TStringGrid::SetCell(int Col, int Row, std::string Text)
{
    if (Col < 0 || Col >= cols_ || Row < 0 || Row >= RowCount()) return;
    cells_[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Col)] = std::move(Text);
    ++revision_;
}

void TStringGrid::SetSelection(TGridRect R)
{
    if (R.Empty()) {
        selection_ = R;
    } else {
        R.Left = std::clamp(R.Left, 0, cols_ - 1);
        R.Right = std::clamp(R.Right, R.Left, cols_ - 1);
        R.Top = std::clamp(R.Top, 0, RowCount() - 1);
        R.Bottom = std::clamp(R.Bottom, R.Top, RowCount() - 1);
        selection_ = R;
    }
    ++revision_;
}
