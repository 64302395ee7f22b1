// Fuzz target of the HP-GL picture reader: the bytes are a ".plt" file read
// into the graphics window's display list through the facade, as the help,
// auxiliary and start-up pictures are. Every input must end, draw a bounded
// number of records (a record needs at least one byte of its own in the
// picture) and leave only finite numbers in the list, which the replay
// reads back.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "graphics/hpgl/hpglstate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scratch.h"

namespace
{

// One scratch file for the whole run, removed with its directory when the
// run ends.
const std::string& ScratchFile()
{
    static const std::string name = fuzzscratch::Dir("hpgl") + "/picture.plt";
    return name;
}

[[noreturn]] void Fail(const char* what, const std::string& record)
{
    std::fprintf(stderr, "%s: %s\n", what, record.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetFoundationState();
    ResetHpglState();
    GraphFacade.Clear();
    std::FILE* f = std::fopen(ScratchFile().c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    RunHpglFile(ScratchFile());
    if (telmvar.Aborted) Fail("a readable picture ended with Aborted set", ScratchFile());

    const TDrawRecordList& list = DisplayList.Records;
    // A colour and a text style go with at most one drawing record each.
    if (list.size() > 3 * size + 3)
        Fail("more records than the picture has bytes for", std::to_string(list.size()));
    for (const std::string_view record : list) {
        const TDisplayRecord r = ParseDisplayRecord(record);
        if (r.Kind == 0) Fail("unreadable record", std::string(record));
        for (const Extended v : r.F)
            if (!std::isfinite(v)) Fail("non-finite number in record", std::string(record));
    }
    GraphFacade.Clear();
    return 0;
}
