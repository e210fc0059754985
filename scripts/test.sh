#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release
# build, the fuzz target for a while (ORVIK_FUZZ_SECONDS, default 60), the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the conversion in integer-only extended precision against the x87 one
# (scripts/test-soft-extended.sh), the Windows build under Wine
# (scripts/test-windows.sh), the WebAssembly build and the page in a
# headless browser (scripts/test-wasm.sh), and the Debian package installed
# and removed (scripts/test-package.sh).
#
# With --quick, only the release build and its tests (the unit tests, the
# readers' read-back, the formatting and layer checks): the inner loop.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
jobs=$(nproc)

if [ "${1:-}" = "--quick" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$jobs"
  ctest --preset release -j "$jobs"
  exit 0
fi

for preset in release fuzz asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== soft extended"
bash scripts/test-soft-extended.sh

echo "== windows"
bash scripts/test-windows.sh

echo "== wasm"
bash scripts/test-wasm.sh

echo "== package"
bash scripts/test-package.sh
