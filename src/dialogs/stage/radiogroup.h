#pragma once
// A radio group of a form model: its buttons are the controls Group + "_" +
// index (0-based), the group's caption is the control Group itself. The
// Qt layout puts radio buttons of those names into a group box of the
// group's name, so the generic binder shows them without help.

#include "platform/dialoghost.h"

#include <string>

// The checked button of the group, -1 when none is.
int RadioIndex(const platform::DialogModel& M, const std::string& Group, int Count);
// Checks button Index and clears the others; an index outside the group
// clears them all.
void SetRadioIndex(platform::DialogModel& M, const std::string& Group, int Count, int Index);
// The index of a button name of the group, -1 for any other name.
int RadioButtonIndex(const std::string& Name, const std::string& Group, int Count);
// The control name of button Index.
std::string RadioButtonName(const std::string& Group, int Index);
// The drive and driven-element groups of the drive forms, each with the three
// shafts captioned by Names, and the three buttons of the n/T/P choice.
void AddShaftGroups(platform::DialogModel& M, const std::string (&Names)[3]);
