#include "app/mainmenu.h"

#include "app/menutexts.h"
#include "foundation/programstate.h"
#include "platform/platform.h"

#include <functional>
#include <initializer_list>

TMainMenu mainmenu;

using platform::MenuEntryKind;
using platform::MenuEntrySpec;

namespace {

MenuEntrySpec Item(const char* Name, const char* Caption, const char* Shortcut = "")
{
    MenuEntrySpec e;
    e.Kind = MenuEntryKind::Item;
    e.Name = Name;
    e.Caption = Caption;
    e.Shortcut = Shortcut;
    return e;
}

MenuEntrySpec Sub(const char* Name, const char* Caption, std::initializer_list<MenuEntrySpec> Children)
{
    MenuEntrySpec e;
    e.Kind = MenuEntryKind::Submenu;
    e.Name = Name;
    e.Caption = Caption;
    e.Children = Children;
    return e;
}

MenuEntrySpec Sep(const char* Name = "")
{
    MenuEntrySpec e;
    e.Kind = MenuEntryKind::Separator;
    e.Name = Name;
    return e;
}

// The three meshes or four wheels under one submenu: Prefix + suffix.
MenuEntrySpec Meshes(const char* Name, const char* Caption, const std::string& Prefix,
                     std::initializer_list<const char*> Suffixes = {"SPi", "PiPe", "PeH"})
{
    MenuEntrySpec e = Sub(Name, Caption, {});
    const char* captions[] = {"S-Pi", "Pi-Pe", "Pe-H"};
    int i = 0;
    for (const char* s : Suffixes) {
        const std::string n = Prefix + s;
        e.Children.push_back(Item(n.c_str(), captions[i++]));
    }
    return e;
}

MenuEntrySpec Wheels(const char* Name, const char* Caption, const std::string& Prefix,
                     std::initializer_list<const char*> Suffixes = {"S", "Pi", "Pe", "H"})
{
    MenuEntrySpec e = Sub(Name, Caption, {});
    const char* captions[] = {"S", "Pi", "Pe", "H"};
    int i = 0;
    for (const char* s : Suffixes) {
        const std::string n = Prefix + s;
        e.Children.push_back(Item(n.c_str(), captions[i++]));
    }
    return e;
}

MenuEntrySpec* FindIn(std::vector<MenuEntrySpec>& Entries, const std::string& Name)
{
    for (auto& e : Entries) {
        if (!e.Name.empty() && e.Name == Name)
            return &e;
        if (MenuEntrySpec* f = FindIn(e.Children, Name))
            return f;
    }
    return nullptr;
}

void CollectCommands(const std::vector<MenuEntrySpec>& Entries, std::vector<std::string>& Out)
{
    for (const auto& e : Entries) {
        if (e.Kind == MenuEntryKind::Item)
            Out.push_back(e.Name);
        else if (e.Kind == MenuEntryKind::Submenu)
            CollectCommands(e.Children, Out);
    }
}

} // namespace

MenuEntrySpec* TMainMenu::Find(const std::string& Name) { return FindIn(Bar.Menus, Name); }

const MenuEntrySpec* TMainMenu::Find(const std::string& Name) const
{
    return platform::FindMenuEntry(Bar, Name);
}

