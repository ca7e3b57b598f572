#!/usr/bin/env bash
# Builds one broken game from its block in CASES and runs it as a scenario (see
# ../scenarios/run_scenario.sh): standard output, standard error (where headless message
# boxes go) and the exit status must be exactly the expected ones.
#
#   run_broken.sh VELMORA CASES NAME
#
# CASES holds blocks "=== <name>" of sections "--- <what>": a game file by its path,
# "stage" (the body of OnStageCreate of the stage "main"), "args", "input", "stdout",
# "stderr" and "status" (expected; empty and 0 when left out). The block "=== defaults"
# gives every section a block does not name. "luajit" holds sed commands that turn the
# expected output into a build on LuaJIT's (VELMORA_INTERPRETER=luajit), where a game
# meets the interpreter's limits in other words.
set -uo pipefail
velmora="$1"; cases="$2"; name="$3"
work="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work"' EXIT
: > "$work/expected.txt"; : > "$work/expected_stderr.txt"
awk -v name="$name" -v work="$work" '
    function flush(   i, key) {
        if (section == "") return
        key = section
        if (section == "stage") {
            key = "res/stage/main/Info.lua"
            lines[0] = "Info = { Level = 1 }\nfunction OnStageCreate()"; lines[++last] = "end"
        }
        if (!(key in text)) order[++count] = key
        text[key] = (section == "stage") ? lines[0] "\n" : ""
        for (i = 1; i <= last; i++) text[key] = text[key] lines[i] "\n"
        section = ""
    }
    /^=== / { flush(); block = substr($0, 5); inside = (block == "defaults" || block == name); found += (block == name); next }
    !inside { next }
    /^--- / { flush(); section = substr($0, 5); last = 0; n = 0; next }
    section != "" { lines[++n] = $0; if (length($0)) last = n }
    END {
        flush()
        if (!found) exit 1
        split("args args input input.txt stdout expected.txt stderr expected_stderr.txt status expected_status luajit luajit.sed", rename)
        for (i = 1; i < 12; i += 2) file[rename[i]] = rename[i + 1]
        for (i = 1; i <= count; i++) {
            path = work "/" ((order[i] in file) ? file[order[i]] : order[i])
            d = path; sub(/\/[^\/]*$/, "", d); system("mkdir -p \"" d "\"")
            printf "%s", text[order[i]] > path; close(path)
        }
    }' "$cases" || { echo "broken games: no case $name in $cases"; exit 2; }
if [ -f "$work/luajit.sed" ]; then
    [ "${VELMORA_INTERPRETER:-}" != luajit ] ||
        sed -i -f "$work/luajit.sed" "$work/expected.txt" "$work/expected_stderr.txt"
    rm "$work/luajit.sed"
fi
[ -f "$work/input.txt" ] && sed -i '1s/$/ --input input.txt/' "$work/args"
# The game and what it must print share the folder: a scenario without a game folder.
"$(dirname "$0")/../scenarios/run_scenario.sh" "$velmora" "$work"
