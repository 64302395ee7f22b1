#include "graphics/qt/anistep_qt.h"

#include "graphics/anistep.h"
#include "platform/qt/dialoghost_qt.h"

#include <QFont>
#include <QPushButton>
#include <QVBoxLayout>

AnistepFormQt::AnistepFormQt(TForm_anistep& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("Form_anistep"));
    setWindowTitle(QString::fromLatin1(model.Caption().c_str()));
    // A fixed dialog border without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont bold;
    bold.setPixelSize(16);
    bold.setBold(true);
    auto* next = new QPushButton(QString::fromLatin1(TForm_anistep::NextStepCaption), this);
    next->setObjectName(QStringLiteral("Button_nextstep"));
    auto* end = new QPushButton(QString::fromLatin1(TForm_anistep::EndStepCaption), this);
    end->setObjectName(QStringLiteral("Button_endstep"));
    for (QPushButton* b : {next, end}) {
        b->setFont(bold);
        b->setFixedSize(113, 25);
    }
    next->setDefault(true);
    next->setAutoDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 0, 2, 0);
    layout->setSpacing(0);
    layout->addWidget(next);
    layout->addWidget(end);
    setFixedSize(116, 50);
    connect(next, &QPushButton::clicked, this, [this] {
        if (model_.Press("Button_nextstep") == platform::DialogAction::Accept) accept();
    });
    connect(end, &QPushButton::clicked, this, [this] { reject(); });
}

void AnistepFormQt::reject()
{
    model_.Press("Button_endstep");
    QDialog::reject();
}

void RegisterAnimationStepForm(platform::DialogHostImplQt& dialogs)
{
    dialogs.RegisterForm("TForm_anistep", [](platform::DialogModel& model, QWidget* parent) {
        return std::unique_ptr<QDialog>(new AnistepFormQt(dynamic_cast<TForm_anistep&>(model), parent));
    });
}
