#include "reports/engine/htmltext.h"

std::string HtmlEscape(const std::string& Text)
{
    std::string R;
    R.reserve(Text.size());
    for (char C : Text) {
        switch (C) {
        case '&':
            R += "&amp;";
            break;
        case '<':
            R += "&lt;";
            break;
        case '>':
            R += "&gt;";
            break;
        default:
            R += C;
            break;
        }
    }
    return R;
}
