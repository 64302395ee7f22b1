#pragma once
// The message list shown after a calculation, the help of each message from
// the message help file, and the messages section of the reports.
//
// A calculation collects at most twelve texts in error0.ErrorTexts, each
// beginning with "Fatal  : ", "Error  : " or "Warning: "; on a full list an
// error takes the place of the last warning. After the guided
// input, after the printed reports, and in place of any report while
// telmvar.FatalCalcError is set, the program shows them in a choice list;
// picking one shows its origin and remedy, which the user may edit and save
// back into the help file.

#include <functional>
#include <string>

// Model of the form "Error Message": the message (read only), its origin and
// remedy (editable), OK and Help. The Qt form binds to it; tests drive it.
class THelperrModel
{
  public:
    static constexpr const char* Caption = "Error Message";
    static constexpr const char* MessageLabel = "Error Message";
    static constexpr const char* OriginLabel = "Origin";
    static constexpr const char* RemedyLabel = "Remedy";
    static constexpr const char* OkCaption = "OK";
    static constexpr const char* HelpCaption = "&Help";

    // The texts as stored (DOS code page); the model holds them displayable.
    THelperrModel(const std::string& Message, const std::string& Origin, const std::string& Remedy);

    const std::string& Message() const { return message_; }
    const std::string& Origin() const { return origin_; }
    const std::string& Remedy() const { return remedy_; }
    bool MessageHelpModified() const { return modified_; }

    void Shown() { modified_ = false; }
    void SetOrigin(const std::string& Text);
    void SetRemedy(const std::string& Text);

    // OK: when a text was changed and the user answers Yes to "Save
    // Changes ?", the texts go back into the help file.
    void Ok();
    // Help: help entry 1970.
    void Help();

  private:
    std::string message_, origin_, remedy_;
    bool modified_ = false;
};

struct TUhelperr {
    // Shows the form modally (the GUI installs its form). Headless: the
    // three texts go to standard error.
    std::function<void(THelperrModel&)> ShowHelperrForm;
    // When set, the message list is not a dialog but this text: every
    // message with its origin and remedy (batch runs and the headless
    // platform). The GUI clears it.
    std::function<void(const std::string& Text)> MessageListAsText;
};

extern TUhelperr uhelperr;

// Headless start-up state: the form and the list go to standard error as text.
void ResetUhelperr();

// PltDir + ProgramFileStem + ".err".
std::string MessageHelpFileName();

void ShowMessageList();
void ShowMessageHelp(int n);
void ShowErrorHelpForm(const std::string& Message, const std::string& Origin, const std::string& Remedy);
void GetMessageOrigin(int n, std::string& Origin);
void GetMessageRemedy(int n, std::string& Remedy);
void SaveMessageHelp(const std::string& Message, const std::string& Origin, const std::string& Remedy);

// "... and 3 more messages" when texts found no room among the twelve the
// list holds; empty otherwise.
std::string LeftOutMessagesLine();

// The messages with their help texts as lines of text (the headless list).
std::string FormatMessageListText();

// The messages section of an open report.
void PrintReportMessages();
// A page holding only the messages section.
void PrintMessagesPage();
// The "Error Messages" command: the messages as a report on the screen.
void ViewErrorMessages();
