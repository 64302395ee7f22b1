#include "app/mainmenu.h"

#include "app/auxiliaryimages.h"
#include "app/maincommands.h"
#include "app/menutexts.h"
#include "app/projectcommands.h"
#include "app/projecttable.h"
#include "dialogs/messageboxes.h"
#include "drawings/diagrams/lifesafetydiagram.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/sheet/documentlinksform.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/stage/wheelviews.h"
#include "drawings/tooth/meshanimation.h"
#include "drawings/tooth/toothdrawing.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "graphics/displaylist.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/bearingselection.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/meshtransfer.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/suggestions.h"
#include "platform/platform.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/messages/messagelist.h"
#include "reports/spectrum/loadspectrumreport.h"
#include "reports/stage/planetaryreport.h"

#include <functional>
#include <initializer_list>
#include <map>

using platform::MenuEntryKind;
using platform::MenuEntrySpec;

namespace
{

// Where an item's caption comes from once a language is set: the general
// or the program's menu texts (their code page), or a fixed text in 1252.
enum class Group { General, Program, Fixed };

struct TCaptionKey {
    Group G = Group::Fixed;
    std::function<std::string()> Text;
};

TCaptionKey Gen(std::string TGeneralMenuTexts::*Member)
{
    return {Group::General, [Member] { return menutexts.*Member; }};
}
TCaptionKey Gen(std::function<std::string()> Text)
{
    return {Group::General, std::move(Text)};
}
TCaptionKey Prog(std::string TProgramMenuTexts::*Member)
{
    return {Group::Program, [Member] { return programtexts.*Member; }};
}
TCaptionKey Prog(std::function<std::string()> Text)
{
    return {Group::Program, std::move(Text)};
}
TCaptionKey Fixed(std::string Text)
{
    return {Group::Fixed, [Text] { return Text; }};
}
TCaptionKey Fixed(std::function<std::string()> Text)
{
    return {Group::Fixed, std::move(Text)};
}

// One entry of the menu: the item as the form declares it (name, English
// caption, shortcut, start state), the key of its caption in the other
// languages (none: the English caption stays), and its command.
struct TMenuCommand {
    MenuEntrySpec Entry;
    TCaptionKey Caption;
    TMenuCommandInfo Command;
    std::vector<TMenuCommand> Children;

