#include <gtest/gtest.h>

#include "platform/filedialog.h"
#include "platform/messagebox.h"

using namespace platform;

TEST(FileFilter, PairsOfDescriptionAndPattern)
{
    struct Case {
        const char* filter;
        std::vector<FileFilterEntry> entries;
    } cases[] = {
        {"", {}},
        {"*.qy7|*.qy7", {{"*.qy7", {"*.qy7"}}}},
        {"Text|*.txt|All files|*.*", {{"Text", {"*.txt"}}, {"All files", {"*.*"}}}},
        {"Pictures|*.plt;*.hpg", {{"Pictures", {"*.plt", "*.hpg"}}}},
        // A description without its pattern stands for itself.
        {"*.kol", {{"*.kol", {"*.kol"}}}},
        {"Tables|*.dbf|*.ndx", {{"Tables", {"*.dbf"}}, {"*.ndx", {"*.ndx"}}}},
        // An entry with an empty pattern is no entry.
        {"Nothing||Text|*.txt", {{"Text", {"*.txt"}}}},
        {"|*.dxf", {{"*.dxf", {"*.dxf"}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFileFilter(c.filter), c.entries) << c.filter;
}

TEST(MessageBoxDefaults, NobodyThereMeansNothingIsDoneUnasked)
{
    EXPECT_EQ(SafeDefaultAnswer(MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(SafeDefaultAnswer(MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(SafeDefaultAnswer(MessageButtons::YesNoCancel), MessageAnswer::Cancel);
}
