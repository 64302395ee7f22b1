#include "dialogs/stage/radiogroup.h"

std::string RadioButtonName(const std::string& Group, int Index)
{
    return Group + "_" + std::to_string(Index);
}

int RadioIndex(const platform::DialogModel& M, const std::string& Group, int Count)
{
    for (int i = 0; i < Count; ++i) {
        const platform::DialogControl* c = M.FindControl(RadioButtonName(Group, i));
        if (c && c->Checked) return i;
    }
    return -1;
}

void SetRadioIndex(platform::DialogModel& M, const std::string& Group, int Count, int Index)
{
    for (int i = 0; i < Count; ++i)
        M.Control(RadioButtonName(Group, i)).Checked = i == Index;
}

void AddShaftGroups(platform::DialogModel& M, const std::string (&Names)[3])
{
    M.Control("RadioGroup_antrieb").Caption = "drive";
    M.Control("RadioGroup_abtrieb").Caption = "driven element";
    for (int i = 0; i < 3; ++i) {
        M.Control(RadioButtonName("RadioGroup_antrieb", i)).Caption = Names[i];
        M.Control(RadioButtonName("RadioGroup_abtrieb", i)).Caption = Names[i];
    }
    for (int i = 0; i < 3; ++i)
        M.Control(RadioButtonName("RadioGroup_npt", i));
}

int RadioButtonIndex(const std::string& Name, const std::string& Group, int Count)
{
    for (int i = 0; i < Count; ++i)
        if (Name == RadioButtonName(Group, i)) return i;
    return -1;
}
