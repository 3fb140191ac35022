#!/usr/bin/env bash
# make screenshot: builds the program, starts it under Wine on an Xvfb
# display and saves what a person would see, one PNG per view, in
# build/screenshots/: the three tabs, the File and Edit menus, the about box, the
# folder browser, the review before Save, the Path check, the restore from
# an automatic backup, the notice and Save's question when another program
# changed the variables, the User tab filtered, and the list editor on the
# user's Path.
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
# The last view changes the environment keys as another program would;
# they are put back as they are now.
user_key='HKCU\Environment'
system_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
saved=$("$WINE_LOADER" winepath -w "$out" | tr -d '\r')
"$WINE_LOADER" reg export "$user_key" "$saved\\user.reg" /y >/dev/null 2>&1
"$WINE_LOADER" reg export "$system_key" "$saved\\system.reg" /y >/dev/null 2>&1
stop_program() {
  "$WINE_SERVER" -k 2>/dev/null || true
  "$WINE_SERVER" -w 2>/dev/null || true
}
stop_program

# Without a window manager, keys and clicks do not reach a modal dialog
# under Wine, so each view with a dialog gets a fresh start of the program.
start_program() {
  "$WINE_LOADER" "$exe" >/dev/null 2>&1 &
  window=$(xdotool search --sync --onlyvisible --name '^Tallowin$' | head -n 1)
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
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
# The Edit menu over the Path list, its current item movable both ways.
xdotool mousemove $((X + 60)) $((Y + 120)) click 1; sleep 0.3
xdotool key --window "$window" alt+e; sleep 0.5; shot 4b-edit-menu
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

# Another program changes the user's TEMP and the system Path after the
# window's Load, while the user edits the Path: the status bar's notice,
# then Save's question about the other program's changes.
start_program
xdotool key --window "$window" End; xdotool type --window "$window" 'C:\Tools;'; sleep 0.5
"$WINE_LOADER" reg add "$user_key" /v TEMP /t REG_EXPAND_SZ /d 'D:\Temp' /f >/dev/null 2>&1
"$WINE_LOADER" reg add "$system_key" /v PATH /t REG_EXPAND_SZ /d 'C:\windows\system32;C:\windows;C:\Installer' /f >/dev/null 2>&1
sleep 1; shot 10-outside-change-notice
# reg.exe took the focus; the window gets it back before its shortcut.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" ctrl+w; sleep 1
warning=$(xdotool search --sync --onlyvisible --name '^警告$' | head -n 1)
# A click on its OK button (keys sent to it went past it here).
sleep 1; xdotool mousemove --window "$warning" 66 64 click 1; sleep 2; shot 11-outside-changes
stop_program
"$WINE_LOADER" reg import "$saved\\user.reg" >/dev/null 2>&1
"$WINE_LOADER" reg import "$saved\\system.reg" >/dev/null 2>&1
stop_program

# The User tab filtered: its second row (TMP) chosen from the list, then
# Ctrl+F and a text typed into the filter field; the line under the fields
# shows what TMP becomes.
start_program
xdotool mousemove $((X + 145)) $((Y + 31)) click 1; sleep 0.5
xdotool key --window "$window" ctrl+f Tab Down shift+Tab; sleep 0.3
xdotool type --window "$window" 'tmp'; sleep 0.5; shot 12-user-filter
stop_program

# The list editor (Ctrl+L) on the user's Path, the User tab's first row,
# with a folder that does not exist and a repeat; the user key gets its
# Path only for this view.
had_user_path=0
"$WINE_LOADER" reg query "$user_key" /v Path >/dev/null 2>&1 && had_user_path=1
"$WINE_LOADER" reg add "$user_key" /v Path /t REG_EXPAND_SZ \
  /d 'C:\windows;C:\NoSuchFolder\bin;%SystemRoot%\system32;c:\WINDOWS\;C:\windows\Fonts' /f >/dev/null 2>&1
start_program
xdotool mousemove $((X + 145)) $((Y + 31)) click 1; sleep 0.5
xdotool key --window "$window" ctrl+l; sleep 3; shot 13-list-editor
stop_program
if [ "$had_user_path" = 1 ]; then
  "$WINE_LOADER" reg import "$saved\\user.reg" >/dev/null 2>&1
else
  "$WINE_LOADER" reg delete "$user_key" /v Path /f >/dev/null 2>&1
fi
stop_program
rm -f "$out"/*.reg

echo "Screenshots in $out:"
ls "$out"
