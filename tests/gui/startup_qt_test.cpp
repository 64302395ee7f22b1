// The interactive start on the Qt platform (offscreen): the main window's
// creation runs without any question, takes the configured size and the
// title with the project named on the command line.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/maincommands.h"
#include "app/programidentity.h"
#include "app/qt/configdialog_qt.h"
#include "app/qt/mainform_qt.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "dialogs/qt/dialogforms_qt.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "graphics/qt/graphwindow_qt.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <QtWidgets>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace platform;

namespace
{

class QtStartup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramLoadDefaults();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        dir = fs::temp_directory_path() / ("qyr7_qtstart_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        wtelmvar.ConfigDir = dir.string() + "/";
        wtelmvar.DefaultDataDir = dir.string() + "/";
        telmvar.StartDir = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(QtStartup, TheWindowOpensSizedAndCaptionedWithoutAQuestion)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    startup.Interactive = true;
    // No configuration file: the screen rules give the pixels; the test
    // fixes them to see the window take them.
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({"test.edi", "/E"}));
    ASSERT_FALSE(outcome.EndProcess);
    telmvar.ScreenPixelsX = 640;
    telmvar.ScreenPixelsY = 480;
    OpenMainForm(qt);
    QApplication::processEvents();
    EXPECT_TRUE(qt.QtMainWindow().Widget().isVisible());
    EXPECT_EQ(qt.MainWindow().ClientWidth(), 641);
    EXPECT_EQ(qt.MainWindow().ClientHeight(), 481);
    EXPECT_EQ(qt.MainWindow().Title(), "QYR7 - Radi Divivuzez Orude  -  test.edi");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The desktop answers the screen questions now.
    const TScreenInfo s = winutil.QueryScreen();
    EXPECT_GT(s.ScreenWidth, 0);
    EXPECT_EQ(s.ClientWidth, 641);
    qt.MainWindow().OnCloseQuery = [] { return true; };
    qt.MainWindow().Close();
    ThhFormDestroy();
    startup.Interactive = false;
}

// Opened with a project, the window shows the configured stage picture
// (result graphic 0: the sheet, view 10): its display list holds the sheet's
// blocks and replays onto the window.
TEST_F(QtStartup, AProjectOpensWithItsStageSheetInTheWindow)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    const auto graph = InstallGraphWindowQt(qt);
    startup.Interactive = true;
    const fs::path project = dir / "default.qy7";
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7", project);
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({project.string()}));
    ASSERT_FALSE(outcome.EndProcess);
    ASSERT_TRUE(telmvar.ArchiveMode);
    InstallShellServices();
    telmvar.ScreenPixelsX = 640;
    telmvar.ScreenPixelsY = 480;
    wtelmvar.ResultGraphicMode = 0;
    hh.RefreshAfterChange();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_GT(DisplayList.Records.size(), 1000u) << "the sheet with its tables and wheels";
    OpenMainForm(qt);
    graph->ReplayNow();
    QApplication::processEvents();
    const QImage shown = qt.QtMainWindow().ClientArea().grab().toImage();
    ASSERT_FALSE(shown.isNull());
    int inked = 0;
    const QRgb background = shown.pixel(0, 0);
    for (int y = 0; y < shown.height(); y += 4)
        for (int x = 0; x < shown.width(); x += 4)
            inked += shown.pixel(x, y) != background;
    EXPECT_GT(inked, 100) << "the sheet is drawn on the window";
    const std::string grab = (dir / "stage_sheet.png").string();
    shown.save(QString::fromStdString(grab));
    std::printf("grab of the stage sheet: %dx%d, %d inked samples\n", shown.width(), shown.height(), inked);
    qt.MainWindow().OnCloseQuery = [] { return true; };
    qt.MainWindow().Close();
    ThhFormDestroy();
    startup.Interactive = false;
}

// A dialog on a 1280 x 800 screen: on it with its caption; each label, button and combo inside its
// parent and as large as its caption needs (a push button without the style's 80 pixel minimum, a
// wrapping label by its lines); no radio button without caption; labels level with their fields.
static QStringList DialogFaults(QWidget& d)
{
    QStringList out(QRect(0, 23, 1280, 777).contains(d.geometry()) ? 0 : 1, "off the screen");
    const auto at = [&d](QWidget* w) { return QRect(w->mapTo(&d, QPoint()), w->size()); };
    const QList<QWidget*> all = d.findChildren<QWidget*>();
    for (QWidget* w : all) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = label ? label->text() : button ? button->text() : QString();
        QSize need = w->sizeHint();
        if (label && label->wordWrap())
            need = {label->minimumSizeHint().width(), label->heightForWidth(w->width())};
        if (qobject_cast<QPushButton*>(w) && !text.isEmpty())
            need.setWidth(w->fontMetrics().size(Qt::TextShowMnemonic, text).width() +
                          2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                          w->style()->pixelMetric(QStyle::PM_ButtonMargin));
        if (!(label || button || qobject_cast<QComboBox*>(w)) || !w->isVisibleTo(&d) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        if (need.width() > w->width() || need.height() > w->height() ||
            (qobject_cast<QRadioButton*>(w) && text.isEmpty()) ||
            !w->parentWidget()->rect().contains(w->geometry()))
            out << w->objectName() + " cut: " + text;
        int dy = 99; // to the nearest field right of a label
        for (QWidget* f : all)
            if (const int y = at(f).center().y() - at(w).center().y();
                (qobject_cast<QLineEdit*>(f) || qobject_cast<QComboBox*>(f)) && f->isVisibleTo(&d) &&
                at(f).left() >= at(w).left() && at(f).left() <= at(w).right() + 80 &&
                std::abs(y) < std::abs(dy))
                dy = y;
        if (label && !text.isEmpty() && std::abs(dy) <= 16 && std::abs(dy) > 3)
            out << w->objectName() + " off";
    }
    return out;
}

