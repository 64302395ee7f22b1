#include "xbase/dbf/dbffile.h"

#include "foundation/codepage.h"
#include "foundation/signalcleanup.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

TDbfFile dbffile;

void ResetDbfFile()
{
    dbffile = TDbfFile{};
}

platform::TFileShare ShareOfMode(uint16_t mode)
{
    return (mode & 0x70) == 0x40 ? platform::TFileShare::DenyNone : platform::TFileShare::DenyWrite;
}

bool ModeWrites(uint16_t mode)
{
    return (mode & 0x03) != 0;
}

namespace
{

void ClearTable(TDbfTable& t)
{
    SetReadAhead(t, false);
    t.File.Close();
    t.Fields.clear();
    t.FieldCount = 0;
    t.RecordBuffer.clear();
    t.FileState = FileClosed;
}

void CallVirtual(TDbfTable& t, uint8_t op, int32_t arg)
{
    t.VirtualOp = op;
    t.VirtualArg = arg;
    if (dbhooks.VFileDriver) dbhooks.VFileDriver(t.AreaNo);
}

std::string DateKeyToday()
{
    uint16_t y, m, d, w;
    GetDate(y, m, d, w);
    return ZeroPad(y, 4) + ZeroPad(m, 2) + ZeroPad(d, 2);
}

// The memo extension in the case of the table's own extension, so that
// "parts.dbf" gets "parts.dbt" and "PARTS.DBF" gets "PARTS.DBT".
std::string MemoNameOf(const std::string& tableName, const std::string& ext)
{
    std::string dir, name, e;
    FSplit(tableName, dir, name, e);
    bool lower = e.size() > 1 && e[1] >= 'a' && e[1] <= 'z';
    std::string x = ext;
    if (lower)
        for (char& c : x)
            c = CharLower(c);
    return ForceExtension(tableName, x);
}

// About 64 KiB of records per read: few enough system calls that a walk
// through a large table costs no more than the copying, small enough that a
// jump to a far record reads little it does not need.
constexpr std::size_t kReadAheadBytes = 1u << 16;

// Reads record n into out through the read-ahead block; the bytes read, or
// -1 with the file's error.
long ReadRecordAhead(TDbfTable& t, int32_t n, char* out)
{
    TReadAhead& ra = t.ReadAhead;
    const std::size_t length = t.RecordLength;
    const int64_t pos = RecordPosition(t, n);
    const bool backward = ra.LastRecord > 0 && n < ra.LastRecord;
    // Only a walk is read ahead: a jump (a seek, the next key of an index)
    // reads its one record, as a block there would mostly go unused.
    const bool walking = ra.LastRecord > 0 && (n == ra.LastRecord + 1 || n == ra.LastRecord - 1);
    ra.LastRecord = n;
    const bool held = !ra.Bytes.empty() && pos >= ra.Start &&
                      pos + static_cast<int64_t>(length) <= ra.Start + static_cast<int64_t>(ra.Bytes.size());
    // Shared, a record asked for again or out of turn may have been changed
    // since the block was read: it comes from the file.
    if ((!held || ra.Shared) && !walking) {
        if (!ra.Shared) {
            // Nobody else writes the file: its mapping holds what it holds.
            if (!ra.Map.Tried()) ra.Map.Map(t.File.Fd(), t.File.Size());
            if (const uint8_t* p = ra.Map.At(pos, length)) {
                std::memcpy(out, p, length);
                return static_cast<long>(length);
            }
        }
        return t.File.ReadAt(pos, out, length);
    }
    if (!held) {
        const int64_t records = std::max<int64_t>(1, static_cast<int64_t>(kReadAheadBytes / length));
        // Walking backward (SKIP -1) the block ends at the record asked for.
        int32_t first = n;
        if (backward) first = static_cast<int32_t>(std::max<int64_t>(1, n - records + 1));
        const int64_t last = std::min<int64_t>(t.RecordCount, first + records - 1);
        const int64_t start = RecordPosition(t, first);
        ra.Bytes.resize(static_cast<std::size_t>(last - first + 1) * length);
        long got = t.File.ReadAt(start, ra.Bytes.data(), ra.Bytes.size());
        if (got < 0) {
            ra.Bytes.clear();
            return -1;
        }
        ra.Bytes.resize(static_cast<std::size_t>(got));
        ra.Start = start;
        if (pos + static_cast<int64_t>(length) > ra.Start + got) {
            // A short file: hand over what is there, as a single read would.
            const int64_t have = std::max<int64_t>(0, ra.Start + got - pos);
            std::memcpy(out, ra.Bytes.data() + (pos - ra.Start), static_cast<std::size_t>(have));
            ra.Bytes.clear();
            return static_cast<long>(have);
        }
    }
    std::memcpy(out, ra.Bytes.data() + (pos - ra.Start), length);
    return static_cast<long>(length);
}

// The bytes the DOS to Windows mapping leaves as they are, taken from its
// table: ASCII but the pilcrow and section sign (0x14, 0x15, shown as the
// Windows ones), and whatever of the upper half happens to keep its value.
// NUL counts as changed: a record holding one goes the long way. Built
// before any table is read.
struct TKeptBytes {
    std::array<bool, 256> Kept{};
    // Every printable ASCII byte is kept: only a byte below 0x20 or above
    // 0x7E needs looking up, which the screen below relies on.
    bool PrintableKept = true;
};

TKeptBytes MakeKeptBytes()
{
    TKeptBytes k;
    for (int c = 1; c < 256; ++c)
        k.Kept[static_cast<std::size_t>(c)] = OemToAnsiChar(static_cast<unsigned char>(c)) == c;
    for (int c = 0x20; c < 0x7F; ++c)
        k.PrintableKept = k.PrintableKept && k.Kept[static_cast<std::size_t>(c)];
    return k;
}

const TKeptBytes kKeptBytes = MakeKeptBytes();

bool KeptFrom(const std::string& record, std::size_t at, std::size_t end)
{
    for (; at < end; ++at)
        if (!kKeptBytes.Kept[static_cast<unsigned char>(record[at])]) return false;
    return true;
}

// Whether the record's data holds only bytes the DOS to Windows mapping
// leaves as they are, so that converting it would change nothing. Most
// records are plain text; a record with a byte the mapping changes is
// converted.
bool PlainAscii(const std::string& record)
{
    if (!kKeptBytes.PrintableKept) return false;
    const std::size_t size = record.size();
    std::size_t i = 1;
#if defined(__SSE2__)
    // Sixteen bytes at a time (this runs for every record read): a byte
    // below 0x20 or above 0x7E (compared as signed, the upper half is below
    // 0x20) sends its sixteen to the table. The last sixteen may overlap
    // bytes seen.
    if (size >= 17) {
        const __m128i below = _mm_set1_epi8(0x20);
        const __m128i above = _mm_set1_epi8(0x7E);
        auto printable = [&](std::size_t at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record.data() + at));
            return _mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(v, below), _mm_cmpgt_epi8(v, above))) == 0;
        };
        for (; i + 16 <= size; i += 16)
            if (!printable(i) && !KeptFrom(record, i, i + 16)) return false;
        return i == size || printable(size - 16) || KeptFrom(record, size - 16, size);
    }
