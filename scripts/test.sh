#!/usr/bin/env bash
# Builds the native tree and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2
