#include "graphics/writers/dxfrecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>

void DxfWriteGroupCode(std::ostream& Out, int Code)
{
    char buf[16];
    char* p = buf;
    if (Code >= 0 && Code < 10) {
        *p++ = ' ';
        *p++ = ' ';
    } else if (Code >= 0 && Code < 100) {
        *p++ = ' ';
    }
    p = std::to_chars(p, buf + sizeof buf - 2, Code).ptr;
    *p++ = '\r';
    *p++ = '\n';
    Out.write(buf, p - buf);
}

void DxfWriteText(std::ostream& Out, std::string_view Text)
{
    if (Text.find_first_of("\r\n") == std::string_view::npos) {
        Out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    } else {
        for (char c : Text)
            Out.put(c == '\r' || c == '\n' ? ' ' : c);
    }
    Out.write("\r\n", 2);
}

void DxfWriteReal(std::ostream& Out, Extended X, int Decimals)
{
    Decimals = std::clamp(Decimals, 0, DxfMaxDecimals);
    char buf[128];
    auto r = std::to_chars(buf, buf + sizeof buf - 2, X, std::chars_format::fixed, Decimals);
    char* end = r.ptr;
    if (r.ec != std::errc{}) {
        // Only beyond about 1e100 mm; the CAD layer never hands such values
        // on, but a line must be written or the pairs go out of step.
        end = std::to_chars(buf, buf + sizeof buf - 2, static_cast<double>(X)).ptr;
    }
    char* start = buf;
    // "-0.000": a sign on a zero means nothing to a reader.
    if (*start == '-' && std::all_of(start + 1, end, [](char c) { return c == '0' || c == '.'; })) ++start;
    *end++ = '\r';
    *end++ = '\n';
    Out.write(start, end - start);
}

void DxfWriteInteger(std::ostream& Out, int64_t N)
{
    char buf[32];
    char* p = std::to_chars(buf, buf + sizeof buf - 2, N).ptr;
    *p++ = '\r';
    *p++ = '\n';
    Out.write(buf, p - buf);
}
