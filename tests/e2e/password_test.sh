#!/usr/bin/env bash
# The screen-password page on the real station: element 17 slides it in with its OK and Cancel buttons
# drawn at rest (the screen is saved to $3 then), and Enter in the password box with the right password
# acts as OK: layout-edit mode and its options dialog open. The right button on element 17 leaves the
# mode again, and the exit element ends the station.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_display '
    press 95 708                          # element 17: the password page slides in
    capture "$shot"
    xdotool type --delay 50 Kestrum
    xdotool key Return; sleep 2           # Enter: layout-edit mode and the options dialog
    xdotool search --onlyvisible --pid "$station" > "$work/windows"
    xdotool mousemove 95 708 click 3; sleep 1.5
    xdotool mousemove 998 19 click 1; sleep 0.5
    exit_station
'

# The page stands centred at 371,222 (twips over 15); OK and Cancel sit 40,264 and 151,265 into it, each
# showing its "-Off" picture.
for button in "OK-Off 411 486" "Cancel-Off 522 487"; do
    set -- $button
    convert "$shot" -crop "88x23+$2+$3" +repage "$work/$1.png"
    off=$(differing "$work/$1.png" "$work/Skin/$1.jpg")
    [ "${off%%.*}" -lt 200 ] || { echo "$1.jpg is not drawn on the password page: $off of 2024 pixels differ"; exit 1; }
    drawn+="$1.jpg ($off pixels off) "
done
[ "$(wc -l < "$work/windows")" -ge 2 ] || { echo "Enter in the password box did not open the options dialog"; exit 1; }
echo "${drawn}drawn at rest; Enter opened layout-edit mode with $(wc -l < "$work/windows") windows"
