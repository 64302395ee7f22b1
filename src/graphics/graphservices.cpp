#include "graphics/graphservices.h"

#include "foundation/programstate.h"
#include "foundation/numbertext.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"

TGraphServices graphservices;

namespace
{

void PromptText(const std::string& Prompt, int MaxLength, std::string& Text)
{
    platform::TextPromptRequest r;
    r.Prompt = Prompt;
    r.Text = Text;
    r.MaxLength = MaxLength;
    const std::optional<std::string> answer = platform::CurrentPlatform().Prompt().AskText(r);
    if (!answer) {
        telmvar.Aborted = true;
        return;
    }
    Text = answer->substr(0, static_cast<size_t>(std::max(MaxLength, 0)));
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

} // namespace

void ResetGraphServices()
{
    graphservices.AskText = PromptText;
    graphservices.AskLengthInRange = PromptLength;
    graphservices.ConfigurePlotCommandLine = [](std::string&) {};
    graphservices.EditPlotCommandLine = [](std::string&, int) {};
}

namespace
{
struct InitServices {
    InitServices() { ResetGraphServices(); }
} initServices;
} // namespace
