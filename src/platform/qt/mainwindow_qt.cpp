#include "platform/qt/mainwindow_qt.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/canvas_qt.h"
#include "platform/qt/menuaccessible_qt.h"
#include "platform/qt/menustyle_qt.h"
#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

KeyModifiers ToModifiers(Qt::KeyboardModifiers m)
{
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

MouseButton ToButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

Key ToKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Plus:
        return Key::Plus;
    case Qt::Key_Minus:
        return Key::Minus;
    case Qt::Key_F1:
        return Key::F1;
    case Qt::Key_F5:
        return Key::F5;
    default:
        return Key::None;
    }
}

} // namespace

DrawingAreaQt::DrawingAreaQt(MainWindowImplQt& owner, QWidget* parent) : QWidget(parent), owner_(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void DrawingAreaQt::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (owner_.PaintPicture) {
        owner_.PaintPicture(painter);
        return;
    }
    CanvasImplQt canvas(painter);
    if (owner_.OnPaint)
        owner_.OnPaint(canvas);
    else
        canvas.Clear(Colour{255, 255, 255});
}

void DrawingAreaQt::Mouse(QMouseEvent* event, MouseAction action)
{
    if (!owner_.OnMouse) return;
    QPoint p = event->position().toPoint();
    owner_.OnMouse({action, ToButton(event->button()), p.x(), p.y(), ToModifiers(event->modifiers())});
}

void DrawingAreaQt::mousePressEvent(QMouseEvent* event)
{
    Mouse(event, MouseAction::Press);
}
void DrawingAreaQt::mouseReleaseEvent(QMouseEvent* event)
{
    Mouse(event, MouseAction::Release);
}
void DrawingAreaQt::mouseMoveEvent(QMouseEvent* event)
{
    Mouse(event, MouseAction::Move);
}
void DrawingAreaQt::mouseDoubleClickEvent(QMouseEvent* event)
{
    Mouse(event, MouseAction::DoubleClick);
}

void DrawingAreaQt::keyPressEvent(QKeyEvent* event)
{
    if (!owner_.OnKey) {
        QWidget::keyPressEvent(event);
        return;
    }
    KeyEvent k;
    k.KeyCode = ToKey(event->key());
    if (k.KeyCode == Key::None) k.Text = FromQString(event->text());
    k.Modifiers = ToModifiers(event->modifiers());
    owner_.OnKey(k);
}

void DrawingAreaQt::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (owner_.OnResize) owner_.OnResize({width(), height()});
}

