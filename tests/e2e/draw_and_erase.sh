#!/usr/bin/env bash
# Writes with the left button and erases with the right one on the real program.
#   draw_and_erase.sh PROGRAM WORDFILE
. "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$1" "$2"

e2e_shot
e2e_expect_pixel 400 300 "255 255 255" 10 "the page starts white"

# The default pen is preset 0: red, width 4.
e2e_drag 1 200 300 600 300
e2e_shot
e2e_expect_pixel 400 300 "255 0 0" 40 "a left-button stroke leaves red ink"
e2e_expect_pixel 400 301 "255 0 0" 40 "the ink is about four pixels wide"
e2e_expect_pixel 400 310 "255 255 255" 10 "ink stays on its line"

# The right button erases back to the page.
e2e_drag 3 380 280 380 320 20
e2e_shot
e2e_expect_pixel 380 300 "255 255 255" 10 "a right-button drag erases the ink"
e2e_expect_pixel 250 300 "255 0 0" 40 "ink away from the eraser stays"

# After erasing, the left button draws with the pen again.
e2e_drag 1 200 500 600 500
e2e_shot
e2e_expect_pixel 400 500 "255 0 0" 40 "the pen is back after the right-button erase"
echo "PASS"
