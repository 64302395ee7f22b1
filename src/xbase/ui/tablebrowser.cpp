#include "xbase/ui/tablebrowser.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/signalcleanup.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "platform/platform.h"
#include "xbase/core/dberror.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

TTableBrowserServices tablebrowserservices;

void ResetTableBrowserServices()
{
    TTableBrowserServices& S = tablebrowserservices;
    S.PrintTable = [](TTzFileDataSet&, const std::string&, const std::string&) {};
    S.ShowHelpText = [](int, int, int) {};
    S.MenuText = [](const std::string& word) { return "&" + word; };
    S.MenuCodePage = [] { return 1252; };
    S.TodayDateText = [] { return std::string("01.01.2000"); };
    S.NowTimeText = [] { return std::string("0:00"); };
}

namespace
{

struct ServicesInit {
    ServicesInit() { ResetTableBrowserServices(); }
} servicesInit;

platform::Platform& P()
{
    return platform::CurrentPlatform();
}

void Message(const std::string& text)
{
    P().Messages().ShowOk("", DisplayText(text), platform::MessageIcon::Information);
}

// A number for the sort index that no other browser of this process and no
// other running program uses.
std::string UniqueIndexStem()
{
    static std::atomic<unsigned> counter{0};
    return "$t" + std::to_string(static_cast<unsigned long>(::getpid())) + "_" + std::to_string(++counter);
}

} // namespace

std::string TableHtmlEscape(const std::string& text)
{
    std::string r;
    r.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        default:
            r += c;
        }
    }
    return r;
}

bool WriteTableHtml(std::ostream& out, TTzFileDataSet& table, const THtmlTableOptions& o)
{
    const char* eol = "\r\n";
    // The whole page is UTF-8, and says so: the title and the path line are
    // names as the file system has them, the field names and texts are
    // converted from the table's own code page.
    const bool oem = table.TableLanguage == TTzTableLanguage::tlOem;
    const auto shown = [oem](const std::string& stored) {
        return TableHtmlEscape(oem ? OemToUtf8(stored) : AnsiToUtf8(stored));
    };
    out << "<HTML>" << eol << "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
        << "<title>" << TableHtmlEscape(o.Title) << "</title></head>" << eol << "<BODY BGCOLOR=\"C0C0C0\">"
        << eol << "<P>" << TableHtmlEscape(o.ProgramLine) << "</P>" << eol << "<P>"
        << TableHtmlEscape(UpperCaseText(o.FileName)) << "</P>" << eol << "<P>" << TableHtmlEscape(o.DateTime)
        << "</P>" << eol << "<HR>" << eol << "<TABLE BORDER = \"1\" WIDTH= \"100%\">" << eol;
    const int fields = table.FieldCount();
    std::string line = "<TR>";
    for (int f = 1; f <= fields; ++f)
        line += "<TD><CENTER>" + shown(table.FieldName(f)) + "</CENTER></TD>";
    out << line << "</TR>" << eol;
    const int32_t count = table.RecordCount();
    std::string text;
    for (int32_t r = 1; r <= count && out; ++r) {
        line = "<TR>";
        for (int f = 1; f <= fields; ++f) {
            table.Peek(f, r, text);
            line += "<TD>";
            line += shown(text);
            line += "</TD>";
        }
        line += "</TR>";
        out << line << eol;
    }
    out << "</TABLE>" << eol << "</BODY>" << eol << "</HTML>" << eol;
    return static_cast<bool>(out);
}

// ---- the form

