#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test:
#   the calculation on Linux x86_64 and on 32-bit x86 (static, under qemu-i386),
#   a short fuzzing run with ASan and UBSan,
#   the Windows builds (i686 release and x86_64), the calculation under Wine,
#   the real window under Wine at 96 and 144 DPI, and the executables' PE records.
# Ends with one line "total: N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || { echo "setup failed"; exit 1; }

passed=0
failed=0
broken=()

build() {
  local preset=$1; shift
  if ! { cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset"; } >"build/$preset.log" 2>&1; then
    broken+=("build $preset")
    tail -n 40 "build/$preset.log"
    return 1
  fi
  echo "built $preset"
}

run_tests() {
  local name=$1 dir=$2
  local log="build/$name-tests.log"
  ctest --test-dir "$dir" --output-on-failure 2>&1 | tee "$log"
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    broken+=("tests $name")
    return
  fi
  local failures total
  failures=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + total - failures))
  failed=$((failed + failures))
  [ "$failures" = 0 ] || broken+=("tests $name")
}

mkdir -p build
build native && run_tests native build/native
build linux-i386 && run_tests linux-i386 build/linux-i386
build fuzz -DFUZZ_SECONDS="${FUZZ_SECONDS:-30}" && run_tests fuzz build/fuzz
build win32 && run_tests win32 build/win32
build win64 && run_tests win64 build/win64

echo
[ ${#broken[@]} = 0 ] || printf 'FAILED: %s\n' "${broken[@]}"
echo "total: $passed passed, $failed failed"
[ ${#broken[@]} = 0 ]
