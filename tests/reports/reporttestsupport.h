#pragma once
// Shared set-up of the report tests: a fresh temporary directory, the
// program-wide state at its start-up values, fixed date and time texts and
// recording hooks instead of windows and external programs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

struct TRecordedLaunch {
    std::string Program;
    std::vector<std::string> Args;
};

class ReportTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string Temp(const std::string& Name) const { return (TempDir / Name).string(); }
    static std::string ReadFile(const std::string& Path);
    static void WriteFile(const std::string& Path, const std::string& Bytes);
    // The report text with the temporary directory replaced by "<TEMP>", so
    // that golden files hold no machine paths.
    std::string WithoutTempDir(std::string Text) const;
    // Splits at CR LF (the report's line end).
    static std::vector<std::string> Lines(const std::string& Text);

    std::filesystem::path TempDir;
    // What the screen device showed: the bytes of the temporary report file
    // at the moment the result window opened.
    std::string ShownReport;
    std::string ShownPrintFile;
    int ResultWindows = 0;
    std::vector<TRecordedLaunch> Launches;
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    // Answers of the yes/no questions, used in order; when empty: No.
    std::vector<bool> YesAnswers;
    // Path the save dialog gives; empty: cancelled.
    std::string SaveDialogPath;
};

// Compares Text with the golden file tests/reports/golden/<Name>; on a
// mismatch (or a missing golden file) writes <Name>.out beside it and fails
// with the first differing line.
void ExpectGolden(const std::string& Name, const std::string& Text);
