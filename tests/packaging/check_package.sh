#!/bin/sh
# Builds the Debian package from the build folder and checks its control data (the
# libraries' packages found from the binaries) and its contents.
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
for f in ./usr/bin/vadidazid-sim ./usr/share/man/man1/vadidazid-sim.1 \
         ./usr/share/doc/vadidazid/copyright; do
  grep -q " $f\$" "$out/contents" || { echo "package lacks $f"; status=1; }
done
# Nothing of the build's own (tests, benchmarks, static libraries) is shipped.
if grep -E 'test_|bench_|\.a$|/include/' "$out/contents"; then status=1; fi
exit $status
