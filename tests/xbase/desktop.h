#pragma once
// A desktop's language for the table library: Variable (LANG or LC_ALL)
// alone names Locale, the national settings are read again and the process
// locale follows where the build makes that locale; all restored at the end.

#include "common/testlocales.h"
#include "xbase/core/dbdates.h"

#include <optional>
#include <string>

class ScopedDesktop
{
  public:
    ScopedDesktop(const char* Variable, const char* Locale)
        : desktop_(std::in_place, std::string(Variable) + "=" + Locale)
    {
        InitNationalSettings();
    }
    ~ScopedDesktop()
    {
        desktop_.reset();
        InitNationalSettings();
    }

  private:
    std::optional<testlocales::ScopedDesktop> desktop_;
};

inline const char* const Desktops[][2] = {{"LC_ALL", "C"},
                                          {"LANG", "de_DE.UTF-8"},
                                          {"LC_ALL", "de_DE.UTF-8"},
                                          {"LANG", "fr_FR.UTF-8"},
                                          {"LC_ALL", "es_ES.UTF-8"}};
