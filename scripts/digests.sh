#!/usr/bin/env bash
# Prints, for every DXF of the corpus and of the samples, the digests of its drawable records
# and of its 800 x 600 preview: one line "file records picture" (or "file not-drawable").
# Run before and after a change to the reader or the renderer and compare the two lists:
#   scripts/digests.sh > before.txt ... scripts/digests.sh > after.txt; diff before.txt after.txt
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${CLI:-build/quillon-cli}
corpus=${QUILLON_CORPUS:-../shared/corpus}
export QT_QPA_PLATFORM=offscreen
{
    [ -d "$corpus" ] && find "$corpus" -type f -iname '*.dxf'
    find samples -type f -iname '*.dxf'
} | LC_ALL=C sort | while IFS= read -r f; do
    { "$cli" preview "$f" --json 2>/dev/null </dev/null || true; } |
        python3 -c 'import json,sys
f=sys.argv[1]
try:
    d=json.load(sys.stdin)["digest"]; print(f, d["records"], d["picture"])
except Exception:
    print(f, "not-drawable")' "$f"
done
