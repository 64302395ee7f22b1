#include "xbase/core/dbstrings.h"

#include "foundation/fileutil.h"
#include "platform/sharedfile.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

TDbStrings dbstrings;

void ResetDbStrings()
{
    dbstrings = TDbStrings{};
}

namespace fs = std::filesystem;

// ---------------------------------------------------------------- strings

char CharUpper(char c)
{
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    // Windows-1252 letters: the accented small letters sit 32 above their
    // capitals, except the division sign; s, oe and z with caron and y
    // diaeresis have their capitals in the 0x80 row.
    if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return static_cast<char>(b - 32);
    switch (b) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

char CharLower(char c)
{
    auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    switch (b) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

std::string UpperStr(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        c = CharUpper(c);
    return r;
}

bool IsAlphaStr(const std::string& s)
{
    if (s.empty()) return false;
    auto b = static_cast<unsigned char>(s[0]);
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
    if (b >= 0xC0 && b != 0xD7 && b != 0xF7) return true;
    return b == 0x83 || b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C || b == 0x9E ||
           b == 0x9F || b == 0xAA || b == 0xB5 || b == 0xBA;
}

int Occurs(const std::string& sub, const std::string& s)
{
    if (sub.empty() || s.empty()) return 0;
    if (sub.size() == 1) return static_cast<int>(std::count(s.begin(), s.end(), sub[0]));
    int n = 0;
    for (std::size_t p = s.find(sub); p != std::string::npos; p = s.find(sub, p + sub.size()))
        ++n;
    return n;
}

int AtOccurrence(int n, const std::string& sub, const std::string& s)
{
    std::string ss = s;
    std::string sb = sub;
    bool reversed = n < 0;
    if (reversed) {
        std::reverse(ss.begin(), ss.end());
        std::reverse(sb.begin(), sb.end());
        n = -n;
    }
    if (ss.empty() || sb.empty() || n < 1) return 0;
    int len = static_cast<int>(ss.size());
    if (sb.size() == 1) {
        int count = 0;
        for (int i = 0; i < len; ++i) {
            if (ss[static_cast<std::size_t>(i)] == sb[0] && ++count == n)
                return reversed ? len - (i + 1) + 1 : i + 1;
        }
        return 0;
    }
    int p = 0;
    for (int k = 1; k <= n; ++k) {
        std::size_t found = ss.find(sb);
        if (found == std::string::npos) return 0;
        p = static_cast<int>(found) + 1;
        // Overwrite the first character so that the next search finds the
        // next occurrence; overlapping occurrences count.
        ss[found] = static_cast<char>(255);
    }
    return reversed ? len - p - static_cast<int>(sb.size()) + 2 : p;
}

std::string Replicate(char c, int n)
{
    return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), c);
}

std::string RTrimStr(const std::string& s)
{
    return TrimRightStr(s);
}

std::string LTrimStr(const std::string& s)
{
    return TrimLeftStr(s);
}

std::string PadRight(const std::string& s, int n)
{
    if (n < 1 || static_cast<int>(s.size()) >= n) return s;
    return s + std::string(static_cast<std::size_t>(n) - s.size(), ' ');
}

std::string IIfStr(bool cond, const std::string& a, const std::string& b)
{
    return cond ? a : b;
}

std::string IntToPadText(int32_t n, uint8_t width)
{
    std::string t = std::to_string(n);
    if (t.size() < width) t.insert(0, width - t.size(), ' ');
    return t;
}

std::string FloatToText(long double x, uint8_t width, uint8_t decimals)
{
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    std::string t = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0");
    if (t == "-0" || (t.rfind("-0.", 0) == 0 && t.find_first_not_of("0.", 1) == std::string::npos))
        t.erase(0, 1); // no negative zero in a number text
    if (decimals != 0 && dbdates.DecimalChar != '.') {
        std::size_t p = t.find('.');
        if (p != std::string::npos) t[p] = dbdates.DecimalChar;
    }
    if (t.size() < width) t.insert(0, width - t.size(), ' ');
    if (t.size() > 30) t.resize(30);
    return t;
}

int PosNoCase(const char* a, int aLen, const char* b, int bLen)
{
    if (aLen <= 0 || bLen < aLen) return 0;
    for (int i = 0; i + aLen <= bLen; ++i) {
        int k = 0;
        while (k < aLen && CharUpper(b[i + k]) == CharUpper(a[k]))
            ++k;
        if (k == aLen) return i + 1;
    }
    return 0;
}

// ---------------------------------------------------------------- numbers

namespace
{

void EraseAll(std::string& s, char c)
{
    s.erase(std::remove(s.begin(), s.end(), c), s.end());
}

void CutAt(std::string& s, std::size_t p)
{
    if (p != std::string::npos && p < s.size()) s.resize(p);
}

} // namespace

