// The browser's grid without a widget: pages of rows straight off the file,
// the colours of deleted and selected rows, logical boxes and their toggle,
// the depressed title, corner clicks, Ctrl+Del, date masks, the saved
// column layout and cells edited in place.
#include "browser_fixture.h"
#include "common/askedboxes.h"
#include "common/validators.h"

#include "xbase/core/dbdates.h"
#include "xbase/dbf/dbffile.h"

namespace
{

class Grid : public BrowserTest
{
  protected:
    // PARTS: NAME C(8), OK L, QTY N(4); three records, the second deleted.
    void MakeParts()
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("parts.dbf"),
                              {{"NAME", 'C', 8, 0, 0}, {"OK", 'L', 1, 0, 0}, {"QTY", 'N', 4, 0, 0}}));
        t.Name = Path("parts.dbf");
        ASSERT_TRUE(OpenDbf(t));
        for (const char* rec : {" bolt    T  12", "*nut     F   3", " washer  T 100"}) {
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
        dbf4.OpenTable(Path("parts.dbf"));
        ASSERT_TRUE(dbf4.tzdbf.Active());
        grid.DataSet = &dbf4.tzdbf;
        grid.DefaultColumns();
    }
    TTzGrid grid;
};

TEST_F(Grid, PageReadsRowsWithoutMovingTheRecord)
{
    MakeParts();
    dbf4.GoRecord(3);
    const auto rows = grid.Page(2, 40);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].RecNo, 2);
    EXPECT_TRUE(rows[0].Deleted);
    EXPECT_FALSE(rows[1].Deleted);
    EXPECT_EQ(rows[1].Cells, (std::vector<std::string>{"washer  ", "T", " 100"}));
    EXPECT_EQ(dbf4.RecNo(), 3);
    EXPECT_TRUE(grid.Page(4, 40).empty());
}

TEST_F(Grid, DeletedRowIsRedUnlessTheEventChangesItAndSelectionWins)
{
    MakeParts();
    auto p = grid.CellColors(1, 0, true, false);
    EXPECT_EQ(p.Brush, clRed);
    EXPECT_EQ(p.Font, grid.Colors.DeletedRecordFontColor);
    p = grid.CellColors(0, 0, false, false);
    EXPECT_EQ(p.Brush, clWhite);
    p = grid.CellColors(1, 0, true, true);
    EXPECT_EQ(p.Brush, grid.Colors.SelectedCellColor) << "selection wins over deletion";
    int seenRow = -1, seenRec = 0;
    grid.OnChangeColorsEvent = [&](TTzColorSet& c, int row) {
        seenRow = row;
        seenRec = dbf4.RecNo();
        c.DeletedRecordColor = 0x00FF00;
    };
    dbf4.GoRecord(3);
    p = grid.CellColors(1, 0, true, false, 2);
    EXPECT_EQ(p.Brush, 0x00FF00u);
    EXPECT_EQ(seenRow, 1);
    EXPECT_EQ(std::make_pair(seenRec, dbf4.RecNo()), std::make_pair(2, 3))
        << "row 2's record active in the event only";
    grid.Enabled = false;
    EXPECT_EQ(grid.CellColors(0, 0, false, false).Font, clGrayText);
}

TEST_F(Grid, RightClickOnTitle3DepressesItLeftClickDoesNot)
{
    MakeParts();
    std::vector<int> calls;
    grid.OnDepressTitle = [&](int c) { calls.push_back(c); };
    EXPECT_FALSE(grid.TitleMouseUp(TTzMouseButton::Left, 2, {}));
    EXPECT_TRUE(calls.empty());
    TTzShift ctrl;
    ctrl.Ctrl = true;
    EXPECT_FALSE(grid.TitleMouseUp(TTzMouseButton::Right, 2, ctrl))
        << "a modifier leaves it to the framework";
    EXPECT_TRUE(grid.TitleMouseUp(TTzMouseButton::Right, 2, {}));
    EXPECT_EQ(calls, std::vector<int>{2});
    EXPECT_EQ(grid.DepressedColumn(), 2);
    grid.MoveColumn(2, 0);
    EXPECT_EQ(grid.DepressedColumn(), 0) << "the depressed title moves with its column";
    grid.SetDepressDisabled(true);
    EXPECT_EQ(grid.DepressedColumn(), -1);
    EXPECT_FALSE(grid.TitleMouseUp(TTzMouseButton::Right, 1, {}));
}

TEST_F(Grid, CornerClicksFireTheirEvents)
{
    MakeParts();
    int left = 0, right = 0;
    grid.OnCornerLeftClick = [&] { ++left; };
    grid.OnCornerRightClick = [&] { ++right; };
    grid.TitleMouseUp(TTzMouseButton::Left, -1, {});
    grid.TitleMouseUp(TTzMouseButton::Right, -1, {});
    grid.TitleMouseUp(TTzMouseButton::Right, -1, {});
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 2);
}

