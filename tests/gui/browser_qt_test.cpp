// The table grid and the browser window offscreen: red boxes of true logical
// fields, the right-clicked title, deleted rows on red, a click that picks,
// and the window rendered once.
#include "qtfixture.h"

#include "app/maincommands.h"
#include "app/menutexts.h"
#include "common/tempdir.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/qt/tablebrowser_qt.h"
#include "xbase/qt/tablegrid_qt.h"

#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QtWidgets>

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
        // PARTS: NAME C(8), INSTOCK L, QTY N(4), DAY D; the second deleted.
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, dir + "/parts.dbf",
                              {{"NAME", 'C', 8, 0, 0}, {"INSTOCK", 'L', 1, 0, 0}, {"QTY", 'N', 4, 0, 0}, {"DAY", 'D', 8, 0, 0}}));
        t.Name = dir + "/parts.dbf";
        ASSERT_TRUE(OpenDbf(t));
        for (const char* rec : {" bolt    T  12        ", "*nut     F   3        ", " washer  F 100        "}) {
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

// Keys typed into PARTS reach the file, the browser staying open (a date is
// stored year, month, day).
struct TypingCase { const char *name, *keys, *stored; int column; };
class GridTyping : public QtBrowser, public ::testing::WithParamInterface<TypingCase> {};
TEST_P(GridTyping, EditReachesTheFile)
{
    dbdates.DateCentury = true; // the mask: month/day/year
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.show();
    w.Grid().setCurrentIndex(w.Grid().model()->index(0, GetParam().column));
    w.Grid().setFocus();
    for (const QString& k : QString(GetParam().keys).split(' '))
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            const int key = QKeySequence(k)[0].key();
            QKeyEvent e(type, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier, k.size() == 1 ? k : "");
            QApplication::sendEvent(w.focusWidget(), &e);
            QApplication::processEvents();
        }
    std::string stored;
    dbf4.tzdbf.Peek(GetParam().column + 1, 1, stored);
    EXPECT_EQ(stored + (w.isVisible() ? "" : " (browser closed)"), GetParam().stored);
    ResetDbDates();
}
INSTANTIATE_TEST_SUITE_P(Keys, GridTyping, ::testing::Values(
    TypingCase{"SeveralCharacters", "F2 End X Y Tab", "boltXY  ", 0},
    TypingCase{"Return", "F2 End Backspace Backspace 3 1 0 Return", " 310", 2},
    TypingCase{"KeypadEnter", "F2 End Backspace Backspace 4 7 Enter", "  47", 2},
    TypingCase{"DateMask", "F2 Home 1 2 3 1 1 9 9 9 Return", "19991231", 3}),
    [](const auto& i) { return std::string(i.param.name); });

// Columns at least as wide as their titles (INSTOCK over a logical field);
// menus in the main menu's language (German: any German program's words).
TEST_F(QtBrowser, TitlesFitAndMenusFollowTheLanguage)
{
    InstallTableBrowserMenuTexts();
    SetMenuLanguage(1);
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    for (int c = 0; c < 4; ++c)
        EXPECT_GE(w.Grid().columnWidth(c), w.fontMetrics().horizontalAdvance(w.Grid().model()->headerData(c, Qt::Horizontal).toString()));
    const std::pair<const char*, const char*> menus[] = {{"mi_File", "&Datei"}, {"mi_filePrint", "&Drucken..."}, {"mi_fileExit", "&Beenden"}, {"mi_edit", "&Bearbeiten"}, {"mi_view", "&Ansicht"}, {"mi_Help", "&Hilfe"}, {"mi_helpCommon", "&Datenbank"}};
    for (auto [name, text] : menus)
        EXPECT_EQ((w.findChild<QMenu*>(name) ? w.findChild<QMenu*>(name)->title() : w.findChild<QAction*>(name)->text()).toStdString(), text);
    ResetMenuTexts();
    ResetTableBrowserServices();
}

} // namespace
