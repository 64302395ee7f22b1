// Memo files: styles, opening and closing, the memo lock, padding, header
// upkeep, and reading a memo into the memo line array.
#include "xbase/memo/dbmemo.h"

#include "foundation/codepage.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/dbf/dbfformat.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

TDbMemo dbmemo;

void ResetDbMemo()
{
    for (auto& a : dbmemo.Areas)
        a = TMemoArea{};
    dbmemo = TDbMemo{};
}

namespace memo_detail
{

std::string AliasOf()
{
    TWorkArea* a = SelectedArea();
    // Taken from the table's file name: put into the messages as a name.
    return a == nullptr ? std::string() : FileNameToOem(a->AliasName);
}

std::string RecordText()
{
    TWorkArea* a = SelectedArea();
    return " Record # " + std::to_string(a == nullptr ? 0 : a->RecordNumber);
}

// Every memo error releases the memo lock first.
void MemoError(uint16_t code, const std::string& detail)
{
    if (TMemoFile* m = CurrentMemoFile()) UnlockMemo(*m);
    SetError(code, detail);
}

uint32_t ReadBE32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

void PutBE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

bool WriteGroupHeader(TMemoFile& m, uint32_t block, uint32_t length)
{
    if (block == 0) return true;
    uint8_t h[8];
    if (m.MemoType == MemoFox) {
        PutBE32(h, 1);
        PutBE32(h + 4, length);
    } else {
        PutLE16(h, 0xFFFF);
        PutLE16(h + 2, 8);
        PutLE32(h + 4, length + 8);
    }
    return m.File.WriteAt(static_cast<int64_t>(block) * m.BlockSize, h, 8) == 8;
}

uint16_t ReadStoredMemo(TMemoFile& m, uint8_t style, int64_t offset, const TMemoFilter& filter,
                        bool stopAtZero, std::string& text, bool& header)
{
    text.clear();
    header = false;
    const int64_t size = m.File.Size();
    if (offset >= size - 1) return 1003;
    uint8_t h[8] = {};
    const long got = m.File.ReadAt(offset, h, 8);
    int64_t length = -1;
    if (style == MemoFox) {
        if (got != 8) return 30;
        length = ReadBE32(h + 4);
        header = true;
    } else if (got == 8 && IsDbase4MemoHeader(h)) {
        length = static_cast<int64_t>(GetLE32(h + 4)) - 8;
        header = true;
    }
    // A length field larger than the file is not believed: only the bytes
    // the file holds are read.
    const int64_t start = offset + (header ? 8 : 0);
    if (length < 0 && header) length = 0;
    const int64_t available = std::max<int64_t>(size - start, 0);
    const std::size_t piece = 512;
    if (length >= 0) {
        const int64_t want = std::min(length, available);
        text.resize(static_cast<std::size_t>(want));
        if (want > 0 && m.File.ReadAt(start, text.data(), text.size()) != static_cast<long>(text.size())) {
            text.clear();
            return 30;
        }
        if (filter)
            for (std::size_t at = 0; at < text.size(); at += piece)
                filter(&text[at], std::min(piece, text.size() - at));
        return 0;
    }
    // dBASE III layout: up to the first 0x1A (or 0 when asked), or the end
    // of the file.
    int64_t at = start;
    std::string chunk(piece, '\0');
    while (at < size) {
        const std::size_t n = static_cast<std::size_t>(std::min<int64_t>(piece, size - at));
        if (m.File.ReadAt(at, chunk.data(), n) != static_cast<long>(n)) return 30;
        if (filter) filter(chunk.data(), n);
        for (std::size_t i = 0; i < n; ++i) {
            const char c = chunk[i];
            if (c == '\x1A' || (stopAtZero && c == '\0')) {
                text.append(chunk.data(), i);
                return 0;
            }
        }
        text.append(chunk.data(), n);
        at += static_cast<int64_t>(n);
    }
    return 0;
}

} // namespace memo_detail

using namespace memo_detail;

