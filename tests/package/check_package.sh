#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root and checks it as a player gets it: the
# program, the guide and the bundled game are there, and `velmora` started in an empty
# folder finds the game next to itself (not in the tree it was built from) and plays it.
#   tests/package/check_package.sh PACKAGE.deb
set -uo pipefail
deb="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail=0

if ! dpkg-deb -x "$deb" "$work/root"; then echo "cannot unpack $deb"; exit 1; fi
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' > "$work/files"
for f in /usr/bin/velmora /usr/share/doc/velmora/README.md \
  /usr/share/doc/velmora/docs/scripting.md /usr/share/doc/velmora/docs/velmora.lua \
  /usr/share/velmora/demo/setup.lua; do
  grep -qx "$f" "$work/files" || { echo "missing from the package: $f"; fail=1; }
done
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in liblua5.1 libsdl2-2.0 libsdl2-mixer libepoxy; do
  [[ "$depends" == *"$lib"* ]] || { echo "no dependency on $lib: $depends"; fail=1; }
done

mkdir "$work/empty" "$work/data"
(cd "$work/empty" && XDG_DATA_HOME="$work/data" "$work/root/usr/bin/velmora" \
  --headless --frames 120 --dt 0.0166667 > "$work/stdout" 2> "$work/stderr")
status=$?
if [ "$status" != 0 ]; then echo "exit status $status"; cat "$work/stderr"; fail=1; fi
if grep -q 'velmora: message:' "$work/stderr"; then
  echo "a message box appeared:"; grep 'velmora: message:' "$work/stderr"; fail=1
fi
if ! grep -qx 'stage title' "$work/stdout"; then
  echo "the bundled game did not start; it printed:"; cat "$work/stdout" "$work/stderr"; fail=1
fi
# A folder named on the command line is never swapped for the bundled game.
(cd "$work/empty" && "$work/root/usr/bin/velmora" "$work/empty" --headless --frames 1 \
  > "$work/stdout" 2> "$work/stderr")
status=$?
if [ "$status" = 0 ] || grep -qx 'stage title' "$work/stdout"; then
  echo "an empty folder given by name ran a game (exit status $status)"; fail=1
fi
if [ "$fail" = 0 ]; then
  echo "package: $(wc -l < "$work/files") entries, the bundled game runs from an empty folder"
fi
exit $fail
