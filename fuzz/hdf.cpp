// Fuzz target of the groove ball bearing factor tables: the bytes are a
// ".hdf" table, looked up for a few load cases (below, inside and above any
// row, pure radial and pure axial load). A refused table must leave X and Y
// exactly as they were.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "planetary/bearings/xyfactors.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "scratch.h"

namespace
{

const std::string& ScratchFile()
{
    static const std::string name = fuzzscratch::Dir("hdf") + "/factors.hdf";
    return name;
}

struct LoadCase {
    Extended Fr, Fa, C0;
};

const LoadCase Cases[] = {
    {1000, 0, 10000},    {0, 50, 10000},       {0, 420, 10000},    {1000, 300, 10000},
    {1000, 5000, 10000}, {1e-5L, 1e6L, 10000}, {1000, 100, 1e-9L},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen(ScratchFile().c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    for (const auto& c : Cases) {
        ResetFoundationState();
        Extended X = -7, Y = -9;
        LookupXYFactors(ScratchFile(), X, Y, c.Fr, c.Fa, c.C0);
        if (telmvar.Aborted && (X != -7 || Y != -9)) {
            std::fprintf(stderr, "a refused table changed X or Y\n");
            std::abort();
        }
    }
    return 0;
}
