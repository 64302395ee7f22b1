// TForm_qyr7mes: teeth spanned and ball diameters of the four gears.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include <string>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> MeasurementLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 640, 190);
    QDialog* f = form.get();
    const int col0 = 230, colW = 80;
    for (int g = 1; g <= 4; ++g)
        PlaceLabel(f, ("Label_rad" + std::to_string(g)).c_str(), col0 + (g - 1) * colW, 10, 70);
    PlaceLabel(f, "Label_k", 8, 42, 220);
    PlaceLabel(f, "Label_dm", 8, 76, 220);
    for (int g = 1; g <= 4; ++g) {
        PlaceEdit(f, ("Edit_k" + std::to_string(g)).c_str(), col0 + (g - 1) * colW, 40, 70);
        PlaceEdit(f, ("Edit_dm" + std::to_string(g)).c_str(), col0 + (g - 1) * colW, 74, 70);
    }
    PlaceButton(f, "Button_k", col0 + 4 * colW + 34, 39, 26);
    PlaceButton(f, "Button_hbk", col0 + 4 * colW + 64, 39, 26);
    PlaceLabel(f, "Label_dmu", col0 + 4 * colW, 76, 30);
    PlaceButton(f, "Button_dm", col0 + 4 * colW + 34, 73, 26);
    PlaceButton(f, "Button_hbdm", col0 + 4 * colW + 64, 73, 26);
    PlaceButtonRow(f, 8, 150, {"Button_ok", "Button_cancel", "Button_help", "Button_calc", "Button_metric"});
    return form;
}

} // namespace

void RegisterGearMeasurementForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7mes", MeasurementLayout);
}

} // namespace dialogs_qt
