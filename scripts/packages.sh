# Debian 12 packages, sourced by the other scripts.

# Building and running the program.
VORLAN_APP_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libx11-dev libxcb1-dev libxtst-dev libxkbfile-dev
    libxkbcommon-dev # looked for by Qt's CMake files, which say "Could NOT find XKB" without it
    libespeak-ng-dev espeak-ng-data libpcaudio-dev libasound2-dev
    fonts-dejavu-core fonts-noto-core
    xkb-data
    wordnet-base wamerican-large wamerican-small
)

# Building the Debian package: dpkg-shlibdeps and the file type probe that
# CPack uses to find the binaries.
VORLAN_PACKAGE_PACKAGES=(
    "${VORLAN_APP_PACKAGES[@]}"
    dpkg-dev file
)

# Building and running every test, benchmark and the fuzz target.
VORLAN_TEST_PACKAGES=(
    "${VORLAN_PACKAGE_PACKAGES[@]}"
    desktop-file-utils appstream
    libgtest-dev libbenchmark-dev
    wbritish-small # the British spellings' rule
    clang libclang-rt-14-dev
    xvfb xauth openbox xdotool xclip x11-utils x11-xkb-utils dbus-daemon
)

# The Wayland session tests: a headless GNOME Shell and KWin with XWayland,
# Qt's Wayland platform (as other Qt programs bring it in), a Wayland
# clipboard tool, and what the tests' key helper for KWin is built from.
VORLAN_SESSION_TEST_PACKAGES=(
    gnome-shell kwin-wayland xwayland dbus-daemon
    qt6-wayland wl-clipboard
    libwayland-dev plasma-wayland-protocols
)

# Installs whatever of the given packages is missing, through sudo when not
# root. Nothing is installed when everything is there already.
vorlan_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    # On the command line: sudo resets the environment, and debconf would
    # fall back to asking on the terminal.
    local apt=(DEBIAN_FRONTEND=noninteractive apt-get)
    if [[ $(id -u) -ne 0 ]]; then
        apt=(sudo "${apt[@]}")
    else
        apt=(env "${apt[@]}")
    fi
    "${apt[@]}" update -qq
    "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
}
