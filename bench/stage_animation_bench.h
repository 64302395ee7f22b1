#pragma once
// Shared by the stage animation benchmarks with and without the toolkit.

#include <cstddef>
#include <string>

// Records the default stage's animation of Kind with Steps steps through a
// full turn onto the screen's display list (a scratch directory holds the
// block files). Returns the bytes of the record texts; the list's
// MemoryBytes counts all it holds.
std::size_t RecordDefaultStageAnimation(int Kind, int Steps, const std::string& ScratchDir);
