// The menu's entries for the parts this program has: each form is created,
// shown modally and freed by its entry, as the commands expect.
#include "app/configdialog.h"
#include "app/menuhooks.h"
#include "app/menutexts.h"
#include "app/projecttable.h"
#include "app/systeminfo.h"
#include "app/maincommands.h"

#include "dialogs/animation/animationforms.h"
#include "dialogs/dialogservices.h"
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/qualityform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/textsform.h"
#include "dialogs/stagedialog.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "dialogs/strength/strengthsequence.h"
#include "drawings/diagrams/lifesafetydiagram.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/sheet/changeprotocol.h"
#include "drawings/sheet/documentlinksform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/stage/wheelviews.h"
#include "drawings/tooth/calcsheets.h"
#include "drawings/tooth/meshanimation.h"
#include "drawings/tooth/toothdrawing.h"
#include "foundation/programstate.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "graphics/printconf.h"
#include "planetary/bearings/bearingselection.h"
#include "planetary/suggestions.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/spectrum/loadspectrumreport.h"

namespace {

template <class TForm> std::function<void()> Modal()
{
    return [] {
        TForm form;
        RunModalDialog(form);
    };
}

// The meshing animation's settings: the form offers one pitch of gear 1
// each way (what the animation proposes), and only OK runs it; a form
// closed by its window button leaves Aborted as it was, so the result
// counts too.
bool AskMeshAnimationSettings(TMeshAnimationRequest& Request)
{
    TForm_qyr1ani form;
    form.ProposeOnePitch();
    telmvar.Aborted = false;
    if (RunModalDialog(form) != platform::DialogResult::Ok || telmvar.Aborted) {
        telmvar.Aborted = true;
        return false;
    }
    const TMeshAnimationSettings s = form.Settings();
    Request.Steps = s.Steps;
    Request.PauseMs = s.PauseMs;
    Request.StartDeg = s.StartDeg;
    Request.EndDeg = s.EndDeg;
    Request.SingleStep = s.SingleStep;
    return true;
}

} // namespace

