#!/usr/bin/env bash
# Opens the five browse pages of the real station with the mouse on a virtual 1024x768 display, on a
# library of eight albums with covers of their own: the album page (saved to $3) shows the eight
# covers, and every page opened changes the page area.
set -euo pipefail
built=$1          # the build's program folder
makelibrary=$2    # tunnora-makelibrary
shot=$3           # where to save the album page

source "$(dirname "$0")/programfolder.sh"
mkdir -p "$(dirname "$shot")"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    work=$1
    shot=$2
    source "$0"
    start_station "$work"
    import -window root "$work/closed.png"
    press 887 440                         # element 11, the album page
    import -window root "$shot"
    press 887 382                         # element 10, the single-album page
    import -window root "$work/single.png"
    press 888 497                         # element 12, the database page
    import -window root "$work/database.png"
    press 886 554                         # element 13, the top-10 page
    import -window root "$work/top10.png"
    press 887 611                         # element 14, the search page
    xdotool type "Song"
    xdotool key Return
    sleep 1
    import -window root "$work/search.png"
    press 998 19                          # element 9, exit
' "$(dirname "$0")/startstation.sh" "$work" "$shot"

previous="$work/closed.png"
for page in "$shot" "$work/single.png" "$work/database.png" "$work/top10.png" "$work/search.png"; do
    area "$previous" "$work/a.png"
    area "$page" "$work/b.png"
    changed=$(differing "$work/a.png" "$work/b.png")
    [ "${changed%%.*}" -gt 20000 ] || { echo "$(basename "$page") did not open: $changed pixels changed"; exit 1; }
    previous=$page
done

# The eight covers of the album page (100x100 pixels each, four to a row from 199,372, 174 and 182
# pixels apart) are the albums' own single-colour pictures, not the skin's cover.
convert "$built/Skin/Cover.jpg" -resize 100x100! "$work/skin-cover.png"
for cell in 0 1 2 3 4 5 6 7; do
    x=$((199 + cell % 4 * 174 + 20))
    y=$((372 + cell / 4 * 182 + 20))
    colours=$(convert "$shot" -crop "60x60+$x+$y" +repage -format %k info:)
    [ "$colours" -le 4 ] || { echo "cover $((cell + 1)) is not an album's own cover: $colours colours"; exit 1; }
done
echo "five pages opened with the mouse; the album page shows eight covers of their own"
