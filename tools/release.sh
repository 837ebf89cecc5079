#!/usr/bin/env bash
# Builds the release and packs it: build/release/Tarquel-1.00/ and build/release/Tarquel-1.00.zip
# with Tarquel.exe (32-bit, the one users run), Tarquel-x64.exe and 使用说明.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
build_tarquel
folder=build/release/Tarquel-1.00
rm -rf build/release
mkdir -p "$folder"
cp build/win32/ui/Tarquel.exe "$folder/Tarquel.exe"
cp build/win64/ui/Tarquel.exe "$folder/Tarquel-x64.exe"
# Notepad on older Windows reads UTF-8 reliably only with a byte-order mark, and wants CRLF.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' docs/使用说明.txt; } >"$folder/使用说明.txt"
# Python's zipfile marks the Chinese file name as UTF-8, which Windows' own unzip honours.
/usr/bin/python3 - "$folder" <<'PY'
import os, sys, zipfile
folder = sys.argv[1]
with zipfile.ZipFile(folder + '.zip', 'w', zipfile.ZIP_DEFLATED) as archive:
    for name in sorted(os.listdir(folder)):
        archive.write(os.path.join(folder, name), os.path.join(os.path.basename(folder), name))
PY
ls -l "$folder" "$folder.zip"
