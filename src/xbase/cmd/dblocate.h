#pragma once
// Sequential searching in the table of the selected work area without an
// index: LOCATE and CONTINUE on one field (prefix, exact or contained, with
// or without case), a typed locate on one or several fields, and a raw scan
// of the data for a text in any field.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

struct TDbLocate {
    // LOCATE state; LocateField 0 = no LOCATE active.
    std::string LocateValue;
    uint8_t LocateField = 0;
    bool LocateCaseSensitive = true;
    bool LocateExact = false;
    bool LocateContained = false;
    // Search state: the callback may accept or reject each hit.
    std::function<void()> SearchCallback;
    uint8_t SearchFieldHit = 0;
    bool SearchAccept = false;
};

extern TDbLocate dblocate;
void ResetDbLocate();

// A typed value to locate: a text (C, M, and D as a display date), a number
// (N, F) or a logical (L).
using TLocateValue = std::variant<std::string, double, bool>;

// Field name followed by any of " NOCASE", " EXACT", " CONTAINED"; the field
// number, 0 with error 220 when there is none.
uint8_t ParseLocateField(const std::string& spec);
void LocateFrom(int32_t start, uint8_t field, bool isNew);
void Continue();
bool LocateByValue(const std::string& spec, const TLocateValue& value, bool noCase, int32_t start,
                   bool exact);
bool LocateMulti(const std::string& fields, const std::vector<TLocateValue>& values, bool noCase, bool stay,
                 bool exact);
// Scans the data for text in any field (field 0) or in the given field, from
// the first record or from the record after the current one. Sets field to
// the field of the hit, 0 when nothing was found.
void Search(const std::string& text, uint8_t& field, bool fromTop);
// The text of a field of a record in the ANSI character set, as the program
// sees it.
std::string FieldTextAt(uint8_t field, int32_t record);
bool MemoContains(const std::string& value, int32_t memoReference);
