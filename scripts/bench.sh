#!/usr/bin/env bash
# Measures Quantum Orvantis on a private virtual display with Mesa's software
# renderer and prints one table (also written as CSV): milliseconds per frame
# step of every view, frame steps per second of every run, Bell pairs per second
# when only counting, seconds from start to the first title frame, CPU share of
# the idle menu and resident memory over many visits of the demonstrations.
# Usage: scripts/bench.sh [--quick] [CSV-FILE]   (default build/bench/results.csv)
# --quick repeats everything a few times only, to check that the benchmarks run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

quick=""
csv="$build/bench/results.csv"
for argument in "$@"; do
  case "$argument" in
    --quick) quick="--quick" ;;
    -*) echo "usage: $0 [--quick] [CSV-FILE]" >&2; exit 2 ;;
    *) csv="$argument" ;;
  esac
done
launches=20       # program starts timed to the first title frame
sessions=3        # program runs at the menu: idle CPU, memory, visits
visits=30         # visits of each demonstration per session
if [ -n "$quick" ]; then
  launches=3; sessions=1; visits=3
fi
# Memory is also read after this visit: from here on it should stay flat, once
# the allocator and the renderer have reached their working size.
settled=$((visits / 3))

"$root/scripts/install_deps.sh"
"$root/scripts/build.sh" "$build" -DORVANTIS_TESTS=OFF -DORVANTIS_BENCH=ON
summary="$build/bench/bench_summary"

started=$SECONDS
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
work="$(mktemp -d)"
program_pid=""

source "$root/tests/support/display.sh"
finish() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  stop_display
  rm -rf "$work"
}
trap finish EXIT
# A black root window: the start-up watcher waits for the first text on black.
start_display -br
# Xvfb offers no hardware; this keeps Mesa on llvmpipe whatever else is installed.
export LIBGL_ALWAYS_SOFTWARE=1

# --- Views and runs, timed inside one process ------------------------------
echo "== Frame steps of the views and runs"
(cd "$build" && ./bench/orvantis_frame_bench $quick) >"$work/table.csv"

# --- Start-up of the real program ------------------------------------------
echo "== Start to the first title frame ($launches starts)"
for _ in $(seq 1 "$launches"); do
  "$build/bench/orvantis_first_frame" "$build/orvantis" "$build"
done >"$work/start.txt"
"$summary" "Start to first title frame" s lower "<=0.5" <"$work/start.txt" >>"$work/table.csv"

# --- The real program at the menu: idle CPU, memory, visits -----------------
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }

wait_window() {
  local id="" end=$((SECONDS + 20))
  while [ $SECONDS -le $end ]; do
    id="$(find_window "$1")"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.02
  done
  echo "window '$1' not shown" >&2
  return 1
}

