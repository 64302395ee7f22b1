#include "xbase/vfile/vfiledataset.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ui/messagewindows.h"
#include "xbase/vfile/dbvfile.h"
#include "xbase/xbaselib.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>

namespace
{

// Virtual files and their disk companions need names no other open file
// has; a counter gives them without waiting for the clock to change.
unsigned NextNumber()
{
    static std::atomic<unsigned> counter{0};
    return ++counter;
}

// The progress window of a copy between the disk and the virtual file: a
// tick every hundredth of the records, shown only for tables of at least 100
// records, where the copy takes long enough to be noticed.
class TCopyProgress
{
  public:
    TCopyProgress(bool show, const char* title, int32_t count) : every_(count / 100)
    {
        if (show && count >= 100) window_ = std::make_unique<TTzProgress100>(title);
    }
    void Record(int32_t r)
    {
        if (window_ && r % every_ == 0) window_->Step();
    }

  private:
    int32_t every_;
    std::unique_ptr<TTzProgress100> window_;
};

uint8_t Order(LStatusType m)
{
    switch (m) {
    case LStatusType::FIFO:
        return VFileFifo;
    case LStatusType::LIFO:
        return VFileLifo;
    case LStatusType::INSERTION:
        return VFileInsertion;
    case LStatusType::ASCENDING:
        return VFileAscending;
    case LStatusType::DESCENDING:
        return VFileDescending;
    }
    return VFileFifo;
}

bool Sorted(LStatusType m)
{
    return m == LStatusType::ASCENDING || m == LStatusType::DESCENDING;
}

// Selects an area for the scope and the previous one again afterwards.
struct AreaGuard {
    uint8_t previous = dbcmd.CurrentArea;
    ~AreaGuard() { Select(previous); }
};

} // namespace

std::string VirtualFileOpenText(LStatusType mode)
{
    std::string text = "*" + std::to_string(NextNumber()) + "* VIRTUAL FILE";
    if (mode == LStatusType::ASCENDING)
        text += " ASCENDING";
    else if (mode == LStatusType::DESCENDING)
        text += " DESCENDING";
    return text;
}

bool VirtualFieldOfEntry(const std::string& entry, TDbfField& field, bool& skipped)
{
    skipped = false;
    if (std::count(entry.begin(), entry.end(), ',') != 3) return false;
    TDbfFieldDef def;
    if (!ParseDbfFieldEntry(entry, true, def)) {
        // Only type X is skipped; anything else unreadable is an error.
        skipped = def.Type == 'X';
        return skipped;
    }
    int len = def.Length;
    if (def.Type == 'D')
        len = 8;
    else if (def.Type == 'L')
        len = 1;
    field = {UpperStr(def.Name).substr(0, 10), def.Type, static_cast<uint8_t>(len),
             static_cast<uint8_t>(def.Decimals), 0};
    return true;
}

TTzLLDataSet::~TTzLLDataSet()
{
    Close();
}

bool TTzLLDataSet::OpenSource(const std::string& /*file*/)
{
    std::vector<TDbfField> fields;
    for (const std::string& entry : DbfFields) {
        TDbfField f;
        bool skipped = false;
        if (!VirtualFieldOfEntry(entry, f, skipped)) {
            SetError(1401, "Invalid field definition \"" + entry + "\" [" + Name + ".OpenSource]");
            return false;
        }
        if (!skipped) fields.push_back(f);
    }
    if (fields.empty()) {
        SetError(1401, "FieldList.Count is <= 0 trying to create a database");
        return false;
    }
    uint32_t size = 1;
    for (const TDbfField& f : fields)
        size += f.Type == 'C'                                        ? f.Length + 1u
                : f.Type == 'D'                                      ? 11u
                : f.Type == 'L'                                      ? 1u
                : (f.Type == 'N' || f.Type == 'F') && f.Decimals > 0 ? 8u
                                                                     : 4u;
    if (size > 65535) {
        SetError(1401, "Record too long for a virtual file [" + Name + ".OpenSource]");
        return false;
    }
    image_.assign(size, 0);
    if (!UseFile(VirtualFileOpenText(appendMode_), image_.data(), static_cast<uint16_t>(size))) return false;
    AddStru(fields);
    TWorkArea* a = SelectedArea();
    if (a == nullptr || dberror.DbErrorCode != 0) return false;
    // The command set's field routines find the fields of the record image
    // through the area's field list.
    a->Fields = VFileFieldList();
    ComputeNativeOffsets(*a);
    a->FieldCount = static_cast<uint16_t>(a->Fields.size());
    return true;
}

void TTzLLDataSet::ApplyMode(LStatusType mode)
{
    if (Sorted(mode)) {
        Set_VFileKey_To([this](void*) { return MakeKey(); }, nullptr);
        Set_VFileMode_To(Order(mode));
        if (::RecCount() >= 2) SortVFile(Order(mode));
    } else {
        Set_VFileMode_To(Order(mode));
    }
}

void TTzLLDataSet::SetAppendMode(LStatusType mode)
{
    appendMode_ = mode;
    if (!Active() || !CheckCommand("SetAppendMode")) return;
    ApplyMode(mode);
    ResyncFromWorkArea();
}

