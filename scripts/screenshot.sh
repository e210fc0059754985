#!/usr/bin/env bash
# Starts the real window under Xvfb, reads the sample drawing into it and
# saves pictures of the window to docs/window.png (the log) and
# docs/window-drawing.png (the drawing tab) and the open dialog to
# docs/open-dialog.png; then writes the sample's picture
# as orvik-cli render makes it to docs/plan.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake --preset release >/dev/null
cmake --build --preset release --target orvik-window-shot orvik-cli >/dev/null
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" ./build/release/bin/orvik-window-shot samples/plan.jwc docs/window.png
xvfb-run -a -s "-screen 0 1024x768x24" ./build/release/bin/orvik-window-shot samples/plan.jwc docs/window-drawing.png drawing
xvfb-run -a -s "-screen 0 1024x768x24" ./build/release/bin/orvik-window-shot samples/plan.jwc docs/open-dialog.png open-dialog
./build/release/bin/orvik-cli render --force --width 900 -o docs/plan.png samples/plan.jwc >/dev/null 2>&1
echo "docs/window.png docs/window-drawing.png docs/open-dialog.png docs/plan.png"
