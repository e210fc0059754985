#!/usr/bin/env bash
# Small drawings must not get slower: for each orvik-cli given (default the
# release build's), 100 conversions of the sample one after another, and 200
# small drawings (100 to 2,000 lines) in one batch (-r), in interleaved
# rounds (ROUNDS, default 3); prints the median seconds of each.
#
# Usage: bench/small-drawings.sh [ORVIK_CLI...]
#   e.g. bench/small-drawings.sh /tmp/before/orvik-cli build/release/bin/orvik-cli
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset release --target orvik-cli make_bench_drawing >/dev/null
[ $# -gt 0 ] || set -- build/release/bin/orvik-cli
rounds=${ROUNDS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/small"
for i in $(seq 200); do ./build/release/bin/make_bench_drawing "$work/small/d$i.jwc" $((100 + (i * 97) % 1901)); done
median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }
sample_runs() { for _ in $(seq 100); do "$1" convert --force -q -o "$work/plan.dxf" samples/plan.jwc; done; }

for _ in $(seq "$rounds"); do
  for i in $(seq $#); do
    cli=${!i}
    seconds sample_runs "$cli" >>"$work/sample$i"
    rm -rf "$work/out"
    seconds "$cli" convert -r -q --output-dir "$work/out" "$work/small" >>"$work/batch$i"
  done
done
printf '%-40s %16s %18s\n' orvik-cli "100 x sample (s)" "200 small, -r (s)"
for i in $(seq $#); do
  printf '%-40s %16s %18s\n' "${!i}" "$(median <"$work/sample$i")" "$(median <"$work/batch$i")"
done
