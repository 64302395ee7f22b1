// Fuzz entry for the table file reader: header and descriptors of every
// layout, then each record's fields as the command layer converts them.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbfformat.h"
#include "xbase/xbasestate.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetXbaseState();
    SetAutoReport(false);
    auto read = [&](int64_t offset, void* buffer, std::size_t count) -> long {
        if (offset < 0 || static_cast<uint64_t>(offset) >= size) return 0;
        std::size_t n = std::min(count, size - static_cast<std::size_t>(offset));
        std::memcpy(buffer, data + offset, n);
        return static_cast<long>(n);
    };
    TDbfHeaderInfo info;
    TDbfParseResult r = ParseDbfHeader(read, static_cast<int64_t>(size), "fuzz.dbf", {}, info);
    if (r.Code != 0) return 0;
    // Every field must lie inside its record: that is what the reader checked.
    if (info.Fields.empty() || info.Fields.back().Offset + info.Fields.back().Length != info.RecordLength)
        __builtin_trap();
    int64_t count = (static_cast<int64_t>(size) - info.HeaderLength) / info.RecordLength;
    count = std::clamp<int64_t>(count, 0, 1000);
    for (int64_t n = 0; n < count; ++n) {
        std::string record(info.RecordLength, ' ');
        if (read(info.HeaderLength + n * info.RecordLength, record.data(), record.size()) !=
            static_cast<long>(record.size()))
            break;
        for (const auto& f : info.Fields) {
            std::string text = record.substr(f.Offset, f.Length);
            switch (f.Type) {
            case 'N':
            case 'F':
                (void)NumTextToFloat(AllTrim(text));
                (void)TextToInteger(text);
                break;
            case 'D':
                (void)KeyToJulian(text);
                break;
            case 'M':
                (void)TextToInteger(text);
                break;
            default:
                (void)StrOemToAnsi(text);
                break;
            }
        }
    }
    // The same bytes as a table file, walked through the work-area layer:
    // every record converted to its native form and its field texts.
    static const std::string file = fuzzscratch::Dir("dbf") + "/fuzz.dbf";
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    if (UseFile(file + " EXCLUSIVE ALIAS FUZZ")) {
        for (int steps = 0; steps < 1000 && !dEOF(); ++steps) {
            for (int k = 1; k <= FieldCount(); ++k)
                (void)SField(k);
            SKIP(1);
        }
        GoBottom();
        SKIP(-1);
        CloseArea();
    }
    return 0;
}