// TForm_qyr7antr: the drive of the stage.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"

#include <QGroupBox>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> DriveLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 560, 390);
    QDialog* f = form.get();
    PlaceRadioGroup(f, "RadioGroup_antrieb", 8, 8, 170, 3);
    PlaceRadioGroup(f, "RadioGroup_abtrieb", 186, 8, 170, 3);
    PlaceLabel(f, "Label_ncontrol", 372, 12, 80);
    PlaceLabel(f, "Label_control", 372, 34, 180);
    PlaceCheck(f, "CheckBox_blocked", 372, 58, 170);
    PlaceLabel(f, "Label_nc", 372, 86, 20, QStringLiteral("n"));
    PlaceEdit(f, "Edit_ncontrol", 396, 84, 90);
    PlaceLabel(f, "Label_ncu", 492, 86, 40, QStringLiteral("/min"));
    PlaceCheck(f, "CheckBox_leistungsteilung", 8, 114, 340);
    // Speed, torque and power rows with the choice of the computed one
    // beside them.
    PlaceLabel(f, "Label_nantr", 8, 148, 60);
    PlaceEdit(f, "Edit_nantr", 70, 146, 110);
    PlaceLabel(f, "Label_nantru", 186, 148, 40, QStringLiteral("/min"));
    PlaceLabel(f, "Label_tantr", 8, 178, 60);
    PlaceEdit(f, "Edit_tantr", 70, 176, 110);
    PlaceLabel(f, "Label_tantru", 186, 178, 40, QStringLiteral("Nm"));
    PlaceLabel(f, "Label_p", 8, 208, 60);
    PlaceEdit(f, "Edit_Pantr", 70, 206, 110);
    PlaceLabel(f, "Label_pu", 186, 208, 40, QStringLiteral("kW"));
    QGroupBox* npt = PlaceRadioGroup(f, "RadioGroup_npt", 230, 126, 120, 3, 30, ComputedCaptions());
    npt->setFlat(true);
    const char* teeth[4][2] = {{"Label_zsc", "Label_zs"},
                               {"Label_zPic", "Label_zPi"},
                               {"Label_zpec", "Label_zpe"},
                               {"Label_zhc", "Label_zh"}};
    const char* captions[4] = {"zS", "zPi", "zPe", "zH"};
    for (int i = 0; i < 4; ++i) {
        PlaceLabel(f, teeth[i][0], 8 + 110 * i, 248, 34, QString::fromLatin1(captions[i]));
        PlaceLabel(f, teeth[i][1], 44 + 110 * i, 248, 60);
    }
    PlaceLabel(f, "Label_nabtr", 8, 280, 300);
    PlaceLabel(f, "Label_np", 8, 304, 420);
    PlaceButtonRow(f, 8, 344, {"Button_ok", "Button_cancel", "Button_help", "Button_update"});
    return form;
}

} // namespace

void RegisterDriveForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7antr", DriveLayout);
}

} // namespace dialogs_qt
