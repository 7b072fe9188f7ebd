#!/usr/bin/env bash
# The stroke-order pen chosen from the tool bar numbers strokes per character of a
# two-character word and colours them by their number; a page shown again comes back
# unchanged.
#   stroke_order_pen.sh PROGRAM
. "$(dirname "$0")/lib.sh"

printf '山川\n日本\n' > "$E2E_TMP/words.txt"
e2e_start_x
e2e_start_program "$1" "$E2E_TMP/words.txt"

# Tool bar at the right end of the top strip: stroke-order pen first, then (with no
# optional buttons) previous word, next word and whiteboard at the far right.
STROKE_ORDER_BUTTON=1022
PREVIOUS_BUTTON=1212
NEXT_BUTTON=1238
xdotool mousemove "$STROKE_ORDER_BUTTON" 12 click 1
sleep 0.3

# The word fills the 1280 wide page, so its two characters meet at x = 640. Strokes are
# written above the template's glyphs so that their colour is seen over white.
for x in 250 330 410 850; do e2e_drag 1 "$x" 40 "$x" 140 25; done
e2e_shot
cp "$E2E_TMP/shot.png" "$E2E_TMP/written.png"

# Colours blended at the highlighter opacity over white: stroke 1 red, 2 orange, 3 yellow.
e2e_expect_pixel 250 90 "254 154 154" 12 "first stroke of the first character (red)"
e2e_expect_pixel 330 90 "254 194 154" 12 "second stroke of the first character (orange)"
e2e_expect_pixel 410 90 "254 254 154" 12 "third stroke of the first character (yellow)"
e2e_expect_pixel 850 90 "254 154 154" 12 "first stroke of the second character (red again)"
# Each stroke has its number disc (dark outline and digit) at its start.
for x in 250 330 410 850; do
    dark=$(e2e_darkest_near "$x" 40)
    [ "$dark" -lt 60 ] || e2e_fail "no number disc at the start of the stroke at x=$x ($dark)"
done
mid=$(e2e_darkest_near 250 90 6)
[ "$mid" -gt 120 ] || e2e_fail "the middle of a stroke should carry no disc ($mid)"

# To the next word and back: the page and its strokes come back identically.
xdotool mousemove "$NEXT_BUTTON" 12 click 1
sleep 0.6
e2e_expect_other_page "$E2E_TMP/written.png" "the next word's page"
xdotool mousemove "$PREVIOUS_BUTTON" 12 click 1
sleep 0.6
e2e_expect_same_page "$E2E_TMP/written.png" "the page shown again"
echo PASS
