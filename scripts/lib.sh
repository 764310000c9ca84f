# Shared by the scripts: build folders, the private Wine prefix, the X display
# and the wineserver. Source it; it defines functions and sets nothing global
# beyond the QV_* variables and the Wine environment.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A second working copy of the build (a helper, a benchmark) sets QV_BUILD_ROOT.
QV_BUILD_ROOT=${QV_BUILD_ROOT:-$QV_ROOT/build}
QV_JOBS=${QV_JOBS:-$(nproc)}

qv_build_dir() { echo "$QV_BUILD_ROOT/$1"; }

# Configure (once) and build one architecture: x86_64 or i686. QV_BUILD_TYPE and
# QV_CMAKE_ARGS (the release) apply when the folder is configured.
qv_build() {
  local arch=$1 dir
  dir=$(qv_build_dir "$arch")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    # shellcheck disable=SC2086
    cmake -S "$QV_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$QV_ROOT/cmake/toolchain-$arch.cmake" \
      -DCMAKE_BUILD_TYPE="${QV_BUILD_TYPE:-RelWithDebInfo}" ${QV_CMAKE_ARGS:-} >/dev/null || return 1
  fi
  cmake --build "$dir" -j "$QV_JOBS" -- --no-print-directory 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^Consolidate compiler generated' 
  return "${PIPESTATUS[0]}"
}

# The Wine environment: a prefix private to the build tree, never ~/.wine.
# QV_WINEPREFIX names another prefix (the installer test has one of its own). No Start-menu
# entry made in a prefix reaches the desktop of the machine (winemenubuilder is off).
qv_wine_env() {
  export WINEPREFIX="${QV_WINEPREFIX:-$QV_BUILD_ROOT/wineprefix}"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  export LANG=C.UTF-8
}

# Copy a font into the prefix's Fonts folder and register it under its face name.
qv_install_font() {
  local file=$1 face=$2
  [ -f "$file" ] || { echo "warning: $file missing (package fonts-wine)" >&2; return 0; }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp "$file" "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "$face" \
    /d "$(basename "$file")" /f >/dev/null 2>&1
}

# Create the prefix once; later runs reuse it.
QV_PREFIX_VERSION=3   # raise when the prefix set-up below changes
qv_prefix() {
  qv_wine_env
  [ "$(cat "$WINEPREFIX/.qv-ready" 2>/dev/null)" = "$QV_PREFIX_VERSION" ] && return 0
  echo "Setting up Wine prefix $WINEPREFIX (once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # GDI+ draws "Arial" only when a replacement font is named.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
  # Wine draws its own window frames: without a window manager, managed windows
  # cost a 2 s wait each time one is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Wine draws the title bar's buttons with glyphs of the symbol font Marlett; without it
  # the close button shows the letter "r". The Debian package fonts-wine ships one.
  qv_install_font /usr/share/wine/fonts/marlett.ttf "Marlett (TrueType)"
  wineserver -w
  echo "$QV_PREFIX_VERSION" > "$WINEPREFIX/.qv-ready"
}

# Use the caller's display if there is one; otherwise start a private Xvfb.
QV_XVFB_PID=
qv_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      QV_XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
      echo "Xvfb on :$n did not start" >&2
      return 1
    fi
  done
  echo "no free display number" >&2
  return 1
}

# Keep one wineserver alive for the whole run: Wine start-up then costs ~0.1 s.
# Wine's own services (explorer, winedevice, ...) start with the first program
# and outlive it; start them here with their output detached, otherwise they
# inherit a test's output pipe and ctest waits for them until its time-out.
qv_wineserver_start() {
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# The PDF printer the print tests measure: a CUPS printer "PDF" (the default) whose
# jobs land as PDF files in $HOME/PDF, and a second one, "QVSpare", that a test removes
# while a job prints and puts back (Wine takes the printers a program sees at its start). A running cupsd is used as it is; one started
# here is stopped by qv_cups_stop, by its PID.
QV_CUPSD_PID=
qv_cups_running() { lpstat -r 2>/dev/null | grep -q "is running"; }
qv_cups_start() {
  if ! qv_cups_running; then
    /usr/sbin/cupsd -f >/dev/null 2>&1 </dev/null &
    QV_CUPSD_PID=$!
    local i
    for i in $(seq 50); do qv_cups_running && break; sleep 0.1; done
    qv_cups_running || { echo "cupsd did not start" >&2; return 1; }
  fi
  local printer
  for printer in PDF QVSpare; do
    lpstat -p $printer >/dev/null 2>&1 ||
      lpadmin -p $printer -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null || return 1
  done
  lpstat -d 2>/dev/null | grep -q ": PDF$" || lpadmin -d PDF
}
qv_cups_stop() {
  if [ -n "$QV_CUPSD_PID" ]; then kill "$QV_CUPSD_PID" 2>/dev/null; wait "$QV_CUPSD_PID" 2>/dev/null; fi
  QV_CUPSD_PID=
}

qv_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "$QV_XVFB_PID" ]; then kill "$QV_XVFB_PID" 2>/dev/null; wait "$QV_XVFB_PID" 2>/dev/null; fi
  QV_XVFB_PID=
  qv_cups_stop
}

# Register the stand-in COM servers of a build into the prefix.
qv_register_sims() {
  local bin f
  bin=$(qv_build_dir "$1")/bin
  for f in "$bin"/qvsim_*.dll; do
    [ -e "$f" ] || continue
    wine regsvr32 /s "$(winepath -w "$f" 2>/dev/null)" >/dev/null 2>&1 || echo "warning: could not register $f" >&2
  done
}

# A run under Wine: the prefix, a display, one wineserver for the whole run and the
# stand-ins of the x86_64 build registered; all is stopped when the script exits.
qv_wine_start() {
  qv_prefix
  trap qv_cleanup EXIT
  qv_display || return 1
  qv_wineserver_start
  qv_register_sims x86_64
}
