#include "reports/textview/fontstyle.h"

uint16_t FontStyleToCode(const TFontStyles& Style)
{
    return static_cast<uint16_t>((Style.Bold ? 1 : 0) | (Style.Italic ? 2 : 0) | (Style.Underline ? 4 : 0) |
                                 (Style.StrikeOut ? 8 : 0));
}

TFontStyles CodeToFontStyle(uint16_t Code, const TFontStyles& Current)
{
    if (Code > 15) return Current;
    return {(Code & 1) != 0, (Code & 2) != 0, (Code & 4) != 0, (Code & 8) != 0};
}