TEST_F(QtStartup, DialogFitOfEveryDialogOfTheFileEditCadAndDocumentMenus)
{
    const QStringList items = // each menu item and the dialog it opens
        QString("mi_fileNew TForm_qyr7vor mi_fileprint TForm_printconf mi_fileConfig Tconfig "
                "mi_editquick TForm_qyr7text mi_editVerzahnungswerkzeug TForm_qyr7prof "
                "mi_editabmessungen TForm_qyr7geo mi_editqualitaet TForm_qyr7qual mi_editmessen "
                "TForm_qyr7mes mi_editAntrieb TForm_qyr7antr mi_EditMaterial TForm_qyr7wst mi_editfestigkeit "
                "TForm_qyr7fs0 mi_editlastkollektivstandard TForm_einarray mi_editlastkollektivtabelle "
                "TForm_qyrlk1 "
                "mi_editwaelzdatenbankPi Tin_codedialog mi_editwaelzanwendungPi TForm_vq1waelz "
                "mi_editberechnungsmethodeabmessungen TForm_qyr5con2 "
                "mi_editberechnungsmethodefestigkeit TForm_qyr5con3 mi_cadquick3 Tin_radiodialog "
                "mi_cadzahnradS TForm_qyrconf mi_cadcarrier TForm_qyr7carr mi_cadconfig TForm_qyr1conf "
                "mi_docdrawinginfo TForm_zeichInfo mi_docuShowChanges1 TShowScreen "
                "mi_docuNewChange TForm_EinAend mi_DocumentSetup TForm_confDoku")
            .split(' ');
    // The built-in settings, "Auto" configured, and 632 % entered (what the broken Auto once gave).
    for (const int setting : {0, 1, 632}) {
        PlatformQt qt;
        ScopedPlatform scope(qt);
        InstallQtScreenInfo(qt);
        winutil.QueryScreen = [real = winutil.QueryScreen] {
            TScreenInfo s = real();
            s.ScreenWidth = 1280;
            s.ScreenHeight = 800;
            return s;
        };
        using dialogs_qt::RegisterDialogForms;
        for (auto r : {RegisterDialogForms, RegisterConfigForms})
            r(qt.QtDialogs());
        startup.Interactive = true;
        ASSERT_FALSE(ThhFormCreate(ParseCommandLine({})).EndProcess);
        wtelmvar.DialogWindowSizeCode = 1;
        if (setting == 1) ApplyScreenConfig();
        InstallShellServices();
        hh.FormCreateMenus();
        hh.Attach(qt.MainWindow());
        OpenMainForm(qt);
        QApplication::processEvents();
        EXPECT_NEAR(wtelmvar.ScreenPercent, 100, 3) << "from the shown window's frame";
        if (setting == 632) wtelmvar.ScreenPercent = 632;
        for (int i = 0; i + 1 < items.size(); i += 2) {
            QStringList faults{"not opened"};
            QTimer poll;
            QPointer<QWidget> seen; // a dialog is handled on the tick after it is seen, in its own loop
            QObject::connect(&poll, &QTimer::timeout, [&faults, &seen, form = items[i + 1]] {
                QWidget* m = QApplication::activeModalWidget();
                if (m != seen) return void(seen = m);
                if (m && m->isVisible() && m->objectName() == form) {
                    faults.clear();
                    for (QTabWidget* tabs : m->findChildren<QTabWidget*>()) // every page of a tabbed dialog
                        for (int k = 0; k < tabs->count(); ++k) {
                            tabs->setCurrentIndex(k);
                            faults += DialogFaults(*m);
                        }
                    faults += DialogFaults(*m);
                }
                if (m && m->isVisible()) m->close();
            });
            poll.start(10);
            qt.QtMainWindow().Widget().findChild<QAction*>(items[i])->trigger();
            EXPECT_EQ(faults.join(", ").toStdString(), "") << items[i].toStdString();
        }
        qt.MainWindow().OnCloseQuery = [] { return true; };
        qt.MainWindow().Close();
        startup.Interactive = false;
    }
}
