#!/usr/bin/env bash
# Wake-ups of the stopped, idle program: starts it on the simulated instrument (not acquiring) under a
# virtual X server of its own, waits for it to settle and counts the context switches of all its
# threads over SECONDS (from /proc/PID/task/*/status). An idle program should not wake at all.
#   bench/idle_wakeups.sh [SECONDS=30] [PROGRAM=build/bin/varnel]
set -eu
seconds=${1:-30}
program=${2:-build/bin/varnel}
display=${BENCH_DISPLAY:-:98}

. "$(dirname "$0")/virtual_display.sh"
start_under_virtual_display "$display" "$program"
sleep 6
switches() {
  for t in /proc/"$pid"/task/*; do
    echo "$(basename "$t") $(tr -d ' ' <"$t/comm") $(awk '/ctxt_switches/ {s += $2} END {print s}' "$t/status")"
  done | sort
}
before=$(switches)
sleep "$seconds"
after=$(switches)
# Threads that ended meanwhile (a pool's idle threads expire) count with their last switches.
join <(echo "$before") <(echo "$after") | awk -v s="$seconds" '
  {d = $5 - $3; total += d; printf "%-8s %-16s %5d\n", $1, $2, d}
  END {printf "total: %d wake-ups in %d s (%.2f a second)\n", total, s, total / s}'
