#pragma once
// Drawing output against a golden file beside the tests: golden/<Name> (Name
// may hold a sub folder). A mismatch or a missing golden writes the output
// as <Name>.out beside it and names the first line that differs; a match
// removes an .out left by an earlier run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline void ExpectGolden(const std::string& Name, const std::string& Bytes)
{
    const std::filesystem::path golden = std::filesystem::path(QYR7_TEST_DIR) / "golden" / Name;
    const std::filesystem::path out = golden.string() + ".out";
    std::ifstream in(golden, std::ios::binary);
    std::ostringstream s;
    if (in) s << in.rdbuf();
    std::error_code ec;
    if (in && s.str() == Bytes) {
        std::filesystem::remove(out, ec);
        return;
    }
    std::ofstream(out, std::ios::binary) << Bytes;
    if (!in) {
        ADD_FAILURE() << "golden file " << golden << " missing; output written to " << out;
        return;
    }
    std::istringstream a(s.str()), b(Bytes);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) break;
        if (ga != gb || la != lb) {
            ADD_FAILURE() << Name << " differs at line " << line << ": expected \"" << (ga ? la : "")
                          << "\", got \"" << (gb ? lb : "") << "\" (output in " << out << ")";
            return;
        }
    }
    // Equal lines but not equal bytes: the line ends or the last newline.
    ADD_FAILURE() << Name << " differs in its line ends (output in " << out << ")";
}