#endif
    return KeptFrom(record, i, size);
}

} // namespace

void SetReadAhead(TDbfTable& table, bool on, bool shared)
{
    DropReadAhead(table);
    table.ReadAhead.Map.Drop();
    table.ReadAhead.On = on;
    table.ReadAhead.Shared = shared;
}

void DropReadAhead(TDbfTable& table)
{
    table.ReadAhead.Bytes.clear();
    table.ReadAhead.Bytes.shrink_to_fit();
    table.ReadAhead.LastRecord = 0;
}

int64_t RecordPosition(const TDbfTable& table, int32_t n)
{
    return static_cast<int64_t>(table.HeaderLength) + static_cast<int64_t>(n - 1) * table.RecordLength;
}

void ApplyReadTransform(TDbfTable& table, std::string& record)
{
    if (record.size() < 2) return;
    if (table.ReadHook) table.ReadHook(&record[1], record.size() - 1);
    if (table.OemText && !PlainAscii(record)) {
        std::string data = StrOemToAnsi(record.substr(1));
        record.replace(1, data.size(), data);
    }
}

void ApplyWriteTransform(TDbfTable& table, std::string& record)
{
    if (record.size() < 2) return;
    if (table.OemText) {
        std::string data = StrAnsiToOem(record.substr(1));
        record.replace(1, data.size(), data);
    }
    if (table.WriteHook) table.WriteHook(&record[1], record.size() - 1);
}

