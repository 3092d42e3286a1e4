#!/usr/bin/env bash
# Plays a queued album through on the real station and the real stand-in player (no sound device) on a
# virtual display, with songs of two seconds; the driver checks the counts, the last-songs list and the
# labels of both windows, and ends the station. Then the player must be gone too.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary
driver=$3         # tunnora-e2e-playback

source "$(dirname "$0")/programfolder.sh"

xvfb-run -a -s "-screen 0 1024x768x24" "$driver" "$work"

player_ended
echo "the album played through"
