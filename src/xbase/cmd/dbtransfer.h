#pragma once
// Bulk transfer into and out of the table of the selected work area: append
// every record of another table (fields mapped by name, types converted),
// append the lines of a delimited text file, write the table as one.

#include <cstdint>
#include <functional>
#include <string>

struct TDbTransfer {
    char TextSeparator = ',';
    char TextQuote = '"';       // '\0': no quoting
    uint16_t TextMaxLine = 2048;  // longest record read from a text file
};

extern TDbTransfer dbtransfer;
void ResetDbTransfer();

// Appends the records of the table file (or open virtual table: name followed
// by " VIRTUAL FILE", " LINKED LIST", " VIRTUAL" or " LINKED") to the
// selected area. keepGoing is asked before each record (empty: always).
// Result: 0 or the error code that ended the transfer.
uint16_t AppendFrom(const std::string& source, const std::function<bool()>& keepGoing = nullptr);

// Appends one record per line of a delimited text file (default extension
// "TXT"). Result: the number of records appended, -1 when the file could not
// be read at all.
int32_t AppendFromText(const std::string& fileName, bool showProgress);

// Writes the table as a delimited text file (default extension "TXT"), with
// or without a first line of field names. False when nothing was written.
bool CopyToText(const std::string& fileName, bool withHeader);
bool CopyToTextPlain(const std::string& fileName);

// One delimited line split into its items by the settings above; exposed for
// the tests of quoting.
struct TTextItemReader {
    explicit TTextItemReader(const std::string& line) : Line(line) {}
    bool AtEnd() const { return Pos >= Line.size(); }
    std::string Next();

    const std::string& Line;
    std::size_t Pos = 0;
};
