# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by the scripts that source this
# End-to-end kit: sourced by the scripts that start a program's real window under a private
# Xvfb and drive it with xdotool. Every wait has a timeout, so no test can hang; the first
# failed check ends the script with exit code 1 and shows what the program printed.
#
#   source "$E2E_LIB"
#   e2e_start_xvfb
#   e2e_launch bezier_curve            # or: e2e_launch regression input.txt (its stdin)
#   e2e_wait_window "Curba Bezier"     # sets E2E_WIN, checks nothing else
#   e2e_expect_size 800 600
#   e2e_mouse_move 120 80; e2e_button_down 1; ...; e2e_key Escape
#   e2e_screenshot_when shot.png 10 10 "252 252 252"; e2e_count_colour shot.png 0 0 800 600 "0 0 0"
#   e2e_wait_exit; e2e_expect_eq "$E2E_EXIT" 0 "exit code"
#
# Coordinates are relative to the window's client area; colours are "R G B" in 0 ... 255.
# Needs: Xvfb, xdotool, xwininfo (x11-utils), ImageMagick (import, convert).

set -euo pipefail

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/e2e.XXXXXX")
E2E_XVFB_PID=""
E2E_PID=""      # the program under test
E2E_NAME=""
E2E_OUT=""      # its standard output and error, as files
E2E_ERR=""
E2E_WIN=""      # its window id
E2E_WIN_X=0     # the window's position on the screen
E2E_WIN_Y=0
E2E_MARK=0      # e2e_wait_output looks at the program's output after this many lines
E2E_EXIT=""     # the program's exit code, set by e2e_wait_exit

# Mesa's software GL (what a window gets under Xvfb) syncs its worker threads in ways the
# thread sanitizer cannot see; its reports there are not about our code.
printf 'race:swrast_dri.so\nrace:libgallium\n' >"$E2E_TMP/tsan.supp"
export TSAN_OPTIONS="${TSAN_OPTIONS:+$TSAN_OPTIONS:}suppressions=$E2E_TMP/tsan.supp"

e2e_cleanup() {
    if [[ -n $E2E_PID ]] && kill -0 "$E2E_PID" 2>/dev/null; then kill -9 "$E2E_PID" 2>/dev/null || true; fi
    if [[ -n $E2E_XVFB_PID ]]; then kill "$E2E_XVFB_PID" 2>/dev/null || true; fi
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_note() { echo "e2e: $*" >&2; }

e2e_fail() {
    echo "FAIL: $*" >&2
    if [[ -n $E2E_OUT && -s $E2E_OUT ]]; then echo "--- $E2E_NAME stdout (last lines)" >&2; tail -n 20 "$E2E_OUT" >&2; fi
    if [[ -n $E2E_ERR && -s $E2E_ERR ]]; then echo "--- $E2E_NAME stderr" >&2; tail -n 40 "$E2E_ERR" >&2; fi
    exit 1
}

for tool in Xvfb xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing; install xvfb, xdotool, x11-utils and imagemagick"
done

e2e_expect_eq() {  # ACTUAL EXPECTED WHAT
    [[ $1 == "$2" ]] || e2e_fail "$3: got '$1', expected '$2'"
}

# xdotool with a time limit: it can block on a server that stopped answering.
e2e_x() { timeout 10 xdotool "$@" || e2e_fail "xdotool $* failed"; }

# Starts a private X server on a free display (the server picks it) and exports DISPLAY.
e2e_start_xvfb() {
    local file=$E2E_TMP/display
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" 2>"$E2E_TMP/xvfb.log" &
    E2E_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
        if grep -q '^[0-9]' "$file" 2>/dev/null; then
            DISPLAY=":$(head -n 1 "$file")"
            export DISPLAY
            return 0
        fi
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    cat "$E2E_TMP/xvfb.log" >&2
    e2e_fail "Xvfb did not start"
}

# Starts $DEMO_BIN_DIR/NAME in the background; its stdin is FILE when given, else empty.
e2e_launch() {  # NAME [STDIN_FILE]
    E2E_NAME=$1
    E2E_OUT=$E2E_TMP/$1.out
    E2E_ERR=$E2E_TMP/$1.err
    local bin=${DEMO_BIN_DIR:?DEMO_BIN_DIR must name the directory of the programs}/$1
    [[ -x $bin ]] || e2e_fail "$bin is not built"
    "$bin" <"${2:-/dev/null}" >"$E2E_OUT" 2>"$E2E_ERR" &
    E2E_PID=$!
    E2E_MARK=0
}

# Waits for the window whose caption is exactly CAPTION, gives it the keyboard focus and
# records its id and position.
e2e_wait_window() {  # CAPTION [TIMEOUT_S]
    local pattern ids
    # shellcheck disable=SC2016  # the $ is a character to escape, not an expansion
    pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$(){}+?|]/\\&/g')\$"
    ids=$(timeout "${2:-15}" xdotool search --sync --onlyvisible --name "$pattern" 2>/dev/null) ||
        e2e_fail "no window '$1' within ${2:-15} s"
    E2E_WIN=$(head -n 1 <<<"$ids")
    local info
    info=$(xwininfo -id "$E2E_WIN") || e2e_fail "xwininfo -id $E2E_WIN failed"
    E2E_WIN_X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    E2E_WIN_Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    e2e_x windowfocus --sync "$E2E_WIN"
}

