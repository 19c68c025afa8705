# Sourced by the scripts that run Lobrin under Wine: a private X display, a
# persistent wineserver and a program that keeps Wine's desktop, each stopped
# by its own pid, and a prefix that draws the caption buttons.
#   start_services PREFIX   exports DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES;
#                           says why and returns 1 (services stopped) when a step fails
#   stop_services           returns once no process of the prefix is left and no
#                           wineserver serves it; 1 if some are left after 60 s
#   prepare_prefix PREFIX   boots PREFIX (WINEPREFIX and DISPLAY already set) and
#                           installs its fonts; used alone by scripts/run
#   prefix_pids PREFIX      the pids of Wine's processes of PREFIX

lobrin_xvfb_pid=
lobrin_wineserver_pid=
lobrin_desktop_holder_pid=
lobrin_prefix=
lobrin_server_log=

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
  local prefix=$1 font fonts log started=$SECONDS status=0
  # The first start creates the prefix (10-20 s); later starts take a moment.
  log=$(mktemp) || return 1
  timeout 180 wine wineboot --init >"$log" 2>&1 || status=$?
  if [ $status != 0 ]; then
    echo "prepare_prefix: wineboot failed in $prefix: status $status after $((SECONDS - started)) s" \
      "(124: it did not finish in time); what it printed:" >&2
    tail -n 20 "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
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
  lobrin_prefix=$prefix
  # Whatever a former session of the prefix left running ends first: a
  # wineserver of the prefix would keep ours from starting.
  end_prefix "$prefix" start_services || { services_failed "the prefix $prefix is in use"; return 1; }
  lobrin_server_log=$(mktemp) || { services_failed "cannot make a file for the wineserver's output"; return 1; }
  wineserver -f -p >"$lobrin_server_log" 2>&1 &
  lobrin_wineserver_pid=$!
  # A wineserver that is up holds the lock of its server directory and
  # listens there. The lock tells ours apart from a socket that a killed one
  # left behind; the server takes it before it makes its socket.
  socket="/proc/$lobrin_wineserver_pid/cwd/socket"
  for i in $(seq 1 100); do
    [ "$(prefix_server_pid "$prefix")" = "$lobrin_wineserver_pid" ] && [ -S "$socket" ] && break
    kill -0 "$lobrin_wineserver_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ "$(prefix_server_pid "$prefix")" != "$lobrin_wineserver_pid" ] || ! [ -S "$socket" ]; then
    services_failed "wineserver did not start for $prefix; it said: $(cat "$lobrin_server_log")
$(describe_prefix "$prefix")"
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
  # Under a loaded machine the desktop of a new prefix can take a minute and
  # more to come up: the wait is bounded by time, not by a count of polls.
  local until=$((SECONDS + 180))
  while [ $SECONDS -lt $until ]; do
    grep -q holding "$said" && break
    kill -0 "$lobrin_desktop_holder_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q holding "$said"
  i=$?
  rm -f "$said"
  [ $i -eq 0 ] || echo "hold_desktop: the holder did not start in $((SECONDS + 180 - until)) s" >&2
  return $i
}

# Stops the services of start_services by their pids: the wineserver with
# every program of the prefix (wineserver -k ends the one that serves the
# prefix of WINEPREFIX and nothing else), the desktop's holder, then the X
# display once no Wine program can use it any more.
stop_services() {
  local status=0
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
  if [ -n "$lobrin_prefix" ]; then
    end_prefix "$lobrin_prefix" stop_services || status=1
    lobrin_prefix=
  fi
  rm -f "$lobrin_server_log"
  lobrin_server_log=
  if [ -n "$lobrin_xvfb_pid" ]; then
    kill "$lobrin_xvfb_pid" 2>/dev/null || true
    wait "$lobrin_xvfb_pid" 2>/dev/null || true
    lobrin_xvfb_pid=
  fi
  return $status
}

