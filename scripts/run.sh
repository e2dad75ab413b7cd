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
exec "$build/ui/vorlan"
