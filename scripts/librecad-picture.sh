#!/usr/bin/env bash
# Converts the sample drawing in the utf8 format and saves LibreCAD's printout
# of it (dxf2pdf, headless) as docs/librecad-utf8.png: what a LibreCAD user sees.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake --preset release >/dev/null
cmake --build --preset release --target orvik-cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build/release/bin/orvik-cli convert --format utf8 -o "$work/plan.dxf" samples/plan.jwc >/dev/null
QT_QPA_PLATFORM=offscreen librecad dxf2pdf -a "$work/plan.dxf" >/dev/null 2>&1
# LibreCAD prints on the paper of the drawing's limits ($PLIMMAX: the sheet).
pdftoppm -scale-to 1600 -png -singlefile "$work/plan.pdf" "$work/page"
mkdir -p docs
cp "$work/page.png" docs/librecad-utf8.png
echo "docs/librecad-utf8.png"
