#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and checks it as a user's desktop would meet it: the expected files,
# valid menu entry and AppStream data, dependencies taken from the binary, and
# a program that starts, stays up and ends cleanly when asked to.
#
#   check-package.sh <build folder>
set -uo pipefail

build=${1:?usage: check-package.sh <build folder>}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-package.XXXXXX")
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

id=example.vorlan.Dictionary

if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack did not build the package"
    exit 1
fi
debs=("$scratch"/out/vorlan_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { fail "no vorlan_*.deb in $scratch/out"; exit 1; }
echo "package: $(basename "$deb")"

# Dependencies computed from the binary, plus what it loads by other means.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (|].*//')
for needed in libqt6widgets6 libqt6svg6 libqt6dbus6 libespeak-ng1 libxtst6 libxkbfile1 qt6-qpa-plugins; do
    grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root" || { fail "dpkg -x failed"; exit 1; }
expected=(
    usr/bin/vorlan
    usr/share/applications/$id.desktop
    usr/share/doc/vorlan/LICENSE
    usr/share/doc/vorlan/NOTICE
    usr/share/doc/vorlan/copyright
    usr/share/doc/vorlan/README.md
    usr/share/gnome-shell/extensions/vorlan-input-sources@example.vorlan/extension.js
    usr/share/gnome-shell/extensions/vorlan-input-sources@example.vorlan/metadata.json
    usr/share/icons/hicolor/32x32/apps/$id.png
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/metainfo/$id.metainfo.xml
)
actual=$(cd "$root" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] || fail "installed files differ:$(diff <(echo "$wanted") <(echo "$actual") | sed 's/^/\n  /')"
[ -x "$root/usr/bin/vorlan" ] || fail "usr/bin/vorlan is not executable"

desktop="$root/usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli rejects $id.metainfo.xml"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"
grep -qx "Exec=vorlan" "$desktop" || fail "the menu entry does not start vorlan"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "$root/usr/share/metainfo/$id.metainfo.xml" || fail "the metainfo does not launch $id.desktop"
file -b "$root/usr/share/icons/hicolor/32x32/apps/$id.png" | grep -q '^PNG image data, 32 x 32' ||
    fail "the bitmap icon is not a 32x32 PNG"
grep -q "CC BY-SA 3.0" "$root/usr/share/doc/vorlan/NOTICE" || fail "NOTICE lacks the word lists' licence"
grep -q "GNU GENERAL PUBLIC LICENSE" "$root/usr/share/doc/vorlan/LICENSE" || fail "LICENSE is not the GPL"

# The installed program: up within 30 s however slow the machine, still up
# two seconds later, and ended by SIGTERM through its own event loop.
log="$scratch/vorlan.log"
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="vorlan.startup.info=true" \
    "$root/usr/bin/vorlan" </dev/null >"$log" 2>&1 &
app_pid=$!
for _ in $(seq 300); do
    grep -q "window up" "$log" && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q "window up" "$log"; then
    fail "the installed program did not bring its window up"
else
    sleep 2
    if ! kill -0 "$app_pid" 2>/dev/null; then
        fail "the installed program ended within two seconds of its window coming up"
    else
        kill -TERM "$app_pid"
        status=""
        for _ in $(seq 100); do
            if ! kill -0 "$app_pid" 2>/dev/null; then
                wait "$app_pid"
                status=$?
                break
            fi
            sleep 0.1
        done
        [ "$status" = 0 ] || fail "after SIGTERM the program's status was '${status:-still running}', not 0"
        grep -q "event loop ended with 0" "$log" || fail "the program did not end through its event loop"
    fi
fi
app_pid=""
if ((failures > 0)); then
    echo "--- program output" >&2
    cat "$log" >&2
    exit 1
fi
echo "package checked"
