# Helpers for end-to-end tests: a private X server, a private home, the real program,
# real X input through xdotool and pixels read from screenshots.
# Source it, then call e2e_start_program WORDFILE...; everything is torn down on exit.

set -euo pipefail

E2E_TMP=$(mktemp -d /tmp/inkwarde-e2e.XXXXXX)
E2E_XVFB_PID=""
E2E_APP_PID=""

e2e_cleanup() {
    [ -n "$E2E_APP_PID" ] && kill "$E2E_APP_PID" 2>/dev/null || true
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ "${E2E_KEEP:-0}" = 1 ]; then echo "kept $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    import -window root "$E2E_TMP/failure.png" 2>/dev/null && echo "screenshot: $E2E_TMP/failure.png" >&2
    E2E_KEEP=1
    exit 1
}

# Starts Xvfb on a free display (it picks the number itself) and exports DISPLAY.
e2e_start_x() {
    exec 3> "$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.05
    done
    exec 3>&-
    [ -s "$E2E_TMP/display" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(tr -d '\n' < "$E2E_TMP/display")"
}

# Starts the program with the given arguments and waits until its window is painted.
e2e_start_program() {
    local program="$1"
    shift
    mkdir -p "$E2E_TMP/home" "$E2E_TMP/config" "$E2E_TMP/runtime"
    chmod 700 "$E2E_TMP/runtime"
    HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/runtime" \
        "$program" "$@" >"$E2E_TMP/program.log" 2>&1 &
    E2E_APP_PID=$!
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --pid "$E2E_APP_PID" >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool search --onlyvisible --pid "$E2E_APP_PID" >/dev/null 2>&1 ||
        e2e_fail "the program's window did not appear"
    sleep 1
}

e2e_shot() { import -window root "$E2E_TMP/shot.png"; }

# Pixel of the last screenshot as "R G B" in decimal.
e2e_pixel() {
    convert "$E2E_TMP/shot.png" -format '%[fx:int(255*p{'"$1"','"$2"'}.r)] %[fx:int(255*p{'"$1"','"$2"'}.g)] %[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

# Drags with a button along a straight line in paced steps, as a pen reports them.
e2e_drag() {
    local button="$1" x0="$2" y0="$3" x1="$4" y1="$5" steps="${6:-30}"
    xdotool mousemove "$x0" "$y0" mousedown "$button"
    for i in $(seq 1 "$steps"); do
        xdotool mousemove $((x0 + (x1 - x0) * i / steps)) $((y0 + (y1 - y0) * i / steps))
        sleep 0.004
    done
    xdotool mouseup "$button"
    sleep 0.3
}

# Asserts that a pixel's colour is within tolerance of "R G B".
e2e_expect_pixel() {
    local x="$1" y="$2" want="$3" tol="${4:-40}" what="$5"
    local got
    got=$(e2e_pixel "$x" "$y")
    read -r r g b <<<"$got"
    read -r wr wg wb <<<"$want"
    local dr=$((r - wr)) dg=$((g - wg)) db=$((b - wb))
    if [ ${dr#-} -gt "$tol" ] || [ ${dg#-} -gt "$tol" ] || [ ${db#-} -gt "$tol" ]; then
        e2e_fail "$what: pixel ($x, $y) is ($got), expected about ($want)"
    fi
}

# Darkest grey level (0..255) in a square of the last screenshot centred on (x, y).
e2e_darkest_near() {
    local x="$1" y="$2" r="${3:-12}"
    convert "$E2E_TMP/shot.png" -crop "$((2 * r))x$((2 * r))+$((x - r))+$((y - r))" +repage \
        -colorspace gray -format '%[fx:int(255*minima)]' info:
}

# Number of differing pixels between two screenshots, below the top strip.
e2e_page_difference() {
    convert "$1" -crop 1280x760+0+30 +repage "$E2E_TMP/diff-a.png"
    convert "$2" -crop 1280x760+0+30 +repage "$E2E_TMP/diff-b.png"
    compare -metric AE "$E2E_TMP/diff-a.png" "$E2E_TMP/diff-b.png" null: 2>&1 || true
}

# Takes a screenshot (pointer moved out of the way) and asserts that the page equals the
# one in the screenshot file ref, pixel for pixel.
e2e_expect_same_page() {
    local ref="$1" what="$2"
    xdotool mousemove 640 700
    sleep 0.2
    e2e_shot
    local diff
    diff=$(e2e_page_difference "$ref" "$E2E_TMP/shot.png")
    [ "$diff" = 0 ] || e2e_fail "$what: $diff pixels of the page differ"
}

# Takes a screenshot and asserts that the page clearly differs from the one in ref.
e2e_expect_other_page() {
    local ref="$1" what="$2"
    e2e_shot
    local diff
    diff=$(e2e_page_difference "$ref" "$E2E_TMP/shot.png")
    [ "$diff" -gt 1000 ] || e2e_fail "$what: the page looks the same ($diff pixels differ)"
}
