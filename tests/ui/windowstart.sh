#!/bin/sh
# The window started where it cannot open, with a cleaned environment: without a
# display it says why in one line on standard error and ends with status 1 (not an
# abort), while --help, --version and the refusal of an unknown argument (escaped, with
# the usage line, status 2) work as with a display. A case that opened a window would
# never end, so each has a time limit.
program=$1 version=$2
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
failed=0
esc=$(printf '\033') bel=$(printf '\007') csi=$(printf '\302\233')
nodisplay="vadidazid: cannot open the window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"

# check STATUS FIRST-LINE [VARIABLE=VALUE ...] -- [ARGUMENT ...]: the status, and the
# first line of standard error (of standard output for status 0). Status 1 writes that
# line alone; status 2 adds the usage.
check() {
  want=$1 line=$2
  shift 2
  case=$(printf '%s' "$*" | cat -v)
  set -- env -i PATH="$PATH" "$@"
  # The program goes in place of the "--" that ends the variables.
  n=$#
  while [ "$n" -gt 0 ]; do
    a=$1
    shift
    if [ "$a" = -- ]; then set -- "$@" "$program"; else set -- "$@" "$a"; fi
    n=$((n - 1))
  done
  timeout 20 "$@" > "$dir/out" 2> "$dir/err"
  status=$?
  case $want in
    0) shown=$dir/out other=$dir/err ;;
    *) shown=$dir/err other=$dir/out ;;
  esac
  first=$(head -n 1 "$shown")
  problem=
  if [ "$status" -ne "$want" ]; then problem="status $status, not $want"
  elif [ "$first" != "$line" ]; then problem="first line differs"
  elif [ -s "$other" ]; then problem="wrote to the other stream"
  elif [ "$want" -eq 1 ] && [ "$(wc -l < "$shown")" -ne 1 ]; then problem="more than one line"
  elif [ "$want" -eq 2 ] && [ "$(sed -n 2p "$shown" | cut -c 1-17)" != "Usage: vadidazid " ]; then
    problem="no usage line"
  fi
  if [ -n "$problem" ]; then
    failed=1
    printf 'FAILED (%s): %s\n--- wanted first line:\n%s\n--- standard error:\n' \
      "$problem" "$case" "$line"
    cat -v "$dir/err"
  fi
}

check 1 "$nodisplay" --
check 1 "$nodisplay" -- -style fusion -reverse
check 1 "$nodisplay" DISPLAY= WAYLAND_DISPLAY= --
check 2 "vadidazid: unknown option '--bogus'" -- --bogus
check 2 "vadidazid: unexpected argument 'file.txt'" -- -style fusion file.txt
check 2 "vadidazid: unknown option '-x\\x1B[2J\\x07\\xC2\\x9B0m'" -- "-x$esc[2J$bel${csi}0m"
check 0 "Usage: vadidazid [--help] [--version] [toolkit options]" -- --help
check 0 "Usage: vadidazid [--help] [--version] [toolkit options]" -- --bogus -h
check 0 "vadidazid (Vadidazid) $version" -- --version
# A display named but not there, a platform that does not exist: the toolkit's own
# failure, in one line and escaped.
check 1 "vadidazid: cannot open the window: could not connect to display :4999\\x1B[2J" \
  DISPLAY=":4999$esc[2J" --
check 1 "vadidazid: cannot open the window: could not connect to display :4999" -- -display :4999
check 1 "vadidazid: cannot open the window: could not connect to display" \
  XDG_SESSION_TYPE=wayland --
check 1 "vadidazid: cannot open the window: Could not find the Qt platform plugin \"nonesuch\" in \"\"" \
  QT_QPA_PLATFORM=nonesuch --
check 1 "vadidazid: cannot open the window: Could not find the Qt platform plugin \"nonesuch\" in \"\"" \
  -- -platform nonesuch
[ "$failed" -eq 0 ] && echo "the window without a display: every case as wanted"
exit "$failed"
