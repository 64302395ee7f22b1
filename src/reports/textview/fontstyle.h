#pragma once
// Font styles as the integer codes stored in the configuration: bold 1,
// italic 2, underline 4, strikeout 8 (so 3 is bold and italic). Codes 0 to
// 15 are valid.

#include <cstdint>

struct TFontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

uint16_t FontStyleToCode(const TFontStyles& Style);
// A code above 15 is not a style: Current is returned unchanged.
TFontStyles CodeToFontStyle(uint16_t Code, const TFontStyles& Current);
