#include "dialogs/grid/clipboardgrid.h"

#include "platform/platform.h"

std::string GridSelectionText(const TStringGrid& Grid)
{
    const TGridRect& s = Grid.Selection();
    std::string text;
    if (s.Empty()) return text;
    for (int row = s.Top; row <= s.Bottom; ++row) {
        for (int col = s.Left; col <= s.Right; ++col) {
            if (col > s.Left) text += '\t';
            text += Grid.Cell(col, row);
        }
        text += "\r\n";
    }
    return text;
}

int PasteGridText(TStringGrid& Grid, const std::string& Text)
{
    const TGridRect& s = Grid.Selection();
    const int left = s.Empty() ? Grid.FixedCols() : s.Left;
    // Plain ints: a grid of 300 rows must not wrap back to its top.
    int row = s.Empty() ? Grid.FixedRows() : s.Top;
    std::size_t pos = 0;
    const std::size_t n = Text.size();
    int leftOut = 0;
    while (pos < n) {
        std::size_t end = Text.find_first_of("\r\n", pos);
        // A last line without a line end is pasted like the others: what a
        // spreadsheet or editor copies often ends without one, and those
        // values are the user's data, not a broken line to be dropped.
        const bool last = end == std::string::npos;
        if (last) end = n;
        if (row >= Grid.RowCount()) {
            // Below the last row: counted, so that the user can be told.
            ++leftOut;
        } else {
            int col = left;
            std::size_t field = pos;
            while (true) {
                std::size_t tab = Text.find('\t', field);
                const bool lastField = tab == std::string::npos || tab > end;
                const std::size_t stop = lastField ? end : tab;
                if (col < Grid.ColCount()) Grid.SetCell(col, row, Text.substr(field, stop - field));
                ++col;
                if (lastField) break;
                field = tab + 1;
            }
        }
        ++row;
        if (last) break;
        pos = end + 1;
        if (Text[end] == '\r' && pos < n && Text[pos] == '\n') ++pos;
    }
    return leftOut;
}

void CopyGridToClipboard(const TStringGrid& Grid)
{
    platform::CurrentPlatform().Clip().SetText(GridSelectionText(Grid));
}

int PasteGridFromClipboard(TStringGrid& Grid)
{
    return PasteGridText(Grid, platform::CurrentPlatform().Clip().Text());
}
