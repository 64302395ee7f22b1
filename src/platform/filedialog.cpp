#include "platform/filedialog.h"

namespace platform
{

namespace
{

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto pos = text.find(sep, start);
        parts.push_back(text.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
        if (pos == std::string::npos) break;
        start = pos + 1;
    }
    return parts;
}

std::string Trim(const std::string& s)
{
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter)
{
    std::vector<FileFilterEntry> entries;
    if (filter.empty()) return entries;
    auto parts = Split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string description = Trim(parts[i]);
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : description;
        FileFilterEntry entry;
        entry.Description = description;
        for (auto& p : Split(patterns, ';')) {
            auto t = Trim(p);
            if (!t.empty()) entry.Patterns.push_back(t);
        }
        if (entry.Patterns.empty()) continue;
        if (entry.Description.empty()) entry.Description = entry.Patterns.front();
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace platform