    TMenuCommand Says(TCaptionKey Key)
    {
        Caption = std::move(Key);
        return std::move(*this);
    }
    TMenuCommand Does(std::function<void(Thh&)> Handler)
    {
        Command.Handler = std::move(Handler);
        return std::move(*this);
    }
    // The command leaves Aborted as it is.
    TMenuCommand KeepsAborted()
    {
        Command.KeepsAborted = true;
        return std::move(*this);
    }
    TMenuCommand Disabled()
    {
        Entry.Enabled = false;
        return std::move(*this);
    }
    TMenuCommand Hidden()
    {
        Entry.Visible = false;
        return std::move(*this);
    }
};

TMenuCommand Item(const std::string& Name, const std::string& Caption, const std::string& Shortcut = "")
{
    TMenuCommand c;
    c.Entry.Kind = MenuEntryKind::Item;
    c.Entry.Name = Name;
    c.Entry.Caption = Caption;
    c.Entry.Shortcut = Shortcut;
    return c;
}

TMenuCommand Sub(const std::string& Name, const std::string& Caption, std::vector<TMenuCommand> Children)
{
    TMenuCommand c;
    c.Entry.Kind = MenuEntryKind::Submenu;
    c.Entry.Name = Name;
    c.Entry.Caption = Caption;
    c.Children = std::move(Children);
    return c;
}

TMenuCommand Sep(const std::string& Name = "")
{
    TMenuCommand c;
    c.Entry.Kind = MenuEntryKind::Separator;
    c.Entry.Name = Name;
    return c;
}

// Fills in each generated item of a submenu: its number (mesh 1..3, wheel
// 1..4) and the item as generated.
using TFill = std::function<TMenuCommand(int, TMenuCommand)>;

// The three meshes or four wheels under one submenu: Prefix + suffix.
TMenuCommand Meshes(const char* Name, const char* Caption, const std::string& Prefix, const TFill& Fill,
                    std::initializer_list<const char*> Suffixes = {"SPi", "PiPe", "PeH"})
{
    TMenuCommand e = Sub(Name, Caption, {});
    const char* const captions[] = {"S-Pi", "Pi-Pe", "Pe-H"};
    int i = 0;
    for (const char* s : Suffixes) {
        e.Children.push_back(Fill(i + 1, Item(Prefix + s, captions[i])));
        ++i;
    }
    return e;
}

TMenuCommand Wheels(const char* Name, const char* Caption, const std::string& Prefix, const TFill& Fill)
{
    TMenuCommand e = Sub(Name, Caption, {});
    const char* const suffixes[] = {"S", "Pi", "Pe", "H"};
    for (int i = 0; i < 4; ++i)
        e.Children.push_back(Fill(i + 1, Item(Prefix + suffixes[i], suffixes[i])));
    return e;
}

// "&S" .. "&H": the wheel captions once a language is set.
TCaptionKey WheelKey(int Wheel)
{
    const char* const wheels[] = {"", "S", "Pi", "Pe", "H"};
    return Fixed(std::string("&") + wheels[Wheel]);
}

const char* const MeshLabel[] = {"", "S-Pi", "Pi-Pe", "Pe-H"};

// Items the enabling rule and other commands change.
const char* const ExportExcelItem = "mi_oleExportExcel";
const char* const ExitItem = "mi_fileexit";

// The texts of the current language.
const TGeneralMenuTexts& g = menutexts;
const TProgramMenuTexts& p = programtexts;

// The modified mark.
void Mod()
{
    telmvar.DataModified = true;
}

void OpenInBrowser(const std::string& Document)
{
    const auto result = platform::CurrentPlatform().Launch().OpenDocument(Document);
    if (!result.Started) ShowMessageBox(FileNameToOem(Document + ": " + result.Message));
}

// The product page shipped with the program stands in for the maker's web
// pages: this program has no site of its own.
std::string ProductPage()
{
    return AddTrailingBackslash(telmvar.PltDir) + telmvar.ProgramFileStem + "_e.htm";
}

std::string MailAddress()
{
    std::string subject;
    for (char c : telmvar.ProgramName + " V" + telmvar.ProgramVersion)
        subject += c == ' ' ? std::string("%20") : std::string(1, c);
    return "mailto:?subject=" + subject;
}

// A picture drawn on Device (0: the one the user picks); when it went to
// the screen, the window can have it drawn there again.
std::function<void(Thh&)> Picture(int Device, std::function<void(int)> DrawOn)
{
    return [Device, DrawOn](Thh& t) {
        const Thh::TPictureStart start = Thh::PictureStart();
        DrawOn(Device);
        t.NoteShownPicture(start, [DrawOn] { DrawOn(3); });
    };
}

std::function<void(Thh&)> Draw(int Device, int View)
{
    const auto draw = [View](int D) { PlanetDrawView(static_cast<int16_t>(D), static_cast<int16_t>(View)); };
    // The carrier asks for its dimensions before it is drawn.
    if (View == 8) return [draw, Device](Thh&) { draw(Device); };
    return Picture(Device, draw);
}

std::function<void(Thh&)> WheelView(int Device, int View, int Wheel, int Mesh)
{
    return Picture(Device, [=](int D) { WheelViewDispatch(D, View, Wheel, Mesh); });
}

// After a dialog of the stage: calculate, refresh, mark modified.
void CalcRefreshMod(Thh& t)
{
    CalcPlanetaryStage();
    t.RefreshAfterChange();
    Mod();
}

std::vector<TMenuCommand> File()
{
    std::vector<TMenuCommand> items = {
        Item("mi_fileNew", "&New...", "Ctrl+N").Says(Gen(&TGeneralMenuTexts::MenuTextNew)).Does([](Thh& t) {
            t.mi_fileNewClick();
        }),
        Item("mi_fileOpen", "&Open...", "Ctrl+O")
            .Says(Gen(&TGeneralMenuTexts::MenuTextOpen))
            .Does([](Thh& t) { t.mi_fileOpenClick(); }),
        Item("mi_fileOpenTable", "&Open... (&Table)")
            .Says(Gen([] { return g.MenuTextOpen + " (" + g.MenuTextTable + ")"; }))
            .Does([](Thh& t) {
                ProjectTableCommand([&t] {
                    UpdateMenuCaptions();
                    t.RefreshAfterChange();
                });
            }),
        Item("mi_FileSave", "&Save...", "Ctrl+S")
            .Says(Gen(&TGeneralMenuTexts::MenuTextSave))
            .Does([](Thh& t) { t.mi_FileSaveClick(); }),
        Item("mi_FileSaveAs", "Save &As...").Says(Gen(&TGeneralMenuTexts::MenuTextSaveAs)).Does([](Thh& t) {
            t.mi_FileSaveAsClick();
        }),
        Item("mi_fileprint", "&Print...", "Ctrl+P")
            .Says(Gen(&TGeneralMenuTexts::MenuTextPrint))
            .Does([](Thh& t) { t.RunForm("TForm_printconf"); }),
        Sep(),
        Item("mi_fileConfig", "Se&ttings").Says(Gen(&TGeneralMenuTexts::MenuTextSettings)).Does([](Thh& t) {
            if (t.RunForm("Tconfig")) t.RefreshAfterChange(); // the window takes the configured background
        }),
        Sep()};
    for (int i = 1; i <= 4; ++i) {
        const std::string name = RecentItemName(i);
        items.push_back(Item(name, name, "Shift+F" + std::to_string(i)).Hidden().Does([i](Thh& t) {
            t.OpenRecentFile(i);
        }));
    }
    TMenuCommand recentSep = Sep(RecentSeparatorName);
    items.push_back(recentSep.Hidden());
    items.push_back(Item(ExitItem, "E&xit").Says(Gen(&TGeneralMenuTexts::MenuTextExit)).Does([](Thh&) {
        platform::CurrentPlatform().MainWindow().Close();
    }));
    return items;
}

std::vector<TMenuCommand> Edit()
{
    const auto input = [](const char* Form, bool CalcAlways, bool RefreshFirst) {
        return [=](Thh& t) { t.Input(Form, CalcAlways, RefreshFirst); };
    };
    // The planet bearing items: n 1 for Pi, 2 for Pe.
    const auto bearing = [](int n, const char* Label, const char* Database, const char* Application,
                            const char* Reset) {
        const std::string l = Label;
        return Sub(n == 1 ? "mi_editwaelzlagerPi" : "mi_editwaelzlagerPe", "&Roller bearing " + l,
                   {Item(Database, "&Database " + l)
                        .Says(Gen([l] { return g.MenuTextDatabase + " " + l; }))
                        .Does([n](Thh& t) {
                            t.SelectPlanetBearing(n);
                            if (!telmvar.Aborted) {
                                PlanetDrawView(3, 10);
                                Mod();
                            }
                        }),
                    Item(Application, "A&pplication " + l)
                        .Says(Gen([l] { return g.MenuTextApplication + " " + l; }))
                        .Does([n](Thh& t) {
                            EditPlanetBearingApplication(n);
                            if (!telmvar.Aborted) CalcRefreshMod(t);
                        }),
                    Item(Reset, "&Reset " + l)
                        .Says(Gen([l] { return g.MenuTextReset + " " + l; }))
                        .Does([n](Thh& t) {
                            ResetPlanetBearingSelection(n);
                            if (!telmvar.Aborted) CalcRefreshMod(t);
                        })})
            .Says(Prog([l] { return p.MenuTextRollerBearing + " " + l; }));
    };
    const auto method = [](const char* Form) {
        return [Form](Thh& t) {
            if (t.RunForm(Form)) CalcRefreshMod(t);
        };
    };
    return {
        Item("mi_editquick", "&New...").Says(Gen(&TGeneralMenuTexts::MenuTextNew)).Does([](Thh& t) {
            t.GuidedInput();
            if (!telmvar.Aborted) {
                t.RefreshAfterChange();
                Mod();
            }
        }),
        Sep(),
        Item("mi_editPreDimensioning", "&Pre-Dimensioning")
            .Says(Gen(&TGeneralMenuTexts::MenuTextPreDimensioning))
            .Does([](Thh& t) { t.mi_editPreDimensioningClick(); }),
        Sep(),
        Item("mi_EditText", "Te&xt").Says(Gen(&TGeneralMenuTexts::MenuTextText)).Does([](Thh& t) {
            // The texts and comment lines are saved with the project: an OK
            // that changed them marks it changed, on purpose more than just
            // running the dialog, or File > Exit asked nothing and they were
            // lost. Nothing is calculated or redrawn.
            const TProjectData before = CaptureProject();
            if (t.RunForm("TForm_qyr7text") && !SameProjectFile(before, CaptureProject())) Mod();
        }),
        Item("mi_editVerzahnungswerkzeug", "C&utting Tool")
            .Says(Prog(&TProgramMenuTexts::MenuTextCuttingTool))
            .Does(input("TForm_qyr7prof", true, true)),
        Item("mi_editabmessungen", "&Dimensions")
            .Says(Gen(&TGeneralMenuTexts::MenuTextDimensions))
            .Does(input("TForm_qyr7geo", false, true)),
        Item("mi_editqualitaet", "&Quality")
            .Says(Prog(&TProgramMenuTexts::MenuTextQuality))
            .Does(input("TForm_qyr7qual", true, true)),
        Item("mi_editmessen", "Me&asurement")
            .Says(Prog(&TProgramMenuTexts::MenuTextMeasurement))
            .Does(input("TForm_qyr7mes", true, true)),
        Sep(),
        Item("mi_editAntrieb", "&Input/Output")
            .Says(Prog(&TProgramMenuTexts::MenuTextInputOutput))
            .Does(input("TForm_qyr7antr", true, false)),
        Item("mi_EditMaterial", "&Material").Says(Gen(&TGeneralMenuTexts::MenuTextMaterial)).Does([](Thh& t) {
            // A catalogue pick is in the stage at once and Cancel does not
            // undo it: the project is marked changed also after Cancel when
            // it would now be saved differently, not only when the dialog
            // was not aborted, or File > Exit lost the pick without asking.
            const TProjectData before = CaptureProject();
            t.RunForm("TForm_qyr7wst");
            if (!telmvar.Aborted || !SameProjectFile(before, CaptureProject())) Mod();
            CalcPlanetaryStage();
            t.RefreshAfterChange();
        }),
        Item("mi_editfestigkeit", "S&trength")
            .Says(Prog(&TProgramMenuTexts::MenuTextStrength))
            .Does([](Thh& t) { t.InputDialog([&t] { t.StrengthInput(false); }, true, false); }),
        Sep(),
        Sub("mi_editlastkollektiv", "&Load Spectrum",
            {Item("mi_editlastkollektivstandard", "&Standard")
                 .Says(Gen(&TGeneralMenuTexts::MenuTextStandard))
                 .Does([](Thh& t) { t.mi_editlastkollektivstandardClick(); }),
             Item("mi_editlastkollektivtabelle", "&Table")
                 .Says(Gen(&TGeneralMenuTexts::MenuTextTable))
                 .Does([](Thh& t) { t.mi_editlastkollektivtabelleClick(); })})
            .Says(Prog(&TProgramMenuTexts::MenuTextLoadSpectrum)),
        bearing(1, "Pi", "mi_editwaelzdatenbankPi", "mi_editwaelzanwendungPi", "mi_editwaelzResetPi"),
        bearing(2, "Pe", "mi_editwaelzdatenbankpe", "mi_editwaelzanwendungpe", "mi_editwaelzresetpe"),
        Sep(),
        Sub("mi_editberechnungsmethode", "&Calculation Method",
            {Item("mi_editberechnungsmethodeabmessungen", "&Calculation Method &Dimensions")
                 .Says(Gen([] { return g.MenuTextCalculationMethod + " " + g.MenuTextDimensions; }))
                 .Does(method("TForm_qyr5con2")),
             Item("mi_editberechnungsmethodefestigkeit", "&Calculation Method S&trength")
                 .Says(Prog([] { return g.MenuTextCalculationMethod + " " + p.MenuTextStrength; }))
                 .Does(method("TForm_qyr5con3"))})
            .Says(Gen(&TGeneralMenuTexts::MenuTextCalculationMethod))};
}

std::vector<TMenuCommand> Printout()
{
    const auto report = [](int Part) { return [Part](Thh&) { PrintPlanetaryReport(Part); }; };
    const auto meshReport = [](int Mesh, int Part) {
        return [Mesh, Part](Thh&) { MeshReport(Mesh, static_cast<uint16_t>(Part)); };
    };
    const auto sheet = [](int Wheel) {
        return [Wheel](Thh&) { WheelMeasurementReport(static_cast<uint16_t>(Wheel)); };
    };
    return {Sub("mi_printgeometrie", "&Geometry",
                {Item("mi_printgeometrieplanetengetriebe", "S, Pi, Pe, H")
                     .Says(Fixed("S, Pi, Pe, H"))
                     .Does(report(1)),
                 Item("mi_printgeometriespi", "S-Pi").Does(meshReport(1, 1)),
                 Item("mi_printgeometriepipe", "Pi-Pe").Does(meshReport(2, 1)),
                 Item("mi_printgeometriepeh", "Pe-H").Does(meshReport(3, 1))})
                .Says(Prog(&TProgramMenuTexts::MenuTextGeometry)),
            Sub("mi_printfestigkeit", "S&trength",
                {Item("mi_printfestigkeitplanetengetriebe", "S, Pi, Pe, H")
                     .Says(Fixed("S, Pi, Pe, H"))
                     .Does(report(2)),
                 Item("mi_printfestigkeitspi", "S-Pi").Does(meshReport(1, 2)),
                 Item("mi_printfestigkeitspipe", "Pi-Pe").Does(meshReport(2, 2)),
                 Item("mi_printfestigkeitpeh", "Pe-H").Does(meshReport(3, 2))})
                .Says(Prog(&TProgramMenuTexts::MenuTextStrength)),
            Sub("mi_printwerkstattblatt", "&Production Sheet",
                {Item("mi_printwerkstattblatts", "&S").Says(WheelKey(1)).Does(sheet(1)),
                 Item("mi_printwerkstattblattpi", "&Pi").Says(WheelKey(2)).Does(sheet(2)),
                 Item("mi_printwerkstattblattpe", "&Pe").Says(WheelKey(3)).Does(sheet(3)),
                 Item("mi_printwerkstattblatth", "&H").Says(WheelKey(4)).Does(sheet(4))})
                .Says(Prog(&TProgramMenuTexts::MenuTextProductionSheet)),
            Item("mi_viewprintlastkollektiv", "&Load Spectrum")
                .Says(Prog(&TProgramMenuTexts::MenuTextLoadSpectrum))
                .Does(report(4)),
            Item("mi_viewprintwaelzlager", "&Roller bearing")
                .Says(Prog(&TProgramMenuTexts::MenuTextRollerBearing))
                .Does(report(6)),
            Item("mi_printgeometriefestigkeit", "Dimensions &and Strength")
                .Says(Prog(&TProgramMenuTexts::MenuTextDimensionsAndStrength))
                .Does([](Thh&) {
                    CalcPlanetaryStage();
                    PrintPlanetaryReport(3);
                })};
}

std::vector<TMenuCommand> View()
{
    const auto lifeSafety = [](int Kind, TCaptionKey PiPe) {
        return [Kind, PiPe](int m, TMenuCommand c) {
            if (m == 1)
                c = c.Says(Fixed("&S-Pi"));
            else if (m == 2 && PiPe.Text)
                c = c.Says(PiPe);
            else if (m == 3)
                c = c.Says(Fixed("&Pe-H"));
            // Drawn without a question: drawn again (its footer naming the
            // file) after Save As, the mesh loaded again as for the menu.
            return c.Does(Picture(3, [Kind, m](int D) {
                LoadCalculatedMesh(m);
                DrawLifeSafetyDiagrams(static_cast<uint16_t>(Kind), static_cast<uint16_t>(D), MeshLabel[m]);
            }));
        };
    };
    TMenuCommand lastkollektiv =
        Meshes("mi_viewLastkollektiv", "&Load Spectrum", "mi_viewLastkollektiv", [](int m, TMenuCommand c) {
            return c.Does(Picture(3, [m](int D) {
                LoadCalculatedMesh(m);
                DrawLoadSpectrumDiagram(6, D);
            }));
        }).Says(Prog(&TProgramMenuTexts::MenuTextLoadSpectrum));
    // The load spectrum's output menu (printout or file of the diagrams'
    // data) has no item of its own in the form; it sits with the diagrams.
    lastkollektiv.Children.push_back(Item("mi_viewLastkollektivAusgabe", "&Printout")
                                         .Says(Gen(&TGeneralMenuTexts::MenuTextPrintout))
                                         .Does([](Thh&) { LoadSpectrumOutputMenu(0, 3); }));
    const char* const animation[] = {"", " S-Pi", " Pi-Pe", " P-H"};
    const int slidingWheel[] = {0, 1, 3, 3};
    return {
        Item("mi_viewquick", "Quick &1").Says(Gen([] { return g.MenuTextQuick + " &1"; })).Does(Draw(3, 9)),
        Item("mi_viewquick3", "Quick &3").Says(Gen([] { return g.MenuTextQuick + " &3"; })).Does(Draw(3, 10)),
        Item("mi_viewquick4", "Quick &4").Says(Gen([] { return g.MenuTextQuick + " &4"; })).Does(Draw(3, 11)),
        Sub("mi_viewausdruck", "&Printout", Printout()).Says(Gen(&TGeneralMenuTexts::MenuTextPrintout)),
        Meshes("mi_viewabmessungen", "&Dimensions", "",
               [](int m, TMenuCommand c) {
                   return c.Does(Picture(3, [m](int D) {
                       ShowMeshDimensions(static_cast<int16_t>(D), static_cast<int16_t>(m));
                   }));
               },
               {"mi_viewabmessungenSPi", "mi_abmessungenPiPe", "mi_viewabmessungenPeH"})
            .Says(Gen(&TGeneralMenuTexts::MenuTextDimensions)),
        Meshes("mi_viewfestigkeit", "S&trength", "mi_viewfestigkeit",
               [](int m, TMenuCommand c) {
                   return c.Does(Picture(3, [m](int D) {
                       ShowMeshStrength(static_cast<int16_t>(D), static_cast<int16_t>(m));
                   }));
               })
            .Says(Prog(&TProgramMenuTexts::MenuTextStrength)),
        Meshes("mi_vieweingriff", "Tooth &Contact", "mi_vieweingriff",
               [](int m, TMenuCommand c) {
                   const char* const captions[] = {"", "&S-Pi", "&Pi-Pe", "&Pe-H"};
                   return c.Says(Fixed(captions[m])).Does(WheelView(3, 1, 0, m));
               })
            .Says(Prog(&TProgramMenuTexts::MenuTextToothContact)),
        Wheels("mi_viewzahn", "&Tooth", "mi_viewzahn",
               [](int w, TMenuCommand c) { return c.Says(WheelKey(w)).Does(WheelView(3, 2, w, 0)); })
            .Says(Prog(&TProgramMenuTexts::MenuTextTooth)),
        Wheels("mi_viewzahnrad", "&Gear wheels", "mi_viewzahnrad",
               [](int w, TMenuCommand c) { return c.Says(WheelKey(w)).Does(WheelView(3, 5, w, 0)); })
            .Says(Prog(&TProgramMenuTexts::MenuTextGearWheels)),
        Wheels("mi_viewbezugsprofil", "C&utting Tool", "mi_viewbezugsprofil",
               [](int w, TMenuCommand c) { return c.Does(WheelView(3, 6, w, 0)); })
            .Says(Prog(&TProgramMenuTexts::MenuTextCuttingTool)),
        Item("mi_viewplanetengetriebe", "&Planetary Gear")
            .Says(Prog(&TProgramMenuTexts::MenuTextPlanetaryGear))
            .Does(Picture(3, [](int D) { FrontViewWithText(static_cast<int16_t>(D)); })),
        Sub("mi_viewfertigungszeichnung", "&Production drawing",
            {Item("mi_viewfertigungszeichnungS", "&S").Says(WheelKey(1)).Does(WheelView(3, 3, 1, 0)),
             Item("mi_viewfertigungszeichnungPi", "&Pi").Says(WheelKey(2)).Does(WheelView(3, 3, 2, 0)),
             Item("mi_viewfertigungszeichnungPe", "&Pe").Says(WheelKey(3)).Does(WheelView(3, 3, 3, 0)),
             Item("mi_viewfertigungszeichnungH", "&H").Says(WheelKey(4)).Does(WheelView(3, 3, 4, 0)),
             Item("mi_viewfertigungszeichnungC", "C").Does(Draw(3, 7)),
             Item("mi_viewzeichnungGetriebe", "&Planetary Gear")
                 .Says(Prog(&TProgramMenuTexts::MenuTextPlanetaryGear))
                 .Does(Draw(3, 5))})
            .Says(Gen(&TGeneralMenuTexts::MenuTextProductionDrawing)),
        Meshes("mi_viewspezifischesGleiten", "Specific &Sliding", "mi_viewspezifischesGleiten",
               [slidingWheel](int m, TMenuCommand c) { return c.Does(WheelView(3, 12, slidingWheel[m], m)); })
            .Says(Prog(&TProgramMenuTexts::MenuTextSpecificSliding)),
        Meshes("mi_viewsicherheit", "&Safety", "mi_viewsicherheit", lifeSafety(2, Fixed("P&i-Pe")))
            .Says(Gen(&TGeneralMenuTexts::MenuTextSafety)),
        Meshes("mi_viewlebensdauer", "&Life Expectation", "mi_viewlebensdauer", lifeSafety(1, TCaptionKey{}))
            .Says(Prog(&TProgramMenuTexts::MenuTextLifeExpectation)),
        Sep(),
        lastkollektiv,
        Meshes("mi_viewanimationzahneingriff", "&Animation Tooth &contact", "mi_viewanimationeingriff",
               [animation](int m, TMenuCommand c) {
                   const std::string mesh = animation[m];
                   return c.Says(Gen([mesh] { return g.MenuTextAnimation + mesh; })).Does([m](Thh&) {
                       LoadCalculatedMesh(m);
                       AnimateLoadedMesh();
                       AnimateMeshing();
                   });
               },
               {"SPi", "PiPe", "PH"})
            .Says(Prog([] { return g.MenuTextAnimation + " " + p.MenuTextToothContact2; })),
        Item("mi_viewAnimationPlanet", "&Animation &Planetary Gear")
            .Says(Prog([] { return g.MenuTextAnimation + " " + p.MenuTextPlanetaryGear; }))
            .Does([](Thh&) { PlanetAnimation(1); }),
        Item("mi_viewAnimationplanetzahnraeder", "&Animation &Planetary Gear &Gear wheels")
            .Says(Prog([] {
                return g.MenuTextAnimation + " " + p.MenuTextPlanetaryGear + " " + p.MenuTextGearWheels;
            }))
            .Does([](Thh&) { PlanetAnimation(2); }),
        Sep(),
        Item("mi_viewKutzbach", "Kutzbach").Does(Draw(3, 1)),
        Item("mi_viewWolf", "Wolf").Does(Draw(3, 2)),
        Item("mi_viewschaltstellungen", "&Input/Output")
            .Says(Prog(&TProgramMenuTexts::MenuTextInputOutput))
            .Does(Draw(3, 12)),
        Sep(),
        Item(ErrorMessagesItem, "&Error messages")
            .Says(Gen(&TGeneralMenuTexts::MenuTextErrorMessages))
            .Does([](Thh&) {
                CalcPlanetaryStage();
                ViewErrorMessages();
            })};
}

std::vector<TMenuCommand> Cad()
{
    std::vector<TMenuCommand> drawings;
    const char* const wheels[] = {"", "S", "Pi", "Pe", "H"};
    for (int w = 1; w <= 4; ++w) {
        const std::string s = wheels[w];
        drawings.push_back(Item("mi_cadzeichnung" + s, "&Drawing &" + s)
                               .Says(Gen([s] { return g.MenuTextDrawing + " &" + s; }))
                               .Does(WheelView(0, 3, w, 0)));
    }
    drawings.push_back(Item("mi_cadzeichnungC", "&Drawing &C")
                           .Says(Gen([] { return g.MenuTextDrawing + " &C"; }))
                           .Does(Draw(0, 7)));
    drawings.push_back(Item("mi_cadzeichnunggetriebe", "&Drawing &Planetary Gear")
                           .Says(Prog([] { return g.MenuTextDrawing + " " + p.MenuTextPlanetaryGear; }))
                           .Does(Draw(0, 5)));
    // The production drawing menu of a mesh: every entry of it (the views,
    // tables, sheet, backlash and sliding diagrams, both bodies in mesh and
    // the carrier link) on the device the user picks, entry after entry until
    // "return ..". The mesh is loaded and calculated first; the caption
    // names it in pair order, as the drawings of the per-wheel views do.
    const auto productionMenu = [](int Mesh) {
        return [Mesh](Thh&) {
            LoadCalculatedMesh(Mesh);
            // A mesh that could not be calculated has no dimensions to draw.
            if (telmvar.FatalCalcError) {
                ShowMessageList();
                return;
            }
            ComposeProductionDrawing(0, 0, 0, MeshCaption(Mesh));
        };
    };
    const auto productionItem = [&productionMenu](const char* Name, int Mesh) {
        const std::string mesh = MeshLabel[Mesh];
        return Item(Name, "&Production drawing " + mesh)
            .Says(Gen([mesh] { return g.MenuTextProductionDrawing + " " + mesh; }))
            .Does(productionMenu(Mesh));
    };
    return {
        Item("mi_cadquick3", "Quick 3").Says(Gen([] { return g.MenuTextQuick + " 3"; })).Does(Draw(0, 10)),
        Item("mi_cadquick4", "Quick 4").Says(Gen([] { return g.MenuTextQuick + " 4"; })).Does(Draw(0, 11)),
        Item("mi_cadplanetengetriebe", "&Planetary Gear")
            .Says(Prog(&TProgramMenuTexts::MenuTextPlanetaryGear))
            .Does(Picture(0, [](int D) { FrontViewWithText(static_cast<int16_t>(D)); })),
        Item("mi_cadvorderansicht", "P&rojection")
            .Says(Gen(&TGeneralMenuTexts::MenuTextProjection))
            .Does(Draw(0, 4)),
        Item("mi_cadschnitt", "Pr&ofile").Says(Gen(&TGeneralMenuTexts::MenuTextProfile)).Does(Draw(0, 3)),
        Sub("mi_cadfertigungszeichnung", "&Production drawing", drawings)
            .Says(Gen(&TGeneralMenuTexts::MenuTextProductionDrawing)),
        Wheels("mi_cadzahnluecke", "&Tooth", "mi_cadzahnluecke",
               [](int w, TMenuCommand c) { return c.Does(WheelView(0, 2, w, 0)); })
            .Says(Prog(&TProgramMenuTexts::MenuTextTooth)),
        Wheels(
            "mi_cadzahnrad", "&Gear wheels", "mi_cadzahnrad",
            [](int w, TMenuCommand c) { return c.Says(WheelKey(w)).Does([w](Thh& t) { t.CadGear(w, 0); }); })
            .Says(Prog(&TProgramMenuTexts::MenuTextGearWheels)),
        Item("mi_cadcarrier", "&Carrier").Says(Prog(&TProgramMenuTexts::MenuTextCarrier)).Does(Draw(0, 8)),
        Item("mi_cadLastkollektivAusgabe", "&Printout")
            .Says(Gen(&TGeneralMenuTexts::MenuTextPrintout))
            .Does([](Thh&) { LoadSpectrumOutputMenu(0, 0); }),
        // The drawings' own menus, where the user picks picture, gear and
        // device: the rows above draw one fixed picture each. The language
        // texts have no words for the tooth drawing and the diagrams, so
        // those captions are the same in every language.
        Sep(), productionItem("mi_cadFertigungszeichnungSP", mSPi),
        productionItem("mi_cadfertigungszeichnungPH", mPeH),
        Meshes("mi_cadzahnzeichnung", "Tooth drawing", "mi_cadzahnzeichnung",
               [](int m, TMenuCommand c) {
                   return c.Does([m](Thh&) {
                       // The tooth graphics settings of the mesh (the
                       // drawn centre distance and addendum modifications)
                       // are set by its calculation.
                       LoadCalculatedMesh(m);
                       ComposeToothDrawing(0, 0, 0, 1, 0);
                   });
               }),
        // Life, safety or safety against the tolerance class of the pair
        // loaded last, which the legend's gear captions name.
        Item("mi_cadDiagramme", "diagram").Does([](Thh&) { DrawLifeSafetyDiagrams(0, 0, ""); }), Sep(),
        Item("mi_cadconfig", "Se&ttings").Says(Gen(&TGeneralMenuTexts::MenuTextSettings)).Does([](Thh& t) {
            t.RunForm("TForm_qyr1conf");
        })};
}

std::vector<TMenuCommand> Documentation()
{
    const auto protocol = [](int Mode) { return [Mode](Thh& t) { t.ChangeProtocol(Mode); }; };
    // The drawing data go through the change protocol's "Info drawing",
    // which marks the project when their OK changed a saved value.
    return {Item("mi_docdrawinginfo", "&Drawing data")
                .Says(Gen(&TGeneralMenuTexts::MenuTextDrawingData))
                .Does(protocol(6)),
            Sep(),
            Item("mi_docuShowChanges1", "Modifications - &Info")
                .Says(Gen(&TGeneralMenuTexts::MenuTextModificationsInfo))
                .Does(protocol(4)),
            Item("mi_docuPrintChanges", "Modifications - &Printout")
                .Says(Gen(&TGeneralMenuTexts::MenuTextModificationsPrintout))
                .Does(protocol(5)),
            Item("mi_docuNewChange", "Modification - &New")
                .Says(Gen(&TGeneralMenuTexts::MenuTextModificationNew))
                .Does(protocol(1)),
            Item("mi_docuModifyChanges", "&Edit previous modification")
                .Says(Gen(&TGeneralMenuTexts::MenuTextEditPreviousModification))
                .Does(protocol(2)),
            Item("mi_docudeleteChange", "&Delete previous modification")
                .Says(Gen(&TGeneralMenuTexts::MenuTextDeletePreviousModification))
                .Does(protocol(3)),
            Sep(),
            Item("mi_DocumentSetup", "Document &Setup")
                .Says(Gen(&TGeneralMenuTexts::MenuTextDocumentSetup))
                .Does([](Thh&) {
                    ShowDocumentLinks(0);
                    if (!telmvar.Aborted) Mod();
                })};
}

std::vector<TMenuCommand> Help()
{
    const auto language = [](const char* Name, const char* Caption, int Code) {
        return Item(Name, Caption).KeepsAborted().Does([Code](Thh& t) { t.SetLanguage(Code); });
    };
    return {Item("mi_helphandbuch", "E-Manual").Says(Gen(&TGeneralMenuTexts::MenuTextEManual)).Does([](Thh&) {
                if (wtelmvar.ManualDir.empty())
                    ShowMessageBox("No directory of the electronic manual is configured");
                else
                    OpenInBrowser(wtelmvar.ManualDir);
            }),
            Item("mi_HelpHilfebild", "&Auxiliary images")
                .Says(Gen(&TGeneralMenuTexts::MenuTextAuxiliaryImages))
                .Does([](Thh&) { ShowAuxiliaryImages(); }),
            Item("mi_helpErrorMessages", "&Error messages")
                .Says(Gen(&TGeneralMenuTexts::MenuTextErrorMessages))
                .Does([](Thh&) {
                    CalcPlanetaryStage();
                    ShowMessageList();
                }),
            Item("mi_helphistory", "QYR7 Info (www)")
                .Says(Fixed([] { return telmvar.ProgramName + " Info (www)"; }))
                .KeepsAborted()
                .Does([](Thh&) { OpenInBrowser(ProductPage()); }),
            Sub("mi_helplanguage", "Menu &Language",
                {language("mi_helplanguageDeutsch", "Deutsch", 1),
                 language("mi_helplanguageEnglish", "English", 2),
                 language("mi_helplanguageRomania", "Roman", 7), language("mi_helplanguageKorea", "Korea", 8),
                 language("mi_helplanguageChinese", "&Chinese", 12)})
                .Says(Gen([] { return g.MenuTextMenu + " " + g.MenuTextLanguage; })),
            Item("mi_helpwww", "&TELMORA Homepage")
                .Says(Gen(&TGeneralMenuTexts::MenuTextHomepage))
                .KeepsAborted()
                .Does([](Thh&) { OpenInBrowser(ProductPage()); }),
            Item("mi_helpemail", "&E-Mail to TELMORA")
                .Says(Gen(&TGeneralMenuTexts::MenuTextEMailMaker))
                .KeepsAborted()
                .Does([](Thh&) { OpenInBrowser(MailAddress()); }),
            Item("mi_helpSysInfo", "System Info").Says(Fixed("System Info")).Does([](Thh& t) {
                t.RunForm("TSysinfo");
            }),
            Item("mi_HelpAbout", "QYR7").Says(Fixed([] { return telmvar.ProgramName; })).Does([](Thh& t) {
                t.RunForm("TAboutBox");
            })};
}

// The nine top menus, built once.
const std::vector<TMenuCommand>& Commands()
{
    static const std::vector<TMenuCommand> menus = [] {
        std::vector<TMenuCommand> m;
        m.push_back(Sub("mi_file", "&File", File()).Says(Gen(&TGeneralMenuTexts::MenuTextFile)));
        m.push_back(Sub("mi_Edit", "&Edit", Edit()).Says(Gen(&TGeneralMenuTexts::MenuTextEdit)));
        m.push_back(Sub("mi_View", "&View", View()).Says(Gen(&TGeneralMenuTexts::MenuTextView)));
        m.push_back(Sub("mi_CAD", "&CAD", Cad()).Says(Gen(&TGeneralMenuTexts::MenuTextCAD)));
        m.push_back(Sub("mi_stl", "STL",
                        {Item("mi_stls", "S").Does(WheelView(6, 5, 1, 0)),
                         Item("mi_stlpi", "Pi").Does(WheelView(6, 5, 2, 0)),
                         Item("mi_stlPe", "Pe").Does(WheelView(6, 2, 3, 0)),
                         Item("mi_stlh", "H").Does([](Thh& t) { t.CadGear(4, 6); }),
                         Item("mi_stlcarrier", "&Carrier")
                             .Says(Prog(&TProgramMenuTexts::MenuTextCarrier))
                             .Does(Draw(6, 8))}));
        m.push_back(Sub("mi_database", "&Database",
                        {Item("mi_dbfmaterial", "&Material")
                             .Says(Gen(&TGeneralMenuTexts::MenuTextMaterial))
                             .Does([](Thh&) { SelectGearMaterial(0, 0); }),
                         Item("mi_dbfVerzahnungswerkzeug", "C&utting Tool")
                             .Says(Prog(&TProgramMenuTexts::MenuTextCuttingTool))
                             .Does([](Thh&) { SelectToolProfile(0, 0); }),
                         Item("mi_dbfwaelzlager", "&Roller bearing")
                             .Says(Prog(&TProgramMenuTexts::MenuTextRollerBearing))
                             .Does([](Thh&) { SelectBearingFromCatalogue(0, 1, 0, 0, 0, 0, 0, 0, 0, 0); })})
                        .Says(Gen(&TGeneralMenuTexts::MenuTextDatabase)));
        m.push_back(Sub("mi_documentation", "D&ocument", Documentation())
                        .Says(Gen(&TGeneralMenuTexts::MenuTextDocument)));
        m.push_back(
            Sub("mi_OLE", "&OLE",
                {Item("mi_oleStartExcel", "Start Excel").Does([](Thh&) {
                     StartExcel();
                     // Reading a project back from a spreadsheet is not offered: the
                     // import item stays disabled.
                     if (!telmvar.Aborted) {
                         if (auto* e = mainmenu.Find(ExportExcelItem)) e->Enabled = true;
                         PublishMainMenu();
                     }
                 }),
                 Item(ExportExcelItem, "Export QYR7 -> Excel").Disabled().Does([](Thh&) { ExportToExcel(); }),
                 Item("mi_oleImportExcel", "Import Excel -> QYR7").Disabled().Does([](Thh&) {
                     ShowNotAvailable("Import Excel -> QYR7");
                 }),
                 Sep(),
                 Item("mi_olePrintoutExcel", "Printout -> Excel").Does([](Thh&) { PrintoutViaExcel(3); })}));
        m.push_back(Sub("mi_Help", "&Help", Help()).Says(Gen(&TGeneralMenuTexts::MenuTextHelp)));
        return m;
    }();
    return menus;
}

void IndexCommands(const std::vector<TMenuCommand>& Entries,
                   std::map<std::string, const TMenuCommand*>& Index)
{
    for (const auto& c : Entries) {
        if (c.Command.Handler) Index[c.Entry.Name] = &c;
        IndexCommands(c.Children, Index);
    }
}

const std::map<std::string, const TMenuCommand*>& CommandIndex()
{
    static const std::map<std::string, const TMenuCommand*> index = [] {
        std::map<std::string, const TMenuCommand*> i;
        IndexCommands(Commands(), i);
        return i;
    }();
    return index;
}

MenuEntrySpec ToEntry(const TMenuCommand& Command)
{
    MenuEntrySpec e = Command.Entry;
    for (const auto& c : Command.Children)
        e.Children.push_back(ToEntry(c));
    return e;
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

void SetCaptions(const std::vector<TMenuCommand>& Entries)
{
    for (const auto& c : Entries) {
        if (c.Caption.Text) {
            if (MenuEntrySpec* e = mainmenu.Find(c.Entry.Name)) {
                e->Caption = c.Caption.Text();
                e->CodePage = c.Caption.G == Group::General   ? GeneralCodePage()
                              : c.Caption.G == Group::Program ? ProgramCodePage()
                                                              : 1252;
            }
        }
        SetCaptions(c.Children);
    }
}

} // namespace

TMainMenu BuildMainMenu()
{
    TMainMenu m;
    for (const auto& c : Commands())
        m.Bar.Menus.push_back(ToEntry(c));
    m.Bar.ExitItem = ExitItem;
    return m;
}

void ResetMainMenu()
{
    mainmenu = BuildMainMenu();
}

std::vector<std::string> MenuCommandNames(const TMainMenu& Menu)
{
    std::vector<std::string> out;
    CollectCommands(Menu.Bar.Menus, out);
    return out;
}

const TMenuCommandInfo* FindMenuCommand(const std::string& Name)
{
    const auto& index = CommandIndex();
    const auto it = index.find(Name);
    return it == index.end() ? nullptr : &it->second->Command;
}

std::vector<std::string> MenuHandlerNames()
{
    std::vector<std::string> out;
    for (const auto& [name, command] : CommandIndex())
        out.push_back(name);
    return out;
}

void UpdateMenuCaptions()
{
    SetCaptions(Commands());
}

// The commands object's side of the table: its commands by item name, the
// menu as the window is created and after a language switch.

bool Thh::HasHandler(const std::string& Name) const
{
    return FindMenuCommand(Name) != nullptr;
}

std::vector<std::string> Thh::HandlerNames() const
{
    return MenuHandlerNames();
}

bool Thh::Click(const std::string& Name)
{
    const platform::MenuEntrySpec* e = mainmenu.Find(Name);
    const TMenuCommandInfo* command = FindMenuCommand(Name);
    if (!e || e->Kind != platform::MenuEntryKind::Item || !e->Enabled || !e->Visible || !command)
        return false;
    if (!command->KeepsAborted) telmvar.Aborted = false;
    // The tables and settings the stage calculation reads may change from
    // here on: the pictures calculate again.
    ForgetStageCalculation();
    const uint64_t before = DisplayList.Generation;
    command->Handler(*this);
    // A picture the command drew without noting how (a dialog's help
    // picture, an animation, the carrier after its dialog) cannot be drawn
    // again as it is.
    if (DisplayList.Generation != before && DisplayList.Generation != shownPicture_.Generation)
        shownPicture_ = {};
    // Whatever the command took in (a bearing from the catalogue, a load
    // spectrum, a project), the items that depend on it follow at once; the
    // window gets the menu again only when that changed something.
    if (ApplyMainMenuEnabling()) PublishMainMenu();
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
    ApplyMainMenuEnabling();
    UpdateCaption();
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
    ApplyMainMenuEnabling();
    UpdateCaption();
}