// Departs from reading the number in the national style alone (a ","
// desktop dropping every "." as a thousands mark, a "." one every ","): the
// rest of the program takes "." and "," alike as the decimal mark, and a
// table must get the same number from "0.3" and "0,3" on every desktop.
// When both marks occur, the last one is the decimal mark and the other
// marks thousands ("1.234,5" and "1,234.5" are both 1234.5); otherwise the
// first of them is the decimal mark.
void NormalizeNumberText(std::string& s)
{
    if (s.empty()) return;
    EraseAll(s, '$');
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '+'))
        ++i;
    s.erase(0, i);
    if (!s.empty() && s[0] == '-') {
        i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '+' || s[i] == '-'))
            ++i;
        s.erase(0, i);
        if (s.empty()) return;
        if (s[0] == '.' || s[0] == ',') s.insert(s.begin(), '0');
        s.insert(s.begin(), '-');
    }
    const std::size_t dot = s.rfind('.');
    const std::size_t comma = s.rfind(',');
    if (dot != std::string::npos && comma != std::string::npos) EraseAll(s, comma > dot ? '.' : ',');
    if (comma != std::string::npos && (dot == std::string::npos || comma > dot)) s[s.find(',')] = '.';
    if (!s.empty() && s[0] == '.') s.insert(s.begin(), '0');
    CutAt(s, s.find(' '));
    for (std::size_t k = 0; k < s.size(); ++k) {
        char c = s[k];
        bool ok = (c >= '0' && c <= '9') || c == '.' || (c == '-' && k == 0);
        if (!ok) {
            s.resize(k);
            break;
        }
    }
    if (!s.empty() && s.back() == '.') s.pop_back();
}

double NumTextToFloat(const std::string& s)
{
    std::string t = s;
    NormalizeNumberText(t);
    if (t.empty()) return 0.0;
    double v = 0.0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    return res.ec == std::errc() ? v : 0.0;
}

int32_t TextToInteger(const std::string& s)
{
    std::string t = s;
    NormalizeNumberText(t);
    CutAt(t, t.find('.'));
    if (t.empty() || t == "-") return 0;
    long long v = 0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (res.ec == std::errc::result_out_of_range) return t[0] == '-' ? INT32_MIN : INT32_MAX;
    if (res.ec != std::errc()) return 0;
    return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

std::string PlainNumberText(double x, std::size_t width)
{
    const std::string stars(std::max<std::size_t>(width, 1), '*');
    if (!std::isfinite(x)) return stars;
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    std::string t(buf, res.ptr);
    if (t.size() > width) {
        const std::size_t point = t.find('.');
        if (point == std::string::npos || point > width) return stars;
        const int decimals = point + 1 < width ? static_cast<int>(width - point - 1) : 0;
        res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
        t.assign(buf, res.ptr);
        if (t.size() > width) return stars;
    }
    if (t.rfind("-0", 0) == 0 && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    return t;
}

namespace
{

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

double NumberFieldValue(std::string_view t)
{
    while (!t.empty() && IsBlankOrControl(t.back()))
        t.remove_suffix(1);
    while (!t.empty() && IsBlankOrControl(t.front()))
        t.remove_prefix(1);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    double v = 0.0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    // A number another program stored with a decimal comma is read as the
    // program reads every number text, not as the digits before the comma.
    if (res.ptr != t.data() + t.size() &&
        (*res.ptr == ',' || (res.ec != std::errc() && t.find(',') != std::string_view::npos))) {
        v = NumTextToFloat(std::string(t));
        return std::isfinite(v) ? v : 0.0;
    }
    if (res.ec != std::errc() || !std::isfinite(v)) return 0.0;
    return v;
}

int16_t TextToShortInt(const std::string& s)
{
    if (s.empty()) return 0;
    std::string t = TrimLeftStr(s);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    t = TrimLeftStr(t);
    EraseAll(t, dbdates.DecimalChar != '.' ? '.' : ',');
    if (std::size_t p = t.find('$'); p != std::string::npos) t.erase(p, 1);
    CutAt(t, t.find(' '));
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (!((t[k] >= '0' && t[k] <= '9') || t[k] == '-')) {
            t.resize(k);
            break;
        }
    }
    if (t.empty()) return 0;
    long long v = 0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (res.ec == std::errc::result_out_of_range)
        v = t[0] == '-' ? LLONG_MIN : LLONG_MAX;
    else if (res.ec != std::errc())
        return 0;
    return static_cast<int16_t>(std::clamp<long long>(v, -32768, 32767));
}

bool RemoveKeyword(const std::string& word, std::string& s)
{
    s = UpperStr(s);
    std::string w = UpperStr(word);
    if (w.empty()) {
        s = AllTrim(s);
        return false;
    }
    bool removed = false;
    int k = 1;
    for (;;) {
        int p = AtOccurrence(k, w, s);
        if (p == 0) break;
        std::size_t after = static_cast<std::size_t>(p - 1) + w.size();
        bool partOfWord = false;
        if (after < s.size()) {
            char c = s[after];
            partOfWord = (c >= '0' && c <= '9') || c == '\\' || c == '_' || IsAlphaStr(std::string(1, c));
        }
        if (partOfWord) {
            ++k;
        } else {
            s.erase(static_cast<std::size_t>(p - 1), w.size());
            removed = true;
        }
    }
    s = AllTrim(s);
    return removed;
}

// ---------------------------------------------------------------- file names

namespace
{

std::string Slashes(const std::string& path)
{
    std::string r = path;
    std::replace(r.begin(), r.end(), '\\', '/');
    return r;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (CharUpper(a[i]) != CharUpper(b[i])) return false;
    return true;
}

uint32_t PackDosTime(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    int year = std::max(local.tm_year + 1900 - 1980, 0);
    uint32_t date = static_cast<uint32_t>((year << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    uint32_t time = static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return (date << 16) | time;
}

} // namespace

std::size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("/\\");
}

void FSplit(const std::string& path, std::string& dir, std::string& name, std::string& ext)
{
    std::size_t sep = LastSeparator(path);
    dir = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
    std::string rest = sep == std::string::npos ? path : path.substr(sep + 1);
    std::size_t dot = rest.rfind('.');
    if (dot == std::string::npos) {
        name = rest;
        ext.clear();
    } else {
        name = rest.substr(0, dot);
        ext = rest.substr(dot);
    }
    if (name.size() > 64) name.resize(64);
    if (ext.size() > 64) ext.resize(64);
}

namespace
{

// An absolute path with no empty, "." or ".." component and no trailing
// separator: already in the form that expanding gives.
bool IsPlainAbsolute(const std::string& p)
{
    if (p.empty() || p[0] != '/' || p.back() == '/') return false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] != '/') continue;
        std::size_t e = i + 1;
        while (e < p.size() && p[e] == '.')
            ++e;
        // "//", "/." and "/.." make the component empty or a dot name.
        if (e - i - 1 <= 2 && (e == p.size() || p[e] == '/')) return false;
    }
    return true;
}

} // namespace

