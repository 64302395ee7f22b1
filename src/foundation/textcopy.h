#pragma once
// Copying a text into a string that is kept and written again and again (the
// message list's entries, the pair's names per mesh, the stage's texts stored
// back, the copy the stage calculation keeps). Such a string mostly gets a
// text of the length it already has: then only the characters move, and
// another length is appended to the emptied string, without assign's checks
// for a text lying within the string. Such a text (a stale entry handed
// back) is its start, cut to length, or goes through assign.

#include <string>
#include <string_view>

// To and From are two strings.
inline void CopyText(std::string& To, const std::string& From)
{
    if (To.size() == From.size())
        std::char_traits<char>::copy(To.data(), From.data(), From.size());
    else
        To = From;
}

inline void CopyText(std::string& To, std::string_view From)
{
    const char* room = To.data();
    if (From.data() >= room && From.data() <= room + To.capacity()) {
        if (From.data() == room && From.size() <= To.size())
            To.resize(From.size());
        else
            To.assign(From.data(), From.size());
    } else if (To.size() == From.size()) {
        std::char_traits<char>::copy(To.data(), From.data(), From.size());
    } else {
        To.clear();
        To.append(From.data(), From.size());
    }
}
