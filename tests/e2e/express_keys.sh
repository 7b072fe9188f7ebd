#!/usr/bin/env bash
# The express keys reach the running program by both routes: codes sent with inkwarde-key
# and the keyboard keys F1-F5. Key 2 selects the stroke-order pen, key 1 erases the page,
# keys 4 and 5 step through the words; the sender fails when nobody listens.
#   express_keys.sh PROGRAM SENDER
. "$(dirname "$0")/lib.sh"

SENDER="$2"
printf '山川\n日本\n' > "$E2E_TMP/words.txt"
e2e_start_x
e2e_start_program "$1" "$E2E_TMP/words.txt"

# The sender reaches the program through the same per-user runtime folder.
key() { XDG_RUNTIME_DIR="$E2E_TMP/runtime" "$SENDER" "$@"; }
# A click of express key N: its press code, then its release code.
click() { key $((2 * $1 - 1)) && key $((2 * $1)); sleep 0.4; }

xdotool mousemove 640 700
sleep 0.2
e2e_shot
cp "$E2E_TMP/shot.png" "$E2E_TMP/blank.png"

# Key 2: the stroke-order pen; its first stroke is red.
click 2
e2e_drag 1 250 40 250 140 25
e2e_shot
e2e_expect_pixel 250 90 "254 154 154" 12 "a stroke after key 2 is the stroke-order pen's first (red)"

# Key 1: the page is erased back to its template.
click 1
e2e_expect_same_page "$E2E_TMP/blank.png" "key 1 should erase the page"

# Key 5: the next word; key 4: back to the first, unchanged.
click 5
e2e_expect_other_page "$E2E_TMP/blank.png" "key 5 should show the next word"
click 4
e2e_expect_same_page "$E2E_TMP/blank.png" "key 4 should come back to the first word"

# The keyboard route: F3 leaves the stroke-order pen for the next preset pen (preset 1),
# F2 selects the stroke-order pen again, F1 erases, F5 and F4 step the words.
window=$(xdotool search --onlyvisible --pid "$E2E_APP_PID" | head -1)
xdotool windowfocus --sync "$window" 2>/dev/null || true
fkey() { xdotool key --clearmodifiers "$1"; sleep 0.4; }
fkey F3
e2e_drag 1 330 40 330 140 25
e2e_shot
read -r r g b <<<"$(e2e_pixel 330 90)"
[ "$r" -lt 200 ] || [ "$g" -lt 200 ] || [ "$b" -lt 200 ] || e2e_fail "F3: no pen stroke drawn"
[ "$r $g $b" != "254 154 154" ] || e2e_fail "F3 did not leave the stroke-order pen"
fkey F2
e2e_drag 1 410 40 410 140 25
e2e_shot
e2e_expect_pixel 410 90 "254 154 154" 12 "a stroke after F2 is the stroke-order pen's first (red)"
fkey F1
e2e_expect_same_page "$E2E_TMP/blank.png" "F1 should erase the page"
fkey F5
e2e_expect_other_page "$E2E_TMP/blank.png" "F5 should show the next word"
fkey F4
e2e_expect_same_page "$E2E_TMP/blank.png" "F4 should come back to the first word"

# With the program gone, the sender says so and fails.
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=""
if key 1 2>"$E2E_TMP/sender.err"; then e2e_fail "inkwarde-key succeeded with nobody listening"; fi
[ -s "$E2E_TMP/sender.err" ] || e2e_fail "inkwarde-key gave no message when nobody listens"
echo PASS
