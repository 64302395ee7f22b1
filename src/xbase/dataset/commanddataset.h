#pragma once
// The command dataset: the work-area dataset with the properties of a table
// component and xBase-style commands that act on the dataset's work area and
// then bring the dataset back in step. Every command first passes the
// command guard with its own name. Field values set in edit state go at once
// into the work area's record (the native record); a post replaces the
// current record with it, AppendRec appends it as a new record, and any
// positioning command before that reads the record again from the file (the
// values are dropped).

#include "xbase/dataset/workareadataset.h"

#include <cstdint>
#include <string>
#include <vector>

class TTzCDataSet : public TTzDataSet
{
  public:
    explicit TTzCDataSet(std::string name = "") : TTzDataSet(std::move(name)) {}
    ~TTzCDataSet() override;

    // The dataset can be modified exactly when this is false.
    bool ReadOnly = false;

    // ---- properties
    // Trimmed; a name not ending in "." gets ".DBF" when it has no extension.
    // An open dataset is closed and reopened on the new file.
    void SetDbfFileName(const std::string& name);
    bool Active() const { return state_ != TDataSetState::Inactive; }
    // Opening reports failure (false, the engine's error set); closing
    // cancels a pending edit.
    bool SetActive(bool on);
    void SetHideDeletedRecs(bool on);

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
    bool IsEmpty() override { return !DesignTime && RecordCount() == 0; }

    // ---- fields
    int FieldCount();
    std::string FieldName(int n); // empty when n is not a field
    int FieldLen(int n);
    std::string SField(int n); // the field's text of the current record
    // The descriptor of field n and its bytes in the current record as the
    // file holds them, before any conversion; false when n is no field or
    // there is no record.
    bool StoredField(int n, char& type, int& length, int& decimals, std::string& text);
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
    // Begins an edit of the current record, read again from the file; on an
    // empty table a new record begins instead (the framework's Insert).
    bool Edit();
    // An edited record is written over the current record under a record
    // lock: the fields this edit changed, into the record as the file holds
    // it then; a field another user changed since the edit began as well
    // refuses the post with a box and ends the edit (false, browsing the
    // file's record). A new record is appended as the last one under an
    // append lock. A refused lock fails the post (false) and the dataset
    // stays in its state with its values.
    bool Post();
    void Cancel();
    // The plain command: the caller holds the append or file lock.
    bool AppendRec();
    bool Delete();
    bool Restore();
    bool Pack();

    // ---- bookmarks: the record number
    using TTzPrimDataset::CompareBookmarks;
    int32_t GetBookmark();
    bool GotoBookmark(int32_t bookmark);
    static int CompareBookmarks(int32_t a, int32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

    // ---- locate: fields ("NAME;QTY"), their values as texts
    using TTzPrimDataset::Locate;
    bool Locate(const std::string& fields, const std::vector<std::string>& values, bool caseInsensitive,
                bool partialKey);

    // ---- transfer
    bool AppendFrom(const std::string& file);

    // ---- memo fields: the text of the current record's memo, and a new
    // text stored for it (an empty text clears the memo).
    std::string MemoText(int n);
    bool SetMemoText(int n, const std::string& text);

    // ---- search
    void Search(const std::string& text, bool& found, bool fromStart);

  protected:
    bool Open();
    void Close();
    // After a command that moved or changed records: a pending edit is
    // dropped and the current record read again from the file.
    void ResyncFromWorkArea();
    // The dataset's active buffer and crack flags taken from the work area's
    // current record, without moving.
    void SyncBuffers();
    bool EnsureEditable();
    void ValueIntoBuffer();
};
