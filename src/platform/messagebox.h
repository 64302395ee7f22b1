#pragma once
// Message boxes: a caption, a text and a fixed set of buttons. The
// calculation and file code asks its questions through this interface from
// deep inside its routines, so every back end must answer without a window
// too: the headless one answers from a script (tests) or with the safe
// default (batch runs).
//
// Texts are Windows-1252 byte strings, as everywhere in the program; only the
// back end converts them for its toolkit or terminal.

#include <string>

namespace platform
{

enum class MessageIcon { None, Error, Warning, Information, Question };

enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };

enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    std::string Caption;
    std::string Text;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::Ok;
};

// The answer that can do no harm when nobody is there to give one: an
// information box is acknowledged, a question is declined (No), and where
// Cancel is offered it is taken, so an overwrite, a save or a restore is
// never done unasked.
MessageAnswer SafeDefaultAnswer(MessageButtons buttons);

const char* MessageAnswerName(MessageAnswer answer);

class MessageBoxes
{
  public:
    virtual ~MessageBoxes() = default;

    // Shows the box modally and returns the button pressed. Closing the box
    // without a button counts as Cancel where Cancel is offered, as No for
    // Yes/No and as OK for an OK box.
    virtual MessageAnswer Show(const MessageRequest& request) = 0;

    MessageAnswer ShowOk(const std::string& caption, const std::string& text,
                         MessageIcon icon = MessageIcon::Information);
    MessageAnswer AskYesNo(const std::string& caption, const std::string& text,
                           MessageIcon icon = MessageIcon::Question);
    MessageAnswer AskYesNoCancel(const std::string& caption, const std::string& text,
                                 MessageIcon icon = MessageIcon::Question);
};

} // namespace platform
