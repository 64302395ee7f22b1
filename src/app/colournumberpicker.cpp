#include "app/colournumberpicker.h"

#include "foundation/programstate.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdlib>

const std::vector<std::string>& TForm_selectcolor::Lines()
{
    static const std::vector<std::string> lines = [] {
        const char* const names[] = {"red",        "yellow",     "green",     "cyan",
                                     "blue",       "magenta",    "white",     "dark blue",
                                     "dark green", "dark cyan",  "dark red",  "dark magenta",
                                     "brown",      "light grey", "dark grey", "black"};
        std::vector<std::string> v;
        for (int n = 1; n <= 16; ++n)
            v.push_back(std::to_string(n) + " (" + names[n - 1] + ")");
        return v;
    }();
    return lines;
}

TForm_selectcolor::TForm_selectcolor()
{
    std::string lines;
    for (const std::string& line : Lines())
        lines += (lines.empty() ? "" : "\n") + line;
    Control("ListBox_colors").Caption = lines;
    Control("ListBox_colors").Text = "0";
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
}

void TForm_selectcolor::Preselect(int Number)
{
    Control("ListBox_colors").Text = std::to_string(std::clamp(Number, 1, 16) - 1);
    Touch();
}

int TForm_selectcolor::Chosen() const
{
    const platform::DialogControl* c = FindControl("ListBox_colors");
    const int row = c && !c->Text.empty() ? std::atoi(c->Text.c_str()) : 0;
    return std::clamp(row, 0, 15) + 1;
}

platform::DialogAction TForm_selectcolor::Press(const std::string& Name)
{
    if (Name == "Button_ok" || Name == "ListBox_colorsDblClick") return platform::DialogAction::Accept;
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return platform::DialogAction::Reject;
    }
    return platform::DialogAction::None;
}

namespace
{

// Colour number n is drawn with this entry of the colour table.
const int ColourEntryOfNumber[17] = {0, 12, 14, 10, 11, 9, 13, 15, 1, 2, 3, 4, 5, 6, 7, 8, 0};

} // namespace

int ColourNumberOfEntry(int K)
{
    for (int n = 1; n <= 16; ++n)
        if (ColourEntryOfNumber[n] == K) return n;
    return 16;
}

bool SelectColourNumber(int& Number)
{
    TForm_selectcolor picker;
    picker.Preselect(Number);
    if (platform::CurrentPlatform().Dialogs().RunModal(picker) != platform::DialogResult::Ok) {
        telmvar.Aborted = false;
        return false;
    }
    Number = picker.Chosen();
    return true;
}
