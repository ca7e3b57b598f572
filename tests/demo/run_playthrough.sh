#!/usr/bin/env bash
# Plays the bundled game headless with a recorded input: through the title into the
# first sector, where shots must score; then packed into one file, which must play the
# same. Fails on any message box (a script error or a missing picture or sound), on a
# sanitizer report, or when the score never moved.
set -uo pipefail
velmora="$1"; repo="$2"
here="$(cd "$(dirname "$0")" && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export XDG_DATA_HOME="$out/data"
"$velmora" "$repo/demo" --headless --frames 3000 --dt 0.0166667 --seed 7 \
  --input "$here/playthrough.input" > "$out/stdout" 2> "$out/stderr"
status=$?
fail=0
if [ "$status" != 0 ]; then echo "exit status $status"; fail=1; fi
if grep -q 'velmora: message:' "$out/stderr"; then
  echo "a message box appeared:"; grep 'velmora: message:' "$out/stderr"; fail=1
fi
if grep -qE 'runtime error|AddressSanitizer|LeakSanitizer' "$out/stderr"; then
  echo "sanitizer report:"; cat "$out/stderr"; fail=1
fi
# The stages print their names as they start; the score is printed on every change.
if ! head -n 2 "$out/stdout" | tr '\n' ' ' | grep -q '^stage title stage sector1 $'; then
  echo "expected the title and then the first sector, got:"; head -n 2 "$out/stdout"; fail=1
fi
if ! grep -qE '^score [1-9][0-9]*$' "$out/stdout"; then
  echo "the score never changed; the game printed:"; cat "$out/stdout"; fail=1
fi
# Packed into one file, the game plays the same run the same way.
(cd "$out" && "$velmora" pack "$repo/demo" "$out/demo.zip" > /dev/null) || { echo "velmora pack failed"; fail=1; }
"$velmora" "$out/demo.zip" --headless --frames 3000 --dt 0.0166667 --seed 7 \
  --input "$here/playthrough.input" > "$out/zip-stdout" 2> "$out/zip-stderr"
cmp -s "$out/stdout" "$out/zip-stdout" || { echo "the packed game played differently:"; diff "$out/stdout" "$out/zip-stdout" | head; cat "$out/zip-stderr"; fail=1; }
exit $fail
