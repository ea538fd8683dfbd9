#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping those already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev  # sanitizer builds; libFuzzer for scripts/fuzz.sh
  libgtest-dev            # unit tests
  libbenchmark-dev        # benchmarks in bench/
  libstb-dev              # skin picture decoding (stb_image)
  libfreetype-dev         # glyphs for the skin builder
  fonts-wqy-microhei      # CJK font for the skin builder
  g++-mingw-w64-x86-64 mingw-w64-tools  # the Windows cross build
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y --no-install-recommends "${missing[@]}" ||
  { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }
