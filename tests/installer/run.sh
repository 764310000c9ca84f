#!/usr/bin/env bash
# The installer test, in a Wine prefix of its own (build/wineprefix-install) so that the
# package's machine-wide class registrations never reach the prefix of the other tests:
# two packages of this build (its version and one patch level higher); the first installed
# silently, a copier set up, a colour copy and Help through the installed program (the test
# executable), the second installed over it, then removed; what the package placed is gone
# and the user's files stay. ctest calls it: run.sh <test executable>.
set -uo pipefail
test_exe=$(readlink -f "$1")
build=$(cd "$(dirname "$test_exe")/.." && pwd)
export QV_BUILD_ROOT QV_WINEPREFIX
QV_BUILD_ROOT=$(dirname "$build")
QV_WINEPREFIX=$QV_BUILD_ROOT/wineprefix-install
. "$(dirname "$0")/../../scripts/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(head -n 1 "$QV_ROOT/VERSION")
newer=${version%.*}.$(( ${version##*.} + 1 ))
old_msi=$work/qvcopy-$version.msi new_msi=$work/qvcopy-$newer.msi
"$QV_ROOT/scripts/package" "$build" "$old_msi" || exit 1
"$QV_ROOT/scripts/package" "$build" "$new_msi" "$newer" || exit 1

# A run that could not put the prefix back leaves it marked: it is made anew.
[ -e "$QV_WINEPREFIX/.qv-in-use" ] && rm -rf "$QV_WINEPREFIX"
qv_prefix
touch "$WINEPREFIX/.qv-in-use"
c=$WINEPREFIX/drive_c
appdata=$c/users/$(id -un)/AppData/Roaming
dir="$c/Program Files/QV/QV Copy" windir='C:\Program Files\QV\QV Copy'
# The guide's entry is for all users; Wine's installer puts it in the user's Start menu.
guide_entries=("$c/ProgramData/Microsoft/Windows/Start Menu/Programs/QV Copy/QV Copy Guide.lnk"
               "$appdata/Microsoft/Windows/Start Menu/Programs/QV Copy/QV Copy Guide.lnk")
ini=$c/ProgramData/QV/RKLogConfig.ini
setup=QVInstalled$$ device=copier-1
setup_entry="$appdata/Microsoft/Windows/Start Menu/Programs/QV Copy/$setup.lnk"
user_files=("$appdata/QV/Imagora/D$device.xml" "$appdata/QV/Imagora/F$device.xml" "$appdata/QV/Copier/setups.txt"
            "$setup_entry" "$ini")
msiexec() { wine msiexec "$1" "$(winepath -w "$2")" /qn </dev/null >/dev/null 2>&1; }
# Whatever happens, the packages go and the user's files with them: the next run starts clean.
finish() {
  msiexec /x "$new_msi"; msiexec /x "$old_msi"
  rm -rf "$appdata/QV" "$appdata/QVCopier$device"_UI.log "$c/ProgramData/QV" "$(dirname "$setup_entry")" "$c/qvoriginals"
  wineserver -k >/dev/null 2>&1
  rm -f "$WINEPREFIX/.qv-in-use"
  if [ -n "$QV_XVFB_PID" ]; then kill "$QV_XVFB_PID" 2>/dev/null; wait "$QV_XVFB_PID" 2>/dev/null; fi
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT
qv_display || exit 1
qv_wineserver_start

failed=0
check() {   # check <what> <command...>
  if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failed=1; fi
}
is() { [ "$1" = "$2" ]; }
exists() { [ -e "$1" ] || { [ $# -gt 1 ] && exists "${@:2}"; }; }   # any of them
absent() { ! exists "$@"; }                                          # none of them
value() {   # value <key> <name or empty>: the string value, empty when there is none
  local args=(/ve); [ -n "$2" ] && args=(/v "$2")
  wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
versions() {   # the versions of the installed products named "QV Copy"
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { if (n == "QV Copy") print v; n = v = "" }
         $1 == "DisplayName" { sub(/.*REG_SZ */, ""); n = $0 }
         $1 == "DisplayVersion" { sub(/.*REG_SZ */, ""); v = $0 }
         END { if (n == "QV Copy") print v }' | xargs
}
log_level() { tr -d '\r' < "$ini" 2>/dev/null | sed -n 's/^UI=//p'; }
classes=("{E6A3C8F2-5D19-4A7B-9E04-B1C73F2D8A56} qvcopier_device.dll"
         "{3A97B78E-743A-4E12-88FF-71374FE62037} qvcopier_contextmgr.dll"
         "{C4E2A9D1-6B37-4F08-9A15-3D7E2B8C0F64} qvcopier_devstatus.dll")
files=(qvkcopy2.exe copy2.dll qvkspr08.dll qvcopier.exe qvcopier_device.dll qvcopier_contextmgr.dll
       qvcopier_devstatus.dll docs/guide.html
       $(grep -o 'src="[^"]*"' "$QV_ROOT/docs/guide.html" | sed 's/src="\(.*\)"/docs\/\1/'))
# Everything the package places: there after install and upgrade, gone after removal.
placed() {
  local state=$1 test=exists f entry; [ "$state" = gone ] && test=absent
  for f in "${files[@]}"; do check "$f $state" $test "$dir/$f"; done
  check "Start-menu entry of the guide $state" $test "${guide_entries[@]}"
  for entry in "${classes[@]}"; do
    set -- $entry
    local key="HKLM\\Software\\Classes\\CLSID\\$1\\InprocServer32"
    if [ "$state" = gone ]; then
      check "class $1 gone" is "$(value "$key" "")$(value "$key" ThreadingModel)" ""
    else
      check "class $1 registered" is "$(value "$key" "")|$(value "$key" ThreadingModel)" "$windir\\$2|Both"
    fi
  done
}

echo "== install $version"
rm -rf "${user_files[@]}"
check "msiexec /i" msiexec /i "$old_msi" || exit 1
placed there
check "product $version" is "$(versions)" "$version"
check "logging switch written, logging off" is "$(log_level)" 0
check "qvcopier use: copier" is "$(wine "$dir/qvcopier.exe" use 2>/dev/null | tr -d '\r')" copier

echo "== a set-up, logging on, a colour copy, Help"
sed -i 's/^UI=0/UI=15/' "$ini"
mkdir -p "$c/qvoriginals" "$HOME/PDF"
/usr/bin/convert -size 850x1100 xc:white -fill black -draw 'rectangle 100,100,400,400' \
  -units PixelsPerInch -density 100 "$c/qvoriginals/original.png"
check "qvcopier add" wine "$dir/qvcopier.exe" add "$setup" --source 'C:\qvoriginals' --printer PDF
check "the set-up's Start-menu entry" exists "$setup_entry"
printf '#!/bin/sh\necho "$@" >> "%s"\n' "$work/browser.log" > "$work/browser"   # the browser notes its page
chmod +x "$work/browser"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null 2>&1
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1   # as on Windows, a page opens in the browser
QV_INSTALLED_PROGRAM="$windir\\qvkcopy2.exe" QV_SETUP_NAME=$setup QV_SETUP_CTXID="#QV#Copier#$device" \
  QV_PDF_DIR=$(winepath -w "$HOME/PDF") QV_BROWSER_LOG=$(winepath -w "$work/browser.log") \
  check "the installed program copies and opens the guide" wine "$test_exe"
check "the program logs once logging is on" grep -q OnBtnColor "$appdata/QVCopier${device}_UI.log"

echo "== upgrade to $newer"
check "msiexec /i (newer)" msiexec /i "$new_msi" || exit 1
placed there
check "one product, $newer" is "$(versions)" "$newer"
check "the logging switch is not overwritten" is "$(log_level)" 15

echo "== uninstall"
check "msiexec /x" msiexec /x "$new_msi"
placed gone
check "no product" is "$(versions)" ""
check "the installation folder is gone" absent "$dir"
for f in "${user_files[@]}"; do check "kept: ${f#"$c"/}" exists "$f"; done
check "the logging switch keeps its value" is "$(log_level)" 15
exit $failed
