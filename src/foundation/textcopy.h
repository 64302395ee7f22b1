#pragma once
// Copying a text into a string that is kept and written again and again (the
// message list's entries, the pair's names per mesh, the stage's texts stored
// back, the copy the stage calculation keeps). Such a string mostly gets a
// text of the length it already has: then only the characters move, and
// another length is appended to the emptied string, without assign's checks
// for a text lying within the string. Such a text (a stale entry handed
// back) is its start, cut to length, or goes through assign.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Copies Count characters between two ranges that do not overlap. The texts
// copied here are mostly a few dozen characters, which two or four
// overlapping words or blocks move inline; the library's copy would be a call that
// first sorts the length out again.
inline void CopyChars(char* To, const char* From, std::size_t Count)
{
    const auto move = [](char* to, const char* from, auto block) {
        std::memcpy(&block, from, sizeof block);
        std::memcpy(to, &block, sizeof block);
    };
    struct TBlock {
        char Bytes[16];
    };
    if (Count >= 8) {
        if (Count > 32) {
            if (Count > 64) {
                std::memcpy(To, From, Count);
                return;
            }
            move(To, From, TBlock{});
            move(To + 16, From + 16, TBlock{});
            move(To + Count - 32, From + Count - 32, TBlock{});
            move(To + Count - 16, From + Count - 16, TBlock{});
            return;
        }
        if (Count > 16) {
            move(To + 8, From + 8, std::uint64_t{});
            move(To + Count - 16, From + Count - 16, std::uint64_t{});
        }
        move(To, From, std::uint64_t{});
        move(To + Count - 8, From + Count - 8, std::uint64_t{});
    } else if (Count >= 4) {
        move(To, From, std::uint32_t{});
        move(To + Count - 4, From + Count - 4, std::uint32_t{});
    } else if (Count > 0) {
        To[0] = From[0];
        To[Count / 2] = From[Count / 2];
        To[Count - 1] = From[Count - 1];
    }
}

// To and From are two strings.
inline void CopyText(std::string& To, const std::string& From)
{
    if (To.size() == From.size())
        CopyChars(To.data(), From.data(), From.size());
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
        CopyChars(To.data(), From.data(), From.size());
    } else {
        To.clear();
        To.append(From.data(), From.size());
    }
}
