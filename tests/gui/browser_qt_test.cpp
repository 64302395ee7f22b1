// The table grid and the browser window offscreen: red boxes of true logical
// fields, the right-clicked title, deleted rows on red, a click that picks,
// and the window rendered once.
#include "qtfixture.h"

#include "app/maincommands.h"
#include "app/menutexts.h"
#include "common/tempdir.h"
#include "common/testlocales.h"
#include "common/validators.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "platform/qt/platform_qt.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
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
#include <fstream>
#include <optional>

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
        // PARTS: NAME C(8), INSTOCK L, QTY N(4), DAY D, WT N(7), NU N(5,3); the second deleted, the
        // third's NU blank.
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, dir + "/parts.dbf",
                              {{"NAME", 'C', 8, 0, 0},
                               {"INSTOCK", 'L', 1, 0, 0},
                               {"QTY", 'N', 4, 0, 0},
                               {"DAY", 'D', 8, 0, 0},
                               {"WT", 'N', 7, 0, 0},
                               {"NU", 'N', 5, 3, 0}}));
        t.Name = dir + "/parts.dbf";
        ASSERT_TRUE(OpenDbf(t));
        for (const char* rec : {" bolt    T  12           15000.250", "*nut     F   3             7 0.300",
                                " washer  F 100             9"}) {
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
        dbf4.OpenTable(dir + "/parts.dbf");
        ASSERT_TRUE(dbf4.tzdbf.Active());
    }
    void TearDown() override { testdirs::RemoveTempDir(dir); }
    // Pixels of exactly this colour inside a rectangle of the grab.
    static int Count(const QImage& img, const QRect& r, QColor c)
    {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixelColor(x, y) == c) ++n;
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
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(cell.center()),
                      grid.viewport()->mapToGlobal(QPointF(cell.center())), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &press);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(m.RecordNo, 3);
    EXPECT_FALSE(w.isVisible());
}

// The navigator's button whose tip names k ("Insert record", "Cancel edit"), clicked.
void ClickNavigator(xbase_qt::TableBrowserQt& w, const QString& k)
{
    for (auto* b : w.findChildren<QToolButton*>()) // "Cancel", "Post", "Insert": X, tick, +
        if (k + " edit" == b->toolTip() || k + " record" == b->toolTip()) b->click();
}

// k pressed and released where the keyboard is, as QKeySequence reads it ("Shift+Tab", "Enter" of the
// keypad).
void PressKey(QWidget& w, const QString& k)
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        const QKeyCombination key = QKeySequence(k)[0];
        QKeyEvent e(type, key.key(),
                    key.keyboardModifiers() |
                        (key.key() == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier),
                    k.size() == 1 ? k : "");
        if (w.focusWidget()) QApplication::sendEvent(w.focusWidget(), &e);
        QApplication::processEvents();
    }
}

