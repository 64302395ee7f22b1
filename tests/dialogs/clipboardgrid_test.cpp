// Copy and paste of grid cells through the clipboard: the exchange format
// of spreadsheets (TAB between cells, CR LF after rows), line ends of any
// desktop, and grids larger than a byte counter.
#include "dialogs/grid/clipboardgrid.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

namespace
{

class ClipboardGrid : public ::testing::Test
{
  protected:
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
};

TEST_F(ClipboardGrid, CopiesTheSelectionRowByRow)
{
    TStringGrid g(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            g.SetCell(c, r, std::string(1, static_cast<char>('a' + c)) + std::to_string(r));
    g.SetSelection({1, 2, 3, 3});
    CopyGridToClipboard(g);
    EXPECT_EQ(hp.HeadlessClipboard().Text(), "b2\tc2\td2\r\nb3\tc3\td3\r\n");
    g.SetSelection({});
    hp.HeadlessClipboard().SetText("old");
    CopyGridToClipboard(g);
    EXPECT_EQ(hp.HeadlessClipboard().Text(), "") << "an empty selection empties the clipboard";
}

struct PasteCase {
    const char* name;
    const char* text;
    int cols, rows, left, top;
    // Expected cells (col, row, text) after the paste.
    std::vector<std::tuple<int, int, std::string>> cells;
};

class Paste : public ClipboardGrid, public ::testing::WithParamInterface<PasteCase>
{
};

TEST_P(Paste, FillsTheCellsFromTheSelection)
{
    const PasteCase& c = GetParam();
    TStringGrid g(c.cols, c.rows);
    for (int r = 0; r < c.rows; ++r)
        for (int k = 0; k < c.cols; ++k)
            g.SetCell(k, r, "-");
    g.SetSelection({c.left, c.top, c.left, c.top});
    hp.HeadlessClipboard().SetText(c.text);
    PasteGridFromClipboard(g);
    EXPECT_EQ(g.RowCount(), c.rows) << "a paste adds no rows";
    for (const auto& [col, row, text] : c.cells)
        EXPECT_EQ(g.Cell(col, row), text) << "cell (" << col << ", " << row << ")";
}

INSTANTIATE_TEST_SUITE_P(
    ClipboardGrid, Paste,
    ::testing::Values(
        PasteCase{"crlf",
                  "a\tb\r\nc\td\r\n",
                  3,
                  3,
                  1,
                  1,
                  {{1, 1, "a"}, {2, 1, "b"}, {1, 2, "c"}, {2, 2, "d"}, {0, 1, "-"}}},
        PasteCase{"beyond_last_column",
                  "a\tb\tc\r\nd\te\tf\r\n",
                  3,
                  3,
                  1,
                  1,
                  {{1, 1, "a"}, {2, 1, "b"}, {1, 2, "d"}, {2, 2, "e"}}},
        PasteCase{"last_line_without_end", "a\r\nb", 2, 4, 1, 1, {{1, 1, "a"}, {1, 2, "b"}, {1, 3, "-"}}},
        PasteCase{"lf_only",
                  "x\ty\nz\tw\n",
                  3,
                  4,
                  1,
                  2,
                  {{1, 2, "x"}, {2, 2, "y"}, {1, 3, "z"}, {2, 3, "w"}, {1, 1, "-"}}},
        PasteCase{"cr_only", "p\rq\r", 2, 3, 1, 1, {{1, 1, "p"}, {1, 2, "q"}}},
        PasteCase{"block_3x5_into_2_rows",
                  "1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n10\t11\t12\r\n13\t14\t15\r\n",
                  3,
                  3,
                  0,
                  1,
                  {{0, 1, "1"}, {2, 1, "3"}, {0, 2, "4"}, {2, 2, "6"}}}),
    [](const ::testing::TestParamInfo<PasteCase>& i) { return std::string(i.param.name); });

TEST_F(ClipboardGrid, ThreeHundredRowsReachTheLastRow)
{
    // A byte row counter wraps at 256 and writes rows 256.. over the top.
    TStringGrid g(2, 301);
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += std::to_string(i) + "\r\n";
    g.SetSelection({1, 1, 1, 1});
    PasteGridText(g, text);
    EXPECT_EQ(g.Cell(1, 1), "1");
    EXPECT_EQ(g.Cell(1, 256), "256");
    EXPECT_EQ(g.Cell(1, 300), "300");
    EXPECT_EQ(g.Cell(1, 0), "");
}

} // namespace
