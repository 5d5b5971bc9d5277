#!/usr/bin/env bash
# A session recorded in the real window (GFX_RECORD) and replayed headless draws the same
# pixels: the window's screenshot at the end of the session equals the replay's last picture.
# Then the recording is turned into frames and an animated GIF.
source "$E2E_LIB"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_start_xvfb

# Replays RECORDING on PROGRAM headless; its last picture must equal SHOT pixel for pixel.
expect_same_as_replay() {  # PROGRAM RECORDING SHOT
    local dir=$E2E_TMP/replay_$1
    mkdir -p "$dir"
    local code=0
    GFX_BACKEND=headless GFX_SCRIPT=$2 GFX_PNG_DIR=$dir GFX_PNG_FRAMES=end \
        timeout 60 "$DEMO_BIN_DIR/$1" </dev/null >/dev/null 2>"$dir/stderr" || code=$?
    e2e_expect_eq "$code" 0 "$1: exit code of the replay"
    local diff
    diff=$(compare -metric AE "$3" "$dir/end.png" "$dir/diff.png" 2>&1 || true)
    e2e_expect_eq "$diff" 0 "$1: pixels that differ between the window and the replay"
}

# Waits until the window shows something: a slow start (a sanitizer build) must not swallow
# the input that follows.
wait_drawn() {  # WHAT
    local shot=$E2E_TMP/drawn.png deadline=$((SECONDS + 60))
    until e2e_screenshot "$shot" && [[ $(convert "$shot" -format '%[fx:maxima>0]' info:) == 1 ]]; do
        ((SECONDS < deadline)) || e2e_fail "$1 drew nothing in 60 s"
        sleep 0.2
    done
}

# bezier_curve: a drag with the left button, then the pointer rests.
rec1=$E2E_TMP/bezier_curve.rec
GFX_RECORD=$rec1 e2e_launch bezier_curve
e2e_wait_window "CURBA BEZIER"
wait_drawn bezier_curve
e2e_mouse_move 100 100
sleep 0.3
e2e_button_down 1
for i in $(seq 1 12); do e2e_mouse_move $((100 + i * 25)) $((100 + i * 15)); sleep 0.05; done
e2e_button_up 1
e2e_mouse_move 600 500
sleep 0.5
e2e_screenshot "$E2E_TMP/bezier_curve.png"
e2e_key q
e2e_wait_exit
e2e_expect_eq "$E2E_EXIT" 0 "bezier_curve exit code"
grep -q '^seed ' "$rec1" || e2e_fail "the recording holds no seed"
grep -qE '^[0-9]+ [0-9]+ 1( |$)' "$rec1" || e2e_fail "the recording holds no frame with the left button"
expect_same_as_replay bezier_curve "$rec1" "$E2E_TMP/bezier_curve.png"

# lagrange_interpolation: passes seeded from the clock, a new set on a key, waits in read key.
rec2=$E2E_TMP/lagrange.rec
GFX_RECORD=$rec2 e2e_launch lagrange_interpolation
e2e_wait_window "INTERPOLARE POLINOMIALA LAGRANGE"
wait_drawn lagrange_interpolation
sleep 0.3
e2e_key space
sleep 0.3
e2e_key Right
sleep 0.5
e2e_screenshot "$E2E_TMP/lagrange.png"
e2e_key Escape
e2e_wait_exit
e2e_expect_eq "$E2E_EXIT" 0 "lagrange_interpolation exit code"
[ "$(grep -c '^seed ' "$rec2")" -ge 3 ] || e2e_fail "expected a seed for each of the three passes"
expect_same_as_replay lagrange_interpolation "$rec2" "$E2E_TMP/lagrange.png"

# The recording as an animation.
"$root/scripts/render_recording.sh" bezier_curve "$rec1" "$E2E_TMP/anim" 10 "$DEMO_BIN_DIR" \
    </dev/null >/dev/null 2>"$E2E_TMP/render.log" || { cat "$E2E_TMP/render.log" >&2; e2e_fail "render_recording failed"; }
[ -s "$E2E_TMP/anim/bezier_curve.gif" ] || e2e_fail "no GIF"
frames=$(identify "$E2E_TMP/anim/bezier_curve.gif" | wc -l)
[ "$frames" -ge 10 ] || e2e_fail "the GIF has only $frames frames"
echo "record_replay: OK"
