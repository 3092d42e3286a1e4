#!/usr/bin/env bash
# The album line under the page area on the real station, on a virtual 1024x768 display: with one album
# whose artist and title have descenders and Chinese, Japanese and Korean characters, the line
# Label1(18) shows "1 - artist - album" at its design place, and the light strip of the default skin
# lies behind the whole height of its text, descenders and the lower strokes of the characters
# included (the screen is saved to $3).
source "$(dirname "$0")/programfolder.sh"
export shot=$3
mkdir -p "$(dirname "$shot")"

# A library of one album, which the station makes current at start.
"$makelibrary" --artists 1 --albums 1 --songs 1 --seconds 1 --database "$work" "$work/One" >/dev/null

# Writes the UTF-8 text $2 into the blank-padded text field of $3 bytes at byte $4 of the file $1.
write_field() {
    local bytes
    bytes=$(printf '%s' "$2" | wc -c)
    { printf '%s' "$2"; printf "%$(($3 - bytes))s" ''; } | dd of="$1" bs=1 seek="$4" conv=notrunc status=none
}
artist='Gypsy Jaguar 강물'
album='夜空の歌 乐 yjqp'
for entries in "$work/Album.mld" "$work/Artist.mld"; do
    write_field "$entries" "$artist" 128 2 # the artist field of the first entry
    write_field "$entries" "$album" 125 130 # its album field
done

on_display '
    capture "$shot"
    exit_station
'

# The line's design place: 441,737 and 19 pixels high, the height of its font (Arial 12 bold). The
# text's columns are found in rows that lie on the strip in any case, between its top and its baseline.
top=737 height=19
IFS='x+' read -r w h x y <<<"$(convert "$shot" -crop 420x10+436+740 +repage -colorspace gray \
    -threshold 50% -negate -format %@ info:)"
[ "$w" -gt 150 ] && [ "$w" -lt 420 ] || { echo "no album line at 441,737: dark ink ${w}x$h+$x+$y"; exit 1; }
left=$((436 + x))

# In every row of the line's place, many pixels across the text are light: the strip shows between the
# letters, down to the foot of the descenders. Between the strokes of a row through the middle of bold
# text about half of them are; a row on the dark body holds almost none.
mapfile -t levels < <(convert "$shot" -crop "${w}x$height+$left+$top" +repage -colorspace gray \
    -threshold 50% -scale "1x$height!" -depth 8 -compress none pgm:- | tail -n +4)
[ "${#levels[@]}" -eq "$height" ] || { echo "cannot read the rows of the album line: ${levels[*]}"; exit 1; }
for row in "${!levels[@]}"; do
    light=$((levels[row] * 100 / 255))
    [ "$light" -ge 30 ] ||
        { echo "row $((top + row)) of the album line lies on the dark body: $light% of it light"; exit 1; }
done
echo "the album line's text, $w pixels wide from $left, stands on the light strip in all its $height rows"
