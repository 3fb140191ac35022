#!/usr/bin/env bash
# Makes the fuzz seed files of other writers in fuzz/seeds/peers/: Wine's
# reg.exe and regedit.exe export keys holding the interop tests' sample
# values, and the seeds program (fuzz/peer_seeds.cpp) adds the other shapes
# of the same values. Runs in a throwaway Wine prefix, removed afterwards.
# The files are kept in the repository; run this again only when the sample
# values or the shapes change.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

cmake --preset win64 >/dev/null
cmake --build build/win64 -j "${FUZZ_BUILD_JOBS:-2}" --target tallowin_peer_fuzz_seeds

prefix=$(mktemp -d)
export TALLOWIN_WINEPREFIX=$prefix
trap 'bash scripts/wine-env.sh stop "$prefix" >/dev/null 2>&1; rm -rf "$prefix"' EXIT
bash scripts/wine-env.sh start "$prefix"
source scripts/wine-settings.sh

out=$root/fuzz/seeds/peers
rm -rf "$out"
mkdir -p "$out"
"$WINE_LOADER" build/win64/fuzz/tallowin_peer_fuzz_seeds.exe "$("$WINE_LOADER" winepath -w "$out" | tr -d '\r')"
ls -l "$out"
