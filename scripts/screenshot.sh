#!/usr/bin/env bash
# Starts the real window under Xvfb, reads the sample drawing into it and
# saves a picture of the window to docs/window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake --preset release >/dev/null
cmake --build --preset release --target orvik-window-shot >/dev/null
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" ./build/release/bin/orvik-window-shot samples/plan.jwc docs/window.png
echo "docs/window.png"
