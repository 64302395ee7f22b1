#include "foundation/messagecollector.h"

#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "foundation/textcopy.h"
#include "foundation/textutil.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/platform.h"

TError0 error0;

namespace
{

// Left-out texts of earlier runs, emptied but keeping their room: a stage
// with many findings leaves texts out in every calculation, and each of them
// allocated anew after the reset had freed the last ones. Those from
// spareNext on are free. They are handed out in the order they were left
// out: a calculation done again leaves the same texts out, and then finds
// each one's room holding a text of its length, whose characters it only
// overwrites. Room only: nothing reads what they held.
std::vector<std::string> spareTexts;
std::size_t spareNext = 0;

void ForgetLeftOut()
{
    // Usually every spare text has been taken again since the last reset.
    if (spareNext == spareTexts.size()) {
        spareTexts.swap(error0.LeftOutTexts);
        spareNext = 0;
        error0.LeftOutTexts.clear();
        error0.LeftOutJudgement.clear();
        return;
    }
    spareTexts.erase(spareTexts.begin(), spareTexts.begin() + static_cast<std::ptrdiff_t>(spareNext));
    spareNext = 0;
    for (auto& text : error0.LeftOutTexts) {
        if (spareTexts.size() >= LeftOutTextsMax) break;
        spareTexts.push_back(std::move(text));
    }
    error0.LeftOutTexts.clear();
    error0.LeftOutJudgement.clear();
}

bool TextsDropped()
{
    return error0.Muted || (error0.JudgementsFollow && error0.JudgementsDropped);
}

// A stage with many findings adds a score of texts in every calculation,
// nearly all of them new, and many of the held ones share their length and
// a long beginning ("Warning: SH<1 (SH-"). So that a new text need not be
// compared with every held one, a bit per held text marks what the list
// holds: a text whose bit is clear is held nowhere. The bits belong to the
// counts they were set for; where the list's counts differ from those (a
// reset, or a list written from outside), they are set again from the
// texts held.
struct THeldTexts {
    std::uint64_t Bits[4] = {};
    std::size_t Counted = 0;
    std::size_t LeftOut = 0;
};

THeldTexts held;

// The bit of a text, from its length and three of its words (the first,
// the middle and the last): cheap for the short texts of the list, and
// apart for most of those that differ only in a gear letter or a number.
inline unsigned HeldBit(std::string_view Text)
{
    const char* const p = Text.data();
    const std::size_t n = Text.size();
    std::uint64_t h = n;
    if (n >= 8) {
        std::uint64_t first, middle, last;
        std::memcpy(&first, p, sizeof first);
        std::memcpy(&middle, p + (n - 8) / 2, sizeof middle);
        std::memcpy(&last, p + n - 8, sizeof last);
        h ^= first ^ std::rotl(middle, 21) ^ std::rotl(last, 42);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            h = h << 8 | static_cast<unsigned char>(p[i]);
    }
    return static_cast<unsigned>((h * 0x9E3779B97F4A7C15u) >> 56);
}

void MarkHeld(unsigned Bit)
{
    held.Bits[Bit >> 6] |= std::uint64_t{1} << (Bit & 63);
}

// Whether the list may hold a text of this bit; false only where it surely
// does not.
bool MayBeHeld(unsigned Bit)
{
    if (held.Counted != error0.ErrorCount || held.LeftOut != error0.LeftOutTexts.size()) [[unlikely]] {
        held = {};
        for (int i = 1; i <= error0.ErrorCount; ++i)
            MarkHeld(HeldBit(error0.ErrorTexts[i]));
        for (const auto& text : error0.LeftOutTexts)
            MarkHeld(HeldBit(text));
        held.Counted = error0.ErrorCount;
        held.LeftOut = error0.LeftOutTexts.size();
    }
    return (held.Bits[Bit >> 6] >> (Bit & 63) & 1) != 0;
}

bool Held(std::string_view Text)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (std::string_view(error0.ErrorTexts[i]) == Text) return true;
    // The left-out texts count only once the twelve are taken.
    return error0.ErrorCount >= TArray<std::string, 1, 12>::High &&
           std::any_of(error0.LeftOutTexts.begin(), error0.LeftOutTexts.end(),
                       [Text](const std::string& t) { return std::string_view(t) == Text; });
}

// A text that says the data cannot be used as it is, not only that it is
// doubtful: "Error  : ", "Fatal  : " and the guarded math's "Error: ".
bool IsErrorText(std::string_view Text)
{
    return Text.starts_with("Error") || Text.starts_with("Fatal");
}

