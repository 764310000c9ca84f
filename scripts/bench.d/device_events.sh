#!/usr/bin/env bash
# How long a Close waits behind a run of busy/idle device events: the time from the first
# event until the program has ended, for 400 and 1000 events, and the cost of one event.
# Logging off, then on at level 15. Needs QV_BIN and the Wine environment from scripts/bench.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
counts=${QV_BENCH_EVENT_COUNTS:-"400 1000"}
program=${QV_BENCH_EVENTS_PROGRAM:-qvkcopy2.exe}   # another build beside it, to compare
device_id=EVENTS01
ctx="#QV#QV Jet 2140#$device_id"

. "$(dirname "$0")/device.inc"
status=0
for level in 0 15; do
  log_level "$level"
  echo "  logging level $level:"
  # shellcheck disable=SC2086
  out=$(wine "$QV_BIN/bench_device_events.exe" "\"$(win "$QV_BIN/$program")\" -CtxID \"$ctx\"" "$ctx" \
    $counts 2>&1 </dev/null) || status=1
  echo "$out" | sed 's/^/    /'
done
exit $status
