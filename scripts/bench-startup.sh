#!/usr/bin/env bash
# Start-up benchmark, part of make bench: the empty window
# (bench/startup/empty_window.cpp), Tallowin and Wine's regedit, taking
# turns, each timed from its start to its window shown on an Xvfb display and
# to its first wait for input, first with the prefix's user key as wineboot
# made it and then with 10,000 more variables in it. Prints the medians and
# each one's ratio to the empty window (bench/startup/startup_timer.cpp says
# how the time is taken). Tallowin waits for input while it still reads the
# keys on a thread of its own (bench/ui/load_bench.cpp times when its first
# input is handled).
#   scripts/bench-startup.sh [RUNS]        default 11 starts of each
# TALLOWIN_EXE names another build of the program to time, e.g.
# build/dist/Tallowin.exe.
#
# Everything runs in a prefix of the benchmark's own, build/win64/bench-prefix
# (real graphics driver, the fonts of make run), on an Xvfb display of its
# own. The 10,000 variables go into that prefix's HKCU\Environment through
# reg import and are taken out again when the benchmark ends, also when it
# fails. Both environment keys are exported before and after each set of
# starts: the benchmark fails if anything wrote to them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
runs=${1:-11}
variables=10000
exe=${TALLOWIN_EXE:-$root/build/win64/src/ui/Tallowin.exe}
empty=$root/build/win64/bench/startup/tallowin_empty_window.exe
launcher=$root/build/win64/bench/startup/tallowin_startup_launcher.exe
timer=$root/build/host/bench/startup/tallowin_startup_timer

bash scripts/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host --target tallowin_startup_timer >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tallowin tallowin_empty_window tallowin_startup_launcher >/dev/null
[ -x "$timer" ] || { echo "bench-startup: $timer was not built (libx11-dev missing?)" >&2; exit 1; }
[ -f "$exe" ] || { echo "bench-startup: no program at $exe" >&2; exit 1; }

# Registry calls under Wine are round trips to the wineserver, and every
# start is a few hundred of them; as in bench-all.sh, the server, the
# display and the programs share one processor so that wake-up latency
# between processors does not become the measurement.
pin=()
if command -v taskset >/dev/null; then pin=(taskset -c 0); fi

work=$(mktemp -d)
xvfb_pid=
filled=false
cleanup() {
  if [ -n "${WINE_SERVER:-}" ]; then
    if $filled; then reg_import "$work/clear.reg" || true; fi
    "$WINE_SERVER" -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
# A Windows path for a file of this machine, through the prefix's Z: drive.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
reg() { "$WINE_LOADER" 'C:\windows\system32\reg.exe' "$@" >/dev/null 2>&1; }
reg_import() { reg import "$(winpath "$1")"; }

# An X display of its own: Xvfb picks a free number and writes it to fd 3.
"${pin[@]}" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "bench-startup: Xvfb did not start" >&2; exit 1; }

DISPLAY_FOR_TALLOWIN=:$(head -n 1 "$work/display")
TALLOWIN_DESKTOP_PREFIX=$root/build/win64/bench-prefix
source scripts/desktop-env.sh
desktop_start
"$WINE_SERVER" -k 2>/dev/null || true
"$WINE_SERVER" -w 2>/dev/null || true
"${pin[@]}" "$WINE_SERVER" -p 600 </dev/null >/dev/null 2>&1
# The prefix's services start with the first program; start them here, with
# no output of ours for them to hold on to.
"$WINE_LOADER" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

# Names in no particular order, data like a typical variable's.
awk -v count="$variables" -v fill="$work/fill.reg" -v clear="$work/clear.reg" 'BEGIN {
  header = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"
  printf "%s", header > fill
  printf "%s", header > clear
  for (i = 0; i < count; i++) {
    name = sprintf("TALLOWIN_BENCH_%05d", (i * 7919) % 100003)
    printf "\"%s\"=\"C:\\\\Program Files\\\\Tool%05d\\\\bin\"\r\n", name, i > fill
    printf "\"%s\"=-\r\n", name > clear
  }
}'
export_keys() {
  reg export 'HKCU\Environment' "$(winpath "$work/user-$1.reg")" /y
  reg export 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' "$(winpath "$work/system-$1.reg")" /y
}
# reg export writes UTF-16.
user_count() { iconv -f UTF-16 -t UTF-8 "$work/user-$1.reg" | grep -c '^"' || true; }

time_starts() {
  local title=$1
  export_keys before
  "${pin[@]}" "$timer" --runs "$runs" --title "$title" "$WINE_LOADER" "$launcher" \
    "empty window" "Empty window" "$(winpath "$empty")" \
    Tallowin Tallowin "$(winpath "$exe")" \
    regedit "" 'C:\windows\regedit.exe'
  export_keys after
  if ! cmp -s "$work/user-before.reg" "$work/user-after.reg" ||
    ! cmp -s "$work/system-before.reg" "$work/system-after.reg"; then
    echo "bench-startup: an environment key changed while the programs ran" >&2
    exit 1
  fi
}

# An earlier run that was stopped short may have left its variables behind.
reg_import "$work/clear.reg"
export_keys base
time_starts "$(user_count base) user variables"
filled=true
reg_import "$work/fill.reg"
export_keys filled
[ "$(user_count filled)" -eq "$(($(user_count base) + variables))" ] ||
  { echo "bench-startup: the $variables variables did not arrive in HKCU\\Environment" >&2; exit 1; }
time_starts "$(user_count filled) user variables ($variables added)"
reg_import "$work/clear.reg"
filled=false
