#!/usr/bin/env bash
# The WebAssembly build against the native one on the 1,000,000-line
# benchmark drawing (make_bench_drawing, default options): orvik-cli under
# Node and the page in Chromium (bench/wasm-page-bench.mjs) against the
# native orvik-cli; time and peak memory (the resident set of the native
# program and of Node; the proportional set size of all of Chromium's
# processes together, sampled every 0.2 s). Needs the release and wasm builds and web/test's packages
# (scripts/test-wasm.sh makes them).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/page-server.sh
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
# The memory of all of Chromium's processes together while the page bench
# runs, at its peak: their proportional set sizes summed (each page shared
# by several processes counted once, in parts; their resident sets would
# count the zygote's and the libraries' pages in every process).
chromium_memory() {
  local pid total=0 kb
  for pid in $(pgrep -x chromium || true); do
    kb=$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup" 2>/dev/null || true)
    total=$((total + ${kb:-0}))
  done
  echo "$total"
}
browser_peak() {
  node bench/wasm-page-bench.mjs "$page_url" "$@" >&2 &
  local browser=$! peak=0 now
  while kill -0 "$browser" 2>/dev/null; do
    now=$(chromium_memory)
    [ "$now" -gt "$peak" ] && peak=$now
    sleep 0.2
  done
  wait "$browser"
  echo $((peak / 1024))
}
idle=$(browser_peak)
converting=$(browser_peak "$work/bench.jwc")
echo "browser: ${converting} MB peak, all of Chromium's processes (proportional set sizes); ${idle} MB with the page open and idle"
