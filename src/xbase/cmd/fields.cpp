// The native record: each field of the current record in a typed binary
// form (length-prefixed strings, 32-bit integers, 64-bit reals, Booleans), so
// that a record type of the program maps field by field onto the table.
#include "xbase/cmd/dbcmd.h"

#include "foundation/codepage.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace
{

// A field's bytes as a string. Kept out of line: inlined, the compiler knows
// a field is at most 255 bytes and copies it with a string instruction that
// costs more to start than the library's copy takes for a whole field, and
// a walk through a table makes millions of these.
[[gnu::noinline]] std::string BytesOf(std::string_view bytes)
{
    return std::string(bytes);
}
[[gnu::noinline]] void CopyBytes(uint8_t* to, std::string_view bytes)
{
    std::memcpy(to, bytes.data(), bytes.size());
}

uint16_t NativeFieldSize(const TDbfField& f)
{
    switch (f.Type) {
    case 'C':
        return static_cast<uint16_t>(f.Length + 1);
    case 'D':
        return 11;
    case 'N':
    case 'F':
        return f.Decimals > 0 ? 8 : 4;
    case 'L':
        return 1;
    case 'M':
        return 4;
    default:
        return 0;
    }
}

std::string FieldTag(const char* name, int n)
{
    return std::string("Invalid field number. [") + name + "(" + std::to_string(n) + ")]";
}

// The area in use; the error text is formed only when there is none, as
// field reads in a walk ask for it millions of times.
TWorkArea* FieldArea(const char* tag)
{
    if (TWorkArea* a = SelectedArea()) return a;
    CheckDbInUse(tag);
    return nullptr;
}

// The bytes of field f in record rec. A field lies inside its record but in
// a record cut short, which is cut the general way.
[[gnu::always_inline]] inline std::string_view FieldText(const std::string& rec, const TDbfField& f)
{
    if (static_cast<std::size_t>(f.Offset) + f.Length <= rec.size())
        return std::string_view(rec.data() + f.Offset, f.Length);
    return std::string_view(rec).substr(f.Offset, f.Length);
}

bool ValidField(const TWorkArea* a, int n, const char* name)
{
    if (a == nullptr) return false;
    if (n < 1 || n > a->FieldCount) {
        SetError(220, FieldTag(name, n));
        return false;
    }
    return true;
}

// Number text of a field: right-aligned in the field length; '*' fill when
// it does not fit.
std::string NumberText(double v, const TDbfField& f)
{
    char buf[400];
    std::to_chars_result res;
    if (f.Decimals > 0)
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, f.Decimals);
    else
        res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    std::string t = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string(f.Length + 1u, '*');
    // A rounded-away negative sign ("-0.00") is not a number the user wrote.
    if (t[0] == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    if (t.size() > f.Length) return std::string(f.Length, '*');
    return std::string(f.Length - t.size(), ' ') + t;
}

// Whether a number's text (digits and a point) holds no digit but 0. Out of
// line: asked only of negative numbers, and its search would otherwise
// cost every number read the saving of registers.
[[gnu::noinline]] bool IsZeroText(const char* from, const char* end)
{
    return std::string_view(from, static_cast<std::size_t>(end - from)).find_first_of("123456789") ==
           std::string_view::npos;
}

// Whether a numeric field's text is the text SField prints for the number
// in it: right-aligned behind plain blanks, no sign but a leading minus, no
// leading zero, exactly the field's decimals, and few enough digits (15)
// that a double carries them through unchanged. A negative zero is left to
// the printer.
bool PrintsAsStored(std::string_view t, uint8_t decimals)
{
    auto digit = [](char c) { return static_cast<unsigned char>(c - '0') <= 9; };
    const char* p = t.data();
    const char* const end = p + t.size();
    while (p != end && *p == ' ')
        ++p;
    const bool minus = p != end && *p == '-';
    p += minus;
    // The decimals sit behind the point at the field's end: found from
    // there, the text is looked at once, from both ends.
    const char* intEnd = end;
    if (decimals > 0) {
        if (end - p < decimals + 2) return false;
        intEnd = end - decimals - 1;
        if (*intEnd != '.') return false;
        for (const char* q = intEnd + 1; q != end; ++q)
            if (!digit(*q)) return false;
    }
    const std::size_t intDigits = static_cast<std::size_t>(intEnd - p);
    if (intDigits == 0 || (intDigits > 1 && *p == '0')) return false;
    for (const char* q = p; q != intEnd; ++q)
        if (!digit(*q)) return false;
    // Integers are held in 32 bits: nine digits always fit.
    const std::size_t significant = (intDigits == 1 && *p == '0' ? 0 : intDigits) + decimals;
    if (decimals == 0 ? intDigits > 9 : significant > 15) return false;
    return !minus || !IsZeroText(p, end);
}

// The display form of a date key. A key of eight digits is laid out here
// directly in the national layout (the common case, once per date field of
// every record read); anything else goes the general way, which knows what
// to make of blanks and damaged keys.
std::string KeyToNativeDate(std::string_view key)
{
    // Eight digits at once: a byte is a digit when it and the byte six
    // above it both have 3 in their upper half.
    uint64_t w = 0;
    bool digits = key.size() == 8;
    if (digits) {
        std::memcpy(&w, key.data(), 8);
        constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL, kSix = 0x0606060606060606ULL,
                           kThrees = 0x3333333333333333ULL;
        digits = ((w & kHigh) | (((w + kSix) & kHigh) >> 4)) == kThrees;
    }
    if (!digits) return KeyToDate(std::string(key));
    // Laid out in a buffer and made a string of its final length at once:
    // appending piece by piece costs more than the rest of the field read.
    const char* k = key.data();
    const bool century = dbdates.DateCentury;
    const char *y = century ? k : k + 2, *m = k + 4, *d = k + 6;
    const std::size_t yl = century ? 4 : 2;
    char r[10];
    char* o = r;
    auto put = [&o](const char* from, std::size_t count) {
        std::memcpy(o, from, count == 4 ? 4 : 2);
        o += count;
    };
    auto layout = [&](const char* a, std::size_t al, char sep1, const char* b, char sep2, const char* c,
                      std::size_t cl) {
        put(a, al);
        *o++ = sep1;
        put(b, 2);
        *o++ = sep2;
        put(c, cl);
    };
    switch (dbdates.DbDateFormat) {
    case 1:
        layout(y, yl, '.', m, '.', d, 2);
        break;
    case 2:
        layout(d, 2, '/', m, '/', y, yl);
        break;
    case 3:
        layout(d, 2, '-', m, '-', y, yl);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        layout(d, 2, '.', m, '.', y, yl);
        break;
    default:
        layout(m, 2, '/', d, '/', y, yl);
        break;
    }
    return century ? std::string(r, 10) : std::string(r, 8);
}

// The date field's display text from its key, at most ten characters.
std::string DateFieldText(std::string_view key)
{
    std::string d = KeyToNativeDate(key);
    if (d.size() > 10) d.resize(10);
    return d;
}

// A numeric field's text as stored, with the decimal character in force.
std::string StoredNumberText(std::string_view text, uint8_t decimals)
{
    std::string t = BytesOf(text);
    if (decimals > 0 && dbdates.DecimalChar != '.') t[t.find('.')] = dbdates.DecimalChar;
    return t;
}

// SField's text from the native record. Apart from the walk's path through
// the record's bytes, so that its buffers and calls do not weigh on it.
[[gnu::noinline]] std::string NativeFieldText(const TWorkArea* a, const TDbfField& f, int n)
{
    const uint8_t* p = a->NativeRecord + a->NativeOffsets[static_cast<std::size_t>(n - 1)];
    switch (f.Type) {
    case 'C':
    case 'D':
        return BytesOf(std::string_view(reinterpret_cast<const char*>(p + 1), p[0]));
    case 'N':
    case 'F': {
        // The number as the record stored it, when printing it would give
        // the same text back.
        if (static_cast<std::size_t>(n) <= a->NumbersAsRead.size()) {
            const TWorkArea::TNumberAsRead& asRead = a->NumbersAsRead[static_cast<std::size_t>(n - 1)];
            if (asRead.Printable && std::memcmp(asRead.Native, p, f.Decimals > 0 ? 8 : 4) == 0) {
                std::string t = asRead.Text;
                if (f.Decimals > 0 && dbdates.DecimalChar != '.') t[t.find('.')] = dbdates.DecimalChar;
                return t;
            }
        }
        if (f.Decimals > 0) {
            double v;
            std::memcpy(&v, p, sizeof v);
            char buf[400];
            auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, f.Decimals);
            std::string t(buf, res.ptr);
            if (dbdates.DecimalChar != '.') {
                std::size_t dot = t.find('.');
                if (dot != std::string::npos) t[dot] = dbdates.DecimalChar;
            }
            if (t.size() < f.Length) t.insert(0, f.Length - t.size(), ' ');
            return t;
        }
        return IntToPadText(NativeInt32At(p), f.Length);
    }
    case 'L': {
        const std::string& lc = dbcmd.LogicalChars;
        return std::string(1, p[0] ? (lc.size() > 1 ? lc[1] : 'Y') : (lc.empty() ? 'N' : lc[0]));
    }
    case 'M': {
        int32_t block = NativeInt32At(p);
        return block == 0 ? "none" : block < 0 ? "BLOB" : "MEMO";
    }
    default:
        return "";
    }
}

