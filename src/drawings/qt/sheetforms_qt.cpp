#include "drawings/qt/sheetforms_qt.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "drawings/sheet/changeentryform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "planetary/documentation.h"
#include "platform/qt/qttext.h"

namespace drawings_qt
{

namespace
{

QLabel* Label(const std::string& name)
{
    auto* l = new QLabel;
    l->setObjectName(QString::fromStdString(name));
    return l;
}

QLineEdit* Edit(const std::string& name, int maxLength = 0)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromStdString(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

QPushButton* Button(const std::string& name)
{
    auto* b = new QPushButton;
    b->setObjectName(QString::fromStdString(name));
    b->setAutoDefault(false);
    return b;
}

// OK (the default button), Cancel and Help in a row on the right.
QHBoxLayout* ButtonRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* ok = Button("Button_ok");
    ok->setDefault(true);
    row->addWidget(ok);
    row->addWidget(Button("Button_cancel"));
    row->addWidget(Button("Button_help"));
    return row;
}

std::unique_ptr<QDialog> NewForm(QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    form->setModal(true);
    return form;
}

// A grid of the model's cells: head row and label column as labels, the
// rest as edits; only cells the model has are placed.
QFrame* Grid(platform::DialogModel& model, const std::string& grid, int columns, int rows, int editWidth)
{
    auto* frame = new QFrame;
    frame->setObjectName(QString::fromStdString(grid));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(frame);
    g->setSpacing(2);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const std::string name = TForm_zeichInfo::Cell(grid, c, r);
            if (!model.FindControl(name)) continue;
            if (r == 0 || c == 0) {
                g->addWidget(Label(name), r, c);
            } else {
                QLineEdit* e = Edit(name);
                e->setMinimumWidth(editWidth);
                g->addWidget(e, r, c);
            }
        }
    return frame;
}

} // namespace

std::unique_ptr<QDialog> ChangeEntryLayout(platform::DialogModel& model, QWidget* parent)
{
    auto form = NewForm(parent);
    auto* v = new QVBoxLayout(form.get());
    auto* g = new QGridLayout;
    const char* rows[3][2] = {{"Label_aenderung", "Edit_aenderung"},
                              {"Label_datum", "Edit_datum"},
                              {"Label_bearbeiter", "Edit_bearbeiter"}};
    for (int r = 0; r < 3; ++r) {
        g->addWidget(Label(rows[r][0]), r, 0);
        g->addWidget(Edit(rows[r][1], static_cast<int>(TForm_EinAend::MaxLength(rows[r][1]))), r, 1);
    }
    g->addWidget(Button("Button_datum"), 1, 2);
    g->addWidget(Label("Label_beschreibung"), 3, 0);
    v->addLayout(g);
    // The memo keeps CR LF in the model and shows plain line breaks; the
    // model's limit of stored characters is shown back at once.
    auto* memo = new QPlainTextEdit;
    memo->setObjectName("Memo_beschreibung");
    memo->setMinimumSize(360, 120);
    const auto shown = [&model] {
        QString t = platform::ToQString(model.Control("Memo_beschreibung").Text);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return t;
    };
    memo->setPlainText(shown());
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, &model, shown] {
        const QString typed = memo->toPlainText();
        model.Control("Memo_beschreibung").Text = platform::FromQString(typed);
        model.Changed("Memo_beschreibung");
        const QString back = shown();
        if (back != typed) {
            const QSignalBlocker block(memo);
            memo->setPlainText(back);
            memo->moveCursor(QTextCursor::End);
        }
    });
    v->addWidget(memo);
    v->addLayout(ButtonRow());
    return form;
}

std::unique_ptr<QDialog> DrawingInfoLayout(platform::DialogModel& model, QWidget* parent)
{
    auto form = NewForm(parent);
    auto* v = new QVBoxLayout(form.get());
    auto* top = new QHBoxLayout;
    top->addWidget(Grid(model, "StringGrid1", 3, 5, 100));
    auto* dates = new QVBoxLayout;
    dates->addSpacing(24);
    for (int k = 1; k <= 4; ++k)
        dates->addWidget(Button("Button" + std::to_string(k)));
    dates->addStretch(1);
    top->addLayout(dates);
    top->addWidget(Grid(model, "StringGrid3", 2, 4, 128));
    v->addLayout(top);
    auto* replace = new QGridLayout;
    replace->addWidget(Label("Label_ersatzfuer"), 0, 0);
    replace->addWidget(Edit("Edit_ersatzfuer", 15), 0, 1);
    replace->addWidget(Label("Label_ersetztdurch"), 1, 0);
    replace->addWidget(Edit("Edit_ersetztdurch", 15), 1, 1);
    v->addLayout(replace);
    auto* combo = new QComboBox;
    combo->setObjectName("ComboBox_zeichtextmode");
    for (const char* item : TForm_zeichInfo::TextModeItems)
        combo->addItem(QString::fromLatin1(item));
    v->addWidget(combo);
    v->addWidget(Grid(model, "StringGrid2", 6, MaxSheetTexts + 1, 56));
    v->addLayout(ButtonRow());
    return form;
}

std::unique_ptr<QDialog> DocumentLinksLayout(platform::DialogModel& /*model*/, QWidget* parent)
{
    auto form = NewForm(parent);
    auto* v = new QVBoxLayout(form.get());
    auto* g = new QGridLayout;
    for (int n = 1; n <= DocLinkCount; ++n) {
        const std::string k = std::to_string(n);
        const int r = 2 * (n - 1);
        g->addWidget(Label("Label_prog" + k), r, 0);
        QLineEdit* prog = Edit("Edit_prog" + k);
        prog->setMinimumWidth(280);
        g->addWidget(prog, r, 1);
        g->addWidget(Button("Button_browseprog" + k), r, 2);
        g->addWidget(Button("Button" + k), r, 3);
        g->addWidget(Label("Label_file" + k), r + 1, 0);
        g->addWidget(Edit("Edit_file" + k), r + 1, 1);
        g->addWidget(Button("Button_browsefile" + k), r + 1, 2);
        g->addWidget(Button("Button" + k + "f"), r + 1, 3);
    }
    v->addLayout(g);
    v->addLayout(ButtonRow());
    return form;
}

} // namespace drawings_qt
