#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <vector>

namespace platform
{

namespace
{

// Unicode of the bytes 0x80..0x9F in Windows-1252 (0xA0..0xFF equal Latin-1).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252ToCodePoint(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0) return kCp1252High[b - 0x80];
    return b;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the code points of a UTF-8 text; a malformed sequence (bad lead
// byte, missing continuation, overlong form, surrogate, beyond U+10FFFF)
// yields kInvalid for its first byte and decoding goes on after it.
std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> cps;
    cps.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        int more = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b < 0x80) {
            cps.push_back(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            more = 1;
            cp = b & 0x1F;
            min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2;
            cp = b & 0x0F;
            min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3;
            cp = b & 0x07;
            min = 0x10000;
        } else {
            cps.push_back(kInvalid);
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(more) < text.size();
        for (int k = 1; ok && k <= more; ++k) {
            auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (c & 0x3F);
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            cps.push_back(kInvalid);
            ++i;
            continue;
        }
        cps.push_back(cp);
        i += static_cast<std::size_t>(more) + 1;
    }
    return cps;
}

template <class ToCodePoint> std::string ToUtf8(std::string_view text, ToCodePoint toCodePoint)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text)
        AppendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
    return out;
}

template <class ToCodePoint>
std::string FromUtf8(std::string_view text, char replacement, ToCodePoint toCodePoint)
{
    // A linear search of the 128 upper bytes is enough for dialog answers and
    // clipboard lines.
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : DecodeUtf8(text)) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        char byte = replacement;
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (toCodePoint(static_cast<unsigned char>(b)) == cp) {
                byte = static_cast<char>(b);
                break;
            }
        }
        out += byte;
    }
    return out;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text)
{
    return ToUtf8(text, Cp1252ToCodePoint);
}

std::string Utf8ToCp1252(std::string_view text, char replacement)
{
    return FromUtf8(text, replacement, Cp1252ToCodePoint);
}

std::size_t Utf8CharLength(std::string_view text)
{
    if (text.empty()) return 0;
    // A well-formed character has no overlong form: its code point tells
    // its length.
    const char32_t cp = DecodeUtf8(text.substr(0, 4)).front();
    if (cp == kInvalid) return 0;
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

std::string LocaleTextToUtf8(const std::string& text)
{
    const char* codeset = ::nl_langinfo(CODESET);
    if (codeset == nullptr || std::strcmp(codeset, "UTF-8") == 0 ||
        std::strcmp(codeset, "ANSI_X3.4-1968") == 0 ||
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text;
    return IconvToUtf8(text, codeset, "?").value_or(text);
}

std::optional<std::string> IconvToUtf8(const std::string& text, const char* from,
                                       std::string_view replacement)
{
    iconv_t cd = ::iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::vector<char> buffer(text.size() * 4 + 16);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        const std::size_t done = ::iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer.data(), dst);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: one byte is skipped.
            out += replacement;
            ++in;
            --inLeft;
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    ::iconv_close(cd);
    return out;
}

} // namespace platform
