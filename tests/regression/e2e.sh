#!/usr/bin/env bash
# regression with its answers on standard input and its real window under Xvfb: the menu and
# prompt, the caption and client area, yellow pairs and a light red line, a new sample on a key,
# the end on Esc.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=${E2E_LIB:-}
[[ -f $lib ]] || lib=$here/../e2e/lib.sh
# shellcheck source=../e2e/lib.sh
source "$lib"

# Without a display the window cannot open: the program stops at once with exit code 1 and one
# line on standard error that names the cause and the fix, rather than running unseen.
code=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$DEMO_BIN_DIR/regression" \
    </dev/null 2>&1 >/dev/null) || code=$?
e2e_expect_eq "$code" 1 "exit code without a display"
[[ $(wc -l <<<"$err") == 1 && $err == "gfx: cannot open the window: "*"run it under Xvfb: xvfb-run -a $DEMO_BIN_DIR/regression" ]] ||
    e2e_fail "report without a display: $err"

yellow="252 252 0"
light_red="252 124 124"

answers=$E2E_TMP/answers.txt
printf '1\n25\n' >"$answers"
e2e_start_xvfb
e2e_launch regression "$answers"
e2e_wait_window "REGRESII MATEMATICE"
e2e_expect_size 800 600

wait_new_picture() {  # FILE OUT
    local i
    for ((i = 0; i < 50; i++)); do
        e2e_screenshot "$2"
        if [[ $(e2e_count_colour "$2" 0 0 800 600 "$yellow") -gt 0 ]] && ! cmp -s "$1" "$2"; then return 0; fi
        sleep 0.1
    done
    e2e_fail "the window did not change"
}

first=$E2E_TMP/first.png
: >"$E2E_TMP/none.png"
wait_new_picture "$E2E_TMP/none.png" "$first"
# 25 circles of radius 2 (12 pixels each, a few covered by the line or by each other) and the
# fitted line over the whole width, which for uniform pairs stays inside the window.
pairs=$(e2e_count_colour "$first" 0 0 800 600 "$yellow")
line=$(e2e_count_colour "$first" 0 0 800 600 "$light_red")
e2e_note "first sample: $pairs pair pixels, $line line pixels"
((pairs >= 200 && pairs <= 300)) || e2e_fail "$pairs yellow pixels, expected 25 small circles"
((line >= 790)) || e2e_fail "$line light red pixels, expected a line across the window"
e2e_expect_eq "$(e2e_count_colour "$first" 0 0 1 600 "$light_red")" 0 "line pixels in column 0"

e2e_key a
wait_new_picture "$first" "$E2E_TMP/second.png"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_eq "$E2E_EXIT" 0 "exit code"
expected=$E2E_TMP/expected.txt
printf '%s\n' "TIPURI DE REGRESIE MATEMATICA:" "1 - REGRESIE LINIARA : y=b0+b1*x" \
    "2 - REGRESIE HIPERBOLICA : y=b0+b1/x" "3 - REGRESIE CU FUNCTIE PUTERE : y=b0*x^b1" \
    "4 - REGRESIE EXPONENTIALA : y=b0*b1^X" "5 - REGRESIE PARABOLICA : y=b0+b1*X+b2*X^2" >"$expected"
printf '%s' "Cate perechi (experimentale) x,y ai:" >>"$expected"
cmp -s "$expected" "$E2E_OUT" || e2e_fail "console output differs: $(od -c "$E2E_OUT" | tail -n 3)"
[[ ! -s $E2E_ERR ]] || e2e_fail "the program wrote to stderr"
echo "regression e2e: ok"
