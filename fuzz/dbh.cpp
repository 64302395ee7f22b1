// Fuzz target of the auxiliary-image index reader: the input is an index
// file, read record by record as the browser reads it.
#include "app/auxiliaryindex.h"
#include "foundation/programstate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    telmvar.MessagesEnabled = false; // "DBH file error" boxes would only be noise here
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    TDbhRecord r;
    int records = 0;
    while (ReadDbhRecord(in, r)) {
        ++records;
        // What the reader promises: no line end and no double quote ever
        // inside a field, and a written record reads back as written.
        for (const std::string* f : {&r.Name, &r.Description})
            if (f->find_first_of("\r\n\"") != std::string::npos) std::abort();
        const TDbhRecord back = ParseDbhLine(DbhLine(r.Name, r.Description));
        if (back.Name != r.Name || back.Description != r.Description) std::abort();
    }
    if (records > static_cast<int>(size) + 1) std::abort();
    return 0;
}
