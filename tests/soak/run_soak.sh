#!/usr/bin/env bash
# Runs the soak game headless for FRAMES frames; the run must end normally and show no
# message (a script failure would stop the churn it is meant to measure). The game
# prints VmRSS every 5000 ticks: after the first fifth of the run no reading may exceed
# the first one by more than BOUND_KB. Through a WRAPPER (valgrind and its options) only
# the exit status and the messages count: memory readings under it mean nothing.
#
#   run_soak.sh VELMORA GAME_DIR FRAMES BOUND_KB [WRAPPER...]
set -uo pipefail
velmora="$1"; game="$2"; frames="$3"; bound="$4"; shift 4
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$@" "$velmora" "$game" --headless --frames "$frames" --dt 0.016 --seed 1 --stats > "$out/stdout" 2> "$out/stderr"
status=$?
if [ $status -ne 0 ] || grep -qE 'velmora: message|runtime error|Sanitizer' "$out/stderr"; then
    echo "soak: exit status $status, or the run reported something:"
    tail -n 40 "$out/stderr"
    exit 1
fi
grep -E '^frames=' "$out/stdout"
[ $# -gt 0 ] && exit 0
awk -v frames="$frames" -v bound="$bound" '
    $1 == "soak" && $2 == "rss" {
        printf "tick %6d  resident %6d kB  interpreter %4d kB  hits %d eaten %d damage %d\n", $3, $4, $6, $8, $10, $12
        if ($3 < frames / 5) next
        if (base == "") base = $4
        if ($4 > peak) peak = $4
        n++
    }
    END {
        if (n < 3) { print "soak: too few readings after the warm-up"; exit 1 }
        printf "soak: after warm-up %d readings, from %d kB, peak %d kB, growth %d kB (bound %d kB)\n",
               n, base, peak, peak - base, bound
        if (peak - base > bound) { print "soak: resident memory grew"; exit 1 }
    }' "$out/stdout"
