#!/usr/bin/env bash
# Fills the playlist of the real station with the mouse on a virtual 1024x768 display: a whole album by
# the right button on the album page's first cover, a song of the song list by a double-click, three
# random songs typed into the random-count box and picked with the bar's random element (the playlist
# page, then holding nine songs, is saved to $3). Then play plays them through on the real stand-in
# player, and "Data.mld" counts each of the nine songs once and no other song.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_display '
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
    capture "$shot"
    press 543 319                         # element 3, play
    for _ in $(seq 1 120); do
        [ "$(counted "1   ")" = 9 ] && break
        sleep 0.5
    done
    sleep 1
    exit_station
'

played=$(counted "1   ")
never=$(counted "    ")
[ "$played" = 9 ] || { echo "Data.mld counts $played songs played once, not the 9 queued"; exit 1; }
[ "$never" = 31 ] || { echo "Data.mld leaves $never songs unplayed, not 31"; exit 1; }
player_ended
echo "an album, a double-clicked song and three random songs queued with the mouse and played once each"
