#!/usr/bin/env bash
# Long captions on the real station's pages, on a virtual 1024x768 display: the first album cell's title
# ("Album 01 of Café Tacuba Trio", too wide for its cell) ends in "…" with both its ends inside the
# cell, and resting the pointer on it shows the whole title in a tool tip (the screen is saved to $3
# then); a long search's found count ends in "…" inside the page (saved to $4).
source "$(dirname "$0")/programfolder.sh"
export tooltip=$3 search=$4
mkdir -p "$(dirname "$tooltip")" "$(dirname "$search")"

on_display '
    press 887 440                               # element 11, the album page
    capture "$work/album.png"
    xdotool mousemove 249 485; sleep 2          # rest on the first cell'"'"'s album title
    capture "$tooltip"
    press 887 611                               # element 14, the search page
    xdotool type "Song 01 of Album"
    xdotool key Return
    sleep 1
    capture "$search"
    exit_station
'

# The box (WxH+X+Y) of the dark ink in the area $2 (WxH+X+Y) of the picture $1.
ink() { convert "$1" -crop "$2" +repage -colorspace gray -threshold 40% -negate -format %@ info:; }

# Fails unless the caption in the area $2 of the picture $1 (named $3) stays clear of the area's edges
# and ends in "…": the last two columns of its ink hold only a dot, in the lower half of the caption.
ends_in_ellipsis() {
    local w h x y aw ah ax ay dw dh dx dy
    IFS='x+' read -r w h x y <<<"$(ink "$1" "$2")"
    IFS='x+' read -r aw ah ax ay <<<"$2"
    [ "$x" -ge 1 ] && [ $((x + w)) -lt "$aw" ] || { echo "$3 is cut at an edge: ink ${w}x$h+$x+$y in $2"; exit 1; }
    IFS='x+' read -r dw dh dx dy <<<"$(ink "$1" "2x$h+$((ax + x + w - 2))+$((ay + y))")"
    [ "$dh" -le 3 ] && [ $((2 * dy)) -ge "$h" ] || { echo "$3 does not end in an ellipsis"; exit 1; }
}

# The first cell's album title: SLAlbum(1), 160x19 pixels at 169,476.
ends_in_ellipsis "$work/album.png" 160x19+169+476 "the album title"
# The found count: Label21 at 663,352 reaches to 861, four pixels short of the page's right edge; the
# area checked runs from just left of it to that edge.
ends_in_ellipsis "$search" 205x19+660+352 "the found count"
IFS='x+' read -r w h x y <<<"$(ink "$search" 205x19+660+352)"
[ $((660 + x + w)) -le 861 ] || { echo "the found count reaches past its label to $((660 + x + w))"; exit 1; }

# The tool tip: what changed in the page area while the pointer rested on the title, wider than the
# title's 160 pixels because it holds the whole of it.
area "$work/album.png" "$work/a.png"
area "$tooltip" "$work/b.png"
IFS='x+' read -r w h x y <<<"$(convert "$work/a.png" "$work/b.png" -compose difference -composite \
    -colorspace gray -threshold 5% -format %@ info:)"
[ "$w" -gt 160 ] && [ "$h" -lt 40 ] || { echo "no tool tip with the whole title: ${w}x$h+$x+$y changed"; exit 1; }
echo "the album title and the found count end in an ellipsis; the title's tool tip is $w pixels wide"