bool OpenDbf(TDbfTable& table)
{
    std::string name = DefaultExtension(AllTrim(table.Name), "DBF");
    name = ResolveFileName(name);
    table.Name = name;
    table.OpenMode = dbffile.FileOpenMode;
    uint16_t code = table.File.Open(name, ModeWrites(table.OpenMode), ShareOfMode(table.OpenMode));
    if (code != 0) {
        ClearTable(table);
        SetError(code, "Failure to open " + FileNameToOem(name) + " [USE/OpenDbf]");
        return false;
    }
    // The name was resolved and opened just now: it is its own short name.
    std::string shortName = name;
    if (table.OemText) shortName = StrAnsiToOem(shortName);
    std::string cleaned;
    for (char c : shortName)
        if (c != '\\' && c != '/') cleaned += c;
    table.ShortName = cleaned.substr(0, 12);
    const int64_t fileSize = table.File.Size();

    TDbfHeaderInfo info;
    auto reader = [&table](int64_t offset, void* buffer, std::size_t count) {
        return table.File.ReadAt(offset, buffer, count);
    };
    TDbfParseResult parsed = ParseDbfHeader(reader, fileSize, name, dbffile.Extras(), info);
    if (parsed.Code != 0) {
        ClearTable(table);
        SetError(parsed.Code, parsed.Detail);
        return false;
    }
    std::memcpy(table.Header, info.Header, 32);
    table.Layout = info.Layout;
    table.HasMemo = info.HasMemo;
    table.HeaderLength = static_cast<int16_t>(info.HeaderLength);
    table.RecordLength = info.RecordLength;
    table.FieldCount = static_cast<uint8_t>(info.Fields.size());
    table.Fields = std::move(info.Fields);
    table.Date = ZeroPad(info.Year, 4) + ZeroPad(info.Month, 2) + ZeroPad(info.Day, 2);
    table.RecordCount = info.RecordCount;
    int64_t capacity = (fileSize - table.HeaderLength) / table.RecordLength;
    capacity = std::clamp<int64_t>(capacity, 0, INT32_MAX);
    if (dbffile.CountFromFileSize) table.RecordCount = static_cast<int32_t>(capacity);
    // A header that counts more records than the file holds (a file cut
    // short) would make every move to the missing records fail again and
    // again: only the records that are there are counted.
    if (table.RecordCount > capacity) table.RecordCount = static_cast<int32_t>(capacity);
    table.RecordBuffer.assign(table.RecordLength, ' ');
    if (table.RecordCount < 1) {
        table.RecordNumber = 0;
        table.AtBegin = table.AtEnd = true;
    } else {
        table.RecordNumber = 1;
        table.AtBegin = table.AtEnd = false;
    }
    table.FileState = FileOpen;
    // With others denied write access nobody but this handle changes the
    // records, so a block read ahead stays true; a shared table reads ahead
    // only for a walk.
    SetReadAhead(table, true, ShareOfMode(table.OpenMode) == platform::TFileShare::DenyNone);
    return true;
}

bool GetDbfRecord(TDbfTable& table, int32_t n)
{
    if (table.IsVirtual) {
        CallVirtual(table, VirtualRead, n);
        return dberror.DbErrorCode == 0;
    }
    if (n < 1 || n > table.RecordCount) {
        SetError(212, "Invalid record number = " + std::to_string(n) + " (" + FileNameToOem(table.Name) +
                          ")  [GetDbfRecord]");
        return false;
    }
    table.AtEnd = table.AtBegin = false;
    // The next record of a walk that the read-ahead block holds cannot fail
    // to be read: it is copied straight into the buffer (unless a hook of
    // the caller's sees the bytes first).
    TReadAhead& ra = table.ReadAhead;
    const std::size_t length = table.RecordLength;
    if (ra.On && ra.LastRecord > 0 && (n == ra.LastRecord + 1 || n == ra.LastRecord - 1) && !table.ReadHook &&
        table.RecordBuffer.size() == length) {
        const int64_t pos = RecordPosition(table, n);
        if (!ra.Bytes.empty() && pos >= ra.Start &&
            pos + static_cast<int64_t>(length) <= ra.Start + static_cast<int64_t>(ra.Bytes.size())) {
            ra.LastRecord = n;
            std::memcpy(table.RecordBuffer.data(), ra.Bytes.data() + (pos - ra.Start), length);
            ApplyReadTransform(table, table.RecordBuffer);
            table.RecordNumber = n;
            return true;
        }
    }
    // Read beside the buffer, so that a failed read leaves it as it was; the
    // two strings trade places and keep their storage for the next read.
    static thread_local std::string record;
    record.resize(table.RecordLength);
    long got = table.ReadAhead.On ? ReadRecordAhead(table, n, record.data())
                                  : table.File.ReadAt(RecordPosition(table, n), record.data(), record.size());
    if (got != static_cast<long>(record.size())) {
        SetError(got < 0 ? table.File.LastError() : 213,
                 "File:  " + FileNameToOem(table.Name) + "  [GetDbfRecord]");
        return false;
    }
    ApplyReadTransform(table, record);
    std::swap(table.RecordBuffer, record);
    table.RecordNumber = n;
    return true;
}

