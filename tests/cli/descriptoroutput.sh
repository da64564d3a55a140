#!/bin/sh
# The runner writing to the shell's own descriptors: appended lines stay, and a reader
# that goes away ends the run with status 1 and a message. $1 is the program.
dir=$(mktemp -d) && cd "$dir" || exit 1
trap 'rm -rf "$dir"' EXIT
{ echo header; "$1" --steps 3 --out /dev/stdout; "$1" --steps 2 --out /dev/stderr 2>&1; } >> f.txt
[ "$(head -1 f.txt)" = header ] && [ "$(wc -l < f.txt)" -eq 8 ] || { cat f.txt; exit 1; }
{ "$1" --steps 100000 2> err; echo $? > status; } | head -1 > /dev/null
[ "$(cat status)" -eq 1 ] && grep -q "Stream write error" err || { cat status err; exit 1; }