std::string FExpand(const std::string& path)
{
    std::string p = Slashes(path);
    if (IsPlainAbsolute(p)) return p;
    std::error_code ec;
    fs::path full = fs::absolute(fs::path(p.empty() ? "." : p), ec);
    if (ec) return p;
    return full.lexically_normal().string();
}

std::string StripExtension(const std::string& path)
{
    std::string dir, name, ext;
    FSplit(path, dir, name, ext);
    return path.substr(0, path.size() - ext.size());
}

std::string DefaultExtension(const std::string& path, const std::string& ext)
{
    // A name with an extension stays as it is.
    const std::size_t sep = LastSeparator(path);
    if (path.find('.', sep == std::string::npos ? 0 : sep + 1) != std::string::npos) return path;
    std::string dir, name, e;
    FSplit(path, dir, name, e);
    return dir + RTrimStr(name) + "." + ext;
}

std::string ForceExtension(const std::string& path, const std::string& ext)
{
    return StripExtension(path) + "." + ext;
}

std::string ResolveFileName(const std::string& path)
{
    std::string p = Slashes(path);
    struct stat st {
    };
    if (p.empty() || ::stat(p.c_str(), &st) == 0) return p;
    std::error_code ec;
    // Walk the components; each one that does not exist as written is
    // looked up in its directory ignoring case.
    fs::path in(p);
    fs::path out = in.has_root_path() ? in.root_path() : fs::path();
    for (const auto& part : in.relative_path()) {
        fs::path candidate = out / part;
        if (!fs::exists(candidate, ec)) {
            fs::path dir = out.empty() ? fs::path(".") : out;
            bool found = false;
            for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
                std::string entry = it->path().filename().string();
                if (EqualNoCase(entry, part.string())) {
                    candidate = out / entry;
                    found = true;
                    break;
                }
            }
            if (!found) return p;
        }
        out = candidate;
    }
    return out.string();
}

std::string ShortPath(const std::string& path)
{
    // This file system keeps no short names: the long name is the short one.
    return ResolveFileName(path);
}

bool FileExistsStr(const std::string& name)
{
    std::error_code ec;
    std::string r = ResolveFileName(name);
    return fs::is_regular_file(r, ec);
}

