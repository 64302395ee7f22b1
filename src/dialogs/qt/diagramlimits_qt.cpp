// TEinDiagramLimits: four edits around a disabled frame that pictures the
// plot area, the axis titles beside them and the buttons along the bottom.
#include "dialogs/qt/diagramlimits_qt.h"

#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"

#include <QGroupBox>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> DiagramLimitsLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 488, 375);
    QDialog* f = form.get();
    auto* plot = new QGroupBox(f);
    plot->setObjectName("GroupBox_diagram");
    plot->setGeometry(120, 40, 250, 200);
    PlaceLabel(f, "Label_y", 16, 12, 200);
    PlaceEdit(f, "Edit_ymax", 16, 40, 96);
    PlaceEdit(f, "Edit_ymin", 16, 214, 96);
    PlaceEdit(f, "Edit_xmin", 120, 250, 96);
    PlaceEdit(f, "Edit_xmax", 274, 250, 96);
    PlaceLabel(f, "Label_x", 380, 252, 100);
    PlaceButtonRow(f, 16, 320, {"Button_ok", "Button_cancel", "Button_help", "Button_calc"});
    return form;
}

} // namespace

void RegisterDiagramLimitsForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TEinDiagramLimits", DiagramLimitsLayout);
}

} // namespace dialogs_qt
