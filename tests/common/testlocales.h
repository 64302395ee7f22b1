#pragma once
// The user's language settings in a test: locales made in the build tree
// (QYR7_LOCALE_DIR, see tests/CMakeLists.txt) and switched on for one scope.
// "de_DE.UTF-8" has a decimal comma, "de_DE.ISO-8859-1" an 8-bit character
// set whose letters beyond ASCII are Latin-1 bytes.

#include <clocale>
#include <cstdlib>
#include <string>

namespace testlocales
{

// Points LOCPATH at the build's locales, for this process and the programs it
// starts.
inline void UseBuildLocales()
{
#ifdef QYR7_LOCALE_DIR
    ::setenv("LOCPATH", QYR7_LOCALE_DIR, 1);
#endif
}

// Sets the process's locale categories from a name for the life of the
// object and puts the previous ones back. Ok() tells whether the locale was
// found: a test asserts it, it never skips.
class ScopedLocale
{
  public:
    explicit ScopedLocale(const char* Name, int Category = LC_ALL)
    {
        UseBuildLocales();
        const char* before = std::setlocale(LC_ALL, nullptr);
        previous_ = before != nullptr ? before : "C";
        ok_ = std::setlocale(Category, Name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool Ok() const { return ok_; }

  private:
    std::string previous_;
    bool ok_ = false;
};

} // namespace testlocales
