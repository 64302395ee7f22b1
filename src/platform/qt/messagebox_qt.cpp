#include "platform/qt/messagebox_qt.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer MessageBoxesImplQt::Show(const MessageRequest& request)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    QMessageBox::StandardButton preset = QMessageBox::Ok;
    switch (request.Buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::YesNo:
        buttons = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        preset = QMessageBox::Yes;
        break;
    case MessageButtons::YesNoCancel:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        preset = QMessageBox::Yes;
        break;
    case MessageButtons::OkCancel:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        preset = QMessageBox::Ok;
        break;
    }
    QMessageBox box(ToQtIcon(request.Icon), ToQString(request.Caption), ToQString(request.Text), buttons,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(preset);
    box.setEscapeButton(escape);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        // Closed by the window manager: the same as Escape.
        return SafeDefaultAnswer(request.Buttons);
    }
}

} // namespace platform
