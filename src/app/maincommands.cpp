#include "app/maincommands.h"

#include "app/auxiliaryimages.h"
#include "app/mainmenu.h"
#include "app/menuhooks.h"
#include "app/menutexts.h"
#include "app/projectcommands.h"
#include "app/windowplacement.h"
#include "dialogs/dialogservices.h"
#include "dialogs/messageboxes.h"
#include "drawings/sheet/changeprotocol.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/gearpairdata.h"
#include "graphics/graphfacade.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/meshtransfer.h"
#include "planetary/predimensioning.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "planetary/suggestions.h"
#include "platform/platform.h"
#include "reports/messages/messagelist.h"
#include "reports/stage/planetaryreport.h"

#include <set>

Thh hh;

namespace {

const char* const MeshSuffix[] = {"", "SPi", "PiPe", "PeH"};
const char* const MeshLabel[] = {"", "S-Pi", "Pi-Pe", "Pe-H"};
const char* const WheelSuffix[] = {"", "S", "Pi", "Pe", "H"};

// Commands that leave Aborted as it is: the language switch and the items
// that only start the browser or the mail program.
const std::set<std::string> KeepsAborted = {
    "mi_helplanguageDeutsch", "mi_helplanguageEnglish", "mi_helplanguageRomania", "mi_helplanguageKorea",
    "mi_helplanguageChinese", "mi_helpwww",             "mi_helpemail",           "mi_helphistory"};

// The stage calculation as the dialogs' Calc buttons run it.
void Calc()
{
    if (dialogservices.CalculateStage)
        dialogservices.CalculateStage();
    else
        CalcPlanetaryStage();
}
void Mod() { telmvar.DataModified = true; }

std::string WithoutAccelerator(const std::string& Caption)
{
    std::string out;
    for (char c : Caption)
        if (c != '&')
            out += c;
    return out;
}

bool PathTo(const std::vector<platform::MenuEntrySpec>& Entries, const std::string& Name, std::string& Path)
{
    for (const auto& e : Entries) {
        if (e.Name == Name) {
            Path = WithoutAccelerator(e.Caption);
            return true;
        }
        std::string inner;
        if (PathTo(e.Children, Name, inner)) {
            Path = WithoutAccelerator(e.Caption) + " > " + inner;
            return true;
        }
    }
    return false;
}

void OpenInBrowser(const std::string& Document)
{
    const auto result = platform::CurrentPlatform().Launch().OpenDocument(Document);
    if (!result.Started)
        ShowMessageBox(Document + ": " + result.Message);
}

// The product page shipped with the program stands in for the maker's web
// pages: this program has no site of its own.
std::string ProductPage() { return AddTrailingBackslash(telmvar.PltDir) + telmvar.ProgramFileStem + "_e.htm"; }

std::string MailAddress()
{
    std::string subject;
    for (char c : telmvar.ProgramName + " V" + telmvar.ProgramVersion)
        subject += c == ' ' ? std::string("%20") : std::string(1, c);
    return "mailto:?subject=" + subject;
}

} // namespace

std::string Thh::EnglishItemPath(const std::string& Name)
{
    static const TMainMenu english = [] {
        TMainMenu m = BuildMainMenu();
        return m;
    }();
    std::string path;
    return PathTo(english.Bar.Menus, Name, path) ? path : Name;
}

std::string Thh::NotAvailableText() const { return EnglishItemPath(current_); }

template <class F, class... A> void Thh::Call(const F& Hook, A... Args)
{
    if (Hook)
        Hook(Args...);
    else
        ShowNotAvailable(NotAvailableText());
}

