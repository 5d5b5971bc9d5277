#!/usr/bin/env bash
# bspline in a real window under Xvfb: the caption and client area, the pink curve and the light
# green marker, the marker moving on, a drag of point 9 that the curve's end follows, and exit
# code 0 after a key.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/bspline" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/bspline" ]] ||
    e2e_fail "report without a display: $err"

pink="252 124 252"   # the palette entry nearest to pink (255,128,255)
green="156 252 124"  # and to light green (144,238,144)
white="252 252 252"

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

e2e_start_xvfb
e2e_launch bspline
e2e_wait_window "BSPLINE"
e2e_expect_size 800 600
# Away from the points, no button held; not at the screen centre, where the pointer already is
# (a move with --sync to the current position would wait in vain).
e2e_mouse_move 380 280

shot=$E2E_TMP/start.png
# The curve begins at the midpoint of points 0 and 1, about (160, 60).
n=$(shot_until "$shot" 154 54 13 13 "$pink" 6)
((n > 5)) || e2e_fail "start of the curve: $n pink pixels near (160, 60)"
# Point 9 at about (719, 539): a white circle.
n=$(e2e_count_colour "$shot" 714 534 11 11 "$white")
((n > 5)) || e2e_fail "point 9: $n white pixels near (719, 539)"
e2e_expect_eq "$(e2e_count_colour "$shot" 454 464 13 13 "$pink")" 0 "pink near (460, 470)"
# The marker: a circle of radius 40, about 250 pixels, wherever it is by now.
n=$(e2e_count_colour "$shot" 0 0 800 600 "$green")
((n > 150)) || e2e_fail "marker: $n light green pixels"
first_marker=$(convert "$shot" -fill black +opaque "rgb(156,252,124)" -trim -format "%X %Y" info:)

# It runs on: a second later it is elsewhere.
sleep 1
shot=$E2E_TMP/later.png
e2e_screenshot "$shot"
later_marker=$(convert "$shot" -fill black +opaque "rgb(156,252,124)" -trim -format "%X %Y" info:)
[[ $first_marker != "$later_marker" ]] || e2e_fail "the marker stayed at offset $first_marker"

# Drag point 9 to (760, 400): the end of the curve, the midpoint of points 8 and 9, follows
# to about (460, 470).
e2e_mouse_move 719 539
e2e_button_down 1
for p in "730 500" "745 450" "760 400"; do
    e2e_mouse_move $p
    sleep 0.1
done
shot=$E2E_TMP/dragged.png
n=$(shot_until "$shot" 454 464 13 13 "$pink" 6)
((n > 5)) || e2e_fail "end of the curve after the drag: $n pink pixels near (460, 470)"
n=$(e2e_count_colour "$shot" 755 395 11 11 "$white")
((n > 5)) || e2e_fail "point 9 after the drag: $n white pixels near (760, 400)"
e2e_button_up 1
# Released, the point stays where it was left.
e2e_mouse_move 380 280
sleep 0.3
e2e_screenshot "$shot"
n=$(e2e_count_colour "$shot" 755 395 11 11 "$white")
((n > 5)) || e2e_fail "point 9 after the release: $n white pixels near (760, 400)"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
echo "bspline e2e: ok"
exit 0
