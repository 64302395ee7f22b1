#include "dialogs/helptext.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "platform/platform.h"

#include <fstream>
#include <istream>
#include <string_view>

namespace
{

// One line without its line end; a CR before the LF belongs to the line end.
bool NextLine(std::istream& In, std::string& Line)
{
    if (!std::getline(In, Line)) return false;
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    return true;
}

// The value of the first four characters as the number reader takes them:
// leading blanks, a sign, then digits only; -1 when they are no number.
// Runs on every line of a search, so it allocates nothing.
int32_t HeaderNumber(std::string_view Line)
{
    const std::string_view s = Line.substr(0, 4);
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) return -1;
    int32_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        v = v * 10 + (s[i] - '0');
    }
    return negative ? -v : v;
}

std::string PictureOf(const std::string& Line)
{
    const std::size_t colon = Line.find(':');
    return colon == std::string::npos ? std::string("NULL") : TrimBlanks(Line.substr(colon + 1));
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
    return "File " + FileNameToOem(Name) + " " + "not found" + " !";
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
    Number = HeaderNumber(Line);
    Picture = PictureOf(Line);
}

THelpEntry FindHelpEntry(std::istream& File, uint16_t N)
{
    THelpEntry e;
    std::string line;
    std::string header;
    std::string first;
    int32_t number = -1;
    for (;;) {
        if (!NextLine(File, line)) return e;
        number = HeaderNumber(line);
        if (number != -1) {
            header.swap(line);
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
    e.Picture = PictureOf(header);
    e.Lines[1] = first;
    int k = 2;
    while (k <= 5 && NextLine(File, line)) {
        const int32_t n = HeaderNumber(line);
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
    // A picture button of an entry that names no picture would only blank
    // the graphics window and say nothing: the drawing stays and the entry's
    // text answers instead. (A missing entry still draws the picture "null".)
    if (Mode == 2 && e.Found && (e.Picture.empty() || e.Picture == "NULL")) Mode = 1;
    if (Mode == 0 || Mode == 1) {
        std::string text;
        for (int k = 1; k <= 5; ++k)
            text += e.Lines[k] + " ";
        const std::string caption = "HELP TEXT" + std::string(" ") + "No" + "." + IntToText(N);
        platform::CurrentPlatform().Messages().ShowOk(DisplayText(caption), DisplayText(text),
                                                      platform::MessageIcon::Information);
    }
    if (Mode == 0 || Mode == 2) {
        // Clear before Header: Header records the picture's world window,
        // which a later Clear would drop again.
        GraphFacade.Clear();
        GraphFacade.Header(0, 0, 160, 120);
        // A missing entry draws the picture "null" of the picture directory.
        if (!e.Picture.empty() && e.Picture != "NULL")
            RunHpglFile(AddTrailingBackslash(telmvar.PltDir) + e.Picture + ".plt");
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