bool TTzLLDataSet::Open()
{
    if (Active()) return true;
    if (!SetActive(true)) return false;
    if (!CheckCommand("DoAfterOpen")) return false;
    // Sorted modes hold while filling, LIFO and INSERTION only afterwards:
    // records come from disk in file order.
    if (Sorted(appendMode_)) ApplyMode(appendMode_);
    if (PopulateFromDisk) DoPopulateFromDisk();
    CheckCommand("DoAfterOpen");
    if (!Sorted(appendMode_)) ApplyMode(appendMode_);
    First();
    return dberror.DbErrorCode == 0;
}

void TTzLLDataSet::Close()
{
    SetActive(false);
}

void TTzLLDataSet::CloseSource()
{
    if (SaveToDisk && modified_) DoSaveToDisk();
    image_.clear();
}

std::string TTzLLDataSet::MakeKey()
{
    if (!KeyMaker) return GetNativeText(1);
    // The key maker sees the record through the dataset's fields: the
    // active buffer is filled from the record and put back afterwards.
    std::string key;
    if (ActiveBuffer().empty()) return GetNativeText(1);
    SaveActiveBuffer();
    ReadRecordToBuffer(ActiveBuffer().data());
    KeyMaker(*this, key);
    RestoreActiveBuffer();
    return key;
}

bool TTzLLDataSet::AppendWithLock()
{
    if (!CheckCommand("s_AppendWithLock")) return false;
    // At the end of an insertion-ordered file a new record goes last.
    const bool atEnd = appendMode_ == LStatusType::INSERTION && (::dEOF() || ::RecNo() >= ::RecCount());
    if (atEnd) Set_VFileMode_To(VFileFifo);
    ::Append();
    if (atEnd) Set_VFileMode_To(VFileInsertion);
    modified_ = true;
    return dberror.DbErrorCode == 0;
}

bool TTzLLDataSet::DeleteWithLock()
{
    if (!CheckCommand("s_DeleteWithLock")) return false;
    DeleteRec();
    modified_ = true;
    return dberror.DbErrorCode == 0;
}

bool TTzLLDataSet::RestoreWithLock()
{
    if (!CheckCommand("s_RestoreWithLock")) return false;
    DoBeforeRestore();
    RecallRec();
    DoAfterRestore();
    modified_ = true;
    return dberror.DbErrorCode == 0;
}

bool TTzLLDataSet::ReplaceWithLock()
{
    if (!CheckCommand("s_ReplaceWithLock")) return false;
    Replace();
    modified_ = true;
    return dberror.DbErrorCode == 0;
}

bool TTzLLDataSet::DoPopulateFromDisk()
{
    std::error_code ec;
    if (!CheckCommand("PopulateFromDisk") || !std::filesystem::exists(DbfFileName(), ec)) return false;
    AreaGuard guard;
    const uint8_t virt = area_;
    // The disk table reads into the same record image the virtual file
    // appends from: record image by record image.
    Select(0);
    if (!UseFile(DbfFileName() + " EXCLUSIVE ALIAS QYRVFD" + std::to_string(NextNumber()), image_.data(),
                 static_cast<uint16_t>(image_.size())))
        return false;
    const uint8_t disk = dbcmd.CurrentArea;
    const int32_t count = ::RecCount();
    TCopyProgress progress(ShowProgress, "Reading from disk...", count);
    for (int32_t r = 1; r <= count; ++r) {
        progress.Record(r);
        Select(disk);
        GO(r);
        if (HideDeletedRecs() && ::Deleted()) continue;
        Select(virt);
        ::Append();
    }
    Select(disk);
    CloseArea();
    Select(virt);
    modified_ = false;
    return dberror.DbErrorCode == 0;
}

bool TTzLLDataSet::DoSaveToDisk()
{
    if (!CheckCommand("SaveToDisk")) return false;
    AreaGuard guard;
    const uint8_t virt = area_;
    const std::string target = DbfFileName();
    const std::string temp = target + ".$" + std::to_string(NextNumber());
    TDbfTable t;
    if (!CreateDBF(t, temp, VFileFieldList())) {
        SetError(1401, "Could not create \"" + temp + "\"");
        return false;
    }
    Select(0);
    bool ok = UseFile(temp + " EXCLUSIVE ALIAS QYRVFD" + std::to_string(NextNumber()), image_.data(),
                      static_cast<uint16_t>(image_.size()));
    const uint8_t disk = dbcmd.CurrentArea;
    if (ok) {
        Select(virt);
        const int32_t count = ::RecCount();
        TCopyProgress progress(ShowProgress, "Writing to disk...", count);
        for (int32_t r = 1; r <= count && ok; ++r) {
            progress.Record(r);
            Select(virt);
            GO(r);
            if (HideDeletedRecs() && ::Deleted()) continue;
            Select(disk);
            ::Append();
            ok = dberror.DbErrorCode == 0;
        }
        Select(disk);
        CloseArea();
        ok = ok && dberror.DbErrorCode == 0;
    }
    Select(virt);
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, target, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        if (dberror.DbErrorCode == 0) SetError(1401, "Could not write \"" + target + "\"");
        return false;
    }
    modified_ = false;
    return true;
}
