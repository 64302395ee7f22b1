// The navigator's Delete button marks and unmarks records instead of
// removing them, asking first when told to.
#include "browser_fixture.h"

#include "common/askedboxes.h"
#include "xbase/dbf/dbffile.h"

namespace
{

class Navigator : public BrowserTest
{
  protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path("n.dbf"), {{"NAME", 'C', 6, 0, 0}}));
        t.Name = Path("n.dbf");
        ASSERT_TRUE(OpenDbf(t));
        for (const char* rec : {" one   ", " two   "}) {
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
        dbf4.OpenTable(Path("n.dbf"));
        dbf4.GoRecord(2);
        grid.DataSet = &dbf4.tzdbf;
        grid.DefaultColumns();
        nav.DataSet = &dbf4.tzdbf;
    }
    bool Marked(int32_t r) { return grid.Page(r, 1).at(0).Deleted; }
    TTzGrid grid;
    TTzNavigator nav;
};

TEST_F(Navigator, DeleteTwiceUnmarks)
{
    std::vector<TNavigateBtn> clicks;
    nav.OnClick = [&](TNavigateBtn b) { clicks.push_back(b); };
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(dbf4.RecordCount(), 2) << "marked, not removed";
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_FALSE(Marked(2));
    EXPECT_EQ(clicks.size(), 2u);
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty()) << "no confirmation asked";
}

TEST_F(Navigator, CancelUnderConfirmRestoreKeepsTheMark)
{
    nav.ConfirmRestore = true;
    nav.Click(TNavigateBtn::nbDelete);
    ASSERT_TRUE(Marked(2));
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::No);
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "Restore Record ?");
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::Yes);
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_FALSE(Marked(2));
}

TEST_F(Navigator, ConfirmDeleteAsksBeforeMarking)
{
    nav.ConfirmDelete = true;
    headless.HeadlessMessages().QueueAnswer(platform::MessageAnswer::No);
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_FALSE(Marked(2));
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "Delete Record ?");
}

TEST_F(Navigator, ReadOnlyTableIsNotMarked)
{
    dbf4.tzdbf.ReadOnly = true;
    nav.Click(TNavigateBtn::nbDelete);
    EXPECT_FALSE(Marked(2));
}

TEST_F(Navigator, MoveButtonsMoveAndPickModeShowsOnlyThem)
{
    nav.Click(TNavigateBtn::nbFirst);
    EXPECT_EQ(dbf4.RecNo(), 1);
    nav.Click(TNavigateBtn::nbLast);
    EXPECT_EQ(dbf4.RecNo(), 2);
    nav.Click(TNavigateBtn::nbPrior);
    EXPECT_EQ(dbf4.RecNo(), 1);
    nav.ShowMoveButtonsOnly();
    EXPECT_TRUE(nav.Visible(TNavigateBtn::nbNext));
    EXPECT_FALSE(nav.Visible(TNavigateBtn::nbInsert));
}

} // namespace
