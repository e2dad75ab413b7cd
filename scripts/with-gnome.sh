#!/usr/bin/env bash
# Runs a command inside a private, headless GNOME Shell: gnome-shell as a
# Wayland compositor on a virtual 1280x800 monitor with XWayland, on its own
# D-Bus session bus (and a second one standing in for the system bus, without
# which it stops in its login-manager code), runtime folder and home. The
# overview is not shown. Exits with the command's status; the shell and both
# buses are stopped however the command ends.
#
#   scripts/with-gnome.sh <command> [args...]
#
# VORLAN_NO_XWAYLAND=1 starts the shell without XWayland (no DISPLAY then).
# VORLAN_GNOME_SOURCES: the input sources, as gsettings writes them (default
# "[('xkb', 'us'), ('xkb', 'ir')]"). VORLAN_GNOME_EXTENSIONS: UUIDs of
# extensions to enable, space-separated, found through XDG_DATA_DIRS.
# The command gets WAYLAND_DISPLAY, DISPLAY and XAUTHORITY (XWayland),
# XDG_RUNTIME_DIR, DBUS_SESSION_BUS_ADDRESS and XDG_CURRENT_DESKTOP=GNOME.
set -u
source "$(dirname "$0")/session-lib.sh"
session_begin with-gnome "$#"
session_need "gnome-shell, xwayland, dbus, libglib2.0-bin, xauth, x11-utils" \
    gnome-shell Xwayland dbus-daemon gsettings xauth xprop

session_private_home
mkdir -p "$work/data/gnome-shell/modes" || fail "cannot make folders in $work"
export XDG_DATA_DIRS="$work/data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY

session_bus DBUS_SESSION_BUS_ADDRESS
session_bus DBUS_SYSTEM_BUS_ADDRESS

# Settings go to a dconf database in the private home.
gsettings set org.gnome.desktop.input-sources sources \
    "${VORLAN_GNOME_SOURCES:-[('xkb', 'us'), ('xkb', 'ir')]}" || fail "gsettings failed"
extensions=""
for uuid in ${VORLAN_GNOME_EXTENSIONS:-}; do
    extensions="$extensions${extensions:+, }'$uuid'"
done
gsettings set org.gnome.shell enabled-extensions "[$extensions]" || fail "gsettings failed"
gsettings set org.gnome.shell disable-user-extensions false

# The user's session without the overview it opens at start-up.
cat >"$work/data/gnome-shell/modes/vorlan-test.json" <<'MODE'
{ "parentMode": "user", "hasOverview": false }
MODE

no_x11=()
[ "${VORLAN_NO_XWAYLAND:-}" = 1 ] && no_x11=(--no-x11)
gnome-shell --headless --wayland --virtual-monitor 1280x800 --wayland-display wayland-vorlan \
    --mode=vorlan-test "${no_x11[@]}" </dev/null >"$work/gnome-shell.log" 2>&1 &
shell_pid=$!
session_track "$shell_pid"

# No session manager is there to be told XWayland's display: Mutter holds
# the display's lock file under its own process id, and writes the cookie
# into the runtime folder.
deadline=$((SECONDS + startup_timeout))
display=""
while :; do
    kill -0 "$shell_pid" 2>/dev/null || fail "gnome-shell exited during start-up"
    [ "$SECONDS" -lt "$deadline" ] || fail "gnome-shell did not come up within ${startup_timeout}s"
    if [ -z "$display" ] && [ ${#no_x11[@]} -eq 0 ]; then
        for lock in /tmp/.X*-lock; do
            [ -f "$lock" ] && [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$shell_pid" ] || continue
            number=${lock#/tmp/.X}
            number=${number%-lock}
            if [ -z "$display" ] || [ "$number" -lt "${display#:}" ]; then
                display=":$number"
            fi
        done
    fi
    for auth in "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*; do
        [ -s "$auth" ] && export XAUTHORITY="$auth"
    done
    if [ -S "$XDG_RUNTIME_DIR/wayland-vorlan" ] && grep -q "GNOME Shell started" "$work/gnome-shell.log"; then
        [ ${#no_x11[@]} -gt 0 ] && break
        if [ -n "$display" ] && [ -n "${XAUTHORITY:-}" ] &&
            DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'; then
            break
        fi
    fi
    sleep 0.2
done
export WAYLAND_DISPLAY=wayland-vorlan
[ -n "$display" ] && export DISPLAY=$display

session_run "$@"
