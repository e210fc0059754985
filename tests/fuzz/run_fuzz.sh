#!/bin/sh
# Runs the fuzz target for a while from a copy of the seed corpus and checks
# that it was guided by the library's coverage, not only the harness's.
#
# Usage: run_fuzz.sh FUZZER CORPUS SECONDS
set -eu
rm -rf corpus
cp -r "$2" corpus
if ! "$1" -max_total_time="$3" -print_final_stats=1 -artifact_prefix=./ corpus 2>fuzz.log; then
  cat fuzz.log
  exit 1
fi
tail -n 8 fuzz.log
edges=$(sed -n 's/.*DONE *cov: \([0-9]*\).*/\1/p' fuzz.log)
if [ "${edges:-0}" -lt 1000 ]; then
  echo "only ${edges:-0} edges covered: is the library built with -fsanitize=fuzzer-no-link?"
  exit 1
fi
