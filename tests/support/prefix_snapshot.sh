# Sourced by the shell tests that show a program wrote nothing it should
# not: snapshots of a Wine prefix (its files and its registry, both as the
# wineserver holds it and as the files on disk say) and of chosen folders,
# taken before and after, must be the same.
#   take_snapshot DIR [FOLDER...]   writes the snapshot into DIR: drive_c and
#                                   folder_N list "TYPE PATH SIZE TIME" a line,
#                                   hkcu, hklm, hku_default and registry_files
#                                   the registry
#   compare_snapshots BEFORE AFTER  prints the differences; 1 if there are any
# WINEPREFIX must be set; snapshot_wine (default: wine) runs a Windows program.

: "${snapshot_wine:=wine}"

# Keys that Wine itself keeps up to date while programs run: the display
# adapters it registers for every desktop it makes (and their device class),
# the network cards it lists, the hardware tree, the device interfaces its
# plug-and-play service links and unlinks as its virtual input devices come
# and go, the counter of its service starts, its volatile copy of system
# parameters, and the lists its menu builder makes in a new prefix.
# Matched against the key line in lower case.
export wine_bookkeeping='^\[hkey_(local_machine\\(hardware|.*\\control\\(video|class|deviceclasses|servicecurrent)|.*\\windows nt\\currentversion\\networkcards)|current_user\\software\\wine\\(temporary system parameters|fileopenassociations|menufiles))(\\|\])'
# The same keys as they stand in the files on disk (relative to the root key,
# backslashes doubled).
export wine_bookkeeping_on_disk='^\[(hardware|.*\\\\control\\\\(video|class|deviceclasses|servicecurrent)|.*\\\\windows nt\\\\currentversion\\\\networkcards|software\\\\wine\\\\(temporary system parameters|fileopenassociations|menufiles))(\\\\|\])'

# The registry under KEY as the wineserver holds it now (its files on disk
# lag behind), in UTF-8, without Wine's own bookkeeping.
export_registry() {
  local key=$1 out=$2 attempt
  # An export fails when Wine removes a key while it is being read: three tries.
  for attempt in 1 2 3; do
    timeout 60 "$snapshot_wine" reg export "$key" "$(winepath -w "$out.utf16")" /y >/dev/null 2>&1 && break
    if [ "$attempt" -eq 3 ]; then
      echo "FAILED: reg export $key" >&2
      return 1
    fi
  done
  iconv -f UTF-16LE -t UTF-8 "$out.utf16" | tr -d '\r' |
    awk '/^\[/ { keep = tolower($0) !~ ENVIRON["wine_bookkeeping"] } keep' >"$out"
  rm -f "$out.utf16"
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

take_snapshot() {
  local dir=$1 folder i=0
  shift
  mkdir -p "$dir"
  find "$WINEPREFIX/drive_c" -printf '%y %p %s %T@\n' | sort -k2 >"$dir/drive_c"
  for folder in "$@"; do
    i=$((i + 1))
    find "$folder" -mindepth 1 -printf '%y %p %s %T@\n' | sort -k2 >"$dir/folder_$i"
  done
  registry_files >"$dir/registry_files"
  export_registry HKCU "$dir/hkcu" &&
    export_registry HKLM "$dir/hklm" &&
    export_registry 'HKU\.Default' "$dir/hku_default"
}

compare_snapshots() {
  local before=$1 after=$2 part status=0
  for part in "$before"/*; do
    part=$(basename "$part")
    if ! diff -u "$before/$part" "$after/$part"; then
      echo "FAILED: $part changed" >&2
      status=1
    fi
  done
  return $status
}
