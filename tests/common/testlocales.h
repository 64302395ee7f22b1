#pragma once
// Locales made in the build tree (QYR7_LOCALE_DIR, see tests/CMakeLists.txt):
// "de_DE.UTF-8" has a decimal comma, "de_DE.ISO-8859-1" Latin-1 letters.

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testlocales
{

// LOCPATH for this process and the programs it starts.
inline void UseBuildLocales()
{
    ::setenv("LOCPATH", QYR7_LOCALE_DIR, 1);
}

// The locale categories set from Name for the object's life, with LANGUAGE
// (which would choose the message catalogue before LC_MESSAGES) put aside.
// Ok(): the locale was found; a test asserts it, it never skips.
class ScopedLocale
{
  public:
    explicit ScopedLocale(const char* Name, int Category = LC_ALL)
        : previous_(std::setlocale(LC_ALL, nullptr))
    {
        UseBuildLocales();
        if (const char* l = std::getenv("LANGUAGE")) language_ = l;
        ::unsetenv("LANGUAGE");
        ok_ = std::setlocale(Category, Name) != nullptr;
    }
    ~ScopedLocale()
    {
        std::setlocale(LC_ALL, previous_.c_str());
        if (language_) ::setenv("LANGUAGE", language_->c_str(), 1);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool Ok() const { return ok_; }

  private:
    std::string previous_;
    std::optional<std::string> language_;
    bool ok_ = false;
};

// A desktop named by the environment, "VAR=name" (LANG=de_DE.UTF-8): VAR set
// and the locale set from name, with LC_ALL, LC_TIME and LANG put aside, for
// the object's life.
class ScopedDesktop
{
  public:
    explicit ScopedDesktop(const std::string& Assignment)
        : locale_(Assignment.substr(Assignment.find('=') + 1).c_str())
    {
        for (const char* v : {"LC_ALL", "LC_TIME", "LANG"}) {
            saved_.emplace_back(v,
                                std::getenv(v) ? std::optional<std::string>(std::getenv(v)) : std::nullopt);
            ::unsetenv(v);
        }
        const auto eq = Assignment.find('=');
        ::setenv(Assignment.substr(0, eq).c_str(), Assignment.substr(eq + 1).c_str(), 1);
    }
    ~ScopedDesktop()
    {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    bool Ok() const { return locale_.Ok(); }

  private:
    ScopedLocale locale_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace testlocales
