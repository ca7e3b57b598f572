#!/usr/bin/env bash
# Runs one scenario: the game in DIR headless with the options in DIR/args, then
# compares standard output with DIR/expected.txt. When DIR/expected_stderr.txt exists,
# standard error must equal it too; when DIR/expected_status exists, so must the exit
# status (0 otherwise). An input file named in args is looked up beside the game.
set -uo pipefail
velmora="$1"; dir="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
args=()
if [ -f "$dir/args" ]; then read -r -a args < "$dir/args"; fi
for i in "${!args[@]}"; do
  case "${args[$i]}" in input.txt|*.input) args[$i]="$dir/${args[$i]}";; esac
done
game="$dir"
[ -d "$dir/game" ] && game="$dir/game"
"$velmora" "$game" --headless "${args[@]}" > "$out/stdout" 2> "$out/stderr"
status=$?
expected_status=0
[ -f "$dir/expected_status" ] && expected_status="$(cat "$dir/expected_status")"
fail=0
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"; fail=1
fi
if ! diff -u "$dir/expected.txt" "$out/stdout"; then
  echo "standard output differs (above)"; fail=1
fi
if [ -f "$dir/expected_stderr.txt" ] && ! diff -u "$dir/expected_stderr.txt" "$out/stderr"; then
  echo "standard error differs (above)"; fail=1
fi
if grep -qE 'runtime error|AddressSanitizer|LeakSanitizer' "$out/stderr"; then
  echo "sanitizer report:"; cat "$out/stderr"; fail=1
fi
exit $fail
