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
source "$(dirname "$0")/session-lib.sh"
session_begin with-kde "$#"
session_need "kwin-wayland, xwayland, dbus" kwin_wayland Xwayland dbus-daemon

session_private_home
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY

cat >"$XDG_CONFIG_HOME/kxkbrc" <<CONFIG
[Layout]
LayoutList=${VORLAN_KDE_LAYOUTS:-us,ir}
Use=true
ResetOldOptions=true
CONFIG

session_bus DBUS_SESSION_BUS_ADDRESS

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

session_until "$kwin_pid" kwin_wayland test -s "$work/display"
export DISPLAY
DISPLAY=$(sed -n 's/^display=//p' "$work/display")
[ -n "$DISPLAY" ] || unset DISPLAY
export WAYLAND_DISPLAY=wayland-vorlan

session_run "$@"