TDbfBrowserForm::TDbfBrowserForm(TDbfBrowserModel& model, Tdbf4& owner)
    : Model(model), Owner(owner), Grid(&owner.tzdbf), Navigator(&owner.tzdbf)
{
    Model.Control("Button_ok").Caption = "OK";
    Model.Control("Button_cancel").Caption = "Cancel";
    Model.Control("Button_search").Caption = "&Search";
    Model.Control("Button_SearchNext").Caption = "Search &Next";
    Model.Control("Label_title1").Visible = false;
    Model.Control("Label_filename").Visible = false;
    Model.Control("Label_filename").Caption = Model.TablePath;
    Model.Control("Label_filename").FileName = true;
    Navigator.ConfirmDelete = false;
    Navigator.ConfirmRestore = false;
    Navigator.Grid = &Grid;
    Grid.AutoAppend = true;
    Grid.BooleanBox = TTzBooleanBox::bbCheckBox;
    Grid.SetDepressDisabled(false);
    Grid.OnDepressTitle = [this](int column) { DepressTitle(column); };
    Grid.DefaultColumns();
    Grid.LoadIndexOrder();
    BuildMenu();
    if (Model.PickMode) {
        Navigator.ShowMoveButtonsOnly();
        Grid.Editing = false;
        for (const char* n : {"mi_fileAppenddbf", "mi_fileAppendDelimited", "mi_sepAppend", "mi_edit",
                              "mi_editPack", "mi_editAppend"})
            FindMenu(n)->Visible = false;
    } else {
        Navigator.ShowAllButtons();
        Grid.Editing = true;
    }
    LabelTitle2 = Model.Title2;
    RefreshLabels();
}

TDbfBrowserForm::~TDbfBrowserForm()
{
    DropSortIndex();
}

void TDbfBrowserForm::BuildMenu()
{
    const int cp = tablebrowserservices.MenuCodePage();
    auto mt = [](const char* word) { return tablebrowserservices.MenuText(word); };
    Menu = {
        {"mi_File", mt("File"), "", true, 0, cp},
        {"mi_fileExportHtml", "Export HTML", "", true, 1},
        {"mi_fileSaveAsDelimited", "Save As Delimited", "", true, 1},
        {"mi_sepAppend", "-", "", true, 1},
        {"mi_fileAppenddbf", "Append dbf", "", true, 1},
        {"mi_fileAppendDelimited", "Append Delimited", "", true, 1},
        {"mi_filePrint", mt("Print"), "", true, 1, cp},
        {"mi_fileExit", mt("Exit"), "", true, 1, cp},
        {"mi_edit", mt("Edit"), "", true, 0, cp},
        {"mi_editAppend", "Append", "", true, 1},
        {"mi_editPack", "Pack", "Remove records to be deleted", true, 1},
        {"mi_view", mt("View"), "", true, 0, cp},
        {"mi_viewSearch", "&Search", "", true, 1},
        {"mi_viewSearchNext", "Search &Next", "", true, 1},
        {"mi_Help", mt("Help"), "", true, 0, cp},
        {"mi_helpdbf", Model.Title2, "", true, 1},
        {"mi_helpCommon", mt("Database"), "", true, 1, cp},
        {"mi_helphilfebild", "Aux. &Image", "", true, 1},
        {"mi_helpDatei", mt("File"), "", true, 1, cp},
    };
}

TBrowserMenuItem* TDbfBrowserForm::FindMenu(const std::string& name)
{
    for (auto& m : Menu)
        if (m.Name == name) return &m;
    return nullptr;
}

void TDbfBrowserForm::RefreshLabels()
{
    Model.RecordCount = Owner.RecordCount();
    Model.RecordNo = Owner.RecNo();
    Model.LoadFields();
    LabelReccount = "/" + std::to_string(Model.RecordCount);
    EditRecno = Model.Control("Edit_recno").Text;
    Model.Control("Label_reccount").Caption = LabelReccount;
}

void TDbfBrowserForm::FormShow()
{
    if (Model.CloseOnPick) Model.GridColumn = telmvar.BrowserGridColumn;
    RefreshLabels();
}

platform::DialogAction TDbfBrowserForm::SelectAndClose()
{
    Model.RecordNo = Owner.RecNo();
    Closed = true;
    return platform::DialogAction::Accept;
}

