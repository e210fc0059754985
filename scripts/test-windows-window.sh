#!/usr/bin/env bash
# orvik.exe under Wine as a Japanese user runs it, on the display the caller
# gives (xvfb-run): a fresh prefix in a Japanese locale whose Japanese fonts
# are Debian's IPA fonts (Wine's font replacements), windows inside Wine's own
# desktop. A JWW drawing named on the command line is read, saved through the
# window's own controls and dialogs (driven by orvik-window-driver.exe) and
# compared byte for byte with Linux's; a batch is cancelled at a known
# drawing. With --shots, the window is photographed instead, the sample
# read: docs/windows-window.png (the log) and docs/windows-drawing.png.
#   test-windows-window.sh WORK_FOLDER [--shots]
set -euo pipefail
cd "$(dirname "$0")/.."
work=$1
shots=${2:-}
wine=/usr/lib/wine/wine64
export WINEPREFIX="$work/window-prefix" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d  # no menu entries on the host
"$wine" wineboot --init >/dev/null 2>&1 || true
for font in 'MS UI Gothic=IPAPGothic' 'MS PGothic=IPAPGothic' 'MS Gothic=IPAGothic' 'ＭＳ ゴシック=IPAGothic'; do
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${font%%=*}" /d "${font#*=}" /f >/dev/null 2>&1
done
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
drive() { timeout 120 "$wine" build/windows/bin/orvik-window-driver.exe "$@"; }
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
start_window() { "$wine" build/windows/bin/orvik.exe "$@" >/dev/null 2>&1 & }
# The window's controls, as win/ControlIds.h numbers them.
save=303 read=302 cancel=109 next_tab=901 progress_label=108 drawing_pane=102 log=101
filled_circle=201 circle=202 point_as_is=203
ok=1 yes=100 no=101  # the task dialogs' buttons

mkdir -p "$work/窓"
if [ "$shots" = --shots ]; then  # the sample, whose drawing holds Japanese texts
  cp samples/plan.jwc "$work/窓/平面図.jwc"
  start_window "$(windows_path "$work/窓/平面図.jwc")"
  drive wait-log "直線の数" || { echo "test-windows: the window did not read the drawing"; exit 1; }
  drive shot "$(windows_path "$PWD/docs/windows-window.png")"
  drive command "$next_tab"
  sleep 3
  drive zoom "$drawing_pane" 105 235 9  # the plan's rooms, their names readable
  sleep 3
  drive shot "$(windows_path "$PWD/docs/windows-drawing.png")"
  drive close
  echo "docs/windows-window.png docs/windows-drawing.png"
  exit 0
fi

cp "$work/図面/plan.jww" "$work/窓/平面図.jww"
start_window "$(windows_path "$work/窓/平面図.jww")"
drive wait-log "直線の数" || { echo "test-windows: the window did not read the drawing"; exit 1; }

# Saved through the window's save dialog: the DXF is Linux's.
drive command "$save"
drive save-as "$(windows_path "$work/窓/保存.dxf")" || { echo "test-windows: no save dialog"; exit 1; }
drive answer "$ok" || { echo "test-windows: no message after the save"; exit 1; }
./build/release/bin/orvik-cli convert -o - "$work/窓/平面図.jww" 2>/dev/null | cmp - "$work/窓/保存.dxf" ||
  { echo "test-windows: the window's DXF differs from Linux's"; exit 1; }
# 点のまま asks first; "いいえ(&N)" keeps the points filled circles.
drive click "$point_as_is"
drive answer "$no" && drive checked "$filled_circle" || { echo "test-windows: 点のまま was not asked about"; exit 1; }
drive close || { echo "test-windows: the window did not close"; exit 1; }
echo "orvik.exe read a drawing named on its command line, saved it through its dialog as on Linux, and asked before 点のまま"

# The drawing tab shows the drawing each time: 20 openings, the sample and
# a JWW drawing in turn, each shown again after a setting changes and after
# the other drawing is read through the read dialog.
cp samples/plan.jwc "$work/窓/平面図.jwc"
for i in $(seq 1 10); do
  first=平面図.jwc other=平面図.jww
  [ $((i % 2)) = 0 ] && first=平面図.jww other=平面図.jwc
  start_window "$(windows_path "$work/窓/$first")"
  # Wine now and then fails to start a program: one more start, said.
  if ! drive wait-log "直線の数"; then
    echo "test-windows: opening $i: no window read $first; starting it once more"
    pkill -f 'orvik\.exe' || true
    start_window "$(windows_path "$work/窓/$first")"
    drive wait-log "直線の数" || { echo "test-windows: the window did not read $first"; exit 1; }
  fi
  drive command "$next_tab"
  drive wait-drawing "$drawing_pane" || { echo "test-windows: opening $i: the drawing tab never showed $first"; exit 1; }
  drive click "$circle"
  sleep 0.5
  drive wait-drawing "$drawing_pane" || { echo "test-windows: opening $i: no drawing after a setting changed"; exit 1; }
  drive command "$read"
  drive save-as "$(windows_path "$work/窓/$other")" || { echo "test-windows: no read dialog"; exit 1; }
  drive wait-log "$other"
  sleep 0.5
  drive wait-drawing "$drawing_pane" || { echo "test-windows: opening $i: no drawing after $other was read"; exit 1; }
  drive click "$filled_circle"
  drive close
done
echo "the drawing tab showed the drawing on 20 openings, after each setting change and each other drawing read"

# Tab moves on from the log as from any control; a name outside CP932 is
# shown as the system has it.
cp samples/plan.jwc "$work/窓/図面한국.jwc"
start_window "$(windows_path "$work/窓/図面한국.jwc")"
drive wait-log "直線の数"
drive wait-log "図面한국.jwc" || { echo "test-windows: the log does not name 図面한국.jwc"; exit 1; }
drive tab-leaves "$log" || { echo "test-windows: Tab does not leave the log"; exit 1; }
drive close
echo "Tab and Shift+Tab move on from the log, which names 図面한국.jwc as it is"

# Closed at 100 %, the window opens laid out right at 150 % and 200 %, and
# cannot be made smaller than its layout at any of them.
scaling() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
}
for dpi in 96 144 192; do
  scaling "$dpi"
  start_window "$(windows_path "$work/窓/平面図.jwc")"
  drive wait-log "直線の数"
  drive fits >"$work/fits.txt" || { echo "test-windows: at $dpi DPI the window opened too small"; cat "$work/fits.txt"; exit 1; }
  drive resize 200 200
  drive fits >"$work/fits.txt" || { echo "test-windows: at $dpi DPI the window shrank below its layout"; cat "$work/fits.txt"; exit 1; }
  [ "$dpi" = 96 ] && drive resize 700 520  # kept at 100 %, opened at the others
  drive close
  if [ "$dpi" = 96 ]; then
    "$wine" reg query 'HKCU\Software\ORVIK' /v window/placement 2>/dev/null | grep -q ',96' ||
      { echo "test-windows: the window's place was not kept with its scaling"; exit 1; }
  fi
