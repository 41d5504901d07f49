# shellcheck shell=bash
# Sourced by the scripts that run the Standalone app and look at its window, some of them through
# a JACK server of their own on its dummy driver (no sound card needed; JACK_DEFAULT_SERVER names
# it).

# Stops a process with the signal, waiting up to 10 s before killing it. The app quits on an
# interrupt, closing its JACK clients; the server shuts down on a termination request and releases
# its shared memory. Killing either leaves stale entries in JACK's server registry, which holds
# only a few servers.
stop_process() {
    local pid=$1 signal=$2
    [ -n "$pid" ] || return 0
    kill "-$signal" "$pid" 2> /dev/null || return 0
    for _ in $(seq 100); do
        kill -0 "$pid" 2> /dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2> /dev/null || true
}

# Starts the server at 48 kHz in 1024-frame periods, its output appended to the file given, and
# sets jackd_pid; fails when it does not answer within 20 s.
start_dummy_jack() {
    jackd --no-realtime --name "$JACK_DEFAULT_SERVER" -d dummy --rate 48000 --period 1024 \
        >> "$1" 2>&1 &
    jackd_pid=$!
    timeout 20 jack_wait --wait --server "$JACK_DEFAULT_SERVER" > /dev/null
}

# Starts the app given, its output to the file given, and waits for its window: sets app_pid,
# window and the window's WIDTH and HEIGHT in device pixels; fails when no window shows in 20 s.
open_standalone() {
    "$1" > "$2" 2>&1 &
    app_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Halvo$' |
        head -n 1) && [ -n "$window" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

# The app frames the plug-in window (of the width and height given, in device pixels) with its
# own border, title bar and any notification above it: the plug-in window lies at the bottom,
# centred. Sets editor_x and editor_y; fails when the app's window is smaller.
locate_plugin_window() {
    [ "$WIDTH" -ge "$1" ] && [ "$HEIGHT" -ge "$2" ] || return 1
    local border=$(((WIDTH - $1) / 2))
    editor_x=$border
    editor_y=$((HEIGHT - border - $2))
}
