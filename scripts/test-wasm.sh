#!/usr/bin/env bash
# WebAssembly: the core built with Debian's Emscripten (the wasm preset),
# its unit tests under Node, orvik-cli under Node writing the same bytes as
# the x87 build (scripts/compare-with-x87.sh), and the page (web/) in
# Debian's Chromium, headless (web/test/page-test.mjs). With
# ORVIK_WEB_SCREENSHOT=file.png the page's picture is kept there.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/zlib-source.sh build/zlib-source
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$(nproc)"
ctest --preset wasm
bash scripts/compare-with-x87.sh WebAssembly node --no-experimental-fetch build/wasm/bin/orvik-cli.js

module=build/wasm/web
echo "page module: $(cat "$module/orvik.wasm" "$module/orvik.js" | gzip -9 | wc -c) bytes compressed" \
     "($(cat "$module/orvik.wasm" "$module/orvik.js" | wc -c) bytes)"

(cd web/test && npm ci --no-audit --no-fund --loglevel=error)
cmake --build --preset release --target orvik-cli make_readback_drawings make_bench_drawing >/dev/null
source scripts/page-server.sh
cli=build/release/bin/orvik-cli
mkdir -p "$work"/{single,all,native,damaged,cancel}
cp -p samples/plan.jwc "$work/all/"
./build/release/bin/make_readback_drawings "$work/all" >/dev/null
mv "$work/all/plan.jww" "$work/all/plan-twin.jww"  # its DXF would have the sample's name
cp -p ../shared/jww-samples/*.jww "$work/all/" 2>/dev/null || true
for drawing in "$work"/all/*; do
  "$cli" convert -q -o "$work/native/$(basename "${drawing%.*}").dxf" "$drawing" >/dev/null 2>&1 || true
done
cp -p samples/plan.jwc "$work/single/"
cp -p "$work/all/plan-twin.jww" "$work/single/"
"$cli" info samples/plan.jwc >"$work/info"
for i in $(seq -w 1 29); do cp samples/plan.jwc "$work/damaged/drawing-$i.jwc"; done
head -c 3000 samples/plan.jwc >"$work/damaged/drawing-30.jwc"
./build/release/bin/make_bench_drawing "$work/large.jwc" 50000 >/dev/null
for i in $(seq -w 1 30); do cp "$work/large.jwc" "$work/cancel/large-$i.jwc"; done

node web/test/zip-test.mjs
node web/test/page-test.mjs "$page_url" "$work" "$cli" "${ORVIK_WEB_SCREENSHOT:-}"
