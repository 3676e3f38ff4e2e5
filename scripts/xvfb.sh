# Sourced: start_xvfb starts an Xvfb of 1024x768 on a free display number, exports
# DISPLAY and sets xvfb_pid; stop_xvfb ends that one server, and nothing else. Arguments
# to start_xvfb go to Xvfb as they are.
start_xvfb() {
  local n
  for n in $(seq 91 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp "$@" >/dev/null 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "no free X display for Xvfb" >&2
  return 1
}

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
