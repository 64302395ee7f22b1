#include "platform/qt/prompts_qt.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

// OK, Cancel and, where the caller gave them, the two help buttons. Help
// leaves the dialog open.
QDialogButtonBox* AddButtons(QDialog& dialog, QVBoxLayout* layout, const HelpButtons& help)
{
    auto* box = new QDialogButtonBox(&dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    if (help.OnHelpText) {
        QPushButton* b = box->addButton(QStringLiteral("&Help Text"), QDialogButtonBox::HelpRole);
        b->setObjectName(QStringLiteral("HelpText"));
        QObject::connect(b, &QPushButton::clicked, &dialog, [&help] { help.OnHelpText(); });
    }
    if (help.OnHelpImage) {
        QPushButton* b = box->addButton(QStringLiteral("Aux. &Image"), QDialogButtonBox::HelpRole);
        b->setObjectName(QStringLiteral("HelpImage"));
        QObject::connect(b, &QPushButton::clicked, &dialog, [&help] { help.OnHelpImage(); });
    }
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(box);
    return box;
}

QLabel* AddPrompt(QDialog& dialog, QVBoxLayout* layout, const std::string& prompt)
{
    auto* label = new QLabel(ToQString(prompt), &dialog);
    label->setObjectName(QStringLiteral("Prompt"));
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

std::optional<int> PromptsImplQt::Select(const SelectionRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    AddPrompt(dialog, layout, request.Prompt);
    const int count = static_cast<int>(request.Items.size());
    const int preset = (request.Selected >= 0 && request.Selected < count) ? request.Selected : 0;

    QListWidget* list = nullptr;
    QButtonGroup* group = nullptr;
    if (request.Style == SelectionStyle::List) {
        list = new QListWidget(&dialog);
        list->setObjectName(QStringLiteral("Items"));
        for (const auto& item : request.Items)
            list->addItem(ToQString(item));
        if (count > 0) list->setCurrentRow(preset);
        QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        layout->addWidget(list);
    } else {
        auto* box = new QGroupBox(&dialog);
        box->setObjectName(QStringLiteral("Items"));
        auto* boxLayout = new QVBoxLayout(box);
        group = new QButtonGroup(&dialog);
        for (int i = 0; i < count; ++i) {
            auto* radio = new QRadioButton(ToQString(request.Items[static_cast<std::size_t>(i)]), box);
            group->addButton(radio, i);
            boxLayout->addWidget(radio);
            if (i == preset) radio->setChecked(true);
        }
        layout->addWidget(box);
    }
    AddButtons(dialog, layout, request.Help);
    if (dialog.exec() != QDialog::Accepted || count == 0) return std::nullopt;
    int chosen = list ? list->currentRow() : group->checkedId();
    if (chosen < 0 || chosen >= count) return std::nullopt;
    return chosen;
}

std::optional<std::string> PromptsImplQt::AskText(const TextPromptRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(&dialog);
    AddPrompt(dialog, layout, request.Prompt)->setMinimumWidth(300);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("Text"));
    if (request.MaxLength > 0) edit->setMaxLength(request.MaxLength);
    edit->setText(ToQString(request.Text));
    edit->selectAll();
    layout->addWidget(edit);
    AddButtons(dialog, layout, request.Help);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQString(edit->text());
}

void PromptsImplQt::ShowTextScreen(const TextScreenRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    auto* memo = new QPlainTextEdit(&dialog);
    memo->setObjectName(QStringLiteral("Screen"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QStringList lines;
    for (const auto& line : request.Lines)
        lines << ToQString(line);
    memo->setPlainText(lines.join('\n'));
    QFontMetrics fm(memo->font());
    memo->setMinimumSize(fm.horizontalAdvance(QLatin1Char('x')) * 72, fm.lineSpacing() * 23);
    layout->addWidget(memo);
    auto* box = new QDialogButtonBox(&dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(box);
    dialog.exec();
}

} // namespace platform
