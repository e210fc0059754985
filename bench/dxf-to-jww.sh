#!/usr/bin/env bash
# DXF to JWW against JWW to DXF on the 1,000,000-line benchmark drawing
# (make_bench_drawing, then make_bench_jww): its JWW file converted to DXF
# by orvik-cli, and that DXF file converted to JWW; the best of three runs'
# time and peak resident memory of each, and the DXF file's size. Needs the
# release build.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=build/release/bin/orvik-cli
./build/release/bin/make_bench_drawing "$work/bench.jwc" >/dev/null
./build/release/bin/make_bench_jww "$work/bench.jwc" "$work/bench.jww" >/dev/null
best() {
  local label=$1
  shift
  for run in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    cat "$work/time"
  done | sort -n | head -1 | awk -v label="$label" '{ printf "%s: best %.2f s, %.0f MB peak\n", label, $1, $2 / 1024 }'
}
best "JWW to DXF" "$cli" convert --force -q -o "$work/bench.dxf" "$work/bench.jww"
echo "DXF file: $(($(stat -c %s "$work/bench.dxf") / 1000000)) MB"
best "DXF to JWW" "$cli" convert --force -q --to jww -o "$work/back.jww" "$work/bench.dxf"
