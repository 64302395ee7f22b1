#include "dialogs/qt/formbinder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "dialogs/dialogservices.h"
#include "platform/dialoghost.h"

#include "platform/qt/qttext.h"
#include <cstdlib>

namespace dialogs_qt
{

using platform::DialogAction;
using platform::FromQString;
using platform::ToQString;

namespace
{

// A control that holds a file or directory name shows and takes the file
// system's bytes, never a text of the program.
QString ShownText(const platform::DialogControl& c, const std::string& text)
{
    return c.FileName ? platform::FileNameToQString(text) : ToQString(text);
}

std::string TypedText(const platform::DialogControl& c, const QString& text)
{
    return c.FileName ? platform::FileNameFromQString(text) : FromQString(text);
}

} // namespace

TFormBinder::TFormBinder(QDialog& form, platform::DialogModel& model)
    : QObject(&form), form_(form), model_(model)
{
    for (QWidget* w : form_.findChildren<QWidget*>()) {
        const std::string name = w->objectName().toStdString();
        if (!name.empty() && model_.FindControl(name)) Connect(w, name);
    }
    // Escape and the window's close button are the model's Cancel.
    form_.installEventFilter(this);
    QObject::connect(&form_, &QDialog::rejected, this, [this] {
        if (!closingByModel_) model_.Press("Escape");
    });
    Refresh();
}

void TFormBinder::Connect(QWidget* widget, const std::string& name)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // Any change counts, typed or set from outside (a screen reader or
        // a test robot through the accessibility interface); only the
        // binder's own refresh is not a change.
        QObject::connect(edit, &QLineEdit::textChanged, this, [this, name](const QString& text) {
            if (refreshing_) return;
            platform::DialogControl& c = model_.Control(name);
            if (c.FileName) {
                TShownName& n = names_[name];
                c.Text = n.Typed = text == n.Shown ? n.Bytes : TypedText(c, text);
            } else {
                c.Text = TypedText(c, text);
            }
            const uint64_t before = model_.Revision();
            model_.Changed(name);
            if (model_.Revision() != before) Refresh();
        });
        QObject::connect(edit, &QLineEdit::editingFinished, this, [this, name] {
            const uint64_t before = model_.Revision();
            model_.Left(name);
            if (model_.Revision() != before) Refresh();
        });
        return;
    }
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(check, &QCheckBox::toggled, this, [this, name](bool on) {
            if (refreshing_) return;
            model_.Control(name).Checked = on;
            model_.Changed(name);
            Refresh();
        });
        return;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        QObject::connect(radio, &QRadioButton::toggled, this, [this, name](bool on) {
            if (refreshing_) return;
            model_.Control(name).Checked = on;
            if (on) model_.Changed(name);
            Refresh();
        });
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::currentTextChanged, this, [this, name](const QString& text) {
            if (refreshing_) return;
            model_.Control(name).Text = FromQString(text);
            model_.Changed(name);
            Refresh();
        });
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QObject::connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
            if (refreshing_) return;
            model_.Control(name).Text = row < 0 ? std::string() : std::to_string(row);
            model_.Changed(name);
            Refresh();
        });
        QObject::connect(list, &QListWidget::itemDoubleClicked, this,
                         [this, name] { Press(name + "DblClick"); });
        return;
    }
    if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        QObject::connect(table, &QTableWidget::cellChanged, this, [this, name, table](int, int) {
            if (refreshing_) return;
            std::string cells;
            for (int r = 0; r < table->rowCount(); ++r) {
                if (r > 0) cells += '\n';
                for (int c = 0; c < table->columnCount(); ++c) {
                    if (c > 0) cells += '\t';
                    if (const QTableWidgetItem* item = table->item(r, c)) cells += FromQString(item->text());
                }
            }
            model_.Control(name).Caption = cells;
            model_.Changed(name);
            Refresh();
        });
        QObject::connect(table, &QTableWidget::currentCellChanged, this, [this, name](int row, int col) {
            if (refreshing_ || row < 0) return;
            model_.Control(name).Text = std::to_string(row) + "," + std::to_string(col);
            model_.Changed(name);
            Refresh();
        });
        QObject::connect(table, &QTableWidget::cellDoubleClicked, this,
                         [this, name] { Press(name + "DblClick"); });
        return;
    }
    // Any other button, a push button or a tool button, is pressed.
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, this, [this, name] { Press(name); });
    }
}

