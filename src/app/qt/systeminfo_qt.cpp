#include "app/qt/systeminfo_qt.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/systeminfo.h"
#include "dialogs/qt/formbinder.h"
#include "platform/qt/qttext.h"

namespace
{

QPushButton* OkButton(QDialog& form)
{
    auto* ok = new QPushButton(&form);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    return ok;
}

} // namespace

std::unique_ptr<QDialog> MakeSysinfoForm(platform::DialogModel& model, QWidget* parent)
{
    auto& info = static_cast<TSysinfo&>(model);
    auto form = std::make_unique<QDialog>(parent);
    form->setObjectName(QStringLiteral("TSysinfo"));
    auto* layout = new QVBoxLayout(form.get());
    // The memo is not a control of the binder: its lines are the model's.
    auto* memo = new QPlainTextEdit(form.get());
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    memo->setFont(mono);
    QStringList lines;
    for (const std::string& l : info.Lines())
        lines << platform::FileNameToQString(l);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->setMinimumSize(460, 260);
    layout->addWidget(memo);
    layout->addWidget(OkButton(*form), 0, Qt::AlignHCenter);
    new dialogs_qt::TFormBinder(*form, model);
    return form;
}

std::unique_ptr<QDialog> MakeAboutBoxForm(platform::DialogModel& model, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    form->setObjectName(QStringLiteral("TAboutBox"));
    auto* layout = new QVBoxLayout(form.get());
    auto* panel = new QFrame(form.get());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(panel);
    for (const char* name : {"Label_extended", "ProductName", "Label_sonderversion", "Label_fileversion"}) {
        auto* label = new QLabel(panel);
        label->setObjectName(QString::fromLatin1(name));
        inner->addWidget(label);
    }
    layout->addWidget(panel);
    layout->addWidget(OkButton(*form), 0, Qt::AlignHCenter);
    new dialogs_qt::TFormBinder(*form, model);
    return form;
}

void RegisterSystemInfoForms(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TSysinfo", MakeSysinfoForm);
    host.RegisterForm("TAboutBox", MakeAboutBoxForm);
}
