#!/usr/bin/env bash
# Launch-to-ready of Tarquel against a bare Win32 window under the same Wine,
# click-to-results, the release executable's size and the working set.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
build_tarquel
cmake --build --preset win64 --target bare_window window_bench >/dev/null
tools/wine-run build/win64/bench/window_bench.exe "$PWD/build/win64/ui/Tarquel.exe" \
  "$PWD/build/win64/bench/bare_window.exe" "$PWD/build/win32/ui/Tarquel.exe" "${RUNS:-15}"
