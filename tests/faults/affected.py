#!/usr/bin/env python3
"""Helper of replay.sh: which ctest entries a rebuilt fault can affect.

    affected.py BUILD_DIR STAMP TESTS_JSON

TESTS_JSON is the output of `ctest --show-only=json-v1`. A test is affected
when a file of the build tree that it uses is newer than STAMP (the moment
before the fault's ninja run). What a test uses: the build-tree files named
on its command line or in its environment (the test program, or the program a wrapper script such
as scripts/with-x11.sh runs), and, followed through every such binary, the
build-tree paths compiled into it (VORLAN_PROGRAM, VORLAN_WORDLISTS_TOOL,
VORLAN_WORDLIST_DIR and the like); a folder counts as changed when a file
under it changed. A test that names no build-tree file at all always runs.

Prints one JSON object: {"run": [names], "skipped": [[name, program], ...]}.
"""
import json
import os
import re
import sys

build = os.path.realpath(sys.argv[1])
stamp = os.stat(sys.argv[2]).st_mtime_ns
tests = json.load(open(sys.argv[3], encoding="utf-8"))["tests"]

# Paths are written as 8-bit text, or as UTF-16 by QStringLiteral.
prefix = build.encode() + b"/"
path_in_binary = re.compile(re.escape(prefix) + rb"[A-Za-z0-9_./+-]*")
prefix16 = (build + "/").encode("utf-16-le")
path_in_binary16 = re.compile(re.escape(prefix16) + rb"(?:[A-Za-z0-9_./+-]\x00)*")
# Build products that are never inputs of a test.
ignored_dirs = ("CMakeFiles", "Testing")
uses_cache = {}


def changed(path):
    """Whether the file, or any file under the folder, is newer than the stamp."""
    if os.path.isfile(path):
        return os.stat(path).st_mtime_ns > stamp
    if os.path.isdir(path):
        for folder, dirs, files in os.walk(path):
            dirs[:] = [d for d in dirs if d not in ignored_dirs]
            for f in files:
                try:
                    if os.stat(os.path.join(folder, f)).st_mtime_ns > stamp:
                        return True
                except OSError:
                    pass
    return False


def references(path):
    """Build-tree paths written into a binary (or script) of the build tree."""
    if path in uses_cache:
        return uses_cache[path]
    found = set()
    uses_cache[path] = found
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return found
    matches = [m.group().decode(errors="replace") for m in path_in_binary.finditer(data)]
    matches += [m.group().decode("utf-16-le", errors="replace")
                for m in path_in_binary16.finditer(data)]
    for p in matches:
        p = p.rstrip("/.")
        # The build tree itself and CMake's own folders say nothing.
        if p and os.path.realpath(p) != build and "/CMakeFiles" not in p:
            found.add(os.path.realpath(p))
    return found


def inputs_of(command):
    """Every build-tree file or folder a test's command may use, transitively."""
    todo = []
    for arg in command:
        for part in re.split(r"[=,:;]", arg):
            if part.startswith("/") and os.path.realpath(part).startswith(build + "/"):
                todo.append(os.path.realpath(part))
    seen = set()
    while todo:
        p = todo.pop()
        if p in seen:
            continue
        seen.add(p)
        if os.path.isfile(p):
            todo.extend(references(p))
    return seen


run, skipped = [], []
for t in tests:
    command = t.get("command") or []
    # Paths given through the environment (XDG_DATA_DIRS=BUILD/share) count too.
    environment = [v for p in t.get("properties", []) if p.get("name") == "ENVIRONMENT"
                   for v in (p.get("value") if isinstance(p.get("value"), list) else [p.get("value")])
                   if isinstance(v, str)]
    inputs = inputs_of(command + environment)
    if not inputs or any(changed(p) for p in inputs):
        run.append(t["name"])
    else:
        program = next((os.path.basename(a) for a in command
                        if a.startswith(build + "/")), command[0] if command else "?")
        skipped.append([t["name"], program])
print(json.dumps({"run": run, "skipped": skipped}))
