// Fuzz target of the grid's saved column layout (the "key=value" entries of
// a form resource). Whatever the lines:
//  - the number of columns never exceeds the limit of saved columns;
//  - every column's font size is 0 .. 255 and its width 0 .. 10000;
//  - reading the same lines again into a fresh grid gives the same columns.
#include "xbase/ui/tablegrid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

std::vector<std::string> Lines(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    return lines;
}

std::string Describe(const TTzGrid& g)
{
    std::string s;
    for (const TTzColumn& c : g.Columns)
        s += c.FieldName + "|" + std::to_string(c.Width) + "|" + std::to_string(c.Color) + "|" + c.Font.Name +
             "|" + std::to_string(c.Font.Size) + "|" + c.Title.Caption + "|" +
             std::to_string(static_cast<int>(c.Alignment)) + (c.ReadOnly ? "R" : "") + "\n";
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> lines = Lines(data, size);
    TTzGrid grid;
    grid.ReadSavedColumns(lines);
    Check(grid.ColumnCount() <= TTzGrid::MaxSavedColumns, "more columns than the limit");
    for (const TTzColumn& c : grid.Columns) {
        Check(c.Font.Size >= 0 && c.Font.Size <= 255, "font size out of 0..255");
        Check(c.Title.Font.Size >= 0 && c.Title.Font.Size <= 255, "title font size out of 0..255");
        Check(c.Width >= 0 && c.Width <= 10000, "width out of 0..10000");
        Check(c.Color <= 0xFFFFFF, "colour beyond 24 bits");
    }
    TTzGrid again;
    again.ReadSavedColumns(lines);
    Check(Describe(grid) == Describe(again), "the same layout read twice differs");
    return 0;
}
