#!/bin/sh
# A manual page must render without roff warnings and name every option its program's
# --help lists. Usage: check_manpage.sh PAGE PROGRAM
set -eu
page=$1 program=$2
warnings=$(groff -man -ww -z -k -Tutf8 "$page" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
status=0
for option in $("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  escaped=$(echo "$option" | sed 's/-/\\\\-/g')
  grep -q -- "$escaped" "$page" || { echo "$page does not describe $option"; status=1; }
done
exit $status