Thh::Thh()
{
    auto& h = handlers_;
    // --- File ---------------------------------------------------------------------
    h["mi_fileNew"] = [this] { mi_fileNewClick(); };
    h["mi_fileOpen"] = [this] { mi_fileOpenClick(); };
    h["mi_fileOpenTable"] = [this] { Call(menuhooks.OpenProjectTable); };
    h["mi_FileSave"] = [this] { mi_FileSaveClick(); };
    h["mi_FileSaveAs"] = [this] { mi_FileSaveAsClick(); };
    h["mi_fileprint"] = [] { RunForm("TForm_printconf"); };
    h["mi_fileConfig"] = [this] {
        if (RunForm("Tconfig"))
            RefreshAfterChange(); // the window takes the configured background
    };
    for (int i = 1; i <= 4; ++i)
        h["mi_file" + std::to_string(i)] = [this, i] { OpenRecentFile(i); };
    h["mi_fileexit"] = [] { platform::CurrentPlatform().MainWindow().Close(); };

    // --- Edit ---------------------------------------------------------------------
    h["mi_editquick"] = [this] {
        GuidedInput();
        if (!telmvar.Aborted) {
            RefreshAfterChange();
            Mod();
        }
    };
    h["mi_editPreDimensioning"] = [this] { mi_editPreDimensioningClick(); };
    h["mi_EditText"] = [] { RunForm("TForm_qyr7text"); };
    h["mi_editVerzahnungswerkzeug"] = [this] { Input("TForm_qyr7prof", true, true); };
    h["mi_editabmessungen"] = [this] { Input("TForm_qyr7geo", false, true); };
    h["mi_editqualitaet"] = [this] { Input("TForm_qyr7qual", true, true); };
    h["mi_editmessen"] = [this] { Input("TForm_qyr7mes", true, true); };
    h["mi_editAntrieb"] = [this] { Input("TForm_qyr7antr", true, false); };
    h["mi_EditMaterial"] = [this] {
        RunForm("TForm_qyr7wst");
        if (!telmvar.Aborted)
            Mod();
        Calc();
        RefreshAfterChange();
    };
    h["mi_editfestigkeit"] = [this] {
        StrengthInput(false);
        Calc();
        if (!telmvar.Aborted) {
            Mod();
            RefreshAfterChange();
        }
    };
    h["mi_editlastkollektivstandard"] = [this] { mi_editlastkollektivstandardClick(); };
    h["mi_editlastkollektivtabelle"] = [this] { mi_editlastkollektivtabelleClick(); };
    for (int n = 1; n <= 2; ++n) {
        const std::string p = n == 1 ? "Pi" : "pe";
        const std::string reset = n == 1 ? "mi_editwaelzResetPi" : "mi_editwaelzresetpe";
        h["mi_editwaelzdatenbank" + p] = [this, n] {
            Call(menuhooks.SelectPlanetBearing, n);
            if (!telmvar.Aborted) {
                // The chosen bearing is stored whether or not the stage view
                // can be shown; a missing view must not lose the modified mark.
                if (menuhooks.PlanetDrawView) menuhooks.PlanetDrawView(3, 10);
                Mod();
            }
        };
        h["mi_editwaelzanwendung" + p] = [this, n] {
            Call(menuhooks.EditPlanetBearingApplication, n);
            if (!telmvar.Aborted) {
                Calc();
                RefreshAfterChange();
                Mod();
            }
        };
        h[reset] = [this, n] {
            Call(menuhooks.ResetPlanetBearingSelection, n);
            if (!telmvar.Aborted) {
                Calc();
                RefreshAfterChange();
                Mod();
            }
        };
    }
    h["mi_editberechnungsmethodeabmessungen"] = [this] {
        if (RunForm("TForm_qyr5con2")) {
            Calc();
            RefreshAfterChange();
            Mod();
        }
    };
    h["mi_editberechnungsmethodefestigkeit"] = [this] {
        if (RunForm("TForm_qyr5con3")) {
            Calc();
            RefreshAfterChange();
            Mod();
        }
    };

    // --- View ---------------------------------------------------------------------
    const auto draw = [this](int device, int view) { return [this, device, view] { Call(menuhooks.PlanetDrawView, device, view); }; };
    const auto wheel = [this](int device, int view, int w, int m) {
        return [this, device, view, w, m] { Call(menuhooks.WheelViewDispatch, device, view, w, m); };
    };
    h["mi_viewquick"] = draw(3, 9);
    h["mi_viewquick3"] = draw(3, 10);
    h["mi_viewquick4"] = draw(3, 11);
    h["mi_printgeometrieplanetengetriebe"] = [] { PrintPlanetaryReport(1); };
    h["mi_printfestigkeitplanetengetriebe"] = [] { PrintPlanetaryReport(2); };
    const char* const printMesh[] = {"", "spi", "pipe", "peh"};
    const char* const printMeshStrength[] = {"", "spi", "spipe", "peh"};
    for (int m = 1; m <= 3; ++m) {
        h[std::string("mi_printgeometrie") + printMesh[m]] = [this, m] { Call(menuhooks.MeshReport, m, 1); };
        h[std::string("mi_printfestigkeit") + printMeshStrength[m]] = [this, m] { Call(menuhooks.MeshReport, m, 2); };
    }
    const char* const sheet[] = {"", "s", "pi", "pe", "h"};
    for (int w = 1; w <= 4; ++w)
        h[std::string("mi_printwerkstattblatt") + sheet[w]] = [this, w] { Call(menuhooks.WheelMeasurementReport, w); };
    h["mi_viewprintlastkollektiv"] = [] { PrintPlanetaryReport(4); };
    h["mi_viewprintwaelzlager"] = [] { PrintPlanetaryReport(6); };
    h["mi_printgeometriefestigkeit"] = [] {
        Calc();
        PrintPlanetaryReport(3);
    };
    const char* const dims[] = {"", "mi_viewabmessungenSPi", "mi_abmessungenPiPe", "mi_viewabmessungenPeH"};
    const int slidingWheel[] = {0, 1, 3, 3};
    for (int m = 1; m <= 3; ++m) {
        const std::string s = MeshSuffix[m];
        h[dims[m]] = [this, m] { Call(menuhooks.ShowMeshDimensions, 3, m); };
        h["mi_viewfestigkeit" + s] = [this, m] { Call(menuhooks.ShowMeshStrength, 3, m); };
        h["mi_vieweingriff" + s] = wheel(3, 1, 0, m);
        h["mi_viewspezifischesGleiten" + s] = wheel(3, 12, slidingWheel[m], m);
        h["mi_viewsicherheit" + s] = [this, m] {
            LoadedMesh(m);
            Call(menuhooks.DrawLifeSafetyDiagrams, 2, 3, std::string(MeshLabel[m]));
        };
        h["mi_viewlebensdauer" + s] = [this, m] {
            LoadedMesh(m);
            Call(menuhooks.DrawLifeSafetyDiagrams, 1, 3, std::string(MeshLabel[m]));
        };
        h["mi_viewLastkollektiv" + s] = [this, m] {
            LoadedMesh(m);
            Call(menuhooks.DrawLoadSpectrumDiagram, 6, 3);
        };
        const std::string anim = m == 3 ? "PH" : s;
        h["mi_viewanimationeingriff" + anim] = [this, m] {
            LoadedMesh(m);
            AnimateLoadedMesh();
            Call(menuhooks.AnimateMeshing);
        };
    }
    h["mi_viewLastkollektivAusgabe"] = [this] { Call(menuhooks.LoadSpectrumOutputMenu, 3); };
    for (int w = 1; w <= 4; ++w) {
        const std::string s = WheelSuffix[w];
        h["mi_viewzahn" + s] = wheel(3, 2, w, 0);
        h["mi_viewzahnrad" + s] = wheel(3, 5, w, 0);
        h["mi_viewbezugsprofil" + s] = wheel(3, 6, w, 0);
        h["mi_viewfertigungszeichnung" + s] = wheel(3, 3, w, 0);
        h["mi_cadzeichnung" + s] = wheel(0, 3, w, 0);
        h["mi_cadzahnluecke" + s] = wheel(0, 2, w, 0);
        h["mi_cadzahnrad" + s] = [this, w] { CadGear(w, 0); };
    }
    h["mi_viewplanetengetriebe"] = [this] { Call(menuhooks.FrontViewWithText, 3); };
    h["mi_viewfertigungszeichnungC"] = draw(3, 7);
    h["mi_viewzeichnungGetriebe"] = draw(3, 5);
    h["mi_viewAnimationPlanet"] = [this] { Call(menuhooks.PlanetAnimation, 1); };
    h["mi_viewAnimationplanetzahnraeder"] = [this] { Call(menuhooks.PlanetAnimation, 2); };
    h["mi_viewKutzbach"] = draw(3, 1);
    h["mi_viewWolf"] = draw(3, 2);
    h["mi_viewschaltstellungen"] = draw(3, 12);
    h["mi_viewErrorMessages"] = [] {
        Calc();
        ViewErrorMessages();
    };

    // --- CAD and STL ----------------------------------------------------------------
    h["mi_cadquick3"] = draw(0, 10);
    h["mi_cadquick4"] = draw(0, 11);
    h["mi_cadplanetengetriebe"] = [this] { Call(menuhooks.FrontViewWithText, 0); };
    h["mi_cadvorderansicht"] = draw(0, 4);
    h["mi_cadschnitt"] = draw(0, 3);
    h["mi_cadzeichnungC"] = draw(0, 7);
    h["mi_cadzeichnunggetriebe"] = draw(0, 5);
    h["mi_cadcarrier"] = draw(0, 8);
    h["mi_cadLastkollektivAusgabe"] = [this] { Call(menuhooks.LoadSpectrumOutputMenu, 0); };
    h["mi_cadconfig"] = [] { RunForm("TForm_qyr1conf"); };
    h["mi_stls"] = wheel(6, 5, 1, 0);
    h["mi_stlpi"] = wheel(6, 5, 2, 0);
    h["mi_stlPe"] = wheel(6, 2, 3, 0);
    h["mi_stlh"] = [this] { CadGear(4, 6); };
    h["mi_stlcarrier"] = draw(6, 8);

    // --- Database -----------------------------------------------------------------
    h["mi_dbfmaterial"] = [] { SelectGearMaterial(0, 0); };
    h["mi_dbfVerzahnungswerkzeug"] = [] { SelectToolProfile(0, 0); };
    h["mi_dbfwaelzlager"] = [] { SelectBearingFromCatalogue(0, 1, 0, 0, 0, 0, 0, 0, 0, 0); };

    // --- Documentation --------------------------------------------------------------
    h["mi_docdrawinginfo"] = [this] { Call(menuhooks.ShowDrawingInfo); };
    const std::pair<const char*, int> protocol[] = {{"mi_docuShowChanges1", 4},
                                                    {"mi_docuPrintChanges", 5},
                                                    {"mi_docuNewChange", 1},
                                                    {"mi_docuModifyChanges", 2},
                                                    {"mi_docudeleteChange", 3}};
    for (const auto& [name, mode] : protocol)
        h[name] = [this, mode = mode] { ChangeProtocol(mode); };
    h["mi_DocumentSetup"] = [this] {
        Call(menuhooks.ShowDocumentLinks, 0);
        if (!telmvar.Aborted)
            Mod();
    };

    // --- OLE ------------------------------------------------------------------------
    h["mi_oleStartExcel"] = [this] {
        Call(menuhooks.StartExcel);
        // Reading a project back from a spreadsheet is not offered: the
        // import item stays disabled.
        if (!telmvar.Aborted) {
            if (auto* e = mainmenu.Find("mi_oleExportExcel"))
                e->Enabled = true;
            PublishMainMenu();
        }
    };
    h["mi_oleExportExcel"] = [this] { Call(menuhooks.ExportToExcel); };
    h["mi_oleImportExcel"] = [] { ShowNotAvailable("Import Excel -> QYR7"); };
    h["mi_olePrintoutExcel"] = [this] { Call(menuhooks.PrintoutViaExcel, 3); };

    // --- Help -----------------------------------------------------------------------
    h["mi_helphandbuch"] = [] {
        if (wtelmvar.ManualDir.empty())
            ShowMessageBox("No directory of the electronic manual is configured");
        else
            OpenInBrowser(wtelmvar.ManualDir);
    };
    h["mi_HelpHilfebild"] = [] { ShowAuxiliaryImages(); };
    h["mi_helpErrorMessages"] = [] {
        Calc();
        ShowMessageList();
    };
    h["mi_helphistory"] = [] { OpenInBrowser(ProductPage()); };
    h["mi_helpwww"] = [] { OpenInBrowser(ProductPage()); };
    h["mi_helpemail"] = [] { OpenInBrowser(MailAddress()); };
    const std::pair<const char*, int> languages[] = {{"mi_helplanguageDeutsch", 1},
                                                     {"mi_helplanguageEnglish", 2},
                                                     {"mi_helplanguageRomania", 7},
                                                     {"mi_helplanguageKorea", 8},
                                                     {"mi_helplanguageChinese", 12}};
    for (const auto& [name, code] : languages)
        h[name] = [this, code = code] { SetLanguage(code); };
    h["mi_helpSysInfo"] = [] { RunForm("TSysinfo"); };
    h["mi_HelpAbout"] = [] { RunForm("TAboutBox"); };
}

