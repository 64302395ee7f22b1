// Tconfig: a page widget per tab of the model, each a layout of named
// widgets bound generically; the colour panels show the model's colours.
// TForm_selectcolor: the list of the 16 colour numbers.
#include "app/qt/configdialog_qt.h"

#include "app/configdialog.h"
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "platform/qt/qttext.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <map>
#include <string>

namespace
{

using namespace dialogs_qt;
using platform::ToQString;

QStringList Items(const char* control)
{
    QStringList list;
    for (const std::string& s : Tconfig::Items(control))
        list << ToQString(s);
    return list;
}

QComboBox* Combo(QWidget* page, const char* name, int x, int y, int w)
{
    return PlaceCombo(page, name, x, y, w, Items(name));
}

QGroupBox* Radio(QWidget* page, const char* name, int x, int y, int w)
{
    return PlaceRadioGroup(page, name, x, y, w, static_cast<int>(Tconfig::Items(name).size()), 22);
}

// Label, edit and an optional button in one row.
void Row(QWidget* page, int y, const char* label, const char* edit, const char* button = nullptr,
         int editW = 260, int labelW = 230)
{
    PlaceLabel(page, label, 8, y + 1, labelW);
    PlaceEdit(page, edit, 10 + labelW, y, editW);
    if (button) PlaceButton(page, button, 14 + labelW + editW, y - 1, 30);
}

QTableWidget* Grid(QWidget* page, const char* name, int x, int y, int w, int h, const QStringList& columns,
                   const QStringList& rows)
{
    auto* table = new QTableWidget(rows.size(), columns.size(), page);
    table->setObjectName(QString::fromLatin1(name));
    table->setGeometry(x, y, w, h);
    table->setHorizontalHeaderLabels(columns);
    table->setVerticalHeaderLabels(rows);
    return table;
}

QString ColourStyle(const std::string& text)
{
    const unsigned long c = std::stoul(text.empty() ? std::string("0") : text);
    return QStringLiteral("background-color: rgb(%1, %2, %3);")
        .arg(c & 0xFF)
        .arg((c >> 8) & 0xFF)
        .arg((c >> 16) & 0xFF);
}

std::unique_ptr<QDialog> ConfigLayout(platform::DialogModel& model, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 720, 600);
    QDialog* f = form.get();
    auto* tabs = new QTabWidget(f);
    tabs->setObjectName(QStringLiteral("Tab_pages"));
    tabs->setGeometry(4, 4, 712, 550);
    std::map<std::string, QWidget*> page;
    for (const auto& [name, caption] : Tconfig::Pages()) {
        auto* w = new QWidget;
        w->setObjectName(QString::fromStdString(name));
        tabs->addTab(w, ToQString(caption));
        page[name] = w;
    }

    QWidget* p = page["Tab_dir"];
    PlaceLabel(p, "GroupBox_dir", 8, 4, 300);
    const char* const dirs[][3] = {{"Label_dirdbf", "Edit_dirdbf", "Button_dirdbf"},
                                   {"Label_direxe", "Edit_direxe", "Button_direxe"},
                                   {"Label_dirplt", "Edit_dirplt", "Button_dirplt"},
                                   {"Label_dirtemp", "Edit_dirtemp", "Button_dirtemp"},
                                   {"Label_diredi", "Edit_diredi", "Button_diredi"},
                                   {"Label_dirdata", "Edit_dirdata", "Button_dirdata"},
                                   {"Label_dircad", "Edit_dircad", "Button_dircad"},
                                   {"Label_dirworking", "Edit_dirworking", "Button_workingDir"}};
    int y = 30;
    for (const auto& d : dirs) {
        Row(p, y, d[0], d[1], d[2], 340, 270); // the help and picture directory's caption is long
        y += 32;
    }
    PlaceButton(p, "Button_dirtempenv", 660, 30 + 3 * 32 - 1, 30);
    PlaceLabel(p, "Label_user", 8, y + 10, 400);
    PlaceCheck(p, "CheckBox_dbftemp", 8, y + 40, 300);