bool PutDbfRecord(TDbfTable& table, int32_t n)
{
    if (table.IsVirtual) {
        CallVirtual(table, VirtualWrite, n);
        return dberror.DbErrorCode == 0;
    }
    // Built only for a failure: this runs for every record written.
    const auto tag = [&table] {
        return "File:  " + FileNameToOem(table.Name) + " [Replace/Append/PutDbfRecord]";
    };
    if (n < 1) {
        SetError(212, "Invalid record number = " + std::to_string(n) + " (" + FileNameToOem(table.Name) +
                          ")  [PutDbfRecord]");
        return false;
    }
    const int32_t pos = n > table.RecordCount ? table.RecordCount + 1 : n;
    const bool append = pos == table.RecordCount + 1;
    // A dBASE II header counts records in 16 bits: refuse the record that
    // would not be counted instead of losing it.
    if (append && table.Layout == TDbfLayout::DBase2 && table.RecordCount >= 65535) {
        SetError(212, "dBASE II table is full (65535 records): " + tag());
        return false;
    }
    if (append && table.RecordCount == INT32_MAX) {
        SetError(212, tag());
        return false;
    }
    DropReadAhead(table);
    std::string record = table.RecordBuffer;
    record.resize(table.RecordLength, ' ');
    ApplyWriteTransform(table, record);
    long put = table.File.WriteAt(RecordPosition(table, pos), record.data(), record.size());
    if (put != static_cast<long>(record.size())) {
        SetError(put < 0 ? table.File.LastError() : 101, tag());
        return false;
    }
    if (append) {
        table.RecordCount = pos;
        table.RecordNumber = pos;
        table.FileState = FileAppended;
    } else if (table.FileState != FileAppended) {
        table.FileState = FileChanged;
    }
    if (dbffile.FlushOnWrite) {
        if (append) return CommitHeader(table);
        return FlushFile(table.File);
    }
    return true;
}

bool AppendDbfRecord(TDbfTable& table)
{
    return PutDbfRecord(table, table.RecordCount + 1);
}

bool WriteDeleteFlag(TDbfTable& table, int32_t n)
{
    if (n > table.RecordCount || n < 1) return PutDbfRecord(table, n);
    DropReadAhead(table);
    char flag = table.RecordBuffer.empty() ? ' ' : table.RecordBuffer[0];
    if (table.File.WriteAt(RecordPosition(table, n), &flag, 1) != 1) {
        SetError(table.File.LastError() != 0 ? table.File.LastError() : 101,
                 "File:  " + FileNameToOem(table.Name) + " [DeleteRec/RecallRec]");
        return false;
    }
    if (table.FileState != FileAppended) table.FileState = FileChanged;
    if (dbffile.FlushOnWrite) return FlushFile(table.File);
    return true;
}

