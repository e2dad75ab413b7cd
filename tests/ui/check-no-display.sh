#!/usr/bin/env bash
# The program started where no graphical display can be opened: one line on
# standard error saying so and how to run it, and status 1 (not Qt's abort).
#
#   check-no-display.sh <vorlan executable>
set -u
program=$1
failures=0

# A display number no X server listens on.
dead=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        dead=":$n"
        break
    fi
done
[ -n "$dead" ] || { echo "no free display number"; exit 1; }

check() {
    local name=$1
    shift
    local err status lines
    err=$(mktemp)
    timeout 60 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$program" </dev/null >/dev/null 2>"$err"
    status=$?
    lines=$(wc -l <"$err")
    if [ "$status" != 1 ] || [ "$lines" != 1 ] ||
        ! grep -q "no graphical display could be opened" "$err" || ! grep -q "DISPLAY" "$err"; then
        echo "FAIL $name: status $status, $lines lines on stderr:"
        head -n 20 "$err"
        failures=$((failures + 1))
    else
        echo "ok   $name: $(cat "$err")"
    fi
    rm -f "$err"
}

check "DISPLAY unset" -u DISPLAY
check "DISPLAY empty" DISPLAY=
check "no server at $dead" DISPLAY="$dead"
check "no server at $dead, platform xcb named" DISPLAY="$dead" QT_QPA_PLATFORM=xcb

[ "$failures" = 0 ]
