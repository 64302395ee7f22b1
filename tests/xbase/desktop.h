#pragma once
// A desktop's language for the table library: Variable (LANG or LC_ALL)
// alone names Locale, the national settings are read again and the process
// locale follows where the build makes that locale; all restored at the end.

#include "common/testlocales.h"
#include "xbase/core/dbdates.h"

#include <map>
#include <string>

class ScopedDesktop
{
  public:
    ScopedDesktop(const char* Variable, const char* Locale) : locale_(Locale)
    {
        for (const char* v : {"LC_ALL", "LC_TIME", "LANG"})
            if (const char* x = std::getenv(v)) saved_[v] = x, ::unsetenv(v);
        ::setenv(Variable, Locale, 1);
        InitNationalSettings();
    }
    ~ScopedDesktop()
    {
        for (const char* v : {"LC_ALL", "LC_TIME", "LANG"})
            saved_.count(v) ? ::setenv(v, saved_[v].c_str(), 1) : ::unsetenv(v);
        InitNationalSettings();
    }

  private:
    testlocales::ScopedLocale locale_;
    std::map<std::string, std::string> saved_;
};

inline const char* const Desktops[][2] = {{"LC_ALL", "C"},
                                          {"LANG", "de_DE.UTF-8"},
                                          {"LC_ALL", "de_DE.UTF-8"},
                                          {"LANG", "fr_FR.UTF-8"},
                                          {"LC_ALL", "es_ES.UTF-8"}};
