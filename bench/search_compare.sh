#!/usr/bin/env bash
# The library search side by side with its floor, in one run (figures only, never a failure):
#   names - `quillon-cli find ROOT bolt` against `find ROOT -iname '*bolt*'` over 100 000 drawing
#           files (empty, in 1 000 folders of 100);
#   texts - `quillon-cli find ROOT WORD --texts` over a library of about 2 000 real DXF drawings
#           (the corpus linked twice), cold (no index) and warm (the index of the cold run).
# Usage from the project's root after a build: bench/search_compare.sh [path/to/quillon-cli]
# Prints medians of RUNS runs (default 5) and the peak memory of the cold text search.
set -euo pipefail
cli=$(realpath "${1:-build/quillon-cli}")
runs=${RUNS:-5}
corpus=$(realpath "${QUILLON_CORPUS:-../shared/corpus}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CACHE_HOME="$work/cache"

median() { # milliseconds of RUNS runs of a command
    local times=()
    for _ in $(seq "$runs"); do
        local t0 t1
        t0=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        t1=$(date +%s%N)
        times+=($(((t1 - t0) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

names="$work/names"
for d in $(seq 1000); do
    mkdir -p "$names/f$d"
    (cd "$names/f$d" && for i in $(seq 100); do
        case $((i % 10)) in 0) : >"m${i}_bolt.dxf" ;; *) : >"part_$i.dwg" ;; esac
    done)
done
find_ms=$(median find "$names" -iname '*bolt*')
ours_ms=$(median "$cli" find "$names" bolt)
echo "names over 100 000 files: quillon-cli find ${ours_ms} ms, find -iname ${find_ms} ms" \
     "($(python3 -c "print(f'{$ours_ms/max($find_ms,1):.2f}')")x)"

if [ -d "$corpus/dxf" ]; then
    library="$work/library"
    mkdir -p "$library"
    ln -s "$corpus" "$library/a"
    ln -s "$corpus" "$library/b"
    # Links to folders are not followed by the search: make the two copies of real folders.
    (cd "$corpus" && find . -type d) | while read -r d; do mkdir -p "$library/x/$d" "$library/y/$d"; done
    (cd "$corpus" && find . -type f -iname '*.dxf') | while read -r f; do
        ln -s "$corpus/$f" "$library/x/$f"
        ln -s "$corpus/$f" "$library/y/$f"
    done
    rm "$library/a" "$library/b"
    count=$(find "$library" -iname '*.dxf' | wc -l)
    cold=()
    for _ in $(seq "$runs"); do
        rm -rf "$XDG_CACHE_HOME"
        t0=$(date +%s%N)
        python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[2:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
open(sys.argv[1], "w").write(str(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss))' \
            "$work/peak" "$cli" find "$library" zzqq --texts
        t1=$(date +%s%N)
        cold+=($(((t1 - t0) / 1000000)))
    done
    cold_ms=$(printf '%s\n' "${cold[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    warm_ms=$(median "$cli" find "$library" zzqq --texts)
    echo "texts over $count drawings: cold ${cold_ms} ms (peak $(($(cat "$work/peak") / 1024)) MB)," \
         "warm ${warm_ms} ms; wc -c of them all $(median sh -c "find -L '$library' -iname '*.dxf' -print0 | xargs -0 cat | wc -c") ms"
else
    echo "texts: no corpus at $corpus, skipped"
fi
