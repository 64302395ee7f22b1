#include "xbase/core/dbkeys.h"

#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{

constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

int YearLength(int y)
{
    return IsLeapYearNo(y) ? 366 : 365;
}

bool InRange(double jd)
{
    return jd > JulianDayZero && jd <= LastJulianDay;
}

int NumberOrMinus(const std::string& s)
{
    if (s.empty()) return -1;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string Two(int v)
{
    return ZeroPad(v, 2);
}

} // namespace

bool IsLeapYearNo(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DayOfYear(int y, int m, int d)
{
    if (y < 0 || m < 1 || m > 12 || d < 1) return -1;
    bool leap = IsLeapYearNo(y);
    int length = kDaysBeforeMonth[m] - kDaysBeforeMonth[m - 1] + (m == 2 && leap ? 1 : 0);
    if (d > length) return -1;
    return kDaysBeforeMonth[m - 1] + d + (leap && m > 2 ? 1 : 0);
}

int DaysBeforeYear(int y)
{
    if (y < 2) return 0;
    int p = y - 1;
    return p * 365 + p / 4 - p / 100 + p / 400;
}

void MonthDayOf(int doy, bool leap, int& month, int& day)
{
    if (leap) {
        if (doy == 60) {
            month = 2;
            day = 29;
            return;
        }
        if (doy > 60) --doy;
    }
    int m = 1;
    while (m < 12 && kDaysBeforeMonth[m] < doy)
        ++m;
    month = m;
    day = doy - kDaysBeforeMonth[m - 1];
}

double JulianOf(int y, int m, int d)
{
    // Years 1 to 9999 only: year 0 would alias year 1 and later years leave
    // the range that keys and display texts can hold.
    if (y < 1 || y > 9999) return 0.0;
    int doy = DayOfYear(y, m, d);
    if (doy < 0) return 0.0;
    return JulianDayZero + DaysBeforeYear(y) + doy;
}

bool JulianToDate(double jd, int& y, int& m, int& d)
{
    if (!InRange(jd)) return false;
    int n = static_cast<int>(std::trunc(jd) - JulianDayZero);
    // Year numbers start at 1: the first guess never overshoots, the loop
    // walks forward to the year that holds day n.
    y = n / 366 + 1;
    int r = n - DaysBeforeYear(y);
    while (r > YearLength(y)) {
        r -= YearLength(y);
        ++y;
    }
    MonthDayOf(r, IsLeapYearNo(y), m, d);
    return true;
}

double KeyToJulian(const std::string& k)
{
    std::string key = k.substr(0, 8);
    if (key == std::string(8, ' ')) return 0.0;
    key.resize(8, ' ');
    int y = NumberOrMinus(AllTrim(key.substr(0, 4)));
    int m = NumberOrMinus(AllTrim(key.substr(4, 2)));
    int d = NumberOrMinus(AllTrim(key.substr(6, 2)));
    if (y < 0 || m < 0 || d < 0) return 0.0;
    return JulianOf(y, m, d);
}

double DisplayToJulian(const std::string& s)
{
    return KeyToJulian(DisplayToKey(s));
}

std::string DisplayToKey(const std::string& s)
{
    std::string key = DateToKey(s);
    if (key == "00000000") return std::string(8, ' ');
    return key;
}

std::string JulianToKey(double jd)
{
    int y, m, d;
    if (!JulianToDate(jd, y, m, d)) return std::string(8, ' ');
    return ZeroPad(y, 4) + Two(m) + Two(d);
}

std::string JulianToDisplay(double jd)
{
    const uint8_t code = dbdates.DbDateFormat;
    int y, m, d;
    if (!JulianToDate(jd, y, m, d)) {
        std::string b(dbdates.DateCentury ? 4 : 2, ' ');
        switch (code) {
        case 1:
            return b + ".  .  ";
        case 3:
            return "  -  -" + b;
        case 4:
        case 5:
        case 6:
        case 7:
            return "  .  ." + b;
        default:
            return "  /  /" + b;
        }
    }
    std::string yy = dbdates.DateCentury ? ZeroPad(y, 4) : Two(y % 100);
    switch (code) {
    case 1:
        return yy + "." + Two(m) + "." + Two(d);
    case 2:
    case 8:
        return Two(d) + "/" + Two(m) + "/" + yy;
    case 3:
        return Two(d) + "-" + Two(m) + "-" + yy;
    case 4:
    case 5:
    case 6:
    case 7:
        return Two(d) + "." + Two(m) + "." + yy;
    default:
        return Two(m) + "/" + Two(d) + "/" + yy;
    }
}

int CompareDoubles(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::string Soundex(const std::string& source)
{
    static const char* codes = "01230120022455012623010202";
    std::string s = UpcaseAscii(source.substr(0, 100));
    std::string result = "0000";
    if (s.empty()) return result;
    auto codeOf = [](char c) { return codes[c - 'A']; };
    auto isLetter = [](char c) { return c >= 'A' && c <= 'Z'; };
    result[0] = s[0];
    std::size_t filled = 1;
    char last = isLetter(s[0]) ? codeOf(s[0]) : '0';
    for (std::size_t i = 1; i < s.size() && filled < 4; ++i) {
        char c = s[i];
        if (!isLetter(c)) continue;
        char code = codeOf(c);
        if (code != last && code != '0') result[filled++] = code;
        last = code;
    }
    return result;
}

std::string ZeroPad(long long n, int width)
{
    std::string t = std::to_string(n);
    if (static_cast<int>(t.size()) < width) t.insert(0, static_cast<std::size_t>(width) - t.size(), '0');
    return t;
}

std::string UpcaseAscii(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

bool IsUpperAscii(char c)
{
    return c >= 'A' && c <= 'Z';
}

int MemCompare(const void* a, const void* b, std::size_t n)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    for (std::size_t i = 0; i < n; ++i)
        if (pa[i] != pb[i]) return static_cast<int>(pa[i]) - static_cast<int>(pb[i]);
    return 0;
}

void ReverseBytes(void* buf, std::size_t n)
{
    auto* p = static_cast<unsigned char*>(buf);
    std::reverse(p, p + n);
}

void SwapBlocks(void* buffer, std::size_t firstLength, std::size_t secondLength)
{
    if (firstLength == 0 || secondLength == 0) return;
    auto* p = static_cast<unsigned char*>(buffer);
    ReverseBytes(p, firstLength);
    ReverseBytes(p + firstLength, secondLength);
    ReverseBytes(p, firstLength + secondLength);
}

std::size_t BufLen(const char* buf)
{
    return std::strlen(buf);
}

void BufCopy(char* dest, const char* src)
{
    std::strcpy(dest, src);
}

std::string BufToStr(const char* buf, std::size_t max)
{
    std::size_t n = 0;
    while (n < max && buf[n] != '\0')
        ++n;
    return std::string(buf, n);
}

void StrToBuf(char* buf, const std::string& s)
{
    std::memcpy(buf, s.data(), s.size());
    buf[s.size()] = '\0';
}

char* BufAt(char* buf, std::size_t offset)
{
    return buf + offset;
}

void RingAdd(TRingBlock*& head, TRingBlock* block)
{
    if (head == nullptr) {
        block->Next = block;
        block->Prev = block;
    } else {
        TRingBlock* oldest = head->Next;
        block->Prev = head;
        block->Next = oldest;
        head->Next = block;
        oldest->Prev = block;
    }
    head = block;
}

TRingBlock* RingNext(TRingBlock* head, TRingBlock* block)
{
    if (head == nullptr || block == head) return nullptr;
    if (block == nullptr) return head->Next;
    return block->Next;
}

TRingBlock* RingTakeHead(TRingBlock*& head)
{
    TRingBlock* block = head;
    if (block == nullptr) return nullptr;
    if (block->Next == block) {
        head = nullptr;
    } else {
        block->Prev->Next = block->Next;
        block->Next->Prev = block->Prev;
        head = block->Prev;
    }
    block->Next = block->Prev = nullptr;
    return block;
}

namespace
{
// The data follows the header at a pointer-aligned distance.
constexpr std::size_t kDataOffset = (sizeof(TRingBlock) + alignof(std::max_align_t) - 1) /
                                    alignof(std::max_align_t) * alignof(std::max_align_t);
} // namespace

void* RingAlloc(TRingBlock*& head, uint16_t size)
{
    if (MaxAvail() <= static_cast<int32_t>(size) + static_cast<int32_t>(RingHeaderSize)) return nullptr;
    void* raw = std::calloc(kDataOffset + size, 1);
    if (raw == nullptr) return nullptr;
    auto* block = new (raw) TRingBlock{};
    block->Size = static_cast<uint16_t>(std::min<int>(size + static_cast<int>(RingHeaderSize), 65535));
    RingAdd(head, block);
    return RingData(block);
}

void* RingData(TRingBlock* block)
{
    return reinterpret_cast<unsigned char*>(block) + kDataOffset;
}

void RingFreeAll(TRingBlock*& head)
{
    while (TRingBlock* b = RingTakeHead(head))
        std::free(b);
}
