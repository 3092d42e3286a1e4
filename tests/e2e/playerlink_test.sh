#!/usr/bin/env bash
# Puts the link between the real station and the real stand-in player through the trial $4 of the driver
# $3 (see playerlink_e2e.cpp) on a virtual display, with no sound device; trials that act within a song
# play longer songs than two seconds. Then the player must be gone too.
case "$4" in
commands | pausepause | pausehold | pausekill) export E2E_SONG_SECONDS=8 ;;
position) export E2E_SONG_SECONDS=20 ;;
esac
source "$(dirname "$0")/programfolder.sh"
on_virtual_display 1024x768 "$3" "$work" "$4"
player_ended
echo "the trial $4 passed"
