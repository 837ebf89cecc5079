#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the release need.
# Idempotent: packages already present are not fetched again.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev     # native build, libFuzzer, sanitizers
  googletest libgtest-dev libbenchmark-dev           # tests and benchmarks
  g++-multilib qemu-user                             # 32-bit core tests under qemu-i386
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64 # the Windows program
  wine64 xvfb x11-utils fonts-wqy-microhei imagemagick # the real window, headless
  python3 python3-pefile                             # PE checks, release archive
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=(); [ "$(id -u)" = 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
