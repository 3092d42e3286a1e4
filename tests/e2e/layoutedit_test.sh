#!/usr/bin/env bash
# Drives the layout editor of the real station with the mouse and keys on a virtual 1024x768 display:
# the screen password opens layout-edit mode and the options dialog, a song label is dragged (the screen
# is saved to $3 then), "Play Now Screen" shows the playing-now screen with the dialog above it (saved
# to $4), OK brings the main window back, and the right button on the edit element leaves the mode and
# stores the label's new place in "Conf.mld".
source "$(dirname "$0")/programfolder.sh"
export dragged=$3 overscreen=$4
mkdir -p "$(dirname "$dragged")" "$(dirname "$overscreen")"

on_display '
    # Places in pixels: twips over 15. The dialog stands centred, its client area at 268,168.
    press 95 708                                         # element 17: the password page slides in
    xdotool type --delay 50 Kestrum; sleep 0.5
    xdotool mousemove 455 497 click 1; sleep 2           # OK: layout-edit mode and the options dialog
    # The next song label (Label1(8), 2000 twips wide in the mode) dragged up and left by its centre.
    xdotool mousemove 895 247 mousedown 1
    for at in "850 230" "800 200" "750 180" "700 160"; do xdotool mousemove $at; sleep 0.1; done
    xdotool mouseup 1; sleep 1
    capture "$dragged"
    xdotool mousemove 687 185 click 1; sleep 2           # "Play Now Screen"
    capture "$overscreen"
    press 313 578                                        # OK: back to the main window
    xdotool mousemove 95 708 click 3; sleep 1.5          # the right button on element 17 saves
    xdotool mousemove 998 19 click 1; sleep 0.5          # the first click after leaving is swallowed
    exit_station
'

# The label's block in "Conf.mld": Top and Left at offsets 30 + 92 * 8 + 77 and + 82.
field() { dd if="$work/Conf.mld" bs=1 skip="$1" count=5 2>/dev/null | tr -d " " | cut -d. -f1; }
top=$(field 843)
left=$(field 848)
# Its centre went to the pointer at 700,160: Left 700 * 15 - 1000, Top 160 * 15 less half its height.
[ "$left" -ge 9450 ] && [ "$left" -le 9550 ] || { echo "the label was stored at Left $left"; exit 1; }
[ "$top" -ge 2150 ] && [ "$top" -le 2400 ] || { echo "the label was stored at Top $top"; exit 1; }

# The dialog shows on both pictures (only its "Play Now Screen" box differs), while the window behind
# it changed from the main window to the playing-now screen.
convert "$dragged" -crop 488x431+268+168 +repage "$work/d1.png"
convert "$overscreen" -crop 488x431+268+168 +repage "$work/d2.png"
convert "$dragged" -crop 260x768+0+0 +repage "$work/b1.png"
convert "$overscreen" -crop 260x768+0+0 +repage "$work/b2.png"
dialog=$(differing "$work/d1.png" "$work/d2.png")
behind=$(differing "$work/b1.png" "$work/b2.png")
[ "${dialog%%.*}" -lt 3000 ] || { echo "the dialog is not above the playing-now screen: $dialog pixels differ"; exit 1; }
changed_over "$behind" "the playing-now screen did not come up" 50000
echo "label stored at Left $left, Top $top; the dialog stayed above ($dialog pixels differ) the screen ($behind)"
