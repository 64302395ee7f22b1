// Fuzz target of the clipboard paste into a string grid. Whatever the text:
//  - the grid keeps its size, its header row and column, and every cell
//    above or left of the selection's top-left cell;
//  - no cell takes a TAB, CR or LF (they separate cells and rows);
//  - copying the pasted cells and pasting that text into an empty grid of
//    the same shape gives the same cells.
#include "dialogs/grid/clipboardgrid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "clipgrid: %s\n", what);
        std::abort();
    }
}

TStringGrid Framed(int cols, int rows)
{
    TStringGrid g(cols, rows);
    for (int c = 0; c < cols; ++c)
        g.SetCell(c, 0, "head" + std::to_string(c));
    for (int r = 1; r < rows; ++r)
        g.SetCell(0, r, std::to_string(r));
    return g;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    // Up to 300 rows: more than a byte counter could hold.
    const int cols = 2 + data[0] % 4;
    const int rows = 2 + (data[1] * 3) % 299;
    const int left = 1 + (data[0] >> 4) % (cols - 1);
    const int top = 1 + data[1] % (rows - 1);
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

    TStringGrid g = Framed(cols, rows);
    g.SetSelection({left, top, left, top});
    PasteGridText(g, text);
    Check(g.RowCount() == rows && g.ColCount() == cols, "the paste changed the grid's size");
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const std::string& cell = g.Cell(c, r);
            Check(cell.find_first_of("\t\r\n") == std::string::npos, "a cell holds a separator");
            if (r < top || c < left) {
                const std::string want = r == 0   ? "head" + std::to_string(c)
                                         : c == 0 ? std::to_string(r)
                                                  : "";
                Check(cell == want, "a cell outside the pasted block changed");
            }
        }

    g.SetSelection({left, top, cols - 1, rows - 1});
    const std::string copied = GridSelectionText(g);
    TStringGrid again = Framed(cols, rows);
    again.SetSelection({left, top, left, top});
    PasteGridText(again, copied);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            Check(again.Cell(c, r) == g.Cell(c, r), "copy and paste again gave other cells");
    return 0;
}
