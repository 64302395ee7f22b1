#include "xbase/core/dbdates.h"

#include "xbase/core/dberror.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <ctime>

TDbDates dbdates;

namespace
{

int CurrentYear()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// A date text ends at its first NUL and is at most 10 characters long.
std::string Clip(const std::string& s)
{
    std::string t = s.substr(0, s.find('\0'));
    if (t.size() > 10) t.resize(10);
    return t;
}

struct TPieces {
    std::string p[3];
    bool allEmpty = true;
};

TPieces Split(const std::string& text, char sep)
{
    TPieces r;
    std::string s = text.substr(0, text.find('\0'));
    std::size_t a = s.find(sep);
    std::string raw[3];
    if (a == std::string::npos) {
        raw[0] = s;
    } else {
        raw[0] = s.substr(0, a);
        std::size_t b = s.find(sep, a + 1);
        if (b == std::string::npos) {
            raw[1] = s.substr(a + 1);
        } else {
            raw[1] = s.substr(a + 1, b - a - 1);
            raw[2] = s.substr(b + 1);
        }
    }
    for (int i = 0; i < 3; ++i) {
        std::string piece = AllTrim(raw[i]);
        if (!piece.empty()) r.allEmpty = false;
        if (piece.size() > 4) piece.resize(4);
        while (piece.size() < 2)
            piece.insert(piece.begin(), '0');
        r.p[i] = piece;
    }
    return r;
}

bool ParseNumber(const std::string& s, int& value)
{
    if (s.empty()) return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

int NumberOr0(const std::string& s)
{
    int v = 0;
    return ParseNumber(s, v) ? v : 0;
}

// Cyrillic names are stored as code page 866 bytes; they are written here in
// UTF-8 and converted once.
std::string Utf8CyrillicTo866(const char* utf8)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p++);
            continue;
        }
        unsigned cp = ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        p += 2;
        unsigned char b = '?';
        if (cp >= 0x410 && cp <= 0x42F)
            b = static_cast<unsigned char>(0x80 + (cp - 0x410));
        else if (cp >= 0x430 && cp <= 0x43F)
            b = static_cast<unsigned char>(0xA0 + (cp - 0x430));
        else if (cp >= 0x440 && cp <= 0x44F)
            b = static_cast<unsigned char>(0xE0 + (cp - 0x440));
        out += static_cast<char>(b);
    }
    return out;
}

struct TLanguageNames {
    std::size_t dayWidth;
    std::array<std::string, 7> days;
    std::size_t monthWidth;
    std::array<std::string, 12> months;
};

std::string PadTo(const std::string& s, std::size_t width)
{
    std::string r = s.substr(0, width);
    r.resize(width, ' ');
    return r;
}

const TLanguageNames& NamesOf(uint8_t code)
{
    static const TLanguageNames english{
        9,
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        9,
        {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
         "November", "December"}};
    static const TLanguageNames italian{
        9,
        {"Domenica", "Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato"},
        9,
        {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto", "Settembre",
         "Ottobre", "Novembre", "Dicembre"}};
    // French and German names in code page 437: e acute 0x82, u circumflex
    // 0x96, a umlaut 0x84.
    static const TLanguageNames french{
        8,
        {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"},
        9,
        {"Janvier", "F\x82vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao\x96t", "Septembre",
         "Octobre", "Novembre",
         "D\x82"
         "cembre"}};
    static const TLanguageNames german{
        10,
        {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
        9,
        {"Januar", "Februar", "M\x84rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
         "November", "Dezember"}};
    static const TLanguageNames spanish{
        9,
        {"Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"},
        10,
        {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre", "Octubre",
         "Noviembre", "Diciembre"}};
    static const TLanguageNames russian{
        11,
        {Utf8CyrillicTo866("Воскресенье"), Utf8CyrillicTo866("Понедельник"), Utf8CyrillicTo866("Вторник"),
         Utf8CyrillicTo866("Среда"), Utf8CyrillicTo866("Четверг"), Utf8CyrillicTo866("Пятница"),
         Utf8CyrillicTo866("Суббота")},
        8,
        {Utf8CyrillicTo866("Январь"), Utf8CyrillicTo866("Февраль"), Utf8CyrillicTo866("Март"),
         Utf8CyrillicTo866("Апрель"), Utf8CyrillicTo866("Май"), Utf8CyrillicTo866("Июнь"),
         Utf8CyrillicTo866("Июль"), Utf8CyrillicTo866("Август"), Utf8CyrillicTo866("Сентябрь"),
         Utf8CyrillicTo866("Октябрь"), Utf8CyrillicTo866("Ноябрь"), Utf8CyrillicTo866("Декабрь")}};
    switch (code) {
    case 3:
        return italian;
    case 4:
    case 7:
        return french;
    case 5:
        return german;
    case 6:
        return spanish;
    case 8:
        return russian;
    default:
        return english;
    }
}

} // namespace

void ResetDbDates()
{
    dbdates = TDbDates{};
    dbdates.EpochYear = static_cast<uint16_t>(CurrentYear() - 70);
}

uint8_t DateFormatOfLocaleName(const std::string& locale)
{
    std::string lang = locale.substr(0, 2);
    std::string region = locale.size() >= 5 && locale[2] == '_' ? locale.substr(3, 2) : "";
    if (lang == "de") return 5;
    if (lang == "en") return region == "US" ? 0 : 2;
    if (lang == "es") return 6;
    if (lang == "fr") return region == "CA" ? 7 : 4;
    if (lang == "it") return 3;
    if (lang == "ru") return 8;
    return 0;
}

uint8_t DefaultDateFormat()
{
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') return DateFormatOfLocaleName(v);
    }
    return 0;
}

