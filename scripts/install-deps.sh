#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Tallowin need.
# Safe to run again: packages already present are skipped, and nothing is
# downloaded when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build make g++ googletest libgtest-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64
  xvfb xdotool x11-apps imagemagick fonts-noto-cjk
  libx11-dev
  python3-jsonschema python3-yaml
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet; an old list may name
# versions the mirror no longer holds.
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
