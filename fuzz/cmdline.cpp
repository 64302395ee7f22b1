// Fuzz target of the command line: the input is the parameter list, one
// parameter per line. The start mode must follow from the name and the
// switch after it (with "/NOGUI" taken out wherever it stands, a batch
// switch found wherever it stands after the name) exactly as the table of
// switches says, whatever bytes they hold.
#include "app/cadbatch.h"
#include "app/commandline.h"
#include "app/programidentity.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

std::string Upper(std::string s)
{
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void Check(bool ok)
{
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool identity = [] {
        InitProgramIdentity();
        return true;
    }();
    (void)identity;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= input.size() && !input.empty()) {
        const auto end = input.find('\n', start);
        args.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const TCommandLine cmd = ParseCommandLine(args);

    std::vector<std::string> rest;
    bool noGui = false;
    for (const auto& a : args) {
        if (Upper(a) == "/NOGUI")
            noGui = true;
        else
            rest.push_back(a);
    }
    Check(cmd.NoGui == noGui);
    if (rest.empty()) {
        Check(cmd.Mode == TStartMode::Gui);
        return 0;
    }
    const std::string& p1 = rest[0];
    std::string p2 = rest.size() > 1 ? rest[1] : std::string();
    const auto textBatch = [](const std::string& p) {
        return p == "/I" || p == "/i" || p == "-I" || p == "-i";
    };
    const auto cad = [](const std::string& p) {
        return Upper(p.substr(0, 4)) == "/CAD" || Upper(p.substr(0, 4)) == "-CAD";
    };
    const bool usage = p1 == "?" || p1 == "/?";
    const bool exchange = !usage && (p2 == "/E" || p2 == "/e" || p2 == "/G");
    // A batch switch counts wherever it stands after the name; the first
    // one decides.
    // A later batch switch for another file (the other mode, another CAD
    // switch) is kept to refuse the run.
    std::string second;
    for (std::size_t i = 1; !usage && !exchange && i < rest.size(); ++i)
        if (textBatch(rest[i]) || cad(rest[i])) {
            p2 = rest[i];
            for (std::size_t j = i + 1; second.empty() && j < rest.size(); ++j)
                if ((textBatch(rest[j]) && !textBatch(p2)) || (cad(rest[j]) && Upper(rest[j]) != Upper(p2)))
                    second = rest[j];
            break;
        }
    Check(cmd.P1 == p1 && cmd.P2 == p2 && cmd.SecondBatchSwitch == second);
    TStartMode expected;
    if (usage)
        expected = TStartMode::Usage;
    else if (exchange)
        expected = TStartMode::ExchangeGui;
    else if (textBatch(p2))
        expected = TStartMode::TextBatch;
    else if (cad(p2))
        expected = TStartMode::CadBatch;
    else if (p1.find('.') == std::string::npos)
        expected = TStartMode::MissingExtension;
    else
        expected = TStartMode::InteractiveOpen;
    Check(cmd.Mode == expected);
    if (cmd.Mode == TStartMode::CadBatch) {
        // One digit for the device; the index is whatever number follows.
        Check(cmd.CadDevice >= 0 && cmd.CadDevice <= 9);
        // The batch serves only "/CADi:j": one digit, the colon, a whole
        // number of at most nine digits; anything else is refused by name.
        const TCadSwitch sw = ParseCadSwitch(p2);
        bool wellFormed = p2.size() >= 7 && p2.size() <= 15 && p2[4] >= '0' && p2[4] <= '9' && p2[5] == ':';
        long long index = 0;
        for (std::size_t k = 6; wellFormed && k < p2.size(); ++k) {
            wellFormed = p2[k] >= '0' && p2[k] <= '9';
            index = index * 10 + (p2[k] - '0');
        }
        Check(sw.Valid == wellFormed);
        Check(cmd.CadDevice == (wellFormed ? p2[4] - '0' : 0) && cmd.CadIndex == (wellFormed ? index : 0));
        if (sw.Valid) Check(sw.Device == p2[4] - '0' && sw.Index == index);
    } else {
        Check(cmd.CadDevice == 0 && cmd.CadIndex == 0);
    }
    return 0;
}
