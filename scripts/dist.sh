#!/usr/bin/env bash
# make dist: builds the release programs (the win64-release preset: optimised
# for size), strips every symbol and all debug information, checks that each
# file imports nothing but DLLs every Windows has and is the kind of program
# it should be, and writes each with its SHA-256 to build/dist/:
#   build/dist/Tallowin.exe              the window (GUI subsystem)
#   build/dist/Tallowin.exe.sha256       ("HASH  Tallowin.exe", as sha256sum writes)
#   build/dist/tallowin-cli.exe          the command line (console subsystem)
#   build/dist/tallowin-cli.exe.sha256
#   build/dist/tallowin.environment.variable.dsc.resource.json
#   build/dist/tallowin.environment.pathitem.dsc.resource.json
#                                        the DSC v3 resources' manifests, found
#                                        by DSC beside the program on PATH
# Fails, and leaves no file in build/dist/, when any check fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
bash scripts/install-deps.sh
cmake --preset win64-release >/dev/null
cmake --build --preset win64-release -j "$(nproc)" --target Tallowin tallowin-cli >/dev/null

dist=$root/build/dist
programs=(Tallowin.exe tallowin-cli.exe)
objdump=x86_64-w64-mingw32-objdump
strip=x86_64-w64-mingw32-strip

manifests=("$root"/dsc/*.dsc.resource.json)

remove_all() {
  for name in "${programs[@]}"; do rm -f "$dist/$name" "$dist/$name.sha256"; done
  for manifest in "${manifests[@]}"; do rm -f "$dist/$(basename "$manifest")"; done
}

fail() {
  echo "make dist: $*" >&2
  remove_all
  exit 1
}

mkdir -p "$dist"
remove_all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check_imports NAME: the DLLs a copy of the file may load from the system
# are those every Windows since 7 has in System32. The MinGW runtime
# (libstdc++, libgcc, winpthread) is linked in statically; a DLL of its own
# would be missing on a machine the file is copied to.
allowed=(
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll
  msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll
  userenv.dll uxtheme.dll version.dll winmm.dll
)
check_imports() {
  local name=$1 imports delayed dll lower known ok
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr -d '\r')
  [ -n "$imports" ] || fail "$name: no import table found"
  # The DLLs loaded when a command first needs them (cmake/delay_imports.cmake)
  # are named only in the delay-import thunks' strings; they are checked too.
  delayed=$(strings -a "$work/$name" | grep -iE '^[a-z0-9_]+\.dll$' | sort -fu)
  imports=$(printf '%s\n%s\n' "$imports" "$delayed" | sort -fu)
  local refused=()
  while read -r dll; do
    [ -n "$dll" ] || continue
    lower=${dll,,}
    ok=false
    for known in "${allowed[@]}"; do
      if [ "$lower" = "$known" ]; then ok=true; break; fi
    done
    $ok || refused+=("$dll")
  done <<<"$imports"
  if [ ${#refused[@]} -ne 0 ]; then
    fail "$name imports DLLs that are not part of Windows: ${refused[*]}"
  fi
  echo "$name imports: $(tr '\n' ' ' <<<"$imports")"
}

# ship NAME BUILT SUBSYSTEM-NUMBER SUBSYSTEM-NAME: strips, checks and copies
# one program with its hash.
ship() {
  local name=$1 built=$2 subsystem=$3 kind=$4
  "$strip" --strip-all -o "$work/$name" "$built"
  headers=$("$objdump" -p "$work/$name")
  grep -q 'file format pei-x86-64' <<<"$headers" || fail "$name: not a 64-bit Windows program"
  grep -Eq "^Subsystem[[:space:]]+0+$subsystem[[:space:]]" <<<"$headers" || fail "$name: not a Windows $kind program"
  if "$objdump" -h "$work/$name" | grep -q '\.debug'; then
    fail "$name: debug sections left after stripping"
  fi
  check_imports "$name"
}

release=$root/build/win64-release/src
ship Tallowin.exe "$release/ui/Tallowin.exe" 2 GUI
ship tallowin-cli.exe "$release/cli/tallowin-cli.exe" 3 console
for name in "${programs[@]}"; do
  cp "$work/$name" "$dist/$name"
  (cd "$dist" && sha256sum "$name" >"$name.sha256")
  size=$(stat -c %s "$dist/$name")
  echo "build/dist/$name: $size bytes ($(( (size + 1023) / 1024 )) KiB)"
  echo "SHA-256: $(cut -d ' ' -f 1 "$dist/$name.sha256")"
done
# The manifests name the program by its file name; DSC finds both on PATH.
for manifest in "${manifests[@]}"; do
  grep -q '"executable": "tallowin-cli.exe"' "$manifest" || fail "$(basename "$manifest"): does not run tallowin-cli.exe"
  cp "$manifest" "$dist/"
  echo "build/dist/$(basename "$manifest")"
done
