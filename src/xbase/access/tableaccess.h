#pragma once
// The one object through which the program reaches its catalogue tables, and
// the Dbf... routines the calculation code calls. One table is open at a
// time: opening a table points the table component at the new file.
//
// The table directory (telmvar.DbfDir) may be read-only; then a table is used
// from a copy in the temporary directory, made once per run together with
// its memo and index files, so that edits made in the copy survive the next
// open.

#include "foundation/formmodel.h"
#include "xbase/dataset/tablecomponent.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Why a table opened by DbfOpen is not written where it lies.
enum class TTableRefusal { None, ReadOnlyFile, ReadOnlyDirectory };

// What the table browser shows and hands back. A toolkit form binds it; the
// headless host lets a script pick a row (RecordNo) and press OK, or answers
// Cancel when nobody is there. The record number edit is a form row bound
// to RecordNo; a text in it that is no number reads as 0.
class TDbfBrowserModel final : public TFormModel
{
  public:
    TDbfBrowserModel();
    std::string FormName() const override { return "dbf4"; }
    std::string Caption() const override { return caption; }
    // In edit mode the caption names the table's path, shown whole.
    std::optional<NamedCaption> CaptionWithFileName() const override;

    std::string caption;
    std::string Title1;
    std::string Title2;
    std::string Action;
    uint16_t Mode = 0;
    bool PickMode = false;    // modes 1, 4, 5: choose a row, no editing
    bool CloseOnPick = false; // action "CLOSE": a click picks and closes
    bool FromTempDir = false; // the table shown is the temporary copy
    std::string TablePath;    // as the file system has it
    int32_t RecordCount = 0;
    int32_t RecordNo = 0; // the current row; the user's choice on OK
    int32_t GridRow = 0;
    int32_t GridColumn = 0;
    TTzDbf* Table = nullptr; // for the form's grid
};

class Tdbf4
{
  public:
    TTzDbf tzdbf{"tzdbf"};

    // Read-only: the table can be read and browsed, every change is refused.
    void OpenTable(const std::string& path, bool readOnly = false);
    void SetTitles(const std::string& title1, const std::string& title2);
    void Browse(const std::string& action, uint16_t mode);
    void SelectAndClose(TDbfBrowserModel& model);
    bool GoRecord(int32_t n);
    void First();
    void CloseTable();
    // Begins a new record with every field empty (a number blank, not 0):
    // the setters that follow fill it, and AppendRecord appends it. False
    // when no table is open or it is read-only.
    bool NewRecord();
    // Appends the record buffer (the current record with any values set
    // since) under an append lock; true when a record was appended.
    bool AppendRecord();
    // Appends a copy of the current record as the file holds it: a number
    // it holds blank stays blank in the copy.
    bool AppendCopy();
    int32_t RecNo();
    int32_t RecordCount();
    // False when nothing was packed, or when the table was packed but its
    // index could not be rebuilt (PackedWithoutIndex); the engine's code and
    // message of the failure are kept (32: another user holds the table open).
    bool Pack();
    uint16_t PackErrorCode() const { return packErrorCode_; }
    const std::string& PackErrorText() const { return packErrorText_; }
    // The last failed Pack packed the table but could not rebuild its index.
    bool PackedWithoutIndex() const { return packedWithoutIndex_; }
    // Always 0: the object keeps no error of its own (see ErrorCode), and
    // clearing it does nothing.
    uint16_t ErrorCode() const;
    void ClearError();
    void ResetError() { ClearError(); }
    void Search(const std::string& text, bool& found, bool fromStart);
    int32_t FieldCount();
    std::string FieldName(int n);
    std::string FieldText(int n);
    bool StoredField(int n, char& type, int& length, int& decimals, std::string& text);
    bool SetFieldText(int n, const std::string& text);
    bool SetFieldFloat(int n, double value);
    bool SetFieldTextByName(const std::string& name, const std::string& text);
    bool SetFieldFloatByName(const std::string& name, double value);
    bool SetFieldIntByName(const std::string& name, int32_t value);
    bool SetFieldBoolByName(const std::string& name, bool value);
    bool FieldBoolByName(const std::string& name);
    bool IndexOn(const std::string& key, const std::string& file);
    // The index file without its extension.
    bool SetIndexTo(const std::string& file);
    // Seeks the key (cut to 255 characters); a miss with exactly one ","
    // in the key is tried again with "." in its place (decimal comma).
    void Find(const std::string& key);
    bool Found() const { return found_; }
    void SetFound(bool f) { found_ = f; }

    const std::string& Title1() const { return title1_; }
    const std::string& Title2() const { return title2_; }
    const std::string& SearchText() const { return searchText_; }
    bool CloseOnPick() const { return closeOnPick_; }

