// Writing memos: a new memo from a text, the memo line array back into the
// file, the free chain of the dBASE IV style, copying a memo from another
// work area's memo file, and packing a memo file.
#include "xbase/memo/dbmemo.h"

#include "foundation/codepage.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/dbf/dbfformat.h"
#include "xbase/expr/dbexpr.h"
#include "xbase/memo/memostream.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace memo_detail;

// Writes data at an offset in pieces of 512 bytes, each through the filter
// when one is installed.
bool memo_detail::WriteFiltered(platform::TSharedFile& f, int64_t offset, const std::string& data,
                                const TMemoFilter& filter)
{
    if (!filter)
        return data.empty() || f.WriteAt(offset, data.data(), data.size()) == static_cast<long>(data.size());
    std::string piece;
    for (std::size_t at = 0; at < data.size(); at += 512) {
        piece.assign(data, at, 512);
        filter(piece.data(), piece.size());
        if (f.WriteAt(offset + static_cast<int64_t>(at), piece.data(), piece.size()) !=
            static_cast<long>(piece.size()))
            return false;
    }
    return true;
}

namespace
{

constexpr uint32_t NoLimit = 2147483647u;

uint16_t WriteCode(platform::TSharedFile& f, uint16_t fallback)
{
    return f.LastError() != 0 ? f.LastError() : fallback;
}

bool WritePieces(platform::TSharedFile& f, int64_t offset, const std::string& data, const TMemoFilter& filter)
{
    return WriteFiltered(f, offset, data, filter);
}

// A dBASE III memo: the text, one 0x1A, zero bytes up to whole blocks.
std::string Dbase3Stored(const std::string& text)
{
    std::string data = text + '\x1A';
    data.resize((data.size() + 511) / 512 * 512, '\0');
    return data;
}

// Blocks in the file, a last block begun counting whole: the block where
// the next append starts and the value that ends the free chain. (A chain
// ended by a block a memo's text runs into would later lead into it.)
uint32_t BlocksInFile(TMemoFile& m)
{
    const int64_t size = std::max<int64_t>(m.File.Size(), 0);
    return std::max<uint32_t>(BlocksOfBytes(static_cast<uint64_t>(size), m.BlockSize), 1);
}

bool ReadRun(TMemoFile& m, uint32_t block, uint8_t run[8])
{
    return m.File.ReadAt(static_cast<int64_t>(block) * m.BlockSize, run, 8) == 8;
}

bool WriteRun(TMemoFile& m, uint32_t block, uint32_t next, uint32_t count)
{
    uint8_t run[8];
    PutLE32(run, next);
    PutLE32(run + 4, count);
    return m.File.WriteAt(static_cast<int64_t>(block) * m.BlockSize, run, 8) == 8;
}

// Writes the next-run field of a run, or of the header for block 0.
bool WriteLink(TMemoFile& m, uint32_t block, uint32_t next)
{
    uint8_t b[4];
    PutLE32(b, next);
    return m.File.WriteAt(static_cast<int64_t>(block) * m.BlockSize, b, 4) == 4;
}

// A block that may start a free run: inside the file, not a memo, and
// counting at least one block.
bool FreeRunAt(TMemoFile& m, uint32_t block, uint32_t blocks)
{
    if (block < 1 || block >= blocks) return false;
    uint8_t run[8];
    return ReadRun(m, block, run) && !IsDbase4MemoHeader(run) && GetLE32(run + 4) >= 1;
}

bool AddReleasedCount(TMemoFile& m, uint32_t count)
{
    uint8_t b[4] = {};
    if (m.File.Size() < 36) return true; // a header not yet padded has no counter
    if (m.File.ReadAt(32, b, 4) != 4) {
        MemoError(30, AliasOf() + " [UpdateMemoHeader()]");
        return false;
    }
    PutLE32(b, GetLE32(b) + count);
    if (m.File.WriteAt(32, b, 4) != 4) {
        MemoError(29, AliasOf() + " [UpdateMemoHeader()]");
        return false;
    }
    return true;
}

// The text of the memo line array as it is stored: hard returns as 13 10,
// soft returns as 141 10, wrap points joined; the last line ends with 13 10.
std::string LinesText()
{
    std::string text;
    bool any = false;
    const int32_t count = dbmemo.MemoLineCount;
    const bool ends = !dbmemo.MemoLineEnds.empty();
    for (int32_t i = 1; i <= count; ++i) {
        if (static_cast<std::size_t>(i) < dbmemo.MemoLines.size() &&
            dbmemo.MemoLines[static_cast<std::size_t>(i)]) {
            text += *dbmemo.MemoLines[static_cast<std::size_t>(i)];
            any = true;
        }
        const uint8_t end = ends && static_cast<std::size_t>(i) < dbmemo.MemoLineEnds.size()
                                ? dbmemo.MemoLineEnds[static_cast<std::size_t>(i)]
                                : static_cast<uint8_t>(MemoLineHard);
        const bool wrapped = static_cast<std::size_t>(i) < dbmemo.MemoLineWrapped.size() &&
                             dbmemo.MemoLineWrapped[static_cast<std::size_t>(i)] != 0;
        if (end == MemoLineSoft)
            text += "\x8D\n";
        else if (end == MemoLineNone && wrapped && i < count)
            ; // a wrap point: the line goes on in the next one
        else
            text += "\r\n";
    }
    return any ? text : std::string();
}

} // namespace

