#!/usr/bin/env bash
# Runs the script fuzzer game one seed after another until SECONDS have passed (see
# README.md). Fails on a crash, a hang or a sanitizer report, naming the seed; at the end
# requires that every callback in VELMORA_FUZZ_REQUIRE was reached. Each run goes through
# VELMORA_FUZZ_WRAPPER when it is set (valgrind and its options, for example).
#
#   run_script_fuzz.sh VELMORA GAME_DIR SECONDS [FIRST_SEED]
set -uo pipefail
velmora="$1"
game="$2"
budget="$3"
seed="${4:-${VELMORA_FUZZ_SEED:-1}}"
read -r -a wrapper <<< "${VELMORA_FUZZ_WRAPPER:-}"
required="${VELMORA_FUZZ_REQUIRE:-OnGameCreate OnKeyEvent OnKeyUp OnStageCreate OnBegin OnAction OnInterval OnCreate OnDamage OnHit OnEaten}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
keep="${VELMORA_FUZZ_KEEP:-$PWD/fuzz-failures}"

dts=(0.016 0.05 0.125 0.3 1.0 0)
start=$SECONDS
runs=0
calls=0
reached=""
first=$seed

# Key presses and releases every few frames keep even a run whose objects all died
# busy; now and then a pointer point, and rarely Escape, which ends the run.
make_input() {
    awk -v seed="$1" -v frames="$2" 'BEGIN {
        srand(seed)
        f = 1
        while (f < frames) {
            r = rand()
            if (r < 0.75) {
                vk = (rand() < 0.5) ? 37 + int(rand() * 4) : 1 + int(rand() * 255)
                if (vk == 27 && rand() < 0.9) vk = 32
                printf "%d down %d\n", f, vk
                if (rand() < 0.9) printf "%d up %d\n", f + int(rand() * 3), vk
            } else if (rand() < 0.95) {
                printf "%d point %.3f %.3f\n", f, rand() * 700 - 100, rand() * 900 - 100
            } else {
                printf "%d point %s %s\n", f, (rand() < 0.5 ? "1e300" : "-3e9"), (rand() < 0.5 ? "-1e-300" : "4e9")
            }
            f += 1 + int(rand() * 6)
        }
    }' | sort -n -s -k1,1
}

while [ $((SECONDS - start)) -lt "$budget" ]; do
    frames=$((150 + (seed * 7919) % 450))
    dt="${dts[$((seed % ${#dts[@]}))]}"
    controller=$((seed % 4 == 0 ? 1 : 0))
    make_input "$seed" "$frames" > "$work/input.txt"
    VELMORA_FUZZ_CONTROLLER=$controller timeout 300 "${wrapper[@]}" "$velmora" "$game" --headless \
        --seed "$seed" --frames "$frames" --dt "$dt" --input "$work/input.txt" \
        --lua-memory $((8 + seed % 24)) \
        > "$work/stdout" 2> "$work/stderr"
    status=$?
    runs=$((runs + 1))
    if [ $status -ne 0 ] || grep -qE 'runtime error|AddressSanitizer|LeakSanitizer|stack-overflow' "$work/stderr"; then
        mkdir -p "$keep"
        cp "$work/input.txt" "$keep/input-$seed.txt"
        echo "script fuzz: seed $seed failed with exit status $status"
        [ $status -eq 124 ] && echo "(it did not finish within 300 seconds)"
        echo "repeat: VELMORA_FUZZ_CONTROLLER=$controller ${wrapper[*]} $velmora $game --headless --seed $seed --frames $frames --dt $dt --input $keep/input-$seed.txt"
        tail -n 60 "$work/stderr"
        exit 1
    fi
    last=$(grep -oE '^fuzz calls [0-9]+' "$work/stdout" | tail -n 1 | awk '{print $3}')
    calls=$((calls + ${last:-0}))
    reached="$reached $(grep -oE '^fuzz reached [A-Za-z]+' "$work/stdout" | awk '{print $3}' | tr '\n' ' ')"
    seed=$((seed + 1))
done

seen="$(echo "$reached" | tr ' ' '\n' | sort -u | grep . | tr '\n' ' ')"
echo "script fuzz: $runs runs (seeds $first to $((seed - 1))) in $((SECONDS - start)) s, about $calls calls"
echo "callbacks reached: $seen"
missing=""
for name in $required; do
    case " $seen " in *" $name "*) ;; *) missing="$missing $name" ;; esac
done
if [ -n "$missing" ]; then
    echo "script fuzz: never reached:$missing"
    exit 1
fi
