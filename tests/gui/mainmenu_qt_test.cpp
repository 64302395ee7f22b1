// The main menu on Qt, offscreen: the menu bar built from the command table
// in English, German and Korean, one QAction per item named as the item, and
// Exit with unsaved input asking first.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPushButton>

#include "app/maincommands.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <set>

using namespace platform;

namespace
{

class MainMenuQt : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramIdentity();
        wtelmvar.Language = 0;
        for (int i = 1; i <= 4; ++i)
            wtelmvar.RecentFiles[i].clear();
    }
};

void CollectActions(const QList<QAction*>& actions, std::map<std::string, QAction*>& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        out[a->objectName().toStdString()] = a;
        if (a->menu()) CollectActions(a->menu()->actions(), out);
    }
}

std::map<std::string, QAction*> Actions(QMainWindow& w)
{
    std::map<std::string, QAction*> out;
    CollectActions(w.menuBar()->actions(), out);
    return out;
}

QString TopCaption(QMainWindow& w, int i)
{
    return w.menuBar()->actions().at(i)->text();
}

// The text a menu's style draws for an item, as the paint engine gets it.
class DrawnText final : public QImage, public QPaintEngine
{
  public:
    DrawnText(QMenu& m, QAction* item) : QImage(m.size(), Format_ARGB32), QPaintEngine(AllFeatures)
    {
        m.render(this, {}, QRegion(m.actionGeometry(item)));
    }
    QString Text;
    QPaintEngine* paintEngine() const override { return const_cast<DrawnText*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { Text += item.text(); }
    Type type() const override { return User; }
};

// The main window with its menus, shown.
struct MenuWindow {
    PlatformQt qt;
    ScopedPlatform scope{qt};
    Thh shell;
    QMainWindow& w = qt.QtMainWindow().Widget();
    MenuWindow()
    {
        shell.FormCreateMenus();
        shell.Attach(qt.MainWindow());
        OpenMainForm(qt);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(MainMenuQt, EveryItemIsAnActionNamedAsTheItemInThreeLanguages)
{
    MenuWindow m;
    QMainWindow& w = m.w;

    auto actions = Actions(w);
    for (const auto& name : MenuCommandNames(mainmenu))
        EXPECT_TRUE(actions.count(name)) << name << " has no QAction";
    EXPECT_TRUE(actions.count("mi_viewLastkollektivAusgabe"));
    EXPECT_TRUE(actions.count("mi_cadLastkollektivAusgabe"));
    EXPECT_EQ(actions.at("mi_fileNew")->shortcut().toString().toStdString(), "Ctrl+N");
    EXPECT_EQ(actions.at("mi_file2")->shortcut().toString().toStdString(), "Shift+F2");
    EXPECT_FALSE(actions.at("mi_oleExportExcel")->isEnabled());
    EXPECT_EQ(w.menuBar()->actions().size(), 9);
    EXPECT_EQ(TopCaption(w, 0).toStdString(), "&File");
    EXPECT_FALSE(w.grab().toImage().isNull());

    // German from its own menu item: the bar is rebuilt from inside the
    // action being run.
    actions.at("mi_helplanguageDeutsch")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(TopCaption(w, 0).toStdString(), "&Datei");
    actions = Actions(w);
    EXPECT_EQ(actions.at("mi_editfestigkeit")->text().toStdString(), "&Festigkeit");
    EXPECT_EQ(actions.at("mi_editqualitaet")->text(), QString::fromUtf8("&Qualit\xC3\xA4t"));
    EXPECT_FALSE(w.grab().toImage().isNull());

    // Korean: code page 949 bytes become the Hangul of the menu.
    actions.at("mi_helplanguageKorea")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(TopCaption(w, 0), QString::fromUtf8("\xED\x8C\x8C\xEC\x9D\xBC(&F)"));
    actions = Actions(w);
    EXPECT_EQ(actions.at("mi_editfestigkeit")->text(), QString::fromUtf8("\xEA\xB0\x95\xEB\x8F\x84(&T)"));
    EXPECT_FALSE(w.grab().toImage().isNull());
    // Chinese: GBK.
    actions.at("mi_helplanguageChinese")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(TopCaption(w, 0), QString::fromUtf8("\xE6\x96\x87\xE4\xBB\xB6(&F)"));
    QMenu* file = Actions(w).at("mi_file")->menu();
    file->adjustSize();
    EXPECT_EQ(DrawnText(*file, Actions(w).at("mi_fileOpenTable")).Text,
              QString::fromUtf8("\xE6\x89\x93\xE5\xBC\x80(O)... (\xE8\xA1\xA8\xE6\xA0\xBC(T))"));

    Actions(w).at("mi_helplanguageEnglish")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(TopCaption(w, 0).toStdString(), "&File");
    w.hide();
}

// What a screen reader hears of an item: the name its menu's accessible child gives.
QString AccessibleName(QAction* item)
{
    const auto shownIn = item->associatedObjects();
    QAccessibleInterface* menu =
        QAccessible::queryAccessibleInterface(shownIn.isEmpty() ? nullptr : shownIn.first());
    for (int i = 0; menu && i < menu->childCount(); ++i)
        if (menu->child(i)->object() == item) return menu->child(i)->text(QAccessible::Name);
    return QStringLiteral("(no accessible item)");
}

// Accessible names are the captions as drawn: no marker, a recent file's "&" (doubled in its caption) read as
// one.
TEST_F(MainMenuQt, AccessibleNamesAreTheCaptionsWithoutMarkers)
{
    wtelmvar.RecentFiles[1] = "/tmp/A&B.qy7";
    MenuWindow m;
    const auto actions = Actions(m.w);
    for (const auto& [item, name] : {std::pair{"mi_file", "File"},
                                     {"mi_viewanimationzahneingriff", "Animation Tooth contact"},
                                     {"mi_file1", "1 /tmp/A&B.qy7"}})
        EXPECT_EQ(AccessibleName(actions.at(item)).toStdString(), name) << item;
    for (const auto& [item, action] : actions)
        EXPECT_TRUE(item == "mi_file1" || !AccessibleName(action).contains(u'&')) << item;
    m.w.hide();
}

TEST_F(MainMenuQt, ExitWithUnsavedInputAsksAndCancelKeepsTheWindow)
{
    MenuWindow m;
    QMainWindow& w = m.w;
    telmvar.ProjectName.clear();
    telmvar.DataModified = true;

    QString asked;
    WhenModalAppears([&](QWidget* box) {
        asked = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))
                    ? box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text()
                    : QString();
        auto* mb = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(mb, nullptr);
        mb->button(QMessageBox::Cancel)->click();
    });
    Actions(w).at("mi_fileexit")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(asked.toStdString(), "Discard previous input data ?");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(telmvar.DataModified);

    WhenModalAppears([](QWidget* box) {
        auto* mb = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(mb, nullptr);
        mb->button(QMessageBox::Yes)->click();
    });
    Actions(w).at("mi_fileexit")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
}
