#!/usr/bin/env bash
# Builds the matcher's fuzz target with clang's libFuzzer and runs it for a
# fixed number of inputs. Usage: run-fuzz.sh <source dir> <work dir> <runs>
set -euo pipefail
src=$1
work=$2
runs=${3:-200000}
cxx=$(command -v clang++ || command -v clang++-14 || true)
if [[ -z "$cxx" ]]; then
    echo "clang++ is needed for the fuzz target" >&2
    exit 1
fi
mkdir -p "$work/corpus"
bin="$work/pattern_fuzz"
sources=("$src/engine/pattern.cpp" "$src/tests/support/referencelike.cpp" "$src/tests/fuzz/pattern_fuzz.cpp")
if [[ ! -x "$bin" ]] || [[ -n "$(find "${sources[@]}" "$src/engine/pattern.h" -newer "$bin")" ]]; then
    "$cxx" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$src/engine" -I"$src/tests/support" "${sources[@]}" -o "$bin"
fi
# Seeds: the shapes the search cares about.
printf '\x05ab*b' > "$work/corpus/seed-prefix"
printf '\x04*a*xxa' > "$work/corpus/seed-contains"
printf '\x06[a-b]#9a' > "$work/corpus/seed-list"
printf '\x06*[z-a]*za' > "$work/corpus/seed-descending"
printf '\x04[!]]x]' > "$work/corpus/seed-empty-lists"
"$bin" -runs="$runs" -max_len=64 -timeout=5 -seed=1 "$work/corpus"
