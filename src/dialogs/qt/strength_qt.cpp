// TForm_qyr7fs0, TForm_qyr7fs1, TForm_qyr7fs2: the strength inputs, built
// from the same group layouts as their models are from the same groups;
// TForm_qyr5con2 and TForm_qyr5con3: the calculation options.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/strengthforms_qt.h"
#include "dialogs/strength/optionforms.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QStringList>

#include <string>

namespace dialogs_qt
{

namespace
{

const char* const Letters[] = {"", "s", "p", "h"};

QByteArray Name(const char* base, int i)
{
    return QByteArray(base) + QByteArray::number(i);
}

QByteArray MeshName(const char* base, int mesh)
{
    return QByteArray(base) + Letters[mesh];
}

QGroupBox* PlaceGroup(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, h);
    return box;
}

QStringList Images(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("image %1").arg(QChar('a' + i));
    return items;
}

QStringList MethodNames()
{
    return {"DIN 3990-1,2,3", "DIN 3990-41", "Input K,Y,Z", "ISO 6336:2006-2008"};
}

// GroupBox1: per-gear rows S, Pi, Pe, H with their proposal and help
// buttons and the life radio group (600 x 302).
void PlaceGearGroup(QWidget* f, int x, int y)
{
    QGroupBox* g = PlaceGroup(f, "GroupBox1", x, y, 612, 302);
    for (int i = 1; i <= 4; ++i)
        PlaceLabel(g, Name("Label_rad", i), 290 + 54 * (i - 1), 16, 50);
    struct Row {
        const char* label;
        const char* edit;
        const char* unit;
        const char* propose;
        const char* help;
    };
    const Row rows[] = {{"Label_di", "Edit_di", "Label_diu", "Button1", "Button_di"},
                        {"Label_neingr", "Edit_neingr", nullptr, "Button_nlastw", "Button_eingr2"},
                        {"Label_nlastw", "Edit_nlastw", nullptr, nullptr, nullptr},
                        {"Label_rzflank", "Edit_rzflank", "Label_rzflanku", nullptr, nullptr},
                        {"Label_rzroot", "Edit_rzroot", "Label_rzrootu", nullptr, nullptr},
                        {"Label_znt", "Edit_znt", nullptr, nullptr, "Button_znt"},
                        {"Label_ynt", "Edit_ynt", nullptr, nullptr, "Button_ynt"}};
    int ry = 40;
    for (const Row& r : rows) {
        PlaceLabel(g, r.label, 8, ry, 280);
        for (int i = 1; i <= 4; ++i)
            PlaceEdit(g, Name(r.edit, i), 290 + 54 * (i - 1), ry, 50);
        if (r.unit) PlaceLabel(g, r.unit, 510, ry, 40);
        if (r.propose) PlaceButton(g, r.propose, 552, ry - 1, 26);
        if (r.help) PlaceButton(g, r.help, 580, ry - 1, 26);
        ry += 26;
    }
    PlaceRadioGroup(g, "RadioGroup_Lnt", 8, ry, 300, 2);
    PlaceButton(g, "Button_lnt", 312, ry + 26, 26);
}

// GroupBox2: viscosity, application factors, mesh load factor (354 x 156).
void PlaceLubricantGroup(QWidget* f, int x, int y)
{
    QGroupBox* g = PlaceGroup(f, "GroupBox2", x, y, 354, 156);
    PlaceLabel(g, "Label_visko", 8, 20, 170);
    PlaceEdit(g, "Edit_visko", 180, 20, 70);
    PlaceLabel(g, "Label_viskou", 254, 20, 60);
    PlaceButton(g, "Button_oel", 318, 19, 28);
    const char* rows[][4] = {{"Label_kah", "Edit_kah", "Button_kah", "Button_ka"},
                             {"Label_kaf", "Edit_kaf", "Button_kaf", nullptr},
                             {"Label_kgamma", "Edit_kgamma", "Button_kgamma", nullptr}};
    int ry = 46;
    for (const auto& r : rows) {
        PlaceLabel(g, r[0], 8, ry, 170);
        PlaceEdit(g, r[1], 180, ry, 70);
        PlaceButton(g, r[2], 254, ry - 1, 26);
        if (r[3]) PlaceButton(g, r[3], 284, ry + 12, 26);
        ry += 26;
    }
    PlaceButton(g, "Button_viskox", 8, ry + 2, 150);
}

// GroupBox_fs2: misalignments, the pinion-shaft bearing of each mesh,
// shaft diameters, flank modifications and the grinding notch. The full
// dialog labels the rows on the left; the compact one labels every box.
void PlaceMeshGroup(QWidget* f, int x, int y, int w, int h, bool compact)
{
    QGroupBox* g = PlaceGroup(f, "GroupBox_fs2", x, y, w, h);
    for (int k = 1; k <= 3; ++k)
        PlaceLabel(g, Name("Label_paar", k), 200 + 70 * (k - 1), 14, 64);
    PlaceCheck(g, "CheckBox_Jainputfsh", 8, 36, 120);
    PlaceLabel(g, "Label_fsh", 140, 36, 50);
    PlaceCheck(g, "CheckBox_jainputfma", 8, 62, 120);
    PlaceLabel(g, "Label_fma", 140, 62, 50);
    for (int k = 1; k <= 3; ++k) {
        PlaceEdit(g, Name("Edit_fsh", k), 200 + 70 * (k - 1), 36, 64);
        PlaceEdit(g, Name("Edit_fma", k), 200 + 70 * (k - 1), 62, 64);
    }
    PlaceLabel(g, "Label_fshu", 412, 36, 50);
    PlaceLabel(g, "Label_fmau", 412, 62, 50);

    const int boxY = 92;
    const int boxW = compact ? 302 : 240;
    const int boxX0 = compact ? 8 : 246;
    // The compact boxes caption their bearing rows themselves, in two lines.
    const int labelW = compact ? 150 : 70;
    const int fieldX = labelW + (compact ? 6 : 10);
    const int comboW = 80;
    const int rowY[] = {18, compact ? 50 : 44, compact ? 82 : 70, compact ? 108 : 96};
    const int boxH = rowY[3] + 30;
    if (!compact) {
        PlaceLabel(g, "Label_bi442", 8, boxY + 18, 206);
        PlaceButton(g, "Button_bi442", 216, boxY + 17, 26);
        PlaceLabel(g, "Label_bi443", 8, boxY + 44, 206);
        PlaceButton(g, "Button_bi443", 216, boxY + 43, 26);
        PlaceLabel(g, "Label_l1", 8, boxY + 70, 206);
        PlaceLabel(g, "Label_s1", 8, boxY + 96, 206);
    }
    for (int k = 1; k <= 3; ++k) {
        const int bx = boxX0 + (boxW + 5) * (k - 1);
        QGroupBox* b = PlaceGroup(g, MeshName("GroupBox_lager", k), bx, boxY, boxW, boxH);
        for (int r = 0; r < 2; ++r) {
            const char* stem = r == 0 ? "bi442" : "bi443";
            QLabel* label =
                PlaceLabel(b, MeshName((std::string("Label_") + stem).c_str(), k), 6, rowY[r], labelW);
            if (compact) {
                label->setWordWrap(true);
                label->setGeometry(6, rowY[r] - 3, labelW, 30);
            }
            PlaceCombo(b, MeshName((std::string("ComboBox_") + stem).c_str(), k), fieldX, rowY[r], comboW,
                       Images(r == 0 ? 6 : 5));
            PlaceButton(b, MeshName((std::string("Button_") + stem + "v").c_str(), k), fieldX + comboW + 2,
                        rowY[r] - 1, 26);
            if (compact)
                PlaceButton(b, MeshName((std::string("Button_") + stem).c_str(), k), fieldX + comboW + 30,
                            rowY[r] - 1, 26);
        }
        PlaceLabel(b, MeshName("Label_l1", k), 6, rowY[2], labelW);
        PlaceEdit(b, MeshName("Edit_l1", k), fieldX, rowY[2], 60);
        PlaceLabel(b, MeshName("Label_l1u", k), fieldX + 62, rowY[2], 24);
        PlaceButton(b, MeshName("Button_l1v", k), fieldX + 88, rowY[2] - 1, 26);
        PlaceLabel(b, MeshName("Label_s1", k), 6, rowY[3], labelW);
        PlaceEdit(b, MeshName("Edit_s1", k), fieldX, rowY[3], 60);
        PlaceLabel(b, MeshName("Label_s1u", k), fieldX + 62, rowY[3], 24);
        PlaceButton(b, MeshName("Button_s1v", k), fieldX + 88, rowY[3] - 1, 26);

        // The shaft diameter of each mesh sits under its box.
        const int sy = boxY + boxH + 6;
        if (compact) {
            PlaceLabel(g, MeshName("Label_dsh", k), bx, sy, boxW);
            PlaceEdit(g, MeshName("Edit_dsh", k), bx + fieldX, sy + 24, 60);
            PlaceLabel(g, MeshName("Label_dshu", k), bx + fieldX + 62, sy + 24, 24);
            PlaceButton(g, MeshName("Button_dshv", k), bx + fieldX + 88, sy + 23, 26);
            PlaceButton(g, MeshName("Button_dsh", k), bx + fieldX + 116, sy + 23, 26);
        } else {
            PlaceLabel(g, MeshName("Label_dsh", k), bx + 6, sy, labelW);
            PlaceEdit(g, MeshName("Edit_dsh", k), bx + fieldX, sy, 60);
            PlaceLabel(g, MeshName("Label_dshu", k), bx + fieldX + 62, sy, 24);
            PlaceButton(g, MeshName("Button_dshv", k), bx + fieldX + 88, sy - 1, 26);
        }
    }
    int fy = boxY + boxH + 6;
    if (!compact) {
        PlaceLabel(g, "Label_dsh", 8, fy, 206);
        PlaceButton(g, "Button_dsh", 216, fy - 1, 26);
        fy += 28;
    } else {
        fy += 54;
    }
    // The five switches in one row, in the narrower compact box in two.
    const char* checks[] = {"CheckBox_stw", "CheckBox_einl", "CheckBox_flwk", "CheckBox_ball",
                            "CheckBox_endrn"};
    const int perRow = compact ? 3 : 5;
    for (int i = 0; i < 5; ++i)
        PlaceCheck(g, checks[i], 8 + 195 * (i % perRow), fy + 28 * (i / perRow), 194);
    fy += 28 * ((4 / perRow) + 1);
    PlaceCheck(g, "CheckBox_notch", 8, fy, 140);
    PlaceButton(g, "Button2", 150, fy - 1, 26);
    PlaceLabel(g, "Label_tgrg", 190, fy, 60);
    const char* heads[] = {"Label_s", "Label_pi", "Label_pe", "Label_h"};
    // The column heads sit before their edits, so the row stays one line.
    for (int i = 1; i <= 4; ++i) {
        PlaceLabel(g, heads[i - 1], 260 + 92 * (i - 1), fy, 22);
        PlaceEdit(g, Name("Edit_tgrg", i), 284 + 92 * (i - 1), fy, 64);
    }
}

std::unique_ptr<QDialog> FullStrengthLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 998, 689);
    QDialog* f = form.get();
    PlaceLabel(f, "Label_rfcode", 8, 8, 140);
    PlaceCombo(f, "ComboBox_rfcode", 150, 6, 220, MethodNames());
    PlaceGearGroup(f, 8, 34);
    PlaceLubricantGroup(f, 636, 34);
    PlaceCheck(f, "CheckBox_pfeil", 644, 200, 200);
    PlaceButton(f, "Button_pfeil", 850, 198, 26);
    PlaceMeshGroup(f, 8, 340, 982, 310, false);
    PlaceButtonRow(f, 8, 656, {"Button_ok", "Button_cancel", "Button_calc", "Button_metric"});
    return form;
}

