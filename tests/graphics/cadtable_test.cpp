// Framed drawing tables read back from the DXF output: column positions
// from the widths in characters (w × h × 0.9), frame lines on layer 17,
// texts with a leading blank on layer 18, rows 2 h apart.
#include "cadcapture.h"

#include "foundation/messagecollector.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadtable.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{

class CadTableTest : public CadCaptureTest
{
  protected:
    // x of the vertical frame lines whose lower end is at Y.
    static std::set<Extended> Separators(const std::vector<TCapturedEntity>& E, Extended Y)
    {
        std::set<Extended> x;
        for (const TCapturedSegment& s : Lines(E, "17"))
            if (s.X1 == s.X2 && std::min(s.Y1, s.Y2) == Y) x.insert(s.X1);
        return x;
    }
    // Horizontal frame lines at Y as (from, to).
    static std::vector<std::pair<Extended, Extended>> Rules(const std::vector<TCapturedEntity>& E, Extended Y)
    {
        std::vector<std::pair<Extended, Extended>> r;
        for (const TCapturedSegment& s : Lines(E, "17"))
            if (s.Y1 == Y && s.Y2 == Y) r.emplace_back(std::min(s.X1, s.X2), std::max(s.X1, s.X2));
        return r;
    }
    struct Cell {
        std::string Text;
        Extended X, Y;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    static std::vector<Cell> Cells(const std::vector<TCapturedEntity>& E)
    {
        std::vector<Cell> c;
        for (const TCapturedEntity& e : OfType(E, "TEXT")) {
            EXPECT_EQ(e.Layer, "18") << e.Text(1);
            c.push_back({e.Text(1), e.Num(10), e.Num(20)});
        }
        return c;
    }
};

// h = 2: x = 10, 10 + 20 × 1.8 = 46, 46 + 10 × 1.8 = 64; the zero width
// ends the table at position 3.
TEST_F(CadTableTest, WidthsGiveColumnPositionsAndTheLastPosition)
{
    TCadTable t;
    const auto e = Capture([&] {
        t.Init(10, 100, 2, {20, 10, 0, 5, 5}, {"a", "b", "c"});
        t.AddRow("c", "d", "never");
        t.Done();
    });
    EXPECT_EQ(t.N, 3);
    EXPECT_EQ(t.First, 1);
    EXPECT_EQ(t.x[1], 10);
    EXPECT_EQ(t.x[2], 46);
    EXPECT_EQ(t.x[3], 64);
    // Heading row: rectangle 10..64 × 96..100 and its sides once more.
    EXPECT_EQ(Separators(e, 96), (std::set<Extended>{10, 64}));
    EXPECT_EQ(Rules(e, 100), (std::vector<std::pair<Extended, Extended>>{{10, 64}}));
    // The row below it: bottom line at 92, separators at all positions.
    EXPECT_EQ(Separators(e, 92), (std::set<Extended>{10, 46, 64}));
    EXPECT_EQ(Rules(e, 92), (std::vector<std::pair<Extended, Extended>>{{10, 64}}));
    EXPECT_EQ(Cells(e), (std::vector<Cell>{{" a", 10, 97}, {" b", 46, 97}, {" c", 10, 93}, {" d", 46, 93}}));
    for (const TCapturedEntity& x : OfType(e, "TEXT"))
        EXPECT_EQ(x.Num(40), 2) << "text height h";
    EXPECT_EQ(t.Bottom, 88);
    EXPECT_EQ(t.TextBase, 89);
    for (const TCapturedEntity& x : OfType(e, "LINE"))
        EXPECT_EQ(x.Layer, "17");
}

TEST_F(CadTableTest, SevenWidthsUseAllEightPositions)
{
    TCadTable t;
    (void)Capture([&] { t.Init(0, 0, 1, {1, 1, 1, 1, 1, 1, 1}, {"h"}); });
    EXPECT_EQ(t.N, 8);
    EXPECT_NEAR(static_cast<double>(t.x[8]), 6.3, 1e-12);
}

TEST_F(CadTableTest, EmptyHeadingsLetTheFirstRowFillTheHeadingRow)
{
    TCadTable t;
    const auto e = Capture([&] {
        t.Init(10, 100, 2, {20, 10}, {});
        t.AddTextRow("x", "");
    });
    // The row's bottom line is the rectangle's bottom (96), its separators
    // run inside the rectangle up to 100.
    EXPECT_EQ(Rules(e, 96).size(), 2u) << "rectangle side and the row's own line";
    EXPECT_EQ(Separators(e, 96), (std::set<Extended>{10, 46, 64}));
    // A blank before every text, also for an empty cell.
    EXPECT_EQ(Cells(e), (std::vector<Cell>{{" x", 10, 97}, {" ", 46, 97}}));
    EXPECT_EQ(t.Bottom, 92);
}

TEST_F(CadTableTest, FlagRowsWriteCrossOrDash)
{
    TCadTable t;
    const std::string flags = "JjYyNn ?";
    const auto e = Capture([&] {
        t.Init(0, 0, 1, {10, 2}, {});
        for (char f : flags)
            t.AddFlagRow("f", f);
    });
    std::string written;
    for (const Cell& c : Cells(e))
        if (c.Text != " f") written += c.Text.substr(1);
    EXPECT_EQ(written, "XXXX----");
}

TEST_F(CadTableTest, ValueRowsLeaveOutOneInnerSeparator)
{
    // h = 2, widths 20, 10, 5, 5: x = 10, 46, 64, 73, 82.
    TCadTable t;
    const auto e = Capture([&] {
        t.Init(10, 100, 2, {20, 10, 5, 5}, {});
        t.AddValueRow("m", "2.5");           // bottom 96
        t.AddValueUnitRow("b", "20", "mm");  // bottom 92
        t.AddFormulaRow("1", "2", "3", "4"); // bottom 88
        t.AddRowFirstLast("p", "q", "r");    // bottom 84
        t.AddLabelRow("only");               // bottom 80
    });
    EXPECT_EQ(Separators(e, 96), (std::set<Extended>{10, 46, 73, 82}));
    EXPECT_EQ(Separators(e, 92), (std::set<Extended>{10, 46, 64, 82}));
    EXPECT_EQ(Separators(e, 88), (std::set<Extended>{10, 46, 64, 73, 82}));
    const auto c = Cells(e);
    ASSERT_EQ(c.size(), 5u * 4u);
    // Value row: cell 2 starts half way between x[2] and x[3]; the others
    // are cleared.
    EXPECT_EQ(c[1], (Cell{" 2.5", 55, 97}));
    EXPECT_EQ(c[2].Text, " ");
    EXPECT_EQ(c[3].Text, " ");
    EXPECT_EQ(c[6], (Cell{" mm", 68.5L, 93}));
    EXPECT_EQ(c[11], (Cell{" 4", 73, 89}));
    EXPECT_EQ(c[14].Text, " r");
    EXPECT_EQ(c[17].Text, " ");
}

TEST_F(CadTableTest, ValueRowKeepsTheFrameClosed)
{
    // Two columns: position 3 is the right edge, not a separator.
    TCadTable t;
    const auto e = Capture([&] {
        t.Init(10, 100, 2, {20, 10}, {});
        t.AddValueRow("m", "2.5");
    });
    EXPECT_EQ(Separators(e, 96), (std::set<Extended>{10, 46, 64}));
    EXPECT_EQ(Cells(e)[1], (Cell{" 2.5", 55, 97}));
}

TEST_F(CadTableTest, HiddenFirstColumnAndSwitchedOffLines)
{
    // Mode 1: x[1] = 50 - 10 × 1.8 = 32 lies left of the table, which starts
    // at 50 with the second column.
    TCadTable t;
    const auto e = Capture([&] {
        t.InitEx(1, 50, 100, 2, {10, 10, 10}, {"hidden", "b", "c"});
        t.AddRow("no", "x", "y");
        t.DrawColumnLines = false;
        t.AddRow("no", "x", "y");
        t.DrawRowLines = false;
        t.AddRow("no", "x", "y");
    });
    EXPECT_EQ(t.First, 2);
    EXPECT_EQ(t.Mode, 1);
    EXPECT_EQ(t.x[1], 32);
    EXPECT_EQ(t.x[2], 50);
    EXPECT_EQ(t.N, 4);
    EXPECT_EQ(Rules(e, 100), (std::vector<std::pair<Extended, Extended>>{{50, 86}}));
    EXPECT_EQ(Separators(e, 96), (std::set<Extended>{50, 86}));
    EXPECT_EQ(Separators(e, 92), (std::set<Extended>{50, 68, 86}));
    EXPECT_EQ(Separators(e, 88), (std::set<Extended>{50, 86}));
    EXPECT_EQ(Rules(e, 88).size(), 1u);
    EXPECT_TRUE(Rules(e, 84).empty());
    for (const Cell& c : Cells(e)) {
        EXPECT_NE(c.Text, " hidden");
        EXPECT_NE(c.Text, " no");
        EXPECT_GE(c.X, 50);
    }
    EXPECT_EQ(Cells(e).size(), 2u + 3u * 2u);
}

// --- error message table ---------------------------------------------------------

struct MessageCase {
    const char* Name;
    int Messages;
    int Limit;
    Extended Available;
    Extended ExpectedH;
    Extended ExpectedRight; // x of the right frame line (x0 = 0)
};

class CadErrorTableTest : public CadTableTest, public ::testing::WithParamInterface<MessageCase>
{
};

TEST_P(CadErrorTableTest, ListsTheCollectedMessages)
{
    const MessageCase& c = GetParam();
    for (int i = 1; i <= c.Messages; ++i)
        AddErrorMessage("Error  : message " + std::to_string(i));
    const auto e = Capture([&] { WriteErrorMessageTable(c.Limit, 0, 100, 5, c.Available); });
    const auto cells = Cells(e);
    if (c.Messages == 0) {
        EXPECT_TRUE(e.empty());
        return;
    }
    ASSERT_EQ(static_cast<int>(cells.size()), c.Messages + 1);
    EXPECT_EQ(cells[0].Text, " error messages");
    for (int i = 1; i <= c.Messages; ++i)
        EXPECT_EQ(cells[i].Text, " Error  : message " + std::to_string(i));
    for (const TCapturedEntity& x : OfType(e, "TEXT"))
        EXPECT_EQ(x.Num(40), c.ExpectedH);
    // The last row's bottom line lies (messages + 1) × 2 h below the top.
    const Extended bottom = 100 - (c.Messages + 1) * 2 * c.ExpectedH;
    const auto rules = Rules(e, bottom);
    ASSERT_EQ(rules.size(), 1u) << "bottom at " << Fmt(bottom);
    EXPECT_NEAR(static_cast<double>(rules[0].second), static_cast<double>(c.ExpectedRight), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CadErrorTableTest,
    ::testing::Values(MessageCase{"NoneDrawsNothing", 0, 0, 16, 5, 0},
                      // One message: the height is not limited.
                      MessageCase{"OneKeepsItsHeight", 1, 0, 1, 5, 31 * 5 * 0.9L},
                      // Three: 16 / (3 + 1) / 2 = 2 < 5; 31 characters wide.
                      MessageCase{"ThreeFitTheHeight", 3, 0, 16, 2, 31 * 2 * 0.9L},
                      MessageCase{"ThreeWithRoomKeepTheirHeight", 3, 20, 100, 5, 20 * 5 * 0.9L},
                      MessageCase{"NoHeightGivenNoLimit", 3, 20, 0.05L, 5, 20 * 5 * 0.9L}),
    [](const ::testing::TestParamInfo<MessageCase>& i) { return std::string(i.param.Name); });

} // namespace
