// Memo text files and BLOB streams.
#include "xbase/memo/memostream.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/memo/dbmemo.h"

#include <algorithm>
#include <cstring>

using namespace memo_detail;

// ---- memo text files

void AssignMemo(TMemoTextFile& file, int32_t& block)
{
    if (!CheckDbInUse("AssignMemo")) return;
    if (CurrentMemoFile() == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [" + "AssignMemo" + "]");
        return;
    }
    file = TMemoTextFile{};
    file.mode_ = TMemoTextFile::TMode::Closed;
    file.block_ = &block;
    file.area_ = dbcmd.CurrentArea;
}

template <typename F> void TMemoTextFile::InArea(F&& f)
{
    const uint8_t keep = dbcmd.CurrentArea;
    dbcmd.CurrentArea = area_;
    f();
    dbcmd.CurrentArea = keep;
}

namespace
{

bool NoLines()
{
    return dbmemo.MemoLineCount < 1 || (dbmemo.MemoLineCount == 1 && MemoLine(1).empty() &&
                                        (dbmemo.MemoLines.size() < 2 || !dbmemo.MemoLines[1]));
}

void EnsureLineEnds()
{
    if (dbmemo.MemoLineEnds.empty())
        dbmemo.MemoLineEnds.assign(static_cast<std::size_t>(dbmemo.MaxMemoLines) + 1, 0);
}

void SetLineEnd(int32_t n, uint8_t end)
{
    EnsureLineEnds();
    if (static_cast<std::size_t>(n) >= dbmemo.MemoLineEnds.size())
        dbmemo.MemoLineEnds.resize(static_cast<std::size_t>(n) + 1, 0);
    dbmemo.MemoLineEnds[static_cast<std::size_t>(n)] = end;
}

} // namespace

void TMemoTextFile::Reset()
{
    if (mode_ == TMode::Unassigned) {
        ioResult_ = 102;
        return;
    }
    InArea([this] {
        AllocateMemoLines();
        if (!GetMemo(*block_, 0)) {
            ioResult_ = 100;
            return;
        }
        EnsureLineEnds();
        MemoTextLine = 1;
        mode_ = TMode::Input;
    });
}

void TMemoTextFile::Rewrite()
{
    if (mode_ == TMode::Unassigned) {
        ioResult_ = 102;
        return;
    }
    AllocateMemoLines();
    ClearMemoLines(false);
    dbmemo.MemoLineEnds.clear();
    EnsureLineEnds();
    *block_ = 0;
    MemoTextLine = 1;
    dbmemo.MemoLineCount = 0;
    MemoPendingText.clear();
    mode_ = TMode::Output;
}

void TMemoTextFile::Append()
{
    Reset();
    if (mode_ != TMode::Input) return;
    mode_ = TMode::Output;
    if (NoLines()) {
        dbmemo.MemoLineCount = 0;
        MemoTextLine = 1;
    } else {
        MemoTextLine = dbmemo.MemoLineCount + 1;
        // The memo's last line stays a line of its own.
        if (dbmemo.MemoLineEnds[static_cast<std::size_t>(dbmemo.MemoLineCount)] == MemoLineNone)
            SetLineEnd(dbmemo.MemoLineCount, MemoLineHard);
    }
    MemoPendingText.clear();
}

std::string TMemoTextFile::ReadBuffer()
{
    if (mode_ != TMode::Input) {
        ioResult_ = mode_ == TMode::Output ? 104 : 103;
        return std::string();
    }
    if (Eof()) return std::string();
    const std::string line = MemoLine(MemoTextLine);
    const uint8_t end = static_cast<std::size_t>(MemoTextLine) < dbmemo.MemoLineEnds.size()
                            ? dbmemo.MemoLineEnds[static_cast<std::size_t>(MemoTextLine)]
                            : static_cast<uint8_t>(MemoLineHard);
    ++MemoTextLine;
    if (end == MemoLineHard) return line.substr(0, 253) + "\r\n";
    return line;
}

