#!/usr/bin/env bash
# The window backend end to end: window_probe under Xvfb. Checks the report without a display,
# the caption and client area, the shown page in palette colours, mouse and key input as the
# program reads them, the close request, idle CPU use and the exit code.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# --- Without a display: one line that names the cause and the fix, and exit code 1.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$DEMO_BIN_DIR/window_probe" </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"xvfb-run -a $DEMO_BIN_DIR/window_probe" ]] ||
    e2e_fail "report without a display: $err"

e2e_start_xvfb
e2e_launch window_probe
e2e_wait_window PROBA
e2e_expect_size 800 600
e2e_wait_output ready

# --- The visual page (page 1), not the hidden decoy on page 2.
black="0 0 0"
light_red="252 84 84"
yellow="252 252 84"
green="0 168 0"
blue="0 0 168"
cyan="84 252 252"
shot=$E2E_TMP/probe.png
e2e_screenshot_when "$shot" 799 599 "$blue"  # the last pixel drawn
e2e_expect_eq "$(e2e_count_colour "$shot" 90 90 220 120 "$light_red")" 20000 "light red block, 200 x 100"
for p in 100,100 299,100 100,199 299,199; do e2e_expect_pixel "$shot" "${p%,*}" "${p#*,}" "$light_red"; done
for p in 99,150 300,150 200,99 200,200; do e2e_expect_pixel "$shot" "${p%,*}" "${p#*,}" "$black"; done
for p in 640,150 560,150 600,110 600,190; do e2e_expect_pixel "$shot" "${p%,*}" "${p#*,}" "$yellow"; done
e2e_expect_pixel "$shot" 600 150 "$black"
e2e_expect_eq "$(e2e_count_colour "$shot" 390 290 21 310 "$green")" 300 "green line x 400, y 300 ... 599"
e2e_expect_pixel "$shot" 400 599 "$green"
e2e_expect_pixel "$shot" 0 0 "$blue"
e2e_expect_pixel "$shot" 799 599 "$blue"
e2e_expect_eq "$(e2e_count_colour "$shot" 0 0 800 600 "$cyan")" 0 "pixels of the hidden page"
# White (255,255,255) is no entry: the nearest is a light grey the page shows instead.
read -r r g b <<<"$(e2e_pixel "$shot" 200 500)"
((r == g && g == b && r >= 248)) || e2e_fail "white line shows as ($r, $g, $b)"
e2e_expect_eq "$(e2e_count_colour "$shot" 90 495 220 11 "$r $g $b")" 200 "white line, 200 pixels"

# --- Mouse: position, buttons, Shift and Ctrl, a drag past the edge.
mouse() { e2e_wait_output "mouse $1"; }  # "X Y MASK": the next state the program prints
e2e_mark
e2e_mouse_move 120 80
mouse "120 80 0"
e2e_button_down 1
mouse "120 80 1"
e2e_mouse_move 130 90
mouse "130 90 1"
e2e_mouse_move -3 -5  # outside the client area, button held: low 16 bits of -3 and -5
mouse "65533 65531 1"
e2e_mouse_move 810 620
mouse "810 620 1"
e2e_mouse_move 200 150
mouse "200 150 1"
e2e_button_up 1
mouse "200 150 0"
e2e_button_down 3
mouse "200 150 2"
e2e_button_down 2
mouse "200 150 6"
e2e_button_up 3
mouse "200 150 4"
e2e_button_up 2
mouse "200 150 0"
e2e_key_down shift
e2e_button_down 1
mouse "200 150 9"
e2e_key_down ctrl
e2e_mouse_move 201 150
mouse "201 150 25"
e2e_key_up shift
e2e_button_up 1
mouse "201 150 16"
e2e_key_up ctrl
e2e_mouse_move 202 151
mouse "202 151 0"

# --- Keys as the bytes the program reads.
from=$(e2e_line_count)
e2e_key a Return Escape F1 Up alt+d
e2e_wait_output "key 32"
# The close box: a WM_DELETE_WINDOW request, and Alt+F4, which a window manager would turn into
# the same request. Neither closes the window.
[[ -x $DEMO_BIN_DIR/x_close_request ]] || e2e_fail "x_close_request is not built (needs libx11-dev)"
"$DEMO_BIN_DIR/x_close_request" "$E2E_WIN" || e2e_fail "cannot send the close request"
e2e_wait_output "key 107"
e2e_key alt+F4
e2e_wait_output "key 0"
e2e_wait_output "key 107"
sleep 0.3
keys=$(e2e_lines_from "$from" | grep '^key ' | cut -d' ' -f2 | xargs)
e2e_expect_eq "$keys" "97 13 27 0 59 0 72 0 32 0 107 0 107" "key bytes"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the close request ended the program"
xwininfo -id "$E2E_WIN" >/dev/null 2>&1 || e2e_fail "the close request destroyed the window"

# --- Idle: a polling loop, then a blocking key read, use little CPU.
cpu=$(e2e_cpu_percent 2)
e2e_note "CPU while polling: $cpu % of one core"
((cpu < 25)) || e2e_fail "polling loop uses $cpu % of a core"
e2e_mark
e2e_key b
e2e_wait_output "key 98"
cpu=$(e2e_cpu_percent 2)
e2e_note "CPU in a blocking key read: $cpu % of one core"
((cpu < 25)) || e2e_fail "blocking key read uses $cpu % of a core"

# --- The end.
e2e_key q
e2e_wait_output "key 113"
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
[[ ! -s $E2E_ERR ]] || e2e_fail "the probe wrote to stderr"
echo "window_probe e2e: ok"
