#!/bin/sh
# Runs one end-to-end test program on a desktop of its own: an Xvfb on a free
# display, optionally openbox on it, and a PulseAudio server whose one sink
# writes what it plays into a FIFO at real-time pace (VELMORA_SINK_FIFO).
# Everything is stopped when the program ends; its exit status is returned.
#
#   x_session.sh [--wm] [--screen WIDTHxHEIGHT] program [arguments]
set -eu

wm=no
screen=1280x1024
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) wm=yes; shift ;;
        --screen) screen=$2; shift 2 ;;
        *) break ;;
    esac
done

root=$(mktemp -d)
pids=""
stop() {
    # Wine's server outlives its programs; it must not outlive their display.
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$root"
}
trap stop EXIT
trap 'exit 1' INT TERM

# Polls a condition (a shell command) ten times a second, 20 s at most.
await() {
    what=$1
    shift
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ]; then
            echo "x_session: $what" >&2
            cat "$root"/*.log >&2 2>/dev/null
            exit 1
        fi
        sleep 0.1
    done
}

# The X server picks a free display itself and writes its number.
# -noreset: the server would otherwise reset when its first client (the
# readiness check) leaves, and refuse the next one meanwhile.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$root/display" 2>"$root/xvfb.log" &
pids="$!"
await "Xvfb did not start" test -s "$root/display"
DISPLAY=":$(cat "$root/display")"
export DISPLAY
await "Xvfb does not answer on $DISPLAY" xdpyinfo

if [ "$wm" = yes ]; then
    openbox --sm-disable >"$root/openbox.log" 2>&1 &
    pids="$pids $!"
    await "openbox did not take the display" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

# A sound server of the session's own, reached only through its socket.
mkdir -m 700 -p "$root/pulse"
export HOME="$root/pulse" XDG_RUNTIME_DIR="$root/pulse" PULSE_RUNTIME_PATH="$root/pulse/run" \
    PULSE_STATE_PATH="$root/pulse/state" PULSE_SERVER="unix:$root/pulse/native"
unset DBUS_SESSION_BUS_ADDRESS
VELMORA_SINK_FIFO="$root/pulse/sink.fifo"
VELMORA_SINK_RATE=22050
export VELMORA_SINK_FIFO VELMORA_SINK_RATE
pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disable-shm=yes \
    -L "module-pipe-sink sink_name=velmora_sink file=$VELMORA_SINK_FIFO format=s16le rate=$VELMORA_SINK_RATE channels=1 use_system_clock_for_timing=yes" \
    -L "module-native-protocol-unix socket=$root/pulse/native auth-anonymous=1" >"$root/pulse.log" 2>&1 &
pids="$pids $!"
await "the sound server's sink did not appear" sh -c 'pactl list short sinks | grep -q velmora_sink'

status=0
"$@" || status=$?
exit "$status"
