#include "dialogs/messageboxes.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "platform/platform.h"

TMessageboxes messageboxes;

void ResetMessageboxes()
{
    messageboxes = TMessageboxes{};
}

namespace
{

platform::MessageIcon IconByKind(int Kind)
{
    switch (Kind) {
    case 12:
        return platform::MessageIcon::Error;
    case 3:
    case 11:
        return platform::MessageIcon::Information;
    default:
        return platform::MessageIcon::None;
    }
}

} // namespace

std::string MessageCaptionByKind(int Kind)
{
    if (Kind == 12) return "Error  : ";
    if (Kind == 3) return "Help";
    return "Message:";
}

void MessageBoxByKind(const std::string& Text, int Kind)
{
    platform::CurrentPlatform().Messages().ShowOk(MessageCaptionByKind(Kind),
                                                  DisplayText(NulBytesShown(Text)), IconByKind(Kind));
}

void ShowErrorBox(const std::string& Text)
{
    MessageBoxByKind(Text, 12);
}
void ShowInfoBox(const std::string& Text)
{
    MessageBoxByKind(Text, 11);
}
void ShowMessageBox(const std::string& Text)
{
    MessageBoxByKind(Text, 0);
}

void ShowMessageIfEnabled(const std::string& Text)
{
    if (telmvar.MessagesEnabled) MessageBoxByKind(Text, 12);
}

void ShowMessageCaption(const std::string& Caption, const std::string& Text)
{
    platform::CurrentPlatform().Messages().ShowOk(DisplayText(Caption), DisplayText(Text));
}

void ShowPlainMessage(const std::string& Text)
{
    platform::CurrentPlatform().Messages().ShowOk(telmvar.ProgramName, ConvertTextCodePage(Text));
}

void ArchiveModeMessage()
{
    ShowMessageIfEnabled("Option is not available in archive mode.");
}

bool AskYesNoCancel(const std::string& Text)
{
    const auto answer = platform::CurrentPlatform().Messages().AskYesNoCancel(
        DisplayText(telmvar.ProgramTitle), DisplayText(Text));
    if (answer == platform::MessageAnswer::Cancel) telmvar.Aborted = true;
    return answer == platform::MessageAnswer::Yes;
}

bool QueryYesNo(const std::string& Text)
{
    const std::string copy = Text;
    return AskYesNoCancel(copy);
}

void SetHourglassCursor()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Hourglass);
}
void SetArrowCursor()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
}
void RestoreCursor()
{
    SetArrowCursor();
}

std::string UpdateAppTitle()
{
    // The project name is a file name as the file system has it: it reaches
    // the caption apart from the program's text, which is shown from 437.
    std::string title = telmvar.ProgramTitle;
    const std::string name = ProjectTitleName();
    if (!name.empty()) title += "  -  ";
    platform::CurrentPlatform().MainWindow().SetTitleWithFileName(DisplayText(title), name);
    title += name;
    SetArrowCursor();
    return title;
}

void ShowStatusText(const std::string&) {}
