#include "xbase/dataset/fielddefinitions.h"

#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace
{

std::vector<std::string> SplitComma(const std::string& s)
{
    std::vector<std::string> parts;
    std::stringstream in(s);
    std::string p;
    while (std::getline(in, p, ','))
        parts.push_back(AllTrim(p));
    if (!s.empty() && s.back() == ',') parts.emplace_back();
    return parts;
}

std::string DefText(const std::string& name, char type, int length, int decimals)
{
    return name + "," + std::string(1, type) + "," + std::to_string(length) + "," + std::to_string(decimals);
}

} // namespace

int FieldBufferSize(char type, int length, int decimals)
{
    switch (type) {
    case 'C':
        return length + 1;
    case 'D':
        return 8;
    case 'F':
    case 'N':
        return decimals > 0 ? 8 : 4;
    case 'L':
        return 2;
    case 'M':
        return 4;
    default:
        return length + 1;
    }
}

bool CorrectFieldDefinition(char& Type, int& Length, int& Decimals)
{
    const char t0 = Type;
    const int l0 = Length;
    const int d0 = Decimals;
    if (Type == 'B' || Type == 'G' || Type == 'P') Type = 'M';
    if (std::string("CDFLMN").find(Type) == std::string::npos) Type = 'C';
    if (Type == 'N') {
        if (l0 >= 21) Length = 20;
        if (d0 >= 19) Decimals = 18;
        if (d0 > 0 && l0 - d0 < 2) Decimals = Length - 2;
    }
    if (Type == 'C' && l0 >= 255) {
        Length = 254;
        Decimals = 0;
    }
    return Type != t0 || Length != l0 || Decimals != d0;
}

bool ParseDbfFieldEntry(const std::string& entry, bool isVirtual, TDbfFieldDef& def)
{
    const auto p = SplitComma(entry);
    if (p.size() != 4 || p[1].empty()) return false;
    char type = UpperStr(p[1])[0];
    if (type == 'X') return false;
    int len = TextToInteger(p[2]);
    int dec = TextToInteger(p[3]);
    if (isVirtual && type == 'M') {
        type = 'N';
        len = 10;
        dec = 0;
    }
    def.Name = p[0];
    def.Before = DefText(p[0], type, len, dec);
    def.Corrected = CorrectFieldDefinition(type, len, dec);
    def.Type = type;
    def.Length = len;
    def.Decimals = dec;
    return true;
}

std::string DbfFieldEntry(const std::string& name, char type, int length, int decimals)
{
    char len[12];
    char dec[12];
    char* lenEnd = std::to_chars(len, len + sizeof len, length).ptr;
    char* decEnd = std::to_chars(dec, dec + sizeof dec, decimals).ptr;
    std::string entry;
    entry.reserve(name.size() + 7 + static_cast<std::size_t>((lenEnd - len) + (decEnd - dec)));
    entry.append(name)
        .append(", ")
        .append(1, type)
        .append(", ")
        .append(len, lenEnd)
        .append(", ")
        .append(dec, decEnd);
    return entry;
}

std::string CorrectionMessage(const std::string& table, const TDbfFieldDef& def)
{
    return "Invalid field definition for " + table + ": " + def.Before +
           ". Will use corrected definition: " + DefText(def.Name, def.Type, def.Length, def.Decimals);
}
