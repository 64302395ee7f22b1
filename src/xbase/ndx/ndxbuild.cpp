// Building an index in one pass: every record's key with its record number,
// sorted by key and then record number in bounded memory (sorted runs merged
// from a temporary file, see ndxpairsort.h), written bottom-up page after
// page.
// The file is written under a temporary name beside the index and renamed
// over it only when it is complete, so a failed build leaves the old index.
#include "foundation/codepage.h"
#include "foundation/signalcleanup.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ndx/ndxinternal.h"
#include "xbase/ndx/ndxpairsort.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/expr/dbexpr.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool TakeOption(std::string& name, const std::string& option);
std::string IndexPath(const std::string& file);

namespace
{

struct TBuildSpec {
    std::string Expression;
    TTzKeyMaker KeyMaker;
    void* Data = nullptr;
};

bool OpenAnywhere(const std::string& file)
{
    std::error_code ec;
    for (int area = 1; area <= 35; ++area)
        for (int s = 1; s <= 16; ++s) {
            TIndexControl* ic = ndx.Areas[area].Slots[s].get();
            if (ic != nullptr && std::filesystem::equivalent(ic->FileName, file, ec)) return true;
        }
    return false;
}

class TProgress
{
  public:
    TProgress(int32_t records)
    {
        if (ndx.ProgressCalls <= 0) ndx.Progress = nullptr;
        step_ = ndx.ProgressCalls > 0 ? std::max<int32_t>(2 * (records / ndx.ProgressCalls), 2) : 0;
    }
    void Tick(int64_t i)
    {
        if (ndx.Progress && step_ > 0 && i % step_ == 0 && calls_ < ndx.ProgressCalls) {
            ++calls_;
            ndx.Progress();
        }
    }
    void Finish()
    {
        while (ndx.Progress && calls_ < ndx.ProgressCalls) {
            ++calls_;
            ndx.Progress();
        }
    }

