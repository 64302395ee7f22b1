#pragma once
// The field definitions of a DBF table as the dataset takes them: the bytes
// a field takes in a record buffer, the corrections a table's creation
// applies to a definition, and the entries of a field-definition list
// ("NAME, C, 10, 0") read, written and reported when corrected.

#include <string>

// Bytes a field takes in a dataset record buffer.
int FieldBufferSize(char type, int length, int decimals);

// Corrects one field definition the way tables are created: B, G, P become
// M; unknown types become C; N at most 20 long with at most 18 decimals and at
// least 2 places before them; C at most 254 long. Returns true when changed.
bool CorrectFieldDefinition(char& Type, int& Length, int& Decimals);

// One entry of a field-definition list ("NAME, C, 10, 0"): split at ",",
// each part trimmed. False for an entry that is skipped (type X, or not four
// parts). In a virtual file a memo becomes N 10 0. The definition is
// corrected; Corrected tells whether it had to be.
struct TDbfFieldDef {
    std::string Name;
    char Type = 'C';
    int Length = 0;
    int Decimals = 0;
    bool Corrected = false;
    std::string Before; // the definition as written, "NAME,T,L,D"
};
bool ParseDbfFieldEntry(const std::string& entry, bool isVirtual, TDbfFieldDef& def);
// The text of an entry: "NAME, C, 10, 0".
std::string DbfFieldEntry(const std::string& name, char type, int length, int decimals);
// "Invalid field definition for %s: %s,%s,%d,%d. Will use corrected
// definition: %s,%s,%d,%d" filled in.
std::string CorrectionMessage(const std::string& table, const TDbfFieldDef& def);
