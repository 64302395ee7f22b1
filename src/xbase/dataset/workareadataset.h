#pragma once
// The dataset over one work area of the command set: the record-source
// operations of the primary dataset carried out by commands on the work area
// the dataset owns while it is open, the conversion between the work area's
// record and a dataset record buffer, the field list of the table and the
// field classes for DBF fields.
//
// Record buffer data part (after the deletion flag byte), per DBF type:
//   C length + 1 (length byte, characters), D 8 (date-time value, 0 = empty),
//   F / N with decimals 8 (64-bit real), without decimals 4 (32-bit signed),
//   L 2 (first byte the stored character), M 4 (memo block number).

#include "xbase/dataset/primarydataset.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TTzTableLanguage { tlOem, tlAnsi };

// The texts logical fields are shown with (at most 20 characters each).
struct TUCommon {
    std::string YesText = "yes";
    std::string NoText = "no";
};
extern TUCommon ucommon;
void ResetUCommon();
// Start-up of the dataset unit: the logical texts, and the engine's date
// order and century flag from the system's short date format: century on
// when it holds "YYYY"; year first when it starts with "Y"; day-first
// formats take the order of their separator ("-", "." or another).
void InitDatasetUnit(const std::string& shortDateFormat, const std::string& yes = "yes",
                     const std::string& no = "no");

// Date-time values: days since 30 December 1899; 0 is the empty date.
double DateTimeOfKey(const std::string& key); // YYYYMMDD
std::string KeyOfDateTime(double value);
// A date text in the engine's display order to a date-time value; 0 for an
// invalid or blank text.
double DateTextToDateTime(const std::string& text);

// One DBF field of the table's field list.
struct TDTField {
    std::string Name;
    uint8_t FieldType = 'C';
    uint16_t Length = 0;
    uint16_t Decimals = 0;
    uint16_t Offset = 0; // in the record image
};

// The field list: the record image of the work area (its raw record for a
// live table, a private copy at design time) and one item per field.
class TDbfFieldProps
{
  public:
    void Assign(const std::vector<TDTField>& fields, std::string* liveImage);
    int Count() const { return static_cast<int>(items_.size()); }
    const TDTField& Item(int n) const { return items_[static_cast<std::size_t>(n - 1)]; }
    std::string Name(int n) const { return Valid(n) ? Item(n).Name : ""; }
    char Type(int n) const { return Valid(n) ? static_cast<char>(Item(n).FieldType) : '\0'; }
    int Length(int n) const { return Valid(n) ? Item(n).Length : 0; }
    int Decimals(int n) const { return Valid(n) ? Item(n).Decimals : 0; }
    // Address in the record image; field 0 is the deletion flag byte.
    char* Address(int n);

  private:
    bool Valid(int n) const { return n >= 1 && n <= Count(); }
    std::vector<TDTField> items_;
    std::string* live_ = nullptr;
    std::string copy_;
};

class TTzDataSet;

// ---- field classes: a value of the active record seen through the dataset.
enum class TDsFieldKind { String, Date, Float, Integer, Boolean, Memo };

class TField
{
  public:
    TField(TTzDataSet& dataset, const TDsField& field, TDsFieldKind kind)
        : ds_(dataset), f_(field), kind_(kind)
    {
    }
    virtual ~TField() = default;
    TDsFieldKind Kind() const { return kind_; }
    const TDsField& Def() const { return f_; }
    bool IsNull();
    std::string AsString();
    double AsFloat();
    int32_t AsInteger();
    bool AsBoolean();
    void SetAsString(const std::string& text);
    void SetAsFloat(double value);
    void SetAsInteger(int32_t value);
    void SetAsBoolean(bool value);
    virtual std::string GetText() { return AsString(); }
    virtual void SetText(const std::string& text) { SetAsString(text); }
    int DisplayWidth() const { return displayWidth_; }
    // The framework's range: 1 .. 255; false (width kept) outside.
    virtual bool SetDisplayWidth(int width);

  protected:
    TTzDataSet& ds_;
    TDsField f_;
    TDsFieldKind kind_;
    int displayWidth_ = 10;
};

// Number fields accept any display width from 0 to 20.
class TTzIntegerField : public TField
{
  public:
    using TField::TField;
    bool SetDisplayWidth(int width) override;
};
class TTzFloatField : public TField
{
  public:
    using TField::TField;
    bool SetDisplayWidth(int width) override;
};
// Date fields: text in the engine's date form (at most 10 characters); an
// empty date text clears the field.
class TTzDateField : public TField
{
  public:
    using TField::TField;
    std::string GetText() override;
    void SetText(const std::string& text) override;
};

class TTzDataSet : public TTzPrimDataset
{
  public:
    explicit TTzDataSet(std::string name = "") : Name(std::move(name)) {}
    ~TTzDataSet() override;

    // Component name, used in the command guard's message.
    std::string Name;
    // Field definitions, one "NAME, T, L, D" entry per field; rebuilt from
    // the table when it opens.
    std::vector<std::string> DbfFields;
    bool ShowProgress = true;
    TTzTableLanguage TableLanguage = TTzTableLanguage::tlOem;
    // Being designed: files are opened only to read their structure.
    bool DesignTime = false;
    std::function<void()> BeforeRestore;
    std::function<void()> AfterRestore;

