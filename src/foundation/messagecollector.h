#pragma once
// The message collector: calculation steps and guarded helpers add texts
// here during a command, and the message list shows them at its end.

#include "foundation/types.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct TError0 {
    // Number of valid entries, 0..12.
    uint16_t ErrorCount = 0;
    // Entries 1..ErrorCount in the order they were first added; entries
    // beyond ErrorCount are stale and not shown.
    TArray<std::string, 1, 12> ErrorTexts;
    // Entry i is a design judgement of one gear pair (a warning the stage
    // checks repeat for the stage with gear letters and mesh names).
    TArray<bool, 1, 12> IsJudgement{};
    // Distinct texts the twelve entries had no room for, in the order they
    // came (among them warnings an error took the place of): the list says
    // how many there were, a batch run prints them.
    std::vector<std::string> LeftOutTexts;
    std::vector<bool> LeftOutJudgement;
    // The text of the first fatal condition since the last reset, even when
    // the list had no room left for it: the one line a batch run prints.
    std::string FatalText;
    // Set while a gear pair adds its design judgements (see
    // TJudgementMessages).
    bool JudgementsFollow = false;
    // Set while a stage calculates its meshes: it drops their design
    // judgements (see TDroppedJudgements).
    bool JudgementsDropped = false;
    // Set while a search runs whose texts are thrown away (see
    // TMutedMessages).
    bool Muted = false;

    friend bool operator==(const TError0&, const TError0&) = default;
};

extern TError0 error0;

// The most left-out texts kept; a run never gets near it, it only bounds a
// runaway loop of messages.
inline constexpr std::size_t LeftOutTextsMax = 200;

// Appends Text unless an equal text (exact, case-sensitive) is among the
// counted entries; a text beyond the twelfth is not counted but kept among
// the left-out texts. An error or fatal text on a full list takes the place
// of the last warning instead, which is then left out.
void AddErrorMessage(const std::string& Text);
// Shows Text (the program's code page 437) in the error box while messages
// are enabled, for a fault the user must hear of at once rather than in a
// later list; false when messages are off and nothing was shown.
bool ShowErrorBoxIfEnabled(const std::string& Text);
// The same for the text made of Parts one after the other, joined without
// a string of its own and not at all when the list would not keep it.
void AddErrorMessageParts(std::initializer_list<std::string_view> Parts);
// A calculation step found data it cannot work with: the message, and the
// flag that stops the later steps and makes reports show the message list
// in place of results.
void AddFatalMessage(const std::string& Text);

// A design judgement of one gear pair (see TJudgementMessages).
void AddJudgementMessage(const std::string& Text);

// Number of distinct texts that found no room among the twelve.
std::size_t LeftOutMessageCount();

// While one lives, the texts added are marked as design judgements of a
// gear pair. The stage calculation drops these after its meshes (its own
// checks repeat them per gear and mesh) and keeps every other text.
class TJudgementMessages
{
  public:
    TJudgementMessages() : previous_(error0.JudgementsFollow) { error0.JudgementsFollow = true; }
    ~TJudgementMessages() { error0.JudgementsFollow = previous_; }
    TJudgementMessages(const TJudgementMessages&) = delete;
    TJudgementMessages& operator=(const TJudgementMessages&) = delete;

  private:
    bool previous_;
};

// While one lives, the design judgements of a gear pair are not kept: the
// stage calculation would drop them after its meshes. Callers skip forming
// such a text when JudgementsKept() says it would be dropped.
class TDroppedJudgements
{
  public:
    TDroppedJudgements() : previous_(error0.JudgementsDropped) { error0.JudgementsDropped = true; }
    ~TDroppedJudgements() { error0.JudgementsDropped = previous_; }
    TDroppedJudgements(const TDroppedJudgements&) = delete;
    TDroppedJudgements& operator=(const TDroppedJudgements&) = delete;

  private:
    bool previous_;
};

// While one lives, texts are not kept: a search that tries many loads and
// resets the list after its trials. A fatal error still sets its flag and
// text. Callers skip forming a text (numbers into words) when
// MessagesKept() says it would be dropped.
class TMutedMessages
{
  public:
    TMutedMessages() : previous_(error0.Muted) { error0.Muted = true; }
    ~TMutedMessages() { error0.Muted = previous_; }
    TMutedMessages(const TMutedMessages&) = delete;
    TMutedMessages& operator=(const TMutedMessages&) = delete;

  private:
    bool previous_;
};

inline bool MessagesKept()
{
    return !error0.Muted;
}
inline bool JudgementsKept()
{
    return !error0.Muted && !error0.JudgementsDropped;
}

// One collected text with its kind, for a caller that sets messages aside
// across a reset (the stage calculation across its meshes).
struct TCollectedMessage {
    std::string Text;
    bool Judgement = false;
};

// The counted texts followed by the left-out ones, in the order they came.
std::vector<TCollectedMessage> CollectedMessages();

// The same texts handed to Visit(text, judgement) where they stand, for a
// caller that only reads them: no list of copies is formed.
template <class TVisit> void VisitCollectedMessages(TVisit&& Visit)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        Visit(std::string_view(error0.ErrorTexts[i]), error0.IsJudgement[i]);
    for (std::size_t i = 0; i < error0.LeftOutTexts.size(); ++i)
        Visit(std::string_view(error0.LeftOutTexts[i]), static_cast<bool>(error0.LeftOutJudgement[i]));
}

// Adds a collected text again, as the kind it was.
void AddCollectedMessage(const TCollectedMessage& Message);

// Start of a calculation run: no counted messages, no left-out ones, no
// fatal error, not aborted. The old texts stay in the array but are no
// longer counted.
void ResetErrorState();

// No counted messages and all twelve entries emptied.
void ClearErrorMessages();

// Restores the start-up state (twelve empty entries).
void ResetError0();
