#!/usr/bin/env bash
# The save command writes the file typed into the save dialog: a picture a standard decoder
# reads, at the page's size, with the pixels of the page; a typed name without extension
# gets the save type's extension.
#   save_picture.sh PROGRAM
. "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$1"
HOME_DIR="$E2E_TMP/home"

e2e_drag 1 300 200 700 400 30
e2e_drag 1 300 400 700 200 30

window=$(xdotool search --onlyvisible --pid "$E2E_APP_PID" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
STRIP=24
PAGE_W=$WIDTH
PAGE_H=$((HEIGHT - STRIP))
xdotool mousemove 5 $((Y + HEIGHT - 5))
sleep 0.2
e2e_shot
convert "$E2E_TMP/shot.png" -crop "${PAGE_W}x${PAGE_H}+${X}+$((Y + STRIP))" +repage "$E2E_TMP/page.png"

# Opens the save dialog with Ctrl+S, types a name and confirms it.
save_as() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+s
    local dialog=""
    for _ in $(seq 1 50); do
        dialog=$(xdotool search --onlyvisible --name "Save As" 2>/dev/null | head -1) && [ -n "$dialog" ] && break
        sleep 0.1
    done
    [ -n "$dialog" ] || e2e_fail "the save dialog did not open"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    sleep 0.3
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    sleep 0.2
    xdotool key --clearmodifiers Return
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name "Save As" >/dev/null 2>&1 || break
        sleep 0.1
    done
    sleep 0.5
}

save_as "page-saved.png"
saved="$HOME_DIR/page-saved.png"
[ -f "$saved" ] || e2e_fail "no file written at $saved ($(ls "$HOME_DIR"))"
[ "$(identify -format '%m %w %h' "$saved")" = "PNG $PAGE_W $PAGE_H" ] ||
    e2e_fail "saved picture is $(identify -format '%m %w %h' "$saved"), expected PNG $PAGE_W $PAGE_H"
diff=$(compare -metric AE "$E2E_TMP/page.png" "$saved" null: 2>&1 || true)
[ "$diff" = 0 ] || e2e_fail "the saved picture differs from the page in $diff pixels"
# The strokes cross at (500, 300) on the screen.
dark=$(convert "$saved" -crop "40x40+$((480 - X))+$((280 - Y - STRIP))" +repage -colorspace gray -format '%[fx:int(255*minima)]' info:)
[ "$dark" -lt 100 ] || e2e_fail "the strokes are not in the saved picture ($dark)"

# No extension typed: the default save type, JPEG, is added.
save_as "second"
[ -f "$HOME_DIR/second.jpg" ] || e2e_fail "no second.jpg written ($(ls "$HOME_DIR"))"
[ "$(identify -format '%m %w %h' "$HOME_DIR/second.jpg")" = "JPEG $PAGE_W $PAGE_H" ] ||
    e2e_fail "second.jpg is $(identify -format '%m %w %h' "$HOME_DIR/second.jpg")"
echo PASS
