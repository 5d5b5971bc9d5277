#!/usr/bin/env bash
# Runs every benchmark case and every README picture scenario in two builds and compares the
# pictures of the visual page at many frames, byte for byte: a speed change to the layer must
# not change one drawn pixel.
# Usage: bench/same_pixels.sh OLD_BIN_DIR NEW_BIN_DIR
#   (NEW_BIN_DIR holds frames_bench; both hold the ten programs)
set -euo pipefail
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

frames=1,2,3,4,5,10,20,50,99,100,101,102,150,200,300,400,500,516,517,518,519,520,530,550,600,616,617,end

# run BIN_DIR PROGRAM SCRIPT STDIN SEED OUT_DIR
run() {
  mkdir -p "$6"
  local seed_env=()
  [ -n "$5" ] && seed_env=(GFX_SEED="$5")
  env GFX_BACKEND=headless GFX_SCRIPT="$3" GFX_PNG_DIR="$6" GFX_PNG_FRAMES=$frames \
    "${seed_env[@]}" "$1/$2" < "$4" > /dev/null 2>&1 || echo "exit $?" > "$6/exit"
}

# compare NAME PROGRAM SCRIPT STDIN SEED
compare() {
  run "$old" "$2" "$3" "$4" "$5" "$work/old/$1"
  run "$new" "$2" "$3" "$4" "$5" "$work/new/$1"
  if [ -e "$work/old/$1/exit" ] || [ -e "$work/new/$1/exit" ]; then
    echo "FAILED    $1: $(cat "$work/old/$1/exit" 2>/dev/null) / $(cat "$work/new/$1/exit" 2>/dev/null)"
    status=1
  elif diff -r -q "$work/old/$1" "$work/new/$1" > /dev/null; then
    echo "same      $1 ($(find "$work/new/$1" -name '*.png' | wc -l) pictures)"
  else
    echo "DIFFERENT $1"
    diff -r -q "$work/old/$1" "$work/new/$1" | head -5 || true
    status=1
  fi
}

status=0
"$new/frames_bench" --export="$work/cases"
for d in "$work"/cases/*/; do
  name=$(basename "$d")
  compare "$name" "$(cat "$d/program")" "$d/script" "$d/stdin" "$(cat "$d/seed")"
done
for s in "$root"/docs/pictures/*.script; do
  [ -e "$s" ] || continue
  p=$(basename "$s" .script)
  seed=""
  [ -f "${s%.script}.seed" ] && seed=$(cat "${s%.script}.seed")
  input=/dev/null
  [ -f "${s%.script}.stdin" ] && input="${s%.script}.stdin"
  [ -x "$old/$p" ] && compare "picture_$p" "$p" "$s" "$input" "$seed"
done
exit $status
