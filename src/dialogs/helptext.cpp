#include "dialogs/helptext.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/utilstr.h"
#include "platform/platform.h"

#include <fstream>
#include <istream>

THelpPictures helppictures;

void ResetHelpPictures()
{
    helppictures = THelpPictures{};
}

namespace
{

// One line without its line end; a CR before the LF belongs to the line end.
bool NextLine(std::istream& In, std::string& Line)
{
    if (!std::getline(In, Line)) return false;
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    return true;
}

bool IsEntryHeader(int32_t Number)
{
    return Number != -1 && Number % 5 == 0;
}

std::string MissingEntryText(uint16_t N)
{
    return "help text No " + IntToText(N) + ": " + "No help available" + ".";
}

std::string MissingFileText(const std::string& Name)
{
    return "File " + Name + " " + "not found" + " !";
}

} // namespace

std::string HelpFileName(uint16_t N)
{
    const std::string file = N >= 4000 ? LowerCaseText(telmvar.ProgramFileStem) + ".hlp" : "telmora.hlp";
    return AddTrailingBackslash(telmvar.PltDir) + file;
}

void HelpFileName(uint16_t N, std::string& Name)
{
    Name = HelpFileName(N);
}

void ParseHelpHeader(const std::string& Line, int32_t& Number, std::string& Picture)
{
    int32_t value = 0;
    Number = TryTextToInt(Line.substr(0, 4), value) ? value : -1;
    const std::size_t colon = Line.find(':');
    Picture = colon == std::string::npos ? std::string("NULL") : TrimBlanks(Line.substr(colon + 1));
}

THelpEntry FindHelpEntry(std::istream& File, uint16_t N)
{
    THelpEntry e;
    std::string line;
    std::string first;
    int32_t number = -1;
    std::string picture;
    for (;;) {
        if (!NextLine(File, line)) return e;
        ParseHelpHeader(line, number, picture);
        if (number != -1) {
            // The line after a header is its first text line, whatever it
            // holds. A header on the last line has an empty first line: the
            // last entry of a file is found like any other.
            if (!NextLine(File, first)) first.clear();
        } else {
            first = line;
        }
        if (number == N) break;
        if (!File) return e;
    }
    e.Found = true;
    e.Picture = picture;
    e.Lines[1] = first;
    int k = 2;
    while (k <= 5 && NextLine(File, line)) {
        int32_t n = -1;
        std::string unused;
        ParseHelpHeader(line, n, unused);
        if (IsEntryHeader(n)) {
            e.EndedAtHeader = true;
            break;
        }
        if (n == -1) {
            e.Lines[k++] = line;
            continue;
        }
        // A sub-entry N + j holds text line j + 1; lines it skips stay empty.
        std::string text;
        NextLine(File, text);
        const int32_t j = n - static_cast<int32_t>(N) + 1;
        if (j >= k && j <= 5) {
            k = j;
            e.Lines[k] = text;
        }
        ++k;
    }
    return e;
}

THelpEntry ReadHelpEntry(uint16_t N)
{
    const std::string name = HelpFileName(N);
    std::ifstream in(NativePath(name), std::ios::binary);
    THelpEntry e;
    if (!in) {
        e.Lines[1] = MissingFileText(name);
    } else {
        e = FindHelpEntry(in, N);
        if (!e.Found) {
            e = THelpEntry{};
            e.Lines[1] = MissingEntryText(N);
            e.Picture = "null";
        }
    }
    telmvar.Aborted = false;
    return e;
}

void ShowHelpText(uint16_t N, int /*Spare*/, int Mode)
{
    if (N == 0) N = telmvar.HelpNumber;
    if (Mode < 0 || Mode > 2) return;
    const THelpEntry e = ReadHelpEntry(N);
    if (Mode == 0 || Mode == 1) {
        std::string text;
        for (int k = 1; k <= 5; ++k)
            text += e.Lines[k] + " ";
        const std::string caption = "HELP TEXT" + std::string(" ") + "No" + "." + IntToText(N);
        platform::CurrentPlatform().Messages().ShowOk(DisplayText(caption), DisplayText(text),
                                                      platform::MessageIcon::Information);
    }
    if (Mode == 0 || Mode == 2) {
        if (helppictures.StartPicture) helppictures.StartPicture();
        if (!e.Picture.empty() && e.Picture != "NULL" && helppictures.DrawPltFile)
            helppictures.DrawPltFile(AddTrailingBackslash(telmvar.PltDir) + e.Picture + ".plt");
    }
}

std::string HelpHintOf(const THelpEntry& Entry, uint16_t N)
{
    if (!Entry.Found) return DisplayText(Entry.Lines[1]);
    std::string text;
    for (int k = 1; k <= 5; ++k) {
        if (k > 1) text += " ";
        text += DisplayText(Entry.Lines[k]);
    }
    if (Entry.EndedAtHeader && telmvar.HelpLevel >= 2) text += " (" + IntToText(N) + ")";
    return text;
}

void ReadHelpHint(uint16_t N, std::string& Text)
{
    if (N == 0) N = telmvar.HelpNumber;
    Text = HelpHintOf(ReadHelpEntry(N), N);
}

void GetHelpHint(uint16_t N, std::string& Text)
{
    ReadHelpHint(N, Text);
}

std::string GetHelpHint(uint16_t N)
{
    std::string text;
    ReadHelpHint(N, text);
    return text;
}

void SetHelpNumber(uint16_t N)
{
    telmvar.HelpNumber = N;
}
