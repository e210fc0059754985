#!/usr/bin/env bash
# ORVIK against a peer and against the limit: first the fast number path
# checked against the exact one on 30 million hard values; then, for
# generated drawings of 100,000 and 1,000,000 lines, in interleaved rounds
# (ROUNDS, default 3), orvik-cli convert (saving as a user does: a new file,
# synced to the disk), ezdxf writing the same entities
# (bench/ezdxf_peer.py), and the formatting limit (the file's real numbers
# through std::to_chars into memory and out to a file); prints the medians,
# the ratios and ORVIK's peak memory. Each output is removed before its
# timed run, so no run pays for deleting the last one's.
#
# Usage: bench/ratios.sh [LINES...]   (default: 100000 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset release --target orvik-cli make_bench_drawing formatting_limit check_real_formatting >/dev/null
./build/release/bin/check_real_formatting
rounds=${ROUNDS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

printf '%-10s %10s %10s %10s %12s %12s %10s\n' lines orvik_s ezdxf_s limit_s peer/orvik orvik/limit peak_MiB
[ $# -gt 0 ] || set -- 100000 1000000
for lines in "$@"; do
  ./build/release/bin/make_bench_drawing "$work/d.jwc" "$lines"
  # One writing thread and all of them write the same bytes.
  ./build/release/bin/orvik-cli convert --force -q -j 1 -o "$work/one.dxf" "$work/d.jwc" >/dev/null
  ./build/release/bin/orvik-cli convert --force -q -o "$work/orvik.dxf" "$work/d.jwc" >/dev/null
  cmp "$work/one.dxf" "$work/orvik.dxf" >&2
  rm "$work/one.dxf"
  : >"$work/orvik.t"; : >"$work/peer.t"; : >"$work/limit.t"; : >"$work/peak"
  for _ in $(seq "$rounds"); do
    rm -f "$work/orvik.dxf" "$work/peer.dxf" "$work/limit.out"
    start=$(date +%s.%N)
    /usr/bin/time -f '%M' -o "$work/peak1" ./build/release/bin/orvik-cli convert -q -o "$work/orvik.dxf" "$work/d.jwc" \
      >/dev/null
    end=$(date +%s.%N)
    printf '%.3f\n' "$(echo "$end - $start" | bc)" >>"$work/orvik.t"
    cat "$work/peak1" >>"$work/peak"
    /usr/bin/python3 bench/ezdxf_peer.py "$work/orvik.dxf" "$work/peer.dxf" >>"$work/peer.t"
    ./build/release/bin/formatting_limit "$work/orvik.dxf" "$work/limit.out" | cut -d' ' -f1 >>"$work/limit.t"
  done
  o=$(median <"$work/orvik.t"); p=$(median <"$work/peer.t"); l=$(median <"$work/limit.t"); m=$(median <"$work/peak")
  printf '%-10s %10s %10s %10s %12.1f %12.2f %10.0f\n' "$lines" "$o" "$p" "$l" "$(echo "$p / $o" | bc -l)" \
    "$(echo "$o / $l" | bc -l)" "$(echo "$m / 1024" | bc -l)"
done
