#!/usr/bin/env bash
# circle_fit in a real window under Xvfb: caption and client area, the cloud in light blue,
# Esc at the first wait showing the circle without ending, a key at the second wait starting a
# new pass on a cleared page, and exit code 0 after Esc at the second wait. The clouds come
# from the clock, so the program's trace tells where they were.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/circle_fit" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/circle_fit" ]] ||
    e2e_fail "report without a display: $err"

light_blue="180 216 252"
light_red="252 124 124"

# Takes screenshots into FILE until it holds more than MIN pixels of the colour (5 s at most).
wait_colour() {  # FILE "R G B" MIN
    local i n
    for ((i = 0; i < 50; i++)); do
        e2e_screenshot "$1"
        n=$(e2e_count_colour "$1" 0 0 800 600 "$2")
        ((n > $3)) && return 0
        sleep 0.1
    done
    e2e_fail "$1 has $n pixels of ($2), expected more than $3"
}

e2e_start_xvfb
export GFX_TRACE=$E2E_TMP/trace.txt
e2e_launch circle_fit
e2e_wait_window "APROXIMARE CERC PRIN N PUNCTE"
e2e_expect_size 800 600

# Pass 1: the cloud alone, then Esc at the first wait: the circle appears, the program goes on.
wait_colour "$E2E_TMP/cloud1.png" "$light_blue" 20
e2e_expect_eq "$(e2e_count_colour "$E2E_TMP/cloud1.png" 0 0 800 600 "$light_red")" 0 "light red before the key"
e2e_key Escape
wait_colour "$E2E_TMP/fit1.png" "$light_red" 0
sleep 0.3
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Esc at the first wait ended the program"

# A key at the second wait: pass 2 starts from a cleared page with a new cloud.
e2e_key space
sleep 0.5
wait_colour "$E2E_TMP/cloud2.png" "$light_blue" 20
e2e_expect_eq "$(e2e_count_colour "$E2E_TMP/cloud2.png" 0 0 800 600 "$light_red")" 0 "light red after the new pass began"
e2e_key space
wait_colour "$E2E_TMP/fit2.png" "$light_red" 0
e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"

# Each ring of a cloud has its pixel 2 to the right of its point in light blue.
# The trace: each pass from its seed on, a light blue colour before every ring.
check_rings() {  # PASS FILE
    local x y checked=0
    while read -r x y; do
        ((x + 2 <= 799)) || continue
        e2e_expect_pixel "$2" $((x + 2)) "$y" "$light_blue"
        checked=$((checked + 1))
    done < <(awk -v pass="$1" '
        /^seed / { p++ }
        /^colour / { blue = ($0 == "colour 173 216 230") }
        p == pass && blue && /^circle / { print $2, $3 }' "$GFX_TRACE")
    ((checked >= 1)) || e2e_fail "no ring of pass $1 to check"
}
check_rings 1 "$E2E_TMP/cloud1.png"
check_rings 2 "$E2E_TMP/cloud2.png"
echo "circle_fit e2e: ok"