const std::string ExpectedEmptyForms[] = {"  /  /  ",   "  -  -  ",   "  .  .  ",
                                          "  /  /    ", "  -  -    ", "  .  .    "};

bool IsEmptyDateForm(const std::string& s)
{
    if (AllTrim(s).empty()) return true;
    for (const auto& e : ExpectedEmptyForms)
        if (s == e) return true;
    if (s == "    .  .  " || s == "  .  .  ") return true;
    return false;
}

} // namespace

uint16_t NativeRecordSize(const TWorkArea& area)
{
    uint32_t size = 1;
    for (const auto& f : area.Fields)
        size += NativeFieldSize(f);
    return static_cast<uint16_t>(std::min<uint32_t>(size, 65535));
}

void ComputeNativeOffsets(TWorkArea& area)
{
    area.NativeOffsets.clear();
    uint16_t offset = 1;
    for (const auto& f : area.Fields) {
        area.NativeOffsets.push_back(offset);
        offset = static_cast<uint16_t>(offset + NativeFieldSize(f));
    }
}

void ReadNative(TWorkArea& area)
{
    area.NativeStale = false;
    area.BlankNumbers.clear();
    if (area.IsVirtual || area.NativeRecord == nullptr) return;
    const std::string& rec = area.RecordBuffer;
    uint8_t* native = area.NativeRecord;
    native[0] = !rec.empty() && rec[0] == '*' ? 1 : 0;
    area.NumbersAsRead.resize(area.Fields.size());
    for (std::size_t i = 0; i < area.Fields.size(); ++i) {
        const TDbfField& f = area.Fields[i];
        uint8_t* p = native + area.NativeOffsets[i];
        const std::string_view text = FieldText(rec, f);
        switch (f.Type) {
        case 'C':
            p[0] = f.Length;
            CopyBytes(p + 1, text);
            break;
        case 'D': {
            std::string d = KeyToNativeDate(text);
            if (d.size() > 10) d.resize(10);
            p[0] = static_cast<uint8_t>(d.size());
            std::memset(p + 1, ' ', 10);
            std::memcpy(p + 1, d.data(), d.size());
            break;
        }
        case 'N':
        case 'F': {
            double v = NumberFieldValue(text);
            if (f.Decimals > 0) {
                std::memcpy(p, &v, sizeof v);
            } else {
                // The native form holds 32 bits; a wider value is not cut
                // silently but clamped and reported.
                double r = std::round(v);
                int32_t iv;
                if (r > std::numeric_limits<int32_t>::max() || r < std::numeric_limits<int32_t>::min()) {
                    iv = r > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
                    SetError(201, "Field " + f.Name + " = " + AllTrim(std::string(text)) +
                                      " exceeds the integer range (" + FileNameToOem(area.AliasName) +
                                      " record " + std::to_string(area.RecordNumber) + ") [ReadNative]");
                } else {
                    iv = static_cast<int32_t>(r);
                }
                std::memcpy(p, &iv, sizeof iv);
            }
            TWorkArea::TNumberAsRead& asRead = area.NumbersAsRead[i];
            asRead.Printable = PrintsAsStored(text, f.Decimals);
            if (asRead.Printable) {
                std::memcpy(asRead.Native, p, f.Decimals > 0 ? 8 : 4);
                asRead.Text.assign(text);
            }
            break;
        }
        case 'L': {
            char c = text.empty() ? ' ' : text[0];
            p[0] = (c == 'T' || c == 't' || c == 'Y' || c == 'y') ? 1 : 0;
            break;
        }
        case 'M': {
            int32_t block = static_cast<int32_t>(NumberFieldValue(text));
            std::memcpy(p, &block, sizeof block);
            break;
        }
        default:
            break;
        }
    }
}

