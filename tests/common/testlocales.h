#pragma once
// Locales made in the build tree (QYR7_LOCALE_DIR, see tests/CMakeLists.txt):
// "de_DE.UTF-8" has a decimal comma, "de_DE.ISO-8859-1" Latin-1 letters.

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

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

} // namespace testlocales
