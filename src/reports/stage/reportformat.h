#pragma once
// Small shared helpers of the stage report sections.

#include "foundation/types.h"

#include <functional>
#include <string>

// Page title "QYR7 V1.0" + Gap + Text.
std::string StageReportTitle(const std::string& Text, const std::string& Gap = "   ");
// Header line 1 of the stage pages: stage text and number.
std::string StageHeaderNoLine();
// A sub-heading: empty line, keep room, the heading, a rule.
void StageSubHeading(const std::string& Heading, bool CountEmptyLine = true);

// A row of the four gears S, Pi, Pe, H.
void GearRow(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::function<std::string(int gear)>& Cell);
// A row of the three meshes S-Pi, Pi-Pe, Pe-H.
void MeshRow(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::function<std::string(int mesh)>& Cell);
// A row of one mesh: its two members in the columns of their gears.
void MeshMemberRow(const std::string& Label, const std::string& Symbol, const std::string& Unit, int Mesh,
                   const std::function<std::string(int slot)>& Cell);

std::string Len(int IntDigits, int Decimals, Extended X);
std::string Fix(int IntDigits, int Decimals, Extended X);
