#!/usr/bin/env bash
# Builds the Windows tests (tests/win/*_test.cpp, each with the program files its first line names)
# and the helpers beside them (the other tests/win/*.cpp: programs, or a DLL NAME.dll from each
# NAME_dll.cpp) with MinGW-w64 into build-win/,
# runs each test under Wine without a display in one fresh prefix (build-win/prefix, booted while
# the tests build) and prints "Windows layers under Wine: N passed, M failed". A test that cannot
# be built, or that ends without its summary line (a crash, or a hang stopped by the time bound),
# counts as one failure; any failure makes the exit status non-zero.
set -uo pipefail
cd "$(dirname "$0")/.."
out=build-win
mkdir -p "$out"

export WINEPREFIX="$PWD/$out/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$WINEPREFIX"
# Without a display Wine makes no windows (not even a message box) until its graphics driver is
# the null one, which a restarted server picks up. A test that crashes ends at once instead of
# waiting in the debugger.
( wineboot -i &&
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
  wineserver -k; wineserver -w ) >"$out/boot.log" 2>&1 &
boot=$!

failed=0 passed=0
fail() {
    echo "$1" >&2
    failed=$((failed + 1))
}

tests=()
for src in tests/win/*.cpp; do
    name=$(basename "$src" .cpp)
    read -r -a sources < <(sed -n '1s|^// sources:||p' "$src")
    unicode=()
    grep -q '\bwmain\b' "$src" && unicode=(-municode)
    target=(-o "$out/$name.exe")
    [[ $name == *_dll ]] && target=(-shared -o "$out/${name%_dll}.dll")
    if x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Werror "${unicode[@]}" -static \
        -Isrc -Itests "$src" "${sources[@]}" "${target[@]}" \
        -lole32 -loleaut32 -luuid -lshell32 2>"$out/$name.build.log"; then
        [[ $name == *_test ]] && tests+=("$name")
    else
        cat "$out/$name.build.log" >&2
        fail "$src: does not build"
    fi
done

wait "$boot" || { cat "$out/boot.log" >&2; fail "the Wine prefix does not boot"; }

for name in "${tests[@]}"; do
    timeout 60 wine "$out/$name.exe" >"$out/$name.out" 2>"$out/$name.err"
    status=$?
    summary=$(tr -d '\r' <"$out/$name.out" | tail -n 1)
    if [[ $summary =~ ^passed\ ([0-9]+)\ failed\ ([0-9]+)$ ]]; then
        passed=$((passed + BASH_REMATCH[1]))
        failed=$((failed + BASH_REMATCH[2]))
        ((BASH_REMATCH[2] > 0)) && tr -d '\r' <"$out/$name.err" >&2
    else
        tr -d '\r' <"$out/$name.err" >&2
        fail "$name: ended without its summary (exit status $status)"
        wineserver -k 2>/dev/null # whatever it left running, such as a window nobody closes
    fi
done
wineserver -k 2>/dev/null

echo "Windows layers under Wine: $passed passed, $failed failed"
((failed == 0))
