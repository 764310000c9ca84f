#!/usr/bin/env bash
# Time from a click on Color Copy until the job is in the simulated device's journal, with
# logging on at level 15. Needs QV_BIN and the Wine environment from scripts/bench.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_CLICK_RUNS:-20}
device_id=CLICK01
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
printf '[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=15\r\n[LogFileSize]\r\nFILESIZE=1073741824\r\n' \
  > "$config_dir/RKLogConfig.ini"
# The device is busy for no time after a job, so the next click can follow at once.
printf '[Device]\r\nBusyTime=0\r\n' > "$sim/device-$device_id.ini"

win() { winepath -w "$1" 2>/dev/null; }
export QVSIM_DIR
QVSIM_DIR=$(win "$sim")
out=$(wine "$QV_BIN/bench_click_to_job.exe" "$runs" "\"$(win "$QV_BIN/qvkcopy2.exe")\" -CtxID \"$ctx\"" \
  "$QVSIM_DIR\\journal-$device_id.txt" 2>&1 </dev/null)
status=$?
echo "$out" | sed 's/^/  /'
exit $status
