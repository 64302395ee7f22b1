#include "graphics/displaylist.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

TDisplayList DisplayList;

void TDisplayList::Clear()
{
    Records.clear();
    FrameStarts.clear();
    ++Generation;
}

void TDisplayList::ErasedFrames(size_t& From, size_t& To) const
{
    From = To = 0;
    if (FrameStarts.empty()) return;
    // The last frame shown is the last that has records; a mark at the end
    // starts a frame the list does not hold (yet, or any more).
    size_t last = FrameStarts.front();
    for (size_t mark : FrameStarts)
        if (mark < Records.size()) last = std::max(last, mark);
    From = FrameStarts.front();
    To = std::max(From, last);
}

void TDisplayList::ForgetPen()
{
    CurrentColour = -1;
    CurrentLineStyle = 99;
    CurrentLineWidth = 1;
}

void ResetDisplayList()
{
    DisplayList.Clear();
    DisplayList.ForgetPen();
}

namespace
{

// Room for an integer: 19 digits and a sign.
constexpr size_t MaxIntChars = 20;

char* WriteInt(char* p, long long n)
{
    return std::to_chars(p, p + MaxIntChars, n).ptr;
}

// Room for a real: the longest, "-0.0000" and 8 digits or "-d.dddddddE+308",
// has 15 characters; the exponent is written with an integer's room.
constexpr size_t MaxRealChars = 12 + MaxIntChars;
// A ";" and a real for each field after the kind.
constexpr size_t MaxFieldChars = MaxRealChars + 1;
constexpr size_t MaxKindChars = MaxIntChars;

char* Put(char* p, std::string_view s)
{
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

// The digits of a > 0 rounded to 8 significant ones, as an integer in
// [10^7, 10^8), and the decimal exponent of the rounded value (9.99999999
// gives 10000000 and 1), the way the exact conversion rounds: the double's
// exact binary value, a tie to the even digit.
void ExactDigits(double a, uint32_t& digits, int& exponent)
{
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 7);
    const char* p = buf;
    digits = 0;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.') digits = digits * 10 + static_cast<uint32_t>(*p - '0');
    exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
}

constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The same digits at a fraction of the cost, for the drawing coordinates
// that make up nearly all of an animation's records: a scaled by an exact
// power of ten in one multiplication or division lands within half a unit in
// the last place of the exact product, under 7.5e-9 below 2^27, so rounding
// it gives the exact digits unless a tie lies that close. False leaves such
// values, and those beyond the exact powers, to ExactDigits.
bool FastDigits(double a, uint32_t& digits, int& exponent)
{
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) return false;
    // floor(e2 * log10(2)) for a in [2^e2, 2^(e2 + 1)): the exponent or one
    // below it.
    int e = ((biased - 1023) * 78913) >> 18;
    for (int tries = 0; tries < 3; ++tries) {
        const int k = 7 - e;
        if (k > 22 || k < -22) return false;
        const double s = k >= 0 ? a * Pow10[k] : a / Pow10[-k];
        if (s >= 1e8) {
            ++e;
            continue;
        }
        if (s < 1e7) {
            --e;
            continue;
        }
        const double whole = std::floor(s);
        const double frac = s - whole;
        if (std::fabs(frac - 0.5) < 1e-7) return false;
        uint32_t d = static_cast<uint32_t>(whole) + (frac > 0.5 ? 1 : 0);
        if (d == 100000000) {
            d = 10000000;
            ++e;
        }
        digits = d;
        exponent = e;
        return true;
    }
    return false;
}

