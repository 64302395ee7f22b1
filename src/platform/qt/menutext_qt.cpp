#include "platform/qt/qttext.h"

#include "platform/menu.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace platform
{

namespace
{

// The Korean and Chinese menu texts are kept as Windows code page 949 and
// 936 bytes; iconv knows them as CP949 and GBK. A byte sequence iconv
// cannot read is shown as U+FFFD and the rest of the text still converts.
std::string ToUtf8ByIconv(const std::string& text, const char* from)
{
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return Cp1252ToUtf8(text);
    std::string out;
    std::vector<char> buffer(text.size() * 4 + 16);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        const std::size_t done = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer.data(), dst);
        if (done == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // An invalid or cut-off sequence: one byte is skipped.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

QString CodePageToQString(const std::string& text, int codePage)
{
    if (codePage == 949) return QString::fromUtf8(ToUtf8ByIconv(text, "CP949").c_str());
    if (codePage == 936) return QString::fromUtf8(ToUtf8ByIconv(text, "GBK").c_str());
    if (codePage == FileSystemCodePage) return FileNameToQString(text);
    return ToQString(text);
}

} // namespace platform
