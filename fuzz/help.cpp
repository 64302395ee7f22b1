// Fuzz target of the help-file reader: the first line of the input is the
// entry number looked up, the rest is the help file.
#include "dialogs/helptext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t eol = input.find('\n');
    const uint16_t n = static_cast<uint16_t>(std::strtoul(input.substr(0, eol).c_str(), nullptr, 10));
    std::istringstream file(eol == std::string::npos ? std::string() : input.substr(eol + 1));
    const THelpEntry e = FindHelpEntry(file, n);
    // What the reader promises: lines come without their line ends, and
    // nothing is reported for an entry that was not found.
    for (int k = 1; k <= 5; ++k) {
        if (e.Lines[k].find('\n') != std::string::npos) std::abort();
        if (!e.Found && !e.Lines[k].empty()) std::abort();
    }
    if (!e.Found && e.EndedAtHeader) std::abort();
    int32_t number = 0;
    std::string picture;
    ParseHelpHeader(input.substr(0, eol), number, picture);
    if (number < -9999 || number > 9999) std::abort();
    (void)HelpHintOf(e, n);
    return 0;
}
