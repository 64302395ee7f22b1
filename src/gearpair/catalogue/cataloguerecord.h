#pragma once
// A record picked from a catalogue table (materials, tool profiles,
// bearings) is taken whole or not at all. The table layer reads a number
// field whose text is no number (a table edited by hand, or damaged) as 0,
// and a 0 taken into a gear or a bearing without a word (a Poisson ratio, a
// load rating) gives results nobody can trace back to the table.

#include <string>
#include <vector>

// The first of the fields (numbers of fields the caller reads as numbers)
// of the current record of the open table whose text as the file holds it
// is no number, named as "Q1TOOLX.DBF record 9 field HAP0: "abc" is no
// number"; empty when every one reads. A blank field is no fault: it reads
// as 0, as it always did. Table: the file name, as "q1toolx.dbf".
std::string CatalogueNumberFault(const std::string& Table, const std::vector<int>& Fields);

// Says the fault with how to mend the table and sets Aborted: an error box
// at once, since the dialog that picked is still open and the calculation
// after it starts a new message list; without boxes (a batch run), a
// message of the list, whose help says the same.
void RefuseCatalogueRecord(const std::string& Fault, const std::string& Table);
