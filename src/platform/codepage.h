#pragma once
// The Windows-1252 <-> UTF-8 conversion at the edges of the program. Inside,
// every text the platform gets is a Windows-1252 byte string (the DOS texts
// are converted to 1252 before they are shown); the toolkit and the terminal
// want UTF-8. The conversion is exact both ways for every byte, so a text
// survives a round trip through a dialog unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the control characters of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// Characters Windows-1252 cannot hold, and malformed UTF-8, become the
// replacement byte.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');
// The bytes of the UTF-8 character text begins with; 0 when it begins with
// a byte that is no character (a malformed or cut sequence) or is empty.
std::size_t Utf8CharLength(std::string_view text);

// The system's texts (strerror, the standard library's error codes) come
// in the character set of the user's LC_CTYPE: the C library converts its
// translated messages to it (Latin-1 bytes under de_DE.ISO-8859-1). Here
// they become UTF-8; a byte that set does not hold becomes "?". The C
// locale's ASCII and a UTF-8 locale's texts stay as they are.
std::string LocaleTextToUtf8(const std::string& text);
// Text in the character set From (iconv's name for it) as UTF-8. A byte
// sequence that set cannot read becomes Replacement, one byte skipped, and
// the rest still converts. Empty when iconv does not know the set.
std::optional<std::string> IconvToUtf8(const std::string& text, const char* from,
                                       std::string_view replacement);

} // namespace platform
