// The documentation forms on Qt: the change dialog, the drawing information
// and the document links, each rendered offscreen and grabbed, its widgets
// found by the model's names, typed into and closed with OK (stored) or
// Cancel (kept).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

#include "dialogs/messageboxes.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "drawings/sheet/changeprotocol.h"
#include "drawings/sheet/documentlinksform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/documentation.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportservices.h"

namespace
{

class QtSheetForms : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ResetDocumentation("01.12.2026");
        sheetclock.TodayDateText = [] { return "07.12.2026"; };
        telmvar.ProgramTitle = "QYR7";
        dialogs_qt::RegisterDialogForms(qt.QtDialogs());
    }
    void TearDown() override { ResetDocumentation(); }
    AppFirst app_;
    platform::PlatformQt qt;
    platform::ScopedPlatform use{qt};
};

struct Seen {
    QString form, title;
    QStringList missing;
    bool grabbed = false;
};

// Renders the modal form, checks the names, lets Act type and closes it
// with Close.
void Play(Seen& seen, const QStringList& names, std::function<void(QWidget*)> act, const QString& close)
{
    WhenModalAppears([&seen, names, act, close](QWidget* w) {
        seen.form = w->objectName();
        seen.title = w->windowTitle();
        for (const QString& n : names)
            if (!w->findChild<QWidget*>(n)) seen.missing << n;
        seen.grabbed = !w->grab().isNull();
        if (act) act(w);
        if (auto* b = w->findChild<QPushButton*>(close)) b->click();
    });
}

void Type(QWidget* w, const char* name, const QString& text)
{
    if (auto* e = w->findChild<QLineEdit*>(name)) {
        e->setText(text);
        emit e->textEdited(text);
    }
}

TEST_F(QtSheetForms, ChangeDialogStoresOnOk)
{
    documentation.ChangeCount = 1;
    Seen seen;
    Play(
        seen, {"Edit_aenderung", "Edit_datum", "Edit_bearbeiter", "Memo_beschreibung", "Button_datum"},
        [](QWidget* w) {
            Type(w, "Edit_aenderung", "bore 40 H7");
            w->findChild<QPushButton*>("Button_datum")->click();
            w->findChild<QPlainTextEdit*>("Memo_beschreibung")->setPlainText("line one\nline two");
        },
        "Button_ok");
    EditChangeEntry(1);
    EXPECT_EQ(seen.form, "TForm_EinAend");
    EXPECT_EQ(seen.title, "Modification 1");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_FALSE(telmvar.Aborted);
    const auto& t = documentation.ChangeList[1].Text;
    EXPECT_EQ(t[0], "bore 40 H7");
    EXPECT_EQ(t[1], "07.12.2026");
    EXPECT_EQ(t[3], "line one\r\nline two");
}

TEST_F(QtSheetForms, DrawingInfoCancelKeepsOkStores)
{
    wtelmvar.TitleBlockType = 0;
    const TDocumentation before = documentation;
    Seen seen;
    Play(
        seen, {"StringGrid1_2_4", "StringGrid2_5_8", "Button4", "ComboBox_zeichtextmode", "Edit_ersatzfuer"},
        [](QWidget* w) { Type(w, "StringGrid1_2_1", "HK"); }, "Button_cancel");
    ShowDrawingInfo();
    EXPECT_EQ(seen.title, "Info drawing DIN 6771");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(documentation, before);

    Seen second;
    Play(
        second, {},
        [](QWidget* w) {
            Type(w, "StringGrid1_2_1", "HK");
            Type(w, "StringGrid2_5_1", "free text");
            w->findChild<QComboBox*>("ComboBox_zeichtextmode")->setCurrentIndex(1);
        },
        "Button_ok");
    ShowDrawingInfo();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(documentation.DrawnBy, "HK");
    EXPECT_EQ(documentation.SheetTextCount, 1);
    EXPECT_EQ(documentation.SheetTextLines[1].Text, "free text");
    EXPECT_EQ(documentation.SheetTextMode, 1);
}

// A signature date holding the section sign and pilcrow (437: 0x15, 0x14) shows them; OK stores it back.
TEST_F(QtSheetForms, SectionSignAndPilcrowInASignatureDateShowAndAreStoredBack)
{
    for (const int titleBlock : {0, 1}) {
        wtelmvar.TitleBlockType = titleBlock;
        documentation.CheckedDate = "\x15 12 \x14";
        QString date;
        Seen seen;
        Play(
            seen, {}, [&date](QWidget* w) { date = w->findChild<QLineEdit*>("StringGrid1_1_2")->text(); },
            "Button_ok");
        ShowDrawingInfo();
        EXPECT_EQ(date, QString::fromUtf8("\u00a7 12 \u00b6")) << titleBlock;
        EXPECT_EQ(documentation.CheckedDate, "\x15 12 \x14") << titleBlock;
    }
}

