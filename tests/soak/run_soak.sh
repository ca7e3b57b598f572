#!/usr/bin/env bash
# Runs the soak game headless for FRAMES frames and checks that the process's
# resident memory stays flat once warmed up: the game prints VmRSS (from
# /proc/self/status) every 5000 of its ticks; after the first fifth of the run, no
# reading may exceed the first one by more than BOUND_KB. The run must end normally
# and show no message (a script failure would stop the churn it is meant to measure).
#
#   run_soak.sh VELMORA GAME_DIR FRAMES BOUND_KB [WRAPPER...]
#
# With a WRAPPER (valgrind and its options), the run goes through it and only the
# exit status and the messages are checked: memory readings under it mean nothing.
set -uo pipefail
velmora="$1"
game="$2"
frames="$3"
bound="$4"
shift 4
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

"$@" "$velmora" "$game" --headless --frames "$frames" --dt 0.016 --seed 1 --stats \
    > "$out/stdout" 2> "$out/stderr"
status=$?
if [ $status -ne 0 ]; then
    echo "soak: exit status $status"
    tail -n 60 "$out/stderr"
    exit 1
fi
if grep -qE 'velmora: message|runtime error|Sanitizer' "$out/stderr"; then
    echo "soak: the run reported something:"
    head -n 40 "$out/stderr"
    exit 1
fi
grep -E '^frames=' "$out/stdout"
if [ $# -gt 0 ]; then
    exit 0
fi

awk -v frames="$frames" -v bound="$bound" '
    $1 == "soak" && $2 == "rss" {
        tick = $3; rss = $4; lua = $6
        printf "tick %6d  resident %6d kB  interpreter %4d kB  hits %d eaten %d damage %d\n", tick, rss, lua, $8, $10, $12
        if (tick < frames / 5) next
        if (base == "") base = rss
        if (rss > peak) peak = rss
        n++
    }
    END {
        if (n < 3) { print "soak: too few readings after the warm-up"; exit 1 }
        growth = peak - base
        printf "soak: after warm-up %d readings, from %d kB, peak %d kB, growth %d kB (bound %d kB)\n",
               n, base, peak, growth, bound
        if (growth > bound) { print "soak: resident memory grew"; exit 1 }
    }' "$out/stdout"
