#include "drawings/stage/drawingtable.h"

#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>

namespace
{

// Fills the nine cells from the list: missing ones empty, extra ones dropped.
void SetCells(TAusTabelle& T, std::initializer_list<std::string> Texts)
{
    T.Cells = {};
    int k = 1;
    for (const std::string& s : Texts) {
        if (k > 9) break;
        T.Cells[k++] = s;
    }
}

} // namespace

TAusTabelle TableCreate(Extended X0, Extended Y0, Extended H, std::initializer_list<Extended> Widths,
                        std::initializer_list<std::string> Headings)
{
    TAusTabelle t;
    t.FirstColumn = 1;
    TArray<Extended, 1, 9> w{};
    int k = 1;
    for (Extended v : Widths) {
        if (k > 9) break;
        w[k++] = v;
    }
    t.X[1] = X0;
    for (int i = 1; i <= 9; ++i)
        t.X[i + 1] = t.X[i] + 0.9L * H * w[i];
    t.TextHeight = H;
    t.RowHeight = 2 * H;
    t.Top = Y0;
    t.RowTop = Y0 - 2 * H;
    t.TextY = Y0 - 1.5L * H;
    // The first boundary that repeats its neighbour marks a width of 0; the
    // one before it is the right edge.
    t.Count = 10;
    for (int i = 2; i <= 10; ++i)
        if (t.X[i] == t.X[i - 1]) {
            t.Count = i - 1;
            break;
        }
    t.HorizontalRules = true;
    t.VerticalRules = true;

    CadSetLayer(TAusTabelle::RuleLayer);
    CadRectangle(t.X[1], Y0, t.X[t.Count], Y0 - 2 * H);
    CadSetTextStyle(2, 0, H, 0.75L * H);
    SetCells(t, Headings);
    if (std::any_of(t.Cells.begin(), t.Cells.end(), [](const std::string& s) { return !s.empty(); }))
        TableDraw(t);
    return t;
}

void TableAddRow(TAusTabelle& T, std::initializer_list<std::string> Cells)
{
    SetCells(T, Cells);
    CadSetLayer(TAusTabelle::RuleLayer);
    if (T.HorizontalRules) CadLine(T.X[T.FirstColumn], T.RowTop, T.X[T.Count], T.RowTop);
    for (int i = T.FirstColumn; i <= T.Count; ++i)
        if (T.VerticalRules || i == T.FirstColumn || i == T.Count)
            CadLine(T.X[i], T.RowTop, T.X[i], T.RowTop + T.RowHeight);
    TableDraw(T);
}

void TableDraw(TAusTabelle& T)
{
    CadSetLayer(TAusTabelle::TextLayer);
    // Each text in the style TableCreate set, from the left boundary of its
    // column; a long one runs on into the next column rather than lose a
    // character or its width.
    for (int i = T.FirstColumn; i <= T.Count - 1; ++i)
        CadText(" " + T.Cells[i], T.X[i], T.TextY);
    T.RowTop -= T.RowHeight;
    T.TextY -= T.RowHeight;
}
