// LOCATE, CONTINUE, typed locates and the raw Search.
#include "xbase/cmd/dblocate.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"

#include <algorithm>
#include <cstddef>

TDbLocate dblocate;

void ResetDbLocate()
{
    dblocate = TDbLocate{};
}

namespace
{

const char* const LocateTag = "Locate/Count/Sum";

// The value of a field of the current native record in the form a table
// stores it; for virtual tables, whose records are never in file form.
std::string NativeFieldText(uint8_t field)
{
    const TWorkArea* area = SelectedArea();
    const TDbfField& f = area->Fields[static_cast<std::size_t>(field - 1)];
    switch (f.Type) {
    case 'D':
        return GetNativeText(field);
    case 'L':
        return GetNativeBool(field) ? "T" : "F";
    case 'N':
    case 'F':
        return FloatToText(GetNativeDouble(field), f.Length, f.Decimals);
    case 'C':
        return PadRight(GetNativeText(field), f.Length);
    default:
        return SField(field);
    }
}

bool TextMatches(const std::string& fieldText, char type)
{
    std::string text = fieldText;
    // A number stands right-aligned in its field: without EXACT its leading
    // blanks are no part of the value, or "123.45" could never be found in
    // "  123.45".
    if ((type == 'N' || type == 'F') && !dblocate.LocateExact) text = LTrimStr(text);
    if (!dblocate.LocateExact && !dblocate.LocateContained)
        text = text.substr(0, dblocate.LocateValue.size());
    if (!dblocate.LocateCaseSensitive) text = UpperStr(text);
    if (dblocate.LocateContained) return text.find(dblocate.LocateValue) != std::string::npos;
    return text == dblocate.LocateValue;
}

void GoPastEnd()
{
    GoBottom();
    if (RecCount() > 0) SKIP(1);
}

} // namespace

uint8_t ParseLocateField(const std::string& spec)
{
    std::string rest = spec;
    const bool noCase = RemoveKeyword("NOCASE", rest);
    const bool exact = RemoveKeyword("EXACT", rest);
    const bool contained = RemoveKeyword("CONTAINED", rest);
    rest = AllTrim(UpperStr(rest));
    dblocate.LocateCaseSensitive = !noCase;
    dblocate.LocateExact = exact;
    dblocate.LocateContained = contained;
    if (rest.empty()) {
        SetError(220, std::string("No field name specified [") + LocateTag + "]");
        return 0;
    }
    const uint8_t field = FieldNo(rest);
    if (field == 0) SetError(220, std::string("Unrecognized field name [") + LocateTag + "(" + spec + ")]");
    return field;
}

std::string FieldTextAt(uint8_t field, int32_t record)
{
    TWorkArea* area = SelectedArea();
    if (!area || field < 1 || field > area->FieldCount) return std::string();
    if (area->IsVirtual) {
        const int32_t back = RecNo();
        GO(record);
        std::string text = NativeFieldText(field);
        GO(back);
        return text;
    }
    std::string text;
    Peek(field, record, text);
    // Peek gives the bytes of the file; the value looked for is in the
    // program's character set, so both are compared in that one.
    return area->OemText ? StrOemToAnsi(text) : text;
}

bool MemoContains(const std::string& value, int32_t memoReference)
{
    if (!dbhooks.MemoHooks.AssignMemo) {
        SetError(220, "MEMO unit not linked in [Count/Sum/Continue]");
        return false;
    }
    std::vector<std::string> lines;
    if (memoReference == 0 || !dbhooks.MemoHooks.AssignMemo(memoReference, lines)) return false;
    const TWorkArea* area = SelectedArea();
    for (std::string& line : lines) {
        // The memo holds the table's character set; the value the program's.
        if (area != nullptr && area->OemText) line = StrOemToAnsi(line);
        if (!dblocate.LocateCaseSensitive) line = UpperStr(line);
        if (line.find(value) != std::string::npos) return true;
    }
    return false;
}

