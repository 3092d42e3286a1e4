#!/usr/bin/env bash
# Under a window manager: element 8 minimises the main window, the window manager restores it, element 7
# shows the playing-now screen, and its return button brings the main window back shown normal, not
# iconic over an empty screen (the screen is saved to $3 then); the exit element then ends the station.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_managed_display '
    main=$(first_window)
    press 959 20                          # element 8: minimise
    [ "$(wm_state "$main")" = Iconic ] || { echo "element 8 did not minimise the main window"; exit 1; }
    wmctrl -i -a "$main"; sleep 1         # the window manager restores it
    [ "$(wm_state "$main")" = Normal ] || { echo "the window manager did not restore the main window"; exit 1; }
    press 21 20                           # element 7: the playing-now screen
    press 28 22                           # its return button
    capture "$shot"
    state=$(wm_state "$main")
    [ "$state" = Normal ] || { echo "the main window came back $state from the playing-now screen"; exit 1; }
    if xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; then
        echo "the window manager keeps the main window hidden"; exit 1
    fi
    exit_station
'

colours=$(convert "$shot" -format %k info:)
[ "$colours" -gt 1000 ] || { echo "the screen shows $colours colours only"; exit 1; }
echo "the main window came back normal from the playing-now screen, $colours colours on screen"
