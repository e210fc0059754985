#!/usr/bin/env bash
# The Windows build under Wine: cross-builds orvik-cli.exe and the core's unit
# tests with MinGW-w64, runs the tests, then converts the sample and the
# read-back drawings (in folders with Japanese names) with every option set
# the CLI tests use, and checks each DXF is byte-identical to the Linux
# build's; then checks that a failed save leaves the old output and no
# temporary file, and that a large drawing written on two threads under Wine
# is the same as on one thread on Linux. Needs the release build (for the
# Linux outputs).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
# Wine maps the Japanese folder names through the locale: a UTF-8 one, whatever the caller has.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$HOME/.wine-orvik}"
wine=/usr/lib/wine/wine64
"$wine" wineboot --init >/dev/null 2>&1 || true  # the prefix, made once

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

cmake --build --preset release --target orvik-cli make_readback_drawings >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/図面" "$work/linux" "$work/windows"
cp samples/plan.jwc "$work/図面/平面図.jwc"
./build/release/bin/make_readback_drawings "$work/図面" >/dev/null
option_sets=(
  ""
  "--points circle --linetypes acad --layer-numbers --no-defpoints"
  "--points point --polylines --scale 50 --explode-blocks"
  "--no-round --no-text-reduction --no-halfwidth-aspect --pen-colors 1,2,3,4,5,6"
  "--format ansi932"
  "--format utf8"
)
compared=0
for drawing in "$work/図面"/*.jw[cw]; do
  name=$(basename "$drawing")
  name=${name%.*}
  for i in "${!option_sets[@]}"; do
    read -r -a options <<<"${option_sets[$i]}"
    ./build/release/bin/orvik-cli convert --force "${options[@]}" -o "$work/linux/$name-$i.dxf" "$drawing" >/dev/null 2>&1 || true
    "$wine" build/windows/bin/orvik-cli.exe convert --force "${options[@]}" -o "$work/windows/$name-$i.dxf" "$drawing" \
      >/dev/null 2>&1 || true
    if [ -e "$work/linux/$name-$i.dxf" ] || [ -e "$work/windows/$name-$i.dxf" ]; then
      cmp "$work/linux/$name-$i.dxf" "$work/windows/$name-$i.dxf" || { echo "test-windows: $name with '${option_sets[$i]}' differs"; exit 1; }
      compared=$((compared + 1))
    fi
  done
done
echo "$compared DXF files identical on Linux and under Wine"

# A drawing large enough to be written on two threads: the same bytes too.
cmake --build --preset release --target make_bench_drawing >/dev/null
./build/release/bin/make_bench_drawing "$work/many.jwc" 100000
./build/release/bin/orvik-cli convert -q -j 1 --polylines -o "$work/linux/many.dxf" "$work/many.jwc"
"$wine" build/windows/bin/orvik-cli.exe convert -q -j 2 --polylines -o "$work/windows/many.dxf" "$work/many.jwc" >/dev/null 2>&1
cmp "$work/linux/many.dxf" "$work/windows/many.dxf" || { echo "test-windows: the large drawing differs"; exit 1; }
echo "a large drawing written on two threads under Wine is identical to one thread on Linux"

# A failed save: the old output stays as it was, and no temporary file is left beside it.
echo "old" >"$work/windows/keep.dxf"
"$wine" build/windows/bin/orvik-cli.exe convert --force --scale 0 -o "$work/windows/keep.dxf" "$work/図面/平面図.jwc" \
  >/dev/null 2>&1 && { echo "test-windows: a bad scale was accepted"; exit 1; }
"$wine" build/windows/bin/orvik-cli.exe convert -o "$work/windows/missing/x.dxf" "$work/図面/平面図.jwc" \
  >/dev/null 2>&1 && { echo "test-windows: a save into a missing folder succeeded"; exit 1; }
[ "$(cat "$work/windows/keep.dxf")" = old ] || { echo "test-windows: the old output was changed"; exit 1; }
if ls -A "$work/windows" | grep -q '^\.'; then echo "test-windows: a temporary file was left"; exit 1; fi
echo "failed saves leave the old output and no temporary file"

# An interrupted save: killed while writing a large file, it leaves the old
# output as it was; its temporary file is removed by the next save of that
# output once it is older than ten seconds.
./build/release/bin/make_bench_drawing "$work/large.jwc"
echo "old" >"$work/windows/large.dxf"
"$wine" build/windows/bin/orvik-cli.exe convert --force -o "$work/windows/large.dxf" "$work/large.jwc" >/dev/null 2>&1 &
writer=$!
for _ in $(seq 1 400); do ls -A "$work/windows" | grep -q '^\.large' && break; sleep 0.05; done
kill -9 "$writer"
wait "$writer" 2>/dev/null || true
[ "$(cat "$work/windows/large.dxf")" = old ] || { echo "test-windows: a killed save changed the old output"; exit 1; }
sleep 11
"$wine" build/windows/bin/orvik-cli.exe convert --force -o "$work/windows/large.dxf" samples/plan.jwc >/dev/null 2>&1
if ls -A "$work/windows" | grep -q '^\.'; then echo "test-windows: the killed save's temporary file was left"; exit 1; fi
cmp -s "$work/windows/large.dxf" <(./build/release/bin/orvik-cli convert -o - samples/plan.jwc 2>/dev/null) ||
  { echo "test-windows: the save after the killed one differs"; exit 1; }
echo "a killed save leaves the old output, and the next save removes its temporary file"

# The download: the program and its read-me.
rm -f build/windows/orvik-cli-*.zip
(cd build/windows && cpack -G ZIP >/dev/null)
listing=$(unzip -l build/windows/orvik-cli-*.zip)
grep -q ' orvik-cli.exe$' <<<"$listing" && grep -q ' README.txt$' <<<"$listing" ||
  { echo "test-windows: the zip lacks the program or the read-me"; exit 1; }
echo "$(ls build/windows/orvik-cli-*.zip) holds orvik-cli.exe and README.txt"

# The installer, as a new user runs it: installed silently into a fresh
# prefix for the user alone, with the PATH component, its files, uninstall
# entry, Explorer verb and PATH entry there; the verb's command converts a
# drawing beside itself as on Linux; the silent uninstall leaves no file and
# no key, and the user's PATH as it was.
cmake --build --preset windows --target setup >/dev/null
setup=$(ls build/windows/ORVIK-*-setup.exe)
export WINEPREFIX="$work/prefix"
"$wine" wineboot --init >/dev/null 2>&1 || true
user_path() { "$wine" reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_EXPAND_SZ *//p'; }
"$wine" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\tools' /f >/dev/null 2>&1
"$wine" "$setup" /S /PATH
/usr/lib/wine/wineserver -w
local=$("$wine" cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
programs=$(/usr/lib/wine/wine64 winepath -u "$local")/Programs/ORVIK
for file in orvik-cli.exe README.txt uninstall.exe; do
  [ -f "$programs/$file" ] || { echo "test-windows: the installer did not install $file"; exit 1; }
done
exported() {  # the registry keys below $1 as text, empty when there are none
  rm -f "$work/keys.reg"
  "$wine" regedit /E 'Z:'"${work//\//\\}"'\keys.reg' "$1" >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  [ -f "$work/keys.reg" ] && iconv -f UTF-16 -t UTF-8 "$work/keys.reg" | tr -d '\r' || true
}
verbs='HKEY_CURRENT_USER\Software\Classes\SystemFileAssociations'
uninstall='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK'
installed=$(exported "$verbs")
for extension in jwc jww; do
  grep -qF "[$verbs\\.$extension\\shell\\ORVIK.ConvertToDxf]" <<<"$installed" && grep -qF '@="DXFに変換"' <<<"$installed" &&
    grep -qF "@=\"\\\"${local//\\/\\\\}\\\\Programs\\\\ORVIK\\\\orvik-cli.exe\\\" convert --update \\\"%1\\\"\"" <<<"$installed" ||
    { echo "test-windows: no verb \"DXFに変換\" on .$extension"; echo "$installed"; exit 1; }
done
exported "$uninstall" | grep -qF '"QuietUninstallString"=' || { echo "test-windows: no uninstall entry"; exit 1; }
[ "$(user_path)" = "C:\tools;$local\Programs\ORVIK" ] || { echo "test-windows: the user's PATH is '$(user_path)'"; exit 1; }
mkdir -p "$work/verb"
cp samples/plan.jwc "$work/verb/平面図.jwc"
"$wine" "$programs/orvik-cli.exe" convert --update "$(/usr/lib/wine/wine64 winepath -w "$work/verb/平面図.jwc")" >/dev/null 2>&1
cmp "$work/verb/平面図.dxf" <(./build/release/bin/orvik-cli convert -o - "$work/verb/平面図.jwc" 2>/dev/null) ||
  { echo "test-windows: the verb's conversion differs from Linux's"; exit 1; }
"$wine" "$programs/uninstall.exe" /S
/usr/lib/wine/wineserver -w
[ ! -e "$programs" ] || { echo "test-windows: the uninstaller left $programs"; exit 1; }
[ -z "$(exported "$uninstall")" ] && ! exported "$verbs" | grep -q ORVIK ||
  { echo "test-windows: the uninstaller left registry keys"; exit 1; }
[ "$(user_path)" = 'C:\tools' ] || { echo "test-windows: the uninstaller left the user's PATH '$(user_path)'"; exit 1; }
echo "$(basename "$setup") installs silently for the user (on PATH with /PATH), its verb converts as on Linux, and its uninstaller leaves nothing"
