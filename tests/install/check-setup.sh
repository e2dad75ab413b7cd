#!/usr/bin/env bash
# The set-up as a newcomer meets it: the package installation through sudo
# or as root, scripts/run.sh without a graphical session, and a configure run
# that reports nothing missing. sudo, apt-get, dpkg-query, id and cmake are
# stand-ins that record how they were called; nothing is installed.
#
#   check-setup.sh <source folder>
set -uo pipefail

root=${1:?usage: check-setup.sh <source folder>}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-setup.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

stubs=$scratch/bin
log=$scratch/calls.log
mkdir -p "$stubs"
stub() {
    printf '#!/usr/bin/env bash\n%s\n' "$2" >"$stubs/$1"
    chmod +x "$stubs/$1"
}
stub id '[ "$1" = -u ] && echo "${FAKE_UID:-1000}"'
stub dpkg-query '[ -n "${FAKE_INSTALLED:-}" ] && printf "install ok installed"; exit 0'
# As sudo's env_reset does: the caller's environment is dropped, and only
# the VAR=value words before the command are set.
stub sudo "echo sudo >>'$log'
vars=()
while [[ \$1 == *=* ]]; do vars+=(\"\$1\"); shift; done
exec env -i PATH=\"\$PATH\" \"\${vars[@]}\" \"\$@\""
stub apt-get "echo \"apt-get \$* (DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-unset})\" >>'$log'"
stub cmake "echo \"cmake \$*\" >>'$log'"

install_as() {
    : >"$log"
    env PATH="$stubs:$PATH" FAKE_UID="$1" FAKE_INSTALLED="$2" \
        bash -c 'source "$0/scripts/packages.sh" && vorlan_install_packages pkg-a pkg-b' \
        "$root" >/dev/null
}

update="apt-get update -qq (DEBIAN_FRONTEND=noninteractive)"
install="apt-get install -y --no-install-recommends pkg-a pkg-b (DEBIAN_FRONTEND=noninteractive)"
check_install() {
    local uid=$1 installed=$2 expected=$3
    install_as "$uid" "$installed"
    [ "$(cat "$log")" = "$expected" ] ||
        fail "install as uid $uid (installed: ${installed:-no}): got
$(cat "$log")
expected
$expected"
}
check_install 1000 "" "sudo
$update
sudo
$install"
check_install 0 "" "$update
$install"
check_install 1000 yes ""

# scripts/run.sh builds, then starts the program only where it can be shown.
build=$scratch/build
mkdir -p "$build/ui"
stub_program="$build/ui/vorlan"
printf '#!/usr/bin/env bash\necho started >>%q\n' "$log" >"$stub_program"
chmod +x "$stub_program"
run_with() {
    : >"$log"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$stubs:$PATH" FAKE_INSTALLED=yes \
        VORLAN_BUILD_DIR="$build" "$@" bash "$root/scripts/run.sh" 2>"$scratch/run.err" >/dev/null
}
run_with
status=$?
[ "$status" -ne 0 ] || fail "run.sh without a graphical session ended with status 0"
grep -q started "$log" && fail "run.sh started the program without a graphical session"
grep -q "graphical session" "$scratch/run.err" || fail "run.sh did not say why it stopped"
grep -q "cmake --build" "$log" || fail "run.sh did not build before stopping"
for session in DISPLAY=:9 WAYLAND_DISPLAY=wayland-9; do
    run_with "$session"
    grep -q started "$log" || fail "run.sh with $session did not start the program"
done

# Configuring finds everything it looks for.
if ! cmake -S "$root" -B "$scratch/configure" -G Ninja >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log" >&2
    fail "configure failed"
fi
if grep -i "could not find" "$scratch/configure.log" >&2; then
    fail "configure reports something missing"
fi

[ "$failures" -eq 0 ] && echo "set-up checks passed"
exit $((failures > 0))