// Keys typed into PARTS reach the file, the browser staying open (a date is
// stored year, month, day); "Click" clicks the current cell.
const char* const Raised = "Dataset error: 1403"; // by the lock event of the rows that make it raise
struct TypingCase {
    const char *name, *keys, *stored;
    int column, row = 0;
    const char *deleted = " ", *asked = "";
    bool confirm = false;
    int32_t recNo = 0;                   // the table's record after the keys (0: not checked)
    bool autoAppend = true, box = false; // box: a message box as the user sees it, answered OK
    bool untouched = false;              // the file byte for byte as before
    bool lockRaises = false;             // another user holds record 1 and the lock event raises an error
    const char* desktop = "";            // the language the table library starts with ("LANG=de_DE.UTF-8")
    const char* file = ""; // the open dialog's answer: "copy.dbf" a copy of PARTS, else a text of these bytes
    int checkedRow = -1;   // the row whose field is checked, when not the row typed into
};
class GridTyping : public QtBrowser, public ::testing::WithParamInterface<TypingCase>
{
};
TEST_P(GridTyping, EditReachesTheFile)
{
    std::optional<testlocales::ScopedDesktop> desktop;
    if (*GetParam().desktop) {
        desktop.emplace(GetParam().desktop);
        ASSERT_TRUE(desktop->Ok()) << GetParam().desktop;
        InitNationalSettings();
    }
    dbdates.DateCentury = true; // the mask: month/day/year
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.Grid().ItemModel().Grid().ConfirmDelete = GetParam().confirm;
    w.Grid().ItemModel().Grid().AutoAppend = GetParam().autoAppend;
    platform::PlatformQt qt;
    platform::ScopedPlatform boxes(GetParam().box ? static_cast<platform::Platform&>(qt) : headless);
    if (GetParam().box) WhenModalAppears([](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    w.Grid().setCurrentIndex(w.Grid().model()->index(GetParam().row, GetParam().column));
    w.Grid().setFocus();
    if (const std::string f = GetParam().file; !f.empty()) {
        const std::string answer = dir + (f == "copy.dbf" ? "/copy.dbf" : "/in.txt");
        if (f == "copy.dbf") std::filesystem::copy_file(dir + "/parts.dbf", answer);
        if (f != "copy.dbf") std::ofstream(answer, std::ios::binary) << f;
        headless.HeadlessFiles().QueueAnswer(answer);
    }
    QFile file(QString::fromStdString(dir + "/parts.dbf"));
    const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
    if (GetParam().lockRaises) { // the grid's own keys, a cell edit and the window's buttons alike
        dbf4.tzdbf.OnLockFailed = [](TLockKind, bool&) { throw EDatabaseError(Raised, 1403); };
        Select(20);
        ASSERT_TRUE(UseFile(dir + "/parts.dbf ALIAS OTHER") && RLock());
    }
    for (const QString& k : QString(GetParam().keys).split(' ')) {
        ClickNavigator(w, k);
        if (auto* b = w.findChild<QPushButton*>(k)) { // a button of the window, clicked as by the mouse
            if (b->focusPolicy() & Qt::ClickFocus) b->setFocus(Qt::MouseFocusReason); // as a real press does
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)),
                              Qt::LeftButton, Qt::LeftButton, {});
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)),
                                Qt::LeftButton, Qt::NoButton, {});
            QApplication::sendEvent(b, &press);
            QApplication::sendEvent(b, &release);
        }
        if (k == "Unlock") Select(20), Unlock();
        if (auto* a = w.findChild<QAction*>(k)) a->trigger();          // a menu item by its name
        if (QHeaderView* h = w.Grid().horizontalHeader(); k == "Sort") // a right click on the first title
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                const QPointF title(h->sectionViewportPosition(0) + 5, 5);
                QMouseEvent e(type, title, h->viewport()->mapToGlobal(title), Qt::RightButton,
                              type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, {});
                QApplication::sendEvent(h->viewport(), &e);
            }
        const QPointF at = w.Grid().visualRect(w.Grid().currentIndex()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            if (QMouseEvent e(type, at, at, Qt::LeftButton, {}, {}); k == "Click")
                QApplication::sendEvent(w.Grid().viewport(), &e);
        // The editor a click opens comes after the double click time.
        for (QDeadlineTimer end(k == "Click" ? 5000 : 0);
             !qobject_cast<QLineEdit*>(w.focusWidget()) && !end.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (k != "Click" && k != "Cancel" && k != "Post" && k != "Sort" && k != "Unlock" &&
            !k.startsWith("Button_"))
            PressKey(w, k);
        else
            for (int i = 0; i < 2; ++i)
                QApplication::processEvents();
    }
    std::string stored, deleted;
    const int checked = GetParam().checkedRow >= 0 ? GetParam().checkedRow : GetParam().row;
    dbf4.tzdbf.Peek(GetParam().column + 1, checked + 1, stored);
    dbf4.tzdbf.Peek(0, checked + 1, deleted);
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_EQ(stored + (w.isVisible() ? "" : " (browser closed)"), GetParam().stored);
    EXPECT_EQ(deleted, GetParam().deleted);
    EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text, GetParam().asked);
    if (GetParam().recNo > 0) EXPECT_EQ(dbf4.RecNo(), GetParam().recNo);
    if (GetParam().recNo > 0) EXPECT_EQ(w.focusWidget(), &w.Grid());
    if (file.seek(0) && GetParam().untouched) EXPECT_EQ(file.readAll(), before);
    ResetDbDates();
    if (GetParam().lockRaises) dbf4.tzdbf.OnLockFailed = nullptr, Select(20), CloseArea();
}
INSTANTIATE_TEST_SUITE_P(
    Keys, GridTyping,
    ::testing::Values(TypingCase{"SeveralCharacters", "F2 End X Y Tab", "boltXY  ", 0},
                      TypingCase{"Return", "F2 End Backspace Backspace 3 1 0 Return", " 310", 2},
                      TypingCase{"KeypadEnter", "F2 End Backspace Backspace 4 7 Enter", "  47", 2},
                      TypingCase{"DateMask", "F2 Home 1 2 3 1 1 9 9 9 Return", "19991231", 3},
                      // Shift+Tab stops at the table's start (Tab at its end: CatalogueFillIn).
                      TypingCase{"ShiftTabStopsAtTheFirstCell", "F2 Shift+Backtab 7 Return", "7       ", 0}),
    [](const auto& i) { return std::string(i.param.name); });
