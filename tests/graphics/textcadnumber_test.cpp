// Numbers of the text CAD code against the C library's own conversion
// ("%.*Lf": the exact binary value rounded half to even): seeded random
// values over many magnitudes and every decimal count, exact ties, zeros
// of both signs and values too large for the short way.
#include "graphics/writers/textcadwriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// What a field holds, from the library: no sign on a zero, at least three
// characters.
std::string Reference(long double X, int Decimals)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, "%.*Lf", Decimals, X);
    std::string s = buf;
    if (s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    return s;
}

TEST(TextCadNumber, DigitForDigitTheLibraryConversion)
{
    std::mt19937_64 random(20261207);
    std::vector<long double> values = {0.0L,   -0.0L,  0.5L,    1.5L,    2.5L,         -2.5L,      0.125L,
                                       0.375L, 1e-30L, -1e-30L, 0.0005L, 123.4565L,    1e18L,      -9.3e18L,
                                       1e19L,  -3e25L, -4.5L,   96.25L,  0.999999949L, 9.99999995L};
    for (int k = 0; k < 4000; ++k) {
        const long double mantissa = std::ldexp(static_cast<long double>(random()), -64);
        const int exponent = static_cast<int>(random() % 90) - 60;
        values.push_back((random() & 1 ? -1 : 1) * std::ldexp(mantissa, exponent));
        // Ties of the last decimal: halves of a decimal step.
        values.push_back(static_cast<long double>(static_cast<int64_t>(random() % 2000001) - 1000000) / 64);
    }
    for (int decimals = 0; decimals <= 15; ++decimals) {
        std::ostringstream sink;
        const TTextCadWriter w(sink, TTextCadOptions{decimals, false, false});
        for (long double x : values) {
            const std::string got = w.Number(x), want = Reference(x, decimals);
            if (got != want) {
                ADD_FAILURE() << "decimals " << decimals << ": \"" << got << "\", the library writes \""
                              << want << "\"";
                return;
            }
        }
    }
}

} // namespace
