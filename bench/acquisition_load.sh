#!/usr/bin/env bash
# CPU share and resident memory of the program while it acquires both lines at 1 km with the overview
# screen on and the magnifier engaged (every window reply is followed by the full-range request), on the
# paced simulated instrument, under a virtual X server of its own.
#   bench/acquisition_load.sh [MINUTES=10] [PROGRAM=build/bin/varnel]
# Prints one line per 30 s: the CPU share of one core over the interval and VmRSS; then the totals, the
# share of the UI thread alone (the rest is the device worker, with the simulated instrument, which
# renders its reflectograms in the program's own process) and the wake-ups a second.
set -eu
minutes=${1:-10}
program=${2:-build/bin/varnel}
display=${BENCH_DISPLAY:-:97}   # another number when several runs share the machine
interval=30

. "$(dirname "$0")/virtual_display.sh"
start_under_virtual_display "$display" "$program" --start
sleep 3
# The second line from its toolbar button, then one wheel notch over the main screen (mouse mode
# "Лупа") engages the magnifier. The window is maximised to the 1024 x 768 screen.
DISPLAY=$display xdotool mousemove 101 37 click 1
sleep 1
DISPLAY=$display xdotool mousemove 420 280 click 4
sleep 2
if [ -n "${SHOT:-}" ]; then DISPLAY=$display import -window root "$SHOT"; fi

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
ui_cpu() { awk '{print $14 + $15}' "/proc/$pid/task/$pid/stat"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
# Times each thread went to sleep of its own accord (each is a wake-up later), one "tid count" a line.
sleeps() {
  for t in /proc/"$pid"/task/*; do
    awk -v t="${t##*/}" '/^voluntary_ctxt_switches/ {print t, $2}' "$t/status" 2>/dev/null || true
  done
}
# The wake-ups between two of those lists, of the threads in both (Qt's pooled threads come and go idle).
wakeups() { awk 'NR == FNR {a[$1] = $2; next} ($1 in a) {n += $2 - a[$1]} END {print n + 0}' "$1" "$2"; }
start_cpu=$(cpu)
start_ui=$(ui_cpu)
start_rss=$(rss)
sleeps_start=$(mktemp)
sleeps_end=$(mktemp)
sleeps >"$sleeps_start"
start_s=$(date +%s.%N)
prev=$start_cpu
echo "minute  cpu%_of_core  rss_kB"
steps=$((minutes * 60 / interval))
for ((i = 1; i <= steps; i++)); do
  sleep "$interval"
  now=$(cpu)
  printf '%6.1f  %12.2f  %6d\n' "$(echo "$i * $interval / 60" | bc -l)" \
    "$(echo "($now - $prev) * 100 / $ticks / $interval" | bc -l)" "$(rss)"
  prev=$now
done
end_s=$(date +%s.%N)
end_ui=$(ui_cpu)
sleeps >"$sleeps_end"
printf 'total: %.2f %% of one core over %.0f s; RSS %d kB -> %d kB\n' \
  "$(echo "($prev - $start_cpu) * 100 / $ticks / ($end_s - $start_s)" | bc -l)" \
  "$(echo "$end_s - $start_s" | bc -l)" "$start_rss" "$(rss)"
printf 'UI thread: %.2f %% of one core\n' "$(echo "($end_ui - $start_ui) * 100 / $ticks / ($end_s - $start_s)" | bc -l)"
printf 'wake-ups: %.1f a second, all threads (UI thread %.1f)\n' \
  "$(echo "$(wakeups "$sleeps_start" "$sleeps_end") / ($end_s - $start_s)" | bc -l)" \
  "$(echo "$(wakeups <(grep "^$pid " "$sleeps_start") "$sleeps_end") / ($end_s - $start_s)" | bc -l)"
rm -f "$sleeps_start" "$sleeps_end"
