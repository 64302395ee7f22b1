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

#include "graphics/graphservices.h"
#include "graphics/plotprogram.h"
#include "platform/qt/qttext.h"

namespace graphics_qt
{

using platform::FromQString;
using platform::ToQString;

namespace
{

// Keeps the widgets and the model's controls in step: what a control shows
// (caption, text, check mark, hint, enabled) goes to the widget of its
// name; edits, check marks, choices and button presses go to the model.
class TConfKorviltBinder final : public QObject
{
  public:
    TConfKorviltBinder(QDialog& form, platform::DialogModel& model) : QObject(&form), form_(form), model_(model)
    {
        form_.setWindowTitle(ToQString(model_.Caption()));
        for (QWidget* w : form_.findChildren<QWidget*>()) {
            const std::string name = w->objectName().toStdString();
            if (!name.empty() && model_.FindControl(name)) Connect(w, name);
        }
        QObject::connect(&form_, &QDialog::rejected, this, [this] {
            if (!closing_) model_.Press("Escape");
        });
        Refresh();
    }

    void Refresh()
    {
        refreshing_ = true;
        for (const platform::DialogControl& c : model_.Controls()) {
            auto* w = form_.findChild<QWidget*>(QString::fromStdString(c.Name));
            if (!w) continue;
            w->setEnabled(c.Enabled);
            w->setToolTip(ToQString(c.Hint));
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                if (edit->text() != ToQString(c.Text)) edit->setText(ToQString(c.Text));
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                button->setText(ToQString(c.Caption));
                if (button->isCheckable()) button->setChecked(c.Checked);
            } else if (auto* label = qobject_cast<QLabel*>(w)) {
                label->setText(ToQString(c.Caption));
            } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
                box->setTitle(ToQString(c.Caption));
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                if (combo->currentText() != ToQString(c.Text)) combo->setEditText(ToQString(c.Text));
            }
        }
        refreshing_ = false;
    }

  private:
    void Edited(const std::string& name, const QString& text)
    {
        if (refreshing_) return;
        model_.Control(name).Text = FromQString(text);
        model_.Changed(name);
        Refresh();
    }

    void Connect(QWidget* w, const std::string& name)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // Typed or set from outside (the accessibility interface): both count.
            QObject::connect(edit, &QLineEdit::textChanged, this, [this, name](const QString& t) { Edited(name, t); });
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QObject::connect(combo, &QComboBox::currentTextChanged, this,
                             [this, name](const QString& t) { Edited(name, t); });
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            QObject::connect(check, &QCheckBox::toggled, this, [this, name](bool on) {
                if (refreshing_) return;
                model_.Control(name).Checked = on;
                model_.Changed(name);
                Refresh();
            });
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            QObject::connect(radio, &QRadioButton::toggled, this, [this, name](bool on) {
                if (refreshing_ || !on) return;
                model_.Control(name).Checked = true;
                model_.Changed(name);
                Refresh();
            });
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            QObject::connect(button, &QPushButton::clicked, this, [this, name] { Press(name); });
        }
    }

    void Press(const std::string& name)
    {
        switch (model_.Press(name)) {
        case platform::DialogAction::Accept:
            closing_ = true;
            form_.accept();
            return;
        case platform::DialogAction::Reject:
            closing_ = true;
            form_.reject();
            return;
        case platform::DialogAction::Raise:
            Refresh();
            form_.raise();
            form_.activateWindow();
            return;
        case platform::DialogAction::None:
            Refresh();
            return;
        }
    }

    QDialog& form_;
    platform::DialogModel& model_;
    bool refreshing_ = false;
    bool closing_ = false;
};

template <typename T>
T* Named(const char* name, QWidget* parent)
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

std::unique_ptr<QDialog> MakeConfKorviltForm(platform::DialogModel& model, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    form->setObjectName(QString::fromStdString(model.FormName()));
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

    new TConfKorviltBinder(*f, model); // owned by the form
    return form;
}

void InstallPlotForms(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TForm_confkorvilt", MakeConfKorviltForm);
    graphservices.ConfigurePlotCommandLine = [](std::string& Line) { RunConfKorviltForm(Line, true); };
}

} // namespace graphics_qt