namespace
{

bool SameFile(const struct stat& st, const TPackStep& step, int i)
{
    return static_cast<uint64_t>(st.st_dev) == step.Device[i] &&
           static_cast<uint64_t>(st.st_ino) == step.Inode[i];
}

// A Pack keeps the old memo file as name.$MB until its new memo file and its
// new table are both in place, and its step file names the four files. Found
// at an open, the leftover is settled from the step file, never from a
// temporary file being there or not (the packed copy has a random name, and
// the signal cleanup removes it): both replacements in, the kept file goes;
// only the memo file in, the kept file is put back, so that the old table
// has its own memos again; nothing replaced, the kept second name goes (or
// the kept file is put back where it was renamed). A step file without a
// kept file is the leftover of a finished Pack. Only what cannot be told
// apart is left to the user, with a box that says what to do.
void SettlePackLeftover(const TWorkArea* a, const std::string& tableName, const std::string& name)
{
    const std::string kept = ForceExtension(name, "$MB");
    const std::string stepName = PackStepName(name);
    struct stat keptSt {
    };
    const bool haveKept = ::stat(kept.c_str(), &keptSt) == 0 && S_ISREG(keptSt.st_mode);
    TPackStep step;
    const bool haveStep = ReadPackStep(name, step);
    if (!haveKept) {
        if (haveStep) ::unlink(stepName.c_str());
        return;
    }
    // Decided from what the names hold, and only when this area's table is
    // the one under its name: a handle opened on a table that a Pack renamed
    // over a moment later holds the replaced file, and deciding from it
    // would put the old memo file back beside the packed table.
    struct stat tableSt {
    };
    struct stat handleSt {
    };
    const bool haveTable = a != nullptr && !a->IsVirtual && ::stat(a->Name.c_str(), &tableSt) == 0 &&
                           ::fstat(a->File.Fd(), &handleSt) == 0 && handleSt.st_dev == tableSt.st_dev &&
                           handleSt.st_ino == tableSt.st_ino;
    if (haveStep && haveTable) {
        struct stat memoSt {
        };
        const bool haveMemo = ::stat(name.c_str(), &memoSt) == 0;
        const bool keptOld = SameFile(keptSt, step, 0);
        const bool newMemo = haveMemo && SameFile(memoSt, step, 1);
        const bool oldMemo = haveMemo && SameFile(memoSt, step, 0);
        const bool newTable = haveTable && SameFile(tableSt, step, 3);
        const bool oldTable = haveTable && SameFile(tableSt, step, 2);
        bool settled = false;
        if (keptOld && newMemo && newTable)
            settled = ::unlink(kept.c_str()) == 0;
        else if (keptOld && newMemo && oldTable)
            settled = std::rename(kept.c_str(), name.c_str()) == 0;
        else if (keptOld && oldMemo && oldTable)
            settled = ::unlink(kept.c_str()) == 0;
        else if (keptOld && !haveMemo && oldTable)
            settled = std::rename(kept.c_str(), name.c_str()) == 0;
        if (settled) {
            ::unlink(stepName.c_str());
            return;
        }
    }
    LibMessageBox("A Pack was cut short: the memos of " + FileNameToOem(tableName) +
                      " may belong to other records. The memo file from before the Pack is kept as " +
                      FileNameToOem(kept) + ". When the memos are right, delete " + FileNameToOem(kept) +
                      (haveStep ? " and " + FileNameToOem(stepName) : std::string()) +
                      "; otherwise put the table and its memo file back from a copy made before the Pack.",
                  "Pack cut short", 48);
}

} // namespace

TMemoArea& CurrentMemoArea()
{
    const uint8_t n = dbcmd.CurrentArea < dbmemo.Areas.size() ? dbcmd.CurrentArea : 0;
    return dbmemo.Areas[n];
}

TMemoFile* CurrentMemoFile()
{
    return CurrentMemoArea().Memo.get();
}

uint8_t GetMemoType()
{
    TWorkArea* a = SelectedArea();
    if (a != nullptr && !a->IsVirtual) {
        const uint8_t v = a->Header[0];
        if (v == MemoDbase3 || v == MemoDbase4 || v == MemoFox || v == MemoDbase4Sql) return v;
    }
    return dbffile.MemoVersion;
}

bool IsDbase4Style(uint8_t type)
{
    return type == MemoDbase4 || type == MemoDbase4Sql;
}

uint32_t BlocksOfBytes(uint64_t bytes, uint16_t blockSize)
{
    if (blockSize == 0) blockSize = 512;
    return static_cast<uint32_t>((bytes + blockSize - 1) / blockSize);
}

bool IsDbase4MemoHeader(const uint8_t* p)
{
    return GetLE16(p) == 0xFFFF && GetLE16(p + 2) == 8;
}