TMainMenu BuildMainMenu()
{
    TMainMenu m;
    auto& menus = m.Bar.Menus;
    MenuEntrySpec recent[4];
    for (int i = 0; i < 4; ++i) {
        const std::string name = "mi_file" + std::to_string(i + 1);
        const std::string key = "Shift+F" + std::to_string(i + 1);
        recent[i] = Item(name.c_str(), name.c_str(), key.c_str());
        recent[i].Visible = false;
    }
    MenuEntrySpec recentSep = Sep(RecentSeparatorName);
    recentSep.Visible = false;
    menus.push_back(Sub("mi_file", "&File",
                        {Item("mi_fileNew", "&New...", "Ctrl+N"), Item("mi_fileOpen", "&Open...", "Ctrl+O"),
                         Item("mi_fileOpenTable", "&Open... (&Table)"), Item("mi_FileSave", "&Save...", "Ctrl+S"),
                         Item("mi_FileSaveAs", "Save &As..."), Item("mi_fileprint", "&Print...", "Ctrl+P"), Sep(),
                         Item("mi_fileConfig", "Se&ttings"), Sep(), recent[0], recent[1], recent[2], recent[3],
                         recentSep, Item("mi_fileexit", "E&xit")}));

    menus.push_back(Sub(
        "mi_Edit", "&Edit",
        {Item("mi_editquick", "&New..."), Sep(), Item("mi_editPreDimensioning", "&Pre-Dimensioning"), Sep(),
         Item("mi_EditText", "Te&xt"), Item("mi_editVerzahnungswerkzeug", "C&utting Tool"),
         Item("mi_editabmessungen", "&Dimensions"), Item("mi_editqualitaet", "&Quality"),
         Item("mi_editmessen", "Me&asurement"), Sep(), Item("mi_editAntrieb", "&Input/Output"),
         Item("mi_EditMaterial", "&Material"), Item("mi_editfestigkeit", "S&trength"), Sep(),
         Sub("mi_editlastkollektiv", "&Load Spectrum",
             {Item("mi_editlastkollektivstandard", "&Standard"), Item("mi_editlastkollektivtabelle", "&Table")}),
         Sub("mi_editwaelzlagerPi", "&Roller bearing Pi",
             {Item("mi_editwaelzdatenbankPi", "&Database Pi"), Item("mi_editwaelzanwendungPi", "A&pplication Pi"),
              Item("mi_editwaelzResetPi", "&Reset Pi")}),
         Sub("mi_editwaelzlagerPe", "&Roller bearing Pe",
             {Item("mi_editwaelzdatenbankpe", "&Database Pe"), Item("mi_editwaelzanwendungpe", "A&pplication Pe"),
              Item("mi_editwaelzresetpe", "&Reset Pe")}),
         Sep(),
         Sub("mi_editberechnungsmethode", "&Calculation Method",
             {Item("mi_editberechnungsmethodeabmessungen", "&Calculation Method &Dimensions"),
              Item("mi_editberechnungsmethodefestigkeit", "&Calculation Method S&trength")})}));

    MenuEntrySpec lastkollektiv = Meshes("mi_viewLastkollektiv", "&Load Spectrum", "mi_viewLastkollektiv");
    // The load spectrum's output menu (printout or file of the diagrams'
    // data) has no item of its own in the form; it sits with the diagrams.
    lastkollektiv.Children.push_back(Item("mi_viewLastkollektivAusgabe", "&Printout"));
    menus.push_back(Sub(
        "mi_View", "&View",
        {Item("mi_viewquick", "Quick &1"), Item("mi_viewquick3", "Quick &3"), Item("mi_viewquick4", "Quick &4"),
         Sub("mi_viewausdruck", "&Printout",
             {Sub("mi_printgeometrie", "&Geometry",
                  {Item("mi_printgeometrieplanetengetriebe", "S, Pi, Pe, H"), Item("mi_printgeometriespi", "S-Pi"),
                   Item("mi_printgeometriepipe", "Pi-Pe"), Item("mi_printgeometriepeh", "Pe-H")}),
              Sub("mi_printfestigkeit", "S&trength",
                  {Item("mi_printfestigkeitplanetengetriebe", "S, Pi, Pe, H"), Item("mi_printfestigkeitspi", "S-Pi"),
                   Item("mi_printfestigkeitspipe", "Pi-Pe"), Item("mi_printfestigkeitpeh", "Pe-H")}),
              Sub("mi_printwerkstattblatt", "&Production Sheet",
                  {Item("mi_printwerkstattblatts", "&S"), Item("mi_printwerkstattblattpi", "&Pi"),
                   Item("mi_printwerkstattblattpe", "&Pe"), Item("mi_printwerkstattblatth", "&H")}),
              Item("mi_viewprintlastkollektiv", "&Load Spectrum"), Item("mi_viewprintwaelzlager", "&Roller bearing"),
              Item("mi_printgeometriefestigkeit", "Dimensions &and Strength")}),
         Meshes("mi_viewabmessungen", "&Dimensions", "", {"mi_viewabmessungenSPi", "mi_abmessungenPiPe",
                                                          "mi_viewabmessungenPeH"}),
         Meshes("mi_viewfestigkeit", "S&trength", "mi_viewfestigkeit"),
         Meshes("mi_vieweingriff", "Tooth &Contact", "mi_vieweingriff"),
         Wheels("mi_viewzahn", "&Tooth", "mi_viewzahn"), Wheels("mi_viewzahnrad", "&Gear wheels", "mi_viewzahnrad"),
         Wheels("mi_viewbezugsprofil", "C&utting Tool", "mi_viewbezugsprofil"),
         Item("mi_viewplanetengetriebe", "&Planetary Gear"),
         Sub("mi_viewfertigungszeichnung", "&Production drawing",
             {Item("mi_viewfertigungszeichnungS", "&S"), Item("mi_viewfertigungszeichnungPi", "&Pi"),
              Item("mi_viewfertigungszeichnungPe", "&Pe"), Item("mi_viewfertigungszeichnungH", "&H"),
              Item("mi_viewfertigungszeichnungC", "C"), Item("mi_viewzeichnungGetriebe", "&Planetary Gear")}),
         Meshes("mi_viewspezifischesGleiten", "Specific &Sliding", "mi_viewspezifischesGleiten"),
         Meshes("mi_viewsicherheit", "&Safety", "mi_viewsicherheit"),
         Meshes("mi_viewlebensdauer", "&Life Expectation", "mi_viewlebensdauer"), Sep(), lastkollektiv,
         Meshes("mi_viewanimationzahneingriff", "&Animation Tooth &contact", "mi_viewanimationeingriff",
                {"SPi", "PiPe", "PH"}),
         Item("mi_viewAnimationPlanet", "&Animation &Planetary Gear"),
         Item("mi_viewAnimationplanetzahnraeder", "&Animation &Planetary Gear &Gear wheels"), Sep(),
         Item("mi_viewKutzbach", "Kutzbach"), Item("mi_viewWolf", "Wolf"),
         Item("mi_viewschaltstellungen", "&Input/Output"), Sep(), Item("mi_viewErrorMessages", "&Error messages")}));

    menus.push_back(Sub(
        "mi_CAD", "&CAD",
        {Item("mi_cadquick3", "Quick 3"), Item("mi_cadquick4", "Quick 4"),
         Item("mi_cadplanetengetriebe", "&Planetary Gear"), Item("mi_cadvorderansicht", "P&rojection"),
         Item("mi_cadschnitt", "Pr&ofile"),
         Sub("mi_cadfertigungszeichnung", "&Production drawing",
             {Item("mi_cadzeichnungS", "&Drawing &S"), Item("mi_cadzeichnungPi", "&Drawing &Pi"),
              Item("mi_cadzeichnungPe", "&Drawing &Pe"), Item("mi_cadzeichnungH", "&Drawing &H"),
              Item("mi_cadzeichnungC", "&Drawing &C"), Item("mi_cadzeichnunggetriebe", "&Drawing &Planetary Gear")}),
         Wheels("mi_cadzahnluecke", "&Tooth", "mi_cadzahnluecke"),
         Wheels("mi_cadzahnrad", "&Gear wheels", "mi_cadzahnrad"), Item("mi_cadcarrier", "&Carrier"),
         Item("mi_cadLastkollektivAusgabe", "&Printout"), Sep(), Item("mi_cadconfig", "Se&ttings")}));

    menus.push_back(Sub("mi_stl", "STL",
                        {Item("mi_stls", "S"), Item("mi_stlpi", "Pi"), Item("mi_stlPe", "Pe"), Item("mi_stlh", "H"),
                         Item("mi_stlcarrier", "&Carrier")}));

    menus.push_back(Sub("mi_database", "&Database",
                        {Item("mi_dbfmaterial", "&Material"), Item("mi_dbfVerzahnungswerkzeug", "C&utting Tool"),
                         Item("mi_dbfwaelzlager", "&Roller bearing")}));

    menus.push_back(Sub("mi_documentation", "D&ocument",
                        {Item("mi_docdrawinginfo", "&Drawing data"), Sep(),
                         Item("mi_docuShowChanges1", "Modifications - &Info"),
                         Item("mi_docuPrintChanges", "Modifications - &Printout"),
                         Item("mi_docuNewChange", "Modification - &New"),
                         Item("mi_docuModifyChanges", "&Edit previous modification"),
                         Item("mi_docudeleteChange", "&Delete previous modification"), Sep(),
                         Item("mi_DocumentSetup", "Document &Setup")}));

    MenuEntrySpec exportExcel = Item("mi_oleExportExcel", "Export QYR7 -> Excel");
    exportExcel.Enabled = false;
    MenuEntrySpec importExcel = Item("mi_oleImportExcel", "Import Excel -> QYR7");
    importExcel.Enabled = false;
    menus.push_back(Sub("mi_OLE", "&OLE",
                        {Item("mi_oleStartExcel", "Start Excel"), exportExcel, importExcel, Sep(),
                         Item("mi_olePrintoutExcel", "Printout -> Excel")}));

    menus.push_back(Sub("mi_Help", "&Help",
                        {Item("mi_helphandbuch", "E-Manual"), Item("mi_HelpHilfebild", "&Auxiliary images"),
                         Item("mi_helpErrorMessages", "&Error messages"), Item("mi_helphistory", "QYR7 Info (www)"),
                         Sub("mi_helplanguage", "Menu &Language",
                             {Item("mi_helplanguageDeutsch", "Deutsch"), Item("mi_helplanguageEnglish", "English"),
                              Item("mi_helplanguageRomania", "Roman"), Item("mi_helplanguageKorea", "Korea"),
                              Item("mi_helplanguageChinese", "&Chinese")}),
                         Item("mi_helpwww", "&TELMORA Homepage"), Item("mi_helpemail", "&E-Mail to TELMORA"),
                         Item("mi_helpSysInfo", "System Info"), Item("mi_HelpAbout", "QYR7")}));
    return m;
}

