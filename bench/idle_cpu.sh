#!/usr/bin/env bash
# CPU use of each demo left alone in its window under Xvfb: the frame loops drawing at the
# display's pace with no input, the editor with no button down, the pass loops waiting for a
# key. Prints a table; the target is below 5 % of one core.
# Usage: bench/idle_cpu.sh BIN_DIR [SECONDS]
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DEMO_BIN_DIR=$(cd "$1" && pwd)
export DEMO_BIN_DIR
seconds=${2:-5}
# shellcheck source-path=SCRIPTDIR source=../tests/e2e/lib.sh
source "$here/../tests/e2e/lib.sh"

target=5
# program, caption, the keys that end it, its standard input
demos=(
    "bezier_curve|CURBA BEZIER|q|"
    "cubic_bezier|CURBELE BEZIER CUBICE|Escape|"
    "bezier_path|DRUM BEZIER|Escape|"
    "bezier_eight|CURBA BEZIER|q|"
    "bspline_curve|CURBA B-SPLINE|q|"
    "bspline|BSPLINE|q|"
    "circle_three_points|CERC PRIN 3 PUNCTE|q|"
    "circle_fit|APROXIMARE CERC PRIN N PUNCTE|Escape Escape|"
    "lagrange_interpolation|INTERPOLARE POLINOMIALA LAGRANGE|Escape|"
    "regression|REGRESII MATEMATICE|Escape|1\n1000\n"
)

e2e_start_xvfb
echo "| program | idle state | % of one core over ${seconds} s | target ${target} % |"
echo "|---|---|--:|---|"
for d in "${demos[@]}"; do
    IFS='|' read -r name caption keys input <<<"$d"
    [[ -x $DEMO_BIN_DIR/$name ]] || continue
    printf "%b" "$input" >"$E2E_TMP/stdin"
    e2e_launch "$name" "$E2E_TMP/stdin"
    e2e_wait_window "$caption"
    # The pointer away from the window: nothing under it to drag or highlight.
    e2e_x mousemove --sync 1000 760
    sleep 1
    cpu=$(e2e_cpu_percent "$seconds")
    case $name in
        bezier_path) state="editor, no button down" ;;
        circle_fit | lagrange_interpolation | regression) state="waiting for a key" ;;
        *) state="frames paced by the display, no input" ;;
    esac
    met="met"
    ((cpu < target)) || met="**not met**"
    echo "| \`$name\` | $state | $cpu | $met |"
    # shellcheck disable=SC2086  # one key name per word
    e2e_key $keys
    e2e_wait_exit 10
done
