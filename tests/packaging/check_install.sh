#!/bin/sh
# Installs the build into a scratch DESTDIR and checks the tree: every file a desktop
# and man expect, the README's pictures, programs that run from where they land.
# Usage: check_install.sh BUILD_DIR WITH_WINDOW(ON|OFF)
set -eu
build=$1 window=$2
root=$(mktemp -d) && trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
expected="usr/bin/vadidazid-sim usr/share/man/man1/vadidazid-sim.1.gz
  usr/share/doc/vadidazid/README.md usr/share/doc/vadidazid/copyright
  usr/share/doc/vadidazid/changelog.gz"
if [ "$window" = ON ]; then
  expected="$expected usr/bin/vadidazid usr/share/man/man1/vadidazid.1.gz
    usr/share/applications/pl.vadidazid.Vadidazid.desktop
    usr/share/metainfo/pl.vadidazid.Vadidazid.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/vadidazid.svg"
  for s in 16 22 24 32 48 64 128 256; do
    expected="$expected usr/share/icons/hicolor/${s}x$s/apps/vadidazid.png"
  done
fi
status=0
for f in $expected; do
  [ -s "$root/$f" ] || { echo "missing or empty: /$f"; status=1; }
done
# Every picture the installed README links is installed beside it.
doc=$root/usr/share/doc/vadidazid
for f in $(sed -n 's/^!\[[^]]*\](\([^)]*\))$/\1/p' "$doc/README.md"); do
  [ -s "$doc/$f" ] || { echo "README links $f, which is not installed"; status=1; }
done
for f in "$root"/usr/share/man/man1/*.gz "$doc/changelog.gz"; do
  gzip -t "$f" || { echo "$f is no gzip file"; status=1; }
done
for f in "$root"/usr/share/icons/hicolor/*x*/apps/vadidazid.png; do
  [ -e "$f" ] || continue
  size=${f%/apps/*}; size=${size##*/}; size=${size%x*}
  # A PNG's width is the big-endian word at byte 16.
  width=$(od -An -tu1 -j16 -N4 "$f" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  [ "$width" = "$size" ] || { echo "$f is $width pixels wide"; status=1; }
done
"$root/usr/bin/vadidazid-sim" --version | grep -q '^vadidazid-sim (Vadidazid) ' ||
  { echo "installed vadidazid-sim does not answer --version"; status=1; }
if [ "$window" = ON ]; then
  "$root/usr/bin/vadidazid" --version | grep -q '^vadidazid (Vadidazid) ' ||
    { echo "installed vadidazid does not answer --version"; status=1; }
fi
exit $status
