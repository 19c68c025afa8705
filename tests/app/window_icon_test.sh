#!/usr/bin/env bash
# The calculator's window carries an icon of its own: the icon that Wine hands
# to the X window (_NET_WM_ICON) differs from the system's default icon,
# which a bare window without an icon gets.
#   window_icon_test.sh WINE_RUN LOBRIN_EXE GUI_PROBE_EXE EMPTY_WINDOW_EXE
set -u
. "$(dirname "$0")/calculator_session.sh"
empty_window_exe=$4
start_calculator "$1" "$2" "$3"

"$wine_run" "$empty_window_exe" &
empty_pid=$!
trap 'kill "$empty_pid" 2>/dev/null; stop_calculator' EXIT

icon_of() {
  xprop -id "$1" _NET_WM_ICON 2>/dev/null | md5sum
}

window=$(x_window) || fail "no X window for the calculator"
empty=$(timeout 20 xdotool search --sync --onlyvisible --pid "$empty_pid" --name '^Empty window$' | head -1)
[ -n "$empty" ] || fail "no X window for the empty window"

xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (' || fail "the calculator's window has no icon"
[ "$(icon_of "$window")" != "$(icon_of "$empty")" ] ||
  fail "the calculator shows the default icon, not its own"

close_calculator
echo "the window has its own icon"
