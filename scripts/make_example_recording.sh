#!/usr/bin/env bash
# Makes docs/pictures/recording.gif, the README's example of a recorded session: cubic_bezier
# in a real window under a private Xvfb, driven by xdotool, recorded with GFX_RECORD and
# rendered by scripts/render_recording.sh.
# Usage: scripts/make_example_recording.sh [BIN_DIR]   (default build/release/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export DEMO_BIN_DIR=${1:-$root/build/release/bin}
source "$root/tests/e2e/lib.sh"
e2e_start_xvfb
rec=$E2E_TMP/cubic_bezier.rec
GFX_RECORD=$rec e2e_launch cubic_bezier
e2e_wait_window "CURBELE BEZIER CUBICE"
sleep 0.5
for p in "150 420" "300 180" "480 430" "650 200"; do
    read -r x y <<<"$p"
    e2e_mouse_move "$x" "$y"; sleep 0.3
    e2e_key space; sleep 0.3
done
# Drag the second point with the left button, then its handle with the right one.
e2e_mouse_move 300 180; sleep 0.2
e2e_button_down 1
for i in $(seq 1 15); do e2e_mouse_move $((300 + i * 4)) $((180 - i * 6)); sleep 0.04; done
e2e_button_up 1
e2e_mouse_move 350 90; sleep 0.2
e2e_button_down 3
for i in $(seq 1 15); do e2e_mouse_move $((350 - i * 8)) $((90 + i * 3)); sleep 0.04; done
e2e_button_up 3
# Sweep the marker along the chain.
for x in $(seq 20 30 780); do e2e_mouse_move "$x" 560; sleep 0.04; done
sleep 0.3
e2e_key Escape
e2e_wait_exit
"$root/scripts/render_recording.sh" cubic_bezier "$rec" "$E2E_TMP/out" 12 "$DEMO_BIN_DIR" 50 </dev/null
cp "$E2E_TMP/out/cubic_bezier.gif" "$root/docs/pictures/recording.gif"
cp "$rec" "$root/docs/pictures/recording.rec"
echo "docs/pictures/recording.gif"
