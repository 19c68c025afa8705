# Sourced by the test and screenshot scripts: a private X display and a
# persistent wineserver, each stopped by its own pid.
#   start_services PREFIX   exports DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   stop_services

lobrin_xvfb_pid=
lobrin_wineserver_pid=

start_services() {
  local prefix=$1 n
  for n in $(seq 91 150); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  lobrin_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"

  mkdir -p "$prefix"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  wineserver -f -p >/dev/null 2>&1 &
  lobrin_wineserver_pid=$!
  # The first start creates the prefix (10-20 s); later starts take a moment.
  timeout 180 wine wineboot --init >/dev/null 2>&1 || true
}

stop_services() {
  if [ -n "$lobrin_wineserver_pid" ]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$lobrin_wineserver_pid" 2>/dev/null || true
    wait "$lobrin_wineserver_pid" 2>/dev/null || true
    lobrin_wineserver_pid=
  fi
  if [ -n "$lobrin_xvfb_pid" ]; then
    kill "$lobrin_xvfb_pid" 2>/dev/null || true
    wait "$lobrin_xvfb_pid" 2>/dev/null || true
    lobrin_xvfb_pid=
  fi
}
