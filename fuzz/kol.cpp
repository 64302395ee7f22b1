// Fuzz target of the load spectrum file reader (".kol"). Whatever the bytes:
//  - a refused file leaves the working list, its count and its life material
//    exactly as they were, and says why;
//  - an accepted file gives a count of 0 .. 128 and items that are finite,
//    not negative and within the torque and load-cycle bounds;
//  - an accepted list is written again, and that file reads back and writes
//    once more to the same bytes.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "gearpair/gearpairdata.h"
#include "planetary/loadspectrum/loadspectrum.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "scratch.h"

namespace
{

std::string In(const char* name)
{
    return fuzzscratch::Dir("kol") + "/" + name;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

std::string Written(const char* name)
{
    Check(WriteLoadSpectrumFile(In(name)), "an accepted load spectrum could not be written");
    return ReadAll(In(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetFoundationState();
    ResetTextfile();
    InitGearPairData();
    // A list of its own, so that a refusal that touched it would show.
    GearPair.LoadSpectrumKind = 7;
    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrum[1] = {1000, 500};
    GearPair.LoadSpectrum[2] = {2e6L, 125.5L};
    const auto items = GearPair.LoadSpectrum;

    std::FILE* f = std::fopen(In("input.kol").c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    TFileFault fault;
    if (!ReadLoadSpectrumFile(In("input.kol"), fault)) {
        Check(!fault.Reason.empty(), "a refusal without a reason");
        Check(GearPair.LoadSpectrumKind == 7 && GearPair.LoadSpectrumCount == 2 &&
                  GearPair.LoadSpectrum == items,
              "a refused load spectrum file changed the working list");
        return 0;
    }
    const int count = GearPair.LoadSpectrumCount;
    Check(count >= 0 && count <= LoadSpectrumMax, "a load spectrum count beyond the list");
    Check(GearPair.LoadSpectrumKind >= 0 && GearPair.LoadSpectrumKind <= LoadSpectrumKindMax,
          "a life material record out of range");
    for (int k = 1; k <= count; ++k) {
        const auto& it = GearPair.LoadSpectrum[k];
        Check(std::isfinite(it.N) && it.N >= 0 && it.N <= LoadSpectrumCyclesMax, "load cycles out of range");
        Check(std::isfinite(it.T) && it.T >= 0 && it.T <= LoadSpectrumTorqueMax, "a torque out of range");
    }
    const std::string first = Written("first.kol");
    Check(ReadLoadSpectrumFile(In("first.kol"), fault), "a written load spectrum could not be read back");
    Check(Written("second.kol") == first, "a written load spectrum read back differently");
    return 0;
}
