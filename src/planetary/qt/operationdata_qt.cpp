#include "planetary/qt/operationdata_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "planetary/bearings/operationdata.h"
#include "platform/qt/qttext.h"

namespace planetary_qt
{

namespace
{

template <class W> W* Place(QWidget* parent, const char* name, int x, int y, int w, int h = 24)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QGroupBox* RadioGroup(QWidget* parent, const char* name, int x, int y, int w, int count)
{
    auto* box = Place<QGroupBox>(parent, name, x, y, w, 26 + 22 * count);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        radio->setGeometry(8, 20 + 22 * i, w - 16, 22);
    }
    return box;
}

} // namespace

std::unique_ptr<QDialog> OperationDataLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    form->setModal(true);
    form->resize(720, 566);
    QDialog* f = form.get();

    auto* box = Place<QGroupBox>(f, "GroupBox_betr", 8, 8, 704, 512);
    struct Row {
        const char *label, *edit, *unit;
    };
    const Row rows[] = {{"Label_frmin", "Edit_frmin", "Label_frminu"},
                        {"Label_n", "Edit_n", "Label_nu"},
                        {"Label_temp", "Edit_temp", "Label_tempu"},
                        {"Label_visko", "Edit_visko", "Label_viskou"}};
    int y = 24;
    for (const Row& r : rows) {
        Place<QLabel>(box, r.label, 10, y + 2, 300);
        Place<QLineEdit>(box, r.edit, 316, y, 90);
        Place<QLabel>(box, r.unit, 412, y + 2, 80);
        y += 30;
    }

    RadioGroup(box, "RadioGroup_a23", 10, y + 4, 330, TForm_vq1waelz::ModeCount);
    Place<QLineEdit>(box, "Edit_a23", 350, y + 46, 80);
    Place<QPushButton>(box, "Button_a23", 436, y + 45, 28);
    Place<QLineEdit>(box, "Edit_aiso", 350, y + 90, 80);
    Place<QPushButton>(box, "Button_aiso", 436, y + 89, 28);
    Place<QPushButton>(box, "Button_hilfebilda23", 472, y + 4, 28);
    y += 26 + 22 * TForm_vq1waelz::ModeCount + 8;

    RadioGroup(box, "RadioGroup_ec", 10, y, 330, TForm_vq1waelz::ContaminationCount);
    Place<QLineEdit>(box, "Edit_ec", 350, y + 20 + 22 * 7, 80);
    Place<QCheckBox>(box, "CheckBox_EP", 350, y + 4, 200);
    y += 26 + 22 * TForm_vq1waelz::ContaminationCount + 8;

    Place<QLabel>(box, "Label_proz", 10, y + 2, 120);
    auto* combo = Place<QComboBox>(box, "ComboBox_proz", 136, y, 330);
    for (const std::string& item : TForm_vq1waelz::ReliabilityItems())
        combo->addItem(platform::ToQString(item));

    int x = 8;
    for (const char* name :
         {"Button_ok", "Button_cancel", "Button_hilfetext", "Button_hilfebild", "Button_metric"}) {
        auto* b = Place<QPushButton>(f, name, x, 528, 130, 28);
        if (x == 8) b->setDefault(true);
        x += 140;
    }
    return form;
}

} // namespace planetary_qt