TEST_F(Grid, LogicalBoxesFollowTheKind)
{
    grid.BooleanBox = TTzBooleanBox::bbFillBoxRed;
    auto on = grid.BoxShapes(0, 0, 40, 16, true, clBlack);
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0].Shape, TTzBoxShape::FrameRect);
    EXPECT_EQ(on[0].Left, 12) << "a square of the cell height, centred";
    EXPECT_EQ(on[0].Right, 28);
    EXPECT_EQ(on[1].Shape, TTzBoxShape::FillRect);
    EXPECT_EQ(on[1].Color, clRed);
    EXPECT_EQ(on[1].Left, 13);
    auto off = grid.BoxShapes(0, 0, 40, 16, false, clBlack);
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].Shape, TTzBoxShape::FrameRect);
    grid.BooleanBox = TTzBooleanBox::bbDot;
    EXPECT_TRUE(grid.BoxShapes(0, 0, 40, 16, false, clBlack).empty()) << "a dot has no frame";
    grid.BooleanBox = TTzBooleanBox::bbRButtonRed;
    on = grid.BoxShapes(0, 0, 40, 16, true, clBlack);
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0].Shape, TTzBoxShape::FrameCircle);
    EXPECT_EQ(on[1].Shape, TTzBoxShape::Disc);
    EXPECT_EQ(on[1].Left, 14);
    grid.BooleanBox = TTzBooleanBox::bbText;
    EXPECT_TRUE(grid.BoxShapes(0, 0, 40, 16, true, clBlack).empty());
}

TEST_F(Grid, TrueAndFalseTextsComeFromTheDisplayValues)
{
    EXPECT_EQ(grid.TrueText(), "yes");
    EXPECT_EQ(grid.FalseText(), "no");
    grid.DisplayValues = "Ja;Nein";
    EXPECT_EQ(grid.TrueText(), "Ja");
    EXPECT_EQ(grid.FalseText(), "Nein");
    EXPECT_TRUE(grid.LogicalValue("ja"));
    grid.DisplayValues = "On";
    EXPECT_EQ(grid.TrueText(), "On");
    EXPECT_EQ(grid.FalseText(), "");
}

TEST_F(Grid, SpaceAndLeftPressToggleALogicalFieldOnlyWhenEditing)
{
    MakeParts();
    dbf4.GoRecord(1);
    ASSERT_TRUE(dbf4.tzdbf.AsBoolean(2));
    EXPECT_TRUE(grid.KeyPress(' ', 1));
    EXPECT_FALSE(dbf4.tzdbf.AsBoolean(2));
    grid.MouseDown(TTzMouseButton::Left, 0, 1);
    EXPECT_TRUE(dbf4.tzdbf.AsBoolean(2));
    EXPECT_TRUE(grid.KeyPress('x', 1)) << "printable characters are swallowed";
    EXPECT_TRUE(dbf4.tzdbf.AsBoolean(2));
    EXPECT_FALSE(grid.KeyPress(' ', 0)) << "a text column is the framework's";
    grid.Editing = false;
    grid.KeyPress(' ', 1);
    EXPECT_TRUE(dbf4.tzdbf.AsBoolean(2));
}

TEST_F(Grid, CtrlDelRestoresADeletedRecordAfterConfirmation)
{
    MakeParts();
    dbf4.GoRecord(1);
    EXPECT_TRUE(grid.CtrlDelete() && grid.Page(1, 1)[0].Deleted) << "a live record is deleted (marked)";
    dbf4.GoRecord(2);
    grid.ConfirmDelete = true;
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Cancel);
    EXPECT_TRUE(grid.CtrlDelete());
    EXPECT_TRUE(grid.Page(2, 1)[0].Deleted);
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Ok);
    EXPECT_TRUE(grid.CtrlDelete());
    EXPECT_FALSE(grid.Page(2, 1)[0].Deleted);
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "Restore Record ?");
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Buttons,
              platform::MessageButtons::OkCancel);
}

struct MaskCase {
    const char* name;
    uint8_t format;
    bool century;
    const char* mask;
};

class DateMask : public BrowserTest, public ::testing::WithParamInterface<MaskCase>
{
};