void ResetMainMenu() { mainmenu = BuildMainMenu(); }

std::vector<std::string> MenuCommandNames(const TMainMenu& Menu)
{
    std::vector<std::string> out;
    CollectCommands(Menu.Bar.Menus, out);
    return out;
}

namespace {

enum class Group { General, Program, Fixed };

void Set(const char* Name, const std::string& Caption, Group G)
{
    MenuEntrySpec* e = mainmenu.Find(Name);
    if (!e)
        return;
    e->Caption = Caption;
    e->CodePage = G == Group::General ? GeneralCodePage() : G == Group::Program ? ProgramCodePage() : 1252;
}

} // namespace

void UpdateMenuCaptions()
{
    const auto& g = menutexts;
    const auto& p = programtexts;
    constexpr Group G = Group::General;
    constexpr Group P = Group::Program;
    constexpr Group F = Group::Fixed;

    Set("mi_file", g.MenuTextFile, G);
    Set("mi_fileNew", g.MenuTextNew, G);
    Set("mi_fileOpen", g.MenuTextOpen, G);
    Set("mi_fileOpenTable", g.MenuTextOpen + " (" + g.MenuTextTable + ")", G);
    Set("mi_fileprint", g.MenuTextPrint, G);
    if (MenuEntrySpec* e = mainmenu.Find("mi_fileprint"))
        e->Shortcut = "Ctrl+P";
    Set("mi_FileSave", g.MenuTextSave, G);
    Set("mi_FileSaveAs", g.MenuTextSaveAs, G);
    Set("mi_fileConfig", g.MenuTextSettings, G);
    Set("mi_fileexit", g.MenuTextExit, G);

    Set("mi_Edit", g.MenuTextEdit, G);
    Set("mi_editquick", g.MenuTextNew, G);
    Set("mi_editPreDimensioning", g.MenuTextPreDimensioning, G);
    Set("mi_EditText", g.MenuTextText, G);
    Set("mi_editVerzahnungswerkzeug", p.MenuTextCuttingTool, P);
    Set("mi_editabmessungen", g.MenuTextDimensions, G);
    Set("mi_editqualitaet", p.MenuTextQuality, P);
    Set("mi_editmessen", p.MenuTextMeasurement, P);
    Set("mi_editAntrieb", p.MenuTextInputOutput, P);
    Set("mi_EditMaterial", g.MenuTextMaterial, G);
    Set("mi_editfestigkeit", p.MenuTextStrength, P);
    Set("mi_editlastkollektiv", p.MenuTextLoadSpectrum, P);
    Set("mi_editlastkollektivstandard", g.MenuTextStandard, G);
    Set("mi_editlastkollektivtabelle", g.MenuTextTable, G);
    Set("mi_editwaelzlagerPi", p.MenuTextRollerBearing + " Pi", P);
    Set("mi_editwaelzlagerPe", p.MenuTextRollerBearing + " Pe", P);
    Set("mi_editwaelzdatenbankPi", g.MenuTextDatabase + " Pi", G);
    Set("mi_editwaelzdatenbankpe", g.MenuTextDatabase + " Pe", G);
    Set("mi_editwaelzanwendungPi", g.MenuTextApplication + " Pi", G);
    Set("mi_editwaelzanwendungpe", g.MenuTextApplication + " Pe", G);
    Set("mi_editwaelzResetPi", g.MenuTextReset + " Pi", G);
    Set("mi_editwaelzresetpe", g.MenuTextReset + " Pe", G);
    Set("mi_editberechnungsmethode", g.MenuTextCalculationMethod, G);
    Set("mi_editberechnungsmethodeabmessungen", g.MenuTextCalculationMethod + " " + g.MenuTextDimensions, G);
    Set("mi_editberechnungsmethodefestigkeit", g.MenuTextCalculationMethod + " " + p.MenuTextStrength, P);

    Set("mi_View", g.MenuTextView, G);
    Set("mi_viewquick", g.MenuTextQuick + " &1", G);
    Set("mi_viewquick3", g.MenuTextQuick + " &3", G);
    Set("mi_viewquick4", g.MenuTextQuick + " &4", G);
    Set("mi_viewausdruck", g.MenuTextPrintout, G);
    Set("mi_printgeometrie", p.MenuTextGeometry, P);
    Set("mi_printgeometrieplanetengetriebe", "S, Pi, Pe, H", F);
    Set("mi_printfestigkeitplanetengetriebe", "S, Pi, Pe, H", F);
    Set("mi_printfestigkeit", p.MenuTextStrength, P);
    Set("mi_viewfestigkeit", p.MenuTextStrength, P);
    Set("mi_printgeometriefestigkeit", p.MenuTextDimensionsAndStrength, P);
    Set("mi_viewabmessungen", g.MenuTextDimensions, G);
    Set("mi_printwerkstattblatt", p.MenuTextProductionSheet, P);
    Set("mi_printwerkstattblatts", "&S", F);
    Set("mi_printwerkstattblattpi", "&Pi", F);
    Set("mi_printwerkstattblattpe", "&Pe", F);
    Set("mi_printwerkstattblatth", "&H", F);
    Set("mi_viewprintwaelzlager", p.MenuTextRollerBearing, P);
    Set("mi_vieweingriff", p.MenuTextToothContact, P);
    Set("mi_vieweingriffSPi", "&S-Pi", F);
    Set("mi_vieweingriffPiPe", "&Pi-Pe", F);
    Set("mi_vieweingriffPeH", "&Pe-H", F);
    Set("mi_viewzahn", p.MenuTextTooth, P);
    Set("mi_viewzahnrad", p.MenuTextGearWheels, P);
    for (const char* parent : {"mi_viewzahn", "mi_viewzahnrad", "mi_viewfertigungszeichnung", "mi_cadzahnrad"})
        for (const char* wheel : {"S", "Pi", "Pe", "H"})
            Set((std::string(parent) + wheel).c_str(), std::string("&") + wheel, F);
    Set("mi_viewplanetengetriebe", p.MenuTextPlanetaryGear, P);
    Set("mi_viewfertigungszeichnung", g.MenuTextProductionDrawing, G);
    Set("mi_viewzeichnungGetriebe", p.MenuTextPlanetaryGear, P);
    Set("mi_viewsicherheit", g.MenuTextSafety, G);
    Set("mi_viewsicherheitSPi", "&S-Pi", F);
    Set("mi_viewsicherheitPiPe", "P&i-Pe", F);
    Set("mi_viewsicherheitPeH", "&Pe-H", F);
    Set("mi_viewlebensdauer", p.MenuTextLifeExpectation, P);
    Set("mi_viewlebensdauerSPi", "&S-Pi", F);
    Set("mi_viewlebensdauerPeH", "&Pe-H", F);
    Set("mi_viewLastkollektiv", p.MenuTextLoadSpectrum, P);
    Set("mi_viewLastkollektivAusgabe", g.MenuTextPrintout, G);
    Set("mi_viewanimationzahneingriff", g.MenuTextAnimation + " " + p.MenuTextToothContact2, P);
    Set("mi_viewanimationeingriffSPi", g.MenuTextAnimation + " S-Pi", G);
    Set("mi_viewanimationeingriffPiPe", g.MenuTextAnimation + " Pi-Pe", G);
    Set("mi_viewanimationeingriffPH", g.MenuTextAnimation + " P-H", G);
    Set("mi_viewAnimationPlanet", g.MenuTextAnimation + " " + p.MenuTextPlanetaryGear, P);
    Set("mi_viewAnimationplanetzahnraeder",
        g.MenuTextAnimation + " " + p.MenuTextPlanetaryGear + " " + p.MenuTextGearWheels, P);
    Set("mi_viewbezugsprofil", p.MenuTextCuttingTool, P);
    Set("mi_viewspezifischesGleiten", p.MenuTextSpecificSliding, P);
    Set("mi_viewprintlastkollektiv", p.MenuTextLoadSpectrum, P);
    Set("mi_viewschaltstellungen", p.MenuTextInputOutput, P);
    Set("mi_viewErrorMessages", g.MenuTextErrorMessages, G);

    Set("mi_CAD", g.MenuTextCAD, G);
    Set("mi_cadquick3", g.MenuTextQuick + " 3", G);
    Set("mi_cadquick4", g.MenuTextQuick + " 4", G);
    Set("mi_cadplanetengetriebe", p.MenuTextPlanetaryGear, P);
    Set("mi_cadvorderansicht", g.MenuTextProjection, G);
    Set("mi_cadschnitt", g.MenuTextProfile, G);
    Set("mi_cadfertigungszeichnung", g.MenuTextProductionDrawing, G);
    for (const char* wheel : {"S", "Pi", "Pe", "H", "C"})
        Set((std::string("mi_cadzeichnung") + wheel).c_str(), g.MenuTextDrawing + " &" + wheel, G);
    Set("mi_cadzeichnunggetriebe", g.MenuTextDrawing + " " + p.MenuTextPlanetaryGear, P);
    Set("mi_cadzahnluecke", p.MenuTextTooth, P);
    Set("mi_cadzahnrad", p.MenuTextGearWheels, P);
    Set("mi_cadcarrier", p.MenuTextCarrier, P);
    Set("mi_stlcarrier", p.MenuTextCarrier, P);
    Set("mi_cadLastkollektivAusgabe", g.MenuTextPrintout, G);
    Set("mi_cadconfig", g.MenuTextSettings, G);

    Set("mi_database", g.MenuTextDatabase, G);
    Set("mi_dbfmaterial", g.MenuTextMaterial, G);
    Set("mi_dbfVerzahnungswerkzeug", p.MenuTextCuttingTool, P);
    Set("mi_dbfwaelzlager", p.MenuTextRollerBearing, P);

    Set("mi_documentation", g.MenuTextDocument, G);
    Set("mi_docdrawinginfo", g.MenuTextDrawingData, G);
    Set("mi_docuShowChanges1", g.MenuTextModificationsInfo, G);
    Set("mi_docuPrintChanges", g.MenuTextModificationsPrintout, G);
    Set("mi_docuNewChange", g.MenuTextModificationNew, G);
    Set("mi_docuModifyChanges", g.MenuTextEditPreviousModification, G);
    Set("mi_docudeleteChange", g.MenuTextDeletePreviousModification, G);
    Set("mi_DocumentSetup", g.MenuTextDocumentSetup, G);

    Set("mi_Help", g.MenuTextHelp, G);
    Set("mi_helphandbuch", g.MenuTextEManual, G);
    Set("mi_helpwww", g.MenuTextHomepage, G);
    Set("mi_helpemail", g.MenuTextEMailMaker, G);
    Set("mi_HelpHilfebild", g.MenuTextAuxiliaryImages, G);
    Set("mi_helpErrorMessages", g.MenuTextErrorMessages, G);
    Set("mi_helplanguage", g.MenuTextMenu + " " + g.MenuTextLanguage, G);
    Set("mi_helphistory", telmvar.ProgramName + " Info (www)", F);
    Set("mi_helpSysInfo", "System Info", F);
    Set("mi_HelpAbout", telmvar.ProgramName, F);
}

void PublishMainMenu() { platform::CurrentPlatform().MainWindow().SetMenuBar(mainmenu.Bar); }
