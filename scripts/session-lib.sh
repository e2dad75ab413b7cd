# Sourced by the with-*.sh launchers: a private work folder, the processes a
# launcher starts stopped in the reverse order of their start however it
# ends, and the command run in the background so that a signal to the
# launcher is acted on at once.
#
#   session_begin NAME      makes $work and sets the traps
#   session_track PID       stops PID at the end, before those tracked earlier
#   session_run CMD [ARGS]  runs the command and exits with its status

session_pids=()

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
    work=$(mktemp -d "${TMPDIR:-/tmp}/$session_name.XXXXXX") || exit 1
    trap session_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
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

session_run() {
    "$@" &
    local pid=$!
    session_track "$pid"
    wait "$pid"
    local status=$?
    unset 'session_pids[-1]'
    exit "$status"
}