char* WriteGraphReal(char* out, Extended value)
{
    // 8 significant digits lie far inside a double's 15, so the double's
    // digits are those of the extended value.
    const double v = static_cast<double>(value);
    if (std::isnan(v)) return Put(out, "NAN");
    if (std::isinf(v)) return Put(out, v < 0 ? "-INF" : "INF");
    if (v == 0) {
        *out++ = '0';
        return out;
    }
    if (v < 0) *out++ = '-';
    const double a = std::fabs(v);
    uint32_t d = 0;
    int exponent = 0;
    if (!FastDigits(a, d, exponent)) ExactDigits(a, d, exponent);
    char digits[8];
    for (int i = 7; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + d % 10);
        d /= 10;
    }
    int nd = 8;
    while (nd > 1 && digits[nd - 1] == '0')
        --nd;

    if (exponent >= -5 && exponent <= 7) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                *out++ = i < nd ? digits[i] : '0';
            if (nd > exponent + 1) {
                *out++ = '.';
                out = Put(out, {digits + exponent + 1, static_cast<size_t>(nd - exponent - 1)});
            }
        } else {
            out = Put(out, "0.");
            for (int i = exponent + 1; i < 0; ++i)
                *out++ = '0';
            out = Put(out, {digits, static_cast<size_t>(nd)});
        }
        return out;
    }
    *out++ = digits[0];
    if (nd > 1) {
        *out++ = '.';
        out = Put(out, {digits + 1, static_cast<size_t>(nd - 1)});
    }
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e < 10) *out++ = '0';
    return WriteInt(out, e);
}

char* WriteRealRecord(char* p, TRecordKind kind, std::initializer_list<Extended> fields)
{
    p = WriteInt(p, static_cast<int>(kind));
    for (Extended f : fields) {
        *p++ = ';';
        p = WriteGraphReal(p, f);
    }
    return p;
}

char* WriteIntRecord(char* p, TRecordKind kind, long long n)
{
    p = WriteInt(p, static_cast<int>(kind));
    *p++ = ';';
    return WriteInt(p, n);
}

} // namespace

void AppendGraphReal(std::string& out, Extended v)
{
    char buf[MaxRealChars];
    out.append(buf, WriteGraphReal(buf, v));
}

std::string FormatGraphReal(Extended v)
{
    std::string s;
    AppendGraphReal(s, v);
    return s;
}

std::string MakeRealRecord(TRecordKind kind, std::initializer_list<Extended> fields)
{
    std::string s(MaxKindChars + MaxFieldChars * fields.size(), '\0');
    s.resize(static_cast<size_t>(WriteRealRecord(s.data(), kind, fields) - s.data()));
    return s;
}

std::string MakeIntRecord(TRecordKind kind, long long n)
{
    char buf[MaxKindChars + 1 + MaxIntChars];
    return {buf, WriteIntRecord(buf, kind, n)};
}

void AppendRealRecord(TDrawRecordList& list, TRecordKind kind, std::initializer_list<Extended> fields)
{
    char* p = list.BeginRecord(MaxKindChars + MaxFieldChars * fields.size());
    list.EndRecord(static_cast<size_t>(WriteRealRecord(p, kind, fields) - p));
}

void AppendIntRecord(TDrawRecordList& list, TRecordKind kind, long long n)
{
    char* p = list.BeginRecord(MaxKindChars + 1 + MaxIntChars);
    list.EndRecord(static_cast<size_t>(WriteIntRecord(p, kind, n) - p));
}

std::string MakeTextRecord(Extended x, Extended y, std::string_view text)
{
    std::string s = MakeRealRecord(TRecordKind::Text, {x, y});
    s += ';';
    s += text;
    return s;
}

std::string MakeWindowRecord(int32_t px1, int32_t py1, int32_t px2, int32_t py2, Extended wx1, Extended wy1,
                             Extended wx2, Extended wy2)
{
    std::string s = "10";
    for (int32_t v : {px1, py1, px2, py2}) {
        s += ';';
        s += std::to_string(v);
    }
    for (Extended v : {wx1, wy1, wx2, wy2}) {
        s += ';';
        AppendGraphReal(s, v);
    }
    return s;
}

