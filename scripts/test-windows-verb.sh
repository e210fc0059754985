#!/usr/bin/env bash
# The installed Explorer verb "DXFに変換" on one selection, as Explorer runs
# it (once per selected file, all at the same moment), on the display the
# caller gives (xvfb-run) and in the prefix it was installed into
# (WINEPREFIX): one run takes the four drawings, asks before it replaces
# each existing DXF (a newer one too: here kept, the older replaced), and
# shows one box for the two it could not convert, each named as it is.
#   test-windows-verb.sh WORK_FOLDER PROGRAM_FOLDER
# WORK_FOLDER/verb holds 平面図.jwc and 配置図.jww with their DXF files,
# written by the verb with the kept settings of scripts/test-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$1
programs=$2
wine=/usr/lib/wine/wine64
drive() { timeout 120 "$wine" build/windows/bin/orvik-window-driver.exe "$@"; }
yes=100 no=101 ok=1
echo edited >"$work/verb/配置図.dxf"
touch -d '-1 hour' "$work/verb/配置図.jww"
touch -d '-1 hour' "$work/verb/平面図.dxf"
: >"$work/verb/도면A.jwc"
: >"$work/verb/도면B.jwc"
for drawing in 平面図.jwc 配置図.jww 도면A.jwc 도면B.jwc; do
  "$wine" "$programs/orvik.exe" /convert "$("$wine" winepath -w "$work/verb/$drawing")" >/dev/null 2>&1 &
done
for _ in 1 2; do
  drive answer-if "新しく" "$no" "$yes" || { echo "test-windows: the verb did not ask before replacing a DXF"; exit 1; }
done
drive dialog-says "도면A.jwc" && drive dialog-says "도면B.jwc" && drive answer "$ok" ||
  { echo "test-windows: the verb's box does not name both damaged drawings as they are"; exit 1; }
drive no-dialog || { echo "test-windows: the verb showed more than one box for one selection"; exit 1; }
wait
/usr/lib/wine/wineserver -w
[ "$(cat "$work/verb/配置図.dxf")" = edited ] || { echo "test-windows: the verb replaced the newer DXF it was told to keep"; exit 1; }
cmp -s "$work/verb/平面図.dxf" <(./build/release/bin/orvik-cli convert -o - --points circle --format utf8 \
  --pen-colors 1,2,3,4,5,6 "$work/verb/平面図.jwc" 2>/dev/null) ||
  { echo "test-windows: the verb did not replace the older DXF"; exit 1; }
echo "the verb took four selected drawings in one run, asked before each existing DXF, and showed one box naming 도면A.jwc and 도면B.jwc"
