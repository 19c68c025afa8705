#!/usr/bin/env bash
# The calculator writes nothing: no file in the Wine prefix, no file beside
# the program, no registry value. Snapshots taken before and after a session
# of ordinary use (start, type, Calculate, Clear, Info and OK, close) must be
# the same.
#   nothing_written_test.sh WINE_RUN LOBRIN_EXE GUI_PROBE_EXE
set -u
wine_run=$1 lobrin_exe=$2 probe_exe=$3
: "${WINEPREFIX:?the Wine prefix must be set}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Keys that Wine itself keeps up to date while programs run: the display
# adapters it registers for every desktop it makes, the hardware tree, the
# device interfaces its plug-and-play service links and unlinks as its
# virtual input devices come and go, the counter of its service starts and
# its volatile copy of system parameters.
# Matched against the key line in lower case.
export wine_bookkeeping='^\[hkey_(local_machine\\(hardware|.*\\control\\(video|deviceclasses|servicecurrent))|current_user\\software\\wine\\temporary system parameters)(\\|\])'
# The same keys as they stand in the files on disk (relative to the root key,
# backslashes doubled).
export wine_bookkeeping_on_disk='^\[(hardware|.*\\\\control\\\\(video|deviceclasses|servicecurrent)|software\\\\wine\\\\temporary system parameters)(\\\\|\])'

# The registry as the wineserver holds it now (its files on disk lag behind),
# in UTF-8, without Wine's own bookkeeping.
export_registry() {
  local key=$1 out=$2
  # An export fails when Wine removes a key while it is being read: three tries.
  local attempt
  for attempt in 1 2 3; do
    timeout 60 "$wine_run" reg export "$key" "$(winepath -w "$out.utf16")" /y >/dev/null 2>&1 && break
    [ "$attempt" -eq 3 ] && { echo "FAILED: reg export $key" >&2; exit 1; }
  done
  iconv -f UTF-16LE -t UTF-8 "$out.utf16" | tr -d '\r' |
    awk '/^\[/ { keep = tolower($0) !~ ENVIRON["wine_bookkeeping"] } keep' > "$out"
}

# The registry files on disk, without the time stamps of keys and #time lines.
registry_files() {
  local f
  for f in user.reg system.reg userdef.reg; do
    echo "== $f"
    sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' "$WINEPREFIX/$f" |
      awk '/^\[/ { keep = tolower($0) !~ ENVIRON["wine_bookkeeping_on_disk"] } keep'
  done
}

snapshot() {
  local dir=$work/$1
  mkdir -p "$dir"
  find "$WINEPREFIX/drive_c" -printf '%p %s %T@\n' | sort > "$dir/drive_c"
  find "$(dirname "$lobrin_exe")" -mindepth 1 -maxdepth 1 -printf '%p %s %T@\n' | sort > "$dir/program_dir"
  registry_files > "$dir/registry_files"
  export_registry HKCU "$dir/hkcu"
  export_registry HKLM "$dir/hklm"
  export_registry 'HKU\.Default' "$dir/hku_default"
}

snapshot before
timeout 60 "$wine_run" "$probe_exe" --session || { echo "FAILED: the session of use" >&2; exit 1; }
snapshot after

status=0
for part in drive_c program_dir registry_files hkcu hklm hku_default; do
  if ! diff -u "$work/before/$part" "$work/after/$part"; then
    echo "FAILED: $part changed" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "nothing written"
exit $status
