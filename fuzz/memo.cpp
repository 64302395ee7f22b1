// Fuzz entry for the memo file reader. The first input byte picks the memo
// style, wrapping and a block size; the rest is the memo file. Every block
// is read as a memo, as lines and as text, through a memo text file and a
// BLOB stream; then a new memo is written into the file (walking whatever
// free chain it holds) and must read back exactly.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/memo/memostream.h"
#include "xbase/xbasestate.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "scratch.h"

namespace
{

std::string Dir()
{
    return fuzzscratch::Dir("memo");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 200000) return 0;
    const std::string dir = Dir();
    if (dir.empty()) return 0;
    ResetXbaseState();
    SetAutoReport(false);
    InstallMemoHooks();
    dbcmd.SharedAccess = false;
    const uint8_t styles[] = {MemoDbase3, MemoDbase4, MemoFox, MemoDbase4Sql};
    const uint8_t style = styles[data[0] & 3];
    dbmemo.MemoWrap = (data[0] & 4) != 0;
    dbmemo.MemoWidth = static_cast<uint16_t>(8 + (data[0] >> 3));
    dbffile.MemoVersion = style;
    dbffile.MemoBlockSize = (data[0] & 0x80) != 0 ? 64 : 512;
    const std::string table = dir + "/fuzz.dbf";
    TDbfTable t;
    if (!CreateDBF(t, table, {{"ID", 'N', 4, 0, 0}, {"NOTES", 'M', 10, 0, 0}})) return 0;
    if (FILE* f = std::fopen(MemoFileName(table, style).c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    if (!UseFile(table + " EXCLUSIVE")) {
        CloseAll();
        return 0;
    }
    TMemoFile* m = CurrentMemoFile();
    if (m == nullptr) {
        CloseAll();
        return 0;
    }
    const int64_t blocks = static_cast<int64_t>(size) / m->BlockSize + 1;
    for (int64_t b = 0; b <= blocks && b < 64; ++b) {
        std::string text;
        (void)ReadMemoText(static_cast<int32_t>(b), text);
        (void)GetMemo(static_cast<int32_t>(b));
        (void)GetMemo(static_cast<int32_t>(-b), 3);
        for (int32_t i = 1; i <= dbmemo.MemoLineCount; ++i)
            if (MemoLine(i).size() > 255) __builtin_trap();
        // The memo text file gives back the bytes of the text, line breaks
        // aside.
        std::vector<std::string> lines;
        if (ReadMemoLines(static_cast<int32_t>(b), lines)) {
            std::size_t letters = 0;
            for (const auto& l : lines)
                letters += l.size();
            if (letters > text.size()) __builtin_trap();
        }
        if (CreateBlobDescriptor(true, static_cast<int32_t>(b), 1) != 0 || b == 0) {
            char buf[100];
            std::size_t got = 0;
            SeekBlobStream(3, 0);
            (void)ReadBlobStream(buf, sizeof buf, 0);
            SeekBlobStream(0, 0);
            for (int32_t n; (n = ReadBlobStream(buf, sizeof buf, 2)) > 0;)
                got += static_cast<std::size_t>(n);
            if (b != 0 && got != text.size() && text.find('\x03') == std::string::npos) __builtin_trap();
            (void)SeekBlobStream(-10, 2);
            DestroyBlobDescriptor();
        }
    }
    // A memo written into this file reads back exactly.
    const std::string lines[] = {"fuzz", std::string(100, 'q')};
    ClearMemoLines(false);
    dbmemo.MemoLineEnds.clear();
    StoreMemoLine(1, lines[0]);
    StoreMemoLine(2, lines[1]);
    dbmemo.MemoLineCount = 2;
    const int32_t old = size > 2 ? static_cast<int32_t>(data[1] % 8) : 0;
    const int32_t block = EditMemoCloseMemo(old);
    if (block != 0) {
        std::string text;
        // (A dBASE IV file's chain may be damaged in ways no check can see:
        // only the styles without a chain are held to this.)
        if (!IsDbase4Style(style) && ReadMemoText(block, text) &&
            text != lines[0] + "\r\n" + lines[1] + "\r\n")
            __builtin_trap();
    }
    CloseAll();
    return 0;
}
