#!/usr/bin/env bash
# Sourced, not run: a Wine prefix with a real graphics driver and an Xvfb
# display, for running the program as a person sees it (make run without a
# display of its own, make screenshot). It is a prefix of its own: the test
# prefix uses the null driver, which shows nothing.
#   desktop_start   create the prefix if needed, start Xvfb when DISPLAY is
#                   unset, start the prefix's wineserver
#   desktop_stop    stop what desktop_start started
TALLOWIN_WINEPREFIX=${TALLOWIN_DESKTOP_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/win64/desktop-prefix}
source "$(dirname "${BASH_SOURCE[0]}")/wine-settings.sh"

desktop_xvfb_pid=
desktop_display=${DISPLAY_FOR_TALLOWIN:-}

desktop_start() {
  if [ -z "$desktop_display" ]; then
    desktop_display=:97
    Xvfb "$desktop_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    desktop_xvfb_pid=$!
    for _ in $(seq 50); do
      DISPLAY=$desktop_display xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
  export DISPLAY=$desktop_display
  if [ ! -f "$WINEPREFIX/.tallowin-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1
    # Wine draws menus and captions in Tahoma, which has no Japanese; a
    # Windows with a Japanese locale draws them in a Japanese face.
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /d 'Noto Sans CJK JP' /f >/dev/null 2>&1
    "$WINE_SERVER" -w
    touch "$WINEPREFIX/.tallowin-ready"
  fi
}

desktop_stop() {
  "$WINE_SERVER" -k 2>/dev/null || true
  if [ -n "$desktop_xvfb_pid" ]; then kill "$desktop_xvfb_pid" 2>/dev/null || true; fi
}
