#!/usr/bin/env bash
# Opens the five browse pages of the real station with the mouse on a virtual 1024x768 display, on a
# library of eight albums with covers of their own: the album page (saved to $3) shows the eight
# covers, and every page opened changes the page area.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_display '
    capture "$work/closed.png"
    press 887 440                         # element 11, the album page
    capture "$shot"
    press 887 382                         # element 10, the single-album page
    capture "$work/single.png"
    press 888 497                         # element 12, the database page
    capture "$work/database.png"
    press 886 554                         # element 13, the top-10 page
    capture "$work/top10.png"
    press 887 611                         # element 14, the search page
    xdotool type "Song"
    xdotool key Return
    sleep 1
    capture "$work/search.png"
    exit_station
'

previous="$work/closed.png"
for page in "$shot" "$work/single.png" "$work/database.png" "$work/top10.png" "$work/search.png"; do
    area "$previous" "$work/a.png"
    area "$page" "$work/b.png"
    changed_over "$(differing "$work/a.png" "$work/b.png")" "$(basename "$page") did not open" 20000
    previous=$page
done

# The eight covers of the album page (100x100 pixels each, four to a row from 199,372, 174 and 182
# pixels apart) are the albums' own single-colour pictures, not the skin's cover.
for cell in 0 1 2 3 4 5 6 7; do
    x=$((199 + cell % 4 * 174 + 20))
    y=$((372 + cell / 4 * 182 + 20))
    colours=$(convert "$shot" -crop "60x60+$x+$y" +repage -format %k info:)
    [ "$colours" -le 4 ] || { echo "cover $((cell + 1)) is not an album's own cover: $colours colours"; exit 1; }
done
echo "five pages opened with the mouse; the album page shows eight covers of their own"
