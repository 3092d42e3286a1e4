#!/usr/bin/env bash
# Drives the layout editor of the real station with the mouse and keys on a virtual 1024x768 display:
# the screen password opens layout-edit mode and the options dialog, a song label is dragged (the screen
# is saved then), "Play Now Screen" shows the playing-now screen with the dialog above it (saved too),
# OK brings the main window back, and the right button on the edit element leaves the mode and stores
# the label's new place in "Conf.mld".
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary
dragged=$3        # where to save the main window with the dialog and the dragged label
overscreen=$4     # where to save the playing-now screen with the dialog above it

source "$(dirname "$0")/programfolder.sh"
mkdir -p "$(dirname "$dragged")" "$(dirname "$overscreen")"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    work=$1
    dragged=$2
    overscreen=$3
    source "$0"
    start_station "$work"
    # Places in pixels: twips over 15. The dialog stands centred, its client area at 268,168.
    press 95 708                                         # element 17: the password page slides in
    xdotool type --delay 50 Kestrum; sleep 0.5
    xdotool mousemove 455 497 click 1; sleep 2           # OK: layout-edit mode and the options dialog
    # The next song label (Label1(8), 2000 twips wide in the mode) dragged up and left by its centre.
    xdotool mousemove 895 247 mousedown 1
    for at in "850 230" "800 200" "750 180" "700 160"; do xdotool mousemove $at; sleep 0.1; done
    xdotool mouseup 1; sleep 1
    import -window root "$dragged"
    xdotool mousemove 687 185 click 1; sleep 2           # "Play Now Screen"
    import -window root "$overscreen"
    press 313 578                                        # OK: back to the main window
    xdotool mousemove 95 708 click 3; sleep 1.5          # the right button on element 17 saves
    xdotool mousemove 998 19 click 1                     # exit
    for _ in $(seq 1 50); do
        kill -0 "$station" 2>/dev/null || break
        sleep 0.1
    done
' "$(dirname "$0")/startstation.sh" "$work" "$dragged" "$overscreen"

# The label's block in "Conf.mld": Top and Left at offsets 30 + 92 * 8 + 77 and + 82.
top=$(dd if="$work/Conf.mld" bs=1 skip=843 count=5 2>/dev/null | tr -d " ")
left=$(dd if="$work/Conf.mld" bs=1 skip=848 count=5 2>/dev/null | tr -d " ")
top=${top%%.*}
left=${left%%.*}
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
[ "${behind%%.*}" -gt 50000 ] || { echo "the playing-now screen did not come up: $behind pixels changed"; exit 1; }
echo "label stored at Left $left, Top $top; the dialog stayed above ($dialog pixels differ) the screen ($behind)"
