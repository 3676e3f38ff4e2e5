#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's prefix with the Chinese locale and
# exits with the program's exit code. Without DISPLAY it starts an Xvfb of its own for
# the run. Used by ctest (as the cross-compiling emulator) and by scripts/run.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"

own_display=
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || exit 1
  own_display=1
  trap stop_xvfb EXIT
fi

wine "$@"
rc=$?
# A wineserver kept alive by the caller (COUNTDOWN_WINESERVER_KEPT) serves the next run;
# otherwise wait for it here so that nothing of this run outlives it.
if [ -z "${COUNTDOWN_WINESERVER_KEPT:-}" ]; then
  wineserver -w
fi
exit $rc