namespace
{

// Reads the whole text as a number; anything else is 0, as the program's
// number reader gives for a malformed field.
// The numbers of a record have at most 8 significant digits and a small
// exponent. Such a number is an integer of at most 15 digits times a power
// of ten up to 10^22, both exact in a double, so one multiplication or
// division rounds it exactly as the full conversion does. Anything else
// (more digits, a large exponent, text that is not a plain number) takes the
// full conversion. Nullopt when the fast way does not apply.
std::optional<double> ShortDecimal(const char* b, const char* e)
{
    const bool negative = b != e && *b == '-';
    if (negative) ++b;
    uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;
    bool any = false;
    for (; b != e && *b >= '0' && *b <= '9'; ++b, any = true) {
        if (mantissa == 0 && *b == '0') continue;
        mantissa = mantissa * 10 + static_cast<unsigned>(*b - '0');
        ++digits;
    }
    if (b != e && *b == '.') {
        for (++b; b != e && *b >= '0' && *b <= '9'; ++b, any = true) {
            --scale;
            if (mantissa == 0 && *b == '0') continue;
            mantissa = mantissa * 10 + static_cast<unsigned>(*b - '0');
            ++digits;
        }
    }
    if (!any || digits > 15) return std::nullopt;
    if (b != e && (*b == 'E' || *b == 'e')) {
        ++b;
        const bool down = b != e && *b == '-';
        if (b != e && (*b == '-' || *b == '+')) ++b;
        if (b == e || e - b > 3) return std::nullopt;
        int x = 0;
        for (; b != e; ++b) {
            if (*b < '0' || *b > '9') return std::nullopt;
            x = x * 10 + (*b - '0');
        }
        scale += down ? -x : x;
    }
    if (b != e || scale < -22 || scale > 22) return std::nullopt;
    double v = static_cast<double>(mantissa);
    v = scale < 0 ? v / Pow10[-scale] : v * Pow10[scale];
    return negative ? -v : v;
}

double ToReal(std::string_view t)
{
    if (t.empty()) return 0;
    const char* b = t.data();
    const char* e = b + t.size();
    if (*b == '+') ++b;
    if (const std::optional<double> quick = ShortDecimal(b, e)) return *quick;
    double v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return 0;
    return v;
}

long long ToInt(std::string_view t)
{
    const char* b = t.data();
    const char* e = b + t.size();
    long long v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e || b == e) return 0;
    return v;
}

bool IsDigit(char c)
{
    return static_cast<unsigned char>(c - '0') < 10;
}

// The fields of one record, read front to back in one pass over its text.
// The forms the list itself writes for drawing records ("-12.375", "40")
// are read on the way; any other field text is cut out and read by ToReal or
// ToInt as a whole, so every field reads exactly as they read it.
class TFieldReader
{
  public:
    explicit TFieldReader(std::string_view record) : p_(record.data()), e_(record.data() + record.size()) {}

    // The next field, ended by ";" (or the rest when there is none).
    double NextReal()
    {
        const char* b = p_;
        double v;
        if (PlainReal(v) && EndOfField()) return v;
        return ToReal(Skip(b));
    }
    long long NextInt()
    {
        const char* b = p_;
        long long n;
        if (PlainInt(n) && EndOfField()) return n;
        return ToInt(Skip(b));
    }
    void SkipField() { Skip(p_); }
    // The rest of the record as one field.
    double LastReal()
    {
        const char* b = p_;
        double v;
        if (PlainReal(v) && p_ == e_) return v;
        return ToReal({b, static_cast<size_t>(e_ - b)});
    }
    long long LastInt()
    {
        const char* b = p_;
        long long n;
        if (PlainInt(n) && p_ == e_) return n;
        return ToInt({b, static_cast<size_t>(e_ - b)});
    }
    std::string_view Rest() const { return {p_, static_cast<size_t>(e_ - p_)}; }

