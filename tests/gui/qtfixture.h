#pragma once
// One QApplication for the whole test program (offscreen, C locale) and a
// helper that plays the user of a modal dialog without blocking the test.

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/platform.h"

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    // Widget tests never need a screen and never show a window on one.
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    (void)offscreen;
    // Never destroyed: widgets of other tests may outlive a static's order.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct AppFirst {
    AppFirst() { TestApp(); }
};

// Once a modal dialog is up, hands it to act (which should close it). If it
// is still open two seconds later it is rejected, so a broken test fails
// instead of hanging.
inline void WhenModalAppears(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer(&TestApp());
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++*tries > 500) poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        QPointer<QWidget> guard(modal);
        act(modal);
        QTimer::singleShot(2000, &TestApp(), [guard] {
            if (guard && guard->isVisible()) {
                if (auto* d = qobject_cast<QDialog*>(guard.data()))
                    d->reject();
                else
                    guard->close();
            }
        });
    });
    poll->start();
}

// Runs Model's form, types Text into its line edit Edit as a user does and clicks OK: the text of the
// box that comes up inside the click, with " (form closed)" when the form did not stay open. The form
// is then cancelled.
inline std::string RefusedInTheWidget(platform::DialogModel& Model, const char* Edit, const QString& Text)
{
    QString message;
    WhenModalAppears([&message, Edit, Text](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(Edit);
        edit->selectAll();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, Text);
        QApplication::sendEvent(edit, &press);
        QTimer::singleShot(0, [&message] { // the box comes up inside the click
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            message = box->text();
            box->accept();
        });
        w->findChild<QPushButton*>("Button_ok")->click();
        if (!w->isVisible()) message += " (form closed)";
        w->findChild<QPushButton*>("Button_cancel")->click();
    });
    platform::CurrentPlatform().Dialogs().RunModal(Model);
    return message.toStdString();
}
