#pragma once
// The program's Windows-1252 texts meet Qt's Unicode strings only here.

#include <QString>
#include <string>

#include "platform/codepage.h"

namespace platform
{

inline QString ToQString(const std::string& text)
{
    return QString::fromUtf8(Cp1252ToUtf8(text).c_str());
}

inline std::string FromQString(const QString& text)
{
    return Utf8ToCp1252(text.toUtf8().toStdString());
}

// Bytes of a language's code page (1252, 949 Korean, 936 Chinese) as shown
// on screen: the menu texts by language.
QString CodePageToQString(const std::string& text, int codePage);

} // namespace platform
