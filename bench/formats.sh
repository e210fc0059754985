#!/usr/bin/env bash
# Converts the 1,000,000-line benchmark drawing in each output format and
# sets each format's time and peak memory (the best of three runs) against
# the faithful dos932's.
#
# Usage: bench/formats.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
bin=${1:-build/release}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/make_bench_drawing" "$work/bench.jwc" >/dev/null
best() {  # best time and memory of three runs of one format
  local format=$1 t m best_t= best_m=
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/time" "$bin/orvik-cli" convert --force --format "$format" \
      -o "$work/out.dxf" "$work/bench.jwc" >/dev/null
    read -r t m <"$work/time"
    if [ -z "$best_t" ] || awk "BEGIN{exit !($t < $best_t)}"; then best_t=$t; fi
    if [ -z "$best_m" ] || [ "$m" -lt "$best_m" ]; then best_m=$m; fi
  done
  echo "$best_t $best_m $(stat -c %s "$work/out.dxf")"
}
read -r base_t base_m base_size < <(best dos932)
printf '%-8s %8s %10s %12s %10s\n' format seconds "peak KiB" "DXF bytes" "vs dos932"
printf '%-8s %8s %10s %12s %10s\n' dos932 "$base_t" "$base_m" "$base_size" "1.00 / 1.00"
for format in r12 r2000 r2007; do
  read -r t m size < <(best "$format")
  printf '%-8s %8s %10s %12s %10s\n' "$format" "$t" "$m" "$size" \
    "$(awk "BEGIN{printf \"%.2f / %.2f\", $t / $base_t, $m / $base_m}")"
done
