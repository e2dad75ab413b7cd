# Sourced by the with-*.sh launchers: the usage and tool checks, a private
# work folder with its own home, configuration and runtime folders, a private
# D-Bus session bus, start-up deadlines, the processes a launcher starts
# stopped in the reverse order of their start however it ends, and the
# command run in the background so that a signal to the launcher is acted on
# at once.
#
#   session_begin NAME ARGC       checks the usage, makes $work, sets the traps
#   session_need PACKAGES TOOL..  exits 127 naming the packages when a tool is missing
#   session_private_home          HOME, XDG_* folders and XDG_RUNTIME_DIR inside $work
#   session_bus VAR               starts a private bus and exports VAR as its address
#   session_track PID             stops PID at the end, before those tracked earlier
#   session_until PID WHAT CMD..  waits for CMD to succeed while PID lives, until the deadline
#   session_run CMD [ARGS]        runs the command and exits with its status

session_pids=()
startup_timeout=${VORLAN_SESSION_TIMEOUT:-60}

# Bounded: a process that ignores TERM gets KILL after about 5 s.
session_stop() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

session_cleanup() {
    local i
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
        session_stop "${session_pids[i]}"
    done
    rm -rf "$work"
}

session_begin() {
    session_name=$1
    if [ "$2" -eq 0 ]; then
        echo "usage: $0 <command> [args...]" >&2
        exit 2
    fi
    work=$(mktemp -d "${TMPDIR:-/tmp}/$session_name.XXXXXX") || exit 1
    trap session_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
}

session_need() {
    local packages=$1 tool
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$session_name: $tool not found (packages $packages)" >&2
            exit 127
        fi
    done
}

session_track() {
    session_pids+=("$1")
}

# Says what failed, with the end of each log in the work folder, and exits 1.
fail() {
    echo "$session_name: $*" >&2
    local log
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

# The caller's settings, caches and runtime folder stay out of the session.
session_private_home() {
    mkdir -p "$work/run" "$work/home/.config" || fail "cannot make folders in $work"
    chmod 700 "$work/run"
    export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    export XDG_CACHE_HOME="$work/home/.cache" XDG_DATA_HOME="$work/home/.local/share"
}

# A dbus-daemon of the session's own, so that nothing in it autolaunches one
# (libdbus would otherwise try, and leave its attempt behind); its address is
# written to a fifo once it listens.
session_bus() {
    local var=$1 fifo="$work/$1.fd" address=""
    mkfifo "$fifo" || fail "cannot make a fifo in $work"
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/$1" --print-address=3 \
        3>"$fifo" </dev/null >"$work/$1.log" 2>&1 &
    session_track $!
    read -r -t "$startup_timeout" address <"$fifo" || fail "dbus-daemon did not start"
    export "$var=$address"
}

session_until() {
    local pid=$1 what=$2 deadline=$((SECONDS + startup_timeout))
    shift 2
    until "$@"; do
        kill -0 "$pid" 2>/dev/null || fail "$what exited during start-up"
        [ "$SECONDS" -lt "$deadline" ] || fail "$what did not come up within ${startup_timeout}s"
        sleep 0.2
    done
}

session_run() {
    "$@" &
    local pid=$!
    session_track "$pid"
    wait "$pid"
    local status=$?
    unset 'session_pids[-1]'
    exit "$status"
}
