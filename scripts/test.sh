#!/usr/bin/env bash
# Runs every test (no display needed: Qt's offscreen platform), then the same tests once more
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/). The Windows layers
# are built with the MinGW-w64 cross compiler and run under Wine, the COM backend against a
# stand-in COM server of our own.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2

scripts/wine_tests.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_SANITIZE=ON \
      -DQUILLON_BENCH=OFF >/dev/null
cmake --build build-asan -j 2
# Leaks are not checked: the toolkit's font and platform caches live until exit by design.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j 2
