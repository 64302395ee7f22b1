// TForm_qyr1visk: the lubricant of the gear pair.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> LubricantLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 560, 330);
    QDialog* f = form.get();
    PlaceLabel(f, "Label_name", 8, 12, 270);
    PlaceEdit(f, "Edit_name", 282, 10, 200);
    struct Row {
        const char* label;
        const char* edit;
        const char* unit;
        const char* button;
    };
    const Row rows[] = {{"Label_visko40", "Edit_visko40", "Label_visko40u", "Button_visko40"},
                        {"Label_visko50", "Edit_visko50", "Label_visko50u", "Button_visko50"},
                        {"Label_visko100", "Edit_visko100", "Label_visko100u", "Button_visko100"},
                        {"Label_rho", "Edit_rho", "Label_rhou", "Button_rho"},
                        {"Label_temp", "Edit_temp", "Label_tempu", "Button_temp"}};
    int y = 42;
    for (const Row& r : rows) {
        PlaceLabel(f, r.label, 8, y + 2, 270);
        PlaceEdit(f, r.edit, 282, y, 80);
        PlaceLabel(f, r.unit, 366, y + 2, 60);
        PlaceButton(f, r.button, 430, y - 1, 26);
        y += 30;
    }
    PlaceLabel(f, "Label_viskot", 8, y + 6, 540);
    PlaceButtonRow(f, 8, 284, {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild"});
    return form;
}

} // namespace

void RegisterLubricantForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr1visk", LubricantLayout);
}

} // namespace dialogs_qt
