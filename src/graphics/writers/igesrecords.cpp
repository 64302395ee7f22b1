#include "graphics/writers/igesrecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

void IgesAppendRecord(std::string& Out, std::string_view Data, std::string_view Right, char Letter,
                      int Sequence)
{
    if (Letter != 'S' && Letter != 'G' && Letter != 'D' && Letter != 'P' && Letter != 'T') return;
    Out.append(Data);
    if (Data.size() + Right.size() <= 72) Out.append(72 - Data.size() - Right.size(), ' ');
    Out.append(Right);
    char tail[16];
    const int len = std::snprintf(tail, sizeof tail, "%c%07d\r\n", Letter, Sequence);
    Out.append(tail, static_cast<size_t>(len));
}

void IgesWriteRecord(std::ostream& Out, std::string_view Data, std::string_view Right, char Letter,
                     int Sequence)
{
    std::string line;
    line.reserve(82);
    IgesAppendRecord(line, Data, Right, Letter, Sequence);
    Out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

std::vector<std::string> IgesCutParameters(std::string_view Text)
{
    // Where a piece may end: after a comma that delimits parameters.
    std::vector<bool> delimiter(Text.size(), false);
    size_t i = 0;
    bool paramStart = true;
    while (i < Text.size()) {
        if (paramStart) {
            size_t j = i;
            size_t count = 0;
            while (j < Text.size() && Text[j] >= '0' && Text[j] <= '9') {
                count = count * 10 + static_cast<size_t>(Text[j] - '0');
                if (count > Text.size()) count = Text.size();
                ++j;
            }
            paramStart = false;
            if (j > i && j < Text.size() && Text[j] == 'H') {
                i = std::min(Text.size(), j + 1 + count);
                continue;
            }
        }
        if (Text[i] == ',' || Text[i] == ';') {
            delimiter[i] = Text[i] == ',';
            paramStart = true;
        }
        ++i;
    }

    std::vector<std::string> pieces;
    size_t start = 0;
    while (Text.size() - start > 64) {
        size_t cut = 64;
        for (size_t k = 63; k-- > 0;)
            if (delimiter[start + k]) {
                cut = k + 1;
                break;
            }
        pieces.emplace_back(Text.substr(start, cut));
        start += cut;
    }
    if (start < Text.size() || pieces.empty()) pieces.emplace_back(Text.substr(start));
    return pieces;
}

std::string IgesDirectoryData(const TIgesDirectory& D, int Record)
{
    std::string data(72, ' ');
    for (int f = 0; f < 9; ++f) {
        std::string v = D.Fields[(Record == 2 ? 9 : 0) + f];
        const size_t a = v.find_first_not_of(' ');
        v = a == std::string::npos ? std::string() : v.substr(a, v.find_last_not_of(' ') - a + 1);
        if (v.size() > 8) v.resize(8);
        std::copy(v.begin(), v.end(), data.begin() + 8 * f + 8 - static_cast<long>(v.size()));
    }
    return data;
}

std::string IgesHollerith(std::string_view S)
{
    return std::to_string(S.size()) + "H" + std::string(S);
}

std::string IgesFixed(Extended X, int Decimals)
{
    Decimals = std::clamp(Decimals, 0, 13);
    if (!(std::fabs(X) >= 1e-8L)) X = 0;
    char buf[128];
    auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::fixed, Decimals);
    if (r.ec != std::errc{}) r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(X));
    const char* start = buf;
    if (*start == '-' &&
        std::all_of(start + 1, static_cast<const char*>(r.ptr), [](char c) { return c == '0' || c == '.'; }))
        ++start;
    return std::string(start, static_cast<const char*>(r.ptr));
}
