#include "app/auxiliaryimages.h"

#include "app/auxiliaryindex.h"
#include "app/windowplacement.h"
#include "dialogs/fileguard.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "dialogs/stagedialog.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "graphics/hpgl/pltpicture.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

const char* const OperationLines[5] = {
    "-----  Append  -----",
    "-----  Delete  -----",
    "-----  Edit  ------",
    "-----  Insert ------",
    "-----  Print/Plot HP-GL/2  ------",
};

// The picture name of a list line: its first 8 characters without blanks,
// in lower case.
std::string PictureNameOf(const std::string& Item)
{
    return LowerCaseText(WithoutBlanks(Item.substr(0, 8)));
}

bool RefuseUnsafeName(const std::string& Name)
{
    if (IsSafePictureName(Name)) return false;
    ShowErrorBox("invalid picture name \"" + Name + "\" !");
    telmvar.Aborted = true;
    return true;
}

// The description as typed, made storable; the user is told when a double
// quote had to become "'".
std::string StoredDescription(const std::string& Typed)
{
    bool changed = false;
    const std::string s = StorableDescription(Typed, changed);
    if (changed)
        ShowMessageBox(
            "The description holds a double quote, which the index cannot store; it is saved as '.");
    return s;
}

// A picture chosen in the picture directory; empty and Aborted on Cancel.
std::string AskPictureFile()
{
    std::string dir = telmvar.PltDir;
    std::string name;
    AskOpenFileName(0, dir, "*.plt", name);
    return telmvar.Aborted ? std::string() : name;
}

// The line an operation works on: the selected picture, else the one the
// user picks from the list.
int ChooseLine(int Selected, int Count, const std::string& Prompt)
{
    if (Selected >= 1 && Selected <= Count) return Selected;
    uint16_t line = 1;
    AskSelect(Prompt, static_cast<uint16_t>(Count), line);
    return telmvar.Aborted ? 0 : line;
}

void AppendPicture()
{
    const std::string name = AskPictureFile();
    if (telmvar.Aborted || RefuseUnsafeName(name)) return;
    SetInputHelpNumber(2310);
    std::string description;
    AskText("Aux.Graph. Information", 50, description);
    if (telmvar.Aborted) return;
    AppendDbhRecord(name, StoredDescription(description));
}

void DeletePicture(int Selected, int Count)
{
    SetInputHelpNumber(2320);
    int line = Selected;
    if (Selected >= 1 && Selected <= Count) {
        if (!AskYesNoCancel("Delete ?")) {
            telmvar.Aborted = true;
            return;
        }
    } else {
        line = ChooseLine(0, Count, "Select line to delete...");
    }
    if (telmvar.Aborted || line < 1) return;
    RewriteDbhIndex(TDbhChange::Delete, line, "");
}

void EditPicture(int Selected, int Count)
{
    SetInputHelpNumber(2330);
    const int line = ChooseLine(Selected, Count, "Select line to modify...");
    if (telmvar.Aborted || line < 1) return;
    const std::string item = telmvar.TextItems[line];
    std::string name = PictureNameOf(item);
    SetInputHelpNumber(2340);
    AskText("File name (without extension .plt)", 8, name);
    if (telmvar.Aborted || RefuseUnsafeName(name)) return;
    std::string description = item.size() > 10 ? item.substr(10, 50) : std::string();
    SetInputHelpNumber(2330);
    AskText("Aux.Graph. Information", 50, description);
    if (telmvar.Aborted) return;
    RewriteDbhIndex(TDbhChange::Replace, line, DbhLine(name, StoredDescription(description)));
}

void InsertPicture(int Selected, int Count)
{
    SetInputHelpNumber(2350);
    const int line = ChooseLine(Selected, Count, "Insert before which line ?");
    if (telmvar.Aborted || line < 1) return;
    const std::string name = AskPictureFile();
    if (telmvar.Aborted || RefuseUnsafeName(name)) return;
    SetInputHelpNumber(2330);
    std::string description;
    AskText("Aux.Graph. Information", 50, description);
    if (telmvar.Aborted) return;
    RewriteDbhIndex(TDbhChange::Insert, line, DbhLine(name, StoredDescription(description)));
}

