#pragma once
// The program's Windows-1252 texts meet Qt's Unicode strings only here.

#include <QByteArray>
#include <QFile>
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

// A file or directory name is the file system's bytes, not a text of the
// program: it meets the screen through the toolkit's own file-name
// conversion, both ways, and never through the two above.
inline QString FileNameToQString(const std::string& name)
{
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

inline std::string FileNameFromQString(const QString& name)
{
    const QByteArray bytes = QFile::encodeName(name);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Bytes of a language's code page (1252, 949 Korean, 936 Chinese) as shown
// on screen: the menu texts by language. FileSystemCodePage: a caption that
// holds a file name as the file system has it.
QString CodePageToQString(const std::string& text, int codePage);

} // namespace platform