std::unique_ptr<QDialog> CompactGearLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 626, 502);
    QDialog* f = form.get();
    PlaceGearGroup(f, 6, 6);
    PlaceLubricantGroup(f, 6, 308);
    PlaceCheck(f, "CheckBox_pfeil", 372, 320, 190);
    PlaceButton(f, "Button_pfeil", 566, 318, 26);
    PlaceButtonRow(f, 8, 466, {"Button_ok", "Button_cancel", "Button_help", "Button_calc", "Button_metric"});
    return form;
}

std::unique_ptr<QDialog> CompactMeshLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 947, 477);
    QDialog* f = form.get();
    PlaceMeshGroup(f, 6, 4, 935, 430, true);
    PlaceButtonRow(f, 8, 442, {"Button_ok", "Button_cancel", "Button_help"});
    return form;
}

std::unique_ptr<QDialog> DimensionOptionsLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 520, 330);
    QDialog* f = form.get();
    PlaceRadioGroup(f, "RadioGroup_mess", 8, 8, 470, 2);
    PlaceButton(f, "Button_reset", 484, 12, 26);
    PlaceRadioGroup(f, "RadioGroup_vzq", 8, 90, 470, 2);
    PlaceLabel(f, "Label_warnung", 8, 176, 100);
    PlaceCombo(f, "ComboBox_warnung", 110, 174, 200, {"display all warnings", "hide warnings"});
    PlaceRadioGroup(f, "RadioGroup_ka", 8, 206, 470, 2);
    PlaceButtonRow(f, 8, 292, {"Button_ok", "Button_cancel", "Button_hilfetext"});
    return form;
}