    const std::string& DbfFileName() const { return fileName_; }
    bool HideDeletedRecs() const { return hideDeleted_; }
    uint8_t WorkArea() const { return area_; }
    bool AtBof() const { return atBof_; }
    bool AtEof() const { return atEof_; }
    TDbfFieldProps& FieldProps() { return props_; }
    // Offset of each field inside the data part of a buffer.
    const std::vector<int>& FieldOffsets()
    {
        RecordSize();
        return offsets_;
    }

    // ---- own operations, in slot order
    // The command guard: false (error 1103 set, nothing done) when the
    // dataset owns no work area; else its work area is selected.
    virtual bool CheckCommand(const std::string& command);
    virtual void DoBeforeRestore();
    virtual void DoAfterRestore();
    virtual void PostInsertBuffer();
    virtual bool IsVirtual() { return false; }
    virtual void MarkModified() {}
    virtual void CloseSource() {}
    virtual bool OpenSource(const std::string& file) = 0;
    virtual bool AppendWithLock() = 0;
    virtual bool DeleteWithLock() = 0;
    virtual bool RestoreWithLock() = 0;
    virtual bool ReplaceWithLock() = 0;
    virtual bool UsesWorkArea() { return !DesignTime; }

    // ---- the record source
    int TziSetToBegin() override;
    int TziSetToEnd() override;
    int TziOpen() override;
    int TziClose() override;
    int32_t TziGetRecordCount() override;
    int TziForceReread() override;
    int TziAppendRecord(uint8_t* buffer) override;
    int TziInsertRecord(uint8_t* buffer) override;
    int TziDeleteRecord() override;
    int TziInitRecord(uint8_t* buffer) override;
    int TziPostRecord(uint8_t* buffer, int flag) override;
    uint16_t TziGetRecordSize() override { return RecordSize(); }
    uint8_t TziGetAccessMode() override { return 2; }
    int TziGetRecord(uint8_t* buffer, int32_t& recNo) override;
    int TziGetNextRecord(uint8_t* buffer, int32_t& recNo) override;
    int TziGetPriorRecord(uint8_t* buffer, int32_t& recNo) override;
    int TziGetFieldData(const TDsField& field, const uint8_t* buffer, bool& hasValue,
                        uint8_t* value) override;
    int TziSetFieldData(const TDsField& field, uint8_t* buffer, const uint8_t* value) override;
    int TziSetRecNo(int32_t n) override;
    bool TziLocate(const std::string& fields, const std::vector<std::string>& values,
                   TLocateOptions options) override;
    int TziLookup(const std::string& fields, const std::vector<std::string>& values,
                  const std::string& resultFields, std::vector<std::string>& result) override;
    uint16_t TziGetBookmarkSize() override { return 4; }
    int TziGotoBookmark(const uint8_t* bookmark) override;
    int TziSetToBookmark(uint8_t* bookmark) override;
    int TziCompareBookmarks(const uint8_t* b1, const uint8_t* b2, int& result) override;

    std::string ErrorTextOf(int code) override;
    bool IsEmptyDbf();
    bool IsEmpty() override { return !DesignTime && IsEmptyDbf(); }
    // Opens (or closes) the file in the work area when the dataset does not
    // keep it open; false (error 1103) when the dataset is inactive.
    bool DirectOpenClose(bool open);
    // The framework's post, then a resynchronisation of an empty table.
    void PostDataset();

    // ---- conversion between the work area's record and a buffer
    uint16_t RecordSize();
    void ReadRecordToBuffer(uint8_t* buffer);
    // All fields (field 0) or one field by number; the deletion flag too.
    void WriteBufferToWorkArea(const uint8_t* buffer, int field = 0);

    // ---- fields of the dataset
    TField* FieldByNumber(int n);
    TField* FieldByName(const std::string& name);

  protected:
    // ---- an edit and the changes of other users
    // The framework's Edit reads the record again and takes the copy below.
    void EditBegins() override;
    // Keeps a copy of the work area's current record as the edit begins,
    // in the form a post writes it (after the read step of the table).
    void TakeEditOrigin();
    // Under the record lock, before a post writes: the record is read again
    // from the file and the fields this edit changed (against the copy) are
    // put into it; every other field and the delete mark keep the file's
    // value. False, with the work area holding the record as the file has
    // it, when another user changed one of those fields since the edit
    // began: conflict names it. Without a copy the edit is written whole.
    bool MergeEditWithFile(std::string& conflict);
    // The field definitions of the open table; the component name +
    // ".DbfFields undefined. Set Active to TRUE" when there is no field list.
    void InternalInitFieldDefs() override;
    void InternalClose() override;
    // The framework's field class of a field.
    std::unique_ptr<TField> CreateFieldObject(const TDsField& field);
    void BuildFieldProps();
    void RebuildDbfFields();
    void ResetLayout()
    {
        recordSize_ = 0;
        offsets_.clear();
    }
    int SafeGo(int32_t n);

    uint8_t area_ = 0;
    std::string fileName_;
    bool hideDeleted_ = false;
    bool atBof_ = false;
    bool atEof_ = false;

  private:
    std::string editOrigin_; // the copy taken as the edit began; empty: none
    int32_t editOriginRecord_ = 0;
    uint16_t recordSize_ = 0;
    std::vector<int> offsets_;
    TDbfFieldProps props_;
    std::vector<std::unique_ptr<TField>> fieldObjects_;
};