# The client area's size as "W H".
e2e_window_size() {
    xwininfo -id "$E2E_WIN" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}'
}

e2e_expect_size() {  # W H
    e2e_expect_eq "$(e2e_window_size)" "$1 $2" "client area of window $E2E_WIN"
}

# Pointer and buttons. Positions may lie outside the window (a drag past its edge), as long as
# they are on the screen. Buttons: 1 left, 2 middle, 3 right.
e2e_mouse_move() {  # X Y
    local x=$((E2E_WIN_X + $1)) y=$((E2E_WIN_Y + $2))
    # --sync waits for the pointer to move, so it would wait forever for a move to where it is.
    if [[ "$(timeout 10 xdotool getmouselocation 2>/dev/null | awk '{print $1, $2}')" == "x:$x y:$y" ]]; then
        return 0
    fi
    e2e_x mousemove --sync -- "$x" "$y"
}
e2e_button_down() { e2e_x mousedown "$1"; }
e2e_button_up() { e2e_x mouseup "$1"; }
e2e_click() { e2e_x click "$1"; }

# Keys by X keysym name: a, Return, Escape, F1, Up, alt+d, ctrl+c, shift ...
e2e_key() { e2e_x key --delay 40 "$@"; }
e2e_key_down() { e2e_x keydown "$1"; }
e2e_key_up() { e2e_x keyup "$1"; }

# The program's output, read in order: e2e_wait_output waits for the next line (a whole-line
# extended regular expression) after the previous match and moves past it; e2e_mark skips
# everything printed so far. e2e_line_count and e2e_lines_from N read the raw output.
e2e_line_count() { wc -l <"$E2E_OUT"; }
e2e_lines_from() { tail -n +$(($1 + 1)) "$E2E_OUT"; }  # the lines after the first N
e2e_mark() { E2E_MARK=$(e2e_line_count); }
e2e_wait_output() {  # LINE_REGEX [TIMEOUT_S]
    local deadline=$((SECONDS + ${2:-10})) at
    until at=$(awk -v m="$E2E_MARK" -v re="^($1)\$" \
        'NR > m && $0 ~ re { print NR; f = 1; exit } END { exit !f }' "$E2E_OUT"); do
        ((SECONDS < deadline)) || e2e_fail "no output line '$1' within ${2:-10} s"
        kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "$E2E_NAME ended before printing '$1'"
        sleep 0.05
    done
    E2E_MARK=$at
}

# A picture of the window's client area as PNG.
e2e_screenshot() {  # FILE
    timeout 20 import -window "$E2E_WIN" "$1" || e2e_fail "cannot take a screenshot of $E2E_WIN"
}

# Takes screenshots until the pixel (X, Y) has the colour "R G B": the way to wait until a
# program has shown what it drew (a slow machine or a sanitizer build takes its time).
e2e_screenshot_when() {  # FILE X Y "R G B" [TIMEOUT_S]
    local deadline=$((SECONDS + ${5:-10}))
    until e2e_screenshot "$1" && [[ $(e2e_pixel "$1" "$2" "$3") == "$4" ]]; do
        ((SECONDS < deadline)) || e2e_fail "pixel ($2, $3) is $(e2e_pixel "$1" "$2" "$3"), not $4, after ${5:-10} s"
        sleep 0.1
    done
}

# "R G B" of one pixel of a picture.
e2e_pixel() {  # FILE X Y
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 rgb:- | od -An -tu1 | xargs
}

# How many pixels of a rectangle have exactly the colour "R G B".
e2e_count_colour() {  # FILE X Y W H "R G B"
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk -v c="$6" '{ if ($1 " " $2 " " $3 == c) n++ } END { print n + 0 }'
}

e2e_expect_pixel() {  # FILE X Y "R G B"
    e2e_expect_eq "$(e2e_pixel "$1" "$2" "$3")" "$4" "pixel ($2, $3)"
}

# CPU use of the program over SECONDS, in percent of one core (whole number).
e2e_cpu_percent() {  # SECONDS
    local before after hz
    hz=$(getconf CLK_TCK)
    before=$(e2e_cpu_ticks)
    sleep "$1"
    after=$(e2e_cpu_ticks)
    echo $(((after - before) * 100 / (hz * $1)))
}
e2e_cpu_ticks() {  # utime + stime of the program, in clock ticks
    local stat
    stat=$(<"/proc/$E2E_PID/stat") || e2e_fail "$E2E_NAME is not running"
    stat=${stat##*) }  # the name in parentheses may hold spaces
    awk '{ print $12 + $13 }' <<<"$stat"
}

# Waits for the program to end; sets E2E_EXIT to its exit code. After the timeout the
# program is killed and the test fails.
e2e_wait_exit() {  # [TIMEOUT_S]
    local deadline=$((SECONDS + ${1:-10}))
    while kill -0 "$E2E_PID" 2>/dev/null; do
        if ((SECONDS >= deadline)); then
            kill -9 "$E2E_PID" 2>/dev/null || true
            wait "$E2E_PID" 2>/dev/null || true
            E2E_PID=""
            e2e_fail "$E2E_NAME did not end within ${1:-10} s"
        fi
        sleep 0.05
    done
    E2E_EXIT=0
    wait "$E2E_PID" || E2E_EXIT=$?
    E2E_PID=""
}
