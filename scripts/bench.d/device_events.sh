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

sim=$(mktemp -d)
config_dir="$WINEPREFIX/drive_c/ProgramData/QV"
mkdir -p "$config_dir"
saved=$(mktemp)
if [ -f "$config_dir/RKLogConfig.ini" ]; then cp "$config_dir/RKLogConfig.ini" "$saved"; else rm -f "$saved"; fi
appdata="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming"
restore() {
  if [ -f "$saved" ]; then mv "$saved" "$config_dir/RKLogConfig.ini"; else rm -f "$config_dir/RKLogConfig.ini"; fi
  rm -f "$appdata/QV/Imagora/D$device_id.xml" "$appdata/QV/Imagora/F$device_id.xml" "$appdata/${ctx//#/}_UI.log"
  rm -rf "$sim"
}
trap restore EXIT
printf '[Device]\r\nBusyTime=0\r\n' > "$sim/device-$device_id.ini"

win() { winepath -w "$1" 2>/dev/null; }
export QVSIM_DIR
QVSIM_DIR=$(win "$sim")
status=0
for level in 0 15; do
  printf '[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=%s\r\n[LogFileSize]\r\nFILESIZE=1073741824\r\n' \
    "$level" > "$config_dir/RKLogConfig.ini"
  echo "  logging level $level:"
  # shellcheck disable=SC2086
  out=$(wine "$QV_BIN/bench_device_events.exe" "\"$(win "$QV_BIN/$program")\" -CtxID \"$ctx\"" "$ctx" \
    $counts 2>&1 </dev/null) || status=1
  echo "$out" | sed 's/^/    /'
done
exit $status
