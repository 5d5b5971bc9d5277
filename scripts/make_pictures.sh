#!/usr/bin/env bash
# Regenerates the README pictures: each docs/pictures/NAME.script is run headless on the built
# program NAME, and the visual page at the end of the run becomes docs/pictures/NAME.png.
# Optional beside it: NAME.stdin (standard input), NAME.seed (the fixed seed; default 1).
# Usage: scripts/make_pictures.sh [BIN_DIR] [NAME...]   (BIN_DIR defaults to build/release/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/release/bin}
shift || true
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for s in "$root"/docs/pictures/*.script; do names+=("$(basename "$s" .script)"); done
fi
for name in "${names[@]}"; do
  script=$root/docs/pictures/$name.script
  [ -f "$script" ] || { echo "no $script" >&2; exit 1; }
  tmp=$(mktemp -d)
  seed=1
  [ -f "$root/docs/pictures/$name.seed" ] && seed=$(cat "$root/docs/pictures/$name.seed")
  stdin=/dev/null
  [ -f "$root/docs/pictures/$name.stdin" ] && stdin=$root/docs/pictures/$name.stdin
  code=0
  GFX_BACKEND=headless GFX_SCRIPT=$script GFX_SEED=$seed GFX_PNG_DIR=$tmp GFX_PNG_FRAMES=end \
    "$bin/$name" <"$stdin" >/dev/null || code=$?
  if [ ! -f "$tmp/end.png" ]; then
    echo "$name: no picture (exit code $code)" >&2
    exit 1
  fi
  cp "$tmp/end.png" "$root/docs/pictures/$name.png"
  rm -rf "$tmp"
  echo "docs/pictures/$name.png"
done
