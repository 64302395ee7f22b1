#pragma once
// Names for the cases of parameterised suites. Without a name generator a
// case is listed by its index and ctest appends the printed parameter, which
// for a struct is its raw bytes (padding and pointers included), so names
// changed from run to run. These helpers build stable names from what a case
// is about; gtest accepts letters, digits and '_' only.

#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

namespace testnames
{

// A readable identifier from a case description: "alpha 4.99" ->
// "alpha_4p99", "beta -45" -> "beta_minus45", "z2 < z1" -> "z2_lt_z1".
inline std::string Identifier(std::string_view text)
{
    std::string out;
    auto separate = [&out] {
        if (!out.empty() && out.back() != '_') out += '_';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool digitBefore = i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1]));
        const bool digitAfter = i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (std::isalnum(c)) {
            out += static_cast<char>(c);
        } else if (c == '.' && digitBefore && digitAfter) {
            out += 'p';
        } else if (c == '-' && digitAfter && !digitBefore) {
            out += "minus";
        } else if (c == '<' || c == '>') {
            separate();
            out += c == '<' ? "lt" : "gt";
            out += '_';
        } else {
            separate();
        }
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out.empty() ? "unnamed" : out;
}

// A number as part of a name: 2.5 -> "2p5", -250 -> "minus250",
// 1e-6 -> "1eminus06".
inline std::string Number(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.10Lg", value);
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '-')
            out += "minus";
        else if (*p == '.')
            out += 'p';
        else if (*p != '+')
            out += *p;
    }
    return out;
}

} // namespace testnames
