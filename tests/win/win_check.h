// The checker of the Windows tests (standard C++ only): CHECK and CHECK_EQ count a pass or report a
// failure with its place on stderr; main ends with `return WinCheckSummary();`, which prints the
// last line "passed N failed M" and returns 0 only when nothing failed.
#pragma once

#include <cstdio>

namespace win_check {

inline int passed = 0, failed = 0;

inline bool Record(bool ok, const char* what, const char* file, int line) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::fprintf(stderr, "%s:%d: failed: %s\n", file, line, what);
        std::fflush(stderr);
    }
    return ok;
}

} // namespace win_check

#define CHECK(cond) win_check::Record(bool(cond), #cond, __FILE__, __LINE__)
#define CHECK_EQ(a, b) win_check::Record((a) == (b), #a " == " #b, __FILE__, __LINE__)

inline int WinCheckSummary() {
    std::printf("passed %d failed %d\n", win_check::passed, win_check::failed);
    std::fflush(stdout);
    return win_check::failed == 0 ? 0 : 1;
}
