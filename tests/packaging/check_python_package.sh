#!/bin/sh
# Checks the Python module's Debian package that cpack made beside the programs' one:
# its control data (the Python it was built for, numpy, the libraries from the binary,
# the one source package, a description as apt shows it), its files in the folder
# Debian's python3 reads, a module that imports from the unpacked package and
# computes (lintian reads it with the programs' package).
# Usage: check_python_package.sh CPACK_OUT_DIR PROGRAMS_DEB
set -eu
out=$1 programs=$2
set -- "$out"/python3-vadidazid_*.deb
[ -f "$1" ] || { echo "no python3-vadidazid package made"; exit 1; }
deb=$1 status=0
dpkg-deb -I "$deb" >"$out/py-info"
dpkg-deb -c "$deb" >"$out/py-contents"
cat "$out/py-info" "$out/py-contents"
field() { dpkg-deb -f "$deb" "$1"; }

# The module's file name carries the Python it was built for (cpython-311: 3.11);
# Depends must name that Python and no other.
so=$(sed -n 's|.* \./usr/lib/python3/dist-packages/\(vadidazid\.cpython-[0-9]*-.*\.so\)$|\1|p' \
  "$out/py-contents")
[ -n "$so" ] || { echo "no extension module in /usr/lib/python3/dist-packages"; exit 1; }
tag=${so#vadidazid.cpython-} tag=${tag%%-*}
major=${tag%"${tag#?}"} minor=${tag#?}
while read -r name want; do
  got=$(field "$name")
  [ "$got" = "$want" ] || { echo "$name: '$got', not '$want'"; status=1; }
done <<EOF
Package python3-vadidazid
Source vadidazid
Section python
Architecture $(dpkg-deb -f "$programs" Architecture)
Version $(dpkg-deb -f "$programs" Version)
EOF
depends=$(field Depends)
for dep in "python3 (>= $major.$minor~)" "python3 (<< $major.$((minor + 1)))" python3-numpy \
           libc6 libstdc++6; do
  case ", $depends," in
    *", $dep"[,\ ]*) ;;
    *) echo "Depends lacks $dep"; status=1 ;;
  esac
done
# It never pulls in the programs, whose own package pulls in a desktop's libraries.
if echo "$depends" | grep -qE '(^|, )(vadidazid|libqt)'; then
  echo "the module depends on the programs or Qt"; status=1
fi
# The description: its own summary, then one-space-indented lines.
field Description >"$out/py-description"
summary=$(head -n1 "$out/py-description")
[ "$summary" = "call traffic simulator for cellular networks (Python 3 module)" ] ||
  { echo "summary line: $summary"; status=1; }
if sed '1d' "$out/py-description" | grep -qv '^ [^ ]'; then
  echo "a body line is not indented by exactly one space"; status=1
fi
for f in ./usr/lib/python3/dist-packages/vadidazid.pyi \
         ./usr/share/doc/python3-vadidazid/copyright \
         ./usr/share/doc/python3-vadidazid/changelog.gz; do
  grep -q " $f\$" "$out/py-contents" || { echo "package lacks $f"; status=1; }
done
if grep -E '/bin/|test_|\.a$|/include/' "$out/py-contents"; then status=1; fi

# The stripped module as installed: Debian's python3 (where it is the one the module
# was built for) imports it from the unpacked package alone and computes with it.
# A module built with the address sanitizer loads only with its runtime preloaded.
python=/usr/bin/python3
dpkg-deb -x "$deb" "$out/py-root"
if grep -q 'libasan\.so' "$out/py-root/usr/lib/python3/dist-packages/$so"; then
  echo "the module is built with the address sanitizer: the import from the package is left out"
elif [ -x $python ] && [ "$($python -c 'import sys; print(*sys.version_info[:2])')" = "$major $minor" ]; then
  got=$(cd / && PYTHONPATH="$out/py-root/usr/lib/python3/dist-packages" PYTHONNOUSERSITE=1 \
    $python -c 'import vadidazid; print(vadidazid.__file__); print(vadidazid.erlang_b(10, 5))') ||
    { echo "the packaged module does not import"; status=1; }
  echo "$got"
  case $got in
    "$out/py-root/usr/lib/python3/dist-packages/$so
0.01838457"*) ;;
    *) echo "the packaged module is not the one imported, or erlang_b(10, 5) is wrong"; status=1 ;;
  esac
else
  echo "no /usr/bin/python3 $major.$minor: the import from the package is left out"
fi
exit $status
