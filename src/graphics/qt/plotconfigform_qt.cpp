#include "graphics/qt/plotconfigform_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "graphics/plotprogram.h"

namespace graphics_qt
{

namespace
{

template <typename T> T* Named(const char* name, QWidget* parent)
{
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QGroupBox* RadioGroup(const char* name, int count, QWidget* parent)
{
    auto* box = Named<QGroupBox>(name, parent);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i)
        layout->addWidget(Named<QRadioButton>((std::string(name) + "_" + std::to_string(i)).c_str(), box));
    return box;
}

} // namespace

std::unique_ptr<QDialog> ConfKorviltLayout(platform::DialogModel& /*model*/, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    QDialog* f = form.get();
    auto* top = new QVBoxLayout(f);

    auto* path = new QHBoxLayout;
    path->addWidget(Named<QLabel>("Label_korviltPath", f));
    path->addWidget(Named<QLineEdit>("Edit_korviltPath", f), 1);
    path->addWidget(Named<QPushButton>("Button_korviltpath", f));
    top->addLayout(path);
    auto* dir = new QHBoxLayout;
    dir->addWidget(Named<QLabel>("Label_outdir", f));
    dir->addWidget(Named<QLineEdit>("Edit_outdir", f), 1);
    dir->addWidget(Named<QPushButton>("Button_tempdir", f));
    dir->addWidget(Named<QPushButton>("Button_outDir", f));
    top->addLayout(dir);

    auto* groups = new QHBoxLayout;
    groups->addWidget(RadioGroup("RadioGroup_outcode", 5, f));
    auto* iface = new QVBoxLayout;
    iface->addWidget(RadioGroup("RadioGroup_d", 3, f));
    auto* ports = new QGridLayout;
    ports->addWidget(Named<QLabel>("Label_com", f), 0, 0);
    ports->addWidget(Named<QLineEdit>("Edit_com", f), 0, 1);
    ports->addWidget(Named<QLabel>("Label_lpt", f), 1, 0);
    ports->addWidget(Named<QLineEdit>("Edit_lpt", f), 1, 1);
    iface->addLayout(ports);
    groups->addLayout(iface);
    top->addLayout(groups);

    auto* grid = new QGridLayout;
    grid->addWidget(Named<QLabel>("Label_scale", f), 0, 0);
    auto* scale = new QHBoxLayout;
    scale->addWidget(Named<QLineEdit>("Edit_scale", f));
    scale->addWidget(Named<QLabel>("Label_scale1", f));
    scale->addWidget(Named<QCheckBox>("CheckBox_scale", f));
    grid->addLayout(scale, 0, 1);
    grid->addWidget(Named<QCheckBox>("CheckBox_rotate", f), 1, 1);
    grid->addWidget(Named<QLabel>("Label_xnull", f), 2, 0);
    grid->addWidget(Named<QLineEdit>("Edit_xnull", f), 2, 1);
    grid->addWidget(Named<QLabel>("Label_ynull", f), 3, 0);
    grid->addWidget(Named<QLineEdit>("Edit_ynull", f), 3, 1);
    grid->addWidget(Named<QLabel>("Label_textbreitenfaktor", f), 4, 0);
    grid->addWidget(Named<QLineEdit>("Edit_textbreitenfaktor", f), 4, 1);
    grid->addWidget(Named<QLabel>("Label_psfont", f), 5, 0);
    auto* fonts = Named<QComboBox>("ComboBox_psfont", f);
    fonts->setEditable(true);
    for (const char* font : PsFontNames)
        fonts->addItem(QString::fromLatin1(font));
    fonts->setEditText(QString());
    grid->addWidget(fonts, 5, 1);
    top->addLayout(grid);

    auto* line = Named<QLabel>("Label_commandline", f);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setFamilies({QStringLiteral("Courier New"), mono.family()});
    line->setFont(mono);
    line->setWordWrap(true);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(line);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Named<QPushButton>("Button_help", f));
    buttons->addStretch();
    buttons->addWidget(Named<QPushButton>("Button_cancel", f));
    auto* ok = Named<QPushButton>("Button_ok", f);
    ok->setDefault(true);
    buttons->addWidget(ok);
    top->addLayout(buttons);

    return form;
}

} // namespace graphics_qt
