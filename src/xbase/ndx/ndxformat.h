#pragma once
// The index file layout: a B-tree of 512-byte pages. Page 0 is the anchor
// (root, next free page, key description, key expression, record-count stamp
// and table name); every other page is a node of entries (child page, record
// number, key). Everything here works on bytes only; the engine in
// ndxindex.cpp reaches files through these helpers.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

inline constexpr std::size_t NdxPageSize = 512;
inline constexpr int NdxMaxKeyLength = 100;
inline constexpr std::size_t NdxMaxExpression = 100;
using TNdxPage = std::array<uint8_t, NdxPageSize>;

// The marker stored instead of an expression for a key-maker index.
inline constexpr const char* KeyMakerMarker = "User defined KeyMaker was used to build this index";

// The first 24 bytes of the anchor, decoded.
struct TNdxHeader {
    uint32_t Root = 1;
    uint32_t NextFree = 2;
    char KeyType = 'C'; // "C", "N", "F" or "D"
    int16_t KeyLength = 0;
    int16_t KeysPerPage = 0;
    int16_t KeyKind = 0; // 0 character, 1 numeric or date
    int16_t EntrySize = 0;
    uint8_t Unique = 0;
};

// Entry size and keys per page of a key length (1..100).
int16_t NdxEntrySize(int keyLength);
int16_t NdxKeysPerPage(int keyLength);
// A header for a new index: root 1, next free 2, sizes from the key length.
TNdxHeader NewNdxHeader(char keyType, int keyLength, bool unique);

void EncodeNdxHeader(const TNdxHeader& h, uint8_t* bytes24);
TNdxHeader DecodeNdxHeader(const uint8_t* bytes24);
// The header is usable: sizes consistent, key length 1..100, known type.
bool NdxHeaderValid(const TNdxHeader& h);

// The whole anchor page: header, expression with its NUL (at most 100
// characters), record-count stamp and table file name (at most 12).
TNdxPage BuildAnchorPage(const TNdxHeader& h, const std::string& expression, int32_t recordCount,
                         const std::string& tableName);
// Record count of the stamp, or -1 when the complement check fails.
int32_t AnchorRecordCount(const TNdxPage& anchor);
// The stamp of an index marked for rebuild (its keys no longer match its
// table): it counts more records than any table holds, so every open that
// checks the stamp refuses or rebuilds the index.
inline constexpr int32_t NdxStaleStamp = 0x7FFFFFFF;
// The eight stamp bytes at their place in the anchor (offset 488).
inline constexpr std::size_t NdxStampOffset = 488;
void EncodeStamp(int32_t recordCount, uint8_t* bytes8);
std::string AnchorExpression(const TNdxPage& anchor);

// Little-endian access.
inline uint32_t NdxGet32(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
inline void NdxPut32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline int16_t NdxGet16(const uint8_t* p)
{
    return static_cast<int16_t>(p[0] | p[1] << 8);
}
inline void NdxPut16(uint8_t* p, int16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}

// Raw views of a node page.
inline int NodeKeyCount(const TNdxPage& page)
{
    return NdxGet16(page.data());
}
inline uint32_t NodeChild(const TNdxPage& page, const TNdxHeader& h, int i)
{
    return NdxGet32(page.data() + 4 + static_cast<std::size_t>(i) * static_cast<std::size_t>(h.EntrySize));
}
inline int32_t NodeRecord(const TNdxPage& page, const TNdxHeader& h, int i)
{
    return static_cast<int32_t>(
        NdxGet32(page.data() + 8 + static_cast<std::size_t>(i) * static_cast<std::size_t>(h.EntrySize)));
}
inline const uint8_t* NodeKey(const TNdxPage& page, const TNdxHeader& h, int i)
{
    return page.data() + 12 + static_cast<std::size_t>(i) * static_cast<std::size_t>(h.EntrySize);
}
inline bool NodeIsLeaf(const TNdxPage& page, const TNdxHeader& h)
{
    return NodeChild(page, h, 0) == 0;
}

// A node in editable form: entries 0..k-1 and, for an inner node, the
// rightmost child (the child pointer of slot k).
struct TNdxEntry {
    uint32_t Child = 0;
    int32_t Record = 0;
    std::string Key; // key length bytes
};
struct TNdxNode {
    int16_t SplitMark = 0;
    std::vector<TNdxEntry> Entries;
    uint32_t RightChild = 0;
    bool Leaf() const { return Entries.empty() ? RightChild == 0 : Entries[0].Child == 0; }
};
TNdxNode DecodeNode(const TNdxPage& page, const TNdxHeader& h);
// Writes a node into a cleared page. Slot k is touched only in its 4-byte
// child pointer, which always lies inside the page.
TNdxPage EncodeNode(const TNdxNode& node, const TNdxHeader& h);
// The page's key count and child pointers are plausible for the header and a
// file of the given next free page number.
bool NodeWellFormed(const TNdxPage& page, const TNdxHeader& h);

// Key comparison: unsigned bytes for "C", numeric (8-byte doubles) else;
// only the sign of the result counts. Inline: every seek and the sort of a
// build compare keys in their innermost loops.
inline int CompareNdxKeys(const TNdxHeader& h, const uint8_t* a, const uint8_t* b)
{
    if (h.KeyType == 'C') {
        // Eight bytes at a time, read as big-endian numbers so that the
        // first differing byte decides, as in a byte-wise comparison.
        std::size_t n = static_cast<std::size_t>(h.KeyLength);
        for (; n >= 8; n -= 8, a += 8, b += 8) {
            uint64_t x;
            uint64_t y;
            std::memcpy(&x, a, 8);
            std::memcpy(&y, b, 8);
            if (x != y) {
                if constexpr (std::endian::native == std::endian::little) {
                    x = __builtin_bswap64(x);
                    y = __builtin_bswap64(y);
                }
                return x < y ? -1 : 1;
            }
        }
        for (; n > 0; --n, ++a, ++b)
            if (*a != *b) return *a < *b ? -1 : 1;
        return 0;
    }
    double x = 0;
    double y = 0;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Canonical form of a key expression: literals kept (quotes written as double
// quotes), blanks and tabs dropped outside them, letters upper-cased.
std::string NormalizeExpression(const std::string& s);
// The list form for index file lists: blanks collapse to one, kept unless the
// next character is NUL, tab, blank, a quote or "="; quotes stay as they are.
std::string NormalizeList(const std::string& s);

// Bottom-up tree writer of the build: pairs arrive in index order; pages go
// out in file order from page 1. Finish writes the rest and returns the root.
class TNdxTreeWriter
{
  public:
    using TEmit = std::function<bool(const TNdxPage&)>;
    TNdxTreeWriter(const TNdxHeader& h, TEmit emit);
    bool Add(const uint8_t* key, int32_t record);
    bool Finish();
    uint32_t Root() const { return lastWritten_; }
    uint32_t PagesWritten() const { return lastWritten_; }

  private:
    bool WritePage(TNdxPage& page);
    bool Promote(std::size_t level, const uint8_t* key, uint32_t child);

    TNdxHeader h_;
    TEmit emit_;
    std::vector<TNdxPage> levels_; // [0] leaf
    uint32_t lastWritten_ = 0;
};
