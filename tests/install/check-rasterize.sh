#!/usr/bin/env bash
# The icon renderer refuses bad input with its documented status and leaves
# no file behind.
#
#   check-rasterize.sh <vorlan-rasterize> <an SVG picture>
set -uo pipefail
tool=${1:?usage: check-rasterize.sh <vorlan-rasterize> <svg>}
svg=${2:?usage: check-rasterize.sh <vorlan-rasterize> <svg>}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-rasterize.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
echo "not a picture" >"$scratch/text.svg"

failures=0
# status | arguments (out.png is the output in the scratch folder)
while IFS='|' read -r want args; do
    rm -f "$scratch/out.png"
    # shellcheck disable=SC2086 # the arguments are split on purpose
    eval "set -- $args"
    "$tool" "$@" >/dev/null 2>&1
    got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL: $args gave status $got, not $want" >&2
        failures=$((failures + 1))
    fi
    if [ "$want" != 0 ] && [ -e "$scratch/out.png" ]; then
        echo "FAIL: $args left $scratch/out.png behind" >&2
        failures=$((failures + 1))
    fi
done <<CASES
0|"$svg" "$scratch/out.png" 32
2|"$svg" "$scratch/out.png"
2|"$svg" "$scratch/out.png" 0
2|"$svg" "$scratch/out.png" 5000
2|"$svg" "$scratch/out.png" big
1|"$scratch/missing.svg" "$scratch/out.png" 32
1|"$scratch/text.svg" "$scratch/out.png" 32
1|"$svg" "$scratch/no/such/folder/out.png" 32
CASES
exit $((failures > 0))
