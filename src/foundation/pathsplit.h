#pragma once
// Where a path's directory ends and its file name begins: the one place that
// says which characters separate directories. It includes nothing of the
// program, so that any unit may split a name without taking in the file
// helpers.

#include <cstddef>
#include <string>

// The position of the last directory separator, "\" or "/"; npos when the
// path has none.
std::size_t LastPathSeparator(const std::string& Path);
// The file name part: everything after the last separator (the whole path
// when there is none).
std::string NamePart(const std::string& Path);
