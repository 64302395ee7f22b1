#include "foundation/messagecollector.h"

#include "foundation/programstate.h"

TError0 error0;

void AddErrorMessage(const std::string& Text)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i] == Text) return;
    // The list shows at most twelve texts; the first ones are the causes,
    // later ones are mostly their consequences, so a thirteenth is dropped.
    if (error0.ErrorCount < TArray<std::string, 1, 12>::High) {
        ++error0.ErrorCount;
        error0.ErrorTexts[error0.ErrorCount] = Text;
    }
}

void ResetErrorState()
{
    error0.ErrorCount = 0;
    telmvar.FatalCalcError = false;
    telmvar.Aborted = false;
}

void ClearErrorMessages()
{
    error0.ErrorCount = 0;
    for (auto& text : error0.ErrorTexts)
        text.clear();
}

void ResetError0()
{
    error0 = TError0{};
}

void AddFatalMessage(const std::string& Text)
{
    AddErrorMessage(Text);
    telmvar.FatalCalcError = true;
}
