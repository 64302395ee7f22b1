// Fuzz target for the number-text readers (typed values, project and
// configuration lines) and for the formatters whose texts they read back.
//
// Besides not crashing, a reader must never produce a value that is not
// finite, must agree with its strict form, and a formatted number must read
// back as the number it shows.
#include "foundation/floattext.h"
#include "foundation/foundationstate.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

void Fail(const char* what, const std::string& input)
{
    std::fprintf(stderr, "numtext: %s for input \"%s\"\n", what, input.c_str());
    std::abort();
}

void CheckWithSettings(const std::string& text)
{
    Extended strict = 0;
    const bool valid = TryTextToFloat(text, strict);
    const Extended value = TextToFloat(text);
    if (!std::isfinite(value)) Fail("TextToFloat gave a value that is not finite", text);
    if (valid ? value != strict : value != 0) Fail("TextToFloat disagrees with its strict form", text);

    int32_t strictInt = 0;
    const bool validInt = TryTextToInt(text, strictInt);
    const int32_t n = TextToInt(text);
    if (validInt ? n != strictInt : n != 0) Fail("TextToInt disagrees with its strict form", text);
    if (TextToInt(IntToText(n)) != n) Fail("an integer text does not read back", text);
    // An integer text is a number text too.
    if (validInt && TextToFloat(text) != static_cast<Extended>(n))
        Fail("an integer text reads as a different real", text);

    // Every formatter must cope with whatever the reader produced.
    std::string s;
    FloatToSignificant(s, value);
    FloatToSignificant6(s, value);
    FloatToFixedDecimals(3, s, value);
    FloatToField(9, s, value);
    FloatToSignedFixed(2, s, value);
    FloatToTextAuto(s, value);
    FloatToTextAutoE(s, value);
    FloatToEngineering(s, value);
    FloatToScientific(s, value);
    FloatToScientificFixed(2, s, value);
    AngleToText(s, value);
    FormatFloatFixed(4, 3, s, value);
    FormatFloatFixedFile(4, 3, s, value);

    const Extended a = std::fabs(value);
    // The general text carries 15 significant digits.
    if (a > 1e-4900L && a < 1e4900L) {
        const Extended back = TextToFloat(FloatToGeneralText(value, wtelmvar.RegionalDecimalSeparator));
        if (std::fabs(back - value) > a * 1e-14L) Fail("the general text does not read back", text);
    }
    // Six significant digits in a plain field (no decimals shift).
    if (telmvar.DecimalDigits == 3 && a >= 1e-5L && a < 1e4900L) {
        const Extended back = TextToFloat(FloatToSignificant6(value));
        if (std::fabs(back - value) > a * 1e-5L) Fail("a six-digit text does not read back", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    ResetFoundationState();
    CheckWithSettings(text);

    // Comma separator, shifted decimals, degrees-minutes-seconds, ASCII units.
    ResetFoundationState();
    wtelmvar.RegionalDecimalSeparator = ',';
    telmvar.DecimalDigits = 5;
    wtelmvar.AngleFormat = 2;
    wtelmvar.UnitCharMode = 1;
    CheckWithSettings(text);
    return 0;
}