// Ctrl+Del marks or restores, an editor open or not, the text as it was (its
// question cancelled: nothing); typing replaces a clicked cell; N(7) refuses nine digits.
INSTANTIATE_TEST_SUITE_P(GridKeys, GridTyping,
                         ::testing::Values(TypingCase{"CtrlDelMarks", "Ctrl+Del", "bolt    ", 0, 0, "*"},
                                           TypingCase{"CtrlDelRestores", "Ctrl+Del", "nut     ", 0, 1, " "},
                                           TypingCase{"CtrlDelInF2EditorMarks", "F2 Ctrl+Del Return",
                                                      "bolt    ", 0, 0, "*"},
                                           TypingCase{"CtrlDelInClickedEditorRestores",
                                                      "Click Ctrl+Del Return", "nut     ", 0, 1, " "},
                                           TypingCase{"ConfirmCancelled", "Ctrl+Del", "washer  ", 0, 2, " ",
                                                      "Delete Record ?", true},
                                           TypingCase{"ClickTypeReplaces", "Click 7 Return", "   7", 2, 2},
                                           TypingCase{"NineDigitsRefused", "Click 1 2 3 4 5 6 7 8 9 Return",
                                                      "   1500", 4, 0, " ", "Invalid Input \"123456789\" !"}),
                         [](const auto& i) { return std::string(i.param.name); });

// Up and Down move one record, also after Return (the next typing goes into
// the row moved to); the keyboard is the grid's after "Invalid Input"; the
// next move stores no typing dropped by the navigator's Cancel or by Escape.
INSTANTIATE_TEST_SUITE_P(
    BrowserKeys, GridTyping,
    ::testing::Values(
        TypingCase{"DownDownUp", "Down Down Up", "bolt    ", 0, 0, " ", "", false, 2},
        TypingCase{"DownAfterReturn", "F2 End Backspace 5 Return Down 7 Return", "  15", 2, 0, " ", "", false,
                   2},
        TypingCase{"UpAfterReturn", "F2 End Backspace 5 Return Up Up", " 105", 2, 2, " ", "", false, 1},
        TypingCase{"LastRowWithoutAutoAppend", "Down Down", "nut     ", 0, 1, "*", "", false, 3, false},
        TypingCase{"InvalidInputBox", "F2 1 2 3 4 5 6 7 8 9 0 Return Down", "   1500", 4, 0, " ", "", false,
                   2, true, true},
        TypingCase{"CancelOrEscapeDropsTyping", "Click 1 2 3 Cancel Down Click 4 Escape Up", "   1500", 4, 0,
                   " ", "", false, 1, true, false, true},
        TypingCase{"WindowCancelDropsTyping", "Click 1 2 3 Button_cancel", "   1500 (browser closed)", 4, 0,
                   " ", "", false, 0, true, false, true},
        TypingCase{"PostStoresTyping", "Click 1 2 3 Post Button_cancel", "    123 (browser closed)", 4},
        // "+" shows a new last row: typed and posted it is record 4, twice "+" and Escape write nothing.
        TypingCase{"InsertTypedIsANewRecord", "Insert 7 Return", "7       ", 0, 3, " ", "", false, 4},
        TypingCase{"InsertTwiceThenEscape", "Insert Insert Escape Down", "", 0, 3, "", "", false, 2, true,
                   false, true},
        // The same in a grid sorted by a right click on its first title.
        TypingCase{"InsertTypedInASortedGrid", "Sort Insert 7 Return", "7       ", 0, 3, " ", "", false, 4},
        // An error raised on the way of an action is shown in a box and ends nothing; the record stays.
        // The other user then lets the record go, and Post writes nothing: the box's action was dropped.
        TypingCase{"ErrorOfACellEdit", "Click 1 2 3 Return Unlock Post", "   1500", 4, 0, " ", Raised, 0, 0,
                   1, 0, 1, 1},
        TypingCase{"ErrorOfCtrlDel", "Ctrl+Del Unlock Post", "bolt    ", 0, 0, " ", Raised, 0, 0, 1, 0, 1, 1},
        TypingCase{"ErrorOfAToggle", "Click Unlock Post", "T", 1, 0, " ", Raised, 0, 0, 1, 0, 1, 1},
        TypingCase{"ErrorOfNavigatorPost", "Edit Post Unlock Post", "bolt    ", 0, 0, " ", Raised, 0, 0, 1, 0,
                   1, 1}),
    [](const auto& i) { return std::string(i.param.name); });

