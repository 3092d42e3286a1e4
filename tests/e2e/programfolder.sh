# Sourced by the end-to-end tests: a program folder ($work) with the built station, its player and
# skin and a generated library of 40 short songs, a private runtime folder ($runtime), and the
# environment for the real stand-in player without a sound device on the X display.
# Needs $built (the build's program folder) and $makelibrary (tunnora-makelibrary).
work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
cp "$built/tunnora" "$built/tunnora-player" "$work/"
cp -r "$built/Skin" "$work/"
mkdir -p "$work/Pictures"
"$makelibrary" --artists 4 --albums 2 --songs 5 --seconds 2 --covers --database "$work" "$work/Music" >/dev/null
export XDG_RUNTIME_DIR="$runtime"
export TUNNORA_PLAYER_AO=null
export QT_QPA_PLATFORM=xcb

# Ends whatever still runs from the program folder (the station and its player) and removes the
# folders, however the test ends.
cleanup() {
    for pid in $(pgrep -f "$work/tunnora" || true); do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

# The page area behind the doors (BackPage at 155,337, 710x392 pixels) of a screen picture, and how
# many pixels two pictures differ in.
area() { convert "$1" -crop 710x392+155+337 +repage "$2"; }
differing() { compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true; }

# Waits up to five seconds for the player of $work to end; fails when it still runs then.
player_ended() {
    for _ in $(seq 1 50); do
        pgrep -f "$work/tunnora-player" >/dev/null || return 0
        sleep 0.1
    done
    echo "the player is still running"
    return 1
}
