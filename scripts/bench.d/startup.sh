#!/usr/bin/env bash
# Start-up time: process start until the copy dialog is ready (visible, its paper-size list
# filled, the simulated device bound), for qvkcopy2.exe with logging on at level 15, against
# a plain program showing the same dialog template from copy2.dll with no logic. Both are
# started and timed by the same launcher under the same Wine, taking turns.
# Needs QV_BIN and the Wine environment from scripts/bench. Target: ratio at most 1.15.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_STARTUP_RUNS:-15}
ctx=${QV_BENCH_CTX:-"#QV#QV Jet 2140#BENCH01"}
paper_size_list=1004

# Logging on at every level for the module "UI", with room enough never to hit the limit.
config_dir="$WINEPREFIX/drive_c/ProgramData/QV"
mkdir -p "$config_dir"
# The prefix is shared with the tests: put the previous configuration back afterwards, and
# remove the settings files and the log the runs made.
saved=$(mktemp)
if [ -f "$config_dir/RKLogConfig.ini" ]; then cp "$config_dir/RKLogConfig.ini" "$saved"; else rm -f "$saved"; fi
appdata="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming"
device_id=${ctx##*#}
restore() {
  if [ -f "$saved" ]; then mv "$saved" "$config_dir/RKLogConfig.ini"; else rm -f "$config_dir/RKLogConfig.ini"; fi
  rm -f "$appdata/QV/Imagora/D$device_id.xml" "$appdata/QV/Imagora/F$device_id.xml" "$appdata/${ctx//#/}_UI.log"
}
trap restore EXIT
printf '[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=15\r\nAPI=0\r\nPROTOCOL=0\r\nDEFAULT=0\r\n[LogFileSize]\r\nFILESIZE=1073741824\r\n' \
  > "$config_dir/RKLogConfig.ini"

win() { winepath -w "$1" 2>/dev/null; }
app="\"$(win "$QV_BIN/qvkcopy2.exe")\" -CtxID \"$ctx\""
minimal="\"$(win "$QV_BIN/bench_minimal_dialog.exe")\""
template="\"$(win "$QV_BIN/bench_copy_template_dialog.exe")\""
floor="\"$(win "$QV_BIN/bench_floor_dialog.exe")\""

time_pair() {   # prints the launcher's lines; returns its ratio of medians in $ratio
  local out status
  out=$(wine "$QV_BIN/bench_startup_timer.exe" "$runs" "$1" "$2" "${3:-}" 2>&1 </dev/null)
  status=$?
  echo "$out" | sed 's/^/  /'
  ratio=$(echo "$out" | sed -n 's/^ratio A\/B \([0-9.]*\).*/\1/p')
  [ $status -eq 0 ] && [ -n "$ratio" ]
}

# What Wine costs for any dialog at all (information only).
echo "  against a minimal program showing one empty dialog:"
time_pair "$app" "$minimal" "$paper_size_list" || echo "  startup: timing against the minimal dialog failed"

# The platform's own share (information only): the plain template program plus the COM
# apartment, one settings document and the decoded pictures that the copy dialog cannot
# leave out. When this floor alone exceeds the target, no start-up can meet it here.
echo "  the floor (template + COM, settings document, pictures) against the plain template:"
time_pair "$floor" "$template" || echo "  startup: timing the floor failed"
floor_ratio=$ratio

echo "  against a plain program showing the same dialog template:"
time_pair "$app" "$template" "$paper_size_list" || { echo "  startup: timing failed"; exit 1; }
if awk -v r="$ratio" 'BEGIN { exit !(r <= 1.15) }'; then
  echo "  startup: the ready copy dialog takes ${ratio}x the plain template dialog (target <= 1.15): ok"
else
  echo "  startup: the ready copy dialog takes ${ratio}x the plain template dialog (target <= 1.15): too slow"
  echo "  (the floor of the platform work alone takes ${floor_ratio:-?}x)"
  exit 1
fi
