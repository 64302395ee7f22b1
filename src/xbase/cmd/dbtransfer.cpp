// Append from another table, delimited text import and export.
#include "xbase/cmd/dbtransfer.h"

#include "foundation/codepage.h"
#include "foundation/signalcleanup.h"
#include "foundation/textfile.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/ui/messagewindows.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

TDbTransfer dbtransfer;

void ResetDbTransfer()
{
    dbtransfer = TDbTransfer{};
}

namespace
{

constexpr uint8_t SourceArea = 35;

// A field value of the source record, read while the source is selected.
struct TSourceValue {
    char Type = 'C';
    uint8_t Decimals = 0;
    std::string Text;  // C, D (display text)
    std::string Key;   // D: the stored YYYYMMDD
    double Number = 0; // N, F
    bool Logical = false;
    int32_t Memo = 0;
    uint8_t Area = 0;   // work area of the source table (its memo file)
    bool Blank = false; // N, F, C: the source holds no value (blanks only)
};

bool IsDigits(const std::string& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The display text of a stored YYYYMMDD key with all four year digits. The
// native record shows two-digit years unless DateCentury is set, and the
// window would put a year outside it into the wrong century when the text
// is written back (1850 would come back as 2050).
std::string FullDisplayOfKey(const std::string& key)
{
    const bool century = dbdates.DateCentury;
    dbdates.DateCentury = true;
    std::string display = KeyToDate(key);
    dbdates.DateCentury = century;
    return display;
}

// The stored key of field f of the current record of an area.
std::string StoredKey(const TWorkArea& area, const TDbfField& f)
{
    if (area.RecordBuffer.size() < static_cast<std::size_t>(f.Offset) + f.Length) return std::string(8, ' ');
    return area.RecordBuffer.substr(f.Offset, 8);
}

// Number field n (from 1) of the selected area's new record is written blank:
// a source that holds no number gives none, where a 0 would read as a value
// somebody entered.
void KeepNumberBlank(int n)
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || n < 1 || n > a->FieldCount) return;
    const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
    if (f.Type != 'N' && f.Type != 'F') return;
    a->RecordBuffer.resize(a->RecordLength, ' ');
    a->RecordBuffer.replace(f.Offset, f.Length, f.Length, ' ');
    SetNativeDouble(n, 0);
    MarkNumberBlank(*a, n, true);
}

std::string Stars(std::size_t n)
{
    return std::string(n, '*');
}

// The number as a C field of `length` shows it with the source's decimals.
std::string NumberForText(double x, uint8_t length, uint8_t decimals)
{
    const std::string text = FloatToText(x, length, decimals);
    return text.size() > length ? Stars(length) : text;
}

// A display date in a C field that is too short for it loses the century
// digits first.
std::string DateForText(std::string display, uint8_t length)
{
    if (display.size() > length && display.size() == 10) {
        const std::size_t at = dbdates.DbDateFormat == 1 ? 0 : 6;
        display.erase(at, 2);
    }
    return display.substr(0, length);
}

void ConvertField(int target, const TDbfField& t, const TSourceValue& s)
{
    const char tt = t.Type == 'F' ? 'N' : t.Type;
    const char st = s.Type == 'F' ? 'N' : s.Type;
    switch (tt) {
    case 'C':
        if (st == 'C')
            SetNativeText(target, s.Text.substr(0, t.Length));
        else if (st == 'N' && !s.Blank)
            SetNativeText(target, NumberForText(s.Number, t.Length, s.Decimals));
        else if (st == 'L')
            SetNativeText(target, s.Logical ? "T" : "F");
        else if (st == 'D')
            SetNativeText(target, DateForText(s.Text, t.Length));
        return;
    case 'N':
        if (st == 'C')
            SetNativeDouble(target, t.Decimals > 0 ? NumTextToFloat(s.Text)
                                                   : static_cast<double>(TextToInteger(s.Text)));
        else if (st == 'N')
            SetNativeDouble(target, s.Number);
        return;
    case 'L':
        SetNativeBool(target, st == 'L' && s.Logical);
        return;
    case 'D':
        if (st == 'D') {
            SetNativeText(target, AllTrim(s.Key).empty() ? std::string() : FullDisplayOfKey(s.Key));
        } else if (st == 'C') {
            std::string date = AllTrim(s.Text);
            if (ValidDate(date)) SetNativeText(target, date);
        }
        return;
    case 'M':
        if (st == 'M' && s.Memo != 0 && dbhooks.MemoHooks.CopyMemoByBlock)
            SetNativeInt(target, dbhooks.MemoHooks.CopyMemoByBlock(s.Area, s.Memo));
        else if (st == 'C' && dbhooks.MemoHooks.AddMemo)
            SetNativeInt(target, dbhooks.MemoHooks.AddMemo(RTrimStr(s.Text)));
        return;
    default:
        return;
    }
}

