#pragma once
// TEMPORARY stand-ins for foundation text and file helpers that are about to
// land; removed as soon as they do. Same names and contracts.
#include <string>
#include "foundation/codepage.h"
#include "foundation/textutil.h"
#include "foundation/utilstr.h"
namespace pendingfoundation {
std::string AddTrailingBackslash(const std::string& Path);
bool FileCanOpen(const std::string& Name);
void DeleteFileIfExists(const std::string& Name);
void CopyTextFileConverted(const std::string& Src, const std::string& Dest);
} // namespace pendingfoundation
using namespace pendingfoundation;
