#include "platform/qt/desktop_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include "platform/qt/qttext.h"

namespace platform
{

void ClipboardImplQt::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(ToQString(text));
}

std::string ClipboardImplQt::Text() const
{
    return FromQString(QGuiApplication::clipboard()->text());
}

void CursorImplQt::Set(CursorShape shape)
{
    if (overriding_) {
        QApplication::restoreOverrideCursor();
        overriding_ = false;
    }
    if (shape == CursorShape::Hourglass) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        overriding_ = true;
    }
    shape_ = shape;
}

void SoundImplQt::Beep()
{
    QApplication::beep();
}

} // namespace platform