std::string Upper(const std::string& s)
{
    return UpperStr(s);
}

void SelectArea(uint8_t n)
{
    dbcmd.CurrentArea = n;
}

} // namespace

uint16_t AppendFrom(const std::string& source, const std::function<bool()>& keepGoing)
{
    const std::string tag = " [AppendFrom(" + source + ")]";
    dberror.DbErrorCode = 0;
    TWorkArea* target = SelectedArea();
    if (!target) {
        SetError(215, tag);
        return 215;
    }
    const uint8_t targetNo = dbcmd.CurrentArea;

    std::string name = source;
    bool isVirtual = false;
    for (const char* word : {"VIRTUAL FILE", "LINKED LIST", "VIRTUAL", "LINKED"}) {
        std::string upper = Upper(name);
        const std::string key = std::string(" ") + word;
        const std::size_t p = upper.rfind(key);
        if (p != std::string::npos && p + key.size() == AllTrim(upper).size()) {
            name.erase(p, key.size());
            isVirtual = true;
        }
    }
    name = AllTrim(name);
    if (!isVirtual) name = DefaultExtension(FExpand(name), "DBF");

    // Is the source open already?
    uint8_t sourceNo = 0;
    for (uint8_t i = 1; i <= 35; ++i) {
        const TWorkArea* a = dbcmd.WorkAreas[i].get();
        if (!a) continue;
        const bool same = isVirtual ? (Upper(a->AliasName) == Upper(name) || Upper(a->Name) == Upper(name))
                                    : Upper(a->Name) == Upper(name);
        if (same) {
            sourceNo = i;
            break;
        }
    }
    if (isVirtual && sourceNo == 0) {
        SetError(215, "Virtual file must be open." + tag);
        return 215;
    }
    if (sourceNo == 0 && !FileExistsStr(ResolveFileName(name))) {
        SetError(2, tag);
        return 2;
    }
    if (sourceNo == targetNo) {
        SetError(214, "Attempting to append file to itself." + tag);
        return 214;
    }
    if (target->HasMemo && !(dbhooks.MemoHooks.AddMemo && dbhooks.MemoHooks.CopyMemoByBlock)) {
        SetError(220, "Memo unit MEMO.TPU not linked into program." + tag);
        return 220;
    }

    bool openedHere = false;
    if (sourceNo == 0) {
        SelectArea(SourceArea);
        if (!UseFile(name + " ALIAS *FROMFILE")) {
            const uint16_t code = dberror.DbErrorCode;
            SelectArea(SourceArea);
            CloseArea();
            SelectArea(targetNo);
            dberror.DbErrorCode = code;
            return code;
        }
        sourceNo = SourceArea;
        openedHere = true;
    }
    TWorkArea* src = dbcmd.WorkAreas[sourceNo].get();

    // Field map by name and the structure comparison.
    std::vector<int> map(target->FieldCount + 1u, 0);
    bool anyMapped = false;
    bool identical = target->FieldCount == src->FieldCount;
    for (int i = 1; i <= target->FieldCount; ++i) {
        const TDbfField& t = target->Fields[static_cast<std::size_t>(i - 1)];
        for (int j = 1; j <= src->FieldCount; ++j) {
            if (src->Fields[static_cast<std::size_t>(j - 1)].Name == t.Name) {
                map[static_cast<std::size_t>(i)] = j;
                anyMapped = true;
                break;
            }
        }
        if (identical) {
            const TDbfField& s = src->Fields[static_cast<std::size_t>(i - 1)];
            identical =
                s.Name == t.Name && s.Type == t.Type && s.Length == t.Length && s.Decimals == t.Decimals;
        }
    }
    const bool identicalWithMemo = identical && target->HasMemo;

    uint16_t resultCode = 0;
    if (anyMapped) {
        SelectArea(sourceNo);
        if (IsWhileOn() || keepGoing)
            SKIP(0);
        else
            GoTop();
        while (!dEOF() && (!keepGoing || keepGoing())) {
            // Read the source record while the source is selected.
            EnsureNative(*src);
            const std::vector<uint8_t> sourceNative(src->NativeRecord, src->NativeRecord + src->NativeSize);
            const bool sourceDeleted = Deleted();
            std::vector<TSourceValue> values(src->FieldCount + 1u);
            for (int j = 1; j <= src->FieldCount; ++j) {
                const TDbfField& f = src->Fields[static_cast<std::size_t>(j - 1)];
                TSourceValue& v = values[static_cast<std::size_t>(j)];
                v.Type = f.Type;
                v.Decimals = f.Decimals;
                switch (f.Type) {
                case 'C':
                    v.Text = GetNativeText(j);
                    v.Blank = AllTrim(v.Text).empty();
                    break;
                case 'D':
                    v.Text = GetNativeText(j);
                    v.Key = StoredKey(*src, f);
                    break;
                case 'N':
                case 'F':
                    v.Number = GetNativeDouble(j);
                    v.Blank = StoredFieldBlank(src->RecordBuffer, f);
                    break;
                case 'L':
                    v.Logical = GetNativeBool(j);
                    break;
                case 'M':
                    v.Memo = GetNativeInt(j);
                    v.Area = sourceNo;
                    break;
                default:
                    break;
                }
            }
            SelectArea(targetNo);
            if (identical && target->NativeSize == sourceNative.size()) {
                EnsureNative(*target);
                std::memcpy(target->NativeRecord, sourceNative.data(), sourceNative.size());
                for (int i = 1; i <= target->FieldCount; ++i) {
                    const TDbfField& t = target->Fields[static_cast<std::size_t>(i - 1)];
                    if (t.Type == 'D') ConvertField(i, t, values[static_cast<std::size_t>(i)]);
                }
                if (identicalWithMemo) {
                    for (int i = 1; i <= target->FieldCount; ++i) {
                        const TDbfField& t = target->Fields[static_cast<std::size_t>(i - 1)];
                        if (t.Type == 'M') {
                            SetNativeInt(i, 0);
                            ConvertField(i, t, values[static_cast<std::size_t>(i)]);
                        }
                    }
                }
            } else {
                ClearRecord();
                SetNativeDeleted(sourceDeleted);
                for (int i = 1; i <= target->FieldCount; ++i) {
                    const int j = map[static_cast<std::size_t>(i)];
                    if (j != 0)
                        ConvertField(i, target->Fields[static_cast<std::size_t>(i - 1)],
                                     values[static_cast<std::size_t>(j)]);
                }
            }
            for (int i = 1; i <= target->FieldCount; ++i) {
                const int j = map[static_cast<std::size_t>(i)];
                if (j != 0 && values[static_cast<std::size_t>(j)].Blank) KeepNumberBlank(i);
            }
            Append();
            SelectArea(sourceNo);
            if (dberror.DbErrorCode != 0) {
                resultCode = dberror.DbErrorCode;
                break;
            }
            SKIP(1);
        }
    }
    if (openedHere) {
        SelectArea(SourceArea);
        CloseArea();
    }
    SelectArea(targetNo);
    dberror.DbErrorCode = resultCode;
    return resultCode;
}

