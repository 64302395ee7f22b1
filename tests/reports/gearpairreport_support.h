#pragma once
// Set-up shared by the gear-pair and load spectrum report tests: the example
// projects opened and calculated, reports run on a device and read back.
#include "reporttestsupport.h"

#include <functional>
#include <string>

class PairReportTest : public ReportTest
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens examples/<Name> and calculates the stage.
    void OpenExample(const std::string& Name);
    // Runs Entry with the report going to Device and returns what was
    // delivered ("" when nothing was).
    std::string Report(uint16_t Device, const std::function<void()>& Entry);
    // The save dialog of the file and HTML devices is cancelled.
    bool CancelSaveDialog = false;
    // Otherwise the save dialog answers this path when it is set.
    std::string SaveAs;
};

// True when Text holds Needle.
inline bool Has(const std::string& Text, const std::string& Needle)
{
    return Text.find(Needle) != std::string::npos;
}