// Departs from taking the decimal and thousands characters from the
// language as well: the library writes every number with "." whatever the
// desktop (the number texts it hands out are read back by other programs,
// by the text import on another desktop and by the build's table tool, and
// the grid shows a number as the table stores it), and its readers take "."
// and "," alike. The language sets the date layout only.
void InitNationalSettings()
{
    dbdates.DbDateFormat = DefaultDateFormat();
    dbdates.DecimalChar = '.';
    dbdates.ThousandsChar = ',';
}

void SetDateFormat(uint8_t code)
{
    if (code >= 9) code = 0;
    dbdates.DbDateFormat = code;
    std::string year = dbdates.DateCentury ? "yyyy" : "yy";
    switch (code) {
    case 0:
        dbdates.ShortDateFormat = "MM/dd/" + year;
        dbdates.DateSeparator = '/';
        break;
    case 1:
        dbdates.ShortDateFormat = year + ".MM.dd";
        dbdates.DateSeparator = '.';
        break;
    case 2:
        dbdates.ShortDateFormat = "dd/MM/" + year;
        dbdates.DateSeparator = '/';
        break;
    case 3:
        dbdates.ShortDateFormat = "dd-MM-" + year;
        dbdates.DateSeparator = '-';
        break;
    default:
        dbdates.ShortDateFormat = "dd.MM." + year;
        dbdates.DateSeparator = '.';
        break;
    }
}

uint16_t CenturyOf(const std::string& yy)
{
    int e = dbdates.EpochYear;
    int y = NumberOr0(AllTrim(yy));
    int base = e / 100 * 100;
    return static_cast<uint16_t>(e % 100 > y ? base + 100 : base);
}

std::string CenturyText(const std::string& yy)
{
    return std::to_string(CenturyOf(yy)).substr(0, 2);
}

std::string ExpandYear(const std::string& y)
{
    if (!dbdates.DateCentury) return y;
    std::string r = y;
    if (r.size() == 2) r = CenturyText(r) + r;
    while (r.size() < 4)
        r.insert(r.begin(), '0');
    return r;
}

std::string EmptyDateText(uint8_t code)
{
    std::string b(dbdates.DateCentury ? 4 : 2, ' ');
    if (code == 1) return b + ".  .  ";
    if (code == 3) return "  -  -" + b;
    if (code >= 4 && code <= 8) return "  .  ." + b;
    return "  /  /" + b;
}

void DateToDisplay(std::string& s)
{
    TPieces p = Split(Clip(s), '/');
    if (p.allEmpty) {
        s = EmptyDateText(dbdates.DbDateFormat);
        return;
    }
    const std::string& m = p.p[0];
    const std::string& d = p.p[1];
    std::string y = ExpandYear(p.p[2]);
    std::string r;
    switch (dbdates.DbDateFormat) {
    case 1:
        r = y + "." + m + "." + d;
        break;
    case 2:
        r = d + "/" + m + "/" + y;
        break;
    case 3:
        r = d + "-" + m + "-" + y;
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        r = d + "." + m + "." + y;
        break;
    default:
        r = m + "/" + d + "/" + y;
        break;
    }
    s = r.substr(0, 10);
}

void DateFromDisplay(std::string& s)
{
    std::string t = Clip(s);
    char sep;
    if (t.find('/') != std::string::npos)
        sep = '/';
    else if (t.find('-') != std::string::npos)
        sep = '-';
    else if (t.find('.') != std::string::npos)
        sep = '.';
    else
        return;
    TPieces p = Split(t, sep);
    if (p.allEmpty) {
        s = EmptyDateText(0);
        return;
    }
    switch (dbdates.DbDateFormat) {
    case 0:
        s = p.p[0] + "/" + p.p[1] + "/" + ExpandYear(p.p[2]);
        break;
    case 1:
        s = p.p[1] + "/" + p.p[2] + "/" + ExpandYear(p.p[0]);
        break;
    default:
        s = p.p[1] + "/" + p.p[0] + "/" + ExpandYear(p.p[2]);
        break;
    }
}

