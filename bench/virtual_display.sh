# Sourced by the bench scripts: starts PROGRAM on the simulated instrument under a virtual X server of
# its own (DISPLAY_NUMBER), with a fresh settings folder (both screens, 1 km), and removes both on exit.
#   start_under_virtual_display DISPLAY_NUMBER PROGRAM [PROGRAM ARGS...]   sets $pid and $display
start_under_virtual_display() {
  display=$1
  shift
  Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  config=$(mktemp -d)
  trap 'cleanup_virtual_display' EXIT
  sleep 1
  printf '[VARNEL]\nTWOSCREEN=1\nSCALE=4\nPORT=sim\n' >"$config/param.ini"
  DISPLAY=$display "$@" --port sim --config-dir "$config" >/dev/null 2>&1 &
  pid=$!
}

cleanup_virtual_display() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$config"
}
