// The file list preview window offscreen: the grid shows the model, a right
// click on a header sorts, a left click does not, a cell click picks, the
// close box aborts.
#include "qtfixture.h"

#include "common/askedboxes.h"
#include "dialogs/qt/formbinder.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "reports/qt/filepreview_qt.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace
{

class QtPreview : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        p.SetSize(4, 2);
        const char* rows[][2] = {
            {"File", "Date"}, {"a.qy7", "2024/05/01"}, {"b.qy7", "2023/11/30"}, {"c.qy7", "2025/01/15"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c)
                p.Cell(r, c) = rows[r][c];
    }
    void ClickHeader(QTableWidget* g, int col, Qt::MouseButton b)
    {
        QHeaderView* h = g->horizontalHeader();
        const QPointF at(h->sectionViewportPosition(col) + 10, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, h->viewport()->mapToGlobal(at), b, b, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &press);
    }
    AppFirst app_;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    TForm_preview p;
};

TEST_F(QtPreview, HeaderRightClickSortsAndKeepsTheCurrentFile)
{
    reports_qt::FilePreviewQt w(p);
    w.show();
    QApplication::processEvents();
    EXPECT_FALSE(w.grab().toImage().isNull());
    QTableWidget* g = w.Grid();
    ASSERT_EQ(g->rowCount(), 3);
    EXPECT_EQ(g->horizontalHeaderItem(1)->text(), "Date");
    g->setCurrentCell(2, 0); // c.qy7
    ClickHeader(g, 1, Qt::LeftButton);
    EXPECT_EQ(g->item(0, 0)->text(), "a.qy7") << "a left click does not sort";
    ClickHeader(g, 1, Qt::RightButton);
    EXPECT_EQ(g->item(0, 0)->text(), "b.qy7");
    EXPECT_EQ(g->item(2, 0)->text(), "c.qy7");
    EXPECT_EQ(g->currentRow(), 2);
}

TEST_F(QtPreview, CellClickPicksAndCloseBoxAborts)
{
    {
        reports_qt::FilePreviewQt w(p);
        w.show();
        emit w.Grid()->cellClicked(1, 0);
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(p.SelectedRow, 2);
        EXPECT_FALSE(telmvar.Aborted);
    }
    reports_qt::FilePreviewQt w(p);
    w.show();
    w.close();
    EXPECT_TRUE(telmvar.Aborted);
}

// The search question shows the last search text; the typed one is the
// new search text once the question is answered.
TEST_F(QtPreview, SearchQuestionBoundToTheSearchText)
{
    std::string text = "2023";
    TForm_Suchen ask(text);
    const auto form = dialogs_qt::MakeBoundForm(ask, nullptr, reports_qt::SearchFormLayout);
    form->show();
    auto* edit = form->findChild<QLineEdit*>("Edit_suchbegriff");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "2023");
    EXPECT_EQ(form->findChild<QPushButton*>("Button_suchen")->text(), "Search");
    edit->setText("b.qy7");
    form->findChild<QPushButton*>("Button_suchen")->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ask.StoreFields();
    EXPECT_EQ(text, "b.qy7");
}

// Typed names are found as the file system spells them; the question comes
// back with the last text selected, so typing replaces it.
TEST_F(QtPreview, SearchFindsTypedNamesAndTypingReplacesTheLastText)
{
    p.FileNameColumn = 0;
    p.Cell(2, 0) = "größe.qy7";
    p.Cell(3, 0) = "齿轮.qy7";
    p.Cell(1, 1) = "M\xFC"; // a program text
    p.SearchText = "2023";
    for (const auto& [typed, cell] : {std::pair{"größe", 20}, {"齿轮", 30}, {"Mü", 11}, {"größer", 11}}) {
        headless.HeadlessDialogs().QueueScript([typed](platform::DialogModel& m) {
            const auto form = dialogs_qt::MakeBoundForm(m, nullptr, reports_qt::SearchFormLayout);
            form->show();
            auto* edit = form->findChild<QLineEdit*>("Edit_suchbegriff");
            EXPECT_TRUE(edit->hasSelectedText() && edit->selectedText() == edit->text()) << typed;
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(typed));
            QApplication::sendEvent(edit, &key);
            return platform::DialogResult::Ok;
        });
        p.Press("mi_editsearch");
        EXPECT_EQ(p.Row * 10 + p.Col, cell) << typed;
    }
    // A miss names the text as messages name a file.
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "gr\xF6\xDF"
                                                                                  "er not found.");
}

} // namespace

// File names and the caption's directory shown as the file system has them, other columns as program texts.
TEST_F(QtPreview, NamesAsTheFileSystemHasThemInTheFileColumnAndCaption)
{
    p.FileNameColumn = 0;
    p.Cell(1, 0) = "\xE9\xBD\xBF\xE8\xBD\xAE.qy7";
    p.Cell(1, 1) = "M\xFC";
    telmvar.DataDir = "/Projekte \xC3\xA4\xC3\xB6\xC3\xBC/";
    reports_qt::FilePreviewQt w(p);
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.Grid()->item(0, 0)->text(), QString::fromUtf8("齿轮.qy7"));
    EXPECT_EQ(w.Grid()->item(0, 1)->text(), QString::fromUtf8("Mü"));
    EXPECT_TRUE(w.windowTitle().endsWith(QString::fromUtf8("  /Projekte äöü/")));
}
