#!/usr/bin/env bash
# lagrange_interpolation in its real window under Xvfb: the caption and client area, white
# nodes and a light red curve, a new set on a key, the close box ignored, the end on Esc.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/lagrange_interpolation" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/lagrange_interpolation" ]] ||
    e2e_fail "report without a display: $err"

white="252 252 252"
light_red="252 124 124"

e2e_start_xvfb
e2e_launch lagrange_interpolation
e2e_wait_window "INTERPOLARE POLINOMIALA LAGRANGE"
e2e_expect_size 800 600

# Waits until the window shows something other than the picture FILE; the new one goes to OUT.
wait_new_picture() {  # FILE OUT
    local i
    for ((i = 0; i < 50; i++)); do
        e2e_screenshot "$2"
        if [[ $(e2e_count_colour "$2" 0 0 800 600 "$white") -gt 0 ]] && ! cmp -s "$1" "$2"; then return 0; fi
        sleep 0.1
    done
    e2e_fail "the window did not change"
}

first=$E2E_TMP/first.png
: >"$E2E_TMP/none.png"
wait_new_picture "$E2E_TMP/none.png" "$first"
# Ten circles of radius 2 (at most 16 pixels each, some covered by the curve) and the curve, which
# starts at the leftmost node and so shows at least there.
nodes=$(e2e_count_colour "$first" 0 0 800 600 "$white")
curve=$(e2e_count_colour "$first" 0 0 800 600 "$light_red")
e2e_note "first set: $nodes node pixels, $curve curve pixels"
((nodes >= 40 && nodes <= 160)) || e2e_fail "$nodes white pixels, expected ten small circles"
((curve >= 1)) || e2e_fail "no light red curve"
others=$(convert "$first" -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk -v a="$white" -v b="$light_red" '{ c = $1 " " $2 " " $3; if (c != a && c != b && c != "0 0 0") n++ } END { print n + 0 }')
e2e_expect_eq "$others" 0 "pixels in other colours"

# Any key but Esc: a new set on a cleared page.
e2e_key space
second=$E2E_TMP/second.png
wait_new_picture "$first" "$second"

# The close box queues two bytes: two more sets, and the program goes on.
if [[ -x $DEMO_BIN_DIR/x_close_request ]]; then
    "$DEMO_BIN_DIR/x_close_request" "$E2E_WIN" || e2e_fail "cannot send the close request"
    third=$E2E_TMP/third.png
    wait_new_picture "$second" "$third"
    sleep 0.3
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the close box ended the program"
else
    e2e_note "x_close_request is not built; the close box is not tried"
fi

e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
[[ ! -s $E2E_OUT && ! -s $E2E_ERR ]] || e2e_fail "the program wrote to the console"
echo "lagrange_interpolation e2e: ok"