int32_t AddMemo(const std::string& text)
{
    if (!CheckDbInUse("AddMemo")) return 0;
    // Only trailing blanks go; a final line break belongs to the text.
    std::string t = text;
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    if (t.empty()) return 0;
    const int64_t pos = LockMemoPadAndSeekEOF("AddMemo()");
    if (pos == 0) return 0;
    TMemoFile& m = *CurrentMemoFile();
    const TMemoFilter& filter = CurrentMemoArea().WriteFilter;
    const uint32_t block = static_cast<uint32_t>(pos / m.BlockSize);
    const int64_t offset = static_cast<int64_t>(block) * m.BlockSize;
    bool ok;
    if (m.MemoType == MemoDbase3)
        ok = WritePieces(m.File, offset, Dbase3Stored(t), filter);
    else
        ok = WriteGroupHeader(m, block, static_cast<uint32_t>(t.size())) &&
             WritePieces(m.File, offset + 8, t, filter);
    if (!ok) {
        MemoError(WriteCode(m.File, 101), AliasOf() + " [AddMemo]");
        return 0;
    }
    MemoWritten(m);
    if (!UpdateMemoHeader()) return 0;
    return static_cast<int32_t>(block);
}

bool FreeBlocks(uint32_t first, uint64_t bytes)
{
    TMemoFile* mp = CurrentMemoFile();
    if (mp == nullptr || !IsDbase4Style(mp->MemoType)) return true;
    TMemoFile& m = *mp;
    const std::string tag = AliasOf() + " [EditMemo/CloseMemo]";
    const uint32_t count = BlocksOfBytes(bytes, m.BlockSize);
    if (count == 0 || first == 0) return true;
    const uint32_t blocks = BlocksInFile(m);
    uint8_t header[24];
    if (m.File.ReadAt(0, header, 24) != 24) {
        MemoError(30, tag);
        return false;
    }
    uint32_t head = GetLE32(header);
    const bool chain = FreeRunAt(m, head, blocks);
    if (chain && head == first) return true; // already free
    if (!chain || head > first) {
        if (!WriteRun(m, first, chain ? head : blocks, count) || !MainHeaderWrite(first)) {
            MemoError(29, tag);
            return false;
        }
        return true;
    }
    // Keep the chain in ascending order: link the run in after the last run
    // below it.
    uint32_t cur = head;
    for (uint32_t visited = 0; visited <= blocks; ++visited) {
        uint8_t run[8];
        if (!ReadRun(m, cur, run)) {
            MemoError(30, tag);
            return false;
        }
        const uint32_t next = GetLE32(run);
        const uint32_t curCount = GetLE32(run + 4);
        if (next == first || (first >= cur && first - cur < curCount)) return true; // already free
        const bool nextValid = next > cur && FreeRunAt(m, next, blocks);
        if (!nextValid || next > first) {
            if (!WriteLink(m, cur, first) || !WriteRun(m, first, nextValid ? next : blocks, count)) {
                MemoError(29, tag);
                return false;
            }
            return true;
        }
        cur = next;
    }
    return true;
}

