#!/usr/bin/env bash
# Runs a command inside a private X session: Xvfb on a free display with the
# openbox window manager. Exits with the command's status; the server and the
# window manager are stopped however the command ends.
#
#   scripts/with-x11.sh <command> [args...]
#
# XVFB_SCREEN overrides the screen (default 1280x1024x24).
set -u

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [args...]" >&2
    exit 2
fi

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-x11: $tool not found (packages xvfb, openbox, x11-utils)" >&2
        exit 127
    fi
done

startup_timeout=15
source "$(dirname "$0")/session-lib.sh"
session_begin with-x11

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
unset WAYLAND_DISPLAY

# openbox needs a writable home for its settings; keep the caller's one out.
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    openbox --sm-disable </dev/null >"$work/openbox.log" 2>&1 &
wm_pid=$!
session_track "$wm_pid"

deadline=$((SECONDS + startup_timeout))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'; do
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox exited during start-up"
    [ "$SECONDS" -lt "$deadline" ] || fail "openbox did not come up within ${startup_timeout}s"
    sleep 0.1
done

session_run "$@"