bool TMemoTextFile::ReadLn(std::string& line)
{
    line.clear();
    if (Eof()) return false;
    while (!Eof()) {
        std::string piece = ReadBuffer();
        if (piece.size() >= 2 && piece.compare(piece.size() - 2, 2, "\r\n") == 0) {
            line += piece.substr(0, piece.size() - 2);
            return true;
        }
        line += piece;
    }
    return true;
}

bool TMemoTextFile::Eof() const
{
    if (mode_ != TMode::Input) return true;
    return MemoTextLine > dbmemo.MemoLineCount || NoLines();
}

void TMemoTextFile::StorePending(bool hardEnd, bool softEnd)
{
    StoreMemoLine(MemoTextLine, MemoPendingText);
    SetLineEnd(MemoTextLine, softEnd ? MemoLineSoft : (hardEnd ? MemoLineHard : MemoLineNone));
    MarkWrapped(MemoTextLine, !hardEnd && !softEnd);
    ++MemoTextLine;
    dbmemo.MemoLineCount = MemoTextLine - 1;
    MemoPendingText.clear();
}

void TMemoTextFile::Write(const std::string& text)
{
    if (mode_ != TMode::Output) {
        ioResult_ = mode_ == TMode::Input ? 105 : 103;
        return;
    }
    // The end of the line: a hard return, or a soft one when the character
    // before the break is 141.
    std::size_t body = text.size();
    while (body > 0 && (text[body - 1] == '\r' || text[body - 1] == '\n'))
        --body;
    const bool broken = body < text.size() && text.find('\r', body) != std::string::npos;
    const bool soft = broken && body > 0 && static_cast<uint8_t>(text[body - 1]) == 141;
    std::string chars;
    for (char c : text)
        if (c != '\r' && c != '\n' && static_cast<uint8_t>(c) != 141) chars += c;
    // A line holds at most 254 characters: a longer one is split, and the
    // parts are joined again when the memo is stored.
    while (MemoPendingText.size() + chars.size() > 254) {
        if (MemoPendingText.empty()) {
            MemoPendingText = chars.substr(0, 254);
            chars.erase(0, 254);
        }
        StorePending(false, false);
    }
    MemoPendingText += chars;
    if (broken) StorePending(true, soft);
}

void TMemoTextFile::Flush() {}

void TMemoTextFile::Close()
{
    if (mode_ == TMode::Output) {
        if (!MemoPendingText.empty()) StorePending(true, false);
        InArea([this] {
            const int32_t count = dbmemo.MemoLineCount;
            const int32_t result = EditMemoCloseMemo(*block_);
            if (result == 0 && count > 0)
                ioResult_ = 101;
            else
                *block_ = result;
            if (TMemoFile* m = CurrentMemoFile(); m != nullptr && dbffile.FlushOnWrite) MemoWritten(*m);
        });
    } else if (mode_ != TMode::Input) {
        ioResult_ = 103;
        return;
    }
    ClearMemoLines(true);
    dbmemo.MemoLineEnds.clear();
    mode_ = TMode::Closed;
}

uint16_t TMemoTextFile::IOResult()
{
    const uint16_t r = ioResult_;
    ioResult_ = 0;
    return r;
}

bool ReadMemoLines(int32_t block, std::vector<std::string>& lines)
{
    lines.clear();
    int32_t b = block;
    TMemoTextFile f;
    AssignMemo(f, b);
    if (f.Mode() == TMemoTextFile::TMode::Unassigned) return false;
    f.Reset();
    if (f.IOResult() != 0) return false;
    std::string line;
    while (f.ReadLn(line))
        lines.push_back(line);
    f.Close();
    return true;
}

std::string MemoOperandText(int area, int field)
{
    const uint8_t keep = dbcmd.CurrentArea;
    if (area >= 1 && area < 33) dbcmd.CurrentArea = static_cast<uint8_t>(area);
    std::string text;
    const TWorkArea* a = SelectedArea();
    if (a != nullptr && field >= 1 && field <= a->FieldCount && !a->AtEnd && a->RecordNumber >= 1 &&
        a->RecordNumber <= a->RecordCount) {
        const TDbfField& f = a->Fields[static_cast<std::size_t>(field - 1)];
        const int32_t block = TextToInteger(AllTrim(a->RecordBuffer.substr(f.Offset, f.Length)));
        std::vector<std::string> lines;
        TAutoReportOff quiet;
        if (block != 0 && ReadMemoLines(block, lines))
            for (const auto& l : lines)
                text += l;
    }
    dbcmd.CurrentArea = keep;
    return text;
}

