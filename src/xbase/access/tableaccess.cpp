#include "xbase/access/tableaccess.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/signalcleanup.h"
#include "foundation/textutil.h"
#include "platform/platform.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ndx/ndx.h"
#include "xbase/xbaselib.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

Tdbf4 dbf4;

void ResetDbf4()
{
    dbf4.CloseTable();
    dbf4.tzdbf.ReadOnly = false;
    dbf4.tzdbf.Exclusive = false;
    // Handlers and creation settings belong to whoever set them last; the
    // start-up state has none.
    dbf4.tzdbf.OnLockFailed = nullptr;
    dbf4.tzdbf.DbfFields.clear();
    dbf4.tzdbf.CreateIfNotFound = false;
    // A pick hides the records marked for deletion until the next browse
    // says otherwise; the start-up state shows them, and reads OEM text.
    dbf4.tzdbf.SetHideDeletedRecs(false);
    dbf4.tzdbf.TableLanguage = TTzTableLanguage::tlOem;
    dbf4.tzdbf.SetDbfFileName("");
    dbf4.CopiedToTemp.clear();
    // The copies are this run's working files: the next run makes its own.
    for (const auto& copy : dbf4.TempCopies)
        DeleteFileIfExists(copy);
    dbf4.TempCopies.clear();
    dbf4.SetTitles("", "");
    dbf4.SetFound(false);
}

namespace
{

void Hourglass()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Hourglass);
}
void Arrow()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
}

// Runs a table command with the library's automatic error box off; an error
// is reported through the message list.
template <class F> auto Quiet(F f)
{
    TAutoReportOff quiet;
    dberror.DbErrorCode = 0;
    auto r = f();
    if (dberror.DbErrorCode != 0) AddErrorMessage(ErrorText(dberror.DbErrorCode) + " " + TakeErrorText());
    return r;
}

std::string Trimmed(const std::string& s)
{
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string UpperName(const std::string& s)
{
    std::string u = s;
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

// Whether a table in dir can be written: a file of a name nobody else can
// own (made exclusively, with a unique ending) is written and removed again.
// A file or link a user happens to keep under a fixed name stays untouched.
// A signal that ends the run waits until the file is gone again, and the
// cleanup knows it meanwhile: it is never left in the user's directory.
bool WriteCheck(const std::string& dir)
{
    std::string test = NativePath(AddTrailingBackslash(dir) + "TEST.$$$XXXXXX");
    const TSignalsHeld held;
    const int fd = MakeMarkedTempFile(test);
    if (fd < 0) return false;
    static const char text[] = "DBF Write Check\r\n";
    const bool ok = ::write(fd, text, sizeof text - 1) == static_cast<ssize_t>(sizeof text - 1);
    ::close(fd);
    ::unlink(test.c_str());
    UnmarkTempFile(test);
    return ok;
}

// The table and its memo and index files (same stem, any extension) from
// the table directory into the run's own temporary directory (inside a
// configured one, which other runs share). A file of that name already
// there is not this run's (its copies are known and reused), so it is never
// replaced: it may be anybody's.
bool CopyTableToTemp(const std::string& name)
{
    const std::string stem = std::filesystem::path(name).stem().string();
    const std::string src = AddTrailingBackslash(telmvar.DbfDir);
    const std::string dst = RunTempPath("");
    bool ok = false;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(src), ec)) {
        const std::string fn = entry.path().filename().string();
        if (UpperName(std::filesystem::path(fn).stem().string()) != UpperName(stem) ||
            !entry.is_regular_file(ec))
            continue;
        if (!CopyFileNew(src + fn, dst + fn)) {
            const bool taken = std::filesystem::symlink_status(NativePath(dst + fn), ec).type() !=
                               std::filesystem::file_type::not_found;
            platform::CurrentPlatform().Messages().ShowOk(
                "",
                DisplayText(
                    "file " + FileNameToOem(src + fn) + " could not be copied to " + FileNameToOem(dst) +
                    (taken ? ": a file " + FileNameToOem(fn) + " not made by this program is in the way"
                           : "")),
                platform::MessageIcon::Error);
            return false;
        }
        dbf4.TempCopies.push_back(dst + fn);
        std::filesystem::permissions(dst + fn, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
        if (UpperName(fn) == UpperName(name)) ok = true;
    }
    return ok;
}

// Whether the file lies in the run's own temporary directory, which ends
// with the program.
bool InRunTempDir(const std::string& path)
{
    const std::string dir = AddTrailingBackslash(std::filesystem::path(path).parent_path().string());
    return !telmvar.TempDir.empty() && dir == RunTempPath("");
}

} // namespace

