#include "reports/messages/errhelpfile.h"

bool MessageKeyMatches(const std::string& Line, const std::string& Message)
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
    return FindMessageHelp(ReadHelpLines(In), Message);
}

std::vector<std::string> ReadHelpLines(std::istream& In)
{
    std::vector<std::string> lines;
    for (std::string line; ReadHelpLine(In, line);)
        lines.push_back(std::move(line));
    return lines;
}

TMessageHelp FindMessageHelp(const std::vector<std::string>& Lines, const std::string& Message)
{
    TMessageHelp help;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (!MessageKeyMatches(Lines[i], Message)) continue;
        help.Found = true;
        if (i + 1 < Lines.size()) help.Origin = Lines[i + 1];
        if (i + 2 < Lines.size()) help.Remedy = Lines[i + 2];
        break;
    }
    return help;
}
