// The configuration dialog on Qt: its nine pages rendered offscreen and
// grabbed, a title block choice hiding the index on the widget, a grid cell
// typed back into the model, and the colour number picker's list.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "app/colournumberpicker.h"
#include "app/configdialog.h"
#include "app/qt/configdialog_qt.h"
#include "foundation/programstate.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/textview/printsettings.h"

namespace
{

class QtConfigDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        RegisterConfigForms(qt.QtDialogs());
    }
    // OK clears the graphics window, which shows the wait cursor until the
    // window's next paint; no window paints here, and the cursor belongs to
    // the application every later test shares.
    void TearDown() override { qt.ScreenCursor().Set(platform::CursorShape::Arrow); }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

TEST_F(QtConfigDialog, NinePagesGrabbedAndBound)
{
    QStringList pages, notGrabbed;
    QString signs;
    std::string sizeShown;
    bool indexHidden = false, firstPageGraphics = false;
    WhenModalAppears([&](QWidget* w) {
        auto* tabs = w->findChild<QTabWidget*>("Tab_pages");
        ASSERT_NE(tabs, nullptr);
        firstPageGraphics = tabs->currentWidget()->objectName() == "Tab_grafik";
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            pages << tabs->widget(i)->objectName();
            if (w->grab().isNull()) notGrabbed << pages.back();
        }
        // The dialog size: Auto (the default), Input, Auto again; the element
        // size's caption, field and "<" button, and the window size's caption.
        auto* sizeCode = w->findChild<QComboBox*>("ComboBox_dialogwindowSizecode");
        for (int code : {-1, 0, 1}) {
            if (code >= 0) sizeCode->setCurrentIndex(code);
            for (const char* n : {"Label_dialogelemente", "SpinEdit_dialogelemente", "Button_dialogelemente",
                                  "Label_dialogfenster"})
                sizeShown +=
                    w->findChild<QWidget*>(n)->isVisibleTo(w->findChild<QWidget*>("Tab_grafik")) ? "1" : "0";
            sizeShown += " ";
        }
        signs = w->findChild<QAbstractButton*>("RadioGroup_chars_0")->text();
        auto* head = w->findChild<QComboBox*>("ComboBox_zeichnkopf");
        head->setCurrentIndex(1); // ISO 7200: no index
        indexHidden = !w->findChild<QWidget*>("ComboBox_index")->isVisibleTo(tabs->widget(8));
        auto* grid = w->findChild<QTableWidget*>("StringGrid_layer");
        grid->item(0, 0)->setText("contour");
        w->findChild<QPushButton*>("Button_ok")->click();
    });
    Tconfig model;
    EXPECT_EQ(qt.Dialogs().RunModal(model), platform::DialogResult::Ok);
    EXPECT_EQ(pages.size(), 9);
    EXPECT_TRUE(notGrabbed.isEmpty()) << notGrabbed.join(' ').toStdString();
    EXPECT_TRUE(firstPageGraphics);
    EXPECT_EQ(signs.toStdString(), "\u00B2  \u00B5  \u00B0") << "the signs of \"Special characters\"";
    EXPECT_TRUE(indexHidden) << "the model's visibility on the widget";
    EXPECT_EQ(sizeShown, "0001 1111 0001 ") << "the element size's caption goes with its field";
    EXPECT_EQ(cadsettings.LayerNames[5], "contour") << "the grid cell typed back through the binder";
}

// 99999 typed into each window size field and left with Tab: the main
// window asks for no more than OK would store (5000 + 1) on that side.
TEST_F(QtConfigDialog, ATypedWindowSizeSizesTheMainWindowNoLargerThanOkStores)
{
    QList<int> asked;
    WhenModalAppears([&](QWidget* w) {
        w->findChild<QComboBox*>("ComboBox_screensizecode")->setCurrentIndex(0); // "Input"
        w->activateWindow();
        QApplication::processEvents();
        for (const char* name : {"Edit_x", "Edit_y"}) {
            auto* edit = w->findChild<QLineEdit*>(name);
            edit->setFocus(Qt::TabFocusReason);
            edit->selectAll();
            for (const char* key : {"9", "9", "9", "9", "9", "\t"}) {
                QKeyEvent press(QEvent::KeyPress, *key == '\t' ? Qt::Key_Tab : 0, Qt::NoModifier, key);
                QCoreApplication::sendEvent(edit, &press);
            }
            const QSize wanted =
                qt.QtMainWindow().ClientArea().sizeHint(); // the hidden window keeps its size
            asked << (edit->hasFocus()                ? -1
                      : name == std::string("Edit_x") ? wanted.width()
                                                      : wanted.height());
        }
        w->findChild<QPushButton*>("Button_cancel")->click();
    });
    Tconfig model;
    qt.Dialogs().RunModal(model);
    EXPECT_EQ(asked, QList<int>({5001, 5001}));
}

TEST_F(QtConfigDialog, ColourNumberPicker)
{
    int count = 0;
    bool grabbed = false;
    WhenModalAppears([&](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox_colors");
        ASSERT_NE(list, nullptr);
        count = list->count();
        grabbed = !w->grab().isNull();
        list->setCurrentRow(4);
        w->findChild<QPushButton*>("Button_ok")->click();
    });
    int number = 1;
    EXPECT_TRUE(SelectColourNumber(number));
    EXPECT_EQ(count, 16);
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(number, 5);
}

} // namespace
