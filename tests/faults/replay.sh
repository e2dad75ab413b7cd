#!/usr/bin/env bash
# Replays the hand-made faults of this folder against the test suite: for
# each NN-name.patch it applies the patch, rebuilds, runs ctest the way
# scripts/test.sh runs it (each test in the session it starts itself, without
# the fuzz and install labels), notes the failing tests, takes the patch out again and
# rebuilds. The result is a Markdown table, on standard output and in
# tests/faults/results-<date>.md. Never part of CI.
#
#   tests/faults/replay.sh [BUILD_DIR]
#
# BUILD_DIR defaults to build/ at the root and must be a configured build of
# this tree. Environment:
#   REPLAY_FAULTS   glob of the patches to replay (default: all, "[0-9]*")
#   REPLAY_NO_SKIP  1: run every ctest entry, even those the fault cannot reach
#   REPLAY_JOBS     parallel jobs for ninja and ctest (default and maximum: 2)
#   REPLAY_QUICK    1: stop each fault's ctest run at its first failing test, and
#                   leave the plain tree to the next fault's build: enough to
#                   show that every fault is still caught, in a fraction of the time
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(git -C "$here" rev-parse --show-toplevel) || exit 2
if [ "$#" -gt 1 ]; then
    echo "usage: $0 [BUILD_DIR]" >&2
    exit 2
fi
build=$(realpath -m "${1:-$root/build}")
jobs=${REPLAY_JOBS:-2}
[[ "$jobs" =~ ^[12]$ ]] || jobs=2
labels_out='fuzz|install'
timeout=300
glob=${REPLAY_FAULTS:-[0-9]*}
stamp_date=$(date +%Y-%m-%d)
results="$here/results-$stamp_date.md"

# Messages go to the stderr the script was started with, also from a trap
# that runs while a command's output is redirected to a log.
exec 9>&2
say() { printf 'replay: %s\n' "$*" >&9; }
die() { say "$*"; exit 2; }

[ -f "$build/CMakeCache.txt" ] || die "$build is not a configured build (no CMakeCache.txt)"
grep -q "^CMAKE_HOME_DIRECTORY:INTERNAL=$root\$" "$build/CMakeCache.txt" ||
    die "$build is not a build of $root"
command -v python3 >/dev/null || die "python3 is needed"
# The patches go on the product code: it must be as committed, so that taking
# a patch out again restores exactly what was there.
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no -- . ':!tests/faults')" ]; then
    die "the tree has uncommitted changes; commit or stash them first"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-replay.XXXXXX") || die "no scratch folder"
# Each fault's build and test logs stay beside the build, for a closer look.
logs="$build/fault-replay"
mkdir -p "$logs" || die "cannot make $logs"
applied=""   # the patch currently in the tree
child=""     # the running ninja or ctest, in a process group of its own

restore() {
    if [ -n "$child" ] && kill -0 "$child" 2>/dev/null; then
        kill -TERM -- "-$child" 2>/dev/null
        wait "$child" 2>/dev/null
    fi
    child=""
    if [ -n "$applied" ]; then
        if git -C "$root" apply -R "$applied"; then
            say "took $(basename "$applied") out again"
        else
            say "ERROR: could not take $(basename "$applied") out; restore the tree by hand"
        fi
        applied=""
    fi
}
on_signal() {
    say "interrupted; restoring the tree (the build in $build is stale: run ninja there)"
    restore
    rm -rf "$work"
    exit 130
}
trap on_signal INT TERM HUP
trap 'restore; rm -rf "$work"' EXIT

# Runs a command in a process group of its own and waits for it, so that a
# signal reaches the trap at once and the trap can end the whole group.
run() {
    setsid "$@" &
    child=$!
    wait "$child"
    local rc=$?
    child=""
    return "$rc"
}

rebuild() { run ninja -C "$build" -j "$jobs" >"$1" 2>&1; }

# Test names as a regular expression of exact names, for ctest -E.
exact_names() {
    python3 -c '
import json, re, sys
names = json.load(sys.stdin)
print("^(" + "|".join(re.sub(r"([][(){}.*+?^$|\\])", r"\\\1", n) for n in names) + ")$")'
}

# Failing tests of a ctest log: its "The following tests FAILED" list.
failed_of() {
    sed -n '/The following tests FAILED:/,$p' "$1" |
        sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(([^()]*)\)[[:space:]]*$/\1 (\2)/p'
}

# Failing tests as a cell: names, with how they failed unless plainly
# "Failed"; many gtest cases of one suite read as the suite, "Pattern.* (7)".
summarise() {
    python3 -c '
import sys, collections
items = []
for l in sys.stdin:
    l = l.rstrip("\n")
    if not l.strip():
        continue
    name, _, how = l.rpartition(" (")
    how = how.rstrip(")")
    items.append((name, "" if how == "Failed" else f" ({how.lower()})"))
if len(items) <= 6:
    print(", ".join(n + h for n, h in items)); sys.exit()
def suite(name):
    # gtest names are Suite.Case, behind a lower-case TEST_PREFIX if any.
    pieces = name.split(".")
    k = 0
    while k < len(pieces) - 2 and pieces[k][:1].islower():
        k += 1
    return ".".join(pieces[:k + 1]) if len(pieces) > 1 else name
groups = collections.OrderedDict()
for n, h in items:
    groups.setdefault(suite(n), []).append(n + h)
print(", ".join(m[0] if len(m) == 1 else f"{s}.* ({len(m)})" for s, m in groups.items()))'
}

