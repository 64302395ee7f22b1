#include "xbase/ndx/ndxformat.h"

#include "xbase/core/dbkeys.h"

#include <algorithm>
#include <cstring>

int16_t NdxEntrySize(int keyLength)
{
    return static_cast<int16_t>(8 + (keyLength + 3) / 4 * 4);
}

int16_t NdxKeysPerPage(int keyLength)
{
    return static_cast<int16_t>(504 / NdxEntrySize(keyLength));
}

TNdxHeader NewNdxHeader(char keyType, int keyLength, bool unique)
{
    TNdxHeader h;
    h.KeyType = keyType;
    h.KeyLength = static_cast<int16_t>(keyLength);
    h.EntrySize = NdxEntrySize(keyLength);
    h.KeysPerPage = NdxKeysPerPage(keyLength);
    h.KeyKind = keyType == 'C' ? 0 : 1;
    h.Unique = unique ? 1 : 0;
    return h;
}

void EncodeNdxHeader(const TNdxHeader& h, uint8_t* b)
{
    std::memset(b, 0, 24);
    NdxPut32(b, h.Root);
    NdxPut32(b + 4, h.NextFree);
    b[9] = static_cast<uint8_t>(h.KeyType);
    NdxPut16(b + 12, h.KeyLength);
    NdxPut16(b + 14, h.KeysPerPage);
    NdxPut16(b + 16, h.KeyKind);
    NdxPut16(b + 18, h.EntrySize);
    b[23] = h.Unique;
}

TNdxHeader DecodeNdxHeader(const uint8_t* b)
{
    TNdxHeader h;
    h.Root = NdxGet32(b);
    h.NextFree = NdxGet32(b + 4);
    h.KeyType = static_cast<char>(b[9]);
    h.KeyLength = NdxGet16(b + 12);
    h.KeysPerPage = NdxGet16(b + 14);
    h.KeyKind = NdxGet16(b + 16);
    h.EntrySize = NdxGet16(b + 18);
    h.Unique = b[23];
    // Some writers keep a key count in bytes 8..11 instead of the type
    // letter; the key kind then tells character from numeric keys.
    if (h.KeyType != 'C' && h.KeyType != 'N' && h.KeyType != 'F' && h.KeyType != 'D')
        h.KeyType = h.KeyKind == 0 ? 'C' : 'N';
    return h;
}

bool NdxHeaderValid(const TNdxHeader& h)
{
    if (h.KeyLength < 1 || h.KeyLength > NdxMaxKeyLength) return false;
    if (h.KeyType != 'C' && h.KeyType != 'N' && h.KeyType != 'F' && h.KeyType != 'D') return false;
    if (h.KeyType != 'C' && h.KeyLength != 8) return false;
    // The sizes are derived from the key length; a file that disagrees would
    // make entries overlap or leave the page.
    // Writers differ in how full they let a page get; no count may make
    // entries leave the page.
    return h.EntrySize == NdxEntrySize(h.KeyLength) && h.KeysPerPage >= 2 &&
           h.KeysPerPage <= NdxKeysPerPage(h.KeyLength) && h.Root >= 1 && h.NextFree > h.Root;
}

TNdxPage BuildAnchorPage(const TNdxHeader& h, const std::string& expression, int32_t recordCount,
                         const std::string& tableName)
{
    TNdxPage page{};
    EncodeNdxHeader(h, page.data());
    std::string e = expression.substr(0, NdxMaxExpression);
    std::memcpy(page.data() + 24, e.data(), e.size());
    EncodeStamp(recordCount, page.data() + NdxStampOffset);
    std::string t = tableName.substr(0, 12);
    std::memcpy(page.data() + 496, t.data(), t.size());
    return page;
}

void EncodeStamp(int32_t recordCount, uint8_t* bytes8)
{
    NdxPut32(bytes8, ~static_cast<uint32_t>(recordCount));
    NdxPut32(bytes8 + 4, static_cast<uint32_t>(recordCount));
}

int32_t AnchorRecordCount(const TNdxPage& anchor)
{
    uint32_t complement = NdxGet32(anchor.data() + 488);
    uint32_t count = NdxGet32(anchor.data() + 492);
    return complement == ~count ? static_cast<int32_t>(count) : -1;
}

std::string AnchorExpression(const TNdxPage& anchor)
{
    const char* p = reinterpret_cast<const char*>(anchor.data() + 24);
    std::size_t n = 0;
    while (n <= NdxMaxExpression && p[n] != '\0')
        ++n;
    return std::string(p, std::min(n, NdxMaxExpression));
}

TNdxNode DecodeNode(const TNdxPage& page, const TNdxHeader& h)
{
    TNdxNode node;
    int k = std::clamp(NodeKeyCount(page), 0, static_cast<int>(h.KeysPerPage));
    node.SplitMark = NdxGet16(page.data() + 2);
    node.Entries.resize(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) {
        auto& e = node.Entries[static_cast<std::size_t>(i)];
        e.Child = NodeChild(page, h, i);
        e.Record = NodeRecord(page, h, i);
        e.Key.assign(reinterpret_cast<const char*>(NodeKey(page, h, i)),
                     static_cast<std::size_t>(h.KeyLength));
    }
    node.RightChild = NodeChild(page, h, k);
    return node;
}

