#!/usr/bin/env bash
# Runs one pixel test: the game in DIR with the OpenGL device under Xvfb, then checks
# the screenshot with pixel_probe against DIR/checks.txt. When DIR/compare_unbatched
# exists, the game runs a second time drawing every quad with its own call, and the
# two pictures must be identical.
set -euo pipefail
velmora="$1"; probe="$2"; dir="$3"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
args=()
if [ -f "$dir/args" ]; then read -r -a args < "$dir/args"; fi
# Nobody clicks message boxes away under Xvfb: they go to standard error, and a run
# that still does not end in time is reported rather than left to hang.
export VELMORA_MESSAGES=stderr
run() {
  local status=0
  timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$velmora" "$dir" "${args[@]}" "$@" || status=$?
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
