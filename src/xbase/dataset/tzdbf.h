#pragma once
// The table component: one DBF table opened in a work area of the command
// set, seen as a dataset with a current record, a browse / edit / insert
// state and field access by number or name. Every command first passes the
// command guard, which selects the dataset's own work area; writes go through
// the command set's locks. Field values set in edit state go at once into the
// work area's record (the native record); a post replaces the current record
// with it, AppendRec appends it as a new record, and any positioning command
// before that reads the record again from the file (the values are dropped).
//
// Plain C++: a table view of a toolkit binds to it, it knows no widgets.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TDataSetState { Inactive, Browse, Edit, Insert, SetKey };
enum class TTzTableLanguage { tlOem, tlAnsi };
enum class TLockKind { Insert, Delete, Restore, Post };
// How the indexes of the index list are opened: built when missing, always
// built, built when their record count differs from the table's, or only
// opened.
enum class TCreateIndexType { ciNotFound, ciAlways, ciVerifyHeader, ciNever };

// Result codes of the record-source operations.
enum : int { TzOk = 0, TzFailed = 1401, TzBof = 1402, TzEof = 1403, TzNoFileName = 1404 };
// The text a record-source code is reported with ("" for TzOk): "Dataset
// error: " + the code for 1401..1403, the file-name text for 1404, else
// "Dataset error: " + the table library's text of the code.
std::string TzCheckText(int code);

// Bytes a field takes in a dataset record buffer: C length + 1, D 8, F and
// N with decimals 8, without decimals 4, L 2, M 4.
int FieldBufferSize(char type, int length, int decimals);

// Called when a write lock was refused; setting Retry asks for another try.
using TTzLockFailedEvent = std::function<void(TLockKind Kind, bool& Retry)>;

// Corrects one field definition the way tables are created: B, G, P become
// M; unknown types become C; N at most 20 long with at most 18 decimals and at
// least 2 places before them; C at most 254 long. Returns true when changed.
bool CorrectFieldDefinition(char& Type, int& Length, int& Decimals);

class TTzDbf {
public:
    TTzDbf() = default;
    explicit TTzDbf(std::string name) : Name(std::move(name)) {}
    ~TTzDbf();
    TTzDbf(const TTzDbf&) = delete;
    TTzDbf& operator=(const TTzDbf&) = delete;

    // Component name, used in the command guard's message and as nothing else.
    std::string Name = "tzdbf";

    // ---- properties
    const std::string& DbfFileName() const { return fileName_; }
    // Trimmed; a name not ending in "." gets ".DBF" when it has no extension.
    // An open dataset is closed and reopened on the new file.
    void SetDbfFileName(const std::string& name);
    bool Active() const { return state_ != TDataSetState::Inactive; }
    // Opening reports failure (false, the engine's error set); closing
    // cancels a pending edit.
    bool SetActive(bool on);
    bool ReadOnly = false;
    bool Exclusive = false;
    TTzTableLanguage TableLanguage = TTzTableLanguage::tlOem;
    bool HideDeletedRecs() const { return hideDeleted_; }
    void SetHideDeletedRecs(bool on);
    TTzLockFailedEvent OnLockFailed;
    // Field definitions for a table created on open when the file does not
    // exist ("NAME, C, 10, 0" each; type X entries are skipped).
    std::vector<std::string> DbfFields;
    bool CreateIfNotFound = false;

    TDataSetState State() const { return state_; }
    uint8_t WorkArea() const { return area_; }

    // The command guard: false (error 1103 set) when the table is not open;
    // else the dataset's work area is selected.
    bool CheckCommand(const std::string& command);

    // ---- navigation (each cancels a pending edit)
    void First();
    void Last();
    void Next();
    void Prior();
    // The command set's GO; false when the table is empty or n is not a
    // record (the position is then the command set's).
    bool Go(int32_t n);
    int32_t RecNo();
    int32_t RecordCount();
    bool Eof();
    bool Bof();
    bool IsEmpty() { return RecordCount() == 0; }

