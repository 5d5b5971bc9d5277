#!/usr/bin/env bash
# circle_three_points in a real window under Xvfb: caption and client area, the first picture
# in palette colours, the pointer ring, a drag with the left button, Shift+left moving nothing,
# and exit code 0 after a key.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/circle_three_points" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/circle_three_points" ]] ||
    e2e_fail "report without a display: $err"

white="252 252 252"
yellow="252 252 0"
red="252 0 0"
light_green="156 252 124"
black="0 0 0"

# Takes screenshots until pixel X Y has the colour, for up to 5 s (the program draws on).
shot=$E2E_TMP/shot.png
wait_pixel() {  # X Y "R G B"
    local i
    for ((i = 0; i < 50; i++)); do
        e2e_screenshot "$shot"
        [[ $(e2e_pixel "$shot" "$1" "$2") == "$3" ]] && return 0
        sleep 0.1
    done
    e2e_fail "pixel ($1, $2) is $(e2e_pixel "$shot" "$1" "$2"), expected $3"
}

e2e_start_xvfb
e2e_launch circle_three_points
e2e_wait_window "CERC PRIN 3 PUNCTE"
e2e_expect_size 800 600

# The start: rings at (400, 300), (500, 300), (450, 200), the circle of radius 62 around
# (450, 262), yellow grid points inside it, the pointer ring light green inside the circle.
e2e_mouse_move 450 262
wait_pixel 460 262 "$light_green"
for p in "403 300" "503 300" "450 197" "512 262" "388 262" "450 200"; do
    e2e_expect_pixel "$shot" $p "$white"
done
e2e_expect_pixel "$shot" 420 240 "$yellow"
e2e_expect_pixel "$shot" 421 240 "$black"
e2e_expect_pixel "$shot" 420 200 "$black"
yellow_count=$(e2e_count_colour "$shot" 0 0 800 600 "$yellow")
# 766 grid points, less the few under the pointer ring and the white circle.
((yellow_count > 700 && yellow_count <= 766)) || e2e_fail "$yellow_count yellow grid points"

# Outside the circle the pointer ring is red.
e2e_mouse_move 100 100
wait_pixel 110 100 "$red"

# The left button pulls the nearest point, P[0], and drags it along. The program samples the
# mouse once a frame, so each state is held for a few frames.
e2e_mouse_move 100 300
e2e_button_down 1
sleep 0.3
e2e_mouse_move 150 300
sleep 0.3
e2e_button_up 1
wait_pixel 403 300 "$black"
e2e_expect_pixel "$shot" 153 300 "$white"

# Shift with the left button moves nothing.
e2e_mouse_move 300 500
e2e_key_down shift
e2e_button_down 1
sleep 0.3
e2e_button_up 1
e2e_key_up shift
wait_pixel 310 500 "$red"
e2e_expect_pixel "$shot" 153 300 "$white"
e2e_expect_pixel "$shot" 450 197 "$white"
e2e_expect_pixel "$shot" 303 500 "$black"

e2e_key a
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
echo "circle_three_points e2e: ok"