// A number cell (NU N(5,3)) takes "." and "," alike on a desktop that writes a decimal comma and on one that
// writes a point, and stores a point; a refusal (no number, one too wide, a decimal mark in WT N(7), which
// holds whole numbers) writes nothing, and a new record's refused number stays blank when the record is
// stored by another field. A blank number stays blank in a copy of its record (Edit > Append) and when it
// comes in from a table or a delimited text.
std::vector<TypingCase> NumberCases()
{
    // A blank number stays blank when another field of its record is stored (also with an index open, or
    // when its cell is left empty), and a new record stores a 0 typed into it, also after another cell.
    std::vector<TypingCase> cases{
        {"BlankKeptByAnEditOfAnotherField", "Home 7 Return", "     ", 5, 2},
        {"BlankKeptInASortedGrid", "Sort Home 7 Return", "     ", 5, 2},
        {"EmptyCellOfANewRowStaysBlank", "Insert End F2 Return Home 7 Return", "     ", 5, 3},
        {"ZeroInANewRow", "Insert End 0 Return", "0.000", 5, 3}};
    const char* const abc = "Invalid Input \"abc\" !";
    const auto whole = [](const char* typed) {
        return std::string("Invalid Input \"") + typed +
               "\" !\nWT holds whole numbers: type the number without a decimal mark.";
    };
    static const std::string point = whole("206.000"), comma = whole("206,000"), half = whole("920,5");
    for (const char* d : {"LANG=de_DE.UTF-8", "LC_ALL=de_DE.UTF-8", "LC_ALL=C"})
        for (TypingCase c :
             {TypingCase{"PointTyped", "Click 0 . 3 Return", "0.300", 5},
              TypingCase{"CommaTyped", "Click 0 , 3 Return", "0.300", 5},
              TypingCase{"CommaInANewRow", "Insert End 0 , 3 Return", "0.300", 5, 3},
              TypingCase{"LettersRefused", "Click a b c Return", "0.250", 5, 0, " ", abc},
              TypingCase{"TooWideRefused", "Click 1 2 , 5 Return", "0.250", 5, 0, " ",
                         "Invalid Input \"12,5\" !"},
              TypingCase{"RefusedInANewRowStaysBlank", "Insert End a b c Return Left 7 Return", "     ", 5, 3,
                         " ", abc},
              TypingCase{"ZeroAfterAnotherCellOfANewRow", "Insert 7 Return End 0 Return", "0.000", 5, 3},
              TypingCase{"WholeZeroAfterAnotherCell", "Insert 7 Return End Left 0 Return", "      0", 4, 3},
              // A zero typed with a minus is 0 in a column with decimals as in one without.
              TypingCase{"MinusZeroWithDecimals", "Click - 0 Return", "0.000", 5},
              TypingCase{"MinusZeroWithoutDecimals", "Click - 0 Return", "      0", 4},
              TypingCase{"PointInAWholeNumberRefused", "Click 2 0 6 . 0 0 0 Return", "   1500", 4, 0, " ",
                         point.c_str()},
              TypingCase{"CommaInAWholeNumberRefused", "Click 2 0 6 , 0 0 0 Return", "   1500", 4, 0, " ",
                         comma.c_str()},
              TypingCase{"WholeNumberOfANewRowStaysBlank", "Insert End Left 9 2 0 , 5 Return Right 7 Return",
                         "       ", 4, 3, " ", half.c_str()},
              TypingCase{.name = "CopyKeepsABlank",
              .keys = "Down Down mi_editAppend",
              .stored = "     ",
              .column = 5,
              .checkedRow = 3},
              TypingCase{.name = "AppendDbfKeepsABlank",
              .keys = "mi_fileAppenddbf",
              .stored = "     ",
              .column = 5,
              .file = "copy.dbf",
              .checkedRow = 5},
              TypingCase{.name = "AppendDelimitedKeepsABlank",
              .keys = "mi_fileAppendDelimited",
              .stored = "     ",
              .column = 5,
              .file = "\"pin\",F,1,,2,\r\n",
              .checkedRow = 3}}) {
            // A refusal: the file as it was.
            c.untouched = c.stored == std::string("0.250") || c.stored == std::string("   1500");
            c.desktop = d;
            cases.push_back(c);
        }
    return cases;
}
INSTANTIATE_TEST_SUITE_P(Numbers, GridTyping, ::testing::ValuesIn(NumberCases()), [](const auto& i) {
    const std::string d = i.param.desktop;
    return i.param.name + d.substr(0, d.find('=')) +
           (d.empty()                 ? ""
            : d.find("de_") != d.npos ? "German"
                                      : "C");
});

