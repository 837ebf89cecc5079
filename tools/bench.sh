#!/usr/bin/env bash
# Prints ns per call of the conversions and the calculation, and the ratios that matter.
# Usage: tools/bench.sh            (the calculation core, native)
#        tools/bench.sh --window   (also launch and click timings of the real window under Wine)
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
json=$(mktemp)
build/bench/bench/calc_bench --benchmark_min_time=0.5 --benchmark_format=json --benchmark_out="$json" \
  --benchmark_out_format=json >/dev/null
/usr/bin/python3 - "$json" <<'PY'
import json, sys
runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
ns = {name: 1e9 / b["items_per_second"] for name, b in runs.items()}
print(f"{'per call':24} {'ns':>8}")
for name, value in ns.items():
    print(f"{name:24} {value:8.1f}")
print()
def ratio(label, a, b, goal):
    print(f"{label:48} {ns[a] / ns[b]:6.2f}   (goal {goal})")
ratio("snprintf %.15G / FormatNumber", "snprintf_15G", "FormatNumber", ">= 2")
ratio("FormatNumber / to_chars(general, 15)", "FormatNumber", "to_chars_general_15", "<= 1.3")
ratio("strtod / ParseNumber", "strtod", "ParseNumber", ">= 2")
ratio("ParseNumber / from_chars", "ParseNumber", "from_chars", "<= 1.5")
print(f"{'CalculateLoad, in-memory sheet (ns)':48} {ns['CalculateLoad']:6.0f}   (goal < 1000)")
PY
rm -f "$json"
if [ "${1:-}" = "--window" ]; then
  bash tools/window-bench.sh
fi
