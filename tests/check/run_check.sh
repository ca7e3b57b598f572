#!/usr/bin/env bash
# Builds one game from its block in CASES and checks it with `velmora check`: standard
# output and the exit status must be exactly the expected ones.
#
#   run_check.sh VELMORA CASES NAME
#
# CASES holds blocks "=== <name>" of sections "--- <what>": a game file by its path, or
# "args" (after `velmora check`; GAME is the game folder, the default), "output" and
# "status" (expected; empty and 0 when left out). The block "=== defaults" gives every
# section a block does not name. Every game has the 4 x 4 picture res/pic.png.
set -uo pipefail
velmora="$1"; cases="$2"; name="$3"
work="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/res"
cp "$(dirname "$0")/../scenarios/common/res/pic.png" "$work/game/res/pic.png"
printf 'GAME\n' > "$work/args"; : > "$work/output"; echo 0 > "$work/status"
awk -v name="$name" -v work="$work" '
    function flush(   i, path, d) {
        if (section == "") return
        path = (section == "args" || section == "output" || section == "status") ? work "/" section : work "/game/" section
        d = path; sub(/\/[^\/]*$/, "", d); system("mkdir -p \"" d "\"")
        printf "" > path
        for (i = 1; i <= n; i++) print lines[i] > path
        close(path); section = ""
    }
    /^=== / { flush(); block = substr($0, 5); inside = (block == "defaults" || block == name); found += (block == name); next }
    !inside || /^#/ { next }
    /^--- / { flush(); section = substr($0, 5); n = 0; next }
    section != "" { lines[++n] = $0 }
    END { flush(); if (!found) exit 1 }' "$cases" || { echo "check cases: no case $name in $cases"; exit 2; }
read -r -a args < "$work/args"
args=("${args[@]//GAME/$work/game}")
"$velmora" check "${args[@]}" > "$work/stdout" 2> "$work/stderr"
status=$?
fail=0
[ "$status" = "$(cat "$work/status")" ] || { echo "exit status $status, expected $(cat "$work/status")"; fail=1; }
trimmed() { awk '{ l[NR] = $0 } length($0) { n = NR } END { for (i = 1; i <= n; i++) print l[i] }' "$1"; }
diff -u <(trimmed "$work/output") <(trimmed "$work/stdout") || { echo "output differs (above)"; fail=1; }
if grep -qE 'runtime error|AddressSanitizer|LeakSanitizer' "$work/stderr"; then cat "$work/stderr"; fail=1; fi
exit $fail
