#!/usr/bin/env bash
# Builds Tarquel and runs it under Wine. On a machine with a display the window
# opens there and this returns when it is closed. Without one, the program runs
# on a virtual display, a screenshot is saved, and the program is closed again.
# TARQUEL_DPI=144 tools/run.sh shows it as on a 150 % screen.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
build_tarquel
echo "built: build/win32/ui/Tarquel.exe (the 32-bit release) and build/win64/ui/Tarquel.exe"

if [ -n "${DISPLAY:-}" ]; then
  wine_prepare "${TARQUEL_DPI:-96}"
  exec "$WINE" build/win64/ui/Tarquel.exe
fi

display_start
trap '"$WINESERVER" -k 2>/dev/null; display_stop' EXIT
wine_prepare "${TARQUEL_DPI:-96}"
"$WINE" build/win64/ui/Tarquel.exe &
for _ in $(seq 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Lastrion"' && break
  sleep 0.1
done
sleep 1  # let the first paint finish
shot=build/screenshot.png
import -window root "$shot"
convert "$shot" -trim +repage "$shot" 2>/dev/null || true
echo "no display: Tarquel ran on a virtual one; screenshot saved as $shot"
