#!/usr/bin/env bash
# The WebAssembly build against the native one on the 1,000,000-line
# benchmark drawing (make_bench_drawing, default options): orvik-cli under
# Node and the page in Chromium (bench/wasm-page-bench.mjs) against the
# native orvik-cli; time and peak memory (Node's and the native program's
# resident set). Needs the release and wasm builds and web/test's packages
# (scripts/test-wasm.sh makes them).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
./build/release/bin/make_bench_drawing "$work/bench.jwc" >/dev/null
echo "drawing: $(stat -c %s "$work/bench.jwc") bytes"
measure() {
  local label=$1
  shift
  for run in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" convert --force -q -o "$work/$label.dxf" "$work/bench.jwc" >/dev/null
    cat "$work/time"
  done | sort -n | head -1 | awk -v label="$label" '{ printf "%s: best %.2f s, %.0f MB peak\n", label, $1, $2 / 1024 }'
}
measure native build/release/bin/orvik-cli
measure node node --no-experimental-fetch build/wasm/bin/orvik-cli.js
cmp "$work/native.dxf" "$work/node.dxf" && echo "the same DXF: $(stat -c %s "$work/native.dxf") bytes"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory build/wasm/web >/dev/null 2>&1 &
server=$!
sleep 1
node bench/wasm-page-bench.mjs "http://127.0.0.1:$port/" "$work/bench.jwc"
