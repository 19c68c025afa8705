# Sourced by the shell tests: starts lobrin.exe under Wine, lets gui_probe
# look at its window, and closes it again. Every wait has a timeout; a
# calculator that is still running when the script ends is killed.
#   start_calculator WINE_RUN LOBRIN_EXE GUI_PROBE_EXE
#   probe ARGS...           runs gui_probe (see driver/gui_probe.cpp)
#   x_window                the X window of the calculator (for xdotool, xprop)
#   click_control L T       clicks the middle of the control at (L, T)
#   close_calculator        closes the window; fails unless the exit code is 0
#   fail MESSAGE            reports and ends the test

calculator_pid=
failures=0

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Notes a failed check and goes on; `finish` reports the count.
check() {
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}

stop_calculator() {
  if [ -n "$calculator_pid" ] && kill -0 "$calculator_pid" 2>/dev/null; then
    kill "$calculator_pid" 2>/dev/null
    wait "$calculator_pid" 2>/dev/null
  fi
  calculator_pid=
}

probe() {
  timeout 30 "$wine_run" "$probe_exe" "$@"
}

start_calculator() {
  wine_run=$1 lobrin_exe=$2 probe_exe=$3
  "$wine_run" "$lobrin_exe" &
  calculator_pid=$!
  trap stop_calculator EXIT
  probe --wait 20 >/dev/null || fail "no calculator window appeared"
}

# The X window of the calculator, the one of this calculator's Unix process.
x_window() {
  local w
  for w in $(timeout 10 xdotool search --onlyvisible --name '^Lobrin v1\.05$'); do
    if [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$calculator_pid" ] &&
       [ "$(xdotool getwindowgeometry "$w" | awk '/Geometry/ { split($2, s, "x"); print s[1] }')" -gt 100 ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

click_control() {
  local x y
  read -r x y < <(probe --dump | awk -v l="$1" -v t="$2" '$2 == l && $3 == t { print $6, $7 }')
  [ -n "$x" ] || fail "no control at $1,$2"
  xdotool mousemove --sync "$x" "$y" click 1
}

close_calculator() {
  probe --close >/dev/null || fail "could not close the window"
  local i
  for i in $(seq 1 150); do
    kill -0 "$calculator_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$calculator_pid" 2>/dev/null && fail "the calculator did not end after WM_CLOSE"
  wait "$calculator_pid"
  local code=$?
  calculator_pid=
  [ "$code" -eq 0 ] || fail "the calculator ended with exit code $code"
}
