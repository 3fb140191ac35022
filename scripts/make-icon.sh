#!/usr/bin/env bash
# Draws the program's icon, src/ui/resources/tallowin.ico: a blue rounded
# square with a white per-cent sign, the mark around an environment
# variable's name (%PATH%). Each size is drawn at its own pixels rather than
# scaled down from the largest, so that the small ones stay sharp.
# Needs ImageMagick's convert (scripts/install-deps.sh installs it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/src/ui/resources/tallowin.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A length given as a fraction of the icon's size.
at() { awk -v size="$1" -v fraction="$2" 'BEGIN { printf "%.2f", size * fraction }'; }

draw() {
  local s=$1
  local edge corner border slash
  edge=$(at "$s" 0.97)
  corner=$(at "$s" 0.20)
  border=$(awk -v s="$s" 'BEGIN { w = s / 32; printf "%.2f", (w < 1 ? 1 : w) }')
  slash=$(at "$s" 0.12)
  convert -size "${s}x${s}" xc:none \
    -fill '#1F5FA8' -stroke '#123B6B' -strokewidth "$border" \
    -draw "roundrectangle $(at "$s" 0.03),$(at "$s" 0.03) $edge,$edge $corner,$corner" \
    -stroke none -fill white \
    -draw "circle $(at "$s" 0.32),$(at "$s" 0.32) $(at "$s" 0.32),$(at "$s" 0.45)" \
    -draw "circle $(at "$s" 0.68),$(at "$s" 0.68) $(at "$s" 0.68),$(at "$s" 0.81)" \
    -stroke white -strokewidth "$slash" -fill none \
    -draw "stroke-linecap round line $(at "$s" 0.74),$(at "$s" 0.24) $(at "$s" 0.26),$(at "$s" 0.76)" \
    -define png:exclude-chunks=date,time \
    "png32:$work/$s.png"
}

for size in 16 32 48 256; do draw "$size"; done
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" \
  -define png:exclude-chunks=date,time "$out"
echo "wrote $out"