int32_t FindFirstFile(const std::string& mask, uint8_t attributes, TSearchRec& rec)
{
    rec = TSearchRec{};
    std::string m = Slashes(mask);
    std::size_t sep = m.rfind('/');
    std::string dir = sep == std::string::npos ? std::string() : m.substr(0, sep + 1);
    std::string pattern = sep == std::string::npos ? m : m.substr(sep + 1);
    std::string realDir = dir.empty() ? std::string() : ResolveFileName(dir);
    if (!realDir.empty() && realDir.back() != '/') realDir += '/';
    rec.Dir = realDir;
    std::error_code ec;
    fs::directory_iterator it(realDir.empty() ? "." : realDir, ec);
    if (ec) return dbstrings.DosError = 3;
    std::vector<std::string> names;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        if (!it->is_regular_file(ec)) continue;
        std::string n = it->path().filename().string();
        // DOS masks: "*.*" matches names without a dot too.
        std::string pat = pattern == "*.*" ? "*" : pattern;
        if (MatchesFileMask(pat, n)) names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    rec.Pending.assign(names.rbegin(), names.rend());
    (void)attributes;
    return FindNextFile(rec);
}

int32_t FindNextFile(TSearchRec& rec)
{
    if (rec.Pending.empty()) return dbstrings.DosError = 18;
    rec.Name = rec.Pending.back();
    rec.Pending.pop_back();
    struct stat st {
    };
    if (::stat((rec.Dir + rec.Name).c_str(), &st) == 0) {
        rec.Size = st.st_size;
        rec.Time = PackDosTime(st.st_mtime);
    }
    rec.Attr = 32;
    return dbstrings.DosError = 0;
}

void FindCloseFile(TSearchRec& rec)
{
    rec.Pending.clear();
}

void GetFileDate(int fd, uint32_t& t)
{
    struct stat st {
    };
    if (fstat(fd, &st) != 0) {
        t = 0;
        dbstrings.DosError = platform::DosErrorOf(errno);
        return;
    }
    t = PackDosTime(st.st_mtime);
    dbstrings.DosError = 0;
}

bool FileDatedToday(const std::string& name)
{
    if (!FileExistsStr(name)) return false;
    std::string real = ResolveFileName(name);
    platform::TSharedFile f;
    uint16_t code = f.Open(real, true, platform::TFileShare::DenyNone);
    if (code == 5 || code == 32) code = f.Open(real, false, platform::TFileShare::DenyNone);
    if (code != 0) return false;
    uint32_t t = 0;
    GetFileDate(f.Fd(), t);
    f.Close();
    if (dbstrings.DosError != 0) return false;
    TUnpackedTime r;
    UnpackFileTime(t, r);
    uint16_t y, m, d, w;
    GetDate(y, m, d, w);
    return r.Year == y && r.Month == m && r.Day == d;
}

uint16_t EraseFile(const std::string& name)
{
    std::string real = ResolveFileName(name);
    platform::TSharedFile f;
    // Opened not shared: a file that someone holds open is not erased.
    uint16_t code = f.Open(real, true, platform::TFileShare::DenyWrite);
    if (code == 5) code = f.Open(real, false, platform::TFileShare::DenyWrite);
    if (code != 0) return code;
    f.Close();
    if (::unlink(real.c_str()) != 0) return platform::DosErrorOf(errno);
    return 0;
}

void EraseFiles(const std::string& mask)
{
    dberror.DbErrorCode = 0;
    if (mask.find_first_of("*?") == std::string::npos) {
        uint16_t code = EraseFile(mask);
        if (code != 0) SetError(code, "Error erasing " + mask);
        return;
    }
    TSearchRec rec;
    dberror.DbErrorCode = static_cast<uint16_t>(FindFirstFile(FExpand(mask), 32, rec));
    int failed = 0;
    while (dbstrings.DosError == 0) {
        if (EraseFile(rec.Dir + rec.Name) != 0) ++failed;
        FindNextFile(rec);
    }
    FindCloseFile(rec);
    if (failed > 0) SetError(5, "Could not erase " + std::to_string(failed) + " files like " + mask);
}

long double DiskFreeKB(const std::string& path)
{
    std::string p = AllTrim(path);
    if (p.empty()) p = ".";
    std::error_code ec;
    fs::space_info info = fs::space(ResolveFileName(p), ec);
    if (ec) return 2147483647.0L;
    return static_cast<long double>(info.available) / 1024.0L;
}

long double DiskFreeKBOfDrive(uint8_t drive)
{
    // No drive letters here: every drive number names the file system of the
    // current directory.
    (void)drive;
    return DiskFreeKB("");
}

std::string TempDirectory()
{
    return SystemTempDir();
}

std::string UniqueFilename()
{
    std::string dir = TempDirectory();
    if (dir.size() > 256) {
        SetError(3, "Error requesting unique file name [UniqueFilename]");
        return "";
    }
    std::string templ = dir + (dir.back() == '/' ? "" : "/") + "TZPXXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        SetError(platform::DosErrorOf(errno), "Error requesting unique file name [UniqueFilename]");
        return "";
    }
    ::close(fd);
    return std::string(buf.data());
}