bool CreateMemofile(const std::string& tableName)
{
    return CreateMemoFileHeader(tableName, dbffile.MemoVersion, dbffile.MemoBlockSize, "CreateMemofile()");
}

namespace
{

uint16_t BlockSizeOfOpenFile(TMemoFile& m)
{
    uint16_t bs = 0;
    if (m.MemoType == MemoDbase3) return 512;
    uint8_t h[24] = {};
    if (m.MemoType == MemoFox) {
        if (m.File.ReadAt(0, h, 8) == 8) bs = static_cast<uint16_t>((h[6] << 8) | h[7]);
    } else if (m.File.ReadAt(0, h, 24) == 24) {
        bs = GetLE16(h + 20);
    }
    return bs == 0 ? (dbffile.MemoBlockSize == 0 ? 512 : dbffile.MemoBlockSize) : bs;
}

} // namespace

uint16_t OpenMemofile(const std::string& tableName)
{
    TWorkArea* a = SelectedArea();
    TMemoArea& area = CurrentMemoArea();
    const std::string name = ResolveFileName(MemoFileName(tableName, GetMemoType()));
    if (area.Memo) {
        SetError(1007, FileNameToOem(name) + " [USE]");
        return 1007;
    }
    auto m = std::make_unique<TMemoFile>();
    m->Name = name;
    m->MemoType = dbffile.MemoVersion;
    m->BlockSize = dbffile.MemoBlockSize;
    SettlePackLeftover(a, tableName, name);
    uint16_t mode = 0x12;
    if ((dbcmd.SharedAccess && a != nullptr && !a->Exclusive) || (a != nullptr && a->ExclusiveByReopen))
        mode = 0x42;
    if (dbcmd.ForcedOpenMode != 65535) mode = dbcmd.ForcedOpenMode;
    const uint16_t code = m->File.Open(name, ModeWrites(mode), ShareOfMode(mode));
    if (code != 0) {
        SetError(code, "Memo file not found: " + FileNameToOem(name) + " [USE]");
        return code;
    }
    m->MemoType = GetMemoType();
    m->BlockSize = BlockSizeOfOpenFile(*m);
    area.Memo = std::move(m);
    return 0;
}

void CloseMemofile()
{
    TMemoArea& area = CurrentMemoArea();
    if (!area.Memo) return;
    UnlockMemo(*area.Memo);
    // A failed flush cannot be undone here; the next open reads what the
    // system kept, as after any close.
    if (area.Memo->Unflushed) area.Memo->File.Flush();
    area.Memo->File.Close();
    area.Memo.reset();
}

void MemoWritten(TMemoFile& m)
{
    if (dbffile.FlushOnWrite) {
        m.File.Flush();
        m.Unflushed = false;
    } else {
        m.Unflushed = true;
    }
}

bool RecreateMemofile(const std::string& tableName)
{
    CloseMemofile();
    if (!CreateMemofile(tableName)) return false;
    return OpenMemofile(tableName) == 0;
}

bool LockMemo(TMemoFile& m)
{
    TWorkArea* a = SelectedArea();
    if (!dbcmd.SharedAccess || a == nullptr || a->Exclusive) {
        return true;
    }
    if (m.Locked) return true;
    for (int attempt = 0; attempt < 11 && !m.Locked; ++attempt)
        m.Locked = m.File.LockRange(10, 1) == 0;
    return m.Locked;
}

void UnlockMemo(TMemoFile& m)
{
    if (m.Locked) m.File.UnlockRange(10, 1);
    m.Locked = false;
}

int64_t LockMemoPadAndSeekEOF(const std::string& tag)
{
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [" + tag + "]");
        return 0;
    }
    if (!LockMemo(*m)) {
        SetError(1017, AliasOf() + " [" + tag + "]");
        return 0;
    }
    int64_t size = m->File.Size();
    if (size < 0) {
        MemoError(m->File.LastError(), AliasOf() + " [LockMemoPadAndSeekEOF]");
        return 0;
    }
    if (m->MemoType == MemoDbase3 && size == 513) return 513;
    const int64_t pad = m->BlockSize - size % m->BlockSize;
    if (pad != m->BlockSize) {
        std::vector<char> zeros(static_cast<std::size_t>(pad), '\0');
        if (m->File.WriteAt(size, zeros.data(), zeros.size()) != static_cast<long>(zeros.size())) {
            MemoError(m->File.LastError() != 0 ? m->File.LastError() : 101,
                      AliasOf() + " [LockMemoPadAndSeekEOF]");
            return 0;
        }
        size += pad;
    }
    return size;
}

