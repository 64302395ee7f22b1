// TForm_qyr1ani and TForm_qyr5ani: the animation settings.
#include "dialogs/qt/animationforms_qt.h"

#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"

namespace dialogs_qt
{

std::unique_ptr<QDialog> MeshAnimationLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 340, 290);
    QDialog* f = form.get();
    // Steps and pause with their "<" proposals, then the two angles of
    // gear 1 with the one-pitch proposal and the contact-path buttons.
    PlaceLabel(f, "Label_anzbild", 8, 12, 150);
    PlaceEdit(f, "Edit_anzbild", 160, 10, 80);
    PlaceButton(f, "Button_anzbild", 248, 9, 28);
    PlaceLabel(f, "Label_ms", 8, 44, 150);
    PlaceEdit(f, "Edit_ms", 160, 42, 80);
    PlaceLabel(f, "Label2", 248, 44, 30);
    PlaceButton(f, "Button_ms", 280, 41, 28);
    PlaceCheck(f, "CheckBox_singlestep", 8, 76, 300);
    PlaceLabel(f, "Label_wa", 8, 110, 150);
    PlaceEdit(f, "Edit_wa", 160, 108, 80);
    PlaceLabel(f, "Label_wau", 244, 110, 16);
    PlaceLabel(f, "Label_we", 8, 142, 150);
    PlaceEdit(f, "Edit_we", 160, 140, 80);
    PlaceLabel(f, "Label_weu", 244, 142, 16);
    PlaceButton(f, "Button_w", 280, 124, 28);
    PlaceButton(f, "Button_ae", 8, 180, 96);
    PlaceButton(f, "Button_ac", 112, 180, 96);
    PlaceButton(f, "Button_ce", 216, 180, 96);
    PlaceButtonRow(f, 8, 250, {"Button_ok", "Button_cancel", "Button_help"});
    return form;
}

std::unique_ptr<QDialog> StageAnimationLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 316, 225);
    QDialog* f = form.get();
    // The three edits in a column right of their labels, the unit of each
    // right of its edit.
    PlaceLabel(f, "Label_anzbild", 8, 14, 150);
    PlaceEdit(f, "Edit_anzbild", 164, 12, 90);
    PlaceLabel(f, "Label_wmax", 8, 50, 150);
    PlaceEdit(f, "Edit_wmax", 164, 48, 90);
    PlaceLabel(f, "Label_deg", 260, 50, 40);
    PlaceLabel(f, "Label_ms", 8, 86, 150);
    PlaceEdit(f, "Edit_ms", 164, 84, 90);
    PlaceLabel(f, "Label2", 260, 86, 40);
    PlaceCheck(f, "CheckBox_singlestep", 8, 124, 290);
    PlaceButtonRow(f, 8, 184, {"Button_ok", "Button_cancel", "Button_help"});
    return form;
}

void RegisterAnimationForms(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr1ani", MeshAnimationLayout);
    RegisterBoundForm(host, "TForm_qyr5ani", StageAnimationLayout);
}

} // namespace dialogs_qt
