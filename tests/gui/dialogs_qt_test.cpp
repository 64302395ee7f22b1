#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <unistd.h>

#include "common/tempdir.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

using namespace platform;

namespace
{

class QtDialogs : public ::testing::Test
{
  protected:
    AppFirst app_; // the application must exist before any widget
    PlatformQt qt;
};

void ClickNamed(QWidget* dialog, const char* name)
{
    auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

} // namespace

TEST_F(QtDialogs, MessageBoxReturnsTheButtonPressed)
{
    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton press;
        MessageAnswer expected;
    } cases[] = {
        {MessageButtons::Ok, QMessageBox::Ok, MessageAnswer::Ok},
        {MessageButtons::YesNo, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageButtons::YesNo, QMessageBox::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, QMessageBox::Cancel, MessageAnswer::Cancel},
        {MessageButtons::YesNoCancel, QMessageBox::No, MessageAnswer::No},
    };
    for (const auto& c : cases) {
        QString caption, text;
        WhenModalAppears([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            box->button(c.press)->click();
        });
        MessageAnswer a =
            qt.Messages().Show({"QYR7 - Radi Divivuzez Orude", "x.qy7 already exists.   overwrite ?",
                                MessageIcon::Question, c.buttons});
        EXPECT_EQ(a, c.expected);
        EXPECT_EQ(caption.toStdString(), "QYR7 - Radi Divivuzez Orude");
        EXPECT_EQ(text.toStdString(), "x.qy7 already exists.   overwrite ?");
    }
}

TEST_F(QtDialogs, EscapeIsCancelWhereCancelIsOfferedElseNo)
{
    struct Case {
        MessageButtons buttons;
        MessageAnswer expected;
    } cases[] = {
        {MessageButtons::YesNoCancel, MessageAnswer::Cancel},
        {MessageButtons::YesNo, MessageAnswer::No},
        {MessageButtons::Ok, MessageAnswer::Ok},
    };
    for (const auto& c : cases) {
        WhenModalAppears([](QWidget* w) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &esc);
        });
        EXPECT_EQ(qt.Messages().Show({"Q", "sure ?", MessageIcon::Question, c.buttons}), c.expected);
    }
}

