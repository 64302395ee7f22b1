#pragma once
// The main window shell: a QMainWindow with a menu bar and a client area that
// is the program's drawing surface. What is drawn and what the menus do is
// the application's business; the shell passes paint, mouse, key, resize and
// close events on through the Window callbacks.

#include <QKeySequence>
#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/window.h"

class QMenu;
class QAction;
class QPainter;

namespace platform
{

class MainWindowImplQt;

// The client area: paints through the Window's OnPaint and forwards input.
class DrawingAreaQt final : public QWidget
{
  public:
    DrawingAreaQt(MainWindowImplQt& owner, QWidget* parent);
    QSize sizeHint() const override { return wanted_; }
    void SetWantedSize(QSize size) { wanted_ = size; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Mouse(QMouseEvent* event, MouseAction action);
    MainWindowImplQt& owner_;
    QSize wanted_{641, 481};
};

class ShellWindowQt final : public QMainWindow
{
  public:
    explicit ShellWindowQt(MainWindowImplQt& owner) : owner_(owner) {}

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MainWindowImplQt& owner_;
};

class MainWindowImplQt final : public Window
{
  public:
    MainWindowImplQt();
    ~MainWindowImplQt() override;

    void SetTitle(const std::string& title) override;
    void SetTitleWithFileName(const std::string& title, const std::string& fileName) override;
    std::string Title() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientSize(int width, int height) override;
    void Invalidate() override;
    void Show() override;
    void Close() override;
    void ProcessPendingEvents() override;
    // One QMenu per submenu and one QAction per item, each named as its
    // entry; a chosen item calls OnMenuCommand with its name.
    void SetMenuBar(const MenuBarSpec& spec) override;
    // Every widget of the application keeps its hint up this long.
    void SetHintHidePause(int milliseconds) override;

    QMainWindow& Widget() { return *shell_; }
    QWidget& ClientArea() { return *area_; }
    QMenu& FileMenu() { return *fileMenu_; }
    QAction& ExitAction() { return *exitAction_; }

    // Paints the client area instead of OnPaint when set: a picture prepared
    // outside the paint event (the graphics window's replayed image), since
    // a paint event may neither wait nor open a dialog.
    std::function<void(QPainter&)> PaintPicture;

  private:
    std::unique_ptr<ShellWindowQt> shell_;
    DrawingAreaQt* area_ = nullptr; // owned by the shell
    QMenu* fileMenu_ = nullptr;
    QAction* exitAction_ = nullptr;
    QObject* hintPause_ = nullptr; // owned by the shell
};

} // namespace platform
