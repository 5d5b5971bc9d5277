#!/usr/bin/env bash
# bezier_eight end to end: the real window under Xvfb with its starting picture, a drag with
# the left button, and a key that ends it with exit code 0.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/bezier_eight" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/bezier_eight" ]] ||
    e2e_fail "report without a display: $err"

black="0 0 0"
white="252 252 252"  # the palette entry nearest to (255,255,255)
light_red="252 124 124"

e2e_start_xvfb
e2e_launch bezier_eight
e2e_wait_window "CURBA BEZIER"
e2e_expect_size 800 600

# The window may appear before its first frame is shown: wait for the picture.
shot=$E2E_TMP/start.png
for ((i = 0; i < 50; i++)); do
    e2e_screenshot "$shot"
    [[ $(e2e_pixel "$shot" 242 60) == "$white" ]] && break
    sleep 0.1
done
e2e_expect_pixel "$shot" 242 60 "$white"      # the circle of point 1
e2e_expect_pixel "$shot" 561 419 "$white"     # the circle of point 6
e2e_expect_pixel "$shot" 247 140 "$light_red" # the curve at t = 1/3
red=$(e2e_count_colour "$shot" 0 0 800 600 "$light_red")
((red > 400)) || e2e_fail "curve of $red light red pixels"
e2e_expect_pixel "$shot" 700 550 "$black"

# Hold the left button far from every point: point 6, the nearest, jumps to the pointer.
e2e_mouse_move 700 550
e2e_button_down 1
sleep 0.3
e2e_button_up 1
e2e_mouse_move 400 500
sleep 0.3
shot=$E2E_TMP/dragged.png
e2e_screenshot "$shot"
e2e_expect_pixel "$shot" 702 550 "$white"
e2e_expect_pixel "$shot" 561 419 "$black"
e2e_expect_pixel "$shot" 242 60 "$white"

e2e_key a
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
