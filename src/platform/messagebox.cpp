#include "platform/messagebox.h"

namespace platform
{

MessageAnswer SafeDefaultAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

const char* MessageAnswerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return "OK";
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    case MessageAnswer::Cancel:
        return "Cancel";
    }
    return "?";
}

MessageAnswer MessageBoxes::ShowOk(const std::string& caption, const std::string& text, MessageIcon icon)
{
    return Show({caption, text, icon, MessageButtons::Ok});
}

MessageAnswer MessageBoxes::AskYesNo(const std::string& caption, const std::string& text, MessageIcon icon)
{
    return Show({caption, text, icon, MessageButtons::YesNo});
}

MessageAnswer MessageBoxes::AskYesNoCancel(const std::string& caption, const std::string& text,
                                           MessageIcon icon)
{
    return Show({caption, text, icon, MessageButtons::YesNoCancel});
}

} // namespace platform
