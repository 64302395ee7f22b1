// Fuzz target of the line readers: the bytes are a text file read the way
// the project and load spectrum readers do (header block, then typed lines
// until the file ends). Every number read must also survive the number
// writer: written and read back it must be the same value.
#include "foundation/textfile.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "scratch.h"

namespace
{

// One scratch file for the whole run, removed with its directory when the
// run ends.
const std::string& ScratchFile()
{
    static const std::string name = fuzzscratch::Dir("textfile") + "/lines.txt";
    return name;
}

void CheckNumberWriter(Extended x)
{
    if (!std::isfinite(x)) return;
    const std::string text = NumberLineText(x);
    // Read back the way a number line is read.
    std::FILE* f = std::fopen(ScratchFile().c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    TTextFile& shared = textfile.SharedTextFile;
    AssignTextFile(shared, ScratchFile());
    if (!ResetTextFile(shared)) return;
    Extended back = 0;
    ReadTextExtended(back);
    shared.Close();
    if (std::fabs(back - x) > std::fabs(x) * 1e-15L) {
        std::fprintf(stderr, "number line \"%s\" does not read back as %.21Lg\n", text.c_str(), x);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetFoundationState();
    ResetTextfile();
    std::FILE* f = std::fopen(ScratchFile().c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    TTextFile& shared = textfile.SharedTextFile;
    AssignTextFile(shared, ScratchFile());
    if (!ResetTextFile(shared)) return 0;
    SkipProgramHeader();
    std::vector<Extended> numbers;
    for (int round = 0; round < 10000 && !shared.ReadPastEnd(); ++round) {
        switch (round % 8) {
        case 0: {
            int32_t n = 0;
            ReadTextInt(n);
            numbers.push_back(n);
            break;
        }
        case 1: {
            Extended x = 0;
            ReadTextExtended(x);
            numbers.push_back(x);
            break;
        }
        case 2: {
            bool b = true;
            ReadBoolTrue(b);
            ReadBoolNotFalse(b);
            break;
        }
        case 3: {
            std::string a, b, c, d;
            ReadFieldLine4(a, b, c, d);
            break;
        }
        case 4: {
            char ch = 0;
            ReadTextChar(ch);
            break;
        }
        case 5: {
            uint16_t w = 0;
            ReadTextWord(w);
            numbers.push_back(w);
            break;
        }
        case 6: {
            double d = 0;
            ReadTextDouble(d);
            numbers.push_back(d);
            break;
        }
        default: {
            std::string s;
            ReadTextLine(s);
            break;
        }
        }
    }
    shared.Close();
    for (Extended x : numbers)
        CheckNumberWriter(x);
    return 0;
}