// ---- BLOB streams

namespace
{

// Text when every control byte is one that text holds.
bool LooksLikeText(const char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t c = static_cast<uint8_t>(p[i]);
        if (c < 32 && c != 9 && c != 10 && c != 13 && c != 15 && c != 20 && c != 21) return false;
    }
    return true;
}

TBlobDescriptor* ActiveBlob(uint8_t mode)
{
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr || !m->Blob.Active || (mode != 0 && m->Blob.Mode != mode)) return nullptr;
    return &m->Blob;
}

bool LoadBlob(TMemoFile& m)
{
    TBlobDescriptor& d = m.Blob;
    if (d.Loaded) return true;
    bool header = false;
    const uint16_t code = ReadStoredMemo(m, m.MemoType, static_cast<int64_t>(d.Block) * m.BlockSize,
                                         CurrentMemoArea().ReadFilter, false, d.Data, header);
    if (code != 0) {
        MemoError(code, AliasOf() + " [ReadBlobStream]");
        return false;
    }
    d.Size = static_cast<int32_t>(std::min<std::size_t>(d.Data.size(), 2147483647u));
    d.Loaded = true;
    return true;
}

} // namespace

int32_t CreateBlobDescriptor(bool textModeGiven, int32_t block, uint8_t mode)
{
    if (!CheckDbInUse("CreateBlobDescriptor")) return 0;
    TMemoFile* mp = CurrentMemoFile();
    const std::string tag = AliasOf() + RecordText() + " [CreateBlobDescriptor]";
    if (mp == nullptr) {
        SetError(1019, AliasOf() + " No Memo Field [CreateBlobDescriptor]");
        return 0;
    }
    TMemoFile& m = *mp;
    TBlobDescriptor& d = m.Blob;
    d = TBlobDescriptor{};
    d.TextMode = textModeGiven ? -1 : 0;
    const uint32_t b = static_cast<uint32_t>(std::abs(static_cast<int64_t>(block)));
    if (mode == 1) {
        d.Mode = 1;
        d.Block = b;
        if (b == 0) {
            // No memo: an empty stream.
            d.Size = 0;
            d.Loaded = true;
            d.Active = true;
            return 0;
        }
        const int64_t offset = static_cast<int64_t>(b) * m.BlockSize;
        if (offset >= m.File.Size() - 1) {
            MemoError(1003, tag);
            d = TBlobDescriptor{};
            return 0;
        }
        uint8_t h[8] = {};
        const long got = m.File.ReadAt(offset, h, 8);
        if (m.MemoType == MemoFox) {
            if (got != 8) {
                MemoError(30, tag);
                d = TBlobDescriptor{};
                return 0;
            }
            d.Size = static_cast<int32_t>(std::min<uint32_t>(ReadBE32(h + 4), 2147483647u));
            d.HeaderSize = 8;
        } else if (got == 8 && IsDbase4MemoHeader(h)) {
            d.Size = static_cast<int32_t>(std::min<uint32_t>(GetLE32(h + 4), 2147483647u)) - 8;
            d.HeaderSize = 8;
        }
        d.DataStart = static_cast<uint32_t>(offset) + d.HeaderSize;
    } else if (mode == 2) {
        const int64_t pos = LockMemoPadAndSeekEOF("CreateBlobDescriptor");
        if (pos == 0) return 0;
        uint32_t nb;
        if (IsDbase4Style(m.MemoType)) {
            // The length is not known yet: the memo goes to the end.
            nb = FindFreeBlocks(2147483647u, 0, " [CreateBlobDescriptor]");
            if (nb == 0) return 0;
        } else {
            nb = static_cast<uint32_t>(pos / m.BlockSize);
        }
        d.Mode = 2;
        d.Block = nb;
        d.HeaderSize = 8;
        d.DataStart = nb * m.BlockSize + 8;
        d.Loaded = true;
    } else {
        return 0;
    }
    d.Active = true;
    const int32_t result = static_cast<int32_t>(d.Block);
    return m.MemoType == MemoDbase3 ? -result : result;
}