wait_gone() {
  local end=$((SECONDS + 20))
  while [ $SECONDS -le $end ]; do
    [ -z "$(find_window "$1")" ] && return 0
    sleep 0.02
  done
  echo "window '$1' still shown" >&2
  return 1
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

rss_mib() { awk '/^VmRSS:/ { printf "%.2f\n", $2 / 1024 }' "/proc/$1/status"; }

# Processor time of every thread of the process, in nanoseconds.
cpu_ns() {
  local total=0 task run rest
  for task in /proc/"$1"/task/*/schedstat; do
    { read -r run rest <"$task"; } 2>/dev/null || continue
    total=$((total + run))
  done
  echo "$total"
}

# cpu_share PID SECONDS: the share of one core the process used meanwhile, in %.
cpu_share() {
  local before after
  before="$(cpu_ns "$1")"
  sleep "$2"
  after="$(cpu_ns "$1")"
  awk -v ns=$((after - before)) -v s="$2" 'BEGIN { printf "%.3f\n", ns / (s * 1e9) * 100 }'
}

# visit MENU X Y TITLE RETURN-X RETURN-Y: opens a demonstration from its frame
# on the menu and leaves it through its Return button.
visit() {
  local window
  click "$1" "$2" "$3"
  window="$(wait_window "$4")"
  click "$window" "$5" "$6"
  wait_gone "$4"
}

for session in $(seq 1 "$sessions"); do
  echo "== Program at the menu, session $session of $sessions ($visits visits of each demonstration)"
  (cd "$build" && exec ./orvantis >/dev/null 2>&1) &
  program_pid=$!
  title="$(wait_window Demonstrations)"
  sleep 1
  rss_mib "$program_pid" >>"$work/rss_title.txt"
  # The introduction scrolls at the frame limit's pace.
  cpu_share "$program_pid" 5 >>"$work/cpu_title.txt"
  click "$title" 344 373
  menu="$(wait_window "Main menu")"
  wait_gone Demonstrations
  sleep 1
  rss_mib "$program_pid" >>"$work/rss_menu.txt"

  # Nothing moves on the menu: the program waits in the event loop.
  cpu_share "$program_pid" 5 >>"$work/cpu.txt"

  # An animated Bell run, then the same run held by Stop.
  click "$menu" 122 150
  bell="$(wait_window Bell-inequality)"
  click "$bell" 806 193
  sleep 0.5
  cpu_share "$program_pid" 5 >>"$work/cpu_run.txt"
  click "$bell" 953 235
  sleep 0.5
  cpu_share "$program_pid" 5 >>"$work/cpu_stop.txt"
  click "$bell" 953 235
  click "$bell" 953 303
  wait_gone Bell-inequality

  for round in $(seq 1 "$visits"); do
    visit "$menu" 122 150 Bell-inequality 953 303
    visit "$menu" 592 62 Quantum-teleportation 953 717
    visit "$menu" 122 450 "The BB84 Protocol" 951 712
    if [ "$round" -eq 1 ]; then
      sleep 1
      rss_mib "$program_pid" >>"$work/rss_first.txt"
    fi
    if [ "$round" -eq "$settled" ]; then
      sleep 1
      rss_mib "$program_pid" >>"$work/rss_settled.txt"
    fi
  done
  sleep 1
  rss_mib "$program_pid" >>"$work/rss_visits.txt"
  click "$menu" 859 616
  wait "$program_pid" || true
  program_pid=""
done
"$summary" "Resident memory at the title screen" MiB lower <"$work/rss_title.txt" >>"$work/table.csv"
"$summary" "Resident memory at the menu after start" MiB lower <"$work/rss_menu.txt" >>"$work/table.csv"
"$summary" "Resident memory after 1 visit of each demonstration" MiB lower \
  <"$work/rss_first.txt" >>"$work/table.csv"
"$summary" "Resident memory after $visits visits of each demonstration" MiB lower \
  <"$work/rss_visits.txt" >>"$work/table.csv"
# Windows left behind are reclaimed: a leak would show as growth here.
paste "$work/rss_settled.txt" "$work/rss_visits.txt" | awk '{ printf "%.2f\n", $2 - $1 }' |
  "$summary" "Resident memory growth from visit $settled to visit $visits" MiB lower \
  >>"$work/table.csv"
"$summary" "CPU share of the title screen for 5 s" % lower "<=12" <"$work/cpu_title.txt" >>"$work/table.csv"
"$summary" "CPU share of the menu idle for 5 s" % lower "<=1" <"$work/cpu.txt" >>"$work/table.csv"
"$summary" "CPU share of an animated Bell run for 5 s" % lower <"$work/cpu_run.txt" >>"$work/table.csv"
"$summary" "CPU share of a Bell run held by Stop for 5 s" % lower "<=3" <"$work/cpu_stop.txt" \
  >>"$work/table.csv"

# --- Full screen on a 1920 x 1080 projector ----------------------------------
echo "== Frame steps of the views and runs at full screen, 1920 x 1080"
stop_display
start_display -br -screen 0 1920x1080x24
(cd "$build" && ./bench/orvantis_frame_bench $quick --full-screen) | tail -n +2 >>"$work/table.csv"

# --- The table ---------------------------------------------------------------
mkdir -p "$(dirname "$csv")"
cp "$work/table.csv" "$csv"
echo
awk -F, '
  { for (i = 1; i <= NF; ++i) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
  END {
    for (r = 1; r <= NR; ++r) {
      line = "|"
      for (i = 1; i <= 7; ++i) line = line sprintf(" %-*s |", width[i], cell[r, i])
      print line
      if (r == 1) {
        line = "|"
        for (i = 1; i <= 7; ++i) { dashes = ""; for (k = 0; k < width[i] + 2; ++k) dashes = dashes "-"; line = line dashes "|" }
        print line
      }
    }
  }' "$csv"
echo
echo "p95 is the slow side: the 95th percentile of times, CPU and memory, the rate"
echo "that 95 % of the runs reached. A target is met when the median meets it."
echo "Load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Table written to $csv; the benchmarks took $((SECONDS - started)) s."
