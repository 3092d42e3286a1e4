# Starts the station of program folder $1 in the background ($station holds its process id) and waits
# until it has written its settings and shown its window. Sourced by the shell on the virtual display.
start_station() {
    "$1/tunnora" &
    station=$!
    for _ in $(seq 1 50); do
        [ -s "$1/Conf.mld" ] && break
        sleep 0.2
    done
    sleep 2
    kill -0 "$station" || { echo "the station ended during its start"; return 1; }
}

# A left click at the centre of a bar element, in pixels (its place and size in twips over 15), and
# time for what it starts (a door or page move) to end.
press() { xdotool mousemove "$1" "$2" click 1; sleep 1.5; }