int32_t ReadBlobStream(void* buffer, int32_t count, int textMode)
{
    TBlobDescriptor* d = ActiveBlob(1);
    if (d == nullptr || count < 1) return 0;
    if (!LoadBlob(*CurrentMemoFile())) return 0;
    if (d->TextMode == -1 && textMode == 0)
        d->TextMode = LooksLikeText(d->Data.data(), d->Data.size()) ? 1 : 0;
    if (d->Position >= d->Data.size()) return 0;
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(count), d->Data.size() - d->Position);
    std::string piece = d->Data.substr(d->Position, n);
    // Text only when asked, or when the whole memo was found to be text:
    // binary data is never converted.
    if (textMode == 1 || (textMode == 0 && d->TextMode == 1)) piece = StrOemToAnsi(piece);
    std::memcpy(buffer, piece.data(), n);
    d->Position += static_cast<uint32_t>(n);
    return static_cast<int32_t>(n);
}

int32_t WriteBlobStream(const void* buffer, int32_t count, int textMode)
{
    TBlobDescriptor* d = ActiveBlob(2);
    if (d == nullptr || count < 1) return 0;
    d->Data.append(static_cast<const char*>(buffer), static_cast<std::size_t>(count));
    const uint8_t kind = textMode == 1 ? 1 : (textMode == 0 && d->TextMode == -1 ? 2 : 0);
    d->Pieces.emplace_back(d->Data.size(), kind);
    d->Position += static_cast<uint32_t>(count);
    return count;
}

int32_t SeekBlobStream(int32_t offset, int origin)
{
    TBlobDescriptor* d = ActiveBlob(0);
    if (d == nullptr || (d->Size < 0 && d->Mode != 1) || d->Mode == 2)
        return d == nullptr ? 0 : static_cast<int32_t>(d->Position);
    if (origin == 2 && !LoadBlob(*CurrentMemoFile())) return 0;
    int64_t base = 0;
    if (origin == 1)
        base = d->Position;
    else if (origin == 2)
        base = d->Size;
    int64_t p = base + offset;
    if (p < 0) p = 0;
    d->Position = static_cast<uint32_t>(std::min<int64_t>(p, 2147483647));
    return static_cast<int32_t>(d->Position);
}

void DestroyBlobDescriptor()
{
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr) return;
    TBlobDescriptor& d = m->Blob;
    if (d.Active && d.Mode == 2) {
        if (!d.Data.empty()) {
            // The pieces left to the data are text only when all of them are.
            bool undecidedText = true;
            std::size_t start = 0;
            for (const auto& [end, kind] : d.Pieces) {
                if (kind == 2)
                    undecidedText = undecidedText && LooksLikeText(d.Data.data() + start, end - start);
                start = end;
            }
            std::string out;
            start = 0;
            for (const auto& [end, kind] : d.Pieces) {
                const std::string piece = d.Data.substr(start, end - start);
                out += kind == 1 || (kind == 2 && undecidedText) ? StrAnsiToOem(piece) : piece;
                start = end;
            }
            if (!WriteFiltered(m->File, d.DataStart, out, CurrentMemoArea().WriteFilter) ||
                !WriteGroupHeader(*m, d.Block, static_cast<uint32_t>(out.size()))) {
                MemoError(m->File.LastError() != 0 ? m->File.LastError() : 1005,
                          AliasOf() + " [DestroyBlobDescriptor]");
                d = TBlobDescriptor{};
                return;
            }
        }
        MemoWritten(*m);
        UpdateMemoHeader();
    }
    UnlockMemo(*m);
    d = TBlobDescriptor{};
}
