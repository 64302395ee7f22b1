#pragma once
// Bulk transfer into and out of the table of the selected work area: append
// every record of another table (fields mapped by name, types converted),
// append the lines of a delimited text file, write the table as one.

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

struct TDbTransfer {
    char TextSeparator = ',';
    char TextQuote = '"';        // '\0': no quoting
    uint16_t TextMaxLine = 2048; // longest record read from a text file
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

// Reads the next record of a delimited text: its items, split by the
// settings above. A record is one line (ended by CR LF or LF). A quote opens
// a quoted item only at the start of an item; inside it separators belong to
// the item and a doubled quote stands for one quote; the line end closes a
// quote left open. A quote inside an unquoted item is an ordinary character.
// The byte 0x1A outside a quoted item ends the text. At most
// maxChars characters of a record are kept (cut is set when more stood
// there). False when the text has no more records. endsWithSeparator, when
// given, tells whether the record ended right after a separator (an empty
// last item, which items leaves out).
bool ReadTextRecord(std::istream& in, std::size_t maxChars, std::vector<std::string>& items, bool& cut,
                    uint64_t& consumed, bool* endsWithSeparator = nullptr);