// A date of code page 437 in either date line of the project file (checked, standard, release; drawn)
// shows as its characters (a box-drawing dash as "-"), also where units are spelled in ASCII; it is stored
// back as it was when left alone and in 437 when typed.
TEST_F(QtSheetForms, SignatureDatesShowThroughCodePage437AndKeepTheirBytes)
{
    const struct {
        int Row;
        const char *Stored, *Typed, *Shown, *Kept;
    } cases[] = {{2, "1. M\x84rz", nullptr, "1. M\u00e4rz", "1. M\x84rz"},
                 {3, "\x15 5", nullptr, "\u00a7 5", "\x15 5"},
                 {1, "7\x14M\x84rz", nullptr, "7\u00b6M\u00e4rz", "7\x14M\x84rz"},
                 {4, "\x8e\x81 9", nullptr, "\u00c4\u00fc 9", "\x8e\x81 9"},
                 {2,
                  "7\xc4"
                  "12",
                  nullptr, "7-12",
                  "7\xc4"
                  "12"},
                 {1, "7\x14M\x84rz", "M\u00e4r 5", "7\u00b6M\u00e4rz", "M\x84r 5"}};
    auto& d = documentation;
    std::string* dates[5] = {nullptr, &d.DrawnDate, &d.CheckedDate, &d.StandardDate, &d.ReleaseDate};
    wtelmvar.TitleBlockType = 0;
    wtelmvar.UnitCharMode = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kept);
        const QString cell = QString::fromStdString(TForm_zeichInfo::Cell("StringGrid1", 1, c.Row));
        *dates[c.Row] = c.Stored;
        for (const char* typed : {c.Typed, static_cast<const char*>(nullptr)}) { // then opened again
            QString date;
            Seen seen;
            Play(
                seen, {},
                [&](QWidget* w) {
                    date = w->findChild<QLineEdit*>(cell)->text();
                    if (typed) Type(w, cell.toUtf8().constData(), QString::fromUtf8(typed));
                },
                "Button_ok");
            ShowDrawingInfo();
            EXPECT_EQ(date, QString::fromUtf8(typed || !c.Typed ? c.Shown : c.Typed));
            EXPECT_EQ(*dates[c.Row], c.Kept);
        }
    }
}

TEST_F(QtSheetForms, DocumentLinksStoreTheTypedPairs)
{
    Seen seen;
    Play(
        seen, {"Edit_prog5", "Edit_file5", "Button5", "Button5f", "Button_browseprog1", "Label_file2"},
        [](QWidget* w) { Type(w, "Edit_file3", "/home/u/gear.dxf"); }, "Button_ok");
    ShowDocumentLinks(0);
    EXPECT_EQ(seen.title, "Document Links  -  QYR7");
    EXPECT_TRUE(seen.missing.isEmpty()) << seen.missing.join(' ').toStdString();
    EXPECT_TRUE(seen.grabbed);
    EXPECT_EQ(documentation.DocLinkPrograms[3].DocLinkFile, "/home/u/gear.dxf");
    EXPECT_EQ(documentation.DocLinkPrograms[3].DocLinkProgram, "mspaint.exe");
}

// The caption goes on as the main window's title does: the project's name
// after "  -  " when there is one, nothing after the program's title after
// File > New.
TEST_F(QtSheetForms, DocumentLinksCaptionEndsAsTheMainWindowsTitle)
{
    const std::string ext = std::exchange(telmvar.DataExt, "qy7");
    for (const auto& [name, title] :
         {std::pair{"", "Document Links  -  QYR7"}, {"größe", "Document Links  -  QYR7  -  größe.qy7"}}) {
        telmvar.ProjectName = name;
        Seen seen;
        Play(seen, {}, {}, "Button_cancel");
        ShowDocumentLinks(0);
        UpdateAppTitle();
        EXPECT_EQ(seen.title.toStdString(), title);
        EXPECT_EQ(seen.title, "Document Links  -  " + qt.QtMainWindow().Widget().windowTitle());
    }
    telmvar.ProjectName.clear();
    telmvar.DataExt = ext;
}

} // namespace
