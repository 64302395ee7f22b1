#include "app/maincommands.h"

#include "app/auxiliaryimages.h"
#include "app/menutexts.h"
#include "app/menutree.h"
#include "app/projectcommands.h"
#include "app/windowplacement.h"
#include "dialogs/fileguard.h"
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/messageboxes.h"
#include "drawings/sheet/changeprotocol.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/wheelviews.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cadsettings.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/predimensioning.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "planetary/suggestions.h"
#include "platform/platform.h"
#include "reports/messages/messagelist.h"
#include "reports/stage/planetaryreport.h"

#include <cerrno>

Thh hh;

namespace
{

void Mod()
{
    telmvar.DataModified = true;
}

// Why a file that is there cannot be opened for reading, in the system's
// words; empty when it opens. Gone: no file of that path exists any more.
std::string ReadRefusalCause(const std::string& Path, bool& Gone)
{
    const int error = OpenToReadError(Path);
    Gone = error == ENOENT || error == ENOTDIR;
    return error == 0 ? NotARegularFile(Path) : ErrnoText(error);
}

} // namespace

void ShowNotAvailable(const std::string& What)
{
    ShowMessageBox(What + " is not available in this version");
    telmvar.Aborted = true;
}

void Thh::Attach(platform::Window& Window)
{
    Window.OnMenuCommand = [this](const std::string& Name) { Click(Name); };
    auto before = Window.OnCloseQuery;
    Window.OnCloseQuery = [this, before] {
        if (!FormCloseQuery()) return false;
        return before ? before() : true;
    };
    Window.SetMenuBar(mainmenu.Bar);
}

void Thh::UpdateMenuEnabling()
{
    ApplyMainMenuEnabling();
    PublishMainMenu();
}

void Thh::RefreshAfterChange()
{
    UpdateMenuEnabling();
    const TPictureStart start = PictureStart();
    RedrawView();
    NoteShownPicture(start, [this] { RedrawView(); });
}

Thh::TPictureStart Thh::PictureStart()
{
    return {DisplayList.Generation, hatchstate.HatchRandSeed};
}

void Thh::NoteShownPicture(const TPictureStart& Start, std::function<void()> Redraw)
{
    // A drawing that went to a file or stopped before it began left the
    // picture shown as it was.
    if (DisplayList.Generation == Start.Generation || cadstate.CadDevice != 3) return;
    // The break lines are drawn again with the random numbers they had; the
    // pictures after take theirs as they would have without the redraw.
    const uint32_t seed = Start.BreakLineSeed;
    shownPicture_ = {[Redraw = std::move(Redraw), seed] {
                         const uint32_t now = hatchstate.HatchRandSeed;
                         hatchstate.HatchRandSeed = seed;
                         Redraw();
                         hatchstate.HatchRandSeed = now;
                     },
                     DisplayList.Generation, GetProjectFilePath()};
}

void Thh::RedrawShownPicture(const std::string& File)
{
    // A picture of another project (one opened without a redraw shows the
    // picture of the project before) keeps the file it was drawn for.
    if (!shownPicture_.Redraw || DisplayList.Generation != shownPicture_.Generation ||
        shownPicture_.File != File)
        return;
    // A project whose calculation failed has no picture: every drawing puts
    // the message list in its place, the list the user has just left. The
    // picture shown is still the one of the input before, which is what the
    // old file holds; it keeps that file's name rather than put the new
    // name on results the new file does not give.
    if (telmvar.FatalCalcError) return;
    const uint64_t before = DisplayList.Generation;
    shownPicture_.Redraw();
    if (DisplayList.Generation != before && cadstate.CadDevice == 3)
        shownPicture_ = {shownPicture_.Redraw, DisplayList.Generation, GetProjectFilePath()};
    else
        shownPicture_ = {};
}

bool Thh::UseCompactStrengthInput(int CalcMethod, int ScreenWidth, int ScreenHeight, bool Guided)
{
    if (CalcMethod == 3) return true;
    return !Guided && (ScreenHeight < 750 || ScreenWidth < 1024);
}

