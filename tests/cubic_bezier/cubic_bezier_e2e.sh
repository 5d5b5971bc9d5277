#!/usr/bin/env bash
# cubic_bezier end to end: the real window under Xvfb, points placed with the space bar and
# Alt+D, one dragged with the left button, a handle end with the right, the marker moved with
# the pointer, screenshots checked, Esc and exit code 0.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/cubic_bezier" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/cubic_bezier" ]] ||
    e2e_fail "report without a display: $err"

# The palette entries nearest to the program's colours, as the window shows them.
white="252 252 252"
black="0 0 0"
red="252 0 0"
light_blue="180 216 252"
light_green="156 252 124"

# Lets the frame loop (60 frames a second in Xvfb) take the input and show it.
settle() { sleep 0.4; }

e2e_start_xvfb
e2e_launch cubic_bezier
e2e_wait_window "CURBELE BEZIER CUBICE"
e2e_expect_size 800 600
e2e_mouse_move 700 550
settle

# --- Empty chain: only the message, white, centred on x = 399 above y = 299.
shot=$E2E_TMP/empty.png
e2e_screenshot "$shot"
msg=$(e2e_count_colour "$shot" 200 280 400 20 "$white")
((msg > 200)) || e2e_fail "the empty-chain message shows $msg white pixels"
e2e_expect_eq "$(e2e_count_colour "$shot" 0 0 800 600 "$white")" "$msg" "white pixels outside the message"

# --- Three points: space, space, Alt+D.
e2e_mouse_move 200 300
settle
e2e_key space
settle
e2e_mouse_move 400 200
settle
e2e_key space
settle
e2e_mouse_move 600 300
settle
e2e_key alt+d
settle

# Drag point 2 from (400, 200) to (400, 420) with the left button.
e2e_mouse_move 400 200
settle
e2e_button_down 1
settle
e2e_mouse_move 400 420
settle
e2e_button_up 1
settle
# Drag the handle end of point 3, (590, 300), to (650, 200) with the right button.
e2e_mouse_move 590 300
settle
e2e_button_down 3
settle
e2e_mouse_move 650 200
settle
e2e_button_up 3
# The pointer at the left edge puts the marker on point 1.
e2e_mouse_move 0 500
settle

shot=$E2E_TMP/chain.png
e2e_screenshot "$shot"
e2e_expect_eq "$(e2e_count_colour "$shot" 200 280 400 12 "$white")" 0 "message pixels once there are points"
# Point 2 now at (400, 420): the top and left of its white circle; nothing left at (400, 200).
e2e_expect_pixel "$shot" 400 416 "$white"
e2e_expect_pixel "$shot" 396 420 "$white"
e2e_expect_eq "$(e2e_count_colour "$shot" 380 180 40 40 "$white")" 0 "white pixels where point 2 was"
# Point 1 keeps its handle end 10 pixels to its left.
e2e_expect_pixel "$shot" 190 300 "$white"
# The handle line of point 3 now leans up to (650, 200).
e2e_expect_pixel "$shot" 650 200 "$white"
e2e_expect_pixel "$shot" 625 250 "$white"
# Red crosses on the chain: the cross at point 1 reaches from x = 197 to 204.
e2e_expect_pixel "$shot" 203 300 "$red"
e2e_expect_pixel "$shot" 197 300 "$red"
crosses=$(e2e_count_colour "$shot" 0 0 800 600 "$red")
((crosses > 300)) || e2e_fail "only $crosses red pixels of crosses"
# The light green marker circle of radius 2 around point 1, and its label below right.
e2e_expect_pixel "$shot" 202 300 "$light_green"
e2e_expect_pixel "$shot" 200 298 "$light_green"
label=$(e2e_count_colour "$shot" 220 292 200 19 "$light_green")
((label > 40)) || e2e_fail "the marker label shows $label green pixels"
# The light blue polyline shows between the crosses; the rest is black.
chain=$(e2e_count_colour "$shot" 0 0 800 600 "$light_blue")
((chain > 150)) || e2e_fail "only $chain light blue pixels of the chain"
e2e_expect_pixel "$shot" 0 0 "$black"
e2e_expect_pixel "$shot" 400 200 "$black"

# The frame loop follows the display's pace instead of burning a core.
cpu=$(e2e_cpu_percent 2)
((cpu < 50)) || e2e_fail "cubic_bezier uses $cpu % of a core while idle"

# --- Esc ends the program with exit code 0.
e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
echo "cubic_bezier e2e: passed"
