#!/usr/bin/env bash
# The speed-up of parallel conversion: a generated archive of 2,000 small and
# 20 large drawings converted with -j 1 and with -j 2 (wall-clock seconds),
# and the outputs of both compared byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset release --target orvik-cli make_bench_archive >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build/release/bin/make_bench_archive "$work/archive"
for jobs in 1 2; do
  start=$(date +%s.%N)
  ./build/release/bin/orvik-cli convert -r -q -j "$jobs" --output-dir "$work/out$jobs" --report "$work/report$jobs.jsonl" \
    "$work/archive" 2>/dev/null
  end=$(date +%s.%N)
  echo "-j $jobs: $(echo "$end - $start" | bc) s"
done
diff -r "$work/out1" "$work/out2" >/dev/null && echo "outputs identical"