platform::DialogAction TDbfBrowserForm::Cancel()
{
    // Text typed into a cell and not yet stored is part of what is cancelled
    // (the window would store it as its editor loses the keyboard).
    if (Grid.OnEndCellEdit) Grid.OnEndCellEdit(false);
    telmvar.Aborted = true;
    telmvar.LastKeyChar = 27;
    Closed = true;
    return platform::DialogAction::Reject;
}

platform::DialogAction TDbfBrowserForm::Search(bool next)
{
    if (searchText_.empty()) searchText_ = Owner.SearchText();
    const uint16_t helpBefore = telmvar.HelpNumber;
    telmvar.HelpNumber = 2450;
    if (!next) {
        platform::TextPromptRequest r;
        r.Prompt = "Type search string";
        r.Text = searchText_;
        r.MaxLength = 50;
        const auto answer = P().Prompt().AskText(r);
        if (!answer) {
            telmvar.Aborted = false;
            telmvar.HelpNumber = helpBefore;
            return platform::DialogAction::None;
        }
        searchText_ = *answer;
    }
    P().ScreenCursor().Set(platform::CursorShape::Hourglass);
    bool found = false;
    Owner.Search(searchText_, found, !next);
    if (!found && searchText_.find(',') != std::string::npos) {
        // A decimal comma typed where the table stores a point.
        std::string dotted = searchText_;
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        found = false;
        Owner.Search(dotted, found, !next);
    }
    P().ScreenCursor().Set(platform::CursorShape::Arrow);
    telmvar.HelpNumber = helpBefore;
    // The text is shown as typed (the desktop's characters), not as a text
    // of the program's DOS code page: "\xF6" is an o-umlaut, not a division sign.
    if (!found)
        P().Messages().ShowOk("", searchText_ + " " + "not found", platform::MessageIcon::Information);
    RefreshLabels();
    if (Model.CloseOnPick) return SelectAndClose();
    return platform::DialogAction::None;
}

void TDbfBrowserForm::Pack()
{
    const auto a = P().Messages().Show(
        {"", "Pack ?", platform::MessageIcon::Question, platform::MessageButtons::YesNoCancel});
    if (a != platform::MessageAnswer::Yes) return;
    if (!Owner.Pack()) {
        // The table and its current record are as they were: the user is told
        // why, or a Delete that follows would go unexplained. A table packed
        // whose index could not be rebuilt says so instead: it stands at its
        // top, and the index is refused until it is rebuilt.
        const std::string table = FileNameToOem(Owner.tzdbf.DbfFileName());
        P().Messages().ShowOk(
            "",
            DisplayText(
                Owner.PackedWithoutIndex()
                    ? table + " was packed, but its index could not be rebuilt: " + Owner.PackErrorText()
                : Owner.PackErrorCode() == 32 ? table + " is in use elsewhere (another window or program "
                                                        "has it open) and was not packed."
                                              : table + " was not packed: " + Owner.PackErrorText()),
            platform::MessageIcon::Warning);
    }
    RefreshLabels();
}

void TDbfBrowserForm::AppendCopy()
{
    // Reading field 1 brings the work area onto the grid's record, whose
    // values the append takes.
    Owner.FieldText(1);
    Owner.AppendCopy();
    RefreshLabels();
}

platform::DialogAction TDbfBrowserForm::CellClick(int32_t recNo, int column)
{
    if (recNo >= 1 && recNo != Owner.RecNo()) Owner.GoRecord(recNo);
    Model.GridColumn = column;
    RefreshLabels();
    if (Model.CloseOnPick) return SelectAndClose();
    return platform::DialogAction::None;
}

platform::DialogAction TDbfBrowserForm::GridKeyDown(int key)
{
    if (Model.CloseOnPick && (key == 38 || key == 40)) return SelectAndClose();
    return platform::DialogAction::None;
}

