// Leak reports that belong to system libraries, not to us. Compiled into
// every test program, so running one by hand reports the same as CTest.
extern "C" const char* __lsan_default_suppressions()
{
    // glibc keeps the path list of a locale loaded through LOCPATH.
    return "leak:argz_add_sep\n";
}
