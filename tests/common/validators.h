#pragma once
// Independent tools (ezdxf, tidy, hp2xx, dbview, dbfread ...) judge the files
// we write. On a developer machine without one of them the check is skipped;
// under ./test.sh (QYR7_REQUIRE_VALIDATORS set) a missing tool fails the test,
// so a green run there always means every file was judged.

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#define QYR7_VALIDATOR_MISSING(What)                                                                         \
    do {                                                                                                     \
        if (std::getenv("QYR7_REQUIRE_VALIDATORS") != nullptr)                                               \
            FAIL() << What << " is missing (./test.sh installs it)";                                         \
        GTEST_SKIP() << What << " is missing";                                                               \
    } while (0)

// The text of a PDF file as pdftotext reads it, as bytes (UTF-8, a form feed
// ending each sheet); empty when the tool gave nothing.
inline std::string PdfText(const std::string& Pdf)
{
    std::string text;
    if (FILE* p = ::popen(("pdftotext -layout -enc UTF-8 '" + Pdf + "' - 2>/dev/null").c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, n);
        ::pclose(p);
    }
    return text;
}

// The lines of a text that hold anything, each with its blanks taken out:
// what a printed page and the text it came from have in common, whatever
// spacing a reader of the page finds.
inline std::vector<std::string> InkedLines(const std::string& Text)
{
    std::vector<std::string> lines;
    std::istringstream in(Text);
    for (std::string line; std::getline(in, line);) {
        std::string ink;
        for (char c : line)
            if (!std::isspace(static_cast<unsigned char>(c))) ink += c;
        if (!ink.empty()) lines.push_back(ink);
    }
    return lines;
}
