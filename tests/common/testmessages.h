#pragma once
// What the message collector holds, for test assertions.
#include "foundation/messagecollector.h"

#include <string>

// True when the collector holds exactly this text among its counted entries.
inline bool HasMessage(const std::string& text)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i] == text) return true;
    return false;
}

// The counted entries joined, for failure output.
inline std::string Messages()
{
    std::string all;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        all += error0.ErrorTexts[i] + " | ";
    return all;
}