void TDbfBrowserForm::GridKeyUp()
{
    RefreshLabels();
}

void TDbfBrowserForm::EditRecnoChanged(const std::string& text)
{
    EditRecno = text;
    Model.Control("Edit_recno").Text = text;
    Model.StoreFields();
    // Every record can be chosen, the last one included: the edit shows the
    // current record's number and the label beside it the count, which is
    // the last record's number; a test below the count refused just that
    // number, leaving the edit naming the last record while the table stayed
    // on another. RecordNo then names the current record again.
    // A record the grid does not show (marked for deletion in a pick) is not
    // gone to: it cannot be picked this way either.
    const int32_t n = Model.RecordNo;
    if (n > 0 && n <= Owner.RecordCount() && n != Owner.RecNo() && Grid.RowOfRecord(n) > 0) {
        Owner.GoRecord(n);
        Model.Touch();
    }
    Model.RecordNo = Owner.RecNo();
}

void TDbfBrowserForm::DropSortIndex()
{
    if (sortIndex_.empty()) return;
    if (Owner.tzdbf.Active()) Owner.tzdbf.SetIndexTo("");
    std::error_code ec;
    std::filesystem::remove(sortIndex_ + ".ndx", ec);
    std::filesystem::remove(sortIndex_ + ".NDX", ec);
    sortIndex_.clear();
}

void TDbfBrowserForm::DepressTitle(int column)
{
    const int32_t n = Owner.RecNo();
    telmvar.SelectedRecordNo = n;
    const int field = Grid.FieldNoOfColumn(column) > 0 ? Grid.FieldNoOfColumn(column) : column + 1;
    const std::string key = Owner.FieldName(field).substr(0, 10);
    if (key.empty()) return;
    // One index file per browser, named for this process: two programs
    // sorting at once must not build into the same file.
    const std::string previous = sortIndex_;
    if (sortIndex_.empty())
        sortIndex_ = (telmvar.TempDir.empty() ? AddTrailingBackslash(SystemTempDir()) : RunTempPath("")) +
                     UniqueIndexStem();
    if (Owner.IndexOn(key, sortIndex_)) Owner.SetIndexTo(sortIndex_);
    Owner.GoRecord(n);
    RefreshLabels();
}

void TDbfBrowserForm::ExportHtml()
{
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Save;
    r.Filter = "HTML files|*.HTM;*.HTML|All files|*.*";
    r.InitialName = std::filesystem::path(Model.TablePath).stem().string();
    auto chosen = P().Files().Run(r);
    if (!chosen) return;
    std::string file = *chosen;
    if (std::filesystem::path(file).extension().empty()) file += ".htm";
    THtmlTableOptions o;
    o.Title = std::filesystem::path(file).stem().string();
    o.FileName = file;
    o.ProgramLine = telmvar.ProgramName + "V" + telmvar.ProgramVersion;
    o.DateTime = tablebrowserservices.TodayDateText() + " - " + tablebrowserservices.NowTimeText();
    std::ostringstream page;
    WriteTableHtml(page, Owner.tzdbf, o);
    // The page is written beside and renamed over the old one when complete;
    // a link of the name is replaced, not followed. A page that could not be
    // written is named with the system's reason and never shown.
    TTextFile out;
    out.Assign(file);
    out.ReplaceLinks(true);
    if (!out.OpenWrite() || !out.Write(page.str()) || !out.Close()) {
        out.Abandon();
        Message(CannotBeWrittenText(file, out.WriteFailure()));
        return;
    }
    // The same rule as the report's HTML file: no browser or a Windows path
    // opens the page in the desktop's browser; a configured program that is
    // not there is named. The file is one argument: a name with blanks or
    // shell characters reaches the browser as it is.
    const std::string browser = wtelmvar.HtmlBrowserPath;
    if (!UsesDesktopProgram(browser) && !FileCanOpen(TrimBlanks(browser))) {
        Message(FileNameToOem(browser) + " not found");
        return;
    }
    const auto launched = UsesDesktopProgram(browser)
                              ? P().Launch().OpenDocument(file)
                              : P().Launch().StartProgram(TrimBlanks(browser), {file});
    if (!launched.Started)
        Message("The table was written to " + FileNameToOem(file) +
                (launched.Message.empty() ? "" : " (" + FileNameToOem(launched.Message) + ")"));
}

