#!/usr/bin/env bash
# bezier_curve end to end: the real window under Xvfb. Drags control point 0 with the mouse,
# checks on screenshots that its ring and the start of the curve follow the pointer, then ends
# the program with a key and checks the exit code. The trace of the run gives the random
# starting points and confirms the last frame drew the curve from the new place.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/bezier_curve" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/bezier_curve" ]] ||
    e2e_fail "report without a display: $err"

light_blue="180 216 252"  # shown for (173,216,230)
red="252 0 0"             # shown for (255,0,0)

export GFX_TRACE=$E2E_TMP/trace.txt

# The control points as the first frame drew them: "x y" per line, point 0 first.
first_points() {
    awk '/^moveto/ { done = 1; exit } /^circle/ { print $2, $3 } END { exit !done }' "$GFX_TRACE"
}

# A place for point 0 that it can be dragged to in a straight line without passing within
# 30 pixels of another point (which would take the drag over) and whose ring stays inside
# the window; nothing when the points leave no such place.
drag_target() {  # POINTS
    awk '
        { x[NR - 1] = $1; y[NR - 1] = $2; n = NR }
        function clear(tx, ty,   k, vx, vy, l2, s, px, py) {
            for (k = 1; k < n; k++) {
                vx = tx - x[0]; vy = ty - y[0]; l2 = vx * vx + vy * vy
                s = ((x[k] - x[0]) * vx + (y[k] - y[0]) * vy) / l2
                if (s < 0) s = 0
                if (s > 1) s = 1
                px = x[0] + s * vx - x[k]; py = y[0] + s * vy - y[k]
                if (px * px + py * py <= 30 * 30) return 0
            }
            return 1
        }
        END {
            split("80 60 40", lens)
            for (li = 1; li <= 3; li++) for (dx = -1; dx <= 1; dx++) for (dy = -1; dy <= 1; dy++) {
                if (dx == 0 && dy == 0) continue
                f = lens[li] / sqrt(dx * dx + dy * dy)
                tx = int(x[0] + dx * f); ty = int(y[0] + dy * f)
                if (tx < 20 || tx > 779 || ty < 20 || ty > 579) continue
                if (clear(tx, ty)) { print tx, ty; exit }
            }
        }' <<<"$1"
}

# Waits until the program has drawn at least two whole frames after this call, so the pointer
# as it is now has been sampled and drawn, and that frame is on screen. The trace has one
# moveto per frame; its buffer lags by less than a frame.
wait_frames() {
    local want deadline=$((SECONDS + 20))
    want=$(($(grep -c '^moveto' "$GFX_TRACE") + 3))
    until (($(grep -c '^moveto' "$GFX_TRACE") >= want)); do
        ((SECONDS < deadline)) || e2e_fail "no new frames within 20 s"
        kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "bezier_curve ended during the drag"
        sleep 0.01
    done
}

# Ring pixels (light blue or red) in the 21 x 21 box around a point.
ring_pixels() {  # FILE X Y COLOUR
    e2e_count_colour "$1" $(($2 - 10)) $(($3 - 10)) 21 21 "$4"
}

is_white() {  # FILE X Y
    local r g b
    read -r r g b <<<"$(e2e_pixel "$1" "$2" "$3")"
    ((r == g && g == b && r >= 248))
}

e2e_start_xvfb

# Random points can leave point 0 boxed in; a new start gives new points.
target=""
for attempt in 1 2 3 4 5; do
    e2e_launch bezier_curve
    e2e_wait_window "CURBA BEZIER"
    e2e_expect_size 800 600
    for ((i = 0; i < 200; i++)); do
        points=$(first_points 2>/dev/null) && break
        sleep 0.1
    done
    [[ -n ${points:-} ]] || e2e_fail "the trace shows no first frame"
    target=$(drag_target "$points")
    [[ -n $target ]] && break
    e2e_note "attempt $attempt: no clear path for point 0, starting anew"
    e2e_key q
    e2e_wait_exit 10
    e2e_expect_eq "$E2E_EXIT" 0 "exit code"
done
[[ -n $target ]] || e2e_fail "no clear path for point 0 in five starts"
read -r x0 y0 <<<"$(head -n 1 <<<"$points")"
read -r tx ty <<<"$target"
e2e_note "$(wc -l <<<"$points") points; dragging point 0 from ($x0, $y0) to ($tx, $ty)"

# The pointer on point 0: its ring turns light blue; the curve starts there.
e2e_mouse_move "$x0" "$y0"
wait_frames
sleep 0.1
before=$E2E_TMP/before.png
e2e_screenshot "$before"
n=$(ring_pixels "$before" "$x0" "$y0" "$light_blue")
# A random point near the edge has part of its ring outside the window.
((n >= 20)) || e2e_fail "light blue ring around point 0 before the drag: $n pixels"
is_white "$before" "$x0" "$y0" || e2e_fail "the curve does not start on point 0 before the drag"

# Drag in small steps, each one drawn before the next, so point 0 stays the nearest throughout.
e2e_button_down 1
steps=20
for ((s = 1; s <= steps; s++)); do
    e2e_mouse_move $((x0 + (tx - x0) * s / steps)) $((y0 + (ty - y0) * s / steps))
    wait_frames
done
e2e_button_up 1
wait_frames
sleep 0.1
after=$E2E_TMP/after.png
e2e_screenshot "$after"
n=$(ring_pixels "$after" "$tx" "$ty" "$light_blue")
((n >= 40)) || e2e_fail "light blue ring at the new place: $n pixels"
is_white "$after" "$tx" "$ty" || e2e_fail "the curve does not start at the new place"
left=$(($(ring_pixels "$after" "$x0" "$y0" "$light_blue") + $(ring_pixels "$after" "$x0" "$y0" "$red")))
e2e_expect_eq "$left" 0 "ring pixels left at the old place"

# Any key ends the program.
e2e_key a
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
[[ ! -s $E2E_ERR ]] || e2e_fail "bezier_curve wrote to stderr"

# The last frame drew point 0 and the start of the curve at the new place.
e2e_expect_eq "$(tail -n 1 "$GFX_TRACE")" "close" "last trace line"
e2e_expect_eq "$(grep '^moveto' "$GFX_TRACE" | tail -n 1)" "moveto $tx $ty" "start of the last curve"
last_circle0=$(awk '/^clear/ { first = 1 } /^circle/ && first { c = $2 " " $3; first = 0 } END { print c }' "$GFX_TRACE")
e2e_expect_eq "$last_circle0" "$tx $ty" "point 0 in the last frame"
echo "bezier_curve e2e: ok"
