#pragma once
// The message collector: calculation steps and guarded helpers add texts
// here during a command, and the message list shows them at its end.

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TError0 {
    // Number of valid entries, 0..12.
    uint16_t ErrorCount = 0;
    // Entries 1..ErrorCount in the order they were first added; entries
    // beyond ErrorCount are stale and not shown.
    TArray<std::string, 1, 12> ErrorTexts;
};

extern TError0 error0;

// Appends Text unless an equal text (exact, case-sensitive) is among the
// counted entries; a text beyond the twelfth is dropped.
void AddErrorMessage(const std::string& Text);
// A calculation step found data it cannot work with: the message, and the
// flag that stops the later steps.
void AddFatalMessage(const std::string& Text);

// Start of a calculation run: no counted messages, no fatal error, not
// aborted. The old texts stay in the array but are no longer counted.
void ResetErrorState();

// No counted messages and all twelve entries emptied.
void ClearErrorMessages();

// Restores the start-up state (twelve empty entries).
void ResetError0();