    p = page["Tab_grafik"];
    Radio(p, "RadioGroup_bildschirmgrafik", 8, 4, 200);
    PlaceButton(p, "Button_hintergrundfarbe", 220, 10, 180);
    PlaceLabel(p, "Panel_colour", 410, 10, 150);
    PlaceEdit(p, "Edit_font", 220, 44, 180);
    PlaceButton(p, "Button_font", 404, 43, 80);
    PlaceLabel(p, "Label_hstyle", 490, 46, 150);
    Row(p, 90, "Label_textbreitenfaktor", "Edit_textbreitenfaktor", "Button_textbreitenfaktor", 80);
    Row(p, 120, "Label_texthoehenfaktor", "Edit_texthoehenfaktor", "Button_texthoehenfaktor", 80);
    PlaceLabel(p, "GroupBox_aufloesung", 8, 152, 200);
    PlaceEdit(p, "Edit_x", 240, 150, 70);
    PlaceButton(p, "Button_x", 314, 149, 26);
    PlaceEdit(p, "Edit_y", 350, 150, 70);
    PlaceButton(p, "Button_y", 424, 149, 26);
    PlaceButton(p, "Button_aufloesung", 456, 149, 26);
    Combo(p, "ComboBox_screensizecode", 490, 150, 110);
    Row(p, 184, "Label_zoomfaktor", "Edit_zoomfaktor", "Button_zoom", 80);
    Row(p, 214, "Label_panfaktor", "Edit_panfaktor", "Button_pan", 80);
    PlaceCheck(p, "CheckBox_umrandung", 8, 246, 300);
    Row(p, 276, "Label_dialogfenster", "SpinEdit_dialogfenster", "Button_dialogsize", 60);
    Combo(p, "ComboBox_dialogwindowSizecode", 350, 276, 100);
    Row(p, 306, "Label_dialogelemente", "SpinEdit_dialogelemente", "Button_dialogelemente", 60);
    PlaceCheck(p, "CheckBox_3dxyz", 8, 340, 200);
    PlaceEdit(p, "Edit_3dx", 240, 338, 60);
    PlaceEdit(p, "Edit_3dy", 306, 338, 60);
    PlaceEdit(p, "Edit_3dz", 372, 338, 60);
    PlaceCheck(p, "CheckBox_zeichfusszeile", 8, 372, 500);
    PlaceButton(p, "Button_grafikhilfe", 8, 480, 92);

    p = page["Tab_cad"];
    QStringList layerRows;
    for (const char* r :
         {"continuous line      0.50 mm", "continuous line      0.35 mm", "continuous line      0.25 mm",
          "dashed line          0.25 mm", "center line          0.25 mm"})
        layerRows << QString::fromLatin1(r);
    Grid(p, "StringGrid_layer", 8, 8, 500, 170, {"Layer", "Colour", "pen width"}, layerRows);
    for (int i = 1; i <= 5; ++i)
        PlaceButton(p, ("Button_layer" + std::to_string(6 - i)).c_str(), 514, 8 + 26 * i, 26);
    PlaceButton(p, "Button_selectlayercolor", 550, 8, 120);
    PlaceCheck(p, "CheckBox_layermonochrom", 8, 186, 250);
    Row(p, 214, "Label_cadfont", "Edit_cadfont", nullptr, 120);
    Row(p, 244, "Label_cadtextbreite", "Edit_cadtextbreite", "Button_cadtextbreite", 80);
    Row(p, 274, "Label_cadtextwinkel", "Edit_cadtextwinkel", "Button_cadtextwinkel", 80);
    PlaceCheck(p, "CheckBox_diagrammgrenzen", 8, 304, 300);
    Row(p, 332, "Label_dxfdec", "SpinEdit_dxfdec", "Button_dxfdec", 50, 270);
    Radio(p, "radiogroupcadtexttyp", 420, 186, 270);
    PlaceCheck(p, "CheckBox_3Dto2D", 8, 364, 250);
    PlaceCheck(p, "CheckBox_execCadFile", 8, 390, 250);
    PlaceCheck(p, "CheckBox_japolyArcToLines", 8, 416, 230);
    PlaceLabel(p, "Label_resolutionArcToLines", 240, 418, 70);
    PlaceEdit(p, "Edit_resolutionArcToLines", 310, 416, 60);
    PlaceLabel(p, "Label_resolutionmm", 374, 418, 30);
    PlaceLabel(p, "Label_cadstltype", 420, 418, 80);
    Combo(p, "ComboBox_cadstltype", 500, 416, 100);
    PlaceButton(p, "Button_helpcad", 8, 480, 92);

