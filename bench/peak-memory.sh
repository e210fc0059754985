#!/usr/bin/env bash
# Converts the benchmark drawing and sets its peak memory against its size:
# the conversion streams the DXF to disk, so the peak should stay within
# twice the drawing plus a fixed 50 MB, however large the output.
#
# Usage: bench/peak-memory.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
bin=${1:-build/release}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/make_bench_drawing" "$work/bench.jwc"
/usr/bin/time -f '%M %e' -o "$work/time" "$bin/orvik-cli" convert --force --polylines "$work/bench.jwc" >/dev/null
read -r peak_kb seconds <"$work/time"
input=$(stat -c %s "$work/bench.jwc")
output=$(stat -c %s "$work/bench.dxf")
limit_kb=$(( (2 * input + 50 * 1000 * 1000) / 1024 ))
echo "drawing ${input} bytes, DXF ${output} bytes in ${seconds} s"
echo "peak memory ${peak_kb} KiB, limit 2 x drawing + 50 MB = ${limit_kb} KiB"
[ "$peak_kb" -le "$limit_kb" ]
