#!/usr/bin/env bash
# Starts Tarquel under Wine and checks that the icon its window shows (as Wine
# hands it to X11 in _NET_WM_ICON) is the application icon.
#   tools/check-window-icon.sh Tarquel.exe res/icon/image30001.bin
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
display_start || exit 1
wine_prepare "${TARQUEL_DPI:-96}"
"$WINE" "$1" &
window=
for _ in $(seq 300); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Lastrion"/ {print $1; exit}')
  [ -n "$window" ] && xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (' && break
  sleep 0.1
done
icon=$(xprop -id "$window" -notype 32c _NET_WM_ICON 2>/dev/null)
"$WINESERVER" -k 2>/dev/null
display_stop
/usr/bin/python3 - "$2" "$icon" <<'PY'
import struct, sys
image = open(sys.argv[1], 'rb').read()
values = [int(v) for v in sys.argv[2].split('=', 1)[1].replace(',', ' ').split()] if '=' in sys.argv[2] else []
# _NET_WM_ICON: width, height, then width*height ARGB pixels, repeated for each size.
icons = {}
while len(values) >= 2:
    w, h = values[0], values[1]
    icons[(w, h)] = values[2:2 + w * h]
    values = values[2 + w * h:]
print('window icon sizes:', sorted(icons))
palette = [struct.unpack('<BBBB', image[40 + 4 * i:44 + 4 * i]) for i in range(256)]
expected = []
for y in range(32):
    row = 31 - y  # the image is stored bottom-up
    for x in range(32):
        index = image[1064 + row * 32 + x]
        masked = (image[2088 + row * 4 + x // 8] >> (7 - x % 8)) & 1
        b, g, r, _ = palette[index]
        expected.append(0 if masked else 0xFF000000 | r << 16 | g << 8 | b)
big = icons.get((32, 32))
ok = big == expected
print('32 x 32 window icon is the application icon:', 'ok' if ok else 'FAIL')
small = icons.get((16, 16)) or []
# The 16 x 16 is Wine's reduction of the same image (its colours shift a little on
# the way): it must be opaque where the 32 x 32 is, two by two.
def opaque_big(x, y):
    return sum(1 for dx in (0, 1) for dy in (0, 1) if expected[(2 * y + dy) * 32 + 2 * x + dx]) >= 2
agree = sum(1 for y in range(16) for x in range(16)
            if len(small) == 256 and bool(small[y * 16 + x] >> 24) == opaque_big(x, y))
small_ok = agree >= 0.9 * 256
print(f'16 x 16 window icon drawn from it ({agree} of 256 pixels agree):', 'ok' if small_ok else 'FAIL')
sys.exit(0 if ok and small_ok else 1)
PY
