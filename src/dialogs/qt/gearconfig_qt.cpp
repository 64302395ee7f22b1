// TForm_qyr1conf (tooth drawing settings of the loaded pair) and
// TForm_qyrconf (CAD settings of one gear with the ring gear's bolt circle).
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include "dialogs/gear/drawingconfigform.h"
#include "platform/qt/qttext.h"

#include <QGroupBox>
#include <QString>
#include <string>
#include <vector>

namespace dialogs_qt
{

namespace
{

QStringList Items(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& s : items)
        list << platform::ToQString(s);
    return list;
}

std::unique_ptr<QDialog> DrawingConfigLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 620, 420);
    QDialog* f = form.get();
    PlaceCheck(f, "CheckBox_fussausrundung_zeichnen", 8, 10, 300);
    PlaceLabel(f, "Label_aufloesung_fussausrundung", 320, 12, 180);
    PlaceEdit(f, "edit_aufloesung_fussausrundung", 510, 10, 60);
    PlaceLabel(f, "Label_anzevolvpoints", 8, 42, 300);
    PlaceEdit(f, "edit_anzevolvpoints", 320, 40, 60);
    PlaceCheck(f, "CheckBox_polyline", 8, 72, 300);
    PlaceLabel(f, "Label_anzhohl", 8, 102, 300);
    PlaceEdit(f, "edit_anzhohl", 320, 100, 60);
    PlaceLabel(f, "Label_anzhull", 8, 132, 300);
    PlaceEdit(f, "edit_anzhull", 320, 130, 60);
    PlaceCheck(f, "CheckBox_durchmesser_anzeigen", 8, 162, 300);
    PlaceCheck(f, "CheckBox_jaDrawBohrung", 320, 162, 250);
    PlaceLabel(f, "Label_gear1", 320, 194, 90);
    PlaceLabel(f, "Label_gear2", 420, 194, 90);
    const QStringList xe = Items(TForm_qyr1conf::XeItems());
    PlaceLabel(f, "Label_xee", 8, 214, 300);
    PlaceEdit(f, "Edit_xee1", 320, 212, 90);
    PlaceEdit(f, "Edit_xee2", 420, 212, 90);
    PlaceCombo(f, "ComboBox_xee", 320, 238, 250, xe);
    PlaceLabel(f, "Label_xeh", 8, 272, 300);
    PlaceEdit(f, "Edit_xeh1", 320, 270, 90);
    PlaceEdit(f, "Edit_xeh2", 420, 270, 90);
    PlaceCombo(f, "ComboBox_xeh", 320, 296, 250, xe);
    PlaceLabel(f, "Label_a", 8, 332, 200);
    PlaceEdit(f, "Edit_a", 210, 330, 90);
    PlaceLabel(f, "Label_au", 304, 332, 30);
    PlaceCombo(f, "ComboBox_a", 340, 330, 100, Items(TForm_qyr1conf::AItems()));
    PlaceLabel(f, "Label_wdreh", 8, 362, 200);
    PlaceEdit(f, "Edit_wdreh1", 210, 360, 90);
    PlaceLabel(f, "Label_wdrehu", 304, 362, 30);
    PlaceButton(f, "SpinButton_wdrehUp", 340, 359, 26);
    PlaceButton(f, "SpinButton_wdrehDown", 370, 359, 26);
    PlaceButton(f, "Button_wdrehc", 410, 359, 30);
    PlaceButton(f, "Button_wdreha", 444, 359, 30);
    PlaceButton(f, "Button_wdrehe", 478, 359, 30);
    PlaceButtonRow(f, 8, 392, {"Button_ok", "Button_cancel", "Button_help", "Button_reset"});
    return form;
}

std::unique_ptr<QDialog> CadConfigLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 520, 370);
    QDialog* f = form.get();
    PlaceLabel(f, "Label_anzevolvpoints", 8, 12, 300);
    PlaceEdit(f, "edit_anzevolvpoints", 320, 10, 60);
    PlaceCheck(f, "CheckBox_polyline", 8, 40, 300);
    PlaceLabel(f, "Label_xe", 8, 72, 220);
    PlaceEdit(f, "Edit_xe", 230, 70, 90);
    PlaceButton(f, "Button_xe", 324, 69, 26);
    PlaceButton(f, "Button_xemax", 354, 69, 60);
    PlaceButton(f, "Button_xemin", 418, 69, 60);
    PlaceCheck(f, "CheckBox_durchmesser_anzeigen", 8, 102, 300);
    PlaceCheck(f, "CheckBox_fussausrundung_zeichnen", 8, 128, 300);
    PlaceCheck(f, "CheckBox_jaDrawBohrung", 8, 154, 300);
    PlaceCheck(f, "CheckBox_jaDrawBohrHohlrad", 8, 180, 300);
    auto* box = new QGroupBox(f);
    box->setObjectName(QStringLiteral("GroupBox_bohr"));
    box->setGeometry(8, 206, 500, 118);
    PlaceLabel(box, "Label_dlochkreis", 8, 22, 200);
    PlaceEdit(box, "Edit_dlochkreis", 210, 20, 90);
    PlaceLabel(box, "Label_dlochkreisu", 304, 22, 30);
    PlaceButton(box, "Button1", 340, 19, 26);
    PlaceLabel(box, "Label_dbohr", 8, 54, 200);
    PlaceEdit(box, "Edit_dbohr", 210, 52, 90);
    PlaceLabel(box, "Label_dbohru", 304, 54, 30);
    PlaceButton(box, "Button_dbohr", 340, 51, 26);
    PlaceLabel(box, "Label_anzbohr", 8, 86, 200);
    PlaceEdit(box, "SpinEdit_anzbohr", 210, 84, 60);
    PlaceButton(box, "Button_anzbohr", 340, 83, 26);
    PlaceButtonRow(f, 8, 336, {"Button_ok", "Button_cancel", "Button_help"});
    return form;
}

} // namespace

void RegisterGearDrawingConfigForms(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr1conf", DrawingConfigLayout);
    RegisterBoundForm(host, "TForm_qyrconf", CadConfigLayout);
}

} // namespace dialogs_qt
