#!/usr/bin/env bash
# velmora new: the game it writes passes the check with nothing to say, plays headless
# without a message box while the ship moves and holds fire, and scores; a folder that
# is not empty is left alone.
#
#   run_new.sh VELMORA
set -uo pipefail
velmora="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail=0
sanitizer='runtime error|AddressSanitizer|LeakSanitizer'

# The folder need not exist yet, nor its parent.
"$velmora" new "$work/games/mygame" > "$work/new.out" 2> "$work/new.err" \
  || { echo "velmora new failed:"; cat "$work/new.err"; exit 1; }

out="$("$velmora" check "$work/games/mygame" 2>&1)"
status=$?
[ "$status" = 0 ] && [ -z "$out" ] || { echo "check: status $status, said:"; echo "$out"; fail=1; }

# Fire held from the start; the ship sweeps left and right across the field.
{
  echo "5 down 90"
  for i in 0 1 2 3 4 5 6 7; do
    s=$((20 + i * 120))
    echo "$s down 37"; echo "$((s + 60)) up 37"; echo "$((s + 60)) down 39"; echo "$((s + 120)) up 39"
  done
} > "$work/input"
"$velmora" "$work/games/mygame" --headless --frames 1200 --dt 0.0166667 --seed 3 \
  --input "$work/input" > "$work/stdout" 2> "$work/stderr"
status=$?
[ "$status" = 0 ] || { echo "the game exited with status $status"; fail=1; }
if grep -q 'velmora: message:' "$work/stderr"; then
  echo "a message box appeared:"; grep 'velmora: message:' "$work/stderr"; fail=1
fi
if grep -qE "$sanitizer" "$work/stderr" "$work/new.err"; then cat "$work/new.err" "$work/stderr"; fail=1; fi
grep -qE '^score [1-9][0-9]*$' "$work/stdout" || { echo "no score; the game printed:"; cat "$work/stdout"; fail=1; }

# A folder with anything in it is refused and kept as it was; a missing folder
# argument is a usage error.
mkdir "$work/taken"; echo keep > "$work/taken/notes.txt"
"$velmora" new "$work/taken" > /dev/null 2> "$work/taken.err"
status=$?
[ "$status" = 1 ] && grep -q 'not empty' "$work/taken.err" \
  || { echo "non-empty folder: status $status, said:"; cat "$work/taken.err"; fail=1; }
[ "$(ls -A "$work/taken")" = notes.txt ] || { echo "the non-empty folder was changed:"; ls -A "$work/taken"; fail=1; }
"$velmora" new > /dev/null 2>&1
status=$?
[ "$status" = 2 ] || { echo "velmora new without a folder: status $status, expected 2"; fail=1; }
exit $fail
