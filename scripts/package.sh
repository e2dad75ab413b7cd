#!/usr/bin/env bash
# Installs what the build needs (Debian 12), builds the program and makes its
# Debian package, then prints the package's path. Install it with
#   sudo apt-get install ./build/package/vorlan_<version>_<arch>.deb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
source "$here/packages.sh"
vorlan_install_packages "${VORLAN_PACKAGE_PACKAGES[@]}"

build=${VORLAN_BUILD_DIR:-$root/build/package}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVORLAN_BUILD_TESTS=OFF -DVORLAN_BUILD_BENCH=OFF "$@"
cmake --build "$build"
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
ls "$build"/vorlan_*.deb
