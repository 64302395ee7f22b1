#include "xbase/dbf/dbfformat.h"

#include "foundation/codepage.h"
#include "xbase/core/dbstrings.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{

std::string BaseName(const std::string& path)
{
    const std::size_t p = LastSeparator(path);
    return p == std::string::npos ? path : path.substr(p + 1);
}

// The table's name as the file system has it, put into the engine's text as
// every other message of the engine puts a name in.
std::string NotATable(const std::string& who, const std::string& why, const char* tag)
{
    return FileNameToOem(who) + " is not a dBASE database." + why + tag;
}

// Name of a descriptor: up to max characters up to the first NUL, upper
// case; the field array keeps 10 of them.
std::string DescriptorName(const uint8_t* p, std::size_t max)
{
    std::size_t n = 0;
    while (n < max && p[n] != 0)
        ++n;
    std::string name = UpperStr(std::string(reinterpret_cast<const char*>(p), n));
    if (name.size() > 10) name.resize(10);
    return name;
}

bool ValidType(char t)
{
    return t == 'C' || t == 'D' || t == 'F' || t == 'L' || t == 'M' || t == 'N';
}

char NormalType(char t)
{
    switch (t) {
    case 'B':
    case 'G':
    case 'P':
    case 'b':
    case 'g':
    case 'p':
        return 'M';
    default:
        return t;
    }
}

// Field checks that keep every field inside its record.
TDbfParseResult CheckRecordLayout(const TDbfHeaderInfo& info, const std::string& name)
{
    uint32_t sum = 1;
    for (const auto& f : info.Fields) {
        int need = f.Type == 'D' ? 8 : f.Type == 'L' ? 1 : f.Type == 'M' ? 10 : 0;
        if ((need != 0 && f.Length != need) || f.Length == 0)
            return {210, NotATable(BaseName(name), " (Field " + f.Name + " has an invalid length)",
                                   " [Use/OpenDbf]")};
        sum += f.Length;
    }
    if (info.RecordLength == 0 || sum != info.RecordLength)
        return {210,
                NotATable(BaseName(name), " (Record length does not match the fields)", " [Use/OpenDbf]")};
    return {};
}

} // namespace

bool IsAcceptedVersion(uint8_t v, const TDbfExtraVersions& extras)
{
    if (extras.Set()) {
        if (v == 0) return false;
        return v == 0x03 || v == 0x83 || v == 0x8B || v == 0xF5 || v == extras.Version ||
               v == extras.MemoVersion;
    }
    return v == 0x02 || v == 0x03 || v == 0x83 || v == 0x8B || v == 0xF5 || v == 0x04 || v == 0x8C;
}

TDbfLayout LayoutOf(uint8_t v, const TDbfExtraVersions& extras)
{
    if (extras.Set()) return TDbfLayout::Standard;
    if (v == 0x02) return TDbfLayout::DBase2;
    if (v == 0x04 || v == 0x8C) return TDbfLayout::Level7;
    return TDbfLayout::Standard;
}

bool VersionHasMemo(uint8_t v, const TDbfExtraVersions& extras)
{
    if (extras.Set()) return extras.MemoVersion != 0 && v == extras.MemoVersion;
    return (v & 0x80) != 0;
}

