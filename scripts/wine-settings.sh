# Sourced, not run: the Wine settings shared by every script that starts a
# Windows program of the cross build (test set-up, wine-run, screenshots).
#   WINE_LOADER, WINE_SERVER   the loader and server of Debian's wine64
#   WINEPREFIX                 the throwaway prefix in the build tree, unless
#                              the caller names one in TALLOWIN_WINEPREFIX
# Programs run headless (no DISPLAY): the prefix's null graphics driver
# serves windows, list views, dialogs and the clipboard without an X server.
# A caller that wants a real display (screenshots) sets DISPLAY afterwards.
tallowin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE_LOADER=/usr/lib/wine/wine64
WINE_SERVER=/usr/lib/wine/wineserver
: "${TALLOWIN_WINEPREFIX:=$tallowin_root/build/win64/wineprefix}"
export WINEPREFIX=$TALLOWIN_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or Gecko installers: the prefix is created without asking for them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
