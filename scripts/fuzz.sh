#!/usr/bin/env bash
# Builds the fuzz targets with clang (the "fuzz" preset) and runs each for
# the given number of seconds, one after the other:
#   - the registration-file reader, on a corpus seeded by files the writer
#     produces;
#   - editing sequences with the property test's checks (Save and Export
#     write what the window shows), seeded by the property test's sequences.
# New inputs collect in fuzz/corpus-work/<target>/, a crashing input lands in
# build/fuzz/ as <target>-crash-*.
#   scripts/fuzz.sh [SECONDS]        default 60 for each target
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
build=build/fuzz
seeds=$build/seeds
corpus=fuzz/corpus-work

cmake --preset fuzz >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-2}" --target tallowin_regfile_fuzz tallowin_regfile_fuzz_seeds \
  tallowin_command_sequence_fuzz tallowin_command_sequence_fuzz_seeds
mkdir -p "$seeds/regfile" "$seeds/command-sequence" "$corpus/regfile" "$corpus/command-sequence"
"$build/fuzz/tallowin_regfile_fuzz_seeds" "$seeds/regfile"
"$build/fuzz/tallowin_command_sequence_fuzz_seeds" "$seeds/command-sequence"

status=0
echo "== registration-file reader, ${seconds}s"
"$build/fuzz/tallowin_regfile_fuzz" \
  -max_total_time="$seconds" \
  -max_len=16384 \
  -dict="$seeds/regfile/reg_file.dict" \
  -artifact_prefix="$build/regfile-" \
  -print_final_stats=1 \
  "$corpus/regfile" "$seeds/regfile" || status=1
echo "== editing sequences, ${seconds}s"
"$build/fuzz/tallowin_command_sequence_fuzz" \
  -max_total_time="$seconds" \
  -max_len=4096 \
  -artifact_prefix="$build/command-sequence-" \
  -print_final_stats=1 \
  "$corpus/command-sequence" "$seeds/command-sequence" || status=1
exit $status
