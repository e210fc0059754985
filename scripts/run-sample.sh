#!/usr/bin/env bash
# Installs what is missing, builds the release preset and converts the bundled
# sample drawing with the command-line program (samples/plan.jwc becomes
# samples/plan.dxf).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
./build/release/bin/orvik-cli convert --force samples/plan.jwc
