#include "reports/messages/errhelpfile.h"

#include <sstream>

bool MessageKeyMatches(std::string_view Line, std::string_view Message)
{
    return Line.compare(0, MessageKeyLength, Message, 0, MessageKeyLength) == 0 &&
           std::min(Line.size(), MessageKeyLength) == std::min(Message.size(), MessageKeyLength);
}

bool ReadHelpLine(std::istream& In, std::string& Line)
{
    Line.clear();
    if (!std::getline(In, Line)) return false;
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    return true;
}

TMessageHelp FindMessageHelp(std::istream& In, const std::string& Message)
{
    std::ostringstream text;
    text << In.rdbuf();
    return FindMessageHelp(std::string_view(text.view()), Message);
}

TMessageHelp FindMessageHelp(std::string_view Text, const std::string& Message)
{
    // The next line without its line end; false at the end of the text.
    auto next = [&](std::string_view& Line) {
        if (Text.empty()) return false;
        const std::size_t end = std::min(Text.find('\n'), Text.size());
        Line = Text.substr(0, end);
        Text.remove_prefix(std::min(end + 1, Text.size()));
        if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
        return true;
    };
    TMessageHelp help;
    for (std::string_view line; next(line);) {
        if (!MessageKeyMatches(line, Message)) continue;
        help.Found = true;
        std::string_view origin, remedy;
        if (next(origin)) help.Origin = origin;
        if (next(remedy)) help.Remedy = remedy;
        break;
    }
    return help;
}
