#include "graphics/graphservicedefaults.h"

#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "graphics/plotprogram.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

TGraphServices graphservices;

namespace
{

void PromptText(const std::string& Prompt, int MaxLength, std::string& Text, bool FileName = false)
{
    platform::TextPromptRequest r;
    r.Prompt = Prompt;
    r.Text = Text;
    r.MaxLength = MaxLength;
    r.FileName = FileName;
    const std::optional<std::string> answer = platform::CurrentPlatform().Prompt().AskText(r);
    if (!answer) {
        telmvar.Aborted = true;
        return;
    }
    // The edit counts characters; a name's are bytes of UTF-8, and cutting
    // those would split a character.
    Text = FileName ? *answer : answer->substr(0, static_cast<size_t>(std::max(MaxLength, 0)));
}

void PromptLength(const std::string& Prompt, Extended& Value, Extended Low, Extended High)
{
    // Asked again until the answer is a number within the range; Cancel
    // leaves the value.
    std::string text = FloatToSignificantPoint(Value);
    for (;;) {
        PromptText(Prompt + " [mm]", 40, text);
        if (telmvar.Aborted) return;
        Extended v = 0;
        if (TryTextToFloat(text, v) && v >= Low && v <= High) {
            Value = v;
            return;
        }
        reportservices.ShowMessageBox("Invalid Input\r\n" + FloatToSignificantPoint(Low) + " .. " +
                                      FloatToSignificantPoint(High));
    }
}

// Asks until the text is a number within the range; Cancel leaves Value.
template <typename T> void PromptNumber(const std::string& Prompt, T& Value, T Low, T High)
{
    std::string text = FloatToSignificantPoint(static_cast<Extended>(Value));
    for (;;) {
        PromptText(Prompt, 40, text);
        if (telmvar.Aborted) return;
        Extended v = 0;
        if (TryTextToFloat(text, v) && v >= static_cast<Extended>(Low) && v <= static_cast<Extended>(High) &&
            (std::is_floating_point_v<T> || v == std::floor(v))) {
            Value = static_cast<T>(v);
            return;
        }
        reportservices.ShowMessageBox("Invalid Input\r\n" +
                                      FloatToSignificantPoint(static_cast<Extended>(Low)) + " .. " +
                                      FloatToSignificantPoint(static_cast<Extended>(High)));
    }
}

void PromptYesNo(const std::string& Prompt, bool& Flag)
{
    platform::SelectionRequest r;
    r.Prompt = Prompt;
    r.Items = {"Yes", "No"};
    r.Selected = Flag ? 0 : 1;
    r.Style = platform::SelectionStyle::YesNo;
    const std::optional<int> answer = platform::CurrentPlatform().Prompt().Select(r);
    if (!answer) {
        telmvar.Aborted = true;
        return;
    }
    Flag = *answer == 0;
}

void PromptSelect(const std::string& Prompt, int Count, uint16_t& Choice)
{
    if (Choice == 0 || Choice > Count) Choice = 1;
    platform::SelectionRequest r;
    r.Prompt = Prompt;
    const int n = std::min<int>(Count, telmvar.TextItems.High);
    for (int i = 1; i <= n; ++i)
        r.Items.push_back(telmvar.TextItems[i]);
    r.Selected = Choice - 1;
    r.Style = Count >= 8 ? platform::SelectionStyle::List : platform::SelectionStyle::Radio;
    const std::optional<int> answer = platform::CurrentPlatform().Prompt().Select(r);
    if (!answer || *answer < 0 || *answer >= n) {
        telmvar.Aborted = true;
        return;
    }
    Choice = static_cast<uint16_t>(*answer + 1);
}

} // namespace

void ResetGraphServices()
{
    graphservices.AskText = [](const std::string& P, int Max, std::string& T) { PromptText(P, Max, T); };
    graphservices.AskFileName = [](const std::string& P, int Max, std::string& N) {
        PromptText(P, Max, N, true);
    };
    graphservices.AskLengthInRange = PromptLength;
    graphservices.AskWordInRange = PromptNumber<uint16_t>;
    graphservices.AskDoubleInRange = PromptNumber<Extended>;
    graphservices.AskYesNoFlag = PromptYesNo;
    graphservices.AskSelect = PromptSelect;
    graphservices.AskIntInRange = PromptNumber<int32_t>;
    graphservices.ReadHelpHint = [](int) { return std::string(); };
    graphservices.ConfigurePlotCommandLine = [](std::string&) {};
    graphservices.EditPlotCommandLine = EditPlotCommandLine;
    graphservices.EnterDiagramLimits = [](const std::string&, const std::string&, const std::string&,
                                          Extended, Extended, Extended, Extended) { telmvar.Aborted = true; };
}

namespace
{
struct InitServices {
    InitServices() { ResetGraphServices(); }
} initServices;
} // namespace