// A text over German and French letters, stored as a table with OEM text holds it (code page 437: a-umlaut
// 0x84, sharp s 0xE1, e-acute 0x82) or as an ANSI table holds it (code page 1252: 0xE4, 0xDF, 0xE9): shown
// and opened for editing as typed, " X" typed at its end stores the letters' bytes unchanged, a new row that
// holds the letters shows them once converted, and Search finds a stored a-umlaut.
struct LettersCase {
    const char *name, *stored;
    bool ansi;
};
class GridLetters : public QtBrowser, public ::testing::WithParamInterface<LettersCase>
{
};
TEST_P(GridLetters, ShownEditedAndStoredAsTyped)
{
    const std::string path = dir + "/words.dbf", stored = GetParam().stored;
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, path, {{"WORD", 'C', 20, 0, 0}}));
    t.Name = path;
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = " " + stored + std::string(20 - stored.size(), ' ');
    ASSERT_TRUE(AppendDbfRecord(t) && CloseDbf(t));
    dbf4.tzdbf.TableLanguage = GetParam().ansi ? TTzTableLanguage::tlAnsi : TTzTableLanguage::tlOem;
    dbf4.OpenTable(path);
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    const QString typed = QString::fromUtf8("Stahl \u00e4 \u00df \u00e9");
    const QModelIndex cell = w.Grid().model()->index(0, 0);
    EXPECT_EQ(w.Grid().model()->data(cell, Qt::DisplayRole).toString(), typed + QString(9, QChar(32)));
    EXPECT_EQ(w.Grid().model()->data(cell, Qt::EditRole).toString(), typed);
    w.Grid().setCurrentIndex(cell);
    w.Grid().setFocus();
    for (const QString& k : {"F2", "End", " ", "X", "Return"})
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, QKeySequence(k)[0].key(), Qt::NoModifier, k.size() == 1 ? k : "");
            QApplication::sendEvent(w.focusWidget(), &e);
            QApplication::processEvents();
        }
    std::string bytes;
    dbf4.tzdbf.Peek(1, 1, bytes);
    EXPECT_EQ(bytes, stored + " X" + std::string(18 - stored.size(), ' '));
    bool found = false;
    dbf4.tzdbf.Search("\xE4", found, true);
    EXPECT_TRUE(found) << "Search for a-umlaut";
    // A new row shows the work area's record, which holds the letters as the program reads them.
    dbf4.tzdbf.DsInsert();
    SetNativeText(1, "\xE4\xDF");
    WriteNative(*SelectedArea());
    auto& model = w.Grid().ItemModel();
    model.Reload();
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString().left(2),
              QString::fromUtf8("\u00e4\u00df"));
    dbf4.tzdbf.Cancel();
}
INSTANTIATE_TEST_SUITE_P(Tables, GridLetters,
                         ::testing::Values(LettersCase{"OemText", "Stahl \x84 \xE1 \x82", false},
                                           LettersCase{"AnsiText", "Stahl \xE4 \xDF \xE9", true}),
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
        EXPECT_GE(w.Grid().columnWidth(c), w.fontMetrics().horizontalAdvance(
                                               w.Grid().model()->headerData(c, Qt::Horizontal).toString()));
    const std::pair<const char*, const char*> menus[] = {
        {"mi_File", "&Datei"},          {"mi_filePrint", "&Drucken..."}, {"mi_fileExit", "&Beenden"},
        {"mi_edit", "&Bearbeiten"},     {"mi_view", "&Ansicht"},         {"mi_Help", "&Hilfe"},
        {"mi_helpCommon", "&Datenbank"}};
    for (auto [name, text] : menus)
        EXPECT_EQ((w.findChild<QMenu*>(name) ? w.findChild<QMenu*>(name)->title()
                                             : w.findChild<QAction*>(name)->text())
                      .toStdString(),
                  text);
    ResetMenuTexts();
    ResetTableBrowserServices();
}

