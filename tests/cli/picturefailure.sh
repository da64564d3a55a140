#!/bin/sh
# A picture, map or plot whose PNG cannot be made (zlib's compression fails): status 1, a
# message naming the file, and every output's earlier file left as it was, with no
# temporary file beside it. $1 is the program, $2 the library that makes compress2 fail.
dir=$(mktemp -d) && cd "$dir" || exit 1
trap 'rm -rf "$dir"' EXIT
# The sanitizers' runtime wants to be loaded first; here the failing zlib must be.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
failed=0
# check PICTURE OTHER ARGUMENTS...: both named files exist before the run.
check() {
  picture=$1 other=$2
  shift 2
  echo "earlier picture" > "$picture"
  echo "earlier other" > "$other"
  LD_PRELOAD="$LIB" "$SIM" "$@" > out 2> err
  status=$?
  if [ "$status" -ne 1 ] ||
    ! grep -qx "vadidazid-sim: Cannot create file $picture: PNG compression failed: out of memory" err ||
    [ "$(cat "$picture")" != "earlier picture" ] || [ "$(cat "$other")" != "earlier other" ] ||
    [ "$(ls -A | sort | tr '\n' ' ')" != "$(printf '%s\n' "$picture" "$other" err out | sort | tr '\n' ' ')" ]; then
    echo "failed: $* (status $status)"
    cat err
    ls -A
    failed=1
  fi
  rm -f -- "$picture" "$other" err out
}
SIM=$1 LIB=$2
check p.png log.txt --steps 5 --picture p.png --out log.txt
check m.png cells.csv --steps 5 --grid-side 4 --map m.png --cells cells.csv
check q.png r.csv --sweep channels=10,20 --steps 5 --warmup 1 --plot q.png --results r.csv
exit $failed
