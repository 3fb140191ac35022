#!/usr/bin/env bash
# make test: installs what is missing, configures and builds the host, the
# sanitizer and the win64 presets, runs every test of each (the win64 ones
# under Wine) and exits non-zero when any build or test failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

bash scripts/install-deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
status=0
logdir=$root/build/logs
mkdir -p "$logdir"

run_preset() {
  local preset=$1
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >"$logdir/$preset-configure.log" 2>&1; then
    cat "$logdir/$preset-configure.log"
    echo "== $preset: configure FAILED"
    status=1
    return
  fi
  if ! cmake --build --preset "$preset" -j "$jobs" >"$logdir/$preset-build.log" 2>&1; then
    tail -n 60 "$logdir/$preset-build.log"
    echo "== $preset: build FAILED"
    status=1
    return
  fi
  echo "== $preset: tests"
  # Under load, Wine now and then fails to start a test process at all: it
  # ends at once with no output, before the program ran. Such a test runs
  # once more; a test that fails while running fails both times.
  local repeat=()
  if [ "$preset" = win64 ]; then repeat=(--repeat until-pass:2); fi
  ctest --preset "$preset" -j "$jobs" "${repeat[@]}" 2>&1 | tee "$logdir/$preset-test.log" | grep -vE '^\s*([0-9]+\/[0-9]+ Test +#[0-9]+: .* Passed|Start +[0-9]+: )' || true
  local summary
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logdir/$preset-test.log" | tail -n 1)
  if [ -z "$summary" ]; then
    echo "== $preset: no test summary"
    status=1
    return
  fi
  local total fails
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  fails=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
  if [ "$fails" -ne 0 ]; then status=1; fi
}

run_preset host
run_preset host-asan

prefix=$root/build/win64/wineprefix
export TALLOWIN_WINEPREFIX=$prefix
mkdir -p "$root/build/win64"
if bash scripts/wine-env.sh start "$prefix" >"$logdir/wine-env.log" 2>&1; then
  trap 'bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1' EXIT
  run_preset win64
  # The fault suite's figure, when this run's tests wrote one.
  figure=$root/build/win64/tests/faults/fault-figure.txt
  if [ "$figure" -nt "$logdir/win64-build.log" ]; then cat "$figure"; fi
else
  cat "$logdir/wine-env.log"
  echo "== win64: the Wine environment could not be prepared"
  status=1
fi

echo
echo "$passed passed, $failed failed"
exit $status