done
scaling 96
echo "the window opens laid out at 100 %, 150 % and 200 % and keeps its least size"

# A batch of 200 drawings (the first three large) cancelled while the
# second is converted: the first two are written, the rest not, and the box
# that ends it lies on the screen and says the batch was stopped.
mkdir -p "$work/一括" "$work/一括出力"
for i in $(seq -w 1 200); do
  if [ "$i" -le 3 ]; then ln -f "$work/large.jwc" "$work/一括/図面$i.jwc"; else ln -f samples/plan.jwc "$work/一括/図面$i.jwc"; fi
done
start_window $(for i in $(seq -w 1 200); do windows_path "$work/一括/図面$i.jwc"; done)
drive wait-log "図面200.jwc" || { echo "test-windows: the batch was not read"; exit 1; }
drive when-text "$progress_label" "図面002.jwc" "$cancel" &  # watching before the batch starts
watcher=$!
drive command "$save"
drive save-as "$(windows_path "$work/一括出力")" || { echo "test-windows: no folder dialog"; exit 1; }
wait "$watcher" || { echo "test-windows: the batch never reached the second drawing"; exit 1; }
drive dialog-says "一括変換を中止しました。保存した図面: 2 件" ||
  { echo "test-windows: the cancelled batch's box is off the screen or does not say it was stopped"; exit 1; }
drive answer "$ok" || { echo "test-windows: no message after the batch"; exit 1; }
[ -f "$work/一括出力/図面001.dxf" ] && [ -f "$work/一括出力/図面002.dxf" ] && [ "$(ls "$work/一括出力" | wc -l)" = 2 ] ||
  { echo "test-windows: the cancelled batch wrote $(ls "$work/一括出力" | head)"; exit 1; }
drive close
echo "a batch of 200 cancelled at its second drawing kept the two written, wrote no more, and said so in a box on the screen"