    // Tables copied to the temporary directory in this run (upper-case file
    // names), with the reason: they are not copied again, so edits in the
    // copy stay.
    std::map<std::string, TTableRefusal> CopiedToTemp;
    // The table open now as it lies in the table directory, and why it is
    // not written there (set by DbfOpen; None for a table written where it
    // lies or opened otherwise).
    std::string RefusedPath;
    TTableRefusal Refusal = TTableRefusal::None;
    // The files those copies made (memo and index files included), removed
    // when the table object is reset at the end of the run.
    std::vector<std::string> TempCopies;

  private:
    std::string title1_;
    std::string title2_;
    std::string searchText_;
    bool found_ = false;
    bool closeOnPick_ = false;
    uint16_t packErrorCode_ = 0;
    bool packedWithoutIndex_ = false;
    std::string packErrorText_;
};

extern Tdbf4 dbf4;
// What becomes of an edit of a table that is read-only or used from the
// run's temporary directory: the table named, why, and that a change cannot
// be stored or goes to a copy that is deleted when the program ends. Empty
// for a table whose changes reach its file.
std::string WriteNotice(const TTzCDataSet& Table);
// Closes the table and restores the start-up state.
void ResetDbf4();

// ---- the program's table access
// Checks that the file can be opened for reading; otherwise a message box
// "file <path> not found or no access !" and Aborted set.
bool CheckFileExists(const std::string& Path);
// Opens the named table of the table directory (".dbf" added when the name
// has no "."); see the header comment for the temporary copy. False (with
// Aborted) when the table is missing or does not open.
bool DbfOpen(const std::string& Name);
void DbfOpenFile(const std::string& Path);

// The settings of the table object and the engine that decide how DbfOpen
// opens a table and what its fields read (read-only is chosen by DbfOpen
// itself): with equal settings and equal file bytes the same record gives
// the same field texts.
struct TDbfReadSettings {
    bool Exclusive = false;
    bool DesignTime = false;
    bool CreateIfNotFound = false;
    bool AutoFixRecCount = false;
    bool HideDeleted = false;
    int TableLanguage = 0;
    int CreateIndex = 0;
    std::vector<std::string> IndexList;
    uint8_t ExtraVersion = 0;
    uint8_t ExtraMemoVersion = 0;
    bool SharedAccess = true;
    uint16_t DefaultOpenMode = 0;
    uint16_t ForcedOpenMode = 0;

    friend bool operator==(const TDbfReadSettings&, const TDbfReadSettings&) = default;
};
TDbfReadSettings DbfReadSettings();
// Whether DbfOpen(Name) would open the file of the table directory itself
// while no other table is open: no temporary copy asked for or made, and
// the directory lets this user make files.
bool DbfOpensInPlace(const std::string& Name);
void DbfSetTitles(const std::string& Title1, const std::string& Title2);
void DbfBrowse(const std::string& Action, uint16_t Mode);
// Positions on record n; beyond the end: message "DBF #n not found." and the
// last record. False on an empty table (message, nothing to position on).
bool DbfGo(int32_t n);
void DbfGoClamped(int32_t n);
void DbfFirst();
void DbfClose();
// A new row that holds only what its caller sets: the setters otherwise
// start from the current record, and DbfAppendRecord would append that
// record's other fields along with the values set.
bool DbfNewRecord();
bool DbfAppendRecord();
int32_t DbfRecNo();
int32_t DbfRecCount();
std::string DbfFieldName(int n);
std::string DbfFieldText(int n);
// Field n of the current record as the file stores it: its descriptor and its
// bytes, before the table layer converts them. The record's own form holds a
// number field without decimals as a 32-bit whole number, rounded and
// clamped; a reader that must refuse such a value rather than take it
// judges these. Type 0 when there is no such field or record.
struct TDbfStoredField {
    std::string Name;
    char Type = 0;
    int Length = 0;
    int Decimals = 0;
    std::string Text;
};
TDbfStoredField DbfStoredField(int n);
void DbfSetFieldText(int n, const std::string& Text);
void DbfSetFieldFloat(int n, double Value);
bool DbfFieldBoolByName(const std::string& Name);
void DbfSetFieldBoolByName(const std::string& Name, bool Value);
void DbfSetFieldTextByName(const std::string& Name, const std::string& Text);
void DbfSetFieldFloatByName(const std::string& Name, double Value);
void DbfSetFieldIntByName(const std::string& Name, int32_t Value);
std::string TempFilePath(const std::string& Name);
void DbfIndexOn(const std::string& Key, const std::string& Path);
// Builds an index on the key expression in the temporary directory and makes
// it the controlling index.
void DbfCreateTempIndex(const std::string& Key, const std::string& Name);
void DbfFind(const std::string& Key);
bool DbfFound();

// Field text as a number: blanks around it are ignored, a text that is not a
// number gives 0, the first "," counts as decimal point.
long double DbfFieldFloat(int n);
int32_t DbfFieldInt(int n);
