#!/bin/sh
# Starts the window offscreen and checks that it catches SIGTERM (so that a save's
# temporary file is removed when the session ends), then ends it with that signal.
program=$1
QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
caught=0
for _ in $(seq 100); do
  mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)
  # SIGTERM is signal 15: bit 14 of the mask.
  if [ -n "$mask" ] && [ $(( 0x$mask & 0x4000 )) -ne 0 ]; then caught=1; break; fi
  sleep 0.1
done
kill -TERM "$pid" 2>/dev/null
wait "$pid"
status=$?
if [ "$caught" -ne 1 ]; then echo "the window does not catch SIGTERM"; exit 1; fi
# Ended by the signal it re-raises: 128 + 15.
if [ "$status" -ne 143 ]; then echo "ended with status $status, not by SIGTERM"; exit 1; fi
echo "catches SIGTERM and ends by it"