    p = page["Tab_color"];
    QStringList colourRows;
    for (int r = 1; r <= 16; ++r)
        colourRows << QStringLiteral("Colour of layer %1").arg(15 + r);
    Grid(p, "StringGrid_color", 8, 8, 320, 440, {"Colour", "pen width"}, colourRows);
    PlaceButton(p, "Button_selectcolor", 340, 8, 100);
    for (int d = 1; d <= 3; ++d)
        PlaceButton(p, ("Button_dick" + std::to_string(d)).c_str(), 340, 40 + 30 * (d - 1), 120);
    for (int k = 0; k <= 15; ++k)
        PlaceButton(p, ("Panel_color" + std::to_string(k)).c_str(), 480 + 50 * (k % 4), 8 + 40 * (k / 4), 44);
    PlaceButton(p, "Button_resetcolor", 480, 176, 30);
    PlaceButton(p, "Button_colorhilfe", 8, 480, 92);

    p = page["Tab_drucker"];
    PlaceLabel(p, "GroupBox_ursprung", 8, 10, 200);
    PlaceEdit(p, "Edit_printxorigin", 240, 8, 60);
    PlaceButton(p, "Button_printxorigin", 304, 7, 26);
    PlaceEdit(p, "Edit_printyorigin", 340, 8, 60);
    PlaceButton(p, "Button_printyorigin", 404, 7, 26);
    Row(p, 40, "Label_printscale", "Edit_printscale", "Button_printscalex1", 80);
    Row(p, 70, "Label_printscaley", "Edit_printscaley", "Button_scaleyx", 80);
    Radio(p, "RadioGroup_printmono", 8, 104, 250);
    Radio(p, "RadioGroup_orientation", 270, 104, 200);
    PlaceCheck(p, "CheckBox_printerDialogbox", 8, 190, 300);
    PlaceLabel(p, "Label_lpt", 8, 222, 300);
    Combo(p, "ComboBox_lpt", 310, 220, 90);
    PlaceButton(p, "Button_helpprint", 8, 480, 92);

    p = page["Tab_textdruck"];
    Radio(p, "RadioGroup_trenn", 8, 4, 300);
    Row(p, 124, "Label_linesperpage", "SpinEdit_linesperpage", nullptr, 60);
    Row(p, 154, "Label_spacelines", "SpinEdit_spacelines", nullptr, 60);
    Radio(p, "RadioGroup_date", 330, 4, 160);
    PlaceLabel(p, "GroupBox_ausdruckdefault", 8, 188, 200);
    Combo(p, "ComboBox_ausdruckdefault", 240, 186, 200);
    PlaceCheck(p, "CheckBox_ausdruckshowdialog", 450, 188, 250);
    PlaceLabel(p, "GroupBox_textwindow", 8, 222, 120);
    const char* const rect[][2] = {{"Label_left", "Edit_left"},
                                   {"Label_top", "Edit_top"},
                                   {"Label_width", "Edit_width"},
                                   {"Label_height", "Edit_height"}};
    for (int i = 0; i < 4; ++i) {
        PlaceLabel(p, rect[i][0], 130 + 110 * i, 222, 50);
        PlaceEdit(p, rect[i][1], 180 + 110 * i, 220, 56);
    }
    Combo(p, "ComboBox_textwindowsizecode", 130, 252, 100);
    PlaceButton(p, "Button_Textwindow", 240, 251, 26);
    PlaceButton(p, "Button_textfont", 8, 290, 80);
    PlaceLabel(p, "Label_courier", 100, 292, 160);
    PlaceLabel(p, "Label_couriersize", 270, 292, 40);
    PlaceLabel(p, "Label_courierstyle", 320, 292, 200);
    Radio(p, "RadioGroup_ff", 8, 324, 220);
    Radio(p, "RadioGroup_ausgrad", 240, 324, 240);
    PlaceLabel(p, "Label_unit", 8, 410, 60);
    Combo(p, "ComboBox_unit", 80, 408, 300);
    PlaceButton(p, "Button_helpausdruck", 8, 480, 92);

