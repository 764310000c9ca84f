#!/usr/bin/env bash
# Start-up time: process start until the dialog is visible, for qvkcopy2.exe with logging
# on at level 15 against a minimal Win32 program showing one empty dialog. Both are
# started and timed by the same launcher under the same Wine, taking turns.
# Needs QV_BIN and the Wine environment from scripts/bench. Target: ratio at most 1.3.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_STARTUP_RUNS:-15}
ctx=${QV_BENCH_CTX:-"#QV#QV Jet 2140#BENCH01"}

# Logging on at every level for the module "UI", with room enough never to hit the limit.
config_dir="$WINEPREFIX/drive_c/ProgramData/QV"
mkdir -p "$config_dir"
# The prefix is shared with the tests: put the previous configuration back afterwards.
saved=$(mktemp)
if [ -f "$config_dir/RKLogConfig.ini" ]; then cp "$config_dir/RKLogConfig.ini" "$saved"; else rm -f "$saved"; fi
restore() { if [ -f "$saved" ]; then mv "$saved" "$config_dir/RKLogConfig.ini"; else rm -f "$config_dir/RKLogConfig.ini"; fi; }
trap restore EXIT
printf '[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=15\r\nAPI=0\r\nPROTOCOL=0\r\nDEFAULT=0\r\n[LogFileSize]\r\nFILESIZE=1073741824\r\n' \
  > "$config_dir/RKLogConfig.ini"

win() { winepath -w "$1" 2>/dev/null; }
app="\"$(win "$QV_BIN/qvkcopy2.exe")\" -CtxID \"$ctx\""
minimal="\"$(win "$QV_BIN/bench_minimal_dialog.exe")\""
template="\"$(win "$QV_BIN/bench_copy_template_dialog.exe")\""

time_pair() {   # prints the launcher's lines; returns its ratio of medians in $ratio
  local out status
  out=$(wine "$QV_BIN/bench_startup_timer.exe" "$runs" "$1" "$2" 2>&1 </dev/null)
  status=$?
  echo "$out" | sed 's/^/  /'
  ratio=$(echo "$out" | sed -n 's/^ratio A\/B \([0-9.]*\).*/\1/p')
  [ $status -eq 0 ] && [ -n "$ratio" ]
}

# What the program's own start-up adds to showing its dialog (information only).
echo "  against a plain program showing the same dialog template:"
time_pair "$app" "$template" || echo "  startup: timing against the template failed"

echo "  against a minimal program showing one empty dialog:"
time_pair "$app" "$minimal" || { echo "  startup: timing failed"; exit 1; }
if awk -v r="$ratio" 'BEGIN { exit !(r <= 1.3) }'; then
  echo "  startup: qvkcopy2.exe takes ${ratio}x the minimal dialog (target <= 1.3): ok"
else
  echo "  startup: qvkcopy2.exe takes ${ratio}x the minimal dialog (target <= 1.3): too slow"
  exit 1
fi
