// Fuzz target of the message help file reader: the first line of the input is
// the message looked up, the rest is the help file.
#include "reports/messages/errhelpfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t eol = input.find('\n');
    const std::string message = eol == std::string::npos ? input : input.substr(0, eol);
    std::istringstream file(eol == std::string::npos ? std::string() : input.substr(eol + 1));
    const TMessageHelp help = FindMessageHelp(file, message);
    // What the reader promises: lines come without their line end, and an
    // entry is found only when a key line matches the message.
    if (help.Origin.find('\n') != std::string::npos || help.Remedy.find('\n') != std::string::npos)
        std::abort();
    if (!help.Found && (!help.Origin.empty() || !help.Remedy.empty())) std::abort();
    if (MessageKeyMatches(message, message) != true) std::abort();
    return 0;
}