void WriteNative(TWorkArea& area)
{
    EnsureNative(area);
    if (area.IsVirtual || area.NativeRecord == nullptr) return;
    std::string& rec = area.RecordBuffer;
    rec.resize(area.RecordLength, ' ');
    const uint8_t* native = area.NativeRecord;
    rec[0] = native[0] ? '*' : ' ';
    for (std::size_t i = 0; i < area.Fields.size(); ++i) {
        const TDbfField& f = area.Fields[i];
        const uint8_t* p = native + area.NativeOffsets[i];
        std::string text;
        switch (f.Type) {
        case 'C': {
            std::size_t n = std::min<std::size_t>(p[0], f.Length);
            text.assign(reinterpret_cast<const char*>(p + 1), n);
            text.resize(f.Length, ' ');
            break;
        }
        case 'D': {
            std::string d(reinterpret_cast<const char*>(p + 1), std::min<std::size_t>(p[0], 10));
            // Departs from giving every two-digit year its century again: a
            // date the record was read with, outside the two-digit window
            // (15 June 1850 read as 06/15/50), would move by a century at
            // each post of another field of the record. A date whose text is
            // still the one its stored key reads as keeps that key.
            const std::string_view stored = FieldText(rec, f);
            if (stored.size() == 8 && stored.find_first_not_of("0123456789") == std::string_view::npos &&
                KeyToNativeDate(stored) == d)
                continue;
            // Only a valid date is stored: a text of the right length that
            // names no day (13/45/98) would put a date into the file that
            // no reader can take. It is stored empty and reported.
            std::string probe = d;
            if (d.empty() || IsEmptyDateForm(d)) {
                text = std::string(8, ' ');
            } else if (!ValidDate(probe)) {
                text = std::string(8, ' ');
                SetError(13, "Invalid date " + d + " in field " + f.Name + " [WriteNative]");
            } else {
                text = DateToKey(d);
                text.resize(8, ' ');
            }
            break;
        }
        case 'N':
        case 'F': {
            double v;
            if (f.Decimals > 0) {
                std::memcpy(&v, p, sizeof v);
            } else {
                int32_t iv;
                std::memcpy(&iv, p, sizeof iv);
                v = iv;
            }
            // A blank number field that nothing gave a value stays blank.
            if (v == 0 && i < area.BlankNumbers.size() && area.BlankNumbers[i] && StoredFieldBlank(rec, f))
                continue;
            text = std::isfinite(v) ? NumberText(v, f) : std::string(f.Length, '*');
            break;
        }
        case 'L':
            text = p[0] ? "T" : "F";
            break;
        case 'M': {
            int32_t block;
            std::memcpy(&block, p, sizeof block);
            // No memo is stored as blanks, as every dBASE writer does.
            text = block == 0 ? std::string(f.Length, ' ') : std::to_string(block);
            if (text.size() < f.Length) text.insert(0, f.Length - text.size(), ' ');
            if (text.size() > f.Length) text = std::string(f.Length, '*');
            break;
        }
        default:
            continue;
        }
        rec.replace(f.Offset, f.Length, text);
    }
}

