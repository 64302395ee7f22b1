// The prompt forms rendered offscreen once each, found by the object names
// of the program's forms, and answered through their named buttons.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/prompts.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace
{

class QtPrompts : public ::testing::Test
{
  protected:
    void SetUp() override { telmvar.ProgramName = "QYR7"; }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString form;
    QStringList missing;
    bool grabbed = false;
};

// Grabs the form, notes which of the named children it lacks, then presses
// the named button.
void Inspect(Seen& seen, QStringList names, const char* press, std::function<void(QWidget*)> before = {})
{
    WhenModalAppears([&seen, names, press, before](QWidget* w) {
        seen.form = w->objectName();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        const QPixmap shot = w->grab();
        seen.grabbed = !shot.isNull() && shot.width() > 50 && shot.height() > 50;
        if (before) before(w);
        if (auto* b = w->findChild<QPushButton*>(QString::fromLatin1(press))) b->click();
    });
}

TEST_F(QtPrompts, ListFormFromEightItems)
{
    for (int i = 1; i <= 8; ++i)
        telmvar.TextItems[i] = "item " + std::to_string(i);
    Seen seen;
    Inspect(seen,
            {"Label1", "ListBox1", "button_ok", "button_cancel", "Button_hilfetext", "Button_hilfebild"},
            "button_ok", [](QWidget* w) { w->findChild<QListWidget*>("ListBox1")->setCurrentRow(7); });
    uint16_t choice = 2;
    AskSelect("Which one ?", 8, choice);
    EXPECT_EQ(seen.form, "Tin_codedialog");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_EQ(choice, 8);
}

TEST_F(QtPrompts, RadioFormBelowEightItems)
{
    for (int i = 1; i <= 7; ++i)
        telmvar.TextItems[i] = "item " + std::to_string(i);
    Seen seen;
    int buttons = 0;
    Inspect(seen, {"Label1", "RadioGroup1", "Button_ok", "button_cancel"}, "button_cancel",
            [&](QWidget* w) { buttons = static_cast<int>(w->findChildren<QRadioButton*>().size()); });
    uint16_t choice = 2;
    AskSelect("Which one ?", 7, choice);
    EXPECT_EQ(seen.form, "Tin_radiodialog");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_EQ(buttons, 7);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(choice, 2);
}

TEST_F(QtPrompts, YesNoFormPreselectsNo)
{
    Seen seen;
    bool noChecked = false;
    QString group;
    Inspect(seen, {"Label1", "RadioGroup_janein", "Button_ok", "button_cancel"}, "Button_ok",
            [&](QWidget* w) {
                auto radios = w->findChildren<QRadioButton*>();
                noChecked = radios.size() == 2 && radios[1]->isChecked() && radios[1]->text() == "&No";
                group = w->findChild<QGroupBox*>("RadioGroup_janein")->title();
            });
    char answer = 'n';
    AskYesNoChar("Crowning ?", answer);
    EXPECT_EQ(seen.form, "Tin_janeindialog");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_TRUE(noChecked);
    EXPECT_EQ(group, "Select");
    EXPECT_EQ(answer, 'N');
}

TEST_F(QtPrompts, TextFormUnchangedValueKeepsItsBits)
{
    Seen seen;
    QString shown;
    Inspect(seen,
            {"Label1", "EditEinText", "Button_ok", "Button_Cancel", "Button_hilfetext", "Button_hilfebild"},
            "Button_ok", [&](QWidget* w) { shown = w->findChild<QLineEdit*>("EditEinText")->text(); });
    Extended v = 123.456789L;
    AskValueInRange("Viscosity", v, 0, 1000);
    EXPECT_EQ(seen.form, "Tin_textdialog");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_EQ(shown, "123.5");
    EXPECT_EQ(v, 123.456789L);
}

TEST_F(QtPrompts, InformationScreen)
{
    for (int i = 1; i <= 22; ++i)
        telmvar.TextItems[i] = "line " + std::to_string(i);
    Seen seen;
    int lines = 0;
    Inspect(seen, {"Memo1", "Button_ok"}, "Button_ok",
            [&](QWidget* w) { lines = w->findChild<QPlainTextEdit*>("Memo1")->blockCount(); });
    ShowSplashScreen();
    EXPECT_EQ(seen.form, "TShowScreen");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_EQ(lines, 22);
}

} // namespace