std::string WriteNotice(const TTzCDataSet& Table)
{
    const bool ours = &Table == &dbf4.tzdbf;
    const TTableRefusal why = ours ? dbf4.Refusal : TTableRefusal::None;
    const std::string table =
        FileNameToOem(ours && !dbf4.RefusedPath.empty() ? dbf4.RefusedPath : Table.DbfFileName());
    const bool copy = InRunTempDir(Table.DbfFileName());
    if (!Table.ReadOnly && !copy) return "";
    std::string cause = why == TTableRefusal::ReadOnlyDirectory
                            ? "The directory of the table " + table + " is not writable"
                        : why == TTableRefusal::ReadOnlyFile ? "The table " + table + " is read-only"
                        : copy ? "The table " + table + " is used from the temporary directory"
                               : "The table " + table + " is opened read-only";
    if (Table.ReadOnly) return cause + ": changes cannot be stored.";
    return cause +
           ": changes go to a copy in the temporary directory, which is deleted when the program ends.";
}

// ---- Tdbf4

void Tdbf4::OpenTable(const std::string& path, bool readOnly)
{
    RefusedPath.clear();
    Refusal = TTableRefusal::None;
    // The table library starts with the first table the program opens:
    // indexes, memo files and key expressions need their hooks.
    if (!ndx.Installed) InitXbaseLibrary();
    Hourglass();
    Quiet([&] {
        tzdbf.SetActive(false);
        // A table opens showing every record: a pick's browse hides the
        // marked ones from then on, and sees whether the record it opens on
        // is one of them.
        tzdbf.SetHideDeletedRecs(false);
        tzdbf.ReadOnly = readOnly;
        tzdbf.SetDbfFileName(path);
        return tzdbf.SetActive(true);
    });
    Arrow();
}

void Tdbf4::SetTitles(const std::string& title1, const std::string& title2)
{
    title1_ = title1;
    title2_ = title2;
}

TDbfBrowserModel::TDbfBrowserModel()
{
    NonNumbersAsZero = true;
    Bind("Edit_recno", TFieldKind::Integer, &RecordNo);
}

std::optional<platform::DialogModel::NamedCaption> TDbfBrowserModel::CaptionWithFileName() const
{
    if (PickMode) return std::nullopt;
    return NamedCaption{Title2 + "  " + Title1 + "  (", TablePath, ")"};
}

void Tdbf4::Browse(const std::string& action, uint16_t mode)
{
    TDbfBrowserModel m;
    m.Title1 = title1_;
    m.Title2 = title2_;
    m.Action = action;
    m.Mode = mode;
    m.PickMode = mode == 1 || mode == 4 || mode == 5;
    m.TablePath = tzdbf.DbfFileName();
    closeOnPick_ = action == "CLOSE";
    m.CloseOnPick = closeOnPick_;
    m.FromTempDir = InRunTempDir(m.TablePath);
    if (m.PickMode) {
        m.caption = title2_ + "   " + title1_;
        // The record the pick opens on (the project's own) may be marked for
        // deletion: hidden, the pick opens on the next one, and an OK without
        // a move would take that record's values without a word.
        const int32_t own = mode == 1 && !tzdbf.HideDeletedRecs() ? RecNo() : 0;
        std::string flag, name;
        if (own >= 1 && own <= RecordCount()) {
            tzdbf.Peek(0, own, flag);
            for (int k = 1; k <= tzdbf.FieldCount() && name.empty(); ++k)
                if (tzdbf.FieldProps().Type(k) == 'C') name = TrimBlanks(AnsiTextToOem(tzdbf.AsString(k)));
        }
        if (mode == 1)
            tzdbf.SetHideDeletedRecs(true);
        else if (mode == 4)
            tzdbf.SetHideDeletedRecs(false);
        if (flag == "*")
            platform::CurrentPlatform().Messages().ShowOk(
                "",
                DisplayText("Record " + std::to_string(own) + (name.empty() ? "" : " (" + name + ")") +
                            " of " + FileNameToOem(m.TablePath) +
                            " is marked for deletion and is not shown: the list opens on record " +
                            std::to_string(RecNo()) + "."),
                platform::MessageIcon::Warning);
    } else {
        m.caption = title2_ + "  " + title1_ + "  (" + OemToAnsiText(FileNameToOem(m.TablePath)) + ")";
        tzdbf.SetHideDeletedRecs(false);
        // Said at every open of the browser on such a table, in words that
        // name the table and what becomes of an edit (a copy that ends with
        // the program, or no change at all) rather than only that the
        // temporary directory is used: nobody is to keep a catalogue in a
        // copy that is gone at Exit. A table opened read-only (a read-only
        // install without a temporary directory of its own) is said so now,
        // not at the first edit.
        if (m.FromTempDir || tzdbf.ReadOnly)
            platform::CurrentPlatform().Messages().ShowOk("", DisplayText(WriteNotice(tzdbf)),
                                                          platform::MessageIcon::Warning);
    }
    m.RecordCount = RecordCount();
    m.RecordNo = RecNo();
    m.GridColumn = telmvar.BrowserGridColumn;
    m.Table = &tzdbf;
    if (platform::CurrentPlatform().Dialogs().RunModal(m) == platform::DialogResult::Ok) {
        SelectAndClose(m);
    } else {
        tzdbf.Cancel();
        telmvar.Aborted = true;
        telmvar.LastKeyChar = 27;
    }
}

