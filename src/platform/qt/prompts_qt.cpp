#include "platform/qt/prompts_qt.h"

#include <QApplication>
#include <QButtonGroup>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
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

// Object names of the buttons differ between the forms (they grew apart and
// callers and tests find them by name), so each form names its own.
struct ButtonNames {
    const char* Ok;
    const char* Cancel;
};

// OK, Cancel and, where the caller gave them, the two help buttons. Help
// leaves the dialog open.
QDialogButtonBox* AddButtons(QDialog& dialog, QVBoxLayout* layout, const HelpButtons& help, ButtonNames names)
{
    auto* box = new QDialogButtonBox(&dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::fromLatin1(names.Ok));
    ok->setDefault(true);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::fromLatin1(names.Cancel));
    if (help.OnHelpText) {
        QPushButton* b = box->addButton(QStringLiteral("&Help Text"), QDialogButtonBox::HelpRole);
        b->setObjectName(QStringLiteral("Button_hilfetext"));
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, &dialog, [&help, &dialog] {
            help.OnHelpText();
            dialog.raise();
            dialog.activateWindow();
        });
    }
    if (help.OnHelpImage) {
        QPushButton* b = box->addButton(QStringLiteral("Aux. &Image"), QDialogButtonBox::HelpRole);
        b->setObjectName(QStringLiteral("Button_hilfebild"));
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, &dialog, [&help, &dialog] {
            help.OnHelpImage();
            dialog.raise();
            dialog.activateWindow();
        });
    }
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(box);
    return box;
}

QLabel* AddPrompt(QDialog& dialog, QVBoxLayout* layout, const std::string& prompt)
{
    auto* label = new QLabel(ToQString(prompt), &dialog);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setMinimumHeight(33);
    layout->addWidget(label);
    return label;
}

const char* FormNameOf(SelectionStyle style)
{
    switch (style) {
    case SelectionStyle::List:
        return "Tin_codedialog";
    case SelectionStyle::Radio:
        return "Tin_radiodialog";
    case SelectionStyle::YesNo:
        return "Tin_janeindialog";
    }
    return "Tin_codedialog";
}

} // namespace

std::optional<int> PromptsImplQt::Select(const SelectionRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QString::fromLatin1(FormNameOf(request.Style)));
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    QLabel* prompt = AddPrompt(dialog, layout, request.Prompt);
    const int count = static_cast<int>(request.Items.size());
    const int preset = (request.Selected >= 0 && request.Selected < count) ? request.Selected : 0;

    QListWidget* list = nullptr;
    QButtonGroup* group = nullptr;
    ButtonNames names{"Button_ok", "button_cancel"};
    if (request.Style == SelectionStyle::List) {
        prompt->setMinimumHeight(39);
        names.Ok = "button_ok";
        list = new QListWidget(&dialog);
        list->setObjectName(QStringLiteral("ListBox1"));
        for (const auto& item : request.Items)
            list->addItem(ToQString(item));
        if (count > 0) list->setCurrentRow(preset);
        QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        layout->addWidget(list);
    } else {
        const bool yesNo = request.Style == SelectionStyle::YesNo;
        if (yesNo)
            prompt->setMinimumWidth(250);
        else
            prompt->setMinimumHeight(39);
        auto* box = new QGroupBox(yesNo ? QStringLiteral("Select") : QString(), &dialog);
        box->setObjectName(yesNo ? QStringLiteral("RadioGroup_janein") : QStringLiteral("RadioGroup1"));
        if (!yesNo) box->setMinimumHeight((count + 1) * 25);
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
    AddButtons(dialog, layout, request.Help, names);
    if (dialog.exec() != QDialog::Accepted || count == 0) return std::nullopt;
    int chosen = list ? list->currentRow() : group->checkedId();
    if (chosen < 0 || chosen >= count) return std::nullopt;
    return chosen;
}

std::optional<std::string> PromptsImplQt::AskText(const TextPromptRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("Tin_textdialog"));
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(&dialog);
    AddPrompt(dialog, layout, request.Prompt)->setMinimumWidth(300);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("EditEinText"));
    if (request.MaxLength > 0) edit->setMaxLength(request.MaxLength);
    const QString shown = request.FileName ? FileNameToQString(request.Text) : ToQString(request.Text);
    edit->setText(shown);
    edit->selectAll();
    layout->addWidget(edit);
    AddButtons(dialog, layout, request.Help, {"Button_ok", "Button_Cancel"});
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (!request.FileName) return FromQString(edit->text());
    // A name's bytes that are no UTF-8 show as replacement characters, which
    // no conversion gives back: the name as shown is the name given.
    return edit->text() == shown ? request.Text : FileNameFromQString(edit->text());
}

void PromptsImplQt::ShowTextScreen(const TextScreenRequest& request)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("TShowScreen"));
    dialog.setWindowTitle(ToQString(request.Caption));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    auto* memo = new QPlainTextEdit(&dialog);
    memo->setObjectName(QStringLiteral("Memo1"));
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
    ok->setObjectName(QStringLiteral("Button_ok"));
    ok->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(box);
    dialog.exec();
}

std::optional<uint32_t> PromptsImplQt::PickColour(const ColourRequest& request)
{
    // Stored colours are 0xBBGGRR.
    const QColor start(request.Colour & 0xFF, (request.Colour >> 8) & 0xFF, (request.Colour >> 16) & 0xFF);
    const QColor chosen =
        QColorDialog::getColor(start, QApplication::activeWindow(), ToQString(request.Caption));
    if (!chosen.isValid()) return std::nullopt;
    return static_cast<uint32_t>(chosen.red()) | static_cast<uint32_t>(chosen.green()) << 8 |
           static_cast<uint32_t>(chosen.blue()) << 16;
}

std::optional<FontChoice> PromptsImplQt::PickFont(const FontChoice& current)
{
    QFont start(ToQString(current.Name), current.Size > 0 ? current.Size : 10);
    start.setBold(current.Style & 1);
    start.setItalic(current.Style & 2);
    start.setUnderline(current.Style & 4);
    start.setStrikeOut(current.Style & 8);
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, QApplication::activeWindow());
    if (!ok) return std::nullopt;
    FontChoice c;
    c.Name = FromQString(f.family());
    c.Size = f.pointSize() > 0 ? f.pointSize() : current.Size;
    c.Style = (f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) | (f.strikeOut() ? 8 : 0);
    return c;
}

} // namespace platform
