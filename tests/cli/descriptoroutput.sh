#!/bin/sh
# The runner's outputs named after the shell's own descriptors: lines the shell appended
# before and after stay, and a reader that goes away ends the run with status 1 and a
# message instead of killing it. $1 is the program.
sim=$1
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

echo earlier > app.log
"$sim" --steps 2 --out /dev/stderr 2>> app.log || fail "--out /dev/stderr status $?"
[ "$(head -1 app.log)" = earlier ] || fail "app.log lost its first line"
[ "$(wc -l < app.log)" -eq 4 ] || fail "app.log has $(wc -l < app.log) lines"

{ echo header; "$sim" --steps 3 --out /dev/stdout; echo footer; } >> f.txt
[ "$(head -1 f.txt)" = header ] && [ "$(tail -1 f.txt)" = footer ] || fail "f.txt: $(cat f.txt)"
[ "$(wc -l < f.txt)" -eq 6 ] || fail "f.txt has $(wc -l < f.txt) lines"

{ "$sim" --steps 100000 2> err; echo $? > status; } | head -1 > /dev/null
[ "$(cat status)" -eq 1 ] || fail "a closed pipe gave status $(cat status)"
grep -q "Stream write error" err || fail "no message: $(cat err)"
[ "$(ls -A | wc -l)" -eq 4 ] || fail "left behind: $(ls -A)"
