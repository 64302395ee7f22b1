#include "dialogs/qt/dialogforms_qt.h"

#include "dialogs/qt/animationforms_qt.h"
#include "dialogs/qt/calculatorwindow_qt.h"
#include "dialogs/qt/diagramlimits_qt.h"
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/stageforms_qt.h"
#include "dialogs/qt/strengthforms_qt.h"
#include "drawings/qt/sheetforms_qt.h"
#include "graphics/graphservices.h"
#include "graphics/plotprogram.h"
#include "graphics/qt/plotconfigform_qt.h"
#include "graphics/qt/printconf_qt.h"
#include "planetary/qt/operationdata_qt.h"
#include "reports/qt/filepreview_qt.h"

namespace dialogs_qt
{

void RegisterDialogForms(platform::DialogHostImplQt& host)
{
    RegisterOnlineForm(host);
    RegisterDriveForm(host);
    RegisterPredimForm(host);
    RegisterTextsForm(host);
    RegisterCarrierForm(host);
    RegisterLubricantForm(host);
    RegisterViscosityForm(host);
    RegisterGearDimensionsForm(host);
    RegisterFaceWidthForm(host);
    RegisterDiagramLimitsForm(host);
    RegisterGearMaterialForm(host);
    RegisterGearMeasurementForm(host);
    RegisterGearQualityForm(host);
    RegisterToolProfileForm(host);
    RegisterPinionCutterForm(host);
    RegisterGearDrawingConfigForms(host);
    RegisterStrengthForms(host);
    RegisterLoadSpectrumForms(host);
    RegisterAnimationForms(host);
    // The planet bearing's operating data: its layout lives with the model.
    RegisterBoundForm(host, "TForm_vq1waelz", planetary_qt::OperationDataLayout);
    // The documentation forms of the drawings.
    RegisterBoundForm(host, "TForm_EinAend", drawings_qt::ChangeEntryLayout);
    RegisterBoundForm(host, "TForm_zeichInfo", drawings_qt::DrawingInfoLayout);
    RegisterBoundForm(host, "TForm_confDoku", drawings_qt::DocumentLinksLayout);
    // The print settings of the graphics window.
    RegisterBoundForm(host, "TForm_printconf", graphics_qt::PrintConfLayout);
    // The search question of the file list preview.
    RegisterBoundForm(host, "TForm_Suchen", reports_qt::SearchFormLayout);
}

void InstallPlotForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_confkorvilt", graphics_qt::ConfKorviltLayout);
    graphservices.ConfigurePlotCommandLine = [](std::string& Line) { RunConfKorviltForm(Line, true); };
}

} // namespace dialogs_qt
