#!/usr/bin/env bash
# Fills the playlist of the real station with the mouse on a virtual 1024x768 display: a whole album by
# the right button on the album page's first cover, a song of the song list by a double-click, three
# random songs typed into the random-count box and picked with the bar's random element (the playlist
# page, then holding nine songs, is saved to $3). Then play plays them through on the real stand-in
# player, and "Data.mld" counts each of the nine songs once and no other song.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary
shot=$3           # where to save the filled playlist page

source "$(dirname "$0")/programfolder.sh"
mkdir -p "$(dirname "$shot")"

# The records of "Data.mld" whose play count (the last four bytes of each 940-byte record) is $1.
counted() {
    local data="$work/Data.mld" n=0
    for ((i = 0; i < $(stat -c %s "$data") / 940; i++)); do
        [ "$(dd if="$data" bs=940 skip="$i" count=1 2>/dev/null | tail -c 4)" = "$1" ] && n=$((n + 1))
    done
    echo "$n"
}

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    work=$1
    shot=$2
    source "$0"
    eval "$3"                             # counted()
    start_station "$work"
    press 887 440                         # element 11, the album page
    xdotool mousemove 249 422 click 3     # the right button on the first cover: its album, five songs
    sleep 1
    press 888 497                         # element 12, the song list
    xdotool mousemove 400 530 click --repeat 2 --delay 80 1   # a song of another album
    sleep 1
    xdotool mousemove 906 639 click 1     # the random-count box
    xdotool key ctrl+a type 3
    press 887 668                         # element 15, the random pick
    press 703 321                         # element 6, the playlist page
    import -window root "$shot"
    press 543 319                         # element 3, play
    for _ in $(seq 1 120); do
        [ "$(counted "1   ")" = 9 ] && break
        sleep 0.5
    done
    sleep 1
    press 998 19                          # element 9, exit
' "$(dirname "$0")/startstation.sh" "$work" "$shot" "$(declare -f counted)"

played=$(counted "1   ")
never=$(counted "    ")
[ "$played" = 9 ] || { echo "Data.mld counts $played songs played once, not the 9 queued"; exit 1; }
[ "$never" = 31 ] || { echo "Data.mld leaves $never songs unplayed, not 31"; exit 1; }
player_ended
echo "an album, a double-clicked song and three random songs queued with the mouse and played once each"
