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

std::vector<std::string_view> HelpLines(std::string_view Text)
{
    std::vector<std::string_view> lines;
    while (!Text.empty()) {
        const std::size_t end = std::min(Text.find('\n'), Text.size());
        std::string_view line = Text.substr(0, end);
        Text.remove_prefix(std::min(end + 1, Text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

namespace
{

std::string_view WithoutTrailingBlanks(std::string_view Text)
{
    const std::size_t end = Text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : Text.substr(0, end + 1);
}

// The line equal to Whole, trailing blanks aside; Lines.size() when none is.
std::size_t WholeKeyLine(const std::vector<std::string_view>& Lines, std::string_view Whole)
{
    Whole = WithoutTrailingBlanks(Whole);
    if (Whole.empty()) return Lines.size();
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (WithoutTrailingBlanks(Lines[i]) == Whole) return i;
    return Lines.size();
}

} // namespace

std::size_t FindMessageKeyLine(const std::vector<std::string_view>& Lines, std::string_view Message)
{
    // The whole message first: messages that start alike ("Fatal  : alpha
    // !", "Fatal  : alpha wt !") have records of their own, which the
    // fourteen characters alone would give to the first of them.
    if (const std::size_t whole = WholeKeyLine(Lines, Message); whole < Lines.size()) return whole;
    // A mesh's message as the stage repeats it: "text (S-Pi)".
    const std::string_view text = WithoutTrailingBlanks(Message);
    if (const std::size_t open = text.rfind(" ("); text.ends_with(')') && open != std::string_view::npos)
        if (const std::size_t whole = WholeKeyLine(Lines, text.substr(0, open)); whole < Lines.size())
            return whole;
    // Otherwise the first record starting alike: a message with a number
    // after its fixed start finds the record of that start.
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (MessageKeyMatches(Lines[i], Message)) return i;
    return Lines.size();
}

TMessageHelp FindMessageHelp(std::string_view Text, const std::string& Message)
{
    const std::vector<std::string_view> lines = HelpLines(Text);
    const std::size_t key = FindMessageKeyLine(lines, Message);
    TMessageHelp help;
    if (key == lines.size()) return help;
    help.Found = true;
    if (key + 1 < lines.size()) help.Origin = lines[key + 1];
    if (key + 2 < lines.size()) help.Remedy = lines[key + 2];
    return help;
}
