#!/usr/bin/env bash
# The conversion computed in extended precision with integer arithmetic
# alone (the soft preset, as on ARM or WebAssembly) writes the same bytes as
# the x87 build (scripts/compare-with-x87.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset soft >/dev/null
cmake --build --preset soft --target orvik-cli >/dev/null
bash scripts/compare-with-x87.sh "integer arithmetic" build/soft/bin/orvik-cli