  private:
    // After a field read in place: past its ";", or at no rest at all when
    // it was the last one (a null view, as a missing rest always was).
    bool EndOfField()
    {
        if (p_ == e_) {
            p_ = e_ = nullptr;
            return true;
        }
        if (*p_ != ';') return false;
        ++p_;
        return true;
    }
    // The field from b up to the next ";", and the reader past that ";".
    std::string_view Skip(const char* b)
    {
        const size_t n = static_cast<size_t>(e_ - b);
        const void* semi = n == 0 ? nullptr : std::memchr(b, ';', n);
        if (semi == nullptr) {
            p_ = e_ = nullptr;
            return {b, n};
        }
        p_ = static_cast<const char*>(semi) + 1;
        return {b, static_cast<size_t>(p_ - 1 - b)};
    }
    // [-]digits[.digits] with 1 to 15 digits in all. Such a number is an
    // integer below 10^15 divided by a power of ten up to 10^15, both exact
    // in a double, so the one division rounds it as ToReal does.
    bool PlainReal(double& v)
    {
        const char* p = p_;
        const bool negative = p != e_ && *p == '-';
        p += negative ? 1 : 0;
        const char* first = p;
        uint64_t m = 0;
        for (; p != e_ && IsDigit(*p); ++p)
            m = m * 10 + static_cast<unsigned>(*p - '0');
        ptrdiff_t digits = p - first;
        ptrdiff_t decimals = 0;
        if (p != e_ && *p == '.') {
            const char* point = ++p;
            for (; p != e_ && IsDigit(*p); ++p)
                m = m * 10 + static_cast<unsigned>(*p - '0');
            decimals = p - point;
            digits += decimals;
        }
        if (digits == 0 || digits > 15) return false;
        v = static_cast<double>(m) / Pow10[decimals];
        if (negative) v = -v;
        p_ = p;
        return true;
    }
    // [-]digits with 1 to 18 digits.
    bool PlainInt(long long& n)
    {
        const char* p = p_;
        const bool negative = p != e_ && *p == '-';
        p += negative ? 1 : 0;
        const char* first = p;
        long long m = 0;
        for (; p != e_ && IsDigit(*p) && p - first < 18; ++p)
            m = m * 10 + (*p - '0');
        if (p == first) return false;
        n = negative ? -m : m;
        p_ = p;
        return true;
    }

    const char* p_;
    const char* e_;
};

} // namespace

void ReadDisplayRecord(std::string_view record, TRecordReading& r)
{
    TFieldReader in(record);
    const long long kind = in.NextInt();
    r.Kind = kind >= 1 && kind <= 14 ? static_cast<int>(kind) : 0;
    switch (r.Kind) {
    case 0:
        return;
    case 8:
    case 11:
    case 12:
    case 13:
        r.N = in.LastInt();
        return;
    default:
        break;
    }
    r.F[0] = in.NextReal();
    r.F[1] = in.NextReal();
    switch (r.Kind) {
    case 3:
        r.F[2] = in.LastReal();
        break;
    case 4:
    case 14:
        r.F[2] = in.NextReal();
        r.F[3] = in.LastReal();
        break;
    case 5:
    case 7:
    case 10:
        for (int i = 2; i < 7; ++i)
            r.F[i] = in.NextReal();
        r.F[7] = in.LastReal();
        break;
    case 6:
        r.Text = in.Rest();
        break;
    case 9:
        in.SkipField();
        r.F[3] = in.LastReal();
        break;
    default:
        break;
    }
}

TDisplayRecord ParseDisplayRecord(std::string_view record)
{
    TRecordReading read;
    ReadDisplayRecord(record, read);
    TDisplayRecord r;
    r.Kind = read.Kind;
    for (int i = 0; i < 8; ++i)
        r.F[i] = read.F[i];
    r.N = read.N;
    r.Text = read.Text;
    return r;
}

void TDisplayList::DropDrawing(size_t from, size_t to)
{
    TDrawRecordList& list = Records;
    to = std::min(to, list.size());
    if (from >= to) return;
    // Of the records that only set something, the last of each kind decides
    // what the records after the range start with.
    std::vector<bool> keep(to - from);
    bool seen[static_cast<int>(TRecordKind::Pause) + 1] = {};
    for (size_t i = to; i-- > from;) {
        TRecordReading r;
        ReadDisplayRecord(list[i], r);
        const auto kind = static_cast<TRecordKind>(r.Kind);
        const bool sets =
            kind == TRecordKind::MoveTo || (kind >= TRecordKind::Colour && kind <= TRecordKind::LineWidth);
        if (sets && !seen[static_cast<int>(kind)]) keep[i - from] = seen[static_cast<int>(kind)] = true;
    }
    TDrawRecordList kept;
    for (size_t i = 0; i < list.size(); ++i)
        if (i < from || i >= to || keep[i - from]) kept.push_back(list[i]);
    list = std::move(kept);
    // Frames that began in the range are gone; those after it moved up.
    const size_t removed = (to - from) - static_cast<size_t>(std::count(keep.begin(), keep.end(), true));
    std::vector<size_t> marks;
    for (size_t mark : FrameStarts)
        if (mark < from)
            marks.push_back(mark);
        else if (mark >= to)
            marks.push_back(mark - removed);
    FrameStarts = std::move(marks);
    // A replay walking the list by index must not go on in it.
    ++Generation;
}
