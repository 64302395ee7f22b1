#include "platform/qt/notewindow_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

class NoteWindowImplQt final : public NoteWindow
{
  public:
    NoteWindowImplQt() : owner_(QApplication::activeWindow())
    {
        window_ = std::make_unique<QWidget>(nullptr, Flags(false));
        // A note informs and never takes the focus from the form the user
        // works in.
        window_->setAttribute(Qt::WA_ShowWithoutActivating);
        window_->setAutoFillBackground(true);
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, QColor(255, 255, 0));
        window_->setPalette(palette);
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(2, 2, 2, 2);
        label_ = new QLabel(window_.get());
        label_->setAlignment(Qt::AlignCenter);
        label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        layout->addWidget(label_);
    }

    NoteExtent MeasureText(const std::string& text) override
    {
        const QSize size = QFontMetrics(window_->font()).size(Qt::TextSingleLine, ToQString(text));
        return NoteExtent{size.width(), size.height()};
    }

    int MeasureCaption(const std::string& caption) override
    {
        return QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
            .horizontalAdvance(ToQString(caption));
    }

    int CaptionHeight() override { return window_->style()->pixelMetric(QStyle::PM_TitleBarHeight); }

    std::optional<NoteRect> OwnerBounds() override
    {
        if (!owner_) return std::nullopt;
        const QRect r = owner_->frameGeometry();
        return NoteRect{r.left(), r.top(), r.width(), r.height()};
    }

    NoteRect ScreenBounds() override
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
        return NoteRect{r.left(), r.top(), r.width(), r.height()};
    }

    void Place(const NoteRect& bounds, bool captioned, const std::string& caption) override
    {
        window_->setWindowFlags(Flags(captioned));
        window_->setWindowTitle(ToQString(caption));
        window_->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
        window_->show();
    }

    void SetText(const std::string& text) override
    {
        label_->setText(ToQString(text));
        label_->repaint();
        // Let the change show while the caller keeps working; no user input
        // is handled here, so nothing can re-enter the running operation.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

  private:
    static Qt::WindowFlags Flags(bool captioned)
    {
        Qt::WindowFlags flags = Qt::Tool | Qt::WindowStaysOnTopHint;
        if (captioned)
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        else
            flags |= Qt::FramelessWindowHint;
        return flags;
    }

    QPointer<QWidget> owner_;
    std::unique_ptr<QWidget> window_;
    QLabel* label_ = nullptr;
};

} // namespace

NoteWindowFactory QtNoteWindowFactory()
{
    return [] { return std::make_unique<NoteWindowImplQt>(); };
}

} // namespace platform
