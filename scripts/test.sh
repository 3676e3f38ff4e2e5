#!/usr/bin/env bash
# Sets up, builds and runs every test: the portable core's unit tests natively, again
# under ASan + UBSan, the fuzzers for a bounded time, then the Win32 tests and the
# end-to-end tests of countdown.exe under Wine on a private Xvfb. Ends with one line
# 'N passed, N failed' over all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

logs="$root/build/test-logs"
mkdir -p "$logs"
passed=0
failed=0

# Runs one ctest and adds its counts; a run without ctest's closing line counts as failed.
run_ctest() {
  local name=$1
  shift
  echo "== $name"
  local log="$logs/$name.log" status=0
  ctest "$@" 2>&1 | tee "$log" || status=$?
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -z "$line" ]; then
    echo "$name: ctest gave no result" >&2
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$status" -eq 0 ] || [ "$bad" -gt 0 ] || failed=$((failed + 1))
}

build() {
  local preset=$1
  shift
  echo "== building $preset"
  cmake --preset "$preset" "$@" >"$logs/configure-$preset.log" 2>&1 ||
    { cat "$logs/configure-$preset.log"; return 1; }
  cmake --build --preset "$preset"
}

build host
run_ctest host --preset host -j2

build host-sanitize
run_ctest host-sanitize --preset host-sanitize -j2

build fuzz -DCOUNTDOWN_FUZZ_SECONDS="${COUNTDOWN_FUZZ_SECONDS:-20}"
run_ctest fuzz --preset fuzz -j2

build windows
# The Win32 tests look at a screen of their own (1024x768) and share one wineserver.
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
unset DISPLAY
start_xvfb
export COUNTDOWN_WINESERVER_KEPT=1
wineserver -p
# Wine's own service processes start with the first program and outlive it; start them
# here so that they do not hold a test's output pipe open.
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
echo "== Win32 and end-to-end tests under Wine on Xvfb $DISPLAY"
run_ctest windows --preset windows

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