std::vector<std::string> Thh::HandlerNames() const
{
    std::vector<std::string> out;
    for (const auto& [name, handler] : handlers_)
        out.push_back(name);
    return out;
}

bool Thh::Click(const std::string& Name)
{
    const platform::MenuEntrySpec* e = mainmenu.Find(Name);
    const auto it = handlers_.find(Name);
    if (!e || e->Kind != platform::MenuEntryKind::Item || !e->Enabled || !e->Visible || it == handlers_.end())
        return false;
    if (!KeepsAborted.count(Name))
        telmvar.Aborted = false;
    const std::string outer = current_;
    current_ = Name;
    it->second();
    current_ = outer;
    // Whatever the command took in (a bearing from the catalogue, a load
    // spectrum, a project), the items that depend on it follow at once; the
    // window gets the menu again only when that changed something.
    if (ApplyMenuEnabling())
        PublishMainMenu();
    return true;
}

void Thh::FormCreateMenus()
{
    // Both text groups start in English whatever language is configured.
    ResetMenuTexts();
    ResetMainMenu();
    UpdateMenuCaptions();
    InitRecentMenu();
    if (wtelmvar.Language > 0) {
        SetLanguage(wtelmvar.Language);
        return;
    }
    ApplyMenuEnabling();
    UpdateCaption();
}

