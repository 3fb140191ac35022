#!/usr/bin/env bash
# make screenshot: builds the program, starts it under Wine on an Xvfb
# display and saves what a person would see, one PNG per view, in
# build/screenshots/: the three tabs, the File menu, the about box, the
# folder browser, the review before Save, the Path check and the restore
# from an automatic backup.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
exe=${TALLOWIN_EXE:-$root/build/win64/src/ui/Tallowin.exe}
if [ -z "${TALLOWIN_EXE:-}" ]; then
  bash scripts/install-deps.sh
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target Tallowin >/dev/null
fi

DISPLAY_FOR_TALLOWIN=
source scripts/desktop-env.sh
desktop_start
trap desktop_stop EXIT

out=$root/build/screenshots
mkdir -p "$out"
rm -f "$out"/*.png
window=

# Without a window manager, keys and clicks do not reach a modal dialog
# under Wine, so each view with a dialog gets a fresh start of the program.
start_program() {
  "$WINE_LOADER" "$exe" >/dev/null 2>&1 &
  window=$(xdotool search --sync --onlyvisible --name '^Tallowin$' | head -n 1)
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
stop_program() {
  "$WINE_SERVER" -k 2>/dev/null || true
  "$WINE_SERVER" -w 2>/dev/null || true
}
shot() { import -window root "$out/$1.png"; }

start_program
shot 1-path-tab
# The tabs sit at the top left of the client area, below the menu bar;
# click each one's middle.
xdotool mousemove $((X + 85)) $((Y + 31)) click 1; sleep 0.5; shot 2-system-tab
xdotool mousemove $((X + 145)) $((Y + 31)) click 1; sleep 0.5; shot 3-user-tab
xdotool mousemove $((X + 25)) $((Y + 31)) click 1; sleep 0.3
xdotool key --window "$window" alt+f; sleep 0.5; shot 4-file-menu
xdotool key --window "$window" Escape Escape; sleep 0.3
xdotool key --window "$window" F12; sleep 1; shot 5-about-box
stop_program

start_program
xdotool key --window "$window" ctrl+b; sleep 2; shot 6-folder-browser
stop_program

# The review after an edit of the Path (Edit1 has the focus at start) and
# the deletion of the user's TEMP (the User tab's first row, selected), that
# row's check box ticked with the keyboard.
start_program
xdotool key --window "$window" End; xdotool type --window "$window" 'C:\Tools;'; sleep 0.5
xdotool mousemove $((X + 145)) $((Y + 31)) click 1; sleep 0.5
xdotool mousemove $((X + 318)) $((Y + 428)) click 1; sleep 0.5
xdotool key --window "$window" ctrl+d; sleep 2
review=$(xdotool search --onlyvisible --name '^変更点の確認$' | head -n 1)
if [ -n "$review" ]; then
  xdotool windowfocus --sync "$review" 2>/dev/null || true
  xdotool key --window "$review" Down space; sleep 0.5
fi
shot 7-review
stop_program

# The Path check after typing a folder that does not exist and a second
# %SystemRoot% into Edit1.
start_program
xdotool key --window "$window" End; xdotool type --window "$window" 'C:\NoSuchFolder;%SystemRoot%;'; sleep 0.5
xdotool key --window "$window" alt+e k; sleep 3; shot 8-path-check
stop_program

# The restore from an automatic backup, over three backups Save would have
# written: a registration file of the user key, under backup names and times.
backups=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local | head -n 1)/Tallowin/Backups
mkdir -p "$backups"
"$WINE_LOADER" reg export 'HKCU\Environment' 'C:\tallowin-shot.reg' /y >/dev/null 2>&1 || true
for stamp in 20261130-091500 20261205-174210 20261207-083002; do
  cp "$WINEPREFIX/drive_c/tallowin-shot.reg" "$backups/env-$stamp.reg" 2>/dev/null || : >"$backups/env-$stamp.reg"
  touch -d "${stamp:0:8} ${stamp:9:2}:${stamp:11:2}:${stamp:13:2}" "$backups/env-$stamp.reg"
done
start_program
xdotool key --window "$window" alt+f u; sleep 2; shot 9-restore
stop_program

echo "Screenshots in $out:"
ls "$out"