bool StoredFieldBlank(const std::string& rec, const TDbfField& f)
{
    return static_cast<std::size_t>(f.Offset) >= rec.size() ||
           FieldText(rec, f).find_first_not_of(' ') == std::string_view::npos;
}

void MarkNumberBlank(TWorkArea& area, int n, bool blank)
{
    if (n < 1 || static_cast<std::size_t>(n) > area.Fields.size()) return;
    const char type = area.Fields[static_cast<std::size_t>(n - 1)].Type;
    area.BlankNumbers.resize(area.Fields.size(), false);
    area.BlankNumbers[static_cast<std::size_t>(n - 1)] = blank && (type == 'N' || type == 'F');
}

void KeepBlankNumbers(TWorkArea& area)
{
    for (std::size_t i = 0; i < area.Fields.size(); ++i)
        MarkNumberBlank(area, static_cast<int>(i + 1), StoredFieldBlank(area.RecordBuffer, area.Fields[i]));
}

void ClearRecord()
{
    TWorkArea* a = FieldArea("ClearRecord");
    if (a == nullptr) return;
    if (a->IsVirtual && a->Fields.empty()) {
        if (a->NativeRecord != nullptr) std::memset(a->NativeRecord, 0, a->NativeSize);
        return;
    }
    a->RecordBuffer.assign(a->RecordLength, ' ');
    ReadNative(*a);
}

