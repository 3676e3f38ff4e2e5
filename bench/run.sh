#!/usr/bin/env bash
# Measures countdown.exe under Wine on a private Xvfb against two baselines built here with
# the same toolchain and flags: a bare borderless window (the floor) and a plain program
# with the same thirteen kinds of controls (the near limit). Figures: start-up from exec
# to the window mapped, peak memory, CPU over a minute of counting, one tick's repaint,
# the exe sizes and the drift of a 120-tick count against the wall clock; then Google
# Benchmark over the portable core. Ends with one table; the raw figures stay in
# $out/results.
#
# Usage: bench/run.sh [--quick] [--rounds N]
#   --quick    10 s of CPU, a 20-tick drift and 3 rounds: for trying the bench out
#   --rounds N rounds of the start-up, memory, CPU and drift runs (default 5; start-up
#              and memory take twice as many, they are short)
# Environment: COUNTDOWN_BENCH_BUILD, the build folder (default build/bench);
# COUNTDOWN_BENCH_SOURCE, the CMake source to configure with -DCOUNTDOWN_BENCH=ON (default
# the repo); WINEPREFIX, default a prefix of the bench's own in the build folder, since
# the bench ends its wineserver with `wineserver -k` when done.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

quick=
rounds=
while [ $# -gt 0 ]; do
  case $1 in
  --quick) quick=1 ;;
  --rounds)
    rounds=${2:?--rounds needs a number}
    shift
    ;;
  *)
    echo "usage: bench/run.sh [--quick] [--rounds N]" >&2
    exit 1
    ;;
  esac
  shift
done
if [ -n "$quick" ]; then
  cpu_seconds=10 drift_ticks=20 rounds=${rounds:-3}
else
  cpu_seconds=60 drift_ticks=120 rounds=${rounds:-5}
fi
startup_rounds=$((2 * rounds))

out=${COUNTDOWN_BENCH_BUILD:-$root/build/bench}
src=${COUNTDOWN_BENCH_SOURCE:-$root}
export WINEPREFIX=${WINEPREFIX:-$out/wine-prefix}
results=$out/results
mkdir -p "$out"
rm -rf "$results"
mkdir -p "$results"

"$root/scripts/setup.sh"

echo "== building countdown.exe, the baselines, tick_repaint and the probe (mingw-w64, -Os, static)"
(cd "$src" && cmake --preset windows -B "$out/windows" -DCOUNTDOWN_BENCH=ON) \
  >"$results/configure-windows.log" 2>&1 || { cat "$results/configure-windows.log"; exit 1; }
cmake --build "$out/windows" --target countdown bench_floor bench_near_limit bench_tick_repaint \
  bench_probe
