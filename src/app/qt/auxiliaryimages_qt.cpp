#include "app/qt/auxiliaryimages_qt.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/auxiliaryimages.h"
#include "dialogs/qt/formbinder.h"
#include "platform/qt/qttext.h"

namespace
{

// Keeps the model's idea of the window's place up to date.
class PlaceTracker final : public QObject
{
  public:
    PlaceTracker(QDialog& form, TForm_hilfebild& model) : QObject(&form), form_(form), model_(model) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &form_) return false;
        if (event->type() == QEvent::Show) Place();
        // Moves before the window is shown are the window system's own.
        if ((event->type() == QEvent::Move && form_.isVisible()) || event->type() == QEvent::Show) {
            model_.Left = form_.x();
            model_.Top = form_.y();
            model_.Known = true;
        }
        return false;
    }

  private:
    // The first time the window opens centred over the main window (or the
    // screen), not at the screen's corner over the menu bar; later where the
    // user left it. A place kept from another screen or window size may lie
    // outside this one: the whole window comes back into the available area.
    void Place()
    {
        const QRect room = form_.screen()->availableGeometry();
        QRect frame = form_.frameGeometry();
        if (!model_.Known) {
            const QWidget* main = form_.parentWidget() ? form_.parentWidget()->window() : nullptr;
            frame.moveCenter(main && main->isVisible() ? main->frameGeometry().center() : room.center());
        }
        form_.move(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)),
            std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
    }
    QDialog& form_;
    TForm_hilfebild& model_;
};

} // namespace

std::unique_ptr<QDialog> MakeHilfebildForm(platform::DialogModel& model, QWidget* parent)
{
    auto& list = static_cast<TForm_hilfebild&>(model);
    auto form = std::make_unique<QDialog>(parent, Qt::Tool);
    form->setObjectName(QStringLiteral("TForm_hilfebild"));
    auto* layout = new QGridLayout(form.get());

    auto* combo = new QComboBox(form.get());
    combo->setObjectName(QStringLiteral("ListBox1"));
    combo->setMinimumWidth(320);
    for (const std::string& item : list.Items())
        combo->addItem(platform::ToQString(item));
    if (list.ItemIndex >= 0) combo->setCurrentIndex(list.ItemIndex);
    layout->addWidget(combo, 0, 0, 1, 3);

    auto* spin = new QWidget(form.get());
    spin->setObjectName(QStringLiteral("SpinButton1"));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    auto* up = new QToolButton(spin);
    up->setObjectName(QStringLiteral("SpinButton1Up"));
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(spin);
    down->setObjectName(QStringLiteral("SpinButton1Down"));
    down->setArrowType(Qt::DownArrow);
    spinLayout->addWidget(up);
    spinLayout->addWidget(down);
    layout->addWidget(spin, 0, 3);

    const char* const buttons[] = {"Button_ok",        "Button_help",     "Button_neu", "Button_aendern",
                                   "Button_einfuegen", "Button_loeschen", "Button_plot"};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QPushButton(form.get());
        b->setObjectName(QString::fromLatin1(buttons[i]));
        b->setAutoDefault(false);
        layout->addWidget(b, 1 + i / 4, i % 4);
    }
    if (list.Known) form->move(list.Left, list.Top);

    // The binder presses the spin buttons; a pick in the list answers at once.
    auto* binder = new dialogs_qt::TFormBinder(*form, model);
    form->installEventFilter(new PlaceTracker(*form, list));
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), form.get(),
                     [binder, &list](int index) { binder->Apply(list.ListBox1Change(index)); });
    return form;
}

void RegisterHilfebildForm(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TForm_hilfebild", MakeHilfebildForm);
}
