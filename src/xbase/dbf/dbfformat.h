#pragma once
// The DBF table file: header of every accepted version byte, field
// descriptors, record layout. Integers are little-endian.
//
// Layouts:
//   0x02            dBASE II: 521-byte header, 16-byte descriptors
//   0x03 0x83 0x8B 0xF5   standard: 32-byte header and descriptors, 0x0D
//   0x04 0x8C       level 7: 68-byte header, 48-byte descriptors
// A record is the delete flag ('*' or blank) followed by the fields without
// gaps; after the last record stands the end-of-file byte 0x1A.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TDbfLayout { DBase2, Standard, Level7 };

// In-memory field descriptor; Offset is the field's position in the record
// buffer, the first field at 1.
struct TDbfField {
    std::string Name; // at most 10 characters, upper case
    char Type = 'C';
    uint8_t Length = 0;
    uint8_t Decimals = 0;
    uint16_t Offset = 0;
};

inline constexpr uint8_t DbfEndOfFile = 0x1A;
inline constexpr uint8_t DbfTerminator = 0x0D;
inline constexpr int DBase2HeaderLength = 521;

// Version bytes a program adds to the accepted ones, 0 for none. While
// either is set, only the standard versions and these two are accepted, all
// in the standard layout, and only the extra memo version has a memo.
struct TDbfExtraVersions {
    uint8_t Version = 0;
    uint8_t MemoVersion = 0;
    bool Set() const { return Version != 0 || MemoVersion != 0; }
};

bool IsAcceptedVersion(uint8_t version, const TDbfExtraVersions& extras);
TDbfLayout LayoutOf(uint8_t version, const TDbfExtraVersions& extras);
bool VersionHasMemo(uint8_t version, const TDbfExtraVersions& extras);

// What a table's header says.
struct TDbfHeaderInfo {
    uint8_t Version = 0;
    TDbfLayout Layout = TDbfLayout::Standard;
    uint8_t Header[32] = {}; // header bytes 0..31 as read
    int32_t RecordCount = 0;
    int32_t HeaderLength = 0;
    uint16_t RecordLength = 0;
    int Year = 0, Month = 0, Day = 0; // date of the last update
    bool HasMemo = false;
    std::vector<TDbfField> Fields;
};

// Reads up to count bytes at offset; returns the bytes read or -1.
using TDbfByteReader = std::function<long(int64_t offset, void* buffer, std::size_t count)>;

struct TDbfParseResult {
    uint16_t Code = 0;  // 0, or the library error code
    std::string Detail; // detail text for SetError
};

// Reads and checks header and descriptors. name is the table's file name as
// opened (used in the detail texts). A table is refused when its record
// length is not 1 + the sum of the field lengths or a D, L or M field has
// the wrong length: nothing would then keep a field inside its record.
TDbfParseResult ParseDbfHeader(const TDbfByteReader& read, int64_t fileSize, const std::string& name,
                               const TDbfExtraVersions& extras, TDbfHeaderInfo& out);

// Builds the header bytes of a new table (header length bytes, terminator
// included) for the given layout and version.
std::vector<uint8_t> BuildDbfHeader(uint8_t version, const TDbfExtraVersions& extras,
                                    const std::vector<TDbfField>& fields, uint16_t recordLength);

// Little-endian helpers.
inline uint16_t GetLE16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetLE32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void PutLE16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLE32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
