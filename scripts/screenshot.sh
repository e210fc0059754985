#!/usr/bin/env bash
# Starts the real window under Xvfb, reads the sample drawing into it and
# saves pictures of the window to docs/window.png (the log) and
# docs/window-drawing.png (the drawing tab, with the paper sheet) and the
# open dialog to docs/open-dialog.png; a batch with a damaged drawing
# (the sample cut short), marked in the list, to docs/window-batch.png;
# then writes the sample's picture as orvik-cli render makes it to
# docs/plan.png; and the Windows window under Wine with a JWW drawing read,
# in a Japanese prefix: docs/windows-window.png and docs/windows-drawing.png;
# and the page in Chromium with the sample read: docs/web.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake --preset release >/dev/null
cmake --build --preset release --target orvik-window-shot orvik-cli >/dev/null
mkdir -p docs
shot() { xvfb-run -a -s "-screen 0 1024x768x24" ./build/release/bin/orvik-window-shot "$@"; }
shot docs/window.png log samples/plan.jwc
shot docs/window-drawing.png drawing samples/plan.jwc
shot docs/open-dialog.png open-dialog samples/plan.jwc
batch=$(mktemp -d)
trap 'rm -rf "$batch"' EXIT
cp samples/plan.jwc "$batch/平面図.jwc"
head -c 6000 samples/plan.jwc > "$batch/途中で切れた図面.jwc"
cp samples/plan.jwc "$batch/配置図.jwc"
shot docs/window-batch.png batch "$batch/平面図.jwc" "$batch/途中で切れた図面.jwc" "$batch/配置図.jwc"
./build/release/bin/orvik-cli render --force --width 900 -o docs/plan.png samples/plan.jwc >/dev/null 2>&1
cmake --build --preset release --target make_readback_drawings >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvik orvik-window-driver >/dev/null
mkdir -p "$batch/図面"
./build/release/bin/make_readback_drawings "$batch/図面" >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/test-windows-window.sh "$batch" --shots >/dev/null
echo "docs/window.png docs/window-drawing.png docs/open-dialog.png docs/window-batch.png docs/plan.png"
echo "docs/windows-window.png docs/windows-drawing.png"
ORVIK_WEB_SCREENSHOT=docs/web.png bash scripts/test-wasm.sh >/dev/null
echo "docs/web.png"
