#pragma once
// Copying a text into a string that is kept and written again and again (the
// pair's names per mesh, the stage's texts stored back, the copy the stage
// calculation keeps). Such a string mostly gets a text of the length it
// already has: then only the characters move, without assign's checks for
// room, for a text lying within the string and for its end.

#include <string>
#include <string_view>

inline void CopyText(std::string& To, const std::string& From)
{
    if (To.size() == From.size())
        std::char_traits<char>::copy(To.data(), From.data(), From.size());
    else
        To = From;
}

inline void CopyText(std::string& To, std::string_view From)
{
    if (To.size() == From.size())
        std::char_traits<char>::copy(To.data(), From.data(), From.size());
    else
        To.assign(From.data(), From.size());
}