void Tdbf4::SelectAndClose(TDbfBrowserModel& model)
{
    telmvar.Aborted = false;
    if (tzdbf.State() == TDataSetState::Edit) Quiet([&] { return tzdbf.Post(); });
    // A record marked for deletion while the table hides them (a pick) is
    // not taken: the current record stays the choice.
    const int32_t n = model.RecordNo;
    std::string flag;
    if (n >= 1 && n <= RecordCount() && n != RecNo()) {
        if (tzdbf.HideDeletedRecs()) tzdbf.Peek(0, n, flag);
        if (flag != "*") GoRecord(n);
    }
    telmvar.LastKeyChar = 13;
    telmvar.SelectedRecordNo = RecNo();
    telmvar.BrowserGridRow = model.GridRow;
    telmvar.BrowserGridColumn = model.GridColumn;
}

bool Tdbf4::GoRecord(int32_t n)
{
    return Quiet([&] { return tzdbf.Go(n); });
}

void Tdbf4::First()
{
    Quiet([&] {
        tzdbf.First();
        return 0;
    });
}

void Tdbf4::CloseTable()
{
    tzdbf.SetActive(false);
    Arrow();
}

bool Tdbf4::NewRecord()
{
    if (!tzdbf.Active() || tzdbf.ReadOnly) return false;
    // The dataset's insert: the work area's record cleared and its numbers
    // marked blank until they are given a value.
    return Quiet([&] {
        tzdbf.DsInsert();
        return tzdbf.State() == TDataSetState::Insert;
    });
}

bool Tdbf4::AppendRecord()
{
    return Quiet([&] { return tzdbf.Active() && tzdbf.AppendWithLock(); });
}

bool Tdbf4::AppendCopy()
{
    return Quiet([&] {
        if (!tzdbf.Active() || !tzdbf.CheckCommand("AppendCopy")) return false;
        if (TWorkArea* a = SelectedArea(); a != nullptr) {
            EnsureNative(*a);
            KeepBlankNumbers(*a);
        }
        return tzdbf.AppendWithLock();
    });
}

int32_t Tdbf4::RecNo()
{
    return tzdbf.Active() ? Quiet([&] { return tzdbf.RecNo(); }) : 0;
}

int32_t Tdbf4::RecordCount()
{
    return tzdbf.Active() ? Quiet([&] { return tzdbf.RecordCount(); }) : 0;
}

bool Tdbf4::Pack()
{
    Hourglass();
    TAutoReportOff quiet;
    dberror.DbErrorCode = 0;
    const bool ok = tzdbf.Pack();
    // The caller says why nothing was packed, at once and in its words.
    packErrorCode_ = ok ? 0 : dberror.DbErrorCode;
    packedWithoutIndex_ = !ok && dbcmd.PackIndexNotRebuilt;
    packErrorText_ = ok ? std::string() : GetErrorMessage();
    TakeErrorText();
    Arrow();
    return ok;
}

