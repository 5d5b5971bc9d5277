#!/usr/bin/env bash
# Turns a recording (GFX_RECORD) into PNG frames and an animated GIF at a chosen frame rate,
# by replaying it with the headless backend.
# Usage: scripts/render_recording.sh PROGRAM RECORDING OUT_DIR [FPS] [BIN_DIR] [SCALE]
#   PROGRAM    the demo that was recorded, e.g. bezier_curve
#   OUT_DIR    gets frames/00001.png ... and PROGRAM.gif
#   FPS        frames per second of the animation (default 10)
#   BIN_DIR    where the demo is built (default build/release/bin)
#   SCALE      size of the GIF in percent of the window (default 100); the PNGs stay full size
# A program that reads the console (regression) gets the same answers on standard input:
#   scripts/render_recording.sh regression rec.txt out 10 < answers.txt
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 3 ] || { sed -n 2,12p "$0" >&2; exit 2; }
program=$1 recording=$2 out=$3 fps=${4:-10} bin=${5:-$root/build/release/bin} scale=${6:-100}
[ -x "$bin/$program" ] || { echo "no program $bin/$program; build it first (cmake --build --preset release)" >&2; exit 1; }
[ -f "$recording" ] || { echo "no recording $recording" >&2; exit 1; }
command -v convert >/dev/null || { echo "needs ImageMagick's convert: apt-get install imagemagick" >&2; exit 1; }

# Which frame stands on screen at each tick of the animation: a line "# t=MS" gives the time
# of the script line after it; the frames of a repeated line are spread evenly up to the next.
picks=$(awk -v fps="$fps" '
  /^# t=/ { t = substr($2, 3) + 0; next }
  /^#/ || /^seed / || NF == 0 { next }
  {
    n = 1
    for (i = 1; i <= NF; i++) { if ($i == ":") break; if ($i ~ /^x[0-9]+$/) n = substr($i, 2) + 0 }
    start[++lines] = t; count[lines] = n
  }
  END {
    frame = 0
    for (l = 1; l <= lines; l++) {
      next_t = (l < lines) ? start[l + 1] : start[l] + 1000 / fps
      for (i = 0; i < count[l]; i++) { ftime[++frame] = start[l] + (next_t - start[l]) * i / count[l] }
    }
    if (frame == 0) exit
    step = 1000 / fps; f = 1
    for (k = 0; k * step <= ftime[frame]; k++) {
      while (f < frame && ftime[f + 1] <= k * step) f++
      printf "%d\n", f
    }
  }' "$recording")
[ -n "$picks" ] || { echo "the recording holds no frames" >&2; exit 1; }
total=$(echo "$picks" | wc -l)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
list=$(echo "$picks" | sort -n -u | paste -sd, -)
stdin=/dev/stdin
[ -t 0 ] && stdin=/dev/null
GFX_BACKEND=headless GFX_SCRIPT="$recording" GFX_PNG_DIR="$tmp" GFX_PNG_FRAMES="$list,end" \
  "$bin/$program" <"$stdin" >/dev/null 2>"$tmp/stderr" &
pid=$!
wanted=$(echo "$list" | tr ',' '\n' | wc -l)
while kill -0 "$pid" 2>/dev/null; do
  printf '\rreplaying: %d of %d pictures' "$(find "$tmp" -name 'frame_*.png' | wc -l)" "$wanted" >&2
  sleep 1
done
code=0
wait "$pid" || code=$?
printf '\rreplaying: %d of %d pictures\n' "$(find "$tmp" -name 'frame_*.png' | wc -l)" "$wanted" >&2
# 0: the program ended as recorded; 3: the recording stopped first (it ends with the window).
if [ "$code" -ne 0 ] && [ "$code" -ne 3 ]; then
  echo "the replay failed (exit code $code):" >&2
  cat "$tmp/stderr" >&2
  exit 1
fi

mkdir -p "$out/frames"
rm -f "$out"/frames/*.png
# frames/NNNNN.png: one picture per tick of the animation. The GIF holds each run of equal
# pictures once, shown for as many ticks as the run is long.
tick=$(awk -v fps="$fps" 'BEGIN { printf "%d", 100 / fps + 0.5 }')  # centiseconds
k=0
last="" last_sum="" gif_args=() run=0
flush() {
    [ "$run" -gt 0 ] && gif_args+=(-delay $((run * tick)) "$last_frame")
    run=0
}
for f in $picks; do
    k=$((k + 1))
    src=$(printf '%s/frame_%05d.png' "$tmp" "$f")
    [ -f "$src" ] || src=$last
    [ -n "$src" ] || continue
    dst=$(printf '%s/frames/%05d.png' "$out" "$k")
    cp "$src" "$dst"
    sum=$(md5sum <"$src")
    if [ "$sum" != "$last_sum" ]; then
        flush
        last_frame=$dst
        last_sum=$sum
    fi
    run=$((run + 1))
    last=$src
    [ $((k % 50)) -eq 0 ] && printf '\rframes: %d of %d' "$k" "$total" >&2
done
flush
printf '\rframes: %d of %d (%d different)\n' "$k" "$total" $((${#gif_args[@]} / 3)) >&2
echo "making $out/$program.gif" >&2
if ! convert "${gif_args[@]}" -loop 0 +dither -resize "$scale%" -layers Optimize "$out/$program.gif"; then
    echo "ImageMagick could not make the GIF; a lower FPS or SCALE needs less memory" >&2
    exit 1
fi
echo "$out/$program.gif"
