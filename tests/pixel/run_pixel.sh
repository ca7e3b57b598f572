#!/usr/bin/env bash
# Runs one pixel test: the game in DIR with the OpenGL device under Xvfb, then checks
# the screenshot with pixel_probe against DIR/checks.txt.
set -euo pipefail
velmora="$1"; probe="$2"; dir="$3"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
args=()
if [ -f "$dir/args" ]; then read -r -a args < "$dir/args"; fi
xvfb-run -a -s "-screen 0 1024x768x24" "$velmora" "$dir" "${args[@]}" --screenshot "$out/shot.png" \
  > "$out/stdout" 2> "$out/stderr" || { echo "velmora failed:"; cat "$out/stderr"; exit 1; }
if grep -q 'velmora: message:' "$out/stderr"; then
  echo "unexpected message box:"; cat "$out/stderr"; exit 1
fi
"$probe" "$out/shot.png" "$dir/checks.txt"