void Thh::StrengthInput(bool Guided)
{
    const TScreenInfo screen = winutil.QueryScreen ? winutil.QueryScreen() : TScreenInfo{};
    if (UseCompactStrengthInput(GearPair.CalcMethod, screen.ScreenWidth, screen.ScreenHeight, Guided))
        RunStrengthInput();
    else
        RunForm("TForm_qyr7fs0");
}

void Thh::GuidedInput()
{
    if (!RunForm("TForm_qyr7text")) return;
    if (!RunForm("TForm_qyr7antr")) return;
    CalcPlanetaryStage();
    PlanetDrawView(3, 1);
    // From the tool on, a cancel keeps what was entered so far, calculated.
    const auto step = [](const std::function<void()>& Run, bool CalcAfter) {
        Run();
        if (telmvar.Aborted) {
            telmvar.Aborted = false;
            CalcPlanetaryStage();
            return false;
        }
        if (CalcAfter) CalcPlanetaryStage();
        return true;
    };
    if (!step([this] { RunForm("TForm_qyr7prof"); }, true)) return;
    if (!step([this] { RunForm("TForm_qyr7geo"); }, true)) return;
    if (!step([this] { RunForm("TForm_qyr7wst"); }, false)) return;
    if (!step([this] { RunForm("TForm_qyr7qual"); }, false)) return;
    if (!step([this] { RunForm("TForm_qyr7mes"); }, false)) return;
    if (!step([this] { StrengthInput(true); }, false)) return;
    CalcPlanetaryStage();
    Mod();
    ShowMessageList();
}

bool Thh::FormCloseQuery()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    const bool mayClose = !telmvar.Aborted;
    if (mayClose) DeleteTempDrawings();
    return mayClose;
}

// --- the commands with an order of their own -----------------------------------------

void Thh::Input(const char* Form, bool CalcAlways, bool RefreshFirst)
{
    InputDialog([this, Form] { RunForm(Form); }, CalcAlways, RefreshFirst);
}

void Thh::InputDialog(const std::function<void()>& Dialog, bool CalcAlways, bool RefreshFirst)
{
    const TProjectData before = CaptureProject();
    Dialog();
    const bool cancelled = telmvar.Aborted;
    if (CalcAlways) CalcPlanetaryStage();
    if (telmvar.Aborted) return;
    // The calculation after a cancelled dialog clears Aborted; what tells a
    // change is whether the project would now be saved differently.
    const bool changed = !cancelled || !SameProjectFile(before, CaptureProject());
    if (RefreshFirst) {
        RefreshAfterChange();
        if (changed) Mod();
    } else {
        if (changed) Mod();
        RefreshAfterChange();
    }
}

void Thh::CadGear(int Wheel, int Device)
{
    telmvar.Aborted = false;
    CalcMesh(Wheel <= 2 ? mSPi : mPeH);
    const int gear = Wheel == 1   ? MeshGearOfPair(1, 1)
                     : Wheel == 2 ? MeshGearOfPair(1, 2)
                     : Wheel == 3 ? 1
                                  : 2;
    ShowCadGearConfigDialog(gear);
    if (!telmvar.Aborted) WheelViewDispatch(Device, 5, Wheel, 0);
}

void Thh::ChangeProtocol(int Mode)
{
    const int before = documentation.ChangeCount;
    // Deleting a change cannot be undone: the user confirms it first.
    if (Mode == 3 && before > 0 && !AskYesNoCancel("Delete previous modification ?")) {
        telmvar.Aborted = true;
        return;
    }
    const TDocumentation saved = documentation;
    ChangeProtocolCommand(Mode);
    // The protocol is saved with the project: a new, edited or deleted
    // change is unsaved input, and so is drawing information whose OK
    // changed what the project file holds (the drawing data command alone
    // marked nothing, and File Exit then lost the entries without asking).
    const bool edited = Mode == 2 && before > 0 && !telmvar.Aborted;
    if ((Mode == 1 || Mode == 3) ? documentation.ChangeCount != before : edited) Mod();
    if (!telmvar.Aborted && !SameDocumentationSaved(saved, documentation)) Mod();
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
    if (!RunForm("TForm_qyr7vor")) return;
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
    const TProjectData before = CaptureProject();
    EditLoadSpectrum();
    if (telmvar.Aborted) {
        // The editor gave up halfway: the stage keeps its spectrum and the
        // working copy is made from it again.
        GetStageLoadSpectrum();
        return;
    }
    PutStageLoadSpectrum();
    // The editor also ends, as left, after a load or a save that was
    // cancelled or refused; the project is changed only when it would now
    // be saved differently.
    if (!SameProjectFile(before, CaptureProject())) Mod();
    CalcPlanetaryStage();
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
    if (telmvar.Aborted) return;
    Mod();
    CalcPlanetaryStage();
    RefreshAfterChange();
}