uint32_t FindFreeBlocks(uint32_t needed, uint32_t oldBlock, const std::string& tag)
{
    TMemoFile* mp = CurrentMemoFile();
    if (mp == nullptr || !IsDbase4Style(mp->MemoType)) return 0;
    TMemoFile& m = *mp;
    const std::string detail = AliasOf() + tag;
    const uint32_t blocks = BlocksInFile(m);
    uint8_t run[8];
    if (oldBlock != 0) {
        if (!ReadRun(m, oldBlock, run)) {
            MemoError(30, detail);
            return 0;
        }
        if (IsDbase4MemoHeader(run)) {
            const uint32_t count =
                std::min(BlocksOfBytes(GetLE32(run + 4), m.BlockSize), blocks - std::min(blocks, oldBlock));
            if (count >= needed) {
                if (count > needed &&
                    !FreeBlocks(oldBlock + needed, static_cast<uint64_t>(count - needed) * m.BlockSize))
                    return 0;
                return oldBlock;
            }
        }
    }
    uint32_t visited = 0;
    if (needed != NoLimit) {
        if (m.File.ReadAt(0, run, 4) != 4) {
            MemoError(30, detail);
            return 0;
        }
        uint32_t prev = 0;
        uint32_t cur = GetLE32(run);
        while (cur > prev && cur < blocks) {
            if (!ReadRun(m, cur, run)) {
                MemoError(30, detail);
                return 0;
            }
            // A memo written where the chain once ended ends it.
            if (IsDbase4MemoHeader(run)) break;
            if (++visited > 100) break;
            const uint32_t next = GetLE32(run);
            uint32_t count = std::min(GetLE32(run + 4), blocks - cur);
            if (next > cur && next < blocks) count = std::min(count, next - cur);
            if (count >= needed && count >= 1) {
                // The run leaves the chain; its excess stays in it.
                uint32_t link = next;
                if (count > needed) {
                    link = cur + needed;
                    if (!WriteRun(m, link, next, count - needed)) {
                        MemoError(29, detail);
                        return 0;
                    }
                }
                if (!WriteLink(m, prev, link)) {
                    MemoError(29, detail);
                    return 0;
                }
                return cur;
            }
            prev = cur;
            cur = next;
        }
    }
    if (visited > 100 && !MainHeaderWrite(blocks + needed)) return 0;
    return blocks;
}

