#pragma once
// TTzLLDataSet: the command dataset over an in-memory virtual file instead
// of a DBF file. Its structure comes from DbfFields; it can be filled from
// the DBF file DbfFileName when it opens and written back to it when it
// closes. TTzVFile is the same class under the name forms use.

#include "xbase/dataset/commanddataset.h"
#include "xbase/dbf/dbfformat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class LStatusType { FIFO, LIFO, INSERTION, ASCENDING, DESCENDING };

class TTzLLDataSet;
// The key of the record the dataset's fields show (the active record).
using TTzVFileKeyMaker = std::function<void(TTzLLDataSet& Sender, std::string& Key)>;

class TTzLLDataSet : public TTzCDataSet
{
  public:
    explicit TTzLLDataSet(std::string name = "") : TTzCDataSet(std::move(name)) {}
    ~TTzLLDataSet() override;

    // Filled from DbfFileName after opening; written back on close when
    // modified.
    bool PopulateFromDisk = false;
    bool SaveToDisk = false;
    TTzVFileKeyMaker KeyMaker;

    LStatusType AppendMode() const { return appendMode_; }
    // Sorted modes register the key maker and sort the file at once.
    void SetAppendMode(LStatusType mode);
    bool Modified() const { return modified_; }

    // Opens (true) or closes; opening applies the append mode and fills from
    // disk. False when the field list is unusable or the engine failed.
    bool Open();
    void Close();

    // ---- the virtual file's own operations
    bool IsVirtual() override { return true; }
    void MarkModified() override { modified_ = true; }
    void CloseSource() override;
    bool OpenSource(const std::string& file) override;
    bool AppendWithLock() override;
    bool DeleteWithLock() override;
    bool RestoreWithLock() override;
    bool ReplaceWithLock() override;
    // Copies every record of DbfFileName in (deleted ones skipped when they
    // are hidden). False when the file does not open.
    bool DoPopulateFromDisk();
    // Writes every record to DbfFileName through a temporary file renamed
    // over the table once complete: a failure leaves the old table.
    bool DoSaveToDisk();
    // The key of the work area's record (KeyMaker, else field 1's text).
    std::string MakeKey();

  private:
    void ApplyMode(LStatusType mode);
    bool modified_ = false;
    LStatusType appendMode_ = LStatusType::FIFO;
    std::vector<uint8_t> image_;
};

// The published form of the dataset.
class TTzVFile : public TTzLLDataSet
{
  public:
    explicit TTzVFile(std::string name = "") : TTzLLDataSet(std::move(name)) {}
};

// Unique name of a virtual file of this run: "*" + a counter + "* VIRTUAL
// FILE", then " ASCENDING" or " DESCENDING" for the sorted modes.
std::string VirtualFileOpenText(LStatusType mode);
// One DbfFields entry as a virtual field: exactly three "," are required.
bool VirtualFieldOfEntry(const std::string& entry, TDbfField& field, bool& skipped);
