#!/usr/bin/env bash
# Runs every test (no display needed: Qt's offscreen platform), then the same tests once more
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/). The Windows layers
# are built with the MinGW-w64 cross compiler and run under Wine; the COM backend, which no Windows
# test runs yet, is only compiled.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2

scripts/wine_tests.sh
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Werror -Isrc -fsyntax-only \
    src/cad/nanocad_com_win.cpp
echo "Windows COM backend: compiles with MinGW-w64"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_SANITIZE=ON \
      -DQUILLON_BENCH=OFF >/dev/null
cmake --build build-asan -j 2
# Leaks are not checked: the toolkit's font and platform caches live until exit by design.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j 2