TDbfParseResult ParseDbfHeader(const TDbfByteReader& read, int64_t fileSize, const std::string& name,
                               const TDbfExtraVersions& extras, TDbfHeaderInfo& out)
{
    out = TDbfHeaderInfo{};
    const auto who = [&name] { return BaseName(name); };
    uint8_t head[32] = {};
    long got = read(0, head, 32);
    if (got < 32) return {210, NotATable(name, " (Prolog is less than 32 bytes)", " [USE/OpenDBF]")};
    std::memcpy(out.Header, head, 32);
    out.Version = head[0];
    if (!IsAcceptedVersion(out.Version, extras))
        return {210, NotATable(name, "(Invalid version byte)+", " [USE/OpenDBF]")};
    out.Layout = LayoutOf(out.Version, extras);

    if (out.Layout == TDbfLayout::DBase2) {
        out.RecordCount = GetLE16(head + 1);
        out.Month = head[3];
        out.Day = head[4];
        out.Year = head[5] + 1900;
        out.RecordLength = GetLE16(head + 6);
        out.HeaderLength = DBase2HeaderLength;
        out.HasMemo = false;
        if (fileSize < DBase2HeaderLength)
            return {210, NotATable(who(), "(Header is less than 521 bytes)", " [Use/OpenDBF]")};
        uint8_t area[512];
        if (read(8, area, sizeof area) < static_cast<long>(sizeof area))
            return {100, "Error reading " + FileNameToOem(name) + " [Use/OpenDbf]"};
        uint16_t offset = 1;
        for (int i = 0; i < 32; ++i) {
            const uint8_t* d = area + 16 * i;
            if (d[0] == DbfTerminator) break;
            TDbfField f;
            f.Name = DescriptorName(d, 11);
            f.Type = NormalType(static_cast<char>(d[11]));
            f.Length = d[12];
            f.Decimals = d[15];
            f.Offset = offset;
            if (!ValidType(f.Type))
                return {211, "Field: " + f.Name + " [" + std::string(1, static_cast<char>(d[11])) + "] in " +
                                 name + " is not a valid field type"};
            offset = static_cast<uint16_t>(offset + f.Length);
            out.Fields.push_back(std::move(f));
        }
        if (out.Fields.empty())
            return {210, NotATable(who(), "(Number of fields is out of range)", " [Use/OpenDbf]")};
        return CheckRecordLayout(out, name);
    }

    const bool level7 = out.Layout == TDbfLayout::Level7;
    out.HasMemo = VersionHasMemo(out.Version, extras);
    out.HeaderLength = GetLE16(head + 8);
    out.RecordLength = GetLE16(head + 10);
    out.Year = head[1] + 1900;
    out.Month = head[2];
    out.Day = head[3];
    out.RecordCount = static_cast<int32_t>(GetLE32(head + 4));
    const int start = level7 ? 68 : 32;
    const int size = level7 ? 48 : 32;
    const int capacity = (out.HeaderLength - start) / size;
    if (out.HeaderLength < start || capacity < 1 || capacity > 255)
        return {210, NotATable(who(), " (Number of fields is out of range)", " [Use/OpenDbf]")};
    if (level7) {
        uint8_t more[36];
        if (read(32, more, sizeof more) < static_cast<long>(sizeof more))
            return {100, "Error reading " + FileNameToOem(name) + " [Use/OpenDbf]"};
    }
    std::vector<uint8_t> area(static_cast<std::size_t>(out.HeaderLength - start));
    if (read(start, area.data(), area.size()) < static_cast<long>(area.size()))
        return {100, "Error reading " + FileNameToOem(name) + " [Use/OpenDbf]"};
    uint16_t offset = 1;
    out.Fields.reserve(static_cast<std::size_t>(capacity));
    for (int i = 0; i < capacity; ++i) {
        const uint8_t* d = area.data() + static_cast<std::size_t>(size) * static_cast<std::size_t>(i);
        if (d[0] == DbfTerminator) {
            if (i == 0) return {222, "Error reading " + FileNameToOem(name) + " [Use/OpenDbf]"};
            break;
        }
        TDbfField f;
        char raw;
        if (level7) {
            f.Name = DescriptorName(d, 32);
            raw = static_cast<char>(d[32]);
            f.Length = d[33];
            f.Decimals = d[34];
        } else {
            f.Name = DescriptorName(d, 11);
            raw = static_cast<char>(d[11]);
            f.Length = d[16];
            f.Decimals = d[17];
        }
        f.Type = NormalType(raw);
        f.Offset = offset;
        if (!ValidType(f.Type))
            return {211, "Field: " + f.Name + " [" + std::string(1, raw) + "] in " + FileNameToOem(name) +
                             " is not a valid field type"};
        offset = static_cast<uint16_t>(offset + f.Length);
        out.Fields.push_back(std::move(f));
    }
    return CheckRecordLayout(out, name);
}

std::vector<uint8_t> BuildDbfHeader(uint8_t version, const TDbfExtraVersions& extras,
                                    const std::vector<TDbfField>& fields, uint16_t recordLength)
{
    const bool level7 = !extras.Set() && (version == 0x04 || version == 0x8C);
    const std::size_t start = level7 ? 68 : 32;
    const std::size_t size = level7 ? 48 : 32;
    const std::size_t headerLength = start + size * fields.size() + 1;
    std::vector<uint8_t> h(headerLength, 0);
    h[0] = version;
    PutLE16(&h[8], static_cast<uint16_t>(headerLength));
    PutLE16(&h[10], recordLength);
    if (level7) std::memcpy(&h[32], "DBWINWE0", 8);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        uint8_t* d = &h[start + size * i];
        const TDbfField& f = fields[i];
        std::memcpy(d, f.Name.data(), std::min<std::size_t>(f.Name.size(), 10));
        if (level7) {
            d[32] = static_cast<uint8_t>(f.Type);
            d[33] = f.Length;
            d[34] = f.Decimals;
        } else {
            d[11] = static_cast<uint8_t>(f.Type);
            d[16] = f.Length;
            d[17] = f.Decimals;
        }
    }
    h[headerLength - 1] = DbfTerminator;
    return h;
}
