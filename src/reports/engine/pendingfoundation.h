#pragma once
// TEMPORARY stand-ins for foundation text and file helpers that are about to
// land; removed as soon as they do. Same names and contracts.
#include <string>
namespace pendingfoundation {
void OverwriteAt(const std::string& Src, std::string& Dest, int Pos);
std::string TrimBlanks(const std::string& S);
std::string WithoutBlanks(const std::string& S);
std::string FitLeft(const std::string& S, int Width);
void WrapText(const std::string& S, char Sep, int Width, int& Count, int& MaxLen);
std::string IntToText(long long N);
std::string IntToTextBlankPad(long long N, int Width);
std::string AddTrailingBackslash(const std::string& Path);
bool FileCanOpen(const std::string& Name);
void DeleteFileIfExists(const std::string& Name);
void CopyTextFileConverted(const std::string& Src, const std::string& Dest);
std::string ConvertTextCodePage(const std::string& S);
std::string AnsiTextToOem(const std::string& S);
std::string DisplayText(const std::string& S);
bool HasCommandLineParam(const std::string& S);
} // namespace pendingfoundation
using namespace pendingfoundation;