int32_t EditMemoCloseMemo(int32_t oldBlock)
{
    if (!CheckDbInUse("EditMemo/CloseMemo")) return 0;
    TMemoFile* mp = CurrentMemoFile();
    if (mp == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [EditMemo/CloseMemo]");
        return 0;
    }
    TMemoFile& m = *mp;
    const std::string text = LinesText();
    if (text.empty()) return 0;
    const uint64_t length = text.size() + (m.MemoType == MemoDbase3 ? 1 : 0);
    const long double freeKB = DiskFreeKB(m.Name);
    if (freeKB >= 0 && static_cast<long double>(length / 1024) >= freeKB) {
        SetError(1004, FileNameToOem(m.Name));
        return 0;
    }
    const int64_t pos = LockMemoPadAndSeekEOF("EditMemo/CloseMemo");
    if (pos == 0) return 0;
    const TMemoFilter& filter = CurrentMemoArea().WriteFilter;
    const uint32_t old = static_cast<uint32_t>(std::abs(static_cast<int64_t>(oldBlock)));
    uint32_t block;
    uint32_t releaseBlocks = 0;
    bool ok;
    if (m.MemoType == MemoDbase3) {
        block = static_cast<uint32_t>(pos / m.BlockSize);
        ok = WritePieces(m.File, static_cast<int64_t>(block) * m.BlockSize, Dbase3Stored(text), filter);
    } else {
        if (IsDbase4Style(m.MemoType)) {
            const uint32_t needed = BlocksOfBytes(text.size() + 8, m.BlockSize);
            uint32_t oldCount = 0;
            if (old != 0) {
                uint8_t run[8];
                if (ReadRun(m, old, run) && IsDbase4MemoHeader(run))
                    oldCount = BlocksOfBytes(GetLE32(run + 4), m.BlockSize);
            }
            // The old blocks are released only once the new text is
            // written: a failed write leaves the old memo whole.
            const bool inPlace = oldCount >= needed;
            if (!inPlace) releaseBlocks = oldCount;
            block = FindFreeBlocks(needed, inPlace ? old : 0, " [EditMemo/CloseMemo]");
            if (block == 0) return 0;
        } else {
            block = static_cast<uint32_t>(pos / m.BlockSize);
        }
        ok = WriteGroupHeader(m, block, static_cast<uint32_t>(text.size())) &&
             WritePieces(m.File, static_cast<int64_t>(block) * m.BlockSize + 8, text, filter);
    }
    if (!ok) {
        MemoError(WriteCode(m.File, 101), AliasOf() + " [EditMemo/CloseMemo]");
        return 0;
    }
    if (releaseBlocks > 0) {
        if (!FreeBlocks(old, static_cast<uint64_t>(releaseBlocks) * m.BlockSize) ||
            !AddReleasedCount(m, releaseBlocks))
            return 0;
    }
    MemoWritten(m);
    dbmemo.MemoLineEnds.clear();
    if (!UpdateMemoHeader()) return 0;
    return static_cast<int32_t>(block);
}

namespace
{

uint16_t CopyBlockSize(TMemoFile& m, uint8_t style)
{
    const uint16_t fallback = dbffile.MemoBlockSize == 0 ? 512 : dbffile.MemoBlockSize;
    uint8_t h[24] = {};
    if (style == MemoFox) {
        if (m.File.ReadAt(0, h, 8) != 8) return 64;
        const uint16_t bs = static_cast<uint16_t>((h[6] << 8) | h[7]);
        return bs == 0 ? fallback : bs;
    }
    if (IsDbase4Style(style)) {
        if (m.File.ReadAt(0, h, 24) != 24 || GetLE16(h + 18) != 0x0102) return 512;
        const uint16_t bs = GetLE16(h + 20);
        return bs == 0 ? fallback : bs;
    }
    return 512;
}

uint8_t StyleOfArea(uint8_t area)
{
    const uint8_t keep = dbcmd.CurrentArea;
    dbcmd.CurrentArea = area;
    const uint8_t type = GetMemoType();
    dbcmd.CurrentArea = keep;
    return type;
}

// The stored bytes of a memo for a file of the given style; negative tells
// that a dBASE III file gets the dBASE IV header.
std::string StoredForm(uint8_t style, const std::string& text, bool knownLength, uint32_t foxType,
                       bool& withHeader)
{
    withHeader = style != MemoDbase3 || (knownLength && text.find('\0') != std::string::npos);
    if (!withHeader) return text + '\x1A';
    uint8_t h[8];
    if (style == MemoFox) {
        PutBE32(h, foxType);
        PutBE32(h + 4, static_cast<uint32_t>(text.size()));
    } else {
        PutLE16(h, 0xFFFF);
        PutLE16(h + 2, 8);
        PutLE32(h + 4, static_cast<uint32_t>(text.size()) + 8);
    }
    return std::string(reinterpret_cast<const char*>(h), 8) + text;
}

} // namespace

