#!/usr/bin/env bash
# A longer fuzzing run of both targets: tools/fuzz.sh [seconds per target, default 600]
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset fuzz -DFUZZ_SECONDS="${1:-600}" >/dev/null
cmake --build --preset fuzz >/dev/null
ctest --test-dir build/fuzz --output-on-failure
