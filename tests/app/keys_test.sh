#!/usr/bin/env bash
# Real keystrokes through X (xdotool): typed digits reach the boxes, Enter in
# a box clicks no button, and Tab walks the controls in the order they were
# made, Shift+Tab back.
#   keys_test.sh WINE_RUN LOBRIN_EXE GUI_PROBE_EXE
set -u
. "$(dirname "$0")/calculator_session.sh"
start_calculator "$@"

window=$(x_window) || fail "no X window for the calculator"
timeout 10 xdotool windowfocus --sync "$window" || fail "could not focus the calculator"

# Typing: the H-plane beamwidth, Tab, the frequency; then the E-plane beamwidth.
click_control 100 60
check "focus on the H-plane beamwidth after a click" probe --expect-focus 100 60
xdotool type --delay 30 32
xdotool key Tab
check "Tab from the H-plane beamwidth reaches the frequency" probe --expect-focus 100 110
xdotool type --delay 30 144
click_control 100 85
xdotool type --delay 30 30
check "typed H-plane beamwidth" probe --expect-text 100 60 32
check "typed frequency" probe --expect-text 100 110 144
check "typed E-plane beamwidth" probe --expect-text 100 85 30

# Enter in each input box: no button is clicked, so no distance appears.
for box in "100 60" "100 85" "100 110"; do
  click_control $box
  xdotool key Return
done
# Keys are handled in order: once this Tab has moved the focus on, the Enters are done.
xdotool key Tab
check "Tab after Enter in the frequency reaches Clear" probe --expect-focus 180 110
check "H-plane beamwidth unchanged after Enter" probe --expect-text 100 60 32
check "E-plane beamwidth unchanged after Enter" probe --expect-text 100 85 30
check "frequency unchanged after Enter" probe --expect-text 100 110 144
for result in "255 170" "255 190" "450 330" "450 350"; do
  check "no result at $result after Enter" probe --expect-text $result ""
done

# The tab order, starting at the H-plane beamwidth: every tab stop once.
click_control 100 60
tab_order=("100 110" "180 110" "255 170" "450 330" "255 190" "450 350" "590 0" "100 85"
           "180 60" "100 60")
for next in "${tab_order[@]}"; do
  xdotool key Tab
  check "Tab reaches the control at $next" probe --expect-focus $next
done
xdotool key shift+Tab
check "Shift+Tab from the H-plane beamwidth goes back to Calculate" probe --expect-focus 180 60
check "Tab moved no text" probe --expect-text 100 60 32

close_calculator
finish
