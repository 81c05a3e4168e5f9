#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and checks that what a user installs is complete
# and runs against the system's libraries: the three programs and nothing else in bin, the desktop
# entry, the icon, every sample drawing, the package's dependencies.
# Usage: package_test.sh CPACK BUILD_DIR SAMPLES_DIR
set -euo pipefail
cpack=$1 build=$2 samples=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}
root=$scratch/root
dpkg-deb -x "$deb" "$root"

programs=$(ls "$root/usr/bin" | tr '\n' ' ')
[ "$programs" = "cad-standin quillon quillon-cli " ] || fail "usr/bin holds: $programs"
for f in share/applications/quillon.desktop share/icons/hicolor/scalable/apps/quillon.svg; do
    [ -s "$root/usr/$f" ] || fail "missing usr/$f"
done
wanted=$(cd "$samples" && find . -name '*.dxf' | sort)
got=$(cd "$root/usr/share/quillon/samples" 2>/dev/null && find . -type f | sort) || true
[ -n "$wanted" ] && [ "$wanted" = "$got" ] || fail "samples installed: [$got], wanted: [$wanted]"

depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6concurrent6 libpng16-16; do
    [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p: $depends"
done

for p in "$root"/usr/bin/*; do
    ! ldd "$p" | grep "not found" || fail "$p does not find its libraries"
done
"$root/usr/bin/quillon-cli" --help >/dev/null || fail "quillon-cli --help"
"$root/usr/bin/quillon-cli" preview "$root/usr/share/quillon/samples/mechanical/flange_100.dxf" \
    -o "$scratch/flange.png" || fail "quillon-cli cannot draw an installed sample"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/quillon.desktop" || fail "desktop entry"
fi
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends"