namespace
{

QStringList SplitLines(const platform::DialogControl& c, const std::string& text, char separator)
{
    return ShownText(c, text).split(QChar(separator));
}

// A list: the items are the control's caption, one a line; its text is the
// row chosen (from 0; empty for none).
void ShowList(QListWidget& list, const platform::DialogControl& c)
{
    const QStringList items = c.Caption.empty() ? QStringList() : SplitLines(c, c.Caption, '\n');
    QStringList now;
    for (int i = 0; i < list.count(); ++i)
        now << list.item(i)->text();
    if (now != items) {
        list.clear();
        list.addItems(items);
    }
    const int row = c.Text.empty() ? -1 : std::atoi(c.Text.c_str());
    if (list.currentRow() != row) list.setCurrentRow(row);
}

// A drop-down list shows the item that is its control's text, and no item
// at all when the text is none of its items: a stored value without an item
// left on the first item would show a value that is not stored, and picking
// that item would change nothing. A list that takes typing shows the text.
void ShowCombo(QComboBox& combo, const platform::DialogControl& c)
{
    const QString text = ToQString(c.Text);
    const int i = combo.findText(text);
    if (combo.isEditable() && i < 0) {
        if (combo.currentText() != text) combo.setEditText(text);
    } else if (combo.currentIndex() != i) {
        combo.setCurrentIndex(i);
    }
}

// A grid: the caption holds the rows, one a line, cells separated by tabs;
// the text is the current cell as "row,column" (from 0).
void ShowTable(QTableWidget& table, const platform::DialogControl& c)
{
    const QStringList rows = SplitLines(c, c.Caption, '\n');
    for (int r = 0; r < rows.size() && r < table.rowCount(); ++r) {
        const QStringList cells = rows[r].split(QChar('\t'));
        for (int col = 0; col < cells.size() && col < table.columnCount(); ++col) {
            QTableWidgetItem* item = table.item(r, col);
            if (!item) {
                item = new QTableWidgetItem;
                table.setItem(r, col, item);
            }
            if (item->text() != cells[col]) item->setText(cells[col]);
        }
    }
    const auto comma = c.Text.find(',');
    if (comma != std::string::npos) {
        const int r = std::atoi(c.Text.c_str()), col = std::atoi(c.Text.c_str() + comma + 1);
        if (table.currentRow() != r || table.currentColumn() != col) table.setCurrentCell(r, col);
    }
}

} // namespace

void TFormBinder::Press(const std::string& name)
{
    Apply(model_.Press(name));
}

void TFormBinder::Apply(DialogAction action)
{
    switch (action) {
    case DialogAction::Accept:
        closingByModel_ = true;
        form_.accept();
        return;
    case DialogAction::Reject:
        closingByModel_ = true;
        form_.reject();
        return;
    case DialogAction::Raise:
        Refresh();
        form_.raise();
        form_.activateWindow();
        return;
    case DialogAction::None:
        Refresh();
        return;
    }
}

bool TFormBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &form_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Press("Escape");
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFormBinder::Refresh()
{
    refreshing_ = true;
    // The caption may name what the form shows now (the item dialog's
    // "item 5" after a step to the previous item).
    const QString title = platform::CaptionToQString(model_);
    if (form_.windowTitle() != title) form_.setWindowTitle(title);
    for (const platform::DialogControl& c : model_.Controls()) {
        auto* w = form_.findChild<QWidget*>(QString::fromStdString(c.Name));
        if (!w) continue;
        w->setVisible(c.Visible);
        w->setEnabled(c.Enabled);
        w->setToolTip(ToQString(c.Hint));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QString text = ShownText(c, c.Text);
            // Bytes the model put there itself, not those typing gave it.
            if (c.FileName) {
                TShownName& n = names_[c.Name];
                if (n.Bytes != c.Text && n.Typed != c.Text) n = {c.Text, text, c.Text};
            }
            if (edit->text() != text) edit->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!c.Caption.empty()) button->setText(ToQString(c.Caption));
            if (button->isCheckable()) button->setChecked(c.Checked);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(ShownText(c, c.Caption));
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            box->setTitle(ToQString(c.Caption));
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            ShowCombo(*combo, c);
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            ShowList(*list, c);
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            ShowTable(*table, c);
        }
    }
    refreshing_ = false;
}

namespace
{

// The size a layout was designed with, grown where a control it shows
// reaches beyond it. (The toolkit's own fitting caps a window at two thirds
// of the screen and cut off the button rows of the larger forms.)
QSize DesignedSize(const QDialog& form)
{
    QSize size = form.size();
    if (form.layout()) size = size.expandedTo(form.sizeHint());
    for (const QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isVisibleTo(&form))
            size = size.expandedTo(QSize(child->geometry().right() + 9, child->geometry().bottom() + 9));
    return size;
}

} // namespace

std::unique_ptr<QDialog> MakeBoundForm(platform::DialogModel& model, QWidget* parent,
                                       const TFormLayout& layout)
{
    std::unique_ptr<QDialog> form = layout(model, parent);
    if (!form) return form;
    form->setObjectName(QString::fromStdString(model.FormName()));
    new TFormBinder(*form, model); // owned by the form
    // Every stage dialog is placed by the shell's one rule when it is made.
    if (dialogservices.PlaceDialog) {
        const QSize designed = DesignedSize(*form);
        TDialogPlace place{form->x(), form->y(), designed.width(), designed.height(), 1.0};
        dialogservices.PlaceDialog(place);
        if (place.ContentScale > 0 && place.ContentScale != 1.0 && form->font().pointSizeF() > 0) {
            QFont font = form->font();
            font.setPointSizeF(font.pointSizeF() * place.ContentScale);
            form->setFont(font);
        }
        form->setGeometry(place.Left, place.Top, place.Width, place.Height);
    }
    return form;
}

void RegisterBoundForm(platform::DialogHostImplQt& host, const std::string& formName, TFormLayout layout)
{
    host.RegisterForm(formName, [layout](platform::DialogModel& model, QWidget* parent) {
        return MakeBoundForm(model, parent, layout);
    });
}

} // namespace dialogs_qt
