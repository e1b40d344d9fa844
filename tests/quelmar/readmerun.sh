#!/usr/bin/env bash
# The README's run command as a new user meets it: quelmar started from stage/bin with the demo
# scene, several times, on a display of its own without a window manager. Each time the Kalmeno
# window must answer the keyboard (Ctrl+O opens the scene dialog) and the mouse (a click on the
# menu bar opens a menu), and SIGTERM must end the host with status 0.
# usage: readmerun.sh STAGE_BIN [STARTS]
set -euo pipefail
stage_bin=$1
starts=${2:-5}
work=$(mktemp -d)
xvfb=""
host=""

cleanup() {
    if [ -n "$host" ]; then kill -KILL "$host" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "readmerun: $*" >&2
    if [ -n "$xvfb" ] && ! kill -0 "$xvfb" 2>/dev/null; then
        echo "(the test's Xvfb has ended: $(cat "$work/xvfb.txt"))" >&2
    fi
    if [ -f "$work/output.txt" ]; then
        echo "--- what quelmar wrote:" >&2
        cat "$work/output.txt" >&2
    fi
    # A hang seen once in a test run is understood from where each thread stood.
    if [ -n "$host" ] && kill -0 "$host" 2>/dev/null && command -v gdb >/dev/null; then
        echo "--- quelmar's threads:" >&2
        timeout 60 gdb -p "$host" -batch -nx -ex 'thread apply all bt 40' >&2 2>&1 || true
    fi
    exit 1
}

# Runs the command every 0.1 s until it succeeds, for at most `seconds`.
within() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        tries=$((tries - 1))
        if [ "$tries" -le 0 ]; then return 1; fi
        sleep 0.1
    done
}

# The host's visible windows, and the main window among them.
windows() { xdotool search --onlyvisible --pid "$host" --name '' 2>/dev/null | sort || true; }
# --all: both the process and the name (xdotool takes any one by default, and the host's viewport
# is a window of the same process).
main_window() { xdotool search --all --onlyvisible --pid "$host" --name '^Kalmeno$' 2>/dev/null | head -n 1 || true; }
has_main_window() { [ -n "$(main_window)" ]; }
windows_differ_from() { [ "$(windows)" != "$1" ]; }
windows_are() { [ "$(windows)" == "$1" ]; }
# Ended, reaped or not (a zombie still answers kill -0).
ended() {
    local state
    state=$(sed 's/.*) //' "/proc/$host/stat" 2>/dev/null | cut -d ' ' -f 1) || true
    [ -z "$state" ] || [ "$state" == Z ]
}

# Xvfb picks a free display itself and names it on fd 3 once it accepts clients. Without
# -noreset it would start afresh whenever its last client leaves, just when the next start comes.
Xvfb -displayfd 3 -noreset -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.txt" &
xvfb=$!
within 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.txt")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset XAUTHORITY

cd "$stage_bin"
for start in $(seq "$starts"); do
    ./quelmar --scene ../Kalmeno/demo/demo.xml >"$work/output.txt" 2>&1 &
    host=$!
    within 60 has_main_window || fail "start $start: no Kalmeno window"
    window=$(main_window)
    alone=$(windows)

    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+o
    within 10 windows_differ_from "$alone" || fail "start $start: Ctrl+O opened no dialog"
    xdotool key Escape
    within 10 windows_are "$alone" || fail "start $start: Escape left the dialog open"

    xdotool mousemove --window "$window" 20 10 click 1
    within 10 windows_differ_from "$alone" || fail "start $start: a click on the menu bar opened no menu"
    xdotool key Escape
    within 10 windows_are "$alone" || fail "start $start: Escape left the menu open"

    kill -TERM "$host"
    within 10 ended || fail "start $start: quelmar still runs 10 s after SIGTERM"
    status=0
    wait "$host" || status=$?
    host=""
    [ "$status" -eq 0 ] || fail "start $start: quelmar ended with status $status after SIGTERM"
    echo "start $start: the window answered the keyboard and the mouse; SIGTERM ended quelmar with status 0"
done
