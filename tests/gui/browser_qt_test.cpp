// The table grid and the browser window offscreen: red boxes of true logical
// fields, the right-clicked title, deleted rows on red, a click that picks,
// and the window rendered once.
#include "qtfixture.h"

#include "common/tempdir.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/qt/tablebrowser_qt.h"
#include "xbase/qt/tablegrid_qt.h"

#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

class QtBrowser : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dberror.AutoReportErrors = false;
        dir = testdirs::MakeTempDir("browserqt");
        telmvar.TempDir = dir;
        // PARTS: NAME C(8), OK L, QTY N(4); the second record deleted.
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, dir + "/parts.dbf",
                              {{"NAME", 'C', 8, 0, 0}, {"OK", 'L', 1, 0, 0}, {"QTY", 'N', 4, 0, 0}}));
        t.Name = dir + "/parts.dbf";
        ASSERT_TRUE(OpenDbf(t));
        for (const char* rec : {" bolt    T  12", "*nut     F   3", " washer  F 100"}) {
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
        dbf4.OpenTable(dir + "/parts.dbf");
        ASSERT_TRUE(dbf4.tzdbf.Active());
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir);
    }
    // Pixels of exactly this colour inside a rectangle of the grab.
    static int Count(const QImage& img, const QRect& r, QColor c)
    {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixelColor(x, y) == c)
                    ++n;
        return n;
    }
    QImage Grab(xbase_qt::TzGridView& view)
    {
        view.resize(400, 200);
        view.show();
        QApplication::processEvents();
        return view.viewport()->grab().toImage();
    }
    AppFirst app_;
    std::string dir;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(QtBrowser, FillBoxRedPaintsRedOnlyForTrue)
{
    TTzGrid grid(&dbf4.tzdbf);
    grid.DefaultColumns();
    grid.BooleanBox = TTzBooleanBox::bbFillBoxRed;
    xbase_qt::TzGridView view(grid);
    const QImage img = Grab(view);
    const QRect trueCell = view.visualRect(view.model()->index(0, 1));
    const QRect falseCell = view.visualRect(view.model()->index(2, 1));
    EXPECT_GT(Count(img, trueCell, QColor(255, 0, 0)), 20) << "true: a red filled square";
    EXPECT_EQ(Count(img, falseCell, QColor(255, 0, 0)), 0) << "false: the frame only";
}

TEST_F(QtBrowser, DeletedRowIsRedUnlessTheEventChangesIt)
{
    TTzGrid grid(&dbf4.tzdbf);
    grid.DefaultColumns();
    xbase_qt::TzGridView view(grid);
    QImage img = Grab(view);
    const QRect deleted = view.visualRect(view.model()->index(1, 0));
    EXPECT_GT(Count(img, deleted, QColor(255, 0, 0)), deleted.width() * deleted.height() / 2);
    grid.OnChangeColorsEvent = [](TTzColorSet& c, int) { c.DeletedRecordColor = 0x00FF00; };
    view.viewport()->update();
    img = Grab(view);
    EXPECT_EQ(Count(img, deleted, QColor(255, 0, 0)), 0);
    EXPECT_GT(Count(img, deleted, QColor(0, 255, 0)), deleted.width() * deleted.height() / 2);
}

TEST_F(QtBrowser, RightClickOnTheThirdTitleReachesOnDepressTitle)
{
    TTzGrid grid(&dbf4.tzdbf);
    grid.DefaultColumns();
    xbase_qt::TzGridView view(grid);
    Grab(view);
    std::vector<int> calls;
    grid.OnDepressTitle = [&](int c) { calls.push_back(c); };
    QHeaderView* h = view.horizontalHeader();
    const QPointF at(h->sectionViewportPosition(2) + 5, 5);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, at, h->viewport()->mapToGlobal(at), b, b, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, h->viewport()->mapToGlobal(at), b, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &press);
        QApplication::sendEvent(h->viewport(), &release);
    }
    EXPECT_EQ(calls, std::vector<int>{2}) << "the right click only";
}

TEST_F(QtBrowser, CloseActionWindowPicksOnOneClickAndRenders)
{
    TDbfBrowserModel m;
    m.Action = "CLOSE";
    m.CloseOnPick = true;
    m.PickMode = true;
    m.TablePath = dir + "/parts.dbf";
    m.caption = "Parts";
    xbase_qt::TableBrowserQt w(m);
    w.show();
    QApplication::processEvents();
    const QImage shot = w.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_EQ(w.objectName(), "dbf4");
    auto& grid = w.Grid();
    const QRect cell = grid.visualRect(grid.model()->index(2, 0));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(cell.center()), grid.viewport()->mapToGlobal(QPointF(cell.center())),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &press);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(m.RecordNo, 3);
    EXPECT_FALSE(w.isVisible());
}

} // namespace
