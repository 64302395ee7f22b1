// TForm_qyr7geo and TForm_qyr7beff: the stage dimensions in four gear
// columns S, Pi, Pe, H, and the face widths with their end chamfers.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include "foundation/codepage.h"
#include "gearpair/gearpairdata.h"

#include <QString>
#include <string>

namespace dialogs_qt
{

namespace
{

std::string N(const char* stem, int i)
{
    return std::string(stem) + std::to_string(i);
}

std::unique_ptr<QDialog> DimensionsLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 860, 470);
    QDialog* f = form.get();
    // The single values, two columns.
    PlaceLabel(f, "Label_alpha", 8, 12, 180);
    PlaceEdit(f, "Edit_alpha", 190, 10, 80);
    PlaceLabel(f, "Label_alphau", 274, 12, 20);
    PlaceButton(f, "Button_alpha", 296, 9, 26);
    PlaceLabel(f, "Label_beta", 8, 42, 180);
    PlaceEdit(f, "Edit_beta", 190, 40, 80);
    PlaceLabel(f, "Label_betau", 274, 42, 20);
    PlaceButton(f, "Button_hbbeta", 296, 39, 26);
    PlaceLabel(f, "Label_mn", 8, 72, 180);
    // The spin buttons side by side, each high enough for its sign.
    PlaceEdit(f, "Edit_mn", 190, 70, 60);
    PlaceButton(f, "SpinButton_mnDown", 251, 69, 20, QStringLiteral("-"));
    PlaceButton(f, "SpinButton_mnUp", 271, 69, 20, QStringLiteral("+"));
    PlaceLabel(f, "Label_mnu", 294, 71, 30);
    PlaceEdit(f, "Edit_pitch", 330, 70, 70);
    PlaceLabel(f, "Label7", 404, 72, 30);
    PlaceLabel(f, "Label_q", 470, 12, 170);
    PlaceEdit(f, "SpinEdit_q", 644, 10, 50);
    PlaceButton(f, "Button_q", 698, 9, 26);
    PlaceButton(f, "Button_hbq", 728, 9, 26);
    PlaceLabel(f, "Label_flankricht", 470, 42, 170);
    QStringList hands;
    for (int i = 1; i <= 3; ++i)
        hands << QString::fromStdString(DisplayText(ToothAlignmentNames[i]));
    PlaceCombo(f, "ComboBox_flankricht", 644, 40, 110, hands);
    PlaceButton(f, "Button_hbflank", 758, 39, 26);
    // The gear columns.
    const int col0 = 190, colW = 100;
    for (int i = 1; i <= 4; ++i)
        PlaceLabel(f, N("Label_rad", i).c_str(), col0 + (i - 1) * colW, 110, 60);
    struct Row {
        const char* label;
        const char* stem;
        int count;
        const char* unit;
        const char* button;
        const char* help;
    };
    const Row rows[] = {{"Label_z", "Edit_z", 4, nullptr, "Button_zp", "Button_hbz"},
                        {"Label_b0", "Edit_b0", 3, "Label_b0u", "Button_beff", nullptr},
                        {"Label_b", "Edit_b", 4, "Label_bu", "Button_b12", nullptr},
                        {"Label_x", "Edit_x", 4, nullptr, "Button_a0", "Button_hbx"},
                        {"Label_kmn", "Edit_kmn", 4, "Label_kmnu", "Button_kmn", "Button_hbkmn"},
                        {"Label_dbohr", "Edit_db", 4, "Label_bohru", "Button_bohr", nullptr}};
    int y = 134;
    for (const Row& r : rows) {
        PlaceLabel(f, r.label, 8, y + 2, 180);
        for (int i = 1; i <= r.count; ++i) {
            const bool spin = std::string(r.stem) == "Edit_z";
            const int x = col0 + (i - 1) * colW;
            PlaceEdit(f, N(r.stem, i).c_str(), x, y, spin ? 52 : 66);
            if (spin) {
                PlaceButton(f, N("SpinButton", i).append("Down").c_str(), x + 53, y - 1, 20,
                            QStringLiteral("-"));
                PlaceButton(f, N("SpinButton", i).append("Up").c_str(), x + 73, y - 1, 20,
                            QStringLiteral("+"));
            }
        }
        if (r.unit) PlaceLabel(f, r.unit, col0 + 4 * colW, y + 2, 30);
        PlaceButton(f, r.button, col0 + 4 * colW + 34, y - 1,
                    r.button == std::string("Button_beff") ? 50 : 26);
        if (r.help) PlaceButton(f, r.help, col0 + 4 * colW + 90, y - 1, 26);
        y += 34;
        if (std::string(r.stem) == "Edit_x") {
            for (int i = 1; i <= 3; ++i)
                PlaceButton(f, N("Button_x", i).append("min").c_str(), col0 + (i - 1) * colW, y - 4, 66);
            y += 26;
        }
    }
    PlaceButtonRow(f, 8, 430,
                   {"Button_ok", "Button_cancel", "Button_help", "Button_rechnen", "Button_metric"});
    return form;
}

std::unique_ptr<QDialog> FaceWidthLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 620, 220);
    QDialog* f = form.get();
    const int col0 = 230, colW = 80;
    for (int i = 1; i <= 4; ++i)
        PlaceLabel(f, N("Label", i).c_str(), col0 + (i - 1) * colW, 10, 60);
    struct Row {
        const char* label;
        const char* stem;
        int count;
        const char* unit;
        const char* button;
    };
    const Row rows[] = {{"Label_b", "Edit_b", 4, "Label_bu", "Button_b"},
                        {"Label_fase", "Edit_fase", 4, "Label_faseu", "Button_fase"},
                        {"Label_mv", "Edit_mv", 3, "Label_mvu", "Button_mv"}};
    int y = 36;
    for (const Row& r : rows) {
        PlaceLabel(f, r.label, 8, y + 2, 220);
        for (int i = 1; i <= r.count; ++i)
            PlaceEdit(f, N(r.stem, i).c_str(), col0 + (i - 1) * colW, y, 70);
        PlaceLabel(f, r.unit, col0 + 4 * colW, y + 2, 30);
        PlaceButton(f, r.button, col0 + 4 * colW + 34, y - 1, 26);
        y += 34;
    }
    PlaceButtonRow(f, 8, 180, {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild"});
    return form;
}

} // namespace

void RegisterGearDimensionsForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7geo", DimensionsLayout);
}

void RegisterFaceWidthForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7beff", FaceWidthLayout);
}

} // namespace dialogs_qt
