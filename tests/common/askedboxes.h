#pragma once
// The message boxes a test expects, read from the list of those asked
// without running past its end: a box that was not asked fails the test
// (and the check that reads it names the box it expected) instead of ending
// the test program.
#include <gtest/gtest.h>

#include <vector>

// Entry Index of Asked, counted from the end when negative (-1 the last);
// a default entry, after a failure naming the place, where there is none.
template <class T> T AskedAt(const std::vector<T>& Asked, int Index = -1)
{
    const long n = static_cast<long>(Asked.size());
    const long i = Index < 0 ? n + Index : Index;
    if (i < 0 || i >= n) {
        ADD_FAILURE() << "no message box at " << Index << ": " << n << " asked";
        return T{};
    }
    return Asked[static_cast<size_t>(i)];
}
