#!/usr/bin/env bash
# Sets up, builds countdown.exe and runs it under Wine. Without a display it runs on a
# private Xvfb and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target countdown
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  trap stop_xvfb EXIT
  echo "No display here: countdown.exe runs on Xvfb $DISPLAY (look at it with"
  echo "'DISPLAY=$DISPLAY import -window root shot.png'; end it with Ctrl+C)."
fi
"$root/scripts/wine-run.sh" "$root/build/windows/countdown.exe"
