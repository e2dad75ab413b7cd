#!/usr/bin/env bash
# Runs a command inside a private X session: Xvfb on a free display with the
# openbox window manager, its own D-Bus session bus and home. Exits with the
# command's status; the server, the window manager and the bus are stopped
# however the command ends.
#
#   scripts/with-x11.sh <command> [args...]
#
# XVFB_SCREEN overrides the screen (default 1280x1024x24).
set -u
source "$(dirname "$0")/session-lib.sh"
session_begin with-x11 "$#"
session_need "xvfb, openbox, x11-utils, dbus" Xvfb openbox xprop dbus-daemon
startup_timeout=${VORLAN_SESSION_TIMEOUT:-15}

# Xvfb picks a free display itself and writes its number to the fifo.
mkfifo "$work/displayfd" || fail "cannot make a fifo in $work"
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
    3>"$work/displayfd" </dev/null >"$work/xvfb.log" 2>&1 &
session_track $!
display_number=""
if ! read -r -t "$startup_timeout" display_number <"$work/displayfd" || [ -z "$display_number" ]; then
    fail "Xvfb did not start within ${startup_timeout}s"
fi
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY XAUTHORITY

session_private_home
session_bus DBUS_SESSION_BUS_ADDRESS
openbox --sm-disable </dev/null >"$work/openbox.log" 2>&1 &
wm_pid=$!
session_track "$wm_pid"
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'; }
session_until "$wm_pid" openbox wm_up

session_run "$@"
