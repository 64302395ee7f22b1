#include "dialogs/qt/layoutkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace dialogs_qt
{

std::unique_ptr<QDialog> NewLayoutForm(QWidget* parent, int width, int height)
{
    auto form = std::make_unique<QDialog>(parent);
    form->resize(width, height);
    return form;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, int x, int y, int w, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, 22);
    return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, w, 24);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    return edit;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, int x, int y, int w, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, w, 26);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* PlaceCheck(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* check = new QCheckBox(parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setGeometry(x, y, w, 22);
    return check;
}

QComboBox* PlaceCombo(QWidget* parent, const char* name, int x, int y, int w, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(x, y, w, 24);
    combo->addItems(items);
    return combo;
}

QGroupBox* PlaceRadioGroup(QWidget* parent, const char* name, int x, int y, int w, int count, int rowHeight,
                           const QStringList& captions)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, 26 + rowHeight * count);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(captions.value(i), box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        radio->setGeometry(8, 20 + rowHeight * i, w - 16, 22);
    }
    return box;
}

void PlaceButtonRow(QWidget* parent, int x, int y, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        QPushButton* b = PlaceButton(parent, names[i].toLatin1().constData(), x + 100 * i, y, 96);
        if (i == 0) b->setDefault(true);
    }
}

} // namespace dialogs_qt