// FormActivate of the strength options: the fields from the records again
// whenever the window becomes active.
class RefillOnActivation final : public QObject
{
  public:
    RefillOnActivation(QDialog& form, TForm_qyr5con3& model) : QObject(&form), form_(form), model_(model)
    {
        form.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &form_ && event->type() == QEvent::WindowActivate) {
            model_.Activate();
            for (QObject* child : form_.children())
                if (auto* binder = dynamic_cast<TFormBinder*>(child)) binder->Refresh();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QDialog& form_;
    TForm_qyr5con3& model_;
};

std::unique_ptr<QDialog> StrengthOptionsLayout(platform::DialogModel& model, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 520, 420);
    QDialog* f = form.get();
    if (auto* m = dynamic_cast<TForm_qyr5con3*>(&model)) new RefillOnActivation(*f, *m);
    PlaceCombo(f, "ComboBox_rfcode", 8, 8, 220,
               {"DIN 3990-1,2,3", "DIN 3990-41", "Input K, Y, Z", "ISO 6336"});
    PlaceRadioGroup(f, "RadioGroup_ka", 8, 40, 400, 2);
    PlaceLabel(f, "Label_yfsx", 8, 122, 110);
    PlaceCombo(f, "ComboBox_yfsx", 120, 120, 220,
               {"x (nom)", "xe  = (xemin+xemax)/2", "xe min (Asni)", "xe max (Asne)",
                "xev = (xevmin+xevmax)/2", "xev min (Asne+q)", "xev max (Asne+q+qtol)"});
    PlaceButton(f, "Button_yfs", 344, 119, 26);
    PlaceCheck(f, "CheckBox_zwischenwertedrucken", 8, 152, 250);
    PlaceCheck(f, "CheckBox_Jainputfsh", 8, 180, 120);
    PlaceCheck(f, "CheckBox_jainputfma", 8, 206, 120);
    PlaceLabel(f, "Label_SP", 200, 160, 60);
    PlaceLabel(f, "Label_PH", 270, 160, 60);
    PlaceLabel(f, "Label_fsh", 140, 180, 50);
    PlaceLabel(f, "Label_fma", 140, 206, 50);
    PlaceEdit(f, "Edit_fshSP", 200, 180, 64);
    PlaceEdit(f, "Edit_fshPH", 270, 180, 64);
    PlaceEdit(f, "Edit_fmaSP", 200, 206, 64);
    PlaceEdit(f, "Edit_fmaPH", 270, 206, 64);
    PlaceLabel(f, "Label_fshu", 340, 180, 50);
    PlaceLabel(f, "Label_fmau", 340, 206, 50);
    PlaceRadioGroup(f, "RadioGroup_lnt", 8, 236, 400, 2);
    PlaceButtonRow(f, 8, 382, {"Button_ok", "Button_cancel", "Button_hilfetext"});
    return form;
}

} // namespace

void RegisterStrengthForms(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7fs0", FullStrengthLayout);
    RegisterBoundForm(host, "TForm_qyr7fs1", CompactGearLayout);
    RegisterBoundForm(host, "TForm_qyr7fs2", CompactMeshLayout);
    RegisterBoundForm(host, "TForm_qyr5con2", DimensionOptionsLayout);
    RegisterBoundForm(host, "TForm_qyr5con3", StrengthOptionsLayout);
}

} // namespace dialogs_qt
