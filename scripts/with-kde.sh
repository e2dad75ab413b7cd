#!/usr/bin/env bash
# Runs a command inside a private, headless KDE Plasma compositor: kwin_wayland
# on a virtual output with XWayland, on its own D-Bus session bus, runtime
# folder and home, with the keyboard layouts VORLAN_KDE_LAYOUTS (default
# "us,ir") in its kxkbrc; VORLAN_NO_XWAYLAND=1 leaves XWayland out. Exits with the command's status; the compositor and
# the bus are stopped however the command ends.
#
#   scripts/with-kde.sh <command> [args...]
#
# The command gets WAYLAND_DISPLAY, DISPLAY (XWayland), XDG_RUNTIME_DIR,
# XDG_CONFIG_HOME (holding kxkbrc), DBUS_SESSION_BUS_ADDRESS and
# XDG_CURRENT_DESKTOP=KDE.
set -u

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [args...]" >&2
    exit 2
fi
for tool in kwin_wayland Xwayland dbus-daemon; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-kde: $tool not found (packages kwin-wayland, xwayland, dbus)" >&2
        exit 127
    fi
done

startup_timeout=${VORLAN_SESSION_TIMEOUT:-60}
source "$(dirname "$0")/session-lib.sh"
session_begin with-kde

mkdir -p "$work/run" "$work/home/.config" || fail "cannot make folders in $work"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export XDG_CACHE_HOME="$work/home/.cache" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY

cat >"$XDG_CONFIG_HOME/kxkbrc" <<CONFIG
[Layout]
LayoutList=${VORLAN_KDE_LAYOUTS:-us,ir}
Use=true
ResetOldOptions=true
CONFIG

# A private session bus; the address is written to the fifo once it listens.
mkfifo "$work/busfd" || fail "cannot make a fifo in $work"
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" --print-address=3 \
    3>"$work/busfd" </dev/null >"$work/dbus.log" 2>&1 &
session_track $!
address=""
read -r -t "$startup_timeout" address <"$work/busfd" || fail "dbus-daemon did not start"
export DBUS_SESSION_BUS_ADDRESS="$address"

# The installed binary carries a file capability (to raise its limits) that a
# container may not grant; a plain copy runs without it.
cp /usr/bin/kwin_wayland "$work/kwin_wayland" || fail "cannot copy kwin_wayland"
# Started by KWin once XWayland is up, so it knows the display; its end ends KWin.
cat >"$work/session.sh" <<SESSION
#!/bin/sh
echo "display=\$DISPLAY" >"$work/display.tmp" && mv "$work/display.tmp" "$work/display"
exec sleep 86400
SESSION
chmod +x "$work/session.sh"

xwayland=(--xwayland)
[ "${VORLAN_NO_XWAYLAND:-}" = 1 ] && xwayland=()
# Test programs type through KWin's fake input, which KWin otherwise offers
# only to programs whose desktop entry asks for it.
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    "$work/kwin_wayland" --virtual "${xwayland[@]}" --socket wayland-vorlan --width 1280 --height 800 \
    --no-lockscreen --no-global-shortcuts --no-kactivities \
    --exit-with-session "$work/session.sh" </dev/null >"$work/kwin.log" 2>&1 &
kwin_pid=$!
session_track "$kwin_pid"

deadline=$((SECONDS + startup_timeout))
until [ -s "$work/display" ]; do
    kill -0 "$kwin_pid" 2>/dev/null || fail "kwin_wayland exited during start-up"
    [ "$SECONDS" -lt "$deadline" ] || fail "kwin_wayland did not come up within ${startup_timeout}s"
    sleep 0.2
done
export DISPLAY
DISPLAY=$(sed -n 's/^display=//p' "$work/display")
[ -n "$DISPLAY" ] || unset DISPLAY
export WAYLAND_DISPLAY=wayland-vorlan

session_run "$@"