# The pids of Wine's processes of PREFIX: every Wine program carries the
# prefix in its environment, as the scripts export it and Wine hands it on to
# each program it starts. Wine's own programs are named wine... (the loader,
# its preloader, the server); a shell still running Wine's start script
# (wine, wineserver) counts too, as a Wine that is about to start.
prefix_pids() {
  local prefix=$1 file pid exe
  for file in $(grep -lzxF "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${file#/proc/}
    pid=${pid%/environ}
    exe=$(readlink "/proc/$pid/exe") || continue
    case ${exe##*/} in
      wine*) echo "$pid" ;;
      sh | dash | bash)
        tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | sed -n '2,3{s|.*/||;p}' | grep -q '^wine' && echo "$pid"
        ;;
    esac
  done
}

# The folder where a wineserver of PREFIX listens: server-DEVICE-INODE of
# the prefix folder, under /tmp/.wine-UID; Debian's Wine puts it instead
# under a folder of its own for each prefix, named in the prefix's file
# "wineserver".
prefix_server_dir() {
  local prefix=$1 base device inode
  device=$(stat -c %D "$prefix" 2>/dev/null) && inode=$(stat -c %i "$prefix") || return 1
  base=/tmp/.wine-$(id -u)
  [ -f "$prefix/wineserver" ] && base=${TMPDIR:-/tmp}/$(cat "$prefix/wineserver")
  printf '%s/server-%s-%x\n' "$base" "$device" "$inode"
}

# The pid of the wineserver that serves PREFIX: the owner of the lock in its
# folder (/proc/locks), which is how a wineserver knows that another one
# runs for the prefix, and whom wineserver -k ends.
prefix_server_pid() {
  local lock dev
  lock=$(prefix_server_dir "$1")/lock || return 0
  [ -f "$lock" ] || return 0
  dev=$(stat -c %d "$lock")
  awk -v lock="$(printf '%02x:%02x:%s' $(((dev >> 8) & 0xfff)) $(((dev & 0xff) | ((dev >> 12) & 0xfff00))) \
    "$(stat -c %i "$lock")")" '$2 == "POSIX" && $6 == lock { print $5 }' /proc/locks
}

# Each Wine process of PREFIX with its parent and command line, for the log.
describe_prefix() {
  local prefix=$1 pid server
  server=$(prefix_server_pid "$prefix")
  echo "wineserver of $prefix: ${server:-none}"
  for pid in $(prefix_pids "$prefix"); do
    printf '  pid %s, parent %s: %s\n' "$pid" "$(awk '/^PPid:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)" \
      "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | sed 's/ *$//')"
  done 2>/dev/null
}

# A wineserver that another session started for the same prefix and still
# runs: started in the foreground (-f), so its parent is the shell of that
# session, until that shell ends without stopping it.
session_server() {
  local pid=$1 parent
  parent=$(awk '/^PPid:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
  [ -n "$parent" ] && [ "$parent" -gt 1 ] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q -- ' -f '
}

# Waits until no Wine process of PREFIX is left and no wineserver serves it,
# for at most 60 s. Wine's programs end by themselves once their wineserver
# has ended; a wineserver that still serves the prefix is one that a Wine
# program started for itself (after ours had ended, or in a former session
# that was not stopped): WHO says so, with what runs in the prefix, and ends
# it with wineserver -k, which ends only the server of this prefix. A
# wineserver of another session that runs for the same prefix is left alone:
# start_services fails, stop_services leaves the rest to that session.
end_prefix() {
  local prefix=$1 who=$2 pids server ended='' i
  for i in $(seq 1 600); do
    server=$(prefix_server_pid "$prefix")
    pids=$(prefix_pids "$prefix")
    [ -z "$server$pids" ] && return 0
    if [ -n "$server" ] && session_server "$server"; then
      echo "$who: another session's wineserver (pid $server) serves $prefix" >&2
      if [ "$who" = stop_services ]; then return 0; else return 1; fi
    fi
    if [ -n "$server" ] && [ "$server" != "$ended" ]; then
      echo "$who: a wineserver that no session started serves $prefix; ending it" >&2
      describe_prefix "$prefix" >&2
      WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
      ended=$server
    fi
    sleep 0.1
  done
  echo "$who: Wine processes of $prefix still run after 60 s" >&2
  describe_prefix "$prefix" >&2
  return 1
}
