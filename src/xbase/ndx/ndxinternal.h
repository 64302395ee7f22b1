#pragma once
// Shared between the parts of the index engine; not for callers.

#include "xbase/ndx/ndx.h"

#include <cstddef>
#include <string>

// Deepest tree a 32-bit page number space can hold with at least two
// children per inner node, with room to spare; a deeper descent means the
// file's child pointers form a cycle.
inline constexpr std::size_t kMaxDepth = 48;

TAreaIndexes& CurrentIndexes();
int SlotOf(const TIndexControl& ic);
// Records the error; with automatic reporting off also raises EXbaseError.
void IndexError(uint16_t code, const std::string& text);
// Key of the current record, exactly as the index stores it (not resized).
std::string ComputeKey(TIndexControl& ic);
// Entry i's key of a page, as long as the index's keys.
std::string KeyAt(const TIndexControl& ic, const TNdxPage& page, int i);
// Error 254, the index file corrupted, naming the file and the routine.
void CorruptError(const TIndexControl& ic, const char* routine);
bool WriteNodePage(TIndexControl& ic, uint32_t node, const TNdxPage& page);
bool Descend(TIndexControl& ic, const std::string& key, bool upper);
bool StepNext(TIndexControl& ic);
bool StepPrior(TIndexControl& ic);
bool OnEntry(const TIndexControl& ic);
int32_t EntryRecord(const TIndexControl& ic);
std::string EntryKey(const TIndexControl& ic);
bool Seek(TIndexControl& ic, const std::string& key);
bool GoEdge(TIndexControl& ic, bool first);
bool SeekEntry(TIndexControl& ic, const std::string& key, int32_t record, const char* tag);
void RefreshCurrentKeys();
