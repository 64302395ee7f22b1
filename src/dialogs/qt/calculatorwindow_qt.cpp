#include "dialogs/qt/calculatorwindow_qt.h"

#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

#include "dialogs/calculatorwindow.h"
#include "dialogs/qt/formbinder.h"
#include "foundation/programsettings.h"
#include "platform/qt/qttext.h"

namespace dialogs_qt
{

namespace
{

// Edit colours of the line states: yellow, green, red.
QString EditStyle(int32_t state)
{
    switch (state) {
    case 1:
        return QStringLiteral("QLineEdit { background: #ffff00; }");
    case 2:
        return QStringLiteral("QLineEdit { background: #008000; }");
    case 3:
        return QStringLiteral("QLineEdit { background: #ff0000; }");
    default:
        return QString();
    }
}

// The keys of the edits, the clicks that make a line current, the hints of
// the labels and the window's position.
class OnlineEvents final : public QObject
{
  public:
    OnlineEvents(QDialog& form, TForm_online& model, TFormBinder& binder)
        : QObject(&form), form_(form), model_(model), binder_(binder)
    {
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const std::string name = watched->objectName().toStdString();
        if (watched == &form_) {
            if (event->type() == QEvent::Move || event->type() == QEvent::Show) {
                model_.Left = form_.x();
                model_.Top = form_.y();
            }
            if (event->type() == QEvent::Show) FocusCurrent();
            return false;
        }
        const uint16_t line =
            name.rfind("ed_", 0) == 0 ? static_cast<uint16_t>(std::atoi(name.c_str() + 3)) : 0;
        if (line != 0 && event->type() == QEvent::FocusIn) model_.EditClicked(line);
        if (line != 0 && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            int code = 0;
            if (key == Qt::Key_Return || key == Qt::Key_Enter) code = OnlineKeyEnter;
            if (key == Qt::Key_Escape) code = OnlineKeyEscape;
            if (key == Qt::Key_Up) code = OnlineKeyUp;
            if (key == Qt::Key_Down) code = OnlineKeyDown;
            if (code == 0) return false;
            Finish(model_.KeyDown(line, code));
            return true;
        }
        if (event->type() == QEvent::ToolTip && name.rfind("lb", 0) == 0) {
            // Read when the mouse comes over the label and shown at once.
            const QString hint = platform::ToQString(model_.HintOf(name));
            if (!hint.isEmpty())
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint,
                                   qobject_cast<QWidget*>(watched));
            return true;
        }
        return false;
    }

  private:
    void FocusCurrent()
    {
        const QString name = QStringLiteral("ed_%1").arg(model_.CurrentLine);
        if (auto* edit = form_.findChild<QLineEdit*>(name)) {
            edit->setFocus();
            edit->selectAll();
        }
    }
    void Finish(platform::DialogAction action) { binder_.Apply(action); }
    QDialog& form_;
    TForm_online& model_;
    TFormBinder& binder_;
};

QLabel* AddLabel(QWidget* parent, const QString& name, int x, int y, int w)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(x, y, w, 24);
    return label;
}

} // namespace

std::unique_ptr<QDialog> MakeOnlineForm(platform::DialogModel& model, QWidget* parent)
{
    auto& online = static_cast<TForm_online&>(model);
    const TVonline3& V = vonline3;
    auto form = std::make_unique<QDialog>(parent);
    form->setObjectName(QStringLiteral("TForm_online"));
    const int n = V.OnlineLineCount;
    const int out = online.Small() ? 0 : V.OnlineOutCount;

    auto* input = new QGroupBox(form.get());
    input->setObjectName(QStringLiteral("GroupBox_eingabe"));
    input->setGeometry(8, 8, 150, 27 * n + 30);
    for (int i = 1; i <= n; ++i) {
        const int y = 22 + 27 * (i - 1);
        auto* edit = new QLineEdit(input);
        edit->setObjectName(QStringLiteral("ed_%1").arg(i));
        edit->setGeometry(38, y - 1, 62, 26);
        edit->setStyleSheet(EditStyle(V.OnlineLineState[i]));
        AddLabel(input, QStringLiteral("lb_%1").arg(i), 4, y, 34);
        AddLabel(input, QStringLiteral("lbeu_%1").arg(i), 104, y, 20 + 24);
    }
    auto* output = new QGroupBox(form.get());
    output->setObjectName(QStringLiteral("GroupBox_ausgabe"));
    output->setGeometry(166, 8, 140, 27 * out + 30);
    for (int i = 1; i <= out; ++i) {
        const int y = 22 + 27 * (i - 1);
        AddLabel(output, QStringLiteral("lbaz_%1").arg(i), 4, y, 40);
        AddLabel(output, QStringLiteral("lbaw_%1").arg(i), 46, y, 55);
        AddLabel(output, QStringLiteral("lbau_%1").arg(i), 104, y, 30);
    }
    auto* messages = new QGroupBox(form.get());
    messages->setObjectName(QStringLiteral("GroupBox_fehler"));
    messages->setGeometry(314, 8, 260, 354);
    for (int i = 1; i <= 12; ++i)
        if (model.FindControl("lber_" + std::to_string(i)))
            AddLabel(messages, QStringLiteral("lber_%1").arg(i), 8, 22 + 27 * (i - 1), 240);

    const int buttonsTop = std::max(27 * n + 30, online.Small() ? 0 : 354) + 16;
    const char* buttons[] = {"Button_ok",        "Button_help",    "Button_unit",
                             "Button_hilfebild", "Button_showplt", "Button_close"};
    for (int b = 0; b < 6; ++b) {
        auto* button = new QPushButton(form.get());
        button->setObjectName(QString::fromLatin1(buttons[b]));
        button->setAutoDefault(false);
        if (online.Small())
            button->setGeometry(8 + 75 * (b % 2), buttonsTop + 30 * (b / 2), 72, 26);
        else
            button->setGeometry(8 + 95 * b, buttonsTop, 90, 26);
    }
    const int width = online.Small() ? 166 : 582;
    const int height = buttonsTop + (online.Small() ? 3 * 30 : 30) + 8;
    const double scale = wtelmvar.ScreenPercent / 100.0;
    form->setFixedSize(static_cast<int>(width * scale), static_cast<int>(height * scale));
    form->move(V.OnlineLeft, V.OnlineTop);

    auto* binder = new TFormBinder(*form, model);
    auto* events = new OnlineEvents(*form, online, *binder);
    form->installEventFilter(events);
    for (QWidget* w : form->findChildren<QWidget*>())
        if (w->objectName().startsWith(QLatin1String("ed_")) ||
            w->objectName().startsWith(QLatin1String("lb")))
            w->installEventFilter(events);
    return form;
}

void RegisterOnlineForm(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TForm_online", MakeOnlineForm);
}

} // namespace dialogs_qt
