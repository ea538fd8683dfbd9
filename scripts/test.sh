#!/usr/bin/env bash
# Builds the native tree and runs every test, then again under AddressSanitizer and
# UndefinedBehaviorSanitizer: the module runs inside other programs and must never crash them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
