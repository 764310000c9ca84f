#!/usr/bin/env bash
# The copier's print path against the PDF printer: the time from a copy request to the PDF
# on disk, for one A4 page at 300 dpi at Normal and at Best quality, through the copier's
# component and through a plain program that prints the same image at the same size with
# GDI to the same printer (goal: at most 1.2 times); and the copying process's peak working
# set above idle during the copy (goal: under 64 MiB). Needs QV_BIN and the Wine
# environment from scripts/bench, and the printer "PDF" writing to $HOME/PDF.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_COPIER_RUNS:-5}
if ! lpstat -p PDF >/dev/null 2>&1; then
  echo "  no PDF printer: skipped"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/originals" "$HOME/PDF"
/usr/bin/convert -size 2480x3508 gradient:'#ff8040-#2040ff' -fill black -draw 'rectangle 236,236 826,826' \
  -units PixelsPerInch -density 300 "$work/originals/a4.png" || exit 1
export QVCOPIER_SETUPS
QVCOPIER_SETUPS=$(winepath -w "$work/setups.txt" 2>/dev/null)
originals=$(winepath -w "$work/originals" 2>/dev/null)
pdf=$(winepath -w "$HOME/PDF" 2>/dev/null)
status=0
for quality in 2 3; do
  declare -A median=()
  for mode in plain copier; do
    out=$(wine "$QV_BIN/bench_copier_print.exe" "$mode" "$runs" "$quality" "$originals" PDF "$pdf" 2>&1 </dev/null) ||
      status=1
    echo "$out" | sed 's/^/  /'
    median[$mode]=$(echo "$out" | sed -n 's/.*median \([0-9.]*\) ms.*/\1/p')
  done
  if [ -n "${median[plain]}" ] && [ -n "${median[copier]}" ]; then
    ratio=$(awk -v c="${median[copier]}" -v p="${median[plain]}" 'BEGIN { printf "%.2f", c / p }')
    echo "  quality $quality: copier / plain = $ratio (goal <= 1.2)"
    awk -v r="$ratio" 'BEGIN { exit !(r > 1.2) }' && status=1
  fi
  unset median
done
exit $status