bool MainHeaderWrite(uint32_t nextFree)
{
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr) return false;
    uint8_t b[4];
    if (m->MemoType == MemoFox)
        PutBE32(b, nextFree);
    else
        PutLE32(b, nextFree);
    if (m->File.WriteAt(0, b, 4) != 4) {
        MemoError(29, AliasOf() + " [MainHeaderWrite()]");
        return false;
    }
    return true;
}

bool UpdateMemoHeader()
{
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr) return false;
    const int64_t size = m->File.Size();
    uint32_t n = BlocksOfBytes(static_cast<uint64_t>(std::max<int64_t>(size, 0)), m->BlockSize);
    if (IsDbase4Style(m->MemoType)) {
        // The header doubles as the head of the free chain: a head that
        // still names a free run inside the file is kept.
        uint8_t h[4], run[8];
        if (m->File.ReadAt(0, h, 4) == 4) {
            const uint32_t head = GetLE32(h);
            if (head >= 1 && head < n &&
                m->File.ReadAt(static_cast<int64_t>(head) * m->BlockSize, run, 8) == 8 &&
                !IsDbase4MemoHeader(run) && GetLE32(run + 4) >= 1)
                n = head;
        }
    }
    uint8_t b[4];
    if (m->MemoType == MemoFox)
        PutBE32(b, n);
    else
        PutLE32(b, n);
    if (m->File.WriteAt(0, b, 4) != 4) {
        MemoError(29, AliasOf() + " [UpdateMemoHeader()]");
        return false;
    }
    UnlockMemo(*m);
    return true;
}

// ---- memo lines

bool AllocateMemoLines()
{
    if (dbmemo.MemoLines.empty())
        dbmemo.MemoLines.assign(static_cast<std::size_t>(dbmemo.MaxMemoLines) + 1, std::nullopt);
    return true;
}

namespace
{

void EnsureLines(int32_t n)
{
    AllocateMemoLines();
    if (static_cast<std::size_t>(n) >= dbmemo.MemoLines.size())
        dbmemo.MemoLines.resize(static_cast<std::size_t>(n) + 1);
}

void EnsureEnds(int32_t n)
{
    if (dbmemo.MemoLineEnds.empty())
        dbmemo.MemoLineEnds.assign(static_cast<std::size_t>(dbmemo.MaxMemoLines) + 1, 0);
    if (static_cast<std::size_t>(n) >= dbmemo.MemoLineEnds.size())
        dbmemo.MemoLineEnds.resize(static_cast<std::size_t>(n) + 1, 0);
}

} // namespace

void MarkWrapped(int32_t n, bool wrapped)
{
    if (n < 1) return;
    if (static_cast<std::size_t>(n) >= dbmemo.MemoLineWrapped.size())
        dbmemo.MemoLineWrapped.resize(static_cast<std::size_t>(n) + 1, 0);
    dbmemo.MemoLineWrapped[static_cast<std::size_t>(n)] = wrapped ? 1 : 0;
}

namespace
{

void PutLine(int32_t n, const std::string& text)
{
    if (n < 1) return;
    EnsureLines(n);
    dbmemo.MemoLines[static_cast<std::size_t>(n)] = text.substr(0, 255);
}

} // namespace

void StoreMemoLine(int32_t n, const std::string& text)
{
    if (n < 1) return;
    PutLine(n, text);
    MarkWrapped(n, false);
    if (!dbmemo.MemoLineEnds.empty()) {
        EnsureEnds(n);
        dbmemo.MemoLineEnds[static_cast<std::size_t>(n)] = MemoLineHard;
    }
}

void FreeMemoLine(int32_t n)
{
    if (n >= 1 && static_cast<std::size_t>(n) < dbmemo.MemoLines.size())
        dbmemo.MemoLines[static_cast<std::size_t>(n)].reset();
}

void ClearMemoLines(bool freeArray)
{
    if (freeArray)
        dbmemo.MemoLines.clear();
    else
        for (auto& l : dbmemo.MemoLines)
            l.reset();
    dbmemo.MemoLineWrapped.clear();
    dbmemo.MemoLineCount = 1;
}

