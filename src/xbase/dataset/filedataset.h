#pragma once
// The command dataset bound to a DBF file on disk: opened in its work area
// with the requested sharing, with its indexes opened or built, every write
// wrapped in the command set's locks, and index, search, lock and transfer
// commands.

#include "xbase/dataset/commanddataset.h"
#include "xbase/ndx/ndx.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

enum class TLockKind { Insert, Delete, Restore, Post };
enum class TBlobStreamMode { Read, Write };
class TTzBlobStream;
class TTzFileDataSet;
// Gives the index key of the record the dataset's fields show.
using TTzDatasetKeyMaker = std::function<std::string(TTzFileDataSet& DataSet)>;
// How the indexes of the index list are opened: built when missing, always
// built, built when their record count differs from the table's, or only
// opened.
enum class TCreateIndexType { ciNotFound, ciAlways, ciVerifyHeader, ciNever };

// Called when a write lock was refused; setting Retry asks for another try.
using TTzLockFailedEvent = std::function<void(TLockKind Kind, bool& Retry)>;
using TTzLockRetryEvent = std::function<void(bool& Retry)>;

// The text a record-source code is reported with ("" for TzOk): "Dataset
// error: " + the code for 1401..1403, the file-name text for 1404, else
// "Dataset error: " + the table library's text of the code.
std::string TzCheckText(int code);

class TTzFileDataSet : public TTzCDataSet
{
  public:
    explicit TTzFileDataSet(std::string name = "") : TTzCDataSet(std::move(name)) {}
    ~TTzFileDataSet() override;

    bool Exclusive = false;
    // Field definitions for a table created on open when the file does not
    // exist ("NAME, C, 10, 0" each; type X entries are skipped).
    bool CreateIfNotFound = false;
    // The engine repairs a wrong record count in the header while opening.
    bool AutoFixRecCount = false;
    // Indexes opened with the table, one entry each: "order,file,key"
    // (the order only when the first "," stands after position 1).
    std::vector<std::string> IndexList;
    TCreateIndexType CreateIndex = TCreateIndexType::ciNotFound;
    // May refuse a build (Build := false); told after each build.
    std::function<void(const std::string& File, bool& Build)> OnBeforeMakeIndex;
    std::function<void(const std::string& File)> OnAfterMakeIndex;
    // One event per refused lock; when the one for the kind is not set, the
    // common one; when neither is, "Lock failed [...]" is shown.
    TTzLockRetryEvent OnALockFailedOnInsert;
    TTzLockRetryEvent OnRLockFailedOnDelete;
    TTzLockRetryEvent OnRLockFailedOnRestore;
    TTzLockRetryEvent OnRLockFailedOnPost;
    TTzLockFailedEvent OnLockFailed;

    // Changing it on an open dataset closes and reopens it.
    void SetExclusive(bool on);

    // ---- overridden operations
    bool IsSequenced() override;
    // With a controlling index the single value is sought in it (whole key
    // unless the partial-key option is set); else the generic locate.
    bool Locate(const std::string& fields, const std::vector<std::string>& values,
                TLocateOptions options) override;
    using TTzCDataSet::Locate;
    bool OpenSource(const std::string& file) override;
    // Appends the work area's record (the current one with any values set
    // since) under an append lock; false when nothing was appended.
    bool AppendWithLock() override;
    bool DeleteWithLock() override;
    bool RestoreWithLock() override;
    bool ReplaceWithLock() override;
    bool UsesWorkArea() override { return !(DesignTime && Exclusive); }

    // ---- indexes
    // Builds the index on the key expression into the file and makes it the
    // controlling order.
    bool IndexOn(const std::string& key, const std::string& file);
    // Opens the index files (a list as the command set takes it).
    bool SetIndexTo(const std::string& files);
    // Seeks the key (cut to 100 characters) in the controlling index; not
    // found leaves the dataset on its last record.
    bool Find(const std::string& key);
    // Seeks with whole-key comparison.
    bool FindExact(const std::string& key);
    // Builds an index whose keys the callback makes from each record, seen
    // through the dataset's fields; the active record is kept.
    bool IndexOnCB(const std::string& file, TTzDatasetKeyMaker keyMaker);
    // Opens one index at the given order, with its key maker.
    bool SetIndexToCB(const std::string& file, int order, TTzDatasetKeyMaker keyMaker);
    // Opens one index by its long file name at the given order.
    bool SetIndexToLFN(const std::string& file, int order);

    // ---- memo fields as streams (OEM conversion for OEM tables)
    std::unique_ptr<TTzBlobStream> CreateBlobStream(int field, TBlobStreamMode mode);

    // ---- locks
    bool ALock();
    bool FLock();
    void UnLock();

    // ---- transfer
    int32_t AppendFromDelimited(const std::string& file);
    bool CopyToDelimited(const std::string& file);
    void Peek(int field, int32_t record, std::string& text);

  private:
    struct SyncAtEnd;
    bool OpenIndexList();
    TTzKeyMaker WrapKeyMaker(int order);
    // One key maker per index order; order 0 for IndexOnCB.
    std::map<int, TTzDatasetKeyMaker> keyMakers_;
    bool LockedWrite(TLockKind kind);
    // Another user changed a field this edit changed too: the edit ends, the
    // record as the file holds it is shown, and the user is told.
    void RefuseConflictingEdit(const std::string& field);
};
