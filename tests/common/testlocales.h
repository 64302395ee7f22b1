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

// A desktop as the environment names it, "VAR=name" (LANG=de_DE.UTF-8,
// LC_ALL=C): VAR set to name with the other variables that name a language
// (LC_ALL, LC_TIME, LC_NUMERIC, LANG) put aside, and the locale set from name,
// for the object's life. Programs that read the language from the
// environment at their start (the table library's national settings) are
// started again by the test inside that life.
class ScopedDesktop
{
  public:
    explicit ScopedDesktop(const std::string& Assignment)
    {
        const auto eq = Assignment.find('=');
        for (const char* v : {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LANG"}) {
            const char* now = std::getenv(v);
            saved_.emplace_back(v, now ? std::optional<std::string>(now) : std::nullopt);
            ::unsetenv(v);
        }
        ::setenv(Assignment.substr(0, eq).c_str(), Assignment.substr(eq + 1).c_str(), 1);
        locale_.emplace(Assignment.substr(eq + 1).c_str());
    }
    ~ScopedDesktop()
    {
        locale_.reset();
        for (const auto& [name, value] : saved_)
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
    }
    ScopedDesktop(const ScopedDesktop&) = delete;
    ScopedDesktop& operator=(const ScopedDesktop&) = delete;
    bool Ok() const { return locale_ && locale_->Ok(); }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    std::optional<ScopedLocale> locale_;
};

} // namespace testlocales
