#!/usr/bin/env bash
# Starts the real station with the real stand-in player on a virtual 1024x768 display and drives it with
# the mouse: it comes up (the settings file written, the player running, the skin shown), a browse-page
# switch opens the doors, the playlist element slides its page in (the screen is saved to $3 then),
# both close again, and the exit element ends the station and its player.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_display '
    pgrep -f "$work/tunnora-player" >/dev/null || { echo "the player did not start"; exit 1; }
    capture "$work/closed.png"
    press 887 382                         # element 10, the single-album page
    capture "$work/open.png"
    press 703 321                         # element 6, the playlist page
    capture "$shot"
    press 703 321
    press 887 382
    capture "$work/closed-again.png"
    exit_station
'

[ "$(stat -c %s "$work/Conf.mld")" = 4146 ] || { echo "no settings file"; exit 1; }
# A skinned screen has many colours; an empty or failed window has a handful.
colours=$(convert "$work/closed.png" -format %k info:)
[ "$colours" -gt 1000 ] || { echo "the screen shows $colours colours only"; exit 1; }
for picture in closed open closed-again; do area "$work/$picture.png" "$work/a-$picture.png"; done
opened=$(differing "$work/a-closed.png" "$work/a-open.png")
closed=$(differing "$work/a-closed.png" "$work/a-closed-again.png")
changed_over "$opened" "the doors did not open" 50000
[ "${closed%%.*}" -lt 500 ] || { echo "the doors did not close: $closed pixels differ"; exit 1; }
# The playlist page lies above the page area (Top 1125 twips, 3300 high): it changed the screen there.
playlist=$(differing "$work/open.png" "$shot")
changed_over "$playlist" "the playlist page did not slide in" 50000

player_ended
echo "started with $colours colours on screen; doors opened ($opened pixels) and closed ($closed), the playlist page slid in ($playlist), both ended"