void PlotPicture(int Selected, int Count)
{
    SetInputHelpNumber(2360);
    const int line = ChooseLine(Selected, Count, "Which drawing to plot ?");
    if (telmvar.Aborted || line < 1) return;
    const std::string name = PictureNameOf(telmvar.TextItems[line]);
    if (RefuseUnsafeName(name)) return;
    SetInputHelpNumber(2365);
    // The entry accepts ports 1 to 4, so the prompt says 4.
    int32_t port = 1;
    AskIntegerInRange("printer port (max = " + IntToText(4) + ", default=1)", port, 1, 4);
    if (telmvar.Aborted) return;
    SetInputHelpNumber(2370);
    const bool switching = AskYesNoCancel("Insert HP-GL/2 switching command ?");
    if (telmvar.Aborted) return;
    ShowStatusText("Aux. graphic is plotted ..");
    PlotAuxiliaryImage(name, port, switching);
}

void ShowPicture(const std::string& Name)
{
    if (RefuseUnsafeName(Name)) return;
    ShowPltPicture(Name);
}

} // namespace

// ----------------------------------------------------------- picture list

TForm_hilfebild::TForm_hilfebild()
    : Left(winutil.SavedWindowLeft), Top(winutil.SavedWindowTop), Known(winutil.SavedWindowKnown)
{
    Control("ListBox1");
    Control("SpinButton1");
    Control("SpinButton1Up");
    Control("SpinButton1Down");
    Control("Button_ok").Caption = "OK";
    Control("Button_help").Caption = "&Help";
    Control("Button_neu").Caption = "&New";
    Control("Button_aendern").Caption = "&Modify";
    Control("Button_einfuegen").Caption = "&Insert";
    Control("Button_loeschen").Caption = "&Delete";
    Control("Button_plot").Caption = "&Plot";
    Command = CmdShow;
    ItemCount = 1;
    busy_ = false;
}

std::string TForm_hilfebild::Caption() const
{
    return DisplayText(telmvar.ProgramName + " " + "Auxiliary Images");
}

void TForm_hilfebild::FormShow()
{
    busy_ = true;
    items_.clear();
    const int n = std::min<int>(ItemCount, telmvar.TextItems.High);
    for (int i = 1; i <= n; ++i)
        items_.push_back(DisplayText(telmvar.TextItems[i]));
    ItemIndex =
        items_.empty() ? -1 : std::clamp<int>(Preselected - 1, 0, static_cast<int>(items_.size()) - 1);
    // The list shows the line chosen.
    Control("ListBox1").Text = ItemIndex >= 0 ? items_[ItemIndex] : std::string();
    Command = CmdShow;
    busy_ = false;
    Touch();
}

platform::DialogAction TForm_hilfebild::ListBox1Change(int Index)
{
    if (busy_) return platform::DialogAction::None;
    ItemIndex = Index;
    telmvar.Aborted = false;
    return platform::DialogAction::Accept;
}

platform::DialogAction TForm_hilfebild::SpinButton1UpClick()
{
    if (busy_) return platform::DialogAction::None;
    if (ItemIndex > 0) --ItemIndex;
    telmvar.Aborted = false;
    return platform::DialogAction::Accept;
}

platform::DialogAction TForm_hilfebild::SpinButton1DownClick()
{
    if (busy_) return platform::DialogAction::None;
    if (ItemIndex + 1 < static_cast<int>(items_.size())) ++ItemIndex;
    telmvar.Aborted = false;
    return platform::DialogAction::Accept;
}

platform::DialogAction TForm_hilfebild::Press(const std::string& Name)
{
    using platform::DialogAction;
    auto command = [this](uint16_t c) {
        Command = c;
        telmvar.Aborted = false;
        return DialogAction::Accept;
    };
    if (Name == "Button_ok" || Name == "Escape") {
        telmvar.Aborted = true;
        Command = CmdShow;
        return Name == "Escape" ? DialogAction::Reject : DialogAction::Accept;
    }
    if (Name == "Button_neu") {
        ItemIndex = static_cast<int>(items_.size()) - 1;
        return command(CmdNew);
    }
    if (Name == "SpinButton1Up") return SpinButton1UpClick();
    if (Name == "SpinButton1Down") return SpinButton1DownClick();
    if (Name == "Button_einfuegen") return command(CmdInsert);
    if (Name == "Button_loeschen") return command(CmdDelete);
    if (Name == "Button_aendern") return command(CmdModify);
    if (Name == "Button_plot") return command(CmdPlot);
    if (Name == "Button_help") {
        ShowHelpText(telmvar.HelpNumber, 0, 1);
        telmvar.Aborted = false;
        return DialogAction::None;
    }
    return DialogAction::None;
}

void TForm_hilfebild::FormDestroy()
{
    winutil.SavedWindowTop = Top;
    winutil.SavedWindowLeft = Left;
    winutil.SavedWindowKnown = Known;
}

// ---------------------------------------------------------------- plotting

bool SendHpgl2Start(TTextFile& Spool)
{
    return WriteLineChecked(Spool, "\x1B"
                                   "E"
                                   "\x1B"
                                   "%0B");
}