// The engine and the component's command guard report every failure
// themselves: a caller that tests this code must not report it a second time.
uint16_t Tdbf4::ErrorCode() const
{
    return 0;
}

void Tdbf4::ClearError() {}

void Tdbf4::Search(const std::string& text, bool& found, bool fromStart)
{
    searchText_ = text;
    Quiet([&] {
        tzdbf.Search(text, found, fromStart);
        return 0;
    });
}

int32_t Tdbf4::FieldCount()
{
    return tzdbf.Active() ? Quiet([&] { return tzdbf.FieldCount(); }) : 0;
}

std::string Tdbf4::FieldName(int n)
{
    if (!tzdbf.Active() || n < 1 || n > FieldCount()) return "";
    return Quiet([&] { return tzdbf.FieldName(n); });
}

std::string Tdbf4::FieldText(int n)
{
    if (!tzdbf.Active()) return "";
    return Quiet([&] { return tzdbf.SField(n); });
}

bool Tdbf4::StoredField(int n, char& type, int& length, int& decimals, std::string& text)
{
    text.clear();
    if (!tzdbf.Active()) return false;
    return Quiet([&] { return tzdbf.StoredField(n, type, length, decimals, text); });
}

bool Tdbf4::SetFieldText(int n, const std::string& text)
{
    const std::string name = FieldName(n);
    return !name.empty() && SetFieldTextByName(name, text);
}

bool Tdbf4::SetFieldFloat(int n, double value)
{
    const std::string name = FieldName(n);
    return !name.empty() && SetFieldFloatByName(name, value);
}

bool Tdbf4::SetFieldTextByName(const std::string& name, const std::string& text)
{
    return tzdbf.Active() && Quiet([&] { return tzdbf.SetFieldText(name.substr(0, 10), text); });
}

bool Tdbf4::SetFieldFloatByName(const std::string& name, double value)
{
    return tzdbf.Active() && Quiet([&] { return tzdbf.SetFieldFloat(name.substr(0, 10), value); });
}

bool Tdbf4::SetFieldIntByName(const std::string& name, int32_t value)
{
    return tzdbf.Active() && Quiet([&] { return tzdbf.SetFieldInt(name.substr(0, 10), value); });
}

bool Tdbf4::SetFieldBoolByName(const std::string& name, bool value)
{
    return tzdbf.Active() && Quiet([&] { return tzdbf.SetFieldBool(name.substr(0, 10), value); });
}

bool Tdbf4::FieldBoolByName(const std::string& name)
{
    return tzdbf.Active() && Quiet([&] { return tzdbf.FieldBoolByName(name.substr(0, 10)); });
}

bool Tdbf4::IndexOn(const std::string& key, const std::string& file)
{
    Hourglass();
    const bool ok = tzdbf.Active() && Quiet([&] { return tzdbf.IndexOn(key, file); });
    Arrow();
    return ok;
}

bool Tdbf4::SetIndexTo(const std::string& file)
{
    Hourglass();
    // The index engine adds the index extension itself, in the case it
    // writes the file with.
    const bool ok = tzdbf.Active() && Quiet([&] { return tzdbf.SetIndexTo(file); });
    Arrow();
    return ok;
}

void Tdbf4::Find(const std::string& key)
{
    Hourglass();
    const std::string k = key.substr(0, 255);
    found_ = tzdbf.Active() && Quiet([&] { return tzdbf.Find(k); });
    if (!found_ && std::count(k.begin(), k.end(), ',') == 1) {
        std::string dotted = k;
        dotted[dotted.find(',')] = '.';
        found_ = Quiet([&] { return tzdbf.Find(dotted); });
    }
    Arrow();
}

// ---- the program's table access

