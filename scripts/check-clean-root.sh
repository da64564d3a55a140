#!/usr/bin/env bash
# Installs the project's Debian packages into a clean Debian root, as a user's machine
# would get them, and checks them there: the programs' package alone pulls in no
# Python; the Python module's package brings Python and numpy and its module imports
# and computes; the window starts from the installed package on an X display of its
# own, with its class and icon set, and a screenshot of it is kept.
#
#     sudo bash scripts/check-clean-root.sh ROOT [BUILD_DIR]
#
# ROOT is a folder outside the sources that this script makes anew with debootstrap
# (a folder it made before is removed first; any other non-empty folder is refused).
# BUILD_DIR (default build) is a configured and built tree: its packages are made with
# cpack. Needs root, the network (Debian's archive, for debootstrap and apt), and on
# the machine: debootstrap, cpack, Xvfb, xdotool, xprop and ImageMagick's import.
# MIRROR picks the archive (debootstrap's own default without it); DEBOOTSTRAP_CACHE
# names a folder to keep the downloaded packages in between runs. The screenshot and
# the window's properties are written to ./clean-root-check/ in the working folder.
# Exits 0 when every check passes, 1 when one fails, 2 on misuse. Takes minutes.
set -euo pipefail

if (($# < 1 || $# > 2)); then
  echo "usage: $0 ROOT [BUILD_DIR]" >&2
  exit 2
fi
root=$(realpath -m "$1")
build=$(realpath "${2:-build}")
sources=$(realpath "$(dirname "$0")/..")
out=$PWD/clean-root-check
marker=.vadidazid-clean-root
suite=bookworm
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

need_tools() {
  [[ $(id -u) == 0 ]] || { echo "needs root (debootstrap, chroot, mount)" >&2; exit 2; }
  local missing=()
  for tool in debootstrap cpack chroot Xvfb xdotool xprop import; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  if ((${#missing[@]})); then
    echo "missing tools: ${missing[*]} (Debian: debootstrap cmake xvfb xdotool" \
      "x11-utils imagemagick)" >&2
    exit 2
  fi
  [[ -f $build/CPackConfig.cmake ]] || { echo "$build is no configured build" >&2; exit 2; }
  case $root/ in
    "$sources"/*) echo "ROOT must lie outside the sources" >&2; exit 2 ;;
  esac
}

# Mounts made inside the root, unmounted in reverse order; processes started, ended.
mounts=()
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

# A root of our own from before is removed (after making sure nothing is mounted in
# it); a folder that is not ours is never touched.
make_root() {
  if [[ -e $root ]]; then
    if [[ -e $root/$marker ]]; then
      if grep -q " $root/" /proc/mounts; then
        echo "$root has something mounted in it; unmount it first" >&2
        exit 2
      fi
      rm -rf --one-file-system "$root"
    elif [[ -n $(ls -A "$root") ]]; then
      echo "$root is not empty and was not made by this script" >&2
      exit 2
    fi
  fi
  mkdir -p "$root"
  touch "$root/$marker"
  local cache=()
  if [[ -n ${DEBOOTSTRAP_CACHE:-} ]]; then
    mkdir -p "$DEBOOTSTRAP_CACHE"
    cache=(--cache-dir="$(realpath "$DEBOOTSTRAP_CACHE")")
  fi
  echo "== debootstrap $suite into $root"
  debootstrap --variant=minbase "${cache[@]}" "$suite" "$root" ${MIRROR:+"$MIRROR"} \
    >"$out/debootstrap.log" 2>&1 || { tail -20 "$out/debootstrap.log"; exit 1; }
}

mount_into_root() {
  mount -t proc proc "$root/proc"
  mounts+=("$root/proc")
}

# The packages from the build tree, copied into the root where apt installs them from.
make_packages() {
  echo "== cpack"
  local debs=$root/tmp/debs
  mkdir -p "$debs"
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out/cpack" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
  cp "$out"/cpack/*.deb "$debs/"
  for deb in "$debs"/*.deb; do
    echo "-- dpkg-deb -I $(basename "$deb")"
    dpkg-deb -I "$deb"
  done
}

# A file inside the root as the root sees it (its path without the root's folder).
root_path() {
  [[ -f $1 ]] || { echo "no such package: $1" >&2; exit 1; }
  echo "${1#"$root"}"
}

in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"
}

# The programs first and alone, without recommended packages: what they depend on must
# be enough, and none of it may be Python. Then the module, which brings Python.
install_packages() {
  echo "== apt-get install (programs)"
  in_root apt-get update -q
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "$(root_path "$root"/tmp/debs/vadidazid_*.deb)" >"$out/apt-programs.log" 2>&1 ||
    { tail -30 "$out/apt-programs.log"; exit 1; }
  if in_root dpkg-query -W -f '${Package}\n' | grep -E '^(python3|libpython3)'; then
    fail "the programs' package pulled in Python"
  else
    echo "ok: no Python installed with the programs"
  fi
  echo "== apt-get install (Python module)"
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "$(root_path "$root"/tmp/debs/python3-vadidazid_*.deb)" >"$out/apt-python.log" 2>&1 ||
    { tail -30 "$out/apt-python.log"; exit 1; }
}

check_programs() {
  echo "== programs"
  in_root vadidazid-sim --version || fail "vadidazid-sim --version"
  in_root vadidazid --version || fail "vadidazid --version"
  local text
  text=$(cd / && in_root python3 -c \
    "import vadidazid; print(vadidazid.__file__); print(vadidazid.erlang_b(10, 5))") ||
    fail "python3 cannot import vadidazid"
  echo "$text"
  [[ $text == /usr/lib/python3/dist-packages/vadidazid.*.so$'\n'0.01838457* ]] ||
    fail "the installed module did not answer erlang_b(10, 5) = 0.01838457..."
  # A run through the module (numpy's arrays included) writes the installed runner's log.
  in_root vadidazid-sim --steps=40 --seed=7 --out /tmp/runner-log.txt || fail "the runner's run"
  in_root python3 -c "import vadidazid; r = vadidazid.run(steps=40, seed=7)
print(type(r.running).__module__, r.running.dtype, len(r.running))
open('/tmp/module-log.txt', 'wb').write(r.log_bytes)" || fail "the module's run"
  if cmp "$root/tmp/runner-log.txt" "$root/tmp/module-log.txt"; then
    echo "ok: the module's run logs the runner's bytes"
  else
    fail "the module's run and the runner's differ"
  fi
}

# An X display of our own on the first free number from 120 on, its socket shared with
# the root so that the installed window draws on it.
start_display() {
  local n=120
  while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
  display=:$n
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  [[ -e /tmp/.X11-unix/X$n ]] || { cat "$out/xvfb.log"; exit 1; }
  mkdir -p "$root/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
  mounts+=("$root/tmp/.X11-unix")
}

# The window from the installed package: shown within half a minute, its class the one
# its desktop entry names, its icon set; a screenshot of the display is kept.
check_window() {
  start_display
  echo "== window on $display"
  in_root env DISPLAY="$display" QT_QPA_PLATFORM=xcb vadidazid >"$out/window.log" 2>&1 &
  pids+=($!)
  local wmclass window=""
  wmclass=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/pl.vadidazid.Vadidazid.desktop")
  for _ in $(seq 60); do
    window=$(DISPLAY=$display xdotool search --onlyvisible --class "^$wmclass\$" 2>/dev/null |
      head -n1) && [[ -n $window ]] && break
    sleep 0.5
  done
  if [[ -z $window ]]; then
    fail "no window of class '$wmclass' appeared"
    cat "$out/window.log"
    return
  fi
  sleep 2  # let it draw its cells and chart before the screenshot
  DISPLAY=$display xprop -id "$window" WM_CLASS _NET_WM_NAME >"$out/xprop.txt"
  DISPLAY=$display xprop -id "$window" _NET_WM_ICON >"$out/icon.txt"
  cat "$out/xprop.txt"
  echo "_NET_WM_ICON: $(grep -o 'Icon ([0-9]* x [0-9]*)' "$out/icon.txt" | tr '\n' ' ')"
  grep -q "^WM_CLASS(STRING) = .*\"$wmclass\"" "$out/xprop.txt" ||
    fail "WM_CLASS does not name $wmclass"
  grep -q 'Icon (' "$out/icon.txt" || fail "the window has no _NET_WM_ICON"
  DISPLAY=$display import -window root "$out/window.png"
  echo "screenshot: $out/window.png"
  [[ -s $out/window.log ]] && { echo "-- the window's messages:"; cat "$out/window.log"; }
  return 0
}

need_tools
rm -rf "$out"
mkdir -p "$out"
make_root
mount_into_root
make_packages
install_packages
check_programs
check_window
if ((failures)); then
  echo "clean root: $failures check(s) failed"
  exit 1
fi
echo "clean root: every check passed"
