#include "dialogs/prompts.h"

#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "platform/platform.h"

#include <cmath>
#include <optional>

namespace
{

platform::Platform& P()
{
    return platform::CurrentPlatform();
}

// The two help buttons of every prompt show the current help entry as text
// or as picture; the dialog stays open.
platform::HelpButtons HelpButtonsOfEntry()
{
    platform::HelpButtons help;
    help.OnHelpText = [] { ShowHelpText(telmvar.HelpNumber, 0, 1); };
    help.OnHelpImage = [] { ShowHelpText(telmvar.HelpNumber, 0, 2); };
    return help;
}

// A rejected input: the beep, then the error box. The loop of the caller
// asks again.
void RejectInput(const std::string& Message)
{
    P().Bell().Beep();
    ShowErrorBox(Message);
}

// Number texts are right-aligned in their field; the edit shows them without
// the padding.
std::string Significant3(Extended X)
{
    return TrimBlanks(FloatToSignificant(X));
}

// The input prompt of one text: nullopt on Cancel (Aborted set), else the
// text as typed. A file name is shown and given back as the file system's
// bytes, any other text in its display form.
std::optional<std::string> AskEntry(const std::string& Prompt, int MaxLength, const std::string& Shown,
                                    bool FileName)
{
    platform::TextPromptRequest r;
    r.Caption = "Input";
    r.Prompt = DisplayText(Prompt);
    r.Text = Shown;
    r.MaxLength = MaxLength;
    r.Help = HelpButtonsOfEntry();
    r.FileName = FileName;
    std::optional<std::string> typed = P().Prompt().AskText(r);
    if (!typed) telmvar.Aborted = true;
    return typed;
}

// The text prompt without the code-page round trip on an unchanged answer.
std::optional<std::string> AskDisplayText(const std::string& Prompt, int MaxLength, const std::string& Shown)
{
    return AskEntry(Prompt, MaxLength, Shown, false);
}

// The yes/no dialog: 0 yes, 1 no; nullopt on Cancel (Aborted set).
std::optional<int> AskYesNoIndex(const std::string& Prompt, int Preset)
{
    platform::SelectionRequest r;
    r.Caption = "Input";
    r.Prompt = DisplayText(Prompt);
    r.Items = {"&Yes", "&No"};
    r.Selected = Preset;
    r.Style = platform::SelectionStyle::YesNo;
    r.Help = HelpButtonsOfEntry();
    std::optional<int> picked = P().Prompt().Select(r);
    if (!picked || *picked < 0 || *picked > 1) {
        telmvar.Aborted = true;
        return std::nullopt;
    }
    return picked;
}

} // namespace

std::string InvalidInputText(const std::string& Text)
{
    return "Invalid Input \"" + Text + "\" !";
}

void SetInputHelpNumber(uint16_t N)
{
    telmvar.HelpNumber = N;
}

void AskSelect(const std::string& Prompt, uint16_t Count, uint16_t& Choice)
{
    if (Choice == 0 || Choice > Count) Choice = 1;
    platform::SelectionRequest r;
    r.Caption = "Select";
    r.Prompt = DisplayText(Prompt);
    const int n = std::min<int>(Count, telmvar.TextItems.High);
    for (int i = 1; i <= n; ++i)
        r.Items.push_back(DisplayText(telmvar.TextItems[i]));
    r.Selected = Choice - 1;
    r.Style = Count >= 8 ? platform::SelectionStyle::List : platform::SelectionStyle::Radio;
    r.Help = HelpButtonsOfEntry();
    const std::optional<int> picked = P().Prompt().Select(r);
    if (!picked || *picked < 0 || *picked >= n) {
        telmvar.Aborted = true;
        return;
    }
    Choice = static_cast<uint16_t>(*picked + 1);
}

void AskYesNoChar(const std::string& Prompt, char& Answer)
{
    const bool no = Answer == 'N' || Answer == 'n';
    const std::optional<int> picked = AskYesNoIndex(Prompt, no ? 1 : 0);
    if (!picked) return;
    Answer = *picked == 1 ? 'N' : 'J';
}

