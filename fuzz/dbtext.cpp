// Fuzz target: the input is a delimited text file appended to a table of
// every field type; the table is then exported, the export appended to a
// second table and exported again, and once more into a third. Nothing may
// crash, and from the second export on the text must stay the same: an
// export read back gives the same table. (The first export may still differ:
// a number too wide for its field is stored as asterisks, which read back as
// 0.)
//
// The first input byte picks the separator and the quote (comma and double
// quote, semicolon and double quote, semicolon without quoting).

#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/xbasestate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "scratch.h"

namespace
{

const std::string& Dir()
{
    return fuzzscratch::Dir("dbtext");
}

const std::vector<TDbfField> Fields = {
    {"NAME", 'C', 12, 0, 0}, {"NOTE", 'M', 10, 0, 0}, {"PRICE", 'N', 9, 2, 0}, {"QTY", 'N', 6, 0, 0},
    {"BORN", 'D', 8, 0, 0},  {"OK", 'L', 1, 0, 0},    {"RATE", 'F', 10, 4, 0}, {"CODE", 'C', 3, 0, 0},
};

bool Open(int area, const std::string& name)
{
    TDbfTable t;
    if (!CreateDBF(t, Dir() + "/" + name, Fields)) return false;
    Select(area);
    return UseFile(Dir() + "/" + name);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4096) return 0;
    ResetXbaseState();
    dberror.AutoReportErrors = false;
    dbcmd.SharedAccess = false;
    switch (data[0] % 3) {
    case 0:
        break;
    case 1:
        dbtransfer.TextSeparator = ';';
        break;
    default:
        dbtransfer.TextSeparator = ';';
        dbtransfer.TextQuote = '\0';
        break;
    }
    const std::string input = Dir() + "/input.txt";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    if (!Open(1, "first.dbf") || !Open(2, "second.dbf") || !Open(3, "third.dbf")) __builtin_trap();
    Select(1);
    AppendFromText(input, false);
    dberror.DbErrorCode = 0;
    if (!CopyToTextPlain(Dir() + "/first.txt")) __builtin_trap();
    Select(2);
    AppendFromText(Dir() + "/first.txt", false);
    dberror.DbErrorCode = 0;
    if (!CopyToTextPlain(Dir() + "/second.txt")) __builtin_trap();
    Select(3);
    AppendFromText(Dir() + "/second.txt", false);
    dberror.DbErrorCode = 0;
    if (!CopyToTextPlain(Dir() + "/third.txt")) __builtin_trap();
    // Without quoting a separator inside a text cannot be told apart from a
    // field boundary, so only the quoted forms must come back unchanged.
    if (dbtransfer.TextQuote != '\0' && ReadAll(Dir() + "/second.txt") != ReadAll(Dir() + "/third.txt"))
        __builtin_trap();
    CloseAll();
    return 0;
}
