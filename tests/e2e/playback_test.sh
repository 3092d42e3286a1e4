#!/usr/bin/env bash
# Plays a queued album through on the real station and the real stand-in player (no sound device) on a
# virtual display, with songs of two seconds, while $4 (none when not given) other connections keep asking
# the player's state, and with the player held still (stopped by a signal) for $5 milliseconds (not at all
# when not given) once the first song is past its first second, or, with $6 "handover", from the moment
# the station hands the second song to the player; the driver ($3) checks the counts, the last-songs list
# and the labels of both windows, and ends the station. Then the player must be gone too.
source "$(dirname "$0")/programfolder.sh"
on_virtual_display 1024x768 "$3" "$work" ${4:+"$4"} ${5:+"$5"} ${6:+"$6"}
player_ended
echo "the album played through"