TEST_F(QtDialogs, MessageTextsAreConvertedFromWindows1252)
{
    QString text;
    WhenModalAppears([&](QWidget* w) {
        text = qobject_cast<QMessageBox*>(w)->text();
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    qt.Messages().ShowOk("Message:",
                         "20 \xB0"
                         "C \x96 5 \xB5m",
                         MessageIcon::Information);
    EXPECT_EQ(text, QString::fromUtf8("20 \xC2\xB0"
                                      "C \xE2\x80\x93 5 \xC2\xB5m"));
}

TEST_F(QtDialogs, NameFiltersInQtForm)
{
    struct Case {
        const char* filter;
        const char* qt;
    } cases[] = {
        {"*.qy7|*.qy7", "*.qy7"},
        {"Text|*.txt|All files|*.*", "Text (*.txt);;All files (*.*)"},
        {"Pictures|*.plt;*.hpg", "Pictures (*.plt *.hpg)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToQtNameFilter(c.filter).toStdString(), c.qt) << c.filter;
}

TEST_F(QtDialogs, SaveDialogReturnsTheChosenPathOrNothing)
{
    namespace fs = std::filesystem;
    const testdirs::ScopedTempDir scratch("gui");
    const fs::path dir = scratch.Path();
    const std::string wanted = (dir / "stage.qy7").string();
    QString shownDir;
    WhenModalAppears([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        shownDir = d->directory().absolutePath();
        d->selectFile(QString::fromStdString(wanted));
        static_cast<QDialog*>(d)->accept();
    });
    auto chosen = qt.Files().Run({FileDialogKind::Save, "Save", "*.qy7|*.qy7", dir.string(), "stage.qy7"});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, wanted);
    EXPECT_EQ(shownDir.toStdString(), fs::canonical(dir).string());

    WhenModalAppears([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(qt.Files().Run({FileDialogKind::Open, "Open", "*.qy7|*.qy7", dir.string(), ""}), std::nullopt);
}

TEST_F(QtDialogs, ListAndRadioSelection)
{
    SelectionRequest r;
    r.Prompt = "Material";
    r.Items = {"16MnCr5", "18CrNiMo7-6", "42CrMo4"};
    r.Selected = 1;
    int preset = -1;
    WhenModalAppears([&](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox1");
        ASSERT_NE(list, nullptr);
        preset = list->currentRow();
        list->setCurrentRow(2);
        ClickNamed(w, "button_ok");
    });
    EXPECT_EQ(qt.Prompt().Select(r), 2);
    EXPECT_EQ(preset, 1);

    r.Style = SelectionStyle::Radio;
    WhenModalAppears([](QWidget* w) {
        auto radios = w->findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 3);
        radios[0]->setChecked(true);
        ClickNamed(w, "Button_ok");
    });
    EXPECT_EQ(qt.Prompt().Select(r), 0);

    WhenModalAppears([](QWidget* w) { ClickNamed(w, "button_cancel"); });
    EXPECT_EQ(qt.Prompt().Select(r), std::nullopt);
}

TEST_F(QtDialogs, TextPromptHonoursMaxLengthAndConvertsBack)
{
    TextPromptRequest r;
    r.Prompt = "Module [mm]";
    r.Text = "3";
    r.MaxLength = 12;
    int maxLength = 0;
    QString shown;
    WhenModalAppears([&](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("EditEinText");
        ASSERT_NE(edit, nullptr);
        maxLength = edit->maxLength();
        shown = edit->text();
        edit->setText(QString::fromUtf8("12.5 \xC3\xA4"));
        ClickNamed(w, "Button_ok");
    });
    EXPECT_EQ(qt.Prompt().AskText(r), std::optional<std::string>("12.5 \xE4"));
    EXPECT_EQ(maxLength, 12);
    EXPECT_EQ(shown, "3");

    WhenModalAppears([](QWidget* w) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &esc);
    });
    EXPECT_EQ(qt.Prompt().AskText(r), std::nullopt);
}

TEST_F(QtDialogs, HelpButtonsCallBackAndKeepTheDialogOpen)
{
    TextPromptRequest r;
    r.Prompt = "z";
    int helpText = 0;
    r.Help.OnHelpText = [&] { ++helpText; };
    WhenModalAppears([](QWidget* w) {
        ClickNamed(w, "Button_hilfetext");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->findChild<QPushButton*>("Button_hilfebild"), nullptr) << "no callback, no button";
        ClickNamed(w, "Button_ok");
    });
    EXPECT_EQ(qt.Prompt().AskText(r), std::optional<std::string>(""));
    EXPECT_EQ(helpText, 1);
}

TEST_F(QtDialogs, TextScreenShowsTheLines)
{
    QString content;
    WhenModalAppears([&](QWidget* w) {
        content = w->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        ClickNamed(w, "Button_ok");
    });
    qt.Prompt().ShowTextScreen({"QYR7", {"QYR7 Command Line Mode", "", "/?       -> Help"}});
    EXPECT_EQ(content.toStdString(), "QYR7 Command Line Mode\n\n/?       -> Help");
}

namespace
{
struct GearModel final : DialogModel {
    std::string FormName() const override { return "gearform"; }
    std::string Caption() const override { return "QYR7 Gear"; }
    std::string Name = "S";
};
} // namespace

TEST_F(QtDialogs, DialogHostRunsTheRegisteredForm)
{
    qt.QtDialogs().RegisterForm("gearform", [](DialogModel& m, QWidget* parent) {
        auto form = std::make_unique<QDialog>(parent);
        auto* edit = new QLineEdit(form.get());
        edit->setObjectName("Name");
        edit->setText(QString::fromStdString(static_cast<GearModel&>(m).Name));
        QObject::connect(form.get(), &QDialog::accepted,
                         [edit, &m] { static_cast<GearModel&>(m).Name = edit->text().toStdString(); });
        return form;
    });
    GearModel model;
    WhenModalAppears([](QWidget* w) {
        w->findChild<QLineEdit*>("Name")->setText("Pi");
        qobject_cast<QDialog*>(w)->accept();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(model), DialogResult::Ok);
    EXPECT_EQ(model.Name, "Pi");

    WhenModalAppears([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(qt.Dialogs().RunModal(model), DialogResult::Cancel);
}

TEST_F(QtDialogs, AModelWithoutAFormIsReportedAndCancelled)
{
    struct Orphan final : DialogModel {
        std::string FormName() const override { return "noform"; }
        std::string Caption() const override { return "x"; }
    } orphan;
    QString text;
    WhenModalAppears([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(qt.Dialogs().RunModal(orphan), DialogResult::Cancel);
    EXPECT_TRUE(text.contains("noform")) << text.toStdString();
}

TEST_F(QtDialogs, ClipboardCursorAndBeep)
{
    qt.Clip().SetText("z = 17 \xB0");
    EXPECT_EQ(qt.Clip().Text(), "z = 17 \xB0");
    qt.ScreenCursor().Set(CursorShape::Hourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    qt.ScreenCursor().Set(CursorShape::Arrow);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(qt.ScreenCursor().Current(), CursorShape::Arrow);
    qt.Bell().Beep();
}
