// Compiled into every program that prints through Qt's print support: Qt's
// CUPS plug-in marks each printer's driver options with libcups, whose PPD
// cache (libcups 2.4) keeps strings it never frees. The leak checker of the
// sanitizer build must not count them against the program.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVORAN_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZELVORAN_LEAK_CHECKED 1
#endif

#ifdef ZELVORAN_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:_ppdCacheCreateWithPPD\n";
}
#endif