  private:
    int32_t step_ = 0;
    int32_t calls_ = 0;
};

bool Build(const std::string& fileWithOptions, const TBuildSpec& spec)
{
    std::string name = fileWithOptions;
    const bool unique = TakeOption(name, "UNIQUE");
    const bool soundex = TakeOption(name, "SOUNDEX");
    const bool descending = TakeOption(name, "DESCENDING");
    TakeOption(name, "NOCACHE");
    name = AllTrim(name);
    auto fail = [&](uint16_t code, const std::string& text) {
        SetError(code, text + " [MakeIndex(<...>," + FileNameToOem(name) + ")]");
        return false;
    };
    if (name.empty()) {
        SetError(220, "index filename not specified [MakeIndex()]");
        return false;
    }
    TWorkArea* a = SelectedArea();
    if (a == nullptr)
        return fail(215, "database not open attempting to index to" + FileNameToOem(name) + ".");
    if (spec.Expression.empty() && !spec.KeyMaker)
        return fail(254, "Neither Expression nor KeyMaker defined");
    if (spec.Expression.size() > NdxMaxExpression) return fail(300, "Expression length exceeds 100 bytes");
    const std::string file = IndexPath(name);
    if (OpenAnywhere(file)) return fail(214, file);

    // The key description, from the expression's result.
    TIndexControl ic;
    ic.FileName = file;
    ic.SoundexKey = soundex && spec.KeyMaker;
    ic.Descending = descending && spec.KeyMaker;
    ic.KeyMaker = spec.KeyMaker;
    ic.KeyMakerData = spec.Data;
    char type = 'C';
    int keyLength = 0;
    std::string stored;
    const std::string savedBuffer = a->RecordBuffer;
    const int32_t savedNo = a->RecordNumber;
    const bool savedBegin = a->AtBegin;
    const bool savedEnd = a->AtEnd;
    auto restore = [&] {
        a->RecordBuffer = savedBuffer;
        a->RecordNumber = savedNo;
        a->AtBegin = savedBegin;
        a->AtEnd = savedEnd;
        ReadNative(*a);
        if (ic.KeyEvaluator != nullptr) FreeExpr(ic.KeyEvaluator);
    };
    if (spec.KeyMaker) {
        stored = NormalizeExpression(KeyMakerMarker);
        a->RecordBuffer.assign(a->RecordLength, ' ');
        a->RecordNumber = a->RecordCount + 1;
        ReadNative(*a);
        keyLength = soundex ? ndx.SoundexLength : static_cast<int>(ComputeKey(ic).size());
    } else {
        stored = NormalizeExpression(spec.Expression);
        ic.KeyEvaluator = AssignExpr(spec.Expression);
        if (ic.KeyEvaluator == nullptr) {
            restore();
            return fail(dberror.DbErrorCode != 0 ? dberror.DbErrorCode : 222, "Invalid dBASE key expression");
        }
        char t = ic.KeyEvaluator->ResultType;
        if (t != 'C' && t != 'D' && t != 'N' && t != 'F') {
            restore();
            return fail(254, "Wrong parser return type");
        }
        type = t;
        keyLength = 8;
        if (t == 'C') {
            // The length of the result for the blank record.
            a->RecordBuffer.assign(a->RecordLength, ' ');
            a->RecordNumber = a->RecordCount + 1;
            ReadNative(*a);
            keyLength = static_cast<int>(ComputeKey(ic).size());
            if (keyLength == 0) keyLength = ic.KeyEvaluator->Width;
        }
    }
    if (keyLength < 1 || keyLength > NdxMaxKeyLength) {
        restore();
        return fail(266, "Incorrect key length: Must be 1 to 100.");
    }
    ic.Header = NewNdxHeader(type, keyLength, unique);
    ic.CharacterKey = type == 'C';
    const TNdxHeader& h = ic.Header;

    // Free space on the index's file system: the pairs and every level
    // (counting the pairs there too errs on the safe side where the
    // temporary directory shares it). A table larger than one sort run also
    // needs room for all its pairs in the temporary directory, which is
    // often a file system of its own.
    const int64_t records = a->RecordCount;
    const int64_t needKB = MakeIndexSpaceKB(records, keyLength);
    const int64_t runsKB = (records * (keyLength + 4) + 1023) / 1024;
    const bool spills = records > static_cast<int64_t>(TNdxPairSort::RunPairs);
    std::string dir = std::filesystem::path(file).parent_path().string();
    for (const auto& [where, need] : {std::pair{dir.empty() ? std::string(".") : dir, needKB},
                                      std::pair{TempDirectory(), spills ? runsKB : int64_t{0}}}) {
        const long double freeKB = DiskFreeKB(where);
        if (static_cast<long double>(need) > freeKB) {
            restore();
            return fail(227, "Available disk space: " + std::to_string(static_cast<long long>(freeKB)) +
                                 " KBytes;" + "needed: " + std::to_string(need) + " KBytes");
        }
    }

    // Collect every record's key (deleted records included) into the sort,
    // which keeps at most one run of pairs in memory.
    TProgress progress(static_cast<int32_t>(records));
    const std::size_t kl = static_cast<std::size_t>(keyLength);
    TNdxPairSort sort(h);
    auto sortFailed = [&] {
        restore();
        return fail(sort.ErrorCode(), sort.ErrorText());
    };
    for (int32_t n = 1; n <= records; ++n) {
        if (!GetDbfRecord(*a, n)) {
            restore();
            return false;
        }
        ReadNative(*a);
        a->AtBegin = a->AtEnd = false;
        std::string k = ComputeKey(ic);
        k.resize(kl, ic.CharacterKey ? ' ' : '\0');
        if (!sort.Add(reinterpret_cast<const uint8_t*>(k.data()), n)) return sortFailed();
        progress.Tick(n);
    }

    // Write under a temporary name in the index's directory.
    std::string tempName;
    int fd = MakeTempFileBeside(file, tempName);
    if (fd < 0) {
        restore();
        return fail(static_cast<uint16_t>(platform::DosErrorOf(errno)), "File not open");
    }
    {
        // A temporary file is private; the index gets the mode of the file it
        // replaces, or the usual mode of a new file.
        struct stat st {
        };
        mode_t mode = 0;
        if (::stat(file.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd, mode);
    }
    platform::TSharedFile out;
    out.Adopt(fd, platform::TFileShare::DenyWrite);
    std::vector<uint8_t> buffer;
    int64_t written = static_cast<int64_t>(NdxPageSize);
    auto flush = [&] {
        if (buffer.empty()) return true;
        bool w = out.WriteAt(written, buffer.data(), buffer.size()) == static_cast<long>(buffer.size());
        written += static_cast<int64_t>(buffer.size());
        buffer.clear();
        return w;
    };
    TNdxTreeWriter writer(h, [&](const TNdxPage& page) {
        buffer.insert(buffer.end(), page.begin(), page.end());
        return buffer.size() < 65536 || flush();
    });
    // UNIQUE keeps the first pair of equal keys, the lowest record number.
    std::vector<uint8_t> previous(kl);
    bool havePrevious = false;
    int64_t emitted = 0;
    bool ok = sort.Finish([&](const uint8_t* key, int32_t record) {
        const int64_t i = emitted++;
        if (unique && havePrevious && CompareNdxKeys(h, previous.data(), key) == 0) return true;
        std::memcpy(previous.data(), key, kl);
        havePrevious = true;
        progress.Tick(i);
        return writer.Add(key, record);
    });
    uint16_t sortCode = ok ? 0 : sort.ErrorCode();
    ok = ok && writer.Finish() && flush();
    ic.Header.Root = writer.Root();
    ic.Header.NextFree = writer.Root() + 1;
    if (ok) {
        std::string expr = a->OemText ? StrAnsiToOem(stored) : stored;
        std::string table = std::filesystem::path(a->Name).filename().string();
        TNdxPage anchor = BuildAnchorPage(ic.Header, expr, a->RecordCount, table);
        ok = out.WriteAt(0, anchor.data(), NdxPageSize) == static_cast<long>(NdxPageSize);
    }
    uint16_t code = ok ? 0 : (sortCode != 0 ? sortCode : out.LastError() != 0 ? out.LastError() : 101);
    const std::string what =
        sortCode != 0 ? sort.ErrorText() : "Error writing index file: " + FileNameToOem(file);
    out.Close();
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(tempName, file, ec);
        if (ec) {
            ok = false;
            code = 5;
        }
    }
    if (!ok) std::filesystem::remove(tempName, ec);
    UnmarkTempFile(tempName);
    if (!ok) {
        restore();
        return fail(code, what);
    }
    progress.Finish();
    restore();
    return true;
}

} // namespace

