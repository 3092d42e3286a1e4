#!/usr/bin/env bash
# Starts the real station with the real stand-in player (no sound device) on a virtual display, on a
# program folder holding a generated library, and checks that it comes up and stays up: the settings
# file is written, the player runs, and the window shows the skin.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary

source "$(dirname "$0")/programfolder.sh"
cleanup() {
    [ -n "${station:-}" ] && kill "$station" 2>/dev/null || true
    pkill -f "$work/tunnora-player" 2>/dev/null || true
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "$0"
    start_station "$1" || exit 1
    import -window root "$1/screen.png"
    kill "$station"
' "$(dirname "$0")/startstation.sh" "$work"

[ "$(stat -c %s "$work/Conf.mld")" = 4146 ] || { echo "no settings file"; exit 1; }
pgrep -f "$work/tunnora-player" >/dev/null || { echo "the player did not start"; exit 1; }
# A skinned screen has many colours; an empty or failed window has a handful.
colours=$(convert "$work/screen.png" -format %k info:)
[ "$colours" -gt 1000 ] || { echo "the screen shows $colours colours only"; exit 1; }
echo "the station started: $colours colours on screen"
