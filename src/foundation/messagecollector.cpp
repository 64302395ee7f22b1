#include "foundation/messagecollector.h"

#include "foundation/programstate.h"

#include <algorithm>

TError0 error0;

namespace {

void ForgetLeftOut()
{
    error0.LeftOutTexts.clear();
    error0.LeftOutJudgement.clear();
}

} // namespace

void AddErrorMessage(const std::string& Text)
{
    if (error0.Muted || (error0.JudgementsFollow && error0.JudgementsDropped))
        return;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i] == Text) return;
    // The list shows at most twelve texts; the first ones are the causes,
    // later ones are mostly their consequences. A later one is still kept
    // aside, so that the list can say it left texts out and a batch run can
    // print them: a failing gear judged last must not vanish without a sign.
    if (error0.ErrorCount < TArray<std::string, 1, 12>::High) {
        ++error0.ErrorCount;
        error0.ErrorTexts[error0.ErrorCount] = Text;
        error0.IsJudgement[error0.ErrorCount] = error0.JudgementsFollow;
        return;
    }
    auto& rest = error0.LeftOutTexts;
    if (std::find(rest.begin(), rest.end(), Text) != rest.end() || rest.size() >= LeftOutTextsMax)
        return;
    rest.push_back(Text);
    error0.LeftOutJudgement.push_back(error0.JudgementsFollow);
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
}
