// TForm_qyr7vor: the predimensioning inputs.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"

#include <QGroupBox>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> PredimLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 520, 390);
    QDialog* f = form.get();
    PlaceRadioGroup(f, "RadioGroup_antrieb", 8, 8, 160, 3);
    PlaceRadioGroup(f, "RadioGroup_abtrieb", 176, 8, 160, 3);
    PlaceLabel(f, "Label_nabtr", 348, 16, 30);
    PlaceEdit(f, "Edit_nabtr", 380, 14, 90);
    PlaceLabel(f, "Label_nabtru", 474, 16, 40, QStringLiteral("/min"));
    PlaceLabel(f, "Label_nmax", 348, 44, 170);
    PlaceLabel(f, "Label_nantr", 8, 128, 40);
    PlaceEdit(f, "Edit_nantr", 50, 126, 110);
    PlaceLabel(f, "Label_nantru", 166, 128, 40, QStringLiteral("/min"));
    PlaceLabel(f, "Label_Tantr", 8, 158, 40);
    PlaceEdit(f, "Edit_tantr", 50, 156, 110);
    PlaceLabel(f, "Label_Tantru", 166, 158, 40, QStringLiteral("Nm"));
    PlaceLabel(f, "Label_Pantr", 8, 188, 40);
    PlaceEdit(f, "Edit_pantr", 50, 186, 110);
    PlaceLabel(f, "Label_Pantru", 166, 188, 40, QStringLiteral("kW"));
    PlaceRadioGroup(f, "RadioGroup_npt", 212, 106, 124, 3, 30, ComputedCaptions());
    PlaceLabel(f, "Label_sicherheit", 8, 232, 80);
    PlaceEdit(f, "Edit_sicherheit", 90, 230, 70);
    PlaceButton(f, "Button_sicherheit", 166, 229, 26);
    PlaceLabel(f, "Label_b_mn", 8, 262, 80);
    PlaceEdit(f, "Edit_b_mn", 90, 260, 70);
    PlaceButton(f, "Button_b_mn", 166, 259, 26);
    PlaceButtonRow(f, 8, 344, {"Button_ok", "Button_cancel", "Button_help"});
    return form;
}

} // namespace

void RegisterPredimForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7vor", PredimLayout);
}

} // namespace dialogs_qt
