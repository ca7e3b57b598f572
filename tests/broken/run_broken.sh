#!/usr/bin/env bash
# Builds one broken game from its description in CASES and runs it headless: standard
# output, standard error (where headless message boxes go) and the exit status must be
# exactly the expected ones.
#
#   run_broken.sh VELMORA CASES NAME [--show]
#
# CASES holds blocks "=== <name>", each a list of sections "--- <what>": a file of the
# game by its path, "args" (one line of options), "input" (replayed input), "stdout",
# "stderr" and "status" (expected; empty and 0 when left out). The block "=== defaults"
# (first in the file) gives the files and args of every game unless its own block
# names them. Blank lines at the end of a section (and of what the run printed) are
# not compared: they keep the blocks apart. --show prints what the run gave instead of
# comparing, to write a new case.
set -uo pipefail
velmora="$1"
cases="$2"
name="$3"
show="${4:-}"
# Many small files: in memory where there is some.
work="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Drops the blank lines at the end of a file.
trim() {
    awk '{ line[NR] = $0 } NF || length($0) { last = NR } END { for (i = 1; i <= last; i++) print line[i] }' \
        "$1" > "$1.trimmed" && mv "$1.trimmed" "$1"
}

# Writes the sections of the blocks "defaults" and NAME, the later over the earlier:
# game files under $work/game, the others as $work/<section>. Blank lines at the end of
# a section are dropped.
game="$work/game"
if ! awk -v name="$name" -v game="$game" -v work="$work" '
    function flush(   i, path, d) {
        if (section == "") return
        path = (section ~ /^(args|input|stdout|stderr|status)$/) ? work "/" section : game "/" section
        paths[++count] = path
        d = path; sub(/\/[^\/]*$/, "", d); dirs[d] = 1
        text[count] = ""
        for (i = 1; i <= last; i++) text[count] = text[count] lines[i] "\n"
        section = ""
    }
    /^=== / { flush(); block = substr($0, 5); inside = (block == "defaults" || block == name); if (block == name) found = 1; next }
    !inside { next }
    /^--- / { flush(); section = substr($0, 5); n = 0; last = 0; next }
    section != "" { lines[++n] = $0; if (length($0)) last = n }
    END {
        flush()
        if (!found) exit 1
        list = ""
        for (d in dirs) list = list " \"" d "\""
        system("mkdir -p" list)
        for (i = 1; i <= count; i++) { printf "%s", text[i] > paths[i]; close(paths[i]) }
    }' "$cases"; then
    echo "broken games: no case $name in $cases"
    exit 2
fi
args=""
[ -f "$work/args" ] && args="$(head -n 1 "$work/args")"
input=""
[ -f "$work/input" ] && input="$work/input"
declare -A expected=([stdout]="$work/stdout" [stderr]="$work/stderr" [status]="$work/status")
for stream in stdout stderr status; do
    if [ -f "$work/$stream" ]; then
        mv "$work/$stream" "$work/expected_$stream"
        expected[$stream]="$work/expected_$stream"
    else
        expected[$stream]=""
    fi
done

read -r -a options <<< "$args"
if [ -n "$input" ]; then
    options+=(--input "$input")
fi
"$velmora" "$game" --headless "${options[@]}" > "$work/stdout" 2> "$work/stderr"
status=$?

if [ "$show" = "--show" ]; then
    echo "--- stdout"; cat "$work/stdout"
    echo "--- stderr"; cat "$work/stderr"
    echo "--- status"; echo "$status"
    exit 0
fi

trim "$work/stdout"
trim "$work/stderr"
fail=0
want_status=0
[ -n "${expected[status]}" ] && want_status="$(head -n 1 "${expected[status]}")"
if [ "$status" != "$want_status" ]; then
    echo "exit status $status, expected $want_status"
    fail=1
fi
for stream in stdout stderr; do
    want="${expected[$stream]}"
    [ -n "$want" ] || { want="$work/empty"; : > "$want"; }
    if ! diff -u "$want" "$work/$stream"; then
        echo "$stream differs (above)"
        fail=1
    fi
done
exit $fail
