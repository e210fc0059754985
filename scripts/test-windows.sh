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
export WINEDLLOVERRIDES=winemenubuilder.exe=d  # the installer's shortcut makes no menu entry on this machine
wine=/usr/lib/wine/wine64
"$wine" wineboot --init >/dev/null 2>&1 || true  # the prefix, made once

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

# One .exe each, with no DLL of ours beside it: only the system's are imported.
for program in orvik orvik-cli; do
  foreign=$(x86_64-w64-mingw32-objdump -p "build/windows/bin/$program.exe" | sed -n 's/^\tDLL Name: //p' |
    grep -viE '^(kernel32|user32|gdi32|gdiplus|comctl32|comdlg32|ole32|oleaut32|shell32|advapi32|msvcrt)\.dll$' || true)
  [ -z "$foreign" ] || { echo "test-windows: $program.exe needs $foreign"; exit 1; }
done
echo "orvik.exe and orvik-cli.exe import only the system's DLLs"

cmake --build --preset release --target orvik-cli make_readback_drawings compare-pictures >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/図面" "$work/linux" "$work/windows"
cp samples/plan.jwc "$work/図面/平面図.jwc"
./build/release/bin/make_readback_drawings "$work/図面" >/dev/null
source scripts/option-sets.sh
# orvik-cli.exe converting DRAWING to OUTPUT.dxf with the options, its words in OUTPUT.log.
windows_convert() {
  "$wine" build/windows/bin/orvik-cli.exe convert --force "${options[@]}" -o "$1.dxf" "$2" >"$1.log" 2>&1
}
compared=0
for drawing in "$work/図面"/*.jw[cw]; do
  name=$(basename "$drawing")
  name=${name%.*}
  for i in "${!option_sets[@]}"; do
    read -r -a options <<<"${option_sets[$i]}"
    ./build/release/bin/orvik-cli convert --force "${options[@]}" -o "$work/linux/$name-$i.dxf" "$drawing" >/dev/null 2>&1 || true
    windows_convert "$work/windows/$name-$i" "$drawing" && status=0 || status=$?
    # A conversion Linux made and Wine did not is tried once more, its first
    # exit code and output shown: Wine itself now and then fails to start one.
    if [ "$status" -ne 0 ] && [ -e "$work/linux/$name-$i.dxf" ] && [ ! -e "$work/windows/$name-$i.dxf" ]; then
      echo "test-windows: $name with '${option_sets[$i]}' failed under Wine once (exit $status); trying again:"
      cat "$work/windows/$name-$i.log"
      windows_convert "$work/windows/$name-$i" "$drawing" || true
    fi
    if [ -e "$work/linux/$name-$i.dxf" ] || [ -e "$work/windows/$name-$i.dxf" ]; then
      cmp "$work/linux/$name-$i.dxf" "$work/windows/$name-$i.dxf" || { echo "test-windows: $name with '${option_sets[$i]}' differs"; exit 1; }
      compared=$((compared + 1))
    fi
  done
done
# Every drawing converts with every option set on both systems: a comparison of fewer compared too little.
expected=$(( $(ls "$work/図面"/*.jw[cw] | wc -l) * ${#option_sets[@]} ))
[ "$compared" -eq "$expected" ] || { echo "test-windows: $compared of $expected DXF files compared"; exit 1; }
echo "$compared DXF files identical on Linux and under Wine"

# Folders with Japanese names walked and mirrored (-r, --output-dir), and a folder as -o.
./build/release/bin/orvik-cli convert -q -r --output-dir "$work/linux/出力" "$work/図面" >/dev/null 2>&1 || true
"$wine" build/windows/bin/orvik-cli.exe convert -q -r --output-dir "$work/windows/出力" "$work/図面" >/dev/null 2>&1 || true
mkdir -p "$work/windows/フォルダ"
"$wine" build/windows/bin/orvik-cli.exe convert -q -o "$work/windows/フォルダ" "$work/図面/平面図.jwc" "$work/図面/plan.jww" >/dev/null 2>&1
diff -r "$work/linux/出力" "$work/windows/出力" >/dev/null && [ "$(ls "$work/windows/出力" | wc -l)" -gt 1 ] &&
  cmp -s "$work/windows/フォルダ/平面図.dxf" "$work/linux/出力/平面図.dxf" ||
  { echo "test-windows: folders with Japanese names were not walked or written as on Linux"; exit 1; }
echo "folders with Japanese names are walked and written as on Linux"

# Pictures made on Windows look as Linux's (the 4 x 4 block rule): PNG drawn
# with GDI+, and PDF written from the shapes with GDI's glyphs, as a PDF
# reader (pdftoppm) draws it.
for drawing in "$work/図面/平面図.jwc" "$work/図面/plan.jww"; do
  for background in dark light; do
    ./build/release/bin/orvik-cli render --force --background "$background" -o "$work/linux/picture.png" "$drawing" >/dev/null 2>&1
    for type in png pdf; do
      "$wine" build/windows/bin/orvik-cli.exe render --force --background "$background" -o "$work/windows/picture.$type" "$drawing" \
        >/dev/null 2>&1
    done
    pdftoppm -r 72 -png -singlefile "$work/windows/picture.pdf" "$work/windows/pdf"
    for made in picture pdf; do
      ./build/release/bin/compare-pictures "$work/linux/picture.png" "$work/windows/$made.png" >/dev/null ||
        { echo "test-windows: the $made of $(basename "$drawing") ($background) differs from Linux's"; exit 1; }
    done
  done
done
echo "PNG and PDF pictures made on Windows match Linux's"

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

# The window, driven as a user would (its own script: a display and a Japanese prefix).
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/test-windows-window.sh "$work"

# The download without an installer: the programs, the read-me and the licence.
rm -f build/windows/orvik-*.zip
(cd build/windows && cpack -G ZIP >/dev/null)
listing=$(unzip -l build/windows/orvik-*.zip)
for file in orvik.exe orvik-cli.exe README.txt LICENSE.txt; do
  grep -q " $file\$" <<<"$listing" || { echo "test-windows: the zip lacks $file"; exit 1; }
done
echo "$(ls build/windows/orvik-*.zip) holds orvik.exe, orvik-cli.exe, README.txt and LICENSE.txt"

# The installer, as a new user runs it: installed silently into a fresh
# prefix for the user alone, with the PATH component: its files, Start-menu
# entry, uninstall entry, file type and Explorer verb, and PATH entry; the
# verb converts drawings beside themselves as on Linux, with the window's
# kept settings; the silent uninstall leaves no file and no key (the kept
# settings included), and the user's PATH as it was. Then for all users.
cmake --build --preset windows --target setup >/dev/null
setup=$(ls build/windows/ORVIK-*-setup.exe)
export WINEPREFIX="$work/prefix"
"$wine" wineboot --init >/dev/null 2>&1 || true
user_path() { "$wine" reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_EXPAND_SZ *//p'; }
"$wine" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\tools' /f >/dev/null 2>&1
"$wine" "$setup" /S /PATH
/usr/lib/wine/wineserver -w
local=$("$wine" cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
programs=$("$wine" winepath -u "$local")/Programs/ORVIK
menu=$("$wine" winepath -u "$("$wine" cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
for file in orvik.exe orvik-cli.exe README.txt LICENSE.txt uninstall.exe; do
  [ -f "$programs/$file" ] || { echo "test-windows: the installer did not install $file"; exit 1; }
done
[ -f "$menu/ORVIK.lnk" ] || { echo "test-windows: no Start-menu entry"; exit 1; }
exported() {  # the registry keys below $1 as text, empty when there are none
  rm -f "$work/keys.reg"
  "$wine" regedit /E 'Z:'"${work//\//\\}"'\keys.reg' "$1" >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  [ -f "$work/keys.reg" ] && iconv -f UTF-16 -t UTF-8 "$work/keys.reg" | tr -d '\r' || true
}
classes='HKEY_CURRENT_USER\Software\Classes'
uninstall='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK'
installed=$(exported "$classes")
program="${local//\\/\\\\}\\\\Programs\\\\ORVIK\\\\orvik.exe"
for extension in jwc jww; do
  grep -qF "[$classes\\SystemFileAssociations\\.$extension\\shell\\ORVIK.ConvertToDxf]" <<<"$installed" &&
    grep -qF '@="DXFに変換"' <<<"$installed" && grep -qF "@=\"\\\"$program\\\" /convert \\\"%1\\\"\"" <<<"$installed" &&
    grep -qF "[$classes\\.$extension\\OpenWithProgids]" <<<"$installed" ||
    { echo "test-windows: .$extension has no verb \"DXFに変換\" or no ORVIK to open it"; echo "$installed"; exit 1; }
done
grep -qF "[$classes\\ORVIK.Drawing\\DefaultIcon]" <<<"$installed" && grep -qF "@=\"\\\"$program\\\" \\\"%1\\\"\"" <<<"$installed" ||
  { echo "test-windows: the drawings' file type lacks its icon or its program"; exit 1; }
exported "$uninstall" | grep -qF '"QuietUninstallString"=' || { echo "test-windows: no uninstall entry"; exit 1; }
[ "$(user_path)" = "C:\tools;$local\Programs\ORVIK" ] || { echo "test-windows: the user's PATH is '$(user_path)'"; exit 1; }
# The verb, with nothing kept (the defaults) and with the window's kept settings.
mkdir -p "$work/verb"
cp samples/plan.jwc "$work/verb/平面図.jwc"
cp "$work/図面/plan.jww" "$work/verb/配置図.jww"
"$wine" "$programs/orvik.exe" /convert "$("$wine" winepath -w "$work/verb/平面図.jwc")" >/dev/null 2>&1
cmp "$work/verb/平面図.dxf" <(./build/release/bin/orvik-cli convert -o - "$work/verb/平面図.jwc" 2>/dev/null) ||
  { echo "test-windows: the verb's conversion differs from Linux's"; exit 1; }
for kept in 'conversion/pointMode=2' 'conversion/outputFormat=utf8' 'conversion/penColors=1,2,3,4,5,6'; do
  "$wine" reg add 'HKCU\Software\ORVIK' /v "${kept%%=*}" /d "${kept#*=}" /f >/dev/null 2>&1
done
"$wine" "$programs/orvik.exe" /convert "$("$wine" winepath -w "$work/verb/配置図.jww")" >/dev/null 2>&1
cmp "$work/verb/配置図.dxf" <(./build/release/bin/orvik-cli convert -o - --points circle --format utf8 --pen-colors 1,2,3,4,5,6 \
  "$work/verb/配置図.jww" 2>/dev/null) ||
  { echo "test-windows: the verb did not convert with the kept settings"; exit 1; }
# On a display from here: the prefix's processes so far had none, and a
# desktop started without one would show no dialog.
/usr/lib/wine/wineserver -w
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/test-windows-verb.sh "$work" "$programs"
/usr/lib/wine/wineserver -w  # and back without one: a fresh desktop for the uninstaller

temp=$("$wine" winepath -u "$("$wine" cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')")
"$wine" "$programs/uninstall.exe" /CurrentUser /S
/usr/lib/wine/wineserver -w
[ ! -e "$programs" ] && [ ! -e "$menu/ORVIK.lnk" ] || { echo "test-windows: the uninstaller left files"; exit 1; }
# The uninstaller's own folder in Temp goes once it has quit (a moment later).
for _ in $(seq 1 20); do [ -z "$(ls -d "$temp"/~nsu*.tmp 2>/dev/null)" ] && break; sleep 0.5; done
[ -z "$(ls -d "$temp"/~nsu*.tmp 2>/dev/null)" ] || { echo "test-windows: the uninstaller left $(ls -d "$temp"/~nsu*.tmp)"; exit 1; }
[ ! -e "$(dirname "$programs")" ] || { echo "test-windows: the uninstaller left an empty $(dirname "$programs")"; exit 1; }
[ -z "$(exported "$classes\\SystemFileAssociations")" ] ||
  { echo "test-windows: the uninstaller left $classes\\SystemFileAssociations"; exit 1; }
[ -z "$(exported "$uninstall")" ] && [ -z "$(exported 'HKEY_CURRENT_USER\Software\ORVIK')" ] && ! exported "$classes" | grep -q ORVIK ||
  { echo "test-windows: the uninstaller left registry keys"; exit 1; }
[ "$(user_path)" = 'C:\tools' ] || { echo "test-windows: the uninstaller left the user's PATH '$(user_path)'"; exit 1; }
echo "$(basename "$setup") installs silently for the user (on PATH with /PATH), its verb converts as on Linux with the kept settings, and its uninstaller leaves nothing"

"$wine" "$setup" /S /AllUsers
/usr/lib/wine/wineserver -w
everyone=$("$wine" winepath -u 'C:\Program Files\ORVIK')
[ -f "$everyone/orvik.exe" ] && exported 'HKEY_LOCAL_MACHINE\Software\Classes\ORVIK.Drawing' | grep -q DefaultIcon ||
  { echo "test-windows: the install for all users is incomplete"; exit 1; }
"$wine" "$everyone/uninstall.exe" /AllUsers /S
/usr/lib/wine/wineserver -w
[ ! -e "$everyone" ] && [ -z "$(exported 'HKEY_LOCAL_MACHINE\Software\Classes\ORVIK.Drawing')" ] &&
  [ -z "$(exported 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK')" ] ||
  { echo "test-windows: the uninstall for all users left something"; exit 1; }
echo "$(basename "$setup") /AllUsers installs into Program Files and its uninstaller leaves nothing"
