#!/usr/bin/env bash
# Records what Wine's `reg import` makes of each registration file in
# tests/deploy/shapes/ (made by scripts/make-deploy-shapes.py): from the keys
# that tests/deploy/start.reg holds, each shape is imported and both
# environment keys are exported again, into tests/deploy/reg-import/ under
# the shape's name (the user key's section after the machine key's), with
# reg's exit code in exit-codes.txt. The deployment tests compare apply's
# result with these. Runs in a throwaway Wine prefix, removed afterwards; the
# files are kept in the repository, so run this again only when the shapes
# change.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

prefix=$(mktemp -d)
export TALLOWIN_WINEPREFIX=$prefix
trap 'bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1; rm -rf "$prefix"' EXIT
bash scripts/wine-env.sh start "$prefix"
source scripts/wine-settings.sh
reg() { "$WINE_LOADER" 'C:\windows\system32\reg.exe' "$@"; }
machine='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
work=$(mktemp -d)
out=$root/tests/deploy/reg-import
rm -rf "$out"
mkdir -p "$out"
cp tests/deploy/start.reg "$work/start.reg"

# A key's export as UTF-8 text; a key the shape deleted is its header alone.
exported() {
  if (cd "$work" && reg export "$1" key.reg /y >/dev/null 2>&1); then
    iconv -f UTF-16 -t UTF-8 "$work/key.reg"
  else
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n\r\n' "$2"
  fi
}

# One UTF-16 file per shape: the machine key's section, then the user key's.
for shape in tests/deploy/shapes/*.reg; do
  name=$(basename "$shape")
  reg delete 'HKCU\Environment' /f >/dev/null 2>&1 || true
  reg delete "$machine" /f >/dev/null 2>&1 || true
  (cd "$work" && reg import start.reg >/dev/null 2>&1) || true
  cp "$shape" "$work/shape.reg"
  status=0
  (cd "$work" && reg import shape.reg >/dev/null 2>&1) || status=$?
  echo "$name $status" >>"$out/exit-codes.txt"
  { printf '\xff\xfe'
    { exported "$machine" 'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
      exported 'HKCU\Environment' 'HKEY_CURRENT_USER\Environment' | tail -n +2; } | iconv -f UTF-8 -t UTF-16LE
  } >"$out/$name"
done
rm -rf "$work"
wc -l "$out/exit-codes.txt"
