#!/usr/bin/env bash
# The calculator writes nothing: no file in the Wine prefix, no file beside
# the program, no registry value. Snapshots taken before and after a session
# of ordinary use (start, type, Calculate, Clear, Info and OK, close) must be
# the same.
#   nothing_written_test.sh WINE_RUN LOBRIN_EXE GUI_PROBE_EXE
set -u
wine_run=$1 lobrin_exe=$2 probe_exe=$3
: "${WINEPREFIX:?the Wine prefix must be set}"
snapshot_wine=$wine_run
. "$(dirname "$0")/../support/prefix_snapshot.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

take_snapshot "$work/before" "$(dirname "$lobrin_exe")" || exit 1
timeout 60 "$wine_run" "$probe_exe" --session || {
  echo "FAILED: the session of use" >&2
  exit 1
}
take_snapshot "$work/after" "$(dirname "$lobrin_exe")" || exit 1

compare_snapshots "$work/before" "$work/after" || exit 1
echo "nothing written"
