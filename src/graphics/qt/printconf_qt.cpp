#include "graphics/qt/printconf_qt.h"

#include "platform/platform.h"
#include "platform/qt/dialoghost_qt.h"
#include "platform/qt/printer_qt.h"
#include "platform/qt/qttext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace graphics_qt
{

using platform::ToQString;

namespace
{

const char* const EditNames[4] = {"Edit_scalex", "Edit_scaley", "Edit_xorigin", "Edit_yorigin"};
const char* const LabelNames[4] = {"Label_scalex", "Label_scaley", "Label_xorigin", "Label_yorigin"};

platform::PrinterImplQt* QtPrinter()
{
    return dynamic_cast<platform::PrinterImplQt*>(&platform::CurrentPlatform().Print());
}

QButtonGroup* RadioGroup(QWidget* owner, QGridLayout* grid, int row, const char* name, const std::string& caption,
                         const QStringList& items)
{
    auto* box = new QGroupBox(ToQString(caption), owner);
    box->setObjectName(QString::fromLatin1(name));
    auto* l = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* r = new QRadioButton(items[i], box);
        group->addButton(r, i);
        l->addWidget(r);
    }
    grid->addWidget(box, row, 0, 1, 2);
    return group;
}

} // namespace

PrintConfQt::PrintConfQt(TForm_printconf& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("TForm_printconf"));
    setWindowTitle(ToQString(model.Caption()));
    if (auto* p = QtPrinter()) {
        model_.SetPrinterOrientation = [p](bool landscape) {
            p->QtPrinter().setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        };
        model_.PrinterName = [p] { return platform::FromQString(p->QtPrinter().printerName()); };
    }
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(ToQString(model.Control(LabelNames[i]).Caption), this);
        label->setObjectName(QString::fromLatin1(LabelNames[i]));
        edits_[i] = new QLineEdit(this);
        edits_[i]->setObjectName(QString::fromLatin1(EditNames[i]));
        grid->addWidget(label, i, 0);
        grid->addWidget(edits_[i], i, 1);
    }
    hochquer_ = RadioGroup(this, grid, 4, "RadioGroup_hochquer", model.Control("RadioGroup_hochquer").Caption,
                           {QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    printmono_ = RadioGroup(this, grid, 5, "RadioGroup_printmono", model.Control("RadioGroup_printmono").Caption,
                            {QStringLiteral("Monochrome"), QStringLiteral("grey-scale / Color")});
    anpassen_ = new QCheckBox(ToQString(model.Control("CheckBox_anpassen").Caption), this);
    anpassen_->setObjectName(QStringLiteral("CheckBox_anpassen"));
    umrandung_ = new QCheckBox(ToQString(model.Control("CheckBox_umrandung").Caption), this);
    umrandung_->setObjectName(QStringLiteral("CheckBox_umrandung"));
    grid->addWidget(anpassen_, 6, 0, 1, 2);
    grid->addWidget(umrandung_, 7, 0, 1, 2);
    printer_ = new QLabel(this);
    printer_->setObjectName(QStringLiteral("Label_printer"));
    grid->addWidget(printer_, 8, 0, 1, 2);
    const char* buttons[] = {"Button_db", "Button_append", "Button_printer", "Button_ok", "Button_cancel", "Button_help"};
    int row = 0;
    for (const char* n : buttons) {
        auto* b = new QPushButton(ToQString(model.Control(n).Caption), this);
        b->setObjectName(QString::fromLatin1(n));
        if (std::string(n) == "Button_ok")
            b->setDefault(true);
        const std::string name = n;
        connect(b, &QPushButton::clicked, this, [this, name] {
            ToModel();
            Act(model_.Press(name));
        });
        grid->addWidget(b, row++, 2);
    }
    FromModel();
}

void PrintConfQt::ToModel()
{
    for (int i = 0; i < 4; ++i)
        model_.SetEditText(EditNames[i], platform::FromQString(edits_[i]->text()));
    model_.Hochquer = std::max(0, hochquer_->checkedId());
    model_.Printmono = std::max(0, printmono_->checkedId());
    model_.Control("CheckBox_anpassen").Checked = anpassen_->isChecked();
    model_.Control("CheckBox_umrandung").Checked = umrandung_->isChecked();
}

void PrintConfQt::FromModel()
{
    for (int i = 0; i < 4; ++i)
        edits_[i]->setText(ToQString(model_.EditText(EditNames[i])));
    if (auto* b = hochquer_->button(model_.Hochquer))
        b->setChecked(true);
    if (auto* b = printmono_->button(model_.Printmono))
        b->setChecked(true);
    anpassen_->setChecked(model_.FindControl("CheckBox_anpassen")->Checked);
    umrandung_->setChecked(model_.FindControl("CheckBox_umrandung")->Checked);
    printer_->setText(ToQString(model_.FindControl("Label_printer")->Caption));
}

void PrintConfQt::showEvent(QShowEvent* event)
{
    model_.FormActivate();
    FromModel();
    QDialog::showEvent(event);
}

void PrintConfQt::Act(platform::DialogAction a)
{
    if (a == platform::DialogAction::Accept) {
        closing_ = true;
        accept();
    } else if (a == platform::DialogAction::Reject) {
        closing_ = true;
        QDialog::reject();
    } else {
        FromModel();
    }
}

void PrintConfQt::reject()
{
    if (!closing_)
        model_.Press("Escape");
    closing_ = true;
    QDialog::reject();
}

void RegisterPrintConfForm(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TForm_printconf", [](platform::DialogModel& model, QWidget* parent) {
        return std::unique_ptr<QDialog>(new PrintConfQt(dynamic_cast<TForm_printconf&>(model), parent));
    });
}

} // namespace graphics_qt
