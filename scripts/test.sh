#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), builds everything
# and runs every test: unit and window tests offscreen, desktop tests on a
# private X server with a window manager, the program in headless GNOME Shell
# and KWin sessions, the fuzz target, and the engine's tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the window's and the
# desktop services' tests under them too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
source "$here/packages.sh"
vorlan_install_packages "${VORLAN_TEST_PACKAGES[@]}" "${VORLAN_SESSION_TEST_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
build=${VORLAN_BUILD_DIR:-$root/build/test}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$build" -j "$jobs"

# Tests that need no display use the offscreen platform; each one that needs
# an X server or a desktop session starts its own (scripts/with-x11.sh,
# with-gnome.sh, with-kde.sh), with its own session bus.
ctest --test-dir "$build" --output-on-failure -j "$jobs"

asan=${VORLAN_ASAN_BUILD_DIR:-$root/build/asan}
cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORLAN_SANITIZE=ON -DVORLAN_BUILD_APP=OFF -DVORLAN_BUILD_BENCH=OFF "$@"
cmake --build "$asan" -j "$jobs"
ctest --test-dir "$asan" --output-on-failure -j "$jobs" -LE fuzz

# The window and the desktop services under the sanitizers as well: their
# offscreen tests and those on a private X server.
asan_app=${VORLAN_ASAN_APP_BUILD_DIR:-$root/build/asan-app}
cmake -S "$root" -B "$asan_app" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORLAN_SANITIZE=ON -DVORLAN_BUILD_BENCH=OFF "$@"
cmake --build "$asan_app" -j "$jobs" -t ui_window_tests ui_x11_tests desktop_tests desktop_x11_tests
ctest --test-dir "$asan_app" --output-on-failure -j "$jobs" -L '^(desktop|ui)$' -LE speech
echo "All tests passed."
