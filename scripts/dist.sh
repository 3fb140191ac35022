#!/usr/bin/env bash
# make dist: builds the release program (the win64-release preset: optimised
# for size, the program target only), strips every symbol and all debug
# information, checks that the file imports nothing but DLLs every Windows
# has, and writes it with its SHA-256 to build/dist/:
#   build/dist/Tallowin.exe
#   build/dist/Tallowin.exe.sha256   ("HASH  Tallowin.exe", as sha256sum writes)
# Fails, and leaves no file in build/dist/, when any check fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
bash scripts/install-deps.sh
cmake --preset win64-release >/dev/null
cmake --build --preset win64-release -j "$(nproc)" >/dev/null

built=$root/build/win64-release/src/ui/Tallowin.exe
dist=$root/build/dist
objdump=x86_64-w64-mingw32-objdump
strip=x86_64-w64-mingw32-strip

fail() {
  echo "make dist: $*" >&2
  rm -f "$dist/Tallowin.exe" "$dist/Tallowin.exe.sha256"
  exit 1
}

mkdir -p "$dist"
rm -f "$dist/Tallowin.exe" "$dist/Tallowin.exe.sha256"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$strip" --strip-all -o "$work/Tallowin.exe" "$built"

headers=$("$objdump" -p "$work/Tallowin.exe")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a 64-bit Windows program"
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || fail "not a Windows GUI program"
if "$objdump" -h "$work/Tallowin.exe" | grep -q '\.debug'; then
  fail "debug sections left after stripping"
fi

# The DLLs a copy of the file may load from the system: those every Windows
# since 7 has in System32. The MinGW runtime (libstdc++, libgcc, winpthread)
# is linked in statically; a DLL of its own would be missing on a machine the
# file is copied to.
allowed=(
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll
  msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll
  userenv.dll uxtheme.dll version.dll winmm.dll
)
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr -d '\r')
[ -n "$imports" ] || fail "no import table found"
# The DLLs loaded when a command first needs them (cmake/delay_imports.cmake)
# are named only in the delay-import thunks' strings; they are checked too.
delayed=$(strings -a "$work/Tallowin.exe" | grep -iE '^[a-z0-9_]+\.dll$' | sort -fu)
imports=$(printf '%s\n%s\n' "$imports" "$delayed" | sort -fu)
refused=()
while read -r dll; do
  lower=${dll,,}
  ok=false
  for name in "${allowed[@]}"; do
    if [ "$lower" = "$name" ]; then ok=true; break; fi
  done
  $ok || refused+=("$dll")
done <<<"$imports"
if [ ${#refused[@]} -ne 0 ]; then
  fail "imports DLLs that are not part of Windows: ${refused[*]}"
fi

cp "$work/Tallowin.exe" "$dist/Tallowin.exe"
(cd "$dist" && sha256sum Tallowin.exe >Tallowin.exe.sha256)
size=$(stat -c %s "$dist/Tallowin.exe")
echo "build/dist/Tallowin.exe: $size bytes ($(( (size + 1023) / 1024 )) KiB)"
echo "imports: $(tr '\n' ' ' <<<"$imports")"
echo "SHA-256: $(cut -d ' ' -f 1 "$dist/Tallowin.exe.sha256")"
