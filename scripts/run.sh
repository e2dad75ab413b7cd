#!/usr/bin/env bash
# Installs what the program needs (Debian 12), builds it and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
source "$here/packages.sh"
vorlan_install_packages "${VORLAN_APP_PACKAGES[@]}"

build=${VORLAN_BUILD_DIR:-$root/build/app}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVORLAN_BUILD_TESTS=OFF -DVORLAN_BUILD_BENCH=OFF "$@"
cmake --build "$build" --target vorlan

# The window needs a desktop to appear on.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    echo "run.sh: built $build/ui/vorlan, but there is no graphical session to start it in" >&2
    echo "        (neither DISPLAY nor WAYLAND_DISPLAY is set); run it from a desktop." >&2
    exit 1
fi
exec "$build/ui/vorlan"
