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

# The release folder and zip: what a user unpacks must be the executables just tested.
if bash tools/release.sh >build/release.log 2>&1 && /usr/bin/python3 - <<'PY'
import zipfile, sys
names = {'Tarquel-1.00/Tarquel.exe': 'build/win32/ui/Tarquel.exe',
         'Tarquel-1.00/Tarquel-x64.exe': 'build/win64/ui/Tarquel.exe',
         'Tarquel-1.00/使用说明.txt': None}
archive = zipfile.ZipFile('build/release/Tarquel-1.00.zip')
ok = sorted(archive.namelist()) == sorted(names)
for name, built in names.items():
    if ok and built:
        ok = archive.read(name) == open(built, 'rb').read()
ok = ok and archive.read('Tarquel-1.00/使用说明.txt').startswith('\ufeffTarquel'.encode())
print('release zip:', 'ok' if ok else 'FAIL')
sys.exit(0 if ok else 1)
PY
then passed=$((passed + 1)); else failed=$((failed + 1)); broken+=("release"); fi

echo
[ ${#broken[@]} = 0 ] || printf 'FAILED: %s\n' "${broken[@]}"
echo "total: $passed passed, $failed failed"
[ ${#broken[@]} = 0 ]
