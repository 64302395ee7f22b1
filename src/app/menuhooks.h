#pragma once
// The commands of the main menu reach the drawings, reports, dialogs and
// tables that live beside the shell through this table. The program fills
// an entry when the part it calls is built in; a command whose entry is
// empty tells the user so ("... is not available in this version") and ends
// as a cancelled command would, so no menu item is ever silently dead.

#include <functional>
#include <map>
#include <string>

struct TMenuHooks {
    // --- stage drawings (device first: 0 asks for the CAD format, 3 the
    // screen, 6 STL) ------------------------------------------------------------
    std::function<void(int Device, int View)> PlanetDrawView;
    // Redraws the stage view now shown in the main window.
    std::function<void()> PlanetViewRedraw;
    std::function<void(int Device, int Mesh)> ShowMeshDimensions;
    std::function<void(int Device, int Mesh)> ShowMeshStrength;
    std::function<void(int Device)> FrontViewWithText;
    std::function<void(int Device, int View, int Wheel, int Mesh)> WheelViewDispatch;
    // Kind 1 life, 2 safety; Name "S-Pi", "Pi-Pe" or "Pe-H".
    std::function<void(int Kind, int Device, const std::string& Name)> DrawLifeSafetyDiagrams;
    std::function<void(int Diagram, int Device)> DrawLoadSpectrumDiagram;
    // The load spectrum's output menu (printout, data file).
    std::function<void(int Device)> LoadSpectrumOutputMenu;
    std::function<void()> AnimateMeshing;
    std::function<void(int Mode)> PlanetAnimation;
    // --- documentation -----------------------------------------------------------
    std::function<void()> ShowDrawingInfo;
    std::function<void(int Mode)> ChangeProtocolCommand;
    std::function<void(int Mode)> ShowDocumentLinks;
    // --- reports ------------------------------------------------------------------
    std::function<void(int Mesh, int Part)> MeshReport;
    std::function<void(int Wheel)> WheelMeasurementReport;
    // --- stage data editors --------------------------------------------------------
    // The standard load spectrum editor on the gear pair's working spectrum;
    // sets Aborted when the user gives up.
    std::function<void()> EditLoadSpectrum;
    std::function<void(int Planet)> SelectPlanetBearing;
    std::function<void(int Planet)> EditPlanetBearingApplication;
    std::function<void(int Planet)> ResetPlanetBearingSelection;
    // --- dialogs --------------------------------------------------------------------
    // Modal forms by their form name ("TForm_qyr7vor", "Tconfig", ...): each
    // creates its form, shows it and frees it; Cancel sets Aborted.
    std::map<std::string, std::function<void()>> Forms;
    // The CAD configuration form for gear Gear (1 or 2) of the loaded pair.
    std::function<void(int Gear)> CadGearConfig;
    // The compact strength input sequence (factors entered, small screens).
    std::function<void()> RunStrengthInput;
    // --- project table and spreadsheet -------------------------------------------------
    std::function<void()> OpenProjectTable;
    std::function<void()> StartExcel;
    std::function<void()> ExportToExcel;
    std::function<void(int Device)> PrintoutViaExcel;
};

extern TMenuHooks menuhooks;

// Every entry empty.
void ResetMenuHooks();

// "<What> is not available in this version" in a message box; Aborted is
// set so the command ends there.
void ShowNotAvailable(const std::string& What);

// The English title of a form, for the message above ("Predimensioning").
std::string FormTitle(const std::string& Form);

// Runs a form through its entry; false (Aborted set) when it was cancelled
// or is not available.
bool RunForm(const std::string& Form);

// Fills the entries whose parts are built into this program: the stage
// forms, the mesh and workshop reports and the load spectrum output.
void InstallMenuCommands();
