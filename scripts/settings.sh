#!/usr/bin/env bash
# Loads the settings record as the input method does, over the compiled sample data set, and
# prints what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target settings_dump sample_data >/dev/null
export VELMO_ROOT="${VELMO_ROOT:-$PWD/build/native/data-root}"
exec build/native/apps/settings_dump/settings_dump "$@"