void LocateFrom(int32_t start, uint8_t field, bool isNew)
{
    TWorkArea* area = SelectedArea();
    if (!area || field < 1 || field > area->FieldCount) return;
    if (isNew) {
        if (!dblocate.LocateExact) dblocate.LocateValue = AllTrim(dblocate.LocateValue);
        if (!dblocate.LocateCaseSensitive) dblocate.LocateValue = UpperStr(dblocate.LocateValue);
        dblocate.LocateField = field;
    }
    const char type = area->Fields[static_cast<std::size_t>(field - 1)].Type;
    if (type == 'M' && !dbhooks.MemoHooks.AssignMemo) {
        // The memo service is not linked in, so no memo can be searched: the
        // scan ends at once with one report, not one per record (the move to
        // the end clears the error code, so it is reported after it).
        GoPastEnd();
        dblocate.LocateField = 0;
        MemoContains(dblocate.LocateValue, 0);
        return;
    }
    const int32_t count = RecCount();
    for (int32_t r = std::max(start, 1); r <= count; ++r) {
        const std::string text = FieldTextAt(field, r);
        const bool match = type == 'M' ? MemoContains(dblocate.LocateValue, TextToInteger(AllTrim(text)))
                                       : TextMatches(text, type);
        if (match) {
            GO(r);
            return;
        }
    }
    GoPastEnd();
    dblocate.LocateField = 0;
}

void Continue()
{
    if (dblocate.LocateField == 0) {
        SetError(220, "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
        return;
    }
    LocateFrom(RecNo() + 1, dblocate.LocateField, false);
}

bool LocateByValue(const std::string& spec, const TLocateValue& value, bool noCase, int32_t start, bool exact)
{
    std::string fieldSpec = AllTrim(spec);
    if (const std::size_t blank = fieldSpec.find(' '); blank != std::string::npos) fieldSpec.resize(blank);
    if (noCase) fieldSpec += " NOCASE";
    if (exact) fieldSpec += " EXACT";
    dblocate.LocateValue.clear();
    const uint8_t field = ParseLocateField(fieldSpec);
    TWorkArea* area = SelectedArea();
    if (field == 0 || !area) return false;
    const TDbfField& f = area->Fields[static_cast<std::size_t>(field - 1)];
    if (f.Type == 'M' && area->IsVirtual) {
        GoPastEnd();
        dblocate.LocateField = field;
        return false;
    }
    const std::string* text = std::get_if<std::string>(&value);
    const double* number = std::get_if<double>(&value);
    const bool* logical = std::get_if<bool>(&value);
    std::string stored;
    switch (f.Type) {
    case 'C':
        stored = text ? *text : std::string();
        if (exact) stored = PadRight(stored, f.Length);
        break;
    case 'D':
        stored = text ? DisplayToKey(*text) : std::string(8, ' ');
        break;
    case 'N':
    case 'F': {
        const double x = number ? *number : text ? NumTextToFloat(*text) : 0.0;
        stored = FloatToText(x, f.Length, f.Decimals);
        break;
    }
    case 'L': {
        const bool b =
            logical ? *logical
                    : text && !text->empty() && (UpperStr(*text)[0] == 'T' || UpperStr(*text)[0] == 'Y');
        stored = b ? "T" : "F";
        break;
    }
    default:
        stored = text ? *text : std::string();
        break;
    }
    dblocate.LocateValue = stored;
    LocateFrom(start, field, true);
    while (!dEOF() && !IsVisible() && dblocate.LocateField != 0)
        Continue();
    return !dEOF();
}

bool LocateMulti(const std::string& fields, const std::vector<TLocateValue>& values, bool noCase, bool stay,
                 bool exact)
{
    if (!SelectedArea()) return false;
    const int32_t remembered = RecNo();
    auto relation = SetRelation(nullptr);
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from <= fields.size()) {
        const std::size_t semi = fields.find(';', from);
        const std::string name =
            AllTrim(fields.substr(from, semi == std::string::npos ? std::string::npos : semi - from));
        if (!name.empty()) names.push_back(name);
        if (semi == std::string::npos) break;
        from = semi + 1;
    }
    bool found = false;
    const std::size_t n = std::min(names.size(), values.size());
    if (n == 1) {
        found = LocateByValue(names[0], values[0], noCase, 1, exact);
    } else if (n > 1) {
        int32_t at = 1;
        std::size_t i = 0;
        bool failed = false;
        // Each field is located from the record the others agreed on; a field
        // that only matches further on moves every field to that record.
        while (!failed && i < n) {
            if (!LocateByValue(names[i], values[i], noCase, at, exact)) {
                failed = true;
                break;
            }
            const int32_t hit = RecNo();
            if (i > 0 && hit != at) {
                at = hit;
                i = 0;
                continue;
            }
            at = hit;
            ++i;
        }
        found = !failed;
    }
    if (!found || !stay) GoIfValid(remembered);
    SetRelation(relation);
    return found;
}

