#!/usr/bin/env bash
# Starts the real station with the real stand-in player (no sound device) on a virtual display, on a
# program folder holding a generated library, and checks that it comes up and stays up: the settings
# file is written, the player runs, and the window shows the skin.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary

work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
    [ -n "${station:-}" ] && kill "$station" 2>/dev/null || true
    pkill -f "$work/tunnora-player" 2>/dev/null || true
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

cp "$built/tunnora" "$built/tunnora-player" "$work/"
cp -r "$built/Skin" "$work/"
mkdir -p "$work/Pictures"
"$makelibrary" --artists 4 --albums 2 --songs 5 --seconds 2 --covers --database "$work" "$work/Music" >/dev/null

export XDG_RUNTIME_DIR="$runtime"
export TUNNORA_PLAYER_AO=null
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/tunnora" &
    station=$!
    for _ in $(seq 1 50); do
        [ -s "$1/Conf.mld" ] && break
        sleep 0.2
    done
    sleep 2
    kill -0 "$station" || { echo "the station ended during its start"; exit 1; }
    import -window root "$1/screen.png"
    kill "$station"
' _ "$work"

[ "$(stat -c %s "$work/Conf.mld")" = 4146 ] || { echo "no settings file"; exit 1; }
pgrep -f "$work/tunnora-player" >/dev/null || { echo "the player did not start"; exit 1; }
# A skinned screen has many colours; an empty or failed window has a handful.
colours=$(convert "$work/screen.png" -format %k info:)
[ "$colours" -gt 1000 ] || { echo "the screen shows $colours colours only"; exit 1; }
echo "the station started: $colours colours on screen"
