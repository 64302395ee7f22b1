// TForm_qyr7qual: a group per gear with its lists and allowances, the
// centre distance fields of the three meshes below them.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include "dialogs/gear/qualityform.h"
#include "planetary/stage.h"

#include <QGroupBox>
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

std::unique_ptr<QDialog> QualityLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 1290, 470);
    QDialog* f = form.get();
    QStringList tol, series, fields;
    for (int i = 21; i <= 30; ++i)
        tol << QString::number(i);
    tol << "...";
    for (const char* s : {"a", "ab", "b", "bc", "c", "cd", "d", "e", "f", "g", "h"})
        series << s;
    for (int i = 4; i <= 11; ++i)
        fields << QString("js%1").arg(i);
    fields << "...";
    const int rowH = 30, top = 10;
    // Gear 1 carries the long row captions, gears 2 to 4 short ones. The
    // unit labels stand right of their fields (shown in the inch system).
    int left = 8;
    for (int g = 1; g <= 4; ++g) {
        const int boxW = g == 1 ? 376 : 290, labelW = g == 1 ? 250 : 120, fieldX = labelW + 10;
        // A stored grade beyond the standard's list stays on show.
        QStringList quality;
        for (int i = 1; i <= TForm_qyr7qual::QualityCount(); ++i)
            quality << QString::number(i);
        if (PlanetaryGears.FlankToleranceClass[g] > TForm_qyr7qual::QualityCount())
            quality << QString::number(PlanetaryGears.FlankToleranceClass[g]);
        auto* box = new QGroupBox(f);
        box->setObjectName(QString::fromStdString(N("GroupBox", g)));
        box->setGeometry(left, top, boxW, 20 + 9 * rowH + 10);
        left += boxW + 6;
        int y = 20;
        PlaceLabel(box, N("label_qual", g).c_str(), 6, y + 1, labelW);
        PlaceCombo(box, N("ComboBox_qual", g).c_str(), fieldX, y, 76, quality);
        y += rowH;
        PlaceLabel(box, N("Label_tol", g).c_str(), 6, y + 1, labelW);
        PlaceCombo(box, N("ComboBox_tol", g).c_str(), fieldX, y, 76, tol);
        y += rowH;
        PlaceLabel(box, N("Label_asn", g).c_str(), 6, y + 1, labelW);
        PlaceCombo(box, N("ComboBox_asn", g).c_str(), fieldX, y, 76, series);
        y += rowH;
        PlaceLabel(box, N("Label_asne", g).c_str(), 6, y + 1, 60);
        PlaceEdit(box, N("Edit_asne", g).c_str(), 70, y, 70);
        PlaceLabel(box, N("Label_asneu", g).c_str(), 144, y + 1, 24);
        PlaceLabel(box, N("Label_d", g).c_str(), 170, y + 1, boxW - 176);
        y += rowH;
        PlaceLabel(box, N("Label_asni", g).c_str(), 6, y + 1, 60);
        PlaceEdit(box, N("Edit_asni", g).c_str(), 70, y, 70);
        PlaceLabel(box, N("Label_asniu", g).c_str(), 144, y + 1, 24);
        y += rowH;
        PlaceLabel(box, N("Label_q", g).c_str(), 6, y + 1, labelW);
        PlaceEdit(box, N("Edit_q", g).c_str(), fieldX, y, 50);
        PlaceButton(box, N("Button_q", g).c_str(), fieldX + 54, y - 1, 24);
        PlaceLabel(box, N("Label_qu", g).c_str(), fieldX + 82, y + 1, 24);
        y += rowH;
        PlaceEdit(box, (g == 1 ? std::string("Edit_Aq1") : N("Edit_aq", g)).c_str(), fieldX, y, 50);
        PlaceLabel(box, N("Label_aqu", g).c_str(), fieldX + 82, y + 1, 24);
        y += rowH;
        if (g == 1) PlaceLabel(box, "Label_zahnkorr1", 6, y + 1, boxW - 12);
        y += 22;
        PlaceEdit(box, N("Edit_zahnkorr", g).c_str(), 6, y, boxW - 12);
    }
    int y = top + 20 + 9 * rowH + 20;
    for (int m = 1; m <= 3; ++m) {
        const std::string s = m == 1 ? "A" : "a";
        const int x = 8 + (m - 1) * 296;
        PlaceLabel(f, (m == 1 ? std::string("Label_Aa1") : N("Label_aa", m)).c_str(), x, y, 280);
        PlaceCombo(f, (m == 1 ? std::string("ComboBox_Aa1") : N("ComboBox_aa", m)).c_str(), x, y + 24, 70,
                   fields);
        PlaceEdit(f, ("Edit_" + s + "ae" + std::to_string(m)).c_str(), x + 80, y + 24, 70);
        PlaceEdit(f, ("Edit_" + s + "ai" + std::to_string(m)).c_str(), x + 160, y + 24, 70);
        PlaceLabel(f, N("Label_aau", m).c_str(), x + 234, y + 25, 24);
    }
    PlaceButtonRow(f, 8, y + 64,
                   {"Button_ok", "Button_cancel", "Button_help", "Button_calc", "Button_2gleich1",
                    "Button_3gleich1", "Button_4gleich1", "Button_hbtolfeld", "Button_hbq"});
    return form;
}

} // namespace

void RegisterGearQualityForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7qual", QualityLayout);
}

} // namespace dialogs_qt
