#!/usr/bin/env bash
# Under a window manager, which lifts a focused window filling the screen above every window merely kept
# "above": the options dialog of layout-edit mode stays above the station's windows throughout. Ticking
# "Play Now Screen" shows the playing-now screen under it, a click on that screen leaves it above (the
# screen is saved to $3 then), unticking brings the main window back under it, and neither a click on
# the main window, leaving the mode, nor the playing-now screen shown and left by the main bar buries it.
# The dialog keeps the keyboard focus when its tick shows either window, which the window manager would
# give to the window just shown.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_managed_display '
    # Window ids in decimal: the station windows bottom to top as the window manager stacks them, the
    # focused one, and the shown windows of the station.
    stacking() { for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed "s/.*# //; s/,//g"); do echo $((w)); done; }
    focused() { echo $(($(xprop -root _NET_ACTIVE_WINDOW | sed "s/.*# //"))); }
    shown() { xdotool search --onlyvisible --pid "$station" 2>/dev/null || true; }
    # Succeeds once the command $@ does, within five seconds.
    within() { for _ in $(seq 1 50); do "$@" && return 0; sleep 0.1; done; return 1; }
    is_shown() { shown | grep -x "$1" >/dev/null; }
    is_hidden() { ! is_shown "$1"; }
    is_focused() { [ "$(focused)" = "$1" ]; }
    # Fails with $1 unless the options dialog has the keyboard focus; asked after dialog_above, when the
    # windows have stood still for a moment.
    dialog_focused() {
        within is_focused "$dialog" ||
            { echo "$1: window $(focused) has the focus, not the options dialog"; exit 1; }
    }
    # Fails with $1 unless the dialog comes to stand above window $2, the top of the stacking order, and
    # is still there a moment later.
    dialog_above() {
        local top
        on_top() { top=$(stacking | tail -1); [ "$top" = "$dialog" ] && stacking | grep -x "$1" >/dev/null; }
        within on_top "$2" && sleep 0.5 && on_top "$2" ||
            { echo "$1: window $top stands above the options dialog"; stacking; exit 1; }
    }
    # A left click at x,y pixels into the client area of the dialog, wherever the window manager put it.
    in_dialog() {
        local at
        at=$(xwininfo -id "$dialog" | sed -n "s/.*Absolute upper-left [XY]: *//p" | paste -sd " ")
        set -- $(($1 + ${at% *})) $(($2 + ${at#* }))
        xdotool mousemove "$1" "$2" click 1
    }
    # The client area of the dialog (7320x6465 twips) in the screen picture $1, saved to $2.
    dialog_area() {
        local at
        at=$(xwininfo -id "$dialog" | sed -n "s/.*Absolute upper-left [XY]: *//p" | paste -sd +)
        convert "$1" -crop "488x431+$at" +repage "$2"
    }

    main=$(first_window)
    press 95 708                                        # element 17: the password page slides in
    xdotool type --delay 50 Kestrum; sleep 0.5
    xdotool mousemove 455 497 click 1                   # OK: layout-edit mode and the options dialog
    options() { dialog=$(xdotool search --onlyvisible --name "^Options$" | head -1); [ -n "$dialog" ]; }
    within options || { echo "the password did not open the options dialog"; exit 1; }
    dialog_above "the options dialog opened" "$main"

    in_dialog 419 17                                    # Check4, "Play Now Screen"
    within is_hidden "$main" || { echo "Play Now Screen did not hide the main window"; exit 1; }
    screen=$(shown | grep -vx -e "$main" -e "$dialog" | head -1)
    [ -n "$screen" ] || { echo "Play Now Screen did not show the playing-now screen"; exit 1; }
    dialog_above "Play Now Screen ticked" "$screen"
    dialog_focused "Play Now Screen ticked"
    capture "$work/ticked.png"

    xdotool mousemove 600 700 click 1                   # the playing-now screen, beside the dialog
    within is_focused "$screen" || { echo "a click did not focus the playing-now screen"; exit 1; }
    dialog_above "the playing-now screen clicked" "$screen"
    capture "$shot"
    dialog_area "$work/ticked.png" "$work/d1.png"
    dialog_area "$shot" "$work/d2.png"

    in_dialog 419 17                                    # unticked: the main window comes back
    within is_shown "$main" || { echo "unticking did not bring the main window back"; exit 1; }
    within is_hidden "$screen" || { echo "unticking left the playing-now screen shown"; exit 1; }
    dialog_above "Play Now Screen unticked" "$main"
    dialog_focused "Play Now Screen unticked"
    xdotool mousemove 800 700 click 1                   # the page area of the main window
    within is_focused "$main" || { echo "a click did not focus the main window"; exit 1; }
    dialog_above "the main window clicked" "$main"

    xdotool mousemove 95 708 click 3; sleep 1.5         # the right button on element 17 leaves the mode
    dialog_above "layout-edit mode left" "$main"
    press 21 20                                         # the first click after leaving is swallowed
    press 21 20                                         # element 7: the playing-now screen
    within is_hidden "$main" || { echo "element 7 did not show the playing-now screen"; exit 1; }
    screen=$(shown | grep -vx -e "$main" -e "$dialog" | head -1)
    xdotool mousemove 600 700 click 1
    within is_focused "$screen" || { echo "a click did not focus the playing-now screen"; exit 1; }
    dialog_above "the playing-now screen shown by element 7 and clicked" "$screen"
    press 28 22                                         # its return button
    within is_shown "$main" || { echo "the return button did not bring the main window back"; exit 1; }
    dialog_above "back on the main window" "$main"

    in_dialog 45 410                                    # OK closes the dialog
    within is_hidden "$dialog" || { echo "OK did not close the options dialog"; exit 1; }
    exit_station
'

# The dialog looks the same over the playing-now screen before and after the click on that screen.
covered=$(differing "$work/d1.png" "$work/d2.png")
[ "${covered%%.*}" -lt 3000 ] || { echo "the dialog is not drawn over the playing-now screen: $covered pixels differ"; exit 1; }
echo "the options dialog stayed above the station's windows; $covered pixels of it changed with the click"
