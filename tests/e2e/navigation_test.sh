#!/usr/bin/env bash
# Drives the real station and the real stand-in player with the mouse on a virtual 1024x768 display:
# a browse-page switch opens the doors, the playlist element slides its page in (the screen is saved
# then), both close again, and the exit element ends the station and its player.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary
shot=$3           # where to save the screen with the doors open and the playlist page in

source "$(dirname "$0")/programfolder.sh"
mkdir -p "$(dirname "$shot")"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    work=$1
    shot=$2
    source "$0"
    start_station "$work"
    import -window root "$work/closed.png"
    press 887 382                         # element 10, the single-album page
    import -window root "$work/open.png"
    press 703 321                         # element 6, the playlist page
    import -window root "$shot"
    press 703 321
    press 887 382
    import -window root "$work/closed-again.png"
    press 998 19                          # element 9, exit
    for _ in $(seq 1 50); do
        kill -0 "$station" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$station" 2>/dev/null; then echo "the exit element did not end the station"; exit 1; fi
' "$(dirname "$0")/startstation.sh" "$work" "$shot"

area "$work/closed.png" "$work/a-closed.png"
area "$work/open.png" "$work/a-open.png"
area "$work/closed-again.png" "$work/a-closed-again.png"
area "$shot" "$work/a-shot.png"
opened=$(differing "$work/a-closed.png" "$work/a-open.png")
closed=$(differing "$work/a-closed.png" "$work/a-closed-again.png")
[ "${opened%%.*}" -gt 50000 ] || { echo "the doors did not open: $opened pixels changed"; exit 1; }
[ "${closed%%.*}" -lt 500 ] || { echo "the doors did not close: $closed pixels differ"; exit 1; }
# The playlist page lies above the page area (Top 1125 twips, 3300 high): it changed the screen there.
playlist=$(compare -metric AE -fuzz 2% "$work/open.png" "$shot" null: 2>&1 || true)
[ "${playlist%%.*}" -gt 50000 ] || { echo "the playlist page did not slide in: $playlist pixels changed"; exit 1; }

player_ended
echo "doors opened ($opened pixels) and closed ($closed), the playlist page slid in ($playlist), both ended"