int32_t CopyMemo(uint8_t sourceArea, int32_t block, bool byOffset)
{
    if (block == 0) return 0;
    const std::string tag = AliasOf() + " [AppendFrom/CopyTo]";
    if (sourceArea < 1 || sourceArea > 35 || !dbmemo.Areas[sourceArea].Memo || CurrentMemoFile() == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [AppendFrom/CopyTo]");
        return 0;
    }
    const int64_t pos = LockMemoPadAndSeekEOF("CopyMemo()");
    if (pos == 0) return 0;
    TMemoFile& dst = *CurrentMemoFile();
    TMemoFile& src = *dbmemo.Areas[sourceArea].Memo;
    const uint8_t srcStyle = StyleOfArea(sourceArea);
    const uint16_t srcSize = CopyBlockSize(src, srcStyle);
    const uint32_t absBlock = static_cast<uint32_t>(std::abs(static_cast<int64_t>(block)));
    std::string text;
    bool header = false;
    const uint16_t code = ReadStoredMemo(src, srcStyle, static_cast<int64_t>(absBlock) * srcSize,
                                         dbmemo.Areas[sourceArea].ReadFilter, true, text, header);
    if (code != 0) {
        MemoError(code, tag);
        return 0;
    }
    uint32_t newBlock;
    int64_t offset;
    if (byOffset) {
        newBlock = absBlock;
        offset = static_cast<int64_t>(dst.BlockSize) * absBlock;
    } else {
        offset = dst.MemoType == MemoDbase3 && pos == 513 ? 512 : pos;
        newBlock = static_cast<uint32_t>(offset / dst.BlockSize);
    }
    bool withHeader = false;
    const std::string stored = StoredForm(dst.MemoType, text, header, 1, withHeader);
    if (!WritePieces(dst.File, offset, stored, CurrentMemoArea().WriteFilter)) {
        MemoError(1005, tag);
        return 0;
    }
    MemoWritten(dst);
    if (!UpdateMemoHeader()) return 0;
    const int32_t result = static_cast<int32_t>(newBlock);
    return dst.MemoType == MemoDbase3 && withHeader ? -result : result;
}

namespace
{

struct TMemoUpdate {
    int32_t Record;
    std::size_t Offset;
    std::string NewText;
};

std::string NumberField(int64_t n, std::size_t width)
{
    std::string s = std::to_string(n);
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
}

// Keeps the old memo file as name.$MB beside the new one: a second name of
// the same file where the file system has them, so that the memo file's own
// name never goes missing; otherwise the file is renamed. An existing kept
// file, left by a pack cut short, is never replaced.
uint16_t KeepOldMemo(const std::string& name, const std::string& kept, bool& linked)
{
    linked = ::link(name.c_str(), kept.c_str()) == 0;
    if (linked) return 0;
    if (errno == EEXIST) return platform::DosErrorOf(EACCES);
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EXDEV && errno != EMLINK)
        return platform::DosErrorOf(errno);
    if (FileExistsStr(kept)) return platform::DosErrorOf(EACCES);
    return std::rename(name.c_str(), kept.c_str()) == 0 ? 0 : platform::DosErrorOf(errno);
}

} // namespace

std::string memo_detail::PackStepName(const std::string& memoName)
{
    return ForceExtension(memoName, "$MP");
}

uint16_t memo_detail::WritePackStep(const std::string& memoName, const TPackStep& step)
{
    std::string text = "Pack step\n";
    for (int i = 0; i < 4; ++i)
        text += std::to_string(step.Device[i]) + " " + std::to_string(step.Inode[i]) + "\n";
    const std::string name = PackStepName(memoName);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return platform::DosErrorOf(errno);
    const bool ok =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (ok) return 0;
    ::unlink(name.c_str());
    return error != 0 ? platform::DosErrorOf(error) : 101;
}