// On a full list: the last warning leaves it for the left-out texts, the
// entries after it move up one place, and entry 12 is free. False when the
// list holds no warning. The warning goes before the texts left out so far:
// every one of them came after the texts the list holds, so the left-out
// texts stay in the order they came.
bool FreeTheLastWarningsPlace()
{
    constexpr int last = TArray<std::string, 1, 12>::High;
    int k = last;
    while (k >= 1 && !error0.ErrorTexts[k].starts_with("Warning"))
        --k;
    if (k < 1) return false;
    std::string warning = std::move(error0.ErrorTexts[k]);
    const bool judgement = error0.IsJudgement[k];
    for (int i = k; i < last; ++i) {
        error0.ErrorTexts[i] = std::move(error0.ErrorTexts[i + 1]);
        error0.IsJudgement[i] = error0.IsJudgement[i + 1];
    }
    auto& rest = error0.LeftOutTexts;
    if (rest.size() >= LeftOutTextsMax) {
        rest.pop_back();
        error0.LeftOutJudgement.pop_back();
    }
    rest.insert(rest.begin(), std::move(warning));
    error0.LeftOutJudgement.insert(error0.LeftOutJudgement.begin(), judgement);
    held.LeftOut = rest.size();
    return true;
}

// A text the list keeps, unless it holds it already.
void AddKeptText(std::string_view Text)
{
    const unsigned bit = HeldBit(Text);
    if (MayBeHeld(bit) && Held(Text)) return;
    // The list shows at most twelve texts; the first ones are the causes,
    // later ones are mostly their consequences. A later one is still kept
    // aside, so that the list can say it left texts out and a batch run can
    // print them: a failing gear judged last must not vanish without a sign.
    constexpr int last = TArray<std::string, 1, 12>::High;
    if (error0.ErrorCount < last) {
        ++error0.ErrorCount;
        CopyText(error0.ErrorTexts[error0.ErrorCount], Text);
        error0.IsJudgement[error0.ErrorCount] = error0.JudgementsFollow;
        held.Counted = error0.ErrorCount;
        MarkHeld(bit);
        return;
    }
    // Unlike the plain rule that the texts after the twelfth are lost, an
    // error or a fatal condition takes the place of the last warning: the
    // stage checks judge every gear and mesh before the stage as a whole,
    // so planets that cannot mesh at all came after a dozen warnings and
    // the list, the report and the window showed only the warnings. A
    // warning never displaces anything, and an error never displaces
    // another error or a fatal condition.
    if (IsErrorText(Text) && FreeTheLastWarningsPlace()) {
        CopyText(error0.ErrorTexts[last], Text);
        error0.IsJudgement[last] = error0.JudgementsFollow;
        MarkHeld(bit);
        return;
    }
    auto& rest = error0.LeftOutTexts;
    if (rest.size() >= LeftOutTextsMax) return;
    if (spareNext == spareTexts.size()) {
        rest.emplace_back(Text);
    } else {
        rest.push_back(std::move(spareTexts[spareNext++]));
        CopyText(rest.back(), Text);
    }
    error0.LeftOutJudgement.push_back(error0.JudgementsFollow);
    held.LeftOut = rest.size();
    MarkHeld(bit);
}

void AddText(std::string_view Text)
{
    if (TextsDropped()) return;
    // A byte read from a damaged file (a field type, a name) would end the
    // message wherever it is printed as a C string.
    if (std::memchr(Text.data(), '\0', Text.size()) != nullptr)
        AddKeptText(NulBytesShown(Text));
    else
        AddKeptText(Text);
}

} // namespace

void AddErrorMessage(const std::string& Text)
{
    AddText(Text);
}

bool ShowErrorBoxIfEnabled(const std::string& Text)
{
    if (!telmvar.MessagesEnabled) return false;
    platform::CurrentPlatform().Messages().ShowOk("Error  : ", DisplayText(Text),
                                                  platform::MessageIcon::Error);
    return true;
}

void AddErrorMessageParts(std::initializer_list<std::string_view> Parts)
{
    if (TextsDropped()) return;
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
        CopyChars(at, part.data(), part.size());
        at += part.size();
    }
    AddKeptText(std::string_view(buffer, static_cast<std::size_t>(at - buffer)));
}

void AddFatalMessage(const std::string& Text)
{
    AddErrorMessage(Text);
    if (!telmvar.FatalCalcError || error0.FatalText.empty()) error0.FatalText = Text;
    telmvar.FatalCalcError = true;
}

void AddJudgementMessage(const std::string& Text)
{
    const TJudgementMessages judgement;
    AddErrorMessage(Text);
}

std::size_t LeftOutMessageCount()
{
    return error0.LeftOutTexts.size();
}

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
    held = {};
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
    held = {};
}

void ResetError0()
{
    error0 = TError0{};
    spareTexts = {};
    spareNext = 0;
    held = {};
}
