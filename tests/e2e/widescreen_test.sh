#!/usr/bin/env bash
# Starts the real station with the real stand-in player on a virtual 1920x1080 display, where the station
# fills 1440x1080 pixels at the left (its 1024x768 design at 1.40625) and a band in the window's back
# colour lies beside it. The playlist element slides its page in (the screen is saved to $3 then): the
# page lies where it lies on a 4:3 screen, so the band stays blank and the next song's cover and panel
# right of the page and the transport buttons below it show as before.
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

on_display '
    capture "$work/before.png"
    xdotool mousemove 989 451 click 1     # element 6, the playlist page (703,321 on a 1024x768 screen)
    # The page is in once its lowest rows, 400 pixels down, cover a wide stretch of what was there
    # before; it slides in within a second, and a last shot is taken after it has come to rest.
    convert "$work/before.png" -crop 1920x1+0+400 +repage "$work/row-before.png"
    for _ in $(seq 1 40); do
        sleep 0.25
        capture "$shot"
        convert "$shot" -crop 1920x1+0+400 +repage "$work/row.png"
        changed=$(compare -metric AE -fuzz 2% "$work/row-before.png" "$work/row.png" null: 2>&1 || true)
        [ "${changed%%.*}" -gt 800 ] && break
    done
    sleep 0.5
    capture "$shot"
    exit_station 1404 27                  # element 9 at 998,19 on a 1024x768 screen
' 1920x1080

# The region WxH+X+Y of the shots before and after the page came in, and how many pixels differ there.
region_changed() {
    convert "$work/before.png" -crop "$1" +repage "$work/r-before.png"
    convert "$shot" -crop "$1" +repage "$work/r-after.png"
    differing "$work/r-before.png" "$work/r-after.png"
}

# The page came in: it lies over the page area of the design screen (220,105 to 1219,415 here).
page=$(region_changed 990x300+225+110)
changed_over "$page" "the playlist page did not slide in" 50000

# The band beside the station holds the window's back colour alone, before and after.
band=480x1080+1440+0
for picture in "$work/before.png" "$shot"; do
    colours=$(convert "$picture" -crop "$band" +repage -format %k info:)
    [ "$colours" = 1 ] || { echo "the band beside the station shows $colours colours in $(basename "$picture")"; exit 1; }
done
blank=$(convert "$work/before.png" -crop 1x1+1900+540 -format '%[pixel:p{0,0}]' info:)
after=$(convert "$shot" -crop 1x1+1900+540 -format '%[pixel:p{0,0}]' info:)
[ "$blank" = "$after" ] || { echo "the band turned from $blank to $after"; exit 1; }

# Right of the page's place, the next song's cover and panel (1225,110 to 1435,410) are as before, and
# so are the transport buttons below the page (620,431 to 825,467).
panel=$(region_changed 210x300+1225+110)
[ "${panel%%.*}" -lt 100 ] || { echo "the page covers the next song's panel: $panel pixels changed"; exit 1; }
buttons=$(region_changed 205x36+620+431)
[ "${buttons%%.*}" -lt 50 ] || { echo "the page covers the transport buttons: $buttons pixels changed"; exit 1; }

player_ended
echo "the playlist page slid in over the station ($page pixels changed), the band stayed $blank, the next" \
    "song's panel ($panel pixels changed) and the transport buttons ($buttons) stayed as they were"
