#pragma once
// The most heap one piece of work holds at once: bytes taken through
// operator new above what was held when the measurement began. A table
// mapped into memory or the page cache does not count, only what the code
// allocates, so the figure answers "how much memory does this need".

#include <cstdint>

namespace heappeak
{

// Begins counting from zero.
void Start();
// The highest count since Start; counting stops.
int64_t Stop();

} // namespace heappeak