int64_t MakeIndexSpaceKB(int64_t records, int keyLength)
{
    const int64_t perPage = NdxKeysPerPage(keyLength);
    int levels = 2;
    for (int64_t r = records; r > 0; r /= perPage)
        ++levels;
    int64_t need = records * (keyLength + 4);
    int64_t div = 1;
    for (int i = 0; i < levels; ++i) {
        need += (records / div + 1) * static_cast<int64_t>(NdxPageSize);
        if (div < (int64_t{1} << 40)) div *= perPage;
    }
    return (need + 1023) / 1024;
}

bool MakeIndex(const std::string& file, const std::string& expression)
{
    dberror.DbErrorCode = 0;
    return Build(file, TBuildSpec{expression, nullptr, nullptr});
}

bool MakeIndexCB(const std::string& file, TTzKeyMaker keyMaker, void* data)
{
    dberror.DbErrorCode = 0;
    return Build(file, TBuildSpec{std::string(), std::move(keyMaker), data});
}

namespace
{

void IndexOnWith(const std::string& file, const TBuildSpec& spec)
{
    if (!CheckDbInUse("Index_On")) return;
    CloseAllIndexes();
    if (IndexOfSlot(1) != nullptr) {
        SetError(254, "Internal error: IND pointer already allocated [Index_On]");
        return;
    }
    if (AllTrim(file).empty()) return;
    if (!Build(file, spec)) return;
    if (SetIndexTo(file, 1, spec.KeyMaker, spec.Data)) {
        CurrentIndexes().Natural = false;
        if (SelectedArea()->RecordCount > 0) GoTop();
    }
}

} // namespace

void Index_On(const std::string& expression, const std::string& file)
{
    IndexOnWith(file, TBuildSpec{expression, nullptr, nullptr});
}

void Index_OnCB(const std::string& file, TTzKeyMaker keyMaker, void* data)
{
    IndexOnWith(file, TBuildSpec{std::string(), std::move(keyMaker), data});
}
