// The system font library keeps caches it never frees; they are not our
// leaks. The leak checker reads this list when the tests run with it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}
