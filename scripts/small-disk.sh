#!/usr/bin/env bash
# The fault suite's small disk: a 1 MB tmpfs that the test prefix sees as
# drive T:, so that a write fills it for real.
#   small-disk.sh mount DIR     mount it at DIR (again, if a run left it)
#                               and map T: of the prefix to it
#   small-disk.sh unmount DIR   remove the mapping and unmount
# Mounting needs root (or sudo without a password). Where it is refused the
# mount step says so and succeeds all the same: without a T: of 1 MB the
# suite makes the full disk at its file port, and its figure says that.
set -uo pipefail
action=${1:?usage: small-disk.sh mount|unmount DIR}
dir=${2:?usage: small-disk.sh mount|unmount DIR}
source "$(dirname "${BASH_SOURCE[0]}")/wine-settings.sh"
drive=$WINEPREFIX/dosdevices/t:

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

unmount() {
  rm -f "$drive"
  if mountpoint -q "$dir" 2>/dev/null; then as_root umount "$dir"; fi
}

case "$action" in
  mount)
    unmount
    mkdir -p "$dir"
    if ! as_root mount -t tmpfs -o size=1m,mode=0777 tallowin-small-disk "$dir"; then
      echo "small disk: mounting refused; the suite makes the full disk at its file port"
      exit 0
    fi
    ln -s "$dir" "$drive"
    echo "small disk: $(df -h --output=size "$dir" | tail -n 1 | tr -d ' ') at $dir, drive T:"
    ;;
  unmount)
    unmount
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
