# Sourced by the end-to-end tests, with the build's program folder ($1) and tunnora-makelibrary ($2): a
# program folder ($work) with the built station, its player and skin and a generated library of 40 short
# songs (of $E2E_SONG_SECONDS seconds, 2 when not set), a private runtime folder, and the environment for
# the real stand-in player without a sound device on the X display.
set -euo pipefail
built=$1
makelibrary=$2
e2e=$(dirname "${BASH_SOURCE[0]}")
source "$e2e/startstation.sh"
work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
cp "$built/tunnora" "$built/tunnora-player" "$work/"
cp -r "$built/Skin" "$work/"
mkdir -p "$work/Pictures"
"$makelibrary" --artists 4 --albums 2 --songs 5 --seconds "${E2E_SONG_SECONDS:-2}" --covers --database "$work" \
    "$work/Music" >/dev/null
export work XDG_RUNTIME_DIR="$runtime" TUNNORA_PLAYER_AO=null QT_QPA_PLATFORM=xcb

# Ends whatever still runs from the program folder (the station and its player) and removes the
# folders, however the test ends.
cleanup() {
    for pid in $(pgrep -f "$work/tunnora" || true); do kill "$pid" 2>/dev/null || true; done
    [ -z "${display_server:-}" ] || kill "$display_server" 2>/dev/null || true
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

# Runs the command $2... on a virtual display of its own of the size $1 (WIDTHxHEIGHT) and ends the
# display after it. The display server picks a free display number itself (-displayfd), so tests that
# start at the same moment never meet on one display, as they could when each looked for a free number.
on_virtual_display() {
    local size=$1 number status=0
    shift
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$runtime/display" 2>"$runtime/display.log" &
    display_server=$!
    for _ in $(seq 1 200); do
        [ -s "$runtime/display" ] && break
        sleep 0.05
    done
    number=$(head -1 "$runtime/display")
    [ -n "$number" ] || { echo "the virtual display did not start"; cat "$runtime/display.log"; return 1; }
    DISPLAY=":$number" "$@" || status=$?
    kill "$display_server" 2>/dev/null || true
    wait "$display_server" 2>/dev/null || true
    display_server=
    return "$status"
}

# Runs the bash script $1 on a virtual display of 1024x768 pixels, or of the size $2 (WIDTHxHEIGHT),
# once the station of $work has started there (the helpers of startstation.sh loaded); the variables it
# needs are exported to it.
on_display() {
    on_virtual_display "${2:-1024x768}" bash -c "set -euo pipefail; source '$e2e/startstation.sh'
        start_station \"\$work\"; $1"
}

# The page area behind the doors (BackPage at 155,337, 710x392 pixels) of a screen picture, and how
# many pixels two pictures differ in.
area() { convert "$1" -crop 710x392+155+337 +repage "$2"; }
differing() { compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true; }

# Fails with the message $2 unless the number of pixels $1 (as compare gives it) is above $3.
changed_over() { [ "${1%%.*}" -gt "$3" ] || { echo "$2: $1 pixels changed"; exit 1; }; }

# Waits up to five seconds for the player of $work to end; fails when it still runs then.
player_ended() {
    for _ in $(seq 1 50); do
        pgrep -f "$work/tunnora-player" >/dev/null || return 0
        sleep 0.1
    done
    echo "the player is still running"
    return 1
}

# As on_display, with the openbox window manager managing the display from before the station starts.
on_managed_display() {
    on_virtual_display 1024x768 bash -c "set -euo pipefail; source '$e2e/startstation.sh'
        start_window_manager; start_station \"\$work\"; $1"
}
