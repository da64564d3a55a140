#!/usr/bin/env bash
# Compares two builds of the headless runner: runs the same list of cases with each, every
# case in a fresh folder of its own, and compares exit status, standard output, standard
# error and every file the case wrote, byte for byte. For a change that must not alter any
# output (a move of files, a change of build), run it with the runner built before and the
# one built after:
#
#     bash scripts/compare-runner-outputs.sh OLD/vadidazid-sim NEW/vadidazid-sim
#
# Prints one line per case and a verdict; exits 0 when every case is identical, 1 when
# any differs (the differing files are named and their first bytes shown), 2 on misuse.
# With KEEP=1 the case folders are kept and named at the end.
set -uo pipefail

if (($# != 2)); then
  echo "usage: $0 OLD-vadidazid-sim NEW-vadidazid-sim" >&2
  exit 2
fi
for bin in "$1" "$2"; do
  if [[ ! -x $bin ]]; then
    echo "compare-runner-outputs: $bin is no executable" >&2
    exit 2
  fi
done
old=$(realpath "$1")
new=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/compare-runner.XXXXXX") || exit 2
[[ ${KEEP:-0} == 1 ]] || trap 'rm -rf "$work"' EXIT

# Each case: a name and a shell line run in the case's folder, with `sim` standing for the
# runner. Messages may name the program, so it always runs under the same name.
cases=(
  "log-defaults|sim --out dane.txt"
  "log-stdout|sim --steps 30"
  "log-largest|sim --grid-side 16 --subscribers 100000 --channels 100 --call-percent 100 --mean 20 --deviation 6 --step-limit 30 --out dane.txt"
  "log-m7|sim --subscribers 7 --call-percent 100 --step-limit 200 --out dane.txt"
  "chart|sim --step-limit 150 --chart"
  "csv-warmup|sim --steps 300 --warmup 50 --csv steps.csv"
  "csv-warmup-auto|sim --steps 300 --warmup auto --csv steps.csv --results rows.csv"
  "cells-map-picture-bmp|sim --step-limit 80 --cells cells.csv --map map.bmp --picture wykres.bmp --out dane.txt"
  "map-picture-png|sim --step-limit 80 --map-measure load --map map.png --picture wykres.png"
  "map-picture-svg|sim --step-limit 80 --map-measure dropped --map map.svg --picture wykres.svg"
  "picture-size|sim --step-limit 60 --picture-size 640x480 --picture wykres.png"
  "two-sweeps|sim --sweep call-percent=5:25:10 --sweep channels=10,20 --replications 3 --steps 200 --warmup 20 --results results.csv --summary --plot plot.svg"
  "two-sweeps-threads|sim --sweep grid-side=4,6 --sweep mean=3,8 --replications 2 --steps 150 --warmup auto --threads 3 --results - --summary"
  "summarize-shards|sim --sweep call-percent=10,30 --replications 4 --steps 150 --warmup 10 --shard 0/2 --results a.csv && sim --sweep call-percent=10,30 --replications 4 --steps 150 --warmup 10 --shard 1/2 --results b.csv && sim --summarize a.csv b.csv"
  "summarize-bad|printf 'not,a,table\n' > bad.csv; sim --summarize bad.csv"
  "bad-option|sim --grid-side 99"
  "help|sim --help"
)

run_case() {  # binary, folder, shell line
  mkdir -p "$2"
  (
    cd "$2" || exit 2
    sim() { (exec -a vadidazid-sim "$BIN" "$@"); }
    BIN=$1
    eval "$3" > .stdout 2> .stderr
    echo $? > .status
  )
}

differ=0
for c in "${cases[@]}"; do
  name=${c%%|*}
  line=${c#*|}
  run_case "$old" "$work/old/$name" "$line"
  run_case "$new" "$work/new/$name" "$line"
  if report=$(diff -r "$work/old/$name" "$work/new/$name" 2>&1); then
    files=$(find "$work/old/$name" -type f | wc -l)
    printf 'identical  %-24s status %s, %d files\n' "$name" "$(cat "$work/old/$name/.status")" "$files"
  else
    differ=$((differ + 1))
    printf 'DIFFERENT  %-24s\n' "$name"
    printf '%s\n' "$report" | head -20 | sed 's/^/    /'
  fi
done

[[ ${KEEP:-0} == 1 ]] && echo "case folders kept in $work (old/ and new/)"
if ((differ)); then
  echo "verdict: $differ of ${#cases[@]} cases differ"
  exit 1
fi
echo "verdict: all ${#cases[@]} cases identical (status, standard output, standard error, every file)"