bool ReadTextRecord(std::istream& in, std::size_t maxChars, std::vector<std::string>& items, bool& cut,
                    uint64_t& consumed, bool* endsWithSeparator)
{
    enum class TState { ItemStart, Unquoted, Quoted, AfterQuoted };
    const char sep = dbtransfer.TextSeparator;
    const char quote = dbtransfer.TextQuote;
    items.clear();
    cut = false;
    TState state = TState::ItemStart;
    std::string item;
    std::size_t kept = 0;
    bool any = false;
    bool itemOpen = false; // an item has begun (a separator ends it)
    const auto keep = [&](char c) {
        if (kept < maxChars) {
            item += c;
            ++kept;
        } else {
            cut = true;
        }
    };
    for (;;) {
        const int ch = in.get();
        if (ch == std::char_traits<char>::eof()) break;
        const char c = static_cast<char>(ch);
        if (c == '\x1A' && state != TState::Quoted) {
            // The end-of-file mark: nothing after it is read.
            in.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        ++consumed;
        // One record per line, quoted or not: an opening quote without its
        // closing quote ends at the line end, so that a stray quote cannot
        // run the rest of the file into one field.
        if (c == '\n') break;
        if (c == '\r' && in.peek() == '\n') continue;
        if (state == TState::Quoted) {
            if (quote != '\0' && c == quote) {
                if (in.peek() == static_cast<unsigned char>(quote)) {
                    in.get();
                    ++consumed;
                    keep(quote);
                } else {
                    state = TState::AfterQuoted;
                }
                continue;
            }
            keep(c);
            continue;
        }
        if (c == sep) {
            items.push_back(item);
            item.clear();
            state = TState::ItemStart;
            itemOpen = false;
            continue;
        }
        if (state == TState::ItemStart) {
            if (c == ' ' || c == '\t') continue;
            itemOpen = true;
            if (quote != '\0' && c == quote) {
                state = TState::Quoted;
                continue;
            }
            state = TState::Unquoted;
        }
        keep(c);
    }
    if (itemOpen || state != TState::ItemStart) items.push_back(item);
    if (endsWithSeparator != nullptr)
        *endsWithSeparator = !itemOpen && state == TState::ItemStart && !items.empty();
    return any;
}

namespace
{

// Stores one item; false when it was a date that names no day (it is then
// stored as the empty date rather than stopping the import).
bool StoreItem(int n, const TDbfField& f, const std::string& item)
{
    switch (f.Type) {
    case 'C':
        SetNativeText(n, item.substr(0, f.Length));
        return true;
    case 'D': {
        const std::string trimmed = AllTrim(item);
        const std::string display =
            IsDigits(trimmed) && trimmed.size() == 8 ? FullDisplayOfKey(trimmed) : trimmed.substr(0, 10);
        std::string probe = display;
        if (display.empty() || ValidDate(probe)) {
            SetNativeText(n, display);
            return true;
        }
        SetNativeText(n, std::string());
        return false;
    }
    case 'N':
    case 'F':
        if (AllTrim(item).empty())
            KeepNumberBlank(n);
        else
            SetNativeDouble(n,
                            f.Decimals > 0 ? NumTextToFloat(item) : static_cast<double>(TextToInteger(item)));
        return true;
    case 'L': {
        const char c = item.empty() ? ' ' : item[0];
        SetNativeBool(n, c == 'T' || c == 't' || c == 'Y' || c == 'y');
        return true;
    }
    default:
        return true;
    }
}

// Fields a text line carries: memo fields (and the types read as memo) are
// left out on export, so the import must not look for them either.
bool CarriedInText(char type)
{
    return type == 'C' || type == 'D' || type == 'N' || type == 'F' || type == 'L';
}

std::string TextFileName(const std::string& fileName)
{
    return DefaultExtension(AllTrim(fileName), "TXT");
}

} // namespace

int32_t AppendFromText(const std::string& fileName, bool showProgress)
{
    const std::string name = ResolveFileName(TextFileName(fileName));
    const std::string tag = " [AppendFromText(" + FileNameToOem(name) + ")]";
    TWorkArea* area = SelectedArea();
    if (!area) {
        SetError(215, tag);
        return -1;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        SetError(2, name + tag);
        return -1;
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(name, ec);
    const uint64_t fileSize = ec ? 0 : static_cast<uint64_t>(size);
    std::unique_ptr<TTzProgress100> progress;
    if (showProgress) progress = std::make_unique<TTzProgress100>("Appending...");
    uint64_t consumed = 0;
    uint64_t nextStep = fileSize / 100;
    const std::size_t maxLine = dbtransfer.TextMaxLine;
    int32_t appended = 0;
    int32_t cutRecords = 0;
    int32_t invalidDates = 0;
    std::vector<std::string> items;
    for (;;) {
        bool cut = false, emptyLast = false;
        if (!ReadTextRecord(in, maxLine, items, cut, consumed, &emptyLast)) break;
        // The export writes a blank last number as nothing after the last
        // separator: it comes back blank, not as a field the line lacks.
        if (emptyLast) items.emplace_back();
        if (cut) ++cutRecords;
        ClearRecord();
        std::size_t next = 0;
        for (int i = 1; i <= area->FieldCount && next < items.size(); ++i) {
            const TDbfField& f = area->Fields[static_cast<std::size_t>(i - 1)];
            if (CarriedInText(f.Type) && !StoreItem(i, f, items[next++])) ++invalidDates;
        }
        Append();
        if (dberror.DbErrorCode != 0) break;
        ++appended;
        while (progress && fileSize >= 100 && consumed >= nextStep && nextStep > 0) {
            progress->Step();
            nextStep += fileSize / 100;
        }
    }
    // Bad values do not stop the import; what was changed is said once at
    // the end.
    if (dberror.DbErrorCode == 0 && (cutRecords > 0 || invalidDates > 0)) {
        std::string detail;
        if (cutRecords > 0)
            detail = std::to_string(cutRecords) + " lines longer than " + std::to_string(maxLine) +
                     " characters were cut";
        if (invalidDates > 0)
            detail += (detail.empty() ? "" : "; ") + std::to_string(invalidDates) +
                      " texts that are no date were stored as empty dates";
        SetError(cutRecords > 0 ? 220 : 13, detail + tag);
    }
    return appended;
}

namespace
{

std::string QuotedText(const std::string& value)
{
    const char quote = dbtransfer.TextQuote;
    if (quote == '\0') return value;
    std::string out(1, quote);
    for (char c : value) {
        if (c == quote) out += quote;
        out += c;
    }
    out += quote;
    return out;
}

std::string RTrimBlanksOnly(const std::string& s)
{
    std::size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ')
        --end;
    return s.substr(0, end);
}

std::string LTrimBlanksOnly(const std::string& s)
{
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ')
        ++start;
    return s.substr(start);
}

// The fields of a line in order; a memo field leaves no trace, not even its
// separator.
template <class Item> std::string JoinLine(const TWorkArea& area, Item item)
{
    std::string line;
    bool skipSeparator = false;
    for (int i = 1; i <= area.FieldCount; ++i) {
        const TDbfField& f = area.Fields[static_cast<std::size_t>(i - 1)];
        if (i > 1 && !skipSeparator) line += dbtransfer.TextSeparator;
        skipSeparator = false;
        if (!CarriedInText(f.Type)) {
            skipSeparator = true;
            continue;
        }
        line += item(f);
    }
    return line;
}

} // namespace

bool CopyToText(const std::string& fileName, bool withHeader)
{
    const std::string name = TextFileName(fileName);
    const std::string tag = " [CopyToText(" + FileNameToOem(name) + ")]";
    TWorkArea* area = SelectedArea();
    if (!area) {
        SetError(215, tag);
        return false;
    }
    if (area->IsVirtual) {
        SetError(1100, "Operation cannot be used on virtual files." + tag);
        return false;
    }
    // Written beside the old file and renamed over it at the end, so a failed
    // export leaves the previous file as it was; a link of the name is
    // replaced, not followed. A failure names the file and the system's
    // reason.
    TTextFile out;
    out.Assign(ResolveFileName(name));
    out.ReplaceLinks(true);
    if (!out.OpenWrite()) {
        SetError(5, CannotBeWrittenText(name, out.WriteFailure()) + tag);
        return false;
    }
    bool ok =
        !withHeader || out.WriteLine(JoinLine(*area, [](const TDbfField& f) { return QuotedText(f.Name); }));
    GoTop();
    while (ok && !dEOF() && dberror.DbErrorCode == 0) {
        const std::string& rec = area->RecordBuffer;
        ok = out.WriteLine(JoinLine(*area, [&rec](const TDbfField& f) {
            const std::string stored = rec.size() >= static_cast<std::size_t>(f.Offset) + f.Length
                                           ? rec.substr(f.Offset, f.Length)
                                           : std::string();
            switch (f.Type) {
            case 'C':
                return QuotedText(RTrimBlanksOnly(stored));
            case 'D':
                return RTrimBlanksOnly(stored);
            case 'N':
            case 'F':
                return LTrimBlanksOnly(stored);
            default:
                return stored;
            }
        }));
        SKIP(1);
    }
    ok = ok && dberror.DbErrorCode == 0 && out.Write(std::string(1, static_cast<char>(0x1A))) && out.Close();
    if (!ok) {
        out.Abandon();
        if (dberror.DbErrorCode == 0) SetError(101, CannotBeWrittenText(name, out.WriteFailure()) + tag);
        return false;
    }
    return true;
}

bool CopyToTextPlain(const std::string& fileName)
{
    return CopyToText(fileName, false);
}
