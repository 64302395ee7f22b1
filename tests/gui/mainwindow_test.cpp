#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

using namespace platform;

namespace
{

class MainWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramIdentity();
    }
};

QAction* FindAction(QMenuBar* bar, const QString& menu, const QString& item)
{
    for (QAction* top : bar->actions()) {
        if (top->text().remove('&') != menu || !top->menu()) continue;
        for (QAction* a : top->menu()->actions())
            if (a->text().remove('&') == item) return a;
    }
    return nullptr;
}

} // namespace

TEST_F(MainWindow, StartsCaptionedWithTheProgramTitleAndClosesFromTheFileMenu)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    OpenMainForm(qt);
    QApplication::processEvents();
    QMainWindow& w = qt.QtMainWindow().Widget();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle().toStdString(), "QYR7 - Radi Divivuzez Orude");
    EXPECT_EQ(qt.MainWindow().Title(), "QYR7 - Radi Divivuzez Orude");
    QAction* exitAction = FindAction(w.menuBar(), "File", "Exit");
    ASSERT_NE(exitAction, nullptr) << "File > Exit";
    exitAction->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindow, TheCloseQueryCanKeepItOpen)
{
    PlatformQt qt;
    OpenMainForm(qt);
    int asked = 0;
    bool allow = false;
    qt.MainWindow().OnCloseQuery = [&] {
        ++asked;
        return allow;
    };
    qt.MainWindow().Close();
    QApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(qt.QtMainWindow().Widget().isVisible());
    allow = true;
    qt.MainWindow().Close();
    EXPECT_FALSE(qt.QtMainWindow().Widget().isVisible());
}

TEST_F(MainWindow, ATitleInWindows1252ArrivesAsUnicode)
{
    PlatformQt qt;
    qt.MainWindow().SetTitle("Stufe \xE4\xDF \x80");
    EXPECT_EQ(qt.QtMainWindow().Widget().windowTitle(),
              QString::fromUtf8("Stufe \xC3\xA4\xC3\x9F \xE2\x82\xAC"));
    EXPECT_EQ(qt.MainWindow().Title(), "Stufe \xE4\xDF \x80");
}

TEST_F(MainWindow, TheClientAreaIsPaintedThroughOnPaint)
{
    PlatformQt qt;
    OpenMainForm(qt);
    int paints = 0;
    qt.MainWindow().OnPaint = [&](Canvas& c) {
        ++paints;
        c.Clear(Colour{0, 0, 255});
        c.SetPen({Colour{255, 0, 0}, 1, PenStyle::Solid, PenMode::Copy});
        c.Line(0, 10, c.Width(), 10);
    };
    QImage image = qt.QtMainWindow().ClientArea().grab().toImage();
    EXPECT_GE(paints, 1);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(5, 10), QColor(255, 0, 0));
    EXPECT_EQ(qt.MainWindow().ClientWidth(), 641);
    EXPECT_EQ(qt.MainWindow().ClientHeight(), 481);
    qt.MainWindow().Close();
}

TEST_F(MainWindow, MouseAndKeysOfTheClientAreaReachTheCallbacks)
{
    PlatformQt qt;
    OpenMainForm(qt);
    std::vector<MouseEvent> mice;
    std::vector<KeyEvent> keys;
    std::vector<ResizeEvent> sizes;
    qt.MainWindow().OnMouse = [&](const MouseEvent& e) { mice.push_back(e); };
    qt.MainWindow().OnKey = [&](const KeyEvent& e) { keys.push_back(e); };
    qt.MainWindow().OnResize = [&](const ResizeEvent& e) { sizes.push_back(e); };
    QWidget& area = qt.QtMainWindow().ClientArea();

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), area.mapToGlobal(QPointF(30, 40)),
                      Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&area, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(70, 90), area.mapToGlobal(QPointF(70, 90)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&area, &release);
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::ControlModifier);
    QCoreApplication::sendEvent(&area, &pageUp);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
    QCoreApplication::sendEvent(&area, &letter);
    area.resize(300, 200);

    ASSERT_EQ(mice.size(), 2u);
    EXPECT_EQ(mice[0].Action, MouseAction::Press);
    EXPECT_EQ(mice[0].Button, MouseButton::Left);
    EXPECT_EQ(mice[0].X, 30);
    EXPECT_EQ(mice[0].Y, 40);
    EXPECT_TRUE(mice[0].Modifiers.Shift);
    EXPECT_EQ(mice[1].Action, MouseAction::Release);
    EXPECT_EQ(mice[1].X, 70);
    EXPECT_EQ(mice[1].Y, 90);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].KeyCode, Key::PageUp);
    EXPECT_TRUE(keys[0].Modifiers.Control);
    EXPECT_EQ(keys[1].KeyCode, Key::None);
    EXPECT_EQ(keys[1].Text, "\xE4") << "the character in Windows-1252";
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().Width, 300);
    EXPECT_EQ(sizes.back().Height, 200);
    qt.MainWindow().Close();
}
