#!/usr/bin/env bash
# Builds the fuzz targets with clang (the "fuzz" preset) and runs each for
# the given number of seconds, one after the other:
#   - the registration-file reader, on a corpus seeded by files the writer
#     produces and by the files of other writers in fuzz/seeds/peers/
#     (Wine's reg.exe and regedit.exe, REGEDIT4 in code pages 932 and 1252,
#     UTF-16LE without FF FE, lone CR line ends; scripts/make-fuzz-seeds.sh)
#     and by the deployment tests' files in tests/deploy/shapes/ (both the
#     window's reader and the deployment's strict one read each input);
#   - Import, Export and Import again through the commands, which must give
#     the same rows and Path items, on the same seeds;
#   - editing sequences with the property test's checks (Save and Export
#     write what the window shows), seeded by the property test's sequences;
#   - the JSON reader the DSC resources read standard input with: every
#     document it accepts must go through the --json writer and back to the
#     same value; seeded by the documents in fuzz/seeds/json/.
# New inputs collect in fuzz/corpus-work/<target>/, a crashing input lands in
# the build folder as <target>-crash-*.
#   scripts/fuzz.sh [SECONDS]        default 60 for each target
# FUZZ_BUILD_DIR builds elsewhere than the preset's build/fuzz.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-build/fuzz}
seeds=$build/seeds
corpus=fuzz/corpus-work

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-2}" --target tallowin_regfile_fuzz tallowin_regfile_fuzz_seeds \
  tallowin_import_export_fuzz tallowin_command_sequence_fuzz tallowin_command_sequence_fuzz_seeds \
  tallowin_json_fuzz
mkdir -p "$seeds/regfile" "$seeds/command-sequence"
"$build/fuzz/tallowin_regfile_fuzz_seeds" "$seeds/regfile"
"$build/fuzz/tallowin_command_sequence_fuzz_seeds" "$seeds/command-sequence"

status=0
# No allocation stacks while fuzzing: recording one for every allocation
# took a third of each run. Running a crash input by hand,
#   build/fuzz/fuzz/tallowin_<target>_fuzz build/fuzz/<target>-crash-*,
# reports with the full stacks again.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
# run TITLE NAME MAX_LEN [OPTIONS and SEED FOLDERS...]: new inputs go to the
# first folder, the target's working corpus.
run() {
  local title=$1 name=$2 maxLen=$3
  shift 3
  mkdir -p "$corpus/$name"
  echo "== $title, ${seconds}s"
  "$build/fuzz/tallowin_${name//-/_}_fuzz" \
    -max_total_time="$seconds" \
    -max_len="$maxLen" \
    -artifact_prefix="$build/$name-" \
    -print_final_stats=1 \
    "$corpus/$name" "$@" || status=1
}
run "registration-file reader" regfile 16384 -dict="$seeds/regfile/reg_file.dict" "$seeds/regfile" fuzz/seeds/peers \
  tests/deploy/shapes
run "import, export, import" import-export 16384 -dict="$seeds/regfile/reg_file.dict" "$seeds/regfile" fuzz/seeds/peers
run "editing sequences" command-sequence 4096 "$seeds/command-sequence"
run "JSON reader" json 4096 -dict=fuzz/json.dict fuzz/seeds/json
exit $status
