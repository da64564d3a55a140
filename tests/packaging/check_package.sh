#!/bin/sh
# Builds the Debian packages from the build folder and checks their control data (the
# libraries' packages found from the binaries, a description as apt shows it), their
# contents, and lintian's word on them where lintian is installed: vadidazid, the
# programs, and python3-vadidazid, the Python module, where the build has it. The
# programs' package must not pull in Python.
# Usage: check_package.sh BUILD_DIR [WITH_PYTHON(ON|OFF)]; exits 77 (skipped) without
# the Debian tools.
set -eu
build=$1 python=${2:-OFF}
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed (dpkg-dev)"; exit 77; }
done
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
set -- "$out"/vadidazid_*.deb
[ -f "$1" ] || { echo "no package made"; cat "$out/cpack.log"; exit 1; }
status=0
if [ "$python" = ON ]; then
  sh "$(dirname "$0")/check_python_package.sh" "$out" "$1" || status=1
fi
dpkg-deb -I "$1" >"$out/info"
dpkg-deb -c "$1" >"$out/contents"
cat "$out/info" "$out/contents"
depends=$(sed -n 's/^ Depends: //p' "$out/info")
for dep in libc6 libstdc++6 fonts-liberation2; do
  echo "$depends" | grep -q "$dep" || { echo "Depends lacks $dep"; status=1; }
done
if echo "$depends" | grep -qi python; then echo "the programs depend on Python"; status=1; fi
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
# Nothing of the build's own (tests, benchmarks, static libraries) is shipped, nor the
# Python module, which has a package of its own.
if grep -E 'test_|bench_|\.a$|/include/|python|\.so$' "$out/contents"; then status=1; fi
# Lintian passes every package made, apart from the tags an overrides file justifies.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$out"/*.deb || { echo "lintian finds faults"; status=1; }
else
  echo "lintian is not installed: its check is left out"
fi
exit $status
