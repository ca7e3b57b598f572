#!/usr/bin/env bash
# Builds one broken game from its block in CASES and runs it headless: standard output,
# standard error (where headless message boxes go) and the exit status must be exactly
# the expected ones.
#
#   run_broken.sh VELMORA CASES NAME [--show]
#
# CASES holds blocks "=== <name>" of sections "--- <what>": a game file by its path,
# "stage" (the body of OnStageCreate of the stage "main"), "args", "input", "stdout",
# "stderr" and "status" (expected; empty and 0 when left out). The block "=== defaults"
# gives every section a block does not name. Blank lines at the end of a section (and
# of what the run printed) are not compared. --show prints what the run gave instead.
set -uo pipefail
velmora="$1"; cases="$2"; name="$3"; show="${4:-}"
work="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work"' EXIT
game="$work/game"
awk -v name="$name" -v game="$game" -v work="$work" '
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
        for (i = 1; i <= count; i++) {
            path = (order[i] ~ /^(args|input|stdout|stderr|status)$/) ? work "/expected_" order[i] : game "/" order[i]
            d = path; sub(/\/[^\/]*$/, "", d); system("mkdir -p \"" d "\"")
            printf "%s", text[order[i]] > path; close(path)
        }
    }' "$cases" || { echo "broken games: no case $name in $cases"; exit 2; }
options=()
[ -f "$work/expected_args" ] && read -r -a options < "$work/expected_args"
[ -f "$work/expected_input" ] && options+=(--input "$work/expected_input")
"$velmora" "$game" --headless "${options[@]}" > "$work/stdout" 2> "$work/stderr"
status=$?
if [ "$show" = "--show" ]; then
    for stream in stdout stderr; do echo "--- $stream"; cat "$work/$stream"; done
    echo "--- status"; echo "$status"; exit 0
fi
fail=0
want_status=0
[ -f "$work/expected_status" ] && want_status="$(head -n 1 "$work/expected_status")"
[ "$status" = "$want_status" ] || { echo "exit status $status, expected $want_status"; fail=1; }
for stream in stdout stderr; do
    # Trailing blank lines dropped on both sides.
    for f in "$work/expected_$stream" "$work/$stream"; do
        [ -f "$f" ] && awk '{ l[NR] = $0 } length($0) { n = NR } END { for (i = 1; i <= n; i++) print l[i] }' "$f" > "$f.t"
        [ -f "$f.t" ] || : > "$f.t"
    done
    diff -u "$work/expected_$stream.t" "$work/$stream.t" || { echo "$stream differs (above)"; fail=1; }
done
exit $fail
