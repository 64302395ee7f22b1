// Fuzz entry for the index page reader: the input is an index file over a
// small fixed table. It is opened, walked from both ends, searched and
// changed; nothing may crash, loop without end or read outside a page.
#include "xbase/ndx/ndx.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "scratch.h"

namespace
{

struct TPlace {
    std::string Dir;
    std::string Table;
    std::string Index;
    std::string Pristine; // the table's bytes
};

void WriteFile(const std::string& path, const void* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

TPlace& Place()
{
    // Kept for the whole run: the directory is removed at exit.
    static TPlace* place = [] {
        auto* q = new TPlace;
        TPlace& p = *q;
        p.Dir = fuzzscratch::Dir("ndx");
        p.Table = p.Dir + "/t.dbf";
        p.Index = p.Dir + "/t.ndx";
        ResetXbaseState();
        SetAutoReport(false);
        TDbfTable t;
        CreateDBF(t, p.Table, {{"KEY", 'C', 10, 0, 0}, {"NUM", 'N', 8, 2, 0}, {"DAY", 'D', 8, 0, 0}});
        t.Name = p.Table;
        OpenDbf(t);
        for (int i = 0; i < 40; ++i) {
            char rec[64];
            std::snprintf(rec, sizeof rec, " K%04d     %8.2f2024%02d%02d", (i * 17) % 40, (i - 20) * 1.5,
                          1 + i % 12, 1 + i % 28);
            t.RecordBuffer = rec;
            AppendDbfRecord(t);
        }
        CloseDbf(t);
        std::ifstream in(p.Table, std::ios::binary);
        p.Pristine.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return q;
    }();
    return *place;
}

// One pass over the index as it stands in the file: opened shared, the
// index is used as read; opened exclusively, an index whose keys do not
// match the table's records is built again first, so the shared pass is
// the one that walks every page the input holds.
void Exercise(const TPlace& p, const uint8_t* data, size_t size, bool shared)
{
    WriteFile(p.Table, p.Pristine.data(), p.Pristine.size());
    WriteFile(p.Index, data, size);
    ResetXbaseState();
    InitXbaseLibrary();
    SetAutoReport(false);
    dbcmd.SharedAccess = shared;
    if (!UseFile(shared ? p.Table : p.Table + " EXCLUSIVE")) return;
    try {
        Set_Index_To(p.Index);
        if (IndexIsOpen()) {
            GoTop();
            for (int i = 0; i < 300 && !dEOF(); ++i)
                SKIP(1);
            GoBottom();
            for (int i = 0; i < 50 && !dBOF(); ++i)
                SKIP(-1);
            Find("K00");
            Find("K0017");
            Find("3");
            GO(5);
            SetNativeText(1, "K9999");
            Replace();
            SetNativeText(1, "K0001");
            Append();
            GoTop();
            SKIP(2);
            Reindex();
        }
    } catch (const EXbaseError&) {
    }
    try {
        CloseAll();
    } catch (const EXbaseError&) {
    }
    ResetXbaseState();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TPlace& p = Place();
    Exercise(p, data, size, true);
    Exercise(p, data, size, false);
    return 0;
}