    // ---- fields
    int FieldCount();
    std::string FieldName(int n);  // empty when n is not a field
    int FieldLen(int n);
    std::string SField(int n);     // the field's text of the current record
    int FieldNoByName(const std::string& name);
    // Name cut to 10 characters; puts the dataset into edit state first. False
    // when there is no such field or the dataset is read-only.
    bool SetFieldText(const std::string& name, const std::string& text);
    bool SetFieldFloat(const std::string& name, double value);
    bool SetFieldInt(const std::string& name, int32_t value);
    bool SetFieldBool(const std::string& name, bool value);
    bool FieldBoolByName(const std::string& name);
    // Typed values of field n of the current record: a text right-trimmed,
    // numbers, the logical value, a date as its day number (0 = empty).
    std::string AsString(int n);
    double AsFloat(int n);
    int32_t AsInteger(int n);
    bool AsBoolean(int n);
    double AsDate(int n);
    // True when the field holds no value: an empty date.
    bool IsNull(int n);

    // ---- changes
    bool Edit();
    // Writes the edited record under a record lock; a refused lock fails the
    // post (false) and the dataset stays in edit state with its values.
    bool Post();
    void Cancel();
    // Appends the work area's record (the current one with any values set
    // since) under an append lock; false when nothing was appended.
    bool AppendWithLock();
    // The plain command: the caller holds the append or file lock.
    bool AppendRec();
    bool Delete();
    bool Restore();
    bool Pack();

    // ---- locks
    bool ALock();
    bool FLock();
    void UnLock();

    // ---- indexes
    // Builds the index on the key expression into the file and makes it the
    // controlling order.
    bool IndexOn(const std::string& key, const std::string& file);
    // Opens the index files (a list as the command set takes it).
    bool SetIndexTo(const std::string& files);
    // Seeks the key (cut to 100 characters) in the controlling index; not
    // found leaves the dataset on its last record.
    bool Find(const std::string& key);

    // Indexes opened with the table, one entry each: "order,file,key"
    // (the order only when the first "," stands after position 1).
    std::vector<std::string> IndexList;
    TCreateIndexType CreateIndex = TCreateIndexType::ciNotFound;
    // May refuse a build (Build := false); told after each build.
    std::function<void(const std::string& File, bool& Build)> OnBeforeMakeIndex;
    std::function<void(const std::string& File)> OnAfterMakeIndex;
    // Seeks with whole-key comparison.
    bool FindExact(const std::string& key);

    // ---- record buffer layout
    // Size of the data part of a record buffer: the deletion flag and each
    // field's buffer.
    int RecordDataSize();
    // ---- bookmarks: the record number
    int32_t GetBookmark();
    bool GotoBookmark(int32_t bookmark);
    static int CompareBookmarks(int32_t a, int32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

    // ---- locate: fields ("NAME;QTY"), their values as texts
    bool Locate(const std::string& fields, const std::vector<std::string>& values, bool caseInsensitive,
                bool partialKey);

    // ---- transfer
    bool AppendFrom(const std::string& file);
    int32_t AppendFromDelimited(const std::string& file);
    bool CopyToDelimited(const std::string& file);

    // ---- memo fields: the text of the current record's memo, and a new
    // text stored for it (an empty text clears the memo).
    std::string MemoText(int n);
    bool SetMemoText(int n, const std::string& text);

    // ---- search
    void Search(const std::string& text, bool& found, bool fromStart);
    void Peek(int field, int32_t record, std::string& text);

private:
    bool Open();
    bool OpenIndexList();
    void RebuildFieldList();
    void Close();
    void Resync();
    bool LockedWrite(TLockKind kind);
    bool EnsureEditable();

    std::string fileName_;
    TDataSetState state_ = TDataSetState::Inactive;
    uint8_t area_ = 0;
    bool hideDeleted_ = false;
};
