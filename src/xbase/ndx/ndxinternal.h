#pragma once
// Shared between the parts of the index engine; not for callers.

#include "xbase/ndx/ndx.h"

#include <string>

TAreaIndexes& CurrentIndexes();
int SlotOf(const TIndexControl& ic);
// Records the error; with automatic reporting off also raises EXbaseError.
void IndexError(uint16_t code, const std::string& text);
// Key of the current record, exactly as the index stores it (not resized).
std::string ComputeKey(TIndexControl& ic);
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
