#!/usr/bin/env bash
# Runs one pixel test: the game in DIR with the OpenGL device under Xvfb, then checks
# the screenshot with pixel_probe against DIR/checks.txt. When DIR/compare_unbatched
# exists, the game runs a second time drawing every quad with its own call, and the
# two pictures must be identical. When DIR/game_dir exists, it names the game folder
# relative to the repository (the bundled demo, say) instead of DIR itself; an input
# file named in args is looked up beside the test.
set -euo pipefail
velmora="$1"; probe="$2"; dir="$3"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export XDG_DATA_HOME="$out/data"
args=()
if [ -f "$dir/args" ]; then read -r -a args < "$dir/args"; fi
for i in "${!args[@]}"; do
  case "${args[$i]}" in input.txt|*.input) args[$i]="$dir/${args[$i]}";; esac
done
game="$dir"
if [ -f "$dir/game_dir" ]; then
  game="$(cd "$(dirname "$0")/../.." && pwd)/$(tr -d '\n' < "$dir/game_dir")"
fi
# Nobody clicks message boxes away under Xvfb: they go to standard error, and a run
# that still does not end in time is reported rather than left to hang.
export VELMORA_MESSAGES=stderr
run() {
  local status=0
  timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$velmora" "$game" "${args[@]}" "$@" || status=$?
  if [ "$status" = 124 ]; then echo "velmora did not finish within 60 s" >&2; fi
  return "$status"
}
run --screenshot "$out/shot.png" > "$out/stdout" 2> "$out/stderr" || { echo "velmora failed:"; cat "$out/stderr"; exit 1; }
if grep -q 'velmora: message:' "$out/stderr"; then
  echo "unexpected message box:"; cat "$out/stderr"; exit 1
fi
"$probe" "$out/shot.png" "$dir/checks.txt"
if [ -f "$dir/compare_unbatched" ]; then
  VELMORA_GL_NO_BATCH=1 run --screenshot "$out/single.png" > /dev/null 2> "$out/stderr" ||
    { echo "velmora failed unbatched:"; cat "$out/stderr"; exit 1; }
  cmp -s "$out/shot.png" "$out/single.png" || { echo "the batched picture differs from the unbatched one"; exit 1; }
fi
# F12 in play: the picture it saves must pass the same checks as --screenshot's.
if [ -f "$dir/f12.input" ]; then
  run --input "$dir/f12.input" > /dev/null 2> "$out/stderr" || { echo "velmora failed with F12:"; cat "$out/stderr"; exit 1; }
  shot="$(ls "$XDG_DATA_HOME"/velmora/screenshots/*.png 2>/dev/null | head -n 1)"
  [ -n "$shot" ] || { echo "F12 saved no screenshot:"; cat "$out/stderr"; exit 1; }
  "$probe" "$shot" "$dir/checks.txt"
fi
