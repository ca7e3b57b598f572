#!/usr/bin/env bash
# Runs one scenario: the game in DIR headless with the options in DIR/args, then compares
# standard output with DIR/expected.txt; standard error with DIR/expected_stderr.txt when
# it exists; the exit status with DIR/expected_status (0 without it). Trailing blank lines
# are not compared. An input file named in args is looked up in DIR. The game is
# DIR/game laid over common/ (settings, a stage-entering GameState.lua, a frame clock, a
# picture, a bare object, a steered hero); a DIR without a game folder is a game as it is.
set -uo pipefail
velmora="$1"; dir="$2"
out="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$out"' EXIT
# Games' save folders go here, not into the home folder of whoever runs the tests.
export XDG_DATA_HOME="$out/data"
args=()
if [ -f "$dir/args" ]; then read -r -a args < "$dir/args"; fi
for i in "${!args[@]}"; do
  case "${args[$i]}" in input.txt|*.input) args[$i]="$dir/${args[$i]}";; esac
done
game="$dir"
if [ -d "$dir/game" ]; then
  game="$out/game"
  cp -r "$(dirname "$0")/common" "$game" && cp -r "$dir/game/." "$game"
fi
"$velmora" "$game" --headless "${args[@]}" > "$out/stdout" 2> "$out/stderr"
status=$?
fail=0
want_status="$(cat "$dir/expected_status" 2>/dev/null || echo 0)"
[ "$status" = "$want_status" ] || { echo "exit status $status, expected $want_status"; fail=1; }
trimmed() { awk '{ l[NR] = $0 } length($0) { n = NR } END { for (i = 1; i <= n; i++) print l[i] }' "$1"; }
for pair in expected.txt:stdout expected_stderr.txt:stderr; do
  want="$dir/${pair%%:*}"; got="$out/${pair##*:}"
  if [ -f "$want" ] && ! diff -u <(trimmed "$want") <(trimmed "$got"); then
    echo "standard ${pair##*:} differs (above)"; fail=1
  fi
done
if grep -qE 'runtime error|AddressSanitizer|LeakSanitizer' "$out/stderr"; then
  echo "sanitizer report:"; cat "$out/stderr"; fail=1
fi
exit $fail