void InstallMenuCommands()
{
    menuhooks.Forms["TForm_qyr7text"] = Modal<TForm_qyr7text>();
    menuhooks.Forms["TForm_qyr7antr"] = Modal<TForm_qyr7antr>();
    menuhooks.Forms["TForm_qyr7vor"] = Modal<TForm_qyr7vor>();
    menuhooks.Forms["TForm_qyr7geo"] = [] {
        if (!ShowGearDimensionsDialog())
            telmvar.Aborted = true;
    };
    menuhooks.Forms["TForm_qyr7wst"] = [] {
        if (!ShowGearMaterialDialog())
            telmvar.Aborted = true;
    };
    menuhooks.Forms["TForm_qyr7mes"] = [] {
        if (!ShowGearMeasurementDialog())
            telmvar.Aborted = true;
    };
    menuhooks.Forms["TForm_qyr7qual"] = [] {
        if (!ShowGearQualityDialog())
            telmvar.Aborted = true;
    };
    menuhooks.Forms["TForm_qyr7prof"] = [] {
        if (!ShowToolProfileDialog())
            telmvar.Aborted = true;
    };
    menuhooks.Forms["TForm_qyr1conf"] = [] { ShowGearDrawingConfigDialog(); };
    stageanimationhooks.AskSettings = AskStageAnimationSettings;
    menuhooks.PlanetAnimation = [](int Mode) { PlanetAnimation(static_cast<int16_t>(Mode)); };
    menuhooks.CadGearConfig = [](int Gear) { ShowCadGearConfigDialog(Gear); };
    menuhooks.Forms["TForm_qyr7fs0"] = Modal<TForm_qyr7fs0>();
    menuhooks.Forms["TForm_qyr5con2"] = Modal<TForm_qyr5con2>();
    menuhooks.Forms["TForm_qyr5con3"] = Modal<TForm_qyr5con3>();
    menuhooks.Forms["TForm_qyrlk1"] = [] {
        const TGeneralMenuTexts& t = menutexts;
        TForm_qyrlk1 form(TLoadSpectrumTableMenu{t.MenuTextFile, t.MenuTextEdit, t.MenuTextView, t.MenuTextCopy,
                                                 t.MenuTextPaste});
        RunModalDialog(form);
    };
    menuhooks.RunStrengthInput = RunStrengthInput;
    menuhooks.EditLoadSpectrum = EditLoadSpectrum;
    menuhooks.Forms["TForm_printconf"] = Modal<TForm_printconf>();
    menuhooks.Forms["Tconfig"] = ShowConfigDialog;
    menuhooks.Forms["TSysinfo"] = Modal<TSysinfo>();
    menuhooks.Forms["TAboutBox"] = Modal<TAboutBox>();
    menuhooks.ShowDrawingInfo = [] { ShowDrawingInfo(); };
    menuhooks.ChangeProtocolCommand = [](int Mode) { ChangeProtocolCommand(Mode); };
    menuhooks.ShowDocumentLinks = [](int Mode) { ShowDocumentLinks(Mode); };
    menuhooks.Forms["TForm_zeichInfo"] = [] { ShowDrawingInfo(); };
    menuhooks.Forms["TForm_confDoku"] = [] { ShowDocumentLinks(0); };
    menuhooks.OpenProjectTable = [] { ProjectTableCommand([] { hh.RefreshAfterChange(); }); };
    menuhooks.StartExcel = StartExcel;
    menuhooks.ExportToExcel = ExportToExcel;
    menuhooks.PrintoutViaExcel = PrintoutViaExcel;
    menuhooks.SelectPlanetBearing = SelectPlanetBearing;
    menuhooks.EditPlanetBearingApplication = EditPlanetBearingApplication;
    menuhooks.ResetPlanetBearingSelection = ResetPlanetBearingSelection;
    menuhooks.MeshReport = [](int Mesh, int Part) { MeshReport(Mesh, static_cast<uint16_t>(Part)); };
    menuhooks.WheelMeasurementReport = [](int Wheel) { WheelMeasurementReport(static_cast<uint16_t>(Wheel)); };
    // The output menu asks which output (report or one of the diagrams).
    menuhooks.LoadSpectrumOutputMenu = [](int Device) { LoadSpectrumOutputMenu(0, Device); };
    // Per-gear views load their mesh and call the tooth and production
    // drawings; a drawing not built in says so itself.
    menuhooks.WheelViewDispatch = WheelViewDispatch;
    // The stage pictures: the composer's views, the redraw after every
    // calculation, and the carrier dialog before the carrier drawing.
    menuhooks.Forms["TForm_qyr7carr"] = Modal<TForm_qyr7carr>();
    stagecomposerhooks.EditCarrier = [] { RunForm("TForm_qyr7carr"); };
    menuhooks.PlanetDrawView = [](int Device, int View) {
        PlanetDrawView(static_cast<int16_t>(Device), static_cast<int16_t>(View));
    };
    menuhooks.PlanetViewRedraw = PlanetViewRedraw;
    menuhooks.FrontViewWithText = [](int Device) { FrontViewWithText(static_cast<int16_t>(Device)); };
    menuhooks.ShowMeshDimensions = [](int Device, int Mesh) {
        ShowMeshDimensions(static_cast<int16_t>(Device), static_cast<int16_t>(Mesh));
    };
    menuhooks.ShowMeshStrength = [](int Device, int Mesh) {
        ShowMeshStrength(static_cast<int16_t>(Device), static_cast<int16_t>(Mesh));
    };
    dialogservices.RedrawCurrentView = PlanetViewRedraw;
    menuhooks.AnimateMeshing = AnimateMeshing;
    meshanimationservices.AskSettings = AskMeshAnimationSettings;
    menuhooks.DrawLifeSafetyDiagrams = [](int Kind, int Device, const std::string& Name) {
        DrawLifeSafetyDiagrams(static_cast<uint16_t>(Kind), static_cast<uint16_t>(Device), Name);
    };
    menuhooks.DrawLoadSpectrumDiagram = [](int Kind, int Device) {
        DrawLoadSpectrumDiagram(static_cast<uint16_t>(Kind), Device);
    };
}
