// TForm_qyr1schn: number of teeth and profile shift of the pinion cutter.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> CutterLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 480, 130);
    QDialog* f = form.get();
    PlaceLabel(f, "Label_z0", 8, 12, 300);
    PlaceEdit(f, "Edit_z0", 310, 10, 80);
    PlaceButton(f, "Button_z0", 394, 9, 26);
    PlaceLabel(f, "Label_x0", 8, 46, 300);
    PlaceEdit(f, "Edit_x0", 310, 44, 80);
    PlaceButton(f, "Button_x0", 394, 43, 26);
    PlaceButtonRow(f, 8, 90, {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild"});
    return form;
}

} // namespace

void RegisterPinionCutterForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr1schn", CutterLayout);
}

} // namespace dialogs_qt
