#!/usr/bin/env bash
# bezier_path end to end: the real window under Xvfb, four points placed with the left
# button, the construction view, the right button to the road view, Esc and exit code 0.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/bezier_path" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/bezier_path" ]] ||
    e2e_fail "report without a display: $err"

black="0 0 0"
white="252 252 252"  # the palette entry nearest to (255,255,255) and to light cyan
light_red="252 124 124"
grey="168 168 168"

# The picture changes only while a button is down: hold each one long enough for frames.
press() {  # BUTTON X Y
    e2e_mouse_move "$2" "$3"
    e2e_button_down "$1"
    sleep 0.3
    e2e_button_up "$1"
    sleep 0.2
}

e2e_start_xvfb
e2e_launch bezier_path
e2e_wait_window "DRUM BEZIER"
e2e_expect_size 800 600

shot=$E2E_TMP/empty.png
e2e_screenshot "$shot"
e2e_expect_eq "$(e2e_count_colour "$shot" 0 0 800 600 "$black")" 480000 "black page before a press"

# The corners of a square; each press on empty space adds a point.
press 1 100 100
press 1 500 100
press 1 500 400
press 1 100 400
shot=$E2E_TMP/construction.png
e2e_screenshot "$shot"
for p in "103 100" "503 100" "503 400" "103 400"; do e2e_expect_pixel "$shot" $p "$light_red"; done
for p in "110 100" "500 110" "490 400" "100 390"; do e2e_expect_pixel "$shot" $p "$white"; done
e2e_expect_pixel "$shot" 300 100 "$white"  # the curve touches the top edge in its middle
e2e_expect_pixel "$shot" 300 250 "$black"
e2e_expect_pixel "$shot" 650 250 "$black"

# A drag: grab the corner at (500, 400) and move it; the left button stays down meanwhile.
e2e_mouse_move 505 395
e2e_button_down 1
sleep 0.2
e2e_mouse_move 600 500
sleep 0.3
e2e_button_up 1
sleep 0.2
shot=$E2E_TMP/dragged.png
e2e_screenshot "$shot"
e2e_expect_pixel "$shot" 603 500 "$light_red"
e2e_expect_pixel "$shot" 503 400 "$black"

# The road view: a grey band along the path, no points, no polygon.
press 3 700 300
shot=$E2E_TMP/road.png
e2e_screenshot "$shot"
e2e_expect_eq "$(e2e_count_colour "$shot" 0 0 800 600 "$light_red")" 0 "light red in the road view"
e2e_expect_pixel "$shot" 300 120 "$grey"
e2e_expect_pixel "$shot" 300 80 "$grey"
grey_count=$(e2e_count_colour "$shot" 0 0 800 600 "$grey")
((grey_count > 40000)) || e2e_fail "road of $grey_count grey pixels"
e2e_expect_pixel "$shot" 300 250 "$black"

# Back to the construction view with the right button again (elsewhere: a move to where the
# pointer already is would wait for a motion that never comes).
press 3 720 320
shot=$E2E_TMP/back.png
e2e_screenshot "$shot"
e2e_expect_eq "$(e2e_count_colour "$shot" 0 0 800 600 "$grey")" 0 "grey in the construction view"
e2e_expect_pixel "$shot" 103 100 "$light_red"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
