#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan) in build/fuzz, writes their seeds and runs
# each target briefly on them. Any crash, leak, sanitizer report or broken invariant fails the
# script and leaves the input in build/fuzz/artifacts/. FUZZ_SECONDS sets the time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds="${FUZZ_SECONDS:-10}"
build=build/fuzz
flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DVELMO_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_all

rm -rf "$build/seeds"
"$build/fuzz/make_seeds" "$build/seeds"
mkdir -p "$build/artifacts"
ran=0
for target in "$build"/fuzz/fuzz_*; do
  name="${target##*/fuzz_}"
  [ -d "$build/seeds/$name" ] || { echo "no seeds for $name" >&2; exit 1; }
  # New inputs go to a corpus folder of their own, so the seeds stay as make_seeds wrote them.
  mkdir -p "$build/corpus/$name"
  log="$build/artifacts/$name.log"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$name-" "$build/corpus/$name" "$build/seeds/$name" \
    >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz target $name failed; the input is in $build/artifacts/" >&2
    exit 1
  fi
  echo "$name: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$') runs," \
    "corpus $(find "$build/corpus/$name" -type f | wc -l) inputs"
  ran=$((ran + 1))
done
echo "fuzzed $ran targets, ${seconds}s each"