    p = page["Tab_einstellung"];
    Radio(p, "RadioGroup_hilfegrad", 8, 4, 300);
    Radio(p, "RadioGroup_punktkomma", 320, 4, 200);
    Radio(p, "RadioGroup_ExcelDot", 530, 4, 170);
    Row(p, 104, "Label_dezimalstellen", "SpinEdit_dezimalstellen", nullptr, 40);
    PlaceCheck(p, "CheckBox_archivmode", 8, 136, 250);
    PlaceCheck(p, "CheckBox_aktuellfile", 8, 162, 250);
    Radio(p, "RadioGroup_chars", 8, 190, 250);
    PlaceCheck(p, "CheckBox_hidewarnings", 8, 262, 300);
    PlaceCheck(p, "CheckBox_saveMenuLanguage", 8, 288, 300);
    Radio(p, "RadioGroup_ergebnisgrafik", 330, 104, 220);

    p = page["Tab_extern"];
    Row(p, 10, "Label_externtxt", "Edit_externtxt", "Button_externtxt", 380);
    Row(p, 42, "Label_externhtml", "Edit_externhtml", "Button_externhtml", 380);
    Row(p, 74, "Label_handbuchdir", "Edit_handbuchdir", "Button_handbuchdir", 380);
    PlaceLabel(p, "Label_korvilt", 8, 110, 300);
    auto* list = new QListWidget(p);
    list->setObjectName(QStringLiteral("ListBox_korvilt"));
    list->setGeometry(8, 134, 560, 110);
    PlaceButton(p, "Button_confkorvilt", 580, 134, 90);
    PlaceButton(p, "Button_editkorviltcommandline", 580, 166, 90);

    p = page["Tab_zeichnung"];
    y = 8;
    for (const char* box : {"CheckBox_zeichtelmoratitel", "CheckBox_zeichfilename", "CheckBox_zeichdatum",
                            "CheckBox_zeichlogo", "CheckBox_zeichnungskopf", "CheckBox_copyrightvermerk"}) {
        PlaceCheck(p, box, 8, y, 660);
        y += 26;
    }
    PlaceLabel(p, "Label_zeichnkopf", 8, y + 4, 200);
    Combo(p, "ComboBox_zeichnkopf", 240, y + 2, 180);
    PlaceLabel(p, "Label_7200rand", 440, y + 4, 100);
    Combo(p, "ComboBox_7200rand", 540, y + 2, 90);
    y += 34;
    for (const char* box : {"CheckBox_abc123", "CheckBox_mmscale", "CheckBox_aenderungen",
                            "CheckBox_zeichhead034", "CheckBox_zeichinsert034"}) {
        PlaceCheck(p, box, 8, y, 500);
        y += 26;
    }
    PlaceLabel(p, "Label_index", 8, y + 4, 200);
    Combo(p, "ComboBox_index", 240, y + 2, 120);
    Row(p, y + 34, "Label_freigabefeld", "Edit_freigabefeld", "Button_freigabefeld", 120);
    Row(p, y + 64, "Label_massfaktorconfig", "Edit_massfaktorconfig", "Button_massfaktorconfig", 80);

    PlaceButtonRow(f, 8, 562,
                   {"Button_ok", "Button_cancel", "Button_save", "Button_import", "Button_export"});
    tabs->setCurrentWidget(page[model.Control("Tab_pages").Text]);

    // The panels show their colour; the binder shows only texts, so a timer
    // follows the model's colour values.
    auto* timer = new QTimer(f);
    const auto paint = [f, &model] {
        for (int k = 0; k <= 16; ++k) {
            const std::string name = k < 16 ? "Panel_color" + std::to_string(k) : "Panel_colour";
            if (auto* w = f->findChild<QWidget*>(QString::fromStdString(name)))
                w->setStyleSheet(ColourStyle(model.Control(name).Text));
        }
    };
    QObject::connect(timer, &QTimer::timeout, f, paint);
    timer->start(200);
    paint();
    return form;
}

std::unique_ptr<QDialog> SelectColourLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 260, 380);
    QDialog* f = form.get();
    auto* list = new QListWidget(f);
    list->setObjectName(QStringLiteral("ListBox_colors"));
    list->setGeometry(8, 8, 244, 320);
    PlaceButtonRow(f, 8, 340, {"Button_ok", "Button_cancel"});
    return form;
}

} // namespace

void RegisterConfigForms(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "Tconfig", ConfigLayout);
    RegisterBoundForm(host, "TForm_selectcolor", SelectColourLayout);
}
