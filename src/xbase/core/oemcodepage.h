#pragma once
// Byte conversion between the OEM character set of the tables (DOS code page
// 437) and the program's ANSI texts (Windows-1252). The tables themselves
// belong to the foundation; this is the narrow door through which the table
// library reaches them.

#include <string>

std::string OemBytesToAnsi(const std::string& s);
std::string AnsiBytesToOem(const std::string& s);