void Thh::Attach(platform::Window& Window)
{
    Window.OnMenuCommand = [this](const std::string& Name) { Click(Name); };
    auto before = Window.OnCloseQuery;
    Window.OnCloseQuery = [this, before] {
        if (!FormCloseQuery())
            return false;
        return before ? before() : true;
    };
    Window.SetMenuBar(mainmenu.Bar);
}

void Thh::UpdateMenuEnabling()
{
    ApplyMenuEnabling();
    PublishMainMenu();
}

bool Thh::ApplyMenuEnabling()
{
    bool changed = false;
    const auto set = [&changed](platform::MenuEntrySpec& e, bool Enabled) {
        changed = changed || e.Enabled != Enabled;
        e.Enabled = Enabled;
    };
    if (auto* e = mainmenu.Find("mi_viewErrorMessages")) {
        const std::string caption = menutexts.MenuTextErrorMessages + " (" + std::to_string(error0.ErrorCount) + ")";
        changed = changed || e->Caption != caption || e->CodePage != GeneralCodePage();
        e->Caption = caption;
        e->CodePage = GeneralCodePage();
        set(*e, error0.ErrorCount > 0);
    }
    const bool spectrum = PlanetaryStage.LoadSpectrumCount > 0;
    for (const char* name : {"mi_viewLastkollektiv", "mi_viewprintlastkollektiv", "mi_cadLastkollektivAusgabe"})
        if (auto* e = mainmenu.Find(name))
            set(*e, spectrum);
    if (auto* e = mainmenu.Find("mi_viewprintwaelzlager"))
        set(*e, PlanetBearingDefined(1) || PlanetBearingDefined(2));
    return changed;
}

