#!/usr/bin/env bash
# Time from a click on Color Copy until the job is in the simulated device's journal, with
# logging on at level 15. Needs QV_BIN and the Wine environment from scripts/bench.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_CLICK_RUNS:-20}
device_id=CLICK01
ctx="#QV#QV Jet 2140#$device_id"

. "$(dirname "$0")/device.inc"
log_level 15
out=$(wine "$QV_BIN/bench_click_to_job.exe" "$runs" "\"$(win "$QV_BIN/qvkcopy2.exe")\" -CtxID \"$ctx\"" \
  "$QVSIM_DIR\\journal-$device_id.txt" 2>&1 </dev/null)
status=$?
echo "$out" | sed 's/^/  /'
exit $status