// --- file commands ---------------------------------------------------------------------

void Thh::mi_fileNewClick()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    if (telmvar.Aborted) return;
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
    if (!RunForm("TForm_qyr7vor")) return;
    Predimension();
    GuidedInput();
    if (!telmvar.Aborted) {
        RefreshAfterChange();
        Mod();
    }
}

void Thh::Open(const std::string& Path)
{
    // A file that is not read is said at once, in a box with the reader's
    // line and reason. In the message list it would surface only later, in a
    // list about something else; the project in memory stays as it was.
    std::string why;
    if (!ReadProjectFile(Path, why)) {
        if (!why.empty()) ShowMessageIfEnabled(why);
        return;
    }
    // The results shown belong to the project just read.
    CalcPlanetaryStage();
    telmvar.Aborted = false;
}

void Thh::mi_fileOpenClick()
{
    telmvar.Aborted = false;
    QuerySaveChanges();
    if (telmvar.Aborted) return;
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
    const std::string file = GetProjectFilePath();
    SaveProject(telmvar.ProjectName);
    if (!telmvar.Aborted) telmvar.DataModified = false;
    UpdateCaption();
    // A project without a name got one through the save dialog: as after
    // Save As, the picture shown names it.
    if (!telmvar.Aborted && GetProjectFilePath() != file) RedrawShownPicture(file);
}

void Thh::mi_FileSaveAsClick()
{
    telmvar.Aborted = false;
    const std::string file = GetProjectFilePath();
    WriteProjectCommand("");
    if (!telmvar.Aborted) {
        telmvar.DataModified = false;
        AddRecentFile(telmvar.ProjectName);
    }
    UpdateCaption();
    // Departs from the plain Save As, which only writes the file and sets
    // the caption: the picture shown is drawn again, so that its footer and
    // title block name the file under its new name. Printed right after the
    // save, the sheet named the file it was saved from. The picture itself
    // stays the same; a picture that cannot be drawn again without a
    // question (or that something else has replaced) is left as it is.
    if (!telmvar.Aborted && GetProjectFilePath() != file) RedrawShownPicture(file);
}

void Thh::OpenRecentFile(int I)
{
    QuerySaveChanges();
    if (telmvar.Aborted) return;
    const std::string path = wtelmvar.RecentFiles[I];
    bool gone = path.empty();
    const std::string cause = gone ? std::string() : ReadRefusalCause(path, gone);
    if (gone) {
        RemoveRecentFile(I);
        ShowRecentFiles();
        PublishMainMenu();
        ShowMessageBox("File " + FileNameToOem(path) + " not found !");
        return;
    }
    // Only an entry whose file is gone leaves the list. A file that is there
    // but cannot be read (no permission, a directory of that name) is not
    // "not found": the entry stays for when the user has put it right, and
    // the box says the system's cause.
    if (!cause.empty()) {
        ShowMessageIfEnabled("file " + FileNameToOem(path) + " cannot be read: " + cause);
        telmvar.Aborted = true;
        return;
    }
    // An entry from an edited session file may name a file that the project
    // could not be saved back to.
    if (const std::string refusal = ProjectFileRefusal(path); !refusal.empty()) {
        ShowMessageBox(refusal);
        return;
    }
    const TProjectPlace place = CurrentProjectPlace();
    telmvar.ProjectName = FileNameNoExt(path);
    telmvar.DataDir = FileDirPart(path);
    Open(path);
    if (telmvar.Aborted) {
        // The data in memory are still the old project's: so is its name,
        // or a Save would write them over the file that could not be read.
        RestoreProjectPlace(place);
    } else {
        AddRecentFile(telmvar.ProjectName);
        telmvar.DataModified = false;
        RefreshAfterChange();
    }
    UpdateCaption();
}
