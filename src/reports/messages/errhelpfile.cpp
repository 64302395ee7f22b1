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
    TMessageHelp help;
    std::string line;
    while (ReadHelpLine(In, line)) {
        if (!MessageKeyMatches(line, Message)) continue;
        help.Found = true;
        ReadHelpLine(In, help.Origin);
        ReadHelpLine(In, help.Remedy);
        break;
    }
    return help;
}
