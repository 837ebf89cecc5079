# Sourced by the scripts that run Windows programs: a private Wine prefix set up
# for the tests, and a virtual display when there is no real one.
#   wine_prepare [dpi]   make the prefix (once) and set its DPI (default 96)
#   display_start        start Xvfb on a free display unless DISPLAY is set
#   display_stop         stop the Xvfb that display_start started
#   build_tarquel        install what is missing and build Tarquel.exe for i686 and x86_64
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no Mono, Gecko or menu entries
export WINEARCH=win64

wine_prepare() {
  local dpi=${1:-96}
  if [ ! -f "$WINEPREFIX/.tarquel-prefix" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    local reg
    reg=$(mktemp --suffix=.reg)
    # Without a window manager Wine waits two seconds at every window's end
    # unless its windows are unmanaged. Tahoma, Wine's dialog font, has no
    # Chinese: link it and the other UI faces to a CJK font.
    local link='hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00'
    cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="N"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=$link
"Microsoft Sans Serif"=$link
"MS Shell Dlg"=$link
"MS Shell Dlg 2"=$link
"Segoe UI"=$link
"Microsoft YaHei UI"=$link

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
REG
    "$WINE" regedit /S "$reg" >/dev/null 2>&1
    rm -f "$reg"
    "$WINESERVER" -w
    touch "$WINEPREFIX/.tarquel-prefix"
  fi
  if [ "$(cat "$WINEPREFIX/.tarquel-dpi" 2>/dev/null)" != "$dpi" ]; then
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$dpi" >"$WINEPREFIX/.tarquel-dpi"
  fi
}

display_started_pid=
display_start() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    display_started_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  done
  echo "could not start Xvfb" >&2
  return 1
}

display_stop() {
  if [ -n "$display_started_pid" ]; then
    kill "$display_started_pid" 2>/dev/null || true
    wait "$display_started_pid" 2>/dev/null || true
    unset DISPLAY
    display_started_pid=
  fi
}

build_tarquel() {
  bash "$repo_root/tools/setup.sh"
  local preset
  for preset in win32 win64; do
    (cd "$repo_root" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target Tarquel >/dev/null)
  done
}