void Search(const std::string& text, uint8_t& field, bool fromTop)
{
    TWorkArea* area = SelectedArea();
    if (!area) return;
    if (area->IsVirtual) {
        SetError(1100, "Operation cannot be used on virtual files. [Search]");
        return;
    }
    const std::string wanted = UpperStr(AllTrim(text));
    if (wanted.empty()) return;
    if (field > area->FieldCount) field = 0;
    const uint8_t requested = field;
    const int32_t startRecord = RecNo();
    const int32_t count = RecCount();
    const std::size_t recordLength = area->RecordLength;
    if (recordLength == 0) {
        field = 0;
        return;
    }
    // Whole records per chunk: no hit can straddle two chunks, and a hit
    // across a record boundary is never inside one field anyway.
    std::size_t chunkBytes = dblocate.SearchCallback ? 32760 : 65520;
    chunkBytes = std::max<std::size_t>(chunkBytes / recordLength, 1) * recordLength;
    const std::size_t perChunk = chunkBytes / recordLength;
    int32_t record = fromTop ? 1 : startRecord + 1;
    dblocate.SearchAccept = false;
    std::string chunk(chunkBytes, '\0');
    while (record >= 1 && record <= count) {
        const int32_t inChunk = static_cast<int32_t>(
            std::min<std::size_t>(perChunk, static_cast<std::size_t>(count - record + 1)));
        const long got = area->File.ReadAt(RecordPosition(*area, record), chunk.data(),
                                           static_cast<std::size_t>(inChunk) * recordLength);
        if (got <= 0) break;
        const int32_t whole = static_cast<int32_t>(static_cast<std::size_t>(got) / recordLength);
        for (int32_t k = 0; k < whole; ++k) {
            std::string rec = chunk.substr(static_cast<std::size_t>(k) * recordLength, recordLength);
            ApplyReadTransform(*area, rec);
            const std::string upper = UpperStr(rec);
            const int32_t r = record + k;
            // Fields only: the delete flag at byte 0 is no field, so a hit
            // there (or one that starts there) is never reported.
            for (uint8_t i = 1; i <= area->FieldCount; ++i) {
                const TDbfField& f = area->Fields[i - 1u];
                if (f.Type == 'M' || (requested != 0 && requested != i)) continue;
                const std::string value = upper.substr(f.Offset, f.Length);
                if (value.find(wanted) == std::string::npos) continue;
                if (r > RecCount()) {
                    field = 0;
                    return;
                }
                GO(r);
                if (!IsVisible()) continue;
                if (dblocate.SearchCallback) {
                    dblocate.SearchFieldHit = i;
                    dblocate.SearchAccept = false;
                    dblocate.SearchCallback();
                    if (!dblocate.SearchAccept) continue;
                }
                field = i;
                return;
            }
        }
        if (whole < inChunk) break;
        record += inChunk;
    }
    field = 0;
    if (startRecord >= 1 && startRecord <= RecCount()) GO(startRecord);
}
