#!/usr/bin/env bash
# The copier's print path against the PDF printer, for one A4 page at 300 dpi, 8 bits a
# channel as scanners write it, at Normal and at Best quality: the time from a click on
# Color Copy until the PDF is complete on disk, through the copy program bound to a copier
# set-up, against a plain program that prints the same image at the same size with GDI to
# the same printer (goal: at most 1.2 times); for information the copier's component driven
# directly; and the copy program's peak working set above idle while it copies (goal: under
# 64 MiB). QV_BENCH_DEPTH=16 makes the original a 16-bit PNG, whose whole-image decode alone
# takes WIC about 70 MiB. Needs QV_BIN and the Wine environment from scripts/bench, and the
# printer "PDF" writing to $HOME/PDF. The copier's components hold the copy classes only
# for the run.
set -uo pipefail
: "${QV_BIN:?run through scripts/bench}"
runs=${QV_BENCH_COPIER_RUNS:-5}
if ! lpstat -p PDF >/dev/null 2>&1; then
  echo "  no PDF printer: skipped"
  exit 0
fi
win() { winepath -w "$1" 2>/dev/null; }
tool() { wine "$QV_BIN/qvcopier.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
work=$(mktemp -d)
appdata="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming"
device_id=
restore() {
  tool use simulated >/dev/null
  [ -n "$device_id" ] && rm -f "$appdata/QV/Imagora/D$device_id.xml" "$appdata/QV/Imagora/F$device_id.xml"
  rm -rf "$work"
}
trap restore EXIT
mkdir -p "$work/originals" "$HOME/PDF"
/usr/bin/convert -size 2480x3508 gradient:'#ff8040-#2040ff' -fill black -draw 'rectangle 236,236 826,826' \
  -units PixelsPerInch -density 300 -depth "${QV_BENCH_DEPTH:-8}" "$work/originals/a4.png" || exit 1
export QVCOPIER_SETUPS
QVCOPIER_SETUPS=$(win "$work/setups.txt")
originals=$(win "$work/originals")
pdf=$(win "$HOME/PDF")
name=qvbench$$
tool add "$name" --source "$originals" --printer PDF >/dev/null || { echo "  qvcopier add failed"; exit 1; }
ctx=$(tool list | awk -F'\t' -v n="$name" '$1 == n { print $2 }')
device_id=${ctx##*#}
tool use copier >/dev/null || { echo "  qvcopier use copier failed"; exit 1; }

status=0
median() { echo "$1" | sed -n 's/.*median \([0-9.]*\) ms.*/\1/p'; }
for quality in 2 3; do
  button=$([ "$quality" = 3 ] && echo 1025 || echo 1031)
  plain=$(wine "$QV_BIN/bench_copier_print.exe" plain "$runs" "$quality" "$originals" PDF "$pdf" 2>&1 </dev/null) || status=1
  echo "  plain GDI program, quality $quality: $plain"
  direct=$(QVCOPIER_SETUPS=$(win "$work")\\direct.txt wine "$QV_BIN/bench_copier_print.exe" copier "$runs" "$quality" "$originals" PDF "$pdf" 2>&1 </dev/null) || status=1
  echo "  copier component alone, quality $quality: $direct"
  program=$(wine "$QV_BIN/bench_click_to_pdf.exe" "$runs" "\"$(win "$QV_BIN/qvkcopy2.exe")\" -CtxID \"$ctx\"" \
    "$pdf" "${name}_copy_*.pdf" "$button" 2>&1 </dev/null) || status=1
  echo "  copy program, quality $quality: $program"
  p=$(median "$plain") c=$(median "$program")
  if [ -n "$p" ] && [ -n "$c" ]; then
    ratio=$(awk -v c="$c" -v p="$p" 'BEGIN { printf "%.2f", c / p }')
    echo "  quality $quality: click to PDF / plain = $ratio (goal <= 1.2)"
    awk -v r="$ratio" 'BEGIN { exit !(r > 1.2) }' && status=1
  fi
done
exit $status
