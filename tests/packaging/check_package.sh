#!/bin/sh
# Builds the Debian package from the build folder and checks its control data (the
# libraries' packages found from the binaries, a description as apt shows it), its
# contents, and lintian's word on it where lintian is installed.
# Usage: check_package.sh BUILD_DIR; exits 77 (skipped) without the Debian tools.
set -eu
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed (dpkg-dev)"; exit 77; }
done
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
set -- "$out"/vadidazid_*.deb
[ -f "$1" ] || { echo "no package made"; cat "$out/cpack.log"; exit 1; }
dpkg-deb -I "$1" >"$out/info"
dpkg-deb -c "$1" >"$out/contents"
cat "$out/info" "$out/contents"
status=0
depends=$(sed -n 's/^ Depends: //p' "$out/info")
for dep in libc6 libstdc++6 fonts-liberation2; do
  echo "$depends" | grep -q "$dep" || { echo "Depends lacks $dep"; status=1; }
done
# The description: a one-line summary, not repeated below it; body lines indented by
# one space (two would be preformatted text); its text whole, semicolons included.
dpkg-deb -f "$1" Description >"$out/description"
summary=$(head -n1 "$out/description")
[ "$summary" = "simulator of call traffic in a cellular network" ] ||
  { echo "summary line: $summary"; status=1; }
if sed -n '2p' "$out/description" | grep -qF "$summary"; then
  echo "the summary is repeated as the long text's first line"; status=1
fi
if sed '1d' "$out/description" | grep -qv '^ [^ ]'; then
  echo "a body line is not indented by exactly one space"; status=1
fi
grep -q 'saves both; the$' "$out/description" || { echo "the description lost its ';'"; status=1; }
for f in ./usr/bin/vadidazid-sim ./usr/share/man/man1/vadidazid-sim.1.gz \
         ./usr/share/doc/vadidazid/changelog.gz ./usr/share/doc/vadidazid/docs/plot.png \
         ./usr/share/doc/vadidazid/copyright; do
  grep -q " $f\$" "$out/contents" || { echo "package lacks $f"; status=1; }
done
# Nothing of the build's own (tests, benchmarks, static libraries) is shipped.
if grep -E 'test_|bench_|\.a$|/include/' "$out/contents"; then status=1; fi
# Lintian passes it, apart from the tags the package's overrides file justifies.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$1" || { echo "lintian finds faults"; status=1; }
else
  echo "lintian is not installed: its check is left out"
fi
exit $status