say "bringing $build up to date"
rebuild "$work/build-base.log" || die "the plain tree does not build: see $work/build-base.log"

shopt -s nullglob
patches=("$here"/$glob.patch)
[ "${#patches[@]}" -gt 0 ] || die "no patch matches $glob.patch in $here"

rows=()
notes=()
caught=0
started=$SECONDS
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    what=$(head -n 1 "$patch" | sed 's/|/\\|/g')
    t0=$SECONDS
    say "[$name] applying"
    if ! git -C "$root" apply --check "$patch" 2>"$work/apply.log"; then
        rows+=("| $name — $what | **patch does not apply**: $(head -n 1 "$work/apply.log" | sed 's/|/\\|/g') |")
        continue
    fi
    git -C "$root" apply "$patch" && applied=$patch

    touch "$work/stamp"
    sleep 0.01
    say "[$name] building"
    if ! rebuild "$work/build.log"; then
        err=$(grep -m1 -E 'error|FAILED' "$work/build.log" | cut -c1-160 | sed 's/|/\\|/g')
        rows+=("| $name — $what | **does not build**: $err |")
        cp "$work/build.log" "$logs/$name.build.log"
        restore
        rebuild "$work/build-base.log" || die "the plain tree no longer builds"
        continue
    fi
    tb=$((SECONDS - t0))

    ctest --test-dir "$build" -N --show-only=json-v1 -LE "$labels_out" >"$work/tests.json" 2>/dev/null ||
        echo '{"tests": []}' >"$work/tests.json"
    if [ "${REPLAY_NO_SKIP:-0}" = 1 ]; then
        python3 -c 'import json,sys; t=json.load(open(sys.argv[1]))["tests"]; print(json.dumps({"run":[x["name"] for x in t],"skipped":[]}))' \
            "$work/tests.json" >"$work/affected.json"
    else
        python3 "$here/affected.py" "$build" "$work/stamp" "$work/tests.json" >"$work/affected.json" ||
            die "affected.py failed"
    fi
    nrun=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["run"]))' "$work/affected.json")
    nskip=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["skipped"]))' "$work/affected.json")
    exclude=()
    if [ "$nskip" -gt 0 ]; then
        python3 -c 'import json,sys; print(json.dumps([n for n, _ in json.load(open(sys.argv[1]))["skipped"]]))' \
            "$work/affected.json" | exact_names >"$work/exclude.re"
        exclude=(-E "$(cat "$work/exclude.re")")
        skipped_by=$(python3 -c '
import json, sys, collections
c = collections.Counter(p for _, p in json.load(open(sys.argv[1]))["skipped"])
print(", ".join(f"{p} ({n})" for p, n in sorted(c.items())))' "$work/affected.json")
    else
        skipped_by="none"
    fi

    say "[$name] running $nrun ctest entries ($nskip skipped as unaffected)"
    failing=""
    if [ "$nrun" -gt 0 ]; then
        quick=()
        [ "${REPLAY_QUICK:-0}" = 1 ] && quick=(--stop-on-failure)
        run ctest --test-dir "$build" -j "$jobs" -LE "$labels_out" "${quick[@]}" \
            --timeout "$timeout" "${exclude[@]}" >"$work/ctest.log" 2>&1
        rc=$?
        failing=$(failed_of "$work/ctest.log")
        if [ "$rc" -ne 0 ] && [ -z "$failing" ]; then
            failing="(ctest or the X session failed, status $rc: $(tail -n 1 "$work/ctest.log"))"
        fi
        cp "$work/ctest.log" "$logs/$name.ctest.log"
    fi
    if [ -n "$failing" ]; then
        caught=$((caught + 1))
        cell=$(printf '%s\n' "$failing" | summarise | sed 's/|/\\|/g')
    else
        cell="**not caught**"
    fi
    rows+=("| $name — $what | $cell |")
    notes+=("- $name: built in ${tb}s, tested in $((SECONDS - t0 - tb))s; ran $nrun, skipped $nskip as unaffected: $skipped_by")

    restore
    if [ "${REPLAY_QUICK:-0}" != 1 ]; then
        say "[$name] rebuilding the plain tree"
        rebuild "$work/build-base.log" || die "the plain tree no longer builds after $name"
    fi
done

total=$((SECONDS - started))
{
    echo "# Fault replay, $stamp_date"
    echo
    echo "Commit $(git -C "$root" rev-parse --short HEAD); ctest -j $jobs -LE '$labels_out' --timeout $timeout ${REPLAY_QUICK:+(quick: first failing test only)};"
    echo "$caught of ${#patches[@]} faults caught; wall time ${total}s."
    echo
    echo "| fault | failing tests (or suites) |"
    echo "|---|---|"
    printf '%s\n' "${rows[@]}"
    echo
    echo "Tests skipped as unaffected (their programs and what those use were not rebuilt by the fault):"
    echo
    printf '%s\n' "${notes[@]}"
} | tee "$results"
say "the table is in $results; each fault's logs are in $logs"