char FieldType(int n)
{
    TWorkArea* a = FieldArea("FieldType()");
    return ValidField(a, n, "FieldType") ? a->Fields[static_cast<std::size_t>(n - 1)].Type : ' ';
}

uint8_t FieldLen(int n)
{
    TWorkArea* a = FieldArea("FieldLen()");
    if (!ValidField(a, n, "FieldLen")) return 0;
    const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
    if (f.Type == 'D') return dbdates.DateCentury ? 10 : 8;
    return f.Length;
}

uint8_t FieldDec(int n)
{
    TWorkArea* a = FieldArea("FieldDec()");
    return ValidField(a, n, "FieldDec") ? a->Fields[static_cast<std::size_t>(n - 1)].Decimals : 0;
}

uint8_t* FieldAddress(int n)
{
    TWorkArea* a = FieldArea("FieldAddress()");
    if (a == nullptr || a->NativeRecord == nullptr) return nullptr;
    // The caller may read or write the native record through the address.
    EnsureNative(*a);
    if (n == 0) return a->NativeRecord;
    if (n < 0 || n > a->FieldCount) {
        SetError(220, FieldTag("FieldAddress", n));
        return nullptr;
    }
    return a->NativeRecord + a->NativeOffsets[static_cast<std::size_t>(n - 1)];
}

std::string SField(int n)
{
    // A walk reads every field of every record: the checks are made here
    // and the calls that form the error left to a failed check.
    TWorkArea* a = SelectedArea();
    if (a == nullptr || n < 1 || n > a->FieldCount) [[unlikely]] {
        ValidField(FieldArea("SField()"), n, "SField");
        return "";
    }
    const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
    if (a->NativeStale) {
        // Straight from the record's bytes, giving what the native record
        // would give; anything else makes the native record first.
        const std::string_view text = FieldText(a->RecordBuffer, f);
        switch (f.Type) {
        case 'C':
            return BytesOf(text);
        case 'D':
            return DateFieldText(text);
        case 'N':
        case 'F':
            if (PrintsAsStored(text, f.Decimals)) return StoredNumberText(text, f.Decimals);
            break;
        case 'L': {
            const char c = text.empty() ? ' ' : text[0];
            const bool on = c == 'T' || c == 't' || c == 'Y' || c == 'y';
            const std::string& lc = dbcmd.LogicalChars;
            return std::string(1, on ? (lc.size() > 1 ? lc[1] : 'Y') : (lc.empty() ? 'N' : lc[0]));
        }
        default:
            break;
        }
        ReadNative(*a);
    }
    return NativeFieldText(a, f, n);
}

bool Deleted()
{
    TWorkArea* a = FieldArea("Deleted");
    if (a != nullptr && a->NativeStale) return !a->RecordBuffer.empty() && a->RecordBuffer[0] == '*';
    return a != nullptr && a->NativeRecord != nullptr && a->NativeRecord[0] != 0;
}

