#!/usr/bin/env bash
# make run: builds the program and starts it under Wine, on this session's X
# display, or on an Xvfb display when there is none (then only screenshots
# and xdotool can see it; the program runs until it is closed).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tallowin >/dev/null

DISPLAY_FOR_TALLOWIN=${DISPLAY:-}
source scripts/desktop-env.sh
desktop_start
trap desktop_stop EXIT
echo "Tallowin runs on display $DISPLAY (prefix $WINEPREFIX)."
"$WINE_LOADER" "$root/build/win64/src/ui/Tallowin.exe"
