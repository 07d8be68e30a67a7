#!/usr/bin/env bash
# How long after start-up the main window is on the screen: starts build/bin/varnel on the simulated
# instrument under the X display $DISPLAY (e.g. Xvfb :97) RUNS times and prints each time from the
# start of the process until its window is mapped, and the median. Needs xdotool.
#   DISPLAY=:97 bench/startup_time.sh [RUNS]
set -u
runs=${1:-7}
bin=${VARNEL_BIN:-build/bin/varnel}
times=()
for ((i = 0; i < runs; i++)); do
  cfg=$(mktemp -d)
  start=$(date +%s%N)
  "$bin" --port sim --config-dir "$cfg" >/dev/null 2>&1 &
  pid=$!
  # The window is found only once it is mapped (viewable).
  until xdotool search --onlyvisible --pid "$pid" --name "VARNEL" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  kill -TERM "$pid"; wait "$pid" 2>/dev/null
  rm -rf "$cfg"
  times+=($(( (end - start) / 1000000 )))
  echo "run $((i + 1)): ${times[-1]} ms"
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR + 1) / 2)] " ms"}'