bool CommitHeader(TDbfTable& table, bool endOfFile)
{
    if (table.FileState != FileChanged && table.FileState != FileAppended) return true;
    if (table.IsVirtual) {
        table.FileState = FileOpen;
        return true;
    }
    DropReadAhead(table);
    uint16_t y, m, d, w;
    GetDate(y, m, d, w);
    bool ok;
    if (table.Layout == TDbfLayout::DBase2) {
        PutLE16(table.Header + 1, static_cast<uint16_t>(table.RecordCount & 0xFFFF));
        table.Header[3] = static_cast<uint8_t>(m);
        table.Header[4] = static_cast<uint8_t>(d);
        table.Header[5] = static_cast<uint8_t>(y - 1900);
        ok = table.File.WriteAt(0, table.Header, 8) == 8;
    } else {
        // Bytes 16..27 belong to every user of the file: take them as they
        // are on disk now.
        uint8_t shared[12];
        if (table.File.ReadAt(16, shared, sizeof shared) == static_cast<long>(sizeof shared))
            std::memcpy(table.Header + 16, shared, sizeof shared);
        table.Header[1] = static_cast<uint8_t>(y - 1900);
        table.Header[2] = static_cast<uint8_t>(m);
        table.Header[3] = static_cast<uint8_t>(d);
        PutLE32(table.Header + 4, static_cast<uint32_t>(table.RecordCount));
        ok = table.File.WriteAt(0, table.Header, 32) == 32;
    }
    if (ok && table.FileState == FileAppended && endOfFile) {
        // Never below the file's last whole record: a count behind the file
        // (a header trusted at an exclusive open, another user's append)
        // would put the byte on a record's delete flag.
        const int64_t size = table.File.Size();
        const int64_t whole =
            size < table.HeaderLength ? 0 : (size - table.HeaderLength) / table.RecordLength;
        if (table.RecordCount >= whole) {
            const char eof = static_cast<char>(DbfEndOfFile);
            ok = table.File.WriteAt(RecordPosition(table, table.RecordCount + 1), &eof, 1) == 1;
        }
    }
    if (!ok) {
        const std::string name = FileNameToOem(table.Name);
        SetError(table.File.LastError() != 0 ? table.File.LastError() : 101,
                 "File:  " + name + " [CloseDbf(" + name + ")]");
        return false;
    }
    table.Date = ZeroPad(y, 4) + ZeroPad(m, 2) + ZeroPad(d, 2);
    table.FileState = FileOpen;
    return FlushFile(table.File);
}

bool CloseDbf(TDbfTable& table, bool endOfFile)
{
    if (table.IsVirtual) {
        CallVirtual(table, VirtualClose, 0);
        table.FileState = FileClosed;
        return true;
    }
    bool ok = true;
    if (table.FileState == FileChanged || table.FileState == FileAppended)
        ok = CommitHeader(table, endOfFile);
    ClearTable(table);
    return ok;
}

bool FlushFile(platform::TSharedFile& file)
{
    uint16_t code = file.Flush();
    if (code != 0) {
        SetError(code, "Unable to flush file [FlushFile]");
        return false;
    }
    return true;
}

std::string MemoFileName(const std::string& tableName, uint8_t version)
{
    return MemoNameOf(tableName, MemoFileExt(version));
}

std::string MemoFileExt(uint8_t version)
{
    if (!IsAcceptedVersion(version, dbffile.Extras()) && version != 0x30) version = dbffile.MemoVersion;
    return version == 0xF5 || version == 0x30 ? "FPT" : "DBT";
}

bool CreateMemoFileHeader(const std::string& tableName, uint8_t version, uint16_t blockSize,
                          const std::string& tag)
{
    const std::string name = MemoNameOf(tableName, MemoFileExt(version));
    std::vector<uint8_t> bytes;
    if (version == 0x83) {
        bytes.assign(513, 0);
        bytes[0] = 0x01;
        bytes[512] = DbfEndOfFile;
    } else if (version == 0xF5) {
        bytes.assign(512, 0);
        uint16_t bs = blockSize == 0 ? 512 : blockSize;
        uint32_t next = 511 / bs + 1;
        bytes[0] = static_cast<uint8_t>(next >> 24);
        bytes[1] = static_cast<uint8_t>(next >> 16);
        bytes[2] = static_cast<uint8_t>(next >> 8);
        bytes[3] = static_cast<uint8_t>(next);
        bytes[6] = static_cast<uint8_t>(bs >> 8);
        bytes[7] = static_cast<uint8_t>(bs);
    } else {
        bytes.assign(24, 0);
        PutLE32(&bytes[0], 1);
        std::string dir, base, ext;
        FSplit(tableName, dir, base, ext);
        std::memcpy(&bytes[8], base.data(), std::min<std::size_t>(base.size(), 8));
        bytes[18] = 0x02;
        bytes[19] = 0x01;
        PutLE16(&bytes[20], blockSize);
    }
    platform::TSharedFile file;
    uint16_t code = file.Create(name, platform::TFileShare::DenyWrite);
    if (code != 0) {
        SetError(code, "Cannot create memo file " + FileNameToOem(name) + " [" + tag + "]");
        return false;
    }
    if (file.WriteAt(0, bytes.data(), bytes.size()) != static_cast<long>(bytes.size()) || file.Flush() != 0) {
        SetError(file.LastError() != 0 ? file.LastError() : 101, FileNameToOem(name) + " [" + tag + "]");
        return false;
    }
    file.Close();
    return true;
}