std::string MemoLine(int32_t n)
{
    if (n < 1 || static_cast<std::size_t>(n) >= dbmemo.MemoLines.size() ||
        !dbmemo.MemoLines[static_cast<std::size_t>(n)])
        return std::string();
    return *dbmemo.MemoLines[static_cast<std::size_t>(n)];
}

namespace
{

// The line reader over the text of one memo: the byte 3 is its end
// sentinel.
class TMemoLineReader
{
  public:
    TMemoLineReader(const std::string& text, int wrapWidth) : text_(text), wrap_(wrapWidth) {}

    // 0 line without break, 1 ended by 13, 2 ended by 141, 3 nothing left.
    int ReadMemoLine(std::string& line)
    {
        int limit = wrap_ - 1;
        if (limit < 1 || limit > 254) limit = 254;
        line.clear();
        starts_.clear();
        bool blank = false;
        for (;;) {
            const std::size_t at = pos_;
            const int c = Next();
            if (c == 3) return line.empty() ? 3 : 0;
            if (c == 13 || c == 141) {
                if (pos_ < end() && static_cast<uint8_t>(text_[pos_]) == 10) ++pos_;
                return c == 13 ? 1 : 2;
            }
            line += static_cast<char>(c);
            starts_.push_back(at);
            if (c == ' ') blank = true;
            if (static_cast<int>(line.size()) < limit + 1) continue;
            std::size_t keep = line.size() - 1;           // without the character that did not fit
            if (blank) keep = line.find_last_of(' ') + 1; // the word starts the next line
            if (keep < line.size()) pos_ = starts_[keep];
            line.resize(keep);
            return 0;
        }
    }

  private:
    std::size_t end() const
    {
        const std::size_t s = text_.find('\x03');
        return s == std::string::npos ? text_.size() : s;
    }
    int Next()
    {
        if (done_ || pos_ >= end_) {
            done_ = true;
            return 3;
        }
        return static_cast<uint8_t>(text_[pos_++]);
    }

    const std::string& text_;
    int wrap_;
    std::size_t pos_ = 0;
    std::size_t end_ = end();
    bool done_ = false;
    std::vector<std::size_t> starts_;
};

} // namespace

bool ReadMemoText(int32_t block, std::string& text)
{
    text.clear();
    TMemoFile* m = CurrentMemoFile();
    if (block == 0) return true;
    if (m == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [GetMemo]");
        return false;
    }
    const uint32_t b =
        block < 0 ? static_cast<uint32_t>(-static_cast<int64_t>(block)) : static_cast<uint32_t>(block);
    bool header = false;
    const uint16_t code = ReadStoredMemo(*m, m->MemoType, static_cast<int64_t>(b) * m->BlockSize,
                                         CurrentMemoArea().ReadFilter, false, text, header);
    if (code == 1003) {
        MemoError(1003, AliasOf() + RecordText() + " [GetMemo]");
        return false;
    }
    if (code != 0) {
        MemoError(code, AliasOf());
        return false;
    }
    return true;
}

bool GetMemo(int32_t block, uint8_t maxLines)
{
    AllocateMemoLines();
    ClearMemoLines(false);
    dbmemo.MemoLineEnds.assign(static_cast<std::size_t>(dbmemo.MaxMemoLines) + 1, 0);
    const int wrap = dbmemo.MemoWrap ? dbmemo.MemoWidth + 1 : 254;
    if (block == 0) return true;
    std::string text;
    if (!ReadMemoText(block, text)) {
        dbmemo.MemoLineEnds.clear();
        return false;
    }
    TMemoLineReader reader(text, wrap);
    int32_t current = 1;
    std::string line;
    for (int code = reader.ReadMemoLine(line); code != 3; code = reader.ReadMemoLine(line)) {
        if (maxLines != 0 && dbmemo.MemoLineCount > maxLines) break;
        EnsureEnds(current);
        dbmemo.MemoLineEnds[static_cast<std::size_t>(current)] =
            code == 1 ? MemoLineHard : (code == 2 ? MemoLineSoft : MemoLineNone);
        MarkWrapped(current, code == 0);
        PutLine(current, line);
        ++current;
        ++dbmemo.MemoLineCount;
    }
    // The last line ends without a break because the memo ends there.
    if (current > 1) MarkWrapped(current - 1, false);
    if (dbmemo.MemoLineCount > 1) --dbmemo.MemoLineCount;
    return true;
}