void ShellWindowQt::closeEvent(QCloseEvent* event)
{
    if (owner_.OnCloseQuery && !owner_.OnCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

MainWindowImplQt::MainWindowImplQt() : shell_(std::make_unique<ShellWindowQt>(*this))
{
    InstallMenuAccessibility();
    area_ = new DrawingAreaQt(*this, shell_.get());
    shell_->setCentralWidget(area_);
    fileMenu_ = shell_->menuBar()->addMenu(QStringLiteral("&File"));
    exitAction_ = fileMenu_->addAction(QStringLiteral("E&xit"));
    exitAction_->setObjectName(QStringLiteral("FileExit"));
    QObject::connect(exitAction_, &QAction::triggered, shell_.get(), [this] { shell_->close(); });
}

MainWindowImplQt::~MainWindowImplQt() = default;

namespace
{

// A widget shows its hint for its own duration, and the toolkit's 10 s or
// so when it has none: each widget about to show one gets the program's
// hint pause first.
class HintPauseFilter final : public QObject
{
  public:
    HintPauseFilter(QObject* owner, int milliseconds) : QObject(owner), pause_(milliseconds) {}
    void SetPause(int milliseconds) { pause_ = milliseconds; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip && watched->isWidgetType())
            static_cast<QWidget*>(watched)->setToolTipDuration(pause_ > 0 ? pause_ : -1);
        return false;
    }

  private:
    int pause_;
};

} // namespace

void MainWindowImplQt::SetHintHidePause(int milliseconds)
{
    Window::SetHintHidePause(milliseconds);
    if (hintPause_) {
        static_cast<HintPauseFilter*>(hintPause_)->SetPause(milliseconds);
        return;
    }
    hintPause_ = new HintPauseFilter(shell_.get(), milliseconds);
    QCoreApplication::instance()->installEventFilter(hintPause_);
}

namespace
{

void AddEntries(QMenu& menu, const std::vector<MenuEntrySpec>& entries, MainWindowImplQt& owner,
                QAction*& exitAction, const std::string& exitName)
{
    for (const auto& entry : entries) {
        QAction* action = nullptr;
        if (entry.Kind == MenuEntryKind::Separator) {
            action = menu.addSeparator();
        } else if (entry.Kind == MenuEntryKind::Submenu) {
            QMenu* sub = menu.addMenu(CodePageToQString(entry.Caption, entry.CodePage));
            sub->setObjectName(QString::fromStdString(entry.Name));
            FitMenuCaptions(*sub);
            AddEntries(*sub, entry.Children, owner, exitAction, exitName);
            action = sub->menuAction();
        } else {
            action = menu.addAction(CodePageToQString(entry.Caption, entry.CodePage));
            if (!entry.Shortcut.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(entry.Shortcut)));
            const std::string name = entry.Name;
            QObject::connect(action, &QAction::triggered, &menu, [&owner, name] {
                if (owner.OnMenuCommand) owner.OnMenuCommand(name);
            });
            if (name == exitName) exitAction = action;
        }
        action->setObjectName(QString::fromStdString(entry.Name));
        action->setEnabled(entry.Enabled);
        action->setVisible(entry.Visible);
    }
}

} // namespace

void MainWindowImplQt::SetMenuBar(const MenuBarSpec& spec)
{
    Window::SetMenuBar(spec);
    QMenuBar* bar = shell_->menuBar();
    // The command being run may be one of the old actions (a language
    // switch rebuilds the bar from inside its own item): the old menus go
    // once control is back in the event loop.
    for (QAction* action : bar->actions())
        if (QMenu* menu = action->menu()) menu->deleteLater();
    bar->clear();
    fileMenu_ = nullptr;
    exitAction_ = nullptr;
    for (const auto& top : spec.Menus) {
        QMenu* menu = bar->addMenu(CodePageToQString(top.Caption, top.CodePage));
        menu->setObjectName(QString::fromStdString(top.Name));
        FitMenuCaptions(*menu);
        menu->menuAction()->setObjectName(QString::fromStdString(top.Name));
        menu->menuAction()->setEnabled(top.Enabled);
        menu->menuAction()->setVisible(top.Visible);
        AddEntries(*menu, top.Children, *this, exitAction_, spec.ExitItem);
        if (!fileMenu_) fileMenu_ = menu;
    }
}

void MainWindowImplQt::SetTitle(const std::string& title)
{
    shell_->setWindowTitle(ToQString(title));
}

void MainWindowImplQt::SetTitleWithFileName(const std::string& title, const std::string& fileName)
{
    shell_->setWindowTitle(ToQString(title) + FileNameToQString(fileName));
}

std::string MainWindowImplQt::Title() const
{
    return FromQString(shell_->windowTitle());
}

int MainWindowImplQt::ClientWidth() const
{
    return area_->width();
}

int MainWindowImplQt::ClientHeight() const
{
    return area_->height();
}

void MainWindowImplQt::SetClientSize(int width, int height)
{
    QSize want(width, height);
    area_->SetWantedSize(want);
    area_->updateGeometry();
    // The frame around the client area (menu bar) keeps its own size.
    QSize extra = shell_->size() - area_->size();
    if (!shell_->isVisible()) extra = QSize(0, shell_->menuBar()->sizeHint().height());
    shell_->resize(want + extra);
}

void MainWindowImplQt::Invalidate()
{
    area_->update();
}

void MainWindowImplQt::Show()
{
    shell_->show();
}

void MainWindowImplQt::Close()
{
    shell_->close();
}

void MainWindowImplQt::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace platform
