#!/usr/bin/env bash
# The conversion computed in extended precision with integer arithmetic
# alone (the soft preset, as on ARM or WebAssembly) writes the same bytes as
# the x87 build: the sample, the read-back drawings, the shared JWW samples
# and a large drawing in both formats, in every output format and the main
# option sets.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset soft >/dev/null
cmake --build --preset soft --target orvik-cli >/dev/null
cmake --build --preset release --target orvik-cli make_readback_drawings make_bench_drawing make_bench_jww >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/x87" "$work/soft"
cp samples/plan.jwc "$work/in/"
./build/release/bin/make_readback_drawings "$work/in" >/dev/null
cp ../shared/jww-samples/*.jww "$work/in/" 2>/dev/null || true
./build/release/bin/make_bench_drawing "$work/in/large.jwc" 100000 >/dev/null
./build/release/bin/make_bench_jww "$work/in/large.jwc" "$work/in/large-twin.jww" >/dev/null
source scripts/option-sets.sh
compared=0
for drawing in "$work/in"/*.jw[cw]; do
  name=$(basename "$drawing")
  for i in "${!option_sets[@]}"; do
    read -r -a options <<<"${option_sets[$i]}"
    for build in x87 soft; do
      bin=build/release/bin/orvik-cli
      [ "$build" = soft ] && bin=build/soft/bin/orvik-cli
      "$bin" convert --force "${options[@]}" -o "$work/$build/$name-$i.dxf" "$drawing" >"$work/$build/$name-$i.log" 2>&1 || true
    done
    sed -i "s#$work/soft/#$work/x87/#g" "$work/soft/$name-$i.log"
    for output in "$name-$i.dxf" "$name-$i.log"; do
      [ -e "$work/x87/$output" ] || [ -e "$work/soft/$output" ] || continue
      cmp "$work/x87/$output" "$work/soft/$output" || { echo "test-soft-extended: $output differs"; exit 1; }
      compared=$((compared + 1))
    done
  done
  build/release/bin/orvik-cli render --force -o "$work/x87/$name.svg" "$drawing" >/dev/null 2>&1 || true
  build/soft/bin/orvik-cli render --force -o "$work/soft/$name.svg" "$drawing" >/dev/null 2>&1 || true
  cmp "$work/x87/$name.svg" "$work/soft/$name.svg" || { echo "test-soft-extended: $name.svg differs"; exit 1; }
  compared=$((compared + 1))
done
echo "$compared files identical from the x87 build and the integer-arithmetic build"
