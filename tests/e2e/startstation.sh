# Sourced by the end-to-end tests and by the shell on the virtual display.

# Starts the station of program folder $1 in the background ($station holds its process id) and waits
# until it has written its settings and shown its window.
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

# A left click at the centre of an element, in pixels (its place and size in twips over 15), and time
# for what it starts (a door or page move) to end.
press() { xdotool mousemove "$1" "$2" click 1; sleep 1.5; }
capture() { import -window root "$1"; }

# Clicks the exit element 9 (at 998,19 on a 1024x768 screen, or at the pixel $1,$2 given) and waits for
# the station to end; fails when it still runs.
exit_station() {
    xdotool mousemove "${1:-998}" "${2:-19}" click 1
    for _ in $(seq 1 50); do
        kill -0 "$station" 2>/dev/null || return 0
        sleep 0.1
    done
    echo "the exit element did not end the station"
    return 1
}

# The records of "Data.mld" in $work whose play count (the last four bytes of each 940-byte record) is $1.
counted() {
    local data="$work/Data.mld" n=0
    for ((i = 0; i < $(stat -c %s "$data") / 940; i++)); do
        [ "$(dd if="$data" bs=940 skip="$i" count=1 2>/dev/null | tail -c 4)" = "$1" ] && n=$((n + 1))
    done
    echo "$n"
}

# Starts the openbox window manager on the display and waits until it manages it: up to 15 s, as a
# machine busy with other tests can be slow to start it. What it said is shown when it did not start.
start_window_manager() {
    local log="$XDG_RUNTIME_DIR/openbox.log"
    openbox --sm-disable >/dev/null 2>"$log" &
    for _ in $(seq 1 150); do
        wmctrl -m >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "the window manager did not start"
    cat "$log"
    return 1
}

# The one window the station shows at start, and the state of window $1 as the window manager keeps
# it: "Normal" or "Iconic".
first_window() { xdotool search --onlyvisible --pid "$station" | head -1; }
wm_state() { xprop -id "$1" WM_STATE | sed -n 's/^[[:space:]]*window state: //p'; }