// Opened and not clicked, the browser's first Down moves to the next record.
TEST_F(QtBrowser, FirstDownAfterOpeningMovesToTheNextRecord)
{
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.show();
    w.activateWindow();
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QApplication::processEvents();
        QKeyEvent e(type, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(w.focusWidget() ? w.focusWidget() : &w, &e);
    }
    EXPECT_EQ(dbf4.RecNo(), 2);
}

// Tab leads from the grid, which has the keyboard at the start, through the navigator's buttons shown, the
// record number and the buttons, and back to the grid.
TEST_F(QtBrowser, TabOrderIsTheGridThenTheNavigatorAndTheButtons)
{
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    QStringList order;
    QWidget* const start = w.focusWidget();
    ASSERT_NE(start, nullptr);
    QWidget* at = start;
    do {
        if (at->isVisible() && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
            order << (at->objectName().isEmpty() ? at->parentWidget()->objectName() : at->objectName());
        at = at->nextInFocusChain();
    } while (at != start && order.size() < 40);
    std::string navigator;
    for (int b = 0; b < 10; ++b)
        navigator += " TzNavigator1";
    EXPECT_EQ(order.join(' ').toStdString(),
              "TzGrid1" + navigator + " Edit_recno Button_ok Button_cancel Button_search Button_SearchNext");
}

// Copies of the shipped material and tool tables, filled in as from a data sheet: a name first, then its
// numbers; two numbers of a new record; a record whose numbers the file holds blank; a shipped record edited.
// "#" is the decimal mark the desktop writes. What was typed is stored with no box, and nothing else:
// python3-dbfread lists each record that differs from the table as it was, with the fields that differ.
struct FillInCase {
    const char *name, *table;
    int row, column;
    const char *keys, *changed;
    bool blankRecord = false; // a record named FILL-H, all else blank, appended to the file first
};
class CatalogueFillIn : public QtBrowser,
                        public ::testing::WithParamInterface<std::tuple<FillInCase, const char*>>
{
};
TEST_P(CatalogueFillIn, StoresWhatWasTypedAndNothingElse)
{
    const auto& [c, desktopLanguage] = GetParam();
    testlocales::ScopedDesktop desktop(desktopLanguage);
    ASSERT_TRUE(desktop.Ok()) << desktopLanguage;
    InitNationalSettings();
    const std::string table = dir + "/" + c.table + ".dbf", before = dir + "/before.dbf";
    std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/" + c.table + ".dbf", table);
    if (c.blankRecord) {
        TDbfTable t;
        t.Name = table;
        ASSERT_TRUE(OpenDbf(t));
        t.RecordBuffer = " FILL-H";
        t.RecordBuffer.resize(t.RecordLength, ' ');
        ASSERT_TRUE(AppendDbfRecord(t) && CloseDbf(t));
    }
    std::filesystem::copy_file(table, before);
    dbf4.OpenTable(table);
    TDbfBrowserModel m;
    xbase_qt::TableBrowserQt w(m);
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    w.Grid().setCurrentIndex(w.Grid().model()->index(c.row, c.column));
    w.Grid().setFocus();
    const QString mark = std::string(desktopLanguage).find("de_") != std::string::npos ? "," : ".";
    for (const QString& k : QString(c.keys).replace('#', mark).split(' ')) {
        const auto star = k.indexOf('*'); // "Right*9": nine times
        for (int i = 0; i < (star < 0 ? 1 : k.mid(star + 1).toInt()); ++i) {
            ClickNavigator(w, k);
            if (k != "Insert") PressKey(w, k.left(star));
        }
    }
    w.close();
    dbf4.CloseTable();
    std::ofstream(dir + "/differ.py") << R"PY(
import sys, dbfread
new, old = (list(dbfread.DBF(f, encoding='cp1252')) for f in sys.argv[1:3])
for i, r in enumerate(new):
    was = old[i] if i < len(old) else {}
    d = ['%s=%s' % (k, v) for k, v in r.items() if v not in (None, '') and v != was.get(k)]
    d += ['%s blank' % k for k, v in r.items() if v in (None, '') and was.get(k) not in (None, '')]
    if d: print('%d: %s' % (i + 1, ' '.join(d)))
print('%d records' % len(new))
)PY";
    std::string got;
    if (FILE* p = popen(("/usr/bin/python3 " + dir + "/differ.py " + table + " " + before + " 2>&1").c_str(),
                        "r")) {
        char buf[4096];
        for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            got.append(buf, n);
        pclose(p);
    }
    if (got.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("python3-dbfread");
    EXPECT_EQ(got, c.changed);
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text, "");
    ResetDbDates();
}
const FillInCase FillInCases[] = {
    {"MaterialNamedThenKind", "qyrwst", 0, 0, "Insert M Y - S T E E L Tab 2 Return",
     "22: NAME=MY-STEEL KIND=2\n22 records\n"},
    {"MaterialNamedThenNuAndE", "qyrwst", 0, 0,
     "Insert M Y - S T E E L Return Right*9 0 # 3 Return Left 2 1 0 0 0 0 Return",
     "22: NAME=MY-STEEL E=210000 NU=0.3\n22 records\n"},
    {"TwoNumbersOfANewMaterial", "qyrwst", 0, 0, "Insert Right*9 0 # 3 Return Left*4 3 0 0 Return",
     "22: HB=300 NU=0.3\n22 records\n"},
    {"MaterialTheFileHoldsBlank", "qyrwst", 21, 5, "3 0 0 Return", "22: HB=300\n22 records\n", true},
    {"ShippedMaterialsNu", "qyrwst", 0, 9, "0 # 2 9 Return", "1: NU=0.29\n21 records\n"},
    {"BearingNamedThenDAndC", "zyrola", 0, 0,
     "Insert M Y - N J Return Right 6 2 # 5 Return Right*3 1 5 0 0 0 Return",
     "68: DESIG=MY-NJ D=62.5 C=15000\n68 records\n"},
    {"ToolNamedThenHap0", "q1toolx", 0, 0, "Insert End M Y - T O O L Return Home Right 1 # 3 Return",
     "9: HAP0=1.3 NAME=MY-TOOL\n9 records\n"},
    // Tab from the new record's last cell stays there: what is typed next is its name.
    {"TabFromANewToolsName", "q1toolx", 0, 0, "Insert End M Y - T O O L Tab 1 . 3 Return",
     "9: NAME=1.3\n9 records\n"}};
INSTANTIATE_TEST_SUITE_P(
    Catalogues, CatalogueFillIn,
    ::testing::Combine(::testing::ValuesIn(FillInCases),
                       ::testing::Values("LC_ALL=C.UTF-8", "LANG=de_DE.UTF-8")),
    [](const auto& i) {
        return std::get<0>(i.param).name +
               std::string(std::get<1>(i.param)[0] == 'L' && std::get<1>(i.param)[1] == 'C' ? "C" : "German");
    });

} // namespace
