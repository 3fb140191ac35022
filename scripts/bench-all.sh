#!/usr/bin/env bash
# make bench: builds the host and win64 presets and runs every benchmark
# program (the Windows ones under Wine in the test prefix), then the start-up
# benchmark (scripts/bench-startup.sh), which has a prefix and a display of
# its own.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
bash scripts/install-deps.sh
for preset in host win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" >/dev/null
done
# Registry calls under Wine are round trips to the wineserver; with the
# server and the program on different processors, wake-up latency on a
# virtual machine makes their timings noise. Run them on one processor.
pin=()
if command -v taskset >/dev/null; then pin=(taskset -c 0); fi
prefix=$root/build/win64/wineprefix
export TALLOWIN_WINEPREFIX=$prefix
bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1 || true
"${pin[@]}" bash scripts/wine-env.sh start "$prefix" >/dev/null
trap 'bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1' EXIT
for program in build/host/bench/tallowin_*bench* build/host/bench/*/tallowin_*bench*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  echo "== $program"
  "$program"
done
for program in build/win64/bench/*/tallowin_*bench*.exe; do
  [ -f "$program" ] || continue
  echo "== $program (Wine)"
  "${pin[@]}" scripts/wine-run "$program"
done
bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1 || true
echo "== start-up: empty window, Tallowin and regedit under Wine on Xvfb (scripts/bench-startup.sh)"
bash scripts/bench-startup.sh
