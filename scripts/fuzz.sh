#!/usr/bin/env bash
# Builds the registration-file fuzz target with clang (the "fuzz" preset) and
# runs it for the given number of seconds, on a corpus seeded by files the
# writer produces. New inputs collect in fuzz/corpus-work/, a crashing input
# lands in build/fuzz/ as crash-*.
#   scripts/fuzz.sh [SECONDS]        default 60
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
build=build/fuzz
seeds=$build/seeds
corpus=fuzz/corpus-work

cmake --preset fuzz >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-2}" --target tallowin_regfile_fuzz tallowin_regfile_fuzz_seeds
mkdir -p "$seeds" "$corpus"
"$build/fuzz/tallowin_regfile_fuzz_seeds" "$seeds"
exec "$build/fuzz/tallowin_regfile_fuzz" \
  -max_total_time="$seconds" \
  -max_len=16384 \
  -dict="$seeds/reg_file.dict" \
  -artifact_prefix="$build/" \
  -print_final_stats=1 \
  "$corpus" "$seeds"
