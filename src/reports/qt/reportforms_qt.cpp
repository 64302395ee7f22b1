#include "reports/qt/reportforms_qt.h"

#include "foundation/codepage.h"
#include "platform/qt/menustyle_qt.h"
#include "platform/qt/qttext.h"
#include "reports/engine/reportservices.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

QString FromAnsi(const std::string& S)
{
    return QString::fromStdString(AnsiToUtf8(S));
}
std::string ToAnsi(const QString& S)
{
    return Utf8ToAnsi(S.toStdString());
}

} // namespace

TForm_showtextfile::TForm_showtextfile(TShowTextFileModel& Model, QWidget* Parent)
    : QDialog(Parent), model_(Model)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menu = new QMenuBar(this);
    menu->setObjectName("MainMenu1");
    const auto caption = [this](const std::string& S) {
        return platform::CodePageToQString(S, model_.MenuCodePage);
    };
    QMenu* file = menu->addMenu(caption(model_.MenuFile));
    platform::FitMenuCaptions(*file);
    file->setObjectName("mi_Datei");
    file->addAction(FromAnsi(model_.MenuExportNotepad), this, &TForm_showtextfile::ExportNotepad)
        ->setObjectName("mi_dateiExportNotepad");
    file->addSeparator();
    file->addAction(caption(model_.MenuPrint), this, &TForm_showtextfile::Print)
        ->setObjectName("mi_DateiDrucken");
    file->addSeparator();
    file->addAction(caption(model_.MenuExit), this, &QDialog::accept)->setObjectName("mi_dateiBeenden");
    QMenu* edit = menu->addMenu(caption(model_.MenuEdit));
    platform::FitMenuCaptions(*edit);
    edit->setObjectName("mi_Edit");
    edit->addAction(caption(model_.MenuSelectAll), this, &TForm_showtextfile::SelectAll)
        ->setObjectName("mi_EditMarkAll");
    edit->addAction(caption(model_.MenuCopy), this, &TForm_showtextfile::Copy)->setObjectName("mi_EditCopy");
    layout->setMenuBar(menu);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Memo1");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo_);

    model_.Show();
    // A report is a fixed-pitch text: the configured font when the system
    // has it, else the system's fixed font.
    QFont font(QString::fromStdString(model_.FontName()), model_.FontSize());
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(model_.FontSize());
    const TFontStyles style = model_.FontStyle();
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    font.setStrikeOut(style.StrikeOut);
    memo_->setFont(font);
    // Form feeds end pages in the file; on screen they are shown as blanks.
    std::string text = model_.Text();
    for (char& c : text)
        if (c == '\f') c = ' ';
    memo_->setPlainText(FromAnsi(text));
    setWindowTitle(FromAnsi(model_.Caption()));
    if (model_.UseStoredRect) setGeometry(model_.Left, model_.Top, model_.Width, model_.Height);
}

void TForm_showtextfile::Print()
{
    model_.Print();
}
void TForm_showtextfile::ExportNotepad()
{
    model_.ExportNotepad();
}
void TForm_showtextfile::SelectAll()
{
    memo_->selectAll();
}
void TForm_showtextfile::Copy()
{
    model_.Copy(ToAnsi(memo_->textCursor().selectedText()));
}

void TForm_showtextfile::done(int Result)
{
    const QRect g = geometry();
    model_.Close(g.left(), g.top(), g.width(), g.height());
    QDialog::done(Result);
}

Thelperr::Thelperr(THelperrModel& Model, QWidget* Parent) : QDialog(Parent), model_(Model)
{
    setWindowTitle(THelperrModel::Caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(THelperrModel::MessageLabel, this));
    message_ = new QLineEdit(FromAnsi(model_.Message()), this);
    message_->setReadOnly(true);
    layout->addWidget(message_);
    layout->addWidget(new QLabel(THelperrModel::OriginLabel, this));
    origin_ = new QPlainTextEdit(FromAnsi(model_.Origin()), this);
    layout->addWidget(origin_);
    layout->addWidget(new QLabel(THelperrModel::RemedyLabel, this));
    remedy_ = new QPlainTextEdit(FromAnsi(model_.Remedy()), this);
    layout->addWidget(remedy_);
    auto* ok = new QPushButton(THelperrModel::OkCaption, this);
    auto* help = new QPushButton(QString(THelperrModel::HelpCaption), this);
    ok->setDefault(true);
    layout->addWidget(ok);
    layout->addWidget(help);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { model_.Help(); });
    model_.Shown();
}

void Thelperr::done(int Result)
{
    if (Result == QDialog::Accepted) {
        model_.SetOrigin(ToAnsi(origin_->toPlainText()));
        model_.SetRemedy(ToAnsi(remedy_->toPlainText()));
        model_.Ok();
    }
    QDialog::done(Result);
}

void InstallQtReportForms()
{
    reportservices.ShowResultWindow = [](const std::string& PrintFileName) {
        TShowTextFileModel model;
        model.PrintFileName = PrintFileName;
        TForm_showtextfile form(model, QApplication::activeWindow());
        form.exec();
    };
    uhelperr.ShowHelperrForm = [](THelperrModel& Model) {
        Thelperr form(Model, QApplication::activeWindow());
        form.exec();
    };
    // The GUI shows the message list as a list, not as text.
    uhelperr.MessageListAsText = nullptr;
}
