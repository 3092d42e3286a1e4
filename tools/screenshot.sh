#!/usr/bin/env bash
# Starts the station from a program folder on a virtual 1024x768 display and saves a picture of the
# screen. Usage: tools/screenshot.sh <program folder> <output.png> [seconds to wait]
set -euo pipefail
folder=$(cd "$1" && pwd)
out=$(realpath -m "$2")
wait_s=${3:-4}
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export TUNNORA_PLAYER_AO=${TUNNORA_PLAYER_AO:-null}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/tunnora" &
    pid=$!
    sleep "$3"
    import -window root "$2"
    kill "$pid" 2>/dev/null || true
    pkill -u "$(id -u)" -f "$1/tunnora-player" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' _ "$folder" "$out" "$wait_s"
echo "$out"