void AskYesNoFlag(const std::string& Prompt, bool& Flag)
{
    // Cancel leaves the character as it was mapped, so the flag too.
    char c = Flag ? 'J' : 'N';
    AskYesNoChar(Prompt, c);
    Flag = c != 'N';
}

void AskTextCore(const std::string& Prompt, int MaxLength, std::string& Text)
{
    const std::string shown = DisplayText(Text);
    const std::optional<std::string> typed = AskDisplayText(Prompt, MaxLength, shown);
    if (!typed) return;
    // An untouched text keeps its stored bytes: the code-page round trip is
    // not the identity for every DOS character.
    if (*typed == shown) return;
    Text = AnsiTextToOem(*typed);
}

void AskText(const std::string& Prompt, int MaxLength, std::string& Text)
{
    AskTextCore(Prompt, MaxLength, Text);
}

void AskFileName(const std::string& Prompt, int MaxLength, std::string& Name)
{
    if (const std::optional<std::string> typed = AskEntry(Prompt, MaxLength, Name, true)) Name = *typed;
}

void AskValueInRange(const std::string& Prompt, Extended& Value, Extended Min, Extended Max)
{
    Extended v = Value;
    for (;;) {
        const std::string shown = Significant3(v);
        const std::optional<std::string> typed = AskDisplayText(Prompt, 30, shown);
        if (!typed) return;
        if (*typed != shown) {
            Extended parsed = 0;
            // "nan", "inf" and overflowing exponents are no numbers here:
            // they would pass or break every later comparison.
            if (!TryTextToFloat(TrimBlanks(*typed), parsed) || !std::isfinite(parsed)) {
                RejectInput(InvalidInputText(*typed));
                v = Value;
                continue;
            }
            v = parsed;
        }
        if (Min <= v && v <= Max) {
            Value = v;
            return;
        }
        RejectInput("Valid Data are: " + Significant3(Min) + " .. " + Significant3(Max) + " !");
    }
}

void AskDoubleInRange(const std::string& Prompt, double& Value, double Min, double Max)
{
    Extended v = Value;
    const Extended before = v;
    AskValueInRange(Prompt, v, Min, Max);
    if (v != before) Value = static_cast<double>(v);
}

void AskLengthInRange(const std::string& Prompt, Extended& Value, Extended Min, Extended Max)
{
    if (wtelmvar.UnitSystem != 1) {
        AskValueInRange(Prompt + " [mm]", Value, Min, Max);
        return;
    }
    const Extended inches = Value / 25.4L;
    Extended v = inches;
    AskValueInRange(Prompt + " [inch]", v, Min / 25.4L, Max / 25.4L);
    // Accepted unchanged: the length in mm as it was, not its round trip
    // through inches.
    if (v != inches) Value = v * 25.4L;
}

void AskIntegerInRange(const std::string& Prompt, int32_t& Value, int32_t Min, int32_t Max)
{
    if (Min > Max) std::swap(Min, Max);
    int32_t v = Value;
    for (;;) {
        const std::optional<std::string> typed = AskDisplayText(Prompt, 12, IntToText(v));
        if (!typed) return;
        int32_t parsed = 0;
        if (!TryTextToInt(TrimBlanks(*typed), parsed)) {
            RejectInput(InvalidInputText(*typed));
            v = Value;
            continue;
        }
        v = parsed;
        if (Min <= v && v <= Max) {
            Value = v;
            return;
        }
        RejectInput("Valid Data are: " + IntToText(Min) + " .. " + IntToText(Max) + " !");
    }
}

void AskIntInRange(const std::string& Prompt, int32_t& Value, int32_t Min, int32_t Max)
{
    int32_t v = Value;
    AskIntegerInRange(Prompt, v, Min, Max);
    Value = v;
}

void AskWordInRange(const std::string& Prompt, uint16_t& Value, uint16_t Min, uint16_t Max)
{
    int32_t v = Value;
    AskIntegerInRange(Prompt, v, Min, Max);
    Value = static_cast<uint16_t>(v);
}

void ShowSplashScreen()
{
    platform::TextScreenRequest r;
    r.Caption = telmvar.ProgramName;
    for (int i = 1; i <= 22; ++i)
        r.Lines.push_back(DisplayText(telmvar.TextItems[i]));
    P().Prompt().ShowTextScreen(r);
}