bool CheckFileExists(const std::string& Path)
{
    // Opened without waiting: a FIFO in a table's place would block the run
    // until somebody wrote into it. It is named as what it is. A backslash of the
    // configured directory separates as everywhere in the file layer.
    const int fd = ::open(NativePath(Path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    bool other = false;
    if (fd >= 0) {
        struct stat st {
        };
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        other = !regular && !S_ISDIR(st.st_mode);
        ::close(fd);
        if (regular) return true;
    }
    const std::string why =
        other ? " not a regular file (a pipe or a device), not read" : " not found or no access !";
    platform::CurrentPlatform().Messages().ShowOk("", DisplayText("file " + FileNameToOem(Path) + why),
                                                  platform::MessageIcon::Error);
    telmvar.Aborted = true;
    return false;
}

std::string TempFilePath(const std::string& Name)
{
    return RunTempPath(Name);
}

bool DbfOpen(const std::string& Name)
{
    const std::string dir = wtelmvar.CopyDbfToTemp ? RunTempPath("") : telmvar.DbfDir;
    std::string name = Name;
    if (name.find('.') == std::string::npos) name += ".dbf";
    const std::string key = UpperName(name);
    std::string path = AddTrailingBackslash(dir) + name;
    const auto copied = dbf4.CopiedToTemp.find(key);
    const std::string tempPath = TempFilePath(name);
    // The table as it lies in the table directory, the one a copy is made of.
    const std::string original = AddTrailingBackslash(telmvar.DbfDir) + name;
    TTableRefusal why = TTableRefusal::None;
    std::error_code ec;
    if (copied != dbf4.CopiedToTemp.end() && std::filesystem::exists(tempPath, ec)) {
        // Used from the temporary copy already in this run: keep the copy.
        path = tempPath;
        why = copied->second;
    } else {
        if (!CheckFileExists(path)) return false;
        const bool dirWritable = WriteCheck(dir);
        // The read-only attribute: no write permission bit on the file (a
        // file whose state cannot be read counts as writable).
        struct stat st {
        };
        const bool fileWritable =
            ::stat(NativePath(path).c_str(), &st) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
        if (!dirWritable || !fileWritable) {
            why = fileWritable ? TTableRefusal::ReadOnlyDirectory : TTableRefusal::ReadOnlyFile;
            // Without a temporary directory of its own there is nowhere to
            // put a writable copy: the table is used read-only where it is.
            if (telmvar.TempDir.empty() ||
                NativePath(RunTempPath("")) == NativePath(AddTrailingBackslash(telmvar.DbfDir))) {
                dbf4.OpenTable(path, true);
                if (!dbf4.tzdbf.Active()) {
                    telmvar.Aborted = true;
                    return false;
                }
                dbf4.RefusedPath = path;
                dbf4.Refusal = why;
                return true;
            }
            if (!CopyTableToTemp(name)) {
                telmvar.Aborted = true;
                return false;
            }
            dbf4.CopiedToTemp[key] = why;
            path = tempPath;
        }
    }
    const uint16_t errorsBefore = error0.ErrorCount;
    DbfOpenFile(path);
    if (!dbf4.tzdbf.Active()) {
        // A damaged table: say so at once, the caller only stops.
        const std::string why = error0.ErrorCount > errorsBefore ? error0.ErrorTexts[error0.ErrorCount] : "";
        // The message list's text is the program's (code page 437), as is
        // the name put in.
        platform::CurrentPlatform().Messages().ShowOk(LibraryErrorCaption,
                                                      DisplayText("file " + FileNameToOem(path) +
                                                                  " cannot be opened as a table" +
                                                                  (why.empty() ? "" : "\r\n" + why)),
                                                      platform::MessageIcon::Error);
        telmvar.Aborted = true;
        return false;
    }
    if (why != TTableRefusal::None) {
        dbf4.RefusedPath = original;
        dbf4.Refusal = why;
    }
    return true;
}

void DbfOpenFile(const std::string& Path)
{
    dbf4.OpenTable(Path);
}

TDbfReadSettings DbfReadSettings()
{
    const auto& t = dbf4.tzdbf;
    TDbfReadSettings s;
    s.Exclusive = t.Exclusive;
    s.DesignTime = t.DesignTime;
    s.CreateIfNotFound = t.CreateIfNotFound;
    s.AutoFixRecCount = t.AutoFixRecCount;
    s.HideDeleted = t.HideDeletedRecs();
    s.TableLanguage = static_cast<int>(t.TableLanguage);
    s.CreateIndex = static_cast<int>(t.CreateIndex);
    s.IndexList = t.IndexList;
    s.ExtraVersion = dbffile.ExtraVersion;
    s.ExtraMemoVersion = dbffile.ExtraMemoVersion;
    s.SharedAccess = dbcmd.SharedAccess;
    s.DefaultOpenMode = dbcmd.DefaultOpenMode;
    s.ForcedOpenMode = dbcmd.ForcedOpenMode;
    return s;
}

bool DbfOpensInPlace(const std::string& Name)
{
    if (wtelmvar.CopyDbfToTemp || dbf4.CopiedToTemp.count(UpperName(Name)) > 0) return false;
    for (const auto& area : dbcmd.WorkAreas)
        if (area != nullptr) return false;
    return ::access(NativePath(AddTrailingBackslash(telmvar.DbfDir)).c_str(), W_OK | X_OK) == 0;
}

void DbfSetTitles(const std::string& Title1, const std::string& Title2)
{
    dbf4.SetTitles(DisplayText(Title1), DisplayText(Title2));
}

void DbfBrowse(const std::string& Action, uint16_t Mode)
{
    if (!dbf4.tzdbf.Active()) {
        telmvar.Aborted = true;
        return;
    }
    dbf4.Browse(Action, Mode);
}

bool DbfGo(int32_t n)
{
    const int32_t count = dbf4.RecordCount();
    if (n > count || count == 0) {
        AddErrorMessage("DBF #" + std::to_string(n) + " not found.");
        if (count == 0) return false;
        n = count;
    }
    DbfGoClamped(n);
    return true;
}

void DbfGoClamped(int32_t n)
{
    if (n >= 1 && n <= dbf4.RecordCount())
        dbf4.GoRecord(n);
    else if (dbf4.RecordCount() > 0)
        dbf4.GoRecord(1);
}

void DbfFirst()
{
    dbf4.First();
}
void DbfClose()
{
    dbf4.CloseTable();
}
bool DbfNewRecord()
{
    return dbf4.NewRecord();
}
bool DbfAppendRecord()
{
    return dbf4.AppendRecord();
}
int32_t DbfRecNo()
{
    return dbf4.RecNo();
}
int32_t DbfRecCount()
{
    return dbf4.RecordCount();
}
std::string DbfFieldName(int n)
{
    return dbf4.FieldName(n);
}
std::string DbfFieldText(int n)
{
    return dbf4.FieldText(n);
}
TDbfStoredField DbfStoredField(int n)
{
    TDbfStoredField f;
    if (!dbf4.StoredField(n, f.Type, f.Length, f.Decimals, f.Text)) return {};
    f.Name = dbf4.FieldName(n);
    return f;
}
void DbfSetFieldText(int n, const std::string& Text)
{
    dbf4.SetFieldText(n, Text);
}
void DbfSetFieldFloat(int n, double Value)
{
    dbf4.SetFieldFloat(n, Value);
}
bool DbfFieldBoolByName(const std::string& Name)
{
    return dbf4.FieldBoolByName(Name);
}
void DbfSetFieldBoolByName(const std::string& Name, bool Value)
{
    dbf4.SetFieldBoolByName(Name, Value);
}
void DbfSetFieldTextByName(const std::string& Name, const std::string& Text)
{
    dbf4.SetFieldTextByName(Name, Text);
}
void DbfSetFieldFloatByName(const std::string& Name, double Value)
{
    dbf4.SetFieldFloatByName(Name, Value);
}
void DbfSetFieldIntByName(const std::string& Name, int32_t Value)
{
    dbf4.SetFieldIntByName(Name, Value);
}
bool DbfFound()
{
    return dbf4.Found();
}
void DbfIndexOn(const std::string& Key, const std::string& Path)
{
    dbf4.IndexOn(Key, Path);
}
void DbfCreateTempIndex(const std::string& Key, const std::string& Name)
{
    const std::string path = TempFilePath(Name);
    DbfIndexOn(Key, path);
    dbf4.SetIndexTo(path);
}
void DbfFind(const std::string& Key)
{
    dbf4.Find(Key);
}

long double DbfFieldFloat(int n)
{
    return TextToFloat(Trimmed(DbfFieldText(n)));
}
int32_t DbfFieldInt(int n)
{
    const std::string t = Trimmed(DbfFieldText(n));
    int32_t v = TextToInt(t);
    if (v == 0 && !t.empty()) {
        // A whole number stored with decimals ("1000.00") is still that number.
        const long double f = TextToFloat(t);
        if (f >= -2147483648.0L && f <= 2147483647.0L) v = static_cast<int32_t>(f < 0 ? f - 0.5L : f + 0.5L);
    }
    return v;
}