bool ValidDate(std::string& s)
{
    std::string t = AllTrim(Clip(s));
    DateFromDisplay(t);
    if (t != EmptyDateText(0)) {
        if ((t.size() != 8 && t.size() != 10) || t[2] != '/' || t[5] != '/') return false;
        int year = 0, month = 0, day = 0;
        if (!ParseNumber(t.substr(6), year) || !ParseNumber(t.substr(0, 2), month) ||
            !ParseNumber(t.substr(3, 2), day))
            return false;
        if (month < 1 || month > 12 || day < 1 || day > 31 || (month == 2 && day > 29)) return false;
        if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) return false;
        if (t.size() == 8) year += CenturyOf(t.substr(6, 2));
        if (!IsLeapYear(year) && month == 2 && day == 29) return false;
        if (t.size() == 10 && !dbdates.DateCentury) t.erase(6, 2);
    }
    if (dbdates.DbDateFormat != 0) DateToDisplay(t);
    s = t;
    return true;
}

bool IsLeapYear(int y)
{
    return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0);
}

namespace
{

// Year of an internal date text: four digits, or two with the window's century.
int InternalYear(const std::string& t)
{
    if (t.size() <= 8)
        return NumberOr0(t.size() > 6 ? t.substr(6) : "") + CenturyOf(t.size() > 6 ? t.substr(6, 2) : "");
    return NumberOr0(t.substr(6, 4));
}

bool IsEmptyInternal(const std::string& t)
{
    return AllTrim(t) == "/  /" || AllTrim(t).empty();
}

} // namespace

int DayOfWeekNo(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    int m = NumberOr0(t.substr(0, 2));
    int d = t.size() >= 5 ? NumberOr0(t.substr(3, 2)) : 0;
    int year = InternalYear(t);
    int c = year / 100;
    int y = year % 100;
    if (m < 3) {
        m += 12;
        y -= 1;
        if (y < 0) {
            y = 99;
            c -= 1;
        }
    }
    int h = FloorMod(d + (m + 1) * 26 / 10 + y + y / 4 + c / 4 - 2 * c, 7);
    return h == 0 ? 7 : h;
}

std::string DayName(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    if (IsEmptyInternal(t)) return std::string(10, ' ');
    const auto& names = NamesOf(dbdates.DbDateFormat);
    return PadTo(names.days[static_cast<std::size_t>(DayOfWeekNo(s) - 1)], names.dayWidth);
}

std::string MonthName(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    if (IsEmptyInternal(t)) return std::string(9, ' ');
    int m = NumberOr0(t.substr(0, 2));
    if (m < 1 || m > 12) return std::string(9, ' ');
    const auto& names = NamesOf(dbdates.DbDateFormat);
    return PadTo(names.months[static_cast<std::size_t>(m - 1)], names.monthWidth);
}

int MonthOf(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    return NumberOr0(t.substr(0, 2));
}

int DayOf(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    return t.size() >= 5 ? NumberOr0(t.substr(3, 2)) : 0;
}

int YearOf(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    return t.size() > 6 ? NumberOr0(t.substr(6)) : 0;
}

std::string DateToKey(const std::string& s)
{
    std::string t = s;
    DateFromDisplay(t);
    if (IsEmptyInternal(t)) return std::string(8, ' ');
    std::string year = t.size() > 6 ? t.substr(6, 4) : "";
    if (year.size() < 4) year = CenturyText(year) + year;
    return year + t.substr(0, 2) + (t.size() >= 5 ? t.substr(3, 2) : "00");
}

std::string KeyToDate(const std::string& k)
{
    std::string key = k;
    key.resize(8, ' ');
    std::string s = key.substr(4, 2) + "/" + key.substr(6, 2) + "/" +
                    (dbdates.DateCentury ? key.substr(0, 4) : key.substr(2, 2));
    DateToDisplay(s);
    return s;
}

int FloorMod(int a, int b)
{
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return a - q * b;
}

void GetDate(uint16_t& year, uint16_t& month, uint16_t& day, uint16_t& dayOfWeek)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = static_cast<uint16_t>(local.tm_year + 1900);
    month = static_cast<uint16_t>(local.tm_mon + 1);
    day = static_cast<uint16_t>(local.tm_mday);
    dayOfWeek = static_cast<uint16_t>(local.tm_wday + 1);
}

void UnpackFileTime(uint32_t t, TUnpackedTime& r)
{
    uint32_t date = t >> 16;
    uint32_t time = t & 0xFFFFu;
    r.Year = static_cast<uint16_t>((date >> 9) + 1980);
    r.Month = static_cast<uint16_t>((date >> 5) & 0x0F);
    r.Day = static_cast<uint16_t>(date & 0x1F);
    r.Hour = static_cast<uint16_t>(time >> 11);
    r.Minute = static_cast<uint16_t>((time >> 5) & 0x3F);
    r.Second = static_cast<uint16_t>((time & 0x1F) * 2);
}

uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t TickSeconds()
{
    return TickCount() / 1000;
}
