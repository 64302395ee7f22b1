#include "graphics/qt/printconf_qt.h"

#include "graphics/printconf.h"
#include "platform/platform.h"
#include "platform/qt/printer_qt.h"
#include "platform/qt/qttext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace graphics_qt
{

namespace
{

const char* const EditNames[4] = {"Edit_scalex", "Edit_scaley", "Edit_xorigin", "Edit_yorigin"};
const char* const LabelNames[4] = {"Label_scalex", "Label_scaley", "Label_xorigin", "Label_yorigin"};

platform::PrinterImplQt* QtPrinter()
{
    return dynamic_cast<platform::PrinterImplQt*>(&platform::CurrentPlatform().Print());
}

template <class W> W* Named(QWidget* owner, const std::string& name)
{
    auto* w = new W(owner);
    w->setObjectName(QString::fromStdString(name));
    return w;
}

void RadioGroup(QWidget* owner, QGridLayout* grid, int row, const std::string& name)
{
    auto* box = Named<QGroupBox>(owner, name);
    auto* l = new QVBoxLayout(box);
    for (int i = 0; i < 2; ++i)
        l->addWidget(Named<QRadioButton>(box, name + "_" + std::to_string(i)));
    grid->addWidget(box, row, 0, 1, 2);
}

} // namespace

std::unique_ptr<QDialog> PrintConfLayout(platform::DialogModel& model, QWidget* parent)
{
    auto& m = dynamic_cast<TForm_printconf&>(model);
    if (auto* p = QtPrinter()) {
        // A printout to a file has no printer name: the file stands for it.
        m.PrinterName = [p] {
            const QPrinter& q = p->QtPrinter();
            return platform::FromQString(q.outputFormat() == QPrinter::PdfFormat ? q.outputFileName()
                                                                                 : q.printerName());
        };
    }
    m.FormActivate();
    auto form = std::make_unique<QDialog>(parent);
    auto* f = form.get();
    auto* grid = new QGridLayout(f);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Named<QLabel>(f, LabelNames[i]), i, 0);
        grid->addWidget(Named<QLineEdit>(f, EditNames[i]), i, 1);
    }
    RadioGroup(f, grid, 4, "RadioGroup_hochquer");
    RadioGroup(f, grid, 5, "RadioGroup_printmono");
    grid->addWidget(Named<QCheckBox>(f, "CheckBox_anpassen"), 6, 0, 1, 2);
    grid->addWidget(Named<QCheckBox>(f, "CheckBox_umrandung"), 7, 0, 1, 2);
    grid->addWidget(Named<QLabel>(f, "Label_printer"), 8, 0, 1, 2);
    const char* buttons[] = {"Button_db", "Button_append", "Button_printer",
                             "Button_ok", "Button_cancel", "Button_help"};
    int row = 0;
    for (const char* n : buttons) {
        auto* b = Named<QPushButton>(f, n);
        if (std::string(n) == "Button_ok") b->setDefault(true);
        grid->addWidget(b, row++, 2);
    }
    return form;
}

} // namespace graphics_qt
