#!/usr/bin/env bash
# Usage: compare-with-x87.sh NAME COMMAND...
# The orvik-cli that COMMAND runs (another build: integer arithmetic,
# WebAssembly under Node) writes the same bytes as the x87 release build:
# the sample, the read-back drawings, the shared JWW samples and a large
# drawing in both formats, in every output format and the main option sets,
# and their logs; and the same SVG pictures (byte for byte with the same C
# library, else but for their numbers' last bits: scripts/same-picture.py).
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
shift
other=("$@")

cmake --build --preset release --target orvik-cli make_readback_drawings make_bench_drawing make_bench_jww >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/x87" "$work/other"
cp samples/plan.jwc "$work/in/"
./build/release/bin/make_readback_drawings "$work/in" >/dev/null
cp ../shared/jww-samples/*.jww "$work/in/" 2>/dev/null || echo "$name: skipped: the JWW drawings of ../shared/jww-samples (not there)"
./build/release/bin/make_bench_drawing "$work/in/large.jwc" 100000 >/dev/null
./build/release/bin/make_bench_jww "$work/in/large.jwc" "$work/in/large-twin.jww" >/dev/null
source scripts/option-sets.sh
compared=0
for drawing in "$work/in"/*.jw[cw]; do
  drawing_name=$(basename "$drawing")
  for i in "${!option_sets[@]}"; do
    read -r -a options <<<"${option_sets[$i]}"
    out="$drawing_name-$i"
    build/release/bin/orvik-cli convert --force "${options[@]}" -o "$work/x87/$out.dxf" "$drawing" \
      >"$work/x87/$out.log" 2>&1 || true
    "${other[@]}" convert --force "${options[@]}" -o "$work/other/$out.dxf" "$drawing" >"$work/other/$out.log" 2>&1 || true
    sed -i "s#$work/other/#$work/x87/#g" "$work/other/$out.log"
    for output in "$out.dxf" "$out.log"; do
      [ -e "$work/x87/$output" ] || [ -e "$work/other/$output" ] || continue
      cmp "$work/x87/$output" "$work/other/$output" || { echo "$name: $output differs"; exit 1; }
      compared=$((compared + 1))
    done
  done
  build/release/bin/orvik-cli render --force -o "$work/x87/$drawing_name.svg" "$drawing" >/dev/null 2>&1 || true
  "${other[@]}" render --force -o "$work/other/$drawing_name.svg" "$drawing" >/dev/null 2>&1 || true
  cmp -s "$work/x87/$drawing_name.svg" "$work/other/$drawing_name.svg" ||
    python3 scripts/same-picture.py "$work/x87/$drawing_name.svg" "$work/other/$drawing_name.svg" ||
    { echo "$name: $drawing_name.svg differs"; exit 1; }
  compared=$((compared + 1))
done
[ "$compared" -gt 0 ] || { echo "$name: no file was compared"; exit 1; }
echo "$name: $compared files identical to the x87 build's"
