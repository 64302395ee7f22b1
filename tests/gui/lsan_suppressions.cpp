// The system font library keeps caches it never frees; they are not our
// leaks. Nor is the locale path list that the C library's newlocale builds
// (with __argz_add_sep) and keeps when the smart-card module the toolkit
// loads asks for a locale while a test's LOCPATH is set; the fast unwinder
// often sees no frame above the C library there. The leak checker reads this
// list when the tests run with it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libp11-kit\nleak:__argz_add_sep\n";
}