void TDbfBrowserForm::SaveAsDelimited()
{
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Save;
    r.Filter = "txt|*.txt|All files|*.*";
    auto chosen = P().Files().Run(r);
    if (!chosen) return;
    Owner.tzdbf.FLock();
    bool written = false;
    {
        // A failure is said here, whole: the table library's own box cuts
        // its text at 255 characters, which a long path fills before the
        // system's reason.
        TAutoReportOff quiet;
        written = Owner.tzdbf.CopyToDelimited(*chosen);
    }
    Owner.tzdbf.UnLock();
    const std::string failure = written ? std::string() : GetErrorMessage();
    if (!failure.empty()) Message(failure);
}

void TDbfBrowserForm::AppendDbf()
{
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Open;
    r.Filter = "*.dbf|*.dbf";
    auto chosen = P().Files().Run(r);
    if (!chosen) return;
    Owner.tzdbf.FLock();
    bool appended = false;
    {
        // The engine's refusal (the table itself as the source, a file
        // that is no table) is said here, in a box of its own.
        TAutoReportOff quiet;
        appended = Owner.tzdbf.AppendFrom(*chosen);
    }
    Owner.tzdbf.UnLock();
    const std::string failure = appended ? std::string() : GetErrorMessage();
    if (!failure.empty()) Message(failure);
    RefreshLabels();
}

void TDbfBrowserForm::AppendDelimited()
{
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Open;
    r.Filter = "*.txt|*.txt";
    auto chosen = P().Files().Run(r);
    if (!chosen) return;
    Owner.tzdbf.FLock();
    Owner.tzdbf.AppendFromDelimited(*chosen);
    Owner.tzdbf.UnLock();
    RefreshLabels();
}

void TDbfBrowserForm::Print()
{
    tablebrowserservices.PrintTable(Owner.tzdbf, Model.Caption(), Model.Title1);
}

platform::DialogAction TDbfBrowserForm::Press(const std::string& name)
{
    using platform::DialogAction;
    if (name == "Button_ok" || name == "mi_fileExit") return SelectAndClose();
    if (name == "Button_cancel" || name == "Escape") return Cancel();
    if (name == "Button_search" || name == "mi_viewSearch") return Search(false);
    if (name == "Button_SearchNext" || name == "mi_viewSearchNext") return Search(true);
    if (name == "mi_editPack")
        Pack();
    else if (name == "mi_editAppend")
        AppendCopy();
    else if (name == "mi_fileExportHtml")
        ExportHtml();
    else if (name == "mi_fileSaveAsDelimited")
        SaveAsDelimited();
    else if (name == "mi_fileAppenddbf")
        AppendDbf();
    else if (name == "mi_fileAppendDelimited")
        AppendDelimited();
    else if (name == "mi_filePrint")
        Print();
    else if (name == "mi_helpdbf" || name == "mi_helpCommon" || name == "mi_helphilfebild") {
        const int no = name == "mi_helpCommon" ? 3210 : 0;
        tablebrowserservices.ShowHelpText(no, 0, name == "mi_helphilfebild" ? 2 : 1);
        telmvar.Aborted = false;
        if (name == "mi_helphilfebild") return DialogAction::Raise;
    } else if (name == "mi_helpDatei")
        P().Messages().ShowOk("", DisplayText(FileNameToOem(Model.TablePath)),
                              platform::MessageIcon::Information);
    return DialogAction::None;
}
