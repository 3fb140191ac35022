#!/usr/bin/env bash
# Prepares or stops the throwaway Wine prefix that the cross-built tests run in.
#   wine-env.sh start PREFIX   create the prefix if needed (headless graphics
#                              driver) and start a persistent wineserver
#   wine-env.sh stop PREFIX    stop that wineserver
# The prefix lives inside the build tree; the user's own prefix is never used.
set -euo pipefail

action=${1:?usage: wine-env.sh start|stop PREFIX}
prefix=${2:?usage: wine-env.sh start|stop PREFIX}
TALLOWIN_WINEPREFIX=$prefix
source "$(dirname "${BASH_SOURCE[0]}")/wine-settings.sh"
wine=$WINE_LOADER
server=$WINE_SERVER

case "$action" in
  start)
    if [ ! -f "$prefix/.tallowin-ready" ]; then
      rm -rf "$prefix"
      mkdir -p "$prefix"
      "$wine" wineboot -i >/dev/null 2>&1
      # Windows, list views, message boxes and the clipboard work with no X
      # display under the null driver.
      "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      "$server" -w
      touch "$prefix/.tallowin-ready"
    fi
    # wineboot's own server must be gone, or the persistent one exits at once.
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
    "$server" -p 900 </dev/null >/dev/null 2>&1
    # The first program started under a new server brings up the prefix's
    # services, which then hold on to that program's output for as long as
    # the server lives; start them here, with no output to hold, so that a
    # test runner reading a test's output sees its end when the test ends.
    "$wine" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    "$server" -k 2>/dev/null || true
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
