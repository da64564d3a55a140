#!/usr/bin/env bash
# Makes the README's pictures with the README's own example commands: the plot of a
# sweep (docs/plot.png) and the map of a run (docs/map.png). Run from anywhere after a
# build; writes into the folder given (default: the repository's docs/). The runner is
# build/cli/vadidazid-sim unless VADIDAZID_SIM names another.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sim="${VADIDAZID_SIM:-$root/build/cli/vadidazid-sim}"
out="${1:-$root/docs}"
mkdir -p "$out"

# The plot: blocking, call congestion and dropping against the call percentage, with
# Erlang B and Engset beside them.
"$sim" --subscribers 2000 --sweep call-percent=5:50:5 --replications 4 \
    --steps 300 --warmup 50 --threads 2 --plot "$out/plot.png" --lang en

# The map: where calls find their cell full in the first 40 steps, while the
# subscribers still spread out from the one cell they all start in.
"$sim" --subscribers 2000 --call-percent 40 --steps 40 --map "$out/map.png" --lang en \
    --out /dev/null
