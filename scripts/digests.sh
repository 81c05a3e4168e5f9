#!/usr/bin/env bash
# Prints, for every DXF of the corpus and of the samples, the digests of its drawable records
# and of its 800 x 600 preview: one line "file records picture" (or "file not-drawable"),
# sorted by file. Run before and after a change to the reader or the renderer and compare:
#   scripts/digests.sh > before.txt ... scripts/digests.sh > after.txt; diff before.txt after.txt
set -euo pipefail
cd "$(dirname "$0")/.."
export CLI=${CLI:-build/quillon-cli}
corpus=${QUILLON_CORPUS:-../shared/corpus}
export QT_QPA_PLATFORM=offscreen
one() {
    local line # written in one piece, so that parallel jobs do not mix their lines
    line=$({ "$CLI" preview "$1" --json 2>/dev/null </dev/null || true; } |
        python3 -c 'import json,sys
try:
    d=json.load(sys.stdin)["digest"]; print(sys.argv[1], d["records"], d["picture"])
except Exception:
    print(sys.argv[1], "not-drawable")' "$1")
    echo "$line"
}
export -f one
{
    [ -d "$corpus" ] && find "$corpus" -type f -iname '*.dxf' -print0
    find samples -type f -iname '*.dxf' -print0
} | xargs -0 -P "$(nproc)" -I{} bash -c 'one "$1"' _ {} | LC_ALL=C sort