void Thh::RefreshAfterChange()
{
    UpdateMenuEnabling();
    if (menuhooks.PlanetViewRedraw)
        menuhooks.PlanetViewRedraw();
}

bool Thh::UseCompactStrengthInput(int CalcMethod, int ScreenWidth, int ScreenHeight, bool Guided)
{
    if (CalcMethod == 3)
        return true;
    return !Guided && (ScreenHeight < 750 || ScreenWidth < 1024);
}

void Thh::StrengthInput(bool Guided)
{
    const TScreenInfo screen = winutil.QueryScreen ? winutil.QueryScreen() : TScreenInfo{};
    if (UseCompactStrengthInput(GearPair.CalcMethod, screen.ScreenWidth, screen.ScreenHeight, Guided)) {
        if (menuhooks.RunStrengthInput)
            menuhooks.RunStrengthInput();
        else
            ShowNotAvailable("The strength input sequence");
    } else {
        RunForm("TForm_qyr7fs0");
    }
}

void Thh::GuidedInput()
{
    if (!RunForm("TForm_qyr7text"))
        return;
    if (!RunForm("TForm_qyr7antr"))
        return;
    Calc();
    if (menuhooks.PlanetDrawView)
        menuhooks.PlanetDrawView(3, 1);
    // From the tool on, a cancel keeps what was entered so far, calculated.
    const auto step = [](const std::function<void()>& Run, bool CalcAfter) {
        Run();
        if (telmvar.Aborted) {
            telmvar.Aborted = false;
            Calc();
            return false;
        }
        if (CalcAfter)
            Calc();
        return true;
    };
    if (!step([] { RunForm("TForm_qyr7prof"); }, true))
        return;
    if (!step([] { RunForm("TForm_qyr7geo"); }, true))
        return;
    if (!step([] { RunForm("TForm_qyr7wst"); }, false))
        return;
    if (!step([] { RunForm("TForm_qyr7qual"); }, false))
        return;
    if (!step([] { RunForm("TForm_qyr7mes"); }, false))
        return;
    if (!step([this] { StrengthInput(true); }, false))
        return;
    Calc();
    Mod();
    ShowMessageList();
}

