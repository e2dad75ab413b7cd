#!/usr/bin/env bash
# The program started where no graphical display can be opened, also where a
# display takes the connection and then never answers: one line on standard
# error saying so and why, and status 1 (neither Qt's abort nor a hang); a
# SIGTERM while it waits on such a display ends it at once with status 0.
#
#   check-no-display.sh <vorlan executable>
set -u
program=$1
failures=0
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

# Display numbers no X server listens on, nor on their abstract sockets.
free=()
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] &&
        ! grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix; then
        free+=(":$n")
    fi
done
[ "${#free[@]}" -ge 2 ] || { echo "no free display numbers"; exit 1; }
dead=${free[0]}
stalled=${free[1]}

# A display that takes every connection and never answers, on a socket path
# ("@": the abstract socket, where X clients look first); a line per connection.
silent() {
    python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1].replace("@", "\0", 1)); s.listen(8); held = []
while True: held.append(s.accept()[0]); print("taken", flush=True)' "$1" >"$2" &
    until grep -q "${1#@}" /proc/net/unix; do sleep 0.05; done
}
silent "@/tmp/.X11-unix/X${stalled#:}" "$work/x.log"
silent "$work/wayland-silent" /dev/null

# name, what the line must say, then the environment.
check() {
    local name=$1 reason=$2
    shift 2
    timeout 20 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$program" </dev/null >/dev/null 2>"$work/err"
    local status=$? lines
    lines=$(wc -l <"$work/err")
    if [ "$status" != 1 ] || [ "$lines" != 1 ] ||
        ! grep -q "no graphical display could be opened (.*$reason" "$work/err"; then
        echo "FAIL $name: status $status, $lines lines on stderr:"
        head -n 20 "$work/err"
        failures=$((failures + 1))
    else
        echo "ok   $name: $(cat "$work/err")"
    fi
}

check "DISPLAY unset" "DISPLAY is not set" -u DISPLAY
check "DISPLAY empty" "DISPLAY is not set" DISPLAY=
check "not a display name" "DISPLAY=:::: does not name a screen" DISPLAY=::::
check "no server at $dead" "accepts connections at DISPLAY=$dead)" DISPLAY="$dead"
check "no server at $dead, platform xcb named" "DISPLAY=$dead" DISPLAY="$dead" QT_QPA_PLATFORM=xcb
check "silent server at $stalled" "DISPLAY=$stalled does not answer" DISPLAY="$stalled"
check "dead Wayland and dead X" "DISPLAY=$dead; no compositor .*WAYLAND_DISPLAY=vorlan-none" \
    WAYLAND_DISPLAY=vorlan-none DISPLAY="$dead"
check "silent Wayland and silent X" "$stalled does not answer.*wayland-silent does not answer" \
    WAYLAND_DISPLAY="$work/wayland-silent" DISPLAY="$stalled"

# SIGTERM once the program waits on the silent display: status 0, nothing said.
: >"$work/x.log"
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$stalled" "$program" </dev/null 2>"$work/err" &
until [ -s "$work/x.log" ] || ! kill -0 $! 2>/dev/null; do sleep 0.05; done
kill -TERM $!
wait $!
status=$?
if [ "$status" != 0 ] || [ -s "$work/err" ]; then
    echo "FAIL SIGTERM while the display is silent: status $status"
    cat "$work/err"
    failures=$((failures + 1))
else
    echo "ok   SIGTERM while the display is silent"
fi

[ "$failures" = 0 ]
