// TForm_qyr7wst: the material data of the four gears, one group box each,
// the row labels beside the first group.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include "foundation/codepage.h"
#include "gearpair/gearpairdata.h"

#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <string>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> MaterialLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 1232, 420);
    QDialog* f = form.get();
    QStringList kinds, heats;
    for (int i = 1; i <= 8; ++i)
        kinds << QString::fromStdString(DisplayText(MaterialKindNames[i]));
    for (int i = 0; i <= 7; ++i)
        heats << QString::fromStdString(DisplayText(HeatTreatmentNames[i]));
    const struct {
        const char* label;
        const char* unit;
    } rows[] = {{"Label_name", nullptr},
                {"Label_wstyp", nullptr},
                {"Label_warm", nullptr},
                {"Label_sigfe", "Label_sigfeu"},
                {"Label_sighlim", "Label_sighlimu"},
                {"Label_hb", "Label_hbu"},
                {"Label_e", "Label_eu"},
                {"Label_mue", nullptr},
                {"Label_rho", "Label_rhou"}};
    // Each row's label level with the fields of the group boxes (the first
    // field sits 20 below a box's top), its unit between label and fields.
    // The material kinds need the boxes' whole width, so a long row caption
    // takes two lines.
    const int boxTop = 14, rowH = 32, fieldTop = boxTop + 20, boxW = 255;
    for (int r = 0; r < 9; ++r) {
        QLabel* label = PlaceLabel(f, rows[r].label, 8, fieldTop + r * rowH - 3, 144);
        label->setWordWrap(true);
        label->resize(144, 30);
        if (rows[r].unit) PlaceLabel(f, rows[r].unit, 154, fieldTop + r * rowH + 1, 44);
    }
    for (int g = 1; g <= 4; ++g) {
        const std::string n = std::to_string(g);
        auto* box = new QGroupBox(f);
        box->setObjectName(QString::fromStdString("GroupBox" + n));
        box->setGeometry(200 + (g - 1) * (boxW + 3), boxTop, boxW, 20 + 9 * rowH + 40);
        const int x = 4, w = boxW - 8;
        int y = 20;
        PlaceEdit(box, ("Edit_name" + n).c_str(), x, y, w);
        y += rowH;
        PlaceCombo(box, ("ComboBox_wstyp" + n).c_str(), x, y, w, kinds);
        y += rowH;
        PlaceCombo(box, ("ComboBox_warm" + n).c_str(), x, y, w, heats);
        y += rowH;
        for (const char* stem : {"Edit_sigfe", "Edit_sighlim", "Edit_hb", "Edit_e", "Edit_mue", "Edit_rho"}) {
            PlaceEdit(box, (stem + n).c_str(), x, y, 110);
            if (std::string(stem) == "Edit_hb")
                PlaceButton(box, ("Button_hb" + n).c_str(), x + 116, y - 1, 26);
            y += rowH;
        }
        PlaceButton(box, ("Button" + n).c_str(), x, y, w);
    }
    PlaceButtonRow(f, 8, 380, {"Button_ok", "Button_cancel", "Button_help", "Button_calc", "Button_metric"});
    return form;
}

} // namespace

void RegisterGearMaterialForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7wst", MaterialLayout);
}

} // namespace dialogs_qt
