#!/usr/bin/env bash
# Renders the benchmark drawing (1,000,000 lines and 300,000 other elements)
# and a drawing of 300,000 texts of 120 characters as SVG, PNG and PDF and
# shows each picture's peak memory against the aim:
# twice the drawing plus 100 MB (the shapes are drawn as the DXF text is
# read, never all held); a PNG may take its pixels (4 bytes each) besides.
#
# Usage: bench/picture-memory.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
bin=${1:-build/release}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/make_bench_drawing" "$work/bench.jwc" >/dev/null
"$bin/make_bench_texts" "$work/texts.jwc"
for drawing in bench texts; do
  input=$(stat -c %s "$work/$drawing.jwc")
  limit_kb=$(( (2 * input + 100 * 1000 * 1000) / 1024 ))
  echo "$drawing.jwc: ${input} bytes; aim 2 x drawing + 100 MB = ${limit_kb} KiB"
  for picture in svg png pdf; do
    /usr/bin/time -f '%M %e' -o "$work/time" "$bin/orvik-cli" render -q --force -o "$work/$drawing.$picture" "$work/$drawing.jwc" 2>/dev/null
    read -r peak_kb seconds <"$work/time"
    echo "  $picture: $(stat -c %s "$work/$drawing.$picture") bytes in ${seconds} s, peak ${peak_kb} KiB"
  done
done