bool CreateDBF(TDbfTable& table, const std::string& name, const std::vector<TDbfField>& fields)
{
    const bool extras = dbffile.Extras().Set();
    const uint8_t requested = extras ? 0x8B : dbffile.MemoVersion;
    const bool blobs = requested == 0x8B || requested == 0x8C;
    const std::string refused = "Invalid dBASE field definition [CreateDBF]";
    // A table without fields, or with more than a header can describe,
    // could never be opened again.
    if (fields.empty() || fields.size() > 255) {
        SetError(211, refused);
        return false;
    }
    std::vector<TDbfField> out;
    bool memo = false;
    uint32_t recordLength = 1;
    for (const auto& in : fields) {
        TDbfField f;
        f.Name = UpperStr(AllTrim(in.Name)).substr(0, 10);
        f.Type = CharUpper(in.Type);
        bool allowed = f.Type == 'C' || f.Type == 'D' || f.Type == 'F' || f.Type == 'L' || f.Type == 'M' ||
                       f.Type == 'N' || (blobs && (f.Type == 'B' || f.Type == 'G' || f.Type == 'P'));
        if (!allowed) {
            SetError(211, refused);
            return false;
        }
        if (f.Type == 'B' || f.Type == 'G' || f.Type == 'M' || f.Type == 'P') memo = true;
        if (f.Type == 'F' && requested == 0x83) f.Type = 'N';
        switch (f.Type) {
        case 'C':
        case 'F':
        case 'N':
            if (in.Length == 0) {
                SetError(211, refused);
                return false;
            }
            f.Length = in.Length;
            break;
        case 'D':
            f.Length = 8;
            break;
        case 'L':
            f.Length = 1;
            break;
        default:
            f.Length = 10;
            break;
        }
        f.Decimals = (f.Type == 'N' || f.Type == 'F') ? in.Decimals : 0;
        f.Offset = static_cast<uint16_t>(recordLength);
        recordLength += f.Length;
        out.push_back(f);
    }
    uint8_t version;
    if (dbffile.ExtraVersion == 0)
        version = memo ? requested : (requested == 0x8C ? 0x04 : 0x03);
    else
        version = memo ? dbffile.ExtraMemoVersion : dbffile.ExtraVersion;

    std::string fileName = ResolveFileName(AllTrim(DefaultExtension(AllTrim(name), "DBF")));
    std::vector<uint8_t> header =
        BuildDbfHeader(version, dbffile.Extras(), out, static_cast<uint16_t>(recordLength));

    // The new table is written beside the old one and renamed over it, so a
    // failed create leaves an existing table whole. A table that someone
    // holds open is not replaced.
    const std::string writeTag = "Error writing " + FileNameToOem(fileName) + ". [CreateDbf]";
    {
        platform::TSharedFile probe;
        uint16_t code = probe.Open(fileName, true, platform::TFileShare::DenyWrite);
        if (code != 0 && code != 2) {
            SetError(code, writeTag);
            return false;
        }
    }
    std::string tempName;
    int fd = MakeTempFileBeside(fileName, tempName);
    if (fd < 0) {
        SetError(platform::DosErrorOf(errno), writeTag);
        return false;
    }
    ::fchmod(fd, 0644);

    table = TDbfTable{};
    table.Name = fileName;
    table.Layout = LayoutOf(version, dbffile.Extras());
    table.File.Adopt(fd, platform::TFileShare::DenyWrite);
    if (table.File.WriteAt(0, header.data(), header.size()) != static_cast<long>(header.size())) {
        SetError(table.File.LastError() != 0 ? table.File.LastError() : 101, writeTag);
        table.File.Close();
        ::unlink(tempName.c_str());
        UnmarkTempFile(tempName);
        return false;
    }
    std::memcpy(table.Header, header.data(), 32);
    table.HeaderLength = static_cast<int16_t>(header.size());
    table.RecordLength = static_cast<uint16_t>(recordLength);
    table.Fields = out;
    table.FieldCount = static_cast<uint8_t>(out.size());
    table.HasMemo = memo;
    table.FileState = FileAppended;
    table.RecordCount = 0;
    table.Date = DateKeyToday();
    bool ok = CloseDbf(table);
    if (!ok || std::rename(tempName.c_str(), fileName.c_str()) != 0) {
        if (ok) SetError(platform::DosErrorOf(errno), writeTag);
        ::unlink(tempName.c_str());
        UnmarkTempFile(tempName);
        return false;
    }
    UnmarkTempFile(tempName);
    if (memo) return CreateMemoFileHeader(fileName, version, dbffile.MemoBlockSize, "CreateDbf()");
    return true;
}