TNdxPage EncodeNode(const TNdxNode& node, const TNdxHeader& h)
{
    TNdxPage page{};
    NdxPut16(page.data(), static_cast<int16_t>(node.Entries.size()));
    NdxPut16(page.data() + 2, node.SplitMark);
    const std::size_t es = static_cast<std::size_t>(h.EntrySize);
    for (std::size_t i = 0; i < node.Entries.size(); ++i) {
        uint8_t* e = page.data() + 4 + i * es;
        NdxPut32(e, node.Entries[i].Child);
        NdxPut32(e + 4, static_cast<uint32_t>(node.Entries[i].Record));
        std::memcpy(e + 8, node.Entries[i].Key.data(),
                    std::min(node.Entries[i].Key.size(), static_cast<std::size_t>(h.KeyLength)));
    }
    NdxPut32(page.data() + 4 + node.Entries.size() * es, node.RightChild);
    return page;
}

bool NodeWellFormed(const TNdxPage& page, const TNdxHeader& h)
{
    int k = NodeKeyCount(page);
    if (k < 0 || k > h.KeysPerPage) return false;
    bool leaf = NodeIsLeaf(page, h);
    for (int i = 0; i <= k; ++i) {
        uint32_t c = NodeChild(page, h, i);
        if (leaf && i < k && c != 0) return false;
        if (!leaf && (c == 0 || c >= h.NextFree)) return false;
    }
    return true;
}

std::string NormalizeExpression(const std::string& s)
{
    std::string out;
    char quote = 0;
    for (char c : s) {
        if (c == '\0') break;
        if (quote != 0) {
            if (c == quote) {
                out += '"';
                quote = 0;
            } else {
                out += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            out += '"';
        } else if (c != ' ' && c != '\t') {
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        }
    }
    return out;
}

std::string NormalizeList(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size() && s[i] != '\0'; ++i) {
        char c = s[i];
        if (c == ' ' || c == '\t') {
            char next = i + 1 < s.size() ? s[i + 1] : '\0';
            if (next != '\0' && next != '\t' && next != ' ' && next != '"' && next != '\'' && next != '=' &&
                !out.empty())
                out += ' ';
            continue;
        }
        // File names keep their case: the file system tells them apart.
        out += c;
    }
    return out;
}

TNdxTreeWriter::TNdxTreeWriter(const TNdxHeader& h, TEmit emit) : h_(h), emit_(std::move(emit)), levels_(1) {}

bool TNdxTreeWriter::WritePage(TNdxPage& page)
{
    if (!emit_(page)) return false;
    ++lastWritten_;
    page.fill(0);
    return true;
}

bool TNdxTreeWriter::Promote(std::size_t level, const uint8_t* key, uint32_t child)
{
    if (levels_.size() <= level) levels_.resize(level + 1, TNdxPage{});
    TNdxPage& page = levels_[level];
    const std::size_t es = static_cast<std::size_t>(h_.EntrySize);
    int c = NodeKeyCount(page);
    uint8_t* slot = page.data() + 4 + static_cast<std::size_t>(c) * es;
    NdxPut32(slot, child);
    if (c < h_.KeysPerPage) {
        NdxPut32(slot + 4, 0);
        std::memcpy(slot + 8, key, static_cast<std::size_t>(h_.KeyLength));
        NdxPut16(page.data(), static_cast<int16_t>(c + 1));
        return true;
    }
    if (!WritePage(page)) return false;
    return Promote(level + 1, key, lastWritten_);
}

bool TNdxTreeWriter::Add(const uint8_t* key, int32_t record)
{
    TNdxPage& leaf = levels_[0];
    const std::size_t es = static_cast<std::size_t>(h_.EntrySize);
    int k = NodeKeyCount(leaf);
    if (k == h_.KeysPerPage) {
        std::array<uint8_t, NdxMaxKeyLength> last{};
        std::memcpy(last.data(), NodeKey(leaf, h_, k - 1), static_cast<std::size_t>(h_.KeyLength));
        if (!WritePage(leaf)) return false;
        if (!Promote(1, last.data(), lastWritten_)) return false;
        k = 0;
    }
    TNdxPage& l = levels_[0];
    uint8_t* slot = l.data() + 4 + static_cast<std::size_t>(k) * es;
    NdxPut32(slot, 0);
    NdxPut32(slot + 4, static_cast<uint32_t>(record));
    std::memcpy(slot + 8, key, static_cast<std::size_t>(h_.KeyLength));
    NdxPut16(l.data(), static_cast<int16_t>(k + 1));
    return true;
}

bool TNdxTreeWriter::Finish()
{
    if (!WritePage(levels_[0])) return false;
    const std::size_t es = static_cast<std::size_t>(h_.EntrySize);
    for (std::size_t level = 1; level < levels_.size(); ++level) {
        TNdxPage& page = levels_[level];
        int c = NodeKeyCount(page);
        if (c == 0) continue;
        NdxPut32(page.data() + 4 + static_cast<std::size_t>(c) * es, lastWritten_);
        if (!WritePage(page)) return false;
    }
    return true;
}
