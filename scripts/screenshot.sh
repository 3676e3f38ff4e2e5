#!/usr/bin/env bash
# Makes docs/screenshot.png: countdown.exe under Wine on a private Xvfb, the window
# cut out of the screen. Builds the program first if needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=${1:-$root/docs/screenshot.png}
[ -f build/windows/countdown.exe ] || { cmake --preset windows >/dev/null; cmake --build --preset windows --target countdown; }
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
unset DISPLAY
start_xvfb
"$root/scripts/wine-run.sh" "$root/build/windows/countdown.exe" &
program=$!
trap 'kill $program 2>/dev/null; wineserver -k 2>/dev/null; stop_xvfb' EXIT

echo "waiting for the window"
wid=
for _ in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --class countdown.exe 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "wrote $out (${WIDTH}x${HEIGHT} at $X,$Y)"
# Esc closes the program; should the key not arrive, end it by its PID.
xdotool windowfocus --sync "$wid" key Escape || kill "$program"
wait "$program" || true
