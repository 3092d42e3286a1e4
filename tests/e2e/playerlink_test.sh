#!/usr/bin/env bash
# Puts the link between the real station and the real stand-in player through the trial $4 of the driver
# $3 (see playerlink_e2e.cpp) on a virtual display, with no sound device; the "commands" trial plays songs
# of eight seconds. Then the player must be gone too.
if [ "$4" = commands ]; then
    export E2E_SONG_SECONDS=8
fi
source "$(dirname "$0")/programfolder.sh"
on_virtual_display 1024x768 "$3" "$work" "$4"
player_ended
echo "the trial $4 passed"