bool SendHpgl2End(TTextFile& Spool)
{
    return WriteLineChecked(Spool, "\x1B"
                                   "%0A") &&
           WriteLineChecked(Spool, "\x1B"
                                   "E");
}

bool PlotAuxiliaryImage(const std::string& Name, int Port, bool Switching)
{
    const std::string picture = AddTrailingBackslash(telmvar.PltDir) + Name + ".plt";
    std::ifstream in(NativePath(picture), std::ios::binary);
    if (!in) {
        ShowMessageIfEnabled("file " + FileNameToOem(picture) + " not found or no access !");
        telmvar.Aborted = true;
        return false;
    }
    std::string file = picture;
    const std::string spool = AddTrailingBackslash(telmvar.TempDir) + "hpgl2plt.prn";
    if (Switching) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        TTextFile out;
        out.Assign(spool);
        if (!RewriteChecked(out)) return false;
        SendHpgl2Start(out);
        if (!telmvar.Aborted && !out.Write(bytes.str())) telmvar.Aborted = true;
        SendHpgl2End(out);
        if (telmvar.Aborted) {
            out.Abandon();
            ShowMessageIfEnabled("file " + FileNameToOem(spool) + " cannot be written");
            return false;
        }
        if (!CloseFileChecked(out)) return false;
        file = spool;
    }
    // Why the port took nothing, as the port says it.
    const std::string refused = reportservices.SendToPrinterPort
                                    ? reportservices.SendToPrinterPort(Port, file)
                                    : "no printer port is set up";
    if (Switching) DeleteFileIfExists(spool);
    if (!refused.empty()) {
        ShowMessageIfEnabled("printer port LPT" + IntToText(Port) + " did not take " +
                             FileNameToOem(picture) + ": " + refused);
        telmvar.Aborted = true;
    }
    return refused.empty();
}

// ----------------------------------------------------------------- browsing

void ShowAuxiliaryImages()
{
    int c = 0;
    int s = 0;
    uint16_t k = TForm_hilfebild::CmdShow;
    bool firstPass = true;
    for (;;) {
        ++c;
        std::vector<TDbhRecord> records;
        if (!ReadDbhIndex(records)) {
            // Without an index the user picks a picture file directly.
            SetArrowCursor();
            const std::string name = AskPictureFile();
            if (telmvar.Aborted) break;
            ShowPicture(LowerCaseText(name));
            if (telmvar.Aborted) break;
            continue;
        }
        const int n = static_cast<int>(records.size());
        for (int i = 1; i <= n; ++i)
            telmvar.TextItems[i] = FitLeft(records[i - 1].Name, 8) + ": " + records[i - 1].Description;
        for (int j = 0; j < 5; ++j)
            telmvar.TextItems[n + 1 + j] = OperationLines[j];
        SetInputHelpNumber(2300);

        s = c;
        if (k != TForm_hilfebild::CmdShow || s <= 0) s = c - 1;
        if (firstPass) {
            k = TForm_hilfebild::CmdShow;
            s = 1;
            firstPass = false;
        } else {
            TForm_hilfebild form;
            form.ItemCount = static_cast<uint16_t>(n);
            form.Preselected = static_cast<uint16_t>(std::clamp(s, 1, std::max(n, 1)));
            form.FormShow();
            RunModalDialog(form);
            form.FormDestroy();
            if (telmvar.Aborted) break;
            k = form.Command;
            s = form.ItemIndex + 1;
        }
        switch (k) {
        case TForm_hilfebild::CmdShow:
            if (s == 0) {
                telmvar.Aborted = false;
                return;
            }
            c = s;
            break;
        case TForm_hilfebild::CmdNew:
            c = n + 1;
            break;
        case TForm_hilfebild::CmdInsert:
            c = n + 4;
            break;
        case TForm_hilfebild::CmdDelete:
            c = n + 2;
            break;
        case TForm_hilfebild::CmdModify:
            c = n + 3;
            break;
        case TForm_hilfebild::CmdPlot:
            c = n + 5;
            break;
        default:
            break;
        }
        if (c == n + 1)
            AppendPicture();
        else if (c == n + 2)
            DeletePicture(s, n);
        else if (c == n + 3)
            EditPicture(s, n);
        else if (c == n + 4)
            InsertPicture(s, n);
        else if (c == n + 5)
            PlotPicture(s, n);
        else if (c >= 1 && c <= n)
            ShowPicture(PictureNameOf(telmvar.TextItems[c]));
        if (telmvar.Aborted) break;
    }
    telmvar.Aborted = false;
}
