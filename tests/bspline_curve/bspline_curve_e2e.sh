#!/usr/bin/env bash
# bspline_curve in a real window under Xvfb: the caption and client area, the points and the
# light green samples where they belong, a drag of point 7 that the curve's end follows, and
# exit code 0 after a key.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/bspline_curve" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/bspline_curve" ]] ||
    e2e_fail "report without a display: $err"

# Takes screenshots into FILE until the rectangle holds at least MIN pixels of COLOUR (a slow
# machine may take a moment to show the first frames or a drag), for up to 10 s; prints the
# last count.
shot_until() {  # FILE X Y W H "R G B" MIN
    local deadline=$((SECONDS + 10)) n
    while :; do
        e2e_screenshot "$1"
        n=$(e2e_count_colour "$1" "$2" "$3" "$4" "$5" "$6")
        if ((n >= $7 || SECONDS >= deadline)); then
            echo "$n"
            return
        fi
        sleep 0.2
    done
}

green="156 252 124"  # the palette entry nearest to light green (144,238,144)
white="252 252 252"

e2e_start_xvfb
e2e_launch bspline_curve
e2e_wait_window "CURBA B-SPLINE"
e2e_expect_size 800 600
# Park the pointer away from the points, with no button held (not at the screen centre, where
# it already is: a move with --sync to the current position would wait in vain).
e2e_mouse_move 380 280

shot=$E2E_TMP/start.png
# The first sample lies at about (546.1, 468.6), a circle of radius 3.
n=$(shot_until "$shot" 541 463 11 11 "$green" 11)
((n > 10)) || e2e_fail "first sample: $n light green pixels near (546, 469)"
# Point 0 at (629.5, 299.5): a white circle of radius 2; no curve there (point 0 has no part).
n=$(e2e_count_colour "$shot" 625 295 9 9 "$white")
((n > 5)) || e2e_fail "point 0: $n white pixels near (630, 300)"
e2e_expect_eq "$(e2e_count_colour "$shot" 600 270 60 60 "$green")" 0 "light green near point 0"
e2e_expect_eq "$(e2e_count_colour "$shot" 680 80 40 40 "$green")" 0 "light green near (700, 100)"

# Drag point 7, at about (562, 137), to (700, 100); the curve's end goes with it.
e2e_mouse_move 562 137
e2e_button_down 1
for p in "600 127" "640 115" "680 105" "700 100"; do
    e2e_mouse_move $p
    sleep 0.1
done
shot=$E2E_TMP/dragged.png
n=$(shot_until "$shot" 694 94 13 13 "$green" 11)
((n > 10)) || e2e_fail "last sample after the drag: $n light green pixels near (700, 100)"
n=$(e2e_count_colour "$shot" 696 96 9 9 "$white")
((n > 5)) || e2e_fail "point 7 after the drag: $n white pixels near (700, 100)"
e2e_expect_eq "$(e2e_count_colour "$shot" 552 127 21 21 "$green")" 0 "light green at point 7's old place"
e2e_button_up 1
# Released, the point stays where it was left.
e2e_mouse_move 380 280
sleep 0.3
e2e_screenshot "$shot"
n=$(e2e_count_colour "$shot" 696 96 9 9 "$white")
((n > 5)) || e2e_fail "point 7 after the release: $n white pixels near (700, 100)"

e2e_key a
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
echo "bspline_curve e2e: ok"
exit 0
