#!/usr/bin/env bash
# The portable zip as a user gets it, in a fresh Wine prefix: unpacked into
# an empty folder with a space in its name, lobrin.exe started from there
# calculates the first worked example in its window, lobrin-stack.exe gives
# the worked example's stack, lobrin-calc.exe prints
# what native lobrin-calc prints, byte for byte, over a table of inputs and a
# stack case with its chart, each exe imports system DLLs only, and nothing
# outside the folder is written.
#   zip_test.sh DIST_DIR NATIVE_LOBRIN_CALC GUI_PROBE_EXE
set -u
dist=$(realpath -m "$1") native_calc=$(realpath -m "$2") probe_exe=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/user_session.sh"
. "$here/../support/prefix_snapshot.sh"

begin_user_session "the portable zip works"

[ -x "$native_calc" ] || {
  fail "no native lobrin-calc at $native_calc (build the native preset first)"
  exit
}
zips=("$dist"/lobrin-*-win64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || {
  fail "not exactly one zip in $dist"
  exit
}
zip=${zips[0]}
name=$(basename "$zip" -win64.zip)

start_fresh_prefix

# Unpacked as Explorer's "Extract all" would, into a folder of the user's.
folder="$work/Lobrin download"
mkdir "$folder"
unzip -q "$zip" -d "$folder" || fail "unzip"
app="$folder/$name"
listing=$(cd "$folder" && find . -mindepth 1 -printf '%P\n' | sort)
expected=$(printf '%s\n' "$name" "$name/LICENSE" "$name/README.txt" "$name/THIRD-PARTY.txt" \
  "$name/lobrin-calc.exe" "$name/lobrin-stack.exe" "$name/lobrin.exe" | sort)
[ "$listing" = "$expected" ] || fail "the zip holds other files than the release's:
$listing"
for text in README.txt LICENSE THIRD-PARTY.txt; do
  if [ ! -s "$app/$text" ] || grep -q $'[^\r]$' "$app/$text"; then
    fail "$text is empty or has a line without CR LF"
  fi
done

# Every DLL an exe imports is one that a fresh Windows system folder has.
system32="$WINEPREFIX/drive_c/windows/system32"
for exe in lobrin.exe lobrin-stack.exe lobrin-calc.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$app/$exe" | awk '/DLL Name:/ { print $3 }')
  [ -n "$dlls" ] || fail "$exe: no imports read"
  for dll in $dlls; do
    [ -n "$(find "$system32" -maxdepth 1 -iname "$dll")" ] || fail "$exe imports $dll, which Windows does not have"
  done
done

take_snapshot "$work/before" "$folder" || fail "snapshot before"

# The window, started from its own folder as a double click starts it.
pushd "$app" >/dev/null || fail "cd $app"
check_worked_example "$probe_exe" "$(winepath -w "$app/lobrin.exe")" "the window"
check_stack_example "$probe_exe" "$(winepath -w "$app/lobrin-stack.exe")" "Lobrin Stack"
popd >/dev/null || fail "cd back from $app"

# lobrin-calc.exe against native lobrin-calc: the worked examples, the edge
# cases of the tests and seeded random inputs, in groups of one pair of
# beamwidths and several frequencies.
python3 - "$work/batch.csv" >"$work/inputs.sh" <<'PY'
import csv, random, shlex, sys
groups = [
    ("32", "30", ["144", "432"]),
    ("30.2", "28.5", ["432", "144", "1296"]),
    ("-30", "0", ["144", "1,44"]),
    ("30,5", "+30deg", ["1,44", "1.44e2", "14\"4", "1 000"]),
    ("1e999", "30", ["", "0", "MHz", "1e999", "144"]),
    ("360", "720", ["144", "-144"]),
    ("1e-307", "30", ["1e-305"]),
    ("-30", "1e-300", ["1e-305"]),
    ("0", "deg", ["144"]),
    ("", "", [""]),
    ("1.2.3", "12abc", ["1x2", "e5", "1e", "-"]),
    ("1E-2", "2.5e1", ["1.5e+2", "--5", "a\\b"]),
    ("179.999", "180", ["0.001", "99999999"]),
]
rng = random.Random(20261207)
for _ in range(24):
    beamwidth = lambda: f"{rng.uniform(1, 180):.{rng.randint(0, 4)}f}"
    frequencies = [f"{rng.choice([1.8, 3.5, 7, 14, 28, 50, 70, 144, 222, 432, 1296, 2320, 5760, 10368]) * rng.uniform(0.99, 1.01):.{rng.randint(0, 3)}f}" for _ in range(8)]
    groups.append((beamwidth(), beamwidth(), frequencies))
for h, e, frequencies in groups:
    print("group", " ".join(shlex.quote(text) for text in [h, e] + frequencies))
# The same inputs as one file of records for --batch.
with open(sys.argv[1], "w", newline="") as batch:
    writer = csv.writer(batch, lineterminator="\r\n")
    writer.writerow(["h_plane", "e_plane", "frequency"])
    writer.writerows([h, e, f] for h, e, frequencies in groups for f in frequencies)
PY
inputs=0
group() {
  inputs=$((inputs + $# - 2))
  "$native_calc" --csv -- "$@" >"$work/native.csv" 2>&1
  (cd "$app" && timeout 30 wine "$app/lobrin-calc.exe" --csv -- "$@") >"$work/windows.csv" 2>&1
  cmp -s "$work/native.csv" "$work/windows.csv" || {
    fail "lobrin-calc.exe and native lobrin-calc differ for: $*"
    diff "$work/native.csv" "$work/windows.csv" | head -5 >&2
  }
}
. "$work/inputs.sh"
# And all of them in one batch, with every extra column, as CSV and as JSON.
for format in --csv --json; do
  "$native_calc" --batch "$work/batch.csv" --wavelengths --tolerance 0.5 $format >"$work/native.out" 2>&1
  (cd "$app" && timeout 30 wine "$app/lobrin-calc.exe" --batch "$(winepath -w "$work/batch.csv")" \
    --wavelengths --tolerance 0.5 $format) >"$work/windows.out" 2>&1
  cmp -s "$work/native.out" "$work/windows.out" || fail "lobrin-calc.exe and native lobrin-calc differ in batch $format"
  # A row per input (and the header in CSV): not two equal error messages.
  rows=$(grep -c -v '^h_plane,' "$work/native.out")
  [ "$rows" -eq "$inputs" ] || fail "batch $format gave $rows rows for $inputs inputs"
done
[ $inputs -ge 200 ] || fail "only $inputs inputs compared"
echo "lobrin-calc.exe and native lobrin-calc compared on $inputs inputs"

# One stack case: the worked example as a 2 x 3 stack with the H-plane spacing
# given and sidelobes, its row and its chart, byte for byte.
stack_case=(--stack --csv --bays-h 3 --spacing-h 3.5 --sidelobes 20)
"$native_calc" "${stack_case[@]}" --svg "$work/native.svg" 32 30 144 >"$work/native.out" 2>&1
(cd "$app" && timeout 30 wine "$app/lobrin-calc.exe" "${stack_case[@]}" --svg "$(winepath -w "$work/windows.svg")" \
  32 30 144) >"$work/windows.out" 2>&1
cmp -s "$work/native.out" "$work/windows.out" || {
  diff "$work/native.out" "$work/windows.out" | head -n 20
  fail "lobrin-calc.exe and native lobrin-calc differ in the stack case"
}
grep -q '^144,4\.02469094287112,3\.5,' "$work/native.out" || fail "the stack case's row is not the worked example's"
[ -s "$work/native.svg" ] && cmp -s "$work/native.svg" "$work/windows.svg" ||
  fail "lobrin-calc.exe and native lobrin-calc draw different stack charts"

take_snapshot "$work/after" "$folder" || fail "snapshot after"
compare_snapshots "$work/before" "$work/after" || fail "something outside the folder, or beside the programs, was written"
