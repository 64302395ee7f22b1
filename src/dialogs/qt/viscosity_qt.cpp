// TForm_viskot: the viscosity converter.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> ViscosityLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 480, 290);
    QDialog* f = form.get();
    PlaceRadioGroup(f, "RadioGroup_visko", 8, 8, 180, 3);
    PlaceLabel(f, "Label_temp", 200, 16, 30, QStringLiteral("t"));
    PlaceEdit(f, "Edit_temp", 232, 14, 70);
    PlaceLabel(f, "Label_tempu", 306, 16, 40,
               QString::fromUtf8("\xC2\xB0"
                                 "C"));
    const char* rows[3][3] = {{"Label_visko50", "Edit_visko50", "Label_visko50u"},
                              {"Label_visko40", "Edit_visko40", "Label_visko40u"},
                              {"Label_viskox", "Edit_viskox", "Label_viskoxu"}};
    for (int i = 0; i < 3; ++i) {
        const int y = 124 + 30 * i;
        PlaceLabel(f, rows[i][0], 8, y + 2, 240);
        PlaceEdit(f, rows[i][1], 252, y, 90);
        PlaceLabel(f, rows[i][2], 346, y + 2, 60);
    }
    PlaceButtonRow(f, 8, 244, {"Button_ok", "Button_cancel", "Button_htvisko"});
    return form;
}

} // namespace

void RegisterViscosityForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_viskot", ViscosityLayout);
}

} // namespace dialogs_qt
