#!/usr/bin/env bash
# Loads the settings record as the input method does and prints what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target settings_dump >/dev/null
exec build/native/apps/settings_dump/settings_dump "$@"