TEST_P(DateMask, FollowsTheEngineDateSetting)
{
    dbdates.DateCentury = GetParam().century;
    SetDateFormat(GetParam().format);
    EXPECT_EQ(TTzGrid::DateEditMask(), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(Grid, DateMask,
                         ::testing::Values(MaskCase{"AmericanShort", 0, false, "99/99/99;1; "},
                                           MaskCase{"AmericanCentury", 0, true, "99/99/9999;1; "},
                                           MaskCase{"YearFirstShort", 1, false, "99/99/99;1; "},
                                           MaskCase{"YearFirstCentury", 1, true, "9999/99/99;1; "},
                                           MaskCase{"GermanCentury", 5, true, "99/99/9999;1; "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Grid, SavedColumnsBuildColumnsWithinTheFieldCount)
{
    MakeParts();
    grid.Columns.clear();
    grid.Columns.emplace_back(); // the empty default column goes
    const int bad = grid.ReadSavedColumns(
        {" cvColumn = 1 ", "cvColorStr=clRed", "cvWidthStr=80", "cvFontStr=Arial,clBlue,1290",
         "cvAlignmentStr=TACENTER", "cvReadOnlyStr=true", "cvTitleCaptionStr=Qty", "cvFieldNameStr=QTY",
         "cvColumn=99999999", "cvWidthStr=5", "0", "cvTitleColorStr=$0000FF00"});
    EXPECT_EQ(bad, 1) << "the huge index is refused";
    ASSERT_EQ(grid.Columns.size(), 2u);
    const TTzColumn& c = grid.Columns[1];
    EXPECT_EQ(c.Color, clRed);
    EXPECT_EQ(c.Width, 80) << "entries after a refused index are not applied to another column";
    EXPECT_EQ(c.Font.Name, "Arial");
    EXPECT_EQ(c.Font.Size, 10);                   // 1290 & 255
    EXPECT_TRUE(c.Font.Bold && c.Font.Underline); // 256 + 1024, no 512
    EXPECT_FALSE(c.Font.Italic);
    EXPECT_EQ(c.Alignment, TTzAlignment::taCenter);
    EXPECT_TRUE(c.ReadOnly);
    EXPECT_EQ(c.Title.Caption, "Qty");
    EXPECT_EQ(c.FieldName, "QTY");
    EXPECT_EQ(grid.Columns[0].Title.Color, 0x00FF00u) << "a bare index makes column 0 current";
    EXPECT_EQ(grid.ReadSavedColumns({"cvColumn=3"}), 1) << "three fields: indexes 0..2";
    EXPECT_TRUE(grid.SavedColumns().empty());
}

TEST_F(Grid, EntriesBeforeAnyColumnAreIgnored)
{
    TTzGrid g;
    EXPECT_EQ(g.ReadSavedColumns({"cvColorStr=clRed", "cvWidthStr=7"}), 0);
    EXPECT_TRUE(g.Columns.empty());
}

// Record 1 of a copied catalogue (printout: NAME C 25, XSCALE N 8.3, ... LANDSCAPE L) or a dated table.
TEST_F(Grid, GridEditStoresThroughTheLockOrRefusesUnchanged)
{
    if (!PythonHas("dbfread")) QYR7_VALIDATOR_MISSING("python3-dbfread");
    dbdates.DateCentury = true;
    SetDateFormat(0);
    TDbfTable dated;
    dated.Name = Path("dated.dbf");
    dated.RecordBuffer = " gauge   20240131";
    ASSERT_TRUE(CreateDBF(dated, dated.Name, {{"NAME", 'C', 8, 0, 0}, {"DONE", 'D', 8, 0, 0}}) &&
                OpenDbf(dated) && AppendDbfRecord(dated) && CloseDbf(dated));
    const struct {
        const char* field;
        int column;
        const char *typed, *stored, *read, *message; // typed nullptr: the Space key
        bool readOnly, locked;
    } cases[] = {
        {"NAME", 0, "draft A3", "draft A3                 ", "'draft A3'", "", false, false},
        {"XSCALE", 1, "2.5", "   2.500", "2.5", "", false, false},
        {"XSCALE", 1, "19.5", "  19.500", "19.5", "", false, false},
        {"LANDSCAPE", 5, nullptr, "T", "True", "", false, false},
        {"DONE", 1, "12/24/2026", "20261224", "datetime.date(2026, 12, 24)", "", false, false},
        {"NAME", 0, "draft A3", "portrait 1:1             ", "'portrait 1:1'",
         "The table %s is opened read-only: changes cannot be stored.", true, false},
        {"LANDSCAPE", 5, nullptr, "F", "False", "Lock failed [Post]", false, true},
    };
    for (const auto& c : cases) {
        const std::string path = Path(std::to_string(&c - cases) + ".dbf");
        std::filesystem::copy_file(
            c.field[0] == 'D' ? dated.Name : std::string(QYR7_DATA_DIR) + "/printout.dbf", path);
        dbf4.OpenTable(path, c.readOnly);
        Select(20); // another user holds the record in another work area; the grid selects its own
        ASSERT_TRUE(!c.locked || (UseFile(path + " ALIAS OTHER") && RLock()));
        const std::size_t asked = headless.HeadlessMessages().AskedQuestions().size();
        grid.DataSet = &dbf4.tzdbf;
        grid.DefaultColumns();
        const bool stored = c.typed ? grid.StoreCell(1, c.column, c.typed) : grid.ToggleLogical(c.column);
        EXPECT_EQ(stored, !c.message[0]) << c.field;
        const auto& asks = headless.HeadlessMessages().AskedQuestions();
        std::string message = c.message; // %s: the table's path
        if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
        EXPECT_EQ(asks.size() > asked ? asks.back().Request.Text : "", message) << c.field;
        Select(20);
        CloseArea();
        dbf4.OpenTable(path);
        std::string peeked;
        dbf4.tzdbf.Peek(c.column + 1, 1, peeked);
        EXPECT_EQ(peeked, c.stored) << c.field;
        dbf4.CloseTable();
        EXPECT_EQ(Run("/usr/bin/python3 -c \"import dbfread; print(repr(next(iter(dbfread.DBF('" + path +
                      "')))['" + c.field + "']))\""),
                  std::string(c.read) + "\n")
            << c.field;
    }
}

} // namespace
