# Sourced by the release checks that use the zip or the MSI as a user would:
# a work folder and a fresh Wine prefix of their own, the failures counted,
# and the first worked example calculated in a window.
#   begin_user_session SUCCESS_TEXT   makes $work; at exit stops Wine, removes
#                                     $work and says SUCCESS_TEXT if nothing failed
#   fail WHAT                         counts a failure and goes on
#   start_fresh_prefix                Wine in $work/prefix; exits on failure
#   restart_prefix                    Wine stopped and started again in $work/prefix,
#                                     so that its registry files say what it holds;
#                                     exits on failure
#   check_worked_example PROBE_EXE LOBRIN_EXE WHAT
#                                     LOBRIN_EXE (a Windows path) shows the four
#                                     texts of 32 / 30 / 144 after a Calculate
#   check_stack_example PROBE_EXE STACK_EXE WHAT
#                                     STACK_EXE (a Windows path), given 32 / 30 /
#                                     144 and 2 by 2 antennas, copies the DL6WU
#                                     distances and the stacking gain
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/services.sh"

user_session_status=0
user_session_success=

fail() {
  echo "FAILED: $*" >&2
  user_session_status=1
}

end_user_session() {
  stop_services
  rm -rf "$work"
  [ $user_session_status -eq 0 ] && echo "$user_session_success"
  exit $user_session_status
}

begin_user_session() {
  user_session_success=$1
  work=$(mktemp -d)
  trap end_user_session EXIT
}

# Started twice: the second start finds the registry of the first written to
# disk, where the prefix snapshots read it.
start_fresh_prefix() {
  if ! start_services "$work/prefix" || ! stop_services || ! start_services "$work/prefix"; then
    fail "Wine did not start"
    exit
  fi
}

# The wineserver writes its registry to disk some time after a change, and
# on the way out: under load an installer's uninstall may not have reached
# the files yet when a snapshot reads them.
restart_prefix() {
  if ! stop_services || ! start_services "$work/prefix"; then
    fail "Wine did not start again"
    exit
  fi
}

check_worked_example() {
  local probe_exe=$1 lobrin_exe=$2 what=$3
  timeout 60 wine "$probe_exe" --calculate "$lobrin_exe" 32 30 144 2>&1 | tr -d '\r' >"$work/window.txt"
  printf '%s\n' 3.77912008181594 12.398688329225 4.02469094287112 13.2043670330093 >"$work/window.expected"
  diff -u "$work/window.expected" "$work/window.txt" || fail "$what's results for 32 / 30 / 144"
}

check_stack_example() {
  local probe_exe=$1 stack_exe=$2 what=$3 line
  timeout 60 wine "$probe_exe" --stack "$stack_exe" 32 30 144 2>&1 | tr -d '\r' >"$work/stack.txt"
  for line in "H-plane DL6WU distance: 3.77912008181594 m" "E-plane DL6WU distance: 4.02469094287112 m" \
    "Stacking gain over one antenna: 5.848 dB"; do
    grep -q -x -F "$line" "$work/stack.txt" || fail "$what: no '$line' in what it copied"
  done
  grep -q -x -F "Stacking gain over one antenna: 5.848 dB" "$work/stack.txt" || sed 's/^/  /' "$work/stack.txt" >&2
}
