#!/usr/bin/env bash
# Drives the real station with the mouse and the keyboard on a virtual 1024x768 display: the database
# page, the add-more-songs page, the delete page with the screen password typed, then a folder chosen
# in the folder box with the keys and scanned with get files. The new database holds the generated
# songs, the song list shows them, and the station starts again on them.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary

source "$(dirname "$0")/programfolder.sh"
cleanup() {
    for pid in $(pgrep -f "$work/tunnora" || true); do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT
# Twelve new songs: two artists of two albums of three songs.
"$makelibrary" --artists 2 --albums 2 --songs 3 --seconds 1 "$work/NewMusic" >/dev/null
# The folder boxes start in the folder the station was started from.
cd "$work"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    work=$1
    source "$0"
    start_station "$work"
    # Centres of the elements in pixels: their places in twips over 15.
    press() { xdotool mousemove "$1" "$2" click 1; sleep 1.5; }
    key() { xdotool key "$@"; sleep 0.3; }
    press 888 497                     # bar element 12: the database page
    press 245 710                     # add more songs
    press 662 580                     # delete database
    xdotool type --delay 50 Kestrum   # into the password box, which has the focus
    press 436 441                     # OK
    press 476 580                     # cancel: the add-more-songs page slides out
    import -window root "$work/emptied.png"
    press 245 710                     # add more songs again
    press 512 345                     # into the folder box: its subfolders are Music, NewMusic, Pictures, Skin
    key End
    key Up Up
    key Return                        # opens NewMusic
    press 352 580                     # get files
    sleep 1
    import -window root "$work/scanned.png"
    press 998 19                      # element 9: exit
    for _ in $(seq 1 50); do kill -0 "$station" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$station" 2>/dev/null; then echo "the exit element did not end the station"; exit 1; fi
    start_station "$work"
    import -window root "$work/restarted.png"
    kill "$station"
' "$(dirname "$0")/startstation.sh" "$work"

size() { stat -c %s "$work/$1"; }
[ "$(size Data.mld)" = $((12 * 940)) ] || { echo "Data.mld holds $(size Data.mld) bytes, not 12 songs"; exit 1; }
[ "$(size Album.mld)" = $((4 * 511)) ] || { echo "Album.mld holds $(size Album.mld) bytes, not 4 albums"; exit 1; }
[ "$(size Artist.mld)" = $((4 * 511)) ] || { echo "Artist.mld holds $(size Artist.mld) bytes, not 4 entries"; exit 1; }
new=$(grep -a -o "$work/NewMusic/" "$work/Data.mld" | wc -l)
[ "$new" = 12 ] || { echo "Data.mld names $new songs of the new folder"; exit 1; }
# The song list (165,367, 690x322 pixels) was empty after the deletion and shows the songs now.
area() { convert "$1" -crop 690x322+165+367 +repage "$2"; }
area "$work/emptied.png" "$work/a-emptied.png"
area "$work/scanned.png" "$work/a-scanned.png"
listed=$(compare -metric AE -fuzz 2% "$work/a-emptied.png" "$work/a-scanned.png" null: 2>&1 || true)
[ "${listed%%.*}" -gt 2000 ] || { echo "the song list did not fill: $listed pixels changed"; exit 1; }
colours=$(convert "$work/restarted.png" -format %k info:)
[ "$colours" -gt 1000 ] || { echo "the restarted station shows $colours colours only"; exit 1; }
echo "deleted and scanned 12 songs through the pages ($listed pixels of the list changed), restarted on them"
