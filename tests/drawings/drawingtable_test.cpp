// The drawing table of the stage sheets written to a DXF file and read back
// by ezdxf: boundaries 0.9 h per character of width up to the first width
// of 0, rows 2 h high from the top down, texts with one leading blank on
// layer 4 at the left boundary of their column, 1.5 h below the row's top,
// rules on layer 3.
#include "stagetablesupport.h"

#include "common/validators.h"
#include "drawings/stage/drawingtable.h"

#include <set>

using namespace stagetest;

namespace
{

struct TLine {
    double X1, Y1, X2, Y2;
};
struct TText {
    double X, Y;
    std::string Text;
};

class DrawingTable : public StageTableFixture
{
  protected:
    // Draws into a DXF file and keeps ezdxf's lines and texts; fails when
    // the auditor finds anything or an entity is off its layer.
    void Read(const std::function<void()>& Draw)
    {
        const std::vector<std::string> view = Ezdxf(this->Draw(1, Draw));
        ASSERT_FALSE(view.empty());
        EXPECT_EQ(view[0], "audit errors=0 fixes=0");
        for (const std::string& l : view) {
            std::istringstream s(l);
            std::string type, layer;
            s >> type >> layer;
            if (type == "LINE") {
                TLine e;
                s >> e.X1 >> e.Y1 >> e.X2 >> e.Y2;
                EXPECT_EQ(layer, "3") << "rule off its layer: " << l;
                lines.push_back(e);
            } else if (type == "TEXT") {
                TText t;
                double height;
                s >> t.X >> t.Y >> height;
                std::getline(s, t.Text);
                t.Text = t.Text.substr(1);
                EXPECT_EQ(layer, "4") << "text off its layer: " << l;
                texts.push_back(t);
            }
        }
    }
    // x of the vertical rules from Bottom up to Bottom + Height.
    std::set<double> Verticals(double Bottom, double Height) const
    {
        std::set<double> x;
        for (const TLine& l : lines)
            if (l.X1 == l.X2 && std::min(l.Y1, l.Y2) == Bottom && std::max(l.Y1, l.Y2) == Bottom + Height)
                x.insert(l.X1);
        return x;
    }
    // Horizontal rules at Y as (left, right).
    std::set<std::pair<double, double>> Horizontals(double Y) const
    {
        std::set<std::pair<double, double>> r;
        for (const TLine& l : lines)
            if (l.Y1 == Y && l.Y2 == Y) r.insert({std::min(l.X1, l.X2), std::max(l.X1, l.X2)});
        return r;
    }
    std::vector<std::pair<double, std::string>> TextsAt(double Y) const
    {
        std::vector<std::pair<double, std::string>> r;
        for (const TText& t : texts)
            if (t.Y == Y) r.push_back({t.X, t.Text});
        return r;
    }

    std::vector<TLine> lines;
    std::vector<TText> texts;
};

// h 2 at (10, 100): boundaries 10, 10 + 1.8 * 3 = 15.4, 15.4 + 1.8 * 6 =
// 26.2; the third width 0 ends the table, so the fourth (5) and the texts
// of columns 3 .. 9 never appear.
TEST_F(DrawingTable, AZeroWidthEndsTheTable)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("python3-ezdxf");
    TAusTabelle t;
    Read([&] {
        t = TableCreate(10, 100, 2, {3, 6, 0, 5}, {"a", "b", "never"});
        TableAddRow(t, {"c1", "c2", "never", "never"});
    });
    EXPECT_EQ(t.Count, 3);
    // Heading row (row 1): the frame 96 .. 100, texts on 100 - 3 = 97.
    EXPECT_EQ(Verticals(96, 4), (std::set<double>{10, 26.2})) << "frame sides";
    EXPECT_EQ(Horizontals(100), (std::set<std::pair<double, double>>{{10, 26.2}}));
    EXPECT_EQ(TextsAt(97), (std::vector<std::pair<double, std::string>>{{10, " a"}, {15.4, " b"}}));
    // Row 2: 92 .. 96, every boundary ruled, texts on 93.
    EXPECT_EQ(Verticals(92, 4), (std::set<double>{10, 15.4, 26.2}));
    EXPECT_EQ(Horizontals(92), (std::set<std::pair<double, double>>{{10, 26.2}}));
    EXPECT_EQ(TextsAt(93), (std::vector<std::pair<double, std::string>>{{10, " c1"}, {15.4, " c2"}}));
    EXPECT_EQ(texts.size(), 4u) << "nothing beyond the right edge";
}

// h 1: nine widths 1 .. 9 give ten boundaries 0, 0.9, 2.7, 5.4, 9, 13.5,
// 18.9, 25.2, 32.4, 40.5 and nine columns.
TEST_F(DrawingTable, NineWidthsGiveTenBoundaries)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("python3-ezdxf");
    TAusTabelle t;
    Read([&] {
        t = TableCreate(0, 50, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
        TableAddRow(t, {"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    });
    EXPECT_EQ(t.Count, 10);
    const std::set<double> x = {0, 0.9, 2.7, 5.4, 9, 13.5, 18.9, 25.2, 32.4, 40.5};
    EXPECT_EQ(Verticals(46, 2), x);
    const auto row = TextsAt(46.5);
    ASSERT_EQ(row.size(), 9u);
    auto b = x.begin();
    for (size_t k = 0; k < 9; ++k, ++b) {
        EXPECT_EQ(row[k].first, *b) << "column " << k + 1;
        EXPECT_EQ(row[k].second, std::string(" ") + char('a' + k));
    }
}

// All headings empty: no heading row; row k of the rows added spans
// y0 - 2 k h .. y0 - 2 (k - 1) h with its texts on y0 - 1.5 h - 2 (k - 1) h.
// h 2.5 at y0 80: rows 75..80, 70..75, 65..70; texts 76.25, 71.25, 66.25.
TEST_F(DrawingTable, WithoutHeadingsTheFirstRowTakesTheHeadingPlace)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("python3-ezdxf");
    TAusTabelle t;
    Read([&] {
        t = TableCreate(4, 80, 2.5, {2, 4}, {});
        for (const char* c : {"r1", "r2", "r3"})
            TableAddRow(t, {c, "v"});
    });
    const double h = 2.5, y0 = 80;
    for (int k = 1; k <= 3; ++k) {
        const double bottom = y0 - 2 * k * h;
        EXPECT_EQ(Verticals(bottom, 2 * h), (std::set<double>{4, 8.5, 17.5})) << "row " << k;
        EXPECT_EQ(Horizontals(bottom).count({4, 17.5}), 1u) << "rule under row " << k;
        EXPECT_EQ(TextsAt(y0 - 1.5 * h - 2 * (k - 1) * h),
                  (std::vector<std::pair<double, std::string>>{{4, " r" + std::to_string(k)}, {8.5, " v"}}))
            << "row " << k;
    }
    EXPECT_EQ(texts.size(), 6u);
    EXPECT_EQ(t.RowTop, y0 - 8 * h) << "next row's bottom";
}

} // namespace