# -O2, not Release's -O3: GCC 12 at -O3 warns falsely (-Wrestrict) in the host stand-in.
echo "== building core_bench and map_watch natively (-O2)"
(cd "$src" && cmake --preset host -B "$out/host" -DCOUNTDOWN_BENCH=ON -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG") \
  >"$results/configure-host.log" 2>&1 || { cat "$results/configure-host.log"; exit 1; }
cmake --build "$out/host" --target core_bench map_watch

program=$out/windows/countdown.exe
floor=$out/windows/bench/bench_floor.exe
near=$out/windows/bench/bench_near_limit.exe
probe=$out/windows/bench/bench_probe.exe
tick_repaint=$out/windows/bench/bench_tick_repaint.exe
map_watch=$out/host/bench/map_watch
core_bench=$out/host/bench/core_bench

source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"

watchers=() # map_watch processes: each is the parent of one program this script started
programs=() # the programs' own processes
cleanup() {
  local p
  for p in "${programs[@]}"; do
    kill "$p" 2>/dev/null || true
  done
  wineserver -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM

unset DISPLAY
# -noreset: Xvfb would otherwise reset when xprop, its only client, leaves, and take the
# resource database below with it.
start_xvfb -noreset
# A desktop session has an X resource database; without one, Xlib looks for ~/.Xdefaults
# again on every lookup, and Wine looks up the Xft settings whenever a font is selected:
# a cost of this bare Xvfb that no Windows program has, for the baselines as for the program.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER 'countdown.bench: 1'
xprop -root RESOURCE_MANAGER | grep -q countdown.bench ||
  { echo "the X resource database did not stay on $DISPLAY" >&2; exit 1; }
echo "== Xvfb $DISPLAY, Wine prefix $WINEPREFIX, one wineserver kept alive throughout"
# A wineserver left from an earlier run of this prefix would hold another display.
wineserver -k 2>/dev/null || true
wineserver -p

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
centre_x=$(((screen_w - 450) / 2))
centre_y=$(((screen_h - 228) / 2))

# True while the process exists and is no zombie.
alive() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
  [ -n "$state" ] && [ "$state" != Z ]
}

# launch NAME EXE [ARGS...]: starts the exe under Wine with map_watch and waits for its
# 450 x 228 window; sets pid (the program's own Windows process) and start_ms.
launch() {
  local name=$1 exe=$2 line=$results/launch.$1.line
  shift 2
  rm -f "$line"
  "$map_watch" 450 228 20000 wine "$exe" "$@" >"$line" 2>>"$results/map_watch.log" &
  watchers+=("$!")
  for _ in $(seq 1 500); do
    [ -s "$line" ] && break
    sleep 0.05
  done
  read -r pid start_ms _ <"$line" || { echo "$name: map_watch said nothing" >&2; exit 1; }
  programs+=("$pid")
  [ "$start_ms" != - ] || { echo "$name: its window was not mapped" >&2; exit 1; }
  # The wine wrapper execs the loader, which becomes the program's own process: its
  # command line is the exe's path (not wine, not the wineserver).
  local cmd
  cmd=$(tr '\0' '\n' <"/proc/$pid/cmdline" | head -n 1)
  [ "$cmd" = "$exe" ] || { echo "$name: process $pid is '$cmd', not $exe" >&2; exit 1; }
}

# close NAME PID X Y: WM_CLOSE to the window of NAME's class at X, Y, as the task bar's
# close command sends it (Esc from xdotool reaches the right window only while it is
# the only one on the screen); killed if still there after 10 s.
declare -A class_of=([program]=CountdownMainWindow [drift]=CountdownMainWindow
  [floor]=BenchFloorWindow [near]=BenchNearLimitWindow)
close() {
  wine "$probe" --class "${class_of[$1]}" --at "$3" "$4" close || true
  for _ in $(seq 1 200); do
    alive "$2" || break
    sleep 0.05
  done
  if alive "$2"; then
    echo "$1: process $2 did not end on WM_CLOSE; killed" >&2
    kill "$2" 2>/dev/null || true
  fi
  # Forgotten, so that the clean-up never signals a number the system has given again.
  local kept=() p
  for p in "${programs[@]}"; do
    [ "$p" = "$2" ] || kept+=("$p")
  done
  programs=("${kept[@]}")
}

# Waits for the watchers, which end with their programs.
end_watchers() {
  local w
  for w in "${watchers[@]}"; do
    wait "$w" 2>/dev/null || true
  done
  watchers=() programs=()
}

peak_rss_kib() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }
clock_ticks=$(getconf CLK_TCK)
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
# The same CPU time to the nanosecond, summed over the process's threads: utime and
# stime are sampled at the clock tick, too coarse for a program that idles.
cpu_ns() { cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f", s}'; }

# The program's own copies, the floor and the near limit take turns in each round, in a
# rotating order; one launch of each before the first round is not counted (file cache).
echo "== start-up and peak memory: $startup_rounds rounds, after one uncounted launch of each"
names=(program floor near)
declare -A exe_of=([program]=$program [floor]=$floor [near]=$near)
for r in $(seq 0 "$startup_rounds"); do
  for k in 0 1 2; do
    name=${names[$(((r + k) % 3))]}
    launch "$name" "${exe_of[$name]}"
    # Time for the first paints; the lists are filled before the window shows.
    sleep 1.5
    rss=$(peak_rss_kib "$pid")
    close "$name" "$pid" "$centre_x" "$centre_y"
    if [ "$r" -gt 0 ]; then
      echo "$start_ms" >>"$results/startup.$name"
      echo "$rss" >>"$results/rss.$name"
    fi
  done
  [ "$r" -eq 0 ] || echo "   round $r of $startup_rounds"
done
end_watchers

# Each round runs four windows side by side, none covering another: the program's copy
# counting 23:59:59 for the CPU figure (centred), the near limit (top left) and the
# floor (top right) over the same seconds, and a second copy of the program, moved to the
# bottom left, counting drift_ticks seconds for the drift figure, watched by the probe.
drift_h=$((drift_ticks / 3600)) drift_m=$((drift_ticks % 3600 / 60)) drift_s=$((drift_ticks % 60))
echo "== CPU over $cpu_seconds s of counting and the drift of a $drift_ticks-tick count: $rounds rounds"
for r in $(seq 1 "$rounds"); do
  launch drift "$program"
  drift_pid=$pid
  wine "$probe" move 0 $((screen_h - 228))
  launch program "$program"
  cpu_pid=$pid
  launch near "$near" 0 0
  near_pid=$pid
  launch floor "$floor" $((screen_w - 450)) 0
  floor_pid=$pid

  wine "$probe" --at 0 $((screen_h - 228)) start "$drift_h" "$drift_m" "$drift_s" "$drift_ticks" \
    >"$results/ticks.$r" &
  drift_probe=$!
  wine "$probe" --at "$centre_x" "$centre_y" start 23 59 59
  declare -A pid_of=([program]=$cpu_pid [near]=$near_pid [floor]=$floor_pid) ticks0 ns0
  for name in program near floor; do
    ticks0[$name]=$(cpu_ticks "${pid_of[$name]}") ns0[$name]=$(cpu_ns "${pid_of[$name]}")
  done
  sleep "$cpu_seconds"
  for name in program near floor; do
    echo "$((($(cpu_ticks "${pid_of[$name]}") - ticks0[$name]) * 1000 / clock_ticks))" \
      >>"$results/cpu.$name"
    awk -v a="${ns0[$name]}" -v b="$(cpu_ns "${pid_of[$name]}")" \
      'BEGIN {printf "%.1f\n", (b - a) / 1e6}' >>"$results/cpu_ns.$name"
  done
  close program "$cpu_pid" "$centre_x" "$centre_y"
  close near "$near_pid" 0 0
  close floor "$floor_pid" $((screen_w - 450)) 0

  wait "$drift_probe" || { echo "the probe saw fewer than $drift_ticks ticks" >&2; exit 1; }
  close drift "$drift_pid" 0 $((screen_h - 228))
  # drift = (tick N - tick 1) / (N - 1) ticks against 1000 ms, in percent.
  awk -v n="$drift_ticks" '$1 == "tick" && $2 == 1 {a = $3} $1 == "tick" && $2 == n {b = $3}
    END {printf "%.4f\n", ((b - a) / (n - 1) / 1000 - 1) * 100}' "$results/ticks.$r" \
    >>"$results/drift.program"
  echo "   round $r of $rounds"
done
end_watchers

echo "== one tick's repaint on the real window: 500 repetitions"
wine "$tick_repaint" 500 | tr -d '\r' | tee "$results/tick_repaint.txt"
wineserver -k
wineserver -w

size_kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN {printf "%.1f\n", b / 1024}'; }
size_kib "$program" >"$results/size.program"
size_kib "$floor" >"$results/size.floor"
size_kib "$near" >"$results/size.near"
awk '$1 == "tick_repaint_ms" {print $2; print $3; print $4}' "$results/tick_repaint.txt" \
  >"$results/repaint.program"
awk '$1 == "tick_with_queued_paint_ms" {print $2; print $3; print $4}' \
  "$results/tick_repaint.txt" >"$results/repaint_queued.program"
awk '{printf "%.1f\n", $1 / 1024}' "$results/rss.program" >"$results/rss_mib.program"
awk '{printf "%.1f\n", $1 / 1024}' "$results/rss.floor" >"$results/rss_mib.floor"
awk '{printf "%.1f\n", $1 / 1024}' "$results/rss.near" >"$results/rss_mib.near"

# min/median/max of a file of numbers; "-" when there is none.
stats() {
  [ -s "$1" ] || { echo -; return; }
  sort -g "$1" | awk '{v[NR] = $1} END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s / %s / %s", v[1], m, v[NR]}'
}
median() { sort -g "$1" | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# row FIGURE KEY LIMIT KIND TARGET: KIND "ratio" judges the program's median against
# LIMIT times the near limit's median, "absolute" against LIMIT itself.
row() {
  local figure=$1 key=$2 limit=$3 kind=$4 target=$5 ratio=- verdict=-
  local p=$results/$key.program f=$results/$key.floor n=$results/$key.near
  if [ -s "$p" ] && [ -s "$n" ]; then
    ratio=$(awk -v a="$(median "$p")" -v b="$(median "$n")" \
      'BEGIN {if (b > 0) printf "%.2fx", a / b; else printf "-"}')
  fi
  if [ "$kind" = ratio ] && [ "$ratio" != - ]; then
    verdict=$(awk -v r="${ratio%x}" -v l="$limit" 'BEGIN {print r <= l ? "ok" : "MISS"}')
  elif [ "$kind" = absolute ] && [ -s "$p" ]; then
    verdict=$(awk -v v="$(median "$p")" -v l="$limit" 'BEGIN {print (v < 0 ? -v : v) <= l ? "ok" : "MISS"}')
  fi
  printf '%-32s | %-26s | %-20s | %-26s | %-8s | %-22s | %s\n' "$figure" "$(stats "$p")" \
    "$(stats "$f")" "$(stats "$n")" "$ratio" "$target" "$verdict"
}

echo
echo "== the portable core, Google Benchmark (native, -O2)"
min_time=0.5
[ -z "$quick" ] || min_time=0.05
"$core_bench" --benchmark_min_time="$min_time" 2>&1 | tee "$results/core_bench.txt"

echo
echo "== countdown.exe against the baselines: min / median / max over the rounds"
echo "   (start-up and memory: $startup_rounds rounds; CPU and drift: $rounds rounds of" \
  "$cpu_seconds s and $drift_ticks ticks; tick repaint: 500 repetitions in one run)"
printf '%-32s | %-26s | %-20s | %-26s | %-8s | %-22s | %s\n' figure "program" floor near-limit \
  "prog/near" target verdict
row "start-up to window mapped (ms)" startup 1.15 ratio "<= 1.15x near-limit"
row "peak RSS, VmHWM (MiB)" rss_mib 1.15 ratio "<= 1.15x near-limit"
row "CPU over $cpu_seconds s of counting (ms)" cpu 1.5 ratio "<= 1.5x near-limit"
row "  same from schedstat (ms)" cpu_ns 1.5 ratio "<= 1.5x near-limit"
row "one tick's repaint (ms)" repaint 2 absolute "<= 2 ms"
row "  same + the queued paints (ms)" repaint_queued - none "(no target)"
row "exe size, stripped (KiB)" size 400 absolute "<= 400 KiB"
row "drift of $drift_ticks ticks vs wall (%)" drift 0.05 absolute "<= 0.05 %"

# The long runs: the whole 23:59:59 count as a soak, and the fuzzers for longer than the
# test command gives them. Left out by --quick.
if [ -z "$quick" ]; then
  echo
  echo "== the fuzzers, ${COUNTDOWN_BENCH_FUZZ_SECONDS:-300} s each"
  cmake --preset fuzz -DCOUNTDOWN_FUZZ_SECONDS="${COUNTDOWN_BENCH_FUZZ_SECONDS:-300}" >/dev/null
  cmake --build --preset fuzz
  ctest --preset fuzz -j2
  echo
  echo "== the full soak: all 86,399 counting ticks and the finishing tick"
  cmake --preset windows >/dev/null
  cmake --build --preset windows
  COUNTDOWN_SOAK_TICKS=full ctest --preset windows -R e2e_soak
fi