bool memo_detail::ReadPackStep(const std::string& memoName, TPackStep& step)
{
    FILE* f = std::fopen(PackStepName(memoName).c_str(), "rb");
    if (f == nullptr) return false;
    char head[16] = {};
    bool ok = std::fgets(head, sizeof head, f) != nullptr && std::string(head) == "Pack step\n";
    for (int i = 0; ok && i < 4; ++i) {
        unsigned long long d = 0, n = 0;
        ok = std::fscanf(f, "%llu %llu", &d, &n) == 2;
        step.Device[i] = d;
        step.Inode[i] = n;
    }
    std::fclose(f);
    return ok;
}

bool PackMemofile()
{
    if (!CheckDbInUse("PackMemofile")) return false;
    if (!CurrentMemoArea().Memo) return true;
    // The new numbers go into a copy of the table that takes its place
    // together with the new memo file, as in a Pack; every record is kept.
    return PackTable(false);
}

bool PackMemofileInto(TMemoPackTarget& target)
{
    if (!CheckDbInUse("PackMemofile")) return false;
    TWorkArea& a = *SelectedArea();
    TMemoArea& area = CurrentMemoArea();
    if (!area.Memo) return target.ReplaceTable();
    TMemoFile& m = *area.Memo;
    // Only the messages name it: the alias of a table is its file name's stem.
    const std::string alias = FileNameToOem(a.AliasName);
    const int64_t oldSize = m.File.Size();
    const long double freeKB = DiskFreeKB(m.Name);
    if (freeKB >= 0 && static_cast<long double>(oldSize / 1024) > freeKB) {
        MemoError(1012, alias + " [PackMemofile]");
        return false;
    }
    const std::string tempName = ForceExtension(m.Name, "$$$");
    platform::TSharedFile temp;
    uint16_t code = temp.Create(tempName, platform::TFileShare::DenyWrite);
    if (code != 0) {
        SetError(code, "Cannot create memo file " + FileNameToOem(tempName) + " [PackMemofile]");
        return false;
    }
    auto fail = [&](uint16_t c, const std::string& detail) {
        temp.Close();
        ::unlink(tempName.c_str());
        MemoError(c, detail);
        return false;
    };
    // The new file starts with the header of the old one, its chain and
    // counters cleared.
    std::string header;
    if (IsDbase4Style(m.MemoType)) {
        header.assign(24, '\0');
        if (m.File.ReadAt(0, header.data(), 24) != 24) return fail(30, alias + " [PackMemo]");
        std::memset(header.data(), 0, 8);
        PutLE16(reinterpret_cast<uint8_t*>(&header[20]), m.BlockSize);
    } else {
        header.assign(512, '\0');
        if (m.MemoType == MemoFox) {
            header[6] = static_cast<char>(m.BlockSize >> 8);
            header[7] = static_cast<char>(m.BlockSize & 0xFF);
        }
    }
    if (temp.WriteAt(0, header.data(), header.size()) != static_cast<long>(header.size()))
        return fail(WriteCode(temp, 1005), alias + " [PackMemo]");
    int64_t size = static_cast<int64_t>(header.size());
    std::vector<TMemoUpdate> updates;
    std::string record;
    for (int32_t r = 1; r <= target.RecordCount; ++r) {
        if (uint16_t c = target.ReadRecord(r, record); c != 0) return fail(c, alias + " [PackMemo]");
        for (const TDbfField& f : a.Fields) {
            if (f.Type != 'M' && f.Type != 'B' && f.Type != 'G' && f.Type != 'P') continue;
            const std::string field = record.substr(f.Offset, f.Length);
            const int64_t n = TextToInteger(AllTrim(field));
            if (n == 0) continue;
            const uint32_t oldBlock = static_cast<uint32_t>(n < 0 ? -n : n);
            if (static_cast<int64_t>(oldBlock) * m.BlockSize >= oldSize - 1)
                return fail(1003, alias + " Memo block # " + std::to_string(n) + " Record # " +
                                      std::to_string(r) + " [PackMemo]");
            if (size % m.BlockSize != 0) {
                std::string zeros(static_cast<std::size_t>(m.BlockSize - size % m.BlockSize), '\0');
                if (temp.WriteAt(size, zeros.data(), zeros.size()) != static_cast<long>(zeros.size()))
                    return fail(1005, alias + " [PackMemo]");
                size += static_cast<int64_t>(zeros.size());
            }
            const uint32_t newBlock = static_cast<uint32_t>(size / m.BlockSize);
            std::string text;
            bool withHeader = false;
            const int64_t at = static_cast<int64_t>(oldBlock) * m.BlockSize;
            uint32_t foxType = 1;
            if (m.MemoType == MemoFox) {
                uint8_t h[4];
                if (m.File.ReadAt(at, h, 4) == 4) foxType = ReadBE32(h);
            }
            code = ReadStoredMemo(m, m.MemoType, at, area.ReadFilter, false, text, withHeader);
            if (code != 0)
                return fail(code, alias + " Memo block # " + std::to_string(n) + " Record # " +
                                      std::to_string(r) + " [PackMemo]");
            std::string stored;
            if (m.MemoType == MemoDbase3 && !withHeader)
                stored = Dbase3Stored(text);
            else
                stored = StoredForm(m.MemoType == MemoDbase3 ? static_cast<uint8_t>(MemoDbase4) : m.MemoType,
                                    text, true, foxType, withHeader);
            if (!WritePieces(temp, size, stored, area.WriteFilter)) return fail(1005, alias + " [PackMemo]");
            size += static_cast<int64_t>(stored.size());
            const int64_t numbered = n < 0 ? -static_cast<int64_t>(newBlock) : newBlock;
            std::string text10 = NumberField(numbered, f.Length);
            if (text10.size() > f.Length)
                return fail(1005, alias + " Record # " + std::to_string(r) + " [PackMemo]");
            updates.push_back({r, f.Offset, std::move(text10)});
        }
    }
    if (m.MemoType == MemoDbase3 && size == 512) {
        const char eof = '\x1A';
        if (temp.WriteAt(size, &eof, 1) != 1) return fail(1005, alias + " [PackMemo]");
        ++size;
    }
    uint8_t next[4];
    const uint32_t blocks = BlocksOfBytes(static_cast<uint64_t>(size), m.BlockSize);
    if (m.MemoType == MemoFox)
        PutBE32(next, blocks);
    else
        PutLE32(next, blocks);
    if (temp.WriteAt(0, next, 4) != 4 || temp.Flush() != 0) return fail(29, alias + " [PackMemo]");
    temp.Close();
    // The new numbers go into the table's packed copy, which nobody reads
    // until it takes the table's place; the copy is made durable here, so
    // that nothing but two renames stands between the two replacements.
    for (const TMemoUpdate& u : updates)
        if (uint16_t c = target.WriteField(u.Record, u.Offset, u.NewText); c != 0)
            return fail(c, alias + " Record # " + std::to_string(u.Record) + " [PackMemo]");
    if (uint16_t c = target.Flush(); c != 0) return fail(c, alias + " [PackMemo]");
    PassStep("pack: memo copy written");

    // Both new files are complete: they replace the old ones one right after
    // the other. The old memo file stays as name.$MB until both are in place,
    // and the step file, written before the first rename and removed after
    // the last, names the four files, so that an open after a crash in
    // between can tell which replacements took place and settle it.
    const std::string keptName = ForceExtension(m.Name, "$MB");
    const std::string stepName = PackStepName(m.Name);
    {
        TPackStep step;
        struct stat st[4];
        if (::stat(m.Name.c_str(), &st[0]) != 0 || ::stat(tempName.c_str(), &st[1]) != 0 ||
            ::fstat(a.File.Fd(), &st[2]) != 0 || ::stat(target.CopyName.c_str(), &st[3]) != 0)
            code = platform::DosErrorOf(errno);
        else
            for (int i = 0; i < 4; ++i)
                step.Device[i] = static_cast<uint64_t>(st[i].st_dev),
                step.Inode[i] = static_cast<uint64_t>(st[i].st_ino);
        if (code == 0) code = WritePackStep(m.Name, step);
        if (code != 0) {
            ::unlink(tempName.c_str());
            SetError(code, "Cannot write " + FileNameToOem(stepName) + " [PackMemofile]");
            return false;
        }
    }
    bool linked = false;
    code = KeepOldMemo(m.Name, keptName, linked);
    if (code != 0) {
        ::unlink(tempName.c_str());
        ::unlink(stepName.c_str());
        SetError(code, "Cannot keep the old memo file as " + FileNameToOem(keptName) + " [PackMemofile]");
        return false;
    }
    PassStep("pack: old memo kept");
    UnlockMemo(m);
    m.File.Close();
    auto reopen = [&m]() {
        return m.File.Open(m.Name, true,
                           dbcmd.SharedAccess ? platform::TFileShare::DenyNone
                                              : platform::TFileShare::DenyWrite);
    };
    // Puts the old memo file back under its name, for a table that stays as
    // it was. (A second name of a file renamed onto its first would stay.)
    auto restoreOld = [&](bool newInPlace, uint16_t c, const std::string& detail) {
        if (linked && !newInPlace)
            ::unlink(keptName.c_str());
        else
            std::rename(keptName.c_str(), m.Name.c_str());
        reopen();
        ::unlink(tempName.c_str());
        ::unlink(stepName.c_str());
        SetError(c, detail);
        return false;
    };
    if (std::rename(tempName.c_str(), m.Name.c_str()) != 0)
        return restoreOld(false, platform::DosErrorOf(errno), alias + " [PackMemofile]");
    PassStep("pack: memo in place");
    if (!target.ReplaceTable()) {
        const uint16_t c = dberror.DbErrorCode != 0 ? dberror.DbErrorCode : 101;
        const std::string text = dberror.DbErrorText;
        return restoreOld(true, c, text.empty() ? alias + " [PackMemofile]" : text);
    }
    ::unlink(keptName.c_str());
    PassStep("pack: kept memo removed");
    ::unlink(stepName.c_str());
    code = reopen();
    if (code != 0) {
        const std::string name = m.Name;
        area.Memo.reset();
        SetError(code, "Memo file not found: " + FileNameToOem(name) + " [PackMemofile]");
        return false;
    }
    return true;
}

void InstallMemoHooks()
{
    TMemoHooks& h = dbhooks.MemoHooks;
    h.PackMemofile = [](TMemoPackTarget& target) { return PackMemofileInto(target); };
    h.OpenMemofile = [](const std::string& table) { return OpenMemofile(table); };
    h.CloseMemofile = [] { CloseMemofile(); };
    h.CopyMemoByBlock = [](uint8_t source, int32_t block) { return CopyMemo(source, block, false); };
    h.CopyMemoByOffset = [](uint8_t source, int32_t block) { return CopyMemo(source, block, true); };
    h.RecreateMemofile = [] {
        TWorkArea* a = SelectedArea();
        return a != nullptr && RecreateMemofile(a->Name);
    };
    h.AddMemo = [](const std::string& text) { return AddMemo(text); };
    h.AssignMemo = [](int32_t block, std::vector<std::string>& lines) { return ReadMemoLines(block, lines); };
    dbexpr.TableHooks.MemoText = [](int area, int field) { return MemoOperandText(area, field); };
}