void Thh::SetLanguage(int Code)
{
    wtelmvar.Language = Code;
    SetMenuLanguage(Code);
    SetMenuTexts(Code);
    UpdateMenuCaptions();
    // The captions above drop the message count of the View menu; the
    // enabling rule puts it back. The window gets the menu once, with the
    // caption.
    ApplyMenuEnabling();
    UpdateCaption();
}

bool Thh::FormCloseQuery()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    const bool mayClose = !telmvar.Aborted;
    if (mayClose)
        DeleteTempDrawings();
    return mayClose;
}

// --- the commands with an order of their own -----------------------------------------

void Thh::Input(const char* Form, bool CalcAlways, bool RefreshFirst)
{
    RunForm(Form);
    if (CalcAlways)
        Calc();
    if (telmvar.Aborted)
        return;
    if (RefreshFirst) {
        RefreshAfterChange();
        Mod();
    } else {
        Mod();
        RefreshAfterChange();
    }
}

void Thh::LoadedMesh(int Mesh)
{
    static void (*const load[])() = {nullptr, LoadMeshSPi, LoadMeshPiPe, LoadMeshPeH};
    static void (*const store[])() = {nullptr, StoreMeshSPi, StoreMeshPiPe, StoreMeshPeH};
    load[Mesh]();
    CalcLoadedMesh();
    store[Mesh]();
}

void Thh::CadGear(int Wheel, int Device)
{
    telmvar.Aborted = false;
    if (Wheel <= 2)
        CalcMeshSPi();
    else
        CalcMeshPeH();
    const int gear = Wheel == 1 ? MeshGearOfPair(1, 1) : Wheel == 2 ? MeshGearOfPair(1, 2) : Wheel == 3 ? 1 : 2;
    Call(menuhooks.CadGearConfig, gear);
    if (!telmvar.Aborted)
        Call(menuhooks.WheelViewDispatch, Device, 5, Wheel, 0);
}

void Thh::ChangeProtocol(int Mode)
{
    const int before = documentation.ChangeCount;
    // Deleting a change cannot be undone: the user confirms it first.
    if (Mode == 3 && before > 0 && !AskYesNoCancel("Delete previous modification ?")) {
        telmvar.Aborted = true;
        return;
    }
    Call(menuhooks.ChangeProtocolCommand, Mode);
    // The protocol is saved with the project: a new, edited or deleted
    // change is unsaved input.
    const bool edited = Mode == 2 && before > 0 && !telmvar.Aborted;
    if ((Mode == 1 || Mode == 3) ? documentation.ChangeCount != before : edited)
        Mod();
}

void Thh::mi_editPreDimensioningClick()
{
    if (telmvar.DataModified) {
        const bool yes = AskYesNoCancel("Overwrite old input?");
        if (!yes) {
            telmvar.Aborted = true;
            return;
        }
    }
    if (!RunForm("TForm_qyr7vor"))
        return;
    // The planet bearings go only once the new stage is accepted: a
    // cancelled predimensioning keeps them.
    ClearPlanetBearing(0);
    Predimension();
    RefreshAfterChange();
    Mod();
}