std::string Field(int n)
{
    TWorkArea* a = FieldArea("Field()");
    return ValidField(a, n, "Field") ? a->Fields[static_cast<std::size_t>(n - 1)].Name : "";
}

uint8_t FieldNo(const std::string& name)
{
    TWorkArea* a = FieldArea("FieldNo()");
    if (a == nullptr) return 0;
    std::string want = UpperStr(AllTrim(name).substr(0, 10));
    for (std::size_t i = 0; i < a->Fields.size(); ++i)
        if (a->Fields[i].Name == want) return static_cast<uint8_t>(i + 1);
    return 0;
}

uint8_t FieldCount()
{
    TWorkArea* a = FieldArea("FieldCount()");
    return a == nullptr ? 0 : a->FieldCount;
}

int32_t NativeInt32At(const uint8_t* address)
{
    int32_t v;
    std::memcpy(&v, address, sizeof v);
    return v;
}

void SetNativeInt32At(uint8_t* address, int32_t value)
{
    std::memcpy(address, &value, sizeof value);
}

std::string GetNativeText(int n)
{
    uint8_t* p = FieldAddress(n);
    return p == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

void SetNativeText(int n, const std::string& s)
{
    uint8_t* p = FieldAddress(n);
    if (p == nullptr || n < 1) return;
    const TDbfField& f = SelectedArea()->Fields[static_cast<std::size_t>(n - 1)];
    std::size_t capacity = f.Type == 'D' ? 10 : f.Type == 'C' ? f.Length : 0;
    std::size_t len = std::min(s.size(), capacity);
    p[0] = static_cast<uint8_t>(len);
    std::memcpy(p + 1, s.data(), len);
}

double GetNativeDouble(int n)
{
    // A record not yet converted gives the one number from its text, as the
    // native record would hold it; a whole number past 32 bits is left to the
    // conversion, which reports it.
    TWorkArea* a = SelectedArea();
    if (a != nullptr && a->NativeStale && n >= 1 && n <= a->FieldCount) {
        const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
        if (f.Type == 'N' || f.Type == 'F') {
            const double v = NumberFieldValue(FieldText(a->RecordBuffer, f));
            if (f.Decimals > 0) return v;
            const double r = std::round(v);
            if (r <= std::numeric_limits<int32_t>::max() && r >= std::numeric_limits<int32_t>::min())
                return static_cast<int32_t>(r);
        }
    }
    uint8_t* p = FieldAddress(n);
    if (p == nullptr || n < 1) return 0.0;
    if (SelectedArea()->Fields[static_cast<std::size_t>(n - 1)].Decimals == 0) return NativeInt32At(p);
    double v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void SetNativeDouble(int n, double v)
{
    uint8_t* p = FieldAddress(n);
    if (p == nullptr || n < 1) return;
    if (SelectedArea()->Fields[static_cast<std::size_t>(n - 1)].Decimals == 0) {
        double r = std::round(v);
        SetNativeInt32At(p, r >= 2147483647.0    ? 2147483647
                            : r <= -2147483648.0 ? INT32_MIN
                                                 : static_cast<int32_t>(r));
        return;
    }
    std::memcpy(p, &v, sizeof v);
}

int32_t GetNativeInt(int n)
{
    uint8_t* p = FieldAddress(n);
    return p == nullptr || n < 1 ? 0 : NativeInt32At(p);
}

void SetNativeInt(int n, int32_t v)
{
    uint8_t* p = FieldAddress(n);
    if (p != nullptr && n >= 1) SetNativeInt32At(p, v);
}

bool GetNativeBool(int n)
{
    uint8_t* p = FieldAddress(n);
    return p != nullptr && n >= 1 && p[0] != 0;
}

void SetNativeBool(int n, bool v)
{
    uint8_t* p = FieldAddress(n);
    if (p != nullptr && n >= 1) p[0] = v ? 1 : 0;
}

void SetNativeDeleted(bool on)
{
    uint8_t* p = FieldAddress(0);
    if (p != nullptr) p[0] = on ? 1 : 0;
}
