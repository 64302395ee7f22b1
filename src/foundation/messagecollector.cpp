#include "foundation/messagecollector.h"

#include "foundation/programstate.h"
#include "foundation/textcopy.h"

#include <algorithm>
#include <iterator>
#include <utility>

TError0 error0;

namespace {

// Left-out texts of earlier runs, emptied but keeping their room: a stage
// with many findings leaves texts out in every calculation, and each of them
// allocated anew after the reset had freed the last ones. Room only: nothing
// reads what they held.
std::vector<std::string> spareTexts;

void ForgetLeftOut()
{
    // Usually every spare text has been taken again since the last reset.
    if (spareTexts.empty()) {
        spareTexts.swap(error0.LeftOutTexts);
        error0.LeftOutJudgement.clear();
        return;
    }
    for (auto& text : error0.LeftOutTexts) {
        if (spareTexts.size() >= LeftOutTextsMax) break;
        spareTexts.push_back(std::move(text));
    }
    error0.LeftOutTexts.clear();
    error0.LeftOutJudgement.clear();
}

bool TextsDropped() { return error0.Muted || (error0.JudgementsFollow && error0.JudgementsDropped); }

// A text the list keeps, unless it holds it already.
void AddKeptText(std::string_view Text)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (std::string_view(error0.ErrorTexts[i]) == Text) return;
    // The list shows at most twelve texts; the first ones are the causes,
    // later ones are mostly their consequences. A later one is still kept
    // aside, so that the list can say it left texts out and a batch run can
    // print them: a failing gear judged last must not vanish without a sign.
    if (error0.ErrorCount < TArray<std::string, 1, 12>::High) {
        ++error0.ErrorCount;
        CopyText(error0.ErrorTexts[error0.ErrorCount], Text);
        error0.IsJudgement[error0.ErrorCount] = error0.JudgementsFollow;
        return;
    }
    auto& rest = error0.LeftOutTexts;
    if (rest.size() >= LeftOutTextsMax ||
        std::any_of(rest.begin(), rest.end(), [Text](const std::string& t) { return std::string_view(t) == Text; }))
        return;
    if (spareTexts.empty()) {
        rest.emplace_back(Text);
    } else {
        rest.push_back(std::move(spareTexts.back()));
        spareTexts.pop_back();
        CopyText(rest.back(), Text);
    }
    error0.LeftOutJudgement.push_back(error0.JudgementsFollow);
}

void AddText(std::string_view Text)
{
    if (!TextsDropped())
        AddKeptText(Text);
}

} // namespace

void AddErrorMessage(const std::string& Text) { AddText(Text); }

void AddErrorMessageParts(std::initializer_list<std::string_view> Parts)
{
    if (TextsDropped())
        return;
    // Joined on the stack: the texts of the list are short.
    char buffer[160];
    char* at = buffer;
    for (const std::string_view part : Parts) {
        if (part.size() > static_cast<std::size_t>(std::end(buffer) - at)) {
            std::string whole;
            for (const std::string_view p : Parts)
                whole.append(p);
            AddKeptText(whole);
            return;
        }
        std::char_traits<char>::copy(at, part.data(), part.size());
        at += part.size();
    }
    AddKeptText(std::string_view(buffer, static_cast<std::size_t>(at - buffer)));
}

void AddFatalMessage(const std::string& Text)
{
    AddErrorMessage(Text);
    if (!telmvar.FatalCalcError || error0.FatalText.empty())
        error0.FatalText = Text;
    telmvar.FatalCalcError = true;
}

void AddJudgementMessage(const std::string& Text)
{
    const TJudgementMessages judgement;
    AddErrorMessage(Text);
}

std::size_t LeftOutMessageCount() { return error0.LeftOutTexts.size(); }

std::vector<TCollectedMessage> CollectedMessages()
{
    std::vector<TCollectedMessage> all;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        all.push_back({error0.ErrorTexts[i], error0.IsJudgement[i]});
    for (std::size_t i = 0; i < error0.LeftOutTexts.size(); ++i)
        all.push_back({error0.LeftOutTexts[i], error0.LeftOutJudgement[i]});
    return all;
}

void AddCollectedMessage(const TCollectedMessage& Message)
{
    if (Message.Judgement)
        AddJudgementMessage(Message.Text);
    else
        AddErrorMessage(Message.Text);
}

void ResetErrorState()
{
    error0.ErrorCount = 0;
    error0.FatalText.clear();
    ForgetLeftOut();
    telmvar.FatalCalcError = false;
    telmvar.Aborted = false;
}

void ClearErrorMessages()
{
    error0.ErrorCount = 0;
    for (auto& text : error0.ErrorTexts)
        text.clear();
    error0.IsJudgement = {};
    ForgetLeftOut();
}

void ResetError0()
{
    error0 = TError0{};
    spareTexts = {};
}