void Thh::mi_editlastkollektivstandardClick()
{
    GetStageLoadSpectrum();
    Call(menuhooks.EditLoadSpectrum);
    if (telmvar.Aborted) {
        // The editor gave up halfway: the stage keeps its spectrum and the
        // working copy is made from it again.
        GetStageLoadSpectrum();
        return;
    }
    PutStageLoadSpectrum();
    Mod();
    Calc();
    RefreshAfterChange();
}

void Thh::mi_editlastkollektivtabelleClick()
{
    GetStageLoadSpectrum();
    if (!RunForm("TForm_qyrlk1")) {
        GetStageLoadSpectrum();
        return;
    }
    SelectLifeMaterial(1);
    CalcLoadSpectrumLife(100.0L, 100.0L);
    PutStageLoadSpectrum();
    if (telmvar.Aborted)
        return;
    Mod();
    Calc();
    RefreshAfterChange();
}

// --- file commands ---------------------------------------------------------------------

void Thh::mi_fileNewClick()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    if (telmvar.Aborted)
        return;
    // Without a template the new project starts from the built-in stage,
    // not from what the last project left.
    if (FileCanOpen(AddTrailingBackslash(telmvar.DataDir) + "null." + telmvar.DataExt)) {
        ReadProjectFile("null");
        if (telmvar.Aborted) {
            telmvar.Aborted = false;
            SetDefaultInput();
        }
    } else {
        SetDefaultInput();
    }
    telmvar.ProjectName.clear();
    UpdateCaption();
    ResetChangeProtocol();
    ResetRemarkLines();
    // The document links stay: they name the user's programs and files, and
    // the template's pairs would otherwise be lost again.
    ClearDocumentLinks();
    GraphFacade.Clear();
    if (!RunForm("TForm_qyr7vor"))
        return;
    Predimension();
    GuidedInput();
    if (!telmvar.Aborted) {
        RefreshAfterChange();
        Mod();
    }
}

void Thh::Open(const std::string& Path)
{
    ReadProjectFile(Path);
    if (telmvar.Aborted)
        return;
    // The results shown belong to the project just read.
    Calc();
    telmvar.Aborted = false;
}

void Thh::mi_fileOpenClick()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    if (telmvar.Aborted)
        return;
    Open("");
    if (!telmvar.Aborted) {
        telmvar.DataModified = false;
        AddRecentFile(telmvar.ProjectName);
    }
    UpdateCaption();
    if (!telmvar.Aborted) {
        // The spectrum and bearing items follow the new project at every
        // help level; the view is redrawn only with help shown.
        if (telmvar.HelpLevel > 0)
            RefreshAfterChange();
        else
            UpdateMenuEnabling();
    }
}

void Thh::mi_FileSaveClick()
{
    telmvar.Aborted = false;
    SaveProject(telmvar.ProjectName);
    if (!telmvar.Aborted)
        telmvar.DataModified = false;
    UpdateCaption();
}

void Thh::mi_FileSaveAsClick()
{
    telmvar.Aborted = false;
    WriteProjectFile("");
    if (!telmvar.Aborted) {
        telmvar.DataModified = false;
        AddRecentFile(telmvar.ProjectName);
    }
    UpdateCaption();
}

void Thh::OpenRecentFile(int I)
{
    QuerySaveChanges();
    if (telmvar.Aborted)
        return;
    const std::string path = wtelmvar.RecentFiles[I];
    if (path.empty() || !FileCanOpen(path)) {
        RemoveRecentFile(I);
        ShowRecentFiles();
        PublishMainMenu();
        ShowMessageBox("File " + path + " not found !");
        return;
    }
    const std::string oldName = telmvar.ProjectName;
    const std::string oldDir = telmvar.DataDir;
    telmvar.ProjectName = FileNameNoExt(path);
    telmvar.DataDir = FileDirPart(path);
    Open(path);
    if (telmvar.Aborted) {
        // The data in memory are still the old project's: so is its name,
        // or a Save would write them over the file that could not be read.
        telmvar.ProjectName = oldName;
        telmvar.DataDir = oldDir;
    } else {
        AddRecentFile(telmvar.ProjectName);
        telmvar.DataModified = false;
        RefreshAfterChange();
    }
    UpdateCaption();
}
