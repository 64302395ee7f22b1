#include "platform/qt/qttext.h"

#include "platform/menu.h"

namespace platform
{

namespace
{

// The Korean and Chinese menu texts are kept as Windows code page 949 and
// 936 bytes; iconv knows them as CP949 and GBK. A byte sequence iconv
// cannot read is shown as U+FFFD and the rest of the text still converts.
QString FromDoubleByteCodePage(const std::string& text, const char* from)
{
    return QString::fromUtf8(IconvToUtf8(text, from, "\xEF\xBF\xBD").value_or(Cp1252ToUtf8(text)).c_str());
}

} // namespace

QString CodePageToQString(const std::string& text, int codePage)
{
    if (codePage == 949) return FromDoubleByteCodePage(text, "CP949");
    if (codePage == 936) return FromDoubleByteCodePage(text, "GBK");
    if (codePage == FileSystemCodePage) return FileNameToQString(text);
    return ToQString(text);
}

} // namespace platform
