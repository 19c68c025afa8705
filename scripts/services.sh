# Sourced by the scripts that run Lobrin under Wine: a private X display, a
# persistent wineserver and a program that keeps Wine's desktop, each stopped
# by its own pid, and a prefix that draws the caption buttons.
#   start_services PREFIX   exports DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES;
#                           says why and returns 1 (services stopped) when a step fails
#   stop_services
#   prepare_prefix PREFIX   boots PREFIX (WINEPREFIX and DISPLAY already set) and
#                           installs its fonts; used alone by scripts/run

lobrin_xvfb_pid=
lobrin_wineserver_pid=
lobrin_desktop_holder_pid=

# Debian's Wine keeps the fonts of its own (package fonts-wine) in
# /usr/share/wine/fonts, but it neither reads that folder nor copies them into
# a new prefix: it looks only in the prefix's Fonts folder and at the system's
# fontconfig fonts, and those have no Marlett. Without Marlett the caption
# buttons show the letters "0 1 r" instead of minimise, maximise and close.
lobrin_wine_fonts=/usr/share/wine/fonts
lobrin_prefix_fonts=(marlett.ttf)

services_failed() {
  echo "start_services: $*" >&2
  stop_services
  return 1
}

prepare_prefix() {
  local prefix=$1 font fonts
  # The first start creates the prefix (10-20 s); later starts take a moment.
  if ! timeout 180 wine wineboot --init >/dev/null 2>&1; then
    echo "prepare_prefix: wineboot failed in $prefix" >&2
    return 1
  fi
  fonts="$prefix/drive_c/windows/Fonts"
  for font in "${lobrin_prefix_fonts[@]}"; do
    [ -f "$fonts/$font" ] && continue
    if ! cp "$lobrin_wine_fonts/$font" "$fonts/$font"; then
      echo "prepare_prefix: cannot install $font into $fonts (is fonts-wine installed?)" >&2
      return 1
    fi
  done
}

start_services() {
  local prefix=$1 fifo display socket i
  # Xvfb picks a free display itself and writes its number once it accepts
  # clients; the read ends with nothing if Xvfb ends first.
  fifo=$(mktemp -u) && mkfifo "$fifo" || { services_failed "cannot make a fifo"; return 1; }
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  lobrin_xvfb_pid=$!
  read -r -t 30 display <"$fifo"
  rm -f "$fifo"
  if [ -z "$display" ] || ! kill -0 "$lobrin_xvfb_pid" 2>/dev/null; then
    services_failed "Xvfb did not start (is xvfb installed? try: Xvfb -displayfd 1)"
    return 1
  fi
  export DISPLAY=":$display"

  mkdir -p "$prefix" || { services_failed "cannot make the prefix $prefix"; return 1; }
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  wineserver -f -p >/dev/null 2>&1 &
  lobrin_wineserver_pid=$!
  # A wineserver that is up works in its server directory, where it listens.
  socket="/proc/$lobrin_wineserver_pid/cwd/socket"
  for i in $(seq 1 100); do
    [ -S "$socket" ] && break
    kill -0 "$lobrin_wineserver_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! [ -S "$socket" ] || ! kill -0 "$lobrin_wineserver_pid" 2>/dev/null; then
    services_failed "wineserver did not start for $prefix (another one running for it?)"
    return 1
  fi
  prepare_prefix "$prefix" || { services_failed "the prefix is not usable"; return 1; }
  hold_desktop || { services_failed "cannot start the program that holds the desktop"; return 1; }
}

# Wine's desktop process (explorer.exe /desktop) ends some seconds after the
# last program on the desktop has ended. The next program then starts a new
# one, which inherits that program's standard output and error and keeps them
# open for those seconds after the program itself has ended: whoever reads
# them to their end (ctest does) waits 20 s and more for each program. A
# console program that waits for a line that never comes keeps the desktop of
# wineboot, whose output goes to /dev/null, for the whole session. Its input
# is a fifo that it holds open itself, for reading and writing, so the read
# never ends; wineserver -k ends it. It counts as started once it has said so:
# a wine that is still starting when wineserver -k runs would start a
# wineserver of its own for the prefix.
hold_desktop() {
  local fifo said i
  fifo=$(mktemp -u) && mkfifo "$fifo" || return 1
  said=$(mktemp) || { rm -f "$fifo"; return 1; }
  wine cmd /c "echo holding& set /p line=" <>"$fifo" >"$said" 2>/dev/null &
  lobrin_desktop_holder_pid=$!
  rm -f "$fifo"
  for i in $(seq 1 300); do
    grep -q holding "$said" && break
    kill -0 "$lobrin_desktop_holder_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q holding "$said"
  i=$?
  rm -f "$said"
  return $i
}

stop_services() {
  if [ -n "$lobrin_wineserver_pid" ]; then
    # Only ours: a failed start may have met another wineserver for the prefix.
    if kill -0 "$lobrin_wineserver_pid" 2>/dev/null; then wineserver -k >/dev/null 2>&1 || true; fi
    kill "$lobrin_wineserver_pid" 2>/dev/null || true
    wait "$lobrin_wineserver_pid" 2>/dev/null || true
    lobrin_wineserver_pid=
  fi
  if [ -n "$lobrin_desktop_holder_pid" ]; then
    kill "$lobrin_desktop_holder_pid" 2>/dev/null || true
    wait "$lobrin_desktop_holder_pid" 2>/dev/null || true
    lobrin_desktop_holder_pid=
  fi
  if [ -n "$lobrin_xvfb_pid" ]; then
    kill "$lobrin_xvfb_pid" 2>/dev/null || true
    wait "$lobrin_xvfb_pid" 2>/dev/null || true
    lobrin_xvfb_pid=
  fi
}
